#include "data/Fields.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <stdexcept>

namespace {
FieldValue *allocate(std::size_t count)
{
    return count ? new FieldValue[count] : nullptr;
}

// Records are placed one after the other in chunks of kChunkSize bytes, so that the records of a
// table, made in a row as a file is read, lie next to each other and a walk over them reads memory
// in order, and so that making a record costs no call of the allocator. A chunk counts its records
// and one more while new records go into it; it is freed when the count reaches nought. The space
// of a freed record is not used again before its whole chunk is freed.
// Under AddressSanitizer every record is a block of its own, so that the sanitizer sees each one.
#if defined(__SANITIZE_ADDRESS__)
#define BELVANTO_RECORDS_UNPOOLED
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BELVANTO_RECORDS_UNPOOLED
#endif
#endif
#ifdef BELVANTO_RECORDS_UNPOOLED
constexpr bool kPooled = false;
#else
constexpr bool kPooled = true;
#endif
constexpr std::size_t kChunkSize = 256 * 1024; // also the chunks' alignment: a record finds its chunk
constexpr std::size_t kAlign = alignof(std::max_align_t);

struct Chunk {
    std::atomic<std::size_t> references {1};
    char *next = nullptr;
    char *end = nullptr;
};

constexpr std::size_t roundUp(std::size_t size, std::size_t to)
{
    return (size + to - 1) / to * to;
}

constexpr std::size_t kHeader = roundUp(sizeof(Chunk), kAlign);

Chunk *newChunk(std::size_t payload)
{
    const std::size_t size = roundUp(kHeader + payload, kChunkSize);
    void *memory = std::aligned_alloc(kChunkSize, size);
    if (!memory)
        throw std::bad_alloc();
    auto *chunk = ::new (memory) Chunk;
    chunk->next = static_cast<char *>(memory) + kHeader;
    chunk->end = static_cast<char *>(memory) + size;
    return chunk;
}

void drop(Chunk *chunk)
{
    if (chunk->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        chunk->~Chunk();
        std::free(chunk);
    }
}

// The chunk that takes the next records of each size, per thread.
class Chunks
{
public:
    ~Chunks()
    {
        for (const auto &[size, chunk] : m_current)
            drop(chunk);
    }

    void *place(std::size_t size)
    {
        auto at = std::find_if(m_current.begin(), m_current.end(), [size](const auto &c) { return c.first == size; });
        if (at == m_current.end()) {
            m_current.emplace_back(size, newChunk(size));
            at = m_current.end() - 1;
        } else if (at->second->end - at->second->next < std::ptrdiff_t(size)
                   || at->second->next - reinterpret_cast<char *>(at->second) >= std::ptrdiff_t(kChunkSize)) {
            // A record must begin in the first kChunkSize bytes of its chunk, or it would not find it.
            drop(at->second);
            at->second = newChunk(size);
        }
        Chunk *chunk = at->second;
        void *block = chunk->next;
        chunk->next += size;
        chunk->references.fetch_add(1, std::memory_order_relaxed);
        return block;
    }

private:
    std::vector<std::pair<std::size_t, Chunk *>> m_current;
};

void *allocateRecord(std::size_t size)
{
    if (!kPooled)
        return ::operator new(size);
    thread_local Chunks chunks;
    return chunks.place(roundUp(size, kAlign));
}

void freeRecord(void *block)
{
    if (!kPooled) {
        ::operator delete(block);
        return;
    }
    drop(reinterpret_cast<Chunk *>(reinterpret_cast<std::uintptr_t>(block) & ~std::uintptr_t(kChunkSize - 1)));
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

void *TableRow::operator new(std::size_t size)
{
    return allocateRecord(size);
}

void TableRow::operator delete(void *block)
{
    freeRecord(block);
}

std::unique_ptr<TableRow> TableRow::make(std::size_t count)
{
    static_assert(sizeof(TableRow) % alignof(FieldValue) == 0);
    void *block = allocateRecord(sizeof(TableRow) + count * sizeof(FieldValue));
    auto *storage = reinterpret_cast<FieldValue *>(static_cast<char *>(block) + sizeof(TableRow));
    std::uninitialized_value_construct_n(storage, count);
    return std::unique_ptr<TableRow>(::new (block) TableRow {RowValues(storage, count)});
}
