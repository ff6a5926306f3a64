#include "ui/annual/mondphasen.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "core/annual.h"
#include "core/calendar.h"
#include "core/phase_names.h"
#include "ui/platform/line_printer.h"
#include "ui/platform/platform.h"
#include "ui/print/printout.h"
#include "ui/widgets/shapes.h"
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

// The four columns of the table, left to right, as designed: the cell's
// panel, the moon symbol and the date in it, and the column's heading in
// the legend bar; places in twips.
struct ColumnDesign {
    int panelLeft;
    QColor panelColour;  // also the heading's background
    int symbolLeft;
    int symbolTop;  // of row 0
    int symbolSize;
    const char* symbolFile;
    int dateLeft;
    QColor dateColour;
    bool dateOnPanelColour;  // false: transparent, the panel shows through
    sky::Phase phase;        // its name is what screen readers announce
    const char* heading;
    int headingLeft;
};
// clang-format off
const ColumnDesign kColumns[4] = {
    {360, kDarkBlue, 480, kSymbolTop, 330, "vollmond.gif", 960, kYellow, false, sky::Phase::FullMoon,
     "Vollmond", 720},
    {3000, kDarkBlue, 3120, kSymbolTop, 330, "halbmond-abnehmend.gif", 3600, kYellow, true,
     sky::Phase::LastQuarter, "abn. Halbmond", 3360},
    {5640, kBlack, 5760, kSymbolTop - 10, 345, "neumond.gif", 6240, kLightGrey, false, sky::Phase::NewMoon,
     "Neumond", 6000},
    {8280, kDarkBlue, 8400, kSymbolTop, 330, "halbmond-zunehmend.gif", 8880, kYellow, true,
     sky::Phase::FirstQuarter, "zun. Halbmond", 8640},
};
// clang-format on

// The legend bar under the table: grey bars above and below it, the small
// yellow circles between the headings, and the rules along its edges.
constexpr int kLegendTop = 8505;
constexpr int kHeadingTop = 8580;
constexpr int kCircleTop = 8670;
constexpr int kCircleLeft[5] = {255, 2640, 5280, 7920, 10440};
const struct {
    int y;
    QColor colour;
} kLegendRules[4] = {{8370, kLightGrey}, {8510, kBlack}, {9120, kLightGrey}, {9240, kBlack}};

// The year the window computes: a plain whole number of the years the
// calendar routines cover. Anything else - an empty or partly typed field,
// signs, blanks, decimals - gives no year, and the window stays empty.
int yearFromText(const QString& text) {
    const std::string digits = text.toStdString();
    if (digits.size() > 4 || !IsDigits(digits)) return 0;
    const int year = std::stoi(digits);
    return year >= kFirstGregorianYear && year <= kLastFourDigitYear ? year : 0;
}

