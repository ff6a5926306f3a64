#pragma once
// Golden files: a record of what the design fixes, kept as text under tests/
// and compared whole. The file's first lines, each starting with '#', say
// which window or printout it records; they are not compared. A mismatch
// gives the differing lines and leaves the new record beside the test binary.
// Case tables: tab-separated text under tests/, one case a line.

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QList>
#include <QMetaEnum>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <string>
#include <vector>

#include "testsupport/fake_platform.h"

namespace lunomat::test {

inline QString goldenText(const QString& relativePath) {
    QFile file(QStringLiteral(LUNOMAT_TEST_SOURCE_DIR "/") + relativePath);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<missing %1>").arg(relativePath);
    return QString::fromUtf8(file.readAll());
}

// The lines joined with "\n" and a final newline, after the file's header.
// On a mismatch the new record (with the file's header) is written to
// <path with '_' for '/'>.actual in the working folder and the answer is the unified
// difference from the file to it.
inline std::string matchesGolden(const QStringList& lines, const QString& relativePath) {
    const QString file = goldenText(relativePath);
    qsizetype bodyStart = 0;
    while (bodyStart < file.size() && file.at(bodyStart) == QLatin1Char('#')) {
        const qsizetype end = file.indexOf(QLatin1Char('\n'), bodyStart);
        bodyStart = end < 0 ? file.size() : end + 1;
    }
    const QString actual = lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    if (file.mid(bodyStart) == actual) return {};
    QFile out(QString(relativePath).replace(QLatin1Char('/'), QLatin1Char('_')) + QStringLiteral(".actual"));
    if (out.open(QIODevice::WriteOnly)) out.write((file.left(bodyStart) + actual).toUtf8());
    out.close();
    QProcess diff;
    diff.start(QStringLiteral("diff"),
               {QStringLiteral("-u"), QStringLiteral(LUNOMAT_TEST_SOURCE_DIR "/") + relativePath, out.fileName()});
    diff.waitForFinished(10000);
    return QStringLiteral("tests/%1 differs from %2:\n%3")
        .arg(relativePath, out.fileName(), QString::fromUtf8(diff.readAllStandardOutput()))
        .toStdString();
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

// One line per named control of a window, in the order of its focus chain,
// with what the design gives a control: name, text (line breaks as "\\n"),
// place and size in pixels, font (family, size in pixels, bold, underlined),
// text colour, background colour ("transparent" where the control paints
// none), the colours of selected text where the window sets its own
// ("-" for the style's), whether Tab stops there, its tooltip, the name a screen reader
// gives it, and its border ("-" for none).
inline QStringList controlsRecord(QWidget& window) {
    QStringList lines;
    for (QWidget* c = window.nextInFocusChain(); c != &window; c = c->nextInFocusChain()) {
        if (c->objectName().isEmpty() || c->objectName().startsWith(QStringLiteral("qt_"))) continue;
        const QRect g = c->geometry();
        const QPalette& p = c->palette();
        const QFont f = c->font();
        const QString selection =
            p.color(QPalette::Highlight).name() + QLatin1Char('/') + p.color(QPalette::HighlightedText).name();
        const QString text = c->property("text").toString().replace(QRegularExpression("\r\n?|\n"), "\\n");
        const QString font = QStringLiteral("%1 %2%3%4")
                                 .arg(f.family())
                                 .arg(f.pixelSize() > 0 ? QStringLiteral("%1px").arg(f.pixelSize())
                                                        : QStringLiteral("%1pt").arg(f.pointSizeF()))
                                 .arg(f.bold() ? QStringLiteral(" bold") : QString())
                                 .arg(f.underline() ? QStringLiteral(" underlined") : QString());
        // The border: a frame's shape and shadow, a text field's frame.
        QString border = QStringLiteral("-");
        if (const auto* frame = qobject_cast<const QFrame*>(c); frame && frame->frameShape() != QFrame::NoFrame)
            border = QStringLiteral("%1 %2").arg(
                QLatin1String(QMetaEnum::fromType<QFrame::Shape>().valueToKey(frame->frameShape())),
                QLatin1String(QMetaEnum::fromType<QFrame::Shadow>().valueToKey(frame->frameShadow())));
        else if (const auto* field = qobject_cast<const QLineEdit*>(c); field && field->hasFrame())
            border = QStringLiteral("frame");
        lines << QStringList{c->objectName(),
                             text,
                             QStringLiteral("%1,%2 %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()),
                             font,
                             p.color(c->foregroundRole()).name(),
                             c->autoFillBackground() ? p.color(c->backgroundRole()).name()
                                                     : QStringLiteral("transparent"),
                             selection == QApplication::palette().color(QPalette::Highlight).name() + QLatin1Char('/') +
                                              QApplication::palette().color(QPalette::HighlightedText).name()
                                 ? QStringLiteral("-")
                                 : selection,
                             c->focusPolicy() & Qt::TabFocus ? QStringLiteral("tab") : QStringLiteral("-"),
                             c->toolTip(),
                             c->accessibleName(),
                             border}
                     .join(QLatin1Char('\t'));
    }
    return lines;
}

// What a printout puts on paper: each printed line with the font it is
// printed in ("Arial 10 bold underlined", a tab, the text), each rule with
// its length in twips, each change of the page layout, and the end of the
// document. The order of the calls that set the font between two lines
// changes nothing on paper and is not recorded.
inline QStringList printedPage(const std::vector<PrintOp>& ops) {
    QStringList page;
    QString family;
    double size = 0;
    bool bold = false, underline = false;
    for (const PrintOp& op : ops) {
        if (op.op == "font") family = op.text;
        else if (op.op == "size") size = op.number;
        else if (op.op == "bold") bold = op.number != 0;
        else if (op.op == "underline") underline = op.number != 0;
        else if (op.op == "layout") page << QStringLiteral("layout %1 %2").arg(op.number).arg(op.second);
        else if (op.op == "rule") page << QStringLiteral("rule %1").arg(op.number);
        else if (op.op == "end") page << QStringLiteral("end");
        else
            page << QStringLiteral("%1 %2%3%4\t%5")
                        .arg(family)
                        .arg(size)
                        .arg(bold ? QStringLiteral(" bold") : QString())
                        .arg(underline ? QStringLiteral(" underlined") : QString())
                        .arg(op.text);
    }
    return page;
}

// The pixels of a run from `from` on, `step` apart, one letter each: the
// letter of its colour in `colours` ("GB" for grey and black, say), '?' for
// any other colour.
inline std::string pixelRun(const QImage& image, QPoint from, QPoint step, int count, const char* letters,
                            const QList<QColor>& colours) {
    std::string run;
    for (QPoint p = from; int(run.size()) < count; p += step) {
        const qsizetype i = colours.indexOf(image.pixelColor(p));
        run += i < 0 ? '?' : letters[i];
    }
    return run;
}

}  // namespace lunomat::test
