#pragma once
// The annual phase window: the full moons, last quarters, new moons and first
// quarters of one calendar year in 13 rows, and their printout.

#include <QString>
#include <array>

#include "ui/widgets/ui_conventions.h"

class QFrame;
class QLabel;
class QPushButton;

namespace lunomat {

class CircleShape;
class LineShape;
class LinePrinter;
class Platform;
struct PrintStamp;

// Controls keep the names of the design; tests find them by object name.
class Mondphasen : public NoCancelDialog {
public:
    // Builds every control, then loads the table for the year text as the
    // main window's year field holds it.
    Mondphasen(Platform& platform, const QString& yearText, QWidget* parent = nullptr);

private:
    static constexpr int kRows = 13;
    using LabelRow = std::array<QLabel*, kRows>;

    void Form_Load();
    void Command1_Click();
    void Drucker_Click();
    // The page content of the printout; the dates are read back from the
    // date labels.
    void printContent(LinePrinter& printer, const PrintStamp& stamp) const;

    void buildControls();
    void buildTable();
    void buildLegend();
    void buildFooter();
    void nameControls();
    QLabel* panel(int left, int top, int width, int height, const QColor& colour, bool sunken);

    QLabel* Label1 = nullptr;
    std::array<QLabel*, std::size_t{2} * kRows> Label2{};  // even: full-moon cell, odd: new-moon cell
    LabelRow Label6{};
    LabelRow Label7{};
    LabelRow Label3{};  // full moon dates
    LabelRow Label8{};  // last quarter dates
    LabelRow Label4{};  // new moon dates
    LabelRow Label9{};  // first quarter dates
    LabelRow Image1{};  // full moon symbols
    LabelRow Image3{};  // last quarter symbols
    LabelRow Image2{};  // new moon symbols
    LabelRow Image4{};  // first quarter symbols
    QLabel* Label5 = nullptr;
    std::array<QLabel*, 4> Label10{};
    std::array<QLabel*, 3> Label11{};
    QLabel* Label12 = nullptr;
    std::array<CircleShape*, 5> Shape2{};
    LineShape* Line2 = nullptr;
    LineShape* Line3 = nullptr;
    std::array<LineShape*, 2> Line4{};
    std::array<LineShape*, 2> Line5{};
    QFrame* Frame1 = nullptr;
    QLabel* Image_Logo = nullptr;
    QPushButton* Drucker = nullptr;
    QPushButton* Command1 = nullptr;

    Platform& platform_;
    const QString yearText_;
};

}  // namespace lunomat
