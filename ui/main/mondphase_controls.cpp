// The controls of the main window, built from tables of their design values:
// places in twips (left, top, width, height; lines by their end points),
// texts, fonts and colours. Controls are made in the design's order, which
// is also the order they are drawn in: each lies over those made before it.
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "ui/main/mondphase.h"
#include "ui/main/star_sky.h"
#include "ui/platform/platform.h"
#include "ui/widgets/frame_picture.h"
#include "ui/widgets/shapes.h"
#include "ui/widgets/ui_conventions.h"

namespace lunomat {

namespace {

constexpr QRgb kPanel = qRgb(0, 0, 64);        // behind the heading and the result lines
constexpr QRgb kUpperPanel = qRgb(0, 0, 40);   // Label8, the panel behind the upper area
constexpr QRgb kYellow = qRgb(255, 255, 128);  // heading, result lines, date fields
constexpr QRgb kLightGrey = qRgb(192, 192, 192);
constexpr QRgb kGrey = qRgb(128, 128, 128);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kLightBlue = qRgb(192, 192, 255);  // the buttons but "&Heute"
constexpr QRgb kWindow = qRgb(64, 64, 64);

struct Place {
    int left, top, width, height;  // twips
    QRect pixels() const { return twipsRect(left, top, width, height); }
};

constexpr QRgb kNoBackground = qRgba(0, 0, 0, 0);  // only the text has a colour

// A label of text: its design name, place, text and look.
struct TextDesign {
    const char* name;
    Place place;
    const char* text;
    const char* family;
    double points;
    QRgb colour;
    QRgb background;
};

struct LineDesign {
    int x1, y1, x2, y2;  // twips
    QRgb colour;
};
constexpr int kLineWidthPx = 2;

// The star dots Label10(i): index, left and top; each 135 twips square.
constexpr int kStarDots[][3] = {{4, 5880, 3480}, {5, 6240, 3360}, {7, 6600, 3480},
                                {8, 6960, 3360}, {9, 7320, 3600}, {12, 360, 3480}};
constexpr int kStarDotSize = 135;

// The status bar's four panels, from the left, in twips.
constexpr int kStatusPanelWidths[] = {1800, 2300, 1550, 2450};

QFont fieldFont() { return designFont(QStringLiteral("Arial"), 17.25); }

QLabel* makeText(QWidget* parent, const TextDesign& d, Qt::Alignment alignment = Qt::AlignCenter) {
    QLabel* l = makeLabel(parent, d.place.pixels(), QString::fromUtf8(d.text));
    l->setObjectName(QLatin1String(d.name));
    l->setFont(designFont(QLatin1String(d.family), d.points));
    l->setAlignment(alignment);
    if (d.background == kNoBackground) setTextColour(l, QColor(d.colour));
    else setColours(l, QColor(d.colour), QColor(d.background));
    return l;
}

LineShape* makeLine(QWidget* parent, const LineDesign& d) {
    return new LineShape(d.x1, d.y1, d.x2, d.y2, QColor(d.colour), kLineWidthPx, parent);
}

// A grey band across the window, between two lines.
QLabel* makeBand(QWidget* parent, int top) {
    QLabel* band = makeLabel(parent, twipsRect(0, top, 8745, 90));
    setColours(band, Qt::black, QColor(kGrey));
    return band;
}

QLineEdit* makeField(QWidget* parent, const char* name, const Place& place, const char* tip,
                     const char* accessibleName) {
    auto* f = new QLineEdit(parent);
    f->setObjectName(QLatin1String(name));
    f->setGeometry(place.pixels());
    f->setToolTip(QString::fromUtf8(tip));
    f->setAccessibleName(QString::fromUtf8(accessibleName));
    f->setFont(fieldFont());
    f->setAlignment(Qt::AlignCenter);
    f->setMaxLength(32767);
    f->setFrame(true);
    setColours(f, QColor(kYellow), Qt::black);
    // A selected date reads pale yellow on navy.
    QPalette p = f->palette();
    p.setColor(QPalette::Highlight, rgb(0, 0, 128));
    p.setColor(QPalette::HighlightedText, QColor(kYellow));
    f->setPalette(p);
    return f;
}

}  // namespace

void Mondphase::loadFonts() { QFontMetrics(fieldFont()).height(); }

void Mondphase::buildControls() {
    buildUpperPanel();
    buildResultLines();
    buildDateBand();
    buildButtons();
    buildStatusBar();
    wireControls();
}

void Mondphase::buildUpperPanel() {
    // Created first so that everything above is drawn over it.
    Label8 = makeLabel(this, twipsRect(120, 120, 8415, 3705));
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->setFrameStyle(QFrame::Box | QFrame::Plain);
    setColours(Label8, Qt::black, QColor(kUpperPanel));

    sky_ = new StarSky(this, platform_.programFolder());

    Label2 = makeText(
        this,
        {"Label2", {1200, 250, 6255, 615}, "Luno - Skop zur Datumseingabe", "Alba Super", 15.75, kYellow, kPanel});

    for (const auto& [index, left, top] : kStarDots) {
        // Each lies on the star sky and is repainted with each of its frames.
        auto* dot = new OverlayLabel(QStringLiteral("'"), this);
        dot->setObjectName(QStringLiteral("Label10_%1").arg(index));
        dot->setGeometry(twipsRect(left, top, kStarDotSize, kStarDotSize));
        dot->setFont(designFont(QStringLiteral("Arial"), 8.25));
        // The box is lower than a line of text: drawn from its top, as the
        // design's labels draw, the mark stays inside it instead of being
        // cut off above.
        dot->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setTextColour(dot, QColor(kGrey));
        dot->setAccessibleName(QStringLiteral("Stern"));
        Label10[index] = dot;
    }

    Image2 = makeLabel(this, twipsRect(3720, 960, 1200, 1230));
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setScaledContents(true);
    // The moon pictures are opaque. Filled with the panel's colour the label
    // is opaque as well, so the star sky beside it, which it overlaps by a
    // pixel, does not make it repaint ten times a second.
    setColours(Image2, Qt::black, QColor(kUpperPanel));
    Image2->setToolTip(QStringLiteral("Mondphase (entsprechend dem angegebenen Datum)"));
    Image2->setAccessibleDescription(Image2->toolTip());
}

void Mondphase::buildResultLines() {
    // clang-format off
    const std::pair<QLabel* Mondphase::*, TextDesign> lines[] = {
        {&Mondphase::lbl_Datumangabe, {"lbl_Datumangabe", {2400, 2280, 3975, 255}, "", "Arial", 9.75, kYellow, kPanel}},
        {&Mondphase::lbl_MPh, {"lbl_MPh", {840, 2560, 7095, 405}, "", "Arial", 11.25, kYellow, kPanel}},
        {&Mondphase::Label5, {"Label5", {1200, 2950, 6285, 255}, "", "Arial", 8.25, qRgb(224, 224, 224), kPanel}},
        {&Mondphase::Label7, {"Label7", {1320, 3240, 6015, 255}, "", "Arial", 8.25, kLightGrey, kPanel}},
        {&Mondphase::Label6, {"Label6", {1320, 3480, 6015, 255}, "", "Arial", 8.25, kLightGrey, kPanel}}};
    // clang-format on
    for (const auto& [control, design] : lines) this->*control = makeText(this, design);
}

void Mondphase::buildDateBand() {
    // Separators between the bands.
    Line5[2] = makeLine(this, {0, 3950, 8695, 3950, kLightGrey});
    Label9[1] = makeBand(this, 3960);
    Line1 = makeLine(this, {0, 4060, 8640, 4060, kBlack});

    Image3 = makePicture(this, twipsRect(120, 4155, 5820, 705), platform_.programFolder(),
                         QStringLiteral("/mondgif/band.gif"));
    // Drawn over the band's picture.
    lbl_Mondphase =
        makeText(this, {"lbl_Mondphase", {120, 4200, 5820, 690}, "", "Alba Super", 15.75, kYellow, kNoBackground});
    lbl_Mondphase->setToolTip(
        QStringLiteral("brechnete Mondphase (beim Start des Programms:  Angabe zum aktuellen Kalenderdatum)"));

    txtTag = makeField(this, "txtTag", {6200, 4160, 570, 510},
                       "Tagesdatum eingeben (zweistellig) - dann ENTER drücken.", "Tag");
    txtMonat = makeField(this, "txtMonat", {6850, 4160, 570, 510},
                         "Monatsdatum eingeben (zweistellig) - dann ENTER drücken.", "Monat");
    txtJahr = makeField(this, "txtJahr", {7520, 4160, 1000, 510},
                        "Jahresdatum eingeben (vierstellig) - dann ENTER drücken.", "Jahr");

    const QRgb captionText = qRgb(255, 255, 192);
    Label1 = makeText(this, {"Label1", {6120, 4720, 735, 255}, "TT", "MS Serif", 8.25, captionText, kWindow});
    Label3 = makeText(this, {"Label3", {6840, 4720, 615, 255}, "MM", "MS Serif", 8.25, captionText, kWindow});
    Label4 = makeText(this, {"Label4", {7440, 4720, 1095, 255}, "JJJJ", "MS Serif", 8.25, captionText, kWindow});

    Line5[0] = makeLine(this, {-15, 4960, 8680, 4960, kLightGrey});
    Label9[0] = makeBand(this, 4980);
    Line5[1] = makeLine(this, {-120, 5100, 8680, 5100, kBlack});
}

void Mondphase::buildButtons() {
    Image_Logo = makeLogo(this, twipsRect(0, 5220, 675, 705), platform_);
    Image_Logo->setAccessibleDescription(Image_Logo->toolTip());

    struct ButtonDesign {
        QPushButton* Mondphase::*control;
        const char* name;
        Place place;
        const char* caption;
        const char* tooltip;
        QRgb colour;
    };
    // clang-format off
    const ButtonDesign upperRow[] = {
        {&Mondphase::Command2, "Command2", {720, 5240, 1200, 350}, "&Heute",
         "Zurücksetzung der Mondphase auf das aktuelle Kalenderdatum (heute).", kLightGrey},
        {&Mondphase::cmd_Phasen, "cmd_Phasen", {2040, 5240, 1590, 350}, "&Jahres-Mondphasen",
         "Tabellarische Berechnung aller vorkommenden Voll-, Neu- und Halbmond-Phasen innerhalb des eingegebenen "
         "Kalenderjahres.", kLightBlue},
        {&Mondphase::cmd_Finsternis, "cmd_Finsternis", {3720, 5240, 1590, 350}, "&Mondfinsternisse",
         "Tabellarische Angabe aller in Mitteleuropa vorkommenden Mondfinsternisse von 1987 bis 2030. ", kLightBlue},
        {&Mondphase::cmd_Kreiszeichen, "cmd_Kreiszeichen", {5520, 5240, 2895, 350},
         "Mondtier- u. Sonnenstern-&Kreiszeichen",
         "Anzeige des aktuellen Mondtier- und Sonnenstern-Kreiszeichen (Internet-Verbindung erforderlich).", kLightBlue}};
    const ButtonDesign lowerRow[] = {
        {&Mondphase::Command1, "Command1", {5690, 5650, 960, 350}, "&Berechnen",
         "Datumsabhängige Luno-Mat: Taste ' Berechnen ', oder ' ENTER '-Taste drücken.", kLightBlue},
        {&Mondphase::cmdInfo, "cmdInfo", {6700, 5650, 720, 350}, "&Info",
         "Programm-Informationen inklusive Support-Hinweis.", kLightBlue},
        {&Mondphase::cmd_Abbrechen, "cmd_Abbrechen", {7490, 5650, 720, 350}, "&OK", "Programm beenden (Exit)",
         kLightBlue}};
    // clang-format on
    const auto make = [this](const ButtonDesign& b) {
        QPushButton* button = makeButton(this, b.place.pixels(), QString::fromUtf8(b.caption),
                                         QString::fromUtf8(b.tooltip), QColor(b.colour));
        button->setObjectName(QLatin1String(b.name));
        button->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25));
        this->*b.control = button;
    };
    for (const ButtonDesign& b : upperRow) make(b);
    // Frame1 lies between the two rows; it comes in the design's order.
    Frame1 = new QFrame(this);
    Frame1->setGeometry(twipsRect(840, 5820, 4575, 30));
    Frame1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    for (const ButtonDesign& b : lowerRow) make(b);
}

