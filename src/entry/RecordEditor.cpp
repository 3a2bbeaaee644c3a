#include "entry/RecordEditor.h"

#include "base/MessageService.h"
#include "data/Table.h"
#include "widgets/DataControls.h"
#include "widgets/GradientPanel.h"
#include "widgets/GuardedHandlers.h"
#include "widgets/SRColBtn.h"
#include "widgets/WindowLook.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

RecordEditor::RecordEditor(Table &table, const QString &caption, const QString &deleteQuestion, QWidget *parent)
    : QDialog(parent)
    , BNeu(TSRColorButton::DialogButton(QStringLiteral("&NEU"), 75))
    , BSpeichern(TSRColorButton::DialogButton(QStringLiteral("S&peichern"), 85))
    , BLoeschen(TSRColorButton::DialogButton(QStringLiteral("&Löschen"), 75))
    , BSchliessen(TSRColorButton::DialogButton(QStringLiteral("S&chließen"), 85))
    , DBNavigator1(new DBNavigator(table))
    , GradientPanel1(TGradientPanel::DialogBar({BNeu, BSpeichern, BLoeschen, BSchliessen}, false))
    , m_table(table)
    , m_deleteQuestion(deleteQuestion)
    , m_form(new QGridLayout)
{
    setWindowTitle(caption);
    WindowLook::applyToWindow(*this, true);
    GradientPanel1->layout()->addWidget(DBNavigator1);

    m_form->setContentsMargins(14, 12, 14, 12);
    m_form->setHorizontalSpacing(10);
    m_form->setVerticalSpacing(6);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(m_form);
    layout->addStretch();
    layout->addWidget(GradientPanel1);

    connect(BNeu, &TSRColorButton::clicked, this, guarded([this] { BNeuClick(); }));
    connect(BSpeichern, &TSRColorButton::clicked, this, guarded([this] { BSpeichernClick(); }));
    connect(BLoeschen, &TSRColorButton::clicked, this, guarded([this] { BLoeschenClick(); }));
    connect(BSchliessen, &TSRColorButton::clicked, this, &QDialog::reject);
}

void RecordEditor::addRow(const QString &label, QWidget *control, QWidget *extra)
{
    const int row = m_form->rowCount();
    if (!label.isEmpty())
        m_form->addWidget(new QLabel(label), row, 0, Qt::AlignLeft | Qt::AlignVCenter);
    m_form->addWidget(control, row, 1);
    if (extra)
        m_form->addWidget(extra, row, 2, Qt::AlignLeft | Qt::AlignVCenter);
}

void RecordEditor::BNeuClick()
{
    m_table.insert();
    focusFirstControl();
}

void RecordEditor::focusFirstControl()
{
    if (m_first)
        m_first->setFocus(Qt::OtherFocusReason);
}

void RecordEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Opened for a new record ("Neu" in the main window): typing starts in the first field, not in
    // the field that had the focus when the window was closed last time.
    if (m_table.state() == Table::State::Insert)
        focusFirstControl();
}

void RecordEditor::BSpeichernClick()
{
    if (m_table.state() != Table::State::Browse)
        m_table.post();
}

void RecordEditor::BLoeschenClick()
{
    if (MessageService::current().ask(m_deleteQuestion, MessageService::Buttons::YesNo) == MessageService::Answer::Yes)
        m_table.deleteRecord();
}

void RecordEditor::EnableSave()
{
    BSpeichern->setEnabled(true);
}

bool RecordEditor::FormCloseQuery()
{
    if (m_table.state() == Table::State::Browse)
        return true;
    switch (MessageService::current().ask(QStringLiteral("Änderungen speichern beim aktuellen Datensatz?"),
                                          MessageService::Buttons::YesNoCancel)) {
    case MessageService::Answer::Yes: {
        bool posted = false;
        guarded([&] {
            m_table.post();
            posted = true;
        })();
        return posted;
    }
    case MessageService::Answer::No: m_table.cancel(); return true;
    default: return false;
    }
}

void RecordEditor::done(int result)
{
    // Every way out (button, Escape, close box) passes the question.
    if (FormCloseQuery())
        QDialog::done(result);
}

void RecordEditor::keyPressEvent(QKeyEvent *event)
{
    // Enter moves on instead of closing the window: nothing typed is lost by it.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}
