// FSWFStream: bit-level writing, tag headers and the final interleaved write to a file.
#include "FSWFStream.h"

#include "FileBytes.h"
#include "StopRequest.h"
#include "SwfAssert.h"

#include <cstddef>
#include <cstdio>
#include <memory>
#include <utility>

#include <sys/mman.h>
#include <unistd.h>

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
    // On a byte boundary (nearly always) the byte goes in whole.
    if (freeBits != 8) {
        PutBits(byte, 8);
        return;
    }
    pendingByte = byte;
    CommitByte();
}

void FSWFStream::PutWord(U16 word) {
    PutByte(static_cast<U8>(word & 0xFFu));
    PutByte(static_cast<U8>(word >> 8));
}

void FSWFStream::PutDWord(U32 dword) {
    PutByte(static_cast<U8>(dword & 0xFFu));
    PutByte(static_cast<U8>((dword >> 8) & 0xFFu));
    PutByte(static_cast<U8>((dword >> 16) & 0xFFu));
    PutByte(static_cast<U8>(dword >> 24));
}

void FSWFStream::AlignToByte() {
    if (freeBits != 8)
        CommitByte();
}

void FSWFStream::AddLargeData(const U8* data, U32 size) {
    largeData.push_back({completeBytes, data, size});
}

void FSWFStream::AddFileRange(int fd, uint64_t from, U32 size) {
    largeData.push_back({completeBytes, nullptr, size, fd, from});
}

void FSWFStream::AddPlacedData(U32 size) {
    largeData.push_back({completeBytes, nullptr, size, -1, 0, true});
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
        LargeData moved = record;
        moved.position = completeBytes;
        largeData.push_back(moved);
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

namespace {

// Writes the bytes at data to fd and counts them in copied; false on any failure.
bool WriteCounted(int fd, const U8* data, size_t size, U32& copied) {
    const size_t written = WriteAll(fd, data, size);
    copied += static_cast<U32>(written);
    return written == size;
}

// Copies `count` bytes of the file at `from`, from its offset `offset` on, to the position of `to`.
// Returns the bytes copied: fewer than count where the source ends early or a write fails.
//
// The file is mapped a window of 4 MiB at a time and each window written: the kernel copies it
// from the page cache into the movie without a copy through this process, and the memory it takes
// stays bounded. (copy_file_range does the same, but a third slower here: in a movie the sound's
// bytes stand at another offset within a page than in the file.) The mapped bytes are only ever
// read by write(): where the file is cut short meanwhile, write() fails (EFAULT) and no SIGBUS is
// raised. A short file, or one that cannot be mapped, goes through a bounded buffer: for a short
// one, one read and one write cost less than a mapping.
U32 CopyFileBytes(int from, uint64_t offset, int to, U32 count, const StopRequest* stop = nullptr) {
    constexpr size_t kWindow = size_t(4) << 20; // a multiple of every page size
    constexpr size_t kBuffer = 256 * 1024;
    const bool large = count > kBuffer;
    // A mapping starts on a page: one that starts inside a page is mapped from its start.
    const uint64_t pageStart = offset & ~(static_cast<uint64_t>(::sysconf(_SC_PAGESIZE)) - 1);
    const size_t lead = static_cast<size_t>(offset - pageStart);
    U32 copied = 0;
    const auto stopped = [stop] { return stop != nullptr && stop->Requested(); };
    while (large && copied < count && !stopped()) {
        const size_t span = count - copied < kWindow ? count - copied : kWindow;
        void* window = ::mmap(nullptr, lead + span, PROT_READ, MAP_SHARED | MAP_POPULATE, from,
                              static_cast<off_t>(pageStart + copied));
        if (window == MAP_FAILED)
            break;
        const bool whole = WriteCounted(to, static_cast<const U8*>(window) + lead, span, copied);
        ::munmap(window, lead + span);
        if (!whole)
            return copied;
    }
    if (copied == count || stopped())
        return copied;

    const std::unique_ptr<U8[]> buffer(new U8[large ? kBuffer : count]);
    while (copied < count && !stopped()) {
        const size_t want = count - copied < kBuffer ? count - copied : kBuffer;
        const size_t got = ReadAt(from, buffer.get(), want, offset + copied);
        if (got == 0 || !WriteCounted(to, buffer.get(), got, copied))
            break;
    }
    return copied;
}

} // namespace

// The buffer's bytes and the blocks between them, in file order: put(data, size) writes bytes on,
// file(record) a file block or steps over a block in place, and each gives back the bytes it wrote.
template <typename Put, typename PutFile> U32 FSWFStream::SaveInOrder(Put put, PutFile file) {
    U32 written = 0;
    U32 currentStreamPos = 0;
    for (const LargeData& record : largeData) {
        const U32 currentDataPosition = record.position;
        const U32 currentDataSize = record.size;
        SWF_ASSERT(currentDataPosition >= currentStreamPos, FSWFStream);
        if (currentDataPosition != currentStreamPos)
            written += put(bytes.data() + currentStreamPos, currentDataPosition - currentStreamPos);
        currentStreamPos = currentDataPosition;
        SWF_ASSERT(currentDataSize > 0, FSWFStream);
        written += record.fd < 0 && !record.inPlace ? put(record.data, currentDataSize) : file(record);
    }
    largeData.clear();
    if (completeBytes > currentStreamPos)
        written += put(bytes.data() + currentStreamPos, completeBytes - currentStreamPos);
    return written;
}

U32 FSWFStream::SaveToFile(FILE* file) {
    return SaveInOrder(
        [file](const U8* data, U32 size) { return static_cast<U32>(std::fwrite(data, 1, size, file)); },
        [file](const LargeData& block) -> U32 {
            if (std::fflush(file) != 0)
                return 0;
            if (block.inPlace)
                return ::fseeko(file, static_cast<off_t>(block.size), SEEK_CUR) == 0 ? block.size : 0;
            return CopyFileBytes(block.fd, block.from, ::fileno(file), block.size);
        });
}

U32 FSWFStream::SaveToFileAt(int fd, const StopRequest* stop) {
    uint64_t offset = 0;
    return SaveInOrder(
        [fd, &offset](const U8* data, U32 size) -> U32 {
            const bool whole = WriteAt(fd, data, size, offset);
            offset += size;
            return whole ? size : 0;
        },
        [fd, &offset, stop](const LargeData& block) -> U32 {
            const uint64_t at = std::exchange(offset, offset + block.size);
            if (block.inPlace)
                return block.size;
            return ::lseek(fd, static_cast<off_t>(at), SEEK_SET) == static_cast<off_t>(at)
                       ? CopyFileBytes(block.fd, block.from, fd, block.size, stop)
                       : 0;
        });
}
