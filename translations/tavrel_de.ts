<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AutomationRun</name>
    <message>
        <source>Please select at least one Wave Data file to convert!</source>
        <translation>Bitte mindestens eine Wave-Datei zum Umwandeln auswählen!</translation>
    </message>
    <message>
        <source>Please select an output folder!</source>
        <translation>Bitte einen Ausgabeordner wählen!</translation>
    </message>
    <message>
        <source>Unable to create the output directory.Operation Aborted</source>
        <translation>Der Ausgabeordner lässt sich nicht anlegen. Vorgang abgebrochen</translation>
    </message>
    <message>
        <source>The MP3 encoder &apos;lame&apos; was not found in the search path (PATH). Files that are not MP3 files cannot be encoded in this run and are reported as not found; MP3 files are converted as usual. Install the &apos;lame&apos; package to convert the others.</source>
        <translation>Der MP3-Encoder »lame« wurde im Suchpfad (PATH) nicht gefunden. Dateien, die keine MP3-Dateien sind, lassen sich in diesem Lauf nicht kodieren und werden als nicht gefunden gemeldet; MP3-Dateien werden wie gewohnt umgewandelt. Das Paket »lame« installieren, um auch die anderen umzuwandeln.</translation>
    </message>
    <message>
        <source>Cannot create file %1: it is an input of the run</source>
        <translation>Die Datei %1 lässt sich nicht anlegen: Sie ist eine Eingabe des Laufs</translation>
    </message>
    <message>
        <source>Cannot create file %1</source>
        <translation>Die Datei %1 lässt sich nicht anlegen</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Invalid Parameters</source>
        <translation>Ungültige Parameter</translation>
    </message>
    <message>
        <source>Invalid Filename</source>
        <translation>Ungültiger Dateiname</translation>
    </message>
    <message>
        <source>Usage: tavrel [OPTIONS] FILE|FOLDER...   convert sound files, no window
       tavrel -w [FILE|FOLDER...]       open the window with these files listed
       tavrel -f:&lt;project&gt; [-hide]      convert a project&apos;s sound files and end
       tavrel                           open the window
       tavrel --help | --version | --list-modes
</source>
        <translation>Aufruf: tavrel [OPTIONEN] DATEI|ORDNER...  Tondateien umwandeln, ohne Fenster
        tavrel -w [DATEI|ORDNER...]      das Fenster mit diesen Dateien öffnen
        tavrel -f:&lt;Projekt&gt; [-hide]      die Tondateien eines Projekts umwandeln
        tavrel                           das Fenster öffnen
        tavrel --help | --version | --list-modes
</translation>
    </message>
    <message>
        <source>  -m, --mode NAME|N      Encode with the output mode of that name, or number N
                         of --list-modes (default: the new project&apos;s).
</source>
        <translation>  -m, --mode NAME|N      Mit dem Ausgabemodus dieses Namens oder der Nummer N
                         von --list-modes kodieren (Vorgabe: der eines neuen
                         Projekts).
</translation>
    </message>
    <message>
        <source>      --list-modes       Print the output modes of settings.ini: number, name,
                         encoder options, and &quot;editable&quot; for the one whose
                         values the next three options set.
</source>
        <translation>      --list-modes       Die Ausgabemodi aus settings.ini ausgeben: Nummer,
                         Name, Encoder-Optionen und &quot;editable&quot; für den, dessen
                         Werte die nächsten drei Optionen setzen.
</translation>
    </message>
    <message>
        <source>      --quality N        Encoder quality, 1 (best) to 9.
</source>
        <translation>      --quality N        Qualität des Encoders, 1 (beste) bis 9.
</translation>
    </message>
    <message>
        <source>      --channel-mode M   stereo, joint, force, mono or auto.
</source>
        <translation>      --channel-mode M   stereo, joint, force, mono oder auto.
</translation>
    </message>
    <message>
        <source>      --bitrate KBPS     16, 32, 64, 128 or 256. Any of these three not given is
                         the output mode&apos;s.
</source>
        <translation>      --bitrate KBPS     16, 32, 64, 128 oder 256. Wer von diesen dreien fehlt,
                         gilt wie im Ausgabemodus.
</translation>
    </message>
    <message>
        <source>      --stop WHEN        A Stop action: none (default), start or end.
