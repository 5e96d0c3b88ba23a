// The command line: "-f:" and "-hide", matched exactly, and the two messages that end a start; the
// option table against --help and the manual page.
#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <set>
#include <string>

#include "cli/OptionTable.h"
#include "text/NativeText.h"

namespace {

struct Case {
    const char* name;
    QStringList arguments; // "<file>", "<blank file>", "<missing>", "<dir>", "<latin1>" stand for real paths
    bool hideMode;
    const char* projectPath; // after the same substitution
    const char* problem;
    CommandLine::Information information = CommandLine::Information::None;
};

class CommandLines : public testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (const char* name : {"p.xml", "with blanks.xml"}) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        QDir(dir.path()).mkdir("folder.xml");
        // A name that is not UTF-8, as a shell passes it in an argument's bytes.
        std::FILE* file = std::fopen(BytesFromText(Latin1Path()).c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
    }
    QString Latin1Path() const { return dir.path() + "/" + TextFromBytes("caf\xE9.xml"); }
    QString Substitute(QString text) const {
        return text.replace("<file>", dir.filePath("p.xml"))
            .replace("<blank file>", dir.filePath("with blanks.xml"))
            .replace("<missing>", dir.filePath("missing.xml"))
            .replace("<dir>", dir.filePath("folder.xml"))
            .replace("<latin1>", Latin1Path());
    }
    QTemporaryDir dir;
};

TEST_P(CommandLines, AreReadAndChecked) {
    const Case& c = GetParam();
    QStringList arguments;
    for (const QString& argument : c.arguments)
        arguments << Substitute(argument);

    const CommandLine commandLine = ParseCommandLine(arguments);

    EXPECT_EQ(commandLine.hasArguments, !arguments.isEmpty());
    EXPECT_EQ(commandLine.hideMode, c.hideMode);
    EXPECT_EQ(commandLine.projectPath, Substitute(c.projectPath));
    EXPECT_EQ(CommandLineProblem(commandLine), QString(c.problem));
    EXPECT_EQ(commandLine.information, c.information);
}

const char* const kParams = "Invalid Parameters";
const char* const kFilename = "Invalid Filename";
constexpr auto Usage = CommandLine::Information::Usage;
constexpr auto Version = CommandLine::Information::Version;

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLines,
    testing::Values(
        Case{"None", {}, false, "", kParams}, Case{"OnlyHide", {"-hide"}, true, "", kParams},
        Case{"LetterCaseCounts", {"-F:<file>", "-Hide"}, false, "", kParams},
        Case{"EmptyPath", {"-f:"}, false, "", kParams},
        Case{"BlankPath", {"-f: \t "}, false, " \t ", kParams},
        Case{"Project", {"-f:<file>"}, false, "<file>", ""},
        Case{"ProjectHidden", {"-f:<file>", "-hide"}, true, "<file>", ""},
        Case{"HideFirst", {"-hide", "-f:<file>"}, true, "<file>", ""},
        Case{"PathWithBlanks", {"-f:<blank file>", "-hide"}, true, "<blank file>", ""},
        Case{"LastPathCounts", {"-f:<missing>", "-f:<file>"}, false, "<file>", ""},
        Case{"LastPathMissing", {"-f:<file>", "-f:<missing>"}, false, "<missing>", kFilename},
        Case{"ExtraIgnored", {"-f:<file>", "extra", "-hide=1", "-hidden"}, false, "<file>", ""},
        Case{"MissingFile", {"-f:<missing>", "-hide"}, true, "<missing>", kFilename},
        Case{"FolderIsNoFile", {"-f:<dir>"}, false, "<dir>", kFilename},
        Case{"PathTakenAsGiven", {"-f: <file>"}, false, " <file>", kFilename},
        Case{"NotAtTheStart", {" -f:<file>"}, false, "", kParams},
        Case{"HideAsPath", {"-f:-hide"}, false, "-hide", kFilename},
        Case{"NotUtf8Path", {"-f:<latin1>", "-hide"}, true, "<latin1>", ""},
        // "--help" and "--version" win over everything else; the first of them counts.
        Case{"Help", {"--help"}, false, "", kParams, Usage},
        Case{"VersionBesideAProject", {"-f:<file>", "-hide", "--version"}, true, "<file>", "", Version},
        Case{"VersionBeforeHelp", {"--version", "--help"}, false, "", kParams, Version},
        Case{"HelpLetterCase", {"--Help", "-help", "-H", "--version=1"}, false, "", kParams},
        // After "--" every argument names a file, even "--help".
        Case{"HelpAfterDashes", {"--", "--help"}, false, "", kParams}),
    [](const testing::TestParamInfo<Case>& row) { return std::string(row.param.name); });

