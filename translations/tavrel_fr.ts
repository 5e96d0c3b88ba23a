<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AutomationRun</name>
    <message>
        <source>Please select at least one Wave Data file to convert!</source>
        <translation>Veuillez choisir au moins un fichier Wave à convertir !</translation>
    </message>
    <message>
        <source>Please select an output folder!</source>
        <translation>Veuillez choisir un dossier de sortie !</translation>
    </message>
    <message>
        <source>Unable to create the output directory.Operation Aborted</source>
        <translation>Impossible de créer le dossier de sortie. Opération annulée</translation>
    </message>
    <message>
        <source>The MP3 encoder &apos;lame&apos; was not found in the search path (PATH). Files that are not MP3 files cannot be encoded in this run and are reported as not found; MP3 files are converted as usual. Install the &apos;lame&apos; package to convert the others.</source>
        <translation>L&apos;encodeur MP3 « lame » est introuvable dans le chemin de recherche (PATH). Les fichiers qui ne sont pas des MP3 ne peuvent pas être encodés pendant ce traitement et sont signalés comme introuvables ; les MP3 sont convertis comme d&apos;habitude. Installez le paquet « lame » pour convertir les autres.</translation>
    </message>
    <message>
        <source>Cannot create file %1: it is an input of the run</source>
        <translation>Impossible de créer le fichier %1 : c’est une entrée du traitement</translation>
    </message>
    <message>
        <source>Cannot create file %1</source>
        <translation>Impossible de créer le fichier %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Invalid Parameters</source>
        <translation>Paramètres non valides</translation>
    </message>
    <message>
        <source>Invalid Filename</source>
        <translation>Nom de fichier non valide</translation>
    </message>
    <message>
        <source>Usage: tavrel [OPTIONS] FILE|FOLDER...   convert sound files, no window
       tavrel -w [FILE|FOLDER...]       open the window with these files listed
       tavrel -f:&lt;project&gt; [-hide]      convert a project&apos;s sound files and end
       tavrel                           open the window
       tavrel --help | --version | --list-modes
</source>
        <translation>Usage : tavrel [OPTIONS] FICHIER|DOSSIER...  convertir des sons, sans fenêtre
        tavrel -w [FICHIER|DOSSIER...]      ouvrir la fenêtre avec ces fichiers
        tavrel -f:&lt;projet&gt; [-hide]          convertir les sons d&apos;un projet
        tavrel                              ouvrir la fenêtre
        tavrel --help | --version | --list-modes
</translation>
    </message>
    <message>
        <source>  -m, --mode NAME|N      Encode with the output mode of that name, or number N
                         of --list-modes (default: the new project&apos;s).
</source>
        <translation>  -m, --mode NOM|N       Encoder avec le mode de sortie de ce nom, ou de numéro
                         N dans --list-modes (par défaut : celui d&apos;un nouveau
                         projet).
</translation>
    </message>
    <message>
        <source>      --list-modes       Print the output modes of settings.ini: number, name,
                         encoder options, and &quot;editable&quot; for the one whose
                         values the next three options set.
</source>
        <translation>      --list-modes       Afficher les modes de sortie de settings.ini : numéro,
                         nom, options de l&apos;encodeur, et « editable » pour celui
                         dont les trois options suivantes fixent les valeurs.
</translation>
    </message>
    <message>
        <source>      --quality N        Encoder quality, 1 (best) to 9.
</source>
        <translation>      --quality N        Qualité de l&apos;encodeur, de 1 (la meilleure) à 9.
</translation>
    </message>
    <message>
        <source>      --channel-mode M   stereo, joint, force, mono or auto.
</source>
        <translation>      --channel-mode M   stereo, joint, force, mono ou auto.
</translation>
    </message>
    <message>
        <source>      --bitrate KBPS     16, 32, 64, 128 or 256. Any of these three not given is
                         the output mode&apos;s.
</source>
        <translation>      --bitrate KBPS     16, 32, 64, 128 ou 256. Chacune de ces trois options
                         omise garde la valeur du mode de sortie.
</translation>
    </message>
    <message>
        <source>      --stop WHEN        A Stop action: none (default), start or end.
</source>
        <translation>      --stop QUAND       Une action Stop : none (par défaut), start ou end.
</translation>
    </message>
    <message>
        <source>      --save-project FILE  Write the same run as a project file first (its
                         paths absolute); tavrel -f:FILE makes the same movies
                         and report.
</source>
        <translation>      --save-project FICHIER  Écrire d&apos;abord le même traitement en fichier de
                         projet (chemins absolus) ; tavrel -f:FICHIER donne les
                         mêmes films et le même rapport.
</translation>
    </message>
    <message>
        <source>  -r, --recursive        Take the sound files of a FOLDER&apos;s subfolders too.
</source>
        <translation>  -r, --recursive        Prendre aussi les fichiers son des sous-dossiers d&apos;un
                         DOSSIER.
</translation>
    </message>
    <message>
        <source>  -0, --null             Names in a LIST end with a NUL, not a line break (as
                         find -print0 writes them); -n prints them so too.
</source>
        <translation>  -0, --null             Les noms d&apos;une LISTE finissent par un NUL, non par un
                         saut de ligne (comme les écrit find -print0) ; -n les
                         affiche ainsi aussi.
