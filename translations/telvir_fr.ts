<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AllControlsWindow</name>
    <message>
        <source>All Controls</source>
        <translation>Toutes les commandes</translation>
    </message>
    <message>
        <source>Every control&apos;s assignment in one table (Ctrl+T)</source>
        <translation>L&apos;affectation de chaque commande dans un tableau (Ctrl+T)</translation>
    </message>
    <message>
        <source>Assignments of every control</source>
        <translation>Affectations de toutes les commandes</translation>
    </message>
    <message>
        <source>Export Sheet...</source>
        <translation>Exporter la fiche...</translation>
    </message>
    <message numerus="yes">
        <source>%n controls clash: their rows are marked.</source>
        <translation>
            <numerusform>%n commande en conflit : sa ligne est marquée.</numerusform>
            <numerusform>%n commandes en conflit : leurs lignes sont marquées.</numerusform>
        </translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>Image PNG (*.png)</translation>
    </message>
    <message>
        <source>Export Sheet</source>
        <translation>Exporter la fiche</translation>
    </message>
    <message>
        <source>Telvir keyboard</source>
        <translation>Clavier Telvir</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Could not export the sheet to &quot;%1&quot;: %2</source>
        <translation>Impossible d&apos;exporter la fiche vers « %1 » : %2</translation>
    </message>
</context>
<context>
    <name>AssignmentModel</name>
    <message>
        <source>%1: sends nothing</source>
        <extracomment>%1 is a control, %2 the MIDI message it sends (&quot;CC 7 ch 1&quot;).</extracomment>
        <translation>%1 : n&apos;envoie rien</translation>
    </message>
    <message>
        <source>%1: sends %2</source>
        <translation>%1 : envoie %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Show this help, or a command&apos;s with COMMAND --help.</source>
        <translation>Afficher cette aide, ou celle d&apos;une commande avec COMMANDE --help.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version.</source>
        <translation>Afficher la version du programme.</translation>
    </message>
    <message>
        <source>Write the debug log (MIDI traffic) to stderr.</source>
        <translation>Écrire le journal de débogage (trafic MIDI) sur stderr.</translation>
    </message>
    <message>
        <source>Also search the ports and print every keyboard found.</source>
        <translation>Chercher aussi sur les ports et afficher chaque clavier trouvé.</translation>
    </message>
    <message>
        <source>Write to every keyboard found, one line for each.</source>
        <translation>Écrire dans chaque clavier trouvé, une ligne pour chacun.</translation>
    </message>
    <message>
        <source>Keyboard memory to write: workArea (the default) or 1..8.</source>
        <translation>Mémoire du clavier à écrire : workArea (par défaut) ou 1..8.</translation>
    </message>
    <message>
        <source>Print a JSON document instead of the table.</source>
        <translation>Afficher un document JSON au lieu du tableau.</translation>
    </message>
    <message>
        <source>Use exactly this output and input port, by name or number.</source>
        <translation>Utiliser exactement ce port de sortie et d&apos;entrée, par nom ou numéro.</translation>
    </message>
    <message>
        <source>List the MIDI output and input ports with their numbers.</source>
        <translation>Lister les ports MIDI de sortie et d&apos;entrée avec leurs numéros.</translation>
    </message>
    <message>
        <source>Read the keyboard&apos;s settings into FILE (.telvir, or .json).</source>
        <translation>Lire les réglages du clavier dans FILE (.telvir ou .json).</translation>
    </message>
    <message>
        <source>Send the settings in FILE to a memory of the keyboard.</source>
        <translation>Envoyer les réglages de FILE dans une mémoire du clavier.</translation>
    </message>
    <message>
        <source>Update the firmware of a keyboard in its upgrade mode.</source>
        <translation>Mettre à jour le firmware d&apos;un clavier en mode de mise à jour.</translation>
    </message>
    <message>
        <source>Write the factory settings into a new FILE (.telvir, or .json).</source>
        <translation>Écrire les réglages d&apos;usine dans un nouveau FILE (.telvir ou .json).</translation>
    </message>
    <message>
        <source>Print every setting in FILE by name.</source>
        <translation>Afficher chaque réglage de FILE par son nom.</translation>
    </message>
    <message>
        <source>Print the settings that differ; exit 0 when equal, 1 when not.</source>
        <translation>Afficher les réglages qui diffèrent ; sortie 0 si égaux, 1 sinon.</translation>
    </message>
    <message>
        <source>Print the controls that send the same message; exit 1 when any do.</source>
        <translation>Afficher les commandes qui envoient le même message ; sortie 1 s&apos;il y en a.</translation>
    </message>
    <message>
        <source>Make a printable sheet of all assignments, OUT.pdf or OUT.png.</source>
        <translation>Créer une fiche imprimable de toutes les affectations, OUT.pdf ou OUT.png.</translation>
    </message>
    <message>
        <source>Print what this computer last wrote into each memory.</source>
        <translation>Afficher ce que cet ordinateur a écrit en dernier dans chaque mémoire.</translation>
    </message>
    <message>
        <source>List the setups in the library whose name contains TEXT.</source>
        <translation>Lister les setups de la bibliothèque dont le nom contient TEXT.</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>aucune commande donnée</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation>commande inconnue &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--ports takes an output and an input port, once: --ports OUT IN</source>
        <translation>--ports prend un port de sortie et un port d&apos;entrée, une fois : --ports OUT IN</translation>
    </message>
    <message>
        <source>%1 takes no --%2</source>
        <extracomment>%1 is a command, %2 an option.</extracomment>
        <translation>%1 ne prend pas --%2</translation>
    </message>
    <message>
        <source>usage: %1</source>
        <translation>usage : %1</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Usage : %1</translation>
    </message>
    <message>
        <source>Usage: telvir [--verbose] COMMAND [ARGUMENTS]
Reads, writes, shows, compares and converts the settings of a Telvir keyboard,
keeps a library of them and updates its firmware.
</source>
        <extracomment>The first lines of telvir --help; keep the lines under 80 characters.</extracomment>
        <translation>Usage : telvir [--verbose] COMMANDE [ARGUMENTS]
Lit, écrit, affiche, compare et convertit les réglages d&apos;un clavier Telvir,
en tient une bibliothèque et met à jour son firmware.
</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Commandes :</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options :</translation>
    </message>
    <message>
        <source>Exit status: 0 success, 1 failure (diff: the files differ), 2 bad usage.</source>
        <translation>Code de sortie : 0 succès, 1 échec (diff : les fichiers diffèrent), 2 mauvais usage.</translation>
    </message>
    <message>
        <source>Convert between .telvir, .json and .syx settings files.</source>
        <translation>Convertir entre fichiers de réglages .telvir, .json et .syx.</translation>
    </message>
    <message>
        <source>Write the messages that send FILE to a memory into OUT.syx.</source>
        <translation>Écrire dans OUT.syx les messages qui envoient FILE dans une mémoire.</translation>
    </message>
    <message>
        <source>Pause this many milliseconds between messages, for a keyboard slower than its port (default 0, or the pace that worked last time on these ports).</source>
        <translation>Attendre autant de millisecondes entre deux messages, pour un clavier plus lent que son port (0 par défaut, ou le rythme qui a fonctionné la dernière fois sur ces ports).</translation>
    </message>
    <message>
        <source>The keyboard whose memories are meant, by a port name; &quot;&quot; for a keyboard not named.</source>
        <translation>Le clavier dont les mémoires sont visées, par un nom de port ; &quot;&quot; pour un clavier sans nom.</translation>
    </message>
    <message>
        <source>Write the setup last written to MEMORY, or the setup SETUP, into FILE.</source>
        <translation>Écrire dans FILE le réglage écrit en dernier dans MEMORY, ou le réglage SETUP.</translation>
    </message>
    <message>
        <source>Write the setup of the library named (or identified by) NAME into FILE.</source>
        <translation>Écrire dans FILE le réglage de la bibliothèque nommé (ou identifié par) NAME.</translation>
    </message>
    <message>
        <source>Copy the whole library into the new FILE.</source>
        <translation>Copier toute la bibliothèque dans le nouveau fichier FILE.</translation>
    </message>
    <message>
        <source>Merge the backup FILE into the library.</source>
        <translation>Fusionner la sauvegarde FILE dans la bibliothèque.</translation>
    </message>
