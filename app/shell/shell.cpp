#include "shell.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "platform/engine/command_host.h"
#include "platform/engine/error.h"
#include "platform/engine/query.h"
#include "platform/engine/text.h"
#include "platform/seed/seed.h"
#include "store/store_error.h"

namespace mvsh {
namespace {

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos)
        return {};
    size_t b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

// What follows the first word of a line.
std::string Rest(const std::string& line) {
    std::string t = Trim(line);
    size_t space = t.find_first_of(" \t");
    return space == std::string::npos ? std::string() : Trim(t.substr(space));
}

// Display width of UTF-8 text: one column per character.
size_t Width(std::string_view s) {
    size_t n = 0;
    for (char c : s) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    }
    return n;
}

// s cut or padded to width columns, on the right for numbers.
std::string Cell(std::string_view s, size_t width, bool right) {
    std::string text;
    size_t n = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        bool lead = (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80;
        if (lead && ++n > width)
            break;
        text.push_back(s[i]);
    }
    n = Width(text);
    std::string pad(width > n ? width - n : 0, ' ');
    return right ? pad + text : text + pad;
}

// Marks made visible for the screen.
std::string Visible(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '\xFD')
            out += "]";
        else if (c == '\xFC')
            out += "\\";
        else
            out.push_back(c);
    }
    return mv::text::Printable(out, 4000);
}

// The file names of a DUMP or CT line: words, "DICT X" kept together.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    auto tokens = mv::Tokenize(text);
    for (size_t i = 0; i < tokens.size(); ++i) {
        const mv::Token& t = tokens[i];
        if (t.kind == mv::Token::Kind::End)
            break;
        if (t.kind != mv::Token::Kind::Word && t.kind != mv::Token::Kind::Value) {
            throw mv::Error(mv::ErrorKind::Command, "Mot inattendu à la position " +
                                                        std::to_string(t.position) + " : " +
                                                        mv::text::Printable(t.text));
        }
        words.push_back(t.text);
    }
    return words;
}

// A file name and what follows it: "DICT X" is one name.
std::vector<std::string> FileAndIds(const std::string& text) {
    std::vector<std::string> words = Words(text);
    if (!words.empty() && mv::text::EqualsNoCase(words[0], "DICT") && words.size() > 1) {
        words[0] = "DICT " + words[1];
        words.erase(words.begin() + 1);
    }
    return words;
}

}  // namespace

Shell::Shell(std::shared_ptr<store::BackendDatabase> db, std::ostream& out, std::ostream& err,
             std::string demoFolder)
    : db_(std::move(db)), out_(out), err_(err), demoFolder_(std::move(demoFolder)) {}

Shell::Result Shell::Run(const std::string& line) {
    std::string verb = mv::CommandVerb(line);
    try {
        if (verb.empty())
            return Result::Ok;
        if (verb == "QUIT" || verb == "Q")
            return Result::Quit;
        if (verb == "HELP" || verb == "AIDE") {
            Help();
        } else if (verb == "LIST") {
            List(line);
        } else if (verb == "CT") {
            Show(line);
        } else if (verb == "LOAD") {
            Load(line);
        } else if (verb == "HISTORIQUE" || verb == "HISTORY") {
            History(line);
        } else if (verb == "DUMP") {
            Dump(line);
        } else if (verb == "DEMO") {
            if (!Rest(line).empty())
                throw mv::Error(mv::ErrorKind::Command, "DEMO ne prend pas d'argument.");
            Demo();
        } else {
            return Engine(line);
        }
        return Result::Ok;
    } catch (const std::exception& e) {
        // Engine, record-store and file errors alike carry a French message.
        err_ << "Erreur : " << e.what() << "\n";
    }
    return Result::Error;
}

Shell::Result Shell::Engine(const std::string& line) {
    mv::CommandOutput output = db_->Run(line);
    for (const mv::Row& row : output.rows)
        out_ << mv::text::Printable(row.id, 4000) << "\n";
    std::ostream& where = output.status == 0 ? out_ : err_;
    for (const std::string& text : output.lines)
        where << (output.status == 0 ? "" : "Erreur : ") << text << "\n";
    return output.status == 0 ? Result::Ok : Result::Error;
}

