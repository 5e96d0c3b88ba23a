<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>FileContent</name>
    <message>
        <source>: it is not a regular file</source>
        <comment>follows a file&apos;s name in a message</comment>
        <translation>: Es ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>: it is larger than %1 MiB</source>
        <comment>follows a file&apos;s name in a message</comment>
        <translation>: Sie ist größer als %1 MiB</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>%1 Help</source>
        <comment>the window title: %1 is the program&apos;s name</comment>
        <translation>Hilfe zu %1</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Hilfetext</translation>
    </message>
</context>
<context>
    <name>InputFilesModel</name>
    <message>
        <source>This file is missing: there is nothing at this path. It gives no movie until it is there again.</source>
        <translation>Diese Datei fehlt: Unter diesem Pfad liegt nichts. Sie ergibt keinen Film, bis sie wieder da ist.</translation>
    </message>
</context>
<context>
    <name>ProgramStart</name>
    <message>
        <source>tavrel: &apos;%1&apos; is ignored beside -f: and -hide</source>
        <translation>tavrel: »%1« wird neben -f: und -hide nicht beachtet</translation>
    </message>
</context>
<context>
    <name>ProjectControls</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>»%1« ist keine gültige ganze Zahl</translation>
    </message>
</context>
<context>
    <name>ProjectFile</name>
    <message>
        <source>Cannot create file %1</source>
        <translation>Die Datei %1 lässt sich nicht anlegen</translation>
    </message>
    <message>
        <source>Cannot open file %1%2</source>
        <comment>%2: why, beginning with a colon, or nothing</comment>
        <translation>Die Datei %1 lässt sich nicht öffnen%2</translation>
    </message>
</context>
<context>
    <name>ProjectRunFlow</name>
    <message>
        <source>The project file could not be loaded.</source>
        <translation>Die Projektdatei ließ sich nicht laden.</translation>
    </message>
    <message>
        <source>No output mode is defined in %1: files that are not MP3 files cannot be encoded in this run.</source>
        <translation>In %1 ist kein Ausgabemodus festgelegt: Dateien, die keine MP3-Dateien sind, lassen sich in diesem Lauf nicht kodieren.</translation>
    </message>
</context>
<context>
    <name>QtUserDialogs</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 gibt es bereits.
Soll die Datei ersetzt werden?</translation>
    </message>
    <message>
        <source>The help file %1 cannot be opened.</source>
        <translation>Die Hilfedatei %1 lässt sich nicht öffnen.</translation>
    </message>
</context>
<context>
    <name>RunEndMessage</name>
    <message numerus="yes">
        <source>... and %n more.</source>
        <comment>files</comment>
        <translation>
            <numerusform>... und %n weitere.</numerusform>
            <numerusform>... und %n weitere.</numerusform>
        </translation>
    </message>
    <message>
        <source>These files gave no movie:</source>
        <translation>Diese Dateien ergaben keinen Film:</translation>
    </message>
    <message>
        <source>Please note:</source>
        <translation>Bitte beachten:</translation>
    </message>
</context>
<context>
    <name>SettingBoxes</name>
    <message>
        <source>Please Choose a Conversion Quality!</source>
        <translation>Bitte eine Konvertierungsqualität wählen!</translation>
    </message>
    <message>
        <source>Please Choose a Mode!</source>
        <translation>Bitte einen Modus wählen!</translation>
    </message>
    <message>
        <source>Please Choose a Bitrate!</source>
        <translation>Bitte eine Bitrate wählen!</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Unable to write to %1: no home folder is known (set HOME or XDG_CONFIG_HOME)</source>
        <translation>%1 lässt sich nicht schreiben: Kein persönlicher Ordner ist bekannt (HOME oder XDG_CONFIG_HOME setzen)</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>Cannot read %1: it is a broken link (what it points to is not there).</source>
        <translation>%1 lässt sich nicht lesen: Es ist eine defekte Verknüpfung (ihr Ziel ist nicht da).</translation>
    </message>
    <message>
        <source>Cannot read %1: it is a folder, not a settings file.</source>
        <translation>%1 lässt sich nicht lesen: Es ist ein Ordner, keine Einstellungsdatei.</translation>
    </message>
    <message>
        <source>Cannot read %1: it is not a regular file.</source>
        <translation>%1 lässt sich nicht lesen: Es ist keine reguläre Datei.</translation>
    </message>
    <message>
        <source>The settings file %1 could not be loaded.</source>
        <translation>Die Einstellungsdatei %1 ließ sich nicht laden.</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; of %2 in section [general] of %3 is not a whole number; %4 is used instead.</source>
        <translation>Der Wert &quot;%1&quot; von %2 im Abschnitt [general] von %3 ist keine ganze Zahl; stattdessen gilt %4.</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>%1 lässt sich nicht schreiben</translation>
    </message>
    <message>
        <source>Cannot read %1%2; no output modes are available.</source>
        <comment>%2: why, beginning with a colon, or nothing</comment>
        <translation>%1 lässt sich nicht lesen%2; es gibt keine Ausgabemodi.</translation>
    </message>
    <message>
        <source>outputmodecount in section [general] of %1 is %2; only the first %3 output modes are read.</source>
        <translation>outputmodecount im Abschnitt [general] von %1 ist %2; nur die ersten %3 Ausgabemodi werden gelesen.</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; of encoders in section [general] of %2 is not a number of encoders (0 for one per processor, or 1 and more); %3 is used instead.</source>
        <translation>Der Wert &quot;%1&quot; von encoders im Abschnitt [general] von %2 ist keine Anzahl von Encodern (0 für einen je Prozessor, oder 1 und mehr); stattdessen gilt %3.</translation>
    </message>
    <message>
        <source>encoders in section [general] of %1 is %2; at most %3 encoders run at once.</source>
        <translation>encoders im Abschnitt [general] von %1 ist %2; höchstens %3 Encoder laufen gleichzeitig.</translation>
    </message>
