// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

namespace vorlix {

// Qt's own catalogue for the desktop's language, so that the standard
// buttons (Yes, No, OK) and the file dialog speak it. Vorlix's own texts are
// not translated: they stay as they are in every language.
class QtTranslations {
public:
    // Loads `qtbase_<language>.qm` from `folder` (Qt's translations folder
    // when empty) for the first of `locale`'s languages that has one, and
    // installs it. False when none has: Qt then speaks English.
    bool load(const QLocale& locale = QLocale::system(), const QString& folder = {});
    ~QtTranslations();

private:
    QTranslator translator_;
    bool installed_ = false;
};

} // namespace vorlix
