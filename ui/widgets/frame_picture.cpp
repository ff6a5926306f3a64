#include "ui/widgets/frame_picture.h"

#include <QHash>
#include <QSet>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace lunomat {

QList<QRgb> pictureColours(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> colours;
    QSet<QRgb> seen;
    for (int y = 0; y < rgb.height() && colours.size() < 256; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width() && colours.size() < 256; ++x) {
            if (seen.contains(line[x])) continue;
            seen.insert(line[x]);
            colours << line[x];
        }
    }
    return colours;
}

QImage compactFrame(const QImage& scaled, const QList<QRgb>& sourceColours) {
    const QImage rgb = scaled.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> table = sourceColours.mid(0, 256);
    QHash<QRgb, int> count;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) ++count[line[x]];
    }
    std::vector<std::pair<int, QRgb>> others;
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        if (!table.contains(it.key())) others.emplace_back(it.value(), it.key());
    // Commonest first; equal counts by colour, so that the table does not
    // depend on the order of the hash.
    std::sort(others.begin(), others.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    for (const auto& other : others) {
        if (table.size() >= 256) break;
        table << other.second;
    }
    QImage compact = rgb.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither | Qt::AvoidDither);
    compact.setDevicePixelRatio(scaled.devicePixelRatio());
    return compact;
}

FramePicture::FramePicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);  // the picture covers the whole widget
}

void FramePicture::setPicture(const QImage& frame) {
    if (frame.isNull() || frame.cacheKey() == shownKey_) return;
    shownKey_ = frame.cacheKey();
    if (frame.format() != QImage::Format_Indexed8) {
        shown_ = frame.convertToFormat(QImage::Format_RGB32);
    } else {
        if (shown_.size() != frame.size() || shown_.format() != QImage::Format_RGB32)
            shown_ = QImage(frame.size(), QImage::Format_RGB32);
        std::array<QRgb, 256> colours;
        colours.fill(qRgb(0, 0, 0));  // every byte value has a colour
        const QList<QRgb> table = frame.colorTable();
        for (qsizetype i = 0; i < std::min<qsizetype>(table.size(), 256); ++i) colours[i] = table[i] | 0xff000000u;
        uchar* bits = shown_.bits();
        const uchar* source = frame.constBits();
        const qsizetype stride = shown_.bytesPerLine(), sourceStride = frame.bytesPerLine();
        const int width = frame.width(), height = frame.height();
        for (int y = 0; y < height; ++y) {
            const uchar* in = source + y * sourceStride;
            auto* out = reinterpret_cast<QRgb*>(bits + y * stride);
            for (int x = 0; x < width; ++x) out[x] = colours[in[x]];
        }
    }
    shown_.setDevicePixelRatio(frame.devicePixelRatio());
    update();
}

void FramePicture::paintEvent(QPaintEvent* event) {
    if (shown_.isNull()) return;
    QPainter p(this);
    // Where other controls overlap the picture, the area to paint is ragged.
    // The raster engine then hands an area taller than about 95 lines of the
    // screen to its worker threads, and waking them costs far more than
    // copying the pixels. Strips of at most 64 screen lines are copied on the
    // calling thread; on a scaled screen that is fewer lines of the widget.
    const int strip = std::max(1, int(64 / devicePixelRatioF()));
    const qreal ratio = shown_.devicePixelRatio();
    for (const QRect& r : event->region()) {
        for (int y = r.top(); y <= r.bottom(); y += strip) {
            const QRect part(r.left(), y, r.width(), std::min(strip, r.bottom() - y + 1));
            p.drawImage(part, shown_, QRectF(QPointF(part.topLeft()) * ratio, QSizeF(part.size()) * ratio));
        }
    }
}

void OverlayLabel::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const LookKey key{text(), alignment(), contentsRect(), ratio};
    if (look_.isNull() || !(lookKey_ == key)) {
        look_ = QPixmap(size() * ratio);
        look_.setDevicePixelRatio(ratio);
        look_.fill(Qt::transparent);
        // Plain text without frame or margin, drawn as the label draws it.
        QPainter p(&look_);
        p.setFont(font());
        style()->drawItemText(&p, contentsRect(), QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                              isEnabled(), text(), foregroundRole());
        lookKey_ = key;
    }
    QPainter(this).drawPixmap(0, 0, look_);
}

void OverlayLabel::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
    case QEvent::StyleChange:
        look_ = QPixmap();
        break;
    default:
        break;
    }
    QLabel::changeEvent(event);
}

}  // namespace lunomat
