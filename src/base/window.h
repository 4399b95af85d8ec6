#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brimwell {

/// The main window's option controls, named as the window names them.
enum class Control {
    Option1,   // "CSV"
    Option2,   // "Gmail (CSV)"
    Option3,   // "Tab"
    Option4,   // "Semicolon"
    Option5,   // "Comma"
    Option6,   // "Comma-Space"
    Option7,   // "Create One CSV From All VCF Files"
    Option8,   // "Create Separate CSV For Each VCF File"
    Option9,   // "Save results to this folder:"
    Option10,  // "Save results in folder of original file"
    Check3,    // "E-mails"
    Check4,    // "Phone Numbers"
    Check6,    // "Names"
    Check8,    // "Addresses"
    Check9,    // "Inclosed With Double Quotes"
    Check10,   // "Remove CRLF (Carriage Return/Linefeed)"
    Text1,     // the destination folder
    Option11,  // "Google Contacts"
    Option12,  // "Outlook"
    Option13,  // "Spreadsheet (all fields)"
    Combo1,    // the encoding of the new layouts' CSVs
    Combo2,    // the code page of 8-bit vCard text without a CHARSET
};

/// The window's mouse pointer; the numbers are the values the program stores and compares.
enum class Pointer { Default = 0, Hourglass = 11, Custom = 99 };

enum class MessageButtons { Ok, YesNo };
/// Exclamation marks an error report; Warning tells of what a run could not do perfectly
/// (a broken card, a character the code page lacks) without making it an error.
enum class MessageIcon { None, Exclamation, Warning };
enum class MessageAnswer { Ok, Yes, No };

/// What the program's logic needs of its main window. Every read is live: the value the
/// window shows at the moment of the call. List indexes are 1-based, in display order.
class Window {
public:
    virtual ~Window() = default;

    virtual bool optionSelected(Control option) const = 0;
    virtual int checkValue(Control box) const = 0;  ///< 0 clear, 1 ticked
    virtual std::string text(Control box) const = 0;
    /// Selecting a button clears the others of its frame; clearing one changes nothing else.
    virtual void setOptionSelected(Control option, bool selected) = 0;
    virtual void setCheckValue(Control box, int value) = 0;
    virtual void setText(Control box, const std::string& text) = 0;
    /// Enables or disables the folder box and its browse button (the frame holding Text1).
    virtual void setFolderBoxEnabled(bool enabled) = 0;
    /// Enables or disables the Encoding and fallback code page choices (Combo1, Combo2).
    virtual void setEncodingChoicesEnabled(bool enabled) = 0;

    virtual int listCount() const = 0;
    virtual std::string listItem(int index) const = 0;
    virtual void listAdd(const std::string& text) = 0;
    virtual void listRemove(int index) = 0;
    virtual void listClear() = 0;
    virtual int listSelected() const = 0;  ///< 0 when no item is selected
    virtual void listSelect(int index) = 0;
    virtual void listSetItem(int index, const std::string& text) = 0;
    virtual void listEnsureVisible(int index) = 0;
    /// The list's own pointer: the drag cursor while an item is being moved, else the arrow.
    virtual void setListDragCursor(bool dragging) = 0;

    virtual void setProgressValue(int value) = 0;
    virtual void setProgressText(const std::string& text) = 0;

    virtual Pointer pointer() const = 0;
    virtual void setPointer(Pointer pointer) = 0;

    /// Repaints the window now.
    virtual void refresh() = 0;
    /// Lets pending window events run, so that a click can arrive in the middle of a run.
    virtual void yield() = 0;

    virtual MessageAnswer messageBox(const std::string& text, MessageButtons buttons,
                                     MessageIcon icon, const std::string& caption) = 0;
    /// Returns the empty string when the user cancels.
    virtual std::string inputBox(const std::string& prompt, const std::string& caption,
                                 const std::string& preset) = 0;
    /// Multi-select open dialog: full paths in order, none when cancelled.
    virtual std::vector<std::string> openFilesDialog(const std::string& title,
                                                     const std::string& filter) = 0;
    /// Save dialog opening at initialFolder; the empty string when cancelled.
    virtual std::string saveFileDialog(const std::string& title, const std::string& filter,
                                       const std::string& initialFolder) = 0;
    /// Folder picker opening at startFolder; the empty string when cancelled.
    virtual std::string browseForFolder(const std::string& title,
                                        const std::string& startFolder) = 0;
    /// Opens a folder or document with the desktop's default application.
    virtual void shellOpen(const std::string& path) = 0;

    /// A CSV file that could not be written: called once per output file, at its first
    /// failed open or write, with the errno value. Silent by default, as the window's run
    /// says nothing about writes; the console program reports it.
    virtual void writeFailed(const std::string& /*path*/, int /*error*/) {}
};

/// True when the check box `box` is ticked now.
inline bool isTicked(const Window& window, Control box)
{
    return window.checkValue(box) == 1;
}

}  // namespace brimwell
