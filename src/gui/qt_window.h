#pragma once

#include <QCursor>
#include <QElapsedTimer>

#include "base/window.h"
#include "gui/form_controls.h"

class QAbstractButton;
class QComboBox;
class QTreeWidgetItem;
class QWidget;

namespace brimwell {

class DialogProvider;
class SettingsStore;

/// The Window port over the real widgets of the main window: every read asks the control,
/// every dialog goes through the DialogProvider.
class QtWindow : public Window {
public:
    /// `settings` keeps the folder the open dialog was last used in.
    QtWindow(QWidget& form, const FormControls& controls, DialogProvider& dialogs,
             SettingsStore& settings);

    /// The pointer shown for Pointer::Custom (the hand over push buttons).
    void setCustomCursor(const QCursor& cursor) { m_customCursor = cursor; }
    /// The list's pointer while an item is being moved.
    void setDragCursor(const QCursor& cursor) { m_dragCursor = cursor; }

    bool optionSelected(Control option) const override;
    int checkValue(Control box) const override;
    std::string text(Control box) const override;
    void setOptionSelected(Control option, bool selected) override;
    /// 0 clear, 1 ticked, 2 greyed; any other value is refused as invalid.
    void setCheckValue(Control box, int value) override;
    void setText(Control box, const std::string& text) override;
    void setFolderBoxEnabled(bool enabled) override;
    void setEncodingChoicesEnabled(bool enabled) override;

    int listCount() const override;
    std::string listItem(int index) const override;
    void listAdd(const std::string& text) override;
    void listRemove(int index) override;
    void listClear() override;
    int listSelected() const override;
    void listSelect(int index) override;
    void listSetItem(int index, const std::string& text) override;
    void listEnsureVisible(int index) override;
    void setListDragCursor(bool dragging) override;

    void setProgressValue(int value) override;
    void setProgressText(const std::string& text) override;

    Pointer pointer() const override { return m_pointer; }
    void setPointer(Pointer pointer) override;

    void refresh() override;
    /// Skipped within a few milliseconds of the previous one, so that a yield per line of a
    /// conversion costs nothing measurable.
    void yield() override;

    MessageAnswer messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                             const std::string& caption) override;
    std::string inputBox(const std::string& prompt, const std::string& caption,
                         const std::string& preset) override;
    /// Opens in the folder of the files chosen last time (the home folder at first).
    std::vector<std::string> openFilesDialog(const std::string& title,
                                             const std::string& filter) override;
    /// A typed name without an extension gets the filter's one ("all" becomes "all.csv").
    std::string saveFileDialog(const std::string& title, const std::string& filter,
                               const std::string& initialFolder) override;
    std::string browseForFolder(const std::string& title, const std::string& startFolder) override;
    /// Opens the folder in the desktop's file manager, or says where it is when there is none.
    void shellOpen(const std::string& path) override;

    /// The last answer of the save dialog, empty when it was cancelled or never shown.
    const std::string& lastSavedFile() const { return m_lastSavedFile; }

private:
    QAbstractButton& choice(Control control) const;
    /// The drop-down list of Combo1 or Combo2; throws for a control without text.
    QComboBox& list(Control control) const;
    QTreeWidgetItem& item(int index) const;

    QWidget& m_form;
    const FormControls& m_controls;
    DialogProvider& m_dialogs;
    SettingsStore& m_settings;
    std::string m_lastSavedFile;
    Pointer m_pointer = Pointer::Default;
    QCursor m_customCursor{Qt::PointingHandCursor};
    QCursor m_dragCursor{Qt::ClosedHandCursor};
    QElapsedTimer m_sinceYield;
};

}  // namespace brimwell
