#pragma once
// A platform for tests: a settable clock and regional date text, message
// boxes that are recorded and answered at once, a recorded error sound, and a
// printer that records what the printouts send.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "ui/platform/line_printer.h"
#include "ui/platform/platform.h"

namespace lunomat::test {

// One recorded call in the order the product made it: "sound", "box", ...
struct PlatformEvent {
    QString kind;  // "sound", "box", "url", "printDialog", "browser", "end"
    MessageIcon icon = MessageIcon::Critical;
    QString title;
    QString text;
};

// One recorded printer operation.
struct PrintOp {
    QString op;         // "font", "size", "bold", "underline", "layout", "line", "rule", "end"
    QString text;       // line text or font family
    double number = 0;  // size, rule length, bold/underline as 0/1, layout x
    int second = 0;     // layout y
};

class RecordingPrinter : public LinePrinter {
public:
    explicit RecordingPrinter(std::vector<PrintOp>* ops, int failAtOp = -1) : ops_(ops), failAt_(failAtOp) {}
    void setFontName(const QString& family) override { record({"font", family, 0, 0}); }
    void setFontSize(double points) override { record({"size", {}, points, 0}); }
    void setBold(bool on) override { record({"bold", {}, on ? 1.0 : 0.0, 0}); }
    void setUnderline(bool on) override { record({"underline", {}, on ? 1.0 : 0.0, 0}); }
    void setLayout(int x, int y) override { record({"layout", {}, double(x), y}); }
    void printLine(const QString& text) override { record({"line", text, 0, 0}); }
    void drawRule(int length) override { record({"rule", {}, double(length), 0}); }
    void endDocument() override { record({"end", {}, 0, 0}); }

private:
    void record(PrintOp op) {
        if (failAt_ >= 0 && int(ops_->size()) == failAt_) throw PrintError("injected failure");
        ops_->push_back(std::move(op));
    }
    std::vector<PrintOp>* ops_;
    int failAt_;
};

class FakePlatform : public Platform {
public:
    QDateTime clock = QDateTime(QDate(2026, 12, 5), QTime(9, 7, 0));
    QString dateFormat = QStringLiteral("dd.MM.yyyy");        // the user's regional short date format
    QString folder = QStringLiteral(LUNOMAT_TEST_ASSET_DIR);  // program folder: where the build copied the assets
    std::vector<PlatformEvent> events;
    // Called while a box is "open" (before it returns), e.g. to check timers.
    std::function<void(const PlatformEvent&)> onBox;

    enum class Dialog { Print, Cancel };
    Dialog printDialog = Dialog::Print;
    int failAtPrintOp = -1;  // throw PrintError when this op index is reached
    std::vector<PrintOp> printOps;
    std::function<void()> onBrowser;      // runs "while the browser window is open"
    std::function<void()> onPrintDialog;  // runs while the print dialog is "open"

    QDateTime now() const override { return clock; }
    QString shortDateText() const override { return clock.date().toString(dateFormat); }
    void messageBox(QWidget*, MessageIcon icon, const QString& title, const QString& text) override {
        events.push_back({"box", icon, title, text});
        if (onBox) onBox(events.back());
    }
    void playErrorSound() override { events.push_back({"sound", {}, {}, {}}); }
    void openUrl(const QUrl& url) override { events.push_back({"url", {}, {}, url.toString()}); }
    std::unique_ptr<LinePrinter> choosePrinter(QWidget*) override {
        events.push_back({"printDialog", {}, {}, {}});
        if (onPrintDialog) onPrintDialog();
        if (printDialog == Dialog::Cancel) return nullptr;
        printOps.clear();
        return std::make_unique<RecordingPrinter>(&printOps, failAtPrintOp);
    }
    void runBrowserWindow(QWidget* owner) override {
        // Like the real one: the owner is off while the window is open.
        events.push_back({"browser", {}, {}, {}});
        if (owner) owner->setEnabled(false);
        if (onBrowser) onBrowser();
        if (owner) owner->setEnabled(true);
    }
    QString programFolder() const override { return folder; }
    void endProgramNow() override { events.push_back({"end", {}, {}, {}}); }

    // Helpers for assertions.
    int count(const QString& kind) const {
        int n = 0;
        for (const auto& e : events) n += e.kind == kind;
        return n;
    }
    QStringList kinds() const {
        QStringList k;
        for (const auto& e : events) k << e.kind;
        return k;
    }
    const PlatformEvent* lastBox() const {
        for (auto it = events.rbegin(); it != events.rend(); ++it)
            if (it->kind == "box") return &*it;
        return nullptr;
    }
};

}  // namespace lunomat::test
