// A PDF read back with poppler's tools, as a reader other than its writer:
// the page count, each page's text, and its words with their boxes in points.
#pragma once

#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

struct PdfWord {
    QString text;
    QRectF box;
};

inline QString RunPoppler(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int PdfPageCount(const QString& path) {
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    const auto match = pages.match(RunPoppler(QStringLiteral("pdfinfo"), {path}));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// The text of one page (1, 2, ...), or of every page with page 0.
inline QString PdfText(const QString& path, int page = 0) {
    QStringList arguments;
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    return RunPoppler(QStringLiteral("pdftotext"), arguments << path << QStringLiteral("-"));
}

// The words of one page, or of every page with page 0 (pdftotext -bbox).
inline QList<PdfWord> PdfWords(const QString& path, int page = 0) {
    QStringList arguments{QStringLiteral("-bbox")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    const QString html =
        RunPoppler(QStringLiteral("pdftotext"), arguments << path << QStringLiteral("-"));
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.append({m.captured(5), QRectF(topLeft, bottomRight)});
    }
    return words;
}