</source>
        <translation>      --stop WANN        Eine Stop-Aktion: none (Vorgabe), start oder end.
</translation>
    </message>
    <message>
        <source>      --save-project FILE  Write the same run as a project file first (its
                         paths absolute); tavrel -f:FILE makes the same movies
                         and report.
</source>
        <translation>      --save-project DATEI  Zuerst denselben Lauf als Projektdatei schreiben
                         (mit absoluten Pfaden); tavrel -f:DATEI macht dieselben
                         Filme und denselben Bericht.
</translation>
    </message>
    <message>
        <source>  -r, --recursive        Take the sound files of a FOLDER&apos;s subfolders too.
</source>
        <translation>  -r, --recursive        Auch die Tondateien der Unterordner eines ORDNERS
                         nehmen.
</translation>
    </message>
    <message>
        <source>  -0, --null             Names in a LIST end with a NUL, not a line break (as
                         find -print0 writes them); -n prints them so too.
</source>
        <translation>  -0, --null             Namen in einer LISTE enden mit NUL statt Zeilenumbruch
                         (wie find -print0 sie schreibt); -n gibt sie auch so
                         aus.
</translation>
    </message>
    <message>
        <source>  -q, --quiet            No progress or summary on a terminal.
</source>
        <translation>  -q, --quiet            Kein Fortschritt und keine Zusammenfassung im Terminal.
</translation>
    </message>
    <message>
        <source>  -w, --window           Open the window with the files in its input list.
</source>
        <translation>  -w, --window           Das Fenster mit den Dateien in seiner Eingabeliste
                         öffnen.
</translation>
    </message>
    <message>
        <source>  --                     Every argument after it is a file, even one starting
                         with -.
</source>
        <translation>  --                     Jedes Argument danach ist eine Datei, auch eines, das
                         mit - beginnt.
</translation>
    </message>
    <message>
        <source>  -h, --help             Print this text and end.
</source>
        <translation>  -h, --help             Diesen Text ausgeben und enden.
</translation>
    </message>
    <message>
        <source>  --version              Print the version and end.
</source>
        <translation>  --version              Die Version ausgeben und enden.
</translation>
    </message>
    <message>
        <source>Examples:
  tavrel -o movies sounds/                  every sound file in sounds/
</source>
        <translation>Beispiele:
  tavrel -o movies sounds/                  jede Tondatei in sounds/
</translation>
    </message>
    <message>
        <source>      --fps N            Frames per second, 0 to 100 (default 12): the rate of
                         the host movie that loads these movies, which sets how
                         many frames each has. Their own header keeps 12
                         unless --standalone.
</source>
        <translation>      --fps N            Bilder je Sekunde, 0 bis 100 (Vorgabe 12): die Rate des
                         Films, der diese Filme lädt; sie bestimmt, wie viele
                         Bilder jeder hat. Ihr eigener Kopf behält 12, außer
                         mit --standalone.
</translation>
    </message>
    <message>
        <source>      --gapless          Exact timing: only the sound&apos;s own samples play, so it
                         starts on time and loops without a gap.
</source>
        <translation>      --gapless          Genaues Timing: Nur die eigenen Samples des Tons
                         spielen, so beginnt er pünktlich und wiederholt sich
                         lückenlos.
</translation>
    </message>
    <message>
        <source>      --loops N          Play the sound N times, 1 to 65535; the movie&apos;s frames
                         last as long.
</source>
        <translation>      --loops N          Den Ton N-mal spielen, 1 bis 65535; die Bilder des
                         Films dauern so lange.
</translation>
    </message>
    <message>
        <source>      --standalone       The header states --fps (1 to 100), not 12: a movie
                         played on its own lasts as long as its sound.
</source>
        <translation>      --standalone       Der Kopf nennt --fps (1 bis 100), nicht 12: Ein Film,
                         der allein abgespielt wird, dauert so lange wie sein
                         Ton.
</translation>
    </message>
    <message>
        <source>SWF Tavrel Tool turns sound files into SWF movies that play the sound. A FOLDER
stands for the sound files directly inside it (-r: and in its subfolders), in
name order, hidden ones left out: MP3, and what libsndfile reads (WAV, AIFF,
FLAC, Ogg Vorbis and Opus, AU, CAF, W64, RF64 and more).
</source>
        <translation>SWF Tavrel Tool macht aus Tondateien SWF-Filme, die den Ton abspielen. Ein
