// The files a new database needs, their dictionary items and their indexes.

#include <optional>
#include <string>
#include <vector>

#include "seed.h"
#include "store/backend_database.h"
#include "store/record.h"
#include "store/store_error.h"
#include "system_files.h"

namespace seed {

namespace {

// Items whose location is 0 read the record id, which the engine keys on already: no index.
bool NeedsIndex(const DictItem& item) {
    return item.indexed && item.location != "0";
}

bool FileExists(store::Database& database, const std::string& name) {
    try {
        database.OpenFile(name);
        return true;
    } catch (const store::StoreError& e) {
        if (e.code() == store::ErrorCode::FileNotFound)
            return false;
        throw;
    }
}

void WriteDictItem(store::File& dict, const DictItem& item) {
    store::Record record = dict.NewItem(item.name);
    record.SetValue(1, "D");
    record.SetValue(2, item.location);
    record.SetValue(3, "");
    record.SetValue(4, item.heading);
    record.SetValue(5, item.format);
    record.SetValue(6, item.multivalued ? "M" : "S");
    record.DBWrite();
}

void RunChecked(store::Database& database, const std::string& command) {
    store::Record output = database.Execute(command);
    if (output.Value(1) != "0") {
        throw store::StoreError(store::ErrorCode::Failure,
                                "La commande « " + command + " » a échoué : " + output.Value(3));
    }
}

}  // namespace

void Bootstrap(store::Database& database) {
    // An interrupted bootstrap must not leave a file without its dictionary: a later run would
    // leave it as it is.
    std::optional<store::BulkTransaction> transaction;
    if (auto* local = dynamic_cast<store::BackendDatabase*>(&database))
        transaction.emplace(*local);
    for (const SystemFile& file : SystemFiles()) {
        if (FileExists(database, file.name))
            continue;
        RunChecked(database, "CREATE.FILE " + file.name + " 3,1");
        auto dict = database.OpenFile("DICT " + file.name);
        for (const DictItem& item : file.items)
            WriteDictItem(*dict, item);
        for (const DictItem& item : file.items) {
            if (!NeedsIndex(item))
                continue;
            std::string index = file.name + " " + item.name;
            if (item.idPrefix > 0)
                index += " PREFIXE.ID " + std::to_string(item.idPrefix);
            RunChecked(database, "CREATE.INDEX " + index);
            RunChecked(database, "BUILD.INDEX " + index);
        }
    }
    if (transaction)
        transaction->Commit();
}

}  // namespace seed
