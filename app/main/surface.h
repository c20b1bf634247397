// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>
#include <QWidget>

namespace zembrel {

// The window surface beneath the controls: it draws the brace lines and the
// text printed on it. Printed lines are kept, so they survive any repaint.
class Surface final : public QWidget {
    Q_OBJECT

public:
    explicit Surface(QWidget* parent = nullptr);

    // Draws the line at the print position and moves the position down one line.
    void print(const QString& line);
    const QStringList& printed() const { return printed_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect lineRect(qsizetype index) const;

    QStringList printed_;
};

} // namespace zembrel
