#include "fuzz_support.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace brimwell::fuzz {

namespace {

struct SeparatorChoice {
    Control option;
    std::string_view text;
};

constexpr std::array<SeparatorChoice, 4> kSeparators = {{
    {Control::Option3, "\t"},
    {Control::Option4, ";"},
    {Control::Option5, ","},
    {Control::Option6, ", "},
}};

constexpr std::array<Control, 4> kFilterBoxes = {Control::Check3, Control::Check4, Control::Check6,
                                                 Control::Check8};

class ScratchFolder {
public:
    ScratchFolder()
        : m_path(std::filesystem::temp_directory_path() /
                 ("brimwell-fuzz-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

const std::filesystem::path& scratchFolder()
{
    static const ScratchFolder folder;
    return folder.path();
}

bool bit(std::uint16_t bits, int index)
{
    return (bits >> index & 1u) != 0;
}

}  // namespace

void require(bool holds, std::string_view what)
{
    if (holds)
        return;
    std::fprintf(stderr, "invariant broken: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

std::string scratchFile(std::string_view name)
{
    return (scratchFolder() / name).string();
}

void applyOptions(test::ScriptedWindow& window, std::uint16_t bits)
{
    const unsigned separator = bits & 7u;
    if (separator < kSeparators.size()) {
        window.select(kSeparators[separator].option);
    } else {
        for (const auto& choice : kSeparators)
            window.options[choice.option] = false;
    }
    window.checks[Control::Check9] = bit(bits, 3);
    window.checks[Control::Check10] = bit(bits, 4);
    for (std::size_t i = 0; i < kFilterBoxes.size(); ++i)
        window.checks[kFilterBoxes[i]] = bit(bits, 5 + static_cast<int>(i));
    window.select(bit(bits, 9) ? Control::Option2 : Control::Option1);
    window.select(bit(bits, 10) ? Control::Option7 : Control::Option8);
    window.select(bit(bits, 11) ? Control::Option9 : Control::Option10);
    window.texts[Control::Text1] = scratchFolder().string();
}

std::string separatorOf(std::uint16_t bits)
{
    const unsigned separator = bits & 7u;
    return separator < kSeparators.size() ? std::string(kSeparators[separator].text)
                                          : std::string();
}

}  // namespace brimwell::fuzz
