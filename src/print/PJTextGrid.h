#pragma once

#include "print/PJGrid.h"

#include <QFont>

enum TClipMode { cmNone, cmClip, cmEllipsis };
enum TCellAlignment { caLeft = 0, caRight = 1, caCenter = 2 };

// The grid with text in its cells: a font for the title row, the data rows and the footer; text
// clipped or ended with an ellipsis where it does not fit its cell.
class TCustomTextGridPrintJob : public TCustomGridPrintJob
{
    Q_OBJECT
public:
    explicit TCustomTextGridPrintJob(QObject *parent = nullptr);

    // Fonts by point size; they keep it on every printer and in the preview.
    QFont HeaderFont() const { return m_headerFont; }
    void SetHeaderFont(const QFont &value);
    QFont PageFont() const { return m_pageFont; }
    void SetPageFont(const QFont &value);
    QFont FooterFont() const { return m_footerFont; }
    void SetFooterFont(const QFont &value);
    TClipMode ClipMode() const { return m_clipMode; }
    void SetClipMode(TClipMode value);
    bool Multiline() const { return m_multiline; }
    void SetMultiline(bool value);

    virtual QString GetCellText(int pageIndex, int column, int row);
    virtual TCellAlignment GetCellAlignment(int column, int row);

protected:
    void DrawCellText(QPainter &canvas, const TRect &rect, TDrawTarget target, int row, int column,
                      int pageIndex) override;

private:
    template <typename T> void change(T &member, const T &value);

    QFont m_headerFont;
    QFont m_pageFont;
    QFont m_footerFont;
    TClipMode m_clipMode = cmEllipsis;
    bool m_multiline = false;
};

// The footer as one cell across the whole footer area, showing the footer text of the last column.
class TSpecialTextGridPrintJob : public TCustomTextGridPrintJob
{
    Q_OBJECT
public:
    using TCustomTextGridPrintJob::TCustomTextGridPrintJob;

protected:
    void DrawArea(QPainter &canvas, int pageIndex, TDrawTarget target, TDrawArea area, const TRect &rect) override;
};
