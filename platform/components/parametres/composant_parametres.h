#pragma once
// Editor of one TABLES record (the analytic sections SECTANAL, the services SERVICES ...): codes
// at attribute 2, labels at attribute 3, parallel values. Hosted by Frm_ParamSect as
// Ctr_Parametres. The host gives the database, the client, the table name, the screen name and
// that screen's rights, then calls Demarrer; it may close only once Fermeture() is true, which
// happens when the user clicks "Fermer". The component then closes the window that holds it.
//
// Every change reads the record afresh with its update lock and writes it at once (DBWrite), so
// two editors never lose each other's entries; a code is checked against the record as written.
// New entries go at the end; deleting an entry also removes its value from the further parallel
// attributes (the rates of TAUXTVA, say). When every code already in the table is made of digits
// of one length, a shorter numeric code is padded with zeros and a longer one refused, since the
// screens look codes up by that length.
//
// With an access level other than 2 the editor is for consultation: the list only, and "Fermer".
//
// Widgets (objectName): Etq_Table, Lst_Parametres (code and label columns), Txt_Code,
// Txt_Libelle, Cmd_Ajouter, Cmd_Modifier, Cmd_Supprimer, Cmd_Fermer.

#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/client.h"
#include "store/components.h"
#include "store/database.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class Composant_Parametres : public QWidget {
    Q_OBJECT
  public:
    explicit Composant_Parametres(QWidget* parent = nullptr);
    ~Composant_Parametres() override;

    void SetTheDatabase(std::shared_ptr<store::Database> database) {
        database_ = std::move(database);
    }
    void SetTheClient(std::shared_ptr<store::Client> client) { client_ = std::move(client); }
    void SetNomTable(const std::string& name) { nomTable_ = name; }
    void SetNomEcran(const std::string& name) { nomEcran_ = name; }
    void SetDroits(std::shared_ptr<store::ScreenRights> rights) { droits_ = std::move(rights); }

    const std::shared_ptr<store::Database>& TheDatabase() const { return database_; }
    const std::shared_ptr<store::Client>& TheClient() const { return client_; }
    const std::string& NomTable() const { return nomTable_; }
    const std::string& NomEcran() const { return nomEcran_; }
    const std::shared_ptr<store::ScreenRights>& Droits() const { return droits_; }

    // Reads the table afresh and shows it; clears the closing property.
    void Demarrer();
    // True once the user has closed the editor with "Fermer".
    bool Fermeture() const { return fermeture_; }

  signals:
    // Emitted when "Fermer" sets the closing property, before the window is closed.
    void fermetureDemandee();

  private:
    struct Entry {
        std::string code;
        std::string label;
    };
    bool canEdit() const;
    void showEntries(const std::vector<Entry>& entries, const std::string& select = {});
    std::vector<Entry> entriesOf(const store::Record& record) const;
    void rowChosen();
    void Cmd_Ajouter_Click();
    void Cmd_Modifier_Click();
    void Cmd_Supprimer_Click();
    void Cmd_Fermer_Click();
    // The table record held for update, with the position of a code in it (0: not there).
    struct Held {
        store::Record record;
        int position = 0;
    };
    std::string typedCode() const;
    // 1-based position of code among entries; 0 when absent.
    static int positionOf(const std::vector<Entry>& entries, const std::string& code);
    // Reads the record for update; null (after telling the user) when it cannot be had.
    std::optional<store::Record> readForUpdate(bool createWhenMissing);
    // As readForUpdate, finding code; a code no longer there gives the record back at once and
    // shows the table as stored.
    std::optional<Held> readEntryForUpdate(const std::string& code);
    void writeAndShow(store::Record& record, const std::string& select);
    void release();
    void releaseAndShow(const std::vector<Entry>& entries);
    // The code as it will be stored, or empty with the reason it is refused.
    std::string checkedNewCode(const std::vector<Entry>& entries, QString& refusal) const;

    std::shared_ptr<store::Database> database_;
    std::shared_ptr<store::Client> client_;
    std::string nomTable_;
    std::string nomEcran_;
    std::shared_ptr<store::ScreenRights> droits_;
    std::shared_ptr<store::File> tables_;
    bool fermeture_ = false;
    std::vector<Entry> entries_;

    QLabel* etqTable_;
    QTreeWidget* liste_;
    QLineEdit* code_;
    QLineEdit* libelle_;
    QPushButton* ajouter_;
    QPushButton* modifier_;
    QPushButton* supprimer_;
    QPushButton* fermer_;
};
