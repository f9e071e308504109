<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AllControlsWindow</name>
    <message>
        <source>All Controls</source>
        <translation>Todos los controles</translation>
    </message>
    <message>
        <source>Every control&apos;s assignment in one table (Ctrl+T)</source>
        <translation>La asignación de cada control en una tabla (Ctrl+T)</translation>
    </message>
    <message>
        <source>Assignments of every control</source>
        <translation>Asignaciones de todos los controles</translation>
    </message>
    <message>
        <source>Export Sheet...</source>
        <translation>Exportar hoja...</translation>
    </message>
    <message numerus="yes">
        <source>%n controls clash: their rows are marked.</source>
        <translation>
            <numerusform>%n control en conflicto: su fila está marcada.</numerusform>
            <numerusform>%n controles en conflicto: sus filas están marcadas.</numerusform>
        </translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>Imagen PNG (*.png)</translation>
    </message>
    <message>
        <source>Export Sheet</source>
        <translation>Exportar hoja</translation>
    </message>
    <message>
        <source>Telvir keyboard</source>
        <translation>Teclado Telvir</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Could not export the sheet to &quot;%1&quot;: %2</source>
        <translation>No se pudo exportar la hoja a «%1»: %2</translation>
    </message>
</context>
<context>
    <name>AssignmentModel</name>
    <message>
        <source>%1: sends nothing</source>
        <extracomment>%1 is a control, %2 the MIDI message it sends (&quot;CC 7 ch 1&quot;).</extracomment>
        <translation>%1: no envía nada</translation>
    </message>
    <message>
        <source>%1: sends %2</source>
        <translation>%1: envía %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Show this help, or a command&apos;s with COMMAND --help.</source>
        <translation>Mostrar esta ayuda, o la de un comando con COMANDO --help.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version.</source>
        <translation>Mostrar la versión del programa.</translation>
    </message>
    <message>
        <source>Write the debug log (MIDI traffic) to stderr.</source>
        <translation>Escribir el registro de depuración (tráfico MIDI) en stderr.</translation>
    </message>
    <message>
        <source>Also search the ports and print every keyboard found.</source>
        <translation>Buscar también en los puertos y mostrar cada teclado encontrado.</translation>
    </message>
    <message>
        <source>Write to every keyboard found, one line for each.</source>
        <translation>Escribir en cada teclado encontrado, una línea por cada uno.</translation>
    </message>
    <message>
        <source>Keyboard memory to write: workArea (the default) or 1..8.</source>
        <translation>Memoria del teclado a escribir: workArea (por defecto) o 1..8.</translation>
    </message>
    <message>
        <source>Print a JSON document instead of the table.</source>
        <translation>Mostrar un documento JSON en lugar de la tabla.</translation>
    </message>
    <message>
        <source>Use exactly this output and input port, by name or number.</source>
        <translation>Usar exactamente este puerto de salida y de entrada, por nombre o número.</translation>
    </message>
    <message>
        <source>List the MIDI output and input ports with their numbers.</source>
        <translation>Listar los puertos MIDI de salida y de entrada con sus números.</translation>
    </message>
    <message>
        <source>Read the keyboard&apos;s settings into FILE (.telvir, or .json).</source>
        <translation>Leer los ajustes del teclado en FILE (.telvir o .json).</translation>
    </message>
    <message>
        <source>Send the settings in FILE to a memory of the keyboard.</source>
        <translation>Enviar los ajustes de FILE a una memoria del teclado.</translation>
    </message>
    <message>
        <source>Update the firmware of a keyboard in its upgrade mode.</source>
        <translation>Actualizar el firmware de un teclado en su modo de actualización.</translation>
    </message>
    <message>
        <source>Write the factory settings into a new FILE (.telvir, or .json).</source>
        <translation>Escribir los ajustes de fábrica en un FILE nuevo (.telvir o .json).</translation>
    </message>
    <message>
        <source>Print every setting in FILE by name.</source>
        <translation>Mostrar cada ajuste de FILE por su nombre.</translation>
    </message>
    <message>
        <source>Print the settings that differ; exit 0 when equal, 1 when not.</source>
        <translation>Mostrar los ajustes que difieren; sale con 0 si son iguales, 1 si no.</translation>
    </message>
    <message>
        <source>Print the controls that send the same message; exit 1 when any do.</source>
        <translation>Mostrar los controles que envían el mismo mensaje; sale con 1 si los hay.</translation>
    </message>
    <message>
        <source>Make a printable sheet of all assignments, OUT.pdf or OUT.png.</source>
        <translation>Crear una hoja imprimible de todas las asignaciones, OUT.pdf o OUT.png.</translation>
    </message>
    <message>
        <source>Print what this computer last wrote into each memory.</source>
        <translation>Mostrar lo último que este ordenador escribió en cada memoria.</translation>
    </message>
    <message>
        <source>List the setups in the library whose name contains TEXT.</source>
        <translation>Listar los setups de la biblioteca cuyo nombre contiene TEXT.</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>no se indicó ningún comando</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation>comando desconocido &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--ports takes an output and an input port, once: --ports OUT IN</source>
        <translation>--ports toma un puerto de salida y uno de entrada, una vez: --ports OUT IN</translation>
    </message>
    <message>
        <source>%1 takes no --%2</source>
        <extracomment>%1 is a command, %2 an option.</extracomment>
        <translation>%1 no admite --%2</translation>
    </message>
    <message>
        <source>usage: %1</source>
        <translation>uso: %1</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Uso: %1</translation>
    </message>
    <message>
        <source>Usage: telvir [--verbose] COMMAND [ARGUMENTS]
Reads, writes, shows, compares and converts the settings of a Telvir keyboard,
keeps a library of them and updates its firmware.
</source>
        <extracomment>The first lines of telvir --help; keep the lines under 80 characters.</extracomment>
        <translation>Uso: telvir [--verbose] COMANDO [ARGUMENTOS]
Lee, escribe, muestra, compara y convierte los ajustes de un teclado Telvir,
guarda una biblioteca de ellos y actualiza su firmware.
</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Comandos:</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Opciones:</translation>
    </message>
    <message>
        <source>Exit status: 0 success, 1 failure (diff: the files differ), 2 bad usage.</source>
        <translation>Código de salida: 0 éxito, 1 fallo (diff: los archivos difieren), 2 uso incorrecto.</translation>
    </message>
    <message>
        <source>Convert between .telvir, .json and .syx settings files.</source>
        <translation>Convertir entre archivos de ajustes .telvir, .json y .syx.</translation>
    </message>
    <message>
        <source>Write the messages that send FILE to a memory into OUT.syx.</source>
        <translation>Escribir en OUT.syx los mensajes que envían FILE a una memoria.</translation>
    </message>
    <message>
        <source>Pause this many milliseconds between messages, for a keyboard slower than its port (default 0, or the pace that worked last time on these ports).</source>
        <translation>Esperar estos milisegundos entre dos mensajes, para un teclado más lento que su puerto (0 por defecto, o el ritmo que funcionó la última vez en estos puertos).</translation>
    </message>
    <message>
        <source>The keyboard whose memories are meant, by a port name; &quot;&quot; for a keyboard not named.</source>
        <translation>El teclado cuyas memorias se indican, por un nombre de puerto; &quot;&quot; para un teclado sin nombre.</translation>
    </message>
    <message>
        <source>Write the setup last written to MEMORY, or the setup SETUP, into FILE.</source>
        <translation>Escribir en FILE la configuración escrita por última vez en MEMORY, o la configuración SETUP.</translation>
    </message>
    <message>
        <source>Write the setup of the library named (or identified by) NAME into FILE.</source>
        <translation>Escribir en FILE la configuración de la biblioteca llamada (o identificada por) NAME.</translation>
    </message>
    <message>
        <source>Copy the whole library into the new FILE.</source>
        <translation>Copiar toda la biblioteca en el nuevo archivo FILE.</translation>
    </message>
    <message>
        <source>Merge the backup FILE into the library.</source>
        <translation>Fusionar la copia de seguridad FILE con la biblioteca.</translation>
    </message>
