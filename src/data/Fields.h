#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <variant>
#include <vector>

enum class FieldType { Integer, String, Currency, Date, Calculated };

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0; // text width of String and Calculated fields
    QString displayLabel; // the name when empty
    int displayWidth = 10; // characters
    bool visible = true;
    // A stored field added in a later version: a packet without it loads (the field stays empty) and
    // gains it when saved.
    bool optional = false;

    QString label() const { return displayLabel.isEmpty() ? name : displayLabel; }
    bool isStored() const { return type != FieldType::Calculated; }
};

// An empty field holds std::monostate; empty text is stored as empty too.
using FieldValue = std::variant<std::monostate, qint32, double, QDate, QString>;

// One record: a value per field of the table, calculated fields left empty.
struct TableRow {
    std::vector<FieldValue> values;
};

inline bool isEmptyValue(const FieldValue &value)
{
    return std::holds_alternative<std::monostate>(value);
}
