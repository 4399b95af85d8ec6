#pragma once

#include <string>
#include <string_view>

namespace brimwell {

inline constexpr std::string_view kSettingsApplication = "Pellbrook";
inline constexpr std::string_view kSettingsSection = "Brimwell";

/// The per-user settings store: one string value per key, kept between runs.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    /// The stored value, or defaultValue when the key is absent.
    virtual std::string read(std::string_view application, std::string_view section,
                             std::string_view key, std::string_view defaultValue) const = 0;
    virtual void write(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view value) = 0;
};

}  // namespace brimwell
