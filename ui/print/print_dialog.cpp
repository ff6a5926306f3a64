// The print dialog of both printouts. Qt's dialog also offers printing into a
// PDF file, so a machine without any installed printer still gets a dialog
// and a usable choice; only cancelling it (or a printer that Qt cannot use)
// yields no printer.
#include <QPrintDialog>
#include <QPrinter>

#include "ui/print/painter_line_printer.h"

namespace lunomat {

std::unique_ptr<LinePrinter> showPrintDialog(QWidget* parent) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    // The job is written line by line without knowing its pages, so a page
    // range or a selection could not be honoured.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    if (!printer->isValid()) return nullptr;
    return std::make_unique<PainterLinePrinter>(std::move(printer));
}

}  // namespace lunomat