</context>
<context>
    <name>ControlClashes</name>
    <message>
        <source>Clashes with %1</source>
        <extracomment>%1 lists the controls that send the same message.</extracomment>
        <translation>En conflicto con %1</translation>
    </message>
    <message numerus="yes">
        <source>, %n controls clash</source>
        <extracomment>Added to the status line.</extracomment>
        <translation>
            <numerusform>, %n control en conflicto</numerusform>
            <numerusform>, %n controles en conflicto</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ControlSheet</name>
    <message>
        <source>Off</source>
        <extracomment>A control that sends nothing, on the sheet.</extracomment>
        <translation>Apagado</translation>
    </message>
    <message>
        <source>Global Parameters</source>
        <translation>Parámetros globales</translation>
    </message>
    <message>
        <source>Clashes</source>
        <extracomment>The sheet&apos;s part that lists the controls that send the same message.</extracomment>
        <translation>Conflictos</translation>
    </message>
    <message>
        <source>No two controls send the same message.</source>
        <translation>No hay dos controles que envíen el mismo mensaje.</translation>
    </message>
    <message>
        <source>the keyboard picture %1 is missing</source>
        <translation>falta la imagen del teclado %1</translation>
    </message>
    <message>
        <source>Telvir editor %1</source>
        <translation>Editor Telvir %1</translation>
    </message>
    <message>
        <source>a sheet is written as .pdf or .png</source>
        <translation>una hoja se escribe como .pdf o .png</translation>
    </message>
    <message>
        <source>the picture could not be encoded</source>
        <translation>no se pudo codificar la imagen</translation>
    </message>
    <message>
        <source>the PDF could not be started</source>
        <translation>no se pudo empezar el PDF</translation>
    </message>
    <message>
        <source>the PDF could not be finished</source>
        <translation>no se pudo terminar el PDF</translation>
    </message>
</context>
<context>
    <name>DemoKeyboard</name>
    <message>
        <source>The keyboard simulator (%1) was found neither beside the editor nor on the PATH.</source>
        <translation>No se encontró el simulador de teclado (%1) ni junto al editor ni en el PATH.</translation>
    </message>
    <message>
        <source>No temporary folder for the demo keyboard: %1</source>
        <translation>No hay carpeta temporal para el teclado de demostración: %1</translation>
    </message>
    <message>
        <source>The JACK server jackd was not found, and no other JACK server runs for the keyboard simulator. Install jackd2, or PipeWire&apos;s JACK (pipewire-jack), to try the editor without a keyboard.</source>
        <translation>No se encontró el servidor JACK jackd y no hay otro servidor JACK en marcha para el simulador de teclado. Instale jackd2, o el JACK de PipeWire (pipewire-jack), para probar el editor sin teclado.</translation>
    </message>
    <message>
        <source>The JACK server %1 could not be started: %2</source>
        <extracomment>%1 is the program, %2 the system&apos;s reason.</extracomment>
        <translation>No se pudo iniciar el servidor JACK %1: %2</translation>
    </message>
    <message>
        <source>The keyboard simulator %1 could not be started: %2</source>
        <translation>No se pudo iniciar el simulador de teclado %1: %2</translation>
    </message>
    <message>
        <source>The JACK server %1 stopped: %2</source>
        <translation>El servidor JACK %1 se detuvo: %2</translation>
    </message>
    <message>
        <source>The keyboard simulator did not come up on the JACK server: %1</source>
        <translation>El simulador de teclado no arrancó en el servidor JACK: %1</translation>
    </message>
    <message>
        <source>Demo Keyboard</source>
        <translation>Teclado de demostración</translation>
    </message>
    <message>
        <source>The editor starts without the keyboard simulator.</source>
        <translation>El editor se inicia sin el simulador de teclado.</translation>
    </message>
</context>
<context>
    <name>EditorCommandLine</name>
    <message>
        <source>Configuration editor for the Telvir USB MIDI controller keyboard.</source>
        <translation>Editor de configuración del teclado controlador MIDI USB Telvir.</translation>
    </message>
    <message>
        <source>Write the debug log (MIDI ports, messages to and from the keyboard) to stderr.</source>
        <translation>Escribir el registro de depuración (puertos MIDI, mensajes hacia y desde el teclado) en stderr.</translation>
    </message>
    <message>
        <source>A settings file to load once the keyboard&apos;s settings were read, as &quot;Load...&quot; does.</source>
        <translation>Un archivo de ajustes que se carga una vez leídos los ajustes del teclado, como hace «Cargar...».</translation>
    </message>
    <message>
        <source>Only one settings file can be loaded.</source>
        <translation>Solo se puede cargar un archivo de ajustes.</translation>
    </message>
    <message>
        <source>Try the editor without a keyboard: start the keyboard simulator on a JACK server of its own and link to it.</source>
        <translation>Probar el editor sin teclado: iniciar el simulador de teclado en un servidor JACK propio y conectarse a él.</translation>
    </message>
    <message>
        <source>no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); start it on a desktop, or on a virtual X server: xvfb-run -a telvir-editor</source>
        <translation>no hay pantalla donde mostrar la ventana (no está definido ni DISPLAY ni WAYLAND_DISPLAY); inícielo en un escritorio o en un servidor X virtual: xvfb-run -a telvir-editor</translation>
    </message>
</context>
<context>
    <name>EditorDocument</name>
    <message>
        <source>Change %1</source>
        <translation>Cambiar %1</translation>
    </message>
    <message>
        <source>Restore unsaved changes</source>
        <translation>Restaurar los cambios sin guardar</translation>
    </message>
    <message numerus="yes">
        <source>; Read %1 of %n settings</source>
        <translation>
            <numerusform>; leídos %1/%n</numerusform>
            <numerusform>; leídos %1/%n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n changes not sent</source>
        <translation>
            <numerusform>, %n cambio sin enviar</numerusform>
            <numerusform>, %n cambios sin enviar</numerusform>
        </translation>
    </message>
    <message>
        <source>, 1 change not sent</source>
        <translation>, 1 cambio sin enviar</translation>
    </message>
</context>
<context>
    <name>FormAccess</name>
    <message>
        <source>Pad Bank: %1 to %2</source>
        <translation>Banco de pads: %1 a %2</translation>
    </message>
    <message>
        <source>Pad Bank</source>
        <translation>Banco de pads</translation>
    </message>
    <message>
        <source>Selected Control</source>
        <translation>Control seleccionado</translation>
    </message>
    <message>
        <source>%1: CC %2, channel %3</source>
        <extracomment>What a control marker is assigned to, for a screen reader: %1 is the control.</extracomment>
        <translation>%1: CC %2, canal %3</translation>
    </message>
    <message>
        <source>%1: channel %2</source>
        <translation>%1: canal %2</translation>
    </message>
    <message>
        <source>%1: CC %2, channel %3, mode %4</source>
        <translation>%1: CC %2, canal %3, modo %4</translation>
    </message>
    <message>
        <source>%1: channel %2, mode %3</source>
        <translation>%1: canal %2, modo %3</translation>
    </message>
