#pragma once

#include <memory>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>

// A PDF file as a printer page for the command line: A4 with the margins of a usual printer's
// unprintable strip. The file takes its place only at commit(), so that a failed printout leaves
// what was there before; an error of the file is a BelvantoError with a German reason.
class PdfFile
{
public:
    explicit PdfFile(const QString &path, const QString &title);
    QPdfWriter &writer() { return *m_writer; }
    void commit();

private:
    QString m_path;
    QSaveFile m_file;
    std::unique_ptr<QPdfWriter> m_writer;
};
