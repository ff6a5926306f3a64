// The yardstick for start-up time and idle cost: a bare Qt window of the
// same size as the main window.
//
// With --text it shows one line of text: every program that shows text pays
// for finding and loading a font, so that is the start-up to compare with.
// Without options the window is empty.
//
// With --animate it also shows a 20 x 20 picture that changes ten times a
// second, the least an animation at the star sky's rate can do; its idle
// CPU is the floor that any such animation pays on the machine at hand.
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <array>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("Bare Qt window"));
    w.resize(577, 427);
    const QStringList args = QApplication::arguments();

    if (args.contains(QStringLiteral("--text"))) {
        auto* line = new QLabel(QStringLiteral("Mondphase am 07.12.2026"), &w);
        line->setGeometry(10, 40, 400, 24);
    }

    QTimer tick;
    std::array<QPixmap, 2> frames{QPixmap(20, 20), QPixmap(20, 20)};
    if (args.contains(QStringLiteral("--animate"))) {
        frames[0].fill(Qt::darkBlue);
        frames[1].fill(Qt::white);
        auto* picture = new QLabel(&w);
        picture->setGeometry(10, 10, 20, 20);
        int shown = 0;
        QObject::connect(&tick, &QTimer::timeout, [&, picture] { picture->setPixmap(frames[shown++ % 2]); });
        tick.setTimerType(Qt::PreciseTimer);
        tick.start(100);
    }
    w.show();
    return QApplication::exec();
}
