// The preferences and new-output-mode windows against a real settings.ini in a temporary folder.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <memory>

#include "FakeUserDialogs.h"
#include "NamedParts.h"
#include "TFormAddNewOutputMode.h"
#include "TFormMain.h"
#include "TFormPreferences.h"
#include "TavrelWindows.h"
#include "project/OutputModes.h"

namespace {

using Kind = FakeUserDialogs::Kind;

// Questions as "title: text", and the folder browser's title, in the order asked.
QStringList Asked(const FakeUserDialogs& dialogs) {
    QStringList asked;
    for (const FakeUserDialogs::Shown& entry : dialogs.shown) {
        if (entry.kind == Kind::Question)
            asked << entry.title + ": " + entry.text;
        else if (entry.kind == Kind::Folder)
            asked << entry.title;
    }
    return asked;
}

QWidget* FirstOwner(const FakeUserDialogs& dialogs) {
    return dialogs.shown.empty() ? nullptr : dialogs.shown.front().owner;
}

const char* const kSettingsText = "; presets of the test\n"
                                  "[general]\n"
                                  "outputmodecount=3\n"
                                  "emptyproject=1\n"
                                  "outputfolder=/srv/movies/\n"
                                  "[constParams]\n"
                                  "quality=q\n"
                                  "mode=m\n"
                                  "bitrate=b\n"
                                  "[0]\n"
                                  "name=Music\n"
                                  "quality=5\n"
                                  "mode=j\n"
                                  "bitrate=128\n"
                                  "[1]\n"
                                  "name=Speech\n"
                                  "quality=3\n"
                                  "mode=m\n"
                                  "bitrate=32\n"
                                  "[2]\n"
                                  "name=Custom...\n"
                                  "enabled=1\n"
                                  "quality=9\n"
                                  "mode=s\n"
                                  "bitrate=256\n";

QString Describe(const PMP3Converter& mode) {
    QString text = QString::fromStdString(mode.name) + (mode.enabled ? " editable" : " fixed");
    for (const PParameter& param : mode.params)
        text +=
            QString(" %1=%2").arg(QString::fromStdString(param.name), QString::fromStdString(param.value));
    return text;
}

QStringList Describe(const std::vector<PMP3Converter>& modes) {
    QStringList list;
    for (const PMP3Converter& mode : modes)
        list << Describe(mode);
    return list;
}

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

QStringList Items(const QWidget& window, const char* box) {
    return Items(Find<QComboBox>(window, box));
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString IniValue(const QString& path, const char* section, const char* key) {
    CSimpleIniA ini;
    if (ini.LoadFile(path.toStdString().c_str()) < 0)
        return "<unreadable>";
    const char* value = ini.GetValue(section, key, nullptr);
    return value ? QString(value) : QString("<missing>");
}

// Sets them as typed (an item's text chooses it).
void SetSettingTexts(const QWidget& window, const QStringList& texts) {
    for (int i = 0; i < 3; ++i)
        Find<QComboBox>(window, kSettingBoxes[i])->setCurrentText(texts[i]);
}

// Chooses a preset in the window's output-mode box as a user does.
void ChoosePreset(const QWidget& window, const QString& item) {
    QComboBox* box = Find<QComboBox>(window, "ComboBoxOutputMode");
    const int index = box->findText(item);
    QVERIFY2(index >= 0, qPrintable(item));
    box->setCurrentIndex(index);
    emit box->activated(index);
}

} // namespace

class TestPreferences : public QObject {
    Q_OBJECT

    // One program's worth of state: what the main window owns, and the two windows.
    struct Session {
        QTemporaryDir folder;
        QString settingsPath;
        TavrelSettings settings;
        QComboBox mainOutputModeBox;
        FakeUserDialogs dialogs;
        std::unique_ptr<TFormPreferences> preferences;
        std::unique_ptr<TFormAddNewOutputMode> addNew;
    };
    std::unique_ptr<Session> s;

