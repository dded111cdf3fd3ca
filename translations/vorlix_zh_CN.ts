<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>vorlix</name>
    <message>
        <source>Vorlix: The play list could not be saved to %1: %2</source>
        <translation>Vorlix：无法将播放列表保存到 %1：%2</translation>
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
        <translation>用法：vorlix [选项] [文件|URI...]
在一个小巧的皮肤播放器上播放 MP3 文件。

文件、文件夹和 file:// URI 会被添加到播放列表，并播放其中的第一个。
如果 Vorlix 已在运行，它们会交给那个播放器。

  -h, --help        显示此帮助并退出
  -v, --version     显示版本并退出
      --play-pause  按下正在运行的播放器的“播放”或“暂停”
      --next        播放正在运行的播放器列表中的下一首
      --previous    播放正在运行的播放器列表中的上一首
</translation>
    </message>
    <message>
        <source>vorlix: unknown option &apos;%1&apos;
</source>
        <translation>vorlix：未知选项“%1”
</translation>
    </message>
    <message>
        <source>vorlix: the running player is closing
</source>
        <translation>vorlix：正在运行的播放器正在关闭
</translation>
    </message>
    <message>
        <source>vorlix: %1 belongs to another user
</source>
        <translation>vorlix：%1 属于另一个用户
</translation>
    </message>
    <message>
        <source>vorlix: the running player does not answer
</source>
        <translation>vorlix：正在运行的播放器没有响应
</translation>
    </message>
    <message>
        <source>vorlix: later starts cannot reach this player: %1
</source>
        <translation>vorlix：之后的启动无法连接到此播放器：%1
</translation>
    </message>
    <message>
        <source>Only file:// URIs can be opened: %1</source>
        <translation>只能打开 file:// URI：%1</translation>
    </message>
    <message>
        <source>No such property: %1</source>
        <translation>没有此属性：%1</translation>
    </message>
    <message>
        <source>%1 is read-only</source>
        <translation>%1 是只读的</translation>
    </message>
    <message>
        <source>%1 cannot be set to that value</source>
        <translation>无法将 %1 设为该值</translation>
    </message>
    <message>
        <source>not an absolute path</source>
        <translation>不是绝对路径</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>不是文件夹</translation>
    </message>
    <message>
        <source>owned by another user</source>
        <translation>属于另一个用户</translation>
    </message>
    <message>
        <source>open to other users (mode %1, not 0700)</source>
        <translation>对其他用户开放（模式 %1，而非 0700）</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>名称太长</translation>
    </message>
    <message>
        <source>%1 is in the way: %2</source>
        <translation>%1 挡住了去路：%2</translation>
    </message>
    <message>
        <source>not an MP3 file</source>
        <translation>不是 MP3 文件</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>未找到</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>无法读取</translation>
    </message>
    <message>
        <source>its name holds a line break</source>
        <translation>名称中含有换行符</translation>
    </message>
    <message>
        <source>not a file on this computer</source>
        <translation>不是本机上的文件</translation>
    </message>
    <message>
        <source>no songs in it</source>
        <translation>其中没有歌曲</translation>
    </message>
    <message>
        <source>This was not added to the play list:</source>
        <translation>以下项目未添加到播放列表：</translation>
    </message>
    <message>
        <source>These were not added to the play list:</source>
        <translation>以下项目未添加到播放列表：</translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>以及另外 %n 项。</numerusform>
        </translation>
    </message>
    <message>
        <source>vorlix: no sound through SDL: %1
</source>
        <translation>vorlix：无法通过 SDL 输出声音：%1
</translation>
    </message>
    <message>
        <source>vorlix: no sound: %1
</source>
        <translation>vorlix：没有声音：%1
</translation>
    </message>
    <message>
        <source>Vorlix Help</source>
        <translation>Vorlix 帮助</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>没有这个文件</translation>
    </message>
    <message>
        <source>it is not a file that can be read</source>
        <translation>它不是可读取的文件</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>它大于 %1 KB</translation>
    </message>
    <message>
        <source>It is in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>它位于文件夹 &lt;b&gt;%1&lt;/b&gt; 中。</translation>
    </message>
    <message>
        <source>It was looked for in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>已在文件夹 &lt;b&gt;%1&lt;/b&gt; 中查找。</translation>
    </message>
    <message>
        <source>Help cannot be shown</source>
        <translation>无法显示帮助</translation>
    </message>
    <message>
        <source>The help file &lt;b&gt;%1&lt;/b&gt; cannot be shown: %2.</source>
        <translation>无法显示帮助文件 &lt;b&gt;%1&lt;/b&gt;：%2。</translation>
    </message>
    <message>
        <source>it is not a help page</source>
        <translation>它不是帮助页面</translation>
    </message>
    <message>
        <source>its parts are nested deeper than %1 levels</source>
        <translation>其内容嵌套超过 %1 层</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>它不是普通文件。</translation>
    </message>
    <message>
        <source>Other players keep saving the list.</source>
        <translation>其他播放器一直在保存该列表。</translation>
    </message>
    <message>
        <source>vorlix: not using XDG_RUNTIME_DIR (%1): playing alone
</source>
        <translation>vorlix：不使用 XDG_RUNTIME_DIR（%1）：独立播放
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
        <translation>系统...</translation>
    </message>
    <message>
        <source>No web browser could be opened for the link. The address is:

</source>
        <translation>无法打开网页浏览器来访问该链接。地址是：

</translation>
    </message>
</context>
<context>
    <name>vorlix::frmAboutMAin</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
</context>
<context>
    <name>vorlix::frmMain</name>
    <message>
        <source>Power</source>
        <translation>电源</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>减小音量</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>增大音量</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>播放列表</translation>
    </message>
    <message>
        <source>USB cap</source>
        <translation>USB 保护盖</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>USB plug</source>
        <translation>USB 插头</translation>
    </message>
    <message>
        <source>Player on</source>
        <translation>播放器已开启</translation>
    </message>
    <message>
        <source>Close Vorlix?</source>
        <translation>要关闭 Vorlix 吗？</translation>
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
        <translation>播放列表</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Hide playlist</source>
        <translation>隐藏播放列表</translation>
    </message>
    <message>
        <source>The play list could not be saved to %1:
%2</source>
        <translation>无法将播放列表保存到 %1：
%2</translation>
    </message>
    <message>
        <source>The play list could not be read from %1:
%2

It is left as it is; changes to the list will not be saved.</source>
        <translation>无法从 %1 读取播放列表：
%2

该文件保持原样；对列表的更改将不会保存。</translation>
    </message>
</context>
</TS>
