#pragma once
// The real platform with its print module looked for elsewhere (a test's
// own folder) and the helper launcher of the build; its message boxes are
// recorded instead of shown unless showBoxes is set.

#include <QCoreApplication>
#include <QStringList>

#include "ui/browser/helper_launcher.h"
#include "ui/platform/qt_platform.h"

namespace lunomat::test {

class QtPlatformIn : public QtPlatform {
public:
    explicit QtPlatformIn(const QString& folder) : QtPlatform(launcher_, folder) {}
    void messageBox(QWidget* parent, MessageIcon icon, const QString& title, const QString& text) override {
        if (showBoxes) return QtPlatform::messageBox(parent, icon, title, text);
        boxes << text;
    }
    bool showBoxes = false;
    QStringList boxes;

private:
    HelperBrowserLauncher launcher_{QCoreApplication::applicationDirPath()};
};

}  // namespace lunomat::test
