// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Translations.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>

namespace vorlix {

bool Translations::load(const QString& name, const QString& folder, const QLocale& locale)
{
    // Tries each of the desktop's languages in turn (LANGUAGE, then
    // LC_MESSAGES/LANG), each from its full name down to the language alone.
    if (!translator_.load(locale, name, QStringLiteral("_"), folder))
        return false;
    // The skinned windows are pictures laid out left to right; a right-to-left
    // catalogue would mirror them.
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    installed_ = QCoreApplication::installTranslator(&translator_);
    return installed_;
}

Translations::~Translations()
{
    if (installed_)
        QCoreApplication::removeTranslator(&translator_);
}

QString Translations::qtFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

} // namespace vorlix
