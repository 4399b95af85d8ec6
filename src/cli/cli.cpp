#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <map>

#include "cli/console_window.h"
#include "conversion/standard_per_file.h"
#include "textio/paths.h"

namespace brimwell {

namespace {

constexpr int kExitErrorReport = 1;
constexpr int kExitRefused = 2;

struct CliOptions {
    std::vector<std::string> inputs;
    std::string separator = "tab";
    bool quotes = true;
    bool removeCrlf = false;
    std::string outDir;
    bool besideSource = false;
    bool quiet = false;
};

const std::map<std::string, Control> kSeparators = {
    {"tab", Control::Option3},
    {"semicolon", Control::Option4},
    {"comma", Control::Option5},
    {"comma-space", Control::Option6},
};

std::vector<std::string> separatorNames()
{
    std::vector<std::string> names;
    for (const auto& [name, control] : kSeparators)
        names.push_back(name);
    names.push_back("none");
    return names;
}

void defineOptions(CLI::App& app, CliOptions& options)
{
    app.add_option("FILE", options.inputs, "vCard files to convert")->required();
    app.add_option("--separator", options.separator, "Field separator")
        ->check(CLI::IsMember(separatorNames()))
        ->capture_default_str();
    app.add_flag("--quotes,!--no-quotes", options.quotes,
                 "Enclose every field in double quotes (default) or not");
    app.add_flag("--remove-crlf", options.removeCrlf,
                 "Turn soft line breaks of notes into spaces instead of removing them");
    auto* outDir = app.add_option("--out-dir", options.outDir,
                                  "Write one CSV per vCard file into DIR")
                       ->type_name("DIR");
    app.add_flag("--beside-source", options.besideSource,
                 "Write one CSV per vCard file beside its source (the default)")
        ->excludes(outDir);
    app.add_flag("--quiet", options.quiet, "Draw no progress line");
    app.set_version_flag("--version", std::string("brimwell-cli ") + BRIMWELL_VERSION);
    app.footer("Exit status: 0 done, 1 an error was reported, 2 refused or usage error.");
}

std::string absolutePath(const std::string& path)
{
    std::error_code error;
    auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

/// Sets the window's options as the command line asks.
void applyOptions(const CliOptions& options, ConsoleWindow& window)
{
    auto separator = kSeparators.find(options.separator);
    if (separator == kSeparators.end())
        window.options.clearGroup(Control::Option3);
    else
        window.options.select(separator->second);
    window.options.setCheck(Control::Check9, options.quotes ? 1 : 0);
    window.options.setCheck(Control::Check10, options.removeCrlf ? 1 : 0);
    window.options.select(Control::Option8);
    if (!options.outDir.empty()) {
        window.options.select(Control::Option9);
        window.options.setText(Control::Text1, absolutePath(options.outDir));
    } else {
        window.options.select(Control::Option10);
    }
}

std::string separatorText(const ConsoleWindow& window)
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

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool errIsTerminal)
{
    CLI::App app("Converts vCard files (.vcf) into CSV files.", "brimwell-cli");
    CliOptions options;
    defineOptions(app, options);
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error, out, err);
        return status == 0 ? 0 : kExitRefused;
    }

    ConsoleWindow window(out, err, errIsTerminal && !options.quiet);
    applyOptions(options, window);
    if (window.optionSelected(Control::Option9) && !FolderExists(window.text(Control::Text1))) {
        window.messageBox("Folder does not exist. Please select another folder.",
                          MessageButtons::Ok, MessageIcon::None, "Brimwell");
        return kExitRefused;
    }
    const std::string separator = separatorText(window);
    for (const auto& input : options.inputs)
        ConvertTresko(window, absolutePath(input), separator);
    window.finishProgress();
    return window.errorReportCount() > 0 ? kExitErrorReport : 0;
}

}  // namespace brimwell
