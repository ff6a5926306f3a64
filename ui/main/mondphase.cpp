#include "ui/main/mondphase.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "core/calendar.h"
#include "core/display.h"
#include "ui/widgets/frame_picture.h"
#include "ui/platform/platform.h"
#include "ui/widgets/shapes.h"
#include "ui/widgets/ui_conventions.h"
#include "ui/platform/version.h"

namespace lunomat {

namespace {

QString fromStd(const std::string& s) { return QString::fromStdString(s); }
std::string toStd(const QString& s) { return s.toStdString(); }

// Counts the nesting of a handler for as long as it runs.
class DepthGuard {
public:
    DepthGuard(int& depth, int& maxDepth) : depth_(depth) { maxDepth = std::max(maxDepth, ++depth_); }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& depth_;
};

// A correction can only reach an existing date when the month is one of
// "01".."12" and the year a plain four-digit number; anything else would be
// corrected again and again.
bool isDigits(QStringView text, qsizetype minLength, qsizetype maxLength) {
    if (text.size() < minLength || text.size() > maxLength) return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}
bool isMonthText(const QString& month) {
    const QString m = fromStd(PadTwoDigits(toStd(month)));
    return isDigits(m, 2, 2) && m >= QLatin1String("01") && m <= QLatin1String("12");
}
bool isPlainYear(const QString& year) { return isDigits(year, 4, 4); }

const QString kDayTitle = QStringLiteral("Luno-Mat   -   Falsche Tageszahleingabe");
const QString kMonthTitle = QStringLiteral("Luno-Mat   -   Falsche Monatszahleingabe");
const QString kYearTitle = QStringLiteral("Luno-Mat   -   Falsche Jahreszahleingabe");
const QString kDayNotZero =
    QStringLiteral("Falsche Tageszahleingabe:\rDas Tagesdatum muss grundsätzlich größer Null (0) sein.");
const QString kMonthNotZero =
    QStringLiteral("Falsche Monatszahleingabe:\rDas Monatsdatum muss grundsätzlich größer Null (0) sein.");

QLineEdit* makeField(QWidget* parent, const QRect& r, const QString& tip, const QString& accessibleName) {
    auto* f = new QLineEdit(parent);
    f->setGeometry(r);
    f->setToolTip(tip);
    f->setAccessibleName(accessibleName);
    f->setFont(designFont(QStringLiteral("Arial"), 17.25));
    f->setAlignment(Qt::AlignCenter);
    f->setMaxLength(32767);
    f->setFrame(true);
    setColours(f, rgb(255, 255, 128), Qt::black);
    QPalette p = f->palette();
    p.setColor(QPalette::Highlight, rgb(0, 0, 128));
    p.setColor(QPalette::HighlightedText, rgb(255, 255, 128));
    f->setPalette(p);
    return f;
}

void enable(QTimer* t) {
    // Switching on a timer that already runs changes nothing; it keeps its
    // phase (this is what lets two running ring timers merge).
    if (!t->isActive()) t->start();
}

}  // namespace

Mondphase::Mondphase(Platform& platform, QWidget* parent) : QWidget(parent), platform_(platform) {
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(px(8655), px(6405));
    setColours(this, Qt::white, rgb(64, 64, 64));
    buildControls();
    buildTimers();
    lastSeenDate_ = platform_.now().date();
}

Mondphase::~Mondphase() = default;

void Mondphase::buildControls() {
    const QColor panel(0, 0, 64);
    const QColor yellow(255, 255, 128);

    // Upper panel; created first so that everything above is drawn over it.
    Label8 = makeLabel(this, twipsRect(120, 120, 8415, 3705));
    Label8->setFrameStyle(QFrame::Box | QFrame::Plain);
    setColours(Label8, Qt::black, rgb(0, 0, 40));

    const int sky[6][4] = {{1200, 800, 2540, 1480}, {4920, 885, 2490, 1415}, {240, 3165, 2565, 615},
                           {7440, 240, 1050, 2895}, {145, 240, 1010, 2775}, {5760, 3160, 2685, 615}};
    for (int i = 0; i < 6; ++i) {
        // The star sky changes ten times a second: its pictures are made to
        // size beforehand and painted opaque, so nothing below is repainted.
        Image1[i] = new FramePicture(this);
        Image1[i]->setGeometry(twipsRect(sky[i][0], sky[i][1], sky[i][2], sky[i][3]));
    }

    Label2 = makeLabel(this, twipsRect(1200, 250, 6255, 615), QStringLiteral("Luno - Skop zur Datumseingabe"));
    Label2->setFont(designFont(QStringLiteral("Alba Super"), 15.75));
    Label2->setAlignment(Qt::AlignCenter);
    setColours(Label2, rgb(255, 255, 128), panel);

    const int stars[6][3] = {{4, 5880, 3480}, {5, 6240, 3360}, {7, 6600, 3480},
                             {8, 6960, 3360}, {9, 7320, 3600}, {12, 360, 3480}};
    for (const auto& s : stars) {
        // Each lies on the star sky and is repainted with each of its frames.
        auto* dot = new OverlayLabel(QStringLiteral("'"), this);
        dot->setGeometry(twipsRect(s[1], s[2], 135, 135));
        dot->setFont(designFont(QStringLiteral("Arial"), 8.25));
        setTextColour(dot, rgb(128, 128, 128));
        Label10[s[0]] = dot;
    }

    Image2 = makeLabel(this, twipsRect(3720, 960, 1200, 1230));
    Image2->setScaledContents(true);
    // The moon pictures are opaque. Filled with the panel's colour the label
    // is opaque as well, so the star sky beside it, which it overlaps by a
    // pixel, does not make it repaint ten times a second.
    setColours(Image2, Qt::black, rgb(0, 0, 40));
    Image2->setToolTip(QStringLiteral("Mondphase (entsprechend dem angegebenen Datum)"));
    Image2->setAccessibleDescription(Image2->toolTip());

    auto resultLine = [&](const QRect& r, double points, const QColor& text) {
        QLabel* l = makeLabel(this, r);
        l->setFont(designFont(QStringLiteral("Arial"), points));
        l->setAlignment(Qt::AlignCenter);
        setColours(l, text, panel);
        return l;
    };
    lbl_Datumangabe = resultLine(twipsRect(2400, 2280, 3975, 255), 9.75, yellow);
    lbl_MPh = resultLine(twipsRect(840, 2560, 7095, 405), 11.25, yellow);
    Label5 = resultLine(twipsRect(1200, 2950, 6285, 255), 8.25, rgb(224, 224, 224));
    Label7 = resultLine(twipsRect(1320, 3240, 6015, 255), 8.25, rgb(192, 192, 192));
    Label6 = resultLine(twipsRect(1320, 3480, 6015, 255), 8.25, rgb(192, 192, 192));

    // Separators between the bands.
    Line5[2] = new LineShape(0, 3950, 8695, 3950, rgb(192, 192, 192), 2, this);
    Label9[1] = makeLabel(this, twipsRect(0, 3960, 8745, 90));
    setColours(Label9[1], Qt::black, rgb(128, 128, 128));
    Line1 = new LineShape(0, 4060, 8640, 4060, Qt::black, 2, this);

    Image3 = makePicture(this, twipsRect(120, 4155, 5820, 705), platform_.programFolder(),
                         QStringLiteral("/mondgif/band.gif"));
    lbl_Mondphase = makeLabel(this, twipsRect(120, 4200, 5820, 690));
    lbl_Mondphase->setFont(designFont(QStringLiteral("Alba Super"), 15.75));
    lbl_Mondphase->setAlignment(Qt::AlignCenter);
    setTextColour(lbl_Mondphase, yellow);
    lbl_Mondphase->setToolTip(QStringLiteral(
        "brechnete Mondphase (beim Start des Programms:  Angabe zum aktuellen Kalenderdatum)"));

    txtTag = makeField(this, twipsRect(6200, 4160, 570, 510),
                       QStringLiteral("Tagesdatum eingeben (zweistellig) - dann ENTER drücken."), QStringLiteral("Tag"));
    txtMonat = makeField(this, twipsRect(6850, 4160, 570, 510),
                         QStringLiteral("Monatsdatum eingeben (zweistellig) - dann ENTER drücken."),
                         QStringLiteral("Monat"));
    txtJahr = makeField(this, twipsRect(7520, 4160, 1000, 510),
                        QStringLiteral("Jahresdatum eingeben (vierstellig) - dann ENTER drücken."),
                        QStringLiteral("Jahr"));

    auto caption = [&](const QRect& r, const QString& text) {
        QLabel* l = makeLabel(this, r, text);
        l->setFont(designFont(QStringLiteral("MS Serif"), 8.25));
        l->setAlignment(Qt::AlignCenter);
        setColours(l, rgb(255, 255, 192), rgb(64, 64, 64));
        return l;
    };
    Label1 = caption(twipsRect(6120, 4720, 735, 255), QStringLiteral("TT"));
    Label3 = caption(twipsRect(6840, 4720, 615, 255), QStringLiteral("MM"));
    Label4 = caption(twipsRect(7440, 4720, 1095, 255), QStringLiteral("JJJJ"));

    Line5[0] = new LineShape(-15, 4960, 8680, 4960, rgb(192, 192, 192), 2, this);
    Label9[0] = makeLabel(this, twipsRect(0, 4980, 8745, 90));
    setColours(Label9[0], Qt::black, rgb(128, 128, 128));
    Line5[1] = new LineShape(-120, 5100, 8680, 5100, Qt::black, 2, this);

    Image_Logo = makeLogo(this, twipsRect(0, 5220, 675, 705), platform_);
    Image_Logo->setAccessibleDescription(Image_Logo->toolTip());

    const QColor lightBlue(192, 192, 255);
    Command2 = makeButton(this, twipsRect(720, 5240, 1200, 350), QStringLiteral("&Heute"),
                          QStringLiteral("Zurücksetzung der Mondphase auf das aktuelle Kalenderdatum (heute)."),
                          rgb(192, 192, 192));
    cmd_Phasen = makeButton(this, twipsRect(2040, 5240, 1590, 350), QStringLiteral("&Jahres-Mondphasen"),
                            QStringLiteral("Tabellarische Berechnung aller vorkommenden Voll-, Neu- und "
                                           "Halbmond-Phasen innerhalb des eingegebenen Kalenderjahres."),
                            lightBlue);
    cmd_Finsternis = makeButton(this, twipsRect(3720, 5240, 1590, 350), QStringLiteral("&Mondfinsternisse"),
                                QStringLiteral("Tabellarische Angabe aller in Mitteleuropa vorkommenden "
                                               "Mondfinsternisse von 1987 bis 2030. "),
                                lightBlue);
    cmd_Kreiszeichen = makeButton(this, twipsRect(5520, 5240, 2895, 350),
                                  QStringLiteral("Mondtier- u. Sonnenstern-&Kreiszeichen"),
                                  QStringLiteral("Anzeige des aktuellen Mondtier- und Sonnenstern-Kreiszeichen "
                                                 "(Internet-Verbindung erforderlich)."),
                                  lightBlue);
    Frame1 = new QFrame(this);
    Frame1->setGeometry(twipsRect(840, 5820, 4575, 30));
    Frame1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Command1 = makeButton(this, twipsRect(5690, 5650, 960, 350), QStringLiteral("&Berechnen"),
                          QStringLiteral("Datumsabhängige Luno-Mat: Taste ' Berechnen ', oder ' ENTER '-Taste drücken."),
                          lightBlue);
    cmdInfo = makeButton(this, twipsRect(6700, 5650, 720, 350), QStringLiteral("&Info"),
                         QStringLiteral("Programm-Informationen inklusive Support-Hinweis."), lightBlue);
    cmd_Abbrechen = makeButton(this, twipsRect(7490, 5650, 720, 350), QStringLiteral("&OK"),
                               QStringLiteral("Programm beenden (Exit)"), lightBlue);

    StatusBar1 = new QWidget(this);
    StatusBar1->setGeometry(twipsRect(0, 6150, 8655, 255));
    setColours(StatusBar1, Qt::black, rgb(212, 208, 200));
    const int widths[4] = {1800, 2300, 1550, 2450};
    int left = 0;
    for (int i = 0; i < 4; ++i) {
        auto* panelLabel = new QLabel(StatusBar1);
        panelLabel->setGeometry(px(left) + 1, 1, px(widths[i]) - 2, StatusBar1->height() - 2);
        panelLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panelLabel->setFont(designFont(QStringLiteral("Arial"), 8.25));
        panelLabel->setIndent(2);
        StatusBar1Panels[i] = panelLabel;
        left += widths[i];
    }

    connect(Command1, &QPushButton::clicked, this, &Mondphase::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Mondphase::Command2_Click);
    connect(cmd_Phasen, &QPushButton::clicked, this, &Mondphase::cmd_Phasen_Click);
    connect(cmd_Finsternis, &QPushButton::clicked, this, &Mondphase::cmd_Finsternis_Click);
    connect(cmdInfo, &QPushButton::clicked, this, &Mondphase::cmdInfo_Click);
    connect(cmd_Kreiszeichen, &QPushButton::clicked, this, &Mondphase::cmd_Kreiszeichen_Click);
    connect(cmd_Abbrechen, &QPushButton::clicked, this, &Mondphase::cmd_Abbrechen_Click);

    // Change handlers run for typing, pasting and the program's own writes
    // alike, synchronously, and only when the text really changes.
    connect(txtTag, &QLineEdit::textChanged, this, &Mondphase::txtTag_Change);
    connect(txtMonat, &QLineEdit::textChanged, this, &Mondphase::txtMonat_Change);
    connect(txtJahr, &QLineEdit::textChanged, this, &Mondphase::txtJahr_Change);
    for (QLineEdit* f : {txtTag, txtMonat, txtJahr}) f->installEventFilter(this);

    // Only the buttons and the fields take the focus, in this order.
    const std::array<QWidget*, 10> tabOrder = {cmd_Abbrechen, Command1, cmdInfo, Command2, cmd_Phasen,
                                               cmd_Finsternis, txtTag, txtMonat, txtJahr, cmd_Kreiszeichen};
    for (std::size_t i = 0; i + 1 < tabOrder.size(); ++i) setTabOrder(tabOrder[i], tabOrder[i + 1]);
    for (QWidget* w : findChildren<QWidget*>())
        if (std::find(tabOrder.begin(), tabOrder.end(), w) == tabOrder.end()) w->setFocusPolicy(Qt::NoFocus);
    cmd_Abbrechen->setFocus();

    for (QPushButton* b : {Command1, Command2, cmd_Phasen, cmd_Finsternis, cmd_Kreiszeichen, cmdInfo, cmd_Abbrechen})
        b->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25));
    // The designed star sky comes with the first pass of the event loop, so
    // that reading and scaling it does not delay the window's first showing.
    QTimer::singleShot(0, this, [this] {
        if (shownFrame_ != 0) return;
        const std::array<QImage, 6>& firstFrame = starFrame(1);
        for (std::size_t i = 0; i < Image1.size(); ++i) Image1[i]->setPicture(firstFrame[i]);
    });
}

