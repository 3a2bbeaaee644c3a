#pragma once

#include "data/Fields.h"

#include <deque>
#include <functional>
#include <memory>
#include <QHash>
#include <QObject>
#include <QPointer>

class Table;
class TableFilter;

// A field name as the tables look it up: without regard to case.
struct FieldKey {
    QString name;
    bool operator==(const FieldKey &other) const { return name.compare(other.name, Qt::CaseInsensitive) == 0; }
};
size_t qHash(const FieldKey &key, size_t seed = 0);

// The record that a calculated-fields hook fills: stored fields to read, calculated fields to set.
class CalcRecord
{
public:
    CalcRecord(const Table &table, const TableRow &row, std::vector<QString> &calculated);
    qint32 asInteger(const QString &field) const;
    QString asString(const QString &field) const;
    bool isNull(const QString &field) const;
    void setText(const QString &field, const QString &value); // cut to the field's width

private:
    const Table &m_table;
    const TableRow &m_row;
    std::vector<QString> &m_calculated;
};

// An in-memory table: field definitions, records kept in the table's order, one current record with
// browse/edit/insert state, a filter, the events of the record rules, and XML data packet files.
// Views follow it through its signals.
class Table : public QObject
{
    Q_OBJECT
public:
    enum class State { Browse, Edit, Insert };

    explicit Table(const QString &name, QObject *parent = nullptr);
    ~Table() override;

    // Structure
    void setFields(const QList<FieldDef> &fields);
    const QList<FieldDef> &fields() const { return m_fields; }
    int fieldIndex(const QString &name) const; // -1 when there is none; names compared without case
    const FieldDef &field(const QString &name) const;
    void setOrder(const QString &field, bool descending, const QString &indexName = {});
    QString indexName() const { return m_indexName; }
    QString name() const { return m_name; }
    void setFileName(const QString &fileName) { m_fileName = fileName; }
    QString fileName() const { return m_fileName; }

    // Files. A table writes its own file when it is closed, if it changed since it was loaded or its
    // file is missing. A protected table never writes its own file (its content is not the file's).
    void loadFromFile(const QString &path = {});
    void saveToFile(const QString &path = {});
    void close();
    void emptyTable();
    bool isChanged() const { return m_changed; }
    void setProtected(bool value);
    bool isProtected() const { return m_protected; }
    // Rows handed over by a reader, replacing the content (taken as unchanged).
    void replaceRows(std::vector<std::unique_ptr<TableRow>> rows);

    // Navigation over the records the filter lets through, in table order.
    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    int recordCount() const { return int(m_view.size()); }
    int recNo() const { return m_recNo; } // 0-based position of the current record, -1 when there is none
    void setRecNo(int position);
    bool isEmpty() const { return m_view.empty(); }

    // Record state
    State state() const { return m_state; }
    bool isModified() const { return m_modified; }
    void insert();
    void append() { insert(); }
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    // Deletes every record the view shows, in one step; returns how many.
    int deleteShown();
    void setReadOnly(bool value) { m_readOnly = value; }
    bool isReadOnly() const { return m_readOnly; }

    // Fields of the current record
    bool isNull(const QString &field) const;
    QString asString(const QString &field) const; // edit form
    QString displayText(const QString &field) const;
    qint32 asInteger(const QString &field) const;
    double asFloat(const QString &field) const;
    QDate asDate(const QString &field) const;
    void setAsString(const QString &field, const QString &value); // converts; throws the conversion message
    void setAsInteger(const QString &field, qint32 value);
    void setAsFloat(const QString &field, double value);
    void setAsDate(const QString &field, const QDate &value);
    void clearField(const QString &field);

    // Any record of the view, for grids and printouts; does not move the current record.
    QString displayTextAt(int position, int field) const;
    QString asStringAt(int position, int field) const;
    const TableRow &rowAt(int position) const { return *m_view.at(position); }
    QString calculatedValue(const TableRow &row, int field) const;
    QString rowText(const TableRow &row, int field, bool display) const;
    QString rowText(const TableRow &row, const QString &field) const
    {
        return rowText(row, requireField(field), false);
    }

    // Moves to the first record of the view whose field has the text `value`. Text and integer fields
    // are found through an index of the whole table, kept up to date by every change of a row.
    bool locate(const QString &field, const QString &value);

    // Filter
    void setFilter(const QString &expression);
    QString filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }
    void setFilterCaseInsensitive(bool on);

    // Controls that hold a typed value not yet in the record write it here; post runs them first.
    void addRecordUpdater(QObject *control, std::function<void()> update);
    void updateRecord();

    // Views: suspended while controls are disabled, refreshed when the last enable comes.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }

    // Record rules
    std::function<void(Table &)> afterInsert;
    std::function<void(Table &)> beforeEdit;
    std::function<void(Table &)> beforePost; // throws SilentAbort to abandon the post
    std::function<void(Table &, const TableRow &posted)> afterPost; // the posted record need not be current
    std::function<void(CalcRecord &)> onCalcFields;

    // Views are told of a change twice: before it, while the table still is as they know it, and
    // after it. In between, moves that a view asks for are ignored and changes are refused, so that a
    // view reacting to the first signal cannot post one record's buffer into another.
signals:
    void reset(); // everything may have changed
    void rowAboutToBeInserted(int position);
    void rowInserted(int position);
    void rowAboutToBeRemoved(int position);
    void rowRemoved(int position);
    void rowChanged(int position);
    void recordChanged(); // a field of the current record, also of one being inserted
    void currentChanged(int position);
    void stateChanged();

private:
    int requireField(const QString &name) const;
    const TableRow &currentRow() const;
    TableRow &writableRow(const QString &field);
    void assign(int field, FieldValue value);
    bool lessThan(const TableRow &a, const TableRow &b) const;
    bool passes(const TableRow &row) const;
    void rebuildView();
    void moveTo(int position);
    void leaveRecord(); // before a move: posts the record, or drops an edit that changed nothing
    TableRow *placeRow(TableRow values); // into the table's order
    void eraseRow(const TableRow *row);
    int addToView(TableRow *row);
    void removeFromView(int position);
    void requireSettled(const char *action) const;
    void setState(State state);
    void notifyReset();
    void requireBrowse(const char *action) const;
    int viewPosition(const TableRow *row) const; // -1 when the view does not show it
    QString lookupKey(const TableRow &row, int field) const;
    const QMultiHash<QString, TableRow *> &lookupIndex(int field);
    void indexRow(TableRow *row);
    void unindexRow(TableRow *row);

    QString m_name;
    QList<FieldDef> m_fields;
    QHash<FieldKey, int> m_fieldIndex; // the first field of each name
    int m_orderField = -1;
    bool m_orderDescending = false;
    QString m_indexName;
    QString m_fileName;

    // Newest-first tables take new rows at the front: a deque does that without moving the others.
    std::deque<std::unique_ptr<TableRow>> m_rows; // table order
    std::deque<TableRow *> m_view; // the rows the filter lets through, table order
    QHash<int, QMultiHash<QString, TableRow *>> m_lookups; // per field that locate searched: text to rows
    int m_recNo = -1;
    bool m_eof = true;
    bool m_bof = true;

    State m_state = State::Browse;
    TableRow m_buffer; // the record being edited or inserted
    bool m_modified = false;
    bool m_changed = false;
    bool m_protected = false;
    bool m_readOnly = false;

    QString m_filterText;
    std::unique_ptr<TableFilter> m_filter;
    bool m_filtered = false;
    bool m_caseInsensitive = false;

    int m_disableCount = 0;
    bool m_changing = false; // views are being told of a change of the view
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> m_updaters;
};
