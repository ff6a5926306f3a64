#pragma once
// The eclipse window: the fixed catalogue of lunar eclipses in 60 cells,
// three columns of two groups of ten, with a print button and an OK button.

#include <array>

#include "ui/widgets/ui_conventions.h"

class QFrame;
class QLabel;
class QPushButton;

namespace lunomat {

class Platform;
class LineShape;

// Neither button is default or cancel: Enter and Escape mean nothing here.
// Controls keep the names of the design; tests find them by object name.
class Mondfinsternisse : public NoCancelDialog {
    Q_OBJECT
public:
    explicit Mondfinsternisse(Platform& platform, QWidget* parent = nullptr);

private:
    void Form_Load();
    void cmdOK_Click();
    void Drucker_Click();

    std::array<QLabel*, 1> Label1{};
    std::array<QLabel*, 60> Label2{};
    LineShape* Line1 = nullptr;
    LineShape* Line2 = nullptr;
    QLabel* Label3 = nullptr;
    LineShape* Line3 = nullptr;
    LineShape* Line4 = nullptr;
    QLabel* Image_Logo = nullptr;
    QFrame* Frame1 = nullptr;
    QPushButton* Drucker = nullptr;
    QPushButton* cmdOK = nullptr;

    Platform& platform_;
};

}  // namespace lunomat
