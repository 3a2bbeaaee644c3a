#include "data/Fields.h"

#include <stdexcept>

namespace {
FieldValue *allocate(std::size_t count)
{
    return count ? new FieldValue[count] : nullptr;
}
} // namespace

RowValues::RowValues(std::size_t count)
    : m_data(allocate(count))
    , m_size(count)
{ }

RowValues::RowValues(std::initializer_list<FieldValue> values)
    : RowValues(values.size())
{
    std::copy(values.begin(), values.end(), m_data);
}

RowValues::RowValues(std::vector<FieldValue> values)
    : RowValues(values.size())
{
    std::move(values.begin(), values.end(), m_data);
}

RowValues::RowValues(FieldValue *storage, std::size_t count)
    : m_data(storage)
    , m_size(count)
    , m_ownsStorage(false)
{ }

RowValues::RowValues(const RowValues &other)
    : RowValues(other.m_size)
{
    std::copy(other.begin(), other.end(), m_data);
}

RowValues::RowValues(RowValues &&other) noexcept
{
    *this = std::move(other);
}

RowValues &RowValues::operator=(const RowValues &other)
{
    if (this == &other)
        return *this;
    if (m_size == other.m_size) {
        std::copy(other.begin(), other.end(), m_data); // keeps the storage, also a record's own block
        return *this;
    }
    RowValues copy(other);
    return *this = std::move(copy);
}

RowValues &RowValues::operator=(RowValues &&other) noexcept
{
    if (this == &other)
        return *this;
    if (m_size == other.m_size || !other.m_ownsStorage) {
        // Storage in another record's block cannot be taken over: the values move one by one.
        if (m_size != other.m_size) {
            release();
            m_data = allocate(other.m_size);
            m_size = other.m_size;
        }
        std::move(other.begin(), other.end(), m_data);
        std::fill(other.begin(), other.end(), FieldValue());
        return *this;
    }
    release();
    m_data = std::exchange(other.m_data, nullptr);
    m_size = std::exchange(other.m_size, 0);
    return *this;
}

RowValues::~RowValues()
{
    release();
}

FieldValue &RowValues::at(std::size_t i)
{
    if (i >= m_size)
        throw std::out_of_range("RowValues::at");
    return m_data[i];
}

const FieldValue &RowValues::at(std::size_t i) const
{
    return const_cast<RowValues *>(this)->at(i);
}

void RowValues::assign(std::size_t count)
{
    if (count == m_size) {
        std::fill(begin(), end(), FieldValue());
        return;
    }
    release();
    m_data = allocate(count);
    m_size = count;
}

void RowValues::resize(std::size_t count)
{
    if (count == m_size)
        return;
    RowValues resized(count);
    std::move(begin(), begin() + std::min(count, m_size), resized.m_data);
    *this = std::move(resized);
}

void RowValues::clear()
{
    release();
}

void RowValues::release()
{
    if (m_ownsStorage)
        delete[] m_data;
    else
        std::destroy_n(m_data, m_size); // the block is freed with its record
    m_data = nullptr;
    m_size = 0;
    m_ownsStorage = true;
}

std::unique_ptr<TableRow> TableRow::make(std::size_t count)
{
    static_assert(sizeof(TableRow) % alignof(FieldValue) == 0);
    void *block = ::operator new(sizeof(TableRow) + count * sizeof(FieldValue));
    auto *storage = reinterpret_cast<FieldValue *>(static_cast<char *>(block) + sizeof(TableRow));
    std::uninitialized_value_construct_n(storage, count);
    return std::unique_ptr<TableRow>(::new (block) TableRow {RowValues(storage, count)});
}
