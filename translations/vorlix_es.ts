<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>vorlix</name>
    <message>
        <source>Vorlix: The play list could not be saved to %1: %2</source>
        <translation>Vorlix: No se pudo guardar la lista de reproducción en %1: %2</translation>
    </message>
    <message>
        <source>Usage: vorlix [OPTION] [FILE|URI...]
Play MP3 files on a small skinned player.

Files, folders and file:// URIs are added to the play list and the first
of them plays. When Vorlix is already running, they go to that player.

  -h, --help        show this help and exit
  -v, --version     show the version and exit
      --play-pause  press Play or Pause on the running player
      --next        play the next song of the running player&apos;s list
      --previous    play the previous song of the running player&apos;s list
</source>
        <translation>Uso: vorlix [OPCIÓN] [ARCHIVO|URI...]
Reproduce archivos MP3 en un pequeño reproductor con aspecto propio.

Los archivos, carpetas y URI file:// se añaden a la lista de reproducción y
suena el primero. Si Vorlix ya está en marcha, van a ese reproductor.

  -h, --help        muestra esta ayuda y sale
  -v, --version     muestra la versión y sale
      --play-pause  pulsa Reproducir o Pausa en el reproductor en marcha
      --next        reproduce la canción siguiente de su lista
      --previous    reproduce la canción anterior de su lista
</translation>
    </message>
    <message>
        <source>vorlix: unknown option &apos;%1&apos;
</source>
        <translation>vorlix: opción desconocida «%1»
</translation>
    </message>
    <message>
        <source>vorlix: the running player is closing
</source>
        <translation>vorlix: el reproductor en marcha se está cerrando
</translation>
    </message>
    <message>
        <source>vorlix: %1 belongs to another user
</source>
        <translation>vorlix: %1 pertenece a otro usuario
</translation>
    </message>
    <message>
        <source>vorlix: the running player does not answer
</source>
        <translation>vorlix: el reproductor en marcha no responde
</translation>
    </message>
    <message>
        <source>vorlix: later starts cannot reach this player: %1
</source>
        <translation>vorlix: los arranques posteriores no podrán llegar a este reproductor: %1
</translation>
    </message>
    <message>
        <source>Only file:// URIs can be opened: %1</source>
        <translation>Solo se pueden abrir URI file://: %1</translation>
    </message>
    <message>
        <source>No such property: %1</source>
        <translation>No existe la propiedad: %1</translation>
    </message>
    <message>
        <source>%1 is read-only</source>
        <translation>%1 es de solo lectura</translation>
    </message>
    <message>
        <source>%1 cannot be set to that value</source>
        <translation>%1 no puede tomar ese valor</translation>
    </message>
    <message>
        <source>not an absolute path</source>
        <translation>no es una ruta absoluta</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>no es una carpeta</translation>
    </message>
    <message>
        <source>owned by another user</source>
        <translation>pertenece a otro usuario</translation>
    </message>
    <message>
        <source>open to other users (mode %1, not 0700)</source>
        <translation>abierta a otros usuarios (modo %1, no 0700)</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>el nombre es demasiado largo</translation>
    </message>
    <message>
        <source>%1 is in the way: %2</source>
        <translation>%1 estorba: %2</translation>
    </message>
    <message>
        <source>not an MP3 file</source>
        <translation>no es un archivo MP3</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>no encontrado</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>no se puede leer</translation>
    </message>
    <message>
        <source>its name holds a line break</source>
        <translation>su nombre contiene un salto de línea</translation>
    </message>
    <message>
        <source>not a file on this computer</source>
        <translation>no es un archivo de este equipo</translation>
    </message>
    <message>
        <source>no songs in it</source>
        <translation>no contiene canciones</translation>
    </message>
    <message>
        <source>This was not added to the play list:</source>
        <translation>Esto no se añadió a la lista de reproducción:</translation>
    </message>
    <message>
        <source>These were not added to the play list:</source>
        <translation>Estos no se añadieron a la lista de reproducción:</translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>y %n más.</numerusform>
            <numerusform>y %n más.</numerusform>
        </translation>
    </message>
    <message>
        <source>vorlix: no sound through SDL: %1
