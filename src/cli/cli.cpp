#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <map>

#include "cli/console_window.h"
#include "filelist/folder_scan.h"
#include "job/conversion_job.h"
#include "textio/paths.h"

namespace brimwell {

namespace {

constexpr int kExitErrorReport = 1;
constexpr int kExitRefused = 2;

struct CliOptions {
    std::vector<std::string> inputs;
    std::string format = "csv";
    std::string separator = "tab";
    std::vector<std::string> keep;
    bool quotes = true;
    bool removeCrlf = false;
    std::string oneCsv;
    std::string outDir;
    bool besideSource = false;
    std::string extension = "vcf";
    bool quiet = false;
};

const std::map<std::string, Control> kSeparators = {
    {"tab", Control::Option3},
    {"semicolon", Control::Option4},
    {"comma", Control::Option5},
    {"comma-space", Control::Option6},
};

const std::map<std::string, Control> kFilterBoxes = {
    {"emails", Control::Check3},
    {"phones", Control::Check4},
    {"names", Control::Check6},
    {"addresses", Control::Check8},
};

template <class Map>
std::vector<std::string> namesOf(const Map& map)
{
    std::vector<std::string> names;
    for (const auto& entry : map)
        names.push_back(entry.first);
    return names;
}

void defineOptions(CLI::App& app, CliOptions& options)
{
    app.add_option("FILE", options.inputs,
                   "vCard files to convert; a folder is scanned with its sub-folders")
        ->required();
    app.add_option("--format", options.format,
                   "Layout: the columns found (csv) or the 25 Gmail columns")
        ->check(CLI::IsMember({"csv", "gmail"}))
        ->capture_default_str();
    auto separators = namesOf(kSeparators);
    separators.push_back("none");
    app.add_option("--separator", options.separator, "Field separator")
        ->check(CLI::IsMember(separators))
        ->capture_default_str();
    app.add_option("--keep", options.keep, "Keep only these kinds of field")
        ->delimiter(',')
        ->check(CLI::IsMember(namesOf(kFilterBoxes)))
        ->type_name("LIST");
    app.add_flag("--quotes,!--no-quotes", options.quotes,
                 "Enclose every field in double quotes (default) or not");
    app.add_flag("--remove-crlf", options.removeCrlf,
                 "Turn soft line breaks of notes into spaces instead of removing them");
    app.add_option("--one-csv", options.oneCsv, "Write one CSV from all files into FILE")
        ->type_name("FILE");
    auto* outDir =
        app.add_option(
               "--out-dir", options.outDir,
               "Write one CSV per vCard file into DIR (with --one-csv: the folder checked first)")
            ->type_name("DIR");
    app.add_flag("--beside-source", options.besideSource,
                 "Write one CSV per vCard file beside its source (the default)")
        ->excludes(outDir);
    app.add_option("--ext", options.extension,
                   "Extension of the files taken from a folder (* for every file)")
        ->capture_default_str();
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

/// Sets the window's controls as the command line asks.
void applyOptions(const CliOptions& options, ConsoleWindow& window)
{
    window.options.select(options.format == "gmail" ? Control::Option2 : Control::Option1);
    auto separator = kSeparators.find(options.separator);
    if (separator == kSeparators.end())
        window.options.clearGroup(Control::Option3);
    else
        window.options.select(separator->second);
    for (const auto& [name, box] : kFilterBoxes)
        window.options.setCheck(
            box, std::count(options.keep.begin(), options.keep.end(), name) > 0 ? 1 : 0);
    window.options.setCheck(Control::Check9, options.quotes ? 1 : 0);
    window.options.setCheck(Control::Check10, options.removeCrlf ? 1 : 0);

    window.options.select(options.oneCsv.empty() ? Control::Option8 : Control::Option7);
    if (!options.oneCsv.empty())
        window.saveAnswer = absolutePath(options.oneCsv);
    if (!options.outDir.empty()) {
        window.options.select(Control::Option9);
        window.options.setText(Control::Text1, absolutePath(options.outDir));
    } else {
        window.options.select(Control::Option10);
    }
}

/// Puts the inputs into the file list: files as they are, folders scanned for the extension.
void listInputs(const CliOptions& options, ConsoleWindow& window)
{
    for (const auto& input : options.inputs) {
        const std::string path = absolutePath(input);
        if (FolderExists(path))
            addFolderTreeFiles(window, path, "*." + options.extension);
        else
            window.listAdd(path);
    }
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
    listInputs(options, window);
    ConversionJob job(window);
    job.PushButton2_Click();
    window.finishProgress();

    if (window.errorReportCount() > 0 || window.writeFailureCount() > 0)
        return kExitErrorReport;
    return job.lastOutcome() == RunOutcome::Done ? 0 : kExitRefused;
}

}  // namespace brimwell
