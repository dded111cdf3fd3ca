// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/Mpris.h"

#include "app/Forms.h"
#include "desktop/SongPaths.h"
#include "engine/Mp3Play.h"
#include "player/Display.h"
#include "player/frmMain.h"
#include "playlist/frmPlayList.h"
#include "skin/ImageControl.h"
#include "skin/Label.h"
#include "skin/Timer.h"

#include <QCoreApplication>
#include <QApplication>
#include <QDBusMessage>
#include <QMetaProperty>
#include <QFile>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vorlix {

namespace {

const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.vorlix");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

bool modalDialogOpen()
{
    return QApplication::activeModalWidget() || QGuiApplication::modalWindow();
}

QString withoutTrailingSpaces(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    text.truncate(end);
    return text;
}

// What fits of a title; what is cut off is marked.
QString shortTitle(QString title)
{
    if (title.size() <= kMostMetadataChars)
        return title;
    qsizetype end = kMostMetadataChars - 1;
    if (title.at(end - 1).isHighSurrogate())
        --end;
    title.truncate(end);
    return title + QStringLiteral("…");
}

// Where the last folder separator of a huge entry is. The C library's
// search goes many bytes at a time; a loop a byte at a time takes a tenth of
// a second over 50 MB, on the interface thread.
qsizetype lastSeparator(QByteArrayView entry)
{
#ifdef __GLIBC__
    const auto last = [entry](char c) -> qsizetype {
        const void* at = ::memrchr(entry.data(), c, size_t(entry.size()));
        return at ? static_cast<const char*>(at) - entry.data() : -1;
    };
    return std::max(last('/'), last('\\'));
#else
    return std::max(entry.lastIndexOf('/'), entry.lastIndexOf('\\'));
#endif
}

// The title of a list entry, looking at no more of a huge one than can be
// sent: the start of its file name.
QString listEntryTitle(const QByteArray& entry)
{
    if (entry.size() <= 4 * kMostMetadataChars)
        return listSongTitle(displayPath(entry));
    const qsizetype slash = lastSeparator(entry);
    QByteArrayView name = QByteArrayView(entry).sliced(slash + 1);
    if (name.size() <= 4 * kMostMetadataChars)
        return listSongTitle(displayPath(name.toByteArray()));
    name = name.first(4 * kMostMetadataChars);
    while (!name.isEmpty() && (static_cast<unsigned char>(name.back()) & 0xc0) == 0x80)
        name.chop(1); // not in the middle of a character
    if (!name.isEmpty() && static_cast<unsigned char>(name.back()) >= 0xc0)
        name.chop(1);
    return displayPath(name.toByteArray());
}

// A URL that would not fit is left out rather than cut: a cut one would name
// another file.
QVariantMap songMetadata(const QString& trackId, const QString& title, const QByteArray& path)
{
    QVariantMap metadata{
        {QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(trackId))},
        {QStringLiteral("xesam:title"), shortTitle(withoutTrailingSpaces(title))},
    };
    if (path.size() <= kMostMetadataChars) {
        if (const QString url = songUrl(path); url.size() <= kMostMetadataChars)
            metadata.insert(QStringLiteral("xesam:url"), url);
    }
    return metadata;
}

} // namespace

QString songUrl(const QByteArray& path)
{
    return QStringLiteral("file://") + QString::fromLatin1(path.toPercentEncoding("/"));
}

QStringList mp3MimeTypes()
{
    return {QStringLiteral("audio/mpeg"), QStringLiteral("audio/mp3"), QStringLiteral("audio/x-mp3"),
            QStringLiteral("audio/x-mpeg"), QStringLiteral("audio/mpeg3"), QStringLiteral("audio/x-mpeg-3")};
}

