<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>vorlix</name>
    <message>
        <source>Vorlix: The play list could not be saved to %1: %2</source>
        <translation>Vorlix：無法將播放清單儲存到 %1：%2</translation>
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
        <translation>用法：vorlix [選項] [檔案|URI...]
在一個小巧的外觀播放器上播放 MP3 檔案。

檔案、資料夾和 file:// URI 會被新增到播放清單，並播放其中的第一個。
如果 Vorlix 已在執行，它們會交給那個播放器。

  -h, --help        顯示此說明並結束
  -v, --version     顯示版本並結束
      --play-pause  按下執行中播放器的「播放」或「暫停」
      --next        播放執行中播放器清單裡的下一首
      --previous    播放執行中播放器清單裡的上一首
</translation>
    </message>
    <message>
        <source>vorlix: unknown option &apos;%1&apos;
</source>
        <translation>vorlix：未知的選項「%1」
</translation>
    </message>
    <message>
        <source>vorlix: the running player is closing
</source>
        <translation>vorlix：執行中的播放器正在關閉
</translation>
    </message>
    <message>
        <source>vorlix: %1 belongs to another user
</source>
        <translation>vorlix：%1 屬於另一位使用者
</translation>
    </message>
    <message>
        <source>vorlix: the running player does not answer
</source>
        <translation>vorlix：執行中的播放器沒有回應
</translation>
    </message>
    <message>
        <source>vorlix: later starts cannot reach this player: %1
</source>
        <translation>vorlix：之後的啟動無法連線到此播放器：%1
</translation>
    </message>
    <message>
        <source>Only file:// URIs can be opened: %1</source>
        <translation>只能開啟 file:// URI：%1</translation>
    </message>
    <message>
        <source>No such property: %1</source>
        <translation>沒有此屬性：%1</translation>
    </message>
    <message>
        <source>%1 is read-only</source>
        <translation>%1 是唯讀的</translation>
    </message>
    <message>
        <source>%1 cannot be set to that value</source>
        <translation>無法將 %1 設為該值</translation>
    </message>
    <message>
        <source>not an absolute path</source>
        <translation>不是絕對路徑</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>不是資料夾</translation>
    </message>
    <message>
        <source>owned by another user</source>
        <translation>屬於另一位使用者</translation>
    </message>
    <message>
        <source>open to other users (mode %1, not 0700)</source>
        <translation>對其他使用者開放（模式 %1，而非 0700）</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>名稱太長</translation>
    </message>
    <message>
        <source>%1 is in the way: %2</source>
        <translation>%1 擋住了去路：%2</translation>
    </message>
    <message>
        <source>not an MP3 file</source>
        <translation>不是 MP3 檔案</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>找不到</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>無法讀取</translation>
    </message>
    <message>
        <source>its name holds a line break</source>
        <translation>名稱中含有換行字元</translation>
    </message>
    <message>
        <source>not a file on this computer</source>
        <translation>不是這部電腦上的檔案</translation>
    </message>
    <message>
        <source>no songs in it</source>
        <translation>其中沒有歌曲</translation>
    </message>
    <message>
        <source>This was not added to the play list:</source>
        <translation>以下項目未新增到播放清單：</translation>
    </message>
    <message>
        <source>These were not added to the play list:</source>
        <translation>以下項目未新增到播放清單：</translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>以及另外 %n 項。</numerusform>
        </translation>
    </message>
    <message>
        <source>vorlix: no sound through SDL: %1
</source>
        <translation>vorlix：無法透過 SDL 輸出聲音：%1
</translation>
    </message>
    <message>
        <source>vorlix: no sound: %1
</source>
        <translation>vorlix：沒有聲音：%1
</translation>
    </message>
    <message>
        <source>Vorlix Help</source>
        <translation>Vorlix 說明</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>沒有這個檔案</translation>
    </message>
    <message>
        <source>it is not a file that can be read</source>
        <translation>它不是可讀取的檔案</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>它大於 %1 KB</translation>
    </message>
    <message>
        <source>It is in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>它位於資料夾 &lt;b&gt;%1&lt;/b&gt; 中。</translation>
    </message>
    <message>
        <source>It was looked for in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>已在資料夾 &lt;b&gt;%1&lt;/b&gt; 中尋找。</translation>
    </message>
    <message>
        <source>Help cannot be shown</source>
        <translation>無法顯示說明</translation>
    </message>
    <message>
        <source>The help file &lt;b&gt;%1&lt;/b&gt; cannot be shown: %2.</source>
        <translation>無法顯示說明檔 &lt;b&gt;%1&lt;/b&gt;：%2。</translation>
    </message>
    <message>
        <source>it is not a help page</source>
        <translation>它不是說明頁面</translation>
    </message>
    <message>
        <source>its parts are nested deeper than %1 levels</source>
        <translation>其內容巢狀超過 %1 層</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>它不是一般檔案。</translation>
    </message>
    <message>
        <source>Other players keep saving the list.</source>
        <translation>其他播放器一直在儲存該清單。</translation>
    </message>
    <message>
        <source>vorlix: not using XDG_RUNTIME_DIR (%1): playing alone
</source>
        <translation>vorlix：不使用 XDG_RUNTIME_DIR（%1）：獨立播放
</translation>
    </message>
</context>
<context>
    <name>vorlix::frmAbout</name>
    <message>
        <source>Vorlix player</source>
        <translation>Vorlix 播放器</translation>
    </message>
    <message>
        <source>System...</source>
        <translation>系統...</translation>
    </message>
    <message>
        <source>No web browser could be opened for the link. The address is:

</source>
        <translation>無法開啟網頁瀏覽器來前往該連結。網址是：

</translation>
    </message>
</context>
<context>
    <name>vorlix::frmAboutMAin</name>
    <message>
        <source>About</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>說明</translation>
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
        <translation>播放</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暫停</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>降低音量</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>提高音量</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>播放清單</translation>
    </message>
    <message>
        <source>USB cap</source>
        <translation>USB 保護蓋</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>USB plug</source>
        <translation>USB 插頭</translation>
    </message>
    <message>
        <source>Player on</source>
        <translation>播放器已開啟</translation>
    </message>
    <message>
        <source>Close Vorlix?</source>
        <translation>要關閉 Vorlix 嗎？</translation>
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
        <translation>播放清單</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>Hide playlist</source>
        <translation>隱藏播放清單</translation>
    </message>
    <message>
        <source>The play list could not be saved to %1:
%2</source>
        <translation>無法將播放清單儲存到 %1：
%2</translation>
    </message>
    <message>
        <source>The play list could not be read from %1:
%2

It is left as it is; changes to the list will not be saved.</source>
        <translation>無法從 %1 讀取播放清單：
%2

該檔案保持原樣；對清單的變更將不會儲存。</translation>
    </message>
</context>
</TS>
