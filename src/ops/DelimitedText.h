#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class QIODevice;

// Delimited text files as the text imports read them: a separator, an optional qualifier whose state
// carries over from line to line, no trimming, lines ending at LF or CR LF, Ctrl-Z ending the file.
namespace DelimitedText {

enum class Encoding { Auto, Windows1252, Utf8 };

struct Format {
    QChar separator = u'\t';
    QChar qualifier; // none when null
    Encoding encoding = Encoding::Auto;
};

// The file's lines split into fields; `width` is the largest number of fields on a line.
struct Table {
    std::vector<QStringList> rows;
    int width = 0;
    QString cell(int column, int row) const { return rows.at(row).value(column); }
    int rowCount() const { return int(rows.size()); }
};

// Text as spreadsheet programs write it today: UTF-8 when it starts with a byte-order mark or is valid
// UTF-8 with characters beyond ASCII; anything else is Windows-1252, as the format always was.
QString decode(const QByteArray &bytes, Encoding encoding);
Table parse(const QString &text, const Format &format);
// Reads a whole file; throws the German message when it cannot be opened or read.
Table readFile(const QString &fileName, const Format &format);
Table read(QIODevice &device, const Format &format);

} // namespace DelimitedText
