// SPDX-License-Identifier: GPL-3.0-or-later
// artgen: draws Vorlix's pictures and sounds.
//   artgen <out-dir>          writes the raw PNGs and WAVs for make-assets.sh
//   artgen --verify <dir>     checks the finished assets
#include "Art.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <functional>
#include <vector>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();

    if (args.size() == 3 && args[1] == QLatin1String("--verify"))
        return artgen::verifyAssets(args[2]) ? 0 : 1;
    if (args.size() != 2 || args[1].startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: artgen <out-dir> | artgen --verify <assets-dir>\n");
        return 2;
    }

    const QDir out(args[1]);
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "artgen: cannot create %s\n", qPrintable(out.path()));
        return 1;
    }
    // The skins, the buttons and the launcher's pictures at every scale.
    const std::pair<const char *, QImage (*)(int)> scaled[] = {
        {"skin1.png", artgen::drawSkin1},
        {"skin2.png", artgen::drawSkin2},
        {"play.png", artgen::drawPlayButton},
        {"pause.png", artgen::drawPauseButton},
        {"playlist_outline.png", artgen::drawPlaylistOutline},
        {"playlist_panel.png", artgen::drawPlaylistPanel},
        {"about.png", artgen::drawAbout},
        {"help.png", artgen::drawHelp},
    };
    std::vector<std::pair<QString, std::function<QImage()>>> pictures;
    for (const auto &[name, draw] : scaled)
        for (int scale : artgen::kScales)
            pictures.emplace_back(artgen::scaledName(QString::fromLatin1(name), scale),
                                  [draw = draw, scale] { return draw(scale); });
    const std::pair<const char *, std::function<QImage()>> single[] = {
        {"about_photo.png", artgen::drawPhoto},
        {"icon32.png", [] { return artgen::drawIcon(32); }},
        {"icon16.png", [] { return artgen::drawIcon(16); }},
        {"icon24.png", [] { return artgen::drawIcon(24); }},
        {"icon48.png", [] { return artgen::drawIcon(48); }},
        {"icon64.png", [] { return artgen::drawIcon(64); }},
        {"icon128.png", [] { return artgen::drawIcon(128); }},
        {"icon256.png", [] { return artgen::drawIcon(256); }},
    };
    for (const auto &[name, draw] : single)
        pictures.emplace_back(QString::fromLatin1(name), draw);
    bool ok = true;
    for (const auto &[name, draw] : pictures) {
        const QString path = out.filePath(name);
        if (!draw().save(path, "PNG")) {
            std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    if (!artgen::writeScalableIcon(out.filePath(QStringLiteral("vorlix.svg")))) {
        std::fprintf(stderr, "artgen: cannot write vorlix.svg\n");
        ok = false;
    }
    for (const auto &[name, samples] : {std::pair{"do.wav", artgen::synthClick()},
                                        std::pair{"usbopen.wav", artgen::synthPlug()}}) {
        const QString path = out.filePath(QString::fromLatin1(name));
        if (!artgen::writeWav(path, samples)) {
            std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
