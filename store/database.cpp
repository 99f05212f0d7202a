#include "database.h"

#include "request.h"

namespace store {

Record Database::Select(const std::string& command, const std::string& fileName,
                        const std::string& fields) {
    std::string status;
    return SelectRequest(MakeRequest(command, fileName, fields), std::string(), status);
}

Record Database::Execute(const std::string& command) {
    std::string status;
    return ExecuteRequest(MakeRequest(command), std::string(), status);
}

Record ReadSkippingErrors(File* file, const std::string& id) {
    if (!file)
        return Record();
    try {
        return file->Read(id);
    } catch (const std::exception&) {
        return Record();
    }
}

}  // namespace store
