// The built program started as a batch script would start it: "-f:" and "-hide", its exit
// statuses, its messages on standard error, and the movies and report it leaves. The hostile
// cases are one table: each row sets up files, starts the program with its own arguments and
// environment, and names the status, a piece of standard error and the files it must leave.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "SwfDump.h"
#include "cli/ProgramStart.h"
#include "core/RunFixtures.h"
#include "project/ProgramFiles.h"
#include "project/ProjectFile.h"
#include "text/NativeText.h"

namespace {

const std::string kProgram = TAVREL_PROGRAM_DIR "/tavrel";
// Long enough for any row; a program that waits for a click is ended then, and its row fails.
constexpr auto kGuard = std::chrono::minutes(3);

struct Ended {
    bool finished = false;
    int status = -1; // the exit status, or 128 + the signal that ended it, as a shell shows it
    std::string errors;
};

// What a row does to the program while it runs: a signal to send as soon as the program catches
// it, or once a file is there (0: none), whether its standard error is a pipe nobody reads or a
// terminal, and a file to read its standard input from.
struct Meddling {
    int signal = 0;
    std::string signalWhen;
    bool errorsUnread = false;
    bool terminal = false;
    std::string input = "/dev/null";
};

// True once the process catches the signal (its handler is installed).
bool Catches(pid_t process, int signal) {
    std::ifstream status("/proc/" + std::to_string(process) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
    return false;
}

// Starts program with these arguments and environment, all as bytes (names that are not UTF-8
// must reach it unchanged), and collects its standard error until it ends. Its standard output
// goes to the file output, or nowhere.
Ended Spawn(const std::string& program, const std::vector<std::string>& arguments,
            const std::vector<std::string>& environment, const std::string& folder = std::string(),
            const std::string& output = "/dev/null", Meddling meddling = {}) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : environment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    Ended ended;
    int pipeEnds[2];
    if (meddling.terminal ? openpty(&pipeEnds[0], &pipeEnds[1], nullptr, nullptr, nullptr) != 0
                          : pipe2(pipeEnds, O_CLOEXEC) != 0)
        return ended;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, meddling.input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);
    if (meddling.terminal)
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    if (!folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0 || meddling.errorsUnread)
        close(pipeEnds[0]);
    if (spawned != 0)
        return ended;
    const auto deadline = std::chrono::steady_clock::now() + kGuard;
    ended.finished = true;
    for (;;) {
        pollfd readable{pipeEnds[0], POLLIN, 0};
        if (std::chrono::steady_clock::now() > deadline) {
            ended.finished = false;
            kill(child, SIGKILL);
            break;
        }
        if (meddling.signal && (meddling.signalWhen.empty() ? Catches(child, meddling.signal)
                                                            : access(meddling.signalWhen.c_str(), F_OK) == 0))
            kill(child, std::exchange(meddling.signal, 0));
        if (meddling.errorsUnread) {
            siginfo_t info{};
            if (waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
                info.si_pid == child)
                break;
            poll(nullptr, 0, 50);
            continue;
        }
        if (poll(&readable, 1, meddling.signal ? 50 : 1000) <= 0)
            continue;
        char buffer[4096];
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        ended.errors.append(buffer, static_cast<size_t>(got));
    }
    if (!meddling.errorsUnread)
        close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ended.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return ended;
}

