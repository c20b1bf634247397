// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis.h"
#include "graph.h"
#include "panel.h"

#include <QScrollArea>

class QLabel;

namespace zembrel {

// One page of the 解题详情 window: the analysis of one panel's equation as
// a textbook writes it, the working and the graph. It shows what it is
// given; it reads no field and computes nothing.
class DetailsPage final : public QScrollArea {
    Q_OBJECT

public:
    DetailsPage(const PanelDefinition& panel, QWidget* parent = nullptr);

    // A text of the page: as read aloud and copied, and as shown.
    struct Section {
        QString plain;
        QString html;
    };
    // What a page shows of an analysis. Made without a widget, so that it
    // can be made on any thread: for a million-digit number, writing its
    // digits takes long.
    struct Content {
        Section equation;
        Section readings;
        Section summary;
        Section roots;
        QString rootsName;
        Section steps;
        GraphModel graph;
        QString graphName;
        QString graphDescription;
    };
    static Content contentOf(const PanelDefinition& panel, const exact::Analysis& analysis);

    const PanelDefinition& panel() const { return panel_; }
    void present(const Content& content);
    void present(const exact::Analysis& analysis);
    // While a long analysis runs elsewhere: a note says so and the page as
    // it was is greyed until present() brings the new one.
    void setBusy(bool busy);
    bool busy() const;

    // The page as plain text: equation, readings, kind, roots, working.
    QString plainText() const;
    Graph* graph() const { return graph_; }
    bool hasGraph() const;

private:
    QLabel* addLabel(const QString& name, const QString& accessibleName);
    void setSection(QLabel* label, const Section& section);

    const PanelDefinition& panel_;
    QLabel* busy_ = nullptr;
    QLabel* equation_ = nullptr;
    QLabel* readings_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* roots_ = nullptr;
    QLabel* steps_ = nullptr;
    Graph* graph_ = nullptr;
    QStringList plain_;
};

} // namespace zembrel
