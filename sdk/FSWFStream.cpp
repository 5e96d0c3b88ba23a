// FSWFStream: bit-level writing, tag headers and the final interleaved write to a file.
#include "FSWFStream.h"

#include "SwfAssert.h"

#include <cstddef>

FSWFStream::FSWFStream() : bytes(1, 0), completeBytes(0), freeBits(8), pendingByte(0) {}

void FSWFStream::CommitByte() {
    bytes[completeBytes] = pendingByte;
    ++completeBytes;
    bytes.push_back(0);
    pendingByte = 0;
    freeBits = 8;
}

void FSWFStream::PutBits(U32 data, U32 size) {
    // Accepts values that fit in `size` bits, and negative values whose magnitude does; the
    // bits written are the low `size` bits either way. A positive value too wide for its field
    // fails too (it would otherwise be cut silently). Worked out in 64 bits so that no size up
    // to 32 overflows.
    SWF_ASSERT(size <= 32, FSWFStream);
    const int64_t limit = static_cast<int64_t>((uint64_t{1} << size) - 1);
    const int64_t asSigned = static_cast<S32>(data);
    SWF_ASSERT_TEXT(static_cast<int64_t>(data) <= limit || (asSigned < 0 && -asSigned <= limit),
                    "( data <= (0x01<<size) - 1 ) || ( -(S32)(data) <= (0x01<<size) - 1 )", FSWFStream);

    while (size > 0) {
        const U32 field = size == 32 ? data : data << (32 - size);
        const U8 bitsToPlace = static_cast<U8>((field >> (32 - freeBits)) & 0xFF);
        if (size > freeBits) {
            pendingByte |= bitsToPlace;
            size -= freeBits;
            CommitByte();
        } else {
            pendingByte |= bitsToPlace;
            freeBits -= size;
            size = 0;
            if (freeBits == 0)
                CommitByte();
        }
    }
}

void FSWFStream::PutByte(U8 byte) {
    PutBits(byte, 8);
}

void FSWFStream::PutWord(U16 word) {
    PutBits(word & 0xFFu, 8);
    PutBits(static_cast<U32>(word >> 8) & 0xFFu, 8);
}

void FSWFStream::PutDWord(U32 dword) {
    PutBits(dword & 0xFFu, 8);
    PutBits((dword >> 8) & 0xFFu, 8);
    PutBits((dword >> 16) & 0xFFu, 8);
    PutBits((dword >> 24) & 0xFFu, 8);
}

void FSWFStream::AlignToByte() {
    if (freeBits != 8)
        CommitByte();
}

void FSWFStream::AddLargeData(const U8* data, U32 size) {
    largeData.push_back({completeBytes, data, size});
}

U32 FSWFStream::TotalSize() const {
    uint64_t total = completeBytes;
    for (const LargeData& record : largeData)
        total += record.size;
    SWF_ASSERT(total <= 0xFFFFFFFFu, FSWFStream);
    return static_cast<U32>(total);
}

void FSWFStream::AppendStream(FSWFStream* other) {
    // Copies a run of the other stream's finished bytes. On a byte boundary the bytes go in as
    // they are; otherwise they straddle bytes like any other bit field.
    auto copyBytes = [this, other](U32 from, U32 to) {
        if (from >= to)
            return;
        if (freeBits == 8) {
            bytes.pop_back(); // the placeholder
            bytes.insert(bytes.end(), other->bytes.begin() + from, other->bytes.begin() + to);
            completeBytes += to - from;
            bytes.push_back(0);
        } else {
            for (U32 i = from; i < to; ++i)
                PutBits(other->bytes[i], 8);
        }
    };

    U32 index = 0;
    for (const LargeData& record : other->largeData) {
        copyBytes(index, record.position);
        index = record.position;
        AddLargeData(record.data, record.size);
    }
    other->largeData.clear();
    copyBytes(index, other->completeBytes);
}

void FSWFStream::PutTag(U16 code, U32 length, FSWFStream* body) {
    if (length > 62) {
        PutWord(static_cast<U16>((code << 6) | 63));
        PutDWord(length);
    } else {
        PutWord(static_cast<U16>((U32{code} << 6) | length));
    }
    if (body != nullptr)
        AppendStream(body);
}

U8* FSWFStream::BufferAt(U32 position) {
    return bytes.data() + position;
}

U32 FSWFStream::SaveToFile(FILE* file) {
    U32 written = 0;
    U32 currentStreamPos = 0;
    for (const LargeData& record : largeData) {
        const U32 currentDataPosition = record.position;
        const U32 currentDataSize = record.size;
        SWF_ASSERT(currentDataPosition >= currentStreamPos, FSWFStream);
        if (currentDataPosition != currentStreamPos)
            written += static_cast<U32>(std::fwrite(bytes.data() + currentStreamPos, 1,
                                                    currentDataPosition - currentStreamPos, file));
        currentStreamPos = currentDataPosition;
        SWF_ASSERT(currentDataSize > 0, FSWFStream);
        written += static_cast<U32>(std::fwrite(record.data, 1, currentDataSize, file));
    }
    largeData.clear();
    if (completeBytes > currentStreamPos)
        written += static_cast<U32>(
            std::fwrite(bytes.data() + currentStreamPos, 1, completeBytes - currentStreamPos, file));
    return written;
}
