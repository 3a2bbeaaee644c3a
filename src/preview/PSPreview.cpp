#include "preview/PSPreview.h"

#include "print/Printer.h"

#include <cmath>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

namespace {
constexpr int kIncrement = 8;

int rounded(double value)
{
    return int(std::lround(value));
}
} // namespace

void TPreviewSheet::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect sheet(0, 0, width() - shadowSize, height() - shadowSize);
    if (shadowSize > 0) {
        painter.fillRect(QRect(shadowSize, shadowSize, width() - shadowSize, height() - shadowSize), shadowColor);
    }
    painter.fillRect(sheet, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(sheet.adjusted(0, 0, -1, -1));
    if (paper.isEmpty())
        return;
    // The page inside the outline, scaled from printer pixels; only its printable part is shown.
    const QRectF inner = QRectF(sheet).adjusted(1, 1, -1, -1);
    const double sx = inner.width() / paper.width();
    const double sy = inner.height() / paper.height();
    painter.setClipRect(QRectF(inner.left() + printable.left() * sx, inner.top() + printable.top() * sy,
                               printable.width() * sx, printable.height() * sy));
    painter.translate(inner.topLeft());
    painter.scale(sx, sy);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.drawPicture(0, 0, picture);
}

void TPreviewSheet::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit doubleClicked(event->button());
}

TPreview::TPreview(QWidget *parent)
    : QWidget(parent)
    , m_scrollBox(new QScrollArea(this))
    , m_canvas(new QWidget)
    , m_sheet(new TPreviewSheet(m_canvas))
{
    setFocusPolicy(Qt::StrongFocus);
    m_scrollBox->setFrameShape(QFrame::NoFrame);
    m_scrollBox->setWidget(m_canvas);
    m_scrollBox->setWidgetResizable(false);
    m_scrollBox->setFocusPolicy(Qt::NoFocus);
    m_scrollBox->horizontalScrollBar()->setSingleStep(kIncrement);
    m_scrollBox->verticalScrollBar()->setSingleStep(kIncrement);
    m_scrollBox->viewport()->installEventFilter(this);
    m_sheet->installEventFilter(this);
    m_sheet->setGeometry(8, 8, 46, 67);
    m_sheet->hide();
    SetColor(m_color);
    connect(m_sheet, &TPreviewSheet::doubleClicked, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            ZoomIn();
        else if (button == Qt::RightButton)
            ZoomOut();
    });
}

TPreview::~TPreview()
{
    if (m_job)
        m_job->DetachObserver(this);
}

void TPreview::SetPrintJob(TCustomPrintJob *job)
{
    if (m_job)
        m_job->DetachObserver(this);
    m_job = job;
    if (job)
        job->AttachObserver(this);
    m_pageIndex = 1;
    Redraw();
    emit pageChanged();
}

void TPreview::PrintJobDestroyed()
{
    m_job = nullptr;
    Redraw();
}

bool TPreview::Showing() const
{
    return m_job && m_job->HasPrinter();
}

void TPreview::SetColor(const QColor &color)
{
    m_color = color;
    QPalette palette = m_canvas->palette();
    palette.setColor(QPalette::Window, color);
    m_canvas->setPalette(palette);
    m_canvas->setAutoFillBackground(true);
    m_scrollBox->setPalette(palette);
    m_scrollBox->viewport()->setPalette(palette);
    m_scrollBox->viewport()->setAutoFillBackground(true);
}

void TPreview::SetShadowColor(const QColor &color)
{
    m_sheet->shadowColor = color;
    m_sheet->update();
}

void TPreview::SetShadowSize(int size)
{
    m_sheet->shadowSize = std::clamp(size, 0, 100);
    Redraw();
}

void TPreview::SetViewMode(TViewMode mode)
{
    if (m_viewMode == mode)
        return;
    m_viewMode = mode;
    Redraw();
}

void TPreview::SetViewScale(int scale)
{
    if (m_viewMode != vmCustom)
        return;
    scale = std::clamp(scale, kMinScale, kMaxScale);
    if (scale == m_viewScale)
        return;
    m_viewScale = scale;
    Redraw();
}

void TPreview::SetPageIndex(int index)
{
    index = std::clamp(index, 1, PageCount());
    if (index != m_pageIndex) {
        m_pageIndex = index;
        m_scrollBox->horizontalScrollBar()->setValue(0);
        m_scrollBox->verticalScrollBar()->setValue(0);
        Redraw();
    }
    emit pageChanged();
}

void TPreview::ZoomIn()
{
    SetViewMode(vmCustom);
    for (int step : kZoomSteps)
        if (step > m_viewScale) {
            SetViewScale(step);
            return;
        }
}

void TPreview::ZoomOut()
{
    SetViewMode(vmCustom);
    for (auto step = std::rbegin(kZoomSteps); step != std::rend(kZoomSteps); ++step)
        if (*step < m_viewScale) {
            SetViewScale(*step);
            return;
        }
}

