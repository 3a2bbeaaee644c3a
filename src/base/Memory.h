#pragma once

// How the program's heap takes memory from the system.
namespace Memory {

// Lets the heap grow in 2 MB pages where the system gives them on request (Linux with transparent
// huge pages set to "madvise"). On the machines the program runs on, the first touch of each 4 KB
// page costs a few microseconds: loading 100,000 bookings touches some 150 MB, and with 4 KB pages
// that alone took longer than all the reading. Called once at the start of a program; elsewhere it
// does nothing.
void preferLargePages();

} // namespace Memory