</context>
<context>
    <name>ControlClashes</name>
    <message>
        <source>Clashes with %1</source>
        <extracomment>%1 lists the controls that send the same message.</extracomment>
        <translation>En conflit avec %1</translation>
    </message>
    <message numerus="yes">
        <source>, %n controls clash</source>
        <extracomment>Added to the status line.</extracomment>
        <translation>
            <numerusform>, %n commande en conflit</numerusform>
            <numerusform>, %n commandes en conflit</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ControlSheet</name>
    <message>
        <source>Off</source>
        <extracomment>A control that sends nothing, on the sheet.</extracomment>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>Global Parameters</source>
        <translation>Paramètres globaux</translation>
    </message>
    <message>
        <source>Clashes</source>
        <extracomment>The sheet&apos;s part that lists the controls that send the same message.</extracomment>
        <translation>Conflits</translation>
    </message>
    <message>
        <source>No two controls send the same message.</source>
        <translation>Aucune paire de commandes n&apos;envoie le même message.</translation>
    </message>
    <message>
        <source>the keyboard picture %1 is missing</source>
        <translation>l&apos;image du clavier %1 est absente</translation>
    </message>
    <message>
        <source>Telvir editor %1</source>
        <translation>Éditeur Telvir %1</translation>
    </message>
    <message>
        <source>a sheet is written as .pdf or .png</source>
        <translation>une fiche s&apos;écrit en .pdf ou en .png</translation>
    </message>
    <message>
        <source>the picture could not be encoded</source>
        <translation>l&apos;image n&apos;a pas pu être encodée</translation>
    </message>
    <message>
        <source>the PDF could not be started</source>
        <translation>le PDF n&apos;a pas pu être commencé</translation>
    </message>
    <message>
        <source>the PDF could not be finished</source>
        <translation>le PDF n&apos;a pas pu être terminé</translation>
    </message>
</context>
<context>
    <name>DemoKeyboard</name>
    <message>
        <source>The keyboard simulator (%1) was found neither beside the editor nor on the PATH.</source>
        <translation>Le simulateur de clavier (%1) est introuvable, ni à côté de l’éditeur ni dans le PATH.</translation>
    </message>
    <message>
        <source>No temporary folder for the demo keyboard: %1</source>
        <translation>Pas de dossier temporaire pour le clavier de démonstration : %1</translation>
    </message>
    <message>
        <source>The JACK server jackd was not found, and no other JACK server runs for the keyboard simulator. Install jackd2, or PipeWire&apos;s JACK (pipewire-jack), to try the editor without a keyboard.</source>
        <translation>Le serveur JACK jackd est introuvable et aucun autre serveur JACK ne tourne pour le simulateur de clavier. Installez jackd2, ou le JACK de PipeWire (pipewire-jack), pour essayer l’éditeur sans clavier.</translation>
    </message>
    <message>
        <source>The JACK server %1 could not be started: %2</source>
        <extracomment>%1 is the program, %2 the system&apos;s reason.</extracomment>
        <translation>Le serveur JACK %1 n’a pas pu être démarré : %2</translation>
    </message>
    <message>
        <source>The keyboard simulator %1 could not be started: %2</source>
        <translation>Le simulateur de clavier %1 n’a pas pu être démarré : %2</translation>
    </message>
    <message>
        <source>The JACK server %1 stopped: %2</source>
        <translation>Le serveur JACK %1 s’est arrêté : %2</translation>
    </message>
    <message>
        <source>The keyboard simulator did not come up on the JACK server: %1</source>
        <translation>Le simulateur de clavier n’a pas démarré sur le serveur JACK : %1</translation>
    </message>
    <message>
        <source>Demo Keyboard</source>
        <translation>Clavier de démonstration</translation>
    </message>
    <message>
        <source>The editor starts without the keyboard simulator.</source>
        <translation>L’éditeur démarre sans le simulateur de clavier.</translation>
    </message>
</context>
<context>
    <name>EditorCommandLine</name>
    <message>
        <source>Configuration editor for the Telvir USB MIDI controller keyboard.</source>
        <translation>Éditeur de configuration du clavier contrôleur MIDI USB Telvir.</translation>
    </message>
    <message>
        <source>Write the debug log (MIDI ports, messages to and from the keyboard) to stderr.</source>
        <translation>Écrire le journal de débogage (ports MIDI, messages vers et depuis le clavier) sur stderr.</translation>
    </message>
    <message>
        <source>A settings file to load once the keyboard&apos;s settings were read, as &quot;Load...&quot; does.</source>
        <translation>Un fichier de réglages à charger une fois les réglages du clavier lus, comme le fait « Charger... ».</translation>
    </message>
    <message>
        <source>Only one settings file can be loaded.</source>
        <translation>Un seul fichier de réglages peut être chargé.</translation>
    </message>
    <message>
        <source>Try the editor without a keyboard: start the keyboard simulator on a JACK server of its own and link to it.</source>
        <translation>Essayer l’éditeur sans clavier : démarrer le simulateur de clavier sur un serveur JACK à part et s’y connecter.</translation>
    </message>
    <message>
        <source>no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); start it on a desktop, or on a virtual X server: xvfb-run -a telvir-editor</source>
        <translation>aucun affichage pour la fenêtre (ni DISPLAY ni WAYLAND_DISPLAY n’est défini) ; lancez-le sur un bureau, ou sur un serveur X virtuel : xvfb-run -a telvir-editor</translation>
    </message>
</context>
<context>
    <name>EditorDocument</name>
    <message>
        <source>Change %1</source>
        <translation>Modifier %1</translation>
    </message>
    <message>
        <source>Restore unsaved changes</source>
        <translation>Restaurer les modifications non enregistrées</translation>
    </message>
    <message numerus="yes">
        <source>; Read %1 of %n settings</source>
        <translation>
            <numerusform>; %1/%n lu</numerusform>
            <numerusform>; %1/%n lus</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n changes not sent</source>
        <translation>
            <numerusform>, %n changement non envoyé</numerusform>
            <numerusform>, %n changements non envoyés</numerusform>
        </translation>
    </message>
    <message>
        <source>, 1 change not sent</source>
        <translation>, 1 changement non envoyé</translation>
    </message>
</context>
<context>
    <name>FormAccess</name>
    <message>
        <source>Pad Bank: %1 to %2</source>
        <translation>Banque de pads : %1 à %2</translation>
    </message>
    <message>
        <source>Pad Bank</source>
        <translation>Banque de pads</translation>
    </message>
    <message>
        <source>Selected Control</source>
        <translation>Commande choisie</translation>
    </message>
    <message>
        <source>%1: CC %2, channel %3</source>
        <extracomment>What a control marker is assigned to, for a screen reader: %1 is the control.</extracomment>
        <translation>%1 : CC %2, canal %3</translation>
    </message>
    <message>
        <source>%1: channel %2</source>
        <translation>%1 : canal %2</translation>
    </message>
    <message>
        <source>%1: CC %2, channel %3, mode %4</source>
        <translation>%1 : CC %2, canal %3, mode %4</translation>
    </message>
    <message>
        <source>%1: channel %2, mode %3</source>
        <translation>%1 : canal %2, mode %3</translation>
    </message>
</context>
<context>
    <name>Invocation</name>
    <message>
        <source>could not write %1: %2</source>
        <extracomment>%1 is a file, %2 the system&apos;s reason.</extracomment>
        <translation>impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>%1 (see telvir --help)</source>
        <extracomment>%1 is what was wrong with the command line.</extracomment>
        <translation>%1 (voir telvir --help)</translation>
    </message>
