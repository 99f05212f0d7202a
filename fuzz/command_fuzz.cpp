#include "command_fuzz.h"

#include <memory>
#include <sstream>
#include <string>

#include "platform/engine/commands.h"
#include "platform/engine/database.h"
#include "platform/engine/error.h"
#include "platform/engine/jsonl.h"
#include "platform/engine/query.h"

namespace mvfuzz {
namespace {

mv::Database& Sample() {
    static std::unique_ptr<mv::Database> db = [] {
        auto d = std::make_unique<mv::Database>(":memory:");
        std::istringstream data(
            "{\"file\": \"DICT ASSOCIATION\", \"id\": \"SigleAssoc\", \"attrs\": [\"D\", \"1\", "
            "\"\", \"Sigle\", \"20L\", \"S\"]}\n"
            "{\"file\": \"DICT ASSOCIATION\", \"id\": \"Montant\", \"attrs\": [\"D\", \"2\", \"\", "
            "\"Montant\", \"10R\", \"M\"]}\n"
            "{\"file\": \"DICT ASSOCIATION\", \"id\": \"Secteur\", \"attrs\": [\"V\", "
            "\"OCONV(@ID,\\\"T1,2\\\":@VM:\\\"TCIVILAIDANT;X;;1\\\")\", \"\", \"Secteur\", \"2L\", "
            "\"S\"]}\n"
            "{\"file\": \"DICT ASSOCIATION\", \"id\": \"Casse\", \"attrs\": [\"V\", \"OCONV(@ID\"]}\n"
            "{\"file\": \"DICT ASSOCIATION\", \"id\": \"Bizarre\", \"attrs\": [\"Z\", \"1\"]}\n"
            "{\"file\": \"ASSOCIATION\", \"id\": \"001\", \"attrs\": [\"SAD\", [\"10\", \"9\"]]}\n"
            "{\"file\": \"ASSOCIATION\", \"id\": \"002\", \"attrs\": [\"ASD\", [[\"1\", \"\"]]]}\n"
            "{\"file\": \"ASSOCIATION\", \"id\": \"003\", \"attrs\": [\"\", \"abc\"]}\n"
            "{\"file\": \"CIVILAIDANT\", \"id\": \"00\", \"attrs\": [\"Zéro\"]}\n"
            "{\"file\": \"PLANCOMPTABLE\", \"id\": \"0017061000000\", \"attrs\": [\"PRESTATIONS\"]}\n"
            "{\"index\": \"ASSOCIATION\", \"field\": \"SigleAssoc\"}\n"
            "{\"index\": \"PLANCOMPTABLE\", \"field\": \"1\"}\n"
            "{\"index\": \"PLANCOMPTABLE\", \"field\": \"1\", \"idprefix\": \"3\"}\n");
        mv::LoadJsonLines(*d, data);
        return d;
    }();
    return *db;
}

}  // namespace

void RunCommandCase(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    mv::Database& db = Sample();
    mv::Database::Transaction undo(db);
    try {
        mv::Tokenize(text);
        mv::RunCommand(db, text, {"0", "1", "Secteur"});
    } catch (const mv::Error&) {
    }
    try {
        std::istringstream lines(text);
        mv::LoadJsonLines(db, lines);
    } catch (const mv::Error&) {
    }
}

}  // namespace mvfuzz
