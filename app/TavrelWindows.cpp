// The program's five windows, created once at start-up and wired to each other.
#include "TavrelWindows.h"

#include "TFormAbout.h"
#include "TFormAddNewOutputMode.h"
#include "TFormMain.h"
#include "TFormPreferences.h"
#include "TFormProgressBarPercent.h"

TavrelWindows::TavrelWindows(const QString& programFolder, UserDialogs* dialogs)
    : main(std::make_unique<TFormMain>(programFolder, dialogs)) {
    progress = new TFormProgressBarPercent(main.get());

    PreferencesHost host;
    host.settings = &main->Settings();
    host.mainOutputModeBox = main->OutputModeBox();
    host.files = main->Files();
    host.dialogs = dialogs;
    preferences = new TFormPreferences(host, main.get());
    about = new TFormAbout(main.get());
    newOutputMode = new TFormAddNewOutputMode(preferences, preferences);
    preferences->SetAddNewOutputModeForm(newOutputMode);

    main->SetProgressForm(progress);
    main->SetPreferencesForm(preferences);
    main->SetAboutForm(about);
}

TavrelWindows::~TavrelWindows() = default;