</translation>
    </message>
    <message>
        <source>  -q, --quiet            No progress or summary on a terminal.
</source>
        <translation>  -q, --quiet            Ni progression ni résumé sur un terminal.
</translation>
    </message>
    <message>
        <source>  -w, --window           Open the window with the files in its input list.
</source>
        <translation>  -w, --window           Ouvrir la fenêtre avec les fichiers dans sa liste.
</translation>
    </message>
    <message>
        <source>  --                     Every argument after it is a file, even one starting
                         with -.
</source>
        <translation>  --                     Tout argument qui suit est un fichier, même s&apos;il
                         commence par -.
</translation>
    </message>
    <message>
        <source>  -h, --help             Print this text and end.
</source>
        <translation>  -h, --help             Afficher ce texte et finir.
</translation>
    </message>
    <message>
        <source>  --version              Print the version and end.
</source>
        <translation>  --version              Afficher la version et finir.
</translation>
    </message>
    <message>
        <source>Examples:
  tavrel -o movies sounds/                  every sound file in sounds/
</source>
        <translation>Exemples :
  tavrel -o movies sounds/                  chaque fichier son de sounds/
</translation>
    </message>
    <message>
        <source>      --fps N            Frames per second, 0 to 100 (default 12): the rate of
                         the host movie that loads these movies, which sets how
                         many frames each has. Their own header keeps 12
                         unless --standalone.
</source>
        <translation>      --fps N            Images par seconde, de 0 à 100 (12 par défaut) : la
                         cadence du film hôte qui charge ces films, qui fixe
                         combien d&apos;images chacun compte. Leur propre en-tête
                         garde 12, sauf avec --standalone.
</translation>
    </message>
    <message>
        <source>      --gapless          Exact timing: only the sound&apos;s own samples play, so it
                         starts on time and loops without a gap.
</source>
        <translation>      --gapless          Minutage exact : seuls les échantillons du son jouent ;
                         il commence à l&apos;heure et boucle sans blanc.
</translation>
    </message>
    <message>
        <source>      --loops N          Play the sound N times, 1 to 65535; the movie&apos;s frames
                         last as long.
</source>
        <translation>      --loops N          Jouer le son N fois, de 1 à 65535 ; les images du film
                         durent aussi longtemps.
</translation>
    </message>
    <message>
        <source>      --standalone       The header states --fps (1 to 100), not 12: a movie
                         played on its own lasts as long as its sound.
</source>
        <translation>      --standalone       L&apos;en-tête indique --fps (de 1 à 100), et non 12 : un
                         film joué seul dure aussi longtemps que son son.
</translation>
    </message>
    <message>
        <source>SWF Tavrel Tool turns sound files into SWF movies that play the sound. A FOLDER
stands for the sound files directly inside it (-r: and in its subfolders), in
name order, hidden ones left out: MP3, and what libsndfile reads (WAV, AIFF,
FLAC, Ogg Vorbis and Opus, AU, CAF, W64, RF64 and more).
</source>
        <translation>SWF Tavrel Tool fait de fichiers son des films SWF qui jouent le son. Un DOSSIER
désigne les fichiers son qu&apos;il contient directement (-r : et ceux de ses
sous-dossiers), par ordre de nom, sans les fichiers cachés : le MP3 et ce que
lit libsndfile (WAV, AIFF, FLAC, Ogg Vorbis et Opus, AU, CAF, W64, RF64, etc.).
</translation>
    </message>
    <message>
        <source>  -o, --output DIR       Write the movies and the run report into DIR (made,
                         with its parents, when missing). Required for a run.
</source>
        <translation>  -o, --output DOSSIER   Écrire les films et le rapport dans DOSSIER (créé, avec
                         ses parents, s&apos;il manque). Obligatoire pour convertir.
</translation>
    </message>
    <message>
        <source>      --tuner N          Frames added to (or taken from) each movie, -100 to
                         100.
</source>
        <translation>      --tuner N          Images ajoutées à chaque film (ou retirées), de -100 à
                         100.
</translation>
    </message>
    <message>
        <source>  -j, --jobs N           Encode N files at once, 1 to 64 (default:
                         settings.ini&apos;s encoders, one per processor).
</source>
        <translation>  -j, --jobs N           Encoder N fichiers à la fois, de 1 à 64 (par défaut :
                         encoders de settings.ini, un par processeur).
</translation>
    </message>
    <message>
        <source>      --report FILE      Write the run report to FILE (default:
                         DIR/Untitled.txt, or DIR/&lt;name&gt;.txt with
                         --save-project &lt;name&gt;.xml).
</source>
        <translation>      --report FICHIER   Écrire le rapport dans FICHIER (par défaut :
                         DOSSIER/Untitled.txt, ou DOSSIER/&lt;nom&gt;.txt avec
                         --save-project &lt;nom&gt;.xml).
</translation>
    </message>
    <message>
        <source>  -n, --dry-run          Convert nothing: check what the run checks (the same
                         messages and exit status), save the project when
                         asked, and print the files to convert, one a line.
</source>
        <translation>  -n, --dry-run          Ne rien convertir : vérifier ce que vérifie le
                         traitement (mêmes messages et même code de sortie),
                         enregistrer le projet si demandé, et afficher les
                         fichiers à convertir, un par ligne.
