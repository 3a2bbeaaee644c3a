#pragma once

#include "print/Printer.h"
#include "support/PdfText.h"

#include <QPainter>
#include <QPicture>
#include <QStringList>

// A printer that keeps what it was asked to do: "begin", "new page", "end", drawn on pictures.
class RecordingPrinter : public PrinterDevice
{
public:
    RecordingPrinter(QSize paper = {2400, 3000}, QPoint offset = {}, QSize printable = {}, int resolution = 600)
        : m_paper(paper)
        , m_offset(offset)
        , m_printable(printable.isEmpty() ? paper : printable)
        , m_resolution(resolution)
    { }
    int resolutionX() const override { return m_resolution; }
    int resolutionY() const override { return m_resolution; }
    QSize paperSize() const override { return landscape ? m_paper.transposed() : m_paper; }
    QPoint physicalOffset() const override { return m_offset; }
    QSize printableSize() const override { return landscape ? m_printable.transposed() : m_printable; }
    QPageLayout::Orientation orientation() const override
    {
        return landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    }
    void setOrientation(QPageLayout::Orientation value) override { landscape = value == QPageLayout::Landscape; }
    bool isPrinting() const override { return m_painter.isActive(); }
    void setDocumentTitle(const QString &title) override { calls.append(QStringLiteral("title ") + title); }
    bool beginDocument() override
    {
        calls.append(QStringLiteral("begin"));
        m_painter.begin(&m_picture);
        return true;
    }
    QPainter &painter() override { return m_painter; }
    void newPage() override { calls.append(QStringLiteral("new page")); }
    void endDocument() override
    {
        calls.append(QStringLiteral("end"));
        m_painter.end();
    }
    void abortDocument() override { m_painter.end(); }

    QStringList calls;
    bool landscape = false;

private:
    QSize m_paper;
    QPoint m_offset;
    QSize m_printable;
    int m_resolution;
    QPicture m_picture;
    QPainter m_painter;
};
