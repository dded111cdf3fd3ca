// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>

namespace vorlix {

bool QtTranslations::load(const QLocale& locale, const QString& folder)
{
    const QString dir = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    // Tries each of the desktop's languages in turn (LANGUAGE, then
    // LC_MESSAGES/LANG), each from its full name down to the language alone.
    if (!translator_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), dir))
        return false;
    // The skinned windows are pictures laid out left to right; a right-to-left
    // catalogue would mirror them.
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    installed_ = QCoreApplication::installTranslator(&translator_);
    return installed_;
}

QtTranslations::~QtTranslations()
{
    if (installed_)
        QCoreApplication::removeTranslator(&translator_);
}

} // namespace vorlix
