#include "dump_load.h"

#include <algorithm>
#include <istream>
#include <map>
#include <ostream>
#include <set>
#include <tuple>

#include "error.h"
#include "fields.h"
#include "text.h"

namespace mv {

void WriteDump(CommandHost& db, std::ostream& out, const std::vector<std::string>& files,
               const FileScan& scan) {
    std::vector<std::string> names;
    if (files.empty()) {
        names = db.FileNames();
    } else {
        std::set<std::string> wanted;
        for (const std::string& f : files)
            wanted.insert(db.RequireFile(f).name);
        names.assign(wanted.begin(), wanted.end());
    }
    std::vector<std::tuple<std::string, std::string, int>> indexes;
    for (const std::string& name : names) {
        FileRef file = db.RequireFile(name);
        bool any = false;
        scan(file, [&](std::string_view id, std::string_view body) {
            any = true;
            out << RecordLine(file.name, id, body);
        });
        if (!any && !file.isDict)
            out << FileLine(file.name);
        if (!file.isDict) {
            for (const IndexDef& index : db.Indexes(file))
                indexes.emplace_back(file.name, index.field, index.idPrefix);
        }
    }
    std::sort(indexes.begin(), indexes.end());
    for (const auto& [file, field, idPrefix] : indexes)
        out << IndexLine(file, field, idPrefix);
    if (!out)
        throw Error(ErrorKind::Io, "Écriture du vidage impossible.");
}

LoadCounts ReadDump(CommandHost& db, std::istream& in, const LoadOptions& options,
                    LoadWriter& writer) {
    LoadCounts& counts = writer.counts;
    LoadChecks& checks = writer.checks;
    std::map<std::string, FileRef> files;
    struct PendingIndex {
        std::string file, field;
        int idPrefix;
        std::int64_t line;
    };
    std::vector<PendingIndex> indexes;
    auto fileNamed = [&](const std::string& name, std::int64_t line) -> const FileRef& {
        if (auto it = files.find(name); it != files.end())
            return it->second;
        auto file = db.FindFile(name);
        if (!file) {
            db.CreateFile(CheckDumpFile(name, line), "");
            ++counts.files;
            file = db.FindFile(name);
        }
        return files.emplace(name, *file).first->second;
    };
    std::string lineText;
    std::int64_t line = 0;
    while (std::getline(in, lineText)) {
        DumpLine parsed = ParseDumpLine(lineText, ++line);
        if (parsed.kind == DumpLine::Kind::Blank)
            continue;
        if (parsed.kind == DumpLine::Kind::Index) {
            indexes.push_back({parsed.file, parsed.field, parsed.idPrefix, line});
            continue;
        }
        const FileRef& file = fileNamed(parsed.file, line);
        if (parsed.kind != DumpLine::Kind::Record)
            continue;
        if (!checks.Note(file.id, file.name, parsed.id, line) || checks.HasDuplicates())
            continue;  // the load is refused: only the other duplicates matter now
        writer.Write(file, parsed.id, parsed.body);
    }
    if (in.bad())
        throw Error(ErrorKind::Io, "Lecture du fichier à charger impossible.");
    if (!checks.HasDuplicates())
        writer.Flush();
    checks.Finish(options.replace);
    for (const PendingIndex& index : indexes) {
        try {
            FileRef file = db.RequireFile(index.file);
            Field field = ResolveField(db, file, index.field, 0);
            if (field.kind != Field::Kind::Attribute)
                throw Error(ErrorKind::Command, "Index impossible sur le champ " +
                                                    text::Printable(index.field) + " du fichier " +
                                                    file.name + " : il ne lit pas un attribut.");
            if (db.CreateIndex(file, index.field, field.location, index.idPrefix))
                ++counts.indexes;
        } catch (const Error& e) {
            AtLine(index.line, e);
        }
    }
    return counts;
}

}  // namespace mv
