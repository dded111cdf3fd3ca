// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/Display.h"

#include "engine/Mp3Play.h"

#include <QStringDecoder>

#include <algorithm>
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

QString shownTitle(QStringView title)
{
    if (title.size() <= kShownTitleChars)
        return title.toString();
    QStringView end = title.last(kShownTitleChars);
    if (end.front().isLowSurrogate())
        end = end.sliced(1);
    return end.toString();
}

QString shownDialogTitle(QStringView fileTitle)
{
    return fileTitle.size() < 4 ? QString() : shownTitle(fileTitle.chopped(4));
}

namespace {

// The title of a long entry from its end alone, where that decides it: a
// folder separator near the end, or a name that is longer than the display
// sets and not all spaces. Nothing where the whole entry is needed.
std::optional<QString> titleFromTail(const QByteArray& entry)
{
    constexpr qsizetype kTailBytes = 4 * (kShownTitleChars + 8);
    if (entry.size() <= kTailBytes)
        return std::nullopt;
    const bool utf8 = QByteArrayView(entry).isValidUtf8();
    qsizetype from = entry.size() - kTailBytes;
    while (utf8 && (static_cast<unsigned char>(entry[from]) & 0xc0) == 0x80)
        ++from;
    const QByteArrayView tail = QByteArrayView(entry).sliced(from);
    QString text = utf8 ? QString::fromUtf8(tail) : QString::fromLatin1(tail);
    text.chop(4);
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    const QStringView name = QStringView(text).first(end);
    const qsizetype cut = std::max(name.lastIndexOf(u'\\'), name.lastIndexOf(u'/'));
    if (cut >= 0)
        return shownTitle(name.sliced(cut + 1));
    // Without a separator the name reaches back beyond the tail; its front
    // is trimmed of spaces, which matters only if all before its end is.
    const QStringView before = name.first(std::max<qsizetype>(0, end - kShownTitleChars));
    if (std::any_of(before.begin(), before.end(), [](QChar c) { return c != u' '; }))
        return shownTitle(name);
    return std::nullopt;
}

} // namespace

const QString& ShownListTitle::of(const QByteArray& entry)
{
    // The same bytes as last time, which the copy kept here holds.
    if (entry.constData() == entry_.constData() && entry.size() == entry_.size())
        return title_;
    entry_ = entry;
    if (auto fromTail = titleFromTail(entry))
        title_ = std::move(*fromTail);
    else
        title_ = shownTitle(listSongTitle(displayPath(entry)));
    return title_;
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

int volumePercent(std::optional<std::int32_t> volume1)
{
    if (!volume1)
        return 0;
    const double exact = std::round(*volume1 / 65535.0 * 100.0);
    if (exact >= std::numeric_limits<std::int16_t>::min() && exact <= std::numeric_limits<std::int16_t>::max())
        return static_cast<int>(exact);
    return 0;
}

QString volumeCaption(std::optional<std::int32_t> volume1)
{
    const int percent = volumePercent(volume1);
    const QString number =
        percent < 0 ? QString::number(percent) : u' ' + QString::number(percent);
    return QStringLiteral("Volume : ") + number + QStringLiteral("%       ");
}

QString displayPath(const QByteArray& path)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(path);
    if (utf8.hasError())
        text = QString::fromLatin1(path);
    // A NUL would end the text where it is read as a C string: by a screen
    // reader, on the session bus. It shows as the symbol for null.
    return text.replace(QChar(0), QChar(0x2400));
}

} // namespace vorlix
