#pragma once
// mvsh, the record-store shell: runs query-language commands and a few of its own on a record
// store (an embedded file or a PostgreSQL server) and prints what they give.
//
//   SSELECT/SELECT ...    ids one a line, then "<n> enregistrement(s) sélectionné(s)."
//   COMPTER/COUNT ...     "<n> enregistrement(s) compté(s)."
//   LIST file [conditions] [PAR ...] field...   a table with the dictionary headings
//   CT file id...         records, attributes numbered
//   HISTORIQUE file [id]  the history of a file or a record, newest first
//   LOAD path [REMPLACER] / DUMP [file...]      JSON Lines (see platform/engine/dump_load.h); a load
//                         replaces records that exist with another text only when asked
//   DEMO                  loads the demo data set; HELP/AIDE; QUIT/Q
//   CREATE.FILE, DELETE.FILE, CREATE.INDEX, BUILD.INDEX, DELETE.INDEX, DATE.FORMAT
//
// Errors are written in French to the error stream.

#include <iosfwd>
#include <memory>
#include <string>

#include "store/backend_database.h"

namespace mvsh {

class Shell {
  public:
    enum class Result { Ok, Error, Quit };

    // demoFolder: where DEMO writes the demo templates.
    Shell(std::shared_ptr<store::BackendDatabase> db, std::ostream& out, std::ostream& err,
          std::string demoFolder);

    Result Run(const std::string& line);

  private:
    void List(const std::string& line);
    void Show(const std::string& line);
    void History(const std::string& line);
    void Load(const std::string& line);
    void Dump(const std::string& line);
    void Demo();
    void Help();
    Result Engine(const std::string& line);

    std::shared_ptr<store::BackendDatabase> db_;
    std::ostream& out_;
    std::ostream& err_;
    std::string demoFolder_;
};

}  // namespace mvsh
