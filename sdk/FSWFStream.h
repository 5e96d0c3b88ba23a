// FSWFStream: the in-memory SWF output stream (bit fields, little-endian integers, tag headers,
// and caller-owned blocks spliced in by position when the stream is written to a file).
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

class StopRequest;

using U8 = uint8_t;
using U16 = uint16_t;
using U32 = uint32_t;
using S32 = int32_t;

class FSWFStream {
public:
    // A block that is not copied into the buffer: it stands in the output immediately before
    // the buffer byte with index `position`. The stream neither copies nor owns `data`. With a
    // file (fd not -1) instead, the block is the `size` bytes of that file from its offset `from`
    // on, copied when the stream is written. A block in place is neither: its bytes already stand
    // in the output file where the block does, and the writing steps over them.
    struct LargeData {
        U32 position;
        const U8* data;
        U32 size;
        int fd = -1;
        uint64_t from = 0;
        bool inPlace = false;
    };

    FSWFStream();
    FSWFStream(const FSWFStream&) = delete;
    FSWFStream& operator=(const FSWFStream&) = delete;

    // Writes the low `size` bits of `data`, most significant first, across byte boundaries.
    void PutBits(U32 data, U32 size);
    void PutByte(U8 byte);
    // Little-endian 16 and 32 bits; no alignment first.
    void PutWord(U16 word);
    void PutDWord(U32 dword);
    // Completes a partly filled byte with zero bits.
    void AlignToByte();

    // Remembers a block by address; the caller keeps it alive and unchanged until the stream
    // that finally holds its record has been written by SaveToFile.
    void AddLargeData(const U8* data, U32 size);
    // The same for the `size` bytes of the file open at fd from offset `from` on, which it must
    // still hold when the stream is written (the descriptor stays the caller's).
    void AddFileRange(int fd, uint64_t from, U32 size);
    // `size` bytes that the caller has written into the output file itself, where this block will
    // stand: the writing steps over them.
    void AddPlacedData(U32 size);

    // Finished bytes plus the sizes of all blocks; pending bits do not count.
    U32 TotalSize() const;

    // Copies the other stream's finished bytes into this one and takes over its blocks.
    void AppendStream(FSWFStream* other);

    // Tag header (short form for length <= 62, else long form), then the body if given.
    void PutTag(U16 code, U32 length, FSWFStream* body = nullptr);

    // Address of buffer byte `position` (0 to completeBytes); valid until the buffer grows.
    U8* BufferAt(U32 position);

    // Writes buffer bytes and blocks, interleaved by position, to an open binary file, which
    // stays open. Returns the number of bytes the file accepted: equal to TotalSize() exactly
    // when every write succeeded (and every file block still held its bytes). A file block is
    // written from windows of the file mapped one at a time (bounded reads where it cannot be
    // mapped): its memory stays bounded whatever its size. A block in place is stepped over.
    // Empties the block list.
    U32 SaveToFile(FILE* file);
    // The same into the regular file open at fd, each byte written at its own offset from the
    // file's start (pwrite): a block in place is stepped over. A copy gives up between its windows
    // once stop (when given) is requested.
    U32 SaveToFileAt(int fd, const StopRequest* stop = nullptr);

    // Read-only views for inspection.
    U32 CompleteBytes() const { return completeBytes; }
    U32 FreeBits() const { return freeBits; }
    U8 PendingByte() const { return pendingByte; }
    const std::vector<LargeData>& LargeDataRecords() const { return largeData; }

private:
    void CommitByte();
    template <typename Put, typename PutFile> U32 SaveInOrder(Put put, PutFile file);

    std::vector<U8> bytes; // completeBytes finished bytes + one placeholder 0
    U32 completeBytes;
    U32 freeBits;
    U8 pendingByte;
    std::vector<LargeData> largeData;
};
