// The buttons of the main window that open the other windows, each modally.
#include <QLineEdit>
#include <QPushButton>

#include "ui/annual/mondphasen.h"
#include "ui/platform/platform.h"
#include "ui/widgets/ui_conventions.h"
#include "ui/eclipses/mondfinsternisse.h"
#include "ui/info/information.h"
#include "ui/main/mondphase.h"

namespace lunomat {

void Mondphase::setButtonsEnabled(bool on) {
    for (QPushButton* b : {Command1, Command2, cmd_Phasen, cmd_Finsternis, cmd_Kreiszeichen, cmdInfo, cmd_Abbrechen})
        b->setEnabled(on);
}

// The frame around every secondary window: buttons off, the window created
// afresh and shown modally (the timers keep ticking meanwhile), buttons on.
// The browser window runs in its own process and is never open while another
// window is, so nothing has to be switched off in it here.
template <typename OpenWindow>
void Mondphase::openModal(OpenWindow&& open, bool giveDayFieldFocus) {
    setButtonsEnabled(false);
    secondaryOpen_ = true;
    open();
    secondaryOpen_ = false;
    setButtonsEnabled(true);
    if (giveDayFieldFocus) moveFocus(txtTag, 0, 2);
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
    double year = 0;
    if (!toNumber(txtJahr->text(), &year) || year < 1987 || year > 2030) {
        platform_.messageBox(this, MessageIcon::Critical, QStringLiteral("Luno-Mat  -  keine Mondfinsternisangaben"),
                             QStringLiteral("Keine Mondfinsterterminangaben vorhanden:\rDas Programm hat "
                                            "Mondfinsternisangaben nur für den Zeitraum der Jahre 1987 bis 2030."));
        moveFocus(txtJahr, 0, 4);
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
    // The information window gives the day field the focus itself.
    openModal(
        [this] {
            Information window(platform_, txtTag, this);
            window.exec();
        },
        false);
}

void Mondphase::cmd_Kreiszeichen_Click() {
    openModal([this] { platform_.runBrowserWindow(this); }, true);
}

}  // namespace lunomat
