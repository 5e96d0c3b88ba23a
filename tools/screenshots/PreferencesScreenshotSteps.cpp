// The screenshot tour's steps for the preferences window and the new-output-mode dialog.
#include "PreferencesScreenshotSteps.h"

#include "ScreenshotTour.h"
#include "TFormAddNewOutputMode.h"
#include "TFormPreferences.h"

void AddPreferencesSteps(ScreenshotTour* tour, TFormPreferences* preferences, TFormAddNewOutputMode* addNew) {
    tour->AddStep({QStringLiteral("preferences.png"),
                   [preferences] {
                       preferences->show();
                       preferences->raise();
                       preferences->ShowOutputMode(0);
                   },
                   [preferences] { return preferences->frameGeometry(); }, nullptr});
    // open(), not exec(): the tour's own timers must go on while the dialog is up.
    tour->AddStep(
        {QStringLiteral("new-output-mode.png"), [addNew] { addNew->open(); },
         [preferences, addNew] { return preferences->frameGeometry().united(addNew->frameGeometry()); },
         [preferences, addNew] {
             addNew->CancelClick();
             preferences->hide();
         }});
}
