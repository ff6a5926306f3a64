#pragma once
// A web page that, once silenced, shows no dialog of its own: script
// alerts, confirmations and prompts, file choosers, log-in and certificate
// questions are all answered "no" without asking anyone.

#include <QWebEnginePage>

namespace lunomat {

class SilentPage : public QWebEnginePage {
    Q_OBJECT
public:
    SilentPage(QWebEngineProfile* profile, QObject* parent);

    void setSilent(bool silent) { silent_ = silent; }

protected:
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg, const QString& defaultValue,
                          QString* result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int lineNumber,
                                  const QString& sourceID) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                            const QStringList& acceptedMimeTypes) override;

private:
    bool silent_ = false;
};

}  // namespace lunomat
