#pragma once

#include <QColor>
#include <QFrame>

// A panel filled with a two-colour gradient, one line per pixel: the toolbar of the main window and
// the button bar at the bottom of every dialog.
class TGradientPanel : public QFrame
{
    Q_OBJECT
public:
    enum TDirection { drLeftToRight, drTopToBottom };
    enum TCaptionAlign { alLeft, alCenter, alRight };
    enum TCaptionVAlign { alTop, alMiddle, alBottom };

    explicit TGradientPanel(QWidget *parent = nullptr);

    TDirection Direction() const { return m_direction; }
    void SetDirection(TDirection value)
    {
        m_direction = value;
        update();
    }
    QColor ColorStart() const { return m_colorStart; }
    void SetColorStart(const QColor &value)
    {
        m_colorStart = value;
        update();
    }
    QColor ColorEnd() const { return m_colorEnd; }
    void SetColorEnd(const QColor &value)
    {
        m_colorEnd = value;
        update();
    }
    TCaptionAlign CaptionAlign() const { return m_captionAlign; }
    void SetCaptionAlign(TCaptionAlign value)
    {
        m_captionAlign = value;
        update();
    }
    TCaptionVAlign CaptionVAlign() const { return m_captionVAlign; }
    void SetCaptionVAlign(TCaptionVAlign value)
    {
        m_captionVAlign = value;
        update();
    }
    int CaptionPadding() const { return m_captionPadding; }
    void SetCaptionPadding(int value)
    {
        m_captionPadding = value;
        update();
    }
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &value)
    {
        m_caption = value;
        update();
    }

    // Colour of line d of n lines.
    static QColor LineColor(const QColor &start, const QColor &end, int d, int n);
    // The look of the dialogs' button bars: common window colour to navy, top to bottom, 51 high.
    void UseDialogBarLook();
    // A dialog's button bar carrying these buttons, on the right or on the left.
    static TGradientPanel *DialogBar(const QList<QWidget *> &buttons, bool right = true);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TDirection m_direction = drLeftToRight;
    QColor m_colorStart = QColor(0x80, 0x80, 0x80);
    QColor m_colorEnd = QColor(0xFF, 0xFF, 0xFF);
    TCaptionAlign m_captionAlign = alLeft;
    TCaptionVAlign m_captionVAlign = alTop;
    int m_captionPadding = 5;
    QString m_caption;
};
