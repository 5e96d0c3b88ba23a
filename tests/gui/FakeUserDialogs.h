// A scripted stand-in for the program's message boxes and dialogs: tests queue the answers
// and read back everything the windows showed, in order.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

#include "UserDialogs.h"

class FakeUserDialogs : public UserDialogs {
public:
    enum class Kind { Message, Error, Question, OpenFiles, OpenFile, SaveFile, Folder, Help, Browser };

    // One box or dialog as a window asked for it.
    struct Shown {
        Kind kind;
        QWidget* owner = nullptr;
        QString text;   // message or question text; help file; browser address
        QString title;  // question or dialog title; help topic
        QString filter; // file dialogs' filter
        QString defaultSuffix;
        QString detail; // a question's line below its text
    };

    // Answers, used front first. An empty queue answers Cancel / an empty (cancelled) result.
    std::deque<Answer> answers;
    std::deque<QStringList> openFileNamesResults;
    std::deque<QString> openFileNameResults;
    std::deque<QString> saveFileNameResults;
    std::deque<QString> folderResults;

    std::vector<Shown> shown;
    int unansweredQuestions = 0; // questions and dialogs asked with nothing queued

    void ShowMessage(QWidget* owner, const QString& text) override { Record(Kind::Message, owner, text); }
    void ShowError(QWidget* owner, const QString& text) override { Record(Kind::Error, owner, text); }

    Answer AskYesNoCancel(QWidget* owner, const QString& text, const QString& title,
                          const QString& detail) override {
        Record(Kind::Question, owner, text, title);
        shown.back().detail = detail;
        return Take(answers, Answer::Cancel);
    }

    QStringList OpenFileNames(QWidget* owner, const QString& title, const QString& filter) override {
        Record(Kind::OpenFiles, owner, QString(), title, filter);
        return Take(openFileNamesResults, QStringList());
    }

    QString OpenFileName(QWidget* owner, const QString& title, const QString& filter) override {
        Record(Kind::OpenFile, owner, QString(), title, filter);
        return Take(openFileNameResults, QString());
    }

    QString SaveFileName(QWidget* owner, const QString& title, const QString& filter,
                         const QString& defaultSuffix) override {
        Record(Kind::SaveFile, owner, QString(), title, filter, defaultSuffix);
        return Take(saveFileNameResults, QString());
    }

    QString BrowseForFolder(QWidget* owner, const QString& title) override {
        Record(Kind::Folder, owner, QString(), title);
        return Take(folderResults, QString());
    }

    void ShowHelp(QWidget* owner, const QString& helpFile, const QString& topic) override {
        Record(Kind::Help, owner, helpFile, topic);
    }

    void OpenInBrowser(const QString& urlOrPath) override { Record(Kind::Browser, nullptr, urlOrPath); }

    // Everything shown of one kind, in order.
    std::vector<Shown> Of(Kind kind) const {
        std::vector<Shown> result;
        for (const Shown& entry : shown) {
            if (entry.kind == kind)
                result.push_back(entry);
        }
        return result;
    }
    int Count(Kind kind) const { return static_cast<int>(Of(kind).size()); }
    // Texts of the message boxes or error boxes shown, in order.
    QStringList Texts(Kind kind) const {
        QStringList texts;
        for (const Shown& entry : Of(kind))
            texts << entry.text;
        return texts;
    }

    // Forgets what was shown and every answer still queued.
    void Reset() {
        answers.clear();
        openFileNamesResults.clear();
        openFileNameResults.clear();
        saveFileNameResults.clear();
        folderResults.clear();
        shown.clear();
        unansweredQuestions = 0;
    }

private:
    void Record(Kind kind, QWidget* owner, const QString& text, const QString& title = QString(),
                const QString& filter = QString(), const QString& defaultSuffix = QString()) {
        shown.push_back(Shown{kind, owner, text, title, filter, defaultSuffix, QString()});
    }

    template <typename T> T Take(std::deque<T>& queue, T whenEmpty) {
        if (queue.empty()) {
            ++unansweredQuestions;
            return whenEmpty;
        }
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};
