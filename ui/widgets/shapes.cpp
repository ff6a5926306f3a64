#include "ui/widgets/shapes.h"

#include <QPainter>
#include <algorithm>

#include "ui/widgets/ui_conventions.h"

namespace lunomat {

CircleShape::CircleShape(const QColor& colour, QWidget* parent) : QWidget(parent), colour_(colour) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CircleShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour_.darker(130), 1));
    p.setBrush(colour_);
    p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

LineShape::LineShape(int x1, int y1, int x2, int y2, const QColor& colour, int widthPx, QWidget* parent)
    : QWidget(parent), colour_(colour), width_(widthPx) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const QPoint a(px(x1), px(y1)), b(px(x2), px(y2));
    // The widget covers the line and half its width on every side.
    const int half = (widthPx + 1) / 2;
    const QRect box = QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                            QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())))
                          .adjusted(-half, -half, half, half);
    setGeometry(box);
    line_ = QLine(a - box.topLeft(), b - box.topLeft());
}

void LineShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(colour_, width_, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(line_);
}

}  // namespace lunomat
