<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>vorlix</name>
    <message>
        <source>Vorlix: The play list could not be saved to %1: %2</source>
        <translation>Vorlix: Die Wiedergabeliste konnte nicht in %1 gespeichert werden: %2</translation>
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
        <translation>Aufruf: vorlix [OPTION] [DATEI|URI...]
MP3-Dateien auf einem kleinen Player mit Skin abspielen.

Dateien, Ordner und file://-URIs kommen in die Wiedergabeliste, und das
erste davon wird gespielt. Läuft Vorlix schon, gehen sie an diesen Player.

  -h, --help        diese Hilfe zeigen und beenden
  -v, --version     die Version zeigen und beenden
      --play-pause  Wiedergabe oder Pause am laufenden Player drücken
      --next        das nächste Lied der Liste des laufenden Players spielen
      --previous    das vorige Lied der Liste des laufenden Players spielen
</translation>
    </message>
    <message>
        <source>vorlix: unknown option &apos;%1&apos;
</source>
        <translation>vorlix: unbekannte Option „%1“
</translation>
    </message>
    <message>
        <source>vorlix: the running player is closing
</source>
        <translation>vorlix: der laufende Player wird gerade geschlossen
</translation>
    </message>
    <message>
        <source>vorlix: %1 belongs to another user
</source>
        <translation>vorlix: %1 gehört einem anderen Benutzer
</translation>
    </message>
    <message>
        <source>vorlix: the running player does not answer
</source>
        <translation>vorlix: der laufende Player antwortet nicht
</translation>
    </message>
    <message>
        <source>vorlix: later starts cannot reach this player: %1
</source>
        <translation>vorlix: spätere Starts erreichen diesen Player nicht: %1
</translation>
    </message>
    <message>
        <source>Only file:// URIs can be opened: %1</source>
        <translation>Nur file://-URIs können geöffnet werden: %1</translation>
    </message>
    <message>
        <source>No such property: %1</source>
        <translation>Keine solche Eigenschaft: %1</translation>
    </message>
    <message>
        <source>%1 is read-only</source>
        <translation>%1 ist schreibgeschützt</translation>
    </message>
    <message>
        <source>%1 cannot be set to that value</source>
        <translation>%1 kann nicht auf diesen Wert gesetzt werden</translation>
    </message>
    <message>
        <source>not an absolute path</source>
        <translation>kein absoluter Pfad</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>kein Ordner</translation>
    </message>
    <message>
        <source>owned by another user</source>
        <translation>gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>open to other users (mode %1, not 0700)</source>
        <translation>für andere Benutzer offen (Modus %1, nicht 0700)</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>der Name ist zu lang</translation>
    </message>
    <message>
        <source>%1 is in the way: %2</source>
        <translation>%1 ist im Weg: %2</translation>
    </message>
    <message>
        <source>not an MP3 file</source>
        <translation>keine MP3-Datei</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>nicht gefunden</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>nicht lesbar</translation>
    </message>
    <message>
        <source>its name holds a line break</source>
        <translation>sein Name enthält einen Zeilenumbruch</translation>
    </message>
    <message>
        <source>not a file on this computer</source>
        <translation>keine Datei auf diesem Rechner</translation>
    </message>
    <message>
        <source>no songs in it</source>
        <translation>enthält keine Lieder</translation>
    </message>
    <message>
        <source>This was not added to the play list:</source>
        <translation>Dies wurde nicht zur Wiedergabeliste hinzugefügt:</translation>
    </message>
    <message>
        <source>These were not added to the play list:</source>
        <translation>Diese wurden nicht zur Wiedergabeliste hinzugefügt:</translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>und %n weiterer Eintrag.</numerusform>
            <numerusform>und %n weitere Einträge.</numerusform>
        </translation>
    </message>
    <message>
        <source>vorlix: no sound through SDL: %1
</source>
        <translation>vorlix: kein Ton über SDL: %1
</translation>
    </message>
    <message>
        <source>vorlix: no sound: %1
</source>
        <translation>vorlix: kein Ton: %1
</translation>
    </message>
    <message>
        <source>Vorlix Help</source>
        <translation>Vorlix-Hilfe</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>diese Datei gibt es nicht</translation>
    </message>
    <message>
        <source>it is not a file that can be read</source>
        <translation>sie ist keine lesbare Datei</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>sie ist größer als %1 KB</translation>
    </message>
    <message>
        <source>It is in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>Sie liegt im Ordner &lt;b&gt;%1&lt;/b&gt;.</translation>
    </message>
    <message>
        <source>It was looked for in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>Sie wurde im Ordner &lt;b&gt;%1&lt;/b&gt; gesucht.</translation>
    </message>
    <message>
        <source>Help cannot be shown</source>
        <translation>Die Hilfe kann nicht angezeigt werden</translation>
    </message>
    <message>
        <source>The help file &lt;b&gt;%1&lt;/b&gt; cannot be shown: %2.</source>
        <translation>Die Hilfedatei &lt;b&gt;%1&lt;/b&gt; kann nicht angezeigt werden: %2.</translation>
    </message>
    <message>
        <source>it is not a help page</source>
        <translation>sie ist keine Hilfeseite</translation>
    </message>
    <message>
        <source>its parts are nested deeper than %1 levels</source>
        <translation>ihre Teile sind tiefer als %1 Ebenen verschachtelt</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Es ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>Other players keep saving the list.</source>
        <translation>Andere Player speichern die Liste ständig.</translation>
    </message>
    <message>
        <source>vorlix: not using XDG_RUNTIME_DIR (%1): playing alone
</source>
        <translation>vorlix: XDG_RUNTIME_DIR wird nicht benutzt (%1): der Player spielt für sich
</translation>
    </message>
</context>
<context>
    <name>vorlix::frmAbout</name>
    <message>
        <source>Vorlix player</source>
        <translation>Vorlix-Player</translation>
    </message>
    <message>
        <source>System...</source>
        <translation>System...</translation>
    </message>
    <message>
        <source>No web browser could be opened for the link. The address is:

</source>
        <translation>Für den Link konnte kein Webbrowser geöffnet werden. Die Adresse lautet:

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
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>vorlix::frmMain</name>
    <message>
        <source>Power</source>
        <translation>Ein/Aus</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>Leiser</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>Lauter</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>Wiedergabeliste</translation>
    </message>
    <message>
        <source>USB cap</source>
        <translation>USB-Kappe</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>USB plug</source>
        <translation>USB-Stecker</translation>
    </message>
    <message>
        <source>Player on</source>
        <translation>Player eingeschaltet</translation>
    </message>
    <message>
        <source>Close Vorlix?</source>
        <translation>Vorlix schließen?</translation>
    </message>
    <message>
        <source>Volume %1%</source>
        <translation>Lautstärke %1 %</translation>
    </message>
</context>
<context>
    <name>vorlix::frmPlayList</name>
    <message>
        <source>Play List</source>
        <translation>Wiedergabeliste</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Hide playlist</source>
        <translation>Wiedergabeliste ausblenden</translation>
    </message>
    <message>
        <source>The play list could not be saved to %1:
%2</source>
        <translation>Die Wiedergabeliste konnte nicht in %1 gespeichert werden:
%2</translation>
    </message>
    <message>
        <source>The play list could not be read from %1:
%2

It is left as it is; changes to the list will not be saved.</source>
        <translation>Die Wiedergabeliste konnte nicht aus %1 gelesen werden:
%2

Die Datei bleibt, wie sie ist; Änderungen an der Liste werden nicht gespeichert.</translation>
    </message>
</context>
</TS>