</translation>
    </message>
    <message>
        <source>      --files-from LIST  Also convert the files (or folders) named in the file
                         LIST, one a line; - reads the names from standard
                         input.
</source>
        <translation>      --files-from LISTE Convertir aussi les fichiers (ou dossiers) nommés dans
                         le fichier LISTE, un par ligne ; - lit les noms sur
                         l&apos;entrée standard.
</translation>
    </message>
    <message>
        <source>  -f:&lt;project&gt;           Load the project file (as the window&apos;s Save Project
                         writes it), make a movie of each of its sound files
                         in its output folder, write the run report there and
                         end. No blank between -f: and the path. Relative
                         paths in the project are read from its folder.
</source>
        <translation>  -f:&lt;projet&gt;            Charger le fichier de projet (tel que l&apos;écrit
                         Enregistrer le projet dans la fenêtre), faire un film
                         de chacun de ses fichiers son dans son dossier de
                         sortie, y écrire le rapport, et finir. Pas d&apos;espace
                         entre -f: et le chemin. Les chemins relatifs du projet
                         partent de son dossier.
</translation>
    </message>
    <message>
        <source>  -hide                  Show no window during that run: every message goes
                         to standard error. Without a display there is never
                         a window.
</source>
        <translation>  -hide                  N&apos;afficher aucune fenêtre pendant ce traitement : tout
                         message va sur la sortie d&apos;erreur. Sans écran, il n&apos;y a
                         jamais de fenêtre.
</translation>
    </message>
    <message>
        <source>On a terminal a run shows its progress on standard error (files done, percent,
the file in work) and a summary line; otherwise, as with -f:, only a line for
each file that gave no movie, and why. Messages start with &quot;tavrel: &quot;.
</source>
        <translation>Sur un terminal, un traitement affiche sa progression sur la sortie d&apos;erreur
(fichiers faits, pourcentage, fichier en cours) et une ligne de résumé ; sinon,
comme avec -f:, seulement une ligne pour chaque fichier qui n&apos;a pas donné de
film, avec la raison. Les messages commencent par « tavrel : ».
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
        <translation>Code de sortie d&apos;un traitement (fichiers ou -f:) :
  0  chaque fichier de la liste a donné un film et le rapport a été écrit
  1  une erreur dans les options (option inconnue, valeur manquante ou
     fausse ; le message la nomme), aucun fichier son, aucun dossier de
     sortie, un message de contrôle (Invalid Parameters, Invalid Filename,
     aucun fichier d&apos;entrée, aucun dossier de sortie, un dossier de sortie
     impossible à créer), ou ni écran ni programme de fenêtre pour la fenêtre
  2  le fichier de projet, une liste --files-from ou settings.ini n&apos;a pas pu
     être lu, ou le fichier --save-project n&apos;a pas pu être écrit (ou
     remplacerait une entrée ou un film du traitement)
  3  le traitement a été arrêté (fermeture de la fenêtre ; SIGINT, SIGTERM ou
     SIGHUP, qui ferment aussi une fenêtre sans traitement), ou son rapport
     n&apos;a pas pu être écrit (ou remplacerait une entrée, un film ou le fichier
     de projet)
  4  le traitement a fini, mais certains fichiers de la liste n&apos;ont pas donné
     de film (-n : certains fichiers de la liste ne peuvent pas être lus)
</translation>
    </message>
    <message>
        <source>Settings: settings.ini beside the program when there is one; else each
user&apos;s own $XDG_CONFIG_HOME/tavrel/settings.ini
(~/.config/tavrel/settings.ini), made from the shipped
share/tavrel/settings.ini when the preferences are first saved.
</source>
        <translation>Réglages : settings.ini à côté du programme s&apos;il y en a un ; sinon celui de
chaque utilisateur, $XDG_CONFIG_HOME/tavrel/settings.ini
(~/.config/tavrel/settings.ini), fait à partir du share/tavrel/settings.ini
livré la première fois que les préférences sont enregistrées.
</translation>
    </message>
    <message>
        <source>-hide needs a project, -f:&lt;project&gt; (files are converted without -hide: tavrel -o DIR FILE...)</source>
        <translation>-hide demande un projet, -f:&lt;projet&gt; (les fichiers se convertissent sans -hide : tavrel -o DOSSIER FICHIER...)</translation>
    </message>
    <message>
        <source>no project file is named: -f:&lt;project&gt;, with no blank after -f:</source>
        <translation>aucun fichier de projet nommé : -f:&lt;projet&gt;, sans espace après -f:</translation>
    </message>
    <message>
        <source>%1: it is a folder, not a project file</source>
        <translation>%1 : c&apos;est un dossier, pas un fichier de projet</translation>
    </message>
</context>
<context>
    <name>EncoderRunner</name>
    <message>
        <source>the encoder was not found</source>
        <translation>l&apos;encodeur est introuvable</translation>
    </message>
    <message>
        <source>the file could not be read</source>
        <translation>le fichier n&apos;a pas pu être lu</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>the MP3 file could not be created</source>
        <translation>le fichier MP3 n&apos;a pas pu être créé</translation>
    </message>
    <message>
        <source>the input has %1 channels; the encoder takes 1 or 2</source>
        <translation>l&apos;entrée a %1 canaux ; l&apos;encodeur en prend 1 ou 2</translation>
    </message>
    <message>
        <source>the encoder could not be started</source>
        <translation>l&apos;encodeur n&apos;a pas pu être lancé</translation>
    </message>
    <message>
        <source>the encoder was ended by signal %1%2</source>
        <comment>%2: what the encoder said, beginning with a colon, or nothing</comment>
        <translation>l&apos;encodeur a été arrêté par le signal %1%2</translation>
    </message>
    <message>
        <source>the encoder failed (exit status %1)%2</source>
        <comment>%2: what the encoder said, beginning with a colon, or nothing</comment>
        <translation>l&apos;encodeur a échoué (code de sortie %1)%2</translation>
    </message>
