#include "widgets/DataControls.h"

#include "data/Table.h"
#include "widgets/GuardedHandlers.h"

#include <QHBoxLayout>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

FieldLink::FieldLink(Table &table, const QString &field, QWidget *control, std::function<void()> refresh)
    : QObject(control)
    , m_table(table)
    , m_field(field)
{
    table.field(field); // an unknown field is a programming error: fail at once
    for (auto signal : {&Table::reset, &Table::stateChanged})
        connect(&table, signal, this, refresh);
    connect(&table, &Table::currentChanged, this, refresh);
    connect(&table, &Table::recordChanged, this, refresh);
}

void FieldLink::beginChange()
{
    if (m_table.state() == Table::State::Browse)
        m_table.edit();
}

// ---------------------------------------------------------------------------------------------------------------

DBEdit::DBEdit(Table &table, const QString &field, QWidget *parent)
    : QLineEdit(parent)
{
    m_link = new FieldLink(table, field, this, [this] { refresh(); });
    refresh();
    connect(this, &QLineEdit::textEdited, this, guarded([this] {
                m_typed = true;
                m_link->beginChange();
            }));
    connect(this, &QLineEdit::editingFinished, this, guarded([this] { updateRecord(); }));
    table.addRecordUpdater(this, [this] { updateRecord(); });
}

void DBEdit::refresh()
{
    if (m_link->table().state() == Table::State::Browse)
        m_typed = false; // posted or cancelled: what was typed is in the record or gone with it
    if (!m_typed)
        setText(m_link->table().asString(m_link->field()));
}

void DBEdit::updateRecord()
{
    if (!m_typed || m_link->table().state() == Table::State::Browse)
        return;
    m_link->table().setAsString(m_link->field(), text()); // the typed text stays when this throws
    m_typed = false;
    refresh();
}

void DBEdit::typeText(const QString &text)
{
    m_link->beginChange();
    setText(text);
    m_typed = true;
    updateRecord();
}

// ---------------------------------------------------------------------------------------------------------------

DBMemo::DBMemo(Table &table, const QString &field, QWidget *parent)
    : QPlainTextEdit(parent)
{
    m_link = new FieldLink(table, field, this, [this] { refresh(); });
    refresh();
    connect(this, &QPlainTextEdit::textChanged, this, guarded([this] {
                if (m_refreshing)
                    return;
                m_typed = true;
                m_link->beginChange();
            }));
    table.addRecordUpdater(this, [this] { updateRecord(); });
}

void DBMemo::refresh()
{
    if (m_link->table().state() == Table::State::Browse)
        m_typed = false;
    if (m_typed)
        return;
    const QString text = m_link->table().asString(m_link->field()).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text != toPlainText()) {
        m_refreshing = true;
        setPlainText(text);
        m_refreshing = false;
    }
}

void DBMemo::updateRecord()
{
    if (!m_typed || m_link->table().state() == Table::State::Browse)
        return;
    m_link->table().setAsString(m_link->field(), toPlainText().replace(u'\n', QLatin1String("\r\n")));
    m_typed = false;
}

void DBMemo::typeText(const QString &text)
{
    m_link->beginChange();
    setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    m_typed = true;
    updateRecord();
}

// ---------------------------------------------------------------------------------------------------------------

DBText::DBText(Table &table, const QString &field, QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    const auto refresh = [this] { setText(m_link->table().displayText(m_link->field())); };
    m_link = new FieldLink(table, field, this, refresh);
    refresh();
}

// ---------------------------------------------------------------------------------------------------------------

DBRadioGroup::DBRadioGroup(Table &table, const QString &field, const QString &caption, const QStringList &items,
                           const QStringList &values, QWidget *parent)
    : QGroupBox(caption, parent)
    , m_values(values)
{
    auto *layout = new QHBoxLayout(this); // the buttons stand in a row
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i));
        layout->addWidget(button);
        m_buttons.append(button);
        connect(button, &QRadioButton::clicked, this, guarded([this, i] {
                    m_link->beginChange();
                    m_link->table().setAsString(m_link->field(), m_values.at(i));
                }));
    }
    m_link = new FieldLink(table, field, this, [this] { refresh(); });
    refresh();
}

void DBRadioGroup::refresh()
{
    const qsizetype selected = m_values.indexOf(m_link->table().asString(m_link->field()));
    for (int i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->setAutoExclusive(false); // so that no button at all can be shown checked
        m_buttons[i]->setChecked(i == selected);
        m_buttons[i]->setAutoExclusive(true);
    }
}

// ---------------------------------------------------------------------------------------------------------------

DBNavigator::DBNavigator(Table &table, QWidget *parent)
    : QWidget(parent)
    , priorButton(new QToolButton)
    , nextButton(new QToolButton)
    , m_table(table)
{
    priorButton->setArrowType(Qt::LeftArrow);
    nextButton->setArrowType(Qt::RightArrow);
    priorButton->setToolTip(QStringLiteral("Vorheriger Datensatz"));
    nextButton->setToolTip(QStringLiteral("Nächster Datensatz"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(priorButton);
    layout->addWidget(nextButton);
    connect(priorButton, &QToolButton::clicked, this, guarded([this] { m_table.prior(); }));
    connect(nextButton, &QToolButton::clicked, this, guarded([this] { m_table.next(); }));
    connect(&table, &Table::currentChanged, this, &DBNavigator::refresh);
    for (auto signal : {&Table::reset, &Table::stateChanged}) // also when a new record is begun
        connect(&table, signal, this, &DBNavigator::refresh);
    refresh();
}

void DBNavigator::refresh()
{
    priorButton->setEnabled(m_table.recNo() > 0);
    nextButton->setEnabled(m_table.recNo() >= 0 && m_table.recNo() + 1 < m_table.recordCount());
}
