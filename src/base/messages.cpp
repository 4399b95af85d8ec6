#include "base/messages.h"

namespace brimwell {

std::string SetApplicationTitle(std::string_view productName)
{
    std::string title(productName);
    auto lastSpace = title.rfind(' ');
    if (lastSpace == std::string::npos)
        return title;
    do {
        title.erase(lastSpace);
        lastSpace = title.rfind(' ');
    } while (title.size() > 40 && lastSpace != std::string::npos);
    return title;
}

const std::string& applicationTitle()
{
    static const std::string title = SetApplicationTitle(kProductName);
    return title;
}

void showInformation(Window& window, const std::string& text)
{
    window.messageBox(text, MessageButtons::Ok, MessageIcon::None, applicationTitle());
}

bool askYesNo(Window& window, const std::string& text)
{
    return window.messageBox(text, MessageButtons::YesNo, MessageIcon::None, applicationTitle()) ==
           MessageAnswer::Yes;
}

}  // namespace brimwell
