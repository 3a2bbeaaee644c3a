#pragma once

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// A word of a PDF page as pdftotext -bbox sees it, in points from the page's top-left corner.
struct PdfWord {
    int page;
    QString text;
    double xMin, yMin, xMax, yMax;
};

struct PdfText {
    QList<PdfWord> words;
    int pages = 0;
    double pageWidth = 0;
    QStringList wordsOn(int page) const
    {
        QStringList result;
        for (const PdfWord &word : words)
            if (word.page == page)
                result.append(word.text);
        return result;
    }
    const PdfWord *find(int page, const QString &text) const
    {
        for (const PdfWord &word : words)
            if (word.page == page && word.text == text)
                return &word;
        return nullptr;
    }
};

inline PdfText readPdfText(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    PdfText text;
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page width="([\d.]+)"|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (const QRegularExpressionMatch &m : tag.globalMatch(html)) {
        if (!m.captured(1).isEmpty()) {
            ++text.pages;
            text.pageWidth = m.captured(1).toDouble();
        } else
            text.words.append({text.pages, m.captured(6).replace(QStringLiteral("&amp;"), QStringLiteral("&")),
                               m.captured(2).toDouble(), m.captured(3).toDouble(), m.captured(4).toDouble(),
                               m.captured(5).toDouble()});
    }
    return text;
}