</context>
<context>
    <name>ErrorLines</name>
    <message>
        <source>%1: %2</source>
        <comment>a message, then what it is about or why</comment>
        <translation>%1 : %2</translation>
    </message>
</context>
<context>
    <name>FileContent</name>
    <message>
        <source>: it is not a regular file</source>
        <comment>follows a file&apos;s name in a message</comment>
        <translation> : ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>: it is larger than %1 MiB</source>
        <comment>follows a file&apos;s name in a message</comment>
        <translation> : il dépasse %1 Mio</translation>
    </message>
</context>
<context>
    <name>FileFailure</name>
    <message>
        <source>file not found</source>
        <translation>fichier introuvable</translation>
    </message>
    <message>
        <source>the file could not be read</source>
        <translation>le fichier n&apos;a pas pu être lu</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>the sound length could not be read</source>
        <translation>la durée du son n&apos;a pas pu être lue</translation>
    </message>
    <message>
        <source>the frame count could not be worked out</source>
        <translation>le nombre d&apos;images n&apos;a pas pu être calculé</translation>
    </message>
    <message>
        <source>no output mode is defined</source>
        <translation>aucun mode de sortie n&apos;est défini</translation>
    </message>
    <message>
        <source>no output mode is named &quot;%1&quot;</source>
        <translation>aucun mode de sortie ne s’appelle « %1 »</translation>
    </message>
    <message>
        <source>unexpected file format</source>
        <translation>format de fichier inattendu</translation>
    </message>
    <message>
        <source>the sound is too long for one movie</source>
        <translation>le son est trop long pour un seul film</translation>
    </message>
    <message>
        <source>the movie could not be written</source>
        <translation>le film n&apos;a pas pu être écrit</translation>
    </message>
    <message>
        <source>the movie %1 would replace an input file</source>
        <translation>le film %1 remplacerait un fichier d&apos;entrée</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>arrêté</translation>
    </message>
    <message>
        <source>an unexpected failure</source>
        <translation>une erreur inattendue</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>%1 Help</source>
        <comment>the window title: %1 is the program&apos;s name</comment>
        <translation>Aide de %1</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Texte de l&apos;aide</translation>
    </message>
</context>
<context>
    <name>InputFilesModel</name>
    <message>
        <source>This file is missing: there is nothing at this path. It gives no movie until it is there again.</source>
        <translation>Ce fichier manque : il n&apos;y a rien à cet emplacement. Il ne donnera pas de film tant qu&apos;il n&apos;y sera pas de nouveau.</translation>
    </message>
</context>
<context>
    <name>ProgramStart</name>
    <message>
        <source>There is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set, or the display does not answer). To convert without one, run: tavrel -o DIR FILE... (sound files), or tavrel -f:project.xml -hide (a project)</source>
        <translation>Il n&apos;y a pas d&apos;écran où afficher la fenêtre (DISPLAY et WAYLAND_DISPLAY ne sont pas définis, ou l&apos;écran ne répond pas). Pour convertir sans écran : tavrel -o DOSSIER FICHIER... (des fichiers son), ou tavrel -f:projet.xml -hide (un projet)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is ignored beside -f: and -hide</source>
        <translation>« %1 » est ignoré à côté de -f: et -hide</translation>
    </message>
</context>
<context>
    <name>ProgressPrinter</name>
    <message>
        <source>%1 of 1 file converted</source>
        <translation>%1 fichier sur 1 converti</translation>
    </message>
    <message>
        <source>%1 of %2 files converted</source>
        <translation>%1 fichiers sur %2 convertis</translation>
    </message>
    <message>
        <source>, %1 without a movie</source>
        <comment>follows &quot;2 of 3 files converted&quot;</comment>
        <translation>, %1 sans film</translation>
    </message>
    <message>
        <source> (stopped)</source>
        <comment>follows the count of files</comment>
        <translation> (arrêté)</translation>
    </message>
    <message>
        <source>; report: %1</source>
        <comment>ends the line of the count of files</comment>
        <translation> ; rapport : %1</translation>
    </message>
    <message>
        <source>; the report could not be written</source>
        <comment>ends the line of the count of files</comment>
        <translation> ; le rapport n&apos;a pas pu être écrit</translation>
    </message>
</context>
<context>
    <name>ProjectControls</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>« %1 » n’est pas un nombre entier valide</translation>
    </message>
</context>
<context>
    <name>ProjectFile</name>
    <message>
        <source>Cannot create file %1</source>
        <translation>Impossible de créer le fichier %1</translation>
    </message>
    <message>
        <source>Cannot open file %1%2</source>
        <comment>%2: why, beginning with a colon, or nothing</comment>
        <translation>Impossible d&apos;ouvrir le fichier %1%2</translation>
    </message>
