#include "ui/main/mondphase.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "core/calendar.h"
#include "core/display.h"
#include "ui/widgets/frame_picture.h"
#include "ui/platform/platform.h"
#include "ui/platform/window_cover.h"
#include "ui/widgets/shapes.h"
#include "ui/widgets/ui_conventions.h"
#include "ui/platform/version.h"

namespace lunomat {

namespace {

using entry::Field;
using entry::Step;

// One star-sky frame, read and scaled to each picture's size in pixels, and
// compacted. Picture work only, no widgets, so it may run on another thread.
std::array<QImage, 6> makeStarFrame(const QString& path, const std::array<QSize, 6>& sizes, qreal ratio) {
    std::array<QImage, 6> scaled;
    QImage source = readImage(path);
    if (source.isNull()) return scaled;
    const QList<QRgb> colours = pictureColours(source);
    source = source.convertToFormat(QImage::Format_RGB32);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        scaled[i] =
            compactFrame(source.scaled(sizes[i] * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), colours);
        scaled[i].setDevicePixelRatio(ratio);
    }
    return scaled;
}

QFont fieldFont() { return designFont(QStringLiteral("Arial"), 17.25); }

QLineEdit* makeField(QWidget* parent, const QRect& r, const QString& tip, const QString& accessibleName) {
    auto* f = new QLineEdit(parent);
    f->setGeometry(r);
    f->setToolTip(tip);
    f->setAccessibleName(accessibleName);
    f->setFont(fieldFont());
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
    // Switching on a timer that already runs changes nothing; it keeps its phase.
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

void Mondphase::loadFonts() { QFontMetrics(fieldFont()).height(); }

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
    // The first frame is needed for the window's first painting. It is made
    // on another core while this one builds the rest of the window and loads
    // its fonts, so that the window is drawn whole that much sooner.
    firstStarFrame_ =
        std::async(std::launch::async, makeStarFrame, starFramePath(1), skySizes(), devicePixelRatioF());

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
        // The box is lower than a line of text: drawn from its top, as the
        // design's labels draw, the mark stays inside it instead of being
        // cut off above.
        dot->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setTextColour(dot, rgb(128, 128, 128));
        dot->setAccessibleName(QStringLiteral("Stern"));
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
    browserOwner_ = new QWidget(this);
    browserOwner_->setGeometry(0, 0, 0, 0);
    for (QPushButton* b : {Command1, Command2, cmd_Phasen, cmd_Finsternis, cmd_Kreiszeichen, cmdInfo, cmd_Abbrechen})
        b->installEventFilter(this);

    // Only the buttons and the fields take the focus, in this order.
    const std::array<QWidget*, 10> tabOrder = {cmd_Abbrechen, Command1, cmdInfo, Command2, cmd_Phasen,
                                               cmd_Finsternis, txtTag, txtMonat, txtJahr, cmd_Kreiszeichen};
    for (std::size_t i = 0; i + 1 < tabOrder.size(); ++i) setTabOrder(tabOrder[i], tabOrder[i + 1]);
    for (QWidget* w : findChildren<QWidget*>())
        if (std::find(tabOrder.begin(), tabOrder.end(), w) == tabOrder.end()) w->setFocusPolicy(Qt::NoFocus);
    cmd_Abbrechen->setFocus();

    // The star dots lie over the sky and the result lines beside it.
    for (QLabel* dot : Label10)
        if (dot) dot->raise();

    // Every control carries its design name, as accessibility tools and tests see it.
    const std::pair<QWidget*, const char*> named[] = {
        {Label2, "Label2"}, {Image2, "Image2"}, {lbl_Datumangabe, "lbl_Datumangabe"}, {lbl_MPh, "lbl_MPh"},
        {Label5, "Label5"}, {Label7, "Label7"}, {Label6, "Label6"}, {lbl_Mondphase, "lbl_Mondphase"},
        {txtTag, "txtTag"}, {txtMonat, "txtMonat"}, {txtJahr, "txtJahr"}, {Command1, "Command1"},
        {Command2, "Command2"}, {cmd_Phasen, "cmd_Phasen"}, {cmd_Finsternis, "cmd_Finsternis"},
        {cmd_Kreiszeichen, "cmd_Kreiszeichen"}, {cmdInfo, "cmdInfo"}, {cmd_Abbrechen, "cmd_Abbrechen"}};
    for (const auto& [widget, name] : named) widget->setObjectName(QLatin1String(name));
    for (int i = 0; i < 4; ++i) StatusBar1Panels[i]->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i + 1));
    for (std::size_t i = 0; i < Image1.size(); ++i) Image1[i]->setObjectName(QStringLiteral("Image1_%1").arg(i));
    for (std::size_t i = 0; i < Label10.size(); ++i)
        if (Label10[i]) Label10[i]->setObjectName(QStringLiteral("Label10_%1").arg(i));

    for (QPushButton* b : {Command1, Command2, cmd_Phasen, cmd_Finsternis, cmd_Kreiszeichen, cmdInfo, cmd_Abbrechen})
        b->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25));
    // The designed star sky comes with the first pass of the event loop, so
    // that reading and scaling it does not delay the window's first showing.
    QTimer::singleShot(0, this, [this] {
        if (skyShown_) return;
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
    const std::array<QTimer*, 10> all = {Timer1, Timer2, Timer3, Timer4, Timer5, Timer6, Timer7, Timer8, Timer9, Timer10};
    for (std::size_t i = 0; i < all.size(); ++i) all[i]->setObjectName(QStringLiteral("Timer%1").arg(i + 1));
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
    if (!exposureWatched_ && windowHandle()) {
        exposureWatched_ = true;
        windowHandle()->installEventFilter(this);
        cover_ = new CoverWatch(windowHandle(), [this] { updateSkyHold(); });
    }
    updateSkyHold();
    QWidget::showEvent(event);
}

void Mondphase::hideEvent(QHideEvent* event) {
    holdSky(true);
    QWidget::hideEvent(event);
}

void Mondphase::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) updateSkyHold();
    QWidget::changeEvent(event);
}

