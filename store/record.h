#pragma once
// A multivalue record of the record store (the client's "DBA.CItem").
//
// A Record is a value: its text plus, when it came from a file, the file and the id it is written
// back under. Positions are 1-based (attribute, then value). Reading a missing position gives the
// empty string; writing one creates the missing positions empty. Text is bytes with the marks
// 0xFE (attribute), 0xFD (value), 0xFC (subvalue) and UTF-8 inside.
//
// Not thread-safe; every record belongs to the user-interface thread.

#include <memory>
#include <string>
#include <string_view>

namespace store {

class File;

class Record {
  public:
    // An empty record bound to no file: a request record or a holder for a failed read.
    Record() = default;
    explicit Record(std::string text) : text_(std::move(text)) {}
    Record(std::shared_ptr<File> file, std::string id, std::string text);

    // Default member: the whole text, one attribute, or one value.
    const std::string& Text() const { return text_; }
    std::string Value(int attribute) const;
    std::string Value(int attribute, int value) const;
    void SetText(std::string text) { text_ = std::move(text); }
    void SetValue(int attribute, std::string_view text);
    void SetValue(int attribute, int value, std::string_view text);

    // Number of attributes (on a selection result: of selected records), or of values in one
    // attribute. An empty text or attribute counts 0.
    int DCount() const;
    int DCount(int attribute) const;

    // Inserts text as a new value at that position; later values move up by one.
    void Insert(int attribute, int value, std::string_view text);
    // Removes one attribute or one value; later ones move down by one.
    void Delete(int attribute);
    void Delete(int attribute, int value);

    // Writes the whole text under Id() in the file it came from, atomically, and releases the
    // update lock taken by ReadForUpdate. Throws StoreError (NotBound) for an unbound record.
    void DBWrite();
    // Writes the whole text under Id() only when that id does not exist yet (File::Create): for
    // a record from NewItem. An id taken meanwhile, by this or another workstation, throws
    // StoreError(RecordExists) and writes nothing. NotBound as DBWrite.
    void DBCreate();

    const std::string& Id() const { return id_; }
    bool IsBound() const { return file_ != nullptr; }
    const std::shared_ptr<File>& BoundFile() const { return file_; }

  private:
    std::shared_ptr<File> file_;
    std::string id_;
    std::string text_;
};

}  // namespace store