</context>
<context>
    <name>ProjectRunFlow</name>
    <message>
        <source>The project file could not be loaded.</source>
        <translation>Le fichier de projet n&apos;a pas pu être chargé.</translation>
    </message>
    <message>
        <source>No output mode is defined in %1: files that are not MP3 files cannot be encoded in this run.</source>
        <translation>Aucun mode de sortie n&apos;est défini dans %1 : les fichiers qui ne sont pas des MP3 ne peuvent pas être encodés pendant ce traitement.</translation>
    </message>
</context>
<context>
    <name>QtUserDialogs</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existe déjà.
Voulez-vous le remplacer ?</translation>
    </message>
    <message>
        <source>The help file %1 cannot be opened.</source>
        <translation>Le fichier d&apos;aide %1 ne peut pas être ouvert.</translation>
    </message>
</context>
<context>
    <name>RunEndMessage</name>
    <message numerus="yes">
        <source>... and %n more.</source>
        <comment>files</comment>
        <translation>
            <numerusform>... et %n autre.</numerusform>
            <numerusform>... et %n autres.</numerusform>
        </translation>
    </message>
    <message>
        <source>These files gave no movie:</source>
        <translation>Ces fichiers n&apos;ont pas donné de film :</translation>
    </message>
    <message>
        <source>Please note:</source>
        <translation>À noter :</translation>
    </message>
</context>
<context>
    <name>RunOutputChecks</name>
    <message>
        <source>it is an input of the run</source>
        <translation>c&apos;est une entrée du traitement</translation>
    </message>
    <message>
        <source>the movie of %1 goes there</source>
        <translation>le film de %1 va là</translation>
    </message>
    <message>
        <source>Cannot create file %1: %2</source>
        <translation>Impossible de créer le fichier %1 : %2</translation>
    </message>
    <message>
        <source>it is the project file of the run</source>
        <translation>c&apos;est le fichier de projet du traitement</translation>
    </message>
</context>
<context>
    <name>RunOutputs</name>
    <message>
        <source>its movie is %1 (%2 is the movie of %3)</source>
        <translation>son film est %1 (%2 est le film de %3)</translation>
    </message>
</context>
<context>
    <name>RunScheduler</name>
    <message>
        <source>the input holds less than its header says (%1 s of %2 s)</source>
        <translation>l&apos;entrée contient moins que ne l&apos;indique son en-tête (%1 s sur %2 s)</translation>
    </message>
    <message>
        <source>the encoder made no MP3 file</source>
        <translation>l&apos;encodeur n&apos;a pas fait de fichier MP3</translation>
    </message>
    <message>
        <source>the encoded MP3 holds %1 s of %2 s</source>
        <translation>le MP3 encodé contient %1 s sur %2 s</translation>
    </message>
    <message>
        <source>the input is damaged at %1 s of %2 s: some players stop there</source>
        <translation>l&apos;entrée est abîmée à %1 s sur %2 s : certains lecteurs s&apos;y arrêtent</translation>
    </message>
</context>
<context>
    <name>ScriptOptions</name>
    <message>
        <source>a whole number from %1 to %2</source>
        <translation>un nombre entier de %1 à %2</translation>
    </message>
    <message>
        <source>invalid value &apos;%1&apos; for %2: %3</source>
        <translation>valeur &apos;%1&apos; non valide pour %2 : attendu %3</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>un dossier</translation>
    </message>
    <message>
        <source>an output mode&apos;s name or number (see --list-modes)</source>
        <translation>le nom ou le numéro d&apos;un mode de sortie (voir --list-modes)</translation>
    </message>
    <message>
        <source>1 (best) to 9</source>
        <translation>de 1 (la meilleure) à 9</translation>
    </message>
    <message>
        <source>stereo, joint, force, mono or auto</source>
        <translation>stereo, joint, force, mono ou auto</translation>
    </message>
    <message>
        <source>none, start or end</source>
        <translation>none, start ou end</translation>
    </message>
    <message>
        <source>a file</source>
        <translation>un fichier</translation>
    </message>
    <message>
        <source>a file, or - for standard input</source>
        <translation>un fichier, ou - pour l&apos;entrée standard</translation>
    </message>
    <message>
        <source>cannot read the list of files from standard input: %1</source>
        <translation>impossible de lire la liste des fichiers sur l&apos;entrée standard : %1</translation>
    </message>
    <message>
        <source>cannot read the list of files %1%2</source>
        <translation>impossible de lire la liste des fichiers %1%2</translation>
    </message>
    <message>
        <source>: no such file</source>
        <translation> : fichier introuvable</translation>
    </message>
    <message>
        <source>%1: a project file is converted with -f:%1</source>
        <translation>%1 : un fichier de projet se convertit avec -f:%1</translation>
    </message>
    <message>
        <source>option &apos;%1&apos; needs a value</source>
        <translation>l&apos;option &apos;%1&apos; demande une valeur</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>option inconnue &apos;%1&apos;</translation>
    </message>
    <message>
        <source>option &apos;%1&apos; takes no value</source>
        <translation>l&apos;option &apos;%1&apos; ne prend pas de valeur</translation>
    </message>
    <message>
        <source>option &apos;--window&apos; takes only FILE|FOLDER arguments, -r, --files-from and -0</source>
        <translation>l&apos;option &apos;--window&apos; ne prend que des arguments FICHIER|DOSSIER, -r, --files-from et -0</translation>
    </message>
    <message>
        <source>option &apos;--standalone&apos; needs a frame rate: --fps 1 to 100</source>
        <translation>l&apos;option &apos;--standalone&apos; demande une cadence : --fps de 1 à 100</translation>
    </message>
