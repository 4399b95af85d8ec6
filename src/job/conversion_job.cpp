#include "job/conversion_job.h"

#include <string>

#include "base/error_trap.h"
#include "base/messages.h"
#include "base/progress.h"
#include "conversion/gmail_export.h"
#include "conversion/multi_contact_split.h"
#include "conversion/output_path.h"
#include "conversion/source_guard.h"
#include "conversion/standard_combined.h"
#include "conversion/standard_per_file.h"
#include "job/faithful_export.h"
#include "textio/paths.h"
#include "textio/text_reader.h"

namespace brimwell {

namespace {

constexpr std::string_view kMultiContactWarning =
    "Some vCard(s) have more than one contact and may be exported incorrectly.";

std::string chosenSeparator(const Window& window)
{
    if (window.optionSelected(Control::Option3))
        return "\t";
    if (window.optionSelected(Control::Option4))
        return ";";
    if (window.optionSelected(Control::Option5))
        return ",";
    if (window.optionSelected(Control::Option6))
        return ", ";
    return "";
}

bool filterOn(const Window& window)
{
    for (Control box : {Control::Check3, Control::Check4, Control::Check6, Control::Check8})
        if (isTicked(window, box))
            return true;
    return false;
}

/// The converter itself, or its filtered twin when a filter box is ticked now.
template <class Converter>
Converter* chooseConverter(const Window& window, Converter* plain, Converter* filtered)
{
    return filterOn(window) ? filtered : plain;
}

/// "Create One CSV From All VCF Files": asks for the CSV's name in the save dialog and,
/// unless it is cancelled or would replace a listed source, has `write` make it.
template <class Write>
void writeOneCsv(Window& window, ErrorTrap& trap, Write&& write)
{
    std::string chosen;
    trap.step(8, [&] {
        chosen = window.saveFileDialog("Save CSV File As", "CSV Files (*.csv)|*.csv",
                                       window.text(Control::Text1));
    });
    if (chosen.empty())
        return;
    trap.step(8, [&] {
        refuseListedSource(window, chosen, "", "no CSV file was written");
        write(chosen);
    });
}

}  // namespace

void ConversionJob::PushButton2_Click()
{
    if (m_jobRunning) {
        m_outcome = RunOutcome::Ignored;
        return;
    }
    m_jobRunning = true;
    m_outcome = run();
    m_jobRunning = false;
}

RunOutcome ConversionJob::run()
{
    Window& window = m_window;
    ErrorTrap trap(window, "Form1", "PushButton2_Click");

    if (window.listCount() == 0) {
        showInformation(window, "No files added.");
        return RunOutcome::NoFiles;
    }
    if (!FolderExists(window.text(Control::Text1)) && !window.optionSelected(Control::Option10)) {
        showInformation(window, "Folder does not exist. Please select another folder.");
        return RunOutcome::NoFolder;
    }
    const std::string separator = chosenSeparator(window);
    window.setPointer(Pointer::Hourglass);
    if (const auto layout = chosenFaithfulLayout(window))
        runFaithful(trap, faithfulOptions(window, *layout, separator));
    else
        runClassic(trap, separator);

    trap.step(9, [&] {
        window.setPointer(Pointer::Default);
        window.setProgressValue(0);
        window.setProgressText("Progress Bar");
    });
    showInformation(window, "Done.");
    return RunOutcome::Done;
}

void ConversionJob::runClassic(ErrorTrap& trap, const std::string& separator)
{
    Window& window = m_window;
    bool multiContact = false;

    // Sets the bar for item i and returns its path.
    auto startItem = [&window](int i) {
        const std::string path = window.listItem(i);
        window.setProgressValue(progressPercent(i, window.listCount()));
        window.setProgressText("Processing: " + GetFileName(path));
        return path;
    };
    // Reads and splits one file into `split`; the split writes its own text into the bar, so
    // it is set again. The contacts stay views into the text kept with them (where the split
    // procedure would copy them into the contact lists: the lists would need the memory
    // of the file twice over).
    struct SplitFile {
        std::string text;
        ContactCut cut;
    };
    auto countContacts = [&window](const std::string& path, SplitFile& split) {
        split.cut = {};
        readWholeText(path, split.text);
        split.cut = cutContacts(window, split.text, path);
        window.setProgressText("Processing: " + GetFileName(path));
        window.yield();
        return split.cut.count;
    };
    SplitFile split;

    if (window.optionSelected(Control::Option2)) {
        const int n = window.listCount();
        for (int i = 1; i <= n && !multiContact; ++i) {
            std::string path;
            trap.step(6, [&] {
                path = startItem(i);
                window.yield();
                window.setPointer(Pointer::Hourglass);
            });
            trap.step(6, [&] { multiContact = countContacts(path, split) > 1; });
        }
    }

    if (window.optionSelected(Control::Option8)) {
        const int n = window.listCount();
        for (int i = 1; i <= n; ++i) {
            std::string path;
            trap.step(7, [&] {
                path = startItem(i);
                window.yield();
                window.setPointer(Pointer::Hourglass);
            });
            if (window.optionSelected(Control::Option1)) {
                long contacts = 0;
                trap.step(7, [&] { contacts = countContacts(path, split); });
                if (contacts > 1) {
                    for (long k = 0; k < contacts; ++k) {
                        trap.step(7, [&] {
                            const std::string target = perContactTarget(window, path, k);
                            if (target.empty())
                                return;
                            refuseListedSource(window, target, path,
                                               "contact " + std::to_string(k + 1) + " of " + path +
                                                   " was not converted");
                            const std::string contact(
                                split.cut.contacts.at(static_cast<std::size_t>(k)));
                            chooseConverter(window, ConvertVCFToSingleCSV,
                                            ConvertVCFToSingleCSVLimit)(window, target, separator,
                                                                        true, contact);
                        });
                    }
                } else {
                    trap.step(7, [&] {
                        chooseConverter(window, ConvertTresko, ConvertTreskoLimit)(window, path,
                                                                                   separator);
                    });
                }
            } else if (window.optionSelected(Control::Option2)) {
                trap.step(7, [&] {
                    if (multiContact)
                        showInformation(window, std::string(kMultiContactWarning));
                    chooseConverter(window, ConvertVCFToGmailCSV, ConvertVCFToGmailCSVLimit)(
                        window, path, separator);
                });
            }
        }
    } else if (window.optionSelected(Control::Option7)) {
        writeOneCsv(window, trap, [&](const std::string& chosen) {
            if (window.optionSelected(Control::Option1)) {
                chooseConverter(window, ConvertVCFToSingleCSV, ConvertVCFToSingleCSVLimit)(
                    window, chosen, separator, false, "");
            } else if (window.optionSelected(Control::Option2)) {
                if (multiContact)
                    showInformation(window, std::string(kMultiContactWarning));
                chooseConverter(window, ConvertVCFToGmailSingleCSV,
                                ConvertVCFToGmailSingleCSVLimit)(window, chosen, separator);
            }
        });
    }
}

void ConversionJob::runFaithful(ErrorTrap& trap, const FaithfulOptions& options)
{
    Window& window = m_window;
    FaithfulExport run(window, trap, options);
    if (window.optionSelected(Control::Option8)) {
        run.writeCsvPerFile();
    } else if (window.optionSelected(Control::Option7)) {
        writeOneCsv(window, trap, [&](const std::string& chosen) { run.writeOneCsv(chosen); });
    }
    if (const std::string told = run.report(); !told.empty())
        window.messageBox(told, MessageButtons::Ok, MessageIcon::Warning, applicationTitle());
}

}  // namespace brimwell