</context>
<context>
    <name>JackMidiBackend</name>
    <message>
        <source>no JACK server running</source>
        <translation>aucun serveur JACK ne tourne</translation>
    </message>
    <message>
        <source>no JACK server &apos;%1&apos; running</source>
        <translation>aucun serveur JACK &apos;%1&apos; ne tourne</translation>
    </message>
    <message>
        <source>the JACK server has no MIDI port</source>
        <translation>le serveur JACK n’a aucun port MIDI</translation>
    </message>
    <message>
        <source>the JACK server &apos;%1&apos; has no MIDI port</source>
        <translation>le serveur JACK &apos;%1&apos; n’a aucun port MIDI</translation>
    </message>
</context>
<context>
    <name>KeyboardCommands</name>
    <message numerus="yes">
        <source>Sent %n messages to memory %1 of &apos;%2&apos;</source>
        <translation>
            <numerusform>%n message envoyé à la mémoire %1 de &apos;%2&apos;</numerusform>
            <numerusform>%n messages envoyés à la mémoire %1 de &apos;%2&apos;</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not upgrade firmware: %1 is empty.</source>
        <translation>Impossible de mettre à jour le firmware : %1 est vide.</translation>
    </message>
    <message>
        <source>Could not upgrade firmware: %1 cannot be read.</source>
        <translation>Impossible de mettre à jour le firmware : %1 est illisible.</translation>
    </message>
    <message>
        <source>no MIDI output port</source>
        <translation>aucun port MIDI de sortie</translation>
    </message>
    <message>
        <source>no MIDI input port</source>
        <translation>aucun port MIDI d&apos;entrée</translation>
    </message>
    <message>
        <source>no MIDI port found</source>
        <translation>aucun port MIDI trouvé</translation>
    </message>
    <message>
        <source>no MIDI port found: %1</source>
        <translation>aucun port MIDI trouvé : %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; sent no replies; %2 was not written.</source>
        <translation>&apos;%1&apos; n&apos;a envoyé aucune réponse ; %2 n&apos;a pas été écrit.</translation>
    </message>
    <message numerus="yes">
        <source>Read only %1 of %n settings; %2 was not written.</source>
        <translation>
            <numerusform>Seulement %1 réglage sur %n lu ; %2 n&apos;a pas été écrit.</numerusform>
            <numerusform>Seulement %1 réglages sur %n lus ; %2 n&apos;a pas été écrit.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Read %n settings from &apos;%1&apos; into %2</source>
        <translation>
            <numerusform>%n réglage lu de &apos;%1&apos; dans %2</numerusform>
            <numerusform>%n réglages lus de &apos;%1&apos; dans %2</numerusform>
        </translation>
    </message>
    <message>
        <source>--memory takes workArea or 1..8, not &apos;%1&apos;</source>
        <translation>--memory prend workArea ou 1..8, pas &apos;%1&apos;</translation>
    </message>
    <message>
        <source>write takes --all or --ports, not both</source>
        <translation>write prend --all ou --ports, pas les deux</translation>
    </message>
    <message>
        <source>not sent: a CC Number / Note of 0 is never written, so the keyboard keeps its own for %1</source>
        <extracomment>%1 lists the controls by their names.</extracomment>
        <translation>non envoyé : un numéro de CC / une note 0 n&apos;est jamais écrit, le clavier garde donc le sien pour %1</translation>
    </message>
    <message>
        <source>keyboard on output &apos;%1&apos;, input &apos;%2&apos;: %3</source>
        <extracomment>%3 is the message of what went wrong.</extracomment>
        <translation>clavier sur la sortie &apos;%1&apos;, l&apos;entrée &apos;%2&apos; : %3</translation>
    </message>
    <message numerus="yes">
        <source>Upgraded the firmware of &apos;%1&apos; with %n bytes from %2</source>
        <translation>
            <numerusform>Firmware de &apos;%1&apos; mis à jour avec %n octet de %2</numerusform>
            <numerusform>Firmware de &apos;%1&apos; mis à jour avec %n octets de %2</numerusform>
        </translation>
    </message>
    <message>
        <source>--pace takes a number of milliseconds from 0 to %1, not &apos;%2&apos;</source>
        <translation>--pace attend un nombre de millisecondes de 0 à %1, pas &apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>KeyboardFollower</name>
    <message>
        <source>-&gt; no control sends this</source>
        <extracomment>After a message the monitor shows: no control of the form sends it.</extracomment>
        <translation>-&gt; aucune commande n&apos;envoie ceci</translation>
    </message>
    <message>
        <source>-&gt; %1</source>
        <extracomment>After a message the monitor shows: %1 is the control that sends it.</extracomment>
        <translation>-&gt; %1</translation>
    </message>
    <message>
        <source>-&gt; clash: %1</source>
        <extracomment>After a message the monitor shows: %1 lists the controls that all send it.</extracomment>
        <translation>-&gt; conflit : %1</translation>
    </message>
