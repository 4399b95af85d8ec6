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

    /// A click on an option button (Option1_Click ... Option13_Click): writes every key of
    /// its frame; a click in the destination frame also enables the folder box exactly
    /// when "Save results to this folder:" is selected, one in the Format frame the
    /// encoding choices exactly when a layout of the faithful engine is.
    void optionClick(Control option);
    /// A click on a check box (Check3_Click ... Check10_Click): writes its own key.
    void checkClick(Control box);
    /// Text1_Change: writes the folder box's whole text.
    void Text1_Change();
    /// A new choice in Combo1 or Combo2: writes its text.
    void choiceChange(Control box);
    /// The "?" button of the filter frame.
    void PushButton3_Click();

    /// Restores every control from the store in start-up order, then the enabled state of
    /// the folder box and of the encoding choices. A stored value that cannot be converted is
    /// reported (as a failure of Form_Load) and leaves its control as it was.
    void restore();

private:
    std::string read(std::string_view key, std::string_view defaultValue) const;
    void write(std::string_view key, std::string_view value);
    void updateFolderBox();
    void updateEncodingChoices();

    Window& m_window;
    SettingsStore& m_store;
    std::string m_desktopFolder;
};

}  // namespace brimwell
