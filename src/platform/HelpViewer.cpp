// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelpViewer.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>
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

// Tells a screen reader of the link that Tab has selected on the page. The
// page itself reads as text; the link it stands in for is this object of
// no size, which takes the focus in the screen reader's eyes (not in Qt's:
// the page keeps it, so that Enter follows the link and the arrows move on
// from there).
class HelpLink : public QWidget {
public:
    explicit HelpLink(QWidget* parent) : QWidget(parent) { setGeometry(0, 0, 0, 0); }

    // The link now selected on `page`, from `start` to `end` in its text.
    void present(QTextEdit* page, const QString& text, int start, int end)
    {
        page_ = page;
        text_ = text;
        start_ = start;
        end_ = end;
        QAccessibleEvent focus(this, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
    // Whether that link is still the page's selection, with the focus.
    bool isCurrent() const
    {
        if (!page_ || !page_->hasFocus())
            return false;
        const QTextCursor cursor = page_->textCursor();
        return cursor.selectionStart() == start_ && cursor.selectionEnd() == end_;
    }
    const QString& text() const { return text_; }

private:
    QPointer<QTextEdit> page_;
    QString text_;
    int start_ = -1;
    int end_ = -1;
};

class HelpLinkAccessible : public QAccessibleWidget {
public:
    explicit HelpLinkAccessible(HelpLink* link) : QAccessibleWidget(link, QAccessible::Link) {}
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? link()->text() : QString(); }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = true;
        s.focused = link()->isCurrent();
        s.invisible = false;
        return s;
    }

private:
    HelpLink* link() const { return static_cast<HelpLink*>(widget()); }
};

// The page as a screen reader reads it: a read-only document whose text it
// reads line by line as the caret moves.
class HelpPageAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit HelpPageAccessible(QTextEdit* page) : QAccessibleWidget(page, QAccessible::Document) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        return s;
    }

    void selection(int index, int* start, int* end) const override
    {
        const QTextCursor c = page()->textCursor();
        *start = index == 0 && c.hasSelection() ? c.selectionStart() : 0;
        *end = index == 0 && c.hasSelection() ? c.selectionEnd() : 0;
    }
    int selectionCount() const override { return page()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { setCursorPosition(cursorPosition()); }
    void setSelection(int, int start, int end) override
    {
        QTextCursor c = cursorAt(start);
        c.setPosition(std::clamp(end, 0, characterCount()), QTextCursor::KeepAnchor);
        page()->setTextCursor(c);
    }
    int cursorPosition() const override { return page()->textCursor().position(); }
    void setCursorPosition(int position) override { page()->setTextCursor(cursorAt(position)); }

    QString text(int start, int end) const override
    {
        QTextCursor c = cursorAt(start);
        c.setPosition(std::clamp(end, 0, characterCount()), QTextCursor::KeepAnchor);
        return plain(c);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        if (type != QAccessible::LineBoundary)
            return QAccessibleTextInterface::textAtOffset(offset, type, start, end);
        // The line as it is laid out on the page, with the space or the
        // paragraph's end that ends it.
        const QTextBlock block = page()->document()->findBlock(std::clamp(offset, 0, characterCount()));
        const QTextLayout* layout = block.layout();
        const QTextLine line = layout ? layout->lineForTextPosition(offset - block.position()) : QTextLine();
        if (!line.isValid())
            return QAccessibleTextInterface::textAtOffset(offset, type, start, end);
        *start = block.position() + line.textStart();
        *end = std::min(*start + line.textLength() + (line.lineNumber() == layout->lineCount() - 1 ? 1 : 0),
                        characterCount());
        return text(*start, *end);
    }
    int characterCount() const override { return page()->document()->characterCount() - 1; }

    QRect characterRect(int offset) const override
    {
        const QRect r = page()->cursorRect(cursorAt(offset));
        return QRect(page()->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return page()->cursorForPosition(page()->viewport()->mapFromGlobal(point)).position();
    }
    void scrollToSubstring(int start, int) override { page()->setTextCursor(cursorAt(start)); page()->ensureCursorVisible(); }
    QString attributes(int, int* start, int* end) const override
    {
        // No attributes, all in one run.
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QTextEdit* page() const { return static_cast<QTextEdit*>(widget()); }
    QTextCursor cursorAt(int offset) const
    {
        QTextCursor c(page()->document());
        c.setPosition(std::clamp(offset, 0, characterCount()));
        return c;
    }
    static QString plain(const QTextCursor& c) { return c.selectedText().replace(QChar::ParagraphSeparator, u'\n'); }
};

// The help page: pages and pictures pass the checks before Qt sees them.
// The arrows move a caret through the text, which a screen reader follows
// line by line; Tab selects the next link and Enter follows it.
class HelpPage : public QTextBrowser {
public:
    HelpPage(const HelpLimits& limits, QWidget* parent)
        : QTextBrowser(parent), limits_(limits), links_{new HelpLink(parent), new HelpLink(parent)}
    {
        setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
        // Once the caret leaves the link (Enter followed it, an arrow moved
        // on), the screen reader is back on the page.
        connect(this, &QTextEdit::cursorPositionChanged, this, [this] {
            if (!linkShown_ || links_[0]->isCurrent() || links_[1]->isCurrent())
                return;
            linkShown_ = false;
            QAccessibleEvent focus(this, QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        });
    }

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

protected:
    // Following a link within the page takes the caret to its target, so
    // that reading goes on from there.
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override
    {
        QTextBrowser::doSetSource(name, type);
        if (!name.hasFragment())
            return;
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().anchorNames().contains(name.fragment())) {
                    QTextCursor at(document());
                    at.setPosition(it.fragment().position());
                    setTextCursor(at);
                    return;
                }
    }

    bool focusNextPrevChild(bool next) override
    {
        if (!QTextBrowser::focusNextPrevChild(next))
            return false;
        const QTextCursor cursor = textCursor();
        if (hasFocus() && cursor.hasSelection() && QAccessible::isActive()) {
            // Each link another object: a screen reader does not present
            // again the object that has just had the focus.
            std::swap(links_[0], links_[1]);
            links_[0]->present(this, cursor.selectedText(), cursor.selectionStart(), cursor.selectionEnd());
            linkShown_ = true;
        }
        return true;
    }

private:
    const HelpLimits& limits_;
    HelpLink* links_[2];
    bool linkShown_ = false;
};

QAccessibleInterface* helpFactory(const QString&, QObject* object)
{
    if (auto* link = dynamic_cast<HelpLink*>(object))
        return new HelpLinkAccessible(link);
    if (auto* page = dynamic_cast<HelpPage*>(object))
        return new HelpPageAccessible(page);
    return nullptr;
}

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

HelpWindowViewer::HelpWindowViewer(HelpLimits limits) : limits_(limits)
{
    static const bool installed = [] {
        QAccessible::installFactory(helpFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
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
    // Escape closes the window, as its close button does.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window_.get());
    QObject::connect(escape, &QShortcut::activated, window_.get(), &QWidget::close);
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
