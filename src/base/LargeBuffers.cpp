#include "base/LargeBuffers.h"

#include <cstdint>
#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

namespace LargeBuffers {

namespace {
constexpr std::uintptr_t kHugePage = 2 * 1024 * 1024;

// Only whole huge pages inside the buffer can be advised; the kernel ignores the advice where it has
// no huge pages to give.
void adviseHugePages([[maybe_unused]] const char *data, [[maybe_unused]] qsizetype size)
{
#if defined(Q_OS_LINUX) && defined(MADV_HUGEPAGE)
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + std::uintptr_t(size)) & ~(kHugePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#endif
}
} // namespace

QByteArray allocate(qsizetype size)
{
    QByteArray buffer(size, Qt::Uninitialized);
    adviseHugePages(buffer.constData(), size);
    return buffer;
}

void reserve(QByteArray &buffer, qsizetype capacity)
{
    buffer.reserve(capacity);
    adviseHugePages(buffer.constData() + buffer.size(), buffer.capacity() - buffer.size());
}

} // namespace LargeBuffers
