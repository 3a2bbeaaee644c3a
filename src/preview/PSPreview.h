#pragma once

#include "print/PSJob.h"

#include <QPicture>
#include <QPointer>
#include <QWidget>

class QScrollArea;

enum TViewMode { vmWholePage, vmPageWidth, vmCustom };

// The sheet of paper in the preview: the rendered page with the printer's unprintable border left
// blank, and a shadow.
class TPreviewSheet : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
    QPicture picture;
    QSizeF paper; // printer pixels
    QRectF printable; // printer pixels
    int shadowSize = 8;
    QColor shadowColor {64, 64, 64};

signals:
    void doubleClicked(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

// One page of a print job as a sheet of paper in a scrollable view, at a chosen zoom. Redraws
// whenever the job reports a change; toolbars and scale boxes follow its `updated` signal.
class TPreview : public QWidget, public PrintJobObserver
{
    Q_OBJECT
public:
    static constexpr int kZoomSteps[] = {10, 25, 50, 75, 100, 150, 200, 300, 500, 700, 1000};
    static constexpr int kMinScale = 10;
    static constexpr int kMaxScale = 1000;

    explicit TPreview(QWidget *parent = nullptr);
    ~TPreview() override;

    TCustomPrintJob *PrintJob() const { return m_job; }
    void SetPrintJob(TCustomPrintJob *job);
    QColor Color() const { return m_color; }
    void SetColor(const QColor &color);
    QColor ShadowColor() const { return m_sheet->shadowColor; }
    void SetShadowColor(const QColor &color);
    int ShadowSize() const { return m_sheet->shadowSize; }
    void SetShadowSize(int size);
    TViewMode ViewMode() const { return m_viewMode; }
    void SetViewMode(TViewMode mode);
    int ViewScale() const { return m_viewScale; }
    void SetViewScale(int scale);
    int PageIndex() const { return m_pageIndex; }
    void SetPageIndex(int index);
    int PageCount() const { return m_job ? m_job->PageCount() : 1; }
    bool DragScroll() const { return m_dragScroll; }
    void SetDragScroll(bool on) { m_dragScroll = on; }
    // The preview has a page to show (a job and a printer).
    bool Showing() const;

    void ZoomIn();
    void ZoomOut();
    void Redraw();

    QScrollArea *ScrollBox() const { return m_scrollBox; }
    TPreviewSheet *Sheet() const { return m_sheet; }

    void PrintJobChanged() override { Redraw(); }
    void PrintJobDestroyed() override;

signals:
    void updated(); // after every redraw
    void pageChanged(); // on every setting of PageIndex

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LayoutSheet(double paperWidth, double paperHeight);
    void ScrollBy(int dx, int dy);

    QPointer<TCustomPrintJob> m_job;
    QColor m_color {128, 128, 128};
    TViewMode m_viewMode = vmWholePage;
    int m_viewScale = 0;
    int m_pageIndex = 1;
    bool m_dragScroll = false;
    QPoint m_dragStart;
    QScrollArea *m_scrollBox;
    QWidget *m_canvas;
    TPreviewSheet *m_sheet;
};
