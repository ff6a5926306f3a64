// The product's platform where it meets the user directly: its message
// boxes, the print dialog in German, and the print command on a machine
// without the print module.
#include "testsupport/qt_platform_in.h"
#include "testsupport/ui_test.h"

namespace lunomat::test {

// Without the print module the print command says which file is missing.
// With it, the print dialog speaks German: Qt's own texts switched to German
// as the program's start-up does, the dialog shown through the module beside
// the test program.
TEST(QtPlatform, PrintingWithoutThePrintModuleSaysWhichFileIsMissingAndItsDialogSpeaksGerman) {
    QTemporaryDir folder;
    for (const bool brokenFile : {false, true}) {
        if (QFile module(folder.filePath("liblunomat-extras.so")); brokenFile && module.open(QIODevice::WriteOnly))
            module.write("no library");
        QtPlatformIn platform(folder.path());
        EXPECT_EQ(platform.choosePrinter(nullptr), nullptr);
        const QString why = brokenFile ? "im Programmordner lässt sich nicht laden." : "fehlt im Programmordner.";
        EXPECT_EQ(platform.boxes,
                  QStringList("Drucken ist nicht möglich: Die Programmdatei \"liblunomat-extras.so\" " + why));
    }
    useGermanQtTexts();
    DialogWatcher dialogs;
    QWidget owner;
    owner.show();
    QtPlatformIn platform(QCoreApplication::applicationDirPath());
    EXPECT_EQ(platform.choosePrinter(&owner), nullptr);  // cancelled
    ASSERT_EQ(dialogs.seen.size(), 1);
    EXPECT_EQ(dialogs.seen[0].title, "Drucken");
    const QStringList buttons = dialogs.seen[0].buttons;
    EXPECT_TRUE(buttons.contains("Abbrechen") && !buttons.contains("Cancel")) << buttons.join('|').toStdString();
}

// The whole title and every line show unbroken, whatever their length.
TEST(QtPlatform, MessageBoxesAreWideEnoughForTitleAndLines) {
    for (const QStringList& c : readCases("ui/platform/boxes.tsv", 2)) {
        QtPlatformIn platform(QString{});
        platform.showBoxes = true;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QFont bold = QApplication::font();
            bold.setBold(true);
            EXPECT_GE(box->width(), QFontMetrics(bold).horizontalAdvance(c[0]) + 100) << c[0].toStdString();
            const QLabel* label = box->findChild<QLabel*>("qt_msgbox_label");
            const QFontMetrics fm(label->font());
            const QStringList lines = c[1].split('\r');
            for (const QString& line : lines)
                EXPECT_GE(label->width(), fm.horizontalAdvance(line)) << line.toStdString();
            EXPECT_LT(label->height(), (lines.size() + 1) * fm.lineSpacing());
            box->accept();
        });
        platform.messageBox(nullptr, MessageIcon::Critical, c[0], c[1]);
    }
}

}  // namespace lunomat::test
