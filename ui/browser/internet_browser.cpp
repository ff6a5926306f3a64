#include "ui/browser/internet_browser.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "ui/browser/silent_page.h"
#include "ui/platform/qt_platform.h"
#include "ui/platform/version.h"
#include "ui/widgets/ui_conventions.h"

namespace lunomat {

namespace {
const QColor kBackground = rgb(64, 64, 64);

// A toolbar picture from the program's pictures.
QIcon toolbarPicture(const char* name) {
    QPixmap picture = readPicture(QStringLiteral("%1/toolbar/%2.png").arg(dataFolder(), QLatin1String(name)));
    if (picture.isNull()) return {};
    // Light grey is the pictures' transparent colour.
    picture.setMask(picture.createMaskFromColor(QColor(192, 192, 192), Qt::MaskInColor));
    return QIcon(picture);
}

const QString kDesignedCaption = QStringLiteral(" Luno-Mat - Link zur Mondzeichen-Webseite des Programms.");
const QString kRunningCaption = QStringLiteral("Luno-Mat - Link zur Mondzeichen-Webseite des Programms.");
}  // namespace

Internet_Browser::Internet_Browser(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint) {
    setWindowTitle(kDesignedCaption);
    setWindowIcon(QIcon(readPicture(dataFolder() + QStringLiteral("/lunomat.png"))));
    menuBar()->setObjectName(QStringLiteral("menu"));
    Beenden = menuBar()->addAction(QStringLiteral("  Beenden - zurück zur Luno-Mat  (Startfenster)"));
    connect(Beenden, &QAction::triggered, this, &Internet_Browser::Beenden_Click);

    // The dark grey inner area holds every control at its designed place,
    // the docked toolbar and status bar included, as the resize rule
    // measures from it.
    client = new QWidget(this);
    setColours(client, rgb(0, 0, 0), kBackground);
    setCentralWidget(client);
    buildBrowser();
    buildToolBar();
    buildStatusBar();

    // Stacking: the browser covers the line, the docked bars cover the
    // browser.
    Line1->lower();
    tbToolBar->raise();
    StatusBar1->raise();

    timTimer = new QTimer(this);
    timTimer->setInterval(5);
    connect(timTimer, &QTimer::timeout, this, &Internet_Browser::timTimer_Timer);

    // The designed inner size and place; the helper program shows it maximized.
    setGeometry(twipsRect(3060, 3630, 11490, 8475).adjusted(0, 0, 0, menuBar()->sizeHint().height()));
    client->installEventFilter(this);

    Form_Load();
}

void Internet_Browser::buildBrowser() {
    Line1 = new QFrame(client);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Plain);
    Line1->setLineWidth(1);
    setColours(Line1, rgb(224, 224, 224), kBackground);
    Line1->setGeometry(0, px(8080), px(11520), 1);

    profile_ = new QWebEngineProfile;  // no storage name: nothing is written to disk
    brwWebBrowser = new QWebEngineView(client);
    brwWebBrowser->setObjectName(QStringLiteral("brwWebBrowser"));
    page_ = new SilentPage(profile_, brwWebBrowser);
    brwWebBrowser->setPage(page_);
    brwWebBrowser->setGeometry(twipsRect(0, 495, 11520, 7560));
    connect(brwWebBrowser, &QWebEngineView::loadFinished, this, [this](bool) { brwWebBrowser_DownloadComplete(); });
}

void Internet_Browser::buildToolBar() {
    tbToolBar = new QToolBar(client);
    tbToolBar->setMovable(false);
    tbToolBar->setFloatable(false);
    tbToolBar->setIconSize(QSize(24, 24));
    tbToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setColours(tbToolBar, rgb(0, 0, 0), rgb(212, 208, 200));
    btnBeenden = tbToolBar->addAction(toolbarPicture("beenden"), QStringLiteral("&Beenden  "));
    btnBeenden->setIconText(QStringLiteral("Beenden  "));
    btnBeenden->setShortcut(QKeySequence::mnemonic(btnBeenden->text()));
    btnBeenden->setToolTip(QStringLiteral("Beenden (zurück zum Mondphasen-Startfenster)"));
    btnBeenden->setData(QStringLiteral("Beenden"));
    tbToolBar->widgetForAction(btnBeenden)->setObjectName(QStringLiteral("btnBeenden"));
    btnRefresh = tbToolBar->addAction(toolbarPicture("aktualisieren"), QStringLiteral("Aktualisieren"));
    btnRefresh->setData(QStringLiteral("Refresh"));
    tbToolBar->widgetForAction(btnRefresh)->setObjectName(QStringLiteral("btnRefresh"));
    // A tool button falls back to its text as tooltip; this one has none.
    tbToolBar->widgetForAction(btnRefresh)->installEventFilter(this);
    connect(tbToolBar, &QToolBar::actionTriggered, this,
            [this](QAction* button) { tbToolBar_ButtonClick(button->data().toString()); });
}

void Internet_Browser::buildStatusBar() {
    StatusBar1 = new QStatusBar(client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    setColours(StatusBar1, rgb(0, 0, 0), rgb(212, 208, 200));
    addStatusText(StatusBar1, QStringLiteral(" Luno-Mat   -   Mondtier- und Sonnenstern-Kreiszeichen von http://%1")
                                  .arg(QLatin1String(kWebHost)));
}

Internet_Browser::~Internet_Browser() {
    // The page must go before the profile it uses.
    delete brwWebBrowser;
    brwWebBrowser = nullptr;
    delete profile_;
}

void Internet_Browser::Form_Load() {
    tbToolBar->update();
    dockBars();
    Form_Resize();
    StartingAddress = QStringLiteral("http://%1/mondtierkreiszeichen/mondzeichen.php").arg(QLatin1String(kWebHost));
    page_->setSilent(true);
    timTimer->start();
    brwWebBrowser->load(QUrl(StartingAddress));
}

// The browser takes the full inner size from its designed top-left corner,
// so its lower part lies under the status bar and below the window's edge.
void Internet_Browser::Form_Resize() { brwWebBrowser->setGeometry(0, px(495), client->width(), client->height()); }

void Internet_Browser::Form_Unload() { hide(); }

void Internet_Browser::brwWebBrowser_DownloadComplete() { setWindowTitle(kRunningCaption); }

void Internet_Browser::timTimer_Timer() {
    timTimer->stop();
    setWindowTitle(kRunningCaption);
}

void Internet_Browser::tbToolBar_ButtonClick(const QString& key) {
    timTimer->start();
    if (key == QLatin1String("Refresh")) {
        brwWebBrowser->reload();
    } else if (key == QLatin1String("Beenden")) {
        timTimer->stop();
        brwWebBrowser->stop();
        close();
    }
}

void Internet_Browser::Beenden_Click() { close(); }

void Internet_Browser::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void Internet_Browser::dockBars() {
    tbToolBar->setGeometry(0, 0, client->width(), px(480));
    const int statusHeight = px(375);
    StatusBar1->setGeometry(0, client->height() - statusHeight, client->width(), statusHeight);
}

bool Internet_Browser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client && event->type() == QEvent::Resize) {
        dockBars();
        Form_Resize();
    } else if (event->type() == QEvent::ToolTip && watched == tbToolBar->widgetForAction(btnRefresh)) {
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace lunomat
