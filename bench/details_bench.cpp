// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The 解题详情 and 输入方程 windows on Qt's offscreen platform: the first
// opening of 解题详情, window made and page drawn, and the update after one
// keystroke in either, analysis and page together, as the user waits for them.
//   QT_QPA_PLATFORM=offscreen build/bench/details_bench

#include "answer.h"
#include "details_page.h"
#include "details_window.h"
#include "equation_window.h"
#include "exact_number.h"
#include "fonts.h"
#include "main_window.h"

#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

namespace {

class NoDesktop final : public zembrel::Platform {
public:
    bool isInstalled(std::string_view) const override { return false; }
    bool startDetached(std::string_view, const std::vector<std::string>&) override { return false; }
    void openUrl(std::string_view) override {}
    void exitProgram() override {}
};

void fillQuadratic(zembrel::MainWindow& window)
{
    window.field(zembrel::quadratic::a)->setText(QStringLiteral("1"));
    window.field(zembrel::quadratic::b)->setText(QStringLiteral("-3"));
    window.field(zembrel::quadratic::c)->setText(QStringLiteral("1"));
}

void firstOpening(benchmark::State& state)
{
    NoDesktop desktop;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<zembrel::MainWindow>(desktop);
        window->show();
        fillQuadratic(*window);
        QApplication::processEvents();
        state.ResumeTiming();
        window->openDetails(&zembrel::kQuadraticPanel);
        window->detailsWindow()->repaint();
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(firstOpening)->Unit(benchmark::kMillisecond)->Iterations(20);

// One keystroke: the field changes, the next turn of the event loop analyses
// the page and draws it.
void update(benchmark::State& state, const char* before, const char* after)
{
    NoDesktop desktop;
    zembrel::MainWindow window(desktop);
    window.show();
    fillQuadratic(window);
    window.openDetails(&zembrel::kQuadraticPanel);
    QApplication::processEvents();
    bool flip = false;
    for (auto _ : state) {
        window.field(zembrel::quadratic::c)->setText(QString::fromUtf8(flip ? before : after));
        flip = !flip;
        QApplication::processEvents();
        window.detailsWindow()->repaint();
    }
}
BENCHMARK_CAPTURE(update, ordinary, "1", "12")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(update, decimals, "0.49", "0.4")->Unit(benchmark::kMillisecond);

// b is "2." and a million random digits; two texts that differ in the last digit.
QString millionDigits(char last)
{
    std::mt19937 random(1);
    std::uniform_int_distribution<int> digit(0, 9);
    std::string text = "2.";
    while (text.size() < 999999)
        text += static_cast<char>('0' + digit(random));
    return QString::fromStdString(text + last);
}

// A keystroke in a million-digit field, as long as the UI thread is busy with
// it: the field takes the text and is drawn, the page takes the request and
// is drawn. The analysis runs on the worker thread meanwhile. Without the
// details window open: what the main window's field costs by itself.
void longFieldKeystroke(benchmark::State& state, bool details)
{
    NoDesktop desktop;
    zembrel::MainWindow window(desktop);
    window.show();
    fillQuadratic(window);
    const QString texts[] = {millionDigits('1'), millionDigits('2')};
    window.field(zembrel::quadratic::b)->setText(texts[0]);
    if (details)
        window.openDetails(&zembrel::kQuadraticPanel);
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        window.field(zembrel::quadratic::b)->setText(texts[flip ? 1 : 0]);
        QApplication::processEvents();
        window.repaint();
        if (details)
            window.detailsWindow()->repaint();
    }
    while (details && window.detailsWindow()->analysing())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}
BENCHMARK_CAPTURE(longFieldKeystroke, detailsOpen, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(longFieldKeystroke, detailsClosed, false)->Unit(benchmark::kMillisecond);

// The same field's analysis, which the UI thread waited for before it moved to the worker.
void longFieldAnalysis(benchmark::State& state)
{
    NoDesktop desktop;
    zembrel::MainWindow window(desktop);
    fillQuadratic(window);
    window.field(zembrel::quadratic::b)->setText(millionDigits('1'));
    for (auto _ : state) {
        // A fresh solution each time: the cache would answer from the first.
        std::vector<std::string> texts;
        for (const zembrel::Field field : zembrel::kQuadraticPanel.coefficients)
            texts.push_back(window.text(field));
        const auto solution = zembrel::kQuadraticPanel.solutionOf([&] {
            std::vector<zembrel::Reading> read;
            for (std::size_t i = 0; i < texts.size(); ++i) {
                const zembrel::ExactNumber n = zembrel::ReadExact(texts[i]);
                read.push_back({zembrel::kQuadraticPanel.coefficients[i], texts[i], n.value, n.whole, n.overflow});
            }
            return read;
        }());
        benchmark::DoNotOptimize(zembrel::AnswerOf(*solution));
    }
}
BENCHMARK(longFieldAnalysis)->Unit(benchmark::kMillisecond);

// One keystroke in 输入方程: the text changes, the worker solves it, the
// page shows the answer and is drawn. Everything the user waits for.
void equationKeystroke(benchmark::State& state, const char* text)
{
    NoDesktop desktop;
    zembrel::MainWindow window(desktop);
    window.show();
    window.openEquation();
    zembrel::EquationWindow& equations = *window.equationWindow();
    const QString texts[] = {QString::fromUtf8(text), QString::fromUtf8(text) + QLatin1Char(' ')};
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        equations.input()->setPlainText(texts[flip ? 1 : 0]);
        while (equations.solving())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QApplication::processEvents();
        equations.repaint();
    }
}
BENCHMARK_CAPTURE(equationKeystroke, quadratic, "(x-1)(x+2)=3")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(equationKeystroke, degree_10,
                  "314x^10-271x^9+161x^8-577x^7+223x^6-141x^5+732x^4-205x^3+618x^2-339x+127=0")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(equationKeystroke, four_unknowns, "2a+3b-c+d=5, a-b+2c-3d=1, 3a+b+c+d=7, a+2b-2c+d=0")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(equationKeystroke, quartic_inequality, "x^4-5x^2+4<0")->Unit(benchmark::kMillisecond);

// A keystroke while a heavy text (degree 100) is being solved aside: how long
// the UI thread is held, which is what typing feels.
void equationKeystrokeWhileSolving(benchmark::State& state)
{
    NoDesktop desktop;
    zembrel::MainWindow window(desktop);
    window.show();
    window.openEquation();
    zembrel::EquationWindow& equations = *window.equationWindow();
    equations.input()->setPlainText(QStringLiteral("x^100 - 3x^57 + 2x - 1 = 0"));
    equations.input()->moveCursor(QTextCursor::End);
    for (auto _ : state) {
        equations.input()->insertPlainText(QStringLiteral(" "));
        QApplication::processEvents();
        equations.repaint();
    }
    while (equations.solving())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}
BENCHMARK(equationKeystrokeWhileSolving)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    zembrel::useSongFontThroughout();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
