// The moon-zodiac window against a web proxy of the test's own on the
// loopback interface, which answers for the maker's site.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QWebEngineView>
#include <functional>
#include <gtest/gtest.h>

#include "ui/browser/internet_browser.h"
#include "ui/platform/version.h"

using lunomat::Internet_Browser;

namespace {

const char* const kZodiacPath = "/mondtierkreiszeichen/mondzeichen.php";
const QString kRunningCaption = QStringLiteral("Luno-Mat - Link zur Mondzeichen-Webseite des Programms.");

// A minimal HTTP/1.0 proxy: one request per connection; the maker's page is
// `page`, anything else is not found. Set up before the browser engine
// starts, which reads the proxy once.
struct Proxy {
    QTcpServer server;
    QStringList requests;  // paths asked for on the maker's host
    QByteArray page;

    Proxy() {
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->peek(1 << 16).contains("\r\n\r\n")) return;
                    const QUrl url(QString::fromLatin1(socket->readLine().split(' ').value(1)));
                    if (url.host() == QLatin1String(lunomat::kWebHost)) requests << url.path();
                    const bool found = url.host() == QLatin1String(lunomat::kWebHost) && url.path() == kZodiacPath;
                    const QByteArray body = found ? page : "nicht gefunden";
                    socket->write((found ? "HTTP/1.0 200 OK\r\n" : "HTTP/1.0 404 Not Found\r\n") +
                                  QByteArray("Content-Type: text/html; charset=utf-8\r\nContent-Length: ") +
                                  QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
            }
        });
        EXPECT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", server.serverPort()));
    }
};

Proxy& proxy() {
    static Proxy* p = new Proxy;  // lives as long as the engine
    return *p;
}

QWebEngineView* view(const Internet_Browser& w) { return w.findChild<QWebEngineView*>("brwWebBrowser"); }

// Opens the window, optionally waiting for the page; the caption changes
// a few milliseconds after opening, long before the page arrives.
std::unique_ptr<Internet_Browser> open(const QByteArray& page, bool wait = true) {
    proxy().requests.clear();
    proxy().page = page;
    auto window = std::make_unique<Internet_Browser>();
    EXPECT_EQ(window->windowTitle(), " Luno-Mat - Link zur Mondzeichen-Webseite des Programms.");
    QSignalSpy loaded(view(*window), &QWebEngineView::loadFinished);
    window->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->windowTitle() == kRunningCaption; }, 1000));
    if (wait) {
        EXPECT_TRUE(loaded.count() > 0 || loaded.wait(15000));
    }
    return window;
}

const QByteArray kPage = "<html><head><title>Mondzeichen</title></head><body>Mond im Widder</body></html>";

TEST(InternetBrowser, ShowsTheMakersPageOnceAndAgainOnRefresh) {
    auto window = open(kPage);
    EXPECT_EQ(view(*window)->title(), "Mondzeichen");
    EXPECT_EQ(window->findChild<QStatusBar*>("StatusBar1")->findChild<QLabel*>()->text(),
              QStringLiteral(" Luno-Mat   -   Mondtier- und Sonnenstern-Kreiszeichen von http://") +
                  lunomat::kWebHost);
    QTest::qWait(200);  // room for a second, unwanted request
    EXPECT_EQ(proxy().requests.count(kZodiacPath), 1) << proxy().requests.join(' ').toStdString();

    // Toolbar and status bar in light grey; the refresh button has no tooltip.
    for (const char* bar : {"QToolBar", "StatusBar1"}) {
        auto* widget = bar[0] == 'Q' ? window->findChild<QToolBar*>() : window->findChild<QWidget*>(bar);
        EXPECT_EQ(widget->grab().toImage().pixelColor(widget->width() - 4, 4), QColor(212, 208, 200)) << bar;
    }
    EXPECT_EQ(window->centralWidget()->palette().color(QPalette::Window), QColor(64, 64, 64));  // the dark inner area
    // Designed inner place and size in pixels, with the menu bar above it.
    EXPECT_EQ(window->geometry(), QRect(204, 242, 766, 565 + window->menuBar()->sizeHint().height()));
    for (const char* name : {"btnRefresh", "btnBeenden"}) {
        QWidget* button = window->findChild<QToolButton*>(name);
        QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), button->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(button, &help);
        const QString tip = name[3] == 'R' ? "" : "Beenden (zurück zum Mondphasen-Startfenster)";
        EXPECT_EQ(QToolTip::isVisible() ? QToolTip::text() : "", tip) << name;
    }
    QSignalSpy loaded(view(*window), &QWebEngineView::loadFinished);
    QTest::mouseClick(window->findChild<QToolButton*>("btnRefresh"), Qt::LeftButton);
    ASSERT_TRUE(loaded.wait(15000));
    EXPECT_EQ(proxy().requests.count(kZodiacPath), 2);
    EXPECT_TRUE(window->isVisible());
}

// The browser area follows the inner size; toolbar, menu and close box
// close the window.
TEST(InternetBrowser, BrowserAreaFollowsTheInnerSizeAndThreeWaysClose) {
    const std::tuple<const char*, QSize, std::function<void(Internet_Browser&)>> ways[] = {
        {"toolbar", {640, 480}, [](Internet_Browser& w) { QTest::mouseClick(w.findChild<QToolButton*>("btnBeenden"), Qt::LeftButton); }},
        {"menu", {1000, 700}, [](Internet_Browser& w) { w.menuBar()->actions().first()->trigger(); }},
        {"close box", {420, 300}, [](Internet_Browser& w) { w.close(); }},
    };
    for (const auto& [name, size, close] : ways) {
        auto window = open(kPage, false);
        QWidget* client = window->centralWidget();
        window->resize(size);
        EXPECT_TRUE(QTest::qWaitFor([&] { return client->width() == window->width(); }, 2000));
        EXPECT_EQ(view(*window)->geometry(), QRect(0, 33, client->width(), client->height()));
        EXPECT_EQ(window->findChild<QStatusBar*>("StatusBar1")->geometry().bottom(), client->height() - 1);
        EXPECT_EQ(window->menuBar()->actions().size(), 1);
        close(*window);
        EXPECT_FALSE(window->isVisible()) << name;
    }
}

TEST(InternetBrowser, PageDialogsAreAnsweredNoWithoutShowing) {
    // Any dialog that comes up is recorded and closed, so that a failure
    // cannot hang the test.
    QStringList dialogs;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible()) {
                dialogs << QString::fromLatin1(w->metaObject()->className());
                dialog->reject();
            }
    });
    watcher.start(20);
    auto window = open("<html><body><script>alert('Hallo'); var c = confirm('Weiter?');"
                       "var p = prompt('Name?', 'x'); document.title = 'danach:' + c + ':' + p;</script></body></html>");
    EXPECT_TRUE(QTest::qWaitFor([&] { return view(*window)->title() == "danach:false:null"; }, 5000))
        << view(*window)->title().toStdString();
    EXPECT_TRUE(dialogs.isEmpty()) << dialogs.join(' ').toStdString();
}

}  // namespace
