#include "widgets/DBGrid.h"

#include "base/MessageService.h"
#include "data/Table.h"
#include "widgets/GuardedHandlers.h"
#include "widgets/WindowLook.h"

#include <QHeaderView>
#include <QKeyEvent>

TableModel::TableModel(Table &table, const QStringList &fields, QObject *parent)
    : QAbstractTableModel(parent)
    , m_table(table)
    , m_rows(table.recordCount())
{
    for (const QString &field : fields)
        m_columns.append(table.fieldIndex(field));
    for (int i = 0; fields.isEmpty() && i < table.fields().size(); ++i) {
        if (table.fields().at(i).visible)
            m_columns.append(i);
    }
    connect(&table, &Table::reset, this, [this] {
        beginResetModel();
        m_rows = m_table.recordCount();
        endResetModel();
    });
    connect(&table, &Table::rowAboutToBeInserted, this,
            [this](int position) { beginInsertRows({}, position, position); });
    connect(&table, &Table::rowInserted, this, [this] {
        ++m_rows;
        endInsertRows();
    });
    connect(&table, &Table::rowAboutToBeRemoved, this,
            [this](int position) { beginRemoveRows({}, position, position); });
    connect(&table, &Table::rowRemoved, this, [this] {
        --m_rows;
        endRemoveRows();
    });
    connect(&table, &Table::currentChanged, this, [this] {
        if (m_rows > 0)
            emit headerDataChanged(Qt::Vertical, 0, m_rows - 1); // the record indicator moved
    });
    connect(&table, &Table::rowChanged, this,
            [this](int position) { emit dataChanged(index(position, 0), index(position, columnCount() - 1)); });
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    // While the table's views are suspended it may hold fewer rows than the views know of.
    if (!index.isValid() || index.row() >= m_table.recordCount())
        return {};
    const FieldDef &field = m_table.fields().at(m_columns.at(index.column()));
    if (role == Qt::DisplayRole)
        return m_table.displayTextAt(index.row(), m_columns.at(index.column()))
            .replace(QLatin1String("\r\n"), QLatin1String(" "));
    if (role == Qt::TextAlignmentRole && (field.type == FieldType::Integer || field.type == FieldType::Currency))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section == m_table.recNo() ? QStringLiteral("▸") : QString(); // the record indicator
    return section < m_columns.size() ? m_table.fields().at(m_columns.at(section)).label() : QString();
}

DBGrid::DBGrid(Table &table, QWidget *parent, const QStringList &fields)
    : QTableView(parent)
    , m_model(new TableModel(table, fields, this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(12); // the record indicator
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: %1; "
                                                     "border: 1px solid #b0b0b0; padding: 2px; }")
                                          .arg(WindowLook::kWindowColor.name()));
    const int digit = fontMetrics().horizontalAdvance(u'0');
    for (int column = 0; column < m_model->columnCount(); ++column) {
        const int contentWidth = table.fields().at(m_model->fieldOfColumn(column)).displayWidth * digit + 4;
        setColumnWidth(column, std::max(contentWidth, titleWidth(column))); // no title is cut off
    }
    connect(&table, &Table::currentChanged, this, &DBGrid::followTable);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { followTable(m_model->table().recNo()); });
    followTable(table.recNo());
}

QString DBGrid::columnTitle(int column) const
{
    return m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

int DBGrid::titleWidth(int column) const
{
    return horizontalHeader()->fontMetrics().horizontalAdvance(columnTitle(column)) + 12;
}

void DBGrid::setColumnWidthByTitle(int column, int width)
{
    setColumnWidth(column, width > 0 ? width : titleWidth(column));
}

void DBGrid::followTable(int position)
{
    if (m_following || position < 0 || position >= m_model->rowCount())
        return;
    m_following = true;
    const QModelIndex index = m_model->index(position, std::max(currentIndex().column(), 0));
    setCurrentIndex(index);
    selectRow(position);
    m_following = false;
}

void DBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (m_following || !current.isValid())
        return;
    m_following = true;
    guarded([&] { m_model->table().setRecNo(current.row()); })();
    m_following = false;
    // Posting the record being edited may have moved rows, or refused to leave it.
    if (m_model->table().recNo() != currentIndex().row())
        followTable(m_model->table().recNo());
}

void DBGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        if (m_deletionAllowed && !m_model->table().isEmpty()
            && MessageService::current().ask(QStringLiteral("Datensatz löschen?"), MessageService::Buttons::OkCancel)
                == MessageService::Answer::Ok)
            guarded([this] { m_model->table().deleteRecord(); })();
        return;
    }
    QTableView::keyPressEvent(event);
}