ORDNER steht für die Tondateien direkt darin (-r: auch in seinen Unterordnern),
nach Namen geordnet, ohne versteckte: MP3 und was libsndfile liest (WAV, AIFF,
FLAC, Ogg Vorbis und Opus, AU, CAF, W64, RF64 und mehr).
</translation>
    </message>
    <message>
        <source>  -o, --output DIR       Write the movies and the run report into DIR (made,
                         with its parents, when missing). Required for a run.
</source>
        <translation>  -o, --output ORDNER    Die Filme und den Laufbericht in ORDNER schreiben (samt
                         übergeordneten Ordnern angelegt, wenn er fehlt). Für
                         einen Lauf nötig.
</translation>
    </message>
    <message>
        <source>      --tuner N          Frames added to (or taken from) each movie, -100 to
                         100.
</source>
        <translation>      --tuner N          Bilder, die jedem Film hinzugefügt (oder genommen)
                         werden, -100 bis 100.
</translation>
    </message>
    <message>
        <source>  -j, --jobs N           Encode N files at once, 1 to 64 (default:
                         settings.ini&apos;s encoders, one per processor).
</source>
        <translation>  -j, --jobs N           N Dateien gleichzeitig kodieren, 1 bis 64 (Vorgabe:
                         encoders aus settings.ini, einer je Prozessor).
</translation>
    </message>
    <message>
        <source>      --report FILE      Write the run report to FILE (default:
                         DIR/Untitled.txt, or DIR/&lt;name&gt;.txt with
                         --save-project &lt;name&gt;.xml).
</source>
        <translation>      --report DATEI     Den Laufbericht in DATEI schreiben (Vorgabe:
                         ORDNER/Untitled.txt, oder ORDNER/&lt;Name&gt;.txt mit
                         --save-project &lt;Name&gt;.xml).
</translation>
    </message>
    <message>
        <source>  -n, --dry-run          Convert nothing: check what the run checks (the same
                         messages and exit status), save the project when
                         asked, and print the files to convert, one a line.
</source>
        <translation>  -n, --dry-run          Nichts umwandeln: prüfen, was der Lauf prüft (dieselben
                         Meldungen und derselbe Exit-Status), das Projekt auf
                         Wunsch speichern und die umzuwandelnden Dateien
                         ausgeben, eine je Zeile.
</translation>
    </message>
    <message>
        <source>      --files-from LIST  Also convert the files (or folders) named in the file
                         LIST, one a line; - reads the names from standard
                         input.
</source>
        <translation>      --files-from LISTE Auch die Dateien (oder Ordner) umwandeln, die in der
                         Datei LISTE stehen, eine je Zeile; - liest die Namen
                         von der Standardeingabe.
</translation>
    </message>
    <message>
        <source>  -f:&lt;project&gt;           Load the project file (as the window&apos;s Save Project
                         writes it), make a movie of each of its sound files
                         in its output folder, write the run report there and
                         end. No blank between -f: and the path. Relative
                         paths in the project are read from its folder.
</source>
        <translation>  -f:&lt;Projekt&gt;           Die Projektdatei laden (wie Projekt speichern im
                         Fenster sie schreibt), aus jeder ihrer Tondateien einen
                         Film in ihrem Ausgabeordner machen, dort den
                         Laufbericht schreiben und enden. Kein Leerzeichen
                         zwischen -f: und dem Pfad. Relative Pfade im Projekt
                         gelten ab seinem Ordner.
</translation>
    </message>
    <message>
        <source>  -hide                  Show no window during that run: every message goes
                         to standard error. Without a display there is never
                         a window.
</source>
        <translation>  -hide                  Bei diesem Lauf kein Fenster zeigen: Jede Meldung geht
                         auf die Standardfehlerausgabe. Ohne Bildschirm gibt es
                         nie ein Fenster.
</translation>
    </message>
    <message>
        <source>On a terminal a run shows its progress on standard error (files done, percent,
the file in work) and a summary line; otherwise, as with -f:, only a line for
each file that gave no movie, and why. Messages start with &quot;tavrel: &quot;.
</source>
        <translation>Im Terminal zeigt ein Lauf seinen Fortschritt auf der Standardfehlerausgabe
