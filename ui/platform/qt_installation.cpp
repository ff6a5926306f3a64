// What every program of the build needs from its installation, the browser
// helper included: its pictures and Qt's German texts. Kept apart from the
// platform class, which the helper does not link.
#include "ui/platform/qt_platform.h"
#include "ui/platform/version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace lunomat {

QString dataFolder() {
    // Found from the program's folder by a relative way, so that an installed
    // tree still works after it has been moved.
    const QString programs = QCoreApplication::applicationDirPath();
    const QString installed = QDir::cleanPath(programs + QLatin1Char('/') + QLatin1String(kDataFolderFromProgram));
    return QFileInfo(installed).isDir() ? installed : programs;
}

void useGermanQtTexts() {
    auto* texts = new QTranslator(QCoreApplication::instance());
    if (texts->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(texts);
}

}  // namespace lunomat
