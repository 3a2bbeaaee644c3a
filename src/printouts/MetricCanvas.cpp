#include "printouts/MetricCanvas.h"

#include <cmath>
#include <QFontMetricsF>
#include <QPagedPaintDevice>

MetricCanvas::MetricCanvas(QPagedPaintDevice &device)
    : m_device(device)
    , m_painter(&device)
    , m_pixelsPerMm(device.logicalDpiY() / 25.4)
{
    m_painter.setRenderHint(QPainter::Antialiasing);
}

MetricCanvas::~MetricCanvas() = default;

double MetricCanvas::printableWidth() const
{
    return m_device.width() / m_pixelsPerMm;
}

double MetricCanvas::printableHeight() const
{
    return m_device.height() / m_pixelsPerMm;
}

void MetricCanvas::newPage()
{
    m_device.newPage();
    ++m_pages;
}

void MetricCanvas::setFont(const QString &face, double cellHeight)
{
    QFont font = m_painter.font();
    if (!face.isEmpty())
        font.setFamily(face);
    // The pixel size sets the em height; scale it so that ascent plus descent give the cell.
    const int wanted = std::max(1, int(std::lround(px(cellHeight))));
    font.setPixelSize(wanted);
    const double cell = QFontMetricsF(font, &m_device).height();
    if (cell > 0)
        font.setPixelSize(std::max(1, int(std::lround(wanted * wanted / cell))));
    m_painter.setFont(font);
}

void MetricCanvas::setPenWidth(double width)
{
    QPen pen(Qt::black);
    pen.setWidthF(px(width));
    m_painter.setPen(pen);
}

void MetricCanvas::textAt(double x, double y, const QString &text, Qt::Alignment alignment)
{
    const QFontMetricsF metrics(m_painter.font(), &m_device);
    double left = px(x);
    if (alignment & Qt::AlignHCenter)
        left -= metrics.horizontalAdvance(text) / 2;
    m_painter.drawText(QPointF(left, px(y) + metrics.ascent()), text);
}

void MetricCanvas::textOnBaseline(double x, double y, const QString &text, Qt::Alignment alignment, double maxWidth)
{
    const QFontMetricsF metrics(m_painter.font(), &m_device);
    const QString shown = maxWidth > 0 ? metrics.elidedText(text, Qt::ElideRight, px(maxWidth)) : text;
    double left = px(x);
    if (alignment & Qt::AlignRight)
        left -= metrics.horizontalAdvance(shown);
    m_painter.drawText(QPointF(left, px(y)), shown);
}

void MetricCanvas::line(double x1, double y1, double x2, double y2)
{
    m_painter.drawLine(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2)));
}
