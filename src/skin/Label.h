#pragma once

#include <QWidget>

namespace vorlix {

// A one-line caption. Unlike QLabel it keeps trailing spaces in the text's
// width, so a right-aligned caption moves left as spaces are appended.
class Label : public QWidget {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    const QString& caption() const { return caption_; }

    void setAlignment(Qt::Alignment alignment);
    void setTextColor(const QColor& color);
    // Makes the font smaller until accented capitals and descenders fit the
    // label's height whole.
    void fitFontToHeight();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    QColor color_ = Qt::black;
};

} // namespace vorlix