</context>
<context>
    <name>ScriptRun</name>
    <message>
        <source>Try &apos;tavrel --help&apos; for more information.</source>
        <translation>Essayez « tavrel --help » pour plus d&apos;informations.</translation>
    </message>
    <message>
        <source>no sound files given: name FILEs or FOLDERs, or a list with --files-from</source>
        <translation>aucun fichier son indiqué : nommez des FICHIERS ou DOSSIERS, ou une liste avec --files-from</translation>
    </message>
    <message>
        <source>no output folder given: name one with -o DIR</source>
        <translation>aucun dossier de sortie indiqué : nommez-en un avec -o DOSSIER</translation>
    </message>
    <message>
        <source>no output mode &apos;%1&apos; in %2 (tavrel --list-modes lists them)</source>
        <translation>aucun mode de sortie &apos;%1&apos; dans %2 (tavrel --list-modes les affiche)</translation>
    </message>
    <message>
        <source>no sound files to convert in the FILEs, FOLDERs and lists given</source>
        <translation>aucun fichier son à convertir dans les FICHIERS, DOSSIERS et listes indiqués</translation>
    </message>
</context>
<context>
    <name>SettingBoxes</name>
    <message>
        <source>Please Choose a Conversion Quality!</source>
        <translation>Veuillez choisir une qualité de conversion !</translation>
    </message>
    <message>
        <source>Please Choose a Mode!</source>
        <translation>Veuillez choisir un mode !</translation>
    </message>
    <message>
        <source>Please Choose a Bitrate!</source>
        <translation>Veuillez choisir un débit !</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Unable to write to %1: no home folder is known (set HOME or XDG_CONFIG_HOME)</source>
        <translation>Impossible d&apos;écrire dans %1 : aucun dossier personnel n&apos;est connu (définir HOME ou XDG_CONFIG_HOME)</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>Cannot read %1: it is a broken link (what it points to is not there).</source>
        <translation>Impossible de lire %1 : c&apos;est un lien cassé (sa cible n&apos;existe pas).</translation>
    </message>
    <message>
        <source>Cannot read %1: it is a folder, not a settings file.</source>
        <translation>Impossible de lire %1 : c&apos;est un dossier, pas un fichier de réglages.</translation>
    </message>
    <message>
        <source>Cannot read %1: it is not a regular file.</source>
        <translation>Impossible de lire %1 : ce n&apos;est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>The settings file %1 could not be loaded.</source>
        <translation>Le fichier de réglages %1 n&apos;a pas pu être chargé.</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; of %2 in section [general] of %3 is not a whole number; %4 is used instead.</source>
        <translation>La valeur « %1 » de %2 dans la section [general] de %3 n’est pas un nombre entier ; %4 est utilisé à la place.</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Impossible d&apos;écrire dans %1</translation>
    </message>
    <message>
        <source>Cannot read %1%2; no output modes are available.</source>
        <comment>%2: why, beginning with a colon, or nothing</comment>
        <translation>Impossible de lire %1%2 ; aucun mode de sortie n’est disponible.</translation>
    </message>
    <message>
        <source>outputmodecount in section [general] of %1 is %2; only the first %3 output modes are read.</source>
        <translation>outputmodecount dans la section [general] de %1 vaut %2 ; seuls les %3 premiers modes de sortie sont lus.</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; of encoders in section [general] of %2 is not a number of encoders (0 for one per processor, or 1 and more); %3 is used instead.</source>
        <translation>La valeur « %1 » de encoders dans la section [general] de %2 n’est pas un nombre d’encodeurs (0 pour un par processeur, ou 1 et plus) ; %3 est utilisé à la place.</translation>
    </message>
    <message>
        <source>encoders in section [general] of %1 is %2; at most %3 encoders run at once.</source>
        <translation>encoders dans la section [general] de %1 vaut %2 ; au plus %3 encodeurs tournent à la fois.</translation>
    </message>
</context>
<context>
    <name>SoundLength</name>
    <message>
        <source>Unable to open %1: %2</source>
        <translation>Impossible d&apos;ouvrir %1 : %2</translation>
    </message>
    <message>
        <source>Unable to open %1</source>
        <translation>Impossible d&apos;ouvrir %1</translation>
    </message>
    <message>
        <source>Unable to find the length of %1</source>
        <translation>Impossible de trouver la durée de %1</translation>
    </message>
    <message>
        <source>Sound too long: %1</source>
        <translation>Son trop long : %1</translation>
    </message>
    <message>
        <source>Not an MP3 file: %1</source>
        <translation>Ce n&apos;est pas un fichier MP3 : %1</translation>
    </message>
