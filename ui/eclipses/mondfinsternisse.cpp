#include "ui/eclipses/mondfinsternisse.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "core/eclipses.h"
#include "ui/platform/line_printer.h"
#include "ui/platform/platform.h"
#include "ui/print/printout.h"
#include "ui/widgets/shapes.h"
#include "ui/widgets/ui_conventions.h"

namespace lunomat {

namespace {

QLabel* panel(QWidget* parent, int left, int top, int width, int height) {
    return makePanel(parent, twipsRect(left, top, width, height), rgb(64, 64, 64), PanelBorder::ThinBlack);
}

QPushButton* button(QWidget* parent, const QString& text, const QString& tip, int left, const QColor& colour) {
    QPushButton* b = makeButton(parent, twipsRect(left, 8530, 1095, 375), text, tip, colour);
    b->setFont(designFont(QStringLiteral("MS Sans Serif"), 8));
    return b;
}

// The closing lines of the printout and its three definitions are the
// system's fixed texts, printed exactly as they stand.
const char* const kDefinitions[] = {
    "  1. Totale-Finsternis          - Der Mond wird vom Kernschatten der Erde zu 100% verdeckt.",
    "  2. Halschatten-Finsternis - Der Mond wird nur noch vom Halbschttenbereich der Erde verdeckt.",
    "  3. Partitionelle-Finsternis - Der Mond wird nur teilweise durch den Kernschatten der Erde verdeckt.",
};
const char* const kRemarks[] = {
    "Eine Totale- und Partielle-Mondfinsternis ist zugleich immer auch eine Halbschatten-Mondfinsternis.",
    "In einem Kalenderjahr können auf der Erde 2 bis maximal 5 Mondfinsternisse stattfinden.",
    "Bei einer Totale-Mondfinsternis treten verschiedene Helligkeits- und Farbbereiche auf.",
};

QString u(const char* text) { return QString::fromUtf8(text); }

void printEclipsePage(LinePrinter& p, const PrintStamp& stamp) {
    printPageHead(p,
                  {.title = u("Übersicht aller Mondfinsternisse von 1987 bis 2030"),
                   .versionLabel = QStringLiteral("   V. "),
                   .titleOff = Emphasis::UnderlineFirst,
                   .bodySizeFirst = true},
                  stamp);

    printHeading(p, u("Die Mondfinsternisse - hierzu einige Informationen betreffs der Bezeichnung:"),
                 Emphasis::UnderlineFirst, Emphasis::UnderlineFirst);
    blankLines(p, 1);
    p.printLine(
        u("In den nachfolgend angegebenen Mondfinsternisterminen finden Sie drei Mondfinsternis-Definitionen:"));
    blankLines(p, 1);
    for (const char* line : kDefinitions) p.printLine(u(line));
    blankLines(p, 1);
    for (const char* line : kRemarks) p.printLine(u(line));
    blankLines(p, 2);

    p.setFontName(QStringLiteral("Arial"));
    p.setFontSize(14);
    printHeading(p, u("Nachfolgend alle Mondfinsternistermine in Mitteleuropa (BRD):"), Emphasis::BoldFirst,
                 Emphasis::UnderlineFirst);
    blankLines(p, 1);

    // The table in a monospaced font, so that the bars of all lines stand one
    // under the other; a blank line of the same width after every ten rows.
    p.setFontName(QStringLiteral("Courier New"));
    p.setFontSize(10);
    p.setBold(false);
    p.setUnderline(false);
    for (int row = 0; row < kEclipsePrintRows; ++row) {
        if (row == 10 || row == 20) p.printLine(QString(77, QLatin1Char(' ')));
        p.printLine(QString::fromStdString(EclipsePrintLine(row)));
    }

    blankLines(p, 1);
    p.drawRule(9400);
    blankLines(p, 1);

    p.setFontName(QStringLiteral("Arial"));
    p.setFontSize(10);
    p.printLine(u("Die genaue Uhrzeit vom Beginn und vom Ende der Mondfinsternis entnehmen Sie bitte an den Tagen"));
    p.printLine(u("vor dem Ereignis der örtlichen Presse - bzw. Rundfunk oder Fernsehen."));
    blankLines(p, 7);

    printFooter(p, stamp.year);
}

// Cell i of the catalogue, yellow on dark blue. The cells run down three
// columns of two groups of ten; rows 10 to 19 skip one row position, leaving
// the one at 3960 twips empty.
QLabel* cell(QWidget* parent, int i) {
    static constexpr int kColumnLeft[] = {360, 3720, 7080};
    const int k = i % 20;
    const int top = k < 10 ? 360 * (k + 1) : 360 * (k + 2);
    QLabel* cell =
        makePanel(parent, twipsRect(kColumnLeft[i / 20], top, 3250, 320), rgb(0, 0, 64), PanelBorder::ThinBlack);
    cell->setObjectName(QStringLiteral("Label2_%1").arg(i));
    setColours(cell, rgb(255, 255, 0), rgb(0, 0, 64));
    cell->setFont(designFont(QStringLiteral("Arial"), 9));
    cell->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cell->setTextFormat(Qt::PlainText);
    return cell;
}

}  // namespace

Mondfinsternisse::Mondfinsternisse(Platform& platform, QWidget* parent)
    // A dialog window, so that the window manager is told its owner (a plain
    // window would get no transient hint and may show up as a task of its
    // own); it keeps the minimise and maximise buttons all the same.
    : NoCancelDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                                 Qt::WindowCloseButtonHint),
      platform_(platform) {
    setWindowTitle(u("Mondfinsternisse  -  Übersicht  für  Mitteleuropa   ( im Zeitraum von  1987 bis 2030 )"));
    // The designed place of the client area on the screen; setting it
    // explicitly also keeps the dialog from centring itself over its owner.
    setGeometry(px(2745), px(2115), px(10680), px(9255));
    setSizeGripEnabled(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, rgb(128, 128, 128));
    setPalette(pal);
    setAutoFillBackground(true);
    if (!QApplication::windowIcon().isNull()) setWindowIcon(QApplication::windowIcon());

    // Stacking follows creation: panels, then the cells and the image, then
    // the lines over the panel edges; the frame and the buttons on top.
    Label1[0] = panel(this, 120, 120, 10455, 8055);
    Label3 = panel(this, 120, 8280, 10455, 855);

    for (int i = 0; i < int(Label2.size()); ++i) Label2[i] = cell(this, i);

    Image_Logo = makeLogo(this, twipsRect(360, 8380, 675, 645), platform_);

    const QColor lineColour = palette().color(QPalette::WindowText);
    Line1 = new LineShape(120, 135, 10530, 120, lineColour, 2, this);
    Line2 = new LineShape(135, 120, 135, 8150, lineColour, 2, this);
    Line3 = new LineShape(120, 8290, 10530, 8290, lineColour, 2, this);
    Line4 = new LineShape(130, 9110, 130, 8280, lineColour, 2, this);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::NoFrame);
    Frame1->setGeometry(twipsRect(1200, 8730, 6375, 25));
    setColours(Frame1, Qt::black, rgb(128, 128, 128));

    Drucker =
        button(this, u("&Drucken"), u("Ausdruck aller Mond-Finsternisse von 1987 bis 2030."), 7800, rgb(255, 224, 192));
    Drucker->setObjectName(QStringLiteral("Drucker"));
    cmdOK = button(this, u("&OK"), u("... zurück zum Startfenster des Programms."), 9000, rgb(192, 192, 255));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    setTabOrder(cmdOK, Drucker);
    cmdOK->setFocus(Qt::OtherFocusReason);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(Drucker, &QPushButton::clicked, this, [this] { Drucker_Click(); });

    Form_Load();
}

void Mondfinsternisse::Form_Load() {
    for (int i = 0; i < int(Label2.size()); ++i) Label2[i]->setText(QString::fromStdString(EclipseWindowText(i)));
}

void Mondfinsternisse::cmdOK_Click() { accept(); }

void Mondfinsternisse::Drucker_Click() {
    // Between the dialog and the page, and again after the document, the
    // window repaints itself so that nothing the print dialog covered stays
    // stale while the job is sent.
    runPrintCommand(platform_, this, {cmdOK, Drucker}, printEclipsePage, [this] { update(); });
}

}  // namespace lunomat
