// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Small blocks a thread frees, kept for the next ones of the same size it
// asks for. glibc keeps only seven freed blocks of a size at hand per
// thread; an analysis frees hundreds of formula nodes and numbers, and the
// rest took its slow path. (Not under AddressSanitizer, which must see every
// block freed.)

#include <cstddef>
#include <new>
#include <utility>

namespace zembrel::engine {

#if defined(__has_feature) // clang
#if __has_feature(address_sanitizer)
#define ZEMBREL_ADDRESS_SANITIZER
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(ZEMBREL_ADDRESS_SANITIZER)
inline constexpr bool kKeepBlocks = false;
#else
inline constexpr bool kKeepBlocks = true;
#endif

// The blocks of one size a thread keeps, each given back by Release (which
// frees what the allocator that made it allocated). Plain values, so that a
// block freed as the program ends (a solution kept in a static cache) still
// finds them.
template <std::size_t Size, void (*Release)(void*)>
class KeptBlocks {
public:
    // A kept block of Size bytes, or nullptr.
    static void* take()
    {
        if (!kKeepBlocks || kept == nullptr)
            return nullptr;
        --count;
        return std::exchange(kept, kept->next);
    }

    // False where the block is not kept and the caller frees it.
    static bool keep(void* block)
    {
        if (!kKeepBlocks || closed || count == kMostKept)
            return false;
        static_cast<void>(&closer); // made with the first block kept, to give them back
        kept = ::new (block) Block{kept};
        ++count;
        return true;
    }

private:
    struct Block {
        Block* next;
    };
    static_assert(Size >= sizeof(Block));
    static constexpr std::size_t kMostKept = 4096;

    // Gives the blocks back as the thread ends; none are kept after.
    struct Closer {
        Closer() = default;
        Closer(const Closer&) = delete;
        Closer& operator=(const Closer&) = delete;
        ~Closer()
        {
            closed = true;
            while (kept != nullptr)
                Release(std::exchange(kept, kept->next));
            count = 0;
        }
    };

    static thread_local Block* kept;
    static thread_local std::size_t count;
    static thread_local bool closed;
    static thread_local Closer closer;
};

template <std::size_t Size, void (*Release)(void*)>
thread_local typename KeptBlocks<Size, Release>::Block* KeptBlocks<Size, Release>::kept = nullptr;
template <std::size_t Size, void (*Release)(void*)>
thread_local std::size_t KeptBlocks<Size, Release>::count = 0;
template <std::size_t Size, void (*Release)(void*)>
thread_local bool KeptBlocks<Size, Release>::closed = false;
template <std::size_t Size, void (*Release)(void*)>
thread_local typename KeptBlocks<Size, Release>::Closer KeptBlocks<Size, Release>::closer;

} // namespace zembrel::engine
