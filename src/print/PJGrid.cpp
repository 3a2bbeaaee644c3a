#include "print/PJGrid.h"

#include <algorithm>
#include <QPainter>

TCustomGridPrintJob::TCustomGridPrintJob(QObject *parent)
    : TCustomPrintJob(parent)
{ }

template <typename T> void TCustomGridPrintJob::change(T &member, const T &value)
{
    if (member == value)
        return;
    member = value;
    Update();
}

void TCustomGridPrintJob::SetTableBorders(TCellBorders value)
{
    change(m_tableBorders, value);
}
void TCustomGridPrintJob::SetHeaderCellBorders(TCellBorders value)
{
    change(m_headerCellBorders, value);
}
void TCustomGridPrintJob::SetPageCellBorders(TCellBorders value)
{
    change(m_pageCellBorders, value);
}
void TCustomGridPrintJob::SetFooterCellBorders(TCellBorders value)
{
    change(m_footerCellBorders, value);
}
void TCustomGridPrintJob::SetIndexColumn(bool value)
{
    change(m_indexColumn, value);
}
void TCustomGridPrintJob::SetIndexStart(int value)
{
    change(m_indexStart, value);
}

void TCustomGridPrintJob::SetColCount(int value)
{
    change(m_colCount, std::max(1, value));
}

void TCustomGridPrintJob::SetRowCount(int value)
{
    m_rowCount = std::max(1, value);
    const int before = PageCount();
    RecomputePageCount();
    if (PageCount() != before)
        Update();
}

void TCustomGridPrintJob::SetRowsPerPage(int value)
{
    m_rowsPerPage = std::max(1, value);
    BeginUpdate();
    RecomputePageCount();
    EndUpdate();
    Update();
}

void TCustomGridPrintJob::StoreCounts(int columns, int rows)
{
    m_colCount = std::max(1, columns);
    m_rowCount = std::max(1, rows);
    RecomputePageCount();
}

void TCustomGridPrintJob::RecomputePageCount()
{
    SetPageCount((m_rowCount + m_rowsPerPage - 1) / m_rowsPerPage);
}

std::pair<int, int> TCustomGridPrintJob::RowSpan(const TRect &pageRect, int k) const
{
    const int height = pageRect.Height();
    return {pageRect.Top + (height - 1) * k / m_rowsPerPage - 1,
            pageRect.Top + (height - 1) * (k + 1) / m_rowsPerPage - 1};
}

std::pair<int, int> TCustomGridPrintJob::PageRows(int pageIndex) const
{
    return {(pageIndex - 1) * m_rowsPerPage, std::min(pageIndex * m_rowsPerPage, m_rowCount)};
}

void TCustomGridPrintJob::DrawRowOfCells(QPainter &canvas, const std::vector<int> &widths, int left, int top,
                                         int bottom, TDrawTarget target, TCellKind kind, int row, int pageIndex)
{
    for (bool text : {false, true}) {
        int x = left;
        for (int column = FirstColumn(); column < m_colCount; ++column) {
            const int width = widths[column - FirstColumn()];
            const TRect cell {x, top, x + width, bottom};
            if (text)
                DrawCellText(canvas, cell, target, row, column, pageIndex);
            else
                DrawCellBorders(canvas, cell, target, kind);
            x += width;
        }
    }
}

void TCustomGridPrintJob::DrawArea(QPainter &canvas, int pageIndex, TDrawTarget target, TDrawArea area,
                                   const TRect &rect)
{
    std::vector<int> widths;
    for (int column = FirstColumn(); column < m_colCount; ++column)
        widths.push_back(GetColWidth(canvas, column));
    switch (area) {
    case daHeader:
        DrawRowOfCells(canvas, widths, rect.Left, rect.Top, rect.Bottom, target, TCellKind::Header, kTitleRow,
                       pageIndex);
        break;
    case daPage: {
        const auto [first, end] = PageRows(pageIndex);
        int tableBottom = 0;
        for (int row = first; row < end; ++row) {
            const auto [top, bottom] = RowSpan(rect, row - first);
            DrawRowOfCells(canvas, widths, rect.Left, top, bottom, target, TCellKind::Page, row, pageIndex);
            tableBottom = bottom;
        }
        const TRect margins = GetMarginsRect();
        int tableWidth = 0;
        for (int width : widths)
            tableWidth += width;
        const bool lastPage = pageIndex >= PageCount();
        DrawCellBorders(canvas,
                        {margins.Left, margins.Top, margins.Left + tableWidth, lastPage ? tableBottom : margins.Bottom},
                        target, TCellKind::Table);
        break;
    }
    case daFooter:
        DrawRowOfCells(canvas, widths, rect.Left, rect.Top, rect.Bottom, target, TCellKind::Footer, kFooterRow,
                       pageIndex);
        break;
    }
}

void TCustomGridPrintJob::DrawCellText(QPainter &, const TRect &, TDrawTarget, int, int, int)
{ }

void TCustomGridPrintJob::CustomizeCellCanvas(int column, int row, QPainter &canvas)
{
    if (OnCustomizeCellCanvas)
        OnCustomizeCellCanvas(*this, column, row, canvas);
}

void TCustomGridPrintJob::DrawCellBorders(QPainter &canvas, const TRect &rect, TDrawTarget, TCellKind kind)
{
    TCellBorders borders = 0;
    switch (kind) {
    case TCellKind::Table: borders = m_tableBorders; break;
    case TCellKind::Header: borders = m_headerCellBorders; break;
    case TCellKind::Page: borders = m_pageCellBorders; break;
    case TCellKind::Footer: borders = m_footerCellBorders; break;
    }
    if (!borders)
        return;
    canvas.save();
    canvas.setPen(QPen(Qt::black, 0, Qt::SolidLine));
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (borders & cbTop)
        canvas.drawLine(rect.Left, rect.Top, rect.Right, rect.Top);
    if (borders & cbBottom)
        canvas.drawLine(rect.Left, rect.Bottom, rect.Right, rect.Bottom);
    if (borders & cbLeft)
        canvas.drawLine(rect.Left, rect.Top, rect.Left, rect.Bottom);
    if (borders & cbRight)
        canvas.drawLine(rect.Right, rect.Top, rect.Right, rect.Bottom);
    canvas.restore();
}

int TCustomGridPrintJob::GetColWidth(QPainter &, int)
{
    return GetPageRect().Width() / (m_colCount + (m_indexColumn ? 1 : 0));
}
