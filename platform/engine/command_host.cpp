#include "command_host.h"

#include <optional>

#include "error.h"
#include "query.h"
#include "text.h"

namespace mv {
namespace {

std::string Plural(std::int64_t n, const char* what) {
    return std::to_string(n) + " enregistrement(s) " + what + ".";
}

CommandOutput Refused(std::string message) {
    CommandOutput out;
    out.status = 1;
    out.lines.push_back(std::move(message));
    return out;
}

}  // namespace

FileRef CommandHost::RequireFile(std::string_view name) {
    if (auto file = FindFile(name))
        return *file;
    throw Error(ErrorKind::FileNotFound,
                "Le fichier " + text::Printable(NormalizeFileName(name)) + " n'existe pas.");
}

std::optional<IndexDef> CommandHost::IndexAt(const FileRef& file, int location, int idPrefix) {
    for (const IndexDef& index : Indexes(file)) {
        if (index.location == location && index.idPrefix == idPrefix)
            return index;
    }
    return std::nullopt;
}

CommandOutput RunCommand(CommandHost& db, std::string_view text,
                         const std::vector<std::string>& columnNames, const RowSink* sink) {
    std::unique_ptr<Catalog::Cache> snapshot;
    if (auto verb = VerbNamed(CommandVerb(text));
        verb == Verb::Select || verb == Verb::Count || verb == Verb::List)
        snapshot = db.ReadSnapshot();
    Command command = ParseCommand(db, text);
    CommandOutput out;
    switch (command.verb) {
        case Verb::Select:
        case Verb::List: {
            std::vector<Field> columns;
            for (const std::string& name : columnNames)
                columns.push_back(ResolveField(db, command.query.file, name, 0));
            if (command.verb == Verb::List) {
                columns.insert(columns.end(), command.query.columns.begin(),
                               command.query.columns.end());
            }
            out.isSelection = true;
            if (sink) {
                out.count = db.SelectRows(command.query, columns, *sink);
            } else {
                out.count = db.SelectRows(
                    command.query, columns,
                    [&](std::string_view id, const std::vector<std::string_view>& values) {
                        out.rows.push_back({std::string(id), {values.begin(), values.end()}});
                    });
            }
            out.lines.push_back(
                Plural(out.count, command.verb == Verb::List ? "listé(s)" : "sélectionné(s)"));
            break;
        }
        case Verb::Count:
            out.lines.push_back(Plural(db.CountRows(command.query), "compté(s)"));
            break;
        case Verb::CreateFile:
            if (!db.CreateFile(command.fileName, command.sizes))
                return Refused("Le fichier " + text::Printable(command.fileName) + " existe déjà.");
            out.lines.push_back("Fichier " + command.fileName + " créé.");
            break;
        case Verb::DeleteFile: {
            auto file = db.FindFile(command.fileName);
            if (!file)
                return Refused("Le fichier " + text::Printable(command.fileName) +
                               " n'existe pas.");
            if (file->isDict) {
                return Refused("Le dictionnaire " + file->name + " se supprime avec le fichier " +
                               file->DataName() + ".");
            }
            db.DeleteFile(command.fileName);
            out.lines.push_back("Fichier " + file->name + " supprimé.");
            break;
        }
        case Verb::CreateIndex:
        case Verb::BuildIndex:
        case Verb::DeleteIndex: {
            FileRef file = db.RequireFile(command.fileName);
            if (file.isDict)
                return Refused("Un dictionnaire n'a pas d'index.");
            Field field = ResolveField(db, file, command.fieldName, command.fieldPosition);
            if (field.kind == Field::Kind::Virtual) {
                return Refused("Le champ " + field.name +
                               " est virtuel : il ne peut pas être indexé.");
            }
            if (field.kind == Field::Kind::Id)
                return Refused("L'identifiant est toujours indexé.");
            std::string where =
                " du fichier " + file.name + " (attribut " + std::to_string(field.location) +
                (command.idPrefix ? ", préfixe d'identifiant " + std::to_string(command.idPrefix)
                                  : std::string()) +
                ")";
            if (command.verb == Verb::CreateIndex) {
                if (!db.CreateIndex(file, field.name, field.location, command.idPrefix)) {
                    auto existing = db.IndexAt(file, field.location, command.idPrefix);
                    return Refused("L'index " + (existing ? existing->field : field.name) + where +
                                   " existe déjà.");
                }
                out.lines.push_back("Index " + field.name + where + " créé.");
            } else if (command.verb == Verb::BuildIndex) {
                auto index = db.IndexAt(file, field.location, command.idPrefix);
                if (!index)
                    return Refused("Pas d'index " + field.name + where + ".");
                db.BuildIndex(file, *index);
                out.lines.push_back("Index " + index->field + where + " reconstruit.");
            } else {
                if (!db.DeleteIndex(file, field.location, command.idPrefix))
                    return Refused("Pas d'index " + field.name + where + ".");
                out.lines.push_back("Index " + field.name + where + " supprimé.");
            }
            break;
        }
        case Verb::DateFormat:
            // Dates are kept as day numbers (day 0 = 31/12/1967); no setting is needed.
            break;
    }
    return out;
}

}  // namespace mv
