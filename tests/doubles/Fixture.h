// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Forms.h"
#include "doubles/Doubles.h"
#include "player/frmMain.h"
#include "playlist/PlaylistFile.h"
#include "playlist/frmPlayList.h"
#include "skin/ImageControl.h"
#include "skin/Label.h"
#include "skin/PictureBox.h"
#include "skin/Timer.h"

#include <QAccessible>
#include <QDialog>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace vorlix::test {

inline QAccessibleInterface* a11y(QObject* o) { return QAccessible::queryAccessibleInterface(o); }

// The program's windows on doubles, with the playlist file in a scratch
// folder. The player window is loaded but not shown; showQuestion() puts a
// modal dialog in front of it.
struct Fixture {
    Fixture() : fake(dir.path() + u'/'), forms(fake.services()) { forms.setOnMainUnloaded([this] { ++mainUnloads; }); }

    frmMain& main() { return forms.Main(); }
    QString listFile() const { return playlistFilePath(fake.tempFolder); }
    // The list file as the given bytes; entries as lines ended by CR LF.
    void writeList(QByteArrayView b) const { QFile f(listFile()); QVERIFY(f.open(QIODevice::WriteOnly) && f.write(b.data(), b.size()) == b.size()); }
    static QByteArray crlfLines(const QList<QByteArray>& e) { return e.isEmpty() ? QByteArray() : e.join("\r\n") + "\r\n"; }
    QByteArray listFileBytes() const { QFile f(listFile()); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>"); }
    QStringList& calls() { return fake.mp3->calls; }
    void powerOn() { main().Image_power_Click(); }
    void showQuestion(bool shown = true) { question.setModal(true); question.setVisible(shown); }

    QTemporaryDir dir;
    FakeServices fake;
    Forms forms;
    int mainUnloads = 0;
    QDialog question;
};

} // namespace vorlix::test