</context>
<context>
    <name>Invocation</name>
    <message>
        <source>could not write %1: %2</source>
        <extracomment>%1 is a file, %2 the system&apos;s reason.</extracomment>
        <translation>no se pudo escribir %1: %2</translation>
    </message>
    <message>
        <source>%1 (see telvir --help)</source>
        <extracomment>%1 is what was wrong with the command line.</extracomment>
        <translation>%1 (vea telvir --help)</translation>
    </message>
</context>
<context>
    <name>JackMidiBackend</name>
    <message>
        <source>no JACK server running</source>
        <translation>no hay ningún servidor JACK en marcha</translation>
    </message>
    <message>
        <source>no JACK server &apos;%1&apos; running</source>
        <translation>no hay ningún servidor JACK &apos;%1&apos; en marcha</translation>
    </message>
    <message>
        <source>the JACK server has no MIDI port</source>
        <translation>el servidor JACK no tiene ningún puerto MIDI</translation>
    </message>
    <message>
        <source>the JACK server &apos;%1&apos; has no MIDI port</source>
        <translation>el servidor JACK &apos;%1&apos; no tiene ningún puerto MIDI</translation>
    </message>
</context>
<context>
    <name>KeyboardCommands</name>
    <message numerus="yes">
        <source>Sent %n messages to memory %1 of &apos;%2&apos;</source>
        <translation>
            <numerusform>%n mensaje enviado a la memoria %1 de &apos;%2&apos;</numerusform>
            <numerusform>%n mensajes enviados a la memoria %1 de &apos;%2&apos;</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not upgrade firmware: %1 is empty.</source>
        <translation>No se pudo actualizar el firmware: %1 está vacío.</translation>
    </message>
    <message>
        <source>Could not upgrade firmware: %1 cannot be read.</source>
        <translation>No se pudo actualizar el firmware: %1 no se puede leer.</translation>
    </message>
    <message>
        <source>no MIDI output port</source>
        <translation>ningún puerto MIDI de salida</translation>
    </message>
    <message>
        <source>no MIDI input port</source>
        <translation>ningún puerto MIDI de entrada</translation>
    </message>
    <message>
        <source>no MIDI port found</source>
        <translation>no se encontró ningún puerto MIDI</translation>
    </message>
    <message>
        <source>no MIDI port found: %1</source>
        <translation>no se encontró ningún puerto MIDI: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; sent no replies; %2 was not written.</source>
        <translation>&apos;%1&apos; no envió respuestas; no se escribió %2.</translation>
    </message>
    <message numerus="yes">
        <source>Read only %1 of %n settings; %2 was not written.</source>
        <translation>
            <numerusform>Solo se leyó %1 de %n ajuste; no se escribió %2.</numerusform>
            <numerusform>Solo se leyeron %1 de %n ajustes; no se escribió %2.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Read %n settings from &apos;%1&apos; into %2</source>
        <translation>
            <numerusform>%n ajuste leído de &apos;%1&apos; en %2</numerusform>
            <numerusform>%n ajustes leídos de &apos;%1&apos; en %2</numerusform>
        </translation>
    </message>
    <message>
        <source>--memory takes workArea or 1..8, not &apos;%1&apos;</source>
        <translation>--memory admite workArea o 1..8, no &apos;%1&apos;</translation>
    </message>
    <message>
        <source>write takes --all or --ports, not both</source>
        <translation>write admite --all o --ports, no ambos</translation>
    </message>
    <message>
        <source>not sent: a CC Number / Note of 0 is never written, so the keyboard keeps its own for %1</source>
        <extracomment>%1 lists the controls by their names.</extracomment>
        <translation>no enviado: un número de CC / nota 0 nunca se escribe, así que el teclado conserva el suyo para %1</translation>
    </message>
    <message>
        <source>keyboard on output &apos;%1&apos;, input &apos;%2&apos;: %3</source>
        <extracomment>%3 is the message of what went wrong.</extracomment>
        <translation>teclado en la salida &apos;%1&apos;, entrada &apos;%2&apos;: %3</translation>
    </message>
    <message numerus="yes">
        <source>Upgraded the firmware of &apos;%1&apos; with %n bytes from %2</source>
        <translation>
            <numerusform>Firmware de &apos;%1&apos; actualizado con %n byte de %2</numerusform>
            <numerusform>Firmware de &apos;%1&apos; actualizado con %n bytes de %2</numerusform>
        </translation>
    </message>
    <message>
        <source>--pace takes a number of milliseconds from 0 to %1, not &apos;%2&apos;</source>
        <translation>--pace espera un número de milisegundos de 0 a %1, no &apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>KeyboardFollower</name>
    <message>
        <source>-&gt; no control sends this</source>
        <extracomment>After a message the monitor shows: no control of the form sends it.</extracomment>
        <translation>-&gt; ningún control envía esto</translation>
    </message>
    <message>
        <source>-&gt; %1</source>
        <extracomment>After a message the monitor shows: %1 is the control that sends it.</extracomment>
        <translation>-&gt; %1</translation>
    </message>
    <message>
        <source>-&gt; clash: %1</source>
        <extracomment>After a message the monitor shows: %1 lists the controls that all send it.</extracomment>
        <translation>-&gt; conflicto: %1</translation>
    </message>
