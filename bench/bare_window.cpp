// The yardstick for start-up time and idle cost: a bare Qt window of the
// same size as the main window, with nothing in it.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("Bare Qt window"));
    w.resize(577, 427);
    w.show();
    return QApplication::exec();
}
