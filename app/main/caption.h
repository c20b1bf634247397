// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>
#include <QPushButton>

namespace zembrel {

// The captions of the window's labels and buttons are set as 宋体 sets them:
// lines one em apart, each baseline 220/256 em below the top of its line
// (songBaseline), so that a stand-in face with a taller ascent than 宋体's
// still draws inside the rectangle the layout gives the caption.

// A label: one line of plain text at the top left.
class Caption final : public QLabel {
    Q_OBJECT

public:
    Caption(const QString& text, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A push button: the style draws the button, the caption's lines are centred on it.
class CaptionButton final : public QPushButton {
    Q_OBJECT

public:
    CaptionButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zembrel
