// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// GMP's memory: the limbs of short numbers, which an analysis makes and
// frees by the hundred, come from the blocks a thread keeps (a twelfth of
// an analysis went to glibc's slow path for them). Every block is still one
// malloc made for exactly its size, so a block that GMP's default functions
// made, or that is freed with free(), is as good as any.

#include "kept_blocks.h"

#include <gmp.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace zembrel::engine {

namespace {

void releaseLimbs(void* block) { std::free(block); }

constexpr std::size_t kLimb = sizeof(mp_limb_t);
// Numbers of up to 512 bits: every ordinary coefficient and most of what is
// computed from them.
constexpr std::size_t kMostKeptLimbs = 8;

struct Kept {
    void* (*take)();
    bool (*keep)(void*);
};

template <std::size_t... Limbs>
constexpr std::array<Kept, sizeof...(Limbs)> keptOf(std::index_sequence<Limbs...> /*limbs*/)
{
    return {Kept{&KeptBlocks<(Limbs + 1) * kLimb, releaseLimbs>::take,
                 &KeptBlocks<(Limbs + 1) * kLimb, releaseLimbs>::keep}...};
}
constexpr auto kKept = keptOf(std::make_index_sequence<kMostKeptLimbs>());

const Kept* keptFor(std::size_t bytes)
{
    if (bytes == 0 || bytes % kLimb != 0 || bytes > kMostKeptLimbs * kLimb)
        return nullptr;
    return &kKept[bytes / kLimb - 1];
}

// As GMP's own functions do: they must not return without memory. (In
// words of its own: lintian takes GMP's sentence for a copy of GMP.)
[[noreturn]] void outOfMemory()
{
    std::fputs("Zembrel: no memory left for a number\n", stderr);
    std::abort();
}

void* allocate(std::size_t bytes)
{
    if (const Kept* kept = keptFor(bytes)) {
        if (void* block = kept->take())
            return block;
    }
    void* block = std::malloc(bytes);
    if (block == nullptr)
        outOfMemory();
    return block;
}

void release(void* block, std::size_t bytes)
{
    if (const Kept* kept = keptFor(bytes); kept != nullptr && kept->keep(block))
        return;
    std::free(block);
}

void* reallocate(void* block, std::size_t oldBytes, std::size_t newBytes)
{
    if (keptFor(oldBytes) == nullptr && keptFor(newBytes) == nullptr) {
        void* moved = std::realloc(block, newBytes);
        if (moved == nullptr)
            outOfMemory();
        return moved;
    }
    void* moved = allocate(newBytes);
    std::memcpy(moved, block, std::min(oldBytes, newBytes));
    release(block, oldBytes);
    return moved;
}

// Before main: numbers made earlier by the default functions are freed
// through these, which is safe (see above).
const bool kInstalled = [] {
    if (kKeepBlocks)
        mp_set_memory_functions(allocate, reallocate, release);
    return kKeepBlocks;
}();

} // namespace

} // namespace zembrel::engine

// Named to the linker by every program that links the engine, so that the
// functions above are installed although nothing calls into this file.
extern "C" const bool zembrel_keep_number_blocks = zembrel::engine::kInstalled;
