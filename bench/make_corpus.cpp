// Writes the benchmark corpus to disk:
//
//     brimwell-bench-corpus file  big.vcf 100000   one file of 100,000 contacts
//     brimwell-bench-corpus folder cards 1000      1,000 files of one contact each
//     brimwell-bench-corpus tree  tree 100000      100,000 such files, 100 to a folder,
//                                                  ten folders to a parent folder
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "corpus.h"

namespace {

namespace fs = std::filesystem;
using brimwell::bench::appendContact;

constexpr std::uint64_t kFilesPerFolder = 100;
constexpr std::uint64_t kFoldersPerParent = 10;

void writeFile(const fs::path& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file.flush())
        throw std::runtime_error("cannot write " + path.string());
}

void writeOneFile(const fs::path& path, std::uint64_t count)
{
    if (path.has_parent_path())
        fs::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    // Written in slices, so that a corpus of any size needs little memory.
    constexpr std::uint64_t kSlice = 10000;
    std::string text;
    for (std::uint64_t first = 0; first < count; first += kSlice) {
        text.clear();
        for (std::uint64_t i = first; i < count && i < first + kSlice; ++i)
            appendContact(text, i);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    if (!file.flush())
        throw std::runtime_error("cannot write " + path.string());
}

std::string fileName(std::uint64_t index)
{
    char name[32];
    std::snprintf(name, sizeof name, "contact-%06llu.vcf", static_cast<unsigned long long>(index));
    return name;
}

/// One contact per file; `nested` spreads the files over a two-level folder tree.
void writeManyFiles(const fs::path& root, std::uint64_t count, bool nested)
{
    std::string text;
    for (std::uint64_t i = 0; i < count; ++i) {
        fs::path folder = root;
        if (nested) {
            const std::uint64_t leaf = i / kFilesPerFolder;
            folder = root / ("part-" + std::to_string(leaf / kFoldersPerParent)) /
                     ("group-" + std::to_string(leaf % kFoldersPerParent));
        }
        if (i == 0 || (nested && i % kFilesPerFolder == 0))
            fs::create_directories(folder);
        text.clear();
        appendContact(text, i);
        writeFile(folder / fileName(i), text);
    }
}

int usage()
{
    std::cerr << "usage: brimwell-bench-corpus file|folder|tree PATH COUNT\n";
    return 2;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 4)
        return usage();
    const std::string kind = argv[1];
    const fs::path path = argv[2];
    const std::string countText = argv[3];
    std::uint64_t count = 0;
    const auto parsed =
        std::from_chars(countText.data(), countText.data() + countText.size(), count);
    if (parsed.ec != std::errc() || parsed.ptr != countText.data() + countText.size())
        return usage();
    try {
        if (kind == "file")
            writeOneFile(path, count);
        else if (kind == "folder" || kind == "tree")
            writeManyFiles(path, count, kind == "tree");
        else
            return usage();
    } catch (const std::exception& e) {
        std::cerr << "brimwell-bench-corpus: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
