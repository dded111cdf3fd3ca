// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

// A help window of the program's own: the file is HTML, shown with its
// links working and its title on the window.
class HelpWindowViewer : public HelpViewer {
public:
    HelpWindowViewer();
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

    std::unique_ptr<QWidget> window_;
    QTextBrowser* page_ = nullptr;
    QString shown_;
};

} // namespace vorlix