Mpris::Mpris(Forms& forms, std::function<void()> closeRequest, QObject* parent)
    : QObject(parent), forms_(forms), closeRequest_(std::move(closeRequest))
{
    new MprisRootAdaptor(*this);
    new MprisPlayerAdaptor(*this);
    new MprisPropertiesAdaptor(*this);
    frmMain& main = forms_.Main();
    connect(&main, &frmMain::PlayerChanged, this, &Mpris::refresh);
    connect(main.Timer_MP3DataShow, &QTimer::timeout, this, &Mpris::refresh);
    // A modal dialog coming or going changes what may be pressed.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &Mpris::refresh);
    announced_ = snapshot();
}

bool Mpris::publish(QDBusConnection bus)
{
    if (!bus.isConnected())
        return false;
    if (!bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors))
        return false;
    // A second Vorlix takes a name of its own, as the desktop expects.
    if (!bus.registerService(kServiceName) &&
        !bus.registerService(kServiceName + QStringLiteral(".instance") +
                             QString::number(QCoreApplication::applicationPid()))) {
        bus.unregisterObject(kObjectPath);
        return false;
    }
    connect(this, &Mpris::propertiesChanged, this, [bus](const QVariantMap& changed) mutable {
        QDBusMessage signal = QDBusMessage::createSignal(
            kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("PropertiesChanged"));
        signal << kPlayerInterface << changed << QStringList();
        bus.send(signal);
    });
    return true;
}

frmMain* Mpris::player() const
{
    return forms_.MainIfLoaded();
}

// The playlist window while its monitor follows a list song.
frmPlayList* Mpris::followingList() const
{
    frmMain* main = player();
    frmPlayList* list = forms_.PlayListIfLoaded();
    if (!main || main->Image_pause->isHidden() || !list || !list->Timer_MP3ListDataShow->Enabled())
        return nullptr;
    return list;
}

// What a hotspot needs to take a click: shown on the skin that shows,
// enabled, and no modal dialog holding the program.
bool Mpris::pressable(const QWidget* hotspot) const
{
    frmMain* main = player();
    return main && hotspot->isVisibleTo(main) && hotspot->isEnabled() && !modalDialogOpen();
}

// Requests

