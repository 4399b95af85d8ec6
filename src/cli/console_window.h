#pragma once

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

#include "base/window.h"
#include "job/option_values.h"

namespace brimwell {

/// The Window of the console program: options come from the command line, information
/// messages go to `out`, error reports and CSV files that could not be written to `err`,
/// and progress (when wanted) to `err` as one line that is rewritten in place. Questions
/// are answered No; the save dialog is answered with the name given on the command line.
class ConsoleWindow : public Window {
public:
    ConsoleWindow(std::ostream& out, std::ostream& err, bool showProgress)
        : m_out(out), m_err(err), m_showProgress(showProgress)
    {}

    OptionValues options;
    /// The save dialog's answer (the one-CSV file name).
    std::string saveAnswer;

    int errorReportCount() const { return m_errorReports; }
    int writeFailureCount() const { return m_writeFailures; }
    /// Ends the progress line, if one is shown.
    void finishProgress();

    bool optionSelected(Control option) const override { return options.selected(option); }
    int checkValue(Control box) const override { return options.check(box); }
    std::string text(Control box) const override { return options.text(box); }
    void setOptionSelected(Control option, bool selected) override;
    void setCheckValue(Control box, int value) override { options.setCheck(box, value); }
    void setText(Control box, const std::string& text) override { options.setText(box, text); }
    void setFolderBoxEnabled(bool) override {}
    void setEncodingChoicesEnabled(bool) override {}

    int listCount() const override { return static_cast<int>(m_items.size()); }
    std::string listItem(int index) const override { return m_items.at(index - 1); }
    void listAdd(const std::string& text) override { m_items.push_back(text); }
    void listRemove(int index) override;
    void listClear() override { m_items.clear(); }
    int listSelected() const override { return 0; }
    void listSelect(int) override {}
    void listSetItem(int index, const std::string& text) override { m_items.at(index - 1) = text; }
    void listEnsureVisible(int) override {}
    void setListDragCursor(bool) override {}

    void setProgressValue(int value) override;
    void setProgressText(const std::string& text) override;
    Pointer pointer() const override { return m_pointer; }
    void setPointer(Pointer pointer) override { m_pointer = pointer; }
    void refresh() override {}
    void yield() override {}

    MessageAnswer messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                             const std::string& caption) override;
    std::string inputBox(const std::string&, const std::string&, const std::string&) override
    {
        return {};
    }
    std::vector<std::string> openFilesDialog(const std::string&, const std::string&) override
    {
        return {};
    }
    std::string saveFileDialog(const std::string&, const std::string&, const std::string&) override
    {
        return saveAnswer;
    }
    std::string browseForFolder(const std::string&, const std::string&) override { return {}; }
    void shellOpen(const std::string&) override {}
    void writeFailed(const std::string& path, int error) override;

private:
    void drawProgress(bool force);

    std::ostream& m_out;
    std::ostream& m_err;
    bool m_showProgress;
    std::vector<std::string> m_items;
    Pointer m_pointer = Pointer::Default;
    int m_errorReports = 0;
    int m_writeFailures = 0;
    int m_progressValue = 0;
    std::string m_progressText;
    bool m_progressShown = false;
    std::chrono::steady_clock::time_point m_lastDraw{};
};

}  // namespace brimwell
