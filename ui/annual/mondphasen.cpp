#include "ui/annual/mondphasen.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "core/annual.h"
#include "core/calendar.h"
#include "ui/widgets/shapes.h"
#include "ui/platform/line_printer.h"
#include "ui/platform/platform.h"
#include "ui/print/printout.h"
#include "ui/widgets/ui_conventions.h"

namespace lunomat {

namespace {

const QColor kWindowGrey = rgb(128, 128, 128);
const QColor kDarkGrey = rgb(64, 64, 64);
const QColor kDarkBlue = rgb(0, 0, 64);
const QColor kBlack = rgb(0, 0, 0);
const QColor kYellow = rgb(255, 255, 0);
const QColor kLightGrey = rgb(192, 192, 192);
const QColor kOlive = rgb(128, 128, 0);

// Twips of the table: row i of every column stands 600 twips below row i-1.
constexpr int kRowPitch = 600;
constexpr int kPanelTop = 480;
constexpr int kPanelHeight = 495;
constexpr int kPanelWidth = 2535;
constexpr int kDateTop = 600;
constexpr int kSymbolTop = 570;
// Left edges of the four cells: full moon, last quarter, new moon, first quarter.
constexpr int kCellLeft[4] = {360, 3000, 5640, 8280};

// The year the window computes: a plain whole number of the years the
// calendar routines cover. Anything else - an empty or partly typed field,
// signs, blanks, decimals - gives no year, and the window stays empty.
int yearFromText(const QString& text) {
    if (text.isEmpty() || text.size() > 4) return 0;
    int year = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
        year = year * 10 + (c.unicode() - '0');
    }
    return year >= 1583 && year <= 9999 ? year : 0;
}

// A date the four-digit calendar cannot write (the last quarters of 9999
// reach into 10000) stays a blank cell, so no row grows wider.
QString dateText(std::chrono::year_month_day date) {
    return int(date.year()) > 9999 ? QString() : QString::fromStdString(DateText(date));
}

// The phases of the four columns, as screen readers announce them.
const QString kPhaseNames[4] = {QStringLiteral("Vollmond"), QStringLiteral("Halbmond abnehmend"),
                                QStringLiteral("Neumond"), QStringLiteral("Halbmond zunehmend")};

void name(QWidget* w, const QString& objectName, int index) {
    w->setObjectName(objectName + QLatin1Char('_') + QString::number(index));
}

// Blank date cells keep the table's columns on paper too.
QString printedCell(const QLabel* label, bool yearComputed) {
    return yearComputed && label->text().isEmpty() ? QString(10, QLatin1Char(' ')) : label->text();
}

}  // namespace

Mondphasen::Mondphasen(Platform& platform, const QString& yearText, QWidget* parent)
    : NoCancelDialog(parent), platform_(platform), yearText_(yearText) {
    buildControls();
    Form_Load();
}

QLabel* Mondphasen::dateLabel(int left, int top, const QColor& text, const QColor* background) {
    QLabel* label = makeLabel(this, twipsRect(left, top, 1695, 255));
    label->setFont(designFont(QStringLiteral("Arial"), 12));
    label->setAlignment(Qt::AlignCenter);
    if (background)
        setColours(label, text, *background);
    else
        setTextColour(label, text);  // transparent: the cell's panel shows through
    return label;
}

QLabel* Mondphasen::symbol(int left, int top, int size, const QString& file) {
    return makePicture(this, twipsRect(left, top, size, size), platform_.programFolder(),
                       QStringLiteral("/symbols/") + file);
}

QLabel* Mondphasen::panel(int left, int top, int width, int height, const QColor& colour, bool sunken) {
    return makePanel(this, twipsRect(left, top, width, height), colour,
                     sunken ? PanelBorder::Sunken : PanelBorder::None);
}

