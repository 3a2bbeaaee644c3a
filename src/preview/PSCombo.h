#pragma once

#include <QComboBox>
#include <QPointer>

class TPreview;

// The scale box: "Whole page", "Page width" or a zoom step to choose, or a scale to type.
class TPreviewComboBox : public QComboBox
{
    Q_OBJECT
public:
    static constexpr const char *kInvalidScale = "Invalid scale value";

    explicit TPreviewComboBox(QWidget *parent = nullptr);

    TPreview *Preview() const { return m_preview; }
    void SetPreview(TPreview *preview);
    // Shows the preview's view mode and scale.
    void Refresh();

signals:
    void updated();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void Choose(int index);
    void AcceptTyped();
    QString Caption() const;

    QPointer<TPreview> m_preview;
    QMetaObject::Connection m_link;
};