void Shell::List(const std::string& line) {
    // The headings come from the fields as parsed; the rows from the command as run.
    mv::Command command = mv::ParseCommand(db_->Names(), line);
    const mv::Query& query = command.query;
    std::vector<mv::Field> columns;
    mv::Field id;
    id.kind = mv::Field::Kind::Id;
    id.heading = query.file.name;
    id.width = 10;
    columns.push_back(id);
    columns.insert(columns.end(), query.columns.begin(), query.columns.end());
    std::vector<mv::Row> rows = db_->Run(line, {"0"}).rows;

    std::vector<size_t> widths;
    for (const mv::Field& f : columns)
        widths.push_back(std::min<size_t>(std::max<size_t>(f.width, Width(f.heading)), 60));
    std::string heading, rule;
    for (size_t c = 0; c < columns.size(); ++c) {
        heading += (c ? " " : "") + Cell(columns[c].heading, widths[c], false);
        rule += (c ? " " : "") + std::string(widths[c], '-');
    }
    heading.erase(heading.find_last_not_of(' ') + 1);
    out_ << heading << "\n" << rule << "\n";
    for (const mv::Row& row : rows) {
        std::vector<std::vector<std::string_view>> values;
        size_t lines = 1;
        for (const std::string& column : row.columns) {
            values.push_back(mv::text::Split(column, '\xFD'));
            lines = std::max(lines, values.back().size());
        }
        for (size_t l = 0; l < lines; ++l) {
            std::string text;
            for (size_t c = 0; c < columns.size(); ++c) {
                std::string_view v = l < values[c].size() ? values[c][l] : std::string_view();
                text += (c ? " " : "") + Cell(Visible(v), widths[c], columns[c].numeric);
            }
            size_t end = text.find_last_not_of(' ');
            out_ << text.substr(0, end == std::string::npos ? 0 : end + 1) << "\n";
        }
    }
    out_ << rows.size() << " enregistrement(s) listé(s).\n";
}

void Shell::Show(const std::string& line) {
    std::vector<std::string> words = FileAndIds(Rest(line));
    if (words.size() < 2)
        throw mv::Error(mv::ErrorKind::Command, "Usage : CT fichier identifiant...");
    auto file = db_->OpenFile(words[0]);
    for (size_t i = 1; i < words.size(); ++i) {
        store::Record record = file->Read(words[i]);
        out_ << file->Name() << " " << mv::text::Printable(words[i], 4000) << "\n";
        for (int a = 1; a <= record.DCount(); ++a) {
            std::string number = std::to_string(a);
            out_ << std::string(number.size() < 3 ? 3 - number.size() : 0, ' ') << number << " "
                 << Visible(record.Value(a)) << "\n";
        }
    }
}

void Shell::History(const std::string& line) {
    std::vector<std::string> words = FileAndIds(Rest(line));
    if (words.empty() || words.size() > 2)
        throw mv::Error(mv::ErrorKind::Command, "Usage : HISTORIQUE fichier [identifiant]");
    std::vector<store::HistoryEntry> entries =
        db_->History(words[0], words.size() > 1 ? words[1] : std::string());
    for (const store::HistoryEntry& entry : entries) {
        out_ << "Le " << entry.time << " UTC, par " << mv::text::Printable(entry.user) << " : "
             << entry.file << " " << mv::text::Printable(entry.id, 4000) << "\n";
        for (const store::HistoryChange& change : entry.changes) {
            out_ << "  <" << change.attribute << "," << change.value << "> « "
                 << Visible(change.before) << " » → « " << Visible(change.after) << " »\n";
        }
    }
    out_ << entries.size() << " modification(s).\n";
}

