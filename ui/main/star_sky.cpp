#include "ui/main/star_sky.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "ui/platform/window_cover.h"
#include "ui/widgets/frame_picture.h"
#include "ui/widgets/ui_conventions.h"

namespace lunomat {

namespace {

// The places of Image1(0) to Image1(5) in the main window, in twips: left,
// top, width, height.
constexpr int kSkyPlaces[StarSky::kPictures][4] = {{1200, 800, 2540, 1480}, {4920, 885, 2490, 1415},
                                                   {240, 3165, 2565, 615},  {7440, 240, 1050, 2895},
                                                   {145, 240, 1010, 2775},  {5760, 3160, 2685, 615}};
constexpr int kFrameIntervalMs = 100;
constexpr int kFirstRingTimer = 5;  // Timer5 shows frame 1

// One frame, read and scaled to each picture's size in pixels, and
// compacted. Picture work only, no widgets, so it may run on another thread.
StarSky::Frame makeFrame(const QString& path, const std::array<QSize, StarSky::kPictures>& sizes, qreal ratio) {
    StarSky::Frame scaled;
    QImage source = readImage(path);
    if (source.isNull()) return scaled;
    const QList<QRgb> colours = pictureColours(source);
    source = source.convertToFormat(QImage::Format_RGB32);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        scaled[i] =
            compactFrame(source.scaled(sizes[i] * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), colours);
        scaled[i].setDevicePixelRatio(ratio);
    }
    return scaled;
}

}  // namespace

StarSky::StarSky(QWidget* window, QString programFolder)
    : QObject(window), window_(window), programFolder_(std::move(programFolder)) {
    for (int i = 0; i < kPictures; ++i) {
        // The star sky changes ten times a second: its pictures are made to
        // size beforehand and painted opaque, so nothing below is repainted.
        const int* place = kSkyPlaces[i];
        Image1[i] = new FramePicture(window);
        Image1[i]->setGeometry(twipsRect(place[0], place[1], place[2], place[3]));
        Image1[i]->setObjectName(QStringLiteral("Image1_%1").arg(i));
    }
    // The first frame is needed for the window's first painting. It is made
    // on another core while this one builds the rest of the window and loads
    // its fonts, so that the window is drawn whole that much sooner.
    firstFrame_ = std::async(std::launch::async, makeFrame, framePath(1), pictureSizes(), window->devicePixelRatioF());
    for (int i = 0; i < kFrames; ++i) {
        ring_[i] = new QTimer(this);
        ring_[i]->setInterval(kFrameIntervalMs);
        ring_[i]->setTimerType(Qt::PreciseTimer);
        ring_[i]->setObjectName(QStringLiteral("Timer%1").arg(kFirstRingTimer + i));
        connect(ring_[i], &QTimer::timeout, this, [this, i] { showFrame(i + 1); });
    }
    // The designed star sky comes with the first pass of the event loop, so
    // that reading and scaling it does not delay the window's first showing.
    QTimer::singleShot(0, this, [this] {
        if (shown_) return;
        const Frame& first = frame(1);
        for (int i = 0; i < kPictures; ++i) Image1[i]->setPicture(first[i]);
    });
    window->installEventFilter(this);
}

void StarSky::start() {
    if (running()) return;
    if (held_) heldRing_.push_back(ring_[0]);
    else ring_[0]->start();
}

QString StarSky::framePath(int number) const {
    return programFolder_ + QStringLiteral("/mondgif/starsky-blue-%1.gif").arg(number);
}

std::array<QSize, StarSky::kPictures> StarSky::pictureSizes() const {
    std::array<QSize, kPictures> sizes;
    for (int i = 0; i < kPictures; ++i) sizes[i] = Image1[i]->size();
    return sizes;
}

const StarSky::Frame& StarSky::frame(int number) {
    Frame& scaled = frames_[number - 1];
    // Read once and scaled once to each picture's size, so that showing a
    // frame is a plain copy; a frame that cannot be read stays empty and is
    // tried again when its turn comes round, not straight after the other
    // thread has just failed to read it.
    if (number == 1 && firstFrame_.valid()) scaled = firstFrame_.get();
    else if (scaled[0].isNull()) scaled = makeFrame(framePath(number), pictureSizes(), window_->devicePixelRatioF());
    return scaled;
}

void StarSky::showFrame(int number) {
    const Frame& pictures = frame(number);
    if (!pictures[0].isNull()) {  // otherwise the pictures keep what they show
        for (int i = 0; i < kPictures; ++i) Image1[i]->setPicture(pictures[i]);
        shown_ = true;
    }
    ring_[number - 1]->stop();
    startIfStopped(ring_[number % kFrames]);
}

bool StarSky::running() const {
    if (!heldRing_.empty()) return true;
    for (const QTimer* t : ring_)
        if (t->isActive()) return true;
    return false;
}

bool StarSky::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        if (event->type() == QEvent::Show && !cover_ && window_->windowHandle()) {
            // The window's exposure is known before the event arrives.
            window_->windowHandle()->installEventFilter(this);
            cover_ = new CoverWatch(window_->windowHandle(), [this] { updateHold(); });
        }
        if (event->type() == QEvent::Show || event->type() == QEvent::WindowStateChange) updateHold();
        if (event->type() == QEvent::Hide) hold(true);
    } else if (event->type() == QEvent::Expose) {
        updateHold();
    }
    return false;
}

void StarSky::updateHold() {
    const QWindow* window = window_->windowHandle();
    hold(!window_->isVisible() || window_->isMinimized() || !window || !window->isExposed() ||
         (cover_ && cover_->covered()));
}

void StarSky::hold(bool on) {
    if (on == held_) return;
    held_ = on;
    if (on) {
        for (QTimer* t : ring_) {
            if (!t->isActive()) continue;
            heldRing_.push_back(t);
            t->stop();
        }
    } else {
        // Each one ticks a full interval after the window shows again.
        for (QTimer* t : heldRing_) t->start();
        heldRing_.clear();
    }
}

}  // namespace lunomat
