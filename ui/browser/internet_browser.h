#pragma once
// The moon-zodiac window: one page of the maker's web site in an embedded
// browser, with a toolbar (close, reload), a one-entry menu that closes the
// window, and a status bar naming the site. It runs in the helper program
// lunomat-browser so that the main program does not carry the browser
// engine.

#include <QMainWindow>

class QAction;
class QFrame;
class QStatusBar;
class QTimer;
class QToolBar;
class QWebEngineProfile;
class QWebEngineView;

namespace lunomat {

class SilentPage;

// Controls keep the names of the design; tests find them by object name.
class Internet_Browser : public QMainWindow {
    Q_OBJECT
public:
    explicit Internet_Browser(QWidget* parent = nullptr);
    ~Internet_Browser() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void brwWebBrowser_DownloadComplete();
    void timTimer_Timer();
    void tbToolBar_ButtonClick(const QString& key);
    void Beenden_Click();
    void dockBars();
    void buildBrowser();
    void buildToolBar();
    void buildStatusBar();

    QString StartingAddress;

    QWidget* client = nullptr;  // the inner area below the menu bar
    QToolBar* tbToolBar = nullptr;
    QAction* btnBeenden = nullptr;  // toolbar button "Beenden"
    QAction* btnRefresh = nullptr;  // toolbar button "Refresh"
    QWebEngineView* brwWebBrowser = nullptr;
    QFrame* Line1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QTimer* timTimer = nullptr;
    QAction* Beenden = nullptr;  // the menu item

    QWebEngineProfile* profile_ = nullptr;
    SilentPage* page_ = nullptr;
};

}  // namespace lunomat
