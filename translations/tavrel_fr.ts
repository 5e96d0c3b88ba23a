<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
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
        <source>tavrel: &apos;%1&apos; is ignored beside -f: and -hide</source>
        <translation>tavrel : « %1 » est ignoré à côté de -f: et -hide</translation>
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
    <name>TUpDown</name>
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
        <source>tavrel: cannot start the window program %1: %2</source>
        <translation>tavrel : impossible de lancer le programme de fenêtre %1 : %2</translation>
    </message>
    <message>
        <source>An unknown failure stopped the program.</source>
        <translation>Une erreur inconnue a arrêté le programme.</translation>
    </message>
</context>
</TS>