(fertige Dateien, Prozent, die Datei in Arbeit) und eine Zusammenfassung; sonst,
wie mit -f:, nur eine Zeile je Datei, die keinen Film ergab, und warum.
Meldungen beginnen mit &quot;tavrel: &quot;.
</translation>
    </message>
    <message>
        <source>Exit status of a run (files or -f:):
  0  every listed file became a movie and the report was written
  1  a mistake in the options (an unknown option, a missing or bad value; the
     message names it), no sound files, no output folder, a check message
     (Invalid Parameters, Invalid Filename, no input files, no output
     folder, an output folder that cannot be made), or no display or no
     window program to show the window
  2  the project file, a --files-from list or settings.ini could not be read,
     or the --save-project file could not be written (or would replace an
     input or a movie of the run)
  3  the run was stopped (closing the window; SIGINT, SIGTERM or SIGHUP,
     which also end a window that runs nothing), or its report could not be
     written (or would replace an input, a movie or the project file)
  4  the run completed, but some listed files gave no movie (-n: some listed
     files cannot be read)
</source>
        <translation>Exit-Status eines Laufs (Dateien oder -f:):
  0  jede aufgeführte Datei wurde ein Film, und der Bericht wurde geschrieben
  1  ein Fehler in den Optionen (eine unbekannte Option, ein fehlender oder
     falscher Wert; die Meldung nennt ihn), keine Tondateien, kein
     Ausgabeordner, eine Prüfmeldung (Invalid Parameters, Invalid Filename,
     keine Eingabedateien, kein Ausgabeordner, ein Ausgabeordner, der sich
     nicht anlegen lässt), oder kein Bildschirm oder kein Fensterprogramm für
     das Fenster
  2  die Projektdatei, eine --files-from-Liste oder settings.ini ließ sich
     nicht lesen, oder die --save-project-Datei ließ sich nicht schreiben
     (oder würde eine Eingabe oder einen Film des Laufs ersetzen)
  3  der Lauf wurde angehalten (Schließen des Fensters; SIGINT, SIGTERM oder
     SIGHUP, die auch ein Fenster beenden, das nichts umwandelt), oder sein
     Bericht ließ sich nicht schreiben (oder würde eine Eingabe, einen Film
     oder die Projektdatei ersetzen)
  4  der Lauf wurde fertig, aber einige aufgeführte Dateien ergaben keinen
     Film (-n: einige aufgeführte Dateien lassen sich nicht lesen)
</translation>
    </message>
    <message>
        <source>Settings: settings.ini beside the program when there is one; else each
user&apos;s own $XDG_CONFIG_HOME/tavrel/settings.ini
(~/.config/tavrel/settings.ini), made from the shipped
share/tavrel/settings.ini when the preferences are first saved.
</source>
        <translation>Einstellungen: settings.ini neben dem Programm, wenn es eine gibt; sonst die
eigene jedes Benutzers, $XDG_CONFIG_HOME/tavrel/settings.ini
(~/.config/tavrel/settings.ini), beim ersten Speichern der Einstellungen aus der
mitgelieferten share/tavrel/settings.ini gemacht.
</translation>
    </message>
    <message>
        <source>-hide needs a project, -f:&lt;project&gt; (files are converted without -hide: tavrel -o DIR FILE...)</source>
        <translation>-hide braucht ein Projekt, -f:&lt;Projekt&gt; (Dateien werden ohne -hide umgewandelt: tavrel -o ORDNER DATEI...)</translation>
    </message>
    <message>
        <source>no project file is named: -f:&lt;project&gt;, with no blank after -f:</source>
        <translation>keine Projektdatei genannt: -f:&lt;Projekt&gt;, ohne Leerzeichen nach -f:</translation>
    </message>
    <message>
        <source>%1: it is a folder, not a project file</source>
        <translation>%1: Es ist ein Ordner, keine Projektdatei</translation>
    </message>
