<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>vorlix</name>
    <message>
        <source>Vorlix: The play list could not be saved to %1: %2</source>
        <translation>Vorlix: Не удалось сохранить список воспроизведения в %1: %2</translation>
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
        <translation>Использование: vorlix [ПАРАМЕТР] [ФАЙЛ|URI...]
Воспроизведение MP3-файлов в маленьком плеере с обложкой.

Файлы, папки и URI file:// добавляются в список воспроизведения, и первый
из них начинает играть. Если Vorlix уже запущен, они передаются ему.

  -h, --help        показать эту справку и выйти
  -v, --version     показать версию и выйти
      --play-pause  нажать «Воспроизведение» или «Пауза» в запущенном плеере
      --next        включить следующую композицию списка запущенного плеера
      --previous    включить предыдущую композицию списка запущенного плеера
</translation>
    </message>
    <message>
        <source>vorlix: unknown option &apos;%1&apos;
</source>
        <translation>vorlix: неизвестный параметр «%1»
</translation>
    </message>
    <message>
        <source>vorlix: the running player is closing
</source>
        <translation>vorlix: запущенный плеер закрывается
</translation>
    </message>
    <message>
        <source>vorlix: %1 belongs to another user
</source>
        <translation>vorlix: %1 принадлежит другому пользователю
</translation>
    </message>
    <message>
        <source>vorlix: the running player does not answer
</source>
        <translation>vorlix: запущенный плеер не отвечает
</translation>
    </message>
    <message>
        <source>vorlix: later starts cannot reach this player: %1
</source>
        <translation>vorlix: последующие запуски не смогут связаться с этим плеером: %1
</translation>
    </message>
    <message>
        <source>Only file:// URIs can be opened: %1</source>
        <translation>Можно открывать только URI file://: %1</translation>
    </message>
    <message>
        <source>No such property: %1</source>
        <translation>Нет такого свойства: %1</translation>
    </message>
    <message>
        <source>%1 is read-only</source>
        <translation>%1 доступно только для чтения</translation>
    </message>
    <message>
        <source>%1 cannot be set to that value</source>
        <translation>%1 нельзя задать это значение</translation>
    </message>
    <message>
        <source>not an absolute path</source>
        <translation>не абсолютный путь</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>не папка</translation>
    </message>
    <message>
        <source>owned by another user</source>
        <translation>принадлежит другому пользователю</translation>
    </message>
    <message>
        <source>open to other users (mode %1, not 0700)</source>
        <translation>открыта для других пользователей (режим %1, а не 0700)</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>слишком длинное имя</translation>
    </message>
    <message>
        <source>%1 is in the way: %2</source>
        <translation>%1 мешает: %2</translation>
    </message>
    <message>
        <source>not an MP3 file</source>
        <translation>не файл MP3</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>не найден</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>не читается</translation>
    </message>
    <message>
        <source>its name holds a line break</source>
        <translation>имя содержит перевод строки</translation>
    </message>
    <message>
        <source>not a file on this computer</source>
        <translation>не файл на этом компьютере</translation>
    </message>
    <message>
        <source>no songs in it</source>
        <translation>в нём нет композиций</translation>
    </message>
    <message>
        <source>This was not added to the play list:</source>
        <translation>Это не добавлено в список воспроизведения:</translation>
    </message>
    <message>
        <source>These were not added to the play list:</source>
        <translation>Следующее не добавлено в список воспроизведения:</translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>и ещё %n элемент.</numerusform>
            <numerusform>и ещё %n элемента.</numerusform>
            <numerusform>и ещё %n элементов.</numerusform>
        </translation>
    </message>
    <message>
        <source>vorlix: no sound through SDL: %1
</source>
        <translation>vorlix: нет звука через SDL: %1
</translation>
    </message>
    <message>
        <source>vorlix: no sound: %1
</source>
        <translation>vorlix: нет звука: %1
</translation>
    </message>
    <message>
        <source>Vorlix Help</source>
        <translation>Справка Vorlix</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>такого файла нет</translation>
    </message>
    <message>
        <source>it is not a file that can be read</source>
        <translation>это не файл, который можно прочитать</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>он больше %1 КБ</translation>
    </message>
    <message>
        <source>It is in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>Он находится в папке &lt;b&gt;%1&lt;/b&gt;.</translation>
    </message>
    <message>
        <source>It was looked for in the folder &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>Его искали в папке &lt;b&gt;%1&lt;/b&gt;.</translation>
    </message>
    <message>
        <source>Help cannot be shown</source>
        <translation>Не удаётся показать справку</translation>
    </message>
    <message>
        <source>The help file &lt;b&gt;%1&lt;/b&gt; cannot be shown: %2.</source>
        <translation>Не удаётся показать файл справки &lt;b&gt;%1&lt;/b&gt;: %2.</translation>
    </message>
    <message>
        <source>it is not a help page</source>
        <translation>это не страница справки</translation>
    </message>
    <message>
        <source>its parts are nested deeper than %1 levels</source>
        <translation>его части вложены глубже %1 уровней</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Это не обычный файл.</translation>
    </message>
    <message>
        <source>Other players keep saving the list.</source>
        <translation>Другие плееры постоянно сохраняют список.</translation>
    </message>
    <message>
        <source>vorlix: not using XDG_RUNTIME_DIR (%1): playing alone
</source>
        <translation>vorlix: XDG_RUNTIME_DIR не используется (%1): плеер работает сам по себе
</translation>
    </message>
</context>
<context>
    <name>vorlix::frmAbout</name>
    <message>
        <source>Vorlix player</source>
        <translation>Плеер Vorlix</translation>
    </message>
    <message>
        <source>System...</source>
        <translation>Система...</translation>
    </message>
    <message>
        <source>No web browser could be opened for the link. The address is:

</source>
        <translation>Не удалось открыть веб-браузер для ссылки. Адрес:

</translation>
    </message>
</context>
<context>
    <name>vorlix::frmAboutMAin</name>
    <message>
        <source>About</source>
        <translation>Инфо</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
</context>
<context>
    <name>vorlix::frmMain</name>
    <message>
        <source>Power</source>
        <translation>Питание</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Воспроизведение</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>Тише</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>Громче</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>Список воспроизведения</translation>
    </message>
    <message>
        <source>USB cap</source>
        <translation>Колпачок USB</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>USB plug</source>
        <translation>Разъём USB</translation>
    </message>
    <message>
        <source>Player on</source>
        <translation>Плеер включён</translation>
    </message>
    <message>
        <source>Close Vorlix?</source>
        <translation>Закрыть Vorlix?</translation>
    </message>
    <message>
        <source>Volume %1%</source>
        <translation>Громкость %1 %</translation>
    </message>
</context>
<context>
    <name>vorlix::frmPlayList</name>
    <message>
        <source>Play List</source>
        <translation>Список воспроизведения</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Hide playlist</source>
        <translation>Скрыть список воспроизведения</translation>
    </message>
    <message>
        <source>The play list could not be saved to %1:
%2</source>
        <translation>Не удалось сохранить список воспроизведения в %1:
%2</translation>
    </message>
    <message>
        <source>The play list could not be read from %1:
%2

It is left as it is; changes to the list will not be saved.</source>
        <translation>Не удалось прочитать список воспроизведения из %1:
%2

Файл оставлен как есть; изменения в списке сохранены не будут.</translation>
    </message>
</context>
</TS>
