#include "print/PSJob.h"

#include "base/MessageService.h"
#include "print/Printer.h"

#include <algorithm>
#include <cmath>
#include <QCoreApplication>
#include <QPainter>

namespace {
constexpr int kResolutionWithoutPrinter = 300;
const QSize kPaperWithoutPrinter(2000, 3000);

// Half to even, as the layout values have always been rounded.
double roundTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::nearbyint(value * scale) / scale;
}

int decimalsOf(TUnits unit)
{
    switch (unit) {
    case unPixels: return 0;
    case unPercents:
    case unInches: return 3;
    case unMillimeters: break;
    }
    return 2;
}
} // namespace

TCustomPrintJob::TCustomPrintJob(QObject *parent)
    : QObject(parent)
{
    UpdatePageSize();
}

TCustomPrintJob::~TCustomPrintJob()
{
    for (PrintJobObserver *observer : std::vector(m_observers))
        observer->PrintJobDestroyed();
}

template <typename T> void TCustomPrintJob::change(T &member, const T &value)
{
    if (member == value)
        return;
    member = value;
    Update();
}

void TCustomPrintJob::SetMultiDoc(bool value)
{
    change(m_multiDoc, value);
}
void TCustomPrintJob::SetTitle(const QString &value)
{
    change(m_title, value);
}
void TCustomPrintJob::SetMarginsUnits(TUnits value)
{
    change(m_marginsUnits, value);
}
void TCustomPrintJob::SetHeader(double value)
{
    change(m_header, value);
}
void TCustomPrintJob::SetHeaderUnits(TUnits value)
{
    change(m_headerUnits, value);
}
void TCustomPrintJob::SetFooter(double value)
{
    change(m_footer, value);
}
void TCustomPrintJob::SetFooterUnits(TUnits value)
{
    change(m_footerUnits, value);
}
void TCustomPrintJob::SetOptions(TJobOptionsSet value)
{
    change(m_options, value);
}
void TCustomPrintJob::SetRelativeCoords(bool value)
{
    change(m_relativeCoords, value);
}
void TCustomPrintJob::SetDefaultDrawing(TDrawAreas value)
{
    change(m_defaultDrawing, value);
}

void TCustomPrintJob::SetMargins(const TMargins &value)
{
    TMargins checked = value;
    CheckMargins(checked);
    change(m_margins, checked);
}

void TCustomPrintJob::SetMarginsError(TMarginsError value)
{
    if (m_marginsError == value)
        return;
    m_marginsError = value;
    if (value != meNone) {
        TMargins checked = m_margins;
        CheckMargins(checked);
        m_margins = checked;
    }
    Update();
}

void TCustomPrintJob::SetPageMode(TPageMode value)
{
    if (m_pageMode == value)
        return;
    m_pageMode = value;
    UpdatePageSize();
    Update();
}

void TCustomPrintJob::SetPageUnits(TUnits value)
{
    if (m_pageUnits == value)
        return;
    m_pageUnits = value;
    UpdatePageSize();
    Update();
}

void TCustomPrintJob::SetOrientation(TPageOrientation value)
{
    if (m_orientation == value)
        return;
    m_orientation = value;
    UpdatePageSize();
    Update();
}

void TCustomPrintJob::SetPageWidth(double value)
{
    if (m_pageMode == pmCustom)
        change(m_pageWidth, value);
    else {
        UpdatePageSize(); // the paper of the printer decides
        Update();
    }
}

void TCustomPrintJob::SetPageHeight(double value)
{
    if (m_pageMode == pmCustom)
        change(m_pageHeight, value);
    else {
        UpdatePageSize();
        Update();
    }
}

bool TCustomPrintJob::HasPrinter() const
{
    return Printer::current() != nullptr;
}

int TCustomPrintJob::ResolutionX() const
{
    const PrinterDevice *printer = Printer::current();
    return printer ? printer->resolutionX() : kResolutionWithoutPrinter;
}

int TCustomPrintJob::ResolutionY() const
{
    const PrinterDevice *printer = Printer::current();
    return printer ? printer->resolutionY() : kResolutionWithoutPrinter;
}

QSize TCustomPrintJob::PaperPixels() const
{
    const PrinterDevice *printer = Printer::current();
    return printer ? printer->paperSize() : kPaperWithoutPrinter;
}

QFont TCustomPrintJob::PrinterFont(const QFont &font) const
{
    QFont result(font);
    // Unhinted metrics measure text as the printer and a scaled preview draw it.
    result.setHintingPreference(QFont::PreferNoHinting);
    if (font.pointSizeF() > 0)
        result.setPixelSize(std::max(1, int(std::lround(font.pointSizeF() * ResolutionY() / 72.0))));
    return result;
}

