// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace vorlix {

// The display's caption when nothing plays.
inline const QString kIdleCaption = QStringLiteral("Vorlix       v1.0     ");

// A song's name scrolls on the display by a tail of spaces that grows by three
// each second and starts again from none after nine steps.
class ScrollingCaption {
public:
    // The caption for this second: the title followed by the current tail.
    QString next(const QString& title);
    std::int16_t offset() const { return offset_; }

private:
    std::int16_t offset_ = 0;
};

// The title of a song chosen in the file dialog: the file title without its
// last four characters (the dot and extension); empty for shorter titles.
QString dialogSongTitle(const QString& fileTitle);

// The title of a playlist entry: the entry less its last four characters,
// trimmed of spaces, from after its last "/" or "\" on.
QString listSongTitle(const QString& entry);

// The display is one short line, 110 pixels wide: of a title longer than
// this only the end can show, right-aligned as the line is, so no more of it
// is set. Qt lays out every character it is given, on every repaint.
inline constexpr qsizetype kShownTitleChars = 160;

// What the display sets of a title: its last kShownTitleChars characters.
QString shownTitle(QStringView title);
// dialogSongTitle, as much of it as the display sets.
QString shownDialogTitle(QStringView fileTitle);

// listSongTitle of the entry as the display shows it, as much of it as the
// display sets. The title of a playing entry is asked for every second: it is
// worked out again only when the entry is another, so a long entry costs its
// length once, not every second.
class ShownListTitle {
public:
    const QString& of(const QByteArray& entry);

private:
    QByteArray entry_;
    QString title_;
};

// Whether the path's last three characters, lower-cased, are "mp3".
bool hasMp3Extension(const QString& path);

// Volume steps: both channels move by kVolumeStep; when either leaves
// 0..65535 (or could not be read), both go to the end they crossed.
inline constexpr std::int32_t kVolumeStep = 6554;
enum class VolumeDirection { Up, Down };
std::pair<std::int32_t, std::int32_t> steppedVolume(std::optional<std::int32_t> volume1,
                                                    std::optional<std::int32_t> volume2,
                                                    VolumeDirection direction);

// Channel 1's level in whole percent; 0 when it cannot be read or shown.
int volumePercent(std::optional<std::int32_t> volume1);
// "Volume :  90%       ", from channel 1 alone; 0 % when it cannot be read.
QString volumeCaption(std::optional<std::int32_t> volume1);

// Song paths are bytes; the display shows them as UTF-8 where they are valid
// UTF-8 and as Latin-1 otherwise, so every byte shows as something, a NUL as
// the symbol for null (U+2400).
QString displayPath(const QByteArray& path);

// The path as the playback engine takes it: the same bytes.
inline std::string songPath(const QByteArray& path)
{
    return std::string(path.constData(), static_cast<std::size_t>(path.size()));
}

} // namespace vorlix