// An X server of our own for the rows that need a display; nothing when Xvfb is not installed.
class VirtualDisplay {
public:
    ~VirtualDisplay() {
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
    }
    // ":<number>", or empty when no server could be started.
    std::string Name() {
        if (!tried_) {
            tried_ = true;
            Start();
        }
        return name_;
    }

private:
    void Start() {
        // Xvfb picks a free display number itself and writes it to the descriptor given.
        int pipeEnds[2];
        if (pipe2(pipeEnds, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 3);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        char* argv[] = {const_cast<char*>("Xvfb"), const_cast<char*>("-displayfd"),
                        const_cast<char*>("3"),    const_cast<char*>("-nolisten"),
                        const_cast<char*>("tcp"),  nullptr};
        const int spawned = posix_spawnp(&server_, "Xvfb", &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        std::string number;
        pollfd readable{pipeEnds[0], POLLIN, 0};
        char c = 0;
        while (spawned == 0 && poll(&readable, 1, 30000) > 0 && read(pipeEnds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(pipeEnds[0]);
        if (spawned != 0)
            server_ = 0;
        else if (!number.empty())
            name_ = ":" + number;
    }

    bool tried_ = false;
    pid_t server_ = 0;
    std::string name_;
};

// A row's paths: relative to the row's folder, as TextFromBytes shows their bytes.
QString L1(const char* bytes) {
    return TextFromBytes(bytes);
}

using Steps = QList<QStringList>;

} // namespace

class TestTavrelProgram : public QObject {
    Q_OBJECT
private:
    QTemporaryDir root_;
    VirtualDisplay display_;
    std::vector<std::string> mounts_; // file systems of the rows, unmounted before the next
    Meddling meddling_;               // what the row does to the program while it runs

    QString Path(const QString& relative) const { return root_.filePath(relative); }
    std::string StdPath(const QString& relative) const { return Path(relative).toStdString(); }
    std::string Bytes(const QString& relative) const { return BytesFromText(Path(relative)); }

    // A project with the values of the shipped preset "Music (128 kbps)": -q5 -mj -b128.
    QString SaveProject(const QString& name, const QStringList& inputs, const QString& outputFolder) {
        PSoundProject project;
        project.ProjectName = Bytes(name);
        project.Quality = "5";
        project.Mode = "j";
        project.Bitrate = "128";
        project.OutputFolder = outputFolder.isEmpty() ? std::string() : Bytes(outputFolder);
        for (const QString& input : inputs)
            project.Files.push_back({Bytes(input), {}});
        SaveProjectFile(project);
        return Path(name);
    }

    // One setup step of a row: {verb, arguments...}, its folders made first; false when it could
    // not be done.
    bool Setup(const QStringList& step, std::string& program) {
        const QString verb = step.value(0);
        const std::string path = Bytes(step.value(1));
        std::error_code failed;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), failed);
        if (verb == "mp3") { // path[, a file of tests/data/mp3 to copy there[, times over]]
            const std::string frames = fixtures::ReadBytes(
                TAVREL_TEST_DATA_DIR "/mp3/" + step.value(2, "mpeg1-44100-stereo.mp3").toStdString());
            std::ofstream(path, std::ios::binary) << [&] {
                std::string repeated;
                for (int i = step.value(3, "1").toInt(); i > 0; --i)
                    repeated += frames;
                return repeated;
            }();
            return !frames.empty();
        }
        if (verb == "wav") // half a second of tone[, channels[, "flac" or "aiff": that container]]
            return fixtures::WriteToneWav(path, 44100, step.value(2, "2").toInt(), 22050,
                                          step.value(3) == "flac"   ? SF_FORMAT_FLAC
                                          : step.value(3) == "aiff" ? SF_FORMAT_AIFF
                                                                    : SF_FORMAT_WAV);
        if (verb == "truncate") // path, size: cut short, or made longer with a hole
            return truncate(path.c_str(), step.value(2).toLongLong()) == 0;
        if (verb == "zeros") { // path, offset, count: damage, as a bad copy leaves it
            std::string content = fixtures::ReadBytes(path);
            content.replace(step.value(2).toULongLong(), step.value(3).toULongLong(),
                            step.value(3).toULongLong(), '\0');
            fixtures::WriteBytes(path, content);
            return true;
        }
        if (verb == "project") { // name, output folder, inputs...
            SaveProject(step.value(1), step.mid(3), step.value(2));
            return true;
        }
        if (verb == "rename") // from, to
            return rename(path.c_str(), Bytes(step.value(2)).c_str()) == 0;
        if (verb == "folder")
            return std::filesystem::create_directories(path, failed);
        if (verb == "fifo")
            return mkfifo(path.c_str(), 0600) == 0;
        if (verb == "socket")
            return fixtures::MakeSocketFile(Path(step.value(1)));
        if (verb == "remove")
            return std::filesystem::remove(path, failed);
        if (verb == "text") { // path, content ("<root>" in it stands for the row's folder)
            fixtures::WriteBytes(path, BytesFromText(QString(step.value(2)).replace("<root>", root_.path())));
            return true;
        }
        if (verb == "script") { // an executable shell script: path, body (a fake `lame`, say)
            fixtures::WriteBytes(path, "#!/bin/sh\n" + BytesFromText(step.value(2)) + "\n");
            return chmod(path.c_str(), 0700) == 0;
        }
        if (verb == "tmpfs") { // folder, size: a small file system of its own, to fill up
            mounts_.push_back(path);
            return std::filesystem::create_directories(path, failed) &&
                   mount("tmpfs", path.c_str(), "tmpfs", 0,
                         ("size=" + step.value(2).toStdString()).c_str()) == 0;
        }
        if (verb == "fat") { // folder, size in KiB: a FAT disk of its own, which has no file modes
            // and ignores letter case (its driver runs as a process of its own, gone at unmount)
            mounts_.push_back(path);
            const std::string image = path + ".img";
            return std::filesystem::create_directories(path, failed) &&
                   std::system(("mkfs.vfat -C '" + image + "' " + step.value(2).toStdString() +
                                " >/dev/null && fusefat -o rw+ '" + image + "' '" + path +
                                "' >/dev/null 2>&1")
                                   .c_str()) == 0;
        }
        if (verb == "edit") { // path, text, what it becomes
            std::string content = fixtures::ReadBytes(path);
            const std::string from = BytesFromText(step.value(2));
            const size_t at = content.find(from);
            if (at == std::string::npos)
                return false;
            fixtures::WriteBytes(path, content.replace(at, from.size(), BytesFromText(step.value(3))));
            return true;
        }
        if (verb == "link") // path, where it points
            return symlink(BytesFromText(step.value(2)).c_str(), path.c_str()) == 0;
        if (verb == "ulimit") { // option and value: the program runs under that limit ("-n 40": 40
            // open files at most; "-f 64": no file over 64 blocks of 512 bytes)
            fixtures::WriteBytes(path + ".sh", "#!/bin/sh\nulimit " + step.value(2).toStdString() +
                                                   "\nexec '" + program + "' \"$@\"\n");
            program = path + ".sh";
            return chmod(program.c_str(), 0700) == 0;
        }
        if (verb == "signal") { // INT, TERM, HUP: sent once the program catches it[, once path is there]
            meddling_.signal = step.value(1) == "INT" ? SIGINT : step.value(1) == "TERM" ? SIGTERM : SIGHUP;
            if (step.size() > 2)
                meddling_.signalWhen = Bytes(step.value(2));
            return true;
        }
        if (verb == "terminal") { // standard error is a terminal
            meddling_.terminal = true;
            return true;
        }
        if (verb == "stdin") { // path: standard input reads that file
            meddling_.input = path;
            return true;
        }
        // arguments...: the program run first, in the row's folder (with the row's bin/ first on
        // the search path), ending with 0, or killed (SIGKILL)
        if (verb == "tavrel" || verb == "tavrel killed")
            return Spawn(kProgram, ArgumentBytes(step.mid(1)), Environment({"PATH=<root>/bin:<PATH>"}, ""),
                         BytesFromText(root_.path()))
                       .status == (verb == "tavrel" ? 0 : 128 + SIGKILL);
        if (verb == "stderr unread") {
            meddling_.errorsUnread = true;
            return true;
        }
        if (verb == "program") { // folder[, "without window"]: a copy of the program with the shipped
            // settings, run instead, and of its window program where it looks for it (which finds
            // the folder back when its name is the build's, bin)
            const auto copy = [&failed](const std::string& from, const std::string& to) {
                return link(from.c_str(), to.c_str()) == 0 || std::filesystem::copy_file(from, to, failed);
            };
            const std::string window = BytesFromText(WindowProgramFile(TextFromBytes(path)));
            program = path + "/tavrel";
            return std::filesystem::create_directories(path, failed) && copy(kProgram, program) &&
                   std::filesystem::copy_file(TAVREL_PROGRAM_DIR "/settings.ini", path + "/settings.ini",
                                              failed) &&
                   (step.value(2) == "without window" ||
                    (std::filesystem::create_directories(std::filesystem::path(window).parent_path(),
                                                         failed) &&
                     copy(BytesFromText(WindowProgramFile(TAVREL_PROGRAM_DIR)), window)));
        }
        return false;
    }

    std::vector<std::string> ArgumentBytes(const QStringList& arguments) const {
        std::vector<std::string> bytes;
        for (const QString& argument : arguments)
            bytes.push_back(BytesFromText(QString(argument).replace("<root>", root_.path())));
        return bytes;
    }

    // The environment of a batch job without a display, changed by the row's entries:
    // "NAME=value" sets, "NAME" removes; display stands for "<display>".
    std::vector<std::string> Environment(const QStringList& changes, const std::string& display) {
        std::map<std::string, std::string> variables;
        for (char** entry = environ; *entry; ++entry) {
            const std::string text = *entry;
            const size_t equals = text.find('=');
            if (equals != std::string::npos)
                variables[text.substr(0, equals)] = text.substr(equals + 1);
        }
        const std::string path = variables["PATH"];
        variables.erase("DISPLAY");
        variables.erase("WAYLAND_DISPLAY");
        variables["QT_QPA_PLATFORM"] = "offscreen";
        for (QString change : changes) {
            change.replace("<root>", root_.path())
                .replace("<PATH>", QString::fromStdString(path))
                .replace("<display>", QString::fromStdString(display));
            const qsizetype equals = change.indexOf('=');
            if (equals < 0)
                variables.erase(BytesFromText(change));
            else
                variables[BytesFromText(change.left(equals))] = BytesFromText(change.mid(equals + 1));
        }
        std::vector<std::string> environment;
        for (const auto& [name, value] : variables)
            environment.push_back(name + "=" + value);
        return environment;
    }

    // What differs from the expected files: "path" must exist, and each folder holding such
    // entries must hold nothing else; "!path" must not exist, nor any name a "*" in it matches;
    // "path=text" must hold text, or
    // start with it when it ends in "*" ("<root>" stands for the row's folder); "path==other" must
    // hold what the file other holds; "path#count" must be a movie of count frames.
    QString UnexpectedFiles(const QStringList& expected) {
        QString differences;
        std::map<std::string, std::vector<std::string>> folders;
        for (QString entry : expected) {
            struct stat info {};
            const bool absent = entry.startsWith('!');
            if (const qsizetype hash = entry.lastIndexOf('#'); hash > 0 && !entry.contains('=')) {
                const std::string movie = fixtures::ReadBytes(Bytes(entry.left(hash)));
                const SwfMovie read =
                    ParseSwfMovie(reinterpret_cast<const uint8_t*>(movie.data()), movie.size());
                if (!read.valid || read.frameCount != entry.mid(hash + 1).toUInt())
                    differences += entry.left(hash) + QString(" counts %1 frames\n").arg(read.frameCount);
                entry.truncate(hash);
            }
            if (const qsizetype equals = entry.indexOf('='); equals > 0) {
                std::string text = BytesFromText(entry.mid(equals + 1).replace("<root>", root_.path()));
                if (text.rfind('=', 0) == 0)
                    text = fixtures::ReadBytes(Bytes(TextFromBytes(text.substr(1))));
                const std::string content = fixtures::ReadBytes(Bytes(entry.left(equals)));
                const bool prefix = !text.empty() && text.back() == '*';
                if (prefix ? content.compare(0, text.size() - 1, text, 0, text.size() - 1) != 0
                           : content != text)
                    differences += entry.left(equals) + " holds: " + TextFromBytes(content) + "\n";
                entry.truncate(equals);
            }
            const std::string path = Bytes(absent ? entry.mid(1) : entry);
            if (absent && path.find('*') != std::string::npos) {
                const size_t slash = path.find_last_of('/');
                for (const QString& name :
                     fixtures::FilesIn(TextFromBytes(path.substr(0, slash)), QDir::Hidden))
                    if (fnmatch(path.substr(slash + 1).c_str(), BytesFromText(name).c_str(), FNM_PERIOD) == 0)
                        differences += "there is " + TextFromBytes(path.substr(0, slash + 1)) + name + "\n";
                continue;
            }
            if ((lstat(path.c_str(), &info) == 0) == absent)
                differences += (absent ? "there is " : "missing: ") + TextFromBytes(path) + "\n";
            if (!absent) {
                const size_t slash = path.find_last_of('/');
                folders[path.substr(0, slash)].push_back(path.substr(slash + 1));
            }
        }
        for (auto& [folder, names] : folders) {
            std::vector<std::string> found;
            if (DIR* entries = opendir(folder.c_str())) {
                while (const dirent* entry = readdir(entries))
                    if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
                        found.push_back(entry->d_name);
                closedir(entries);
            }
            std::sort(found.begin(), found.end());
            std::sort(names.begin(), names.end());
            if (found != names) {
                differences += TextFromBytes(folder) + " holds:";
                for (const std::string& name : found)
                    differences += " [" + TextFromBytes(name) + "]";
                differences += "\n";
            }
        }
        return differences;
    }

private slots:
    void initTestCase() {
        if (!QFileInfo(QString::fromStdString(kProgram)).isExecutable())
            QSKIP("The program is not built yet: build the target 'tavrel' before this test.");
        QVERIFY(QFileInfo::exists(TAVREL_PROGRAM_DIR "/settings.ini"));
        QVERIFY(root_.isValid());
    }
    void Unmount() {
        for (const std::string& path : mounts_)
            umount2(path.c_str(), MNT_DETACH);
        mounts_.clear();
    }

    // Qt's own file classes cannot name what a row leaves under names that are not UTF-8.
    void init() {
        Unmount();
        meddling_ = {};
        const std::string root = QFile::encodeName(root_.path()).toStdString();
        std::error_code failed;
        std::filesystem::remove_all(root, failed);
        QVERIFY(std::filesystem::create_directories(root + "/in", failed));
    }
    void cleanupTestCase() {
        Unmount();
        std::error_code failed;
        std::filesystem::remove_all(QFile::encodeName(root_.path()).toStdString() + "/", failed);
    }

    // WAV and MP3 inputs (names with blanks, an upper-case ".MP3") become movies whose sound is,
    // byte for byte, the MP3 each was made from; the report lists them in list order.
    void convertsAMixedListAndEndsWithStatusZero() {
        const std::string a = StdPath("in/a.wav"), cd = StdPath("in/c d.wav");
        QVERIFY(fixtures::WriteToneWav(a, 44100, 2, 22050));
        QVERIFY(fixtures::WriteToneWav(cd, 44100, 1, 30000));
        QVERIFY(QFile::copy(TAVREL_TEST_DATA_DIR "/mp3/mpeg1-44100-stereo.mp3", Path("in/b.mp3")));
        QVERIFY(QFile::copy(TAVREL_SOURCE_DIR "/demo/sounds/Bell Tone.MP3", Path("in/Bell Tone.MP3")));
        const QString project =
            SaveProject("Batch.xml", {"in/a.wav", "in/b.mp3", "in/Bell Tone.MP3", "in/c d.wav"}, "out");

        const Ended ended =
            Spawn(kProgram, {Bytes("Batch.xml").insert(0, "-f:"), "-hide"}, Environment({}, ""));

        QVERIFY(ended.finished);
        QCOMPARE(QString::fromStdString(ended.errors), QString());
        QCOMPARE(ended.status, 0);
        QCOMPARE(fixtures::FilesIn(Path("out")),
                 (QStringList{"Batch.txt", "Bell Tone.swf", "a.swf", "b.swf", "c d.swf"}));
        QCOMPARE(fixtures::ReadBytes(StdPath("out/Batch.txt")),
                 StdPath("in/a.mp3") + ":Operation Successful.\r\n" + StdPath("in/b.mp3") +
                     ":Operation Successful.\r\n" + StdPath("in/Bell Tone.MP3") +
                     ":Operation Successful.\r\n" + StdPath("in/c d.mp3") + ":Operation Successful.\r\n");
        // The intermediate MP3s are gone; the inputs are untouched.
        QCOMPARE(fixtures::FilesIn(Path("in")), (QStringList{"Bell Tone.MP3", "a.wav", "b.mp3", "c d.wav"}));

        // The encoder gives the same bytes for the same input and options, so the WAVs' MP3s are
        // made again here to compare with.
        QVERIFY(QDir(root_.path()).mkpath("reference"));
        for (const char* name : {"a", "c d"}) {
            const QString wav = Path(QString("in/%1.wav").arg(name));
            const QString mp3 = Path(QString("reference/%1.mp3").arg(name));
            QVERIFY(fixtures::RunLame({"-q5", "-mj", "-b128", wav, mp3}));
        }
        const std::pair<const char*, QString> movies[] = {{"a.swf", Path("reference/a.mp3")},
                                                          {"b.swf", Path("in/b.mp3")},
                                                          {"Bell Tone.swf", Path("in/Bell Tone.MP3")},
                                                          {"c d.swf", Path("reference/c d.mp3")}};
        for (const auto& [movie, mp3] : movies) {
            const std::string sound =
                fixtures::EmbeddedMp3(fixtures::ReadBytes(StdPath(QString("out/") + movie)));
            QVERIFY2(!sound.empty(), movie);
            QVERIFY2(sound == fixtures::ReadBytes(mp3.toStdString()), movie);
        }
    }

    // Hostile cases. A row that sets up a fake encoder puts a script named "lame" first on the
    // search path: {"script", "bin/lame", "kill -9 $$"} with the environment "PATH=<root>/bin:<PATH>".
    void hostileCases_data() {
        // setup: {verb, arguments...}, see Setup(). arguments: "<root>" stands for the row's folder.
        // environment: see Environment(); "<display>" is an X server of our own. errors: a piece of
        // standard error; empty: nothing on it; "*": anything. files: see UnexpectedFiles().
        // pending: why the row cannot pass yet; empty: it must.
        QTest::addColumn<Steps>("setup");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("errors");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("pending");
        const QStringList headless, hide{"-f:<root>/p.xml", "-hide"};
        const Steps oneMp3{{"mp3", "in/b.mp3"}, {"project", "p.xml", "out", "in/b.mp3"}};
        const QStringList converted{"out/b.swf", "out/p.txt"}, nothingWritten{"!out"};

        // The command line's own checks.
        QTest::newRow("only -hide") << oneMp3 << QStringList{"-hide"} << headless << 1
                                    << "tavrel: Invalid Parameters: -hide needs a project, -f:<project>"
                                    << nothingWritten << "";
        QTest::newRow("-hide beside files")
            << oneMp3 << QStringList{"-hide", "-o", "out", "in"} << headless << 1
            << "tavrel: Invalid Parameters: -hide needs a project, -f:<project> (files are converted without "
               "-hide: tavrel -o DIR FILE...)\n"
            << nothingWritten << "";
        QTest::newRow("letter case counts")
            << oneMp3 << QStringList{"-F:<root>/p.xml", "-Hide"} << headless << 1
            << "tavrel: unknown option '-F'\nTry 'tavrel --help' for more information.\n"
            << nothingWritten << "";
        QTest::newRow("an argument beside -f:")
            << oneMp3 << QStringList{"-f:<root>/p.xml", "-hide", "-j2"} << headless << 0
            << "tavrel: '-j2' is ignored beside -f: and -hide\n"
            << converted << "";
        QTest::newRow("no such project")
            << oneMp3 << QStringList{"-f:<root>/missing.xml", "-hide"} << headless << 1
            << "tavrel: Invalid Filename: <root>/missing.xml: No such file or directory\n"
            << nothingWritten << "";
        // In the user's language, whether or not the system has that locale.
        QTest::newRow("an argument beside -f:, in German")
            << oneMp3 << QStringList{"-f:<root>/p.xml", "-hide", "-j2"}
            << QStringList{"LANG=de_DE.UTF-8", "LC_ALL", "LC_MESSAGES", "LANGUAGE"} << 0
            << "tavrel: »-j2« wird neben -f: und -hide nicht beachtet\n"
            << converted << "";
        QTest::newRow("only -hide, in French")
            << oneMp3 << QStringList{"-hide"} << QStringList{"LANG=C", "LC_ALL=fr_FR.UTF-8"} << 1
            << "tavrel: Paramètres non valides : -hide demande un projet, -f:<projet>" << nothingWritten
            << "";
        QTest::newRow("no input files, without -hide")
            << Steps{{"project", "p.xml", "out"}} << QStringList{"-f:<root>/p.xml"} << headless << 1
            << "Please select at least one Wave Data file to convert!\n"
            << nothingWritten << "";
        // The output folder is made with the folders above it, as mkdir -p makes them.
        QTest::newRow("output folder under a missing folder")
            << Steps{{"mp3", "in/b.mp3"}, {"project", "p.xml", "missing/out", "in/b.mp3"}} << hide << headless
            << 0 << "" << QStringList{"missing/out/b.swf", "missing/out/p.txt"} << "";
        QTest::newRow("output folder under a file")
            << Steps{{"mp3", "in/b.mp3"}, {"project", "p.xml", "in/b.mp3/out", "in/b.mp3"}} << hide
            << headless << 1
            << "tavrel: Unable to create the output directory.Operation Aborted: <root>/in/b.mp3: Not a "
               "directory\n"
            << nothingWritten << "";
        QTest::newRow("project that cannot be read")
            << Steps{{"socket", "p.xml"}} << hide << headless << 2 << "Cannot open file <root>/p.xml\n"
            << nothingWritten << "";

        // Names are bytes: one that is not UTF-8 is loaded, read and written as it is.
        // The report is named after the file the project was loaded from, not the name it holds.
        QTest::newRow("project file name not UTF-8")
            << (oneMp3 + Steps{{"rename", "p.xml", L1("p\xE9.xml")}})
            << QStringList{L1("-f:<root>/p\xE9.xml"), "-hide"} << headless << 0 << ""
            << QStringList{"out/b.swf", L1("out/p\xE9.txt"), "!out/p.txt"} << "";
        // A hand-written project: paths on lines of their own, no ProjectName element.
        QTest::newRow("project laid out by hand")
            << Steps{{"mp3", "in/b.mp3"},
                     {"text", "p.xml",
                      "<TavrelProject>\r\n  <OutputFolder>\r\n    <root>/out \r\n  </OutputFolder>\r\n"
                      "  <Files>\n    <File>\n\t<root>/in/b.mp3\n    </File>\n  "
                      "</Files>\r\n</TavrelProject>\r\n"}}
            << hide << headless << 0 << "" << converted << "";
        QTest::newRow("every name not UTF-8")
            << Steps{{"wav", L1("in/a\xE9.wav")},
                     {"mp3", L1("in/b\xE9.mp3")},
                     {"project", L1("p\xE9.xml"), L1("out\xE9"), L1("in/a\xE9.wav"), L1("in/b\xE9.mp3")}}
            << QStringList{L1("-f:<root>/p\xE9.xml"), "-hide"} << headless << 0 << ""
            << QStringList{L1("out\xE9/a\xE9.swf"), L1("out\xE9/b\xE9.swf"), L1("out\xE9/p\xE9.txt"),
                           L1("in/a\xE9.wav"), L1("in/b\xE9.mp3")}
            << "";

        // Files and options instead of a project. A folder gives the sound files directly inside it
        // in name order, -r those of its subfolders after them; lists give names as bytes.
        const Steps folder{{"wav", "in/a.wav"},
                           {"mp3", "in/b.mp3"},
                           {"text", "in/notes.txt", "not a sound"},
                           {"wav", "in/sub/c.wav"}};
        const QString report = "out/Untitled.txt=<root>/in/a.mp3:Operation Successful.\r\n"
                               "<root>/in/b.mp3:Operation Successful.\r\n";
        QTest::newRow("a folder") << folder << QStringList{"-o", "out", "in"} << headless << 0 << ""
                                  << QStringList{"out/a.swf", "out/b.swf", report} << "";
        QTest::newRow("a folder and its subfolders")
            << folder << QStringList{"-rq", "--output=out", "in/"} << headless << 0 << ""
            << QStringList{"out/a.swf", "out/b.swf", "out/c.swf",
                           report + "<root>/in/sub/c.mp3:Operation Successful.\r\n"}
            << "";
        QTest::newRow("a folder's every sound format, not its hidden files")
            << Steps{{"wav", "in/a.wav"},
                     {"wav", "in/b.flac", "2", "flac"},
                     {"wav", "in/c.AIFF", "1", "aiff"},
                     {"wav", "in/.d.wav"},
                     {"wav", "in/.sub/e.wav"}}
            << QStringList{"-r", "-o", "out", "in"} << headless << 0 << ""
            << QStringList{"out/a.swf", "out/b.swf", "out/c.swf", "out/Untitled.txt"} << "";
        QTest::newRow("names from standard input, NUL-separated")
            << Steps{{"mp3", "in/a b.mp3"},
                     {"wav", "in/c\nd.wav"},
                     {"text", "list", QString("in/a b.mp3") + QChar(0) + "<root>/in/c\nd.wav" + QChar(0)},
                     {"stdin", "list"}}
            << QStringList{"-0", "--files-from", "-", "-o", "out"} << headless << 0 << ""
            << QStringList{"out/a b.swf", "out/c\nd.swf",
                           "out/Untitled.txt=<root>/in/a b.mp3:Operation Successful.\r\n"
                           "<root>/in/c\\nd.mp3:Operation Successful.\r\n"}
            << "";
        QTest::newRow("a file named after --, a report of its own, one encoder")
            << Steps{{"wav", "-a.wav"}}
            << QStringList{"-j", "1", "--report", "r.txt", "-o", "out", "--", "-a.wav"} << headless << 0 << ""
            << QStringList{"out/-a.swf", "-a.wav", "in", "out",
                           "r.txt=<root>/-a.mp3:Operation Successful.\r\n"}
            << "";
        // The project the options stand for, saved and not run; then run by both spellings, which
        // must give the same movies and report, byte for byte.
        QTest::newRow("every project option, saved")
            << Steps{{"mp3", "in/b.mp3"}}
            << QStringList{"-n",
                           "--save-project",
                           "p.xml",
                           "-m",
                           "2",
                           "--quality",
                           "3",
                           "--channel-mode",
                           "stereo",
                           "--bitrate",
                           "64",
                           "--fps",
                           "24",
                           "--tuner",
                           "-5",
                           "--stop",
                           "end",
                           "-o",
                           "out",
                           "--gapless",
                           "--loops",
                           "3",
                           "--standalone",
                           "in/b.mp3"}
            << headless << 0 << ""
            << QStringList{"p.xml=<TavrelProject>\r\n<ProjectName><root>/p.xml</ProjectName>\r\n"
                           "<Quality>3</Quality>\r\n<Mode>s</Mode>\r\n<Bitrate>64</Bitrate>\r\n"
                           "<OutputFolder><root>/out</OutputFolder>\r\n<Files>\r\n<File><root>/in/b.mp3</"
                           "File>"
                           "</Files>\r\n<StopAction>2</StopAction>\r\n<FramePerSeconds>24</"
                           "FramePerSeconds>\r\n"
                           "<FrameTuner>-5</FrameTuner>\r\n<Gapless>1</Gapless>\r\n<Loops>3</Loops>\r\n"
                           "<Standalone>1</Standalone>\r\n</TavrelProject>\r\n",
                           "in", "!out"}
            << "";
        QTest::newRow("--standalone with no frame rate")
            << Steps{} << QStringList{"--standalone", "--fps", "0", "-o", "out", "in"} << headless << 1
            << "tavrel: option '--standalone' needs a frame rate: --fps 1 to 100" << nothingWritten << "";
        QTest::newRow("--loops 0") << Steps{} << QStringList{"--loops", "0", "-o", "out", "in"} << headless
                                   << 1 << "invalid value '0' for --loops: a whole number from 1 to 65535"
                                   << nothingWritten << "";
        QTest::newRow("the same run as its project")
            << Steps{{"wav", "in/a.wav"},
                     {"mp3", "in/b.mp3"},
                     {"tavrel", "--save-project", "p.xml", "-m", "Speech (32 kbps mono)", "--stop", "start",
                      "--fps", "20", "--tuner", "3", "-o", "out", "in"},
                     {"rename", "out", "first"}}
            << hide << headless << 0 << ""
            << QStringList{"out/a.swf==first/a.swf",
                           "out/b.swf==first/b.swf",
                           "out/p.txt==first/p.txt",
                           "first/a.swf",
                           "first/b.swf",
                           "first/p.txt"}
            << "";
        QTest::newRow("relative paths in a project")
            << Steps{{"mp3", "proj/in/b.mp3"},
                     {"text", "proj/p.xml",
                      "<OutputFolder>out</OutputFolder><Files><File>in/b.mp3</File></Files>"}}
            << QStringList{"-f:proj/p.xml", "-hide"} << headless << 0 << ""
            << QStringList{"proj/out/b.swf", "proj/out/p.txt=<root>/proj/in/b.mp3:Operation Successful.\r\n"}
            << "";
        // Progress and the summary on a terminal only (the rows above: nothing on a pipe).
        QTest::newRow("progress on a terminal")
            << (folder + Steps{{"terminal"}}) << QStringList{"-o", "out", "in"} << headless << 0
            << "\r\x1b[Ktavrel: [0/2] 0% a.wav\r\x1b[K" << QStringList{"out/a.swf", "out/b.swf", report}
            << "";
        // The file in work is named, and its percent moves as its encoder writes: here half the
        // 8,000 bytes half a second at 128 kbps gives, for a second.
        QTest::newRow("progress of a long encode")
            << Steps{{"wav", "in/a.wav"},
                     {"terminal"},
                     {"script", "bin/lame",
                      "eval out=\\${$#}; case \"$out\" in /dev/*) ;; *) head -c 4000 /dev/zero > \"$out\"; "
                      "sleep 1;; esac; PATH=${PATH#*:} exec lame \"$@\""}}
            << QStringList{"-o", "out", "in/a.wav"} << QStringList{"PATH=<root>/bin:<PATH>"} << 0
            << "tavrel: [0/1] 50% a.wav\r" << QStringList{"out/a.swf", "out/Untitled.txt"} << "";
        QTest::newRow("-q on a terminal")
            << (folder + Steps{{"terminal"}}) << QStringList{"-q", "-o", "out", "in"} << headless << 0 << ""
            << QStringList{"out/a.swf", "out/b.swf", report} << "";
        // Mistakes name what they are about, end with status 1 and write nothing.
        const QString seeHelp = "\nTry 'tavrel --help' for more information.\n";
        const std::pair<QStringList, QString> mistakes[] = {
            {{"--frobnicate", "-o", "out", "in"}, "tavrel: unknown option '--frobnicate'" + seeHelp},
            {{"in", "-o"}, "tavrel: option '-o' needs a value" + seeHelp},
            {{"--fps", "12x", "-o", "out", "in"},
             "tavrel: invalid value '12x' for --fps: a whole number from 0 to 100"},
            {{"--stop=later", "-o", "out", "in"},
             "tavrel: invalid value 'later' for --stop: none, start or end"},
            {{"-j", "0", "-o", "out", "in"}, "tavrel: invalid value '0' for -j"},
            {{"--quiet=yes", "-o", "out", "in"}, "tavrel: option '--quiet' takes no value"},
            {{"in"}, "tavrel: no output folder given: name one with -o DIR" + seeHelp},
            {{"-m", "9", "-o", "out", "in"}, "tavrel: no output mode '9' in "},
            {{"-o", "out", "empty"}, "tavrel: no sound files to convert"},
            // A dry run refuses what the run refuses, with its status.
            {{"-n", "-o", "out", "empty"}, "tavrel: no sound files to convert"},
            {{"-n", "in"}, "tavrel: no output folder given: name one with -o DIR" + seeHelp},
            {{"--files-from", "missing", "-o", "out"},
             "tavrel: cannot read the list of files missing: no such file\n"},
            {{"-w", "-o", "out", "in"}, "tavrel: option '--window' takes only FILE|FOLDER arguments"},
            {{"-o", "out", "p.xml"}, "tavrel: p.xml: a project file is converted with -f:p.xml" + seeHelp},
        };
        for (const auto& [arguments, message] : mistakes)
            QTest::addRow("mistake: %s", qPrintable(arguments.join(' ')))
                << Steps{{"mp3", "in/b.mp3"}, {"folder", "empty"}} << arguments << headless
                << (arguments.contains("--files-from") ? 2 : 1) << message << nothingWritten << "";
        // A window start with files needs a display like any other.
        QTest::newRow("window with files, no display")
            << oneMp3 << QStringList{"-w", "in"} << QStringList{"QT_QPA_PLATFORM"} << 1
            << "There is no display to show the window on" << nothingWritten << "";

        // Displays: none, a stale one, and a real one with -hide (xcb named, so that the window is
        // really shown rather than falling back to a run without one).
        QTest::newRow("no arguments, no display")
            << Steps{} << QStringList{} << QStringList{"QT_QPA_PLATFORM"} << 1
            << "There is no display to show the window on" << QStringList{} << "";
        QTest::newRow("no arguments, stale display")
            << Steps{} << QStringList{} << QStringList{"QT_QPA_PLATFORM", "DISPLAY=:917"} << 1
            << "There is no display to show the window on" << QStringList{} << "";
        QTest::newRow("stale display runs headless")
            << oneMp3 << hide << QStringList{"QT_QPA_PLATFORM", "DISPLAY=:917"} << 0 << "*" << converted
            << "";
        QTest::newRow("stale display, no such project")
            << oneMp3 << QStringList{"-f:<root>/missing.xml", "-hide"}
            << QStringList{"QT_QPA_PLATFORM", "DISPLAY=:917"} << 1
            << "tavrel: Invalid Filename: <root>/missing.xml" << nothingWritten << "";
        // A Wayland display nobody answers on counts as none, as a stale DISPLAY does.
        const Steps staleWayland{{"socket", "run/wayland-stale"}};
        const QStringList wayland{"QT_QPA_PLATFORM", "WAYLAND_DISPLAY=wayland-stale",
                                  "XDG_RUNTIME_DIR=<root>/run"};
        QTest::newRow("stale Wayland display runs headless")
            << (oneMp3 + staleWayland) << hide << wayland << 0 << "" << converted << "";
        QTest::newRow("stale Wayland and X displays run headless")
            << (oneMp3 + staleWayland) << hide << (wayland + QStringList{"DISPLAY=:917"}) << 0 << "*"
            << converted << "";
        QTest::newRow("window with files, stale Wayland display")
            << (oneMp3 + staleWayland) << QStringList{"-w", "in"} << wayland << 1
            << "tavrel: There is no display to show the window on" << nothingWritten << "";
        QTest::newRow("no arguments, stale Wayland display")
            << staleWayland << QStringList{} << wayland << 1
            << "There is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set, or the "
               "display does not answer). To convert without one, run: tavrel -o DIR FILE..."
            << QStringList{} << "";
        QTest::newRow("-hide with a display and no lame")
            << oneMp3 << hide << QStringList{"QT_QPA_PLATFORM=xcb", "DISPLAY=<display>", "PATH=<root>/bin"}
            << 0 << "The MP3 encoder 'lame' was not found" << converted << "";

        // Files that give no movie.
        QTest::newRow("a listed file gives no movie")
            << Steps{{"mp3", "in/b.mp3"}, {"project", "p.xml", "out", "in/missing.wav", "in/b.mp3"}} << hide
            << headless << 4 << "<root>/in/missing.wav: file not found"
            << QStringList{"out/b.swf", "out/p.txt=<root>/in/missing.wav:File Not Found.\r\n"
                                        "<root>/in/b.mp3:Operation Successful.\r\n"}
            << "";
        QTest::newRow("control characters in names")
            << Steps{{"mp3", "in/a\nb.mp3"},
                     {"project", "p.xml", "out", "in/a\nb.mp3",
                      "in/c\r\x01"
                      "d.wav"}}
            << hide << headless << 4 << "<root>/in/c\\r\\x01d.wav: file not found\n"
            << QStringList{"out/a\nb.swf", "out/p.txt=<root>/in/a\\nb.mp3:Operation Successful.\r\n"
                                           "<root>/in/c\\r\\x01d.wav:File Not Found.\r\n"}
            << "";

        // Movies and the report never replace an input, nor a movie of the same run (one of an
        // earlier run they do). A FAT disk refuses file modes and ignores letter case.
        QTest::newRow("two inputs, one movie name")
            << Steps{{"mp3", "in/a.mp3"},
                     {"wav", "in/a.wav"},
                     {"wav", "in2/a.wav"},
                     {"text", "out/a.swf", "an earlier run's"},
                     {"project", "p.xml", "out", "in/a.mp3", "in/a.wav", "in2/a.wav"}}
            << hide << headless << 0
            << "<root>/in2/a.wav: its movie is <root>/out/a.2.swf (<root>/out/a.swf is the movie of "
               "<root>/in/a.mp3)\n"
            << QStringList{"out/a.swf=FWS*", "out/a.1.swf", "out/a.2.swf", "out/p.txt"} << "";
        QTest::newRow("names that differ in case, on a FAT disk")
            << Steps{{"fat", "out", "1024"},
                     {"mp3", "in/a.mp3"},
                     {"mp3", "in/A.mp3"},
                     {"wav", "out/S.SWF"},
                     {"project", "p.xml", "out", "in/a.mp3", "in/A.mp3", "out/S.SWF"}}
            << hide << headless << 4
            << "<root>/in/A.mp3: its movie is <root>/out/A.1.swf (<root>/out/a.swf is the movie of "
               "<root>/in/a.mp3)\n"
            << QStringList{"out/a.swf", "out/A.1.swf", "out/S.SWF=RIFF*",
                           "out/p.txt=<root>/in/a.mp3:Operation Successful.\r\n<root>/in/A.mp3:Operation "
                           "Successful.\r\n<root>/out/S.mp3:Unable to Write Output File.\r\n"}
            << "";
        QTest::newRow("movie over an input")
            << Steps{{"wav", "out/song.swf"},
                     {"wav", "in/b.wav"},
                     {"link", "out/b.swf", "../in/b.wav"},
                     {"project", "p.xml", "out", "out/song.swf", "in/b.wav"}}
            << hide << headless << 4
            << "<root>/in/b.wav: the movie <root>/out/b.swf would replace an input file\n"
            << QStringList{"out/song.swf=RIFF*", "out/b.swf", "in/b.wav=RIFF*",
                           "out/p.txt=<root>/out/song.mp3:Unable to Write Output File.\r\n"
                           "<root>/in/b.mp3:Unable to Write Output File.\r\n"}
            << "";
        // The report and a saved project are checked before anything is converted or written.
        QTest::newRow("report over an input")
            << Steps{{"wav", "out/p.txt"}, {"project", "p.xml", "out", "out/p.txt"}} << hide << headless << 3
            << "tavrel: Cannot create file <root>/out/p.txt: it is an input of the run\n"
            << QStringList{"out/p.txt=RIFF*"} << "";
        const QString mp3Kept = "in/b.mp3=" + L1("\xFF\xFB") + "*";
        QTest::newRow("report over a movie of the run")
            << oneMp3 << QStringList{"--report", "out/b.swf", "-o", "out", "in"} << headless << 3
            << "tavrel: Cannot create file <root>/out/b.swf: the movie of <root>/in/b.mp3 goes there\n"
            << nothingWritten << "";
        QTest::newRow("report where no folder is")
            << oneMp3 << QStringList{"--report", "nowhere/r.txt", "-o", "out", "in"} << headless << 3
            << "tavrel: Cannot create file <root>/nowhere/r.txt: <root>/nowhere: No such file or directory\n"
            << nothingWritten << "";
        QTest::newRow("project saved over an input")
            << oneMp3 << QStringList{"--save-project", "in/b.mp3", "-o", "out", "in"} << headless << 2
            << "tavrel: Cannot create file <root>/in/b.mp3: it is an input of the run\n"
            << QStringList{mp3Kept, "!out"} << "";
        QTest::newRow("project saved over a movie, dry run")
            << oneMp3 << QStringList{"-n", "--save-project", "out/b.swf", "-o", "out", "in"} << headless << 2
            << "tavrel: Cannot create file <root>/out/b.swf: the movie of <root>/in/b.mp3 goes there\n"
            << nothingWritten << "";
        QTest::newRow("report over the saved project")
            << oneMp3 << QStringList{"--save-project", "job.xml", "--report", "job.xml", "-o", "out", "in"}
            << headless << 3
            << "tavrel: Cannot create file <root>/job.xml: it is the project file of the run\n"
            << QStringList{"!job.xml", "!out"} << "";
        QTest::newRow("dry run with a missing file")
            << oneMp3 << QStringList{"-n", "-o", "out", "in", "in/missing.wav"} << headless << 4
            << "tavrel: <root>/in/missing.wav: file not found\n"
            << nothingWritten << "";
        const Steps oneWav{{"wav", "in/a.wav"}, {"project", "p.xml", "out", "in/a.wav"}};
        const QString lastArgument = "eval out=\\${$#}; ";
        QTest::newRow("encoder killed part-way")
            << (oneWav +
                Steps{{"script", "bin/lame", lastArgument + "printf partial > \"$out\"; kill -9 $$"}})
            << hide << QStringList{"PATH=<root>/bin:<PATH>"} << 4
            << "<root>/in/a.wav: the encoder was ended by signal 9" << QStringList{"out/p.txt", "in/a.wav"}
            << "";
        QTest::newRow("encoder fails")
            << (oneWav + Steps{{"script", "bin/lame", lastArgument + "printf partial > \"$out\"; exit 2"}})
            << hide << QStringList{"PATH=<root>/bin:<PATH>"} << 4
            << "<root>/in/a.wav: the encoder failed (exit status 2)" << QStringList{"out/p.txt", "in/a.wav"}
            << "";
        // The encoder's own words are the reason; where it has none, ours.
        QTest::newRow("encoder says why")
            << (oneWav + Steps{{"script", "bin/lame", "echo 'Unsupported sample format' >&2; exit 255"}})
            << hide << QStringList{"PATH=<root>/bin:<PATH>"} << 4
            << "<root>/in/a.wav: the encoder failed (exit status 255): Unsupported sample format\n"
            << QStringList{"out/p.txt", "in/a.wav"} << "";
        QTest::newRow("6-channel WAV")
            << Steps{{"wav", "in/a.wav", "6"}, {"project", "p.xml", "out", "in/a.wav"}} << hide << headless
            << 4 << "<root>/in/a.wav: the input has 6 channels; the encoder takes 1 or 2\n"
            << QStringList{"out/p.txt", "in/a.wav"} << "";
        QTest::newRow("MP3 input over the movie limit")
            << (oneMp3 + Steps{{"truncate", "in/b.mp3", "4300000000"}}) << hide << headless << 4
            << "<root>/in/b.mp3: the sound is too long for one movie: the MP3 file is too large for a movie"
            << QStringList{"out/p.txt", "in/b.mp3"} << "";
        QTest::newRow("MP3 input that is no MP3")
            << Steps{{"text", "in/x.mp3", "no frames here"}, {"project", "p.xml", "out", "in/x.mp3"}} << hide
            << headless << 4 << "<root>/in/x.mp3: unexpected file format: Not an MP3 format file\n"
            << QStringList{"out/p.txt", "in/x.mp3"} << "";
        // An MP3 must hold the whole input: a full input disk or an encoder that stops early leave a
        // cut MP3 behind an exit status of 0.
        QTest::newRow("encoder leaves its MP3 cut short")
            << (oneWav + Steps{{"script", "bin/lame",
                                "PATH=${PATH#*:} lame \"$@\" || exit; " + lastArgument +
                                    "[ -f \"$out\" ] && truncate -s 2000 \"$out\"; exit 0"}})
            << hide << QStringList{"PATH=<root>/bin:<PATH>"} << 4
            << "<root>/in/a.wav: the encoded MP3 holds 0." << QStringList{"out/p.txt", "in/a.wav"} << "";
        QTest::newRow("full input disk")
            << Steps{{"tmpfs", "disk", "96k"},
                     {"wav", "disk/a.wav"},
                     {"project", "p.xml", "out", "disk/a.wav"}}
            << hide << headless << 4 << "<root>/disk/a.wav: the encoded MP3 holds 0."
            << QStringList{"out/p.txt", "disk/a.wav"} << "";
        // A WAV cut short (an interrupted copy) gives what it holds, with a word.
        QTest::newRow("WAV cut short")
            << (oneWav + Steps{{"truncate", "in/a.wav", "44144"}}) << hide << headless << 0
            << "<root>/in/a.wav: the input holds less than its header says (0.25 s of 0.50 s)\n"
            << QStringList{"out/a.swf", "out/p.txt", "in/a.wav"} << "";
        // A WAV written to a pipe states 0 bytes of sound, or a stand-in for any number: all of it
        // is converted (0.5 s, 6 frames), without a word.
        const std::pair<const char*, QString> streamedSizes[] = {
            {"0", QString(4, QChar(0))},
            {"0x7FFFF000", QChar(0) + L1("\xF0\xFF\x7F")},
            {"0x7FFFFFFF", L1("\xFF\xFF\xFF\x7F")}};
        for (const auto& [name, size] : streamedSizes)
            QTest::addRow("WAV whose data size is %s", name)
                << (oneWav + Steps{{"edit", "in/a.wav", L1("data\x88\x58\x01") + QChar(0), "data" + size}})
                << hide << headless << 0 << "" << QStringList{"out/a.swf#6", "out/p.txt"} << "";
        // A damaged MP3 (a run of zeros from a bad copy): the movie's frames follow all of its sound.
        QTest::newRow("damaged MP3")
            << Steps{{"mp3", "in/d.mp3", "../../../demo/sounds/chime.mp3"},
                     {"zeros", "in/d.mp3", "12000", "2048"},
                     {"project", "p.xml", "out", "in/d.mp3"}}
            << hide << headless << 0
            << "<root>/in/d.mp3: the input is damaged at 1.49 s of 2.78 s: some players stop there\n"
            << QStringList{"out/d.swf#37", "out/p.txt"} << "";
        // 720 s of MPEG-2.5 frames at 100 frames per second, and a sound with no frame at all.
        QTest::newRow("more frames than a movie holds")
            << Steps{{"text", "in/long.mp3",
                      (L1("\xFF\xE3\x18\xC4") + QString(68, QChar(0))).repeated(10000)}}
            << QStringList{"--fps", "100", "-o", "out", "in/long.mp3"} << headless << 0
            << "in/long.mp3: its frames cover 655 s of 720 s: a movie holds at most 65,535 frames\n"
            << QStringList{"out/long.swf#65535", "out/Untitled.txt"} << "";
        QTest::newRow("--fps 0")
            << oneMp3 << QStringList{"--fps", "0", "-o", "out", "in/b.mp3"} << headless << 0
            << "in/b.mp3: its movie has no frame for the sound's 200 ms (0 frames per second, "
               "frame tuner 0)\n"
            << QStringList{"out/b.swf#0", "out/Untitled.txt"} << "";
        // A large file named .mp3 with no MP3 frame is refused before a byte of it is copied: the
        // program may write no file over 64 blocks.
        QTest::newRow("large .mp3 that is no MP3")
            << Steps{{"text", "in/x.mp3", ""},
                     {"truncate", "in/x.mp3", "100000000"},
                     {"project", "p.xml", "out", "in/x.mp3"},
                     {"ulimit", "prog/limited", "-f 64"}}
            << hide << headless << 4 << "<root>/in/x.mp3: unexpected file format: Not an MP3 format file\n"
            << QStringList{"out/p.txt", "in/x.mp3"} << "";
        // MP3 inputs at rates a movie has no code for are encoded anew; the intermediates go. Their
        // movies' frames follow the inputs' own lengths (0.2 s, 0.288 s) whatever the mode.
        QTest::newRow("MP3 inputs at 48 and 16 kHz")
            << Steps{{"mp3", "in/h.mp3", "mpeg1-48000-stereo.mp3"},
                     {"mp3", "in/l.mp3", "mpeg2-16000-mono.mp3"},
                     {"project", "p.xml", "out", "in/h.mp3", "in/l.mp3"}}
            << hide << headless << 0 << ""
            << QStringList{"out/h.swf#6", "out/l.swf#8", "out/p.txt", "in/h.mp3", "in/l.mp3"} << "";
        QTest::newRow("MP3 input at 16 kHz, Speech")
            << Steps{{"mp3", "in/l.mp3", "mpeg2-16000-mono.mp3"}}
            << QStringList{"-m", "Speech (32 kbps mono)", "-o", "out", "in/l.mp3"} << headless << 0 << ""
            << QStringList{"out/l.swf#8", "out/Untitled.txt"} << "";
        QTest::newRow("FIFO among the inputs")
            << Steps{{"fifo", "in/f.wav"},
                     {"mp3", "in/b.mp3"},
                     {"project", "p.xml", "out", "in/f.wav", "in/b.mp3"}}
            << hide << headless << 4 << "<root>/in/f.wav: not a regular file" << converted << "";
        QTest::newRow("relative input starting with -")
            << Steps{{"wav", "-a.wav"},
                     {"text", "p.xml",
                      "<TavrelProject>\r\n<ProjectName>p.xml</ProjectName>\r\n<Quality>5</"
                      "Quality>\r\n<Mode>j</Mode>\r\n<Bitrate>128</"
                      "Bitrate>\r\n"
                      "<OutputFolder>out</OutputFolder>\r\n<Files>\r\n<File>-a.wav</File></Files>\r\n"
                      "<StopAction>0</StopAction>\r\n<FramePerSeconds>12</FramePerSeconds>\r\n"
                      "<FrameTuner>0</FrameTuner>\r\n</TavrelProject>\r\n"}}
            << hide << headless << 0 << "" << QStringList{"out/-a.swf", "out/p.txt", "!-a.mp3"} << "";
        QTest::newRow("free-format MP3") << Steps{{"mp3", "in/f.mp3", "free-format-22050-mono.mp3"},
                                                  {"project", "p.xml", "out", "in/f.mp3"}}
                                         << hide << headless << 4 << "<root>/in/f.mp3: unexpected file format"
                                         << QStringList{"out/p.txt"} << "";
        // MPEG-1 Layer III, 128 kbps, 44.1 kHz: one frame of 417 bytes, 26 ms.
        QTest::newRow("MP3 of one frame")
            << Steps{{"text", "in/one.mp3", L1("\xFF\xFB\x90\x64") + QString(413, QChar(0))},
                     {"project", "p.xml", "out", "in/one.mp3"}}
            << hide << headless << 0 << "" << QStringList{"out/one.swf", "out/p.txt"} << "";
        const QString longName(251, QChar('n'));
        QTest::newRow("names of 255 bytes")
            << Steps{{"mp3", "in/" + longName + ".mp3"},
                     {"project", longName + ".xml", "out", "in/" + longName + ".mp3"}}
            << QStringList{"-f:<root>/" + longName + ".xml", "-hide"} << headless << 0 << ""
            << QStringList{"out/" + longName + ".swf", "out/" + longName + ".txt"} << "";
        // A file system of one page: the encoded movie does not fit; then an old report that fills it.
        QTest::newRow("full disk under the movie")
            << (Steps{{"tmpfs", "out", "4k"}} + oneWav) << hide << headless << 4
            << "<root>/in/a.wav: the movie could not be written" << QStringList{"out/p.txt", "in/a.wav"}
            << "";
        QTest::newRow("full disk under the report")
            << Steps{{"tmpfs", "out", "4k"},
                     {"text", "out/p.txt", QString(4096, QChar('r'))},
                     {"mp3", "in/b.mp3"},
                     {"project", "p.xml", "out", "in/b.mp3"}}
            << hide << headless << 3 << "Cannot create file <root>/out/p.txt" << QStringList{"out/p.txt"}
            << "";

        // settings.ini beside the program is there but cannot be read (the folder's name is not UTF-8).
        const QString settings = L1("prog\xE9/settings.ini");
        QTest::newRow("settings.ini is a folder")
            << (oneMp3 + Steps{{"program", L1("prog\xE9")}, {"remove", settings}, {"folder", settings}})
            << hide << headless << 2 << "Cannot read <root>/" + settings + ": it is a folder"
            << nothingWritten << "";
        QTest::newRow("settings.ini is a FIFO")
            << (oneMp3 + Steps{{"program", L1("prog\xE9")}, {"remove", settings}, {"fifo", settings}}) << hide
            << headless << 2 << "Cannot read <root>/" + settings + ": it is not a regular file"
            << nothingWritten << "";

        // The window's "-f:" start and the one without a display are one flow: the same statuses
        // and the same messages, on standard error with -hide, for the same settings and projects;
        // the window program reads the settings.ini beside the program.
        const Steps program{{"program", "prog/bin"}};
        const QString ini = "<root>/prog/bin/settings.ini";
        for (const bool window : {false, true}) {
            const QStringList where =
                window ? QStringList{"QT_QPA_PLATFORM=xcb", "DISPLAY=<display>"} : headless;
            const char* name = window ? "window" : "no window";
            QTest::addRow("%s: settings.ini is a folder", name)
                << (oneMp3 + program +
                    Steps{{"remove", "prog/bin/settings.ini"}, {"folder", "prog/bin/settings.ini"}})
                << hide << where << 2 << "Cannot read " + ini + ": it is a folder, not a settings file.\n"
                << nothingWritten << "";
            QTest::addRow("%s: settings without output modes", name)
                << (oneMp3 + program + Steps{{"text", "prog/bin/settings.ini", "[general]\n"}}) << hide
                << where << 0
                << "No output mode is defined in " + ini +
                       ": files that are not MP3 files cannot be encoded in this run.\n"
                << converted << "";
            QTest::addRow("%s: a settings warning", name)
                << (oneMp3 + program +
                    Steps{{"edit", "prog/bin/settings.ini", "emptyproject=0", "emptyproject=x"}})
                << hide << where << 0 << "emptyproject" << converted << "";
            QTest::addRow("%s: project that cannot be read", name)
                << Steps{{"socket", "p.xml"}} << hide << where << 2 << "Cannot open file <root>/p.xml\n"
                << nothingWritten << "";
            QTest::addRow("%s: no input files", name)
                << Steps{{"project", "p.xml", "out"}} << hide << where << 1
                << "Please select at least one Wave Data file to convert!\n"
                << nothingWritten << "";
        }
        // A window to show, and the window program is not where the program looks for it.
        QTest::newRow("window program missing")
            << Steps{{"program", "prog/bin", "without window"}} << QStringList{} << headless << 1
            << "tavrel: cannot start the window program " + WindowProgramFile("<root>/prog/bin") +
                   ": No such file or directory\n"
            << QStringList{} << "";

        // Stop signals in every mode: the fake encoder writes part of its MP3, waits for the movie
        // of the file before, leaves a child that holds standard error open (so the row waits for
        // it) and would write "late", then signals the program. The stop ends both, removes the
        // part-MP3 and writes the report of what was done; an idle window just ends.
        const QStringList withDisplay{"QT_QPA_PLATFORM=xcb", "DISPLAY=<display>", "PATH=<root>/bin:<PATH>"};
        for (const char* signal : {"INT", "TERM", "HUP"}) {
            const Steps encoding{
                {"mp3", "in/b.mp3"},
                {"wav", "in/a.wav"},
                {"project", "p.xml", "out", "in/b.mp3", "in/a.wav"},
                {"script", "bin/lame",
                 lastArgument + "printf partial > \"$out\"; i=0; while [ ! -e out/b.swf ] && " +
                     "[ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done; " +
                     "(sleep 2; touch late) 2>/proc/$PPID/fd/2 & " + "kill -" + signal + " $PPID; sleep 30"}};
            const QStringList done{"out/b.swf", "out/p.txt", "in/a.wav", "in/b.mp3", "!late"};
            const QString stopped = "<root>/in/a.wav: stopped";
            QTest::addRow("SIG%s stops a run without a display", signal)
                << encoding << hide << QStringList{"PATH=<root>/bin:<PATH>"} << 3 << stopped << done << "";
            QTest::addRow("SIG%s stops a hidden window's run", signal)
                << encoding << hide << withDisplay << 3 << stopped << done << "";
            QTest::addRow("SIG%s stops the window's run", signal)
                << encoding << QStringList{"-f:<root>/p.xml"} << withDisplay << 3 << stopped << done << "";
            if (signal == std::string("INT"))
                QTest::newRow("SIGINT stops a run of files and options")
                    << encoding << QStringList{"-o", "out", "in/b.mp3", "in/a.wav"}
                    << QStringList{"PATH=<root>/bin:<PATH>"} << 3 << "tavrel: " + stopped
                    << QStringList{"out/b.swf", "out/Untitled.txt", "in/a.wav", "in/b.mp3", "!late"} << "";
            QTest::addRow("SIG%s ends the window", signal) << Steps{{"signal", signal}} << QStringList{}
                                                           << withDisplay << 3 << "*" << QStringList{} << "";
        }
        // Stops that act at once, once the first movie is made: in a batch of MP3s, and in the
        // middle of one movie's copy of a large MP3 from a slow disk (each read of an MP3 waits
        // 15 ms a 64 KiB, about 4 MB/s), in every mode. The movie under way is given up and
        // nothing unfinished is left; the later files are not converted.
        const QStringList slowDisk{"LD_PRELOAD=" TAVREL_SLOW_READS,
                                   "ASAN_OPTIONS=detect_leaks=0:verify_asan_link_order=0",
                                   "TAVREL_TEST_READ_DELAY_MS=15"};
        Steps batch{{"signal", "INT", "out/a00.swf"}};
        for (int i = 0; i < 100; ++i)
            batch.append({"mp3", QString("in/a%1.mp3").arg(i, 2, 10, QChar('0'))});
        QTest::newRow("SIGINT during a batch of MP3s")
            << batch << QStringList{"-o", "out", "--report", "r.txt", "in"} << slowDisk << 3
            << "tavrel: <root>/in/a99.mp3: stopped"
            << QStringList{"in", "out", "r.txt=<root>/in/a00.mp3:Operation Successful.\r\n*", "!out/a99.swf",
                           "!out/.*"}
            << "";
        const Steps longCopy{{"mp3", "in/a.mp3"},
                             {"mp3", "in/b.mp3", "mpeg1-44100-stereo.mp3", "10000"},
                             {"mp3", "in/c.mp3"},
                             {"project", "p.xml", "out", "in/a.mp3", "in/b.mp3", "in/c.mp3"},
                             {"signal", "TERM", "out/a.swf"}};
        const QStringList copyStopped{"out/a.swf", "out/p.txt=<root>/in/a.mp3:Operation Successful.\r\n"};
        QTest::newRow("SIGTERM during a long copy, without a display")
            << longCopy << hide << slowDisk << 3 << "<root>/in/b.mp3: stopped" << copyStopped << "";
        QTest::newRow("SIGTERM during a long copy, files and options")
            << longCopy
            << QStringList{"-o", "out", "--report", "out/p.txt", "in/a.mp3", "in/b.mp3", "in/c.mp3"}
            << slowDisk << 3 << "<root>/in/b.mp3: stopped" << copyStopped << "";
        QTest::newRow("SIGTERM during a long copy, hidden window")
            << longCopy << hide << withDisplay + slowDisk << 3 << "<root>/in/b.mp3: stopped" << copyStopped
            << "";
        QTest::newRow("SIGTERM during a long copy, the window")
            << longCopy << QStringList{"-f:<root>/p.xml"} << withDisplay + slowDisk << 3
            << "<root>/in/b.mp3: stopped" << copyStopped << "";
        // Past the file size limit (ulimit -f, 2 MiB) a movie's write fails, and that file alone.
        QTest::newRow("a movie past the file size limit")
            << Steps{{"mp3", "in/big.mp3", "mpeg1-44100-stereo.mp3", "3000"},
                     {"mp3", "in/b.mp3"},
                     {"project", "p.xml", "out", "in/big.mp3", "in/b.mp3"},
                     {"ulimit", "limited", "-f 4096"}}
            << hide << headless << 4 << "<root>/in/big.mp3: the movie could not be written: File too large\n"
            << QStringList{"out/b.swf", "out/p.txt=<root>/in/big.mp3:Unable to Write Output File.\r\n"
                                        "<root>/in/b.mp3:Operation Successful.\r\n"}
            << "";
        // What a run killed while it encodes leaves beside the input is never taken for a sound.
        QTest::newRow("a run killed while encoding, then run again")
            << Steps{{"wav", "in/a.wav"},
                     {"script", "bin/lame", lastArgument + "printf partial > \"$out\"; kill -9 $PPID"},
                     {"tavrel killed", "-o", "out", "in"},
                     {"remove", "bin/lame"}}
            << QStringList{"-o", "out", "in"} << headless << 0 << ""
            << QStringList{"out/a.swf", "out/Untitled.txt=<root>/in/a.mp3:Operation Successful.\r\n"} << "";
        // An input's identity counts only while the input has it: the report's place holds
        // another name of an input (a hard link) by the time the report is written, and that input
        // is no input any more (the encoder of the file before made the link and removed it).
        QTest::newRow("the report's place was an input's other name")
            << Steps{{"wav", "in/a.wav"},
                     {"mp3", "in/x.mp3"},
                     {"script", "bin/lame",
                      "ln in/x.mp3 out/Untitled.txt && rm in/x.mp3; PATH=${PATH#*:} exec lame \"$@\""}}
            << QStringList{"-j", "1", "-o", "out", "in/a.wav", "in/x.mp3"}
            << QStringList{"PATH=<root>/bin:<PATH>"} << 4 << "<root>/in/x.mp3: file not found\n"
            << QStringList{"out/a.swf", "out/Untitled.txt=<root>/in/a.mp3:Operation Successful.\r\n"
                                        "<root>/in/x.mp3:File Not Found.\r\n"}
            << "";
        // A reader of standard error that went away (tavrel ... 2>&1 | true) and a message to write.
        QTest::newRow("standard error nobody reads")
            << (oneMp3 + Steps{{"stderr unread"}}) << hide << QStringList{"PATH=<root>/bin"} << 0 << ""
            << converted << "";
        QTest::newRow("standard error nobody reads, with a display")
            << (oneMp3 + Steps{{"stderr unread"}}) << hide
            << QStringList{"QT_QPA_PLATFORM=xcb", "DISPLAY=<display>", "PATH=<root>/bin"} << 0 << ""
            << converted << "";
        // More encoders than the open-file limit allows: as many run as can, and every file gets its movie.
        Steps manyWavs{{"program", "prog"},
                       {"edit", "prog/settings.ini", "encoders=0", "encoders=64"},
                       {"ulimit", "prog/limited", "-n 40"}};
        QStringList manyInputs, manyMovies{"out/p.txt"};
        for (int i = 0; i < 16; ++i) {
            manyWavs.append({"wav", QString("in/%1.wav").arg(i)});
            manyInputs << QString("in/%1.wav").arg(i);
            manyMovies << QString("out/%1.swf").arg(i);
        }
        manyWavs.append(QStringList{"project", "p.xml", "out"} + manyInputs);
        QTest::newRow("64 encoders under ulimit -n 40")
            << manyWavs << hide << headless << 0 << "" << manyMovies << "";
        // An encoder that cannot be started while another runs (here: not executable meanwhile)
        // waits for that one to end and is started again.
        QTest::newRow("encoder start fails while another runs")
            << Steps{{"program", "prog"},
                     {"edit", "prog/settings.ini", "encoders=0", "encoders=2"},
                     {"wav", "in/a.wav"},
                     {"wav", "in/b.wav"},
                     {"wav", "in/c.wav"},
                     {"wav", "in/d.wav"},
                     {"project", "p.xml", "out", "in/a.wav", "in/b.wav", "in/c.wav", "in/d.wav"},
                     {"script", "bin/lame",
                      lastArgument +
                          "case \"$*\" in *a.wav*) chmod -x \"$0\"; sleep 1.5; chmod +x \"$0\";; " +
                          "*b.wav*) sleep 0.3;; esac; PATH=${PATH#*:} exec lame \"$@\""}}
            << hide << QStringList{"PATH=<root>/bin:<PATH>"} << 0 << ""
            << QStringList{"out/a.swf", "out/b.swf", "out/c.swf", "out/d.swf", "out/p.txt"} << "";
        // The per-user settings (no settings.ini beside the program) are a link to nothing.
        QTest::newRow("per-user settings.ini a broken link")
            << (oneMp3 + Steps{{"program", "prog"},
                               {"remove", "prog/settings.ini"},
                               {"link", "config/tavrel/settings.ini", "nowhere.ini"}})
            << hide << QStringList{"XDG_CONFIG_HOME=<root>/config"} << 2
            << "Cannot read <root>/config/tavrel/settings.ini: it is a broken link" << nothingWritten << "";
    }
    void hostileCases() {
        QFETCH(Steps, setup);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, environment);
        QFETCH(int, status);
        QFETCH(QString, errors);
        QFETCH(QStringList, files);
        QFETCH(QString, pending);
        std::string program = kProgram;
        for (const QStringList& step : setup)
            QVERIFY2(Setup(step, program), qPrintable(step.join(' ')));
        const std::vector<std::string> argumentBytes = ArgumentBytes(arguments);
        std::string display;
        if (!environment.filter("<display>").isEmpty()) {
            display = display_.Name();
            if (display.empty())
                QSKIP("This row needs a display, and Xvfb could not be started (install xvfb).");
        }
        const std::vector<std::string> variables = Environment(environment, display);

        const Ended ended =
            Spawn(program, argumentBytes, variables, BytesFromText(root_.path()), "/dev/null", meddling_);

        const QString written = TextFromBytes(ended.errors);
        errors.replace("<root>", root_.path());
        QString failures;
        if (!ended.finished)
            failures += "did not end in time: did it wait for a click?\n";
        if (ended.status != status)
            failures += QString("exit status %1, expected %2\n").arg(ended.status).arg(status);
        if (errors.isEmpty() ? !written.isEmpty() : errors != "*" && !written.contains(errors))
            failures += "standard error lacks: " + errors + "\n";
        failures += UnexpectedFiles(files);
        if (!pending.isEmpty())
            QEXPECT_FAIL("", qPrintable(pending), Abort);
        QVERIFY2(failures.isEmpty(), qPrintable(failures + "standard error:\n" + written));
    }

