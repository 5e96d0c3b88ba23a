// Little-endian reads inside one tag body, for the code that describes what a writer wrote.
#pragma once

#include <cstddef>
#include <cstdint>

// Reads inside [bytes, bytes + size); reading past the end gives 0 and marks the reader cut short.
class SwfReader {
public:
    SwfReader(const uint8_t* data, size_t length) : bytes(data), size(length) {}

    uint32_t Byte() {
        if (position >= size) {
            cutShort = true;
            return 0;
        }
        return bytes[position++];
    }
    uint32_t Word() {
        const uint32_t low = Byte();
        return low | (Byte() << 8);
    }
    uint32_t DWord() {
        const uint32_t low = Word();
        return low | (Word() << 16);
    }
    size_t Remaining() const { return position < size ? size - position : 0; }
    bool CutShort() const { return cutShort; }

private:
    const uint8_t* bytes;
    size_t size;
    size_t position = 0;
    bool cutShort = false;
};
