#pragma once
// The code and sigle lookup every record window has: a list of the records in label order, and
// the type-ahead that narrows it to the labels beginning with what the user typed (on Enter).
//
// The rows kept are those of the last selection: row k holds the id at value 1 and the label at
// value 2, and entry k - 1 of the list shows it, so a choice in the list reads the record of the
// row it shows, never one of an older list. A child window's lookup is bounded by its parent's
// code (the establishments of one association): `parentField` must begin with it, in the list
// and in the type-ahead alike.
//
// Typed text goes into the command through store::QuoteValue: a text that no delimiter can hold
// (or that would act as a wildcard) is refused with a message and never sent. User-interface
// thread only.

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "store/database.h"
#include "store/file.h"
#include "store/record.h"

class QComboBox;
class QWidget;

namespace forms {

struct LookupSettings {
    std::string file;         // "ETABLISSEMENT"
    std::string labelField;   // "SigleEtabl": sorts the list and matches the typed prefix
    std::string parentField;  // "CodEtabl": begins with the parent's code; empty for none
    QString noMatch;          // "Aucun établissement commençant par " (the text follows)
};

class CodeLookup {
  public:
    CodeLookup(LookupSettings settings, QComboBox* list);

    void SetParentCode(std::string code) { parentCode_ = std::move(code); }
    const std::string& ParentCode() const { return parentCode_; }

    // Selects every record (of the parent) in label order, keeps the rows and fills the list
    // with the labels, its text left empty. Returns the file, opened for the window's reads.
    std::shared_ptr<store::File> Fill(store::Database& database);

    // Enter in the list: the records whose label begins with the list's text in upper case.
    // Found: beforeRefill runs (the window empties its code), then the rows and the list are
    // replaced, the list's text is the typed text in upper case and it stays closed; true.
    // None found: beep and the no-match message (exclamation); the list and its rows stay; false.
    bool TypeAhead(store::Database& database, QWidget* parent,
                   const std::function<void()>& beforeRefill = {});

    // Id of the record shown at list index (from 0); empty when out of range.
    std::string IdAt(int index) const { return rows_.Value(index + 1, 1); }
    const store::Record& Rows() const { return rows_; }
    int Count() const { return rows_.DCount(); }

    // Characters 4 to 6 of an id made of the parent's code and an own code.
    static std::string OwnCode(const std::string& id) {
        return id.size() > 3 ? id.substr(3, 3) : "";
    }

  private:
    std::string Condition() const;
    void ShowRows(const QString& editText);

    LookupSettings settings_;
    QComboBox* list_;
    std::string parentCode_;
    store::Record rows_;
};

}  // namespace forms
