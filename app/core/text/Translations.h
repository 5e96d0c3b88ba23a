// The program's texts in the user's language: its own translation and Qt's (the buttons of
// message boxes, the file dialogs), loaded in one place for the program and its window alike.
#pragma once

#include <QCoreApplication>
#include <QLocale>
#include <QString>

#include <initializer_list>
#include <string>

class ProgramFiles;

// The language messages are shown in, as the C library decides it: LC_ALL, else LC_MESSAGES,
// else LANG; then LANGUAGE's list, unless that language is C (or POSIX), in which case every text
// stays as written. The locales themselves need not be installed.
QLocale MessagesLocale();

// Installs into the application object that exists now (made first: Qt looks translations up
// there) the program's translation for locale, from the shipped "translations" folder
// (ProgramFiles), and Qt's own from Qt's translations folder; they replace what an earlier call
// installed. A locale with no translation (English, C) installs none. Called again for a later
// application object. True when the program's own translation was found.
bool InstallTranslations(const ProgramFiles& files, const QLocale& locale = MessagesLocale());

// A message of the units that work in bytes: text (already translated, with
// QCoreApplication::translate) as bytes, each %1, %2... replaced by the bytes of that argument,
// all at once: a name that is not UTF-8, or holds a "%2", comes through as it is.
std::string MessageBytes(const QString& text, std::initializer_list<std::string> arguments = {});