</context>
<context>
    <name>EncoderRunner</name>
    <message>
        <source>the encoder was not found</source>
        <translation>der Encoder wurde nicht gefunden</translation>
    </message>
    <message>
        <source>the file could not be read</source>
        <translation>die Datei ließ sich nicht lesen</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>the MP3 file could not be created</source>
        <translation>die MP3-Datei ließ sich nicht anlegen</translation>
    </message>
    <message>
        <source>the input has %1 channels; the encoder takes 1 or 2</source>
        <translation>die Eingabe hat %1 Kanäle; der Encoder nimmt 1 oder 2</translation>
    </message>
    <message>
        <source>the encoder could not be started</source>
        <translation>der Encoder ließ sich nicht starten</translation>
    </message>
    <message>
        <source>the encoder was ended by signal %1%2</source>
        <comment>%2: what the encoder said, beginning with a colon, or nothing</comment>
        <translation>der Encoder wurde durch Signal %1 beendet%2</translation>
    </message>
    <message>
        <source>the encoder failed (exit status %1)%2</source>
        <comment>%2: what the encoder said, beginning with a colon, or nothing</comment>
        <translation>der Encoder ist gescheitert (Exit-Status %1)%2</translation>
    </message>
</context>
<context>
    <name>ErrorLines</name>
    <message>
        <source>%1: %2</source>
        <comment>a message, then what it is about or why</comment>
        <translation>%1: %2</translation>
    </message>
</context>
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
    <name>FileFailure</name>
    <message>
        <source>file not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>the file could not be read</source>
        <translation>die Datei ließ sich nicht lesen</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>the sound length could not be read</source>
        <translation>die Länge des Tons ließ sich nicht lesen</translation>
    </message>
    <message>
        <source>the frame count could not be worked out</source>
        <translation>die Zahl der Bilder ließ sich nicht ermitteln</translation>
    </message>
    <message>
        <source>no output mode is defined</source>
        <translation>kein Ausgabemodus ist festgelegt</translation>
    </message>
    <message>
        <source>no output mode is named &quot;%1&quot;</source>
        <translation>kein Ausgabemodus heißt &quot;%1&quot;</translation>
    </message>
    <message>
        <source>unexpected file format</source>
        <translation>unerwartetes Dateiformat</translation>
    </message>
    <message>
        <source>the sound is too long for one movie</source>
        <translation>der Ton ist zu lang für einen Film</translation>
    </message>
    <message>
        <source>the movie could not be written</source>
        <translation>der Film ließ sich nicht schreiben</translation>
    </message>
    <message>
        <source>the movie %1 would replace an input file</source>
        <translation>der Film %1 würde eine Eingabedatei ersetzen</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>angehalten</translation>
    </message>
    <message>
        <source>an unexpected failure</source>
        <translation>ein unerwarteter Fehler</translation>
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
        <source>There is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set, or the display does not answer). To convert without one, run: tavrel -o DIR FILE... (sound files), or tavrel -f:project.xml -hide (a project)</source>
        <translation>Es gibt keinen Bildschirm, auf dem das Fenster erscheinen kann (DISPLAY und WAYLAND_DISPLAY sind nicht gesetzt, oder der Bildschirm antwortet nicht). Ohne Bildschirm umwandeln: tavrel -o ORDNER DATEI... (Tondateien) oder tavrel -f:projekt.xml -hide (ein Projekt)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is ignored beside -f: and -hide</source>
        <translation>»%1« wird neben -f: und -hide nicht beachtet</translation>
    </message>
</context>
<context>
    <name>ProgressPrinter</name>
    <message>
        <source>%1 of 1 file converted</source>
        <translation>%1 von 1 Datei umgewandelt</translation>
    </message>
    <message>
        <source>%1 of %2 files converted</source>
        <translation>%1 von %2 Dateien umgewandelt</translation>
    </message>
    <message>
        <source>, %1 without a movie</source>
        <comment>follows &quot;2 of 3 files converted&quot;</comment>
        <translation>, %1 ohne Film</translation>
    </message>
    <message>
        <source> (stopped)</source>
        <comment>follows the count of files</comment>
        <translation> (angehalten)</translation>
    </message>
    <message>
        <source>; report: %1</source>
        <comment>ends the line of the count of files</comment>
        <translation>; Bericht: %1</translation>
    </message>
    <message>
        <source>; the report could not be written</source>
        <comment>ends the line of the count of files</comment>
        <translation>; der Bericht ließ sich nicht schreiben</translation>
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
    <name>RunOutputChecks</name>
    <message>
        <source>it is an input of the run</source>
        <translation>Sie ist eine Eingabe des Laufs</translation>
    </message>
    <message>
        <source>the movie of %1 goes there</source>
        <translation>der Film von %1 kommt dorthin</translation>
    </message>
    <message>
        <source>Cannot create file %1: %2</source>
        <translation>Die Datei %1 lässt sich nicht anlegen: %2</translation>
    </message>
    <message>
        <source>it is the project file of the run</source>
        <translation>Sie ist die Projektdatei des Laufs</translation>
    </message>
