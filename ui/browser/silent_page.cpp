#include "ui/browser/silent_page.h"

#include <QAuthenticator>
#include <QWebEngineCertificateError>

namespace lunomat {

SilentPage::SilentPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {
    // Questions the engine would otherwise put to the user.
    connect(this, &QWebEnginePage::certificateError, this, [this](QWebEngineCertificateError error) {
        if (silent_) error.rejectCertificate();
    });
    connect(this, &QWebEnginePage::authenticationRequired, this, [this](const QUrl&, QAuthenticator* auth) {
        if (silent_) *auth = QAuthenticator();  // a null authenticator cancels the log-in
    });
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
            [this](const QUrl&, QAuthenticator* auth, const QString&) {
                if (silent_) *auth = QAuthenticator();
            });
    connect(this, &QWebEnginePage::featurePermissionRequested, this, [this](const QUrl& origin, Feature feature) {
        if (silent_) setFeaturePermission(origin, feature, PermissionDeniedByUser);
    });
}

void SilentPage::javaScriptAlert(const QUrl& securityOrigin, const QString& msg) {
    if (!silent_) QWebEnginePage::javaScriptAlert(securityOrigin, msg);
}

bool SilentPage::javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) {
    return silent_ ? false : QWebEnginePage::javaScriptConfirm(securityOrigin, msg);
}

bool SilentPage::javaScriptPrompt(const QUrl& securityOrigin, const QString& msg, const QString& defaultValue,
                                  QString* result) {
    return silent_ ? false : QWebEnginePage::javaScriptPrompt(securityOrigin, msg, defaultValue, result);
}

void SilentPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int lineNumber,
                                          const QString& sourceID) {
    if (!silent_) QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceID);
}

QStringList SilentPage::chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                                    const QStringList& acceptedMimeTypes) {
    return silent_ ? QStringList() : QWebEnginePage::chooseFiles(mode, oldFiles, acceptedMimeTypes);
}

}  // namespace lunomat
