<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>vorlix</name>
    <message>
        <source>Vorlix: The play list could not be saved to %1: %2</source>
        <translation>Vorlix&#xa0;: La liste de lecture n’a pas pu être enregistrée dans %1&#xa0;: %2</translation>
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
        <translation>Utilisation&#xa0;: vorlix [OPTION] [FICHIER|URI...]
Écouter des fichiers MP3 sur un petit lecteur à l’habillage graphique.

Les fichiers, dossiers et URI file:// sont ajoutés à la liste de lecture et
le premier est joué. Si Vorlix tourne déjà, ils vont à ce lecteur.

  -h, --help        afficher cette aide et quitter
  -v, --version     afficher la version et quitter
      --play-pause  appuyer sur Lecture ou Pause du lecteur en cours
      --next        jouer le morceau suivant de la liste du lecteur en cours
      --previous    jouer le morceau précédent de la liste du lecteur en cours
</translation>
    </message>
    <message>
        <source>vorlix: unknown option &apos;%1&apos;
</source>
        <translation>vorlix&#xa0;: option inconnue «&#xa0;%1&#xa0;»
</translation>
    </message>
    <message>
        <source>vorlix: the running player is closing
</source>
        <translation>vorlix&#xa0;: le lecteur en cours est en train de se fermer
</translation>
    </message>
    <message>
        <source>vorlix: %1 belongs to another user
</source>
        <translation>vorlix&#xa0;: %1 appartient à un autre utilisateur
</translation>
    </message>
    <message>
        <source>vorlix: the running player does not answer
</source>
        <translation>vorlix&#xa0;: le lecteur en cours ne répond pas
</translation>
    </message>
    <message>
        <source>vorlix: later starts cannot reach this player: %1
</source>
        <translation>vorlix&#xa0;: les lancements suivants ne pourront pas joindre ce lecteur&#xa0;: %1
</translation>
    </message>
    <message>
        <source>Only file:// URIs can be opened: %1</source>
        <translation>Seules les URI file:// peuvent être ouvertes&#xa0;: %1</translation>
    </message>
    <message>
        <source>No such property: %1</source>
        <translation>Propriété inexistante&#xa0;: %1</translation>
    </message>
    <message>
        <source>%1 is read-only</source>
        <translation>%1 est en lecture seule</translation>
    </message>
    <message>
        <source>%1 cannot be set to that value</source>
        <translation>%1 ne peut pas prendre cette valeur</translation>
    </message>
    <message>
        <source>not an absolute path</source>
        <translation>pas un chemin absolu</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>pas un dossier</translation>
    </message>
    <message>
        <source>owned by another user</source>
        <translation>appartient à un autre utilisateur</translation>
    </message>
    <message>
        <source>open to other users (mode %1, not 0700)</source>
        <translation>ouvert aux autres utilisateurs (mode %1, et non 0700)</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>le nom est trop long</translation>
    </message>
    <message>
        <source>%1 is in the way: %2</source>
        <translation>%1 gêne&#xa0;: %2</translation>
    </message>
    <message>
        <source>not an MP3 file</source>
        <translation>pas un fichier MP3</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>introuvable</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>illisible</translation>
    </message>
    <message>
        <source>its name holds a line break</source>
        <translation>son nom contient un saut de ligne</translation>
    </message>
    <message>
        <source>not a file on this computer</source>
        <translation>pas un fichier de cet ordinateur</translation>
    </message>
    <message>
        <source>no songs in it</source>
        <translation>ne contient aucun morceau</translation>
    </message>
    <message>
        <source>This was not added to the play list:</source>
        <translation>Ceci n’a pas été ajouté à la liste de lecture&#xa0;:</translation>
    </message>
    <message>
        <source>These were not added to the play list:</source>
        <translation>Ceux-ci n’ont pas été ajoutés à la liste de lecture&#xa0;:</translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>et %n autre.</numerusform>
            <numerusform>et %n autres.</numerusform>
        </translation>
    </message>
    <message>
        <source>vorlix: no sound through SDL: %1
