#pragma once
// The files the system works on and the dictionary items each gets when it is created.

#include <string>
#include <vector>

namespace seed {

struct DictItem {
    std::string name;
    std::string location;  // attribute number, "0" for the record id
    std::string heading;
    std::string format;  // "20L", "8R" ...
    bool multivalued = false;
    bool indexed = false;
    // Index entries grouped by the first idPrefix characters of the id: lookups that also ask for
    // an id prefix (an association's own accounts) read only that group.
    int idPrefix = 0;
};

struct SystemFile {
    std::string name;
    std::vector<DictItem> items;
};

const std::vector<SystemFile>& SystemFiles();

}  // namespace seed
