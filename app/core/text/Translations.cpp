// The program's texts in the user's language: its own translation and Qt's.
#include "text/Translations.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

#include <cstdlib>
#include <string>

#include "project/ProgramFiles.h"
#include "text/FileContent.h"
#include "text/NativeText.h"

namespace {

// A translation is a few hundred kilobytes at most.
constexpr size_t kMaxTranslationBytes = size_t(16) << 20;

// The first of the variables that is set and not empty.
QString FirstSet(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value && *value)
            return QString::fromLocal8Bit(value);
    }
    return QString();
}

// "de_DE.UTF-8@euro" -> "de_DE".
QString LocaleName(QString name) {
    name = name.left(name.indexOf(QLatin1Char('.')));
    return name.left(name.indexOf(QLatin1Char('@')));
}

// The translators live as long as the program; an application object only refers to them. The
// program's is read from its bytes, which it refers to as well.
struct InstalledTranslations {
    QTranslator program;
    QByteArray programData;
    QTranslator qt;
};

InstalledTranslations& Installed() {
    static InstalledTranslations installed;
    return installed;
}

// tavrel_<language>.qm in folder, the most specific name first (tavrel_de_DE.qm, tavrel_de.qm),
// read by its path's bytes: a portable copy's folder may have a name that is not UTF-8.
bool LoadProgramTranslation(InstalledTranslations& installed, const std::string& folder,
                            const QLocale& locale) {
    for (QString language : locale.uiLanguages()) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        for (;;) {
            std::string content;
            const std::string file = JoinPath(folder, "tavrel_" + BytesFromText(language) + ".qm");
            if (ReadFileContent(file, content, kMaxTranslationBytes) == ReadOutcome::Read) {
                installed.programData = QByteArray::fromStdString(content);
                return installed.program.load(
                    reinterpret_cast<const uchar*>(installed.programData.constData()),
                    static_cast<int>(installed.programData.size()));
            }
            const qsizetype cut = language.lastIndexOf(QLatin1Char('_'));
            if (cut <= 0)
                break;
            language.truncate(cut);
        }
    }
    return false;
}

} // namespace

QLocale MessagesLocale() {
    const QString messages = LocaleName(FirstSet({"LC_ALL", "LC_MESSAGES", "LANG"}));
    if (messages.isEmpty() || messages == QLatin1String("C") || messages == QLatin1String("POSIX"))
        return QLocale::c();
    // LANGUAGE ("fr:de") names the languages wanted, in order; the first one counts here.
    const QString wanted = LocaleName(FirstSet({"LANGUAGE"}).section(QLatin1Char(':'), 0, 0));
    return QLocale(wanted.isEmpty() ? messages : wanted);
}

std::string MessageBytes(const QString& text, std::initializer_list<std::string> arguments) {
    const std::string bytes = BytesFromText(text);
    std::string message;
    for (size_t i = 0; i < bytes.size(); ++i) {
        size_t end = i + 1;
        size_t number = 0;
        while (bytes[i] == '%' && end < bytes.size() && bytes[end] >= '0' && bytes[end] <= '9' &&
               number < 100)
            number = number * 10 + static_cast<size_t>(bytes[end++] - '0');
        if (number >= 1 && number <= arguments.size()) {
            message += *(arguments.begin() + (number - 1));
            i = end - 1;
        } else {
            message += bytes[i];
        }
    }
    return message;
}

bool InstallTranslations(const ProgramFiles& files, const QLocale& locale) {
    InstalledTranslations& installed = Installed();
    QCoreApplication::removeTranslator(&installed.program);
    QCoreApplication::removeTranslator(&installed.qt);
    if (locale.language() == QLocale::C || locale.language() == QLocale::English)
        return false;
    if (installed.qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&installed.qt);
    if (!LoadProgramTranslation(installed, files.TranslationsFolder(), locale))
        return false;
    QCoreApplication::installTranslator(&installed.program);
    return true;
}
