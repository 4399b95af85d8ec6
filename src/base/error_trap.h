#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "base/window.h"

namespace brimwell {

/// The address every error report asks the user to send a screenshot to.
inline constexpr std::string_view kSupportAddress = "support@brimwell.app";
/// The tag that opens the location line of an error report.
inline constexpr std::string_view kLocationTag = "Tresko2021/08/31";

/// The text of the "Application Error" report, for example
/// "File not found\r\nin Tresko2021/08/31.modCSV.ConvertTresko at line 3\r\r"
/// "Please email screenshot of this message to support@brimwell.app".
std::string errorReportText(std::string_view description, std::string_view tag,
                            std::string_view module, std::string_view procedure, int line);

/// The error trap of one procedure. The procedure's algorithm runs as numbered steps; a
/// step that throws is reported in the "Application Error" box and the procedure goes on
/// with its next step, exactly as "resume next" would:
///
///     ErrorTrap trap(window, "modCSV", "ConvertTresko");
///     trap.step(1, [&] { target = outputPath(...); });
///     trap.step(2, [&] { DeleteFileQuiet(window, target); });
class ErrorTrap {
public:
    ErrorTrap(Window& window, std::string_view module, std::string_view procedure,
              std::string_view tag = kLocationTag)
        : m_window(window), m_tag(tag), m_module(module), m_procedure(procedure)
    {}

    /// Runs one step; returns false when it failed and was reported.
    template <class Step>
    bool step(int line, Step&& body)
    {
        try {
            std::forward<Step>(body)();
            return true;
        } catch (...) {
            report(line, std::current_exception());
            return false;
        }
    }

    /// Shows the report for a failure of step `line`.
    void report(int line, std::string_view description);
    int reportCount() const { return m_reports; }

private:
    void report(int line, const std::exception_ptr& failure);

    Window& m_window;
    std::string_view m_tag;
    std::string_view m_module;
    std::string_view m_procedure;
    int m_reports = 0;
};

}  // namespace brimwell
