// One option of a --help text: its name and value in a column of their own,
// the explanation beside them, its further lines indented to match. A name
// and value too long for the column put the explanation on the next line,
// so that no line runs far past the others.
#pragma once

#include <algorithm>
#include <string>

inline std::string optionHelp(const char* name, const char* valueName, const char* explanation) {
    constexpr std::size_t column = 22;
    std::string head = std::string("  ") + name + (valueName ? std::string(" ") + valueName : "");
    const bool ownLine = head.size() + 2 > column + 1;
    const std::string indent(ownLine ? column : std::max(head.size() + 2, column), ' ');
    if (ownLine)
        head += "\n" + indent;
    else
        head.resize(indent.size(), ' ');
    std::string text = explanation;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        text.insert(at + 1, indent);
    return head + text + "\n";
}
