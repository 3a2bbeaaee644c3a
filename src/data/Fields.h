#pragma once

#include <algorithm>
#include <memory>
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

// The values of one record: a fixed number, set when the record is made. The records a table keeps
// hold them in the same block of memory as the record itself (TableRow::make): one allocation per
// record, and a walk over the table reads one block per record instead of following a pointer.
// Elsewhere (an edit buffer, a record in the making) they live on the heap.
class RowValues
{
public:
    RowValues() = default;
    explicit RowValues(std::size_t count);
    RowValues(std::initializer_list<FieldValue> values);
    RowValues(std::vector<FieldValue> values);
    RowValues(const RowValues &other);
    RowValues(RowValues &&other) noexcept;
    RowValues &operator=(const RowValues &other);
    RowValues &operator=(RowValues &&other) noexcept;
    ~RowValues();

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    FieldValue &operator[](std::size_t i) { return m_data[i]; }
    const FieldValue &operator[](std::size_t i) const { return m_data[i]; }
    FieldValue &at(std::size_t i);
    const FieldValue &at(std::size_t i) const;
    FieldValue *begin() { return m_data; }
    FieldValue *end() { return m_data + m_size; }
    const FieldValue *begin() const { return m_data; }
    const FieldValue *end() const { return m_data + m_size; }

    // Every value empty, `count` of them.
    void assign(std::size_t count);
    // Keeps the first values and adds empty ones (or drops the rest).
    void resize(std::size_t count);
    void clear();

    bool operator==(const RowValues &other) const { return std::equal(begin(), end(), other.begin(), other.end()); }

private:
    friend struct TableRow;
    // Values placed in storage that the record's block owns.
    RowValues(FieldValue *storage, std::size_t count);
    void release();

    FieldValue *m_data = nullptr;
    std::size_t m_size = 0;
    bool m_ownsStorage = true;
};

// One record: a value per field of the table, calculated fields left empty.
struct TableRow {
    RowValues values;

    // A record of `count` empty values in one block with it.
    static std::unique_ptr<TableRow> make(std::size_t count);

    // Records come from chunks that hold many of them one after the other (see Fields.cpp); a record
    // from make() is larger than the struct and is freed as the block it was made in.
    static void *operator new(std::size_t size);
    static void operator delete(void *block);
};

inline bool isEmptyValue(const FieldValue &value)
{
    return std::holds_alternative<std::monostate>(value);
}