void Mondphasen::buildControls() {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(px(11160), px(10005));
    setWindowIcon(QIcon(readPicture(platform_.programFolder() + QStringLiteral("/mondphasen.png"))));
    setColours(this, kBlack, kWindowGrey);

    // Bottom to top: the creation order is the first stacking order, and the
    // raise() pass at the end states it once more for the overlapping parts.
    Label1 = panel(120, 0, 10935, 9890, kDarkGrey, true);
    Label11[2] = panel(0, 0, 11055, 120, kWindowGrey, false);

    Label5 = makeLabel(this, twipsRect(360, 195, 9375, 255),
                       QStringLiteral("Angabe aller Voll- und Neumond- sowie alle Halbmondphasen (abnehmend, "
                                      "zunehmend) des eingegebenen Kalenderjahres."));
    Label5->setFont(designFont(QStringLiteral("Arial"), 8.25));
    Label5->setAlignment(Qt::AlignCenter);
    setTextColour(Label5, Qt::white);

    for (int i = 0; i < kRows; ++i) {
        const int top = kPanelTop + kRowPitch * i;
        Label2[2 * i] = panel(kCellLeft[0], top, kPanelWidth, kPanelHeight, kDarkBlue, true);
        Label6[i] = panel(kCellLeft[1], top, kPanelWidth, kPanelHeight, kDarkBlue, true);
        Label2[2 * i + 1] = panel(kCellLeft[2], top, kPanelWidth, kPanelHeight, kBlack, true);
        Label7[i] = panel(kCellLeft[3], top, kPanelWidth, kPanelHeight, kDarkBlue, true);
    }
    for (int i = 0; i < kRows; ++i) {
        const int top = kSymbolTop + kRowPitch * i;
        Image1[i] = symbol(480, top, 330, QStringLiteral("vollmond.gif"));
        Image3[i] = symbol(3120, top, 330, QStringLiteral("halbmond-abnehmend.gif"));
        Image2[i] = symbol(5760, top - 10, 345, QStringLiteral("neumond.gif"));
        Image4[i] = symbol(8400, top, 330, QStringLiteral("halbmond-zunehmend.gif"));
    }
    for (int i = 0; i < kRows; ++i) {
        const int top = kDateTop + kRowPitch * i;
        Label3[i] = dateLabel(960, top, kYellow, nullptr);
        Label8[i] = dateLabel(3600, top, kYellow, &kDarkBlue);
        Label4[i] = dateLabel(6240, top, kLightGrey, nullptr);
        Label9[i] = dateLabel(8880, top, kYellow, &kDarkBlue);
        QLabel* const cells[4][2] = {{Label3[i], Image1[i]}, {Label8[i], Image3[i]},
                                     {Label4[i], Image2[i]}, {Label9[i], Image4[i]}};
        const char* const names[4] = {"Label3", "Label8", "Label4", "Label9"};
        for (int c = 0; c < 4; ++c) {
            name(cells[c][0], QLatin1String(names[c]), i);
            cells[c][1]->setAccessibleName(kPhaseNames[c]);
        }
    }

    // The legend bar under the table.
    Label11[0] = panel(120, 8380, 10935, 90, kWindowGrey, false);
    Label11[1] = panel(120, 9140, 10935, 90, kWindowGrey, false);
    Label12 = panel(150, 8505, 10875, 555, kDarkGrey, false);
    const QString headings[4] = {QStringLiteral("Vollmond"), QStringLiteral("abn. Halbmond"),
                                 QStringLiteral("Neumond"), QStringLiteral("zun. Halbmond")};
    const int headingLeft[4] = {720, 3360, 6000, 8640};
    for (int c = 0; c < 4; ++c) {
        Label10[c] = panel(headingLeft[c], 8580, 1815, 420, c == 2 ? kBlack : kDarkBlue, true);
        Label10[c]->setText(headings[c]);
        Label10[c]->setFont(designFont(QStringLiteral("Alba Super"), 9.75));
        Label10[c]->setAlignment(Qt::AlignCenter);
        setTextColour(Label10[c], kOlive);
    }
    const int circleLeft[5] = {255, 2640, 5280, 7920, 10440};
    for (int s = 0; s < 5; ++s) {
        Shape2[s] = new CircleShape(kYellow, this);
        Shape2[s]->setGeometry(twipsRect(circleLeft[s], 8670, 250, 250));
    }
    const int lineY[4] = {8370, 8510, 9120, 9240};
    Line4[0] = new LineShape(120, lineY[0], 11000, lineY[0], kLightGrey, 2, this);
    Line5[0] = new LineShape(120, lineY[1], 11000, lineY[1], kBlack, 2, this);
    Line4[1] = new LineShape(120, lineY[2], 11000, lineY[2], kLightGrey, 2, this);
    Line5[1] = new LineShape(120, lineY[3], 11000, lineY[3], kBlack, 2, this);

    // The black frame lines along the left and top edges of the table area.
    Line2 = new LineShape(128, 120, 128, 9860, kBlack, 2, this);
    Line3 = new LineShape(120, 130, 11015, 130, kBlack, 2, this);

    Frame1 = new QFrame(this);
    Frame1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Frame1->setGeometry(twipsRect(1500, 9530, 6735, 25));

    Image_Logo = makeLogo(this, twipsRect(720, 9270, 600, 525), platform_);

    // Neither button answers Enter or Escape; the window closes by OK and
    // its close box.
    Drucker = makeButton(this, twipsRect(8520, 9360, 1000, 375), QStringLiteral("&Drucken"),
                         QStringLiteral("Ausdruck aller Mondphasen des eingegebenen Kalenderjahres - sowie einige "
                                        "theoretische Grundlagen."),
                         rgb(255, 224, 192));
    Drucker->setObjectName(QStringLiteral("Drucker"));
    connect(Drucker, &QPushButton::clicked, this, [this] { Drucker_Click(); });
    Command1 = makeButton(this, twipsRect(9640, 9360, 1000, 375), QStringLiteral("&OK"),
                          QStringLiteral("... zurück zum Startfenster des Programms."), rgb(192, 192, 255));
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    // Within each cell the date above the symbol above the panel; every panel
    // above Label1; the legend, lines and buttons on top.
    Label1->lower();
    for (int i = 0; i < kRows; ++i) {
        for (QLabel* l : {Label2[2 * i], Label6[i], Label2[2 * i + 1], Label7[i]}) l->raise();
    }
    for (int i = 0; i < kRows; ++i)
        for (QLabel* l : {Image1[i], Image3[i], Image2[i], Image4[i]}) l->raise();
    for (int i = 0; i < kRows; ++i)
        for (QLabel* l : {Label3[i], Label8[i], Label4[i], Label9[i]}) l->raise();
    for (QWidget* w : std::initializer_list<QWidget*>{Label11[0], Label11[1], Label12}) w->raise();
    for (QLabel* l : Label10) l->raise();
    for (CircleShape* s : Shape2) s->raise();
    for (LineShape* l : {Line4[0], Line5[0], Line4[1], Line5[1], Line2, Line3}) l->raise();
    for (QWidget* w : std::initializer_list<QWidget*>{Frame1, Image_Logo, Drucker, Command1}) w->raise();
}

