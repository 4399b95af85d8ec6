#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Finding the first of a few bytes in short text: vCard values and lines are mostly shorter
// than the start-up cost of a library search would pay back. With SSE2 the text is read in
// aligned blocks of sixteen bytes, without the byte-by-byte tail that short values would
// spend most of their time in; elsewhere eight bytes at a time.

namespace brimwell::vcard {

/// findFirstOf() eight bytes at a time, for processors without SSE2 (and for the tests, which
/// check both ways on every machine).
template <char... bytes>
std::size_t findFirstOfByWords(std::string_view text, std::size_t from)
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

#if defined(__SSE2__)
namespace detail {

// The address and thread sanitizers would take the reads of whole blocks (see findInBlocks)
// for the program's own, so they are told to leave these functions alone.

/// One bit for each byte of the aligned block at `block` that equals one of `bytes`.
template <char... bytes>
__attribute__((no_sanitize("address", "thread"))) unsigned blockMatches(std::uintptr_t block)
{
    const __m128i chunk = _mm_load_si128(reinterpret_cast<const __m128i*>(block));
    __m128i found = _mm_setzero_si128();
    ((found = _mm_or_si128(found, _mm_cmpeq_epi8(chunk, _mm_set1_epi8(bytes)))), ...);
    return static_cast<unsigned>(_mm_movemask_epi8(found));
}

/// One bit for each byte of the aligned block at `block` that is 0x80 or above.
__attribute__((no_sanitize("address", "thread"))) inline unsigned blockHighBytes(
    std::uintptr_t block)
{
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_load_si128(reinterpret_cast<const __m128i*>(block))));
}

/// Where the first byte of `text` at or after `from` is that `blockMask` marks; text.size()
/// when there is none. The text is read in aligned blocks of sixteen bytes, of which the
/// first and the last may take in bytes before `from` and past the end: an aligned block
/// never crosses a page, so reading it cannot fault, and the marks outside the text are
/// masked off.
template <unsigned (*blockMask)(std::uintptr_t)>
std::size_t findInBlocks(std::string_view text, std::size_t from)
{
    if (from >= text.size())
        return text.size();
    const auto start = reinterpret_cast<std::uintptr_t>(text.data());
    const std::uintptr_t first = start + from;
    const std::uintptr_t end = start + text.size();
    std::uintptr_t block = first & ~std::uintptr_t{15};
    unsigned mask = blockMask(block) >> (first - block) << (first - block);
    for (;;) {
        if (mask != 0) {
            const std::uintptr_t at = block + static_cast<unsigned>(std::countr_zero(mask));
            return at < end ? at - start : text.size();
        }
        block += 16;
        if (block >= end)
            return text.size();
        mask = blockMask(block);
    }
}

}  // namespace detail
#endif

/// Where the first byte of `text` at or after `from` that equals one of `bytes` is;
/// text.size() when there is none.
template <char... bytes>
std::size_t findFirstOf(std::string_view text, std::size_t from)
{
#if defined(__SSE2__)
    return detail::findInBlocks<detail::blockMatches<bytes...>>(text, from);
#else
    return findFirstOfByWords<bytes...>(text, from);
#endif
}

/// findFirstNonAscii() eight bytes at a time, for processors without SSE2 (and the tests).
inline std::size_t findFirstNonAsciiByWords(std::string_view text, std::size_t from)
{
    const char* data = text.data();
    const std::size_t size = text.size();
    for (; from + 8 <= size; from += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + from, 8);
        if ((word & 0x8080808080808080ULL) != 0)
            break;
    }
    for (; from < size; ++from)
        if (static_cast<unsigned char>(data[from]) >= 0x80)
            return from;
    return size;
}

/// Where the first byte of `text` at or after `from` that is 0x80 or above is; text.size()
/// when there is none.
inline std::size_t findFirstNonAscii(std::string_view text, std::size_t from)
{
#if defined(__SSE2__)
    return detail::findInBlocks<detail::blockHighBytes>(text, from);
#else
    return findFirstNonAsciiByWords(text, from);
#endif
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
        // One bit a matching byte, summed into the top byte by the multiplication.
        count += static_cast<std::size_t>((((matches(bytes) | ...) >> 7) * kOnes) >> 56);
    }
    for (; i < size; ++i)
        count += static_cast<std::size_t>(((data[i] == bytes) || ...));
    return count;
}

}  // namespace brimwell::vcard