</source>
        <translation>vorlix: sin sonido a través de SDL: %1
</translation>
    </message>
    <message>
        <source>vorlix: no sound: %1
</source>
        <translation>vorlix: sin sonido: %1
</translation>
    </message>
    <message>
        <source>Vorlix Help</source>
        <translation>Ayuda de Vorlix</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>no existe ese archivo</translation>
    </message>
    <message>
        <source>it is not a file that can be read</source>
        <translation>no es un archivo que se pueda leer</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>ocupa más de %1 KB</translation>
    </message>
    <message>
        <source>It is in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>Está en la carpeta &lt;b&gt;%1&lt;/b&gt;.</translation>
    </message>
    <message>
        <source>It was looked for in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>Se buscó en la carpeta &lt;b&gt;%1&lt;/b&gt;.</translation>
    </message>
    <message>
        <source>Help cannot be shown</source>
        <translation>No se puede mostrar la ayuda</translation>
    </message>
    <message>
        <source>The help file &lt;b&gt;%1&lt;/b&gt; cannot be shown: %2.</source>
        <translation>No se puede mostrar el archivo de ayuda &lt;b&gt;%1&lt;/b&gt;: %2.</translation>
    </message>
    <message>
        <source>it is not a help page</source>
        <translation>no es una página de ayuda</translation>
    </message>
    <message>
        <source>its parts are nested deeper than %1 levels</source>
        <translation>sus partes están anidadas a más de %1 niveles</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>No es un archivo normal.</translation>
    </message>
    <message>
        <source>Other players keep saving the list.</source>
        <translation>Otros reproductores siguen guardando la lista.</translation>
    </message>
    <message>
        <source>vorlix: not using XDG_RUNTIME_DIR (%1): playing alone
</source>
        <translation>vorlix: no se usa XDG_RUNTIME_DIR (%1): el reproductor funciona por su cuenta
</translation>
    </message>
</context>
<context>
    <name>vorlix::frmAbout</name>
    <message>
        <source>Vorlix player</source>
        <translation>Reproductor Vorlix</translation>
    </message>
    <message>
        <source>System...</source>
        <translation>Sistema...</translation>
    </message>
    <message>
        <source>No web browser could be opened for the link. The address is:

</source>
        <translation>No se pudo abrir ningún navegador web para el enlace. La dirección es:

</translation>
    </message>
</context>
<context>
    <name>vorlix::frmAboutMAin</name>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
</context>
<context>
    <name>vorlix::frmMain</name>
    <message>
        <source>Power</source>
        <translation>Encendido</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>Bajar volumen</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>Subir volumen</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>Lista de reproducción</translation>
    </message>
    <message>
        <source>USB cap</source>
        <translation>Tapa USB</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>USB plug</source>
        <translation>Conector USB</translation>
    </message>
    <message>
        <source>Player on</source>
        <translation>Reproductor encendido</translation>
    </message>
    <message>
        <source>Close Vorlix?</source>
        <translation>¿Cerrar Vorlix?</translation>
    </message>
    <message>
        <source>Volume %1%</source>
        <translation>Volumen %1 %</translation>
    </message>
</context>
<context>
    <name>vorlix::frmPlayList</name>
    <message>
        <source>Play List</source>
        <translation>Lista de reproducción</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Hide playlist</source>
        <translation>Ocultar lista de reproducción</translation>
    </message>
    <message>
        <source>The play list could not be saved to %1:
%2</source>
        <translation>No se pudo guardar la lista de reproducción en %1:
%2</translation>
    </message>
    <message>
        <source>The play list could not be read from %1:
%2

It is left as it is; changes to the list will not be saved.</source>
        <translation>No se pudo leer la lista de reproducción de %1:
%2

El archivo se deja como está; los cambios en la lista no se guardarán.</translation>
    </message>
</context>
</TS>