void Mondphasen::Form_Load() {
    setWindowTitle(QStringLiteral(" Luno-Mat   (Vollmond, Halbmond abnehmend, Neumond, Halbmond zunehmend)   "
                                  "für das Kalenderjahr ") +
                   yearText_);
    const int year = yearFromText(yearText_);
    if (year == 0) {
        for (const LabelRow* column : {&Label3, &Label8, &Label4, &Label9})
            for (QLabel* l : *column) l->clear();
        return;
    }
    const AnnualPhaseTable table = computeAnnualPhaseTable(year);
    for (int k = 0; k < kRows; ++k) {
        const AnnualPhaseRow& row = table[static_cast<std::size_t>(k)];
        const std::chrono::year_month_day dates[4] = {row.fullMoon, row.lastQuarter, row.newMoon, row.firstQuarter};
        QLabel* const cells[4] = {Label3[k], Label8[k], Label4[k], Label9[k]};
        for (int c = 0; c < 4; ++c) {
            cells[c]->setText(dateText(dates[c]));
            cells[c]->setAccessibleName(kPhaseNames[c] + QLatin1Char(' ') + cells[c]->text());
        }
    }
}

void Mondphasen::Command1_Click() { accept(); }

void Mondphasen::Drucker_Click() {
    runPrintCommand(platform_, this, {Command1, Drucker},
                    [this](LinePrinter& printer, const PrintStamp& stamp) { printContent(printer, stamp); });
}

