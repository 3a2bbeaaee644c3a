#include "print/PJTextGrid.h"

#include <QPainter>

namespace {
QFont arial12()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    return font;
}
} // namespace

TCustomTextGridPrintJob::TCustomTextGridPrintJob(QObject *parent)
    : TCustomGridPrintJob(parent)
    , m_headerFont(arial12())
    , m_pageFont(arial12())
    , m_footerFont(arial12())
{ }

template <typename T> void TCustomTextGridPrintJob::change(T &member, const T &value)
{
    if (member == value)
        return;
    member = value;
    Update();
}

void TCustomTextGridPrintJob::SetHeaderFont(const QFont &value)
{
    change(m_headerFont, value);
}
void TCustomTextGridPrintJob::SetPageFont(const QFont &value)
{
    change(m_pageFont, value);
}
void TCustomTextGridPrintJob::SetFooterFont(const QFont &value)
{
    change(m_footerFont, value);
}
void TCustomTextGridPrintJob::SetClipMode(TClipMode value)
{
    change(m_clipMode, value);
}
void TCustomTextGridPrintJob::SetMultiline(bool value)
{
    change(m_multiline, value);
}

QString TCustomTextGridPrintJob::GetCellText(int, int, int)
{
    return {};
}

TCellAlignment TCustomTextGridPrintJob::GetCellAlignment(int, int)
{
    return caLeft;
}

void TCustomTextGridPrintJob::DrawCellText(QPainter &canvas, const TRect &rect, TDrawTarget, int row, int column,
                                           int pageIndex)
{
    const QString text = GetCellText(pageIndex, column, row);
    const QFont &font = row == kTitleRow ? m_headerFont : row == kFooterRow ? m_footerFont : m_pageFont;
    canvas.save();
    canvas.setFont(PrinterFont(font));
    // A blank's width of air on either side, one pixel at top and bottom, all moved one pixel
    // to the right and down.
    const int inset = canvas.fontMetrics().horizontalAdvance(QStringLiteral("  ")) - 1;
    const QRect textRect(QPoint(rect.Left + inset + 1, rect.Top + 2), QPoint(rect.Right - inset, rect.Bottom - 1));
    CustomizeCellCanvas(column, row, canvas);

    int flags = 0;
    switch (GetCellAlignment(column, row)) {
    case caLeft: flags |= Qt::AlignLeft; break;
    case caRight: flags |= Qt::AlignRight; break;
    case caCenter: flags |= Qt::AlignHCenter; break;
    }
    flags |= m_multiline ? (Qt::AlignTop | Qt::TextWordWrap) : (Qt::AlignVCenter | Qt::TextSingleLine);
    QString shown = text;
    if (m_clipMode == cmNone)
        flags |= Qt::TextDontClip;
    else {
        canvas.setClipRect(textRect, Qt::IntersectClip);
        if (m_clipMode == cmEllipsis && !m_multiline)
            shown = canvas.fontMetrics().elidedText(text, Qt::ElideRight, textRect.width());
    }
    canvas.drawText(textRect, flags, shown);
    canvas.restore();
}

void TSpecialTextGridPrintJob::DrawArea(QPainter &canvas, int pageIndex, TDrawTarget target, TDrawArea area,
                                        const TRect &rect)
{
    if (area == daFooter)
        DrawCellText(canvas, rect, target, kFooterRow, ColCount() - 1, pageIndex);
    else
        TCustomTextGridPrintJob::DrawArea(canvas, pageIndex, target, area, rect);
}
