#pragma once

#include <map>
#include <string>
#include <tuple>

#include "base/settings_store.h"

namespace brimwell::test {

/// A SettingsStore in memory; `values` is keyed by (application, section, key).
class MemorySettingsStore : public SettingsStore {
public:
    using Key = std::tuple<std::string, std::string, std::string>;
    std::map<Key, std::string> values;

    std::string read(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view defaultValue) const override
    {
        auto found = values.find(Key(application, section, key));
        return found == values.end() ? std::string(defaultValue) : found->second;
    }
    void write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view value) override
    {
        values[Key(application, section, key)] = std::string(value);
    }

    /// The value under the program's own application and section, or "<absent>".
    std::string get(std::string_view key) const
    {
        return read(kSettingsApplication, kSettingsSection, key, "<absent>");
    }
    void set(std::string_view key, std::string_view value)
    {
        write(kSettingsApplication, kSettingsSection, key, value);
    }
};

}  // namespace brimwell::test