void Mondphase::buildTimers() {
    auto make = [this](int intervalMs, bool running, void (Mondphase::*tick)()) {
        auto* t = new QTimer(this);
        t->setInterval(intervalMs);
        t->setTimerType(Qt::CoarseTimer);
        connect(t, &QTimer::timeout, this, tick);
        if (running) t->start();
        return t;
    };
    // The shortest periods run "as soon as the event loop is free" (0 ms) for
    // the one-shot focus and today timers; the clock sets its own next tick.
    Timer1 = make(0, false, &Mondphase::Timer1_Timer);
    Timer2 = make(1000, true, &Mondphase::Timer2_Timer);
    Timer3 = make(0, false, &Mondphase::Timer3_Timer);
    Timer4 = make(1000, true, &Mondphase::Timer4_Timer);
    Timer5 = make(100, false, &Mondphase::Timer5_Timer);
    Timer6 = make(100, false, &Mondphase::Timer6_Timer);
    Timer7 = make(100, false, &Mondphase::Timer7_Timer);
    Timer8 = make(100, false, &Mondphase::Timer8_Timer);
    Timer9 = make(100, false, &Mondphase::Timer9_Timer);
    Timer10 = make(100, false, &Mondphase::Timer10_Timer);
    Timer4->setTimerType(Qt::PreciseTimer);
    for (QTimer* t : {Timer5, Timer6, Timer7, Timer8, Timer9, Timer10}) t->setTimerType(Qt::PreciseTimer);
}

