// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace vorlix {

// What a screen reader reads of a caption: the caption without its trailing
// spaces.
QString spokenCaption(const QString& caption);

// A one-line caption. Unlike QLabel it keeps trailing spaces in the text's
// width, so a right-aligned caption moves left as spaces are appended.
class Label : public QWidget {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);

    // A screen reader is told when what it reads of the caption changes, not
    // when only the trailing spaces do.
    void setCaption(const QString& caption);
    const QString& caption() const { return caption_; }

    // A screen reader sees the window's status line rather than a label.
    void setStatusLine(bool statusLine) { statusLine_ = statusLine; }
    bool isStatusLine() const { return statusLine_; }

    void setAlignment(Qt::Alignment alignment);
    void setTextColor(const QColor& color);
    // Makes the font smaller until accented capitals and descenders fit the
    // label's height whole. Done when the label is first shown, so that a
    // label that starts hidden loads no font at start-up.
    void fitFontToHeight();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    QColor color_ = Qt::black;
    bool fitPending_ = false;
    bool statusLine_ = false;
};

} // namespace vorlix
