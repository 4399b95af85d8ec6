#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace brimwell {

/// The column names of a combined CSV in order of first appearance, with a hash index so
/// that finding a column does not walk the list, and a memory of the names asked for. The
/// rules hand over column names from their constant tables, so a name asked for before
/// mostly comes again at the same address: a small table keyed by the address answers it
/// without hashing, once it has checked that the column it remembers has that very name.
/// An address is only ever a hint, so a name may live anywhere.
class HeaderList {
public:
    const std::vector<std::string>& names() const { return m_names; }
    bool empty() const { return m_names.empty(); }
    std::size_t size() const { return m_names.size(); }

    /// The index of `name` (exact, case-sensitive), or -1.
    long find(std::string_view name) const
    {
        Remembered& slot = m_remembered[slotOf(name.data())];
        if (slot.address == name.data() && slot.index < m_names.size() &&
            sameText(m_names[slot.index], name))
            return static_cast<long>(slot.index);
        const long index = lookUp(name);
        if (index != -1)
            slot = {name.data(), static_cast<std::size_t>(index)};
        return index;
    }
    /// Appends `name` unless it is listed already.
    void add(std::string_view name);
    /// Drops the names from position `size` on.
    void truncate(std::size_t size);

    /// a == b without a library call, for texts as short as column names: eight characters
    /// at a time, the last eight overlapping the ones before.
    static bool sameText(std::string_view a, std::string_view b)
    {
        if (a.size() != b.size())
            return false;
        if (a.size() < 8)
            return std::equal(a.begin(), a.end(), b.begin());
        const auto word = [](const char* at) {
            std::uint64_t bits;
            std::memcpy(&bits, at, 8);
            return bits;
        };
        for (std::size_t at = 0; at + 8 < a.size(); at += 8) {
            if (word(a.data() + at) != word(b.data() + at))
                return false;
        }
        return word(a.data() + a.size() - 8) == word(b.data() + b.size() - 8);
    }

private:
    struct Remembered {
        const char* address = nullptr;
        std::size_t index = 0;
    };
    static constexpr int kSlotBits = 8;  // far more slots than a layout has columns

    static std::size_t slotOf(const char* address)
    {
        // The address's bits mixed by a multiplication; the top ones pick the slot.
        const auto mixed = reinterpret_cast<std::uintptr_t>(address) * 0x9E3779B97F4A7C15ull;
        return static_cast<std::size_t>(mixed >> (64 - kSlotBits));
    }
    long lookUp(std::string_view name) const;

    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const
        {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::vector<std::string> m_names;
    std::unordered_map<std::string, long, Hash, std::equal_to<>> m_index;
    mutable std::array<Remembered, std::size_t{1} << kSlotBits> m_remembered{};
};

/// The index of the first column named `name`, or -1 (also for an empty list).
long isHeaderExists(std::string_view name, const HeaderList& headers);

}  // namespace brimwell
