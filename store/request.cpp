#include "request.h"

#include "platform/engine/dynarray.h"

namespace store {

std::string MakeRequest(std::string_view command, std::string_view fileName,
                        std::string_view fields) {
    std::string text(command);
    if (!fileName.empty() || !fields.empty()) {
        text.push_back(mv::kAttributeMark);
        text.append(fileName);
    }
    if (!fields.empty()) {
        text.push_back(mv::kAttributeMark);
        text.append(fields);
    }
    return text;
}

std::optional<std::string> QuoteValue(std::string_view text, bool prefix) {
    if (!text.empty() && text.front() == '[')
        return std::nullopt;
    if (!prefix && !text.empty() && text.back() == ']')
        return std::nullopt;
    for (char delimiter : {'"', '\'', '\\'}) {
        if (text.find(delimiter) != std::string_view::npos)
            continue;
        std::string value(1, delimiter);
        value.append(text);
        if (prefix)
            value.push_back(']');
        value.push_back(delimiter);
        return value;
    }
    return std::nullopt;
}

std::string UnquotableMessage(std::string_view text) {
    if (!text.empty() && text.front() == '[') {
        return "Le texte recherché ne peut pas commencer par « [ ».";
    }
    if (!text.empty() && text.back() == ']') {
        return "Le texte recherché ne peut pas se terminer par « ] ».";
    }
    return "Le texte recherché ne peut pas contenir à la fois un guillemet (\"), une apostrophe "
           "(') et une barre oblique inverse (\\).";
}

}  // namespace store
