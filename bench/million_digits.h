// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <random>
#include <string>

// The worst a field can hold: a million characters of random digits, whose
// fractions share no factor that would make the arithmetic short.
inline std::string MillionDigits()
{
    std::mt19937 random(2026);
    std::string text = "-7.";
    while (text.size() < 1'000'000)
        text += static_cast<char>('0' + random() % 10);
    return text;
}
