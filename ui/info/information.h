#pragma once
// The about window: title, version, method and warranty notes, the maker's
// address block and two links to the maker's web site. Opened modally from
// the main window; closing it hands the keyboard focus back to the main
// window's day field.

#include "ui/widgets/ui_conventions.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace lunomat {

class Platform;
class CaptionFrame;

// Escape and Enter leave it open: OK is neither default nor cancel button.
// Controls keep the names of the design; tests find them by object name.
class Information : public NoCancelDialog {
    Q_OBJECT
public:
    // focusOnClose receives the keyboard focus when the window closes.
    Information(Platform& platform, QLineEdit* focusOnClose, QWidget* parent = nullptr);

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGroups();
    void Form_Load();
    void cmdOK_Click();
    void Mail_Click();
    void URL_Click();
    void Form_Unload();

    CaptionFrame* Frame1 = nullptr;
    CaptionFrame* Frame2 = nullptr;
    CaptionFrame* Frame3 = nullptr;
    CaptionFrame* Frame4 = nullptr;
    CaptionFrame* Frame5 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* URL = nullptr;
    QLabel* Mail = nullptr;
    QPushButton* cmdOK = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    Platform& platform_;
    QLineEdit* focusOnClose_;
    QObject* pressedLink_ = nullptr;  // the link the left button went down on
};

}  // namespace lunomat
