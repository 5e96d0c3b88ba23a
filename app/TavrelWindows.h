// The program's five windows, created once at start-up and wired to each other.
#pragma once

#include <QString>

#include <memory>

class TFormAbout;
class TFormAddNewOutputMode;
class TFormMain;
class TFormPreferences;
class TFormProgressBarPercent;
class UserDialogs;

// The main window owns the progress, preferences and about windows, and the preferences window
// owns the new-output-mode dialog, so all of them go with the main window. The preferences window
// edits the main window's settings and lists its output modes.
struct TavrelWindows {
    // programFolder and dialogs as TFormMain takes them; dialogs must outlive the windows.
    TavrelWindows(const QString& programFolder, UserDialogs* dialogs);
    ~TavrelWindows();
    TavrelWindows(const TavrelWindows&) = delete;
    TavrelWindows& operator=(const TavrelWindows&) = delete;

    std::unique_ptr<TFormMain> main;
    TFormProgressBarPercent* progress = nullptr;
    TFormPreferences* preferences = nullptr;
    TFormAbout* about = nullptr;
    TFormAddNewOutputMode* newOutputMode = nullptr;
};
