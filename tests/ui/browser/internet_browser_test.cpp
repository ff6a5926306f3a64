// The moon-zodiac window against a web proxy of the test's own on the
// loopback interface, which answers for the maker's site.
#include <QtWebEngineWidgets>

#include "testsupport/ui_test.h"
#include "testsupport/web_proxy.h"
#include "ui/browser/internet_browser.h"

namespace lunomat::test {

const QString kZodiacPath = "/mondtierkreiszeichen/mondzeichen.php";

WebProxy& proxy() {
    static auto* p = new WebProxy(kZodiacPath);
    return *p;
}  // lives as long as the engine

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
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window->windowTitle() == "Luno-Mat - Link zur Mondzeichen-Webseite des Programms."; }, 1000));
    EXPECT_TRUE(!wait || loaded.count() > 0 || loaded.wait(15000));
    return window;
}

// The maker's page once and again on refresh; dialogs of a page are
// answered "no" without showing.
TEST(InternetBrowser, ShowsTheMakersPageOnceAndAgainOnRefreshAndAnswersItsDialogsNo) {
    DialogWatcher dialogs;
    auto window = open("<html><head><title>Mondzeichen</title></head><body>Mond im Widder</body></html>");
    EXPECT_EQ(view(*window)->title(), "Mondzeichen");
    const QLabel* status = window->findChild<QStatusBar*>("StatusBar1")->findChild<QLabel*>();
    EXPECT_EQ(status->text(),
              QStringLiteral(" Luno-Mat   -   Mondtier- und Sonnenstern-Kreiszeichen von http://") + kWebHost);
    QTest::qWait(200);  // room for a second, unwanted request
    EXPECT_EQ(proxy().requests.count(kZodiacPath), 1) << proxy().requests.join(" ").toStdString();

    // Toolbar and status bar in light grey with black texts on the dark
    // inner area; the refresh button has no tooltip.
    for (QWidget* bar : {(QWidget*)window->findChild<QToolBar*>(), window->findChild<QWidget*>("StatusBar1")})
        EXPECT_EQ(QList({bar->grab().toImage().pixelColor(bar->width() - 4, 4), bar->palette().color(QPalette::Text)}),
                  QList<QColor>({QColor(212, 208, 200), QColor(0, 0, 0)}));
    EXPECT_EQ(window->centralWidget()->palette().color(QPalette::Window), QColor(64, 64, 64));
    // Designed inner place and size in pixels, with the menu bar above it.
    EXPECT_EQ(window->geometry(), QRect(204, 242, 766, 565 + window->menuBar()->sizeHint().height()));
    for (const QString tip : {"", "Beenden (zurück zum Mondphasen-Startfenster)"}) {
        QToolButton* button = window->findChild<QToolButton*>(tip.isEmpty() ? "btnRefresh" : "btnBeenden");
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);  // the caption beside the picture
        QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), button->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(button, &help);
        EXPECT_EQ(QToolTip::isVisible() ? QToolTip::text() : "", tip);
    }
    QSignalSpy loaded(view(*window), &QWebEngineView::loadFinished);
    QTest::mouseClick(window->findChild<QToolButton*>("btnRefresh"), Qt::LeftButton);
    ASSERT_TRUE(loaded.wait(15000));
    EXPECT_EQ(proxy().requests.count(kZodiacPath), 2);
    EXPECT_TRUE(window->isVisible());

    window = open(
        "<html><body><script>alert('Hallo'); var c = confirm('Weiter?');"
        "var p = prompt('Name?', 'x'); document.title = 'danach:' + c + ':' + p;</script></body></html>");
    EXPECT_TRUE(QTest::qWaitFor([&] { return view(*window)->title() == "danach:false:null"; }, 5000))
        << view(*window)->title().toStdString();
    EXPECT_TRUE(dialogs.seen.isEmpty()) << dialogs.seen[0].className.toStdString();
}

// The browser area follows the inner size; toolbar, menu and close box
// close the window.
TEST(InternetBrowser, BrowserAreaFollowsTheInnerSizeAndThreeWaysClose) {
    const std::pair<QSize, std::function<void(Internet_Browser&)>> ways[] = {
        {{640, 480},
         [](auto& w) { QTest::mouseClick(w.template findChild<QToolButton*>("btnBeenden"), Qt::LeftButton); }},
        {{1000, 700}, [](auto& w) { w.menuBar()->actions().first()->trigger(); }},
        {{420, 300}, [](auto& w) { w.close(); }}};
    for (const auto& [size, close] : ways) {
        auto window = open("", false);
        QWidget* client = window->centralWidget();
        window->resize(size);
        EXPECT_TRUE(QTest::qWaitFor([&] { return client->width() == window->width(); }, 2000));
        EXPECT_EQ(view(*window)->geometry(), QRect(0, 33, client->width(), client->height()));
        EXPECT_EQ(window->findChild<QStatusBar*>("StatusBar1")->geometry().bottom(), client->height() - 1);
        EXPECT_EQ(window->menuBar()->actions().size(), 1);
        close(*window);
        EXPECT_FALSE(window->isVisible()) << size.width();
    }
}

}  // namespace lunomat::test
