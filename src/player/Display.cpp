// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/Display.h"

#include "engine/Mp3Play.h"

#include <QStringDecoder>

#include <cmath>
#include <limits>

namespace vorlix {

QString ScrollingCaption::next(const QString& title)
{
    if (offset_ > 24)
        offset_ = 0;
    QString caption = title + QString(offset_, u' ');
    offset_ = static_cast<std::int16_t>(offset_ + 3);
    return caption;
}

QString dialogSongTitle(const QString& fileTitle)
{
    if (fileTitle.size() < 4)
        return {};
    return fileTitle.left(fileTitle.size() - 4);
}

QString listSongTitle(const QString& entry)
{
    if (entry.size() <= 4)
        return {};
    QString s = entry.left(entry.size() - 4);
    // Only spaces are trimmed, as the list keeps other white space.
    qsizetype first = 0;
    qsizetype last = s.size();
    while (first < last && s[first] == u' ')
        ++first;
    while (last > first && s[last - 1] == u' ')
        --last;
    s = s.mid(first, last - first);
    const qsizetype cut = std::max(s.lastIndexOf(u'\\'), s.lastIndexOf(u'/'));
    return s.mid(cut + 1);
}

bool hasMp3Extension(const QString& path)
{
    return path.right(3).toLower() == QLatin1String("mp3");
}

std::pair<std::int32_t, std::int32_t> steppedVolume(std::optional<std::int32_t> volume1,
                                                    std::optional<std::int32_t> volume2,
                                                    VolumeDirection direction)
{
    const bool up = direction == VolumeDirection::Up;
    const std::int32_t edge = up ? kVolumeMax : 0;
    if (!volume1 || !volume2)
        return {edge, edge};
    const std::int64_t step = up ? kVolumeStep : -kVolumeStep;
    const std::int64_t next1 = std::int64_t{*volume1} + step;
    const std::int64_t next2 = std::int64_t{*volume2} + step;
    const bool crossed = up ? (next1 > kVolumeMax || next2 > kVolumeMax) : (next1 < 0 || next2 < 0);
    if (crossed)
        return {edge, edge};
    return {static_cast<std::int32_t>(next1), static_cast<std::int32_t>(next2)};
}

QString volumeCaption(std::optional<std::int32_t> volume1)
{
    int percent = 0;
    if (volume1) {
        const double exact = std::round(*volume1 / 65535.0 * 100.0);
        if (exact >= std::numeric_limits<std::int16_t>::min() &&
            exact <= std::numeric_limits<std::int16_t>::max())
            percent = static_cast<int>(exact);
    }
    const QString number =
        percent < 0 ? QString::number(percent) : u' ' + QString::number(percent);
    return QStringLiteral("Volume : ") + number + QStringLiteral("%       ");
}

QString displayPath(const QByteArray& path)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(path);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(path);
}

} // namespace vorlix
