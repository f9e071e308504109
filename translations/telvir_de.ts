<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AllControlsWindow</name>
    <message>
        <source>All Controls</source>
        <translation>Alle Regler</translation>
    </message>
    <message>
        <source>Every control&apos;s assignment in one table (Ctrl+T)</source>
        <translation>Die Zuweisung jedes Reglers in einer Tabelle (Strg+T)</translation>
    </message>
    <message>
        <source>Assignments of every control</source>
        <translation>Zuweisungen aller Regler</translation>
    </message>
    <message>
        <source>Export Sheet...</source>
        <translation>Blatt exportieren...</translation>
    </message>
    <message numerus="yes">
        <source>%n controls clash: their rows are marked.</source>
        <translation>
            <numerusform>%n Regler kollidiert: seine Zeile ist markiert.</numerusform>
            <numerusform>%n Regler kollidieren: ihre Zeilen sind markiert.</numerusform>
        </translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>PNG-Bild (*.png)</translation>
    </message>
    <message>
        <source>Export Sheet</source>
        <translation>Blatt exportieren</translation>
    </message>
    <message>
        <source>Telvir keyboard</source>
        <translation>Telvir-Keyboard</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Could not export the sheet to &quot;%1&quot;: %2</source>
        <translation>Das Blatt konnte nicht nach „%1“ exportiert werden: %2</translation>
    </message>
</context>
<context>
    <name>AssignmentModel</name>
    <message>
        <source>%1: sends nothing</source>
        <extracomment>%1 is a control, %2 the MIDI message it sends (&quot;CC 7 ch 1&quot;).</extracomment>
        <translation>%1: sendet nichts</translation>
    </message>
    <message>
        <source>%1: sends %2</source>
        <translation>%1: sendet %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Show this help, or a command&apos;s with COMMAND --help.</source>
        <translation>Diese Hilfe zeigen, oder die eines Befehls mit BEFEHL --help.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version.</source>
        <translation>Die Version des Programms zeigen.</translation>
    </message>
    <message>
        <source>Write the debug log (MIDI traffic) to stderr.</source>
        <translation>Das Debug-Protokoll (MIDI-Verkehr) nach stderr schreiben.</translation>
    </message>
    <message>
        <source>Also search the ports and print every keyboard found.</source>
        <translation>Auch die Ports durchsuchen und jedes gefundene Keyboard ausgeben.</translation>
    </message>
    <message>
        <source>Write to every keyboard found, one line for each.</source>
        <translation>In jedes gefundene Keyboard schreiben, eine Zeile für jedes.</translation>
    </message>
    <message>
        <source>Keyboard memory to write: workArea (the default) or 1..8.</source>
        <translation>Zu schreibender Keyboard-Speicher: workArea (Vorgabe) oder 1..8.</translation>
    </message>
    <message>
        <source>Print a JSON document instead of the table.</source>
        <translation>Ein JSON-Dokument statt der Tabelle ausgeben.</translation>
    </message>
    <message>
        <source>Use exactly this output and input port, by name or number.</source>
        <translation>Genau diesen Aus- und Eingangsport nehmen, nach Name oder Nummer.</translation>
    </message>
    <message>
        <source>List the MIDI output and input ports with their numbers.</source>
        <translation>Die MIDI-Aus- und Eingangsports mit ihren Nummern auflisten.</translation>
    </message>
    <message>
        <source>Read the keyboard&apos;s settings into FILE (.telvir, or .json).</source>
        <translation>Die Einstellungen des Keyboards in FILE lesen (.telvir oder .json).</translation>
    </message>
    <message>
        <source>Send the settings in FILE to a memory of the keyboard.</source>
        <translation>Die Einstellungen aus FILE in einen Speicher des Keyboards senden.</translation>
    </message>
    <message>
        <source>Update the firmware of a keyboard in its upgrade mode.</source>
        <translation>Die Firmware eines Keyboards im Update-Modus erneuern.</translation>
    </message>
    <message>
        <source>Write the factory settings into a new FILE (.telvir, or .json).</source>
        <translation>Die Werkseinstellungen in eine neue FILE schreiben (.telvir oder .json).</translation>
    </message>
    <message>
        <source>Print every setting in FILE by name.</source>
        <translation>Jede Einstellung aus FILE mit Namen ausgeben.</translation>
    </message>
    <message>
        <source>Print the settings that differ; exit 0 when equal, 1 when not.</source>
        <translation>Die abweichenden Einstellungen ausgeben; Ende mit 0 wenn gleich, sonst 1.</translation>
    </message>
    <message>
        <source>Print the controls that send the same message; exit 1 when any do.</source>
        <translation>Die Regler ausgeben, die dieselbe Nachricht senden; Ende mit 1, wenn es welche gibt.</translation>
    </message>
    <message>
        <source>Make a printable sheet of all assignments, OUT.pdf or OUT.png.</source>
        <translation>Ein druckbares Blatt aller Zuweisungen erstellen, OUT.pdf oder OUT.png.</translation>
    </message>
    <message>
        <source>Print what this computer last wrote into each memory.</source>
        <translation>Ausgeben, was dieser Computer zuletzt in jeden Speicher schrieb.</translation>
    </message>
    <message>
        <source>List the setups in the library whose name contains TEXT.</source>
        <translation>Die Setups der Bibliothek auflisten, deren Name TEXT enthält.</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation>unbekannter Befehl &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--ports takes an output and an input port, once: --ports OUT IN</source>
        <translation>--ports nimmt einen Aus- und einen Eingangsport, einmal: --ports OUT IN</translation>
    </message>
    <message>
        <source>%1 takes no --%2</source>
        <extracomment>%1 is a command, %2 an option.</extracomment>
        <translation>%1 kennt kein --%2</translation>
    </message>
    <message>
        <source>usage: %1</source>
        <translation>Aufruf: %1</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Aufruf: %1</translation>
    </message>
    <message>
        <source>Usage: telvir [--verbose] COMMAND [ARGUMENTS]
Reads, writes, shows, compares and converts the settings of a Telvir keyboard,
keeps a library of them and updates its firmware.
</source>
        <extracomment>The first lines of telvir --help; keep the lines under 80 characters.</extracomment>
        <translation>Aufruf: telvir [--verbose] BEFEHL [ARGUMENTE]
Liest, schreibt, zeigt, vergleicht und wandelt die Einstellungen eines
Telvir-Keyboards, führt eine Bibliothek davon und erneuert seine Firmware.
</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Befehle:</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>Exit status: 0 success, 1 failure (diff: the files differ), 2 bad usage.</source>
        <translation>Rückgabewert: 0 Erfolg, 1 Fehler (diff: die Dateien unterscheiden sich), 2 falscher Aufruf.</translation>
    </message>
    <message>
        <source>Convert between .telvir, .json and .syx settings files.</source>
        <translation>Zwischen .telvir-, .json- und .syx-Einstellungsdateien umwandeln.</translation>
    </message>
    <message>
        <source>Write the messages that send FILE to a memory into OUT.syx.</source>
        <translation>Die Nachrichten, die FILE in einen Speicher senden, in OUT.syx schreiben.</translation>
    </message>
    <message>
        <source>Pause this many milliseconds between messages, for a keyboard slower than its port (default 0, or the pace that worked last time on these ports).</source>
        <translation>So viele Millisekunden zwischen zwei Nachrichten warten, für ein Keyboard, das langsamer ist als sein Port (Vorgabe 0, oder das Tempo, das an diesen Ports zuletzt ging).</translation>
    </message>
    <message>
        <source>The keyboard whose memories are meant, by a port name; &quot;&quot; for a keyboard not named.</source>
        <translation>Das Keyboard, dessen Speicher gemeint sind, nach einem Portnamen; &quot;&quot; für ein Keyboard ohne Namen.</translation>
    </message>
    <message>
        <source>Write the setup last written to MEMORY, or the setup SETUP, into FILE.</source>
        <translation>Das zuletzt in MEMORY geschriebene Setup oder das Setup SETUP in FILE schreiben.</translation>
    </message>
    <message>
        <source>Write the setup of the library named (or identified by) NAME into FILE.</source>
        <translation>Das Setup der Bibliothek mit dem Namen (oder der Kennung) NAME in FILE schreiben.</translation>
    </message>
    <message>
        <source>Copy the whole library into the new FILE.</source>
        <translation>Die ganze Bibliothek in die neue Datei FILE kopieren.</translation>
    </message>
    <message>
        <source>Merge the backup FILE into the library.</source>
        <translation>Die Sicherung FILE in die Bibliothek übernehmen.</translation>
    </message>
