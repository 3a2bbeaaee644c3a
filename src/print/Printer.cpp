#include "print/Printer.h"

#include "base/Errors.h"
#include "base/FileAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {
std::unique_ptr<PrinterDevice> &installed()
{
    static std::unique_ptr<PrinterDevice> printer;
    return printer;
}

[[noreturn]] void cannotWrite(const QString &fileName)
{
    throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2.")
                            .arg(QDir::toNativeSeparators(fileName), FileAccess::whyNotWritable(fileName)));
}
} // namespace

bool PrinterDevice::printDialog(int maxPage, int &fromPage, int &toPage)
{
    fromPage = 1;
    toPage = maxPage;
    return true;
}

PrinterDevice *Printer::current()
{
    return installed().get();
}

void Printer::install(std::unique_ptr<PrinterDevice> printer)
{
    installed() = std::move(printer);
}

// The file is a QSaveFile: the PDF replaces an existing file only once it is complete.
struct PdfPrinter::Document {
    explicit Document(const QString &fileName)
        : file(fileName)
    { }
    QSaveFile file;
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
};

PdfPrinter::PdfPrinter(const QString &fileName, QPageSize::PageSizeId paper, int resolution)
    : m_fileName(fileName)
    , m_paper(paper)
    , m_resolution(resolution)
{ }

PdfPrinter::~PdfPrinter() = default;

QSize PdfPrinter::paperSize() const
{
    const QSize portrait = m_paper.sizePixels(m_resolution);
    return m_orientation == QPageLayout::Portrait ? portrait : portrait.transposed();
}

QString PdfPrinter::documentFileName() const
{
    if (m_written.isEmpty())
        return m_fileName;
    const QFileInfo info(m_fileName);
    return info.dir().filePath(
        QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(m_written.size() + 1).arg(info.suffix()));
}

bool PdfPrinter::beginDocument()
{
    if (m_fileName.isEmpty())
        return false;
    auto document = std::make_unique<Document>(documentFileName());
    if (!document->file.open(QIODevice::WriteOnly))
        cannotWrite(document->file.fileName());
    document->writer = std::make_unique<QPdfWriter>(&document->file);
    document->writer->setResolution(m_resolution);
    document->writer->setPageLayout(QPageLayout(m_paper, m_orientation, QMarginsF()));
    document->writer->setTitle(m_title);
    document->writer->setCreator(QStringLiteral("Belvanto"));
    if (!document->painter.begin(document->writer.get()))
        cannotWrite(document->file.fileName());
    m_document = std::move(document);
    return true;
}

QPainter &PdfPrinter::painter()
{
    return m_document->painter;
}

void PdfPrinter::newPage()
{
    m_document->writer->newPage();
}

void PdfPrinter::endDocument()
{
    std::unique_ptr<Document> document = std::move(m_document);
    document->painter.end();
    if (!document->file.commit())
        cannotWrite(document->file.fileName());
    m_written.append(document->file.fileName());
}

void PdfPrinter::abortDocument()
{
    m_document.reset(); // the file that was not committed is discarded
}
