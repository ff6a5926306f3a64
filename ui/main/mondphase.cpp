#include "ui/main/mondphase.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <utility>

#include "core/calendar.h"
#include "core/display.h"
#include "ui/main/star_sky.h"
#include "ui/platform/platform.h"
#include "ui/platform/version.h"
#include "ui/widgets/ui_conventions.h"

namespace lunomat {

namespace {

using entry::Field;
using entry::Step;

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

std::chrono::year_month_day Mondphase::today() const {
    const QDate d = platform_.now().date();
    return std::chrono::year{d.year()} / std::chrono::month{static_cast<unsigned>(d.month())} /
           std::chrono::day{static_cast<unsigned>(d.day())};
}

QLineEdit* Mondphase::field(Field f) const { return f == Field::Day ? txtTag : f == Field::Month ? txtMonat : txtJahr; }

std::optional<Field> Mondphase::field(const QObject* watched) const {
    if (watched == txtTag) return Field::Day;
    if (watched == txtMonat) return Field::Month;
    if (watched == txtJahr) return Field::Year;
    return std::nullopt;
}

entry::FieldTexts Mondphase::fieldTexts() const {
    return {txtTag->text().toStdString(), txtMonat->text().toStdString(), txtJahr->text().toStdString()};
}

QString Mondphase::clockText() const {
    const QTime t = platform_.now().time();
    return QStringLiteral("Uhrzeit: %1.%2  Uhr")
        .arg(t.hour(), 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'));
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

    if (const auto date = entry::EnteredDate(fields)) showMoon(*date);
    else run(entry::CorrectDate(fields, today()));
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
        showBox(MessageIcon::Exclamation, QStringLiteral("Lunomat   -   Falsche System-Datumseinstellung"),
                QStringLiteral("Falsche Einstellung der System-Datumseinstellung - Sie verwenden das amerikanische "
                               "Datumsformat.\r\rBitte setzen Sie in der Systemeinstellung von Windows unter "
                               "'Regions- und Sprachoptionen' das deutsche Datumsformat 'TT.MM.JJJJ' oder 'T.M.JJJJ' "
                               "ein.\rAls Datumstrennzeichen immer den Punkt '.' einstellen!\r\rACHTUNG: Das Programm "
                               "wird jetzt beendet."));
        platform_.endProgramNow();
        return true;
    }
    if (at(3) == QLatin1Char('-') || at(2) == QLatin1Char('-')) {
        showBox(MessageIcon::Exclamation, QStringLiteral("Lunomat   -   Falsches Datumstrennzeichen"),
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
    startIfStopped(Timer1);
    sky_->start();
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

bool Mondphase::eventFilter(QObject* watched, QEvent* event) {
    if (inputHeldOff(watched, event) || pressesButtonAtOnce(watched, event)) return true;
    if (event->type() == QEvent::KeyPress && keyPressed(watched, static_cast<QKeyEvent*>(event))) return true;
    if (event->type() == QEvent::FocusIn && field(watched)) focusArrived(static_cast<QLineEdit*>(watched));
    return QWidget::eventFilter(watched, event);
}

bool Mondphase::inputHeldOff(QObject* watched, QEvent* event) const {
    // Another window is open (the browser runs in its own process and
    // blocks nothing here): the fields take no input meanwhile.
    if (!secondaryOpen_ || !field(watched)) return false;
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
    default: return false;
    }
}

bool Mondphase::pressesButtonAtOnce(QObject* watched, QEvent* event) {
    // A button's access key presses it at once, not a moment later as
    // buttons usually do: keys typed right after it then meet the window it
    // opened (and are held off by it) instead of each starting a command of
    // its own, or one after the program has ended.
    auto* button = qobject_cast<QPushButton*>(watched);
    if (event->type() != QEvent::Shortcut || !button || static_cast<QShortcutEvent*>(event)->isAmbiguous())
        return false;
    if (button->isEnabled()) button->click();
    return true;
}

bool Mondphase::keyPressed(QObject* watched, QKeyEvent* key) {
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (const auto f = field(watched)) {
        entry::Key k = entry::Key::Other;
        if (enter) k = entry::Key::Enter;
        else if ((key->modifiers() & Qt::ControlModifier) && key->key() == Qt::Key_O) k = entry::Key::CtrlO;
        run(entry::KeyPressed(*f, k, fieldTexts(), today()));
        return false;  // every key reaches the field as usual
    }
    // Enter presses the focused button, as Space does.
    if (!enter || key->isAutoRepeat() || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    auto* button = qobject_cast<QPushButton*>(watched);
    if (!button || !button->isEnabled()) return false;
    button->click();
    return true;
}

void Mondphase::focusArrived(QLineEdit* f) {
    // A field the program gave the focus to gets its selection back, even
    // when the focus arrives later (the window was inactive) or the field
    // lost its selection when the focus left it.
    int& pending = pendingSelection_[static_cast<std::size_t>(*field(f))];
    if (pending > 0) selectRange(f, 0, std::exchange(pending, 0));
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
    startIfStopped(Timer3);
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