TEST(CommandLineForm, IsTheProjectFormWithAProjectOptionBeforeDashes) {
    EXPECT_TRUE(ParseCommandLine({"-j2", "-f:a.xml"}).projectForm);
    EXPECT_TRUE(ParseCommandLine({"-hide"}).projectForm);
    EXPECT_FALSE(ParseCommandLine({"-o", "out", "a.wav"}).projectForm);
    EXPECT_FALSE(ParseCommandLine({"--", "-f:a.xml"}).projectForm);
    EXPECT_EQ(ParseCommandLine({"-f:a.xml", "--help", "-j2", "x"}).unexpected, "-j2");
    EXPECT_EQ(ParseCommandLine({"-f:a.xml", "--", "-hide"}).unexpected, "--");
    EXPECT_EQ(ParseCommandLine({"-hide", "-h", "--version", "-f:"}).unexpected, "");
}

// The options a text names: "-o", "--output", "-f:", "-hide" ("--" alone is none).
std::set<std::string> OptionNames(const QString& text) {
    static const QRegularExpression name(QStringLiteral("(?<![\\w-])--?[a-z0-9][a-z0-9-]*:?"));
    std::set<std::string> names;
    for (const QRegularExpressionMatch& match : name.globalMatch(text))
        names.insert(match.captured().toStdString());
    return names;
}

// Each entry of --help names its row's options in its first column, and the manual page's option
// list (the line after each .TP) names the options --help names.
TEST(OptionTable, IsWhatHelpAndTheManualPageList) {
    std::set<std::string> helpNames;
    for (const OptionRow& row : OptionTable()) {
        const std::set<std::string> names =
            OptionNames(QString::fromUtf8(row.help).trimmed().section("  ", 0, 0));
        EXPECT_TRUE(!row.shortName || names.count(std::string("-") + row.shortName)) << row.help;
        EXPECT_TRUE(!row.longName || names.count(std::string("--") + row.longName)) << row.help;
        helpNames.insert(names.begin(), names.end());
    }
    QFile manual(TAVREL_SOURCE_DIR "/dist/tavrel.1");
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(manual.readAll());
    const QString options =
        page.section(QStringLiteral("\n.SH OPTIONS\n"), 1).section(QStringLiteral("\n.SH "), 0, 0);
    std::set<std::string> manualNames;
    for (const QString& item : options.split(QStringLiteral(".TP\n")).mid(1))
        manualNames.merge(
            OptionNames(item.section('\n', 0, 0).remove(QRegularExpression("\\\\f.")).remove('\\')));
    EXPECT_EQ(manualNames, helpNames);
}

TEST(SpawnSession, StartsTheProgramWithNoArguments) {
    QTemporaryDir dir;
    const QString program = dir.filePath("program");
    const QString marker = dir.filePath("arguments.txt");
    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\necho \"$#\" > '%1.part' && mv '%1.part' '%1'\n")
                     .arg(marker)
                     .toLocal8Bit());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ASSERT_TRUE(SpawnSession(program));
    for (int waited = 0; waited < 5000 && !QFile::exists(marker); waited += 20)
        QThread::msleep(20);
    QFile written(marker);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("0\n"));
    EXPECT_FALSE(SpawnSession(dir.filePath("no-such-program")));
}

} // namespace
