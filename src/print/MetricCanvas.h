#pragma once

#include <QFont>
#include <QString>

class PrinterDevice;
class QPainter;

// One document on the application's printer, drawn in millimetres from the top-left corner of the
// printable area, the way the run printouts and the slips place their text. Font heights are cell
// heights (ascent plus descent). The document is printed by finish(); a canvas destroyed before
// (an error half-way) drops it, so that nothing half-drawn is printed or kept.
class MetricCanvas
{
public:
    explicit MetricCanvas(PrinterDevice &printer); // begins the document
    ~MetricCanvas();
    MetricCanvas(const MetricCanvas &) = delete;
    MetricCanvas &operator=(const MetricCanvas &) = delete;

    // False when the printer declined the document; nothing is drawn then.
    bool isActive() const { return m_active; }
    void finish();

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
    double textWidth(const QString &text); // mm, in the current font

private:
    double px(double mm) const { return mm * m_xPixelsPerMm; }
    double py(double mm) const { return mm * m_yPixelsPerMm; }
    QPainter &painter();

    PrinterDevice &m_printer;
    bool m_active;
    double m_xPixelsPerMm;
    double m_yPixelsPerMm;
    int m_pages = 1;
};
