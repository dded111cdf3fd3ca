<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>vorlix</name>
    <message>
        <source>Vorlix: The play list could not be saved to %1: %2</source>
        <translation>Vorlix: Não foi possível salvar a lista de reprodução em %1: %2</translation>
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
        <translation>Uso: vorlix [OPÇÃO] [ARQUIVO|URI...]
Reproduz arquivos MP3 em um pequeno reprodutor com visual próprio.

Arquivos, pastas e URIs file:// são adicionados à lista de reprodução e o
primeiro deles toca. Se o Vorlix já estiver aberto, eles vão para ele.

  -h, --help        mostra esta ajuda e sai
  -v, --version     mostra a versão e sai
      --play-pause  aperta Reproduzir ou Pausar no reprodutor aberto
      --next        toca a próxima música da lista do reprodutor aberto
      --previous    toca a música anterior da lista do reprodutor aberto
</translation>
    </message>
    <message>
        <source>vorlix: unknown option &apos;%1&apos;
</source>
        <translation>vorlix: opção desconhecida &apos;%1&apos;
</translation>
    </message>
    <message>
        <source>vorlix: the running player is closing
</source>
        <translation>vorlix: o reprodutor aberto está fechando
</translation>
    </message>
    <message>
        <source>vorlix: %1 belongs to another user
</source>
        <translation>vorlix: %1 pertence a outro usuário
</translation>
    </message>
    <message>
        <source>vorlix: the running player does not answer
</source>
        <translation>vorlix: o reprodutor aberto não responde
</translation>
    </message>
    <message>
        <source>vorlix: later starts cannot reach this player: %1
</source>
        <translation>vorlix: as próximas execuções não conseguirão alcançar este reprodutor: %1
</translation>
    </message>
    <message>
        <source>Only file:// URIs can be opened: %1</source>
        <translation>Somente URIs file:// podem ser abertas: %1</translation>
    </message>
    <message>
        <source>No such property: %1</source>
        <translation>Propriedade inexistente: %1</translation>
    </message>
    <message>
        <source>%1 is read-only</source>
        <translation>%1 é somente leitura</translation>
    </message>
    <message>
        <source>%1 cannot be set to that value</source>
        <translation>%1 não pode receber esse valor</translation>
    </message>
    <message>
        <source>not an absolute path</source>
        <translation>não é um caminho absoluto</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>não é uma pasta</translation>
    </message>
    <message>
        <source>owned by another user</source>
        <translation>pertence a outro usuário</translation>
    </message>
    <message>
        <source>open to other users (mode %1, not 0700)</source>
        <translation>aberta a outros usuários (modo %1, não 0700)</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>o nome é longo demais</translation>
    </message>
    <message>
        <source>%1 is in the way: %2</source>
        <translation>%1 está no caminho: %2</translation>
    </message>
    <message>
        <source>not an MP3 file</source>
        <translation>não é um arquivo MP3</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>não encontrado</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>não pode ser lido</translation>
    </message>
    <message>
        <source>its name holds a line break</source>
        <translation>o nome contém uma quebra de linha</translation>
    </message>
    <message>
        <source>not a file on this computer</source>
        <translation>não é um arquivo deste computador</translation>
    </message>
    <message>
        <source>no songs in it</source>
        <translation>não contém músicas</translation>
    </message>
    <message>
        <source>This was not added to the play list:</source>
        <translation>Isto não foi adicionado à lista de reprodução:</translation>
    </message>
    <message>
        <source>These were not added to the play list:</source>
        <translation>Estes não foram adicionados à lista de reprodução:</translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>e mais %n.</numerusform>
            <numerusform>e mais %n.</numerusform>
        </translation>
    </message>
    <message>
        <source>vorlix: no sound through SDL: %1
</source>
        <translation>vorlix: sem som pelo SDL: %1
</translation>
    </message>
    <message>
        <source>vorlix: no sound: %1
</source>
        <translation>vorlix: sem som: %1
</translation>
    </message>
    <message>
        <source>Vorlix Help</source>
        <translation>Ajuda do Vorlix</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>esse arquivo não existe</translation>
    </message>
    <message>
        <source>it is not a file that can be read</source>
        <translation>não é um arquivo que possa ser lido</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>é maior que %1 KB</translation>
    </message>
    <message>
        <source>It is in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>Ele está na pasta &lt;b&gt;%1&lt;/b&gt;.</translation>
    </message>
    <message>
        <source>It was looked for in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>Ele foi procurado na pasta &lt;b&gt;%1&lt;/b&gt;.</translation>
    </message>
    <message>
        <source>Help cannot be shown</source>
        <translation>Não é possível mostrar a ajuda</translation>
    </message>
    <message>
        <source>The help file &lt;b&gt;%1&lt;/b&gt; cannot be shown: %2.</source>
        <translation>Não é possível mostrar o arquivo de ajuda &lt;b&gt;%1&lt;/b&gt;: %2.</translation>
    </message>
    <message>
        <source>it is not a help page</source>
        <translation>não é uma página de ajuda</translation>
    </message>
    <message>
        <source>its parts are nested deeper than %1 levels</source>
        <translation>suas partes estão aninhadas em mais de %1 níveis</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Não é um arquivo comum.</translation>
    </message>
    <message>
        <source>Other players keep saving the list.</source>
        <translation>Outros reprodutores continuam salvando a lista.</translation>
    </message>
    <message>
        <source>vorlix: not using XDG_RUNTIME_DIR (%1): playing alone
</source>
        <translation>vorlix: XDG_RUNTIME_DIR não será usado (%1): o reprodutor toca sozinho
</translation>
    </message>
</context>
<context>
    <name>vorlix::frmAbout</name>
    <message>
        <source>Vorlix player</source>
        <translation>Reprodutor Vorlix</translation>
    </message>
    <message>
        <source>System...</source>
        <translation>Sistema...</translation>
    </message>
    <message>
        <source>No web browser could be opened for the link. The address is:

</source>
        <translation>Não foi possível abrir um navegador web para o link. O endereço é:

</translation>
    </message>
</context>
<context>
    <name>vorlix::frmAboutMAin</name>
    <message>
        <source>About</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ajuda</translation>
    </message>
</context>
<context>
    <name>vorlix::frmMain</name>
    <message>
        <source>Power</source>
        <translation>Liga/Desliga</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproduzir</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausar</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>Diminuir volume</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>Aumentar volume</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>Lista de reprodução</translation>
    </message>
    <message>
        <source>USB cap</source>
        <translation>Tampa USB</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>USB plug</source>
        <translation>Conector USB</translation>
    </message>
    <message>
        <source>Player on</source>
        <translation>Reprodutor ligado</translation>
    </message>
    <message>
        <source>Close Vorlix?</source>
        <translation>Fechar o Vorlix?</translation>
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
        <translation>Lista de reprodução</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Adicionar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Remover</translation>
    </message>
    <message>
        <source>Hide playlist</source>
        <translation>Ocultar lista de reprodução</translation>
    </message>
    <message>
        <source>The play list could not be saved to %1:
%2</source>
        <translation>Não foi possível salvar a lista de reprodução em %1:
%2</translation>
    </message>
    <message>
        <source>The play list could not be read from %1:
%2

It is left as it is; changes to the list will not be saved.</source>
        <translation>Não foi possível ler a lista de reprodução de %1:
%2

O arquivo fica como está; as alterações na lista não serão salvas.</translation>
    </message>
</context>
</TS>
