#pragma once
// A file of the record store, obtained from Database::OpenFile. Files are shared: records keep
// a reference to the file they came from so that DBWrite can write them back.
//
// Errors are StoreError exceptions. Not thread-safe: one user-interface thread.

#include <memory>
#include <string>

#include "record.h"

namespace store {

class File : public std::enable_shared_from_this<File> {
  public:
    virtual ~File() = default;

    // The name the file was opened under ("ASSOCIATION", "DICT CONTRAT007A1").
    virtual const std::string& Name() const = 0;

    // The record with that id. A missing id throws StoreError(RecordNotFound).
    virtual Record Read(const std::string& id) = 0;

    // As Read, and takes the record's update lock, held across processes until the record is
    // written (DBWrite) or released, or the process ends. Another holder makes the call wait;
    // after the lock wait expires it throws StoreError(RecordLocked). A missing id throws
    // StoreError(RecordNotFound) and keeps no lock.
    virtual Record ReadForUpdate(const std::string& id) = 0;

    // An empty record bound to this file and id. An existing id throws StoreError(RecordExists).
    virtual Record NewItem(const std::string& id) = 0;

    // Drops the update lock on id, if this process holds it.
    virtual void Release(const std::string& id) = 0;

    // Writes text under id (creating or replacing the record) atomically and durably, with its
    // history entry, and drops the update lock on id. Called by Record::DBWrite.
    virtual void Write(const std::string& id, const std::string& text) = 0;

    // Writes text under id only when id does not exist yet, atomically across processes and
    // workstations: of several sessions creating one id at the same moment exactly one succeeds,
    // the others get StoreError(RecordExists) and write nothing, so the record keeps the winner's
    // text. Success writes the history entry of a creation and drops the update lock on id, as
    // Write does; a failure leaves the record, its history and the lock as they were. An id
    // Write would refuse is refused alike. Called by Record::DBCreate.
    virtual void Create(const std::string& id, const std::string& text) = 0;

    // Removes the record with that id, with its history entry, and drops the update lock on id;
    // a missing id does nothing.
    virtual void DeleteRecord(const std::string& id) = 0;
};

// Reads id with errors skipped: a failed read gives an empty, unbound record, which the screens
// take as "does not exist".
Record ReadSkippingErrors(File* file, const std::string& id);

}  // namespace store
