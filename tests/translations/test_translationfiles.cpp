// The translations: each .ts file holds every text of the sources (lupdate takes them into a copy
// first, so a text added to the code and left untranslated fails here), each finished, with the
// placeholders of its source and, where the source marks an Alt letter, one of its own.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

// "%1", "%L2", "%n" as Qt's arg() and tr() read them, "%L1" counted as "%1"; sorted.
QStringList Placeholders(const QString& text) {
    static const QRegularExpression placeholder(QStringLiteral("%L?(\\d+|n)"));
    QStringList found;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
        found << QLatin1Char('%') + match.captured(1);
    std::sort(found.begin(), found.end());
    return found;
}

// An "&" before a letter marks the Alt key's letter ("&&" is an ampersand).
bool HasAltLetter(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        if (text[i + 1].isLetterOrNumber())
            return true;
    }
    return false;
}

struct Message {
    QString context;
    QString source;
    bool numerus = false;     // a translation per numerus form
    QString type;             // "unfinished", "vanished", "obsolete" or empty
    QStringList translations; // one, or one per numerus form
};

std::vector<Message> ReadMessages(const QString& path, QString& error) {
    std::vector<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            if (xml.isEndElement() && xml.name() == QLatin1String("message"))
                messages.push_back(std::exchange(message, Message()));
            continue;
        }
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("message")) {
            message.context = context;
            message.numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
        } else if (xml.name() == QLatin1String("source"))
            message.source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            if (!message.numerus)
                message.translations << xml.readElementText();
        } else if (xml.name() == QLatin1String("numerusform"))
            message.translations << xml.readElementText();
    }
    if (xml.hasError())
        error = xml.errorString();
    return messages;
}

class TranslationFile : public ::testing::TestWithParam<const char*> {};

TEST_P(TranslationFile, EveryTextOfTheSourcesIsTranslatedWithItsPlaceholders) {
    const QString name = QStringLiteral("tavrel_%1.ts").arg(QLatin1String(GetParam()));
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QString copy = work.filePath(name);
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAVREL_TRANSLATIONS_DIR "/") + name, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

    // The same update as the target translations-update makes, on the copy.
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(TAVREL_LUPDATE),
                  QStringList{"-silent", "-locations", "none", "-no-obsolete"} +
                      QString::fromUtf8(TAVREL_TRANSLATED_FOLDERS).split(QLatin1Char('|')) +
                      QStringList{"-ts", copy});
    ASSERT_TRUE(lupdate.waitForFinished(120000)) << lupdate.errorString().toStdString();
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();

    QString error;
    const std::vector<Message> messages = ReadMessages(copy, error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_FALSE(messages.empty());
    QStringList problems;
    for (const Message& message : messages) {
        const QString where =
            message.context + QStringLiteral(": \"") + message.source + QStringLiteral("\"");
        const bool empty = message.translations.isEmpty() ||
                           std::any_of(message.translations.begin(), message.translations.end(),
                                       [](const QString& text) { return text.isEmpty(); });
        if (!message.type.isEmpty() || empty) {
            problems << where + QStringLiteral(" is not translated");
            continue;
        }
        for (const QString& translation : message.translations) {
            if (Placeholders(translation) != Placeholders(message.source))
                problems << where + QStringLiteral(" has the placeholders ") +
                                Placeholders(translation).join(QLatin1Char(' ')) + QStringLiteral(" in \"") +
                                translation + QStringLiteral("\"");
            if (HasAltLetter(message.source) && !HasAltLetter(translation))
                problems << where + QStringLiteral(" lost its Alt letter in \"") + translation +
                                QStringLiteral("\"");
        }
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationFile, ::testing::Values("de", "fr"));

} // namespace
