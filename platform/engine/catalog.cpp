#include "catalog.h"

#include "error.h"
#include "text.h"

namespace mv {

std::string IndexDef::GroupOf(std::string_view recordId) const {
    if (idPrefix <= 0)
        return {};
    std::string group(recordId.substr(0, static_cast<size_t>(idPrefix)));
    group.push_back('\0');
    return group;
}

std::vector<std::pair<std::string, int>> IndexDef::Entries(std::string_view recordId,
                                                           std::string_view body) const {
    auto keys = IndexKeys(text::Attribute(body, location));
    if (idPrefix > 0) {
        std::string group = GroupOf(recordId);
        for (auto& key : keys)
            key.first.insert(0, group);
    }
    return keys;
}

std::vector<std::pair<std::string, int>> IndexKeys(std::string_view attribute) {
    std::vector<std::pair<std::string, int>> keys;
    bool several = text::FindValueMark(attribute) != std::string_view::npos;
    text::ForEachValue(attribute, [&](std::string_view value) {
        for (const auto& k : keys) {
            if (k.first == value)
                return false;
        }
        keys.emplace_back(std::string(value), keys.empty() ? (several ? 1 : 0) : 2);
        return false;
    });
    return keys;
}

// Blanks around a name are part of it (a file named after an association code keeps the code's
// blanks); only the separator after DICT is loose.
std::string NormalizeFileName(std::string_view name) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (name.size() > 5 && text::EqualsNoCase(name.substr(0, 4), "DICT") && blank(name[4])) {
        std::string_view rest = name.substr(5);
        while (!rest.empty() && blank(rest.front()))
            rest.remove_prefix(1);
        return "DICT " + std::string(rest);
    }
    return std::string(name);
}

std::string CheckNewFileName(std::string_view name) {
    if (name.find_first_not_of(' ') == std::string_view::npos)
        return "Nom de fichier vide.";
    if (name.size() > 200)
        return "Nom de fichier trop long : " + text::Printable(name) + ".";
    if (text::EqualsNoCase(name, "DICT"))
        return "« DICT » ne peut pas être un nom de fichier.";
    for (char c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || u == 0xFE || u == 0xFD || u == 0xFC ||
            std::string_view("\"'\\()=#<>").find(c) != std::string_view::npos) {
            return "Caractère interdit dans le nom de fichier " + text::Printable(name) + ".";
        }
    }
    return {};
}

std::string CheckRecordId(std::string_view id) {
    if (id.empty())
        return "Identifiant d'enregistrement vide.";
    if (text::FindAnyMark(id) != std::string_view::npos)
        return "L'identifiant " + text::Printable(id) + " contient un séparateur.";
    return {};
}

void RequireRecordId(std::string_view id) {
    if (std::string why = CheckRecordId(id); !why.empty())
        throw Error(ErrorKind::Failure, why);
}

}  // namespace mv
