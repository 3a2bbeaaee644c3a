#pragma once

#include <memory>
#include <QPageLayout>
#include <QPageSize>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

class QPainter;

// The printer layer: what the print jobs need from the printer the application prints on. Sizes and
// offsets are in printer pixels (device units at the printer's resolution) for the present
// orientation. The program installs the system printer (with a PDF file standing in where no
// printer is installed); the command line and the tests install a PDF printer.
class PrinterDevice
{
public:
    virtual ~PrinterDevice() = default;

    virtual int resolutionX() const = 0;
    virtual int resolutionY() const = 0;
    virtual QSize paperSize() const = 0;
    // Where the printable area begins on the paper, and how large it is.
    virtual QPoint physicalOffset() const = 0;
    virtual QSize printableSize() const = 0;
    virtual QPageLayout::Orientation orientation() const = 0;
    virtual void setOrientation(QPageLayout::Orientation orientation) = 0;
    virtual bool isPrinting() const = 0;
    virtual void setDocumentTitle(const QString &title) = 0;

    // A document: false when nothing is to be printed (the person declined a question of the
    // printer). The painter draws in printer pixels with (0, 0) at the printable area's corner.
    virtual bool beginDocument() = 0;
    virtual QPainter &painter() = 0;
    virtual void newPage() = 0;
    virtual void endDocument() = 0;
    // Drops a document that failed half-way: nothing of it is printed or kept.
    virtual void abortDocument() = 0;

    // The system's print dialog with pages 1 … maxPage; false when cancelled. Without a dialog every
    // page is printed.
    virtual bool printDialog(int maxPage, int &fromPage, int &toPage);
    // The system's printer set-up dialog; false when cancelled or when there is none.
    virtual bool setupDialog() { return false; }
};

// The printer that every print job of the application uses (none until one is installed).
namespace Printer {
PrinterDevice *current();
void install(std::unique_ptr<PrinterDevice> printer);
} // namespace Printer

// Pages into a PDF file, written whole when the document ends (a file that was there stays until
// then). With several documents in one run the second goes to "name-2.pdf" and so on. The paper has
// no unprintable border.
class PdfPrinter : public PrinterDevice
{
public:
    explicit PdfPrinter(const QString &fileName = {}, QPageSize::PageSizeId paper = QPageSize::A4,
                        int resolution = 300);
    ~PdfPrinter() override;

    void setFileName(const QString &fileName)
    {
        m_fileName = fileName;
        m_written.clear();
    }
    QString fileName() const { return m_fileName; }
    // The files written since the file name was set.
    const QStringList &writtenFiles() const { return m_written; }

    int resolutionX() const override { return m_resolution; }
    int resolutionY() const override { return m_resolution; }
    QSize paperSize() const override;
    QPoint physicalOffset() const override { return {}; }
    QSize printableSize() const override { return paperSize(); }
    QPageLayout::Orientation orientation() const override { return m_orientation; }
    void setOrientation(QPageLayout::Orientation orientation) override { m_orientation = orientation; }
    bool isPrinting() const override { return m_document != nullptr; }
    void setDocumentTitle(const QString &title) override { m_title = title; }
    bool beginDocument() override;
    QPainter &painter() override;
    void newPage() override;
    void endDocument() override;
    void abortDocument() override;

private:
    struct Document;
    QString documentFileName() const;

    QString m_fileName;
    QPageSize m_paper;
    int m_resolution;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QString m_title;
    std::unique_ptr<Document> m_document;
    QStringList m_written;
};
