#include "platform/file_dialog_filter.h"

namespace stelvador {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<std::string_view> splitAt(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == separator) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

// "*.xls; *.xlsx" -> "*.xls *.xlsx"; no pattern at all -> "*".
std::string qtPatterns(std::string_view patterns) {
    std::string joined;
    for (const std::string_view part : splitAt(patterns, ';')) {
        const std::string_view pattern = trimmed(part);
        if (pattern.empty()) {
            continue;
        }
        if (!joined.empty()) {
            joined.push_back(' ');
        }
        joined.append(pattern);
    }
    return joined.empty() ? std::string("*") : joined;
}

// The text of the description's last parentheses when it ends with them.
std::string_view trailingParentheses(std::string_view description) {
    if (description.empty() || description.back() != ')') {
        return {};
    }
    const std::size_t open = description.rfind('(');
    if (open == std::string_view::npos) {
        return {};
    }
    return description.substr(open + 1, description.size() - open - 2);
}

}  // namespace

std::vector<std::string> QtNameFilters(std::string_view filter) {
    std::vector<std::string> filters;
    if (trimmed(filter).empty()) {
        return filters;
    }
    const std::vector<std::string_view> parts = splitAt(filter, '|');
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        const std::string_view description = trimmed(parts[i]);
        const std::string patterns = qtPatterns(i + 1 < parts.size() ? parts[i + 1] : "");
        if (description.empty()) {
            filters.push_back(patterns + " (" + patterns + ")");
            continue;
        }
        if (qtPatterns(trailingParentheses(description)) == patterns &&
            !trailingParentheses(description).empty()) {
            filters.emplace_back(description);
            continue;
        }
        filters.push_back(std::string(description) + " (" + patterns + ")");
    }
    return filters;
}

}  // namespace stelvador
