// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recording_window.h"

#include <array>
#include <cstdio>
#include <utility>

namespace zembrel {

RecordingWindow::RecordingWindow(Recorder recorder) : recorder_(std::move(recorder))
{
    for (const Field field : kFields)
        texts_[indexOf(field)] = field->startText;
    for (const Button button : kButtons)
        enabled_[indexOf(button)] = button->enabledAtStart;
}

void RecordingWindow::type(Field field, std::string_view text) { texts_[indexOf(field)] = text; }

bool RecordingWindow::isEnabled(Button button) const { return enabled_[indexOf(button)]; }

std::string RecordingWindow::text(Field field) const { return texts_[indexOf(field)]; }

void RecordingWindow::setText(Field field, std::string_view text)
{
    texts_[indexOf(field)] = text;
    recorder_(TextChanged{field, std::string(text)});
}

void RecordingWindow::setEnabled(Button button, bool enabled)
{
    enabled_[indexOf(button)] = enabled;
    recorder_(EnabledChanged{button, enabled});
}

void RecordingWindow::MsgBox(std::string_view prompt, MsgBoxStyle style)
{
    recorder_(MessageShown{style, std::string(prompt)});
}

void RecordingWindow::Print(std::string_view text)
{
    printed_.emplace_back(text);
    recorder_(LinePrinted{std::string(text)});
}

void RecordingWindow::showRuntimeError(const RuntimeError& error)
{
    recorder_(ErrorShown{error.number(), error.description()});
}

RecordingPlatform::RecordingPlatform(Recorder recorder, bool calculatorMissing)
    : recorder_(std::move(recorder)), calculatorMissing_(calculatorMissing)
{
}

bool RecordingPlatform::isInstalled(std::string_view) const { return !calculatorMissing_; }

bool RecordingPlatform::startDetached(std::string_view program, const std::vector<std::string>&)
{
    if (calculatorMissing_)
        return false;
    recorder_(CalculatorStarted{std::string(program)});
    return true;
}

void RecordingPlatform::openUrl(std::string_view url) { recorder_(UrlOpened{std::string(url)}); }

void RecordingPlatform::exitProgram()
{
    exited_ = true;
    recorder_(ProgramExited{});
}

HeadlessSession::HeadlessSession(const Recorder& recorder, bool calculatorMissing)
    : window_(recorder), platform_(recorder, calculatorMissing)
{
}

void HeadlessSession::click(Button button)
{
    if (window_.isEnabled(button))
        raiseClick(button, context());
}

void HeadlessSession::choose(MenuItem item) { raiseClick(item, context()); }

} // namespace zembrel
