// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/frmPlayList.h"

#include "app/Forms.h"
#include "engine/Mp3Play.h"
#include "platform/MsgBox.h"
#include "player/frmMain.h"
#include "playlist/PlaylistFile.h"
#include "playlist/frmPlayListLayout.h"
#include "skin/ImageControl.h"
#include "skin/Label.h"
#include "skin/PictureBox.h"
#include "skin/Skin.h"
#include "skin/Timer.h"
#include "skin/WindowMover.h"

#include <QBackingStore>
#include <QCloseEvent>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace vorlix {

namespace L = frmPlayListLayout;

namespace {

bool songIsOver(std::optional<int> status)
{
    // A failing Play, or a status that is no 16-bit value, counts as the end.
    if (!status || *status < std::numeric_limits<std::int16_t>::min() ||
        *status > std::numeric_limits<std::int16_t>::max())
        return true;
    return *status == kSongOver;
}

} // namespace

frmPlayList::frmPlayList(Forms& forms)
    : Form(nullptr, Qt::Window | Qt::Tool | Qt::FramelessWindowHint),
      CommonDialog1(forms.services().fileDialog, this),
      forms_(forms),
      mover_(new WindowMover(*this))
{
    setWindowTitle(tr("Play List"));
    resize(L::kDesignClientSize);
    buildControls();
    nameControls();
    connectHandlers();
}

frmPlayList::~frmPlayList() = default;

void frmPlayList::buildControls()
{
    Timer_MP3ListDataShow = new Timer(1000, this);

    // Siblings are created back to front: a later one lies above an earlier one.
    pic1 = place(new PictureBox(this), L::pic1);
    pic1->setPictureFile(QStringLiteral(":/playlist_outline.png"));
    Image1 = place(new ImageControl(pic1), L::Image1);
    Image1->setPictureFile(QStringLiteral(":/playlist_panel.png"));
    Command_Addlist = place(new ImageControl(pic1), L::Command_Addlist);
    Command_Remove = place(new ImageControl(pic1), L::Command_Remove);
    Image_MinPlayList = place(new ImageControl(pic1), L::Image_MinPlayList);
    List1 = place(new SongList(pic1), L::List1);

    QPalette palette = List1->palette();
    palette.setColor(QPalette::Base, QColor::fromRgb(L::kListBackColor));
    List1->setPalette(palette);
    // Paths need no kerning or ligatures: they are set without shaping,
    // except in scripts that need it to be read.
    QFont listFont = List1->font();
    listFont.setPixelSize(11);
    listFont.setStyleStrategy(QFont::PreferNoShaping);
    List1->setFont(listFont);
}

// The names a screen reader gives the list and its buttons, which Tab
// visits in this order.
void frmPlayList::nameControls()
{
    List1->setAccessibleName(tr("Play List"));
    const std::pair<ImageControl*, QString> buttons[] = {
        {Command_Addlist, tr("Add")},
        {Command_Remove, tr("Delete")},
        {Image_MinPlayList, tr("Hide playlist")},
    };
    QWidget* previous = List1;
    for (const auto& [button, name] : buttons) {
        button->setButton(name);
        setTabOrder(previous, button);
        previous = button;
    }
    // Where the focus goes when the window is first activated.
    List1->setFocus(Qt::OtherFocusReason);
}

void frmPlayList::connectHandlers()
{
    connect(Command_Addlist, &ImageControl::Click, this, &frmPlayList::Command_Addlist_Click);
    connect(Command_Remove, &ImageControl::Click, this, &frmPlayList::Command_Remove_Click);
    connect(Image_MinPlayList, &ImageControl::Click, this, &frmPlayList::Image_MinPlayList_Click);
    // Delete on the list presses Del, and leaves the song that took the
    // removed one's place selected (the last when the last went), so that
    // Delete can be pressed again.
    connect(List1, &SongList::DeleteKey, this, [this] {
        const int at = List1->ListIndex();
        if (Command_Remove->press() && at >= 0 && List1->ListCount() > 0)
            List1->setListIndex(std::min(at, List1->ListCount() - 1));
    });
    connect(Timer_MP3ListDataShow, &QTimer::timeout, this,
            &frmPlayList::Timer_MP3ListDataShow_Timer);
    mover_->addHandle(*pic1);
    connect(pic1, &PictureBox::MouseDown, this, &frmPlayList::pic1_MouseDown);
}

// The list and its file

void frmPlayList::Form_Load()
{
    ApplySkin(*this, *pic1);
    const QString folder = forms_.services().tempFolder;
    if (folder.isEmpty())
        return;
    MP3ListFile = playlistFilePath(folder);
    PlaylistRead read = readPlaylistFile(MP3ListFile);
    keepFile_ = !read.mayReplaceFile();
    if (keepFile_)
        tellNotRead(read.error);
    read_ = read.entries;
    List1->setEntries(std::move(read.entries));
}

void frmPlayList::Form_QueryUnload()
{
    // An unchanged list leaves the file alone: another player may have saved
    // its own edits since we read it.
    if (MP3ListFile.isEmpty() || keepFile_ || (kept_.isEmpty() && List1->entries() == read_))
        return;
    QString reason;
    if (!saveEdits(reason))
        tellNotSaved(reason);
}