void Mondphase::buildStatusBar() {
    StatusBar1 = new QWidget(this);
    StatusBar1->setGeometry(twipsRect(0, 6150, 8655, 255));
    setColours(StatusBar1, Qt::black, rgb(212, 208, 200));
    int left = 0;
    for (int i = 0; i < 4; ++i) {
        auto* panelLabel = new QLabel(StatusBar1);
        panelLabel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i + 1));
        panelLabel->setGeometry(px(left) + 1, 1, px(kStatusPanelWidths[i]) - 2, StatusBar1->height() - 2);
        panelLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panelLabel->setFont(designFont(QStringLiteral("Arial"), 8.25));
        panelLabel->setIndent(2);
        StatusBar1Panels[i] = panelLabel;
        left += kStatusPanelWidths[i];
    }
}

void Mondphase::wireControls() {
    const std::pair<QPushButton*, void (Mondphase::*)()> clicks[] = {
        {Command1, &Mondphase::Command1_Click},
        {Command2, &Mondphase::Command2_Click},
        {cmd_Phasen, &Mondphase::cmd_Phasen_Click},
        {cmd_Finsternis, &Mondphase::cmd_Finsternis_Click},
        {cmdInfo, &Mondphase::cmdInfo_Click},
        {cmd_Kreiszeichen, &Mondphase::cmd_Kreiszeichen_Click},
        {cmd_Abbrechen, &Mondphase::cmd_Abbrechen_Click}};
    for (const auto& [button, click] : clicks) connect(button, &QPushButton::clicked, this, click);

    // Change handlers run for typing, pasting and the program's own writes
    // alike, synchronously, and only when the text really changes.
    connect(txtTag, &QLineEdit::textChanged, this, &Mondphase::txtTag_Change);
    connect(txtMonat, &QLineEdit::textChanged, this, &Mondphase::txtMonat_Change);
    connect(txtJahr, &QLineEdit::textChanged, this, &Mondphase::txtJahr_Change);
    for (QLineEdit* f : {txtTag, txtMonat, txtJahr}) f->installEventFilter(this);
    browserOwner_ = new QWidget(this);
    browserOwner_->setGeometry(0, 0, 0, 0);
    for (const auto& [button, click] : clicks) button->installEventFilter(this);

    // Only the buttons and the fields take the focus, in this order.
    const std::array<QWidget*, 10> tabOrder = {cmd_Abbrechen,  Command1, cmdInfo,  Command2, cmd_Phasen,
                                               cmd_Finsternis, txtTag,   txtMonat, txtJahr,  cmd_Kreiszeichen};
    for (std::size_t i = 0; i + 1 < tabOrder.size(); ++i) setTabOrder(tabOrder[i], tabOrder[i + 1]);
    for (QWidget* w : findChildren<QWidget*>())
        if (std::find(tabOrder.begin(), tabOrder.end(), w) == tabOrder.end()) w->setFocusPolicy(Qt::NoFocus);
    cmd_Abbrechen->setFocus();

    // The star dots lie over the sky and the result lines beside it.
    for (QLabel* dot : Label10)
        if (dot) dot->raise();
}

void Mondphase::buildTimers() {
    auto make = [this](int number, int intervalMs, bool running, void (Mondphase::*tick)()) {
        auto* t = new QTimer(this);
        t->setObjectName(QStringLiteral("Timer%1").arg(number));
        t->setInterval(intervalMs);
        t->setTimerType(Qt::CoarseTimer);
        connect(t, &QTimer::timeout, this, tick);
        if (running) t->start();
        return t;
    };
    // The shortest periods run "as soon as the event loop is free" (0 ms) for
    // the one-shot focus and today timers; the clock sets its own next tick.
    // Timer5 to Timer10 go round the star sky.
    Timer1 = make(1, 0, false, &Mondphase::Timer1_Timer);
    Timer2 = make(2, 1000, true, &Mondphase::Timer2_Timer);
    Timer3 = make(3, 0, false, &Mondphase::Timer3_Timer);
    Timer4 = make(4, 1000, true, &Mondphase::Timer4_Timer);
    Timer4->setTimerType(Qt::PreciseTimer);
}

}  // namespace lunomat