</context>
<context>
    <name>TFormAbout</name>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TFormAddNewOutputMode</name>
    <message>
        <source>New Output Mode</source>
        <translation>Neuer Ausgabemodus</translation>
    </message>
    <message>
        <source>SWF for ...</source>
        <comment>the name a new output mode starts with</comment>
        <translation>SWF für ...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Conversion Quality:</source>
        <translation>Konvertierungsqualität:</translation>
    </message>
    <message>
        <source>Mode :</source>
        <translation>Modus:</translation>
    </message>
    <message>
        <source>Bitrate :</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>Please Specify a Name for this new output mode!</source>
        <translation>Bitte einen Namen für diesen neuen Ausgabemodus angeben!</translation>
    </message>
    <message>
        <source>The Name of an output mode cannot hold a line break or another control character!</source>
        <translation>Der Name eines Ausgabemodus darf keinen Zeilenumbruch und kein anderes Steuerzeichen enthalten!</translation>
    </message>
    <message>
        <source>An output mode is already named %1: please choose another Name!</source>
        <translation>Es gibt bereits einen Ausgabemodus namens %1: Bitte einen anderen Namen wählen!</translation>
    </message>
</context>
<context>
    <name>TFormMain</name>
    <message>
        <source>Wav files (*.wav);;MP3 files (*.mp3);;Wav and MP3 files (*.mp3 *.wav);;All Files (*)</source>
        <comment>file dialog filters: keep the patterns in parentheses and the ;; between them</comment>
        <translation>WAV-Dateien (*.wav);;MP3-Dateien (*.mp3);;WAV- und MP3-Dateien (*.mp3 *.wav);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Extended Markup Language (*.xml);;All Files (*)</source>
        <comment>file dialog filters: keep the patterns in parentheses and the ;; between them</comment>
        <translation>Extended Markup Language (*.xml);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Do you want to save the changes you have made?</source>
        <translation>Sollen die Änderungen gespeichert werden?</translation>
    </message>
    <message>
        <source>A conversion is under way. Closing the program stops it: the files converted so far are kept and listed in the run report; the file being converted now is not finished.

Do you want to save the changes you have made?</source>
        <translation>Eine Konvertierung läuft. Wird das Programm geschlossen, hält sie an: Die bisher konvertierten Dateien bleiben erhalten und stehen im Laufbericht; die Datei, die gerade konvertiert wird, wird nicht fertig.

