#include "widgets/GradientPanel.h"

#include "widgets/WindowLook.h"

#include <QHBoxLayout>
#include <QPainter>

TGradientPanel::TGradientPanel(QWidget *parent)
    : QFrame(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor TGradientPanel::LineColor(const QColor &start, const QColor &end, int d, int n)
{
    const auto channel = [d, n](int from, int to) { return qRound(double(d) * (to - from) / n + from); };
    return QColor(channel(start.red(), end.red()), channel(start.green(), end.green()),
                  channel(start.blue(), end.blue()));
}

void TGradientPanel::UseDialogBarLook()
{
    SetDirection(drTopToBottom);
    SetColorStart(WindowLook::kWindowColor);
    SetColorEnd(QColor(0, 0, 128));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFixedHeight(51);
}

TGradientPanel *TGradientPanel::DialogBar(const QList<QWidget *> &buttons, bool right)
{
    auto *bar = new TGradientPanel;
    bar->UseDialogBarLook();
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(8, 4, 8, 4);
    if (right)
        layout->addStretch();
    for (QWidget *button : buttons)
        layout->addWidget(button);
    if (!right)
        layout->addStretch();
    return bar;
}

void TGradientPanel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const bool horizontalLines = m_direction == drTopToBottom;
    const int n = horizontalLines ? height() : width();
    for (int d = 0; d <= n; ++d) {
        painter.setPen(LineColor(m_colorStart, m_colorEnd, d, std::max(n, 1)));
        if (horizontalLines)
            painter.drawLine(0, d, width(), d);
        else
            painter.drawLine(d, 0, d, height());
    }
    if (m_caption.isEmpty())
        return;
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(m_caption);
    const int x = m_captionAlign == alLeft ? m_captionPadding
        : m_captionAlign == alCenter       ? width() / 2 - textWidth / 2
                                           : width() - textWidth - m_captionPadding;
    const int y = m_captionVAlign == alTop ? m_captionPadding
        : m_captionVAlign == alMiddle      ? height() / 2 - metrics.height() / 2
                                           : height() - metrics.height() - m_captionPadding;
    painter.drawText(x, y + metrics.ascent(), m_caption);
}
