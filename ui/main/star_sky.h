#pragma once
// The star sky of the main window: the six pictures Image1(0) to Image1(5)
// and the ring of timers Timer5 to Timer10 that shows frames 1 to 6 in turn,
// 100 ms each. While nobody can see the window (minimized, hidden, or
// covered by other windows) the ring is held: its timers stop and start
// again where they stopped, so the next frame shown is the next one of the
// ring.

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <array>
#include <future>
#include <vector>

class QTimer;
class QWidget;

namespace lunomat {

class CoverWatch;
class FramePicture;

class StarSky : public QObject {
public:
    static constexpr int kFrames = 6;             // frames 1 to 6, one timer each
    static constexpr int kPictures = 6;           // Image1(0) to Image1(5)
    using Frame = std::array<QImage, kPictures>;  // one frame at each picture's size

    // Creates the six pictures at their places in `window` and starts
    // making frame 1, which the window's first painting shows.
    StarSky(QWidget* window, QString programFolder);

    // A computation switches Timer5 on, unless a timer of the ring already
    // runs: one runner goes round it.
    void start();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showFrame(int frame);  // 1 to 6
    const Frame& frame(int number);
    QString framePath(int number) const;
    std::array<QSize, kPictures> pictureSizes() const;
    bool running() const;
    void updateHold();
    void hold(bool on);

    QWidget* window_;
    QString programFolder_;
    std::array<FramePicture*, kPictures> Image1{};
    std::array<QTimer*, kFrames> ring_{};  // Timer5 to Timer10: frames 1 to 6
    std::array<Frame, kFrames> frames_{};  // frames 1 to 6, kept compact once made
    std::future<Frame> firstFrame_;        // frame 1, until it is first wanted
    bool shown_ = false;                   // a frame of the ring has been shown
    bool held_ = false;
    std::vector<QTimer*> heldRing_;  // the ring timers that were on when the sky was held
    CoverWatch* cover_ = nullptr;    // owned by the native window
};

}  // namespace lunomat
