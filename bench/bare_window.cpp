// The yardstick for start-up time and idle cost: a bare Qt window of the
// same size as the main window.
//
// With --text it shows one line of text: every program that shows text pays
// for finding and loading a font, so that is the start-up to compare with.
// Without options the window is empty.
//
// With --design-text it also shows the design's text: one line in each font
// family and size the main window uses, and three input fields in the date
// fields' font. An input field lays out its text as it is made, so a window
// with fields pays for its fonts before it is mapped; the text window pays
// at its first painting, after the map.
//
// With --animate it also shows a 20 x 20 picture that changes ten times a
// second, the least an animation at the star sky's rate can do; its idle
// CPU is the floor that any such animation pays on the machine at hand.
//
// With --animate-sky it changes six pictures of the star sky's places and
// sizes instead, ten times a second: what moving that many pixels costs the
// toolkit and the X server connection, whatever the program that does it.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <array>
#include <vector>

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
    if (args.contains(QStringLiteral("--design-text"))) {
        // Family and pixel size of each font of the main window.
        const std::pair<const char*, int> fonts[] = {{"DejaVu Sans", 21},      {"Liberation Sans", 11},
                                                     {"Liberation Sans", 13},  {"Liberation Sans", 15},
                                                     {"Liberation Serif", 11}, {"Liberation Sans", 23}};
        int top = 70;
        for (const auto& [family, pixels] : fonts) {
            QFont font(QString::fromLatin1(family));
            font.setPixelSize(pixels);
            auto* line = new QLabel(QStringLiteral("Mondphase am 07.12.2026"), &w);
            line->setFont(font);
            line->setGeometry(10, top, 400, 30);
            top += 32;
        }
        QFont fieldFont(QStringLiteral("Liberation Sans"));
        fieldFont.setPixelSize(23);
        for (int i = 0; i < 3; ++i) {
            auto* field = new QLineEdit(&w);
            field->setFont(fieldFont);
            field->setGeometry(400 + 45 * i, 280, 40, 34);
        }
    }

    // The pictures that change and where they lie, in pixels.
    std::vector<QRect> places;
    if (args.contains(QStringLiteral("--animate"))) places = {QRect(10, 10, 20, 20)};
    if (args.contains(QStringLiteral("--animate-sky")))
        places = {QRect(80, 53, 169, 99),  QRect(328, 59, 166, 94), QRect(16, 211, 171, 41),
                  QRect(496, 16, 70, 193), QRect(10, 16, 67, 185),  QRect(384, 211, 179, 41)};
    std::vector<std::array<QPixmap, 2>> frames;
    std::vector<QLabel*> pictures;
    for (const QRect& place : places) {
        std::array<QPixmap, 2> pair{QPixmap(place.size()), QPixmap(place.size())};
        pair[0].fill(Qt::darkBlue);
        pair[1].fill(Qt::white);
        frames.push_back(pair);
        pictures.push_back(new QLabel(&w));
        pictures.back()->setGeometry(place);
    }
    QTimer tick;
    int shown = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        ++shown;
        for (std::size_t i = 0; i < pictures.size(); ++i) pictures[i]->setPixmap(frames[i][shown % 2]);
    });
    tick.setTimerType(Qt::PreciseTimer);
    if (!pictures.empty()) tick.start(100);
    w.show();
    return QApplication::exec();
}
