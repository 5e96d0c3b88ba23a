// Whole reads and writes on a file descriptor: the loops over short counts and interruptions that
// every copy of file bytes needs, written once.
#pragma once

#include <cstddef>
#include <cstdint>

// Reads up to `count` bytes at `offset` into `out`; fewer only where the file ends or a read fails.
size_t ReadAt(int fd, uint8_t* out, size_t count, uint64_t offset);

// Writes `count` bytes at `offset`; false where a write fails.
bool WriteAt(int fd, const uint8_t* data, size_t count, uint64_t offset);

// Writes `count` bytes at the descriptor's position and returns how many it took: fewer than
// count where a write fails.
size_t WriteAll(int fd, const uint8_t* data, size_t count);
