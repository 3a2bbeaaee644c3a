#pragma once

#include "print/PSJob.h"

#include <functional>
#include <vector>

enum TCellBorder { cbTop = 1, cbLeft = 2, cbRight = 4, cbBottom = 8 };
using TCellBorders = int; // TCellBorder flags
enum class TCellKind { Table, Header, Page, Footer };

// A table over as many pages as needed: the title row in the header area of every page,
// RowsPerPage data rows in the page area, a footer row. Column -1 is the index column (running
// numbers), 0 … ColCount - 1 the data columns; rows 0 … RowCount - 1 are data rows.
class TCustomGridPrintJob : public TCustomPrintJob
{
    Q_OBJECT
public:
    static constexpr int kTitleRow = -1;
    static constexpr int kFooterRow = -2;

    explicit TCustomGridPrintJob(QObject *parent = nullptr);

    int ColCount() const { return m_colCount; }
    void SetColCount(int value);
    int RowCount() const { return m_rowCount; }
    void SetRowCount(int value);
    int RowsPerPage() const { return m_rowsPerPage; }
    void SetRowsPerPage(int value);
    TCellBorders TableBorders() const { return m_tableBorders; }
    void SetTableBorders(TCellBorders value);
    TCellBorders HeaderCellBorders() const { return m_headerCellBorders; }
    void SetHeaderCellBorders(TCellBorders value);
    TCellBorders PageCellBorders() const { return m_pageCellBorders; }
    void SetPageCellBorders(TCellBorders value);
    TCellBorders FooterCellBorders() const { return m_footerCellBorders; }
    void SetFooterCellBorders(TCellBorders value);
    bool IndexColumn() const { return m_indexColumn; }
    void SetIndexColumn(bool value);
    int IndexStart() const { return m_indexStart; }
    void SetIndexStart(int value);

    // Vertical span (top, bottom) of the k-th row of a page in a page rectangle: the height follows
    // from RowsPerPage alone.
    std::pair<int, int> RowSpan(const TRect &pageRect, int k) const;
    // The data rows of a page: first and one past the last.
    std::pair<int, int> PageRows(int pageIndex) const;

    std::function<void(TCustomGridPrintJob &, int col, int row, QPainter &)> OnCustomizeCellCanvas;

protected:
    void DrawArea(QPainter &canvas, int pageIndex, TDrawTarget target, TDrawArea area, const TRect &rect) override;
    virtual void DrawCellText(QPainter &canvas, const TRect &rect, TDrawTarget target, int row, int column,
                              int pageIndex);
    virtual void CustomizeCellCanvas(int column, int row, QPainter &canvas);
    virtual void DrawCellBorders(QPainter &canvas, const TRect &rect, TDrawTarget target, TCellKind kind);
    virtual int GetColWidth(QPainter &canvas, int column);

    // Counts as the data asks, without a layout run of their own.
    void StoreCounts(int columns, int rows);

private:
    template <typename T> void change(T &member, const T &value);
    void RecomputePageCount();
    int FirstColumn() const { return m_indexColumn ? -1 : 0; }
    // One row of cells: borders of all first, then the texts.
    void DrawRowOfCells(QPainter &canvas, const std::vector<int> &widths, int left, int top, int bottom,
                        TDrawTarget target, TCellKind kind, int row, int pageIndex);

    int m_colCount = 1;
    int m_rowCount = 1;
    int m_rowsPerPage = 1;
    TCellBorders m_tableBorders = 0;
    TCellBorders m_headerCellBorders = 0;
    TCellBorders m_pageCellBorders = 0;
    TCellBorders m_footerCellBorders = 0;
    bool m_indexColumn = false;
    int m_indexStart = 0;
};
