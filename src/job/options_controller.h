#pragma once

#include <string>
#include <utility>

#include "base/settings_store.h"
#include "base/window.h"

namespace brimwell {

/// Keeps the window's option controls and the settings store in step: every click and
/// every change of the folder box is written at once, and start-up restores them all.
class OptionsController {
public:
    /// desktopFolder is the first-start destination; a separator is added at its end.
    OptionsController(Window& window, SettingsStore& store, std::string desktopFolder)
        : m_window(window), m_store(store), m_desktopFolder(std::move(desktopFolder))
    {}

    /// A click on an option button (Option1_Click ... Option10_Click): writes every key of
    /// its frame; a click in the destination frame also enables the folder box exactly
    /// when "Save results to this folder:" is selected.
    void optionClick(Control option);
    /// A click on a check box (Check3_Click ... Check10_Click): writes its own key.
    void checkClick(Control box);
    /// Text1_Change: writes the folder box's whole text.
    void Text1_Change();
    /// The "?" button of the filter frame.
    void PushButton3_Click();

    /// Restores every control from the store in start-up order, then the folder box's
    /// enabled state. A stored value that cannot be converted is reported (as a failure
    /// of Form_Load) and leaves its control as it was.
    void restore();

private:
    std::string read(std::string_view key, std::string_view defaultValue) const;
    void write(std::string_view key, std::string_view value);
    void updateFolderBox();

    Window& m_window;
    SettingsStore& m_store;
    std::string m_desktopFolder;
};

}  // namespace brimwell
