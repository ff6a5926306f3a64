// The moon-zodiac window against a web proxy of the test's own on the
// loopback interface, which answers for the maker's site: what is requested
// when, the caption, the toolbar, the menu, the close box, resizing, and a
// page that tries to show dialogs.
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QNetworkProxy>
#include <QToolButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWebEngineView>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

#include "ui/browser/internet_browser.h"
#include "ui/platform/version.h"

using lunomat::Internet_Browser;

namespace {

// A minimal HTTP/1.0 proxy: one request per connection, answers from a
// table of paths, records every requested path of the maker's host.
class PageServer : public QObject {
public:
    QStringList requests;

    PageServer() {
        page = "<html><head><title>Mondzeichen</title></head><body><h1>Mond im Widder</h1></body></html>";
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) serve(socket);
        });
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost, 0));
        // Set before the browser engine starts, which reads it once.
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), server_.serverPort()));
    }

    QByteArray page;  // the answer to the moon-zodiac address
    int count() const { return int(requests.count(kZodiacPath)); }
    static constexpr const char* kZodiacPath = "/mondtierkreiszeichen/mondzeichen.php";

private:
    void serve(QTcpSocket* socket) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            QByteArray& buffer = buffers_[socket];
            buffer += socket->readAll();
            if (!buffer.contains("\r\n\r\n")) return;
            const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
            buffers_.remove(socket);
            const QUrl url(requestLine.size() > 1 ? QString::fromLatin1(requestLine[1]) : QString());
            if (url.host() == QLatin1String(lunomat::kWebHost)) requests << url.path();
            const bool known = url.host() == QLatin1String(lunomat::kWebHost) && url.path() == kZodiacPath;
            const QByteArray body = known ? page : QByteArray("nicht gefunden");
            socket->write(known ? "HTTP/1.0 200 OK\r\n" : "HTTP/1.0 404 Not Found\r\n");
            socket->write("Content-Type: text/html; charset=utf-8\r\nContent-Length: " +
                          QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
        });
    }

    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> buffers_;
};

const QString kDesignedCaption = QStringLiteral(" Luno-Mat - Link zur Mondzeichen-Webseite des Programms.");
const QString kRunningCaption = QStringLiteral("Luno-Mat - Link zur Mondzeichen-Webseite des Programms.");

PageServer& server() {
    static PageServer* s = new PageServer;  // lives as long as the engine
    return *s;
}

QWebEngineView* view(const Internet_Browser& w) { return w.findChild<QWebEngineView*>("brwWebBrowser"); }
QToolButton* toolButton(const Internet_Browser& w, const char* name) { return w.findChild<QToolButton*>(name); }

class InternetBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        server().requests.clear();
        server().page = "<html><head><title>Mondzeichen</title></head><body><h1>Mond im Widder</h1></body></html>";
    }

    std::unique_ptr<Internet_Browser> open(bool waitForPage = true) {
        auto window = std::make_unique<Internet_Browser>();
        QSignalSpy loaded(view(*window), &QWebEngineView::loadFinished);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        if (waitForPage) {
            EXPECT_TRUE(loaded.count() > 0 || loaded.wait(15000));
        }
        return window;
    }
};

bool captionSettles(const Internet_Browser& window) {
    return QTest::qWaitFor([&] { return window.windowTitle() == kRunningCaption; }, 1000);
}

TEST_F(InternetBrowserTest, OpeningRequestsTheMakersPageOnceAndSettlesTheCaption) {
    auto window = std::make_unique<Internet_Browser>();
    // Until the first timer tick the designed caption stands.
    EXPECT_EQ(window->windowTitle(), kDesignedCaption);
    QSignalSpy loaded(view(*window), &QWebEngineView::loadFinished);
    window->show();
    // The tick comes after a few milliseconds, long before the page.
    EXPECT_TRUE(captionSettles(*window)) << window->windowTitle().toStdString();
    ASSERT_TRUE(loaded.count() > 0 || loaded.wait(15000));
    EXPECT_TRUE(loaded.first().first().toBool());
    EXPECT_EQ(view(*window)->title(), "Mondzeichen");
    QTest::qWait(200);  // room for a second, unwanted request
    EXPECT_EQ(server().count(), 1) << server().requests.join(' ').toStdString();
    EXPECT_EQ(window->findChild<QStatusBar*>("StatusBar1")->findChild<QLabel*>()->text(),
              QStringLiteral(" Luno-Mat   -   Mondtier- und Sonnenstern-Kreiszeichen von http://") +
                  lunomat::kWebHost);
}

TEST_F(InternetBrowserTest, RefreshLoadsThePageAgainAndKeepsTheWindow) {
    auto window = open();
    ASSERT_EQ(server().count(), 1);
    QSignalSpy loaded(view(*window), &QWebEngineView::loadFinished);
    window->setWindowTitle(QStringLiteral("x"));
    QTest::mouseClick(toolButton(*window, "btnRefresh"), Qt::LeftButton);
    EXPECT_TRUE(captionSettles(*window)) << window->windowTitle().toStdString();
    ASSERT_TRUE(loaded.wait(15000));
    EXPECT_EQ(server().count(), 2);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(InternetBrowserTest, ToolbarMenuAndCloseBoxCloseTheWindow) {
    const struct {
        const char* name;
        std::function<void(Internet_Browser&)> close;
    } ways[] = {
        {"toolbar Beenden", [](Internet_Browser& w) { QTest::mouseClick(toolButton(w, "btnBeenden"), Qt::LeftButton); }},
        {"menu Beenden", [](Internet_Browser& w) { w.menuBar()->actions().first()->trigger(); }},
        {"close box", [](Internet_Browser& w) { w.close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        auto window = open(false);
        EXPECT_EQ(window->menuBar()->actions().size(), 1);
        way.close(*window);
        EXPECT_FALSE(window->isVisible());
    }
}

TEST_F(InternetBrowserTest, BrowserAreaFollowsTheInnerSize) {
    auto window = open(false);
    QWidget* client = window->centralWidget();
    for (const QSize size : {QSize(640, 480), QSize(1000, 700), QSize(420, 300)}) {
        window->resize(size);
        EXPECT_TRUE(QTest::qWaitFor([&] { return client->width() == window->width(); }, 2000));
        EXPECT_EQ(view(*window)->geometry(), QRect(0, 33, client->width(), client->height()));
        EXPECT_EQ(window->findChild<QStatusBar*>("StatusBar1")->geometry().bottom(), client->height() - 1);
    }
}

TEST_F(InternetBrowserTest, PageDialogsAreSuppressed) {
    server().page = "<html><body><script>"
                    "alert('Hallo');"
                    "var c = confirm('Weiter?');"
                    "var p = prompt('Name?', 'x');"
                    "document.title = 'nach-den-Dialogen:' + c + ':' + p;"
                    "</script></body></html>";
    // Any dialog that comes up is recorded and closed, so that a failure
    // cannot hang the test.
    QStringList dialogs;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && qobject_cast<QDialog*>(w)) {
                dialogs << QString::fromLatin1(w->metaObject()->className());
                static_cast<QDialog*>(w)->reject();
            }
    });
    watcher.start(20);

    auto window = open();
    // The script ran on past the three calls and saw "no" answers.
    const QString expected = QStringLiteral("nach-den-Dialogen:false:null");
    EXPECT_TRUE(QTest::qWaitFor([&] { return view(*window)->title() == expected; }, 5000))
        << view(*window)->title().toStdString();
    EXPECT_TRUE(dialogs.isEmpty()) << dialogs.join(' ').toStdString();
    EXPECT_TRUE(window->isVisible());
}

}  // namespace