std::chrono::year_month_day Mondphase::today() const {
    const QDate d = platform_.now().date();
    return std::chrono::year{d.year()} / std::chrono::month{static_cast<unsigned>(d.month())} /
           std::chrono::day{static_cast<unsigned>(d.day())};
}

QLineEdit* Mondphase::field(Field f) const {
    return f == Field::Day ? txtTag : f == Field::Month ? txtMonat : txtJahr;
}

entry::FieldTexts Mondphase::fieldTexts() const {
    return {txtTag->text().toStdString(), txtMonat->text().toStdString(), txtJahr->text().toStdString()};
}

QString Mondphase::clockText() const {
    const QTime t = platform_.now().time();
    return QStringLiteral("Uhrzeit: %1.%2  Uhr").arg(t.hour(), 2, 10, QLatin1Char('0')).arg(t.minute(), 2, 10, QLatin1Char('0'));
}

void Mondphase::showBox(MessageIcon icon, const QString& title, const QString& text) {
    // Counted, so that the midnight switch waits until the box is closed.
    ++boxesOpen_;
    platform_.messageBox(this, icon, title, text);
    --boxesOpen_;
}

void Mondphase::focusField(Field f, int length) {
    QLineEdit* target = field(f);
    pendingSelection_[static_cast<std::size_t>(f)] = length;
    moveFocus(target, 0, length);
}

void Mondphase::run(const entry::Steps& steps) {
    for (const Step& s : steps) {
        switch (s.kind) {
        case Step::Kind::Sound: platform_.playErrorSound(); break;
        case Step::Kind::Box:
            showBox(s.icon == entry::Icon::Critical ? MessageIcon::Critical : MessageIcon::Exclamation,
                    QString::fromStdString(s.title), QString::fromStdString(s.text));
            break;
        case Step::Kind::Select: selectRange(field(s.field), s.start, s.length); break;
        case Step::Kind::Write: field(s.field)->setText(QString::fromStdString(s.text)); break;
        case Step::Kind::Focus: field(s.field)->setFocus(); break;
        case Step::Kind::MoveFocus: focusField(s.field, s.length); break;
        case Step::Kind::Load: Form_Load(); break;
        case Step::Kind::Calculate: Command1_Click(); break;
        }
    }
}

