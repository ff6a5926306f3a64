// The buttons of the main window that open the other windows, each modally.
#include <QEvent>
#include <QLineEdit>
#include <QPixmapCache>
#include <QPushButton>

#include "core/calendar.h"
#include "core/eclipses.h"
#include "ui/annual/mondphasen.h"
#include "ui/eclipses/mondfinsternisse.h"
#include "ui/info/information.h"
#include "ui/main/mondphase.h"
#include "ui/platform/platform.h"
#include "ui/widgets/ui_conventions.h"

namespace lunomat {

void Mondphase::setButtonsEnabled(bool on) {
    for (QPushButton* b : {Command1, Command2, cmd_Phasen, cmd_Finsternis, cmd_Kreiszeichen, cmdInfo, cmd_Abbrechen})
        b->setEnabled(on);
}

// The frame around every secondary window: buttons off, the window created
// afresh and shown modally (the timers keep ticking meanwhile), buttons on.
bool Mondphase::commandAccepted() const {
    // One command at a time: while a window or box of an earlier command is
    // open, or once the program is ending, a late command is dropped rather
    // than opening a window over it or after the end.
    return !secondaryOpen_ && boxesOpen_ == 0 && !closing_;
}

template <typename OpenWindow>
void Mondphase::openModal(OpenWindow&& open, bool giveDayFieldFocus) {
    if (!commandAccepted()) return;
    setButtonsEnabled(false);
    secondaryOpen_ = true;
    open();
    // Each window reads its icon afresh, and the window system's copies of
    // it stay in the application's pixmap cache under keys of that one
    // picture, which no later window asks for: up to the cache's 10 MiB, a
    // little more with every opening. What else the cache held is drawn
    // again when next needed.
    QPixmapCache::clear();
    secondaryOpen_ = false;
    setButtonsEnabled(true);
    if (giveDayFieldFocus) focusField(entry::Field::Day, 2);
}

void Mondphase::cmd_Phasen_Click() {
    openModal(
        [this] {
            Mondphasen window(platform_, txtJahr->text(), this);
            window.exec();
        },
        true);
}

void Mondphase::cmd_Finsternis_Click() {
    if (!commandAccepted()) return;
    const auto year = ParseWholeNumber(txtJahr->text().toStdString());
    if (!year || *year < FirstEclipseYear() || *year > LastEclipseYear()) {
        showBox(MessageIcon::Critical, QStringLiteral("Luno-Mat  -  keine Mondfinsternisangaben"),
                QStringLiteral("Keine Mondfinsterterminangaben vorhanden:\rDas Programm hat Mondfinsternisangaben nur "
                               "für den Zeitraum der Jahre %1 bis %2.")
                    .arg(FirstEclipseYear())
                    .arg(LastEclipseYear()));
        focusField(entry::Field::Year, 4);
        return;
    }
    openModal(
        [this] {
            Mondfinsternisse window(platform_, this);
            window.exec();
        },
        true);
}

void Mondphase::cmdInfo_Click() {
    // The information window gives the day field the focus itself; the day
    // is selected with it, whatever happened to the selection meanwhile.
    pendingSelection_[static_cast<std::size_t>(entry::Field::Day)] = 2;
    openModal(
        [this] {
            Information window(platform_, txtTag, this);
            window.exec();
        },
        false);
    if (focusWidget() == txtTag) selectRange(txtTag, 0, 2);
}

void Mondphase::cmd_Kreiszeichen_Click() {
    // The browser runs in its own process: the platform switches its owner
    // off meanwhile. That owner is an invisible part of this window, so that
    // the window is drawn as it is, with only its buttons off, while the
    // window's own filter keeps input away from it.
    openModal(
        [this] {
            browserOpen_ = true;
            platform_.runBrowserWindow(browserOwner_);
            browserOpen_ = false;
        },
        true);
}

}  // namespace lunomat
