// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

namespace vorlix {

// One catalogue of translations for the desktop's language, installed for
// the whole program: Qt's own ("qtbase", for the standard buttons and the
// file dialog) or Vorlix's ("vorlix", for its messages, accessible names and
// windows' titles). The display's captions and the about dialog's texts are
// not in the catalogue: they are the device's own and stay as they are.
class Translations {
public:
    // Loads `<name>_<language>.qm` from `folder` for the first of `locale`'s
    // languages that has one, and installs it. False when none has: the
    // texts then stay English.
    bool load(const QString& name, const QString& folder, const QLocale& locale = QLocale::system());
    ~Translations();

    // Qt's translations folder.
    static QString qtFolder();

private:
    QTranslator translator_;
    bool installed_ = false;
};

} // namespace vorlix
