#include "preview/PSToolbar.h"

#include "preview/PSCombo.h"
#include "preview/PSPreview.h"

#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace {
constexpr int kButtonSize = 24;

const char *const kHints[kButtonKinds] = {"Print",
                                          "Print dialog",
                                          "Printer setup dialog",
                                          "First page",
                                          "Previous page",
                                          "Next page",
                                          "Last page",
                                          "Whole page",
                                          "Page width",
                                          "Zoom out",
                                          "Zoom in",
                                          "Refresh",
                                          "Close",
                                          ""};

void drawSheet(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
}

void drawPrinter(QPainter &p)
{
    drawSheet(p, QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
    drawSheet(p, QRectF(4.5, 10.5, 7, 4));
    p.setPen(QColor(0, 160, 0));
    p.drawPoint(QPointF(12.5, 8.5));
}

void drawLines(QPainter &p, double left, double right, double top, int count)
{
    p.setPen(QColor(90, 90, 160));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + 2 * i), QPointF(right, top + 2 * i));
}

void drawMagnifier(QPainter &p, bool plus)
{
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(QColor(120, 80, 20), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
    p.setPen(QPen(Qt::black, 1.2));
    p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
    if (plus)
        p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
}

// A triangle pointing left or right, with a bar at the end for the first and last page.
void drawArrow(QPainter &p, bool right, bool bar)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    QPainterPath path;
    const double tip = right ? 11.5 : 4.5, base = right ? 5.5 : 10.5;
    path.moveTo(tip, 8);
    path.lineTo(base, 3);
    path.lineTo(base, 13);
    path.closeSubpath();
    p.drawPath(path);
    if (bar)
        p.fillRect(right ? QRectF(12, 3, 2, 10) : QRectF(2, 3, 2, 10), QColor(0, 0, 128));
}

void drawGlyph(QPainter &p, TButtonKind kind)
{
    switch (kind) {
    case btnPrint: drawPrinter(p); break;
    case btnPrintDialog:
        drawPrinter(p);
        p.fillRect(QRectF(10, 0, 6, 6), QColor(255, 230, 120));
        p.setPen(Qt::black);
        p.drawText(QRectF(10, -1, 6, 7), Qt::AlignCenter, QStringLiteral("…"));
        break;
    case btnPrinterSetupDialog:
        drawPrinter(p);
        p.setPen(QPen(QColor(60, 60, 60), 2));
        p.setBrush(QColor(200, 200, 200));
        p.drawEllipse(QRectF(10, 1, 5, 5));
        break;
    case btnFirstPage: drawArrow(p, false, true); break;
    case btnPrevPage: drawArrow(p, false, false); break;
    case btnNextPage: drawArrow(p, true, false); break;
    case btnLastPage: drawArrow(p, true, true); break;
    case btnWholePage:
        drawSheet(p, QRectF(3.5, 1.5, 9, 13));
        drawLines(p, 5, 11, 4.5, 5);
        break;
    case btnPageWidth:
        drawSheet(p, QRectF(0.5, 3.5, 15, 10));
        drawLines(p, 2, 14, 6.5, 3);
        p.setPen(QColor(200, 0, 0));
        p.drawLine(QPointF(0.5, 15), QPointF(15.5, 15));
        break;
    case btnZoomOut: drawMagnifier(p, false); break;
    case btnZoomIn: drawMagnifier(p, true); break;
    case btnRefresh: {
        p.setPen(QPen(QColor(0, 120, 0), 2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 60 * 16, 300 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 120, 0));
        QPainterPath head;
        head.moveTo(10, 0.5);
        head.lineTo(14.5, 4);
        head.lineTo(9, 6.5);
        head.closeSubpath();
        p.drawPath(head);
        break;
    }
    case btnClose:
        p.setPen(QPen(QColor(180, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case btnUser:
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(255, 220, 80));
        p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
        break;
    }
}
} // namespace

QIcon TPreviewToolbar::Glyph(TButtonKind kind)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawGlyph(painter, kind);
    painter.end();
    return QIcon(pixmap);
}

TPreviewToolbar::TPreviewToolbar(QWidget *parent)
    : QFrame(parent)
    , m_scaleBox(new TPreviewComboBox(this))
{
    setFrameShape(QFrame::NoFrame);
    setFixedHeight(26);
    m_scaleBox->setToolTip(QStringLiteral("View mode and scale"));
    for (int kind = 0; kind < kButtonKinds; ++kind) {
        auto *button = new QToolButton(this);
        button->setIcon(Glyph(TButtonKind(kind)));
        button->setIconSize(QSize(16, 16));
        button->setToolTip(QString::fromLatin1(kHints[kind]));
        button->setAutoRaise(m_flat);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, kind] { Press(TButtonKind(kind)); });
        m_buttonWidgets[kind] = button;
    }
    LayoutButtons();
}