void Mpris::Raise()
{
    frmMain* main = player();
    if (!main)
        return;
    main->show();
    main->raise();
    main->activateWindow();
    // A question the player is waiting on stays in front of it.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

void Mpris::Quit()
{
    QMetaObject::invokeMethod(this, [this] { closeRequest_(); }, Qt::QueuedConnection);
}

void Mpris::later(void (Mpris::*request)())
{
    QMetaObject::invokeMethod(this, request, Qt::QueuedConnection);
}

void Mpris::Play() { later(&Mpris::pressPlay); }
void Mpris::Pause() { later(&Mpris::pressPause); }
// A pause ends the song in this player, so stopping is pausing.
void Mpris::Stop() { later(&Mpris::pressPause); }
void Mpris::PlayPause() { later(&Mpris::pressPlayPause); }
void Mpris::Next() { later(&Mpris::goNext); }
void Mpris::Previous() { later(&Mpris::goPrevious); }

// The painted play button with the playlist on screen. Without it, the
// button would ask for a file in a modal dialog, in front of whatever the user
// is doing: the list's selected song plays from its beginning instead (after
// a pause, the song that was paused; the first when none was selected), and
// the playlist stays off screen. With an empty list nothing happens.
void Mpris::pressPlay()
{
    frmMain* main = player();
    if (!main || !pressable(main->Image_button) || listSongs() == 0)
        return;
    const frmPlayList* shown = forms_.PlayListIfLoaded();
    if (shown && !shown->isHidden()) {
        main->Image_button_Click();
        return;
    }
    const bool fresh = !shown;
    SongList& songs = *forms_.PlayList().List1;
    int index = songs.ListIndex();
    if (const Forms::ListMemory& last = forms_.lastList(); fresh && index == -1 && last.index >= 0 &&
                                                             last.index < songs.ListCount() &&
                                                             songs.entries()[last.index] == last.entry)
        index = last.index;
    forms_.services().playClick();
    main->PlayListSong(std::max(index, 0));
}

// The songs of the list, also while there is no playlist window.
int Mpris::listSongs() const
{
    const frmPlayList* list = forms_.PlayListIfLoaded();
    return list ? list->List1->ListCount() : forms_.lastList().count;
}

void Mpris::pressPause()
{
    if (CanPause())
        player()->Image_pause_Click();
}

void Mpris::pressPlayPause()
{
    if (CanPause())
        player()->Image_pause_Click();
    else
        pressPlay();
}

void Mpris::goNext() { playListEntry(1); }
void Mpris::goPrevious() { playListEntry(-1); }

// Selects the entry `step` away from the current one, wrapping at the ends,
// and starts it the way the monitor starts the next song.
void Mpris::playListEntry(int step)
{
    if (!CanGoNext())
        return;
    frmPlayList* list = followingList();
    SongList& songs = *list->List1;
    const int count = songs.ListCount();
    const int current = songs.ListIndex();
    const int next = current == -1 ? (step > 0 ? 0 : count - 1) : (current + step + count) % count;
    songs.setListIndex(next);
    frmMain* main = player();
    main->Mp3Play1->Open(songPath(songs.Text()), "");
    main->Mp3Play1->Play();
    main->AnnounceListSong(songs.Text());
    refresh();
}

// Like the volume buttons, and only while they take clicks: both channels
// alike, the level on the display.
void Mpris::setVolume(double volume)
{
    frmMain* main = player();
    if (!main || !pressable(main->Image_volume_increase) || !pressable(main->Image_volume_decrease) ||
        !std::isfinite(volume))
        return;
    const auto level = static_cast<std::int32_t>(std::lround(std::clamp(volume, 0.0, 1.0) * kVolumeMax));
    main->Mp3Play1->SetVolume(level, level);
    main->Text_Title->setCaption(volumeCaption(main->Mp3Play1->GetVolume1()));
    refresh();
}

bool Mpris::OpenUri(const QString& uri)
{
    const QByteArray bytes = uri.toUtf8();
    if (!isFileUri(bytes))
        return false;
    if (open_)
        open_(bytes);
    return true;
}

void MprisPlayerAdaptor::OpenUri(const QString& uri)
{
    if (!mpris_.OpenUri(uri) && mpris_.calledFromDBus())
        mpris_.sendErrorReply(QDBusError::NotSupported,
                              QCoreApplication::translate("vorlix", "Only file:// URIs can be opened: %1").arg(uri.left(200)));
}

// State

QString Mpris::PlaybackStatus() const
{
    const frmMain* main = player();
    // There is no resume, so nothing is ever "Paused".
    return main && !main->Image_pause->isHidden() ? QStringLiteral("Playing")
                                                   : QStringLiteral("Stopped");
}

// The song that plays, named as the display names it.
QVariantMap Mpris::Metadata() const
{
    frmMain* main = player();
    if (!main || main->Image_pause->isHidden())
        return {};
    if (const frmPlayList* list = followingList()) {
        const QByteArray entry = list->List1->Text();
        if (entry.isEmpty())
            return {};
        return songMetadata(QStringLiteral("/org/vorlix/track/%1").arg(list->List1->ListIndex()),
                            listEntryTitle(entry), entry);
    }
    if (main->Timer_MP3DataShow->Enabled()) {
        const QString file = main->CommonDialog1.FileName();
        return songMetadata(QStringLiteral("/org/vorlix/track/file"),
                            dialogSongTitle(main->CommonDialog1.FileTitle()), QFile::encodeName(file));
    }
    return {};
}

double Mpris::Volume() const
{
    frmMain* main = player();
    if (!main)
        return 0.0;
    const auto volume = main->Mp3Play1->GetVolume1();
    return volume ? std::clamp(*volume, 0, kVolumeMax) / double(kVolumeMax) : 0.0;
}

// While a song plays, Play is allowed and does nothing, as desktop clients
// expect: they take a player that cannot play for one they cannot control.
bool Mpris::CanPlay() const
{
    const frmMain* main = player();
    return main && ((pressable(main->Image_button) && listSongs() > 0) || pressable(main->Image_pause));
}

bool Mpris::CanPause() const
{
    const frmMain* main = player();
    return main && pressable(main->Image_pause);
}

bool Mpris::CanGoNext() const
{
    const frmPlayList* list = followingList();
    return list && list->List1->ListCount() > 0 && !modalDialogOpen();
}

QVariantMap Mpris::snapshot() const
{
    return {
        {QStringLiteral("PlaybackStatus"), PlaybackStatus()},
        {QStringLiteral("Metadata"), Metadata()},
        {QStringLiteral("Volume"), Volume()},
        {QStringLiteral("CanPlay"), CanPlay()},
        {QStringLiteral("CanPause"), CanPause()},
        {QStringLiteral("CanGoNext"), CanGoNext()},
        {QStringLiteral("CanGoPrevious"), CanGoPrevious()},
    };
}

void Mpris::refresh()
{
    // The monitor of a list started since the last look reports its ticks too.
    if (frmPlayList* list = forms_.PlayListIfLoaded())
        connect(list->Timer_MP3ListDataShow, &QTimer::timeout, this, &Mpris::refresh,
                Qt::UniqueConnection);
    const QVariantMap now = snapshot();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (announced_.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    }
    announced_ = now;
    if (!changed.isEmpty())
        emit propertiesChanged(changed);
}

} // namespace vorlix

