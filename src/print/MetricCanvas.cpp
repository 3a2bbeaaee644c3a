#include "print/MetricCanvas.h"

#include "print/Printer.h"

#include <cmath>
#include <QFontMetricsF>
#include <QPainter>

MetricCanvas::MetricCanvas(PrinterDevice &printer)
    : m_printer(printer)
    , m_active(printer.beginDocument())
    , m_xPixelsPerMm(printer.resolutionX() / 25.4)
    , m_yPixelsPerMm(printer.resolutionY() / 25.4)
{
    if (m_active)
        painter().setRenderHint(QPainter::Antialiasing);
}

MetricCanvas::~MetricCanvas()
{
    if (m_active)
        m_printer.abortDocument();
}

void MetricCanvas::finish()
{
    if (!m_active)
        return;
    m_active = false;
    m_printer.endDocument();
}

QPainter &MetricCanvas::painter()
{
    return m_printer.painter();
}

double MetricCanvas::printableWidth() const
{
    return m_printer.printableSize().width() / m_xPixelsPerMm;
}

double MetricCanvas::printableHeight() const
{
    return m_printer.printableSize().height() / m_yPixelsPerMm;
}

void MetricCanvas::newPage()
{
    m_printer.newPage();
    ++m_pages;
}

void MetricCanvas::setFont(const QString &face, double cellHeight)
{
    QFont font = painter().font();
    if (!face.isEmpty())
        font.setFamily(face);
    // The pixel size sets the em height; scale it so that ascent plus descent give the cell.
    const int wanted = std::max(1, int(std::lround(py(cellHeight))));
    font.setPixelSize(wanted);
    const double cell = QFontMetricsF(font, painter().device()).height();
    if (cell > 0)
        font.setPixelSize(std::max(1, int(std::lround(wanted * wanted / cell))));
    painter().setFont(font);
}

void MetricCanvas::setPenWidth(double width)
{
    QPen pen(Qt::black);
    pen.setWidthF(py(width));
    painter().setPen(pen);
}

void MetricCanvas::textAt(double x, double y, const QString &text, Qt::Alignment alignment)
{
    const QFontMetricsF metrics(painter().font(), painter().device());
    double left = px(x);
    if (alignment & Qt::AlignHCenter)
        left -= metrics.horizontalAdvance(text) / 2;
    painter().drawText(QPointF(left, py(y) + metrics.ascent()), text);
}

void MetricCanvas::textOnBaseline(double x, double y, const QString &text, Qt::Alignment alignment, double maxWidth)
{
    const QFontMetricsF metrics(painter().font(), painter().device());
    const QString shown = maxWidth > 0 ? metrics.elidedText(text, Qt::ElideRight, px(maxWidth)) : text;
    double left = px(x);
    if (alignment & Qt::AlignRight)
        left -= metrics.horizontalAdvance(shown);
    painter().drawText(QPointF(left, py(y)), shown);
}

void MetricCanvas::line(double x1, double y1, double x2, double y2)
{
    painter().drawLine(QPointF(px(x1), py(y1)), QPointF(px(x2), py(y2)));
}

double MetricCanvas::textWidth(const QString &text)
{
    return QFontMetricsF(painter().font(), painter().device()).horizontalAdvance(text) / m_xPixelsPerMm;
}
