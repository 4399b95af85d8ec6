#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/console_window.h"

// What every micro-benchmark shares: a window and the corpus, made once per process.
namespace brimwell::bench {

/// Contacts in the corpus the micro-benchmarks work on (about a megabyte of text).
inline constexpr int kMicroContacts = 2000;

/// A console window that prints nothing, with the console program's default options
/// (standard layout, quotes on, no filter).
ConsoleWindow& quietWindow();

/// The corpus of kMicroContacts contacts, as 8-bit text.
const std::string& microText();

/// Each contact of microText(), cut at its line feeds as the combined converter cuts it.
const std::vector<std::vector<std::string_view>>& microContactLines();

}  // namespace brimwell::bench