// A date the four-digit calendar cannot write (the last quarters of 9999
// reach into 10000) stays a blank cell, so no row grows wider.
QString dateText(std::chrono::year_month_day date) {
    return int(date.year()) > 9999 ? QString() : QString::fromStdString(DateText(date));
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

QLabel* Mondphasen::panel(int left, int top, int width, int height, const QColor& colour, bool sunken) {
    return makePanel(this, twipsRect(left, top, width, height), colour,
                     sunken ? PanelBorder::Sunken : PanelBorder::None);
}

// Creation order is stacking order: within each cell the date above the
// symbol above the panel; every panel above Label1; the legend, the lines
// and the buttons on top.
void Mondphasen::buildControls() {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(px(11160), px(10005));
    setWindowIcon(QIcon(readPicture(platform_.programFolder() + QStringLiteral("/mondphasen.png"))));
    setColours(this, kBlack, kWindowGrey);

    Label1 = panel(120, 0, 10935, 9890, kDarkGrey, true);
    Label11[2] = panel(0, 0, 11055, 120, kWindowGrey, false);
    Label5 = makeLabel(this, twipsRect(360, 195, 9375, 255),
                       QStringLiteral("Angabe aller Voll- und Neumond- sowie alle Halbmondphasen (abnehmend, "
                                      "zunehmend) des eingegebenen Kalenderjahres."));
    Label5->setFont(designFont(QStringLiteral("Arial"), 8.25));
    Label5->setAlignment(Qt::AlignCenter);
    setTextColour(Label5, Qt::white);

    buildTable();
    buildLegend();
    buildFooter();
    nameControls();
}

// Every control carries its design name, an element of a control array its
// array's name and index ("Label3_0"), as the tools that read windows show it.
void Mondphasen::nameControls() {
    for (const auto& [control, name] :
         std::initializer_list<std::pair<QWidget*, const char*>>{{Label1, "Label1"},
                                                                 {Label5, "Label5"},
                                                                 {Label12, "Label12"},
                                                                 {Line2, "Line2"},
                                                                 {Line3, "Line3"},
                                                                 {Frame1, "Frame1"},
                                                                 {Image_Logo, "Image_Logo"},
                                                                 {Drucker, "Drucker"},
                                                                 {Command1, "Command1"}})
        control->setObjectName(QLatin1String(name));
    const auto nameArray = [](const auto& controls, const char* name) {
        for (std::size_t i = 0; i < controls.size(); ++i)
            controls[i]->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
    };
    nameArray(Label2, "Label2"), nameArray(Label6, "Label6"), nameArray(Label7, "Label7");
    nameArray(Image1, "Image1"), nameArray(Image3, "Image3"), nameArray(Image2, "Image2"), nameArray(Image4, "Image4");
    nameArray(Label3, "Label3"), nameArray(Label8, "Label8"), nameArray(Label4, "Label4"), nameArray(Label9, "Label9");
    nameArray(Label10, "Label10"), nameArray(Label11, "Label11"), nameArray(Shape2, "Shape2");
    nameArray(Line4, "Line4"), nameArray(Line5, "Line5");
}

void Mondphasen::buildTable() {
    // Label2 holds the full- and new-moon panels in turn.
    const auto panelOf = [this](int c, std::size_t i) -> QLabel*& {
        return c == 0 ? Label2[2 * i] : c == 1 ? Label6[i] : c == 2 ? Label2[2 * i + 1] : Label7[i];
    };
    for (int i = 0; i < kRows; ++i)
        for (int c = 0; c < 4; ++c)
            panelOf(c, std::size_t(i)) = panel(kColumns[c].panelLeft, kPanelTop + kRowPitch * i, kPanelWidth,
                                               kPanelHeight, kColumns[c].panelColour, true);

    LabelRow* const symbols[4] = {&Image1, &Image3, &Image2, &Image4};
    for (int i = 0; i < kRows; ++i)
        for (int c = 0; c < 4; ++c) {
            const ColumnDesign& d = kColumns[c];
            QLabel* symbol =
                makePicture(this, twipsRect(d.symbolLeft, d.symbolTop + kRowPitch * i, d.symbolSize, d.symbolSize),
                            platform_.programFolder(), QStringLiteral("/symbols/") + QLatin1String(d.symbolFile));
            symbol->setAccessibleName(QString::fromUtf8(sky::PhaseName(d.phase)));
            (*symbols[c])[i] = symbol;
        }

    LabelRow* const dates[4] = {&Label3, &Label8, &Label4, &Label9};
    for (int i = 0; i < kRows; ++i)
        for (int c = 0; c < 4; ++c) {
            const ColumnDesign& d = kColumns[c];
            QLabel* date = makeLabel(this, twipsRect(d.dateLeft, kDateTop + kRowPitch * i, 1695, 255));
            date->setFont(designFont(QStringLiteral("Arial"), 12));
            date->setAlignment(Qt::AlignCenter);
            if (d.dateOnPanelColour) setColours(date, d.dateColour, d.panelColour);
            else setTextColour(date, d.dateColour);
            (*dates[c])[i] = date;
        }
}

void Mondphasen::buildLegend() {
    Label11[0] = panel(120, 8380, 10935, 90, kWindowGrey, false);
    Label11[1] = panel(120, 9140, 10935, 90, kWindowGrey, false);
    Label12 = panel(150, kLegendTop, 10875, 555, kDarkGrey, false);
    for (int c = 0; c < 4; ++c) {
        Label10[c] = panel(kColumns[c].headingLeft, kHeadingTop, 1815, 420, kColumns[c].panelColour, true);
        Label10[c]->setText(QString::fromUtf8(kColumns[c].heading));
        Label10[c]->setFont(designFont(QStringLiteral("Alba Super"), 9.75));
        Label10[c]->setAlignment(Qt::AlignCenter);
        setTextColour(Label10[c], kOlive);
    }
    for (int s = 0; s < 5; ++s) {
        Shape2[s] = new CircleShape(kYellow, this);
        Shape2[s]->setGeometry(twipsRect(kCircleLeft[s], kCircleTop, 250, 250));
    }
    LineShape** const rules[4] = {&Line4[0], &Line5[0], &Line4[1], &Line5[1]};
    for (int r = 0; r < 4; ++r)
        *rules[r] = new LineShape(120, kLegendRules[r].y, 11000, kLegendRules[r].y, kLegendRules[r].colour, 2, this);
}

void Mondphasen::buildFooter() {
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
    connect(Drucker, &QPushButton::clicked, this, [this] { Drucker_Click(); });
    Command1 = makeButton(this, twipsRect(9640, 9360, 1000, 375), QStringLiteral("&OK"),
                          QStringLiteral("... zurück zum Startfenster des Programms."), rgb(192, 192, 255));
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
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
            cells[c]->setAccessibleName(QString::fromUtf8(sky::PhaseName(kColumns[c].phase)) + QLatin1Char(' ') +
                                        cells[c]->text());
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
    // clang-format off
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
    // clang-format on
    for (const char* line : kExplanation) p.printLine(QString::fromUtf8(line));
    blankLines(p, 1);
    p.printLine(
        QStringLiteral("Mit den Ergebnissen in dieser Tabelle können die Mondphasen schnell und einfach "
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
    p.printLine(
        QStringLiteral("Grundlage dieser Ergebnisse ist das im Startfenster des Programms eingetragene Kalenderjahr."));
    blankLines(p, 16);
    printFooter(p, stamp.year);
}

}  // namespace lunomat