    // Runs the new-output-mode dialog through Add New, filling it once it is up.
    int AddNew(const QString& name, const QString& quality, const QString& mode, const QString& bitrate,
               bool save = true) {
        bool ran = false;
        QTimer::singleShot(0, s->addNew.get(), [&] {
            ran = true;
            TFormAddNewOutputMode* dialog = s->addNew.get();
            Find<QLineEdit>(*dialog, "EditName")->setText(name);
            const auto select = [dialog](const char* box, const QString& item) {
                QComboBox* combo = Find<QComboBox>(*dialog, box);
                combo->setCurrentIndex(combo->findText(item));
            };
            select("ComboBoxQuality", quality);
            select("ComboBoxMode", mode);
            select("ComboBoxBitrate", bitrate);
            if (save)
                dialog->SaveClick();
            // A refused value keeps the dialog up; Cancel ends it then.
            if (dialog->isVisible())
                dialog->CancelClick();
        });
        Find<QPushButton>(*s->preferences, "ButtonAddNew")->click();
        return ran ? s->addNew->result() : -1; // -1: the dialog never came up
    }

private slots:
    void init() {
        s = std::make_unique<Session>();
        QVERIFY(s->folder.isValid());
        s->settingsPath = s->folder.filePath("settings.ini");
        QFile file(s->settingsPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kSettingsText);
        file.close();
        LoadSettings(s->settingsPath.toStdString(), s->settings);
        QCOMPARE(s->settings.outputModes.size(), size_t(3));
        for (const PMP3Converter& mode : s->settings.outputModes)
            s->mainOutputModeBox.addItem(QString::fromStdString(mode.name));

        PreferencesHost host;
        host.settings = &s->settings;
        host.mainOutputModeBox = &s->mainOutputModeBox;
        host.files = ProgramFiles(s->folder.path().toStdString(), std::string());
        host.dialogs = &s->dialogs;
        s->preferences = std::make_unique<TFormPreferences>(host);
        // Made as the program makes it: a child window of the preferences window.
        s->addNew = std::make_unique<TFormAddNewOutputMode>(s->preferences.get(), s->preferences.get());
        s->preferences->SetAddNewOutputModeForm(s->addNew.get());
    }

    void cleanup() { s.reset(); }

    void controlsCarryTheirCaptionsAndItems() {
        TFormPreferences& p = *s->preferences;
        QCOMPARE(p.windowTitle(), QString("Preferences"));
        QVERIFY(!p.isModal());
        QCOMPARE(Find<QGroupBox>(p, "GroupBoxGeneral")->title(), QString("General :"));
        QCOMPARE(Find<QGroupBox>(p, "GroupBoxOutputTypes")->title(), QString("Output Type Defaults :"));
        QStringList labels;
        for (const QLabel* label : p.findChildren<QLabel*>())
            labels << label->text();
        for (const char* label : {"Default Output Mode :", "Default Output Folder :", "Output Mode :",
                                  "Conversion Quality:", "Mode :", "Bitrate :"})
            QVERIFY2(labels.contains(label), label);
        QStringList buttons;
        for (const char* button : {"ButtonOutputFolder", "ButtonSave", "ButtonAddNew", "ButtonReset",
                                   "ButtonOk", "ButtonCancel", "ButtonHelp"})
            buttons << Find<QPushButton>(p, button)->text();
        QCOMPARE(buttons, QStringList({"...", "Save", "Add New", "Reset", "Ok", "Cancel", "Help"}));

        const QStringList quality{"1", "2", "3", "4", "5", "6", "7", "8", "9"};
        const QStringList modes{"stereo", "joint", "force", "mono", "auto"};
        const QStringList bitrates{"16 kbps", "32 kbps", "64 kbps", "128 kbps", "256 kbps"};
        QCOMPARE(Items(p, "ComboBoxQuality"), quality);
        QCOMPARE(Items(p, "ComboBoxMode"), modes);
        QCOMPARE(Items(p, "ComboBoxBitrate"), bitrates);

        TFormAddNewOutputMode& n = *s->addNew;
        QCOMPARE(n.windowTitle(), QString("New Output Mode"));
        QVERIFY(n.isModal());
        QCOMPARE(Find<QLineEdit>(n, "EditName")->text(), QString("SWF for ..."));
        QCOMPARE(Items(n, "ComboBoxQuality"), quality);
        QCOMPARE(Items(n, "ComboBoxMode"), modes);
        QCOMPARE(Items(n, "ComboBoxBitrate"), bitrates);
        for (const char* box : kSettingBoxes)
            QCOMPARE(Find<QComboBox>(n, box)->currentIndex(), -1);
        QCOMPARE(SettingTexts(n), QStringList({"", "", ""}));
        QCOMPARE(Find<QPushButton>(n, "Save")->text(), QString("Save"));
        QCOMPARE(Find<QPushButton>(n, "Cancel")->text(), QString("Cancel"));
        labels.clear();
        for (const QLabel* label : n.findChildren<QLabel*>())
            labels << label->text();
        QCOMPARE(labels, QStringList({"Name :", "Conversion Quality:", "Mode :", "Bitrate :"}));
    }

