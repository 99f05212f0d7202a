#include "command_fuzz.h"

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "app/shell/shell.h"
#include "platform/engine/commands.h"
#include "platform/engine/database.h"
#include "platform/engine/error.h"
#include "platform/engine/query.h"
#include "store/local_database.h"

namespace mvfuzz {
namespace {

std::shared_ptr<mv::Database> Sample() {
    static std::shared_ptr<mv::Database> db = [] {
        auto d = std::make_shared<mv::Database>(":memory:");
        std::istringstream data(
            "{\"file\": \"DICT ASSOCIATION\", \"id\": \"SigleAssoc\", \"attrs\": [\"D\", \"1\", "
            "\"\", \"Sigle\", \"20L\", \"S\"]}\n"
            "{\"file\": \"DICT ASSOCIATION\", \"id\": \"Montant\", \"attrs\": [\"D\", \"2\", \"\", "
            "\"Montant\", \"10R\", \"M\"]}\n"
            "{\"file\": \"DICT ASSOCIATION\", \"id\": \"Secteur\", \"attrs\": [\"V\", "
            "\"OCONV(@ID,\\\"T1,2\\\":@VM:\\\"TCIVILAIDANT;X;;1\\\")\", \"\", \"Secteur\", \"2L\", "
            "\"S\"]}\n"
            "{\"file\": \"DICT ASSOCIATION\", \"id\": \"Casse\", \"attrs\": [\"V\", "
            "\"OCONV(@ID\"]}\n"
            "{\"file\": \"DICT ASSOCIATION\", \"id\": \"Bizarre\", \"attrs\": [\"Z\", \"1\"]}\n"
            "{\"file\": \"ASSOCIATION\", \"id\": \"001\", \"attrs\": [\"SAD\", [\"10\", \"9\"]]}\n"
            "{\"file\": \"ASSOCIATION\", \"id\": \"002\", \"attrs\": [\"ASD\", [[\"1\", \"\"]]]}\n"
            "{\"file\": \"ASSOCIATION\", \"id\": \"003\", \"attrs\": [\"\", \"abc\"]}\n"
            "{\"file\": \"CIVILAIDANT\", \"id\": \"00\", \"attrs\": [\"Zéro\"]}\n"
            "{\"file\": \"PLANCOMPTABLE\", \"id\": \"0017061000000\", \"attrs\": "
            "[\"PRESTATIONS\"]}\n"
            "{\"index\": \"ASSOCIATION\", \"field\": \"SigleAssoc\"}\n"
            "{\"index\": \"PLANCOMPTABLE\", \"field\": \"1\"}\n"
            "{\"index\": \"PLANCOMPTABLE\", \"field\": \"1\", \"idprefix\": \"3\"}\n");
        d->Load(data);
        return d;
    }();
    return db;
}

// A line run by the shell over the same database. What it prints is dropped; DEMO writes its
// templates into a scratch folder.
void RunShellLine(const std::string& line) {
    static std::ostringstream printed;
    static mvsh::Shell shell(std::make_shared<store::LocalDatabase>(Sample()), printed, printed,
                             (std::filesystem::temp_directory_path() / "mvfuzz-modeles").string());
    printed.str({});
    shell.Run(line);
}

}  // namespace

void RunCommandCase(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    mv::Database& db = *Sample();
    mv::Database::Transaction undo(db);
    try {
        mv::Tokenize(text);
        mv::RunCommand(db, text, {"0", "1", "Secteur"});
    } catch (const mv::Error&) {
    }
    try {
        std::istringstream lines(text);
        db.Load(lines);
    } catch (const mv::Error&) {
    }
    // The shell's own commands (LOAD, DUMP, CT, LIST ...) report every failure themselves.
    RunShellLine(text);
}

}  // namespace mvfuzz
