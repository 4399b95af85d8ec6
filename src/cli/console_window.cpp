#include "cli/console_window.h"

#include <cstring>

namespace brimwell {

namespace {

/// A message box text for a terminal: its CR LF and lone CR line breaks become LF.
std::string terminalText(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            result.push_back(text[i]);
        else if (i + 1 >= text.size() || text[i + 1] != '\n')
            result.push_back('\n');
    }
    return result;
}

}  // namespace

void ConsoleWindow::setOptionSelected(Control option, bool selected)
{
    if (selected)
        options.select(option);
    else
        options.deselect(option);
}

void ConsoleWindow::listRemove(int index)
{
    m_items.erase(m_items.begin() + (index - 1));
}

void ConsoleWindow::setProgressValue(int value)
{
    m_progressValue = value;
    drawProgress(value == 100);
}

void ConsoleWindow::setProgressText(const std::string& text)
{
    // A quiet run never draws the text, which is set for every contact: it is not kept.
    if (!m_showProgress)
        return;
    m_progressText = text;
    drawProgress(false);
}

void ConsoleWindow::drawProgress(bool force)
{
    if (!m_showProgress)
        return;
    // A run sets the bar for every column and line; ten updates a second are enough to read.
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - m_lastDraw < std::chrono::milliseconds(100))
        return;
    m_lastDraw = now;
    m_err << "\r\x1b[2K["
          << (m_progressValue < 10    ? "  "
              : m_progressValue < 100 ? " "
                                      : "")
          << m_progressValue << "%] " << m_progressText << std::flush;
    m_progressShown = true;
}

void ConsoleWindow::finishProgress()
{
    if (m_progressShown)
        m_err << "\r\x1b[2K" << std::flush;
    m_progressShown = false;
}

MessageAnswer ConsoleWindow::messageBox(const std::string& text, MessageButtons buttons,
                                        MessageIcon icon, const std::string& caption)
{
    finishProgress();
    if (icon == MessageIcon::Exclamation) {
        ++m_errorReports;
        m_err << caption << ": " << terminalText(text) << '\n';
    } else if (icon == MessageIcon::Warning) {
        m_err << terminalText(text) << '\n';
    } else {
        m_out << terminalText(text) << '\n';
    }
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

void ConsoleWindow::writeFailed(const std::string& path, int error)
{
    finishProgress();
    ++m_writeFailures;
    m_err << "brimwell-cli: cannot write " << path << ": " << std::strerror(error) << '\n';
}

}  // namespace brimwell
