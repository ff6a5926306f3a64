// Placeholder until the browser window lands.
#include "ui/common/qt_platform.h"

namespace lunomat {
void QtPlatform::runBrowserWindow(QWidget*) {}
}  // namespace lunomat
