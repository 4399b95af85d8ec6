// A whole run of "Start Converting" over one file, with options drawn from the input, then
// the per-file converters of the chosen layout called directly. The source must come out
// unchanged, also when it is named like its own CSV.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

#include "conversion/gmail_export.h"
#include "conversion/standard_per_file.h"
#include "fuzz_support.h"
#include "job/conversion_job.h"
#include "support/temp_dir.h"

using namespace brimwell;

namespace {

bool filterOn(const test::ScriptedWindow& window)
{
    return window.checkValue(Control::Check3) + window.checkValue(Control::Check4) +
               window.checkValue(Control::Check6) + window.checkValue(Control::Check8) >
           0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto bits = input.ConsumeIntegral<std::uint16_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();
    // Bit 12 names the source like the CSV it would get: then nothing may be written to it.
    const std::string source = fuzz::scratchFile((bits >> 12 & 1u) != 0 ? "in.csv" : "in.vcf");
    std::ofstream(source, std::ios::binary | std::ios::trunc)
        .write(text.data(), static_cast<std::streamsize>(text.size()));

    test::ScriptedWindow window;
    fuzz::applyOptions(window, bits);
    window.items = {source};
    window.saveAnswers = {fuzz::scratchFile("all.csv")};
    ConversionJob job(window);
    job.PushButton2_Click();
    fuzz::require(job.lastOutcome() == RunOutcome::Done, "the run ends with Done.");

    const std::string separator = fuzz::separatorOf(bits);
    const bool filtered = filterOn(window);
    if (window.optionSelected(Control::Option2)) {
        (filtered ? ConvertVCFToGmailCSVLimit : ConvertVCFToGmailCSV)(window, source, separator);
    } else {
        (filtered ? ConvertTreskoLimit : ConvertTresko)(window, source, separator);
        const std::string csv = test::readBytes(fuzz::scratchFile("in.csv"));
        if (source != fuzz::scratchFile("in.csv"))
            fuzz::require(std::count(csv.begin(), csv.end(), '\n') == 2,
                          "a per-file CSV has two lines");
    }
    fuzz::require(test::readBytes(source) == text, "the source is unchanged");
    return 0;
}