    // The output type shown first is the default one, with its values; the first when there is none.
    void listsComeFromTheMainWindow_data() {
        QTest::addColumn<int>("emptyProjectMode");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("shown");
        QTest::newRow("first") << 0 << 0 << "Music 5 joint 128 kbps";
        QTest::newRow("last") << 2 << 2 << "Custom... 9 stereo 256 kbps";
        QTest::newRow("past the end") << 4 << -1 << "Music 5 joint 128 kbps";
        QTest::newRow("negative") << -1 << -1 << "Music 5 joint 128 kbps";
    }
    void listsComeFromTheMainWindow() {
        QFETCH(int, emptyProjectMode);
        QFETCH(int, selected);
        QFETCH(QString, shown);
        s->settings.emptyProjectMode = emptyProjectMode;
        s->settings.defaultOutputFolder = "/home/me/swf/";
        s->mainOutputModeBox.addItem("Only in the main window");
        s->preferences->FillPreferenceLists();
        TFormPreferences& p = *s->preferences;
        QCOMPARE(Items(p, "ComboBoxDefaultOutputMode"),
                 QStringList({"Music", "Speech", "Custom...", "Only in the main window"}));
        QCOMPARE(Find<QComboBox>(p, "ComboBoxDefaultOutputMode")->currentIndex(), selected);
        QCOMPARE(Find<QLineEdit>(p, "EditDefaultOutputFolder")->text(), QString("/home/me/swf/"));
        QCOMPARE(Items(p, "ComboBoxOutputMode"), QStringList({"Music", "Speech", "Custom..."}));
        QCOMPARE((QStringList{Find<QComboBox>(p, "ComboBoxOutputMode")->currentText()} + SettingTexts(p))
                     .join(' '),
                 shown);
    }

    void choosingAPresetShowsItsValuesAndResetShowsThemAgain_data() {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("Music") << "Music" << QStringList({"5", "joint", "128 kbps"});
        QTest::newRow("Speech") << "Speech" << QStringList({"3", "mono", "32 kbps"});
        QTest::newRow("Custom...") << "Custom..." << QStringList({"9", "stereo", "256 kbps"});
    }
    void choosingAPresetShowsItsValuesAndResetShowsThemAgain() {
        QFETCH(QString, preset);
        QFETCH(QStringList, shown);
        TFormPreferences& p = *s->preferences;
        ChoosePreset(p, preset);
        QCOMPARE(SettingTexts(p), shown);
        // Unlike the main window, the boxes stay open whatever the preset says.
        for (const char* box : kSettingBoxes)
            QVERIFY(Find<QComboBox>(p, box)->isEnabled());

        SetSettingTexts(p, {"1", "auto", "16 kbps"});
        Find<QPushButton>(p, "ButtonReset")->click();
        QCOMPARE(SettingTexts(p), shown);
        QVERIFY(!p.SettingsChanged());
    }

    void valuesWithoutAnItemKeepTheBoxes() {
        TFormPreferences& p = *s->preferences;
        ChoosePreset(p, "Music");
        s->settings.outputModes[1].params[0].value = "10";
        s->settings.outputModes[1].params[1].value = "mono"; // a whole word is not a first letter
        s->settings.outputModes[1].params[2].value = "32 kbps";
        ChoosePreset(p, "Speech");
        QCOMPARE(SettingTexts(p), QStringList({"5", "joint", "128 kbps"}));
    }

    void saveStoresTheBoxesIntoThePresetInMemory() {
        TFormPreferences& p = *s->preferences;
        ChoosePreset(p, "Custom...");
        QVERIFY(s->settings.outputModes[2].enabled);
        SetSettingTexts(p, {"7", "force", "64 kbps"});
        Find<QPushButton>(p, "ButtonSave")->click();
        QCOMPARE(Describe(s->settings.outputModes[2]), QString("Custom... fixed q=7 m=f b=64"));
        QVERIFY(p.SettingsChanged());
        QVERIFY(s->dialogs.Texts(Kind::Message).isEmpty());
        QCOMPARE(IniValue(s->settingsPath, "2", "quality"), QString("9")); // the file waits for Ok
    }

