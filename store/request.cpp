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

namespace {

bool HoldsMark(std::string_view text) {
    return text.find_first_of("\xFE\xFD\xFC") != std::string_view::npos;
}

}  // namespace

std::optional<std::string> QuoteValue(std::string_view text, bool prefix) {
    if (HoldsMark(text))
        return std::nullopt;
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
    if (HoldsMark(text)) {
        return "Le texte recherché contient un caractère de séparation de la base (octet FE, FD "
               "ou FC) : aucune valeur ne peut le contenir.";
    }
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