</context>
<context>
    <name>RunOutputs</name>
    <message>
        <source>its movie is %1 (%2 is the movie of %3)</source>
        <translation>ihr Film ist %1 (%2 ist der Film von %3)</translation>
    </message>
</context>
<context>
    <name>RunScheduler</name>
    <message>
        <source>the input holds less than its header says (%1 s of %2 s)</source>
        <translation>die Eingabe enthält weniger, als ihr Kopf angibt (%1 s von %2 s)</translation>
    </message>
    <message>
        <source>the encoder made no MP3 file</source>
        <translation>der Encoder hat keine MP3-Datei gemacht</translation>
    </message>
    <message>
        <source>the encoded MP3 holds %1 s of %2 s</source>
        <translation>die kodierte MP3 enthält %1 s von %2 s</translation>
    </message>
    <message>
        <source>the input is damaged at %1 s of %2 s: some players stop there</source>
        <translation>die Eingabe ist bei %1 s von %2 s beschädigt: Manche Player halten dort an</translation>
    </message>
</context>
<context>
    <name>ScriptOptions</name>
    <message>
        <source>a whole number from %1 to %2</source>
        <translation>eine ganze Zahl von %1 bis %2</translation>
    </message>
    <message>
        <source>invalid value &apos;%1&apos; for %2: %3</source>
        <translation>ungültiger Wert &apos;%1&apos; für %2: erwartet wird %3</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>an output mode&apos;s name or number (see --list-modes)</source>
        <translation>der Name oder die Nummer eines Ausgabemodus (siehe --list-modes)</translation>
    </message>
    <message>
        <source>1 (best) to 9</source>
        <translation>1 (beste) bis 9</translation>
    </message>
    <message>
        <source>stereo, joint, force, mono or auto</source>
        <translation>stereo, joint, force, mono oder auto</translation>
    </message>
    <message>
        <source>none, start or end</source>
        <translation>none, start oder end</translation>
    </message>
    <message>
        <source>a file</source>
        <translation>eine Datei</translation>
    </message>
    <message>
        <source>a file, or - for standard input</source>
        <translation>eine Datei, oder - für die Standardeingabe</translation>
    </message>
    <message>
        <source>cannot read the list of files from standard input: %1</source>
        <translation>die Liste der Dateien lässt sich nicht von der Standardeingabe lesen: %1</translation>
    </message>
    <message>
        <source>cannot read the list of files %1%2</source>
        <translation>die Liste der Dateien %1 lässt sich nicht lesen%2</translation>
    </message>
    <message>
        <source>: no such file</source>
        <translation>: Diese Datei gibt es nicht</translation>
    </message>
    <message>
        <source>%1: a project file is converted with -f:%1</source>
        <translation>%1: Eine Projektdatei wird mit -f:%1 umgewandelt</translation>
    </message>
    <message>
        <source>option &apos;%1&apos; needs a value</source>
        <translation>Option &apos;%1&apos; braucht einen Wert</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>option &apos;%1&apos; takes no value</source>
        <translation>Option &apos;%1&apos; nimmt keinen Wert</translation>
    </message>
    <message>
        <source>option &apos;--window&apos; takes only FILE|FOLDER arguments, -r, --files-from and -0</source>
        <translation>Option &apos;--window&apos; nimmt nur DATEI|ORDNER-Argumente, -r, --files-from und -0</translation>
    </message>
    <message>
        <source>option &apos;--standalone&apos; needs a frame rate: --fps 1 to 100</source>
        <translation>Option &apos;--standalone&apos; braucht eine Bildrate: --fps 1 bis 100</translation>
    </message>