// ---------------------------------------------------------------------------
// The load handler: caption, status bar, date, format check, then the
// correction of a date that does not exist, or the display.

void Mondphase::Form_Load() {
    setWindowTitle(QStringLiteral(" Luno-Mat   -   Version:  ") + QString::number(kVersionMajor) + QLatin1Char('.') +
                   QString::number(kVersionMinor) + QLatin1Char('.') + QString::number(kVersionRevision) +
                   QStringLiteral("    Build:  ") + QLatin1String(kBuildLabel) + QStringLiteral("   ( Lunoskop )"));

    const QDate todayDate = platform_.now().date();
    run(entry::PrepareFields(fieldTexts(), today()));
    const entry::FieldTexts fields = fieldTexts();

    StatusBar1Panels[0]->setText(QStringLiteral("Luno-Skop"));
    StatusBar1Panels[1]->setText(QStringLiteral("Kalenderdatum:  ") + QString::fromStdString(DateText(today())));
    StatusBar1Panels[2]->setText(clockText());
    StatusBar1Panels[3]->setText(copyrightNotice(todayDate.year()));

    if (regionalFormatRefused(todayDate)) return;

    if (const auto date = entry::EnteredDate(fields))
        showMoon(*date);
    else
        run(entry::CorrectDate(fields, today()));
}

bool Mondphase::regionalFormatRefused(const QDate& todayDate) {
    const QString text = platform_.shortDateText();
    auto at = [&](int position) { return position <= text.size() ? text.at(position - 1) : QChar(); };

    // A day-first text with "." separators may have its second "." at the
    // fifth place (5.12.2026, 15.1.2026); it is exactly the format asked for.
    const QStringList parts = text.split(QLatin1Char('.'));
    auto digits = [&](int part, qsizetype minLength, qsizetype maxLength) {
        const QString& p = parts[part];
        return p.size() >= minLength && p.size() <= maxLength && IsDigits(p.toStdString());
    };
    const bool dayFirstDots = parts.size() == 3 && digits(0, 1, 2) && digits(1, 1, 2) && digits(2, 2, 4) &&
                              parts[0].toInt() == todayDate.day() && parts[1].toInt() == todayDate.month();

    if (at(5) == QLatin1Char('-') || (at(5) == QLatin1Char('.') && !dayFirstDots)) {
        showBox(
            MessageIcon::Exclamation, QStringLiteral("Lunomat   -   Falsche System-Datumseinstellung"),
            QStringLiteral("Falsche Einstellung der System-Datumseinstellung - Sie verwenden das amerikanische "
                           "Datumsformat.\r\rBitte setzen Sie in der Systemeinstellung von Windows unter "
                           "'Regions- und Sprachoptionen' das deutsche Datumsformat 'TT.MM.JJJJ' oder 'T.M.JJJJ' "
                           "ein.\rAls Datumstrennzeichen immer den Punkt '.' einstellen!\r\rACHTUNG: Das Programm "
                           "wird jetzt beendet."));
        platform_.endProgramNow();
        return true;
    }
    if (at(3) == QLatin1Char('-') || at(2) == QLatin1Char('-')) {
        showBox(
            MessageIcon::Exclamation, QStringLiteral("Lunomat   -   Falsches Datumstrennzeichen"),
            QStringLiteral("Falsche Einstellung des System-Datumstrennzeichens.\rBitte setzen Sie in der "
                           "Systemeinstellung von Windows unter 'Regions- und Sprachoptionen' anstelle des "
                           "Bindestriches '-' den Punkt '.' dafür ein!\r\rACHTUNG: Das Programm wird jetzt "
                           "beendet."));
        platform_.endProgramNow();
        return true;
    }
    return false;
}

