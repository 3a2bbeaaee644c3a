#pragma once

#include "data/Table.h"
#include "print/PJTextGrid.h"

#include <QMetaObject>
#include <QPointer>

// The grid of a table: one column per visible field in field order, titled with the field's display
// label and as wide as its share of the display widths; one row per record as the table presents
// it (order and filter). The job follows the table: a change of its records lays the pages out
// again. Drawing reads the records without moving the table's current record.
class TCustomDBGridPrintJob : public TSpecialTextGridPrintJob
{
    Q_OBJECT
public:
    explicit TCustomDBGridPrintJob(QObject *parent = nullptr);

    Table *DataSource() const { return m_table; }
    void SetDataSource(Table *table);

    // May replace the text of a data cell.
    std::function<void(TCustomDBGridPrintJob &, const FieldDef &, QString &text)> OnGetFieldText;

    void Update() override;
    void DrawPage(QPainter &canvas, int pageIndex, TDrawTarget target) override;
    QString GetCellText(int pageIndex, int column, int row) override;
    TCellAlignment GetCellAlignment(int column, int row) override;

protected:
    int GetColWidth(QPainter &canvas, int column) override;

private:
    // The table's field index of a data column, -1 when the column has no field.
    int FieldOfColumn(int column) const;

    QPointer<Table> m_table;
    std::vector<int> m_visibleFields;
    std::vector<QMetaObject::Connection> m_link;
};

class TDBGridPrintJob : public TCustomDBGridPrintJob
{
    Q_OBJECT
public:
    using TCustomDBGridPrintJob::TCustomDBGridPrintJob;
};
