#pragma once

#include <array>
#include <functional>
#include <QFrame>
#include <QIcon>
#include <QPointer>

class QToolButton;
class TPreview;
class TPreviewComboBox;

enum TButtonKind {
    btnPrint,
    btnPrintDialog,
    btnPrinterSetupDialog,
    btnFirstPage,
    btnPrevPage,
    btnNextPage,
    btnLastPage,
    btnWholePage,
    btnPageWidth,
    btnZoomOut,
    btnZoomIn,
    btnRefresh,
    btnClose,
    btnUser
};
constexpr int kButtonKinds = btnUser + 1;
using TButtonKinds = unsigned; // bit (1 << kind) per shown button

constexpr TButtonKinds buttonSet(std::initializer_list<TButtonKind> kinds)
{
    TButtonKinds set = 0;
    for (TButtonKind kind : kinds)
        set |= 1u << kind;
    return set;
}

// A strip of buttons for printing, paging and zooming a preview, with the scale box among them.
class TPreviewToolbar : public QFrame
{
    Q_OBJECT
public:
    static constexpr TButtonKinds kStandardButtons = buttonSet(
        {btnPrint, btnPrinterSetupDialog, btnFirstPage, btnPrevPage, btnNextPage, btnLastPage, btnZoomOut, btnZoomIn});

    explicit TPreviewToolbar(QWidget *parent = nullptr);

    TPreview *Preview() const { return m_preview; }
    void SetPreview(TPreview *preview);
    TButtonKinds Buttons() const { return m_buttons; }
    void SetButtons(TButtonKinds buttons);
    bool Flat() const { return m_flat; }
    void SetFlat(bool flat);
    bool ScaleBox() const { return m_scaleBoxShown; }
    void SetScaleBox(bool shown);
    TButtonKind ScaleBoxPos() const { return m_scaleBoxPos; }
    void SetScaleBoxPos(TButtonKind kind);
    void SetUserButtonEnabled(bool enabled);
    void SetUserButtonGlyph(const QIcon &glyph);
    void SetUserButtonHint(const QString &hint);

    QToolButton *Button(TButtonKind kind) const { return m_buttonWidgets[kind]; }
    TPreviewComboBox *ScaleBoxControl() const { return m_scaleBox; }

    // Presses a button as a click does: asks OnButtonClick, then acts.
    void Press(TButtonKind kind);
    void RefreshStates();

    std::function<void(TPreviewToolbar &, TButtonKind, bool &allowDefault)> OnButtonClick;
    std::function<void(TPreviewToolbar &)> OnUserButtonClick;

    // The 16 × 16 glyph of a button, drawn here.
    static QIcon Glyph(TButtonKind kind);

signals:
    void updated();

private:
    void LayoutButtons();
    void Act(TButtonKind kind);

    QPointer<TPreview> m_preview;
    QMetaObject::Connection m_link;
    TButtonKinds m_buttons = kStandardButtons;
    bool m_flat = true;
    bool m_scaleBoxShown = true;
    TButtonKind m_scaleBoxPos = btnZoomOut;
    std::array<QToolButton *, kButtonKinds> m_buttonWidgets {};
    TPreviewComboBox *m_scaleBox;
};