</context>
<context>
    <name>KeyboardOutcome</name>
    <message>
        <source>Successfully connect to device &apos;%1&apos; !</source>
        <translation>Connecté avec succès à l&apos;appareil &apos;%1&apos; !</translation>
    </message>
    <message>
        <source>Could not connect to midi deivce.</source>
        <translation>Impossible de se connecter à l&apos;appareil MIDI.</translation>
    </message>
    <message>
        <source>The keyboard did not answer on output &apos;%1&apos; with input &apos;%2&apos;.</source>
        <translation>Le clavier n&apos;a pas répondu sur la sortie &apos;%1&apos; avec l&apos;entrée &apos;%2&apos;.</translation>
    </message>
    <message>
        <source>The JACK server does not respond.</source>
        <translation>Le serveur JACK ne répond pas.</translation>
    </message>
    <message numerus="yes">
        <source>Successfully recv %n settings.</source>
        <translation>
            <numerusform>%n réglage reçu avec succès.</numerusform>
            <numerusform>%n réglages reçus avec succès.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not recv settings.</source>
        <translation>Impossible de recevoir les réglages.</translation>
    </message>
    <message>
        <source>Successfully sent to device &apos;%1&apos; !</source>
        <translation>Envoyé avec succès à l&apos;appareil &apos;%1&apos; !</translation>
    </message>
    <message numerus="yes">
        <source>The port of device &apos;%1&apos; refused %2 of %n messages. The keyboard may hold only part of these settings.</source>
        <translation>
            <numerusform>Le port de l&apos;appareil &apos;%1&apos; a refusé %2 message sur %n. Le clavier ne contient peut-être qu&apos;une partie de ces réglages.</numerusform>
            <numerusform>Le port de l&apos;appareil &apos;%1&apos; a refusé %2 messages sur %n. Le clavier ne contient peut-être qu&apos;une partie de ces réglages.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The port of device &apos;%1&apos; stopped taking messages after %n of them went out. The keyboard may hold only part of these settings.</source>
        <translation>
            <numerusform>Le port de l&apos;appareil &apos;%1&apos; n&apos;a plus accepté de messages après %n message envoyé. Le clavier ne contient peut-être qu&apos;une partie de ces réglages.</numerusform>
            <numerusform>Le port de l&apos;appareil &apos;%1&apos; n&apos;a plus accepté de messages après %n messages envoyés. Le clavier ne contient peut-être qu&apos;une partie de ces réglages.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not upgrade firmware: the file is too large for the keyboard (at most %1 bytes).</source>
        <translation>Impossible de mettre à jour le firmware : le fichier est trop grand pour le clavier (au plus %1 octets).</translation>
    </message>
    <message>
        <source>Could not upgrade firmware.</source>
        <translation>Impossible de mettre à jour le firmware.</translation>
    </message>
    <message>
        <source>Could not upgrade firmware: %1 listens to the editor&apos;s MIDI output, and PipeWire may change the firmware&apos;s bytes for the keyboard as well. Disconnect it from the editor, then try again.</source>
        <translation>Impossible de mettre à jour le firmware : %1 écoute la sortie MIDI de l&apos;éditeur, et PipeWire pourrait aussi modifier les octets du firmware destinés au clavier. Déconnectez-le de l&apos;éditeur, puis réessayez.</translation>
    </message>
    <message>
        <source>Could not connect to device.</source>
        <translation>Impossible de se connecter à l&apos;appareil.</translation>
    </message>
    <message>
        <source>Successfully upgrade the firmware of device &apos;%1&apos; !</source>
        <translation>Firmware de l&apos;appareil &apos;%1&apos; mis à jour avec succès !</translation>
    </message>
    <message>
        <source>OK</source>
        <extracomment>The title of the box that reports a command to the keyboard.</extracomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more</source>
        <extracomment>%1 lists the first settings by name; %n counts the others.</extracomment>
        <translation>
            <numerusform>%1 et %n autre</numerusform>
            <numerusform>%1 et %n autres</numerusform>
        </translation>
    </message>
    <message>
        <source>Sent to memory %1 of device &apos;%2&apos;; a memory other than workArea cannot be read back, so the keyboard&apos;s copy was not checked.</source>
        <translation>Envoyé dans la mémoire %1 de l&apos;appareil &apos;%2&apos; ; une mémoire autre que workArea ne peut pas être relue, la copie du clavier n&apos;a donc pas été vérifiée.</translation>
    </message>
    <message>
        <source>1 setting did not reach the keyboard: %1.</source>
        <extracomment>%1 names the settings (&quot;Pad #3 Mode, Cutoff CC Number&quot;).</extracomment>
        <translation>1 réglage n&apos;est pas arrivé au clavier : %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n settings did not reach the keyboard: %1.</source>
        <extracomment>%1 names the settings (&quot;Pad #3 Mode, Cutoff CC Number&quot;).</extracomment>
        <translation>
            <numerusform>%n réglage n&apos;est pas arrivé au clavier : %1.</numerusform>
            <numerusform>%n réglages ne sont pas arrivés au clavier : %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>Sent to device &apos;%1&apos;, but it answered none of the requests for the values just written, so whether they arrived is not known.</source>
        <translation>Envoyé à l&apos;appareil &apos;%1&apos;, mais il n&apos;a répondu à aucune demande des valeurs qui viennent d&apos;être écrites ; on ne sait donc pas si elles sont arrivées.</translation>
    </message>
</context>
<context>
    <name>KeyboardSession</name>
    <message>
        <source>Connecting</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>Trying output &apos;%1&apos; with input &apos;%2&apos;</source>
        <translation>Essai de la sortie &apos;%1&apos; avec l&apos;entrée &apos;%2&apos;</translation>
    </message>
    <message>
        <source>Asking %1 outputs, listening on %2 inputs</source>
        <translation>Interrogation de %1 sorties, écoute sur %2 entrées</translation>
    </message>
    <message>
        <source>The keyboard answered on input &apos;%1&apos;; looking for its output among %2</source>
        <translation>Le clavier a répondu sur l&apos;entrée &apos;%1&apos; ; recherche de sa sortie parmi %2</translation>
    </message>
    <message>
        <source>Reading settings</source>
        <translation>Lecture des réglages</translation>
    </message>
    <message>
        <source>Sending settings</source>
        <translation>Envoi des réglages</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Ne plus afficher</translation>
    </message>
    <message>
        <source>Enter Firmware Upgrade Mode</source>
        <translation>Passer en mode de mise à jour du firmware</translation>
    </message>
    <message>
        <source>Please unplug the keyboard, then plug it in again WHILE HOLDING THE KEYBOARD SHIFT KEY.
Click OK when ready or CANCEL TO abort firmware update.</source>
        <translation>Débranchez le clavier, puis rebranchez-le EN MAINTENANT LA TOUCHE SHIFT DU CLAVIER ENFONCÉE.
Cliquez sur OK quand il est prêt ou sur ANNULER pour abandonner la mise à jour du firmware.</translation>
    </message>
    <message>
        <source>Select Firmware File</source>
        <translation>Choisir le fichier de firmware</translation>
    </message>
</context>
<context>
    <name>KeyboardWork</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>LibraryBackup</name>
    <message>
        <source>%1 exists already; a backup never replaces a file.</source>
        <translation>%1 existe déjà ; une sauvegarde ne remplace jamais un fichier.</translation>
    </message>
    <message>
        <source>The library cannot be opened.</source>
        <translation>La bibliothèque ne peut pas être ouverte.</translation>
    </message>
    <message>
        <source>could not write %1: %2</source>
        <translation>impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>The copy of the library could not be read back; %1 was not written.</source>
        <translation>La copie de la bibliothèque n&apos;a pas pu être relue ; %1 n&apos;a pas été écrit.</translation>
    </message>
    <message>
        <source>%1 is not a backup of the library.</source>
        <translation>%1 n&apos;est pas une sauvegarde de la bibliothèque.</translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation>%1 ne peut pas être lu.</translation>
    </message>
    <message>
        <source>The library cannot be written.</source>
        <translation>La bibliothèque ne peut pas être écrite.</translation>
    </message>
    <message>
        <source>%1 was made by a newer program.</source>
        <translation>%1 a été créé par un programme plus récent.</translation>
    </message>
    <message>
        <source>The library could not take the backup: %1</source>
        <translation>La bibliothèque n&apos;a pas pu reprendre la sauvegarde : %1</translation>
    </message>
    <message>
        <source>Backed up the library into %1: %2 and %3.</source>
        <extracomment>%2 is &quot;N setups&quot;, %3 &quot;N events&quot;.</extracomment>
        <translation>Bibliothèque sauvegardée dans %1 : %2 et %3.</translation>
    </message>
    <message numerus="yes">
        <source>%n setups</source>
        <translation>
            <numerusform>%n réglage</numerusform>
            <numerusform>%n réglages</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n events</source>
        <translation>
            <numerusform>%n événement</numerusform>
            <numerusform>%n événements</numerusform>
        </translation>
    </message>
    <message>
        <source>Restored %1: %2 and %3 added; %4 and %5 were in the library already.</source>
        <extracomment>%2 and %4 are &quot;N setups&quot;, %3 and %5 &quot;N events&quot;.</extracomment>
        <translation>%1 restauré : %2 et %3 ajoutés ; %4 et %5 étaient déjà dans la bibliothèque.</translation>
    </message>
</context>
<context>
    <name>LibraryCommands</name>
    <message>
        <source>not known</source>
        <extracomment>A memory of the keyboard of which the library knows nothing.</extracomment>
        <translation>inconnu</translation>
    </message>
    <message>
        <source>Nothing is known of memory %1.</source>
        <translation>Rien n&apos;est connu de la mémoire %1.</translation>
    </message>
    <message>
        <source>Wrote the setup last written to memory %1 (%2, %3) into %4</source>
        <extracomment>%2 is the file or program that wrote the memory, %3 when.</extracomment>
        <translation>Setup écrit en dernier dans la mémoire %1 (%2, %3) écrit dans %4</translation>
    </message>
    <message>
        <source>Name</source>
        <extracomment>Column titles of the library&apos;s list; &quot;Written&quot; counts the writes to the keyboard.</extracomment>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Last seen</source>
        <translation>Vu en dernier</translation>
    </message>
    <message>
        <source>Written</source>
        <translation>Écrit</translation>
    </message>
    <message>
        <source>Star</source>
        <translation>Favori</translation>
    </message>
    <message>
        <source>No setup in the library is named &apos;%1&apos;.</source>
        <translation>Aucun setup de la bibliothèque ne s&apos;appelle &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Wrote &apos;%1&apos; into %2</source>
        <translation>&apos;%1&apos; écrit dans %2</translation>
    </message>
    <message>
        <source>a keyboard not named</source>
        <extracomment>The keyboard of writes recorded before keyboards were told apart.</extracomment>
        <translation>un clavier sans nom</translation>
    </message>
    <message>
        <source>No keyboard named &apos;%1&apos; was written to from here.</source>
        <translation>Aucun clavier nommé &apos;%1&apos; n&apos;a été écrit depuis cet ordinateur.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; names more than one keyboard: %2</source>
        <extracomment>%2 lists the keyboards.</extracomment>
        <translation>&apos;%1&apos; désigne plus d&apos;un clavier : %2</translation>
    </message>
    <message>
        <source>MEMORY is workArea or 1..8, or a setup&apos;s name or identifier, not &apos;%1&apos;</source>
        <translation>MEMORY est workArea ou 1..8, ou le nom ou l&apos;identifiant d&apos;un réglage, pas &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Identifier</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
</context>
<context>
    <name>LibrarySetupModel</name>
    <message>
        <source>First seen %1</source>
        <translation>Vu pour la première fois le %1</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Last seen</source>
        <translation>Vu en dernier</translation>
    </message>
    <message>
        <source>Written</source>
        <translation>Écrit</translation>
    </message>
    <message>
        <source>Star</source>
        <translation>Favori</translation>
    </message>
    <message>
        <source>Identifier</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
</context>
<context>
    <name>LibraryStore</name>
    <message>
        <source>%1, and it cannot be moved aside</source>
        <extracomment>%1 is the reason the library could not be read.</extracomment>
        <translation>%1, et elle ne peut pas être mise de côté</translation>
    </message>
    <message>
        <source>The library %1 could not be read (%2); it was moved aside to %3 and a new one was made.</source>
        <translation>La bibliothèque %1 n&apos;a pas pu être lue (%2) ; elle a été déplacée vers %3 et une nouvelle a été créée.</translation>
    </message>
    <message>
        <source>The library %1 cannot be written (%2); nothing is recorded.</source>
        <translation>La bibliothèque %1 ne peut pas être écrite (%2) ; rien n&apos;est enregistré.</translation>
    </message>
    <message>
        <source>The library %1 was left as it is (%2); your own library is kept in %3.</source>
        <extracomment>%1 is what is at the library&apos;s place, %2 why it is not used, %3 the library used instead.</extracomment>
        <translation>La bibliothèque %1 a été laissée telle quelle (%2) ; votre propre bibliothèque est conservée dans %3.</translation>
    </message>
    <message>
        <source>The library %1 is not used (%2); nothing is recorded.</source>
        <extracomment>%2 is why the library&apos;s file or folder is not the user&apos;s own.</extracomment>
        <translation>La bibliothèque %1 n&apos;est pas utilisée (%2) ; rien n&apos;est enregistré.</translation>
    </message>
    <message>
        <source>no lock file can be made beside it</source>
        <translation>aucun fichier de verrou ne peut être créé à côté</translation>
    </message>
</context>
<context>
    <name>LibraryWindow</name>
    <message>
        <source>Library</source>
        <translation>Bibliothèque</translation>
    </message>
    <message>
        <source>What this computer wrote into the keyboard&apos;s memories, and every setup (Ctrl+L)</source>
        <translation>Ce que cet ordinateur a écrit dans les mémoires du clavier, et chaque setup (Ctrl+L)</translation>
    </message>
    <message>
        <source>What this computer last wrote into each memory of the keyboard. The keyboard&apos;s own controls or another computer may have changed a memory since.</source>
        <translation>Ce que cet ordinateur a écrit en dernier dans chaque mémoire du clavier. Les commandes du clavier ou un autre ordinateur ont pu modifier une mémoire depuis.</translation>
    </message>
    <message>
        <source>Memories</source>
        <translation>Mémoires</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Mémoire</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>Written</source>
        <translation>Écrit</translation>
    </message>
    <message>
        <source>From</source>
        <translation>De</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Comparer</translation>
    </message>
    <message>
        <source>Send again</source>
        <translation>Renvoyer</translation>
    </message>
    <message>
        <source>Differences from the form</source>
        <translation>Différences avec le formulaire</translation>
    </message>
    <message>
        <source>Compare shows here the settings in which a memory differs from the form.</source>
        <translation>« Comparer » affiche ici les réglages où une mémoire diffère du formulaire.</translation>
    </message>
    <message>
        <source>Search by name</source>
        <translation>Rechercher par nom</translation>
    </message>
    <message>
        <source>Setups</source>
        <translation>Setups</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
    <message>
        <source>Star</source>
        <translation>Favori</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exporter...</translation>
    </message>
    <message>
        <source>not known</source>
        <translation>inconnu</translation>
    </message>
    <message>
        <source>Open memory %1</source>
        <translation>Ouvrir la mémoire %1</translation>
    </message>
    <message>
        <source>Nothing is known of this memory.</source>
        <translation>Rien n&apos;est connu de cette mémoire.</translation>
    </message>
    <message>
        <source>Memory %1 holds the settings of the form.</source>
        <translation>La mémoire %1 contient les réglages du formulaire.</translation>
    </message>
    <message>
        <source>Memory %1 differs from the form here (the form&apos;s value first):</source>
        <translation>La mémoire %1 diffère du formulaire ici (la valeur du formulaire d&apos;abord) :</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>Ouvrir %1</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Export Setup</source>
        <translation>Exporter le setup</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Could not save the settings to &quot;%1&quot;: %2</source>
        <translation>Impossible d&apos;enregistrer les réglages dans « %1 » : %2</translation>
    </message>
    <message>
        <source>Keyboard:</source>
        <translation>Clavier :</translation>
    </message>
    <message>
        <source>Back Up...</source>
        <translation>Sauvegarder...</translation>
    </message>
    <message>
        <source>Restore...</source>
        <translation>Restaurer...</translation>
    </message>
    <message>
        <source>a keyboard not named</source>
        <extracomment>The keyboard of writes recorded before keyboards were told apart.</extracomment>
        <translation>un clavier sans nom</translation>
    </message>
    <message>
        <source>Back Up the Library</source>
        <translation>Sauvegarder la bibliothèque</translation>
    </message>
    <message>
        <source>Library Backups (*.sqlite)</source>
        <translation>Sauvegardes de bibliothèque (*.sqlite)</translation>
    </message>
    <message>
        <source>Restore a Backup</source>
        <translation>Restaurer une sauvegarde</translation>
    </message>
    <message>
        <source>Library Backups (*.sqlite);;All Files (*)</source>
        <translation>Sauvegardes de bibliothèque (*.sqlite);;Tous les fichiers (*)</translation>
    </message>
</context>
<context>
    <name>LinkMonitor</name>
    <message>
        <source>Connected to &apos;%1&apos;</source>
        <translation>Connecté à &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Keyboard in firmware upgrade mode</source>
        <translation>Clavier en mode de mise à jour du firmware</translation>
    </message>
    <message>
        <source>Looking for the keyboard...</source>
        <translation>Recherche du clavier...</translation>
    </message>
    <message>
        <source>No keyboard connected</source>
        <translation>Aucun clavier connecté</translation>
    </message>
</context>
<context>
    <name>LiveSender</name>
    <message>
        <source>Live</source>
        <translation>Direct</translation>
    </message>
    <message>
        <source>Send every change to the keyboard&apos;s workArea at once</source>
        <translation>Envoyer chaque modification aussitôt dans la workArea du clavier</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Load...</source>
        <translation>Charger...</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Enregistrer...</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Enregistrer sous...</translation>
    </message>
    <message>
        <source>Recent Files</source>
        <translation>Fichiers récents</translation>
    </message>
    <message>
        <source>Export Sheet...</source>
        <translation>Exporter la fiche...</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>Default Values</source>
        <translation>Valeurs par défaut</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation>Préférences...</translation>
    </message>
    <message>
        <source>&amp;Keyboard</source>
        <translation>&amp;Clavier</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>Send to Keyboard</source>
        <translation>Envoyer au clavier</translation>
    </message>
    <message>
        <source>Ports...</source>
        <translation>Ports...</translation>
    </message>
    <message>
        <source>Upgrade firmware...</source>
        <translation>Mise à jour firmware...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Raccourcis clavier</translation>
    </message>
    <message>
        <source>About Telvir Editor</source>
        <translation>À propos de Telvir Editor</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source> or </source>
        <translation> ou </translation>
    </message>
    <message>
        <source>No recent files</source>
        <translation>Aucun fichier récent</translation>
    </message>
    <message>
        <source>Telvir Editor %1

Edits the settings of the Telvir USB MIDI keyboard: its controls, pads and global parameters, in files and on the keyboard.</source>
        <translation>Telvir Editor %1

Modifie les réglages du clavier MIDI USB Telvir : ses commandes, ses pads et ses paramètres globaux, dans des fichiers et sur le clavier.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <source>Global Parameters</source>
        <translation>Paramètres globaux</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>Canal :</translation>
    </message>
    <message>
        <source>Octave   </source>
        <translation>Octave   </translation>
    </message>
    <message>
        <source>Pad Vel Curve:</source>
        <translation>Courbe pads :</translation>
    </message>
    <message>
        <source>Knob Accel:</source>
        <translation>Accél. potard :</translation>
    </message>
    <message>
        <source>Knob Mode</source>
        <translation>Mode potards</translation>
    </message>
    <message>
        <source>Velocity curve:</source>
        <translation>Vélocité :</translation>
    </message>
    <message>
        <source>Selected Control Parameters</source>
        <translation>Paramètres de la commande choisie</translation>
    </message>
    <message>
        <source>CC Number</source>
        <translation>Numéro CC</translation>
    </message>
    <message>
        <source>Mode:      </source>
        <translation>Mode :      </translation>
    </message>
    <message>
        <source>Min / LSB:</source>
        <translation>Min / LSB :</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>Mode Option:</source>
        <translation>Option :</translation>
    </message>
    <message>
        <source>Max / MSB:</source>
        <translation>Max / MSB :</translation>
    </message>
    <message>
        <source>Send to Keyboard</source>
        <translation>Envoyer au clavier</translation>
    </message>
    <message>
        <source>Send to Mem</source>
        <translation>Vers mémoire</translation>
    </message>
    <message>
        <source>workArea</source>
        <translation>workArea</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>Default Values</source>
        <translation>Valeurs par défaut</translation>
    </message>
    <message>
        <source>Load...</source>
        <translation>Charger...</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Enregistrer...</translation>
    </message>
    <message>
        <source>Upgrade firmware...</source>
        <translation>Mise à jour firmware...</translation>
    </message>
    <message>
        <source>Pedal</source>
        <translation>Pédale</translation>
    </message>
    <message>
        <source>Change %1</source>
        <translation>Modifier %1</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Modifications non enregistrées</translation>
    </message>
    <message>
        <source>Save the settings to a file before closing?</source>
        <translation>Enregistrer les réglages dans un fichier avant de fermer ?</translation>
    </message>
    <message>
        <source>Open Settings File</source>
        <translation>Ouvrir un fichier de réglages</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Load %1</source>
        <translation>Charger %1</translation>
    </message>
    <message>
        <source>Could not save the settings to &quot;%1&quot;: %2</source>
        <translation>Impossible d&apos;enregistrer les réglages dans « %1 » : %2</translation>
    </message>
    <message>
        <source>Read from the keyboard</source>
        <translation>Lu depuis le clavier</translation>
    </message>
</context>
<context>
    <name>MemoryEntry</name>
    <message>
        <source>the editor</source>
        <translation>l&apos;éditeur</translation>
    </message>
</context>
<context>
    <name>MessageDecoder</name>
    <message>
        <source>ch %1</source>
        <extracomment>A MIDI channel, as the monitor shows it in its messages.</extracomment>
        <translation>can. %1</translation>
    </message>
    <message>
        <source>Note Off %1, %2, velocity %3</source>
        <extracomment>%1 is the channel, %2 the note&apos;s name.</extracomment>
        <translation>Note Off %1, %2, vélocité %3</translation>
    </message>
    <message>
        <source>Note On %1, %2, velocity %3</source>
        <translation>Note On %1, %2, vélocité %3</translation>
    </message>
    <message>
        <source>Poly Pressure %1, %2, %3</source>
        <translation>Poly Pressure %1, %2, %3</translation>
    </message>
    <message>
        <source>Control Change %1, CC %2, value %3</source>
        <translation>Control Change %1, CC %2, valeur %3</translation>
    </message>
    <message>
        <source>Program Change %1, program %2</source>
        <translation>Program Change %1, programme %2</translation>
    </message>
    <message>
        <source>Channel Pressure %1, %2</source>
        <translation>Channel Pressure %1, %2</translation>
    </message>
    <message>
        <source>Pitch Bend %1, %2</source>
        <translation>Pitch Bend %1, %2</translation>
    </message>
    <message>
        <source>System message %1</source>
        <extracomment>%1 is the status byte in hexadecimal.</extracomment>
        <translation>Message système %1</translation>
    </message>
    <message>
        <source>unknown parameter %1 of %2</source>
        <translation>paramètre inconnu %1 de %2</translation>
    </message>
    <message>
        <source>global %1</source>
        <extracomment>A global parameter of the keyboard, and the value it is given.</extracomment>
        <translation>global %1</translation>
    </message>
    <message>
        <source>global %1 = %2</source>
        <translation>global %1 = %2</translation>
    </message>
    <message>
        <source>%1, %2 = %3</source>
        <extracomment>%1 is a control, %2 one of its fields, %3 the value it is given.</extracomment>
        <translation>%1, %2 = %3</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>handshake request</source>
        <translation>demande de handshake</translation>
    </message>
    <message>
        <source>handshake reply</source>
        <translation>réponse de handshake</translation>
    </message>
    <message>
        <source>reply %1</source>
        <extracomment>The keyboard&apos;s answer; %1 says which parameter and its value.</extracomment>
        <translation>réponse %1</translation>
    </message>
    <message>
        <source>request %1, memory %2</source>
        <extracomment>A question to the keyboard; %1 says which parameter, %2 which memory.</extracomment>
        <translation>demande %1, mémoire %2</translation>
    </message>
    <message>
        <source>set %1, memory %2</source>
        <translation>réglage %1, mémoire %2</translation>
    </message>
    <message numerus="yes">
        <source>System Exclusive, %n bytes</source>
        <translation>
            <numerusform>System Exclusive, %n octet</numerusform>
            <numerusform>System Exclusive, %n octets</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: upgrade mode handshake</source>
        <extracomment>%1 is the channel message the keyboard&apos;s firmware upgrade mode answers with.</extracomment>
        <translation>%1 : handshake du mode de mise à jour</translation>
    </message>
</context>
<context>
    <name>MidiMonitor</name>
    <message>
        <source>MIDI Monitor</source>
        <translation>Moniteur MIDI</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Enregistrer...</translation>
    </message>
    <message>
        <source>Follow the keyboard</source>
        <translation>Suivre le clavier</translation>
    </message>
    <message>
        <source>0 messages</source>
        <translation>0 message</translation>
    </message>
    <message>
        <source>MIDI messages</source>
        <translation>Messages MIDI</translation>
    </message>
    <message numerus="yes">
        <source> (%n bytes)</source>
        <extracomment>After a message cut short in the monitor: how long it was.</extracomment>
        <translation>
            <numerusform> (%n octet)</numerusform>
            <numerusform> (%n octets)</numerusform>
        </translation>
    </message>
    <message>
        <source> (refused by the port)</source>
        <translation> (refusé par le port)</translation>
    </message>
    <message numerus="yes">
        <source>%n messages</source>
        <translation>
            <numerusform>%n message</numerusform>
            <numerusform>%n messages</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n missed</source>
        <extracomment>After the count of messages: how many the monitor could not keep up with.</extracomment>
        <translation>
            <numerusform>, %n manqué</numerusform>
            <numerusform>, %n manqués</numerusform>
        </translation>
    </message>
    <message>
        <source>Save MIDI Monitor</source>
        <translation>Enregistrer le moniteur MIDI</translation>
    </message>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>Fichiers texte (*.txt)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Could not save the monitor to &quot;%1&quot;: %2</source>
        <translation>Impossible d&apos;enregistrer le moniteur dans « %1 » : %2</translation>
    </message>
    <message>
        <source>Every message to or from the keyboard</source>
        <translation>Chaque message vers ou depuis le clavier</translation>
    </message>
</context>
<context>
    <name>MonitorLineModel</name>
    <message>
        <source>in</source>
        <extracomment>The direction of a MIDI message: from the keyboard (&quot;in&quot;) or to it (&quot;out&quot;).</extracomment>
        <translation>entrée</translation>
    </message>
    <message>
        <source>out</source>
        <translation>sortie</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Dir</source>
        <translation>Sens</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Octets</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>Signification</translation>
    </message>
</context>
<context>
    <name>OverviewCommands</name>
    <message>
        <source>the sheet is written as OUT.pdf or OUT.png, not &apos;%1&apos;</source>
        <translation>la fiche s&apos;écrit en OUT.pdf ou OUT.png, pas &apos;%1&apos;</translation>
    </message>
    <message>
        <source>the sheet can only be drawn by the telvir program itself</source>
        <translation>seul le programme telvir lui-même peut dessiner la fiche</translation>
    </message>
    <message>
        <source>Telvir keyboard: %1</source>
        <extracomment>The sheet&apos;s title; %1 is the settings file&apos;s name.</extracomment>
        <translation>Clavier Telvir : %1</translation>
    </message>
</context>
<context>
    <name>PortChoice</name>
    <message>
        <source>there is no MIDI output port &apos;%1&apos; (telvir ports lists them)</source>
        <translation>il n&apos;y a pas de port MIDI de sortie &apos;%1&apos; (telvir ports les liste)</translation>
    </message>
    <message>
        <source>there is no MIDI input port &apos;%1&apos; (telvir ports lists them)</source>
        <translation>il n&apos;y a pas de port MIDI d&apos;entrée &apos;%1&apos; (telvir ports les liste)</translation>
    </message>
</context>
<context>
    <name>PortsDialog</name>
    <message>
        <source>MIDI Ports</source>
        <translation>Ports MIDI</translation>
    </message>
    <message>
        <source>Choose the ports of the keyboard, or let the editor find them (Automatic).</source>
        <translation>Choisissez les ports du clavier, ou laissez l&apos;éditeur les trouver (Automatique).</translation>
    </message>
    <message>
        <source>Output:</source>
        <translation>Sortie :</translation>
    </message>
    <message>
        <source>Input:</source>
        <translation>Entrée :</translation>
    </message>
    <message>
        <source>Keyboards found:</source>
        <translation>Claviers trouvés :</translation>
    </message>
    <message>
        <source>Output &apos;%1&apos;, input &apos;%2&apos;</source>
        <translation>Sortie &apos;%1&apos;, entrée &apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Turn Live on at start</source>
        <translation>Activer Direct au démarrage</translation>
    </message>
    <message>
        <source>Follow the keyboard</source>
        <translation>Suivre le clavier</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Messages</translation>
    </message>
    <message>
        <source>Untick a message to stop showing it; tick one you silenced with &quot;Don&apos;t show this again&quot; to see it again.</source>
        <translation>Décochez un message pour ne plus l&apos;afficher ; cochez-en un masqué avec « Ne plus afficher » pour le revoir.</translation>
    </message>
    <message>
        <source>Show that the keyboard was linked</source>
        <translation>Indiquer que le clavier est relié</translation>
    </message>
    <message>
        <source>Show how many settings were read</source>
        <translation>Indiquer combien de réglages ont été lus</translation>
    </message>
    <message>
        <source>Show that the settings were sent</source>
        <translation>Indiquer que les réglages ont été envoyés</translation>
    </message>
    <message>
        <source>Send every change to the keyboard&apos;s workArea from the start</source>
        <translation>Envoyer chaque modification dans la workArea du clavier dès le démarrage</translation>
    </message>
    <message>
        <source>A control touched on the keyboard is shown in the editor</source>
        <translation>Une commande touchée sur le clavier s&apos;affiche dans l&apos;éditeur</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>For keyboards that miss messages sent back to back</source>
        <translation>Pour les claviers qui manquent des messages envoyés à la suite</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Clavier</translation>
    </message>
    <message>
        <source>Pause between messages:</source>
        <translation>Pause entre les messages :</translation>
    </message>
</context>
<context>
    <name>ProgressBarWindow</name>
    <message>
        <source>Processing...</source>
        <translation>Traitement...</translation>
    </message>
</context>
<context>
    <name>ProgressReport</name>
    <message>
        <source>firmware [%1] %2 %</source>
        <extracomment>The firmware update&apos;s progress bar: %1 is the bar, %2 the percentage.</extracomment>
        <translation>firmware [%1] %2 %</translation>
    </message>
    <message>
        <source>firmware %1 %</source>
        <extracomment>The firmware update&apos;s progress, one line each tenth.</extracomment>
        <translation>firmware %1 %</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
</context>
<context>
    <name>RecoveryBar</name>
    <message>
        <source>Unsaved changes from %1 could not be read and were dropped.</source>
        <translation>Les modifications non enregistrées du %1 n&apos;ont pas pu être lues et ont été abandonnées.</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Abandonner</translation>
    </message>
    <message>
        <source>Unsaved changes from %1 can be restored.</source>
        <translation>Les modifications non enregistrées du %1 peuvent être restaurées.</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>This is a folder, not a file</source>
        <translation>C&apos;est un dossier, pas un fichier</translation>
    </message>
    <message>
        <source>This is a named pipe, not a file</source>
        <translation>C&apos;est un tube nommé, pas un fichier</translation>
    </message>
    <message>
        <source>This is a device, not a file</source>
        <translation>C&apos;est un périphérique, pas un fichier</translation>
    </message>
    <message>
        <source>This is a socket, not a file</source>
        <translation>C&apos;est un socket, pas un fichier</translation>
    </message>
    <message>
        <source>This is not a regular file</source>
        <translation>Ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>No file name was given</source>
        <translation>Aucun nom de fichier n&apos;a été donné</translation>
    </message>
    <message>
        <source>The file does not exist</source>
        <translation>Le fichier n&apos;existe pas</translation>
    </message>
</context>
<context>
    <name>RtMidiBackend</name>
    <message>
        <source>no ALSA sequencer (/dev/snd/seq cannot be opened)</source>
        <translation>aucun séquenceur ALSA (/dev/snd/seq ne peut pas être ouvert)</translation>
    </message>
    <message>
        <source>no %1 (it does not start)</source>
        <extracomment>%1 is a MIDI system (&quot;ALSA&quot;).</extracomment>
        <translation>pas de %1 (ne démarre pas)</translation>
    </message>
    <message>
        <source>no %1 port</source>
        <extracomment>%1 is a MIDI system (&quot;ALSA&quot;).</extracomment>
        <translation>aucun port %1</translation>
    </message>
</context>
<context>
    <name>SettingNames</name>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>CC Number / Note</source>
        <translation>Numéro CC / Note</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>Min / LSB</source>
        <translation>Min / LSB</translation>
    </message>
    <message>
        <source>Max / MSB</source>
        <translation>Max / MSB</translation>
    </message>
    <message>
        <source>Mode Option</source>
        <translation>Option de mode</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Commande</translation>
    </message>
    <message>
        <source>Off - Disabled</source>
        <translation>Off - inactif</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Continu</translation>
    </message>
    <message>
        <source>NRPN / RPN</source>
        <translation>NRPN / RPN</translation>
    </message>
    <message>
        <source>MMC</source>
        <translation>MMC</translation>
    </message>
    <message>
        <source>Switched</source>
        <translation>Commuté</translation>
    </message>
    <message>
        <source>Midi Note</source>
        <translation>Note MIDI</translation>
    </message>
    <message>
        <source>Patch Chg</source>
        <translation>Prog. Change</translation>
    </message>
    <message>
        <source>Pitch Bend</source>
        <translation>Pitch Bend</translation>
    </message>
    <message>
        <source>Aftertouch</source>
        <translation>Aftertouch</translation>
    </message>
    <message>
        <source>toggle</source>
        <translation>bascule</translation>
    </message>
    <message>
        <source>gate</source>
        <translation>gate</translation>
    </message>
    <message>
        <source>standard</source>
        <translation>standard</translation>
    </message>
    <message>
        <source>hold</source>
        <translation>maintien</translation>
    </message>
    <message>
        <source>absolute</source>
        <translation>absolu</translation>
    </message>
    <message>
        <source>relative #1</source>
        <translation>relatif #1</translation>
    </message>
    <message>
        <source>relative #2</source>
        <translation>relatif #2</translation>
    </message>
    <message>
        <source>relative #3</source>
        <translation>relatif #3</translation>
    </message>
    <message>
        <source>CC Number</source>
        <translation>Numéro CC</translation>
    </message>
    <message>
        <source>Global</source>
        <translation>Global</translation>
    </message>
    <message>
        <source>Linear</source>
        <translation>Linéaire</translation>
    </message>
    <message>
        <source>Logarithmic</source>
        <translation>Logarithm.</translation>
    </message>
    <message>
        <source>Exponential</source>
        <translation>Exponent.</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Pleine</translation>
    </message>
    <message>
        <source>Octave</source>
        <translation>Octave</translation>
    </message>
    <message>
        <source>Pad Vel Curve</source>
        <translation>Courbe vélocité pads</translation>
    </message>
    <message>
        <source>Knob Accel</source>
        <translation>Accélération potards</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Lent</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Moyen</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Rapide</translation>
    </message>
    <message>
        <source>Knob Mode</source>
        <translation>Mode potards</translation>
    </message>
    <message>
        <source>relative</source>
        <translation>relatif</translation>
    </message>
    <message>
        <source>Velocity curve</source>
        <translation>Courbe de vélocité</translation>
    </message>
</context>
<context>
    <name>SettingsCommands</name>
    <message>
        <source>%1 exists already; not replaced</source>
        <translation>%1 existe déjà ; non remplacé</translation>
    </message>
    <message>
        <source>export writes .syx files; convert writes .telvir and .json files</source>
        <translation>export écrit des fichiers .syx ; convert écrit des fichiers .telvir et .json</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>Only %1 of %2 bytes could be written (%3)</source>
        <translation>Seuls %1 octets sur %2 ont pu être écrits (%3)</translation>
    </message>
    <message>
        <source>This is not a valid telvir settings file!</source>
        <translation>Ce n&apos;est pas un fichier de réglages Telvir valide !</translation>
    </message>
    <message>
        <source>The file does not start with %1</source>
        <translation>Le fichier ne commence pas par %1</translation>
    </message>
    <message>
        <source>The file holds %1 of the %2 bytes of a settings record</source>
        <translation>Le fichier contient %1 des %2 octets d&apos;un jeu de réglages</translation>
    </message>
</context>
<context>
    <name>SettingsFormat</name>
    <message>
        <source>TELVIR Settings Files</source>
        <translation>Fichiers de réglages TELVIR</translation>
    </message>
    <message>
        <source>Settings Documents</source>
        <translation>Documents de réglages</translation>
    </message>
    <message>
        <source>SysEx Files</source>
        <translation>Fichiers SysEx</translation>
    </message>
    <message>
        <source>Settings files (%1)</source>
        <translation>Fichiers de réglages (%1)</translation>
    </message>
</context>
<context>
    <name>StoreFileGuard</name>
    <message>
        <source>the disk is full</source>
        <translation>le disque est plein</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>le système de fichiers est en lecture seule</translation>
    </message>
    <message>
        <source>its folder is read-only</source>
        <translation>son dossier est en lecture seule</translation>
    </message>
    <message>
        <source>it is a symbolic link</source>
        <translation>c&apos;est un lien symbolique</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>elle appartient à un autre utilisateur</translation>
    </message>
    <message>
        <source>it has other names (hard links)</source>
        <translation>elle a d&apos;autres noms (liens physiques)</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>c&apos;est un dossier</translation>
    </message>
    <message>
        <source>it is a named pipe</source>
        <translation>c&apos;est un tube nommé</translation>
    </message>
    <message>
        <source>it is a socket</source>
        <translation>c&apos;est un socket</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>its folder cannot be made: %1</source>
        <translation>son dossier ne peut pas être créé : %1</translation>
    </message>
    <message>
        <source>its folder is a symbolic link of another user</source>
        <translation>son dossier est un lien symbolique d&apos;un autre utilisateur</translation>
    </message>
    <message>
        <source>its folder is a symbolic link that leads nowhere</source>
        <translation>son dossier est un lien symbolique qui ne mène nulle part</translation>
    </message>
    <message>
        <source>its folder is not a folder</source>
        <translation>son dossier n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>its folder belongs to another user</source>
        <translation>son dossier appartient à un autre utilisateur</translation>
    </message>
    <message>
        <source>its folder cannot be made</source>
        <translation>son dossier ne peut pas être créé</translation>
    </message>
    <message>
        <source>it is read-only</source>
        <translation>elle est en lecture seule</translation>
    </message>
</context>
<context>
    <name>SysexFile</name>
    <message>
        <source>Not a settings file of this keyboard: it is larger than %1 bytes.</source>
        <translation>Pas un fichier de réglages de ce clavier : il dépasse %1 octets.</translation>
    </message>
    <message>
        <source>Not a settings file of this keyboard: it holds no messages.</source>
        <translation>Pas un fichier de réglages de ce clavier : il ne contient aucun message.</translation>
    </message>
    <message>
        <source>Not a settings file of this keyboard: unexpected byte 0x%1 at offset %2.</source>
        <extracomment>%1 is a byte in hexadecimal (&quot;41&quot;), %2 its position in the file.</extracomment>
        <translation>Pas un fichier de réglages de ce clavier : octet inattendu 0x%1 à la position %2.</translation>
    </message>
    <message>
        <source>Not a settings file of this keyboard: it ends inside the message that starts at offset %1.</source>
        <translation>Pas un fichier de réglages de ce clavier : il s&apos;arrête au milieu du message qui commence à la position %1.</translation>
    </message>
    <message>
        <source>The file mixes set messages with the keyboard&apos;s replies (at offset %1); it must hold only one of the two.</source>
        <translation>Le fichier mêle des messages de réglage et des réponses du clavier (à la position %1) ; il ne doit contenir que l&apos;un des deux.</translation>
    </message>
    <message>
        <source>The file holds set messages for memory %1 and, at offset %2, for memory %3; it must hold those of one memory only.</source>
        <extracomment>%1 and %3 are memories (&quot;workArea&quot;, &quot;1&quot;..&quot;8&quot;), %2 a position in the file.</extracomment>
        <translation>Le fichier contient des messages de réglage pour la mémoire %1 et, à la position %2, pour la mémoire %3 ; il ne doit contenir que ceux d&apos;une seule mémoire.</translation>
    </message>
    <message>
        <source>The file does not carry %1; it is the factory setting.</source>
        <extracomment>%1 names a setting (&quot;Pad #3 Mode&quot;).</extracomment>
        <translation>Le fichier ne contient pas %1 ; il garde sa valeur d&apos;usine.</translation>
    </message>
    <message numerus="yes">
        <source>The file does not carry %n settings; they are the factory settings: %1</source>
        <extracomment>%1 lists settings by name (&quot;Pad #3 Mode, Cutoff CC Number&quot;).</extracomment>
        <translation>
            <numerusform>Le fichier ne contient pas %n réglage ; il garde sa valeur d&apos;usine : %1</numerusform>
            <numerusform>Le fichier ne contient pas %n réglages ; ils gardent leurs valeurs d&apos;usine : %1</numerusform>
        </translation>
    </message>
</context>
</TS>