namespace vorlix {

QObject* MprisPropertiesAdaptor::adaptor(const QString& interface)
{
    for (auto* child : parent()->findChildren<QDBusAbstractAdaptor*>(Qt::FindDirectChildrenOnly)) {
        const QMetaObject* meta = child->metaObject();
        if (child != this && interface == QLatin1String(meta->classInfo(meta->indexOfClassInfo("D-Bus Interface")).value()))
            return child;
    }
    return nullptr;
}

bool MprisPropertiesAdaptor::fail(const QString& error, const QString& text)
{
    if (mpris_.calledFromDBus())
        mpris_.sendErrorReply(error, text);
    return false;
}

QDBusVariant MprisPropertiesAdaptor::Get(const QString& interface, const QString& name)
{
    QObject* target = adaptor(interface);
    const int index = target ? target->metaObject()->indexOfProperty(name.toLatin1().constData()) : -1;
    if (index < 0) {
        fail(QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"),
             QCoreApplication::translate("vorlix", "No such property: %1").arg(name));
        return {};
    }
    return QDBusVariant(target->metaObject()->property(index).read(target));
}

QVariantMap MprisPropertiesAdaptor::GetAll(const QString& interface)
{
    QVariantMap all;
    QObject* target = adaptor(interface);
    if (!target) {
        fail(QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface"), interface);
        return all;
    }
    const QMetaObject* meta = target->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
        all.insert(QString::fromLatin1(meta->property(i).name()), meta->property(i).read(target));
    return all;
}

void MprisPropertiesAdaptor::Set(const QString& interface, const QString& name, const QDBusVariant& value)
{
    const QString invalid = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
    QObject* target = adaptor(interface);
    const int index = target ? target->metaObject()->indexOfProperty(name.toLatin1().constData()) : -1;
    if (index < 0) {
        fail(invalid, QCoreApplication::translate("vorlix", "No such property: %1").arg(name));
        return;
    }
    const QMetaProperty property = target->metaObject()->property(index);
    if (!property.isWritable()) {
        fail(QStringLiteral("org.freedesktop.DBus.Error.PropertyReadOnly"),
             QCoreApplication::translate("vorlix", "%1 is read-only").arg(name));
        return;
    }
    QVariant v = value.variant();
    // A level must be a number, and a finite one.
    if (!v.convert(property.metaType()) || (v.typeId() == QMetaType::Double && !std::isfinite(v.toDouble()))) {
        fail(invalid, QCoreApplication::translate("vorlix", "%1 cannot be set to that value").arg(name));
        return;
    }
    property.write(target, v);
}

} // namespace vorlix