Sollen die Änderungen gespeichert werden?</translation>
    </message>
    <message>
        <source>&amp;New Project</source>
        <translation>&amp;Neues Projekt</translation>
    </message>
    <message>
        <source>&amp;Load Project</source>
        <translation>Projekt &amp;laden</translation>
    </message>
    <message>
        <source>&amp;Save Project</source>
        <translation>Projekt &amp;speichern</translation>
    </message>
    <message>
        <source>Save Project &amp;As...</source>
        <translation>Projekt speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Add File(s)</source>
        <translation>Datei(en) &amp;hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove File(s)</source>
        <translation>Datei(en) &amp;entfernen</translation>
    </message>
    <message>
        <source>&amp;Start Automation</source>
        <translation>Automatisierung &amp;starten</translation>
    </message>
    <message>
        <source>S&amp;top Automation</source>
        <translation>Automatisierung an&amp;halten</translation>
    </message>
    <message>
        <source>S&amp;pawn Session</source>
        <translation>&amp;Neue Sitzung öffnen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Web Page</source>
        <translation>&amp;Webseite</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation>&amp;Ausführen</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Output Type :</source>
        <translation>Ausgabetyp:</translation>
    </message>
    <message>
        <source>Frame/Seconds :</source>
        <translation>Bilder/Sekunde:</translation>
    </message>
    <message>
        <source>Frame Tuner :</source>
        <translation>Bildkorrektur:</translation>
    </message>
    <message>
        <source>Output Settings :</source>
        <translation>Ausgabeeinstellungen:</translation>
    </message>
    <message>
        <source>Conversion Quality:</source>
        <translation>Konvertierungsqualität:</translation>
    </message>
    <message>
        <source>Mode :</source>
        <translation>Modus:</translation>
    </message>
    <message>
        <source>Bitrate :</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>No Stop Action</source>
        <translation>Keine Stop-Aktion</translation>
    </message>
    <message>
        <source>Stop Action To Start</source>
        <translation>Stop-Aktion am Anfang</translation>
    </message>
    <message>
        <source>Stop Action To End</source>
        <translation>Stop-Aktion am Ende</translation>
    </message>
    <message>
        <source>Choose the output folder</source>
        <translation>Ausgabeordner wählen</translation>
    </message>
    <message>
        <source>Output Folder :</source>
        <translation>Ausgabeordner:</translation>
    </message>
    <message>
        <source>Input Files/Folders :</source>
        <translation>Eingabedateien/-ordner:</translation>
    </message>
    <message>
        <source>An unknown failure stopped the command.</source>
        <translation>Ein unbekannter Fehler hat den Befehl abgebrochen.</translation>
    </message>
    <message>
        <source>Project: %1</source>
        <translation>Projekt: %1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Save Project As</source>
        <translation>Projekt speichern unter</translation>
    </message>
    <message>
        <source>Load Project</source>
        <translation>Projekt laden</translation>
    </message>
    <message>
        <source>Save Project</source>
        <translation>Projekt speichern</translation>
    </message>
    <message>
        <source>Add File(s)</source>
        <translation>Datei(en) hinzufügen</translation>
    </message>
    <message>
        <source>Please Select a Directory</source>
        <translation>Bitte einen Ordner wählen</translation>
    </message>
</context>
<context>
    <name>TFormPreferences</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>General :</source>
        <translation>Allgemein:</translation>
    </message>
    <message>
        <source>Choose the default output folder</source>
        <translation>Standard-Ausgabeordner wählen</translation>
    </message>
    <message>
        <source>Default Output Mode :</source>
        <translation>Standard-Ausgabemodus:</translation>
    </message>
    <message>
        <source>Default Output Folder :</source>
        <translation>Standard-Ausgabeordner:</translation>
    </message>
    <message>
        <source>Output Type Defaults :</source>
        <translation>Vorgaben der Ausgabetypen:</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Add New</source>
        <translation>Neu hinzufügen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Output Mode :</source>
        <translation>Ausgabemodus:</translation>
    </message>
    <message>
        <source>Conversion Quality:</source>
        <translation>Konvertierungsqualität:</translation>
    </message>
    <message>
        <source>Mode :</source>
        <translation>Modus:</translation>
    </message>
    <message>
        <source>Bitrate :</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Please Select an Output Mode!</source>
        <translation>Bitte einen Ausgabemodus wählen!</translation>
    </message>
    <message>
        <source>Do you want to save the changes you have made?</source>
        <translation>Sollen die Änderungen gespeichert werden?</translation>
    </message>
    <message>
        <source>Please Select a Directory</source>
        <translation>Bitte einen Ordner wählen</translation>
    </message>
</context>
<context>
    <name>TFormProgressBarPercent</name>
    <message>
        <source>%%1</source>
        <comment>the percent of files converted: the sign stands before the number in English (%25); place it as your language does</comment>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Processing...</source>
        <translation>Verarbeitung...</translation>
    </message>
    <message>
        <source>Files converted</source>
        <translation>Konvertierte Dateien</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Converting: %1</source>
        <translation>Wird konvertiert: %1</translation>
    </message>
</context>
<context>
    <name>TUpDown</name>
    <message>
        <source>Increase %1</source>
        <translation>%1 erhöhen</translation>
    </message>
    <message>
        <source>Decrease %1</source>
        <translation>%1 verringern</translation>
    </message>
</context>
<context>
    <name>WindowRunHost</name>
    <message>
        <source>A conversion is under way. Stop it and close the program?

The files converted so far are kept and listed in the run report; the file being converted now is not finished.</source>
        <translation>Eine Konvertierung läuft. Soll sie angehalten und das Programm geschlossen werden?

Die bisher konvertierten Dateien bleiben erhalten und stehen im Laufbericht; die Datei, die gerade konvertiert wird, wird nicht fertig.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>tavrel: cannot start the window program %1: %2</source>
        <translation>tavrel: Das Fensterprogramm %1 lässt sich nicht starten: %2</translation>
    </message>
    <message>
        <source>An unknown failure stopped the program.</source>
        <translation>Ein unbekannter Fehler hat das Programm beendet.</translation>
    </message>
</context>
</TS>