void TPreviewToolbar::SetPreview(TPreview *preview)
{
    disconnect(m_link);
    m_preview = preview;
    m_scaleBox->SetPreview(preview);
    if (preview)
        m_link = connect(preview, &TPreview::updated, this, &TPreviewToolbar::RefreshStates);
    RefreshStates();
}

void TPreviewToolbar::SetButtons(TButtonKinds buttons)
{
    m_buttons = buttons;
    LayoutButtons();
}

void TPreviewToolbar::SetFlat(bool flat)
{
    m_flat = flat;
    for (QToolButton *button : m_buttonWidgets)
        button->setAutoRaise(flat);
}

void TPreviewToolbar::SetScaleBox(bool shown)
{
    m_scaleBoxShown = shown;
    LayoutButtons();
}

void TPreviewToolbar::SetScaleBoxPos(TButtonKind kind)
{
    m_scaleBoxPos = kind;
    LayoutButtons();
}

void TPreviewToolbar::SetUserButtonEnabled(bool enabled)
{
    m_buttonWidgets[btnUser]->setEnabled(enabled);
}

void TPreviewToolbar::SetUserButtonGlyph(const QIcon &glyph)
{
    m_buttonWidgets[btnUser]->setIcon(glyph);
}

void TPreviewToolbar::SetUserButtonHint(const QString &hint)
{
    m_buttonWidgets[btnUser]->setToolTip(hint);
}

void TPreviewToolbar::LayoutButtons()
{
    int x = 1;
    m_scaleBox->setVisible(m_scaleBoxShown);
    for (int kind = 0; kind < kButtonKinds; ++kind) {
        QToolButton *button = m_buttonWidgets[kind];
        if (m_scaleBoxShown && kind == m_scaleBoxPos) {
            m_scaleBox->move(x + 2, (height() - m_scaleBox->height()) / 2);
            x += m_scaleBox->width() + 4;
        }
        const bool shown = m_buttons & (1u << kind);
        button->setVisible(shown);
        if (shown) {
            button->setGeometry(x, 1, kButtonSize, kButtonSize);
            x += kButtonSize;
        }
    }
}

void TPreviewToolbar::Press(TButtonKind kind)
{
    bool allowDefault = true;
    if (OnButtonClick)
        OnButtonClick(*this, kind, allowDefault);
    if (allowDefault)
        Act(kind);
    RefreshStates();
}

void TPreviewToolbar::Act(TButtonKind kind)
{
    if (kind == btnClose) {
        window()->close();
        return;
    }
    if (kind == btnUser) {
        if (OnUserButtonClick)
            OnUserButtonClick(*this);
        return;
    }
    if (!m_preview || !m_preview->PrintJob())
        return;
    TPreview &preview = *m_preview;
    TCustomPrintJob &job = *preview.PrintJob();
    switch (kind) {
    case btnPrint: job.Print(); break;
    case btnPrintDialog: job.PrintDialog(); break;
    case btnPrinterSetupDialog: job.PrinterSetupDialog(); break;
    case btnFirstPage: preview.SetPageIndex(1); break;
    case btnPrevPage: preview.SetPageIndex(preview.PageIndex() - 1); break;
    case btnNextPage: preview.SetPageIndex(preview.PageIndex() + 1); break;
    case btnLastPage: preview.SetPageIndex(preview.PageCount()); break;
    case btnWholePage: preview.SetViewMode(vmWholePage); break;
    case btnPageWidth: preview.SetViewMode(vmPageWidth); break;
    case btnZoomOut: preview.ZoomOut(); break;
    case btnZoomIn: preview.ZoomIn(); break;
    case btnRefresh: job.Update(); break;
    case btnClose:
    case btnUser: break;
    }
}

void TPreviewToolbar::RefreshStates()
{
    if (m_preview && m_preview->Showing()) {
        const TPreview &preview = *m_preview;
        const bool notFirst = preview.PageIndex() > 1;
        const bool notLast = preview.PageIndex() < preview.PageCount();
        m_buttonWidgets[btnFirstPage]->setEnabled(notFirst);
        m_buttonWidgets[btnPrevPage]->setEnabled(notFirst);
        m_buttonWidgets[btnNextPage]->setEnabled(notLast);
        m_buttonWidgets[btnLastPage]->setEnabled(notLast);
        m_buttonWidgets[btnZoomOut]->setEnabled(preview.ViewScale() > TPreview::kMinScale);
        m_buttonWidgets[btnZoomIn]->setEnabled(preview.ViewScale() < TPreview::kMaxScale);
        m_scaleBox->setEnabled(true);
    }
    emit updated();
}
