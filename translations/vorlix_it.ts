<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>vorlix</name>
    <message>
        <source>Vorlix: The play list could not be saved to %1: %2</source>
        <translation>Vorlix: Impossibile salvare la playlist in %1: %2</translation>
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
        <translation>Uso: vorlix [OPZIONE] [FILE|URI...]
Riproduce file MP3 su un piccolo lettore con skin.

File, cartelle e URI file:// vengono aggiunti alla playlist e il primo
viene riprodotto. Se Vorlix è già in esecuzione, vanno a quel lettore.

  -h, --help        mostra questo aiuto ed esce
  -v, --version     mostra la versione ed esce
      --play-pause  preme Riproduci o Pausa sul lettore in esecuzione
      --next        riproduce il brano successivo della sua playlist
      --previous    riproduce il brano precedente della sua playlist
</translation>
    </message>
    <message>
        <source>vorlix: unknown option &apos;%1&apos;
</source>
        <translation>vorlix: opzione sconosciuta «%1»
</translation>
    </message>
    <message>
        <source>vorlix: the running player is closing
</source>
        <translation>vorlix: il lettore in esecuzione si sta chiudendo
</translation>
    </message>
    <message>
        <source>vorlix: %1 belongs to another user
</source>
        <translation>vorlix: %1 appartiene a un altro utente
</translation>
    </message>
    <message>
        <source>vorlix: the running player does not answer
</source>
        <translation>vorlix: il lettore in esecuzione non risponde
</translation>
    </message>
    <message>
        <source>vorlix: later starts cannot reach this player: %1
</source>
        <translation>vorlix: gli avvii successivi non potranno raggiungere questo lettore: %1
</translation>
    </message>
    <message>
        <source>Only file:// URIs can be opened: %1</source>
        <translation>Si possono aprire solo URI file://: %1</translation>
    </message>
    <message>
        <source>No such property: %1</source>
        <translation>Proprietà inesistente: %1</translation>
    </message>
    <message>
        <source>%1 is read-only</source>
        <translation>%1 è di sola lettura</translation>
    </message>
    <message>
        <source>%1 cannot be set to that value</source>
        <translation>%1 non può assumere quel valore</translation>
    </message>
    <message>
        <source>not an absolute path</source>
        <translation>non è un percorso assoluto</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>non è una cartella</translation>
    </message>
    <message>
        <source>owned by another user</source>
        <translation>appartiene a un altro utente</translation>
    </message>
    <message>
        <source>open to other users (mode %1, not 0700)</source>
        <translation>aperta ad altri utenti (modalità %1, non 0700)</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>il nome è troppo lungo</translation>
    </message>
    <message>
        <source>%1 is in the way: %2</source>
        <translation>%1 è d’intralcio: %2</translation>
    </message>
    <message>
        <source>not an MP3 file</source>
        <translation>non è un file MP3</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>non trovato</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>non leggibile</translation>
    </message>
    <message>
        <source>its name holds a line break</source>
        <translation>il nome contiene un a capo</translation>
    </message>
    <message>
        <source>not a file on this computer</source>
        <translation>non è un file di questo computer</translation>
    </message>
    <message>
        <source>no songs in it</source>
        <translation>non contiene brani</translation>
    </message>
    <message>
        <source>This was not added to the play list:</source>
        <translation>Questo elemento non è stato aggiunto alla playlist:</translation>
    </message>
    <message>
        <source>These were not added to the play list:</source>
        <translation>Questi elementi non sono stati aggiunti alla playlist:</translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>e %n altro.</numerusform>
            <numerusform>e altri %n.</numerusform>
        </translation>
    </message>
    <message>
        <source>vorlix: no sound through SDL: %1
</source>
        <translation>vorlix: nessun suono tramite SDL: %1
</translation>
    </message>
    <message>
        <source>vorlix: no sound: %1
</source>
        <translation>vorlix: nessun suono: %1
</translation>
    </message>
    <message>
        <source>Vorlix Help</source>
        <translation>Guida di Vorlix</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>il file non esiste</translation>
    </message>
    <message>
        <source>it is not a file that can be read</source>
        <translation>non è un file leggibile</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>è più grande di %1 KB</translation>
    </message>
    <message>
        <source>It is in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>Si trova nella cartella &lt;b&gt;%1&lt;/b&gt;.</translation>
    </message>
    <message>
        <source>It was looked for in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>È stato cercato nella cartella &lt;b&gt;%1&lt;/b&gt;.</translation>
    </message>
    <message>
        <source>Help cannot be shown</source>
        <translation>Impossibile mostrare la guida</translation>
    </message>
    <message>
        <source>The help file &lt;b&gt;%1&lt;/b&gt; cannot be shown: %2.</source>
        <translation>Impossibile mostrare il file della guida &lt;b&gt;%1&lt;/b&gt;: %2.</translation>
    </message>
    <message>
        <source>it is not a help page</source>
        <translation>non è una pagina della guida</translation>
    </message>
    <message>
        <source>its parts are nested deeper than %1 levels</source>
        <translation>le sue parti sono annidate oltre %1 livelli</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Non è un file normale.</translation>
    </message>
    <message>
        <source>Other players keep saving the list.</source>
        <translation>Altri lettori continuano a salvare la playlist.</translation>
    </message>
    <message>
        <source>vorlix: not using XDG_RUNTIME_DIR (%1): playing alone
</source>
        <translation>vorlix: XDG_RUNTIME_DIR non viene usata (%1): il lettore suona per conto suo
</translation>
    </message>
</context>
<context>
    <name>vorlix::frmAbout</name>
    <message>
        <source>Vorlix player</source>
        <translation>Lettore Vorlix</translation>
    </message>
    <message>
        <source>System...</source>
        <translation>Sistema...</translation>
    </message>
    <message>
        <source>No web browser could be opened for the link. The address is:

</source>
        <translation>Impossibile aprire un browser web per il collegamento. L’indirizzo è:

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
        <translation>Guida</translation>
    </message>
</context>
<context>
    <name>vorlix::frmMain</name>
    <message>
        <source>Power</source>
        <translation>Accensione</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Riproduci</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>Abbassa volume</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>Alza volume</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>Playlist</translation>
    </message>
    <message>
        <source>USB cap</source>
        <translation>Cappuccio USB</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>USB plug</source>
        <translation>Connettore USB</translation>
    </message>
    <message>
        <source>Player on</source>
        <translation>Lettore acceso</translation>
    </message>
    <message>
        <source>Close Vorlix?</source>
        <translation>Chiudere Vorlix?</translation>
    </message>
    <message>
        <source>Volume %1%</source>
        <translation>Volume %1%</translation>
    </message>
</context>
<context>
    <name>vorlix::frmPlayList</name>
    <message>
        <source>Play List</source>
        <translation>Playlist</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Aggiungi</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Rimuovi</translation>
    </message>
    <message>
        <source>Hide playlist</source>
        <translation>Nascondi playlist</translation>
    </message>
    <message>
        <source>The play list could not be saved to %1:
%2</source>
        <translation>Impossibile salvare la playlist in %1:
%2</translation>
    </message>
    <message>
        <source>The play list could not be read from %1:
%2

It is left as it is; changes to the list will not be saved.</source>
        <translation>Impossibile leggere la playlist da %1:
%2

Il file resta com’è; le modifiche alla playlist non verranno salvate.</translation>
    </message>
</context>
</TS>
