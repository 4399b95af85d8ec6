#include "base/error_trap.h"

#include <new>
#include <stdexcept>

namespace brimwell {

std::string errorReportText(std::string_view description, std::string_view tag,
                            std::string_view module, std::string_view procedure, int line)
{
    std::string text;
    text.append(description)
        .append("\r\nin ")
        .append(tag)
        .append(".")
        .append(module)
        .append(".")
        .append(procedure)
        .append(" at line ")
        .append(std::to_string(line))
        .append("\r\rPlease email screenshot of this message to ")
        .append(kSupportAddress);
    return text;
}

void ErrorTrap::report(int line, std::string_view description)
{
    ++m_reports;
    m_window.messageBox(errorReportText(description, m_tag, m_module, m_procedure, line),
                        MessageButtons::Ok, MessageIcon::Exclamation, "Application Error");
}

void ErrorTrap::report(int line, const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        report(line, "Out of memory");
    } catch (const std::exception& e) {
        report(line, e.what());
    } catch (...) {
        report(line, "Unknown error");
    }
}

}  // namespace brimwell
