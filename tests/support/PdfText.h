#pragma once

#include <algorithm>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <vector>

// The words of a PDF file with their boxes, read back with `pdftotext -bbox`; positions in mm from
// the page's top-left corner.
struct PdfWord {
    QString text;
    double left, top, right, bottom;
};

struct PdfText {
    std::vector<std::vector<PdfWord>> pages;

    explicit PdfText(const QString &file)
    {
        QProcess process;
        process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
        process.waitForFinished(30000);
        const QString html = QString::fromUtf8(process.readAllStandardOutput());
        static const QRegularExpression tag(QStringLiteral(
            R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
        constexpr double mmPerPoint = 25.4 / 72.0;
        for (auto it = tag.globalMatch(html); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            if (m.captured(0) == QLatin1String("<page ")) {
                pages.emplace_back();
                continue;
            }
            pages.back().push_back({unescaped(m.captured(5)), m.captured(1).toDouble() * mmPerPoint,
                                    m.captured(2).toDouble() * mmPerPoint, m.captured(3).toDouble() * mmPerPoint,
                                    m.captured(4).toDouble() * mmPerPoint});
        }
    }

    // The words of a page joined with blanks, in reading order: line by line from the top (words
    // whose tops lie within 1 mm form a line), each line from the left.
    QString page(size_t index) const
    {
        std::vector<PdfWord> words = pages.at(index);
        std::stable_sort(words.begin(), words.end(), [](const PdfWord &a, const PdfWord &b) { return a.top < b.top; });
        for (size_t lineStart = 0; lineStart < words.size();) {
            size_t lineEnd = lineStart + 1;
            while (lineEnd < words.size() && words[lineEnd].top - words[lineStart].top < 1.0)
                ++lineEnd;
            std::stable_sort(words.begin() + lineStart, words.begin() + lineEnd,
                             [](const PdfWord &a, const PdfWord &b) { return a.left < b.left; });
            lineStart = lineEnd;
        }
        QStringList texts;
        for (const PdfWord &word : words)
            texts.append(word.text);
        return texts.join(u' ');
    }

    const PdfWord *find(size_t pageIndex, const QString &text) const
    {
        for (const PdfWord &word : pages.at(pageIndex)) {
            if (word.text == text)
                return &word;
        }
        return nullptr;
    }

private:
    static QString unescaped(QString text)
    {
        return text.replace(QLatin1String("&amp;"), QLatin1String("&"))
            .replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&quot;"), QLatin1String("\""));
    }
};
