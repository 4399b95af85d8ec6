#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace brimwell {

/// The column names of a combined CSV in order of first appearance, with a hash index so
/// that finding a column does not walk the list.
class HeaderList {
public:
    const std::vector<std::string>& names() const { return m_names; }
    bool empty() const { return m_names.empty(); }
    std::size_t size() const { return m_names.size(); }

    /// The index of `name` (exact, case-sensitive), or -1.
    long find(std::string_view name) const;
    /// Appends `name` unless it is listed already.
    void add(std::string_view name);
    /// Drops the names from position `size` on.
    void truncate(std::size_t size);

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const
        {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::vector<std::string> m_names;
    std::unordered_map<std::string, long, Hash, std::equal_to<>> m_index;
};

/// The index of the first column named `name`, or -1 (also for an empty list).
long isHeaderExists(std::string_view name, const HeaderList& headers);

}  // namespace brimwell
