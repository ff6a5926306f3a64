#include "ui/widgets/ui_conventions.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <cmath>
#include <utility>

#include "ui/platform/platform.h"

namespace lunomat {

void startIfStopped(QTimer* timer) {
    if (!timer->isActive()) timer->start();
}

int px(int twips) { return static_cast<int>(std::lround(twips / double(kTwipsPerPixel))); }

QRect twipsRect(int left, int top, int width, int height) { return QRect(px(left), px(top), px(width), px(height)); }

namespace {
QString availableFamily(const QString& designed) {
    // Families of the original design that Linux desktops do not ship, each
    // mapped once to the closest family Debian has.
    if (designed == QLatin1String("Alba Super")) return QStringLiteral("DejaVu Sans");
    if (designed == QLatin1String("MS Sans Serif")) return QStringLiteral("Liberation Sans");
    if (designed == QLatin1String("MS Serif")) return QStringLiteral("Liberation Serif");
    if (designed == QLatin1String("Arial")) return QStringLiteral("Liberation Sans");
    if (designed == QLatin1String("Courier New")) return QStringLiteral("Liberation Mono");
    return designed;
}
}  // namespace

QFont designFont(const QString& family, double points, bool bold, bool underline) {
    QFont f(availableFamily(family));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

void setColours(QWidget* w, const QColor& text, const QColor& background) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::Base, background);
    p.setColor(QPalette::Button, background);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void setTextColour(QWidget* w, const QColor& text) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Text, text);
    w->setPalette(p);
}

void selectRange(QLineEdit* field, int start, int length) {
    const int size = int(field->text().size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (length == 0) field->setCursorPosition(start);
    else field->setSelection(start, length);
}

void moveFocus(QLineEdit* field, int start, int length) {
    selectRange(field, start, length);
    field->setFocus(Qt::OtherFocusReason);
}

bool loadPicture(QLabel* label, const QString& folder, const QString& relativePath) {
    QImage picture = readImage(folder + relativePath);
    if (picture.isNull()) return false;
    if (label->hasScaledContents()) {
        // A stretched picture is kept at the size it is shown: the label
        // would otherwise hold the picture as drawn and a stretched copy.
        const qreal ratio = label->devicePixelRatioF();
        const QSize shown = label->contentsRect().size() * ratio;
        if (!shown.isEmpty() && picture.size() != shown)
            picture = picture.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        picture.setDevicePixelRatio(ratio);
    }
    label->setPixmap(QPixmap::fromImage(std::move(picture)));
    return true;
}

QImage readImage(const QString& path) {
    if (!QFileInfo::exists(path)) return {};  // a missing picture is allowed and needs no warning
    // The file name says the format. Left to guess, Qt would load every
    // picture plugin it has, even for a format it reads itself, just to ask
    // each whether it reads that format better: time and memory for nothing.
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QPixmap readPicture(const QString& path) { return QPixmap::fromImage(readImage(path)); }

}  // namespace lunomat

namespace lunomat {
QString copyrightNotice(int currentYear) {
    // A clock set before the first year shows that year alone, not a range
    // that runs backwards.
    constexpr int kFirstYear = 2007;
    if (currentYear < kFirstYear) return QStringLiteral("  © %1 Luno-Mat").arg(kFirstYear);
    return QStringLiteral("  © %1-%2 Luno-Mat").arg(kFirstYear).arg(currentYear);
}
}  // namespace lunomat

namespace lunomat {

namespace {
// A label with a thin black border of its own, so that the border keeps its
// colour whatever colour the text has.
class ThinBorderLabel : public QLabel {
public:
    explicit ThinBorderLabel(QWidget* parent) : QLabel(parent) { setContentsMargins(1, 1, 1, 1); }

protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        QPainter p(this);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};
}  // namespace

QLabel* makeLabel(QWidget* parent, const QRect& rect, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(rect);
    return label;
}

QLabel* makePanel(QWidget* parent, const QRect& rect, const QColor& background, PanelBorder border) {
    QLabel* label = border == PanelBorder::ThinBlack ? new ThinBorderLabel(parent) : new QLabel(parent);
    label->setGeometry(rect);
    setColours(label, Qt::black, background);
    if (border == PanelBorder::Sunken) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
    }
    return label;
}

QLabel* makePicture(QWidget* parent, const QRect& rect, const QString& folder, const QString& relativePath) {
    QLabel* label = makeLabel(parent, rect);
    label->setScaledContents(true);
    loadPicture(label, folder, relativePath);
    return label;
}

QLabel* makeLogo(QWidget* parent, const QRect& rect, const Platform& platform) {
    QLabel* logo = makePicture(parent, rect, platform.programFolder(), QStringLiteral("/logo.gif"));
    logo->setToolTip(copyrightNotice(platform.now().date().year()).trimmed());
    return logo;
}

namespace {

// A push button drawn flat in its designed colour, with the classic raised
// edge, a sunken edge and shifted caption while pressed, a dotted focus
// rectangle, and a greyed, engraved caption while switched off. The style's
// own buttons paint a gradient and look the same on and off.
class FlatButton : public QPushButton {
public:
    FlatButton(const QString& caption, const QColor& face, QWidget* parent)
        : QPushButton(caption, parent), face_(face) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect r = rect();
        p.fillRect(r, face_);
        const bool down = isDown() || isChecked();
        // Outer black line, then one line of light and shade inside it.
        p.setPen(Qt::black);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        const QRect inner = r.adjusted(1, 1, -2, -2);
        p.setPen(down ? QColor(128, 128, 128) : QColor(255, 255, 255));
        p.drawLine(inner.topLeft(), inner.topRight());
        p.drawLine(inner.topLeft(), inner.bottomLeft());
        p.setPen(down ? face_ : QColor(128, 128, 128));
        p.drawLine(inner.bottomLeft(), inner.bottomRight());
        p.drawLine(inner.topRight(), inner.bottomRight());

        const QRect textRect = down ? r.translated(1, 1) : r;
        const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
        p.setFont(font());
        if (isEnabled()) {
            p.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
            p.drawText(textRect, flags, text());
        } else {
            p.setPen(Qt::white);
            p.drawText(textRect.translated(1, 1), flags, text());
            p.setPen(QColor(128, 128, 128));
            p.drawText(textRect, flags, text());
        }
        if (hasFocus()) {
            p.setPen(QPen(Qt::black, 1, Qt::DotLine));
            p.drawRect(r.adjusted(4, 4, -5, -5));
        }
    }

private:
    QColor face_;
};

}  // namespace

QPushButton* makeButton(QWidget* parent, const QRect& rect, const QString& caption, const QString& tooltip,
                        const QColor& colour) {
    auto* button = new FlatButton(caption, colour, parent);
    button->setGeometry(rect);
    setColours(button, Qt::black, colour);
    button->setToolTip(tooltip);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QLabel* addStatusText(QStatusBar* bar, const QString& text) {
    auto* label = new QLabel(text, bar);
    label->setTextFormat(Qt::PlainText);
    bar->addWidget(label, 1);
    return label;
}

DisabledWhileAlive::DisabledWhileAlive(std::initializer_list<QWidget*> widgets) {
    for (QWidget* w : widgets) {
        if (!w) continue;
        w->setEnabled(false);
        widgets_.emplace_back(w);
    }
}

DisabledWhileAlive::~DisabledWhileAlive() {
    for (const QPointer<QWidget>& w : widgets_)
        if (w) w->setEnabled(true);
}

void NoCancelDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter: event->accept(); return;
    default: QDialog::keyPressEvent(event);
    }
}

}  // namespace lunomat