</source>
        <translation>vorlix&#xa0;: pas de son via SDL&#xa0;: %1
</translation>
    </message>
    <message>
        <source>vorlix: no sound: %1
</source>
        <translation>vorlix&#xa0;: pas de son&#xa0;: %1
</translation>
    </message>
    <message>
        <source>Vorlix Help</source>
        <translation>Aide de Vorlix</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>ce fichier n’existe pas</translation>
    </message>
    <message>
        <source>it is not a file that can be read</source>
        <translation>ce n’est pas un fichier lisible</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>il dépasse %1&#xa0;Ko</translation>
    </message>
    <message>
        <source>It is in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>Il se trouve dans le dossier &lt;b&gt;%1&lt;/b&gt;.</translation>
    </message>
    <message>
        <source>It was looked for in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>Il a été cherché dans le dossier &lt;b&gt;%1&lt;/b&gt;.</translation>
    </message>
    <message>
        <source>Help cannot be shown</source>
        <translation>L’aide ne peut pas être affichée</translation>
    </message>
    <message>
        <source>The help file &lt;b&gt;%1&lt;/b&gt; cannot be shown: %2.</source>
        <translation>Le fichier d’aide &lt;b&gt;%1&lt;/b&gt; ne peut pas être affiché&#xa0;: %2.</translation>
    </message>
    <message>
        <source>it is not a help page</source>
        <translation>ce n’est pas une page d’aide</translation>
    </message>
    <message>
        <source>its parts are nested deeper than %1 levels</source>
        <translation>ses parties sont imbriquées sur plus de %1 niveaux</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Ce n’est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>Other players keep saving the list.</source>
        <translation>D’autres lecteurs enregistrent sans cesse la liste.</translation>
    </message>
    <message>
        <source>vorlix: not using XDG_RUNTIME_DIR (%1): playing alone
</source>
        <translation>vorlix&#xa0;: XDG_RUNTIME_DIR n’est pas utilisé (%1)&#xa0;: le lecteur joue seul
</translation>
    </message>
</context>
<context>
    <name>vorlix::frmAbout</name>
    <message>
        <source>Vorlix player</source>
        <translation>Lecteur Vorlix</translation>
    </message>
    <message>
        <source>System...</source>
        <translation>Système...</translation>
    </message>
    <message>
        <source>No web browser could be opened for the link. The address is:

</source>
        <translation>Aucun navigateur web n’a pu être ouvert pour le lien. L’adresse est&#xa0;:

</translation>
    </message>
</context>
<context>
    <name>vorlix::frmAboutMAin</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
</context>
<context>
    <name>vorlix::frmMain</name>
    <message>
        <source>Power</source>
        <translation>Marche/Arrêt</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>Baisser le volume</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>Monter le volume</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>Liste de lecture</translation>
    </message>
    <message>
        <source>USB cap</source>
        <translation>Capuchon USB</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>USB plug</source>
        <translation>Fiche USB</translation>
    </message>
    <message>
        <source>Player on</source>
        <translation>Lecteur allumé</translation>
    </message>
    <message>
        <source>Close Vorlix?</source>
        <translation>Fermer Vorlix&#xa0;?</translation>
    </message>
    <message>
        <source>Volume %1%</source>
        <translation>Volume %1&#xa0;%</translation>
    </message>
</context>
<context>
    <name>vorlix::frmPlayList</name>
    <message>
        <source>Play List</source>
        <translation>Liste de lecture</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Hide playlist</source>
        <translation>Masquer la liste de lecture</translation>
    </message>
    <message>
        <source>The play list could not be saved to %1:
%2</source>
        <translation>La liste de lecture n’a pas pu être enregistrée dans %1&#xa0;:
%2</translation>
    </message>
    <message>
        <source>The play list could not be read from %1:
%2

It is left as it is; changes to the list will not be saved.</source>
        <translation>La liste de lecture n’a pas pu être lue depuis %1&#xa0;:
%2

Le fichier est laissé tel quel&#xa0;; les modifications de la liste ne seront pas enregistrées.</translation>
    </message>
</context>
</TS>
