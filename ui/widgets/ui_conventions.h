#pragma once
// What every window shares: twips, fonts, colours, the selection and focus
// moves, and the error conventions.

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QString>
#include <initializer_list>
#include <vector>

class QKeyEvent;
class QLineEdit;
class QWidget;
class QLabel;
class QPushButton;
class QStatusBar;
class QTimer;

namespace lunomat {

class Platform;
enum class MessageIcon;

// Geometry is designed in twips; 15 twips are one logical pixel (96 dpi), so
// Qt's device-pixel ratio scales everything on HiDPI screens.
constexpr int kTwipsPerPixel = 15;
int px(int twips);
QRect twipsRect(int left, int top, int width, int height);

// A font by its designed family and point size. Families that this system
// does not have are replaced by a similar one, chosen once in this function.
// Sizes are set in pixels (pt * 96 / 72) so they match the twips geometry.
QFont designFont(const QString& family, double points, bool bold = false, bool underline = false);

inline QColor rgb(int r, int g, int b) { return QColor(r, g, b); }

// Starts a timer that is stopped. One that already runs is left alone: a
// start would restart it and lose its phase.
void startIfStopped(QTimer* timer);

// Widget background and text colours (autoFillBackground on).
void setColours(QWidget* w, const QColor& text, const QColor& background);
void setTextColour(QWidget* w, const QColor& text);

// Selection cut back to what the field holds, then nothing else.
void selectRange(QLineEdit* field, int start, int length);
// Selection then the keyboard focus.
void moveFocus(QLineEdit* field, int start, int length);

// Loads a picture from the program's folder + relative path ("/mondgif/x.gif").
// Returns false (and leaves label unchanged) when it is missing or unreadable.
bool loadPicture(QLabel* label, const QString& folder, const QString& relativePath);
// Read a picture in the format its file name ends with; null if they cannot.
QImage readImage(const QString& path);
QPixmap readPicture(const QString& path);

}  // namespace lunomat

namespace lunomat {
// The maker's copyright notice for the years 2007 to currentYear, as the
// status bar, the logo tooltips and the printout footers show it.
QString copyrightNotice(int currentYear);
}  // namespace lunomat

namespace lunomat {

// Widgets every window builds the same way. Rectangles are in pixels, as
// twipsRect() gives them.

// A plain label.
QLabel* makeLabel(QWidget* parent, const QRect& rect, const QString& text = {});

// A coloured area behind other controls, black text on background.
enum class PanelBorder {
    None,
    Sunken,     // the sunken panel frame
    ThinBlack,  // one black pixel, whatever colours the label gets later
};
QLabel* makePanel(QWidget* parent, const QRect& rect, const QColor& background, PanelBorder border = PanelBorder::None);

// A picture scaled to its rectangle, loaded from the program's folder; a
// missing file leaves it empty.
QLabel* makePicture(QWidget* parent, const QRect& rect, const QString& folder, const QString& relativePath);

// The maker's logo with the copyright notice as its tooltip.
QLabel* makeLogo(QWidget* parent, const QRect& rect, const Platform& platform);

// A push button, black caption on colour, that takes the focus by click and
// Tab. It is never the default button, so Enter presses it only when it is
// clicked, pressed with the space bar or reached by its mnemonic.
QPushButton* makeButton(QWidget* parent, const QRect& rect, const QString& caption, const QString& tooltip,
                        const QColor& colour);

// The one text field filling a status bar.
QLabel* addStatusText(QStatusBar* bar, const QString& text);

// Switches widgets off for its lifetime and on again however the command
// that holds it ends. Widgets destroyed meanwhile are left alone.
class DisabledWhileAlive {
public:
    explicit DisabledWhileAlive(std::initializer_list<QWidget*> widgets);
    ~DisabledWhileAlive();
    DisabledWhileAlive(const DisabledWhileAlive&) = delete;
    DisabledWhileAlive& operator=(const DisabledWhileAlive&) = delete;

private:
    std::vector<QPointer<QWidget>> widgets_;
};

// A dialog without default and cancel button: Escape and Enter do nothing;
// it closes by its own buttons and the close box only.
class NoCancelDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace lunomat