    void saveWithoutAChosenPresetOnlyTellsSo() {
        TFormPreferences& p = *s->preferences;
        Find<QComboBox>(p, "ComboBoxOutputMode")->setCurrentIndex(-1);
        const QStringList before = Describe(s->settings.outputModes);
        Find<QPushButton>(p, "ButtonSave")->click();
        QCOMPARE(s->dialogs.Texts(Kind::Message), QStringList({"Please Select an Output Mode!"}));
        QCOMPARE(FirstOwner(s->dialogs), &p);
        QCOMPARE(Describe(s->settings.outputModes), before);
        QVERIFY(!p.SettingsChanged());
    }

    void addNewThenOkWritesAPresetThatLoadsBack() {
        TFormPreferences& p = *s->preferences;
        p.show();
        QCOMPARE(AddNew("Voice", "7", "mono", "32 kbps"), 1);
        QVERIFY(p.SettingsChanged());
        QCOMPARE(Describe(s->settings.outputModes.back()), QString("Voice fixed q=7 m=m b=32"));
        // Listed here at once; the main window's box only learns it at the next start.
        QCOMPARE(Items(p, "ComboBoxOutputMode"), QStringList({"Music", "Speech", "Custom...", "Voice"}));
        QCOMPARE(Items(&s->mainOutputModeBox), QStringList({"Music", "Speech", "Custom..."}));
        QCOMPARE(Items(p, "ComboBoxDefaultOutputMode"), QStringList({"Music", "Speech", "Custom..."}));
        QCOMPARE(Find<QComboBox>(p, "ComboBoxDefaultOutputMode")->currentIndex(), 1);

        Find<QPushButton>(p, "ButtonOk")->click();
        QVERIFY(s->dialogs.Texts(Kind::Error).isEmpty());
        QVERIFY(!p.isVisible());
        QVERIFY(!p.SettingsChanged());
        QCOMPARE(IniValue(s->settingsPath, "general", "outputmodecount"), QString("4"));
        QCOMPARE(IniValue(s->settingsPath, "general", "emptyproject"), QString("1"));
        QCOMPARE(IniValue(s->settingsPath, "general", "outputfolder"), QString("/srv/movies/"));
        QCOMPARE(IniValue(s->settingsPath, "3", "name"), QString("Voice"));
        QCOMPARE(IniValue(s->settingsPath, "3", "quality"), QString("7"));
        QCOMPARE(IniValue(s->settingsPath, "3", "mode"), QString("m"));
        QCOMPARE(IniValue(s->settingsPath, "3", "bitrate"), QString("32"));
        QCOMPARE(IniValue(s->settingsPath, "2", "enabled"), QString("1"));
        QCOMPARE(IniValue(s->settingsPath, "constParams", "quality"), QString("q"));

        TavrelSettings reloaded;
        LoadSettings(s->settingsPath.toStdString(), reloaded);
        QCOMPARE(Describe(reloaded.outputModes), Describe(s->settings.outputModes));
    }

    void addNewTakesTheNameAsTypedAndShowsTheNewPreset() {
        QCOMPARE(AddNew("  Radio  ", "7", "mono", "32 kbps"), 1);
        QCOMPARE(Describe(s->settings.outputModes.back()), QString("  Radio   fixed q=7 m=m b=32"));
        QCOMPARE(s->settings.outputModes.size(), size_t(4));
        QCOMPARE(Find<QComboBox>(*s->preferences, "ComboBoxOutputMode")->currentText(), QString("  Radio  "));
    }

