#include "ui/info/caption_frame.h"

#include <QPainter>
#include <algorithm>

namespace lunomat {

CaptionFrame::CaptionFrame(const QString& caption, const QColor& captionColour, QWidget* parent)
    : QWidget(parent), caption_(caption), captionColour_(captionColour) {
    setAttribute(Qt::WA_NoSystemBackground, false);
}

void CaptionFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Every caption in the window's font, whatever its length. One that is
    // wider than the frame allows between its corners (the replacement
    // fonts run wider than the designed ones) moves left into the corner
    // rather than shrinking.
    const QFontMetrics fm(font());
    const int captionWidth = fm.horizontalAdvance(caption_) + 4;
    const int lineY = fm.height() / 2;
    const QRect captionRect(std::clamp(width() - 4 - captionWidth, 0, 8), 0, captionWidth, fm.height());

    // Etched border: a dark line with a light one just inside, interrupted
    // where the caption stands.
    const QRect outer(0, lineY, width() - 2, height() - lineY - 2);
    const QColor dark = palette().color(QPalette::Window).darker(180);
    const QColor light = palette().color(QPalette::Window).lighter(190);
    for (const auto& [colour, offset] : {std::pair{dark, 0}, std::pair{light, 1}}) {
        p.setPen(colour);
        const QRect r = outer.translated(offset, offset);
        p.drawLine(r.left(), r.top(), captionRect.left(), r.top());
        p.drawLine(captionRect.right(), r.top(), r.right(), r.top());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.drawLine(r.topRight(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.bottomRight());
    }

    p.setPen(captionColour_);
    p.drawText(captionRect, Qt::AlignCenter, caption_);
}

}  // namespace lunomat
