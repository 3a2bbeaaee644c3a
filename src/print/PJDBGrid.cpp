#include "print/PJDBGrid.h"

#include "data/Table.h"

#include <QPainter>

namespace {
constexpr int kWidthWithoutData = 100;
} // namespace

TCustomDBGridPrintJob::TCustomDBGridPrintJob(QObject *parent)
    : TSpecialTextGridPrintJob(parent)
{ }

void TCustomDBGridPrintJob::SetDataSource(Table *table)
{
    if (m_table == table)
        return;
    for (const QMetaObject::Connection &connection : m_link)
        disconnect(connection);
    m_link.clear();
    m_table = table;
    if (!table)
        return;
    // The data link: a change of the set of records lays the pages out again; moving the current
    // record does not.
    const auto relayout = [this] { Update(); };
    m_link = {connect(table, &Table::reset, this, relayout), connect(table, &Table::rowInserted, this, relayout),
              connect(table, &Table::rowRemoved, this, relayout), connect(table, &Table::rowChanged, this, relayout),
              connect(table, &QObject::destroyed, this, [this] {
                  m_table = nullptr; // let go of a table that goes away
                  Update();
              })};
    Update();
}

void TCustomDBGridPrintJob::Update()
{
    m_visibleFields.clear();
    int rows = 0;
    if (m_table) {
        const QList<FieldDef> &fields = m_table->fields();
        for (int index = 0; index < fields.size(); ++index)
            if (fields.at(index).visible)
                m_visibleFields.push_back(index);
        rows = m_table->recordCount();
    }
    StoreCounts(int(m_visibleFields.size()), rows);
    TSpecialTextGridPrintJob::Update();
}

void TCustomDBGridPrintJob::DrawPage(QPainter &canvas, int pageIndex, TDrawTarget target)
{
    BeginUpdate();
    try {
        TSpecialTextGridPrintJob::DrawPage(canvas, pageIndex, target);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TCustomDBGridPrintJob::FieldOfColumn(int column) const
{
    return column >= 0 && column < int(m_visibleFields.size()) ? m_visibleFields[column] : -1;
}

int TCustomDBGridPrintJob::GetColWidth(QPainter &canvas, int column)
{
    if (!m_table)
        return kWidthWithoutData;
    canvas.save();
    canvas.setFont(PrinterFont(PageFont()));
    const int indexWidth = canvas.fontMetrics().horizontalAdvance(QStringLiteral("    ")
                                                                  + QString::number(IndexStart() + RowCount()))
        + 2;
    canvas.restore();
    if (column < 0)
        return indexWidth;
    const int field = FieldOfColumn(column);
    if (field < 0)
        return 0;
    const int available = GetPageRect().Width() - (IndexColumn() ? indexWidth : 0);
    int total = 0;
    for (int index : m_visibleFields)
        total += m_table->fields().at(index).displayWidth;
    if (total <= 0)
        return 0;
    return m_table->fields().at(field).displayWidth * available / total - 1;
}

QString TCustomDBGridPrintJob::GetCellText(int pageIndex, int column, int row)
{
    if (column < 0) {
        if (row == kTitleRow)
            return QStringLiteral("#");
        return row == kFooterRow ? QString() : QString::number(IndexStart() + row);
    }
    if (row == kFooterRow) {
        if (column != ColCount() - 1)
            return {};
        return QStringLiteral("Page %1 of %2").arg(pageIndex).arg(PageCount());
    }
    const int field = FieldOfColumn(column);
    if (field < 0 || !m_table)
        return {};
    const FieldDef &definition = m_table->fields().at(field);
    if (row == kTitleRow)
        return definition.label();
    if (row >= m_table->recordCount()) // the one empty row of an empty table
        return {};
    QString text = m_table->displayTextAt(row, field);
    if (OnGetFieldText)
        OnGetFieldText(*this, definition, text);
    return text;
}

TCellAlignment TCustomDBGridPrintJob::GetCellAlignment(int column, int row)
{
    if (column < 0 || row == kFooterRow)
        return caRight;
    const int field = FieldOfColumn(column);
    if (field < 0 || !m_table)
        return caLeft;
    const FieldType type = m_table->fields().at(field).type;
    return type == FieldType::Integer || type == FieldType::Currency ? caRight : caLeft;
}
