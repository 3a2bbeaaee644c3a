#include "preview/SystemPrinter.h"

#include "base/Errors.h"
#include "base/MessageService.h"
#include "widgets/FileDialogs.h"
#include "widgets/ModalWindows.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>

SystemPrinter::SystemPrinter()
    : m_printer(QPrinter::HighResolution)
{ }

QSize SystemPrinter::paperSize() const
{
    return m_printer.paperRect(QPrinter::DevicePixel).toRect().size();
}

QPoint SystemPrinter::physicalOffset() const
{
    return (m_printer.pageRect(QPrinter::DevicePixel).topLeft() - m_printer.paperRect(QPrinter::DevicePixel).topLeft())
        .toPoint();
}

QSize SystemPrinter::printableSize() const
{
    return m_printer.pageRect(QPrinter::DevicePixel).toRect().size();
}

bool SystemPrinter::beginDocument()
{
    if (!m_painter.begin(&m_printer))
        throw BelvantoError(QStringLiteral("Der Drucker „%1“ kann nicht drucken.").arg(m_printer.printerName()));
    return true;
}

void SystemPrinter::abortDocument()
{
    m_printer.abort();
    m_painter.end();
}

bool SystemPrinter::printDialog(int maxPage, int &fromPage, int &toPage)
{
    QPrintDialog dialog(&m_printer);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, maxPage);
    dialog.setFromTo(1, maxPage);
    if (ModalWindows::exec(dialog) != QDialog::Accepted)
        return false;
    const bool range = m_printer.printRange() == QPrinter::PageRange;
    fromPage = range ? m_printer.fromPage() : 1;
    toPage = range ? m_printer.toPage() : maxPage;
    return true;
}

bool SystemPrinter::setupDialog()
{
    QPageSetupDialog dialog(&m_printer);
    return ModalWindows::exec(dialog) == QDialog::Accepted;
}

bool PdfStandInPrinter::beginDocument()
{
    if (MessageService::current().ask(QString::fromUtf8(kQuestion), MessageService::Buttons::YesNo)
        != MessageService::Answer::Yes)
        return false;
    const QString fileName = FileDialogs::getSaveFileName(nullptr, QStringLiteral("Liste.pdf"),
                                                          QStringLiteral("PDF-Dateien (*.pdf)"));
    if (fileName.isEmpty())
        return false;
    setFileName(fileName);
    return PdfPrinter::beginDocument();
}

void installSystemPrinter()
{
    if (QPrinterInfo::availablePrinters().isEmpty())
        Printer::install(std::make_unique<PdfStandInPrinter>());
    else
        Printer::install(std::make_unique<SystemPrinter>());
}
