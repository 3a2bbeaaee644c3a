#pragma once

#include <QByteArray>

// Buffers of many megabytes that are filled once (a file read whole, a payment file built in memory).
namespace LargeBuffers {

// An uninitialised buffer of `size` bytes that the system may back with huge pages: filling it then
// costs one page fault per 2 MB instead of one per 4 KB, which on some virtual machines is most of
// the time a large file takes. Small sizes get an ordinary buffer.
QByteArray allocate(qsizetype size);

// The same for room reserved in an existing, not yet filled buffer.
void reserve(QByteArray &buffer, qsizetype capacity);

} // namespace LargeBuffers
