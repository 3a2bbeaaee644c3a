#pragma once

#include <QFont>
#include <QPainter>
#include <QString>

class QPagedPaintDevice;

// Drawing on a printer page in millimetres, measured from the top-left corner of the printable
// area, the way the run printouts and the slips place their text. Font heights are cell heights
// (ascent plus descent), as the printouts give them.
class MetricCanvas
{
public:
    explicit MetricCanvas(QPagedPaintDevice &device); // begins the document
    ~MetricCanvas();
    MetricCanvas(const MetricCanvas &) = delete;
    MetricCanvas &operator=(const MetricCanvas &) = delete;

    bool isActive() const { return m_painter.isActive(); }
    double printableWidth() const; // mm
    double printableHeight() const; // mm
    void newPage();
    int pageCount() const { return m_pages; }

    // The face stays as it is when `face` is empty.
    void setFont(const QString &face, double cellHeight);
    void setPenWidth(double width);

    // The top of the text's cell at y; x is its left edge, or its middle with AlignHCenter.
    void textAt(double x, double y, const QString &text, Qt::Alignment alignment = Qt::AlignLeft);
    // Text on the baseline y, starting at x (left) or ending at x (right); a text wider than
    // `maxWidth` (mm, when given) ends in an ellipsis.
    void textOnBaseline(double x, double y, const QString &text, Qt::Alignment alignment = Qt::AlignLeft,
                        double maxWidth = 0);
    void line(double x1, double y1, double x2, double y2);

private:
    double px(double mm) const { return mm * m_pixelsPerMm; }

    QPagedPaintDevice &m_device;
    QPainter m_painter;
    double m_pixelsPerMm;
    int m_pages = 1;
};