</context>
<context>
    <name>ControlClashes</name>
    <message>
        <source>Clashes with %1</source>
        <extracomment>%1 lists the controls that send the same message.</extracomment>
        <translation>Kollidiert mit %1</translation>
    </message>
    <message numerus="yes">
        <source>, %n controls clash</source>
        <extracomment>Added to the status line.</extracomment>
        <translation>
            <numerusform>, %n Regler kollidiert</numerusform>
            <numerusform>, %n Regler kollidieren</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ControlSheet</name>
    <message>
        <source>Off</source>
        <extracomment>A control that sends nothing, on the sheet.</extracomment>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Global Parameters</source>
        <translation>Globale Parameter</translation>
    </message>
    <message>
        <source>Clashes</source>
        <extracomment>The sheet&apos;s part that lists the controls that send the same message.</extracomment>
        <translation>Kollisionen</translation>
    </message>
    <message>
        <source>No two controls send the same message.</source>
        <translation>Keine zwei Regler senden dieselbe Nachricht.</translation>
    </message>
    <message>
        <source>the keyboard picture %1 is missing</source>
        <translation>das Bild des Keyboards %1 fehlt</translation>
    </message>
    <message>
        <source>Telvir editor %1</source>
        <translation>Telvir-Editor %1</translation>
    </message>
    <message>
        <source>a sheet is written as .pdf or .png</source>
        <translation>ein Blatt wird als .pdf oder .png geschrieben</translation>
    </message>
    <message>
        <source>the picture could not be encoded</source>
        <translation>das Bild konnte nicht kodiert werden</translation>
    </message>
    <message>
        <source>the PDF could not be started</source>
        <translation>das PDF konnte nicht begonnen werden</translation>
    </message>
    <message>
        <source>the PDF could not be finished</source>
        <translation>das PDF konnte nicht abgeschlossen werden</translation>
    </message>
</context>
<context>
    <name>DemoKeyboard</name>
    <message>
        <source>The keyboard simulator (%1) was found neither beside the editor nor on the PATH.</source>
        <translation>Der Keyboard-Simulator (%1) wurde weder neben dem Editor noch im PATH gefunden.</translation>
    </message>
    <message>
        <source>No temporary folder for the demo keyboard: %1</source>
        <translation>Kein temporärer Ordner für das Demo-Keyboard: %1</translation>
    </message>
    <message>
        <source>The JACK server jackd was not found, and no other JACK server runs for the keyboard simulator. Install jackd2, or PipeWire&apos;s JACK (pipewire-jack), to try the editor without a keyboard.</source>
        <translation>Der JACK-Server jackd wurde nicht gefunden, und kein anderer JACK-Server läuft für den Keyboard-Simulator. Installieren Sie jackd2 oder das JACK von PipeWire (pipewire-jack), um den Editor ohne Keyboard auszuprobieren.</translation>
    </message>
    <message>
        <source>The JACK server %1 could not be started: %2</source>
        <extracomment>%1 is the program, %2 the system&apos;s reason.</extracomment>
        <translation>Der JACK-Server %1 konnte nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>The keyboard simulator %1 could not be started: %2</source>
        <translation>Der Keyboard-Simulator %1 konnte nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>The JACK server %1 stopped: %2</source>
        <translation>Der JACK-Server %1 wurde beendet: %2</translation>
    </message>
    <message>
        <source>The keyboard simulator did not come up on the JACK server: %1</source>
        <translation>Der Keyboard-Simulator ist auf dem JACK-Server nicht angelaufen: %1</translation>
    </message>
    <message>
        <source>Demo Keyboard</source>
        <translation>Demo-Keyboard</translation>
    </message>
    <message>
        <source>The editor starts without the keyboard simulator.</source>
        <translation>Der Editor startet ohne den Keyboard-Simulator.</translation>
    </message>
</context>
<context>
    <name>EditorCommandLine</name>
    <message>
        <source>Configuration editor for the Telvir USB MIDI controller keyboard.</source>
        <translation>Konfigurationseditor für das USB-MIDI-Controller-Keyboard Telvir.</translation>
    </message>
    <message>
        <source>Write the debug log (MIDI ports, messages to and from the keyboard) to stderr.</source>
        <translation>Das Debug-Protokoll (MIDI-Ports, Nachrichten an das und vom Keyboard) nach stderr schreiben.</translation>
    </message>
    <message>
        <source>A settings file to load once the keyboard&apos;s settings were read, as &quot;Load...&quot; does.</source>
        <translation>Eine Einstellungsdatei, die nach dem Lesen der Keyboard-Einstellungen geladen wird, wie mit „Laden...“.</translation>
    </message>
    <message>
        <source>Only one settings file can be loaded.</source>
        <translation>Es kann nur eine Einstellungsdatei geladen werden.</translation>
    </message>
    <message>
        <source>Try the editor without a keyboard: start the keyboard simulator on a JACK server of its own and link to it.</source>
        <translation>Den Editor ohne Keyboard ausprobieren: den Keyboard-Simulator auf einem eigenen JACK-Server starten und sich mit ihm verbinden.</translation>
    </message>
    <message>
        <source>no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); start it on a desktop, or on a virtual X server: xvfb-run -a telvir-editor</source>
        <translation>keine Anzeige für das Fenster (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt); starten Sie es auf einem Desktop oder auf einem virtuellen X-Server: xvfb-run -a telvir-editor</translation>
    </message>
</context>
<context>
    <name>EditorDocument</name>
    <message>
        <source>Change %1</source>
        <translation>%1 ändern</translation>
    </message>
    <message>
        <source>Restore unsaved changes</source>
        <translation>Ungesicherte Änderungen wiederherstellen</translation>
    </message>
    <message numerus="yes">
        <source>; Read %1 of %n settings</source>
        <translation>
            <numerusform>; %1/%n gelesen</numerusform>
            <numerusform>; %1/%n gelesen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n changes not sent</source>
        <translation>
            <numerusform>, %n Änderung nicht gesendet</numerusform>
            <numerusform>, %n Änderungen nicht gesendet</numerusform>
        </translation>
    </message>
    <message>
        <source>, 1 change not sent</source>
        <translation>, 1 Änderung nicht gesendet</translation>
    </message>
