#pragma once
// The main window: the date fields, the moon display for one date, the
// timers that keep it alive, and the buttons that open the other windows.
// The rules of the date fields live in ui/dateentry; this class carries out
// what they ask for on the widgets.

#include <QDate>
#include <QWidget>
#include <array>
#include <chrono>
#include <optional>

#include "ui/dateentry/date_entry.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QFrame;
class QKeyEvent;

namespace lunomat {

class Platform;
enum class MessageIcon;
class LineShape;
class StarSky;

class Mondphase : public QWidget {
    Q_OBJECT

public:
    explicit Mondphase(Platform& platform, QWidget* parent = nullptr);
    ~Mondphase() override;

    // Finds the font of the date fields, the first text the window lays out
    // and the one that makes the toolkit read its font list. Done early, it
    // lets start-up overlap the search with other work; the window is the
    // same without it.
    static void loadFonts();

    // The one recompute routine, run at start-up: caption, status bar,
    // date-format check, correction of impossible dates, computation and
    // display.
    void Form_Load();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Command1_Click();  // "&Berechnen"
    void Command2_Click();  // "&Heute"
    void cmd_Phasen_Click();
    void cmd_Finsternis_Click();
    void cmdInfo_Click();
    void cmd_Kreiszeichen_Click();
    void cmd_Abbrechen_Click();

    void txtTag_Change();
    void txtMonat_Change();
    void txtJahr_Change();

    void Timer1_Timer();  // focus back to the day field
    void Timer2_Timer();  // midnight watch
    void Timer3_Timer();  // today command after midnight
    void Timer4_Timer();  // status-bar clock; Timer5 to Timer10 belong to the star sky

    void buildControls();  // from the design's tables, in mondphase_controls.cpp
    void buildUpperPanel();
    void buildResultLines();
    void buildDateBand();
    void buildButtons();
    void buildStatusBar();
    void wireControls();
    void buildTimers();
    // Parts of the event filter: each says whether the event is done with.
    bool inputHeldOff(QObject* watched, QEvent* event) const;
    bool pressesButtonAtOnce(QObject* watched, QEvent* event);
    bool keyPressed(QObject* watched, QKeyEvent* key);
    void focusArrived(QLineEdit* f);
    // Carries out what the date-entry rules ask for, in order.
    void run(const entry::Steps& steps);
    void showBox(MessageIcon icon, const QString& title, const QString& text);
    // Selects the first `length` characters of a field and gives it the focus.
    void focusField(entry::Field f, int length);
    QLineEdit* field(entry::Field f) const;
    std::optional<entry::Field> field(const QObject* watched) const;  // which date field it is, if any
    entry::FieldTexts fieldTexts() const;
    std::chrono::year_month_day today() const;
    void showMoon(std::chrono::year_month_day date);
    bool regionalFormatRefused(const QDate& today);
    void setButtonsEnabled(bool on);
    bool commandAccepted() const;
    template <typename OpenWindow>
    void openModal(OpenWindow&& open, bool giveDayFieldFocus);
    QString clockText() const;

    // Controls, named as the design names them.
    QLabel* Label8 = nullptr;
    QLabel* Label2 = nullptr;
    StarSky* sky_ = nullptr;            // Image1(0) to Image1(5), Timer5 to Timer10
    std::array<QLabel*, 13> Label10{};  // only 4, 5, 7, 8, 9 and 12 exist
    QLabel* Image2 = nullptr;
    QLabel* lbl_Datumangabe = nullptr;
    QLabel* lbl_MPh = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* lbl_Mondphase = nullptr;
    std::array<QLabel*, 2> Label9{};
    LineShape* Line1 = nullptr;
    std::array<LineShape*, 3> Line5{};
    QFrame* Frame1 = nullptr;
    QLineEdit* txtTag = nullptr;
    QLineEdit* txtMonat = nullptr;
    QLineEdit* txtJahr = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* cmd_Phasen = nullptr;
    QPushButton* cmd_Finsternis = nullptr;
    QPushButton* cmd_Kreiszeichen = nullptr;
    QPushButton* cmdInfo = nullptr;
    QPushButton* cmd_Abbrechen = nullptr;
    QLabel* Image_Logo = nullptr;
    QWidget* StatusBar1 = nullptr;
    std::array<QLabel*, 4> StatusBar1Panels{};  // panels 1 to 4
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer4 = nullptr;

    QWidget* browserOwner_ = nullptr;  // invisible; switched off while the browser window is open

    Platform& platform_;
    QDate lastSeenDate_;  // the local date of the last midnight check
    int boxesOpen_ = 0;   // message boxes of this window waiting to be closed
    bool centred_ = false;
    bool secondaryOpen_ = false;  // a window opened by a button is still open
    bool browserOpen_ = false;    // the browser helper is running
    bool closing_ = false;        // the main window's close has been accepted
    // Per date field, the selection length the program gave it with the
    // focus, until the field has really received the focus.
    std::array<int, 3> pendingSelection_{};
};

}  // namespace lunomat
