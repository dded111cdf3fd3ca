// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelpViewer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace vorlix {

namespace {

const QString kFallbackTitle = QStringLiteral("Vorlix Help");

} // namespace

HelpWindowViewer::HelpWindowViewer() = default;
HelpWindowViewer::~HelpWindowViewer() = default;

void HelpWindowViewer::makeWindow()
{
    window_ = std::make_unique<QWidget>(nullptr, Qt::Window);
    window_->setObjectName(QStringLiteral("helpWindow"));
    page_ = new QTextBrowser(window_.get());
    // Links to other pages open in the window; web addresses go to the browser.
    page_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page_);
    // A page of readable width and height, within small screens too.
    QSize size(560, 620);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.85);
    window_->resize(size);
    QObject::connect(page_, &QTextBrowser::sourceChanged, window_.get(), [this] {
        const QString title = page_->documentTitle();
        window_->setWindowTitle(title.isEmpty() ? kFallbackTitle : title);
    });
}

bool HelpWindowViewer::showHelp(const QString& file, int command)
{
    if (command != kForceFile)
        return false;
    if (!window_)
        makeWindow();
    if (!shown_.isEmpty() && file == shown_) {
        bringToFront();
        return true;
    }
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable()) {
        shown_.clear();
        page_->setSource(QUrl());
        page_->setHtml(QStringLiteral("<h3>Help cannot be shown</h3><p>The help file <b>%1</b> "
                                      "cannot be found or read.</p>")
                           .arg(file.toHtmlEscaped()));
        window_->setWindowTitle(kFallbackTitle);
        bringToFront();
        return false;
    }
    shown_ = file;
    page_->setSource(QUrl::fromLocalFile(info.absoluteFilePath()), QTextDocument::HtmlResource);
    bringToFront();
    return true;
}

void HelpWindowViewer::bringToFront()
{
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void HelpWindowViewer::close()
{
    page_ = nullptr;
    window_.reset();
    shown_.clear();
}

} // namespace vorlix
