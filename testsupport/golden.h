#pragma once
// Golden files: a recorded result kept as text under tests/ and compared
// whole. A mismatch leaves the new text beside the test binary for diff.
// Case tables: tab-separated text under tests/, one case a line.

#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QWidget>
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

// The rows of a case table; lines that are empty or start with '#' are
// skipped, and a backslash before "r" stands for a carriage return.
inline QList<QStringList> readTable(const QString& relativePath) {
    QList<QStringList> rows;
    for (const QString& line : goldenText(relativePath).split(QLatin1Char('\n')))
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            rows << QString(line).replace(QStringLiteral("\\r"), QStringLiteral("\r")).split(QLatin1Char('\t'));
    return rows;
}

// One line per named control of a window, in the order of its focus chain:
// name, text (line breaks as "\\n"), place and size, text size in pixels
// (-1: given in points), the colours of text, background, selection and
// selected text, whether Tab stops there, its tooltip and the name a screen
// reader gives it.
inline QStringList controlsRecord(QWidget& window) {
    QStringList lines;
    for (QWidget* c = window.nextInFocusChain(); c != &window; c = c->nextInFocusChain()) {
        if (c->objectName().isEmpty() || c->objectName().startsWith(QStringLiteral("qt_"))) continue;
        const QRect g = c->geometry();
        const QPalette& p = c->palette();
        const QString text = c->property("text").toString().replace(QRegularExpression("\r\n?|\n"), "\\n");
        lines << QStringList{c->objectName(), text,
                             QStringLiteral("%1,%2 %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()),
                             QString::number(c->font().pixelSize()), p.color(c->foregroundRole()).name(),
                             p.color(c->backgroundRole()).name(), p.color(QPalette::Highlight).name(),
                             p.color(QPalette::HighlightedText).name(),
                             c->focusPolicy() & Qt::TabFocus ? QStringLiteral("tab") : QStringLiteral("-"),
                             c->toolTip(), c->accessibleName()}
                     .join(QLatin1Char('\t'));
    }
    return lines;
}

}  // namespace lunomat::test
