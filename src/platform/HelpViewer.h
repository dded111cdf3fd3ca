// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QTextBrowser;
class QWidget;

namespace vorlix {

// The help viewer that the common dialog hands a help file to.
class HelpViewer {
public:
    // Shows the given file at its default topic, switching to it when another
    // file is shown; the file already shown is only brought to the front.
    static constexpr int kForceFile = 9;

    virtual ~HelpViewer() = default;

    // Runs a help command on `file`; false when the command is not known or
    // the file cannot be shown (the viewer then says so itself).
    virtual bool showHelp(const QString& file, int command) = 0;
    // Closes the viewer's window, if there is one.
    virtual void close() = 0;
};

// What a help page may be: at most this many bytes, and elements nested at
// most this deep (Qt lays out nested blocks by recursion).
struct HelpLimits {
    qint64 maxBytes = 4 << 20;
    int maxDepth = 100;
};

// Why a help page is not shown; empty when it may be.
QString refuseHelpPage(const QByteArray& html, const HelpLimits& limits);

// A help window of the program's own: the file is HTML, shown with its
// links working and its title on the window. Pages too large or too deeply
// nested are refused, and pictures come only from regular files in the help
// file's own folder; the window tells which file it refused and why.
class HelpWindowViewer : public HelpViewer {
public:
    explicit HelpWindowViewer(HelpLimits limits = {});
    ~HelpWindowViewer() override;

    bool showHelp(const QString& file, int command) override;
    void close() override;

    // The window and its page while there is one.
    QWidget* window() const { return window_.get(); }
    QTextBrowser* page() const { return page_; }
    // The file the window shows; empty when it shows none.
    const QString& shownFile() const { return shown_; }

private:
    void makeWindow();
    void bringToFront();
    void showProblem(const QString& html);

    HelpLimits limits_;

    std::unique_ptr<QWidget> window_;
    QTextBrowser* page_ = nullptr;
    QString shown_;
};

} // namespace vorlix
