#include "preview/PSCombo.h"

#include "base/MessageService.h"
#include "preview/PSPreview.h"

#include <QKeyEvent>
#include <QLineEdit>

TPreviewComboBox::TPreviewComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setFixedSize(125, 21);
    setMaxVisibleItems(13);
    addItem(QStringLiteral("Whole page"));
    addItem(QStringLiteral("Page width"));
    for (int step : TPreview::kZoomSteps)
        addItem(QStringLiteral("%1%").arg(step));
    connect(this, &QComboBox::activated, this, &TPreviewComboBox::Choose);
    Refresh();
}

void TPreviewComboBox::SetPreview(TPreview *preview)
{
    disconnect(m_link);
    m_preview = preview;
    if (preview)
        m_link = connect(preview, &TPreview::updated, this, &TPreviewComboBox::Refresh);
    Refresh();
}

QString TPreviewComboBox::Caption() const
{
    if (!m_preview)
        return QStringLiteral("not linked");
    switch (m_preview->ViewMode()) {
    case vmWholePage: return QStringLiteral("Whole page (%1%)").arg(m_preview->ViewScale());
    case vmPageWidth: return QStringLiteral("Page width (%1%)").arg(m_preview->ViewScale());
    case vmCustom: break;
    }
    return QStringLiteral("%1%").arg(m_preview->ViewScale());
}

void TPreviewComboBox::Refresh()
{
    setCurrentIndex(-1);
    setEditText(Caption());
    lineEdit()->setCursorPosition(0); // the start of a caption wider than the box
    emit updated();
}

void TPreviewComboBox::Choose(int index)
{
    if (!m_preview)
        return;
    if (index == 0)
        m_preview->SetViewMode(vmWholePage);
    else if (index == 1)
        m_preview->SetViewMode(vmPageWidth);
    else if (index > 1) {
        m_preview->SetViewMode(vmCustom);
        m_preview->SetViewScale(TPreview::kZoomSteps[index - 2]);
    }
    Refresh();
}

void TPreviewComboBox::AcceptTyped()
{
    QString digits;
    for (QChar c : currentText())
        if (c.isDigit())
            digits.append(c);
    bool ok = false;
    const int scale = digits.toInt(&ok);
    if (!ok || !m_preview) {
        MessageService::current().error(QString::fromLatin1(kInvalidScale));
        Refresh();
        return;
    }
    m_preview->SetViewMode(vmCustom);
    m_preview->SetViewScale(scale);
    m_preview->setFocus();
    Refresh();
}

void TPreviewComboBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: AcceptTyped(); return;
    case Qt::Key_Escape:
        if (m_preview)
            m_preview->setFocus();
        Refresh();
        return;
    case Qt::Key_Backspace: QComboBox::keyPressEvent(event); return;
    default: break;
    }
    const QString text = event->text();
    if (text.size() == 1 && (text.at(0).isDigit() || text.at(0) == u'.'))
        QComboBox::keyPressEvent(event);
    else if (text.isEmpty() || !text.at(0).isPrint())
        QComboBox::keyPressEvent(event); // moving the cursor, opening the list
}

void TPreviewComboBox::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    Refresh();
}
