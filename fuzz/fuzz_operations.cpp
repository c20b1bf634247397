// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs a decoded sequence of user actions through the recording window and
// the event table. Each action must finish or end in a runtime error box;
// any other exception escapes the boundary and ends the run as a crash.
//
// The input is read as actions, one after another:
//   first byte     bit 0 set: no calculator program is installed
//   0b00xxxxxx or  type into field xxxxxx % 26 + 1 the text of the next
//   0b01xxxxxx     byte % 64 bytes that follow (fewer at the end)
//   0b10xxxxxx     click button xxxxxx % 8 + 1; a disabled one does nothing
//   0b11xxxxxx     choose menu item xxxxxx % 5
// The run ends with the input or when the program is asked to exit.

#include "recording_window.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

using namespace zembrel;

namespace {

bool isKnownRuntimeError(int number)
{
    return std::ranges::any_of(runtimeErrorDescriptions(),
                               [number](const ErrorDescription& error) { return error.number == number; });
}

void check(const Recorded& event)
{
    if (const auto* error = std::get_if<ErrorShown>(&event); error && !isKnownRuntimeError(error->number)) {
        std::fprintf(stderr, "unexpected runtime error %d\n", error->number);
        std::abort();
    }
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return position_ == size_; }
    std::uint8_t next() { return empty() ? 0 : data_[position_++]; }
    std::string_view take(std::size_t count)
    {
        const std::size_t available = size_ - position_ < count ? size_ - position_ : count;
        const std::string_view bytes(reinterpret_cast<const char*>(data_ + position_), available);
        position_ += available;
        return bytes;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input input(data, size);
    const bool calculatorMissing = (input.next() & 1) != 0;
    HeadlessSession session(check, calculatorMissing);

    while (!input.empty() && !session.exited()) {
        const std::uint8_t action = input.next();
        const int operand = action & 0x3f;
        switch (action >> 6) {
        case 0:
        case 1: {
            const auto field = kFields[operand % kFieldCount];
            session.type(field, input.take(input.next() % 64));
            break;
        }
        case 2: {
            session.click(kButtons[operand % kButtonCount]);
            break;
        }
        default: session.choose(static_cast<MenuItem>(operand % kMenuItemCount)); break;
        }
    }
    return 0;
}
