#pragma once

#include <string>
#include <string_view>

#include "base/window.h"

namespace brimwell {

/// The product's full name, the main window's caption.
inline constexpr std::string_view kProductName = "Brimwell";

/// The product name shortened for message-box captions: the last word goes, and further
/// words while the rest is longer than 40 characters; a one-word name stays whole.
std::string SetApplicationTitle(std::string_view productName);

/// The caption of every information message.
const std::string& applicationTitle();

/// An information message: OK button, no icon, the application title as caption.
void showInformation(Window& window, const std::string& text);

/// A Yes/No question with the application title as caption; true for Yes.
bool askYesNo(Window& window, const std::string& text);

}  // namespace brimwell