    // What Save cannot take is named, and the dialog stays up: nothing is added, nothing changed.
    void addNewRefusesWhatItCannotSave_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("message");
        const QStringList values{"7", "mono", "32 kbps"};
        const QString noName = "Please Specify a Name for this new output mode!";
        QTest::newRow("empty name") << "" << values << noName;
        QTest::newRow("blank name") << "   " << values << noName;
        QTest::newRow("a line break in the name")
            << "Voice\nover" << values
            << "The Name of an output mode cannot hold a line break or another control character!";
        QTest::newRow("a name taken")
            << "Speech" << values << "An output mode is already named Speech: please choose another Name!";
        QTest::newRow("no quality") << "Voice" << QStringList{"", "mono", "32 kbps"}
                                    << "Please Choose a Conversion Quality!";
        QTest::newRow("no mode") << "Voice" << QStringList{"7", "", "32 kbps"} << "Please Choose a Mode!";
        QTest::newRow("no bitrate") << "Voice" << QStringList{"7", "mono", ""} << "Please Choose a Bitrate!";
        QTest::newRow("three empty boxes")
            << "SWF for ..." << QStringList{"", "", ""} << "Please Choose a Conversion Quality!";
    }
    void addNewRefusesWhatItCannotSave() {
        QFETCH(QString, name);
        QFETCH(QStringList, values);
        QFETCH(QString, message);
        QCOMPARE(AddNew(name, values[0], values[1], values[2]), 2);
        QCOMPARE(s->dialogs.Texts(Kind::Message), QStringList({message}));
        QCOMPARE(s->settings.outputModes.size(), size_t(3));
        QCOMPARE(Items(*s->preferences, "ComboBoxOutputMode").size(), 3);
        QVERIFY(!s->preferences->SettingsChanged());
    }

    void addNewCancelledChangesNothing() {
        QCOMPARE(AddNew("Voice", "7", "mono", "32 kbps", false), 2);
        QCOMPARE(s->settings.outputModes.size(), size_t(3));
        QVERIFY(!s->preferences->SettingsChanged());
        QVERIFY(!s->addNew->isVisible());
        // The dialog keeps what was typed for its next showing.
        QCOMPARE(Find<QLineEdit>(*s->addNew, "EditName")->text(), QString("Voice"));
    }

    void okWritesTheDefaultsShown() {
        TFormPreferences& p = *s->preferences;
        p.show();
        Find<QComboBox>(p, "ComboBoxDefaultOutputMode")->setCurrentIndex(-1);
        Find<QLineEdit>(p, "EditDefaultOutputFolder")->setText("/var/swf/");
        Find<QPushButton>(p, "ButtonOk")->click();
        QCOMPARE(IniValue(s->settingsPath, "general", "emptyproject"), QString("-1"));
        QCOMPARE(IniValue(s->settingsPath, "general", "outputfolder"), QString("/var/swf/"));
        QCOMPARE(IniValue(s->settingsPath, "general", "outputmodecount"), QString("3"));
        // The main window's defaults follow the file only when it is loaded again.
        QCOMPARE(s->settings.emptyProjectMode, 1);
        QCOMPARE(s->settings.defaultOutputFolder, std::string("/srv/movies/"));
    }

    void cancelWithoutChangesRereadsTheFileAndCloses() {
        TFormPreferences& p = *s->preferences;
        p.show();
        s->settings.outputModes.pop_back(); // an edit behind the window's back
        s->settings.defaultOutputFolder = "/elsewhere/";
        Find<QPushButton>(p, "ButtonCancel")->click();
        QVERIFY(Asked(s->dialogs).isEmpty());
        QCOMPARE(s->settings.outputModes.size(), size_t(3));
        QCOMPARE(s->settings.defaultOutputFolder, std::string("/srv/movies/"));
        QVERIFY(!p.isVisible());
    }

    void cancelAnsweredCancelKeepsWindowAndChange() {
        TFormPreferences& p = *s->preferences;
        p.show();
        ChoosePreset(p, "Music");
        Find<QComboBox>(p, "ComboBoxQuality")->setCurrentText("2");
        Find<QPushButton>(p, "ButtonSave")->click();
        s->dialogs.answers = {UserDialogs::Answer::Cancel};
        Find<QPushButton>(p, "ButtonCancel")->click();
        QCOMPARE(Asked(s->dialogs),
                 QStringList({"Preferences: Do you want to save the changes you have made?"}));
        QVERIFY(p.isVisible());
        QVERIFY(p.SettingsChanged());
        QCOMPARE(Describe(s->settings.outputModes[0]), QString("Music fixed q=2 m=j b=128"));
    }