void Shell::Load(const std::string& line) {
    // A quoted path ends at its quote; otherwise a last word REMPLACER is the option.
    std::string path = Rest(line), option;
    if (!path.empty() && (path.front() == '"' || path.front() == '\'')) {
        size_t close = path.find(path.front(), 1);
        if (close == std::string::npos)
            throw mv::Error(mv::ErrorKind::Command, "Chemin non fermé : " + path);
        option = Trim(path.substr(close + 1));
        path = path.substr(1, close - 1);
    } else if (size_t blank = path.find_last_of(" \t");
               blank != std::string::npos &&
               mv::text::EqualsNoCase(path.substr(blank + 1), "REMPLACER")) {
        option = path.substr(blank + 1);
        path = Trim(path.substr(0, blank));
    }
    if (!option.empty() && !mv::text::EqualsNoCase(option, "REMPLACER")) {
        throw mv::Error(mv::ErrorKind::Command,
                        "Mot inattendu après le chemin : " + mv::text::Printable(option));
    }
    if (path.empty())
        throw mv::Error(mv::ErrorKind::Command, "Usage : LOAD chemin [REMPLACER]");
    // Only a plain file: a folder reads as nothing and a device may never end.
    namespace fs = std::filesystem;
    std::error_code ec;
    std::string why;
    switch (fs::status(path, ec).type()) {
        case fs::file_type::regular:
            break;
        case fs::file_type::not_found:
            why = "fichier introuvable";
            break;
        case fs::file_type::directory:
            why = "c'est un dossier";
            break;
        case fs::file_type::none:
            why = mv::SystemReason(ec.value());
            break;
        default:
            why = "ce n'est pas un fichier ordinaire";
    }
    std::ifstream in;
    if (why.empty()) {
        in.open(path, std::ios::binary);
        if (!in)
            why = "accès refusé";
    }
    if (!why.empty())
        throw mv::Error(mv::ErrorKind::Io, "Impossible de lire " + path + " : " + why + ".");
    store::BackendDatabase::LoadOptions options;
    options.replace = !option.empty();
    store::BackendDatabase::LoadResult loaded;
    try {
        loaded = db_->Load(in, options);
    } catch (const store::StoreError& e) {
        if (e.code() != store::ErrorCode::RecordExists)
            throw;
        throw mv::Error(
            mv::ErrorKind::RecordExists,
            std::string(e.what()) + " Pour les remplacer : LOAD " + path + " REMPLACER");
    }
    out_ << loaded.created + loaded.replaced << " enregistrement(s) chargé(s) : " << loaded.created
         << " créé(s), " << loaded.replaced << " remplacé(s)";
    if (loaded.unchanged > 0)
        out_ << " ; " << loaded.unchanged << " identique(s) déjà présent(s)";
    out_ << ".\n";
}

void Shell::Dump(const std::string& line) {
    std::vector<std::string> words = Words(Rest(line));
    std::vector<std::string> files;
    for (size_t i = 0; i < words.size(); ++i) {
        if (mv::text::EqualsNoCase(words[i], "DICT") && i + 1 < words.size())
            files.push_back("DICT " + words[++i]);
        else
            files.push_back(words[i]);
    }
    db_->Dump(out_, files);
}

void Shell::Demo() {
    seed::LoadDemo(*db_, demoFolder_);
    out_ << "Données de démonstration chargées (modèles dans " << demoFolder_ << ").\n";
}

void Shell::Help() {
    out_ << "Commandes :\n"
            "  SSELECT fichier [AVEC|SANS champ op \"valeur\" [AND|OR ...]] [PAR|PAR.DSND champ]\n"
            "  COMPTER fichier [conditions]\n"
            "  LIST fichier [conditions] [PAR champ] champ...\n"
            "  CT fichier identifiant...\n"
            "  CREATE.FILE fichier [tailles]    DELETE.FILE fichier\n"
            "  CREATE.INDEX fichier champ [PREFIXE.ID n]   (aussi BUILD.INDEX, DELETE.INDEX)\n"
            "  DATE.FORMAT\n"
            "  HISTORIQUE fichier [identifiant] (les modifications, les plus récentes "
            "d'abord)\n"
            "  LOAD chemin [REMPLACER]          DUMP [fichier...]\n"
            "  DEMO                             HELP ou AIDE       QUIT ou Q\n"
            "Opérateurs : = # <> < > <= >= EQ NE LT GT LE GE. Valeurs entre \"...\", '...' ou "
            "\\...\\ ;\n"
            "\"ABC]\" commence par ABC, \"[ABC\" finit par ABC, \"[ABC]\" contient ABC.\n";
}

}  // namespace mvsh
