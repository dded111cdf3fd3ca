// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusVariant>
#include <QDBusObjectPath>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <functional>

class QWidget;

namespace vorlix {

class Forms;
class frmMain;
class frmPlayList;

// What the desktop's media keys, sound menu and tools like playerctl see of
// the player (the MPRIS interfaces on the session bus). A request is a press
// of the window's own button, and only while the user could press that
// button: shown, enabled and no modal dialog in the way. The adaptors'
// calls come in with their bus context on this object.
class Mpris : public QObject, public QDBusContext {
    Q_OBJECT
public:
    // `closeRequest` is the system's request to end the program, the same one
    // that a SIGTERM makes.
    Mpris(Forms& forms, std::function<void()> closeRequest, QObject* parent = nullptr);

    // Puts the player on `bus`; false when there is no bus or it refuses.
    bool publish(QDBusConnection bus);

    // Requests. Presses run from the event loop, after the call has been
    // answered, so that a file dialog they open does not hold the caller.
    void Raise();
    void Quit();
    void Play();
    void Pause();
    void PlayPause();
    void Stop();
    void Next();
    void Previous();
    void setVolume(double volume);
    // Opens a file URI as a dropped file opens; false for any other scheme.
    bool OpenUri(const QString& uri);
    // Where OpenUri sends a file URI.
    void setOpener(std::function<void(const QByteArray& uri)> open) { open_ = std::move(open); }

    QString PlaybackStatus() const;
    QVariantMap Metadata() const;
    double Volume() const;
    bool CanPlay() const;
    bool CanPause() const;
    bool CanGoNext() const;
    bool CanGoPrevious() const { return CanGoNext(); }

    // Announces whatever changed since the last announcement.
    void refresh();

signals:
    // Player properties with their new values.
    void propertiesChanged(const QVariantMap& changed);

private:
    frmMain* player() const;
    frmPlayList* followingList() const;
    bool pressable(const QWidget* hotspot) const;
    int listSongs() const;
    void later(void (Mpris::*request)());
    void pressPlay();
    void pressPause();
    void pressPlayPause();
    void goNext();
    void goPrevious();
    void playListEntry(int step);
    QVariantMap snapshot() const;

    Forms& forms_;
    std::function<void()> closeRequest_;
    std::function<void(const QByteArray&)> open_;
    QVariantMap announced_;
};

// A file URL of a song path: its bytes, percent-encoded where needed.
QString songUrl(const QByteArray& path);

// The types of the songs the player opens.
QStringList mp3MimeTypes();

// The most of a song's title and URL that the media controls are sent: a
// message on the bus has a size limit, and a name of megabytes would break
// the connection.
inline constexpr qsizetype kMostMetadataChars = 4096;

// The root interface: who the player is, raising it, ending it.
class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ CanQuit)
    Q_PROPERTY(bool CanRaise READ CanRaise)
    Q_PROPERTY(bool HasTrackList READ HasTrackList)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)
public:
    explicit MprisRootAdaptor(Mpris& mpris) : QDBusAbstractAdaptor(&mpris), mpris_(mpris) {}

    bool CanQuit() const { return true; }
    bool CanRaise() const { return true; }
    bool HasTrackList() const { return false; }
    QString Identity() const { return QStringLiteral("Vorlix"); }
    QString DesktopEntry() const { return QStringLiteral("io.github.vorlix.vorlix"); }
    QStringList SupportedUriSchemes() const { return {QStringLiteral("file")}; }
    QStringList SupportedMimeTypes() const { return mp3MimeTypes(); }

public slots:
    void Raise() { mpris_.Raise(); }
    void Quit() { mpris_.Quit(); }

private:
    Mpris& mpris_;
};

// The player interface: the play and pause buttons, the list, the volume.
class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Rate)
    Q_PROPERTY(double MinimumRate READ Rate)
    Q_PROPERTY(double MaximumRate READ Rate)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(double Volume READ Volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(bool CanGoNext READ CanGoNext)
    Q_PROPERTY(bool CanGoPrevious READ CanGoPrevious)
    Q_PROPERTY(bool CanPlay READ CanPlay)
    Q_PROPERTY(bool CanPause READ CanPause)
    Q_PROPERTY(bool CanSeek READ CanSeek)
    Q_PROPERTY(bool CanControl READ CanControl)
public:
    explicit MprisPlayerAdaptor(Mpris& mpris) : QDBusAbstractAdaptor(&mpris), mpris_(mpris) {}

    QString PlaybackStatus() const { return mpris_.PlaybackStatus(); }
    double Rate() const { return 1.0; }
    QVariantMap Metadata() const { return mpris_.Metadata(); }
    double Volume() const { return mpris_.Volume(); }
    void setVolume(double volume) { mpris_.setVolume(volume); }
    // The engine does not tell how far a song has come.
    qlonglong Position() const { return 0; }
    bool CanGoNext() const { return mpris_.CanGoNext(); }
    bool CanGoPrevious() const { return mpris_.CanGoPrevious(); }
    bool CanPlay() const { return mpris_.CanPlay(); }
    bool CanPause() const { return mpris_.CanPause(); }
    bool CanSeek() const { return false; }
    bool CanControl() const { return true; }

public slots:
    void Play() { mpris_.Play(); }
    void Pause() { mpris_.Pause(); }
    void PlayPause() { mpris_.PlayPause(); }
    void Stop() { mpris_.Stop(); }
    void Next() { mpris_.Next(); }
    void Previous() { mpris_.Previous(); }
    // Songs play from their start only; there is no seeking.
    void Seek(qlonglong) {}
    void SetPosition(const QDBusObjectPath&, qlonglong) {}
    void OpenUri(const QString& uri);

signals:
    void Seeked(qlonglong position);

private:
    Mpris& mpris_;
};

// The properties of both interfaces, as Qt would serve them, except that a
// value a property cannot take is answered with an error instead of being
// dropped in silence.
class MprisPropertiesAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.DBus.Properties")
public:
    explicit MprisPropertiesAdaptor(Mpris& mpris) : QDBusAbstractAdaptor(&mpris), mpris_(mpris) {}

public slots:
    QDBusVariant Get(const QString& interface, const QString& name);
    QVariantMap GetAll(const QString& interface);
    void Set(const QString& interface, const QString& name, const QDBusVariant& value);

private:
    QObject* adaptor(const QString& interface);
    bool fail(const QString& error, const QString& text);
    Mpris& mpris_;
};

} // namespace vorlix
