#pragma once

#include <string>

#include "base/window.h"
#include "job/faithful_options.h"

namespace brimwell {

class ErrorTrap;

/// How the last press of "Start Converting" ended.
enum class RunOutcome {
    NotRun,    ///< no press yet
    Ignored,   ///< pressed while a run was going on
    NoFiles,   ///< refused: "No files added."
    NoFolder,  ///< refused: "Folder does not exist. ..."
    Done,      ///< ran and showed "Done."
};

/// The "Start Converting" button: one run over the file list with the window's options.
class ConversionJob {
public:
    explicit ConversionJob(Window& window) : m_window(window) {}

    /// Checks that there is work and a destination, picks the separator and the converter
    /// for each file (or one converter for the whole list), names the CSVs it asks for,
    /// drives the progress bar and ends with "Done.". A press while a run is going on is
    /// ignored.
    void PushButton2_Click();

    bool JobRunning() const { return m_jobRunning; }
    RunOutcome lastOutcome() const { return m_outcome; }

private:
    RunOutcome run();
    /// The eight converters of the "CSV" and "Gmail (CSV)" layouts.
    void runClassic(ErrorTrap& trap, const std::string& separator);
    /// The faithful engine's layouts: reader warnings and counts in one message at the end.
    void runFaithful(ErrorTrap& trap, const FaithfulOptions& options);

    Window& m_window;
    bool m_jobRunning = false;
    RunOutcome m_outcome = RunOutcome::NotRun;
};

}  // namespace brimwell