double TCustomPrintJob::Convert(double value, TUnits fromUnit, TUnits toUnit, double reference, TAxis axis) const
{
    const double resolution = axis == TAxis::Horizontal ? ResolutionX() : ResolutionY();
    double result = value;
    if (fromUnit != toUnit) {
        double millimetres = value;
        switch (fromUnit) {
        case unPixels: millimetres = value * 25.4 / resolution; break;
        case unPercents: millimetres = value * reference / 100 * 25.4 / resolution; break;
        case unInches: millimetres = value * 25.4; break;
        case unMillimeters: break;
        }
        switch (toUnit) {
        case unPixels: result = millimetres * resolution / 25.4; break;
        case unPercents:
            // a percentage of nothing is nothing, not a division by zero
            result = reference == 0 ? 0 : millimetres * resolution / 25.4 * 100 / reference;
            break;
        case unInches: result = millimetres / 25.4; break;
        case unMillimeters: result = millimetres; break;
        }
    }
    return roundTo(result, decimalsOf(toUnit));
}

void TCustomPrintJob::BeginUpdate()
{
    ++m_updateLock;
}

void TCustomPrintJob::EndUpdate()
{
    m_updateLock = std::max(0, m_updateLock - 1);
}

void TCustomPrintJob::AttachObserver(PrintJobObserver *observer)
{
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void TCustomPrintJob::DetachObserver(PrintJobObserver *observer)
{
    std::erase(m_observers, observer);
}

TRect TCustomPrintJob::GetPaperRect()
{
    if (!HasPrinter()) {
        m_pageWidth = kPaperWithoutPrinter.width();
        m_pageHeight = kPaperWithoutPrinter.height();
        return {0, 0, kPaperWithoutPrinter.width(), kPaperWithoutPrinter.height()};
    }
    const QSize paper = PaperPixels();
    return {0, 0, int(Convert(m_pageWidth, m_pageUnits, unPixels, paper.width(), TAxis::Horizontal)),
            int(Convert(m_pageHeight, m_pageUnits, unPixels, paper.height(), TAxis::Vertical))};
}

TRect TCustomPrintJob::GetPrintableRect() const
{
    const PrinterDevice *printer = Printer::current();
    if (!printer)
        return {0, 0, kPaperWithoutPrinter.width(), kPaperWithoutPrinter.height()};
    return {0, 0, printer->printableSize().width(), printer->printableSize().height()};
}

TRect TCustomPrintJob::GetMarginsRect()
{
    TRect rect = GetPaperRect();
    const PrinterDevice *printer = Printer::current();
    if (m_target == dtPrint && printer) {
        // the printer draws from the corner of its printable area
        const QPoint offset = printer->physicalOffset();
        rect = {rect.Left - offset.x(), rect.Top - offset.y(), rect.Right - offset.x(), rect.Bottom - offset.y()};
    }
    if (m_options & joMargins) {
        const QSize paper = PaperPixels();
        rect.Left += int(Convert(m_margins.Left, m_marginsUnits, unPixels, paper.width(), TAxis::Horizontal));
        rect.Right -= int(Convert(m_margins.Right, m_marginsUnits, unPixels, paper.width(), TAxis::Horizontal));
        rect.Top += int(Convert(m_margins.Top, m_marginsUnits, unPixels, paper.height(), TAxis::Vertical));
        rect.Bottom -= int(Convert(m_margins.Bottom, m_marginsUnits, unPixels, paper.height(), TAxis::Vertical));
    }
    return rect;
}

TRect TCustomPrintJob::GetHeaderRect()
{
    if (!(m_options & joHeader))
        return {};
    const TRect margins = GetMarginsRect();
    const int height = int(Convert(m_header, m_headerUnits, unPixels, margins.Height(), TAxis::Vertical));
    return {margins.Left, margins.Top, margins.Right, margins.Top + height};
}

TRect TCustomPrintJob::GetFooterRect()
{
    if (!(m_options & joFooter))
        return {};
    const TRect margins = GetMarginsRect();
    const int height = int(Convert(m_footer, m_footerUnits, unPixels, margins.Height(), TAxis::Vertical));
    return {margins.Left, margins.Bottom - height, margins.Right, margins.Bottom};
}

TRect TCustomPrintJob::GetPageRect()
{
    TRect rect = GetMarginsRect();
    if (m_options & joHeader)
        rect.Top = GetHeaderRect().Bottom;
    if (m_options & joFooter)
        rect.Bottom = GetFooterRect().Top;
    return rect;
}

void TCustomPrintJob::ApplyOrientation()
{
    PrinterDevice *printer = Printer::current();
    if (printer && m_orientation != orDefault && !printer->isPrinting())
        printer->setOrientation(m_orientation == orPortrait ? QPageLayout::Portrait : QPageLayout::Landscape);
}

void TCustomPrintJob::UpdatePageSize()
{
    if (!HasPrinter()) {
        m_pageWidth = kPaperWithoutPrinter.width();
        m_pageHeight = kPaperWithoutPrinter.height();
        return;
    }
    ApplyOrientation();
    if (m_pageMode == pmDefault) {
        const QSize paper = PaperPixels();
        m_pageWidth = Convert(paper.width(), unPixels, m_pageUnits, paper.width(), TAxis::Horizontal);
        m_pageHeight = Convert(paper.height(), unPixels, m_pageUnits, paper.height(), TAxis::Vertical);
    }
}

void TCustomPrintJob::CheckMargins(TMargins &margins)
{
    const PrinterDevice *printer = Printer::current();
    if (m_marginsError == meNone || !printer)
        return;
    const QSize paper = PaperPixels();
    const QPoint offset = printer->physicalOffset();
    const QSize printable = printer->printableSize();
    // distances of the margins rectangle from the paper's edges, in pixels
    int left = 0, top = 0, right = 0, bottom = 0;
    if (m_options & joMargins) {
        left = int(Convert(margins.Left, m_marginsUnits, unPixels, paper.width(), TAxis::Horizontal));
        right = int(Convert(margins.Right, m_marginsUnits, unPixels, paper.width(), TAxis::Horizontal));
        top = int(Convert(margins.Top, m_marginsUnits, unPixels, paper.height(), TAxis::Vertical));
        bottom = int(Convert(margins.Bottom, m_marginsUnits, unPixels, paper.height(), TAxis::Vertical));
    }
    const int leftStrip = offset.x();
    const int topStrip = offset.y();
    const int rightStrip = paper.width() - (offset.x() + printable.width());
    const int bottomStrip = paper.height() - (offset.y() + printable.height());
    const bool leftOut = leftStrip > left, topOut = topStrip > top, rightOut = rightStrip > right,
               bottomOut = bottomStrip > bottom;
    if (!(leftOut || topOut || rightOut || bottomOut))
        return;
    const QString text = QString::fromLatin1(kMarginsOutside);
    if (m_marginsError == meMessageBox) {
        if (MessageService::current().ask(text + QStringLiteral("\rDo you want to fix them?"),
                                          MessageService::Buttons::YesNo)
            != MessageService::Answer::Yes)
            return;
    } else if (m_marginsError == meException)
        throw EPrintJobException(text);
    const auto toMargin = [&](int strip, int reference, TAxis axis) {
        return Convert(strip, unPixels, m_marginsUnits, reference, axis);
    };
    if (leftOut)
        margins.Left = toMargin(leftStrip, paper.width(), TAxis::Horizontal);
    if (rightOut)
        margins.Right = toMargin(rightStrip, paper.width(), TAxis::Horizontal);
    if (topOut)
        margins.Top = toMargin(topStrip, paper.height(), TAxis::Vertical);
    if (bottomOut)
        margins.Bottom = toMargin(bottomStrip, paper.height(), TAxis::Vertical);
}

void TCustomPrintJob::Update()
{
    DoUpdate();
}

void TCustomPrintJob::DoUpdate()
{
    if (m_updateLock > 0 || !HasPrinter())
        return;
    UpdatePageSize();
    CheckMargins(m_margins);
    for (PrintJobObserver *observer : std::vector(m_observers)) {
        try {
            observer->PrintJobChanged();
        } catch (...) {
            // one preview that cannot redraw does not keep the others from it
        }
    }
    if (OnUpdate)
        OnUpdate(*this);
}

TCustomPrintJob *TCustomPrintJob::GetPageJob(int)
{
    return this;
}

void TCustomPrintJob::DrawToCanvas(QPainter &canvas, int pageIndex)
{
    DrawPage(canvas, pageIndex, dtExternal);
}

void TCustomPrintJob::ResetCanvas(QPainter &canvas) const
{
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(10);
    canvas.setFont(PrinterFont(arial));
    canvas.setPen(QPen(Qt::black, 0, Qt::SolidLine));
    canvas.setBrush(QBrush(Qt::white, Qt::SolidPattern));
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCustomPrintJob::PrepareCanvas(QPainter &canvas, TDrawTarget)
{
    ResetCanvas(canvas);
    const TRect paper = GetPaperRect();
    canvas.fillRect(QRect(paper.Left, paper.Top, paper.Width(), paper.Height()), Qt::white);
}

void TCustomPrintJob::DrawPage(QPainter &canvas, int pageIndex, TDrawTarget target)
{
    m_target = target;
    UpdatePageSize();
    PrepareCanvas(canvas, target);
    ResetCanvas(canvas);
    DrawOneArea(canvas, pageIndex, daPage, GetPageRect());
    if (m_options & joHeader) {
        ResetCanvas(canvas);
        DrawOneArea(canvas, pageIndex, daHeader, GetHeaderRect());
    }
    if (m_options & joFooter) {
        ResetCanvas(canvas);
        DrawOneArea(canvas, pageIndex, daFooter, GetFooterRect());
    }
}

void TCustomPrintJob::DrawOneArea(QPainter &canvas, int pageIndex, TDrawArea area, const TRect &rect)
{
    canvas.save();
    TRect drawn = rect;
    if (m_relativeCoords) {
        canvas.translate(rect.Left, rect.Top);
        drawn = {0, 0, rect.Width(), rect.Height()};
    }
    if (m_defaultDrawing & area)
        DrawArea(canvas, pageIndex, m_target, area, drawn);
    else if (OnDraw)
        OnDraw(*this, canvas, pageIndex, drawn, area, m_target);
    canvas.restore();
}

void TCustomPrintJob::DrawArea(QPainter &canvas, int pageIndex, TDrawTarget target, TDrawArea area, const TRect &rect)
{
    if (OnDraw)
        OnDraw(*this, canvas, pageIndex, rect, area, target);
}

void TCustomPrintJob::PrinterSetupChanged()
{
    if (OnPrinterSetupChange)
        OnPrinterSetupChange(*this);
}

bool TCustomPrintJob::CanPrint()
{
    bool allowed = true;
    if (OnCanPrint)
        OnCanPrint(allowed);
    return allowed;
}

void TCustomPrintJob::StartPrint()
{
    if (OnStartPrint)
        OnStartPrint(*this);
}

void TCustomPrintJob::EndPrint()
{
    if (OnEndPrint)
        OnEndPrint(*this);
}

void TCustomPrintJob::PrintProgress(int pos, int min, int max)
{
    if (OnPrintProgress)
        OnPrintProgress(*this, pos, min, max);
}

void TCustomPrintJob::StartPrintPage(int pageIndex)
{
    if (OnStartPrintPage)
        OnStartPrintPage(*this, pageIndex);
}

void TCustomPrintJob::EndPrintPage(int pageIndex)
{
    if (OnEndPrintPage)
        OnEndPrintPage(*this, pageIndex);
}

void TCustomPrintJob::NewPage(int)
{
    Printer::current()->newPage();
}

void TCustomPrintJob::PrintRange(int fromPage, int toPage, bool ownDocuments)
{
    if (!CanPrint())
        return;
    m_abort = false;
    PrinterDevice *printer = Printer::current();
    if (!printer)
        return;
    ApplyOrientation();
    printer->setDocumentTitle(m_title);
    StartPrint();
    try {
        if (!ownDocuments && !printer->beginDocument()) {
            EndPrint();
            return;
        }
        for (int page = fromPage; page <= toPage; ++page) {
            if (m_abort) {
                m_abort = false;
                break;
            }
            if (ownDocuments) {
                if (!printer->beginDocument())
                    break;
            } else if (page != fromPage)
                NewPage(page); // before the page, so that an aborted run ends without an empty sheet
            StartPrintPage(page);
            DrawPage(printer->painter(), page, dtPrint);
            EndPrintPage(page);
            if (ownDocuments)
                printer->endDocument();
            PrintProgress(page - fromPage + 1, 1, toPage - fromPage + 1);
            QCoreApplication::processEvents(); // keeps the windows alive and lets AbortPrint in
        }
    } catch (...) {
        if (printer->isPrinting())
            printer->abortDocument();
        EndPrint(); // the run has ended, if not well
        throw;
    }
    if (!ownDocuments)
        printer->endDocument();
    EndPrint();
}

void TCustomPrintJob::Print()
{
    PrintRange(1, m_pageCount, m_multiDoc);
}

void TCustomPrintJob::PrintDialog()
{
    PrinterDevice *printer = Printer::current();
    int fromPage = 1;
    int toPage = m_pageCount;
    if (!printer || !printer->printDialog(m_pageCount, fromPage, toPage))
        return;
    Update();
    m_abort = false;
    printer->setDocumentTitle(m_title);
    Update();
    PrinterSetupChanged();
    PrintRange(fromPage, toPage, m_multiDoc);
}

void TCustomPrintJob::PrinterSetupDialog()
{
    PrinterDevice *printer = Printer::current();
    if (!printer || !printer->setupDialog())
        return;
    Update();
    PrinterSetupChanged();
    Update();
}

void TCustomPrintJob::AbortPrint()
{
    m_abort = true;
}
