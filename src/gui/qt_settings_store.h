#pragma once

#include "base/settings_store.h"

namespace brimwell {

/// The settings store over QSettings: an INI file per user, named after the application
/// ("Pellbrook/Brimwell.ini"), one group per section.
class QtSettingsStore : public SettingsStore {
public:
    std::string read(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view defaultValue) const override;
    void write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view value) override;
};

}  // namespace brimwell