</context>
<context>
    <name>SoundMovieBuilder</name>
    <message>
        <source>its frames cover %1 s of %2 s: a movie holds at most %3 frames</source>
        <translation>ses images couvrent %1 s sur %2 s : un film contient au plus %3 images</translation>
    </message>
    <message>
        <source>its movie holds %1 of its %2 frames: a movie holds at most %3 frames</source>
        <translation>son film contient %1 de ses %2 images : un film contient au plus %3 images</translation>
    </message>
    <message>
        <source>its movie has no frame for the sound&apos;s %1 ms (%2 frames per second, frame tuner %3)</source>
        <translation>son film n&apos;a aucune image pour les %1 ms du son (%2 images par seconde, correction %3)</translation>
    </message>
</context>
<context>
    <name>TFormAbout</name>
    <message>
        <source>About %1</source>
        <translation>À propos de %1</translation>
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
        <translation>Nouveau mode de sortie</translation>
    </message>
    <message>
        <source>SWF for ...</source>
        <comment>the name a new output mode starts with</comment>
        <translation>SWF pour ...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Conversion Quality:</source>
        <translation>Qualité de conversion :</translation>
    </message>
    <message>
        <source>Mode :</source>
        <translation>Mode :</translation>
    </message>
    <message>
        <source>Bitrate :</source>
        <translation>Débit :</translation>
    </message>
    <message>
        <source>Please Specify a Name for this new output mode!</source>
        <translation>Veuillez indiquer un nom pour ce nouveau mode de sortie !</translation>
    </message>
    <message>
        <source>The Name of an output mode cannot hold a line break or another control character!</source>
        <translation>Le nom d&apos;un mode de sortie ne peut contenir ni saut de ligne ni autre caractère de contrôle !</translation>
    </message>
    <message>
        <source>An output mode is already named %1: please choose another Name!</source>
        <translation>Un mode de sortie porte déjà le nom %1 : veuillez choisir un autre nom !</translation>
    </message>
</context>
<context>
    <name>TFormMain</name>
    <message>
        <source>Wav files (*.wav);;MP3 files (*.mp3);;Wav and MP3 files (*.mp3 *.wav);;All Files (*)</source>
        <comment>file dialog filters: keep the patterns in parentheses and the ;; between them</comment>
        <translation>Fichiers WAV (*.wav);;Fichiers MP3 (*.mp3);;Fichiers WAV et MP3 (*.mp3 *.wav);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Extended Markup Language (*.xml);;All Files (*)</source>
        <comment>file dialog filters: keep the patterns in parentheses and the ;; between them</comment>
        <translation>Extended Markup Language (*.xml);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Do you want to save the changes you have made?</source>
        <translation>Voulez-vous enregistrer les modifications que vous avez faites ?</translation>
    </message>
    <message>
        <source>A conversion is under way. Closing the program stops it: the files converted so far are kept and listed in the run report; the file being converted now is not finished.

Do you want to save the changes you have made?</source>
        <translation>Une conversion est en cours. Fermer le programme l&apos;arrête : les fichiers déjà convertis sont gardés et figurent dans le rapport ; le fichier en cours de conversion n&apos;est pas terminé.

