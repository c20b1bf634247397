// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The yardstick for Zembrel's startup time and memory: a plain Qt Widgets
// window with as many controls of each kind, Chinese captions (so that the
// CJK font is loaded too), two menus and a three-panel status bar, at the
// same fixed size. No logic behind any of it.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));

    auto* surface = new QWidget(&window);
    window.setCentralWidget(surface);
    for (int i = 0; i < 26; ++i) {
        auto* edit = new QLineEdit(surface);
        edit->setGeometry(10 + i % 4 * 95, 10 + i / 4 * 24, 49, 18);
        edit->setReadOnly(i % 4 == 3);
    }
    for (int i = 0; i < 8; ++i) {
        auto* button = new QPushButton(QStringLiteral("验算"), surface);
        button->setGeometry(10 + i % 2 * 300, 200 + i / 2 * 30, 41, 17);
        button->setEnabled(i < 4);
    }
    for (int i = 0; i < 40; ++i) {
        auto* label = new QLabel(QStringLiteral("解方程%1").arg(i), surface);
        label->setGeometry(60 + i % 4 * 95, 10 + i / 4 * 30, 40, 17);
    }

    QMenu* file = window.menuBar()->addMenu(QStringLiteral("文件(&F)"));
    file->addAction(QStringLiteral("新建(&N)"));
    file->addAction(QStringLiteral("退出(&X)"));
    QMenu* tools = window.menuBar()->addMenu(QStringLiteral("辅助(&A)"));
    tools->addAction(QStringLiteral("计算器(&C)"));
    tools->addAction(QStringLiteral("错误报告(&R)"));
    tools->addAction(QStringLiteral("关于(&A)"));

    window.statusBar()->addWidget(new QLabel(QStringLiteral("状态")), 1);
    window.statusBar()->addPermanentWidget(new QLabel(QStringLiteral("2007/8/20")));
    window.statusBar()->addPermanentWidget(new QLabel(QStringLiteral("18:46")));

    window.setFixedSize(404, 480);
    window.show();
    return QApplication::exec();
}
