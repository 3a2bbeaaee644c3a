#pragma once

#include "print/Printer.h"

#include <QPainter>
#include <QPrinter>

// The system's default printer through QPrinter, with the system's print and set-up dialogs.
class SystemPrinter : public PrinterDevice
{
public:
    SystemPrinter();

    int resolutionX() const override { return m_printer.resolution(); }
    int resolutionY() const override { return m_printer.resolution(); }
    QSize paperSize() const override;
    QPoint physicalOffset() const override;
    QSize printableSize() const override;
    QPageLayout::Orientation orientation() const override { return m_printer.pageLayout().orientation(); }
    void setOrientation(QPageLayout::Orientation orientation) override { m_printer.setPageOrientation(orientation); }
    bool isPrinting() const override { return m_painter.isActive(); }
    void setDocumentTitle(const QString &title) override { m_printer.setDocName(title); }
    bool beginDocument() override;
    QPainter &painter() override { return m_painter; }
    void newPage() override { m_printer.newPage(); }
    void endDocument() override { m_painter.end(); }
    void abortDocument() override;
    bool printDialog(int maxPage, int &fromPage, int &toPage) override;
    bool setupDialog() override;

private:
    QPrinter m_printer;
    QPainter m_painter;
};

// Where no printer is installed: the pages go to a PDF file that the person names when printing
// starts.
class PdfStandInPrinter : public PdfPrinter
{
public:
    static constexpr const char *kQuestion = "Es ist kein Drucker eingerichtet. Sollen die Seiten als PDF-Datei "
                                             "gespeichert werden?";
    bool beginDocument() override;
};

// The printer the program prints on: the system's default printer, or the PDF file in its place.
void installSystemPrinter();
