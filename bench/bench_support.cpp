#include "bench_support.h"

#include <sstream>

#include "conversion/multi_contact_split.h"
#include "corpus.h"

namespace brimwell::bench {

ConsoleWindow& quietWindow()
{
    static std::ostringstream discarded;
    static ConsoleWindow window(discarded, discarded, false);
    return window;
}

const std::string& microText()
{
    static const std::string text = corpusText(kMicroContacts);
    return text;
}

const std::vector<std::vector<std::string_view>>& microContactLines()
{
    static const std::vector<std::string> contacts = [] {
        SplitMultiVCF(quietWindow(), microText(), "corpus.vcf", false);
        return SplitContacts;
    }();
    static const std::vector<std::vector<std::string_view>> lines = [] {
        std::vector<std::vector<std::string_view>> all;
        for (std::string_view rest : contacts) {
            auto& contactLines = all.emplace_back();
            while (!rest.empty()) {
                const auto lineEnd = rest.find('\n');
                contactLines.push_back(rest.substr(0, lineEnd));
                rest = lineEnd == std::string_view::npos ? std::string_view()
                                                         : rest.substr(lineEnd + 1);
            }
        }
        return all;
    }();
    return lines;
}

}  // namespace brimwell::bench