void Mondphase::showEvent(QShowEvent* event) {
    if (!centred_) {
        centred_ = true;
        if (const QScreen* s = screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(s->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QWidget::showEvent(event);
}

Mondphase::Today Mondphase::today() const {
    const QDate d = platform_.now().date();
    return {fromStd(PadTwoDigits(std::to_string(d.day()))), fromStd(PadTwoDigits(std::to_string(d.month()))),
            QString::number(d.year())};
}

QString Mondphase::clockText() const {
    const QTime t = platform_.now().time();
    return QStringLiteral("Uhrzeit: ") + fromStd(PadTwoDigitsClock(std::to_string(t.hour()))) + QLatin1Char('.') +
           fromStd(PadTwoDigitsClock(std::to_string(t.minute()))) + QStringLiteral("  Uhr");
}

// ---------------------------------------------------------------------------
// The load handler: first half (caption, status bar, date, format check).

void Mondphase::Form_Load() {
    DepthGuard depth(loadDepth_, maxLoadDepth_);

    setWindowTitle(QStringLiteral(" Luno-Mat   -   Version:  ") + QString::number(kVersionMajor) + QLatin1Char('.') +
                   QString::number(kVersionMinor) + QLatin1Char('.') + QString::number(kVersionRevision) +
                   QStringLiteral("    Build:  ") + QLatin1String(kBuildLabel) + QStringLiteral("   ( Lunoskop )"));

    const QDate todayDate = platform_.now().date();
    const Today now = today();

    for (QLineEdit* field : {txtTag, txtMonat}) {
        const QString padded = fromStd(PadTwoDigits(toStd(field->text())));
        if (padded != field->text()) field->setText(padded);
    }

    const QString todayText = fromStd(GermanDateText(toStd(now.day), toStd(now.month), toStd(now.year)));
    if (txtTag->text().isEmpty() && txtMonat->text().isEmpty()) {
        txtTag->setText(now.day);
        txtMonat->setText(now.month);
        txtJahr->setText(now.year);
    }
    const QString day = txtTag->text();
    const QString month = txtMonat->text();
    const QString year = txtJahr->text();
    const QString dateText = fromStd(GermanDateText(toStd(day), toStd(month), toStd(year)));

    StatusBar1Panels[0]->setText(QStringLiteral("Luno-Skop"));
    StatusBar1Panels[1]->setText(QStringLiteral("Kalenderdatum:  ") + todayText);
    StatusBar1Panels[2]->setText(clockText());
    StatusBar1Panels[3]->setText(copyrightNotice(todayDate.year()));

    const QString weekday = fromStd(WeekdayName(toStd(dateText)));

    if (regionalFormatRefused(todayDate)) return;

    if (weekday.isEmpty()) {
        correctDate(weekday, day, month, year, now);
        return;
    }
    showMoon(weekday, dateText);
}

bool Mondphase::regionalFormatRefused(const QDate& todayDate) {
    const QString text = platform_.shortDateText();
    auto at = [&](int position) { return position <= text.size() ? text.at(position - 1) : QChar(); };

    // A day-first text with "." separators may have its second "." at the
    // fifth place (5.12.2026, 15.1.2026); it is exactly the format asked for.
    const QStringList parts = text.split(QLatin1Char('.'));
    const bool dayFirstDots = parts.size() == 3 && isDigits(parts[0], 1, 2) && isDigits(parts[1], 1, 2) &&
                              isDigits(parts[2], 2, 4) && parts[0].toInt() == todayDate.day() &&
                              parts[1].toInt() == todayDate.month();

    if (at(5) == QLatin1Char('-') || (at(5) == QLatin1Char('.') && !dayFirstDots)) {
        platform_.messageBox(
            this, MessageIcon::Exclamation, QStringLiteral("Lunomat   -   Falsche System-Datumseinstellung"),
            QStringLiteral("Falsche Einstellung der System-Datumseinstellung - Sie verwenden das amerikanische "
                           "Datumsformat.\r\rBitte setzen Sie in der Systemeinstellung von Windows unter "
                           "'Regions- und Sprachoptionen' das deutsche Datumsformat 'TT.MM.JJJJ' oder 'T.M.JJJJ' "
                           "ein.\rAls Datumstrennzeichen immer den Punkt '.' einstellen!\r\rACHTUNG: Das Programm "
                           "wird jetzt beendet."));
        platform_.endProgramNow();
        return true;
    }
    if (at(3) == QLatin1Char('-') || at(2) == QLatin1Char('-')) {
        platform_.messageBox(
            this, MessageIcon::Exclamation, QStringLiteral("Lunomat   -   Falsches Datumstrennzeichen"),
            QStringLiteral("Falsche Einstellung des System-Datumstrennzeichens.\rBitte setzen Sie in der "
                           "Systemeinstellung von Windows unter 'Regions- und Sprachoptionen' anstelle des "
                           "Bindestriches '-' den Punkt '.' dafür ein!\r\rACHTUNG: Das Programm wird jetzt "
                           "beendet."));
        platform_.endProgramNow();
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Second half: correction of a date that does not exist, or the display.

void Mondphase::correctDate(const QString&, const QString&, const QString& month, const QString& year,
                            const Today& now) {
    if (!isMonthText(month) || !isPlainYear(year)) {
        // No correction could reach a real date; the calculation command
        // refuses such a month or year with its own message.
        Command1_Click();
        return;
    }
    const QString title = QStringLiteral("Lunomat   -   Falsche Datumseingabe");
    if (month != QLatin1String("02")) {
        const bool past = MonthIsPast(toStd(year), toStd(month), now.year.toInt(), toStd(now.month));
        platform_.messageBox(this, MessageIcon::Exclamation, title,
                             QStringLiteral("Falsches Datum:\rBitte geben Sie ein gültiges Tagesdatum ein - dieser "
                                            "Monat ") +
                                 (past ? QStringLiteral("hatte") : QStringLiteral("hat")) +
                                 QStringLiteral(" nur 30 Tage!\rDie Luno-Mat wird mit dem Datum  30.") + month +
                                 QLatin1Char('.') + year + QStringLiteral("  fortgesetzt."));
        txtTag->setText(QStringLiteral("30"));
    } else {
        const FebruaryInfo feb = FebruaryNote(toStd(year), toStd(month), now.year.toInt(), toStd(now.month));
        const QString days = fromStd(feb.days);
        platform_.messageBox(this, MessageIcon::Exclamation, title,
                             QStringLiteral("Falsches Datum:\rBitte geben Sie ein gültiges Tagesdatum ein - der "
                                            "Februar") +
                                 fromStd(feb.verb) + QStringLiteral("in diesem Jahr ") + days +
                                 QStringLiteral(" Tage!") + fromStd(feb.note) +
                                 QStringLiteral("\rDie Luno-Mat wird mit dem Datum  ") + days + QLatin1Char('.') +
                                 month + QLatin1Char('.') + year + QStringLiteral("  fortgesetzt."));
        txtTag->setText(days);
    }
    Command1_Click();
}

void Mondphase::showMoon(const QString& weekday, const QString& dateText) {
    const auto date = ParseGermanDate(toStd(dateText));
    if (!date) return;
    const MoonDisplay d = BuildMoonDisplay(*date);
    Label5->setText(fromStd(d.distanceLine));
    Label6->setText(fromStd(d.latitudeLine));
    Label7->setText(fromStd(d.longitudeLine));
    loadPicture(Image2, platform_.programFolder(), fromStd(d.picturePath));
    lbl_Datumangabe->setText(fromStd(DateLine(toStd(weekday), toStd(dateText))));
    lbl_MPh->setText(fromStd(d.phaseText));
    lbl_Mondphase->setText(fromStd(d.shortName));
    enable(Timer1);
    enable(Timer5);
}

// ---------------------------------------------------------------------------
// "&Berechnen" and "&Heute".

void Mondphase::Command1_Click() {
    const Today now = today();
    double value = 0;
    // A year that is not a plain four-digit number fails like an empty one:
    // no date could be computed or corrected from it.
    const bool yearFails =
        !toNumber(txtJahr->text(), &value) || value == 0 || !isPlainYear(txtJahr->text());
    if (yearFails) moveFocus(txtJahr, 0, 4);
    if (yearFails || value < 1900 || value > 2100) {
        errorBox(platform_, this, kYearTitle,
                 QStringLiteral("Falsche Jahreszahleingabe:\rDas Datum muss zwischen dem Jahr 1900 und dem Jahr 2100 "
                                "liegen.\rHinweis:  Das Eingabejahr wird auf das aktuelle Kalenderjahr "
                                "zurückgesetzt."),
                 true, MessageIcon::Critical);
        txtTag->setText(now.day);
        txtMonat->setText(now.month);
        txtJahr->setText(now.year);
    }
    if (!toNumber(txtTag->text(), &value) || value == 0) {
        errorBox(platform_, this, kDayTitle, kDayNotZero, true, MessageIcon::Critical);
        moveFocus(txtTag, 0, 4);
        return;
    }
    // A month outside "01".."12" fails like a zero one: it names no month.
    if (!toNumber(txtMonat->text(), &value) || value == 0 || !isMonthText(txtMonat->text())) {
        errorBox(platform_, this, kMonthTitle, kMonthNotZero, true, MessageIcon::Critical);
        moveFocus(txtMonat, 0, 4);
        return;
    }
    Form_Load();
    moveFocus(txtTag, 0, 2);
}

void Mondphase::Command2_Click() {
    const Today now = today();
    Timer3->stop();
    txtTag->setText(now.day);
    txtMonat->setText(now.month);
    txtJahr->setText(now.year);
    Form_Load();
    moveFocus(txtTag, 0, 2);
}

// ---------------------------------------------------------------------------
// The date fields.

void Mondphase::txtTag_Change() {
    DepthGuard depth(changeDepth_, maxChangeDepth_);
    selectRange(txtTag, 1, 2);
    const QString t = txtTag->text();
    if (!toNumber(t)) {
        if (t.isEmpty()) {
            selectRange(txtTag, 1, 2);
            return;  // an emptied day field simply stays empty
        }
        platform_.playErrorSound();
        selectRange(txtTag, 1, 2);
        txtTag->setText(QString());
        txtTag->setFocus();
        return;
    }
    if (t.size() < 2) return;
    if (!(t > QLatin1String("31")) && t != QLatin1String("00")) {
        moveFocus(txtMonat, 0, 4);
        return;
    }
    errorBox(platform_, this, kDayTitle, QStringLiteral("Falsche Tageszahleingabe:\rDas Tagesdatum stimmt nicht."),
             true, MessageIcon::Critical);
    selectRange(txtTag, 2, 2);
    txtTag->setText(QString());
    txtTag->setFocus();
}

void Mondphase::txtMonat_Change() {
    DepthGuard depth(changeDepth_, maxChangeDepth_);
    selectRange(txtMonat, 1, 2);
    const QString t = txtMonat->text();
    double value = 0;
    if (!toNumber(t, &value)) {
        if (t.isEmpty()) return;
        platform_.playErrorSound();
        selectRange(txtMonat, 1, 2);
        txtMonat->setText(QString());
        txtMonat->setFocus();
        return;
    }
    if (t.size() < 2) return;
    if (t > QLatin1String("12") || value == 0) {
        errorBox(platform_, this, kMonthTitle,
                 QStringLiteral("Falsche Monatszahleingabe:\rDas Monatsdatum stimmt nicht."), true,
                 MessageIcon::Critical);
        selectRange(txtMonat, 2, 2);
        txtMonat->setText(QString());
        txtMonat->setFocus();
        return;
    }
    moveFocus(txtJahr, 0, 4);
}

void Mondphase::txtJahr_Change() {
    DepthGuard depth(changeDepth_, maxChangeDepth_);
    selectRange(txtJahr, 3, 4);
    const QString t = txtJahr->text();
    if (toNumber(t)) return;  // length and range are checked by Enter
    platform_.playErrorSound();
    selectRange(txtJahr, 3, 4);
    // An empty year field comes back as the current year; anything else is
    // emptied first, and the nested run brings the current year.
    txtJahr->setText(t.isEmpty() ? today().year : QString());
    txtJahr->setFocus();
}

bool Mondphase::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == txtTag || watched == txtMonat || watched == txtJahr)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        int code = -1;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            code = 13;
        else if ((key->modifiers() & Qt::ControlModifier) && key->key() == Qt::Key_O)
            code = 15;
        else if (!key->text().isEmpty())
            code = key->text().at(0).unicode();
        if (code >= 0) {
            if (watched == txtTag) txtTag_KeyPress(code);
            else if (watched == txtMonat) txtMonat_KeyPress(code);
            else txtJahr_KeyPress(code);
        }
        return false;  // every key reaches the field as usual
    }
    return QWidget::eventFilter(watched, event);
}

// Enter in the day or month field: an empty or zero value only sounds, any
// other moves on to the next field; the range was checked while typing.
void Mondphase::enterMovesOn(int keyAscii, QLineEdit* field, QLineEdit* next, int selectLength) {
    if (keyAscii != 13) return;
    double value = 0;
    if (!toNumber(field->text(), &value) || value == 0) {
        platform_.playErrorSound();
        return;
    }
    moveFocus(next, 0, selectLength);
}

void Mondphase::txtTag_KeyPress(int keyAscii) { enterMovesOn(keyAscii, txtTag, txtMonat, 2); }

void Mondphase::txtMonat_KeyPress(int keyAscii) { enterMovesOn(keyAscii, txtMonat, txtJahr, 4); }

void Mondphase::txtJahr_KeyPress(int keyAscii) {
    if (keyAscii != 13 && keyAscii != 15) return;
    double value = 0;
    // A text without a value counts as 0, which fails every test below.
    const bool hasValue = toNumber(txtJahr->text(), &value);
    if (!hasValue || value == 0) moveFocus(txtJahr, 0, 4);
    if (!hasValue || value < 1900 || value > 2100) {
        errorBox(platform_, this, kYearTitle,
                 QStringLiteral("Falsche Jahreszahleingabe:\rDas Datum muss zwischen dem Jahr 1900 und dem Jahr 2100 "
                                "liegen.\r\rHinweis:\rDie Eingabefenster (Tag, Monat, Jahr) werden auf das aktuelle "
                                "Kalenderjahr zurückgesetzt."),
                 true, MessageIcon::Critical);
        const Today now = today();
        txtTag->setText(now.day);
        txtMonat->setText(now.month);
        txtJahr->setText(now.year);
        moveFocus(txtTag, 0, 4);
        return;
    }
    if (!toNumber(txtTag->text(), &value) || value == 0) {
        errorBox(platform_, this, kDayTitle, kDayNotZero, true, MessageIcon::Critical);
        moveFocus(txtTag, 0, 4);
        return;
    }
    if (!toNumber(txtMonat->text(), &value) || value == 0) {
        errorBox(platform_, this, kMonthTitle, kMonthNotZero, true, MessageIcon::Critical);
        moveFocus(txtMonat, 0, 4);
        return;
    }
    Form_Load();
}

// ---------------------------------------------------------------------------
// Timers.

void Mondphase::Timer1_Timer() {
    moveFocus(txtTag, 0, 2);
    Timer1->stop();
}

void Mondphase::Timer2_Timer() {
    // The first tick at or after 00:00:01 of a new local date switches the
    // display once, whatever the time format and however long the machine
    // slept; during the day nothing happens.
    const QDateTime now = platform_.now();
    if (now.date() == lastSeenDate_ || now.time() < QTime(0, 0, 1)) return;
    lastSeenDate_ = now.date();
    enable(Timer3);
    Form_Load();
    moveFocus(txtTag, 0, 2);
}

void Mondphase::Timer3_Timer() { Command2_Click(); }

void Mondphase::Timer4_Timer() {
    StatusBar1Panels[2]->setText(clockText());
    // The next tick comes just after the next full minute, and at least once
    // a second so that a changed system time shows at once: a new minute
    // appears within milliseconds while the program stays idle.
    const int msIntoMinute = platform_.now().time().second() * 1000 + platform_.now().time().msec();
    Timer4->setInterval(std::clamp(60000 - msIntoMinute + 5, 20, 1000));
}

const std::array<QImage, 6>& Mondphase::starFrame(int frame) {
    std::array<QImage, 6>& scaled = frames_[frame];
    if (scaled[0].isNull()) {
        // Read once and scaled once to each image's size, so that showing a
        // frame is a plain copy; a frame that cannot be read stays empty and
        // is tried again when its turn comes round.
        QImage source = readImage(platform_.programFolder() + QStringLiteral("/mondgif/starsky-blue-%1.gif").arg(frame));
        if (!source.isNull()) {
            const qreal ratio = devicePixelRatioF();
            const QList<QRgb> colours = pictureColours(source);
            source = source.convertToFormat(QImage::Format_RGB32);
            for (std::size_t i = 0; i < Image1.size(); ++i) {
                scaled[i] = compactFrame(
                    source.scaled(Image1[i]->size() * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), colours);
                scaled[i].setDevicePixelRatio(ratio);
            }
        }
    }
    return scaled;
}

void Mondphase::showStarFrame(int frame, QTimer* self, QTimer* next) {
    const std::array<QImage, 6>& pictures = starFrame(frame);
    if (!pictures[0].isNull()) {  // otherwise the images keep what they show
        for (std::size_t i = 0; i < Image1.size(); ++i) Image1[i]->setPicture(pictures[i]);
        shownFrame_ = frame;
    }
    self->stop();
    enable(next);
}

void Mondphase::Timer5_Timer() { showStarFrame(1, Timer5, Timer6); }
void Mondphase::Timer6_Timer() { showStarFrame(2, Timer6, Timer7); }
void Mondphase::Timer7_Timer() { showStarFrame(3, Timer7, Timer8); }
void Mondphase::Timer8_Timer() { showStarFrame(4, Timer8, Timer9); }
void Mondphase::Timer9_Timer() { showStarFrame(5, Timer9, Timer10); }
void Mondphase::Timer10_Timer() { showStarFrame(6, Timer10, Timer5); }

// ---------------------------------------------------------------------------
// Exit.

void Mondphase::cmd_Abbrechen_Click() { close(); }

void Mondphase::Form_Unload() {
    // The close is already under way; nothing is kept and nothing cancels it.
}

void Mondphase::closeEvent(QCloseEvent* event) {
    // While another window waits to be closed (the browser runs in its own
    // process, so the window system may still offer this window's close
    // box), the main window stays.
    if (secondaryOpen_) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

}  // namespace lunomat
