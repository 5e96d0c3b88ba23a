// Byte strings survive the trip through QString unchanged, whatever they hold.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

#include "text/NativeText.h"

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
    [](const ::testing::TestParamInfo<Row>& row) { return std::string(row.param.name); });

TEST(NativeText, ATypedLoneSurrogateBecomesTheReplacementCharacter) {
    EXPECT_EQ(BytesFromText(QString(QChar(0xD800)) + QChar(u'x')), "\xEF\xBF\xBDx");
    EXPECT_EQ(BytesFromText(QString(QChar(0xDC41))), "\xEF\xBF\xBD"); // no byte below 0x80 is escaped
}

// One name, one line: control characters are written escaped; every other byte stays.
TEST(NativeText, ControlCharactersAreEscaped) {
    EXPECT_EQ(EscapeControlCharacters("/in/a\nb\r\tc.wav"), "/in/a\\nb\\r\\tc.wav");
    EXPECT_EQ(EscapeControlCharacters(std::string("\x01\x1f\x7f\0", 4)), "\\x01\\x1f\\x7f\\x00");
    EXPECT_EQ(EscapeControlCharacters("caf\xE9 \\n~.wav"), "caf\xE9 \\n~.wav");
}

// A path chosen in one of Qt's file dialogs comes back decoded as Qt decodes names (U+FFFD for
// bytes that are not UTF-8); the real path is found again, except where that would be a guess.
struct DialogRow {
    const char* name;
    std::string chosen;   // the real path below the folder, as bytes
    std::string expected; // what RecoverDialogPath gives back, as bytes
};

class DialogPaths : public ::testing::TestWithParam<DialogRow> {};

TEST_P(DialogPaths, GetTheirBytesBack) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string root = QFile::encodeName(dir.path()).toStdString() + "/";
    ASSERT_EQ(mkdir((root + "caf\xE9").c_str(), 0700), 0);
    for (const char* file : {"caf\xE9/b\xE9.wav", "d\xC3\xA9.wav", "x\xE8", "x\xE9"})
        ASSERT_EQ(close(open((root + file).c_str(), O_CREAT | O_WRONLY, 0600)), 0);
    const DialogRow& row = GetParam();
    const QString shown = QFile::decodeName(QByteArray::fromStdString(root + row.chosen));

    EXPECT_EQ(BytesFromText(RecoverDialogPath(shown)), root + row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DialogPaths,
    ::testing::Values(DialogRow{"latin1_folder_and_file", "caf\xE9/b\xE9.wav", "caf\xE9/b\xE9.wav"},
                      DialogRow{"utf8_unchanged", "d\xC3\xA9.wav", "d\xC3\xA9.wav"},
                      DialogRow{"new_file_in_latin1_folder", "caf\xE9/new.xml", "caf\xE9/new.xml"},
                      DialogRow{"folder_with_slash", "caf\xE9/", "caf\xE9/"},
                      // x\xE8 and x\xE9 look alike in the dialog: neither is taken for the other.
                      DialogRow{"ambiguous_kept", "x\xE9", "x\xEF\xBF\xBD"}),
    [](const ::testing::TestParamInfo<DialogRow>& row) { return std::string(row.param.name); });

TEST(NativeText, AnExactPathIsKept) {
    QTemporaryDir dir;
    const std::string path = QFile::encodeName(dir.path()).toStdString() + "/caf\xE9";
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    EXPECT_EQ(BytesFromText(RecoverDialogPath(TextFromBytes(path))), path);
}

} // namespace
