#pragma once
// The pictures of an animation that runs all the time: each frame is kept
// small in memory and painted the cheapest way the raster engine offers.

#include <QImage>
#include <QLabel>
#include <QList>
#include <QPixmap>
#include <QRgb>
#include <QWidget>

namespace lunomat {

// A frame kept with one byte a pixel: the colours of the frame it was
// scaled from come first in its colour table (they are most of its pixels),
// then the commonest of the in-between colours that scaling made, up to 256.
// Any other pixel takes the nearest colour of that table.
QImage compactFrame(const QImage& scaled, const QList<QRgb>& sourceColours);

// The colours a picture uses, in the order they first appear; at most 256.
QList<QRgb> pictureColours(const QImage& picture);

// One picture of the animation, shown at its own size in the top-left
// corner. It is shown ten times a second, so it is drawn on the calling
// thread from a ready 32-bit copy; see paintEvent.
class FramePicture : public QWidget {
public:
    explicit FramePicture(QWidget* parent);
    // Shows a frame; an 8-bit frame is spread into the picture's own 32-bit
    // copy, which is kept from frame to frame.
    void setPicture(const QImage& frame);
    const QImage& picture() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage shown_;
    qint64 shownKey_ = 0;  // the frame shown, so that showing it again costs nothing
};

// A label of plain text that lies over the animation. It is repainted with
// every frame although it does not change, so its text is kept as a picture
// and only laid down again; a new text, alignment, font, colour or size
// draws it anew.
class OverlayLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // What the kept picture was drawn for; font and colour changes arrive
    // as events and drop the picture.
    struct LookKey {
        QString text;
        Qt::Alignment alignment;
        QRect area;
        qreal ratio = 0;
        bool operator==(const LookKey&) const = default;
    };
    QPixmap look_;
    LookKey lookKey_;
};

}  // namespace lunomat
