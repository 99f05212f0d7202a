#pragma once
// What the system expects of its companion components. The implementations live in
// platform/components (Qt widgets and services); the screens hold them through these calls.
//
// Every call runs on the user-interface thread. Errors a component raises reach the caller.

#include <cstdint>
#include <memory>
#include <string>

#include "client.h"
#include "database.h"
#include "record.h"

namespace store {

// Rights of one user on one screen.
class ScreenRights {
  public:
    virtual ~ScreenRights() = default;
    // 2 is full rights; anything else is consultation.
    virtual std::int16_t AccessLevel() const = 0;
};

// Rights of the user the host runs for ("DroitsUtilisateur").
class UserRights {
  public:
    virtual ~UserRights() = default;
    virtual std::shared_ptr<ScreenRights> GetScreenRights(const std::string& screen) = 0;
};

// Address entry (Composant_Adresse): eleven attributes from a first attribute.
class AddressComponent {
  public:
    virtual ~AddressComponent() = default;
    // The database it may read (the postal-code lookups need none today); null takes it away.
    virtual void SetDatabase(std::shared_ptr<Database> database) = 0;
    // Three settings, in the order the screens set them; their meaning is the component's own
    // (see its header).
    virtual void SetSettings(bool first, bool second, bool third) = 0;
    virtual void Initialise() = 0;
    virtual std::string ReadFromRecord(Record& record, int firstAttribute) = 0;
    virtual std::string WriteToRecord(Record& record, int firstAttribute) = 0;
    // True when the address typed differs from the one held in record from firstAttribute.
    virtual bool Differs(Record& record, int firstAttribute) = 0;
    virtual void Clear() = 0;
    virtual void Close() = 0;
};

// Bank details (Composant_RIB): eight attributes from a first attribute, the creditor
// identifier (ICS) last.
class BankComponent {
  public:
    virtual ~BankComponent() = default;
    virtual void SetConnection(std::shared_ptr<Database> database,
                               std::shared_ptr<Client> client) = 0;
    virtual std::string ReadFromRecord(Record& record, int firstAttribute) = 0;
    // Also writes the creditor identifier, at firstAttribute + 7.
    virtual std::string WriteToRecord(Record& record, int firstAttribute) = 0;
    virtual bool Differs(Record& record, int firstAttribute) = 0;
    virtual void Clear() = 0;
    // Checks the fields, telling the user what is wrong itself; then ErrorFlag() is true.
    virtual void Check() = 0;
    virtual bool ErrorFlag() const = 0;
};

// Help display (Composant_Aide).
class HelpComponent {
  public:
    virtual ~HelpComponent() = default;
    virtual void SetClient(std::shared_ptr<Client> client) = 0;
    virtual void SetDatabase(std::shared_ptr<Database> database) = 0;
    // topic: the subject shown first; kind: "P" page, "S" section; file: "Assoc.htm" ...
    virtual void ShowTopic(const std::string& topic, const std::string& kind,
                           const std::string& file) = 0;
};

}  // namespace store
