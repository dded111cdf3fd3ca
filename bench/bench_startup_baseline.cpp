// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up bench's yardstick: a Qt Widgets program that shows nothing but
// an empty frameless window of the player's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::Tool | Qt::FramelessWindowHint);
    window.setFixedSize(300, 82);
    window.show();
    return QApplication::exec();
}
