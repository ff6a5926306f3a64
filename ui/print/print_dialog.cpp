// The print dialog of both printouts. Qt's dialog also offers printing into a
// PDF file, so a machine without any installed printer still gets a dialog
// and a usable choice; only cancelling it (or a printer that Qt cannot use)
// yields no printer.
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/print/painter_line_printer.h"

namespace lunomat {

namespace {
constexpr int kMaxLinkHops = 40;  // the kernel's own limit

QByteArray readLink(const QByteArray& link) {
    QByteArray text(4096, '\0');
    const ssize_t n = ::readlink(link.constData(), text.data(), text.size());
    return n > 0 ? text.left(n) : QByteArray();
}
}  // namespace

PrintDialog::PrintDialog(QPrinter* printer, QWidget* parent) : QPrintDialog(printer, parent) {
    // (The file name field of Qt's dialog form.)
    if (auto* name = findChild<QLineEdit*>(QStringLiteral("filename"))) {
        connect(name, &QLineEdit::textChanged, this, &PrintDialog::noteLink);
        noteLink(name->text());
    }
}

void PrintDialog::noteLink(const QString& name) {
    link_.clear();
    const QByteArray path = QFile::encodeName(name);
    struct stat st;
    if (path.isEmpty() || ::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return;
    const QByteArray text = readLink(path);
    QByteArray at = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        if (::lstat(at.constData(), &st) != 0) {
            if (errno == ENOENT) link_ = path, linkText_ = text, target_ = at;
            return;
        }
        if (!S_ISLNK(st.st_mode)) return;
        const QByteArray next = readLink(at);
        if (next.isEmpty()) return;
        at = next.startsWith('/') || !at.contains('/') ? next : at.left(at.lastIndexOf('/') + 1) + next;
    }
}

void PrintDialog::accept() {
    struct stat st;
    if (!link_.isEmpty() && ::lstat(link_.constData(), &st) != 0 && errno == ENOENT &&
        ::lstat(target_.constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0) {
        ::unlink(target_.constData());
        // Should the link not come back, the chosen name is a new plain
        // file, as if there had been no link: nothing further to undo.
        [[maybe_unused]] const int relinked = ::symlink(linkText_.constData(), link_.constData());
    }
    QPrintDialog::accept();
}

std::unique_ptr<LinePrinter> showPrintDialog(QWidget* parent) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    PrintDialog dialog(printer.get(), parent);
    // The job is written line by line without knowing its pages, so a page
    // range or a selection could not be honoured.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    if (!printer->isValid()) return nullptr;
    return std::make_unique<PainterLinePrinter>(std::move(printer));
}

}  // namespace lunomat
