// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Services.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <functional>

namespace vorlix {

class Form;
class frmAbout;
class frmAboutMAin;
class frmMain;
class frmPlayList;

// Owner of the program's four windows. A window is created, hidden, the
// first time it is touched, and destroyed when it is unloaded; unloading a
// window that does not exist does nothing. Unloading the player window ends
// the program.
class Forms {
public:
    explicit Forms(Services services);
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    const Services& services() const { return services_; }

    // Touching a window creates it when it does not exist.
    frmMain& Main();
    frmPlayList& PlayList();
    frmAboutMAin& AboutMain();
    frmAbout& About();

    // The window if it exists, without creating it.
    frmMain* MainIfLoaded() const { return main_; }
    frmPlayList* PlayListIfLoaded() const { return playList_; }
    frmAboutMAin* AboutMainIfLoaded() const { return aboutMain_; }
    frmAbout* AboutIfLoaded() const { return about_; }

    void UnloadMain();
    // A request from the system to end the program (signal, session end,
    // window manager, lost display): the same shutdown, without a question.
    // What goes wrong on the way is told on stderr, as no window may be left
    // to show it.
    void SystemClose();
    bool closingBySystem() const { return closingBySystem_; }
    // The X server is gone and Qt is ending the program: the list is saved,
    // and no window, timer or bus is touched any more (they may need the
    // display, or parts of Qt already torn down). Does not return.
    [[noreturn]] void DisplayLost();

    // Runs first when the program closes, however it closes: hands what is
    // still on its way in to KeepSongs().
    void setBeforeClose(std::function<void()> handler) { beforeClose_ = std::move(handler); }
    // Songs handed in and not yet added when the program closes: they are
    // saved with the list.
    void KeepSongs(const QList<QByteArray>& songs);
    // A save of the list failed in this run: the program ends with 1.
    void noteSaveFailed() { saveFailed_ = true; }
    bool saveFailed() const { return saveFailed_; }
    void UnloadPlayList();
    // What the playlist window held when it was last unloaded: its number of
    // songs and its selected entry (index -1 for none). The desktop's
    // controls go by it while there is no playlist window.
    struct ListMemory {
        int count = 0;
        int index = -1;
        QByteArray entry;
    };
    const ListMemory& lastList() const { return lastList_; }
    void UnloadAboutMain();
    void UnloadAbout();

    // True the first time in this run that it is asked about `what`: for a
    // trouble that is told once, not each time a window is made again.
    bool firstTime(const QString& what);

    // Runs when the player window has been unloaded: the program ends.
    void setOnMainUnloaded(std::function<void()> handler) { onMainUnloaded_ = std::move(handler); }

private:
    template <class W> W& touch(W*& slot);
    template <class W> void unload(W*& slot);

    Services services_;
    frmMain* main_ = nullptr;
    frmPlayList* playList_ = nullptr;
    frmAboutMAin* aboutMain_ = nullptr;
    frmAbout* about_ = nullptr;
    std::function<void()> onMainUnloaded_;
    std::function<void()> beforeClose_;
    bool closingBySystem_ = false;
    bool saveFailed_ = false;
    QSet<QString> told_;
    ListMemory lastList_;
};

} // namespace vorlix
