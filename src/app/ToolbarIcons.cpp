#include "app/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
const QColor kOutline(0x1F, 0x2A, 0x44);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kGreen(0x2E, 0x9D, 0x4A);
const QColor kRed(0xD0, 0x4A, 0x2F);
const QColor kBlue(0x2F, 0x6F, 0xD0);

void sheet(QPainter &p)
{
    QPainterPath page;
    page.moveTo(6, 3);
    page.lineTo(19, 3);
    page.lineTo(25, 9);
    page.lineTo(25, 29);
    page.lineTo(6, 29);
    page.closeSubpath();
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.setPen(QPen(QColor(0x9A, 0xA5, 0xB8), 1.5));
    for (int y = 12; y <= 24; y += 4)
        p.drawLine(10, y, 21, y);
}

void badgePlus(QPainter &p, const QColor &colour)
{
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(colour);
    p.drawEllipse(QRectF(17, 17, 14, 14));
    p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 20.5), QPointF(24, 27.5));
    p.drawLine(QPointF(20.5, 24), QPointF(27.5, 24));
}

void disk(QPainter &p)
{
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(QColor(0x3B, 0x4E, 0x7A));
    p.drawRoundedRect(QRectF(3, 5, 22, 22), 2, 2);
    p.setBrush(QColor(0xDD, 0xE3, 0xEE));
    p.drawRect(QRectF(8, 5, 12, 8));
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 17, 14, 10));
}

void arrow(QPainter &p, const QColor &colour, bool outwards)
{
    QPainterPath path;
    if (outwards) { // to the right, out of the disk
        path.moveTo(18, 15);
        path.lineTo(24, 15);
        path.lineTo(24, 10);
        path.lineTo(31, 18);
        path.lineTo(24, 26);
        path.lineTo(24, 21);
        path.lineTo(18, 21);
    } else { // down, into the disk
        path.moveTo(21, 2);
        path.lineTo(27, 2);
        path.lineTo(27, 10);
        path.lineTo(31, 10);
        path.lineTo(24, 18);
        path.lineTo(17, 10);
        path.lineTo(21, 10);
    }
    path.closeSubpath();
    p.setPen(QPen(Qt::white, 1.2));
    p.setBrush(colour);
    p.drawPath(path);
}

void draw(QPainter &p, ToolbarIcons::Kind kind)
{
    switch (kind) {
    case ToolbarIcons::NewBooking:
        sheet(p);
        badgePlus(p, kGreen);
        break;
    case ToolbarIcons::EditBooking: {
        sheet(p);
        p.setPen(QPen(kOutline, 1.2));
        p.setBrush(QColor(0xF2, 0xB1, 0x34));
        QPainterPath pencil;
        pencil.moveTo(27, 9);
        pencil.lineTo(31, 13);
        pencil.lineTo(17, 27);
        pencil.lineTo(12, 28);
        pencil.lineTo(13, 23);
        pencil.closeSubpath();
        p.drawPath(pencil);
        break;
    }
    case ToolbarIcons::DueToday:
        p.setPen(QPen(kOutline, 1.5));
        p.setBrush(kPaper);
        p.drawRoundedRect(QRectF(3, 6, 26, 23), 2, 2);
        p.setBrush(kRed);
        p.drawRect(QRectF(3, 6, 26, 7));
        p.setPen(QPen(kOutline, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(9, 3, 9, 9);
        p.drawLine(23, 3, 23, 9);
        p.setPen(kOutline);
        p.setFont(QFont(QStringLiteral("Arial"), 9, QFont::Bold));
        p.drawText(QRectF(3, 13, 26, 16), Qt::AlignCenter, QStringLiteral("15"));
        break;
    case ToolbarIcons::CreditTransfers:
        disk(p);
        arrow(p, kGreen, true);
        break;
    case ToolbarIcons::DirectDebits:
        disk(p);
        arrow(p, kRed, true);
        break;
    case ToolbarIcons::NewPayer:
        p.setPen(QPen(kOutline, 1.5));
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(8, 3, 12, 12));
        p.drawPie(QRectF(3, 16, 22, 24), 0, 180 * 16);
        badgePlus(p, kGreen);
        break;
    case ToolbarIcons::ImportFile:
        disk(p);
        arrow(p, kBlue, false);
        break;
    }
}
} // namespace

QIcon ToolbarIcons::icon(Kind kind)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, kind);
    return QIcon(pixmap);
}
