#pragma once
// The database object handed to the system by its host ("TheDatabase"). It opens files, runs
// commands of the record store's query language and answers selections.
//
// Request records (see request.h): attribute 1 the command, attribute 2 the file name,
// attribute 3 the attribute numbers to return separated by one blank ("0 1"; 0 is the id).
//
// Result of SelectRequest:
//  - in general, one attribute per selected record, in the command's order; value j holds the
//    j-th requested field (multiple values of that field become subvalues);
//  - when exactly one record is selected and the id (0) is not among the requested fields, the
//    values of each requested field in turn, one attribute each (the n values of the first field
//    as attributes 1 to n, the m values of the second as n + 1 to n + m, ...);
//  - with "0" alone, one id per attribute.
// DCount() of the result is the number of rows.
//
// Errors are StoreError exceptions: a malformed command, an unknown file or field, or a value
// left open throws CommandError (or FileNotFound) with a French message naming the fault.
// Not thread-safe: one user-interface thread.

#include <memory>
#include <string>
#include <vector>

#include "file.h"
#include "history.h"
#include "record.h"

namespace store {

class Database {
  public:
    virtual ~Database() = default;

    // Opens a file or, with "DICT " in front of its name, its dictionary part.
    // Unknown file: StoreError(FileNotFound).
    virtual std::shared_ptr<File> OpenFile(const std::string& name) = 0;

    // Runs a cataloged routine. Only "DBA.EXECUTE" exists: it runs command and returns its output
    // record: attribute 1 the status ("0" on success), attribute 2 the command as run, attribute 3
    // the output lines as values ("COMPTER ASSOCIATION" gives "6 enregistrement(s) compté(s)." as
    // value 1). status receives the status too.
    virtual Record CallSubroutine(const std::string& routine, std::string& status,
                                  const std::string& command) = 0;

    // Runs the command of a request record (file and index creation, DATE.FORMAT ...). A command
    // the database refuses for its data (a file that already exists) is reported in the output
    // record, whose attribute 1 is then "1"; a malformed command throws.
    virtual Record ExecuteRequest(const std::string& request, const std::string& options,
                                  std::string& status) = 0;

    // Runs the selection of a request record and returns the result record described above.
    virtual Record SelectRequest(const std::string& request, const std::string& options,
                                 std::string& status) = 0;

    // The user name the history records for this object's writes from now on (see history.h).
    // Until it is called: the name of the system account running the process.
    virtual void SetUserName(const std::string& name) = 0;

    // The history of a file, or of its record id when id is not empty: every entry, newest first
    // (highest sequence first; entries of one sequence by id). The file need not exist any more
    // (DELETE.FILE keeps its history); a name that has no entry and is no file throws
    // StoreError(FileNotFound). "DICT X" names the dictionary's own history.
    virtual std::vector<HistoryEntry> History(const std::string& file,
                                              const std::string& id = {}) = 0;

    // Conveniences over the calls above.
    Record Select(const std::string& command, const std::string& fileName,
                  const std::string& fields);
    Record Execute(const std::string& command);
};

}  // namespace store
