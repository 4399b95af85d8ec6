#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

// Finding the first of a few bytes in short text, eight bytes at a time: vCard values and
// lines are mostly shorter than the start-up cost of a library search would pay back.

namespace brimwell::vcard {

/// Where the first byte of `text` at or after `from` that equals one of `bytes` is;
/// text.size() when there is none.
template <char... bytes>
std::size_t findFirstOf(std::string_view text, std::size_t from)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
    const char* data = text.data();
    const std::size_t size = text.size();
    if constexpr (std::endian::native == std::endian::little) {
        for (; from + 8 <= size; from += 8) {
            std::uint64_t word;
            std::memcpy(&word, data + from, 8);
            // A byte of `word ^ pattern` is zero where the byte matches; the lowest marked
            // byte is always a true match (higher ones may be borrows from it).
            auto matches = [word](char byte) {
                const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(byte));
                return (x - kOnes) & ~x & kHighs;
            };
            const std::uint64_t found = (matches(bytes) | ...);
            if (found != 0)
                return from + static_cast<std::size_t>(std::countr_zero(found)) / 8;
        }
    }
    for (; from < size; ++from)
        if (((data[from] == bytes) || ...))
            return from;
    return size;
}

/// How many bytes of `text` equal one of `bytes`.
template <char... bytes>
std::size_t countOf(std::string_view text)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7FULL;
    const char* data = text.data();
    const std::size_t size = text.size();
    std::size_t count = 0;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        // The high bit of each byte of `matches` is set exactly where the byte is `byte`
        // (no borrow crosses bytes, unlike the test of findFirstOf).
        auto matches = [word](char byte) {
            const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(byte));
            return ~(((x & kLows) + kLows) | x) & ~kLows;
        };
        count += static_cast<std::size_t>(std::popcount((matches(bytes) | ...)));
    }
    for (; i < size; ++i)
        count += static_cast<std::size_t>(((data[i] == bytes) || ...));
    return count;
}

}  // namespace brimwell::vcard
