#include "util/SplitFields.h"

std::vector<std::string> SplitFields(std::string_view text, std::string_view separator)
{
    std::vector<std::string> fields;
    if (separator.empty()) {
        fields.emplace_back(text);
        return fields;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        if (at == std::string_view::npos) {
            fields.emplace_back(text.substr(start));
            return fields;
        }
        fields.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
}
