#include "entry/Markers.h"

#include <QHBoxLayout>
#include <QPainter>

namespace {
QPixmap icon(bool ja)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(ja ? QColor(0x2E, 0x9D, 0x4A) : QColor(0xD0, 0x3B, 0x2F));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (ja) {
        p.drawPolyline(QPolygonF({QPointF(4.2, 8.3), QPointF(7, 11), QPointF(11.8, 5.2)}));
    } else {
        p.drawLine(QPointF(5, 5), QPointF(11, 11));
        p.drawLine(QPointF(11, 5), QPointF(5, 11));
    }
    return pixmap;
}
} // namespace

MarkerPair MarkerPair::create(QWidget *parent)
{
    auto *holder = new QWidget(parent);
    auto *layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    MarkerPair pair {new QLabel(holder), new QLabel(holder)};
    pair.ja->setPixmap(icon(true));
    pair.ja->setToolTip(QStringLiteral("Ja"));
    pair.nein->setPixmap(icon(false));
    pair.nein->setToolTip(QStringLiteral("Nein"));
    layout->addWidget(pair.ja);
    layout->addWidget(pair.nein);
    layout->setSpacing(0);
    holder->setFixedSize(18, 16);
    pair.hideBoth();
    return pair;
}

void MarkerPair::show(bool acceptable) const
{
    ja->setVisible(acceptable);
    nein->setVisible(!acceptable);
}

void MarkerPair::hideBoth() const
{
    ja->hide();
    nein->hide();
}