void TPreview::LayoutSheet(double paperWidth, double paperHeight)
{
    const int shadow = m_sheet->shadowSize;
    const QSize view = m_scrollBox->maximumViewportSize(); // also before the first resize event
    const double screenDpi = logicalDpiX();
    const double printerDpi = m_job->ResolutionX();
    const auto heightFor = [&](int width) {
        return rounded((width - shadow - 2) * paperHeight / paperWidth) + shadow + 2;
    };
    QRect sheet;
    QSize range;
    switch (m_viewMode) {
    case vmWholePage: {
        int height = std::max(shadow + 3, view.height() - shadow - 16);
        int width = rounded((height - shadow - 2) * paperWidth / paperHeight) + shadow + 2;
        if (width > view.width() - 16) {
            width = std::max(shadow + 3, view.width() - 16);
            height = heightFor(width);
        }
        sheet = QRect((view.width() - width) / 2, (view.height() - height) / 2, width, height);
        range = view;
        break;
    }
    case vmPageWidth: {
        const int width = std::max(shadow + 3,
                                   m_scrollBox->width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 20);
        sheet = QRect(8, 8, width, heightFor(width));
        range = QSize(view.width(), sheet.height() + 16);
        break;
    }
    case vmCustom: {
        const int width = rounded(paperWidth * m_viewScale * screenDpi / printerDpi / 100) + 2;
        sheet = QRect(0, 0, width, heightFor(width));
        range = QSize(std::max(view.width(), width + 16), std::max(view.height(), sheet.height() + 16));
        sheet.moveLeft(width + 16 < view.width() ? (view.width() - width) / 2 : 8);
        sheet.moveTop(sheet.height() + 16 < view.height() ? (view.height() - sheet.height()) / 2 : 8);
        break;
    }
    }
    if (m_viewMode != vmCustom)
        m_viewScale = rounded(sheet.width() * 100.0 * printerDpi / paperWidth / screenDpi);
    m_canvas->resize(range);
    m_sheet->setGeometry(sheet);
}

void TPreview::Redraw()
{
    if (!Showing()) {
        m_sheet->hide();
        emit updated();
        return;
    }
    m_pageIndex = std::clamp(m_pageIndex, 1, m_job->PageCount());
    const TRect paper = m_job->GetPaperRect();
    LayoutSheet(paper.Width(), paper.Height());
    const PrinterDevice *printer = Printer::current();
    m_sheet->paper = QSizeF(paper.Width(), paper.Height());
    m_sheet->printable = QRectF(printer->physicalOffset(), printer->printableSize());
    m_sheet->picture = QPicture();
    {
        QPainter painter(&m_sheet->picture);
        m_job->DrawPage(painter, m_pageIndex, dtMetaPreview);
    }
    m_sheet->update();
    m_sheet->show();
    emit updated();
}

void TPreview::resizeEvent(QResizeEvent *)
{
    m_scrollBox->setGeometry(rect());
    Redraw();
}

void TPreview::ScrollBy(int dx, int dy)
{
    m_scrollBox->horizontalScrollBar()->setValue(m_scrollBox->horizontalScrollBar()->value() + dx);
    m_scrollBox->verticalScrollBar()->setValue(m_scrollBox->verticalScrollBar()->value() + dy);
}

void TPreview::keyPressEvent(QKeyEvent *event)
{
    QScrollBar *vertical = m_scrollBox->verticalScrollBar();
    QScrollBar *horizontal = m_scrollBox->horizontalScrollBar();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int pageStep = m_scrollBox->viewport()->height() - kIncrement;
    switch (event->key()) {
    case Qt::Key_PageUp:
        if (ctrl)
            vertical->setValue(vertical->minimum());
        else if (vertical->value() == vertical->minimum() && m_pageIndex > 1) {
            SetPageIndex(m_pageIndex - 1);
            vertical->setValue(vertical->maximum());
        } else
            ScrollBy(0, -pageStep);
        break;
    case Qt::Key_PageDown:
        if (ctrl)
            vertical->setValue(vertical->maximum());
        else if (vertical->value() == vertical->maximum())
            SetPageIndex(m_pageIndex + 1); // stays on the last page
        else
            ScrollBy(0, pageStep);
        break;
    case Qt::Key_Up: ScrollBy(0, -kIncrement); break;
    case Qt::Key_Down: ScrollBy(0, kIncrement); break;
    case Qt::Key_Home:
        horizontal->setValue(horizontal->minimum());
        if (ctrl)
            vertical->setValue(vertical->minimum());
        break;
    case Qt::Key_End:
        horizontal->setValue(horizontal->maximum());
        if (ctrl)
            vertical->setValue(vertical->maximum());
        break;
    case Qt::Key_Left: ScrollBy(ctrl ? -(m_scrollBox->viewport()->width() - kIncrement) : -kIncrement, 0); break;
    case Qt::Key_Right: ScrollBy(ctrl ? m_scrollBox->viewport()->width() - kIncrement : kIncrement, 0); break;
    default: QWidget::keyPressEvent(event);
    }
}

bool TPreview::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Wheel: {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        ScrollBy(0, -wheel->angleDelta().y() * std::max(m_viewScale, 1) / 480);
        return true;
    }
    case QEvent::MouseButtonPress:
        setFocus();
        if (m_dragScroll && watched == m_sheet) {
            m_dragStart = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
            m_sheet->setCursor(Qt::SizeAllCursor);
        }
        break;
    case QEvent::MouseMove:
        if (m_dragScroll && watched == m_sheet && static_cast<QMouseEvent *>(event)->buttons()) {
            const QPoint now = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
            ScrollBy(m_dragStart.x() - now.x(), m_dragStart.y() - now.y());
            m_dragStart = now;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (m_dragScroll && watched == m_sheet)
            m_sheet->unsetCursor();
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}
