#include "widgets/SRColBtn.h"

#include <cmath>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

TSRColorButton::TSRColorButton(QWidget *parent)
    : QWidget(parent)
    , m_color(QApplication::palette().color(QPalette::Button))
{
    resize(75, 25);
    setAttribute(Qt::WA_OpaquePaintEvent); // no background erasing: no flicker
    connect(&m_repeat, &QTimer::timeout, this, &TSRColorButton::TimerTick);
    RecomputeColors();
}

QColor TSRColorButton::LightColor(const QColor &face, double factor)
{
    const auto channel = [factor](int c) { return 255 - int(std::lround((256 - c) * factor)); };
    return QColor(std::clamp(channel(face.red()), 0, 255), std::clamp(channel(face.green()), 0, 255),
                  std::clamp(channel(face.blue()), 0, 255));
}

QColor TSRColorButton::DarkColor(const QColor &face, double lightnessFactor)
{
    const QColor hsl = face.toHsl();
    QColor dark = QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), hsl.lightnessF() * lightnessFactor);
    return QColor(int(std::lround(dark.redF() * 255)), int(std::lround(dark.greenF() * 255)),
                  int(std::lround(dark.blueF() * 255)));
}

void TSRColorButton::RecomputeColors()
{
    m_highlight = LightColor(m_color, (10 - m_contrastHighlight) / 10.0);
    m_shadow = DarkColor(m_color, (10 - m_contrastShadow) / 10.0);
    const bool downRight = m_gradientDirection == gdDownRight;
    for (int i = 0; i < 256; ++i) {
        const bool firstHalf = i < 128;
        const double f = firstHalf ? i / 128.0 : (255 - i) / 128.0;
        m_gradient[i] = firstHalf == downRight ? LightColor(m_color, f) : DarkColor(m_color, f);
    }
    update();
}

void TSRColorButton::SetCaption(const QString &value)
{
    m_caption = value;
    delete m_accelerator;
    m_accelerator = nullptr;
    const qsizetype amp = value.indexOf(u'&');
    if (amp >= 0 && amp + 1 < value.size() && value.at(amp + 1).isLetter()) {
        m_accelerator =
            new QShortcut(QKeySequence(Qt::ALT | QKeySequence(QString(value.at(amp + 1).toUpper()))[0].key()), this);
        connect(m_accelerator, &QShortcut::activated, this, &TSRColorButton::PressAccelerator);
    }
    update();
}

void TSRColorButton::SetColor(const QColor &value)
{
    m_color = value;
    RecomputeColors();
}

void TSRColorButton::SetContrastHighlight(int value)
{
    if (value < 0 || value > 9)
        return;
    m_contrastHighlight = value;
    RecomputeColors();
}

void TSRColorButton::SetContrastShadow(int value)
{
    if (value < 0 || value > 9)
        return;
    m_contrastShadow = value;
    RecomputeColors();
}

void TSRColorButton::SetGradientDirection(TGradientDirection value)
{
    m_gradientDirection = value;
    RecomputeColors();
}

void TSRColorButton::SetDown(bool value)
{
    if (value == m_down)
        return;
    m_down = value;
    if (m_grouped && m_down && parentWidget()) {
        for (TSRColorButton *other : parentWidget()->findChildren<TSRColorButton *>(Qt::FindDirectChildrenOnly)) {
            if (other != this && other->m_grouped && other->m_groupIndex == m_groupIndex)
                other->SetDown(false);
        }
    }
    update();
    emit stateChanged();
}

void TSRColorButton::UseDialogButtonLook(int width)
{
    setFixedSize(width, 30);
    SetBevelWidth(3);
    SetBorderStyle(bsSingle);
    SetBorderColor(Qt::black);
    SetColor(QColor(0xF2, 0xF2, 0xF2));
    SetContrastHighlight(9);
    SetContrastShadow(5);
    SetGradientStyle(gsVertical);
    SetGradientDirection(gdDownRight);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    setFont(arial);
}

TSRColorButton *TSRColorButton::DialogButton(const QString &caption, int width)
{
    auto *button = new TSRColorButton;
    button->SetCaption(caption);
    button->UseDialogButtonLook(width);
    return button;
}

void TSRColorButton::click()
{
    if (!isEnabled())
        return;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    mousePressEvent(&press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    mouseReleaseEvent(&release);
}

void TSRColorButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    m_wasDown = m_down;
    m_mouseHeld = true;
    SetDown(true);
    if (m_allowTimer) {
        m_repeat.setInterval(m_timerDelay);
        m_repeat.start();
    }
}

void TSRColorButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled() || !m_mouseHeld)
        return;
    m_mouseHeld = false;
    m_repeat.stop();
    const bool stayDown = m_grouped && (!m_wasDown || !m_allowAllUp);
    if (!stayDown)
        SetDown(false);
    emit clicked();
}

