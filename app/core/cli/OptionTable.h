// The program's options, one row each: their names, what each sets, whether the window form takes
// it, and its entry in --help. The parser (ScriptOptions), --help (CommandLine) and the manual
// page's option list (tests/core/test_commandline.cpp holds it to the table) are made from it.
#pragma once

#include <string>

struct ScriptOptions;

struct OptionRow {
    // Sets what an option that takes a value says; false when the value is not one it takes,
    // expected then saying in the user's language what it takes ("a whole number from 1 to 64").
    using SetValue = bool (*)(const std::string& value, ScriptOptions& options, std::string& expected);

    // The script form's names: -o in a bundle such as -rqo, and --output. 0 and nullptr: none.
    // Rows with neither (--, -f:, -hide) are read as whole arguments, not by the script form;
    // so are -h, --help and --version, whose long names the script form only knows to refuse a
    // value ("--help=x").
    char shortName;
    const char* longName;
    bool ScriptOptions::*flag; // what an option without a value sets; nullptr: nothing
    SetValue setValue;         // nullptr: the option takes no value
    bool besideWindow;         // -w takes it: the window sets up everything else itself
    // Its entry in --help, its names in the first 25 columns, what it does beside them; translated
    // whole ("CommandLine"), so that a language lays out its own lines within 80 columns.
    const char* help;
};

// Every option, in the order --help lists them: for (const OptionRow& row : OptionTable()).
struct OptionTable {
    const OptionRow* begin() const;
    const OptionRow* end() const;
};
