#pragma once

#include <QAbstractTableModel>
#include <QTableView>

class Table;

// The rows of a table (through its filter, in its order) and its visible fields as an item model.
// It reads the table's records where they are: no copy, no widget per row.
class TableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The columns are the table's visible fields, or the fields named.
    explicit TableModel(Table &table, const QStringList &fields = {}, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    Table &table() const { return m_table; }
    int fieldOfColumn(int column) const { return m_columns.at(column); }

private:
    Table &m_table;
    QList<int> m_columns; // field index of each column
    int m_rows = 0; // what the views were told
};

// A grid bound to a table: whole rows, current record kept in step both ways, and on request
// Ctrl+Entf deletion with "Datensatz löschen?".
class DBGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DBGrid(Table &table, QWidget *parent = nullptr, const QStringList &fields = {});

    void setDeletionAllowed(bool allowed) { m_deletionAllowed = allowed; }
    TableModel &tableModel() const { return *m_model; }
    // Column widths in pixels by column title; 0 makes a column as narrow as its title allows.
    void setColumnWidthByTitle(int column, int width);
    QString columnTitle(int column) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void followTable(int position);
    int titleWidth(int column) const;

    TableModel *m_model;
    bool m_deletionAllowed = false;
    bool m_following = false;
};