</context>
<context>
    <name>FormAccess</name>
    <message>
        <source>Pad Bank: %1 to %2</source>
        <translation>Pad-Bank: %1 bis %2</translation>
    </message>
    <message>
        <source>Pad Bank</source>
        <translation>Pad-Bank</translation>
    </message>
    <message>
        <source>Selected Control</source>
        <translation>Gewählter Regler</translation>
    </message>
    <message>
        <source>%1: CC %2, channel %3</source>
        <extracomment>What a control marker is assigned to, for a screen reader: %1 is the control.</extracomment>
        <translation>%1: CC %2, Kanal %3</translation>
    </message>
    <message>
        <source>%1: channel %2</source>
        <translation>%1: Kanal %2</translation>
    </message>
    <message>
        <source>%1: CC %2, channel %3, mode %4</source>
        <translation>%1: CC %2, Kanal %3, Modus %4</translation>
    </message>
    <message>
        <source>%1: channel %2, mode %3</source>
        <translation>%1: Kanal %2, Modus %3</translation>
    </message>
</context>
<context>
    <name>Invocation</name>
    <message>
        <source>could not write %1: %2</source>
        <extracomment>%1 is a file, %2 the system&apos;s reason.</extracomment>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 (see telvir --help)</source>
        <extracomment>%1 is what was wrong with the command line.</extracomment>
        <translation>%1 (siehe telvir --help)</translation>
    </message>
</context>
<context>
    <name>JackMidiBackend</name>
    <message>
        <source>no JACK server running</source>
        <translation>kein JACK-Server läuft</translation>
    </message>
    <message>
        <source>no JACK server &apos;%1&apos; running</source>
        <translation>kein JACK-Server &apos;%1&apos; läuft</translation>
    </message>
    <message>
        <source>the JACK server has no MIDI port</source>
        <translation>der JACK-Server hat keinen MIDI-Port</translation>
    </message>
    <message>
        <source>the JACK server &apos;%1&apos; has no MIDI port</source>
        <translation>der JACK-Server &apos;%1&apos; hat keinen MIDI-Port</translation>
    </message>
</context>
<context>
    <name>KeyboardCommands</name>
    <message numerus="yes">
        <source>Sent %n messages to memory %1 of &apos;%2&apos;</source>
        <translation>
            <numerusform>%n Nachricht an Speicher %1 von &apos;%2&apos; gesendet</numerusform>
            <numerusform>%n Nachrichten an Speicher %1 von &apos;%2&apos; gesendet</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not upgrade firmware: %1 is empty.</source>
        <translation>Firmware-Update fehlgeschlagen: %1 ist leer.</translation>
    </message>
    <message>
        <source>Could not upgrade firmware: %1 cannot be read.</source>
        <translation>Firmware-Update fehlgeschlagen: %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>no MIDI output port</source>
        <translation>kein MIDI-Ausgangsport</translation>
    </message>
    <message>
        <source>no MIDI input port</source>
        <translation>kein MIDI-Eingangsport</translation>
    </message>
    <message>
        <source>no MIDI port found</source>
        <translation>kein MIDI-Port gefunden</translation>
    </message>
    <message>
        <source>no MIDI port found: %1</source>
        <translation>kein MIDI-Port gefunden: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; sent no replies; %2 was not written.</source>
        <translation>&apos;%1&apos; hat nicht geantwortet; %2 wurde nicht geschrieben.</translation>
    </message>
    <message numerus="yes">
        <source>Read only %1 of %n settings; %2 was not written.</source>
        <translation>
            <numerusform>Nur %1 von %n Einstellung gelesen; %2 wurde nicht geschrieben.</numerusform>
            <numerusform>Nur %1 von %n Einstellungen gelesen; %2 wurde nicht geschrieben.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Read %n settings from &apos;%1&apos; into %2</source>
        <translation>
            <numerusform>%n Einstellung von &apos;%1&apos; in %2 gelesen</numerusform>
            <numerusform>%n Einstellungen von &apos;%1&apos; in %2 gelesen</numerusform>
        </translation>
    </message>
    <message>
        <source>--memory takes workArea or 1..8, not &apos;%1&apos;</source>
        <translation>--memory nimmt workArea oder 1..8, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>write takes --all or --ports, not both</source>
        <translation>write nimmt --all oder --ports, nicht beides</translation>
    </message>
    <message>
        <source>not sent: a CC Number / Note of 0 is never written, so the keyboard keeps its own for %1</source>
        <extracomment>%1 lists the controls by their names.</extracomment>
        <translation>nicht gesendet: eine CC-Nummer / Note 0 wird nie geschrieben, daher behält das Keyboard seine eigene für %1</translation>
    </message>
    <message>
        <source>keyboard on output &apos;%1&apos;, input &apos;%2&apos;: %3</source>
        <extracomment>%3 is the message of what went wrong.</extracomment>
        <translation>Keyboard an Ausgang &apos;%1&apos;, Eingang &apos;%2&apos;: %3</translation>
    </message>
    <message numerus="yes">
        <source>Upgraded the firmware of &apos;%1&apos; with %n bytes from %2</source>
        <translation>
            <numerusform>Firmware von &apos;%1&apos; mit %n Byte aus %2 erneuert</numerusform>
            <numerusform>Firmware von &apos;%1&apos; mit %n Bytes aus %2 erneuert</numerusform>
        </translation>
    </message>
    <message>
        <source>--pace takes a number of milliseconds from 0 to %1, not &apos;%2&apos;</source>
        <translation>--pace erwartet Millisekunden von 0 bis %1, nicht &apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>KeyboardFollower</name>
    <message>
        <source>-&gt; no control sends this</source>
        <extracomment>After a message the monitor shows: no control of the form sends it.</extracomment>
        <translation>-&gt; kein Regler sendet dies</translation>
    </message>
    <message>
        <source>-&gt; %1</source>
        <extracomment>After a message the monitor shows: %1 is the control that sends it.</extracomment>
        <translation>-&gt; %1</translation>
    </message>
    <message>
        <source>-&gt; clash: %1</source>
        <extracomment>After a message the monitor shows: %1 lists the controls that all send it.</extracomment>
        <translation>-&gt; Kollision: %1</translation>
    </message>
