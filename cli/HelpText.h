// One option of a --help text: its name and value in a column of their own,
// the explanation beside them, its further lines indented to match.
#pragma once

#include <algorithm>
#include <string>

inline std::string optionHelp(const char* name, const char* valueName, const char* explanation) {
    std::string head = std::string("  ") + name + (valueName ? std::string(" ") + valueName : "");
    head.resize(std::max<std::size_t>(head.size() + 2, 22), ' ');
    const std::string indent(head.size(), ' ');
    std::string text = explanation;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        text.insert(at + 1, indent);
    return head + text + "\n";
}