void Mondphasen::printContent(LinePrinter& p, const PrintStamp& stamp) const {
    printPageHead(p,
                  {.title = QStringLiteral("Übersicht aller Mondphasen für das Kalenderjahr ") + yearText_,
                   .versionLabel = QStringLiteral("   Variante ")},
                  stamp);
    printHeading(p, QStringLiteral("Die Mondphasen - hierzu einige grundlegende theoretischer Erläuterungen zum "
                           "Berechnungsablauf:"));
    blankLines(p, 1);
    static const char* const kExplanation[] = {
        "Zur Luno-Mat ist es nötig, das Verhältnis zwischen Erde und Mond unabhängig von jahres-",
        "zeitlichen Schwankungen zu betrachten. Die Berechnung kann deshalb die für uns normalerweise üblichen",
        "en Sonnen- und Mondtage nicht verwenden, welche durch die Drehung der Himmelskörper umeinander de-",
        "finiert sind, sich also von Tag zu Tag leicht unterscheiden.",
        "Stattdessen werden die Himmelskörper aus der Sicht der Fixsterne betrachtet. Solche Berechnungen be-",
        "zeichnet man im englischen Sprachgebrauch als sidereal (im deutschen: siderisch).",
        "Eine siderische Erdumdrehung dauert damit unabhängig zu Jahreszeiten und  Stellung der Himmelskörper",
        "zueinander immer 23 Stunden, 56 Minuten und 4,1 Sekunden.",
        "Auch die Drehung des Mondes kann dabei astronomisch berechnet werden, indem man den Schnittpunkt",
        "des Mondorbits mit dem Erdorbit betrachtet und ausrechnet, wie lange es  für den Mond dauert, um ein und",
        "den selben Schnittpunkt wieder zu erreichen.",
        "Dabei handelt es sich um einen Zeitraum von  genau  27,212220 Tagen, wieder ein konstanter Wert, der im",
        "Englischen die Draconic Phase (zu deutsch: Drakonische Phase) genannt wird.",
    };
    for (const char* line : kExplanation) p.printLine(QString::fromUtf8(line));
    blankLines(p, 1);
    p.printLine(QStringLiteral("Mit den Ergebnissen in dieser Tabelle können die Mondphasen schnell und einfach "
                               "in selbst gefertigte Jah-"));
    p.printLine(QStringLiteral("reskalender bzw. anderweitige Dokumente übertragen werden."));
    blankLines(p, 2);

    p.setFontName(QStringLiteral("Arial"));
    p.setFontSize(14);
    printHeading(p, QStringLiteral("Alle Mondphasentermine des eingegebenen Kalenderjahres:"));

    p.setFontName(QStringLiteral("Courier New"));
    p.setFontSize(10);
    blankLines(p, 1);
    p.printLine(QString::fromStdString(AnnualTableHeader()));
    p.setBold(true);
    p.drawRule(9800);
    blankLines(p, 1);
    const bool computed = yearFromText(yearText_) != 0;
    for (int k = 0; k < kRows; ++k)
        p.printLine(QString::fromStdString(AnnualTableRowText(
            printedCell(Label3[k], computed).toStdString(), printedCell(Label8[k], computed).toStdString(),
            printedCell(Label4[k], computed).toStdString(), printedCell(Label9[k], computed).toStdString())));
    blankLines(p, 1);
    p.drawRule(9800);
    blankLines(p, 1);
    p.setBold(false);

    p.setFontName(QStringLiteral("Arial"));
    p.setFontSize(10);
    p.printLine(QStringLiteral(
        "Grundlage dieser Ergebnisse ist das im Startfenster des Programms eingetragene Kalenderjahr."));
    blankLines(p, 16);
    printFooter(p, stamp.year);
}

}  // namespace lunomat