</context>
<context>
    <name>KeyboardOutcome</name>
    <message>
        <source>Successfully connect to device &apos;%1&apos; !</source>
        <translation>Erfolgreich mit Gerät &apos;%1&apos; verbunden!</translation>
    </message>
    <message>
        <source>Could not connect to midi deivce.</source>
        <translation>Keine Verbindung zum MIDI-Gerät möglich.</translation>
    </message>
    <message>
        <source>The keyboard did not answer on output &apos;%1&apos; with input &apos;%2&apos;.</source>
        <translation>Das Keyboard hat an Ausgang &apos;%1&apos; mit Eingang &apos;%2&apos; nicht geantwortet.</translation>
    </message>
    <message>
        <source>The JACK server does not respond.</source>
        <translation>Der JACK-Server antwortet nicht.</translation>
    </message>
    <message numerus="yes">
        <source>Successfully recv %n settings.</source>
        <translation>
            <numerusform>%n Einstellung erfolgreich empfangen.</numerusform>
            <numerusform>%n Einstellungen erfolgreich empfangen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not recv settings.</source>
        <translation>Keine Einstellungen empfangen.</translation>
    </message>
    <message>
        <source>Successfully sent to device &apos;%1&apos; !</source>
        <translation>Erfolgreich an Gerät &apos;%1&apos; gesendet!</translation>
    </message>
    <message numerus="yes">
        <source>The port of device &apos;%1&apos; refused %2 of %n messages. The keyboard may hold only part of these settings.</source>
        <translation>
            <numerusform>Der Port von Gerät &apos;%1&apos; hat %2 von %n Nachricht abgelehnt. Das Keyboard hat womöglich nur einen Teil dieser Einstellungen.</numerusform>
            <numerusform>Der Port von Gerät &apos;%1&apos; hat %2 von %n Nachrichten abgelehnt. Das Keyboard hat womöglich nur einen Teil dieser Einstellungen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The port of device &apos;%1&apos; stopped taking messages after %n of them went out. The keyboard may hold only part of these settings.</source>
        <translation>
            <numerusform>Der Port von Gerät &apos;%1&apos; nahm nach %n gesendeten Nachricht keine mehr an. Das Keyboard hat womöglich nur einen Teil dieser Einstellungen.</numerusform>
            <numerusform>Der Port von Gerät &apos;%1&apos; nahm nach %n gesendeten Nachrichten keine mehr an. Das Keyboard hat womöglich nur einen Teil dieser Einstellungen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not upgrade firmware: the file is too large for the keyboard (at most %1 bytes).</source>
        <translation>Firmware-Update fehlgeschlagen: die Datei ist zu groß für das Keyboard (höchstens %1 Bytes).</translation>
    </message>
    <message>
        <source>Could not upgrade firmware.</source>
        <translation>Firmware-Update fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Could not upgrade firmware: %1 listens to the editor&apos;s MIDI output, and PipeWire may change the firmware&apos;s bytes for the keyboard as well. Disconnect it from the editor, then try again.</source>
        <translation>Firmware-Update fehlgeschlagen: %1 hört am MIDI-Ausgang des Editors mit, und PipeWire könnte dabei auch die Bytes der Firmware für das Keyboard verändern. Trennen Sie es vom Editor und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Could not connect to device.</source>
        <translation>Keine Verbindung zum Gerät möglich.</translation>
    </message>
    <message>
        <source>Successfully upgrade the firmware of device &apos;%1&apos; !</source>
        <translation>Firmware von Gerät &apos;%1&apos; erfolgreich erneuert!</translation>
    </message>
    <message>
        <source>OK</source>
        <extracomment>The title of the box that reports a command to the keyboard.</extracomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more</source>
        <extracomment>%1 lists the first settings by name; %n counts the others.</extracomment>
        <translation>
            <numerusform>%1 und %n weitere</numerusform>
            <numerusform>%1 und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Sent to memory %1 of device &apos;%2&apos;; a memory other than workArea cannot be read back, so the keyboard&apos;s copy was not checked.</source>
        <translation>In Speicher %1 von Gerät &apos;%2&apos; gesendet; ein anderer Speicher als workArea kann nicht zurückgelesen werden, daher wurde die Kopie im Keyboard nicht geprüft.</translation>
    </message>
    <message>
        <source>1 setting did not reach the keyboard: %1.</source>
        <extracomment>%1 names the settings (&quot;Pad #3 Mode, Cutoff CC Number&quot;).</extracomment>
        <translation>1 Einstellung ist nicht beim Keyboard angekommen: %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n settings did not reach the keyboard: %1.</source>
        <extracomment>%1 names the settings (&quot;Pad #3 Mode, Cutoff CC Number&quot;).</extracomment>
        <translation>
            <numerusform>%n Einstellung ist nicht beim Keyboard angekommen: %1.</numerusform>
            <numerusform>%n Einstellungen sind nicht beim Keyboard angekommen: %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>Sent to device &apos;%1&apos;, but it answered none of the requests for the values just written, so whether they arrived is not known.</source>
        <translation>An Gerät &apos;%1&apos; gesendet, aber es hat keine der Anfragen nach den eben geschriebenen Werten beantwortet; ob sie angekommen sind, ist daher nicht bekannt.</translation>
    </message>
</context>
<context>
    <name>KeyboardSession</name>
    <message>
        <source>Connecting</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Trying output &apos;%1&apos; with input &apos;%2&apos;</source>
        <translation>Versuche Ausgang &apos;%1&apos; mit Eingang &apos;%2&apos;</translation>
    </message>
    <message>
        <source>Asking %1 outputs, listening on %2 inputs</source>
        <translation>Frage %1 Ausgänge, höre auf %2 Eingängen</translation>
    </message>
    <message>
        <source>The keyboard answered on input &apos;%1&apos;; looking for its output among %2</source>
        <translation>Das Keyboard hat an Eingang &apos;%1&apos; geantwortet; suche seinen Ausgang unter %2</translation>
    </message>
    <message>
        <source>Reading settings</source>
        <translation>Einstellungen lesen</translation>
    </message>
    <message>
        <source>Sending settings</source>
        <translation>Einstellungen senden</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Nicht mehr anzeigen</translation>
    </message>
    <message>
        <source>Enter Firmware Upgrade Mode</source>
        <translation>Firmware-Update-Modus aufrufen</translation>
    </message>
    <message>
        <source>Please unplug the keyboard, then plug it in again WHILE HOLDING THE KEYBOARD SHIFT KEY.
Click OK when ready or CANCEL TO abort firmware update.</source>
        <translation>Bitte das Keyboard abziehen und wieder anschließen, WÄHREND SIE DIE SHIFT-TASTE DES KEYBOARDS GEDRÜCKT HALTEN.
Klicken Sie auf OK, wenn es bereit ist, oder auf ABBRECHEN, um das Firmware-Update abzubrechen.</translation>
    </message>
    <message>
        <source>Select Firmware File</source>
        <translation>Firmware-Datei wählen</translation>
    </message>
</context>
<context>
    <name>KeyboardWork</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>LibraryBackup</name>
    <message>
        <source>%1 exists already; a backup never replaces a file.</source>
        <translation>%1 existiert bereits; eine Sicherung ersetzt nie eine Datei.</translation>
    </message>
    <message>
        <source>The library cannot be opened.</source>
        <translation>Die Bibliothek kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>could not write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The copy of the library could not be read back; %1 was not written.</source>
        <translation>Die Kopie der Bibliothek konnte nicht zurückgelesen werden; %1 wurde nicht geschrieben.</translation>
    </message>
    <message>
        <source>%1 is not a backup of the library.</source>
        <translation>%1 ist keine Sicherung der Bibliothek.</translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation>%1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The library cannot be written.</source>
        <translation>Die Bibliothek kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>%1 was made by a newer program.</source>
        <translation>%1 wurde von einem neueren Programm erstellt.</translation>
    </message>
    <message>
        <source>The library could not take the backup: %1</source>
        <translation>Die Bibliothek konnte die Sicherung nicht übernehmen: %1</translation>
    </message>
    <message>
        <source>Backed up the library into %1: %2 and %3.</source>
        <extracomment>%2 is &quot;N setups&quot;, %3 &quot;N events&quot;.</extracomment>
        <translation>Bibliothek in %1 gesichert: %2 und %3.</translation>
    </message>
    <message numerus="yes">
        <source>%n setups</source>
        <translation>
            <numerusform>%n Setup</numerusform>
            <numerusform>%n Setups</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n events</source>
        <translation>
            <numerusform>%n Ereignis</numerusform>
            <numerusform>%n Ereignisse</numerusform>
        </translation>
    </message>
    <message>
        <source>Restored %1: %2 and %3 added; %4 and %5 were in the library already.</source>
        <extracomment>%2 and %4 are &quot;N setups&quot;, %3 and %5 &quot;N events&quot;.</extracomment>
        <translation>%1 wiederhergestellt: %2 und %3 hinzugefügt; %4 und %5 waren schon in der Bibliothek.</translation>
    </message>
</context>
<context>
    <name>LibraryCommands</name>
    <message>
        <source>not known</source>
        <extracomment>A memory of the keyboard of which the library knows nothing.</extracomment>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>Nothing is known of memory %1.</source>
        <translation>Über Speicher %1 ist nichts bekannt.</translation>
    </message>
    <message>
        <source>Wrote the setup last written to memory %1 (%2, %3) into %4</source>
        <extracomment>%2 is the file or program that wrote the memory, %3 when.</extracomment>
        <translation>Das zuletzt in Speicher %1 geschriebene Setup (%2, %3) in %4 geschrieben</translation>
    </message>
    <message>
        <source>Name</source>
        <extracomment>Column titles of the library&apos;s list; &quot;Written&quot; counts the writes to the keyboard.</extracomment>
        <translation>Name</translation>
    </message>
    <message>
        <source>Last seen</source>
        <translation>Zuletzt gesehen</translation>
    </message>
    <message>
        <source>Written</source>
        <translation>Geschrieben</translation>
    </message>
    <message>
        <source>Star</source>
        <translation>Stern</translation>
    </message>
    <message>
        <source>No setup in the library is named &apos;%1&apos;.</source>
        <translation>Kein Setup der Bibliothek heißt &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Wrote &apos;%1&apos; into %2</source>
        <translation>&apos;%1&apos; in %2 geschrieben</translation>
    </message>
    <message>
        <source>a keyboard not named</source>
        <extracomment>The keyboard of writes recorded before keyboards were told apart.</extracomment>
        <translation>ein Keyboard ohne Namen</translation>
    </message>
    <message>
        <source>No keyboard named &apos;%1&apos; was written to from here.</source>
        <translation>Von hier wurde in kein Keyboard namens &apos;%1&apos; geschrieben.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; names more than one keyboard: %2</source>
        <extracomment>%2 lists the keyboards.</extracomment>
        <translation>&apos;%1&apos; bezeichnet mehr als ein Keyboard: %2</translation>
    </message>
    <message>
        <source>MEMORY is workArea or 1..8, or a setup&apos;s name or identifier, not &apos;%1&apos;</source>
        <translation>MEMORY ist workArea oder 1..8 oder der Name oder die Kennung eines Setups, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Identifier</source>
        <translation>Kennung</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
</context>
<context>
    <name>LibrarySetupModel</name>
    <message>
        <source>First seen %1</source>
        <translation>Zuerst gesehen %1</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Last seen</source>
        <translation>Zuletzt gesehen</translation>
    </message>
    <message>
        <source>Written</source>
        <translation>Geschrieben</translation>
    </message>
    <message>
        <source>Star</source>
        <translation>Stern</translation>
    </message>
    <message>
        <source>Identifier</source>
        <translation>Kennung</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
</context>
<context>
    <name>LibraryStore</name>
    <message>
        <source>%1, and it cannot be moved aside</source>
        <extracomment>%1 is the reason the library could not be read.</extracomment>
        <translation>%1, und sie kann nicht beiseitegelegt werden</translation>
    </message>
    <message>
        <source>The library %1 could not be read (%2); it was moved aside to %3 and a new one was made.</source>
        <translation>Die Bibliothek %1 konnte nicht gelesen werden (%2); sie wurde nach %3 verschoben und eine neue angelegt.</translation>
    </message>
    <message>
        <source>The library %1 cannot be written (%2); nothing is recorded.</source>
        <translation>Die Bibliothek %1 kann nicht geschrieben werden (%2); nichts wird aufgezeichnet.</translation>
    </message>
    <message>
        <source>The library %1 was left as it is (%2); your own library is kept in %3.</source>
        <extracomment>%1 is what is at the library&apos;s place, %2 why it is not used, %3 the library used instead.</extracomment>
        <translation>Die Bibliothek %1 wurde nicht angetastet (%2); Ihre eigene Bibliothek liegt in %3.</translation>
    </message>
    <message>
        <source>The library %1 is not used (%2); nothing is recorded.</source>
        <extracomment>%2 is why the library&apos;s file or folder is not the user&apos;s own.</extracomment>
        <translation>Die Bibliothek %1 wird nicht benutzt (%2); nichts wird aufgezeichnet.</translation>
    </message>
    <message>
        <source>no lock file can be made beside it</source>
        <translation>daneben kann keine Sperrdatei angelegt werden</translation>
    </message>
</context>
<context>
    <name>LibraryWindow</name>
    <message>
        <source>Library</source>
        <translation>Bibliothek</translation>
    </message>
    <message>
        <source>What this computer wrote into the keyboard&apos;s memories, and every setup (Ctrl+L)</source>
        <translation>Was dieser Computer in die Speicher des Keyboards schrieb, und jedes Setup (Strg+L)</translation>
    </message>
    <message>
        <source>What this computer last wrote into each memory of the keyboard. The keyboard&apos;s own controls or another computer may have changed a memory since.</source>
        <translation>Was dieser Computer zuletzt in jeden Speicher des Keyboards schrieb. Die Bedienelemente des Keyboards oder ein anderer Computer können einen Speicher seitdem geändert haben.</translation>
    </message>
    <message>
        <source>Memories</source>
        <translation>Speicher</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Speicher</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>Written</source>
        <translation>Geschrieben</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Vergleichen</translation>
    </message>
    <message>
        <source>Send again</source>
        <translation>Erneut senden</translation>
    </message>
    <message>
        <source>Differences from the form</source>
        <translation>Unterschiede zum Formular</translation>
    </message>
    <message>
        <source>Compare shows here the settings in which a memory differs from the form.</source>
        <translation>„Vergleichen“ zeigt hier die Einstellungen, in denen ein Speicher vom Formular abweicht.</translation>
    </message>
    <message>
        <source>Search by name</source>
        <translation>Nach Name suchen</translation>
    </message>
    <message>
        <source>Setups</source>
        <translation>Setups</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Star</source>
        <translation>Stern</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message>
        <source>not known</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>Open memory %1</source>
        <translation>Speicher %1 öffnen</translation>
    </message>
    <message>
        <source>Nothing is known of this memory.</source>
        <translation>Über diesen Speicher ist nichts bekannt.</translation>
    </message>
    <message>
        <source>Memory %1 holds the settings of the form.</source>
        <translation>Speicher %1 enthält die Einstellungen des Formulars.</translation>
    </message>
    <message>
        <source>Memory %1 differs from the form here (the form&apos;s value first):</source>
        <translation>Speicher %1 weicht hier vom Formular ab (der Wert des Formulars zuerst):</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>%1 öffnen</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Export Setup</source>
        <translation>Setup exportieren</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Could not save the settings to &quot;%1&quot;: %2</source>
        <translation>Die Einstellungen konnten nicht in „%1“ gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Keyboard:</source>
        <translation>Keyboard:</translation>
    </message>
    <message>
        <source>Back Up...</source>
        <translation>Sichern...</translation>
    </message>
    <message>
        <source>Restore...</source>
        <translation>Wiederherstellen...</translation>
    </message>
    <message>
        <source>a keyboard not named</source>
        <extracomment>The keyboard of writes recorded before keyboards were told apart.</extracomment>
        <translation>ein Keyboard ohne Namen</translation>
    </message>
    <message>
        <source>Back Up the Library</source>
        <translation>Bibliothek sichern</translation>
    </message>
    <message>
        <source>Library Backups (*.sqlite)</source>
        <translation>Bibliothekssicherungen (*.sqlite)</translation>
    </message>
    <message>
        <source>Restore a Backup</source>
        <translation>Sicherung wiederherstellen</translation>
    </message>
    <message>
        <source>Library Backups (*.sqlite);;All Files (*)</source>
        <translation>Bibliothekssicherungen (*.sqlite);;Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>LinkMonitor</name>
    <message>
        <source>Connected to &apos;%1&apos;</source>
        <translation>Verbunden mit &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Keyboard in firmware upgrade mode</source>
        <translation>Keyboard im Firmware-Update-Modus</translation>
    </message>
    <message>
        <source>Looking for the keyboard...</source>
        <translation>Suche das Keyboard...</translation>
    </message>
    <message>
        <source>No keyboard connected</source>
        <translation>Kein Keyboard verbunden</translation>
    </message>
</context>
<context>
    <name>LiveSender</name>
    <message>
        <source>Live</source>
        <translation>Live</translation>
    </message>
    <message>
        <source>Send every change to the keyboard&apos;s workArea at once</source>
        <translation>Jede Änderung sofort in die workArea des Keyboards senden</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Load...</source>
        <translation>Laden...</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Speichern...</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Recent Files</source>
        <translation>Zuletzt verwendete Dateien</translation>
    </message>
    <message>
        <source>Export Sheet...</source>
        <translation>Blatt exportieren...</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Default Values</source>
        <translation>Standardwerte</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation>Einstellungen...</translation>
    </message>
    <message>
        <source>&amp;Keyboard</source>
        <translation>&amp;Keyboard</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Lesen</translation>
    </message>
    <message>
        <source>Send to Keyboard</source>
        <translation>An Keyboard senden</translation>
    </message>
    <message>
        <source>Ports...</source>
        <translation>Ports...</translation>
    </message>
    <message>
        <source>Upgrade firmware...</source>
        <translation>Firmware-Update...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>About Telvir Editor</source>
        <translation>Über Telvir Editor</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source>No recent files</source>
        <translation>Keine zuletzt verwendeten Dateien</translation>
    </message>
    <message>
        <source>Telvir Editor %1

Edits the settings of the Telvir USB MIDI keyboard: its controls, pads and global parameters, in files and on the keyboard.</source>
        <translation>Telvir Editor %1

Bearbeitet die Einstellungen des USB-MIDI-Keyboards Telvir: seine Regler, Pads und globalen Parameter, in Dateien und auf dem Keyboard.</translation>
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
        <translation>Globale Parameter</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>Kanal:</translation>
    </message>
    <message>
        <source>Octave   </source>
        <translation>Oktave   </translation>
    </message>
    <message>
        <source>Pad Vel Curve:</source>
        <translation>Pad-Kurve:</translation>
    </message>
    <message>
        <source>Knob Accel:</source>
        <translation>Regler-Tempo:</translation>
    </message>
    <message>
        <source>Knob Mode</source>
        <translation>Reglermodus</translation>
    </message>
    <message>
        <source>Velocity curve:</source>
        <translation>Velocity-Kurve:</translation>
    </message>
    <message>
        <source>Selected Control Parameters</source>
        <translation>Parameter des gewählten Reglers</translation>
    </message>
    <message>
        <source>CC Number</source>
        <translation>CC-Nummer</translation>
    </message>
    <message>
        <source>Mode:      </source>
        <translation>Modus:      </translation>
    </message>
    <message>
        <source>Min / LSB:</source>
        <translation>Min / LSB:</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Mode Option:</source>
        <translation>Modusoption:</translation>
    </message>
    <message>
        <source>Max / MSB:</source>
        <translation>Max / MSB:</translation>
    </message>
    <message>
        <source>Send to Keyboard</source>
        <translation>An Keyboard senden</translation>
    </message>
    <message>
        <source>Send to Mem</source>
        <translation>In Speicher</translation>
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
        <translation>Standardwerte</translation>
    </message>
    <message>
        <source>Load...</source>
        <translation>Laden...</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Speichern...</translation>
    </message>
    <message>
        <source>Upgrade firmware...</source>
        <translation>Firmware-Update...</translation>
    </message>
    <message>
        <source>Pedal</source>
        <translation>Pedal</translation>
    </message>
    <message>
        <source>Change %1</source>
        <translation>%1 ändern</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Ungesicherte Änderungen</translation>
    </message>
    <message>
        <source>Save the settings to a file before closing?</source>
        <translation>Die Einstellungen vor dem Schließen in einer Datei speichern?</translation>
    </message>
    <message>
        <source>Open Settings File</source>
        <translation>Einstellungsdatei öffnen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Load %1</source>
        <translation>%1 laden</translation>
    </message>
    <message>
        <source>Could not save the settings to &quot;%1&quot;: %2</source>
        <translation>Die Einstellungen konnten nicht in „%1“ gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Read from the keyboard</source>
        <translation>Vom Keyboard gelesen</translation>
    </message>
</context>
<context>
    <name>MemoryEntry</name>
    <message>
        <source>the editor</source>
        <translation>der Editor</translation>
    </message>
</context>
<context>
    <name>MessageDecoder</name>
    <message>
        <source>ch %1</source>
        <extracomment>A MIDI channel, as the monitor shows it in its messages.</extracomment>
        <translation>Kan. %1</translation>
    </message>
    <message>
        <source>Note Off %1, %2, velocity %3</source>
        <extracomment>%1 is the channel, %2 the note&apos;s name.</extracomment>
        <translation>Note Off %1, %2, Velocity %3</translation>
    </message>
    <message>
        <source>Note On %1, %2, velocity %3</source>
        <translation>Note On %1, %2, Velocity %3</translation>
    </message>
    <message>
        <source>Poly Pressure %1, %2, %3</source>
        <translation>Poly Pressure %1, %2, %3</translation>
    </message>
    <message>
        <source>Control Change %1, CC %2, value %3</source>
        <translation>Control Change %1, CC %2, Wert %3</translation>
    </message>
    <message>
        <source>Program Change %1, program %2</source>
        <translation>Program Change %1, Programm %2</translation>
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
        <translation>Systemnachricht %1</translation>
    </message>
    <message>
        <source>unknown parameter %1 of %2</source>
        <translation>unbekannter Parameter %1 von %2</translation>
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
        <translation>Handshake-Anfrage</translation>
    </message>
    <message>
        <source>handshake reply</source>
        <translation>Handshake-Antwort</translation>
    </message>
    <message>
        <source>reply %1</source>
        <extracomment>The keyboard&apos;s answer; %1 says which parameter and its value.</extracomment>
        <translation>Antwort %1</translation>
    </message>
    <message>
        <source>request %1, memory %2</source>
        <extracomment>A question to the keyboard; %1 says which parameter, %2 which memory.</extracomment>
        <translation>Anfrage %1, Speicher %2</translation>
    </message>
    <message>
        <source>set %1, memory %2</source>
        <translation>setze %1, Speicher %2</translation>
    </message>
    <message numerus="yes">
        <source>System Exclusive, %n bytes</source>
        <translation>
            <numerusform>System Exclusive, %n Byte</numerusform>
            <numerusform>System Exclusive, %n Bytes</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: upgrade mode handshake</source>
        <extracomment>%1 is the channel message the keyboard&apos;s firmware upgrade mode answers with.</extracomment>
        <translation>%1: Handshake des Update-Modus</translation>
    </message>
</context>
<context>
    <name>MidiMonitor</name>
    <message>
        <source>MIDI Monitor</source>
        <translation>MIDI-Monitor</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Speichern...</translation>
    </message>
    <message>
        <source>Follow the keyboard</source>
        <translation>Dem Keyboard folgen</translation>
    </message>
    <message>
        <source>0 messages</source>
        <translation>0 Nachrichten</translation>
    </message>
    <message>
        <source>MIDI messages</source>
        <translation>MIDI-Nachrichten</translation>
    </message>
    <message numerus="yes">
        <source> (%n bytes)</source>
        <extracomment>After a message cut short in the monitor: how long it was.</extracomment>
        <translation>
            <numerusform> (%n Byte)</numerusform>
            <numerusform> (%n Bytes)</numerusform>
        </translation>
    </message>
    <message>
        <source> (refused by the port)</source>
        <translation> (vom Port abgelehnt)</translation>
    </message>
    <message numerus="yes">
        <source>%n messages</source>
        <translation>
            <numerusform>%n Nachricht</numerusform>
            <numerusform>%n Nachrichten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n missed</source>
        <extracomment>After the count of messages: how many the monitor could not keep up with.</extracomment>
        <translation>
            <numerusform>, %n verpasst</numerusform>
            <numerusform>, %n verpasst</numerusform>
        </translation>
    </message>
    <message>
        <source>Save MIDI Monitor</source>
        <translation>MIDI-Monitor speichern</translation>
    </message>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Could not save the monitor to &quot;%1&quot;: %2</source>
        <translation>Der Monitor konnte nicht in „%1“ gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Every message to or from the keyboard</source>
        <translation>Jede Nachricht an das oder vom Keyboard</translation>
    </message>
</context>
<context>
    <name>MonitorLineModel</name>
    <message>
        <source>in</source>
        <extracomment>The direction of a MIDI message: from the keyboard (&quot;in&quot;) or to it (&quot;out&quot;).</extracomment>
        <translation>ein</translation>
    </message>
    <message>
        <source>out</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Dir</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>Bedeutung</translation>
    </message>
</context>
<context>
    <name>OverviewCommands</name>
    <message>
        <source>the sheet is written as OUT.pdf or OUT.png, not &apos;%1&apos;</source>
        <translation>das Blatt wird als OUT.pdf oder OUT.png geschrieben, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>the sheet can only be drawn by the telvir program itself</source>
        <translation>das Blatt kann nur das Programm telvir selbst zeichnen</translation>
    </message>
    <message>
        <source>Telvir keyboard: %1</source>
        <extracomment>The sheet&apos;s title; %1 is the settings file&apos;s name.</extracomment>
        <translation>Telvir-Keyboard: %1</translation>
    </message>
</context>
<context>
    <name>PortChoice</name>
    <message>
        <source>there is no MIDI output port &apos;%1&apos; (telvir ports lists them)</source>
        <translation>es gibt keinen MIDI-Ausgangsport &apos;%1&apos; (telvir ports listet sie auf)</translation>
    </message>
    <message>
        <source>there is no MIDI input port &apos;%1&apos; (telvir ports lists them)</source>
        <translation>es gibt keinen MIDI-Eingangsport &apos;%1&apos; (telvir ports listet sie auf)</translation>
    </message>
</context>
<context>
    <name>PortsDialog</name>
    <message>
        <source>MIDI Ports</source>
        <translation>MIDI-Ports</translation>
    </message>
    <message>
        <source>Choose the ports of the keyboard, or let the editor find them (Automatic).</source>
        <translation>Wählen Sie die Ports des Keyboards, oder lassen Sie den Editor sie finden (Automatisch).</translation>
    </message>
    <message>
        <source>Output:</source>
        <translation>Ausgang:</translation>
    </message>
    <message>
        <source>Input:</source>
        <translation>Eingang:</translation>
    </message>
    <message>
        <source>Keyboards found:</source>
        <translation>Gefundene Keyboards:</translation>
    </message>
    <message>
        <source>Output &apos;%1&apos;, input &apos;%2&apos;</source>
        <translation>Ausgang &apos;%1&apos;, Eingang &apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Turn Live on at start</source>
        <translation>Live beim Start einschalten</translation>
    </message>
    <message>
        <source>Follow the keyboard</source>
        <translation>Dem Keyboard folgen</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Meldungen</translation>
    </message>
    <message>
        <source>Untick a message to stop showing it; tick one you silenced with &quot;Don&apos;t show this again&quot; to see it again.</source>
        <translation>Entfernen Sie den Haken, um eine Meldung nicht mehr zu zeigen; setzen Sie ihn bei einer mit „Nicht mehr anzeigen“ ausgeblendeten, um sie wieder zu sehen.</translation>
    </message>
    <message>
        <source>Show that the keyboard was linked</source>
        <translation>Zeigen, dass das Keyboard verbunden wurde</translation>
    </message>
    <message>
        <source>Show how many settings were read</source>
        <translation>Zeigen, wie viele Einstellungen gelesen wurden</translation>
    </message>
    <message>
        <source>Show that the settings were sent</source>
        <translation>Zeigen, dass die Einstellungen gesendet wurden</translation>
    </message>
    <message>
        <source>Send every change to the keyboard&apos;s workArea from the start</source>
        <translation>Jede Änderung von Anfang an in die workArea des Keyboards senden</translation>
    </message>
    <message>
        <source>A control touched on the keyboard is shown in the editor</source>
        <translation>Ein am Keyboard berührter Regler wird im Editor angezeigt</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>For keyboards that miss messages sent back to back</source>
        <translation>Für Keyboards, die direkt aufeinander folgende Nachrichten verpassen</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Keyboard</translation>
    </message>
    <message>
        <source>Pause between messages:</source>
        <translation>Pause zwischen Nachrichten:</translation>
    </message>
</context>
<context>
    <name>ProgressBarWindow</name>
    <message>
        <source>Processing...</source>
        <translation>Bitte warten...</translation>
    </message>
</context>
<context>
    <name>ProgressReport</name>
    <message>
        <source>firmware [%1] %2 %</source>
        <extracomment>The firmware update&apos;s progress bar: %1 is the bar, %2 the percentage.</extracomment>
        <translation>Firmware [%1] %2 %</translation>
    </message>
    <message>
        <source>firmware %1 %</source>
        <extracomment>The firmware update&apos;s progress, one line each tenth.</extracomment>
        <translation>Firmware %1 %</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
</context>
<context>
    <name>RecoveryBar</name>
    <message>
        <source>Unsaved changes from %1 could not be read and were dropped.</source>
        <translation>Ungesicherte Änderungen vom %1 konnten nicht gelesen werden und wurden verworfen.</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Unsaved changes from %1 can be restored.</source>
        <translation>Ungesicherte Änderungen vom %1 können wiederhergestellt werden.</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>This is a folder, not a file</source>
        <translation>Dies ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>This is a named pipe, not a file</source>
        <translation>Dies ist eine benannte Pipe, keine Datei</translation>
    </message>
    <message>
        <source>This is a device, not a file</source>
        <translation>Dies ist ein Gerät, keine Datei</translation>
    </message>
    <message>
        <source>This is a socket, not a file</source>
        <translation>Dies ist ein Socket, keine Datei</translation>
    </message>
    <message>
        <source>This is not a regular file</source>
        <translation>Dies ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>No file name was given</source>
        <translation>Es wurde kein Dateiname angegeben</translation>
    </message>
    <message>
        <source>The file does not exist</source>
        <translation>Die Datei existiert nicht</translation>
    </message>
</context>
<context>
    <name>RtMidiBackend</name>
    <message>
        <source>no ALSA sequencer (/dev/snd/seq cannot be opened)</source>
        <translation>kein ALSA-Sequencer (/dev/snd/seq lässt sich nicht öffnen)</translation>
    </message>
    <message>
        <source>no %1 (it does not start)</source>
        <extracomment>%1 is a MIDI system (&quot;ALSA&quot;).</extracomment>
        <translation>kein %1 (startet nicht)</translation>
    </message>
    <message>
        <source>no %1 port</source>
        <extracomment>%1 is a MIDI system (&quot;ALSA&quot;).</extracomment>
        <translation>kein %1-Port</translation>
    </message>
</context>
<context>
    <name>SettingNames</name>
    <message>
        <source>Mode</source>
        <translation>Modus</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>CC Number / Note</source>
        <translation>CC-Nummer / Note</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
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
        <translation>Modusoption</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Regler</translation>
    </message>
    <message>
        <source>Off - Disabled</source>
        <translation>Aus - inaktiv</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Kontinuierlich</translation>
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
        <translation>Geschaltet</translation>
    </message>
    <message>
        <source>Midi Note</source>
        <translation>MIDI-Note</translation>
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
        <translation>Toggle</translation>
    </message>
    <message>
        <source>gate</source>
        <translation>Gate</translation>
    </message>
    <message>
        <source>standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>hold</source>
        <translation>Halten</translation>
    </message>
    <message>
        <source>absolute</source>
        <translation>absolut</translation>
    </message>
    <message>
        <source>relative #1</source>
        <translation>relativ #1</translation>
    </message>
    <message>
        <source>relative #2</source>
        <translation>relativ #2</translation>
    </message>
    <message>
        <source>relative #3</source>
        <translation>relativ #3</translation>
    </message>
    <message>
        <source>CC Number</source>
        <translation>CC-Nummer</translation>
    </message>
    <message>
        <source>Global</source>
        <translation>Global</translation>
    </message>
    <message>
        <source>Linear</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>Logarithmic</source>
        <translation>Logarithm.</translation>
    </message>
    <message>
        <source>Exponential</source>
        <translation>Exponentiell</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Voll</translation>
    </message>
    <message>
        <source>Octave</source>
        <translation>Oktave</translation>
    </message>
    <message>
        <source>Pad Vel Curve</source>
        <translation>Pad-Velocity-Kurve</translation>
    </message>
    <message>
        <source>Knob Accel</source>
        <translation>Regler-Beschleunigung</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Langsam</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Schnell</translation>
    </message>
    <message>
        <source>Knob Mode</source>
        <translation>Reglermodus</translation>
    </message>
    <message>
        <source>relative</source>
        <translation>relativ</translation>
    </message>
    <message>
        <source>Velocity curve</source>
        <translation>Velocity-Kurve</translation>
    </message>
</context>
<context>
    <name>SettingsCommands</name>
    <message>
        <source>%1 exists already; not replaced</source>
        <translation>%1 gibt es schon; nicht ersetzt</translation>
    </message>
    <message>
        <source>export writes .syx files; convert writes .telvir and .json files</source>
        <translation>export schreibt .syx-Dateien; convert schreibt .telvir- und .json-Dateien</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>Only %1 of %2 bytes could be written (%3)</source>
        <translation>Nur %1 von %2 Bytes konnten geschrieben werden (%3)</translation>
    </message>
    <message>
        <source>This is not a valid telvir settings file!</source>
        <translation>Dies ist keine gültige Telvir-Einstellungsdatei!</translation>
    </message>
    <message>
        <source>The file does not start with %1</source>
        <translation>Die Datei beginnt nicht mit %1</translation>
    </message>
    <message>
        <source>The file holds %1 of the %2 bytes of a settings record</source>
        <translation>Die Datei enthält %1 der %2 Bytes eines Einstellungssatzes</translation>
    </message>
</context>
<context>
    <name>SettingsFormat</name>
    <message>
        <source>TELVIR Settings Files</source>
        <translation>TELVIR-Einstellungsdateien</translation>
    </message>
    <message>
        <source>Settings Documents</source>
        <translation>Einstellungsdokumente</translation>
    </message>
    <message>
        <source>SysEx Files</source>
        <translation>SysEx-Dateien</translation>
    </message>
    <message>
        <source>Settings files (%1)</source>
        <translation>Einstellungsdateien (%1)</translation>
    </message>
</context>
<context>
    <name>StoreFileGuard</name>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>das Dateisystem ist schreibgeschützt</translation>
    </message>
    <message>
        <source>its folder is read-only</source>
        <translation>ihr Ordner ist schreibgeschützt</translation>
    </message>
    <message>
        <source>it is a symbolic link</source>
        <translation>sie ist eine symbolische Verknüpfung</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>sie gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>it has other names (hard links)</source>
        <translation>sie hat weitere Namen (harte Verknüpfungen)</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>sie ist ein Ordner</translation>
    </message>
    <message>
        <source>it is a named pipe</source>
        <translation>sie ist eine benannte Pipe</translation>
    </message>
    <message>
        <source>it is a socket</source>
        <translation>sie ist ein Socket</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>sie ist keine normale Datei</translation>
    </message>
    <message>
        <source>its folder cannot be made: %1</source>
        <translation>ihr Ordner kann nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>its folder is a symbolic link of another user</source>
        <translation>ihr Ordner ist eine symbolische Verknüpfung eines anderen Benutzers</translation>
    </message>
    <message>
        <source>its folder is a symbolic link that leads nowhere</source>
        <translation>ihr Ordner ist eine symbolische Verknüpfung ins Leere</translation>
    </message>
    <message>
        <source>its folder is not a folder</source>
        <translation>ihr Ordner ist kein Ordner</translation>
    </message>
    <message>
        <source>its folder belongs to another user</source>
        <translation>ihr Ordner gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>its folder cannot be made</source>
        <translation>ihr Ordner kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>it is read-only</source>
        <translation>sie ist schreibgeschützt</translation>
    </message>
</context>
<context>
    <name>SysexFile</name>
    <message>
        <source>Not a settings file of this keyboard: it is larger than %1 bytes.</source>
        <translation>Keine Einstellungsdatei dieses Keyboards: sie ist größer als %1 Bytes.</translation>
    </message>
    <message>
        <source>Not a settings file of this keyboard: it holds no messages.</source>
        <translation>Keine Einstellungsdatei dieses Keyboards: sie enthält keine Nachrichten.</translation>
    </message>
    <message>
        <source>Not a settings file of this keyboard: unexpected byte 0x%1 at offset %2.</source>
        <extracomment>%1 is a byte in hexadecimal (&quot;41&quot;), %2 its position in the file.</extracomment>
        <translation>Keine Einstellungsdatei dieses Keyboards: unerwartetes Byte 0x%1 an Position %2.</translation>
    </message>
    <message>
        <source>Not a settings file of this keyboard: it ends inside the message that starts at offset %1.</source>
        <translation>Keine Einstellungsdatei dieses Keyboards: sie endet mitten in der Nachricht, die an Position %1 beginnt.</translation>
    </message>
    <message>
        <source>The file mixes set messages with the keyboard&apos;s replies (at offset %1); it must hold only one of the two.</source>
        <translation>Die Datei mischt Setz-Nachrichten mit Antworten des Keyboards (an Position %1); sie darf nur eine der beiden Arten enthalten.</translation>
    </message>
    <message>
        <source>The file holds set messages for memory %1 and, at offset %2, for memory %3; it must hold those of one memory only.</source>
        <extracomment>%1 and %3 are memories (&quot;workArea&quot;, &quot;1&quot;..&quot;8&quot;), %2 a position in the file.</extracomment>
        <translation>Die Datei enthält Setz-Nachrichten für Speicher %1 und, an Position %2, für Speicher %3; sie darf nur die eines einzigen Speichers enthalten.</translation>
    </message>
    <message>
        <source>The file does not carry %1; it is the factory setting.</source>
        <extracomment>%1 names a setting (&quot;Pad #3 Mode&quot;).</extracomment>
        <translation>Die Datei enthält %1 nicht; es gilt die Werkseinstellung.</translation>
    </message>
    <message numerus="yes">
        <source>The file does not carry %n settings; they are the factory settings: %1</source>
        <extracomment>%1 lists settings by name (&quot;Pad #3 Mode, Cutoff CC Number&quot;).</extracomment>
        <translation>
            <numerusform>Die Datei enthält %n Einstellung nicht; sie hat den Werkswert: %1</numerusform>
            <numerusform>Die Datei enthält %n Einstellungen nicht; sie haben die Werkswerte: %1</numerusform>
        </translation>
    </message>
</context>
</TS>