void TSRColorButton::TimerTick()
{
    m_repeat.setInterval(m_timerInterval);
    if (m_down && isEnabled() && m_mouseHeld)
        emit clicked();
}

void TSRColorButton::PressAccelerator()
{
    if (m_grouped) {
        if (!m_down)
            SetDown(true);
        else if (m_allowAllUp)
            SetDown(false);
    }
    if (isEnabled())
        emit clicked();
}

void TSRColorButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled() && !m_grouped)
        SetDown(false);
    QWidget::changeEvent(event);
}

QColor TSRColorButton::GradientEntry(int i) const
{
    return m_gradient[m_changeDirection && m_down ? 255 - i : i];
}

void TSRColorButton::PaintGradient(QPainter &painter)
{
    const int w = width();
    const int h = height();
    if (m_gradientStyle == gsHorizontal || m_gradientStyle == gsVertical) {
        const bool across = m_gradientStyle == gsHorizontal;
        const int length = across ? w : h;
        const int band = int(length / 255.0 + 1);
        for (int i = 0; i < 256; ++i) {
            const int from = i <= 1 ? 0 : int((i - 1) * length / 255.0);
            painter.fillRect(across ? QRect(from, 0, band, h) : QRect(0, from, w, band), GradientEntry(i));
        }
    } else if (m_gradientStyle == gsPyramid) {
        const QPoint centre(w / 2, h / 2);
        const double sum = w + h;
        for (int x = 0; x <= w; ++x) {
            painter.setPen(GradientEntry(int(x * 255 / sum)));
            painter.drawLine(QPoint(x, 0), centre);
            painter.setPen(GradientEntry(std::min(255, int((x + h) * 255 / sum))));
            painter.drawLine(centre, QPoint(x, h));
        }
        for (int y = 0; y <= h; ++y) {
            painter.setPen(GradientEntry(std::min(255, int((y + w) * 255 / sum))));
            painter.drawLine(QPoint(w, y), centre);
            painter.setPen(GradientEntry(int(y * 255 / sum)));
            painter.drawLine(centre, QPoint(0, y));
        }
    }
}

void TSRColorButton::PaintFrame(QPainter &painter)
{
    QRect r = rect().adjusted(0, 0, -1, -1);
    const QColor light = m_down ? m_borderColor : m_highlight;
    if (m_borderStyle == bsSingle) {
        painter.setPen(m_borderColor);
        painter.drawRect(r);
        r.adjust(1, 1, -1, -1);
    } else if (m_borderStyle == bsNormal) {
        const QColor dark = m_down ? m_highlight : m_borderColor;
        painter.setPen(light);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(dark);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
    }
    for (int i = 0; i < m_bevelWidth; ++i) {
        painter.setPen(m_down ? m_shadow : m_highlight);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(m_down ? m_highlight : m_shadow);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
    }
}

void TSRColorButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int inset = m_bevelWidth + (m_borderStyle == bsFlat ? 0 : 1);
    const QRect face = rect().adjusted(inset, inset, -inset, -inset);
    painter.fillRect(rect(), m_color);
    if (m_gradientStyle != gsNone)
        PaintGradient(painter);

    const QString text = m_caption.left(80);
    const QFontMetrics metrics(font());
    const int pressed = m_down ? 1 : 0;
    int glyphWidth = 0;
    QPixmap image;
    if (m_gradientStyle == gsNone && !m_glyph.isNull() && m_numGlyphs > 0) {
        const int index = !isEnabled() && m_numGlyphs >= 2 ? 1 : (m_down && m_numGlyphs >= 3 ? 2 : 0);
        const int w = m_glyph.width() / m_numGlyphs;
        image = m_glyph.copy(index * w, 0, w, m_glyph.height());
        image.setMask(image.createMaskFromColor(image.toImage().pixelColor(0, image.height() - 1)));
        glyphWidth = w + m_spacing;
    }
    const int textWidth = metrics.horizontalAdvance(QString(text).remove(u'&'));
    int x = face.left() + (face.width() - textWidth - glyphWidth) / 2;
    if (!image.isNull()) {
        const int gy = face.top() + (face.height() - image.height()) / 2;
        const bool glyphFirst = m_layout != blGlyphRight;
        const int gx = glyphFirst ? std::max(face.left() + m_margin, x) : x + textWidth + m_spacing;
        painter.drawPixmap(gx + pressed, gy + pressed, image);
        if (glyphFirst)
            x = gx + glyphWidth;
    }
    const int verticalShift = (m_changeDirection && m_down ? -m_topMargin : m_topMargin) + pressed;
    painter.setFont(font());
    painter.setPen(isEnabled() ? palette().color(QPalette::ButtonText)
                               : palette().color(QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(QRect(x + pressed, face.top() + verticalShift, textWidth + 2, face.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, text);
    PaintFrame(painter);
}
