// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelpViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <optional>
#include <vector>

namespace vorlix {

namespace {

QString fallbackTitle()
{
    return QCoreApplication::translate("vorlix", "Vorlix Help");
}

// Elements that never hold others, and those that a following one of their
// kind closes without an end tag.
bool isVoid(QByteArrayView tag)
{
    for (const char* name : {"br", "img", "hr", "meta", "link", "input", "col", "area", "base", "param", "source", "wbr", "!"})
        if (tag == name)
            return true;
    return tag.startsWith("!");
}

bool closesItsKind(QByteArrayView tag)
{
    for (const char* name : {"p", "li", "dt", "dd", "tr", "td", "th", "option"})
        if (tag == name)
            return true;
    return false;
}

// How deep the page's elements nest, counted from its tags alone, without
// building it: each start tag opens an element until its end tag.
int nestingDepth(const QByteArray& html, int stopAt)
{
    std::vector<QByteArray> open;
    int deepest = 0;
    for (qsizetype at = html.indexOf('<'); at >= 0 && deepest <= stopAt; at = html.indexOf('<', at + 1)) {
        const bool end = at + 1 < html.size() && html[at + 1] == '/';
        qsizetype from = at + (end ? 2 : 1), to = from;
        while (to < html.size() && (std::isalnum(static_cast<unsigned char>(html[to])) || html[to] == '!'))
            ++to;
        const QByteArray tag = html.mid(from, to - from).toLower();
        if (tag.isEmpty() || isVoid(tag))
            continue;
        if (end) {
            for (auto it = open.rbegin(); it != open.rend(); ++it)
                if (*it == tag) {
                    open.erase(std::prev(it.base()), open.end());
                    break;
                }
            continue;
        }
        if (closesItsKind(tag) && !open.empty() && open.back() == tag)
            open.pop_back();
        open.push_back(tag);
        deepest = std::max(deepest, int(open.size()));
    }
    return deepest;
}

// The file's bytes, read only if it is a regular file of at most `maxBytes`.
std::optional<QByteArray> readSmallFile(const QString& path, qint64 maxBytes, QString* why)
{
    const QFileInfo info(path);
    if (!info.exists())
        return *why = QCoreApplication::translate("vorlix", "there is no such file"), std::nullopt;
    if (!info.isFile() || !info.isReadable())
        return *why = QCoreApplication::translate("vorlix", "it is not a file that can be read"), std::nullopt;
    if (info.size() > maxBytes)
        return *why = QCoreApplication::translate("vorlix", "it is larger than %1 KB").arg(maxBytes / 1024), std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return *why = file.errorString(), std::nullopt;
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        return *why = QCoreApplication::translate("vorlix", "it is larger than %1 KB").arg(maxBytes / 1024), std::nullopt;
    return bytes;
}

// A page of readable width and height, within small screens too.
QSize pageSize()
{
    QSize size(560, 620);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.85);
    return size;
}

QString problemPage(const QString& file, const QString& why)
{
    const QFileInfo info(file);
    const QString folder = QDir::toNativeSeparators(info.absolutePath()).toHtmlEscaped();
    const QString where =
        info.exists() ? QCoreApplication::translate("vorlix", "It is in the folder <b>%1</b>.").arg(folder)
                      : QCoreApplication::translate("vorlix", "It was looked for in the folder <b>%1</b>.").arg(folder);
    return QStringLiteral("<h3>%1</h3><p>%2</p><p>%3</p>")
        .arg(QCoreApplication::translate("vorlix", "Help cannot be shown"),
             QCoreApplication::translate("vorlix", "The help file <b>%1</b> cannot be shown: %2.")
                 .arg(info.fileName().toHtmlEscaped(), why.toHtmlEscaped()),
             where);
}

// A page is text: a NUL or another control character that no text holds
// marks a binary file, such as an old compiled help file or a picture.
bool isText(const QByteArray& bytes)
{
    return std::none_of(bytes.cbegin(), bytes.cend(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != '\f' && u != 0x1b;
    });
}

// The help page: pages and pictures pass the checks before Qt sees them.
class HelpPage : public QTextBrowser {
public:
    HelpPage(const HelpLimits& limits, QWidget* parent) : QTextBrowser(parent), limits_(limits) {}

    QVariant loadResource(int type, const QUrl& name) override
    {
        const QUrl url = source().resolved(name);
        if (!url.isLocalFile())
            return QByteArray("");
        const QString path = url.toLocalFile();
        QString why;
        if (type == QTextDocument::HtmlResource) {
            const auto html = readSmallFile(path, limits_.maxBytes, &why);
            if (html && (why = refuseHelpPage(*html, limits_)).isEmpty())
                return *html;
            return problemPage(path, why);
        }
        // Pictures and style sheets: regular files in the page's own folder.
        // What is refused is answered empty, not left unanswered: the
        // document would then read the file itself.
        const QByteArray refused("");
        const QString folder = QFileInfo(source().toLocalFile()).canonicalPath();
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (folder.isEmpty() || canonical.isEmpty() || !canonical.startsWith(folder + u'/'))
            return refused;
        return readSmallFile(canonical, limits_.maxBytes, &why).value_or(refused);
    }

private:
    const HelpLimits& limits_;
};

} // namespace

QString refuseHelpPage(const QByteArray& html, const HelpLimits& limits)
{
    if (html.size() > limits.maxBytes)
        return QCoreApplication::translate("vorlix", "it is larger than %1 KB").arg(limits.maxBytes / 1024);
    if (!isText(html))
        return QCoreApplication::translate("vorlix", "it is not a help page");
    if (nestingDepth(html, limits.maxDepth) > limits.maxDepth)
        return QCoreApplication::translate("vorlix", "its parts are nested deeper than %1 levels").arg(limits.maxDepth);
    return {};
}

HelpWindowViewer::HelpWindowViewer(HelpLimits limits) : limits_(limits) {}
HelpWindowViewer::~HelpWindowViewer() = default;

void HelpWindowViewer::makeWindow()
{
    window_ = std::make_unique<QWidget>(nullptr, Qt::Window);
    window_->setObjectName(QStringLiteral("helpWindow"));
    page_ = new HelpPage(limits_, window_.get());
    // Links to other pages open in the window; web addresses go to the browser.
    page_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page_);
    window_->resize(pageSize());
    QObject::connect(page_, &QTextBrowser::sourceChanged, window_.get(), [this] {
        const QString title = page_->documentTitle();
        window_->setWindowTitle(title.isEmpty() ? fallbackTitle() : title);
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
    QString why;
    const auto html = readSmallFile(file, limits_.maxBytes, &why);
    if (html)
        why = refuseHelpPage(*html, limits_);
    if (!why.isEmpty()) {
        showProblem(problemPage(info.absoluteFilePath(), why));
        return false;
    }
    if (shown_.isEmpty())
        window_->resize(pageSize()); // after a short problem page
    shown_ = file;
    page_->setSource(QUrl::fromLocalFile(info.absoluteFilePath()), QTextDocument::HtmlResource);
    bringToFront();
    return true;
}

void HelpWindowViewer::showProblem(const QString& html)
{
    shown_.clear();
    page_->setSource(QUrl());
    page_->setHtml(html);
    window_->setWindowTitle(fallbackTitle());
    // A few lines need no page-sized window.
    window_->resize(QSize(440, 170).boundedTo(pageSize()));
    bringToFront();
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
