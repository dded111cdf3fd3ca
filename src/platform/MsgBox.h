// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace vorlix {

// Message box styles and answers, as the classic values.
namespace MsgBoxStyle {
inline constexpr int OkOnly = 0;
inline constexpr int YesNo = 4;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
} // namespace MsgBoxStyle

namespace MsgBoxResult {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace MsgBoxResult

// A modal message box. `style` combines the buttons (OkOnly, YesNo) with an
// icon (Question, Exclamation); the first button is the default.
class MsgBox {
public:
    virtual ~MsgBox() = default;
    virtual int show(QWidget* parent, const QString& prompt, int style, const QString& title) = 0;
};

class QtMsgBox : public MsgBox {
public:
    int show(QWidget* parent, const QString& prompt, int style, const QString& title) override;
};

} // namespace vorlix
