#pragma once

#include <array>
#include <QColor>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

class QShortcut;

// A push button that draws itself: bevels, an optional colour gradient and glyph, and grouping like a
// speed button. The dialogs' "OK", "Schließen" and similar buttons.
class TSRColorButton : public QWidget
{
    Q_OBJECT
public:
    enum TBorderStyle { bsFlat, bsNormal, bsSingle };
    enum TGradientStyle { gsNone, gsHorizontal, gsPyramid, gsVertical };
    enum TGradientDirection { gdDownRight, gdUpLeft };
    enum TButtonLayout { blGlyphBottom, blGlyphLeft, blGlyphRight, blGlyphTop };

    explicit TSRColorButton(QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &value);
    QColor Color() const { return m_color; }
    void SetColor(const QColor &value);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int value)
    {
        m_bevelWidth = value;
        update();
    }
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value)
    {
        m_borderStyle = value;
        update();
    }
    QColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(const QColor &value)
    {
        m_borderColor = value;
        update();
    }
    int ContrastHighlight() const { return m_contrastHighlight; }
    void SetContrastHighlight(int value);
    int ContrastShadow() const { return m_contrastShadow; }
    void SetContrastShadow(int value);
    TGradientStyle GradientStyle() const { return m_gradientStyle; }
    void SetGradientStyle(TGradientStyle value)
    {
        m_gradientStyle = value;
        update();
    }
    TGradientDirection GradientDirection() const { return m_gradientDirection; }
    void SetGradientDirection(TGradientDirection value);
    bool ChangeDirection() const { return m_changeDirection; }
    void SetChangeDirection(bool value)
    {
        m_changeDirection = value;
        update();
    }
    QPixmap Glyph() const { return m_glyph; }
    void SetGlyph(const QPixmap &value)
    {
        m_glyph = value;
        update();
    }
    int NumGlyphs() const { return m_numGlyphs; }
    void SetNumGlyphs(int value)
    {
        m_numGlyphs = std::clamp(value, 0, 4);
        update();
    }
    TButtonLayout Layout() const { return m_layout; }
    void SetLayout(TButtonLayout value)
    {
        m_layout = value;
        update();
    }
    int Margin() const { return m_margin; }
    void SetMargin(int value)
    {
        m_margin = value;
        update();
    }
    int Spacing() const { return m_spacing; }
    void SetSpacing(int value)
    {
        m_spacing = value;
        update();
    }
    int TopMargin() const { return m_topMargin; }
    void SetTopMargin(int value)
    {
        m_topMargin = value;
        update();
    }
    bool Down() const { return m_down; }
    void SetDown(bool value);
    bool Grouped() const { return m_grouped; }
    void SetGrouped(bool value) { m_grouped = value; }
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int value) { m_groupIndex = value; }
    bool AllowAllUp() const { return m_allowAllUp; }
    void SetAllowAllUp(bool value) { m_allowAllUp = value; }
    bool AllowTimer() const { return m_allowTimer; }
    void SetAllowTimer(bool value) { m_allowTimer = value; }
    int TimerDelay() const { return m_timerDelay; }
    void SetTimerDelay(int value) { m_timerDelay = value; }
    int TimerInterval() const { return m_timerInterval; }
    void SetTimerInterval(int value) { m_timerInterval = value; }

    QColor HighlightColor() const { return m_highlight; }
    QColor ShadowColor() const { return m_shadow; }
    const std::array<QColor, 256> &GradientTable() const { return m_gradient; }

    // The look of the dialogs' buttons: 30 high, three bevels, black frame, light vertical gradient.
    void UseDialogButtonLook(int width = 65);
    static TSRColorButton *DialogButton(const QString &caption, int width = 65);
    // Presses and releases the button as a click with the mouse does.
    void click();

    // Light bevel colour for a factor (10 − contrast) ÷ 10, dark colour for a lightness factor.
    static QColor LightColor(const QColor &face, double factor);
    static QColor DarkColor(const QColor &face, double lightnessFactor);

signals:
    void clicked(); // OnClick
    void stateChanged(); // OnStateChange

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void RecomputeColors();
    void PaintGradient(QPainter &painter);
    void PaintFrame(QPainter &painter);
    void PressAccelerator();
    void TimerTick();
    QColor GradientEntry(int i) const;

    QString m_caption;
    QColor m_color;
    int m_bevelWidth = 1;
    TBorderStyle m_borderStyle = bsNormal;
    QColor m_borderColor = Qt::black;
    int m_contrastHighlight = 5;
    int m_contrastShadow = 6;
    TGradientStyle m_gradientStyle = gsNone;
    TGradientDirection m_gradientDirection = gdDownRight;
    bool m_changeDirection = false;
    QPixmap m_glyph;
    int m_numGlyphs = 0;
    TButtonLayout m_layout = blGlyphLeft;
    int m_margin = 1;
    int m_spacing = 1;
    int m_topMargin = 0;
    bool m_down = false;
    bool m_grouped = false;
    int m_groupIndex = 0;
    bool m_allowAllUp = false;
    bool m_allowTimer = false;
    int m_timerDelay = 400;
    int m_timerInterval = 100;

    bool m_wasDown = false; // state before the current press
    bool m_mouseHeld = false;
    QTimer m_repeat;
    QShortcut *m_accelerator = nullptr;
    QColor m_highlight;
    QColor m_shadow;
    std::array<QColor, 256> m_gradient;
};
