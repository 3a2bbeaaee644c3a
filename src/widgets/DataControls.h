#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

class QRadioButton;
class QToolButton;
class Table;

// Keeps a control in step with one field of a table's current record: it shows the field after
// every move or change, and a change by the person puts the record into edit state.
class FieldLink : public QObject
{
    Q_OBJECT
public:
    FieldLink(Table &table, const QString &field, QWidget *control, std::function<void()> refresh);
    Table &table() const { return m_table; }
    const QString &field() const { return m_field; }
    // Before a change: the record goes into edit state (the edit rule runs).
    void beginChange();

private:
    Table &m_table;
    QString m_field;
};

// An edit box; the typed text reaches the record when the box is left or the record is posted.
class DBEdit : public QLineEdit
{
    Q_OBJECT
public:
    DBEdit(Table &table, const QString &field, QWidget *parent = nullptr);
    // Writes the typed text into the field; throws the conversion message when it does not convert.
    void updateRecord();
    // Text that another window fills in for the person: as if typed, and written at once.
    void typeText(const QString &text);

private:
    void refresh();
    FieldLink *m_link;
    bool m_typed = false;
};

// A multi-line text; lines are stored separated by CR LF.
class DBMemo : public QPlainTextEdit
{
    Q_OBJECT
public:
    DBMemo(Table &table, const QString &field, QWidget *parent = nullptr);
    void updateRecord();
    void typeText(const QString &text); // lines separated by CR LF

private:
    void refresh();
    FieldLink *m_link;
    bool m_typed = false;
    bool m_refreshing = false;
};

// A read-only text showing a field (also a calculated one).
class DBText : public QLabel
{
    Q_OBJECT
public:
    DBText(Table &table, const QString &field, QWidget *parent = nullptr);

private:
    FieldLink *m_link;
};

// Radio buttons, each standing for a value of the field.
class DBRadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    DBRadioGroup(Table &table, const QString &field, const QString &caption, const QStringList &items,
                 const QStringList &values, QWidget *parent = nullptr);
    QList<QRadioButton *> buttons() const { return m_buttons; }

private:
    void refresh();
    FieldLink *m_link;
    QList<QRadioButton *> m_buttons;
    QStringList m_values;
};

// "Vorheriger" and "Nächster" record; a record in edit state is posted first.
class DBNavigator : public QWidget
{
    Q_OBJECT
public:
    explicit DBNavigator(Table &table, QWidget *parent = nullptr);
    QToolButton *priorButton;
    QToolButton *nextButton;

private:
    void refresh();
    Table &m_table;
};
