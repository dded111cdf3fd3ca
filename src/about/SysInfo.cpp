// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/SysInfo.h"

#include <QFile>
#include <QtEndian>

namespace vorlix {

namespace {

constexpr qsizetype kValueRoom = 1024;

} // namespace

bool GetKeyValue(Registry& registry, Registry::Key KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal)
{
    const std::optional<Registry::Key> key = registry.openKey(KeyRoot, KeyName, Registry::KEY_ALL_ACCESS);
    std::optional<Registry::Value> value;
    if (key)
        value = registry.queryValue(*key, SubKeyRef, kValueRoom);
    registry.closeKey(key.value_or(0));
    if (!value || value->data.size() > kValueRoom) {
        KeyVal.clear();
        return false;
    }

    QByteArray text = value->data;
    if (text.endsWith('\0'))
        text.chop(1);
    switch (value->type) {
    case Registry::REG_SZ:
        KeyVal = QFile::decodeName(text);
        break;
    case Registry::REG_DWORD: {
        QByteArray number = value->data.left(4);
        number.append(4 - number.size(), '\0');
        KeyVal = QString::number(qFromLittleEndian<quint32>(number.constData()));
        break;
    }
    default:
        break;
    }
    return true;
}

} // namespace vorlix