// Our edits go into what the file holds now. A file gone since (a cleaned-up
// temporary folder) is saved as our list. The turn ends before the user is
// told of a failure, so that no other player waits on the message.
bool frmPlayList::saveEdits(QString& reason)
{
    PlaylistSave save = savePlaylistEdits(MP3ListFile, read_, List1->entries() + kept_);
    if (!save.ok) {
        reason = save.error;
        return false;
    }
    read_ = std::move(save.saved);
    kept_.clear();
    return true;
}

void frmPlayList::tellNotSaved(const QString& reason)
{
    // The file keeps what it held before; the user learns that the changes
    // are lost.
    const QString file = QDir::toNativeSeparators(MP3ListFile);
    forms_.noteSaveFailed();
    // The window is going: its monitor must not move to the next song or
    // write the player's title while the message is up.
    Timer_MP3ListDataShow->setEnabled(false);
    tell(tr("The play list could not be saved to %1:\n%2").arg(file, reason));
}

void frmPlayList::tellNotRead(const QString& reason)
{
    // Told once a run: the window is made afresh after every pause.
    const QString file = QDir::toNativeSeparators(MP3ListFile);
    if (!forms_.firstTime(QStringLiteral("unreadable list")))
        return;
    // The window may be made in the middle of a click or a drag: the message
    // comes once that is over.
    QTimer::singleShot(0, this, [this, file, reason] {
        tell(tr("The play list could not be read from %1:\n%2\n\n"
                "It is left as it is; changes to the list will not be saved.")
                 .arg(file, reason));
    });
}

void frmPlayList::tell(const QString& text)
{
    // A close by the system may have no screen left to show it on.
    if (forms_.closingBySystem()) {
        qWarning().noquote() << QStringLiteral("Vorlix: ") + QString(text).replace(u'\n', u' ');
        return;
    }
    forms_.services().msgBox.show(this, text, MsgBoxStyle::OkOnly | MsgBoxStyle::Exclamation, kProgramTitle);
}

void frmPlayList::hideEvent(QHideEvent* event)
{
    Form::hideEvent(event);
    // The list hides while its songs play: its window's pixels are let go
    // meanwhile and painted afresh when it shows again. An empty size holds
    // no pixels; an invalid one, QSize(), would be taken on X11 for the
    // largest image there is (65535 x 65535, 16 GiB of address space).
    if (QBackingStore* store = backingStore())
        store->resize(QSize(0, 0));
}

void frmPlayList::closeEvent(QCloseEvent* event)
{
    // Closed from outside (the window manager): unloaded like any other
    // unload, which saves the list.
    event->ignore();
    if (forms_.PlayListIfLoaded() == this)
        forms_.UnloadPlayList();
}

// Editing

void frmPlayList::Command_Addlist_Click()
{
    forms_.services().playClick();
    CommonDialog1.Filter = QStringLiteral("Mp3|*.mp3");
    if (!CommonDialog1.ShowOpen())
        return;
    if (CommonDialog1.FileName().isEmpty())
        return;
    const QByteArray entry = QFile::encodeName(CommonDialog1.FileName());
    // One path a line: a name with a line break in it cannot be kept.
    if (!fitsPlaylistLine(entry))
        return;
    List1->AddItem(entry);
}

void frmPlayList::AddSongs(const QList<QByteArray>& entries)
{
    for (const QByteArray& entry : entries) {
        if (fitsPlaylistLine(entry))
            List1->AddItem(entry);
    }
}

void frmPlayList::Command_Remove_Click()
{
    forms_.services().playClick();
    if (List1->ListCount() == 0)
        return;
    if (List1->ListIndex() == -1)
        return;
    List1->RemoveItem(List1->ListIndex());
}

void frmPlayList::Image_MinPlayList_Click()
{
    forms_.services().playClick();
    hide();
}

// Following the list: once a second, show the song and start the next one
// when it is over.

void frmPlayList::Timer_MP3ListDataShow_Timer()
{
    frmMain& player = forms_.Main();
    player.Text_Title->setCaption(scroll_.next(listTitle_.of(List1->Text())));
    if (List1->ListIndex() == -1 && List1->ListCount() > 0)
        List1->setListIndex(0);
    if (List1->ListCount() == 0)
        return;
    if (!songIsOver(player.Mp3Play1->Play()))
        return;
    if (List1->ListIndex() < List1->ListCount() - 1)
        List1->setListIndex(List1->ListIndex() + 1);
    else
        List1->setListIndex(0);
    player.Mp3Play1->Open(songPath(List1->Text()), "");
    player.Mp3Play1->Play();
    player.AnnounceListSong(List1->Text());
}

// Dragging: the window follows the mouse, then the player is placed so that
// this window lies at its offset below it.

void frmPlayList::pic1_MouseDown()
{
    mover_->moveUntilRelease([this] { forms_.Main().move(pos() - L::kOffsetFromPlayer); });
}

} // namespace vorlix
