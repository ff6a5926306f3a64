#pragma once
// What every window test works with: Qt's widgets and test tools, GoogleTest,
// the fake platform, the golden records and case tables, and two measures of
// pictures.
#include <gtest/gtest.h>
#include <QtTest>
#include <QtWidgets>
#include <algorithm>

#include "testsupport/fake_platform.h"
#include "testsupport/golden.h"

namespace lunomat::test {

// The rows of a case table (see golden.h) that must hold `count` cases: a
// failure and no rows when it holds another number, so that a table cut
// short cannot pass unnoticed.
inline QList<QStringList> readCases(const QString& relativePath, qsizetype count) {
    const QList<QStringList> rows = readTable(relativePath);
    EXPECT_EQ(rows.size(), count) << relativePath.toStdString();
    return rows.size() == count ? rows : QList<QStringList>();
}

// Shows the window and makes it the active one, as a click on a desktop
// does, so that focus and keys behave as there.
inline bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Closes (rejects) every dialog that comes up while it lives, looking every
// 20 ms, and records each one's class, title and visible buttons' texts; a
// dialog that should not have come cannot hang a test.
struct DialogWatcher {
    struct Seen {
        QString className, title;
        QStringList buttons;
    };
    QList<Seen> seen;
    QTimer timer;
    DialogWatcher() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QDialog*>(w);
                if (!dialog || !dialog->isVisible()) continue;
                seen << Seen{w->metaObject()->className(), w->windowTitle(), {}};
                for (auto* button : dialog->findChildren<QAbstractButton*>())
                    if (button->isVisible()) seen.back().buttons << button->text();
                dialog->reject();
            }
        });
        timer.start(20);
    }
};

// A stand-in for a program: a shell script at `path` that first writes its
// process id to `path`.pid, then runs `script`; runnable or only readable.
inline void writeStandIn(const QString& path, const QString& script, bool runnable) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write("#!/bin/sh\necho $$ > \"$0.pid\"\n" + script.toUtf8() + "\n");
    file.setPermissions(file.permissions() | (runnable ? QFileDevice::ExeOwner : QFileDevice::ReadOwner));
}

// A picture in which nearly every pixel differs from its neighbours.
inline QImage gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    return image;
}

// The largest difference of one colour channel between two pictures of one size.
inline int largestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            for (const int shift : {0, 8, 16})
                largest = std::max(largest,
                                   std::abs(int(a.pixel(x, y) >> shift & 0xff) - int(b.pixel(x, y) >> shift & 0xff)));
    return largest;
}

}  // namespace lunomat::test
