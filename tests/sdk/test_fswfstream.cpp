// FSWFStream: bit fields, integers, tag headers, blocks spliced in by position, and its assertions.
#include "FSWFStream.h"
#include "StopRequest.h"

#include "common/swf_dump.h"

#include <gtest/gtest.h>

#include <functional>

using swftest::Bytes;
using swftest::Hex;
using swftest::SavedBytes;

namespace {

struct StreamCase {
    const char* name;
    std::function<void(FSWFStream&)> write;
    Bytes expected;
};

void PrintTo(const StreamCase& row, std::ostream* out) {
    *out << row.name;
}

class StreamBytes : public ::testing::TestWithParam<StreamCase> {};

TEST_P(StreamBytes, WritesExactly) {
    const StreamCase& row = GetParam();
    FSWFStream stream;
    row.write(stream);
    const U32 total = stream.TotalSize();
    const Bytes got = SavedBytes(stream);
    EXPECT_EQ(Hex(got), Hex(row.expected)) << row.name;
    EXPECT_EQ(total, got.size()) << row.name;
}

Bytes Body(size_t size) {
    Bytes body(size);
    for (size_t i = 0; i < size; ++i)
        body[i] = static_cast<U8>(0xA0 + i % 16);
    return body;
}

void PutAll(FSWFStream& stream, const Bytes& bytes) {
    for (U8 b : bytes)
        stream.PutByte(b);
}

Bytes Concat(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

const StreamCase kStreamCases[] = {
    {"5 in 3 bits, 1 in 1 bit, aligned",
     [](FSWFStream& s) {
         s.PutBits(5, 3);
         s.PutBits(1, 1);
         s.AlignToByte();
     },
     {0xB0}},
    {"9 bits of ones, aligned",
     [](FSWFStream& s) {
         s.PutBits(0x1FF, 9);
         s.AlignToByte();
     },
     {0xFF, 0x80}},
    {"9 bits of ones, pending bit not written", [](FSWFStream& s) { s.PutBits(0x1FF, 9); }, {0xFF}},
    {"-1 in 4 bits then 0 in 4 bits",
     [](FSWFStream& s) {
         s.PutBits(static_cast<U32>(-1), 4);
         s.PutBits(0, 4);
     },
     {0xF0}},
    {"size 0 writes nothing", [](FSWFStream& s) { s.PutBits(0, 0); }, {}},
    {"15-bit fields across bytes",
     [](FSWFStream& s) {
         s.PutBits(15, 5);
         s.PutBits(0, 15);
         s.PutBits(600, 15);
         s.PutBits(0, 15);
         s.PutBits(600, 15);
         s.AlignToByte();
     },
     {0x78, 0x00, 0x00, 0x4B, 0x00, 0x00, 0x01, 0x2C, 0x00}},
    {"32-bit field", [](FSWFStream& s) { s.PutBits(0x89ABCDEF, 32); }, {0x89, 0xAB, 0xCD, 0xEF}},
    {"AlignToByte on a boundary adds nothing",
     [](FSWFStream& s) {
         s.PutByte(1);
         s.AlignToByte();
     },
     {0x01}},
    {"PutWord", [](FSWFStream& s) { s.PutWord(0x1234); }, {0x34, 0x12}},
    {"PutDWord", [](FSWFStream& s) { s.PutDWord(70000); }, {0x70, 0x11, 0x01, 0x00}},
    {"PutByte straddles pending bits",
     [](FSWFStream& s) {
         s.PutBits(1, 1);
         s.PutByte(0xFF);
         s.AlignToByte();
     },
     {0xFF, 0x80}},
    {"PutTag short form, no body", [](FSWFStream& s) { s.PutTag(1, 0); }, {0x40, 0x00}},
    {"PutTag 12 with a 2-byte body",
     [](FSWFStream& s) {
         FSWFStream body;
         body.PutByte(0x07);
         body.PutByte(0x00);
         s.PutTag(12, body.TotalSize(), &body);
     },
     {0x02, 0x03, 0x07, 0x00}},
    {"PutTag 14 with 62 bytes: short form",
     [](FSWFStream& s) {
         FSWFStream body;
         PutAll(body, Body(62));
         s.PutTag(14, body.TotalSize(), &body);
     },
     Concat({0xBE, 0x03}, Body(62))},
    {"PutTag 14 with 63 bytes: long form",
     [](FSWFStream& s) {
         FSWFStream body;
         PutAll(body, Body(63));
         s.PutTag(14, body.TotalSize(), &body);
     },
     Concat({0xBF, 0x03, 0x3F, 0x00, 0x00, 0x00}, Body(63))},
    {"PutTag code bits above bit 9 are lost", [](FSWFStream& s) { s.PutTag(0x401, 0); }, {0x40, 0x00}},
    {"block between buffer bytes",
     [](FSWFStream& s) {
         static const U8 block[] = {1, 2, 3};
         s.PutByte(0xAA);
         s.PutByte(0xBB);
         s.AddLargeData(block, 3);
         s.PutByte(0xCC);
     },
     {0xAA, 0xBB, 0x01, 0x02, 0x03, 0xCC}},
    {"block at the very start and the very end",
     [](FSWFStream& s) {
         static const U8 first[] = {9};
         static const U8 last[] = {7, 7};
         s.AddLargeData(first, 1);
         s.PutByte(0x11);
         s.AddLargeData(last, 2);
     },
     {0x09, 0x11, 0x07, 0x07}},
    {"block added while bits are pending goes before their byte",
     [](FSWFStream& s) {
         static const U8 block[] = {0x55};
         s.PutBits(1, 1);
         s.AddLargeData(block, 1);
         s.AlignToByte();
     },
     {0x55, 0x80}},
    {"appended body with its block, on a byte boundary",
     [](FSWFStream& s) {
         static const U8 block[] = {0xD0, 0xD1};
         FSWFStream body;
         body.PutByte(1);
         body.AddLargeData(block, 2);
         body.PutByte(2);
         s.PutByte(0xEE);
         s.AppendStream(&body);
     },
     {0xEE, 0x01, 0xD0, 0xD1, 0x02}},
    {"appended body straddles pending bits",
     [](FSWFStream& s) {
         FSWFStream body;
         body.PutByte(0xFF);
         body.PutByte(0x00);
         s.PutBits(0, 4);
         s.AppendStream(&body);
         s.AlignToByte();
     },
     {0x0F, 0xF0, 0x00}},
    {"pending bits of an appended body are not copied",
     [](FSWFStream& s) {
         FSWFStream body;
         body.PutByte(0x12);
         body.PutBits(1, 3);
         s.AppendStream(&body);
     },
     {0x12}},
};

INSTANTIATE_TEST_SUITE_P(Rows, StreamBytes, ::testing::ValuesIn(kStreamCases));

TEST(FSWFStream, NewStreamIsEmpty) {
    FSWFStream stream;
    EXPECT_EQ(stream.TotalSize(), 0u);
    EXPECT_EQ(stream.CompleteBytes(), 0u);
    EXPECT_EQ(stream.FreeBits(), 8u);
    EXPECT_EQ(*stream.BufferAt(0), 0);
    EXPECT_TRUE(SavedBytes(stream).empty());
}

TEST(FSWFStream, PendingBitsAreNotCounted) {
    FSWFStream stream;
    stream.PutBits(0x1FF, 9);
    EXPECT_EQ(stream.TotalSize(), 1u);
    EXPECT_EQ(stream.FreeBits(), 7u);
    EXPECT_EQ(stream.PendingByte(), 0x80);
    EXPECT_EQ(*stream.BufferAt(1), 0) << "the placeholder stays 0 while its bits are pending";
}

TEST(FSWFStream, TotalSizeCountsBlocks) {
    static const U8 block[] = {1, 2, 3};
    FSWFStream stream;
    stream.PutByte(0xAA);
    stream.PutByte(0xBB);
    stream.AddLargeData(block, 3);
    stream.PutByte(0xCC);
    EXPECT_EQ(stream.TotalSize(), 6u);
}

TEST(FSWFStream, AppendedBlockMovesToTheReceivingPosition) {
    static const U8 block[] = {1, 2, 3, 4};
    FSWFStream body;
    body.PutByte(0x01);
    body.PutByte(0x02);
    body.AddLargeData(block, 4);
    body.PutByte(0x03);

    FSWFStream stream;
    for (int i = 0; i < 10; ++i)
        stream.PutByte(0);
    stream.AppendStream(&body);

    ASSERT_EQ(stream.LargeDataRecords().size(), 1u);
    EXPECT_EQ(stream.LargeDataRecords()[0].position, 12u);
    EXPECT_EQ(stream.LargeDataRecords()[0].data, block) << "the block is referred to, not copied";
    EXPECT_TRUE(body.LargeDataRecords().empty());
    EXPECT_EQ(body.CompleteBytes(), 3u) << "the appended stream keeps its bytes";
    EXPECT_EQ(stream.TotalSize(), 17u);
}

TEST(FSWFStream, SecondSaveWritesOnlyTheBuffer) {
    static const U8 block[] = {0x42};
    FSWFStream stream;
    stream.PutByte(0xAA);
    stream.AddLargeData(block, 1);
    EXPECT_EQ(Hex(SavedBytes(stream)), "AA 42");
    EXPECT_EQ(Hex(SavedBytes(stream)), "AA");
}

TEST(FSWFStream, SaveReturnsTheBytesWritten) {
    static const U8 block[] = {1, 2, 3};
    FSWFStream stream;
    stream.PutByte(0xAA);
    stream.AddLargeData(block, 3);
    stream.PutByte(0xBB);
    FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(stream.SaveToFile(file), 5u);
    // A file's bytes are not copied once a stop is requested: the movie comes out short.
    std::fwrite(block, 1, 3, file);
    std::fflush(file);
    StopRequest stop;
    stop.Stop();
    FSWFStream stopped;
    stopped.PutByte(0xAA);
    stopped.AddFileRange(::fileno(file), 5, 3);
    EXPECT_EQ(stopped.SaveToFileAt(::fileno(file), &stop), 1u);
    std::fclose(file);
}

TEST(FSWFStream, ManyBytesKeepTheirOrder) {
    FSWFStream stream;
    for (U32 i = 0; i < 100000; ++i)
        stream.PutByte(static_cast<U8>(i * 7));
    const Bytes got = SavedBytes(stream);
    ASSERT_EQ(got.size(), 100000u);
    for (U32 i = 0; i < 100000; ++i)
        ASSERT_EQ(got[i], static_cast<U8>(i * 7)) << "at " << i;
}

// ---- Assertions: the value must fit the field, positively or as a negative magnitude ----

struct RangeCase {
    U32 data;
    U32 size;
    bool accepted;
};

void PrintTo(const RangeCase& row, std::ostream* out) {
    *out << row.data << " in " << row.size << " bits";
}

class PutBitsRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(PutBitsRange, ChecksTheValue) {
    const RangeCase row = GetParam();
    auto put = [row] {
        FSWFStream stream;
        stream.PutBits(row.data, row.size);
    };
    if (row.accepted)
        put();
    else
        EXPECT_DEATH(put(),
                     "Assertion failed: \\( data <= \\(0x01<<size\\) - 1 \\) \\|\\| \\( -\\(S32\\)\\(data\\) "
                     "<= \\(0x01<<size\\) - 1 \\), file FSWFStream, line [0-9]+");
}

INSTANTIATE_TEST_SUITE_P(Rows, PutBitsRange,
                         ::testing::Values(RangeCase{32767, 15, true}, RangeCase{32768, 15, false},
                                           RangeCase{7, 3, true}, RangeCase{8, 3, false},
                                           RangeCase{static_cast<U32>(-3), 2, true},
                                           RangeCase{static_cast<U32>(-4), 2, false},
                                           RangeCase{static_cast<U32>(-32767), 15, true},
                                           RangeCase{0x80000000u, 31, false},
                                           RangeCase{0x7FFFFFFFu, 31, true}, RangeCase{0xFFFFFFFFu, 32, true},
                                           RangeCase{1, 0, false}, RangeCase{0, 0, true}));

TEST(FSWFStreamDeathTest, EmptyBlockFailsTheSizeCheck) {
    EXPECT_DEATH(
        {
            FSWFStream stream;
            stream.PutByte(1);
            stream.AddLargeData(nullptr, 0);
            SavedBytes(stream);
        },
        "Assertion failed: currentDataSize > 0, file FSWFStream, line [0-9]+");
}

} // namespace
