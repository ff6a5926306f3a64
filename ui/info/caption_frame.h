#pragma once
// A frame in the style of the designed windows: an etched rectangle whose
// top edge is broken by a caption in its own colour. Child positions are
// relative to the frame's outer top-left corner, caption included, so the
// designed twips positions can be used as they are.

#include <QColor>
#include <QString>
#include <QWidget>

namespace lunomat {

class CaptionFrame : public QWidget {
    Q_OBJECT
public:
    CaptionFrame(const QString& caption, const QColor& captionColour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QColor captionColour_;
};

}  // namespace lunomat