    // "--help" and "--version" print on standard output and end with status 0 wherever the
    // program starts, whatever else is given, and without a window.
    void informationOptions_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("environment"); // as in hostileCases
        QTest::addColumn<QStringList>("printed");     // pieces of standard output
        const QStringList usage{"Usage: tavrel",
                                "-f:<project>",
                                "-hide",
                                "--version",
                                "\n  4  ",
                                "~/.config/tavrel/settings.ini",
                                "-o, --output DIR",
                                "find . -name '*.wav' -print0 | tavrel -0 --files-from - -o out"};
        const QStringList version{"tavrel " + QString::fromLatin1(ProgramVersion()) + "\n"};
        QTest::newRow("--help, no display") << QStringList{"--help"} << QStringList{} << usage;
        QTest::newRow("--help in German")
            << QStringList{"--help"} << QStringList{"LANG=de_DE.UTF-8", "LC_ALL", "LC_MESSAGES", "LANGUAGE"}
            << QStringList{"Aufruf: tavrel", "-o, --output ORDNER", "\n  4  "};
        QTest::newRow("--help in French, LANGUAGE first")
            << QStringList{"--help"}
            << QStringList{"LANG=de_DE.UTF-8", "LC_ALL", "LC_MESSAGES", "LANGUAGE=fr:de"}
            << QStringList{"Usage : tavrel", "-o, --output DOSSIER"};
        QTest::newRow("-h") << QStringList{"-h"} << QStringList{} << usage;
        QTest::newRow("--version, no display") << QStringList{"--version"} << QStringList{} << version;
        QTest::newRow("--help, stale display")
            << QStringList{"--help"} << QStringList{"QT_QPA_PLATFORM", "DISPLAY=:917"} << usage;
        QTest::newRow("--version with a display")
            << QStringList{"--version"} << QStringList{"QT_QPA_PLATFORM=xcb", "DISPLAY=<display>"} << version;
        QTest::newRow("--list-modes")
            << QStringList{"--list-modes"} << QStringList{}
            << QStringList{"1\tMusic (128 kbps)\t-q5 -mj -b128\n", "5\tCustom...\t-q5 -mj -b128\teditable\n"};
        QTest::newRow("--version beside a missing project")
            << QStringList{"-f:<root>/missing.xml", "-hide", "--version"} << QStringList{} << version;
    }
    void informationOptions() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, environment);
        QFETCH(QStringList, printed);
        std::string display;
        if (!environment.filter("<display>").isEmpty() && (display = display_.Name()).empty())
            QSKIP("This row needs a display, and Xvfb could not be started (install xvfb).");
        std::vector<std::string> argumentBytes;
        for (const QString& argument : arguments)
            argumentBytes.push_back(BytesFromText(QString(argument).replace("<root>", root_.path())));
        const std::string output = StdPath("stdout.txt");

        const Ended ended =
            Spawn(kProgram, argumentBytes, Environment(environment, display), std::string(), output);

        QVERIFY(ended.finished);
        QCOMPARE(ended.status, 0);
        QCOMPARE(QString::fromStdString(ended.errors), QString());
        const QString text = QString::fromStdString(fixtures::ReadBytes(output));
        for (const QString& piece : printed)
            QVERIFY2(text.contains(piece), qPrintable(piece + " is not in:\n" + text));
        for (const QString& line : text.split('\n'))
            QVERIFY2(line.size() <= 80, qPrintable("wider than 80 columns: " + line));
    }
};

QTEST_MAIN(TestTavrelProgram)
#include "test_tavrelprogram.moc"