</context>
<context>
    <name>ScriptRun</name>
    <message>
        <source>Try &apos;tavrel --help&apos; for more information.</source>
        <translation>»tavrel --help« gibt weitere Informationen.</translation>
    </message>
    <message>
        <source>no sound files given: name FILEs or FOLDERs, or a list with --files-from</source>
        <translation>keine Tondateien angegeben: DATEIEN oder ORDNER nennen, oder eine Liste mit --files-from</translation>
    </message>
    <message>
        <source>no output folder given: name one with -o DIR</source>
        <translation>kein Ausgabeordner angegeben: einen mit -o ORDNER nennen</translation>
    </message>
    <message>
        <source>no output mode &apos;%1&apos; in %2 (tavrel --list-modes lists them)</source>
        <translation>kein Ausgabemodus &apos;%1&apos; in %2 (tavrel --list-modes führt sie auf)</translation>
    </message>
    <message>
        <source>no sound files to convert in the FILEs, FOLDERs and lists given</source>
        <translation>keine Tondateien zum Umwandeln in den angegebenen DATEIEN, ORDNERN und Listen</translation>
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
    <name>SoundLength</name>
    <message>
        <source>Unable to open %1: %2</source>
        <translation>%1 lässt sich nicht öffnen: %2</translation>
    </message>
    <message>
        <source>Unable to open %1</source>
        <translation>%1 lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>Unable to find the length of %1</source>
        <translation>Die Länge von %1 lässt sich nicht ermitteln</translation>
    </message>
    <message>
        <source>Sound too long: %1</source>
        <translation>Ton zu lang: %1</translation>
    </message>
    <message>
        <source>Not an MP3 file: %1</source>
        <translation>Keine MP3-Datei: %1</translation>
    </message>
</context>
<context>
    <name>SoundMovieBuilder</name>
    <message>
        <source>its frames cover %1 s of %2 s: a movie holds at most %3 frames</source>
        <translation>ihre Bilder decken %1 s von %2 s ab: Ein Film enthält höchstens %3 Bilder</translation>
    </message>
    <message>
        <source>its movie holds %1 of its %2 frames: a movie holds at most %3 frames</source>
        <translation>ihr Film enthält %1 ihrer %2 Bilder: Ein Film enthält höchstens %3 Bilder</translation>
    </message>
    <message>
        <source>its movie has no frame for the sound&apos;s %1 ms (%2 frames per second, frame tuner %3)</source>
        <translation>ihr Film hat kein Bild für die %1 ms des Tons (%2 Bilder je Sekunde, Bildkorrektur %3)</translation>
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
    <message>
        <source>The frame rate of the host movie that will load these movies: it sets how many frames each movie has. The movie&apos;s own header keeps 12 frames per second unless Standalone Movie is checked.</source>
        <translation>Die Bildrate des Films, der diese Filme laden wird: Sie bestimmt, wie viele Bilder jeder Film hat. Der eigene Kopf des Films behält 12 Bilder je Sekunde, außer »Eigenständiger Film« ist angekreuzt.</translation>
    </message>
    <message>
        <source>Exact Timing</source>
        <translation>Genaues Timing</translation>
    </message>
    <message>
        <source>Only the sound&apos;s own samples play, without the encoder&apos;s silence before and after them: the sound starts on time and loops without a gap.</source>
        <translation>Nur die eigenen Samples des Tons spielen, ohne die Stille des Encoders davor und danach: Der Ton beginnt pünktlich und wiederholt sich lückenlos.</translation>
    </message>
    <message>
        <source>Loops :</source>
        <translation>Wiederholungen:</translation>
    </message>
    <message>
        <source>How many times the sound plays, 1 to 65535; the movie&apos;s frames last as long. 0 plays it once, as a movie without this setting.</source>
        <translation>Wie oft der Ton spielt, 1 bis 65535; die Bilder des Films dauern so lange. 0 spielt ihn einmal, wie ein Film ohne diese Einstellung.</translation>
    </message>
    <message>
        <source>Standalone Movie</source>
        <translation>Eigenständiger Film</translation>
    </message>
    <message>
        <source>The movie&apos;s header states Frame/Seconds (1 to 100) instead of 12, so that the movie played on its own lasts as long as its sound.</source>
        <translation>Der Kopf des Films nennt Bilder/Sekunde (1 bis 100) statt 12, damit der allein abgespielte Film so lange dauert wie sein Ton.</translation>
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
    <name>UpDownArrows</name>
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
        <source>An unknown failure stopped the program.</source>
        <translation>Ein unbekannter Fehler hat das Programm beendet.</translation>
    </message>
    <message>
        <source>cannot start the window program %1: %2</source>
        <translation>Das Fensterprogramm %1 lässt sich nicht starten: %2</translation>
    </message>
</context>
</TS>