void Mondphase::showMoon(std::chrono::year_month_day date) {
    const MoonDisplay d = BuildMoonDisplay(date);
    Label5->setText(QString::fromStdString(d.distanceLine));
    Label6->setText(QString::fromStdString(d.latitudeLine));
    Label7->setText(QString::fromStdString(d.longitudeLine));
    loadPicture(Image2, platform_.programFolder(), QString::fromStdString(d.picturePath));
    lbl_Datumangabe->setText(QString::fromStdString(d.dateLine));
    lbl_MPh->setText(QString::fromStdString(d.phaseText));
    lbl_Mondphase->setText(QString::fromStdString(d.shortName));
    enable(Timer1);
    // One runner goes round the ring: a computation while it runs does not
    // start a second one.
    if (ringRunning()) return;
    if (skyHeld_)
        heldRing_.push_back(Timer5);
    else
        Timer5->start();
}

// ---------------------------------------------------------------------------
// "&Berechnen" and "&Heute".

void Mondphase::Command1_Click() { run(entry::CalculatePressed(fieldTexts(), today())); }

void Mondphase::Command2_Click() {
    Timer3->stop();
    run(entry::TodayPressed(today()));
}

// ---------------------------------------------------------------------------
// The date fields.

void Mondphase::txtTag_Change() { run(entry::DayChanged(txtTag->text().toStdString())); }
void Mondphase::txtMonat_Change() { run(entry::MonthChanged(txtMonat->text().toStdString())); }
void Mondphase::txtJahr_Change() { run(entry::YearChanged(txtJahr->text().toStdString(), today())); }

void Mondphase::txtTag_KeyPress(entry::Key key) { run(entry::KeyPressed(Field::Day, key, fieldTexts(), today())); }
void Mondphase::txtMonat_KeyPress(entry::Key key) {
    run(entry::KeyPressed(Field::Month, key, fieldTexts(), today()));
}
void Mondphase::txtJahr_KeyPress(entry::Key key) { run(entry::KeyPressed(Field::Year, key, fieldTexts(), today())); }

