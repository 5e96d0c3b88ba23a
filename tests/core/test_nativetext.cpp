// Byte strings survive the trip through QString unchanged, whatever they hold.
#include <gtest/gtest.h>

#include "NativeText.h"

namespace {

struct Row {
    const char* name;
    std::string bytes;
    QString text; // what TextFromBytes shows
};

class NativeTextRoundTrip : public ::testing::TestWithParam<Row> {};

TEST_P(NativeTextRoundTrip, BytesComeBackUnchanged) {
    const Row& row = GetParam();
    EXPECT_EQ(TextFromBytes(row.bytes), row.text);
    EXPECT_EQ(BytesFromText(TextFromBytes(row.bytes)), row.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NativeTextRoundTrip,
    ::testing::Values(
        Row{"ascii", "/snd/a.wav", QStringLiteral("/snd/a.wav")},
        Row{"utf8", "/snd/caf\xC3\xA9.wav", QStringLiteral("/snd/caf\u00E9.wav")},
        Row{"four_byte", "\xF0\x9F\x8E\xB5", QString::fromUcs4(U"\U0001F3B5")},
        Row{"latin1", "caf\xE9.wav", QStringLiteral("caf") + QChar(0xDCE9) + QStringLiteral(".wav")},
        Row{"truncated", "a\xE2\x82", QStringLiteral("a") + QChar(0xDCE2) + QChar(0xDC82)},
        Row{"overlong", "\xC0\xAF", QString(QChar(0xDCC0)) + QChar(0xDCAF)},
        Row{"encoded_surrogate", "\xED\xA0\x80", QString(QChar(0xDCED)) + QChar(0xDCA0) + QChar(0xDC80)},
        Row{"beyond_unicode", "\xF4\x90\x80\x80",
            QString(QChar(0xDCF4)) + QChar(0xDC90) + QChar(0xDC80) + QChar(0xDC80)},
        Row{"embedded_nul", std::string("a\0b", 3), QString(QChar(u'a')) + QChar(0) + QChar(u'b')}),
    [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

TEST(NativeText, ATypedLoneSurrogateBecomesTheReplacementCharacter) {
    EXPECT_EQ(BytesFromText(QString(QChar(0xD800)) + QChar(u'x')), "\xEF\xBF\xBDx");
    EXPECT_EQ(BytesFromText(QString(QChar(0xDC41))), "\xEF\xBF\xBD"); // no byte below 0x80 is escaped
}

} // namespace