</context>
<context>
    <name>KeyboardOutcome</name>
    <message>
        <source>Successfully connect to device &apos;%1&apos; !</source>
        <translation>¡Conectado correctamente al dispositivo &apos;%1&apos;!</translation>
    </message>
    <message>
        <source>Could not connect to midi deivce.</source>
        <translation>No se pudo conectar con el dispositivo MIDI.</translation>
    </message>
    <message>
        <source>The keyboard did not answer on output &apos;%1&apos; with input &apos;%2&apos;.</source>
        <translation>El teclado no respondió en la salida &apos;%1&apos; con la entrada &apos;%2&apos;.</translation>
    </message>
    <message>
        <source>The JACK server does not respond.</source>
        <translation>El servidor JACK no responde.</translation>
    </message>
    <message numerus="yes">
        <source>Successfully recv %n settings.</source>
        <translation>
            <numerusform>%n ajuste recibido correctamente.</numerusform>
            <numerusform>%n ajustes recibidos correctamente.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not recv settings.</source>
        <translation>No se pudieron recibir los ajustes.</translation>
    </message>
    <message>
        <source>Successfully sent to device &apos;%1&apos; !</source>
        <translation>¡Enviado correctamente al dispositivo &apos;%1&apos;!</translation>
    </message>
    <message numerus="yes">
        <source>The port of device &apos;%1&apos; refused %2 of %n messages. The keyboard may hold only part of these settings.</source>
        <translation>
            <numerusform>El puerto del dispositivo &apos;%1&apos; rechazó %2 de %n mensaje. Puede que el teclado solo tenga parte de estos ajustes.</numerusform>
            <numerusform>El puerto del dispositivo &apos;%1&apos; rechazó %2 de %n mensajes. Puede que el teclado solo tenga parte de estos ajustes.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The port of device &apos;%1&apos; stopped taking messages after %n of them went out. The keyboard may hold only part of these settings.</source>
        <translation>
            <numerusform>El puerto del dispositivo &apos;%1&apos; dejó de aceptar mensajes tras enviarse %n. Puede que el teclado solo tenga parte de estos ajustes.</numerusform>
            <numerusform>El puerto del dispositivo &apos;%1&apos; dejó de aceptar mensajes tras enviarse %n. Puede que el teclado solo tenga parte de estos ajustes.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not upgrade firmware: the file is too large for the keyboard (at most %1 bytes).</source>
        <translation>No se pudo actualizar el firmware: el archivo es demasiado grande para el teclado (como máximo %1 bytes).</translation>
    </message>
    <message>
        <source>Could not upgrade firmware.</source>
        <translation>No se pudo actualizar el firmware.</translation>
    </message>
    <message>
        <source>Could not upgrade firmware: %1 listens to the editor&apos;s MIDI output, and PipeWire may change the firmware&apos;s bytes for the keyboard as well. Disconnect it from the editor, then try again.</source>
        <translation>No se pudo actualizar el firmware: %1 escucha la salida MIDI del editor, y PipeWire podría cambiar también los bytes del firmware para el teclado. Desconéctelo del editor y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>Could not connect to device.</source>
        <translation>No se pudo conectar con el dispositivo.</translation>
    </message>
    <message>
        <source>Successfully upgrade the firmware of device &apos;%1&apos; !</source>
        <translation>¡Firmware del dispositivo &apos;%1&apos; actualizado correctamente!</translation>
    </message>
    <message>
        <source>OK</source>
        <extracomment>The title of the box that reports a command to the keyboard.</extracomment>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more</source>
        <extracomment>%1 lists the first settings by name; %n counts the others.</extracomment>
        <translation>
            <numerusform>%1 y %n más</numerusform>
            <numerusform>%1 y %n más</numerusform>
        </translation>
    </message>
    <message>
        <source>Sent to memory %1 of device &apos;%2&apos;; a memory other than workArea cannot be read back, so the keyboard&apos;s copy was not checked.</source>
        <translation>Enviado a la memoria %1 del dispositivo &apos;%2&apos;; una memoria distinta de workArea no se puede volver a leer, así que la copia del teclado no se comprobó.</translation>
    </message>
    <message>
        <source>1 setting did not reach the keyboard: %1.</source>
        <extracomment>%1 names the settings (&quot;Pad #3 Mode, Cutoff CC Number&quot;).</extracomment>
        <translation>1 ajuste no llegó al teclado: %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n settings did not reach the keyboard: %1.</source>
        <extracomment>%1 names the settings (&quot;Pad #3 Mode, Cutoff CC Number&quot;).</extracomment>
        <translation>
            <numerusform>%n ajuste no llegó al teclado: %1.</numerusform>
            <numerusform>%n ajustes no llegaron al teclado: %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>Sent to device &apos;%1&apos;, but it answered none of the requests for the values just written, so whether they arrived is not known.</source>
        <translation>Enviado al dispositivo &apos;%1&apos;, pero no respondió a ninguna de las peticiones de los valores recién escritos, así que no se sabe si llegaron.</translation>
    </message>
</context>
<context>
    <name>KeyboardSession</name>
    <message>
        <source>Connecting</source>
        <translation>Conectando</translation>
    </message>
    <message>
        <source>Trying output &apos;%1&apos; with input &apos;%2&apos;</source>
        <translation>Probando la salida &apos;%1&apos; con la entrada &apos;%2&apos;</translation>
    </message>
    <message>
        <source>Asking %1 outputs, listening on %2 inputs</source>
        <translation>Preguntando a %1 salidas, escuchando en %2 entradas</translation>
    </message>
    <message>
        <source>The keyboard answered on input &apos;%1&apos;; looking for its output among %2</source>
        <translation>El teclado respondió en la entrada &apos;%1&apos;; buscando su salida entre %2</translation>
    </message>
    <message>
        <source>Reading settings</source>
        <translation>Leyendo ajustes</translation>
    </message>
    <message>
        <source>Sending settings</source>
        <translation>Enviando ajustes</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>No volver a mostrar</translation>
    </message>
    <message>
        <source>Enter Firmware Upgrade Mode</source>
        <translation>Entrar en modo de actualización del firmware</translation>
    </message>
    <message>
        <source>Please unplug the keyboard, then plug it in again WHILE HOLDING THE KEYBOARD SHIFT KEY.
Click OK when ready or CANCEL TO abort firmware update.</source>
        <translation>Desconecte el teclado y vuelva a conectarlo MANTENIENDO PULSADA LA TECLA SHIFT DEL TECLADO.
Pulse Aceptar cuando esté listo o CANCELAR para interrumpir la actualización del firmware.</translation>
    </message>
    <message>
        <source>Select Firmware File</source>
        <translation>Seleccionar archivo de firmware</translation>
    </message>
</context>
<context>
    <name>KeyboardWork</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>LibraryBackup</name>
    <message>
        <source>%1 exists already; a backup never replaces a file.</source>
        <translation>%1 ya existe; una copia de seguridad nunca reemplaza un archivo.</translation>
    </message>
    <message>
        <source>The library cannot be opened.</source>
        <translation>No se puede abrir la biblioteca.</translation>
    </message>
    <message>
        <source>could not write %1: %2</source>
        <translation>no se pudo escribir %1: %2</translation>
    </message>
    <message>
        <source>The copy of the library could not be read back; %1 was not written.</source>
        <translation>No se pudo volver a leer la copia de la biblioteca; %1 no se escribió.</translation>
    </message>
    <message>
        <source>%1 is not a backup of the library.</source>
        <translation>%1 no es una copia de seguridad de la biblioteca.</translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation>No se puede leer %1.</translation>
    </message>
    <message>
        <source>The library cannot be written.</source>
        <translation>No se puede escribir en la biblioteca.</translation>
    </message>
    <message>
        <source>%1 was made by a newer program.</source>
        <translation>%1 fue creado por un programa más reciente.</translation>
    </message>
    <message>
        <source>The library could not take the backup: %1</source>
        <translation>La biblioteca no pudo incorporar la copia de seguridad: %1</translation>
    </message>
    <message>
        <source>Backed up the library into %1: %2 and %3.</source>
        <extracomment>%2 is &quot;N setups&quot;, %3 &quot;N events&quot;.</extracomment>
        <translation>Biblioteca guardada en %1: %2 y %3.</translation>
    </message>
    <message numerus="yes">
        <source>%n setups</source>
        <translation>
            <numerusform>%n configuración</numerusform>
            <numerusform>%n configuraciones</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n events</source>
        <translation>
            <numerusform>%n evento</numerusform>
            <numerusform>%n eventos</numerusform>
        </translation>
    </message>
    <message>
        <source>Restored %1: %2 and %3 added; %4 and %5 were in the library already.</source>
        <extracomment>%2 and %4 are &quot;N setups&quot;, %3 and %5 &quot;N events&quot;.</extracomment>
        <translation>%1 restaurado: %2 y %3 añadidos; %4 y %5 ya estaban en la biblioteca.</translation>
    </message>
</context>
<context>
    <name>LibraryCommands</name>
    <message>
        <source>not known</source>
        <extracomment>A memory of the keyboard of which the library knows nothing.</extracomment>
        <translation>desconocido</translation>
    </message>
    <message>
        <source>Nothing is known of memory %1.</source>
        <translation>No se sabe nada de la memoria %1.</translation>
    </message>
    <message>
        <source>Wrote the setup last written to memory %1 (%2, %3) into %4</source>
        <extracomment>%2 is the file or program that wrote the memory, %3 when.</extracomment>
        <translation>Setup escrito por última vez en la memoria %1 (%2, %3) escrito en %4</translation>
    </message>
    <message>
        <source>Name</source>
        <extracomment>Column titles of the library&apos;s list; &quot;Written&quot; counts the writes to the keyboard.</extracomment>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Last seen</source>
        <translation>Visto por última vez</translation>
    </message>
    <message>
        <source>Written</source>
        <translation>Escrito</translation>
    </message>
    <message>
        <source>Star</source>
        <translation>Favorito</translation>
    </message>
    <message>
        <source>No setup in the library is named &apos;%1&apos;.</source>
        <translation>Ningún setup de la biblioteca se llama &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Wrote &apos;%1&apos; into %2</source>
        <translation>&apos;%1&apos; escrito en %2</translation>
    </message>
    <message>
        <source>a keyboard not named</source>
        <extracomment>The keyboard of writes recorded before keyboards were told apart.</extracomment>
        <translation>un teclado sin nombre</translation>
    </message>
    <message>
        <source>No keyboard named &apos;%1&apos; was written to from here.</source>
        <translation>Desde aquí no se escribió en ningún teclado llamado &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; names more than one keyboard: %2</source>
        <extracomment>%2 lists the keyboards.</extracomment>
        <translation>&apos;%1&apos; designa más de un teclado: %2</translation>
    </message>
    <message>
        <source>MEMORY is workArea or 1..8, or a setup&apos;s name or identifier, not &apos;%1&apos;</source>
        <translation>MEMORY es workArea o 1..8, o el nombre o identificador de una configuración, no &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Identifier</source>
        <translation>Identificador</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Archivos</translation>
    </message>
</context>
<context>
    <name>LibrarySetupModel</name>
    <message>
        <source>First seen %1</source>
        <translation>Visto por primera vez el %1</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Last seen</source>
        <translation>Visto por última vez</translation>
    </message>
    <message>
        <source>Written</source>
        <translation>Escrito</translation>
    </message>
    <message>
        <source>Star</source>
        <translation>Favorito</translation>
    </message>
    <message>
        <source>Identifier</source>
        <translation>Identificador</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Archivos</translation>
    </message>
</context>
<context>
    <name>LibraryStore</name>
    <message>
        <source>%1, and it cannot be moved aside</source>
        <extracomment>%1 is the reason the library could not be read.</extracomment>
        <translation>%1, y no se puede apartar</translation>
    </message>
    <message>
        <source>The library %1 could not be read (%2); it was moved aside to %3 and a new one was made.</source>
        <translation>No se pudo leer la biblioteca %1 (%2); se movió a %3 y se creó una nueva.</translation>
    </message>
    <message>
        <source>The library %1 cannot be written (%2); nothing is recorded.</source>
        <translation>No se puede escribir la biblioteca %1 (%2); no se registra nada.</translation>
    </message>
    <message>
        <source>The library %1 was left as it is (%2); your own library is kept in %3.</source>
        <extracomment>%1 is what is at the library&apos;s place, %2 why it is not used, %3 the library used instead.</extracomment>
        <translation>La biblioteca %1 se dejó como está (%2); su propia biblioteca se guarda en %3.</translation>
    </message>
    <message>
        <source>The library %1 is not used (%2); nothing is recorded.</source>
        <extracomment>%2 is why the library&apos;s file or folder is not the user&apos;s own.</extracomment>
        <translation>La biblioteca %1 no se usa (%2); no se registra nada.</translation>
    </message>
    <message>
        <source>no lock file can be made beside it</source>
        <translation>no se puede crear un archivo de bloqueo a su lado</translation>
    </message>
</context>
<context>
    <name>LibraryWindow</name>
    <message>
        <source>Library</source>
        <translation>Biblioteca</translation>
    </message>
    <message>
        <source>What this computer wrote into the keyboard&apos;s memories, and every setup (Ctrl+L)</source>
        <translation>Lo que este ordenador escribió en las memorias del teclado, y cada setup (Ctrl+L)</translation>
    </message>
    <message>
        <source>What this computer last wrote into each memory of the keyboard. The keyboard&apos;s own controls or another computer may have changed a memory since.</source>
        <translation>Lo último que este ordenador escribió en cada memoria del teclado. Los controles del propio teclado u otro ordenador pueden haber cambiado una memoria desde entonces.</translation>
    </message>
    <message>
        <source>Memories</source>
        <translation>Memorias</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Memoria</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>Written</source>
        <translation>Escrito</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Desde</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Comparar</translation>
    </message>
    <message>
        <source>Send again</source>
        <translation>Reenviar</translation>
    </message>
    <message>
        <source>Differences from the form</source>
        <translation>Diferencias con el formulario</translation>
    </message>
    <message>
        <source>Compare shows here the settings in which a memory differs from the form.</source>
        <translation>«Comparar» muestra aquí los ajustes en los que una memoria difiere del formulario.</translation>
    </message>
    <message>
        <source>Search by name</source>
        <translation>Buscar por nombre</translation>
    </message>
    <message>
        <source>Setups</source>
        <translation>Setups</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renombrar</translation>
    </message>
    <message>
        <source>Star</source>
        <translation>Favorito</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportar...</translation>
    </message>
    <message>
        <source>not known</source>
        <translation>desconocido</translation>
    </message>
    <message>
        <source>Open memory %1</source>
        <translation>Abrir la memoria %1</translation>
    </message>
    <message>
        <source>Nothing is known of this memory.</source>
        <translation>No se sabe nada de esta memoria.</translation>
    </message>
    <message>
        <source>Memory %1 holds the settings of the form.</source>
        <translation>La memoria %1 contiene los ajustes del formulario.</translation>
    </message>
    <message>
        <source>Memory %1 differs from the form here (the form&apos;s value first):</source>
        <translation>La memoria %1 difiere del formulario aquí (primero el valor del formulario):</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>Abrir %1</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nombre:</translation>
    </message>
    <message>
        <source>Export Setup</source>
        <translation>Exportar setup</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Could not save the settings to &quot;%1&quot;: %2</source>
        <translation>No se pudieron guardar los ajustes en «%1»: %2</translation>
    </message>
    <message>
        <source>Keyboard:</source>
        <translation>Teclado:</translation>
    </message>
    <message>
        <source>Back Up...</source>
        <translation>Copia de seguridad...</translation>
    </message>
    <message>
        <source>Restore...</source>
        <translation>Restaurar...</translation>
    </message>
    <message>
        <source>a keyboard not named</source>
        <extracomment>The keyboard of writes recorded before keyboards were told apart.</extracomment>
        <translation>un teclado sin nombre</translation>
    </message>
    <message>
        <source>Back Up the Library</source>
        <translation>Copia de seguridad de la biblioteca</translation>
    </message>
    <message>
        <source>Library Backups (*.sqlite)</source>
        <translation>Copias de seguridad de la biblioteca (*.sqlite)</translation>
    </message>
    <message>
        <source>Restore a Backup</source>
        <translation>Restaurar una copia de seguridad</translation>
    </message>
    <message>
        <source>Library Backups (*.sqlite);;All Files (*)</source>
        <translation>Copias de seguridad de la biblioteca (*.sqlite);;Todos los archivos (*)</translation>
    </message>
</context>
<context>
    <name>LinkMonitor</name>
    <message>
        <source>Connected to &apos;%1&apos;</source>
        <translation>Conectado a &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Keyboard in firmware upgrade mode</source>
        <translation>Teclado en modo de actualización del firmware</translation>
    </message>
    <message>
        <source>Looking for the keyboard...</source>
        <translation>Buscando el teclado...</translation>
    </message>
    <message>
        <source>No keyboard connected</source>
        <translation>Ningún teclado conectado</translation>
    </message>
</context>
<context>
    <name>LiveSender</name>
    <message>
        <source>Live</source>
        <translation>En vivo</translation>
    </message>
    <message>
        <source>Send every change to the keyboard&apos;s workArea at once</source>
        <translation>Enviar cada cambio al instante a la workArea del teclado</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>Load...</source>
        <translation>Cargar...</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Guardar...</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Guardar como...</translation>
    </message>
    <message>
        <source>Recent Files</source>
        <translation>Archivos recientes</translation>
    </message>
    <message>
        <source>Export Sheet...</source>
        <translation>Exportar hoja...</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>Default Values</source>
        <translation>Valores por defecto</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation>Preferencias...</translation>
    </message>
    <message>
        <source>&amp;Keyboard</source>
        <translation>&amp;Teclado</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Leer</translation>
    </message>
    <message>
        <source>Send to Keyboard</source>
        <translation>Enviar al teclado</translation>
    </message>
    <message>
        <source>Ports...</source>
        <translation>Puertos...</translation>
    </message>
    <message>
        <source>Upgrade firmware...</source>
        <translation>Actualizar firmware...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Atajos de teclado</translation>
    </message>
    <message>
        <source>About Telvir Editor</source>
        <translation>Acerca de Telvir Editor</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source> or </source>
        <translation> o </translation>
    </message>
    <message>
        <source>No recent files</source>
        <translation>No hay archivos recientes</translation>
    </message>
    <message>
        <source>Telvir Editor %1

Edits the settings of the Telvir USB MIDI keyboard: its controls, pads and global parameters, in files and on the keyboard.</source>
        <translation>Telvir Editor %1

Edita los ajustes del teclado MIDI USB Telvir: sus controles, pads y parámetros globales, en archivos y en el teclado.</translation>
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
        <translation>Parámetros globales</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>Canal:</translation>
    </message>
    <message>
        <source>Octave   </source>
        <translation>Octava   </translation>
    </message>
    <message>
        <source>Pad Vel Curve:</source>
        <translation>Curva pads:</translation>
    </message>
    <message>
        <source>Knob Accel:</source>
        <translation>Acel. perilla:</translation>
    </message>
    <message>
        <source>Knob Mode</source>
        <translation>Modo perillas</translation>
    </message>
    <message>
        <source>Velocity curve:</source>
        <translation>Curva velocity:</translation>
    </message>
    <message>
        <source>Selected Control Parameters</source>
        <translation>Parámetros del control elegido</translation>
    </message>
    <message>
        <source>CC Number</source>
        <translation>Número CC</translation>
    </message>
    <message>
        <source>Mode:      </source>
        <translation>Modo:      </translation>
    </message>
    <message>
        <source>Min / LSB:</source>
        <translation>Mín / LSB:</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valor</translation>
    </message>
    <message>
        <source>Mode Option:</source>
        <translation>Opción:</translation>
    </message>
    <message>
        <source>Max / MSB:</source>
        <translation>Máx / MSB:</translation>
    </message>
    <message>
        <source>Send to Keyboard</source>
        <translation>Enviar al teclado</translation>
    </message>
    <message>
        <source>Send to Mem</source>
        <translation>A memoria</translation>
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
        <translation>Valores por defecto</translation>
    </message>
    <message>
        <source>Load...</source>
        <translation>Cargar...</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Guardar...</translation>
    </message>
    <message>
        <source>Upgrade firmware...</source>
        <translation>Actualizar firmware...</translation>
    </message>
    <message>
        <source>Pedal</source>
        <translation>Pedal</translation>
    </message>
    <message>
        <source>Change %1</source>
        <translation>Cambiar %1</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Cambios sin guardar</translation>
    </message>
    <message>
        <source>Save the settings to a file before closing?</source>
        <translation>¿Guardar los ajustes en un archivo antes de cerrar?</translation>
    </message>
    <message>
        <source>Open Settings File</source>
        <translation>Abrir archivo de ajustes</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Load %1</source>
        <translation>Cargar %1</translation>
    </message>
    <message>
        <source>Could not save the settings to &quot;%1&quot;: %2</source>
        <translation>No se pudieron guardar los ajustes en «%1»: %2</translation>
    </message>
    <message>
        <source>Read from the keyboard</source>
        <translation>Leído del teclado</translation>
    </message>
</context>
<context>
    <name>MemoryEntry</name>
    <message>
        <source>the editor</source>
        <translation>el editor</translation>
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
        <translation>Note Off %1, %2, velocidad %3</translation>
    </message>
    <message>
        <source>Note On %1, %2, velocity %3</source>
        <translation>Note On %1, %2, velocidad %3</translation>
    </message>
    <message>
        <source>Poly Pressure %1, %2, %3</source>
        <translation>Poly Pressure %1, %2, %3</translation>
    </message>
    <message>
        <source>Control Change %1, CC %2, value %3</source>
        <translation>Control Change %1, CC %2, valor %3</translation>
    </message>
    <message>
        <source>Program Change %1, program %2</source>
        <translation>Program Change %1, programa %2</translation>
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
        <translation>Mensaje de sistema %1</translation>
    </message>
    <message>
        <source>unknown parameter %1 of %2</source>
        <translation>parámetro desconocido %1 de %2</translation>
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
        <translation>solicitud de handshake</translation>
    </message>
    <message>
        <source>handshake reply</source>
        <translation>respuesta de handshake</translation>
    </message>
    <message>
        <source>reply %1</source>
        <extracomment>The keyboard&apos;s answer; %1 says which parameter and its value.</extracomment>
        <translation>respuesta %1</translation>
    </message>
    <message>
        <source>request %1, memory %2</source>
        <extracomment>A question to the keyboard; %1 says which parameter, %2 which memory.</extracomment>
        <translation>solicitud %1, memoria %2</translation>
    </message>
    <message>
        <source>set %1, memory %2</source>
        <translation>ajuste %1, memoria %2</translation>
    </message>
    <message numerus="yes">
        <source>System Exclusive, %n bytes</source>
        <translation>
            <numerusform>System Exclusive, %n byte</numerusform>
            <numerusform>System Exclusive, %n bytes</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: upgrade mode handshake</source>
        <extracomment>%1 is the channel message the keyboard&apos;s firmware upgrade mode answers with.</extracomment>
        <translation>%1: handshake del modo de actualización</translation>
    </message>
</context>
<context>
    <name>MidiMonitor</name>
    <message>
        <source>MIDI Monitor</source>
        <translation>Monitor MIDI</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Guardar...</translation>
    </message>
    <message>
        <source>Follow the keyboard</source>
        <translation>Seguir el teclado</translation>
    </message>
    <message>
        <source>0 messages</source>
        <translation>0 mensajes</translation>
    </message>
    <message>
        <source>MIDI messages</source>
        <translation>Mensajes MIDI</translation>
    </message>
    <message numerus="yes">
        <source> (%n bytes)</source>
        <extracomment>After a message cut short in the monitor: how long it was.</extracomment>
        <translation>
            <numerusform> (%n byte)</numerusform>
            <numerusform> (%n bytes)</numerusform>
        </translation>
    </message>
    <message>
        <source> (refused by the port)</source>
        <translation> (rechazado por el puerto)</translation>
    </message>
    <message numerus="yes">
        <source>%n messages</source>
        <translation>
            <numerusform>%n mensaje</numerusform>
            <numerusform>%n mensajes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n missed</source>
        <extracomment>After the count of messages: how many the monitor could not keep up with.</extracomment>
        <translation>
            <numerusform>, %n perdido</numerusform>
            <numerusform>, %n perdidos</numerusform>
        </translation>
    </message>
    <message>
        <source>Save MIDI Monitor</source>
        <translation>Guardar monitor MIDI</translation>
    </message>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>Archivos de texto (*.txt)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Could not save the monitor to &quot;%1&quot;: %2</source>
        <translation>No se pudo guardar el monitor en «%1»: %2</translation>
    </message>
    <message>
        <source>Every message to or from the keyboard</source>
        <translation>Cada mensaje hacia o desde el teclado</translation>
    </message>
</context>
<context>
    <name>MonitorLineModel</name>
    <message>
        <source>in</source>
        <extracomment>The direction of a MIDI message: from the keyboard (&quot;in&quot;) or to it (&quot;out&quot;).</extracomment>
        <translation>entra</translation>
    </message>
    <message>
        <source>out</source>
        <translation>sale</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Dir</source>
        <translation>Dir.</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>Significado</translation>
    </message>
</context>
<context>
    <name>OverviewCommands</name>
    <message>
        <source>the sheet is written as OUT.pdf or OUT.png, not &apos;%1&apos;</source>
        <translation>la hoja se escribe como OUT.pdf o OUT.png, no &apos;%1&apos;</translation>
    </message>
    <message>
        <source>the sheet can only be drawn by the telvir program itself</source>
        <translation>solo el propio programa telvir puede dibujar la hoja</translation>
    </message>
    <message>
        <source>Telvir keyboard: %1</source>
        <extracomment>The sheet&apos;s title; %1 is the settings file&apos;s name.</extracomment>
        <translation>Teclado Telvir: %1</translation>
    </message>
</context>
<context>
    <name>PortChoice</name>
    <message>
        <source>there is no MIDI output port &apos;%1&apos; (telvir ports lists them)</source>
        <translation>no hay ningún puerto MIDI de salida &apos;%1&apos; (telvir ports los lista)</translation>
    </message>
    <message>
        <source>there is no MIDI input port &apos;%1&apos; (telvir ports lists them)</source>
        <translation>no hay ningún puerto MIDI de entrada &apos;%1&apos; (telvir ports los lista)</translation>
    </message>
</context>
<context>
    <name>PortsDialog</name>
    <message>
        <source>MIDI Ports</source>
        <translation>Puertos MIDI</translation>
    </message>
    <message>
        <source>Choose the ports of the keyboard, or let the editor find them (Automatic).</source>
        <translation>Elija los puertos del teclado, o deje que el editor los encuentre (Automático).</translation>
    </message>
    <message>
        <source>Output:</source>
        <translation>Salida:</translation>
    </message>
    <message>
        <source>Input:</source>
        <translation>Entrada:</translation>
    </message>
    <message>
        <source>Keyboards found:</source>
        <translation>Teclados encontrados:</translation>
    </message>
    <message>
        <source>Output &apos;%1&apos;, input &apos;%2&apos;</source>
        <translation>Salida &apos;%1&apos;, entrada &apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Turn Live on at start</source>
        <translation>Activar En vivo al iniciar</translation>
    </message>
    <message>
        <source>Follow the keyboard</source>
        <translation>Seguir el teclado</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Mensajes</translation>
    </message>
    <message>
        <source>Untick a message to stop showing it; tick one you silenced with &quot;Don&apos;t show this again&quot; to see it again.</source>
        <translation>Desmarque un mensaje para dejar de mostrarlo; marque uno silenciado con «No volver a mostrar» para verlo de nuevo.</translation>
    </message>
    <message>
        <source>Show that the keyboard was linked</source>
        <translation>Mostrar que el teclado quedó conectado</translation>
    </message>
    <message>
        <source>Show how many settings were read</source>
        <translation>Mostrar cuántos ajustes se leyeron</translation>
    </message>
    <message>
        <source>Show that the settings were sent</source>
        <translation>Mostrar que los ajustes se enviaron</translation>
    </message>
    <message>
        <source>Send every change to the keyboard&apos;s workArea from the start</source>
        <translation>Enviar cada cambio a la workArea del teclado desde el inicio</translation>
    </message>
    <message>
        <source>A control touched on the keyboard is shown in the editor</source>
        <translation>Un control tocado en el teclado se muestra en el editor</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>For keyboards that miss messages sent back to back</source>
        <translation>Para teclados que pierden mensajes enviados seguidos</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Teclado</translation>
    </message>
    <message>
        <source>Pause between messages:</source>
        <translation>Pausa entre mensajes:</translation>
    </message>
</context>
<context>
    <name>ProgressBarWindow</name>
    <message>
        <source>Processing...</source>
        <translation>Procesando...</translation>
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
        <translation>Automático</translation>
    </message>
</context>
<context>
    <name>RecoveryBar</name>
    <message>
        <source>Unsaved changes from %1 could not be read and were dropped.</source>
        <translation>Los cambios sin guardar del %1 no se pudieron leer y se descartaron.</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurar</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <source>Unsaved changes from %1 can be restored.</source>
        <translation>Los cambios sin guardar del %1 se pueden restaurar.</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>This is a folder, not a file</source>
        <translation>Es una carpeta, no un archivo</translation>
    </message>
    <message>
        <source>This is a named pipe, not a file</source>
        <translation>Es una tubería con nombre, no un archivo</translation>
    </message>
    <message>
        <source>This is a device, not a file</source>
        <translation>Es un dispositivo, no un archivo</translation>
    </message>
    <message>
        <source>This is a socket, not a file</source>
        <translation>Es un socket, no un archivo</translation>
    </message>
    <message>
        <source>This is not a regular file</source>
        <translation>No es un archivo normal</translation>
    </message>
    <message>
        <source>No file name was given</source>
        <translation>No se indicó ningún nombre de archivo</translation>
    </message>
    <message>
        <source>The file does not exist</source>
        <translation>El archivo no existe</translation>
    </message>
</context>
<context>
    <name>RtMidiBackend</name>
    <message>
        <source>no ALSA sequencer (/dev/snd/seq cannot be opened)</source>
        <translation>no hay secuenciador ALSA (no se puede abrir /dev/snd/seq)</translation>
    </message>
    <message>
        <source>no %1 (it does not start)</source>
        <extracomment>%1 is a MIDI system (&quot;ALSA&quot;).</extracomment>
        <translation>no hay %1 (no arranca)</translation>
    </message>
    <message>
        <source>no %1 port</source>
        <extracomment>%1 is a MIDI system (&quot;ALSA&quot;).</extracomment>
        <translation>ningún puerto %1</translation>
    </message>
</context>
<context>
    <name>SettingNames</name>
    <message>
        <source>Mode</source>
        <translation>Modo</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>CC Number / Note</source>
        <translation>Número CC / Nota</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valor</translation>
    </message>
    <message>
        <source>Min / LSB</source>
        <translation>Mín / LSB</translation>
    </message>
    <message>
        <source>Max / MSB</source>
        <translation>Máx / MSB</translation>
    </message>
    <message>
        <source>Mode Option</source>
        <translation>Opción de modo</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Off - Disabled</source>
        <translation>Off - inactivo</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Continuo</translation>
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
        <translation>Conmutado</translation>
    </message>
    <message>
        <source>Midi Note</source>
        <translation>Nota MIDI</translation>
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
        <translation>alterno</translation>
    </message>
    <message>
        <source>gate</source>
        <translation>gate</translation>
    </message>
    <message>
        <source>standard</source>
        <translation>estándar</translation>
    </message>
    <message>
        <source>hold</source>
        <translation>sostener</translation>
    </message>
    <message>
        <source>absolute</source>
        <translation>absoluto</translation>
    </message>
    <message>
        <source>relative #1</source>
        <translation>relativo #1</translation>
    </message>
    <message>
        <source>relative #2</source>
        <translation>relativo #2</translation>
    </message>
    <message>
        <source>relative #3</source>
        <translation>relativo #3</translation>
    </message>
    <message>
        <source>CC Number</source>
        <translation>Número CC</translation>
    </message>
    <message>
        <source>Global</source>
        <translation>Global</translation>
    </message>
    <message>
        <source>Linear</source>
        <translation>Lineal</translation>
    </message>
    <message>
        <source>Logarithmic</source>
        <translation>Logarítmica</translation>
    </message>
    <message>
        <source>Exponential</source>
        <translation>Exponencial</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Completa</translation>
    </message>
    <message>
        <source>Octave</source>
        <translation>Octava</translation>
    </message>
    <message>
        <source>Pad Vel Curve</source>
        <translation>Curva velocity pads</translation>
    </message>
    <message>
        <source>Knob Accel</source>
        <translation>Aceleración perillas</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Lenta</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Rápida</translation>
    </message>
    <message>
        <source>Knob Mode</source>
        <translation>Modo perillas</translation>
    </message>
    <message>
        <source>relative</source>
        <translation>relativo</translation>
    </message>
    <message>
        <source>Velocity curve</source>
        <translation>Curva de velocity</translation>
    </message>
</context>
<context>
    <name>SettingsCommands</name>
    <message>
        <source>%1 exists already; not replaced</source>
        <translation>%1 ya existe; no se reemplaza</translation>
    </message>
    <message>
        <source>export writes .syx files; convert writes .telvir and .json files</source>
        <translation>export escribe archivos .syx; convert escribe archivos .telvir y .json</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>Only %1 of %2 bytes could be written (%3)</source>
        <translation>Solo se pudieron escribir %1 de %2 bytes (%3)</translation>
    </message>
    <message>
        <source>This is not a valid telvir settings file!</source>
        <translation>¡Este no es un archivo de ajustes de Telvir válido!</translation>
    </message>
    <message>
        <source>The file does not start with %1</source>
        <translation>El archivo no empieza por %1</translation>
    </message>
    <message>
        <source>The file holds %1 of the %2 bytes of a settings record</source>
        <translation>El archivo contiene %1 de los %2 bytes de un registro de ajustes</translation>
    </message>
</context>
<context>
    <name>SettingsFormat</name>
    <message>
        <source>TELVIR Settings Files</source>
        <translation>Archivos de ajustes TELVIR</translation>
    </message>
    <message>
        <source>Settings Documents</source>
        <translation>Documentos de ajustes</translation>
    </message>
    <message>
        <source>SysEx Files</source>
        <translation>Archivos SysEx</translation>
    </message>
    <message>
        <source>Settings files (%1)</source>
        <translation>Archivos de ajustes (%1)</translation>
    </message>
</context>
<context>
    <name>StoreFileGuard</name>
    <message>
        <source>the disk is full</source>
        <translation>el disco está lleno</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>el sistema de archivos es de solo lectura</translation>
    </message>
    <message>
        <source>its folder is read-only</source>
        <translation>su carpeta es de solo lectura</translation>
    </message>
    <message>
        <source>it is a symbolic link</source>
        <translation>es un enlace simbólico</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>pertenece a otro usuario</translation>
    </message>
    <message>
        <source>it has other names (hard links)</source>
        <translation>tiene otros nombres (enlaces duros)</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es una carpeta</translation>
    </message>
    <message>
        <source>it is a named pipe</source>
        <translation>es una tubería con nombre</translation>
    </message>
    <message>
        <source>it is a socket</source>
        <translation>es un socket</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>its folder cannot be made: %1</source>
        <translation>no se puede crear su carpeta: %1</translation>
    </message>
    <message>
        <source>its folder is a symbolic link of another user</source>
        <translation>su carpeta es un enlace simbólico de otro usuario</translation>
    </message>
    <message>
        <source>its folder is a symbolic link that leads nowhere</source>
        <translation>su carpeta es un enlace simbólico que no lleva a ninguna parte</translation>
    </message>
    <message>
        <source>its folder is not a folder</source>
        <translation>su carpeta no es una carpeta</translation>
    </message>
    <message>
        <source>its folder belongs to another user</source>
        <translation>su carpeta pertenece a otro usuario</translation>
    </message>
    <message>
        <source>its folder cannot be made</source>
        <translation>no se puede crear su carpeta</translation>
    </message>
    <message>
        <source>it is read-only</source>
        <translation>es de solo lectura</translation>
    </message>
</context>
<context>
    <name>SysexFile</name>
    <message>
        <source>Not a settings file of this keyboard: it is larger than %1 bytes.</source>
        <translation>No es un archivo de ajustes de este teclado: supera los %1 bytes.</translation>
    </message>
    <message>
        <source>Not a settings file of this keyboard: it holds no messages.</source>
        <translation>No es un archivo de ajustes de este teclado: no contiene mensajes.</translation>
    </message>
    <message>
        <source>Not a settings file of this keyboard: unexpected byte 0x%1 at offset %2.</source>
        <extracomment>%1 is a byte in hexadecimal (&quot;41&quot;), %2 its position in the file.</extracomment>
        <translation>No es un archivo de ajustes de este teclado: byte inesperado 0x%1 en la posición %2.</translation>
    </message>
    <message>
        <source>Not a settings file of this keyboard: it ends inside the message that starts at offset %1.</source>
        <translation>No es un archivo de ajustes de este teclado: termina en medio del mensaje que empieza en la posición %1.</translation>
    </message>
    <message>
        <source>The file mixes set messages with the keyboard&apos;s replies (at offset %1); it must hold only one of the two.</source>
        <translation>El archivo mezcla mensajes de ajuste con respuestas del teclado (en la posición %1); solo debe contener uno de los dos.</translation>
    </message>
    <message>
        <source>The file holds set messages for memory %1 and, at offset %2, for memory %3; it must hold those of one memory only.</source>
        <extracomment>%1 and %3 are memories (&quot;workArea&quot;, &quot;1&quot;..&quot;8&quot;), %2 a position in the file.</extracomment>
        <translation>El archivo contiene mensajes de ajuste para la memoria %1 y, en la posición %2, para la memoria %3; solo debe contener los de una memoria.</translation>
    </message>
    <message>
        <source>The file does not carry %1; it is the factory setting.</source>
        <extracomment>%1 names a setting (&quot;Pad #3 Mode&quot;).</extracomment>
        <translation>El archivo no contiene %1; queda el valor de fábrica.</translation>
    </message>
    <message numerus="yes">
        <source>The file does not carry %n settings; they are the factory settings: %1</source>
        <extracomment>%1 lists settings by name (&quot;Pad #3 Mode, Cutoff CC Number&quot;).</extracomment>
        <translation>
            <numerusform>El archivo no contiene %n ajuste; queda su valor de fábrica: %1</numerusform>
            <numerusform>El archivo no contiene %n ajustes; quedan sus valores de fábrica: %1</numerusform>
        </translation>
    </message>
</context>
</TS>