    void cancelAnsweredNoDropsTheEditsAndAsksAgainNextTime() {
        TFormPreferences& p = *s->preferences;
        p.show();
        ChoosePreset(p, "Music");
        Find<QComboBox>(p, "ComboBoxQuality")->setCurrentText("2");
        Find<QPushButton>(p, "ButtonSave")->click();
        s->dialogs.answers = {UserDialogs::Answer::No, UserDialogs::Answer::No};
        Find<QPushButton>(p, "ButtonCancel")->click();
        QVERIFY(!p.isVisible());
        QCOMPARE(Describe(s->settings.outputModes[0]), QString("Music fixed q=5 m=j b=128"));
        QCOMPARE(IniValue(s->settingsPath, "0", "quality"), QString("5"));
        QVERIFY(p.SettingsChanged());

        p.show();
        Find<QPushButton>(p, "ButtonCancel")->click();
        QCOMPARE(Asked(s->dialogs).size(), 2);
        QVERIFY(!p.isVisible());
    }

    void cancelAnsweredYesWritesThenRereads() {
        TFormPreferences& p = *s->preferences;
        p.show();
        ChoosePreset(p, "Custom...");
        Find<QComboBox>(p, "ComboBoxBitrate")->setCurrentText("16 kbps");
        Find<QPushButton>(p, "ButtonSave")->click();
        s->dialogs.answers = {UserDialogs::Answer::Yes};
        Find<QPushButton>(p, "ButtonCancel")->click();
        QVERIFY(!p.isVisible());
        QVERIFY(!p.SettingsChanged());
        QCOMPARE(IniValue(s->settingsPath, "2", "bitrate"), QString("16"));
        // "enabled" is not written, so the preset is editable again once the file is read.
        QCOMPARE(Describe(s->settings.outputModes[2]), QString("Custom... editable q=9 m=s b=16"));
    }

