<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>vorlix</name>
    <message>
        <source>Vorlix: The play list could not be saved to %1: %2</source>
        <translation>Vorlix: プレイリストを %1 に保存できませんでした: %2</translation>
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
        <translation>使い方: vorlix [オプション] [ファイル|URI...]
スキン付きの小さなプレーヤーで MP3 ファイルを再生します。

ファイル、フォルダー、file:// の URI はプレイリストに追加され、その最初の
ものが再生されます。Vorlix がすでに動いていれば、そのプレーヤーに渡されます。

  -h, --help        このヘルプを表示して終了します
  -v, --version     バージョンを表示して終了します
      --play-pause  実行中のプレーヤーの再生または一時停止を押します
      --next        実行中のプレーヤーのリストの次の曲を再生します
      --previous    実行中のプレーヤーのリストの前の曲を再生します
</translation>
    </message>
    <message>
        <source>vorlix: unknown option &apos;%1&apos;
</source>
        <translation>vorlix: 不明なオプション「%1」
</translation>
    </message>
    <message>
        <source>vorlix: the running player is closing
</source>
        <translation>vorlix: 実行中のプレーヤーは終了しようとしています
</translation>
    </message>
    <message>
        <source>vorlix: %1 belongs to another user
</source>
        <translation>vorlix: %1 は別のユーザーのものです
</translation>
    </message>
    <message>
        <source>vorlix: the running player does not answer
</source>
        <translation>vorlix: 実行中のプレーヤーが応答しません
</translation>
    </message>
    <message>
        <source>vorlix: later starts cannot reach this player: %1
</source>
        <translation>vorlix: 後から起動したものはこのプレーヤーに届きません: %1
</translation>
    </message>
    <message>
        <source>Only file:// URIs can be opened: %1</source>
        <translation>開けるのは file:// の URI だけです: %1</translation>
    </message>
    <message>
        <source>No such property: %1</source>
        <translation>そのようなプロパティはありません: %1</translation>
    </message>
    <message>
        <source>%1 is read-only</source>
        <translation>%1 は読み取り専用です</translation>
    </message>
    <message>
        <source>%1 cannot be set to that value</source>
        <translation>%1 をその値に設定できません</translation>
    </message>
    <message>
        <source>not an absolute path</source>
        <translation>絶対パスではありません</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>フォルダーではありません</translation>
    </message>
    <message>
        <source>owned by another user</source>
        <translation>別のユーザーが所有しています</translation>
    </message>
    <message>
        <source>open to other users (mode %1, not 0700)</source>
        <translation>ほかのユーザーにも開かれています (モード %1、0700 ではありません)</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>名前が長すぎます</translation>
    </message>
    <message>
        <source>%1 is in the way: %2</source>
        <translation>%1 が邪魔をしています: %2</translation>
    </message>
    <message>
        <source>not an MP3 file</source>
        <translation>MP3 ファイルではありません</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>見つかりません</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>読み込めません</translation>
    </message>
    <message>
        <source>its name holds a line break</source>
        <translation>名前に改行が含まれています</translation>
    </message>
    <message>
        <source>not a file on this computer</source>
        <translation>このコンピューター上のファイルではありません</translation>
    </message>
    <message>
        <source>no songs in it</source>
        <translation>曲が入っていません</translation>
    </message>
    <message>
        <source>This was not added to the play list:</source>
        <translation>次のものはプレイリストに追加されませんでした:</translation>
    </message>
    <message>
        <source>These were not added to the play list:</source>
        <translation>次のものはプレイリストに追加されませんでした:</translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>ほか %n 件。</numerusform>
        </translation>
    </message>
    <message>
        <source>vorlix: no sound through SDL: %1
</source>
        <translation>vorlix: SDL で音を出せません: %1
</translation>
    </message>
    <message>
        <source>vorlix: no sound: %1
</source>
        <translation>vorlix: 音を出せません: %1
</translation>
    </message>
    <message>
        <source>Vorlix Help</source>
        <translation>Vorlix ヘルプ</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>そのファイルはありません</translation>
    </message>
    <message>
        <source>it is not a file that can be read</source>
        <translation>読み込めるファイルではありません</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>%1 KB を超えています</translation>
    </message>
    <message>
        <source>It is in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>このファイルはフォルダー &lt;b&gt;%1&lt;/b&gt; にあります。</translation>
    </message>
    <message>
        <source>It was looked for in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>フォルダー &lt;b&gt;%1&lt;/b&gt; の中を探しました。</translation>
    </message>
    <message>
        <source>Help cannot be shown</source>
        <translation>ヘルプを表示できません</translation>
    </message>
    <message>
        <source>The help file &lt;b&gt;%1&lt;/b&gt; cannot be shown: %2.</source>
        <translation>ヘルプファイル &lt;b&gt;%1&lt;/b&gt; を表示できません: %2。</translation>
    </message>
    <message>
        <source>it is not a help page</source>
        <translation>ヘルプページではありません</translation>
    </message>
    <message>
        <source>its parts are nested deeper than %1 levels</source>
        <translation>構成要素の入れ子が %1 段階を超えています</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>通常のファイルではありません。</translation>
    </message>
    <message>
        <source>Other players keep saving the list.</source>
        <translation>ほかのプレーヤーがリストを保存し続けています。</translation>
    </message>
    <message>
        <source>vorlix: not using XDG_RUNTIME_DIR (%1): playing alone
</source>
        <translation>vorlix: XDG_RUNTIME_DIR を使いません (%1): 単独で再生します
</translation>
    </message>
</context>
<context>
    <name>vorlix::frmAbout</name>
    <message>
        <source>Vorlix player</source>
        <translation>Vorlix プレーヤー</translation>
    </message>
    <message>
        <source>System...</source>
        <translation>システム...</translation>
    </message>
    <message>
        <source>No web browser could be opened for the link. The address is:

</source>
        <translation>リンクを開く Web ブラウザーを起動できませんでした。アドレスは次のとおりです:

</translation>
    </message>
</context>
<context>
    <name>vorlix::frmAboutMAin</name>
    <message>
        <source>About</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
</context>
<context>
    <name>vorlix::frmMain</name>
    <message>
        <source>Power</source>
        <translation>電源</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>音量を下げる</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>音量を上げる</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>プレイリスト</translation>
    </message>
    <message>
        <source>USB cap</source>
        <translation>USB キャップ</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>USB plug</source>
        <translation>USB プラグ</translation>
    </message>
    <message>
        <source>Player on</source>
        <translation>プレーヤーの電源が入りました</translation>
    </message>
    <message>
        <source>Close Vorlix?</source>
        <translation>Vorlix を終了しますか？</translation>
    </message>
    <message>
        <source>Volume %1%</source>
        <translation>音量 %1%</translation>
    </message>
</context>
<context>
    <name>vorlix::frmPlayList</name>
    <message>
        <source>Play List</source>
        <translation>プレイリスト</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Hide playlist</source>
        <translation>プレイリストを隠す</translation>
    </message>
    <message>
        <source>The play list could not be saved to %1:
%2</source>
        <translation>プレイリストを %1 に保存できませんでした:
%2</translation>
    </message>
    <message>
        <source>The play list could not be read from %1:
%2

It is left as it is; changes to the list will not be saved.</source>
        <translation>プレイリストを %1 から読み込めませんでした:
%2

ファイルはそのまま残します。リストへの変更は保存されません。</translation>
    </message>
</context>
</TS>
