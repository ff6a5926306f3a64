#pragma once
// Golden files: a recorded result kept as text under tests/ and compared
// whole. A mismatch leaves the new text beside the test binary for diff.

#include <QFile>
#include <QString>
#include <QStringList>
#include <string>

namespace lunomat::test {

inline QString goldenText(const QString& relativePath) {
    QFile file(QStringLiteral(LUNOMAT_TEST_SOURCE_DIR "/") + relativePath);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<missing %1>").arg(relativePath);
    return QString::fromUtf8(file.readAll());
}

// The lines joined with "\n" and a final newline, as the file holds them.
inline std::string matchesGolden(const QStringList& lines, const QString& relativePath) {
    const QString actual = lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    if (actual == goldenText(relativePath)) return {};
    QFile out(QString(relativePath).replace(QLatin1Char('/'), QLatin1Char('_')) + QStringLiteral(".actual"));
    if (out.open(QIODevice::WriteOnly)) out.write(actual.toUtf8());
    return QStringLiteral("differs from tests/%1; see %2").arg(relativePath, out.fileName()).toStdString();
}

}  // namespace lunomat::test
