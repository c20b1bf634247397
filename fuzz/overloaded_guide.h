#pragma once

// Clang before 17 cannot deduce the template arguments of an aggregate, so the
// Overloaded visitor in recording_window.cpp needs a deduction guide; this
// declares it ahead of the definition, in that file's own unnamed namespace.
namespace zembrel {
namespace {
template <class... Ts>
struct Overloaded;
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;
} // namespace
} // namespace zembrel