Voulez-vous enregistrer les modifications que vous avez faites ?</translation>
    </message>
    <message>
        <source>&amp;New Project</source>
        <translation>&amp;Nouveau projet</translation>
    </message>
    <message>
        <source>&amp;Load Project</source>
        <translation>&amp;Ouvrir un projet</translation>
    </message>
    <message>
        <source>&amp;Save Project</source>
        <translation>&amp;Enregistrer le projet</translation>
    </message>
    <message>
        <source>Save Project &amp;As...</source>
        <translation>Enregistrer le projet &amp;sous...</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Préférences</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Add File(s)</source>
        <translation>&amp;Ajouter des fichiers</translation>
    </message>
    <message>
        <source>&amp;Remove File(s)</source>
        <translation>&amp;Retirer des fichiers</translation>
    </message>
    <message>
        <source>&amp;Start Automation</source>
        <translation>&amp;Lancer l&apos;automatisation</translation>
    </message>
    <message>
        <source>S&amp;top Automation</source>
        <translation>&amp;Arrêter l&apos;automatisation</translation>
    </message>
    <message>
        <source>S&amp;pawn Session</source>
        <translation>&amp;Nouvelle session</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Web Page</source>
        <translation>Page &amp;Web</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation>E&amp;xécution</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Outils</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Output Type :</source>
        <translation>Type de sortie :</translation>
    </message>
    <message>
        <source>Frame/Seconds :</source>
        <translation>Images/seconde :</translation>
    </message>
    <message>
        <source>Frame Tuner :</source>
        <translation>Correction d’images :</translation>
    </message>
    <message>
        <source>Output Settings :</source>
        <translation>Réglages de sortie :</translation>
    </message>
    <message>
        <source>Conversion Quality:</source>
        <translation>Qualité de conversion :</translation>
    </message>
    <message>
        <source>Mode :</source>
        <translation>Mode :</translation>
    </message>
    <message>
        <source>Bitrate :</source>
        <translation>Débit :</translation>
    </message>
    <message>
        <source>No Stop Action</source>
        <translation>Pas d’action Stop</translation>
    </message>
    <message>
        <source>Stop Action To Start</source>
        <translation>Action Stop au début</translation>
    </message>
    <message>
        <source>Stop Action To End</source>
        <translation>Action Stop à la fin</translation>
    </message>
    <message>
        <source>Choose the output folder</source>
        <translation>Choisir le dossier de sortie</translation>
    </message>
    <message>
        <source>Output Folder :</source>
        <translation>Dossier de sortie :</translation>
    </message>
    <message>
        <source>Input Files/Folders :</source>
        <translation>Fichiers/dossiers d&apos;entrée :</translation>
    </message>
    <message>
        <source>An unknown failure stopped the command.</source>
        <translation>Une erreur inconnue a interrompu la commande.</translation>
    </message>
    <message>
        <source>Project: %1</source>
        <translation>Projet : %1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Save Project As</source>
        <translation>Enregistrer le projet sous</translation>
    </message>
    <message>
        <source>Load Project</source>
        <translation>Ouvrir un projet</translation>
    </message>
    <message>
        <source>Save Project</source>
        <translation>Enregistrer le projet</translation>
    </message>
    <message>
        <source>Add File(s)</source>
        <translation>Ajouter des fichiers</translation>
    </message>
    <message>
        <source>Please Select a Directory</source>
        <translation>Veuillez choisir un dossier</translation>
    </message>
    <message>
        <source>The frame rate of the host movie that will load these movies: it sets how many frames each movie has. The movie&apos;s own header keeps 12 frames per second unless Standalone Movie is checked.</source>
        <translation>La cadence du film hôte qui chargera ces films : elle fixe combien d&apos;images compte chaque film. L&apos;en-tête du film garde 12 images par seconde, sauf si « Film autonome » est coché.</translation>
    </message>
    <message>
        <source>Exact Timing</source>
        <translation>Minutage exact</translation>
    </message>
    <message>
        <source>Only the sound&apos;s own samples play, without the encoder&apos;s silence before and after them: the sound starts on time and loops without a gap.</source>
        <translation>Seuls les échantillons du son jouent, sans le silence de l&apos;encodeur avant et après : le son commence à l&apos;heure et boucle sans blanc.</translation>
    </message>
    <message>
        <source>Loops :</source>
        <translation>Boucles :</translation>
    </message>
    <message>
        <source>How many times the sound plays, 1 to 65535; the movie&apos;s frames last as long. 0 plays it once, as a movie without this setting.</source>
        <translation>Combien de fois le son joue, de 1 à 65535 ; les images du film durent aussi longtemps. 0 le joue une fois, comme un film sans ce réglage.</translation>
    </message>
    <message>
        <source>Standalone Movie</source>
        <translation>Film autonome</translation>
    </message>
    <message>
        <source>The movie&apos;s header states Frame/Seconds (1 to 100) instead of 12, so that the movie played on its own lasts as long as its sound.</source>
        <translation>L&apos;en-tête du film indique Images/seconde (de 1 à 100) au lieu de 12, pour que le film joué seul dure aussi longtemps que son son.</translation>
    </message>
</context>
<context>
    <name>TFormPreferences</name>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>General :</source>
        <translation>Général :</translation>
    </message>
    <message>
        <source>Choose the default output folder</source>
        <translation>Choisir le dossier de sortie par défaut</translation>
    </message>
    <message>
        <source>Default Output Mode :</source>
        <translation>Mode de sortie par défaut :</translation>
    </message>
    <message>
        <source>Default Output Folder :</source>
        <translation>Dossier de sortie par défaut :</translation>
    </message>
    <message>
        <source>Output Type Defaults :</source>
        <translation>Valeurs des types de sortie :</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Add New</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>Output Mode :</source>
        <translation>Mode de sortie :</translation>
    </message>
    <message>
        <source>Conversion Quality:</source>
        <translation>Qualité de conversion :</translation>
    </message>
    <message>
        <source>Mode :</source>
        <translation>Mode :</translation>
    </message>
    <message>
        <source>Bitrate :</source>
        <translation>Débit :</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Please Select an Output Mode!</source>
        <translation>Veuillez choisir un mode de sortie !</translation>
    </message>
    <message>
        <source>Do you want to save the changes you have made?</source>
        <translation>Voulez-vous enregistrer les modifications que vous avez faites ?</translation>
    </message>
    <message>
        <source>Please Select a Directory</source>
        <translation>Veuillez choisir un dossier</translation>
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
        <translation>Traitement...</translation>
    </message>
    <message>
        <source>Files converted</source>
        <translation>Fichiers convertis</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Converting: %1</source>
        <translation>Conversion de : %1</translation>
    </message>
</context>
<context>
    <name>UpDownArrows</name>
    <message>
        <source>Increase %1</source>
        <translation>Augmenter %1</translation>
    </message>
    <message>
        <source>Decrease %1</source>
        <translation>Diminuer %1</translation>
    </message>
</context>
<context>
    <name>WindowRunHost</name>
    <message>
        <source>A conversion is under way. Stop it and close the program?

The files converted so far are kept and listed in the run report; the file being converted now is not finished.</source>
        <translation>Une conversion est en cours. L&apos;arrêter et fermer le programme ?

Les fichiers déjà convertis sont gardés et figurent dans le rapport ; le fichier en cours de conversion n&apos;est pas terminé.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>An unknown failure stopped the program.</source>
        <translation>Une erreur inconnue a arrêté le programme.</translation>
    </message>
    <message>
        <source>cannot start the window program %1: %2</source>
        <translation>impossible de lancer le programme de fenêtre %1 : %2</translation>
    </message>
</context>
</TS>