bool Mondphase::eventFilter(QObject* watched, QEvent* event) {
    // The window's exposure is known before the event arrives.
    if (event->type() == QEvent::Expose && watched == windowHandle()) updateSkyHold();
    const bool isField = watched == txtTag || watched == txtMonat || watched == txtJahr;
    if (isField && secondaryOpen_) {
        // Another window is open (the browser runs in its own process and
        // blocks nothing here): the fields take no input meanwhile.
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel: return true;
        default: break;
        }
    }
    if (event->type() == QEvent::Shortcut && !isField) {
        // A button's access key presses it at once, not a moment later as
        // buttons usually do: keys typed right after it then meet the window
        // it opened (and are held off by it) instead of each starting a
        // command of its own, or one after the program has ended.
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button && !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
            if (button->isEnabled()) button->click();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (isField) {
            entry::Key k = entry::Key::Other;
            if (enter)
                k = entry::Key::Enter;
            else if ((key->modifiers() & Qt::ControlModifier) && key->key() == Qt::Key_O)
                k = entry::Key::CtrlO;
            if (watched == txtTag) txtTag_KeyPress(k);
            else if (watched == txtMonat) txtMonat_KeyPress(k);
            else txtJahr_KeyPress(k);
            return false;  // every key reaches the field as usual
        }
        // Enter presses the focused button, as Space does.
        if (enter && !key->isAutoRepeat() && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (auto* button = qobject_cast<QPushButton*>(watched); button && button->isEnabled()) {
                button->click();
                return true;
            }
        }
    }
    if (isField && event->type() == QEvent::FocusIn) {
        // A field the program gave the focus to gets its selection back, even
        // when the focus arrives later (the window was inactive) or the field
        // lost its selection when the focus left it.
        auto* f = static_cast<QLineEdit*>(watched);
        const auto index = static_cast<std::size_t>(f == txtTag ? 0 : f == txtMonat ? 1 : 2);
        if (pendingSelection_[index] > 0) {
            const int length = pendingSelection_[index];
            pendingSelection_[index] = 0;
            selectRange(f, 0, length);
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Timers.

void Mondphase::Timer1_Timer() {
    focusField(Field::Day, 2);
    Timer1->stop();
}

void Mondphase::Timer2_Timer() {
    // The first tick at or after 00:00:01 of a new local date switches the
    // display once, whatever the time format and however long the machine
    // slept; during the day nothing happens. While a message box of this
    // window is open the switch waits for it, so that what the box's handler
    // does afterwards cannot undo it.
    const QDateTime now = platform_.now();
    if (now.date() == lastSeenDate_ || now.time() < QTime(0, 0, 1) || boxesOpen_ > 0) return;
    lastSeenDate_ = now.date();
    enable(Timer3);
    // The entered date is shown again under the new day; half-typed fields
    // are left to the today command that follows.
    if (!entry::EnteredDate(fieldTexts())) return;
    Form_Load();
    focusField(Field::Day, 2);
}

void Mondphase::Timer3_Timer() { Command2_Click(); }

void Mondphase::Timer4_Timer() {
    StatusBar1Panels[2]->setText(clockText());
    // The next tick comes just after the next full minute, and at least once
    // a second so that a changed system time shows at once: a new minute
    // appears within milliseconds while the program stays idle.
    constexpr int kMsPerMinute = 60000;
    constexpr int kPastTheMinuteMs = 5;
    constexpr int kShortestMs = 20;
    constexpr int kLongestMs = 1000;
    const QTime t = platform_.now().time();
    const int msIntoMinute = t.second() * 1000 + t.msec();
    Timer4->setInterval(std::clamp(kMsPerMinute - msIntoMinute + kPastTheMinuteMs, kShortestMs, kLongestMs));
}

QString Mondphase::starFramePath(int frame) const {
    return platform_.programFolder() + QStringLiteral("/mondgif/starsky-blue-%1.gif").arg(frame);
}

std::array<QSize, 6> Mondphase::skySizes() const {
    std::array<QSize, 6> sizes;
    for (std::size_t i = 0; i < Image1.size(); ++i) sizes[i] = Image1[i]->size();
    return sizes;
}

const std::array<QImage, 6>& Mondphase::starFrame(int frame) {
    std::array<QImage, 6>& scaled = frames_[frame];
    // Read once and scaled once to each image's size, so that showing a
    // frame is a plain copy; a frame that cannot be read stays empty and is
    // tried again when its turn comes round, not straight after the other
    // thread has just failed to read it.
    if (frame == 1 && firstStarFrame_.valid())
        scaled = firstStarFrame_.get();
    else if (scaled[0].isNull())
        scaled = makeStarFrame(starFramePath(frame), skySizes(), devicePixelRatioF());
    return scaled;
}

bool Mondphase::ringRunning() const {
    if (!heldRing_.empty()) return true;
    for (const QTimer* t : {Timer5, Timer6, Timer7, Timer8, Timer9, Timer10})
        if (t->isActive()) return true;
    return false;
}

void Mondphase::updateSkyHold() {
    const QWindow* window = windowHandle();
    holdSky(!isVisible() || isMinimized() || !window || !window->isExposed() || (cover_ && cover_->covered()));
}

void Mondphase::holdSky(bool hold) {
    if (hold == skyHeld_) return;
    skyHeld_ = hold;
    if (hold) {
        for (QTimer* t : {Timer5, Timer6, Timer7, Timer8, Timer9, Timer10}) {
            if (!t->isActive()) continue;
            heldRing_.push_back(t);
            t->stop();
        }
    } else {
        // Each one ticks a full interval after the window shows again.
        for (QTimer* t : heldRing_) t->start();
        heldRing_.clear();
    }
}

void Mondphase::showStarFrame(int frame, QTimer* self, QTimer* next) {
    const std::array<QImage, 6>& pictures = starFrame(frame);
    if (!pictures[0].isNull()) {  // otherwise the images keep what they show
        for (std::size_t i = 0; i < Image1.size(); ++i) Image1[i]->setPicture(pictures[i]);
        skyShown_ = true;
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

void Mondphase::cmd_Abbrechen_Click() {
    if (commandAccepted()) close();
}

void Mondphase::closeEvent(QCloseEvent* event) {
    // While a window of this program is open the main window stays. The
    // browser runs in a process of its own and may hang, so the close box
    // stays the user's way out: the platform ends the helper when this
    // window goes.
    if (secondaryOpen_ && !browserOpen_) {
        event->ignore();
        return;
    }
    closing_ = true;
    event->accept();
}

}  // namespace lunomat
