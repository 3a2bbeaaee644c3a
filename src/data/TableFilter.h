#pragma once

#include "data/Fields.h"

#include <memory>

// A filter expression of the tables, compiled once against a field list:
//   Status = 'offen' and ( Faelligkeit >= '01.12.2026' or Name = 'Mei*' )
// Comparisons =, <>, >=, <= of a field with a quoted value converted to the field's type; and, or,
// parentheses; a text compared by = with a value ending in "*" matches every text beginning with the
// rest.
class TableFilter
{
public:
    // Throws BelvantoError with a German message when the text cannot be parsed or converted.
    static std::unique_ptr<TableFilter> compile(const QString &expression, const QList<FieldDef> &fields,
                                                bool caseInsensitive);
    virtual ~TableFilter() = default;
    virtual bool matches(const TableRow &row) const = 0;

    // The fields the filter reads, each once.
    const std::vector<int> &fields() const { return m_fields; }

private:
    std::vector<int> m_fields;
};
