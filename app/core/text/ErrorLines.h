// Messages on standard error, one line each, for whoever runs the program unattended.
#pragma once

#include <QString>

#include <string>

struct AutomationResult;

// Every later PrintErrorLine starts with prefix ("tavrel: "), as a command-line tool's messages do.
void StartErrorLinesWith(const std::string& prefix);

// One line on standard error, with the exact bytes of the names in it (see NativeText.h), except
// control characters, which are written escaped (EscapeControlCharacters).
void PrintErrorLine(const QString& text);
// The same for a message and what it is about: "<text>: <detail>" ("Invalid Filename: /p.xml: No
// such file or directory"); text alone when detail is empty. A window shows text alone.
void PrintMessageLine(const QString& text, const QString& detail);

// Names each listed file that gave a movie with a note, then each that gave no movie, with
// why, one line each on standard error, in list order: "<file>: <reason>".
void PrintFileProblems(const AutomationResult& result);
