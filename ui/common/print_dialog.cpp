// Placeholder until the printing layer lands: no printer is offered.
#include "ui/common/line_printer.h"
#include "ui/common/qt_platform.h"

namespace lunomat {
std::unique_ptr<LinePrinter> QtPlatform::choosePrinter(QWidget*) { return nullptr; }
}  // namespace lunomat