    void anUnwritableFileKeepsTheWindowAndTheChange_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("settings.ini is a folder") << "folder";
        QTest::newRow("the user's folder cannot be made") << "no user folder";
        QTest::newRow("settings.ini is read-only") << "read-only";
    }
    void anUnwritableFileKeepsTheWindowAndTheChange() {
        QFETCH(QString, how);
        // The tests may run as root, for whom permissions stop nothing; these three stop anyone.
        QString path;
        QString programFolder = s->folder.path();
        QString configHome;
        if (how == "folder") {
            programFolder = s->folder.filePath("blocked");
            path = programFolder + "/settings.ini";
            QVERIFY(QDir().mkpath(path));
        } else if (how == "read-only") {
            // Refused by the program itself, so root is stopped too.
            path = s->folder.filePath("settings.ini");
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                    QFileDevice::ReadOther));
        } else {
            // An installed program whose user's configuration folder has a file in its way.
            programFolder = s->folder.filePath("usr/bin");
            QVERIFY(QDir().mkpath(programFolder));
            QFile(s->folder.filePath("file")).open(QIODevice::WriteOnly);
            configHome = s->folder.filePath("file/config");
            path = configHome + "/tavrel/settings.ini";
        }
        PreferencesHost host = s->preferences->Host();
        host.files = ProgramFiles(programFolder.toStdString(), configHome.toStdString());
        TFormPreferences p(host);
        p.show();
        ChoosePreset(p, "Music");
        Find<QComboBox>(p, "ComboBoxMode")->setCurrentText("mono");
        Find<QPushButton>(p, "ButtonSave")->click();

        Find<QPushButton>(p, "ButtonOk")->click();
        QCOMPARE(s->dialogs.Texts(Kind::Error), QStringList({"Unable to write to " + path}));
        QVERIFY(p.SettingsChanged());
        QVERIFY(p.isVisible());

        // Yes to Cancel's question fails the same way: nothing is reread, nothing closes.
        s->dialogs.answers = {UserDialogs::Answer::Yes};
        Find<QPushButton>(p, "ButtonCancel")->click();
        QCOMPARE(s->dialogs.Texts(Kind::Error).size(), 2);
        QVERIFY(p.isVisible());
        QVERIFY(p.SettingsChanged());
        QCOMPARE(Describe(s->settings.outputModes[0]), QString("Music fixed q=5 m=m b=128"));
        if (how == "read-only")
            QCOMPARE(IniValue(path, "0", "mode"), QString("j"));
    }

    void aPresetAddedButNeverWrittenCannotBeSavedInto() {
        TFormPreferences& p = *s->preferences;
        p.show();
        QCOMPARE(AddNew("Voice", "7", "mono", "32 kbps"), 1);
        s->dialogs.answers = {UserDialogs::Answer::No};
        Find<QPushButton>(p, "ButtonCancel")->click();
        QCOMPARE(s->settings.outputModes.size(), size_t(3));
        // The list still names it; storing into it must not reach past the presets.
        p.show();
        ChoosePreset(p, "Voice");
        Find<QPushButton>(p, "ButtonSave")->click();
        QCOMPARE(s->dialogs.Texts(Kind::Message), QStringList({"Please Select an Output Mode!"}));
        QCOMPARE(s->settings.outputModes.size(), size_t(3));
    }

    void folderBrowserEndsThePathWithASeparator_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("shown");
        QTest::newRow("without separator") << "/data/music"
                                           << "/data/music/";
        QTest::newRow("with separator") << "/data/music/"
                                        << "/data/music/";
        QTest::newRow("root") << "/"
                              << "/";
        QTest::newRow("cancelled") << ""
                                   << "/srv/movies/";
    }
    void folderBrowserEndsThePathWithASeparator() {
        QFETCH(QString, chosen);
        QFETCH(QString, shown);
        s->dialogs.folderResults = {chosen};
        Find<QPushButton>(*s->preferences, "ButtonOutputFolder")->click();
        QCOMPARE(Asked(s->dialogs), QStringList({"Please Select a Directory"}));
        QCOMPARE(FirstOwner(s->dialogs), s->preferences.get());
        QCOMPARE(Find<QLineEdit>(*s->preferences, "EditDefaultOutputFolder")->text(), shown);
    }

    void helpOpensThePreferencesTopic() {
        Find<QPushButton>(*s->preferences, "ButtonHelp")->click();
        QCOMPARE(s->dialogs.Count(Kind::Help), 1);
        QCOMPARE(s->dialogs.Of(Kind::Help).front().text, s->folder.filePath("Tavrel.hlp"));
        QCOMPARE(s->dialogs.Of(Kind::Help).front().title, QString("PREFERENCES"));
        QCOMPARE(FirstOwner(s->dialogs), s->preferences.get());
    }

    // The real main window, made as the program makes it, shares the presets with the preferences.
    void theMainWindowSeesEditsAtOnceAndNewPresetsAfterARestart() {
        const QString programFolder = s->folder.path();
        TavrelWindows windows(programFolder, &s->dialogs);
        TFormMain& main = *windows.main;
        TFormPreferences* p = windows.preferences;
        TFormAddNewOutputMode* addNew = windows.newOutputMode;
        p->show();

        ChoosePreset(main, "Custom...");
        QVERIFY(Find<QComboBox>(main, "ComboBoxQuality")->isEnabled());
        ChoosePreset(*p, "Custom...");
        Find<QComboBox>(*p, "ComboBoxQuality")->setCurrentText("8");
        Find<QPushButton>(*p, "ButtonSave")->click();
        ChoosePreset(main, "Music");
        ChoosePreset(main, "Custom...");
        QVERIFY(!Find<QComboBox>(main, "ComboBoxQuality")->isEnabled());
        QCOMPARE(Find<QComboBox>(main, "ComboBoxQuality")->currentText(), QString("8"));

        QTimer::singleShot(0, addNew, [addNew] {
            Find<QLineEdit>(*addNew, "EditName")->setText("Voice");
            SetSettingTexts(*addNew, {"7", "mono", "32 kbps"});
            addNew->SaveClick();
        });
        Find<QPushButton>(*p, "ButtonAddNew")->click();
        Find<QPushButton>(*p, "ButtonOk")->click();
        QVERIFY(!p->isVisible());
        QCOMPARE(Items(main, "ComboBoxOutputMode"), QStringList({"Music", "Speech", "Custom..."}));
        QCOMPARE(main.Settings().outputModes.size(), size_t(4));

        TavrelWindows restarted(programFolder, &s->dialogs);
        QCOMPARE(Items(*restarted.main, "ComboBoxOutputMode"),
                 QStringList({"Music", "Speech", "Custom...", "Voice"}));
        // Save made Custom... fixed only in memory; the file still marks it editable.
        QVERIFY(restarted.main->Settings().outputModes[2].enabled);
        QVERIFY(s->dialogs.Texts(Kind::Error).isEmpty() && s->dialogs.Texts(Kind::Message).isEmpty());
    }

    // Installed (no settings.ini beside the program), the shipped file is read until Ok writes the
    // user's own, made from it; the install test runs this on its staging root.
    void anInstalledProgramSavesIntoTheUsersOwnFile_data() {
        QTest::addColumn<QString>("configHome"); // "-": unset
        QTest::addColumn<QString>("expected");   // in the session's folder
        QTest::newRow("XDG_CONFIG_HOME unset") << "-"
                                               << "home/.config/tavrel/settings.ini";
        QTest::newRow("XDG_CONFIG_HOME empty") << ""
                                               << "home/.config/tavrel/settings.ini";
        QTest::newRow("XDG_CONFIG_HOME relative") << "config"
                                                  << "home/.config/tavrel/settings.ini";
        QTest::newRow("XDG_CONFIG_HOME absolute") << "<folder>/config"
                                                  << "config/tavrel/settings.ini";
    }
    void anInstalledProgramSavesIntoTheUsersOwnFile() {
        QFETCH(QString, configHome);
        QFETCH(QString, expected);
        QString bin = qEnvironmentVariable("TAVREL_INSTALLED_PROGRAM_DIR");
        if (bin.isEmpty()) {
            bin = s->folder.filePath("usr/bin");
            QVERIFY(QDir().mkpath(bin) && QDir().mkpath(s->folder.filePath("usr/share/tavrel")));
            QVERIFY(QFile::copy(TAVREL_SOURCE_DIR "/app/resources/settings.ini",
                                s->folder.filePath("usr/share/tavrel/settings.ini")));
        }
        const QString shipped = QDir::cleanPath(bin + "/../share/tavrel/settings.ini");
        const QByteArray shippedBytes = FileBytes(shipped);
        const QByteArray home = qgetenv("HOME"), xdg = qgetenv("XDG_CONFIG_HOME");
        const auto restore = qScopeGuard([&] {
            qputenv("HOME", home);
            xdg.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", xdg);
        });
        qputenv("HOME", s->folder.filePath("home").toUtf8());
        if (configHome == "-")
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", QString(configHome).replace("<folder>", s->folder.path()).toUtf8());

        TavrelWindows windows(bin, &s->dialogs);
        QCOMPARE(windows.main->SettingsPath(), shipped);
        // The web page is documentation, in its own folder.
        QCOMPARE(windows.main->WebPageFile(), QDir::cleanPath(bin + "/../share/doc/tavrel/webpage.html"));
        QCOMPARE(Find<QComboBox>(*windows.main, "ComboBoxOutputMode")->itemText(1),
                 QString("Speech (32 kbps mono)"));
        Find<QComboBox>(*windows.preferences, "ComboBoxDefaultOutputMode")->setCurrentIndex(1);
        Find<QPushButton>(*windows.preferences, "ButtonOk")->click();

        const QString user = s->folder.filePath(expected);
        QCOMPARE(windows.main->SettingsPath(), user);
        QCOMPARE(IniValue(user, "general", "emptyproject"), QString("1"));
        QCOMPARE(IniValue(user, "constParams", "bitrate"), QString("b")); // kept from the shipped file
        QCOMPARE(IniValue(user, "4", "enabled"), QString("1"));
        QCOMPARE(FileBytes(shipped), shippedBytes);
        QVERIFY(s->dialogs.Texts(Kind::Error).isEmpty());
    }

    void preferencesStayOnTopExceptWhileTheNewDialogIsUp() {
        TFormPreferences& p = *s->preferences;
        p.show();
        QVERIFY(p.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        bool onTopMeanwhile = true;
        bool visibleMeanwhile = false;
        bool nameFocused = false;
        bool dialogStillModal = false;
        QTimer::singleShot(0, s->addNew.get(), [&] {
            onTopMeanwhile = p.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            visibleMeanwhile = p.isVisible();
            nameFocused = s->addNew->focusWidget() == Find<QLineEdit>(*s->addNew, "EditName");
            // Re-showing the preferences window must leave the dialog up and modal above it.
            dialogStillModal = s->addNew->isVisible() &&
                               QApplication::activeModalWidget() == s->addNew.get() &&
                               s->addNew->windowHandle()->transientParent() == p.windowHandle();
            s->addNew->CancelClick();
        });
        Find<QPushButton>(p, "ButtonAddNew")->click();
        QVERIFY(!onTopMeanwhile);
        QVERIFY(visibleMeanwhile);
        QVERIFY(nameFocused);
        QVERIFY(dialogStillModal);
        QVERIFY(p.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(p.isVisible());
    }
};

QTEST_MAIN(TestPreferences)
#include "test_preferences.moc"
