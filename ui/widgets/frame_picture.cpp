#include "ui/widgets/frame_picture.h"

#include <QEvent>
#include <QHash>
#include <QPaintEvent>
#include <QPainter>
#include <QSet>
#include <QStyle>
#include <algorithm>
#include <array>
#include <limits>
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

namespace {

// The colours of one picture, each with a number: how often it occurs, later
// the index it takes in the table. Open addressing over a power of two that
// doubles before it is half full; far quicker than a general hash for the
// one lookup per pixel, and a frame has only a few thousand colours.
class ColourNumbers {
public:
    int& operator[](QRgb colour) {  // colour has its alpha set, so 0 marks a free slot
        std::size_t i = slot(colour);
        if (keys_[i] == 0) {
            if (2 * (order_.size() + 1) > keys_.size()) {
                grow();
                i = slot(colour);
            }
            keys_[i] = colour;
            order_.push_back(i);
        }
        return values_[i];
    }
    // Calls f(colour, number) for each colour in the order first seen.
    template <typename F>
    void forEach(F f) {
        for (std::size_t i : order_) f(keys_[i], values_[i]);
    }

private:
    std::size_t slot(QRgb colour) const {
        const std::size_t mask = keys_.size() - 1;
        std::size_t i = static_cast<std::size_t>(colour * 2654435761u) & mask;
        while (keys_[i] != colour && keys_[i] != 0) i = (i + 1) & mask;
        return i;
    }
    void grow() {
        std::vector<QRgb> keys = std::move(keys_);
        std::vector<int> values = std::move(values_);
        keys_.assign(keys.size() * 2, 0);
        values_.assign(keys_.size(), 0);
        for (std::size_t& i : order_) {
            const std::size_t to = slot(keys[i]);
            keys_[to] = keys[i];
            values_[to] = values[i];
            i = to;
        }
    }
    std::vector<QRgb> keys_ = std::vector<QRgb>(4096, 0);
    std::vector<int> values_ = std::vector<int>(4096, 0);
    std::vector<std::size_t> order_;
};

// The table as three rows of channel values, so that the distances to all
// entries are worked out side by side. Entries past the table's end lie far
// from any colour and are never nearest.
struct TableChannels {
    explicit TableChannels(const QList<QRgb>& table) {
        for (auto& row : rows) row.fill(1 << 20);
        for (qsizetype i = 0; i < std::min<qsizetype>(table.size(), 256); ++i) {
            rows[0][i] = qRed(table[i]);
            rows[1][i] = qGreen(table[i]);
            rows[2][i] = qBlue(table[i]);
        }
    }
    // The index of the entry nearest to `colour`: the least sum of the
    // differences of red, green and blue, the first of equals. This is the
    // choice Qt's own conversion to a colour table makes.
    int nearest(QRgb colour) const {
        const int r = qRed(colour), g = qGreen(colour), b = qBlue(colour);
        // Distance and index in one number: its least value is the nearest
        // entry, and of equally near ones the first.
        int least = std::numeric_limits<int>::max();
        for (int i = 0; i < 256; ++i) {
            const int distance = std::abs(rows[0][i] - r) + std::abs(rows[1][i] - g) + std::abs(rows[2][i] - b);
            least = std::min(least, distance * 256 + i);
        }
        return least % 256;
    }
    std::array<std::array<int, 256>, 3> rows;
};

}  // namespace

QImage compactFrame(const QImage& scaled, const QList<QRgb>& sourceColours) {
    const QImage rgb = scaled.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> table = sourceColours.mid(0, 256);
    for (QRgb& c : table) c |= 0xff000000u;
    ColourNumbers colours;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) ++colours[line[x] | 0xff000000u];
    }
    if (table.size() < 256) {
        std::vector<std::pair<int, QRgb>> others;
        colours.forEach([&](QRgb colour, int count) {
            if (!table.contains(colour)) others.emplace_back(count, colour);
        });
        // Commonest first; equal counts by colour, so that the table does not
        // depend on the order the colours were met in.
        std::sort(others.begin(), others.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first > b.first : a.second < b.second;
        });
        for (const auto& other : others) {
            if (table.size() >= 256) break;
            table << other.second;
        }
    }
    const TableChannels channels(table);
    colours.forEach([&](QRgb colour, int& number) { number = channels.nearest(colour); });

    QImage compact(rgb.size(), QImage::Format_Indexed8);
    compact.setColorTable(table);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = compact.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) out[x] = uchar(colours[line[x] | 0xff000000u]);
    }
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
        style()->drawItemText(&p, contentsRect(),
                              static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment()).toInt()),
                              palette(), isEnabled(), text(), foregroundRole());
        lookKey_ = key;
    }
    QPainter(this).drawPixmap(0, 0, look_);
}

void OverlayLabel::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
    case QEvent::StyleChange: look_ = QPixmap(); break;
    default: break;
    }
    QLabel::changeEvent(event);
}

}  // namespace lunomat
