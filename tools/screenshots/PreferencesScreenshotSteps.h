// The screenshot tour's steps for the preferences window and the new-output-mode dialog.
#pragma once

class ScreenshotTour;
class TFormAddNewOutputMode;
class TFormPreferences;

// Adds "preferences.png" (the window with its first output mode chosen) and
// "new-output-mode.png" (the new-output-mode dialog up over it).
void AddPreferencesSteps(ScreenshotTour* tour, TFormPreferences* preferences, TFormAddNewOutputMode* addNew);
