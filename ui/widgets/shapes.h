#pragma once
// Drawn decorations of the windows: filled circles and straight lines, each a
// small widget that paints itself and takes no input.

#include <QColor>
#include <QLine>
#include <QWidget>

namespace lunomat {

// A filled circle that fills its rectangle.
class CircleShape : public QWidget {
public:
    CircleShape(const QColor& colour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor colour_;
};

// A straight line between two points given in twips of the parent.
class LineShape : public QWidget {
public:
    LineShape(int x1, int y1, int x2, int y2, const QColor& colour, int widthPx, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QLine line_;  // in this widget's coordinates
    QColor colour_;
    int width_;
};

}  // namespace lunomat
