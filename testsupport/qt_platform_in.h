#pragma once
// The real platform with its program folder elsewhere (a test's own folder
// of stand-in helpers and modules) and a short start limit for the browser
// helper; its message boxes are recorded instead of shown unless showBoxes
// is set.

#include <QStringList>

#include "ui/platform/qt_platform.h"

namespace lunomat::test {

class QtPlatformIn : public QtPlatform {
public:
    explicit QtPlatformIn(QString folder) : folder_(std::move(folder)) {}
    QString executableFolder() const override { return folder_; }
    std::chrono::milliseconds browserStartLimit() const override { return std::chrono::milliseconds(600); }
    void messageBox(QWidget* parent, MessageIcon icon, const QString& title, const QString& text) override {
        if (showBoxes) return QtPlatform::messageBox(parent, icon, title, text);
        boxes << text;
    }
    bool showBoxes = false;
    QStringList boxes;

private:
    QString folder_;
};

}  // namespace lunomat::test
