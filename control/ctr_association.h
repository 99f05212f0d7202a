#pragma once
// The association screen: the embeddable control a host window places to create, look up and
// maintain the legal entity ("entité juridique") and the settings payroll, invoicing and remote
// management depend on.
//
// Host protocol: set TheDatabase, TheClient and DroitsUtilisateur, call Init, show the window.
// The control sets W_Sortir and closes window() when the user leaves (or when the paths record is
// missing); the host then calls Fermeture. Before closing window() the control emits
// unloadRequested(), so a host that refuses frame closes can tell the two apart.
//
// Every widget's objectName is its name in the screen's vocabulary (Txt_CodeAssoc, Ong_Assoc ...).
// The screen runs on the record-form layer (forms/): its fields are a binding list over the
// ASSOCIATION record, its mandatory checks a check list, its lookups a CodeLookup; the
// remote-management, sending and fee tabs are pages with their own display, store and checks,
// as the address and bank-details components are.
//
// User-interface thread only. Record-store errors inside the display operations are skipped;
// elsewhere a handler that meets one tells the user in a message instead of letting it escape
// into the event loop.

#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "forms/code_lookup.h"
#include "forms/field_binding.h"
#include "forms/mandatory_checks.h"
#include "forms/record_session.h"
#include "forms/screen_access.h"
#include "store/client.h"
#include "store/components.h"
#include "store/database.h"
#include "store/record.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class PageCesu;
class PageCotisation;
class PageTelegestion;

namespace toolkit {
class HelpMenu;
}

class Ctr_Association : public QWidget {
    Q_OBJECT

  public:
    explicit Ctr_Association(QWidget* parent = nullptr);
    ~Ctr_Association() override;

    // Public interface, in the control's interface order.
    bool W_Sortir() const { return wSortir_; }
    void setW_Sortir(bool value) { wSortir_ = value; }
    void DroitsUtilisateur(std::shared_ptr<store::UserRights> rights);
    void Affichage();
    void Affichage_Donnees_Asso_ParCODE();
    void Affichage_Donnees_Asso_ParSIGLE();
    void Creation_FichierUNIDATA();
    void Vider_Donnees_AssoSIGLE();
    void Vider_Donnees_Asso();
    void Vider_CRCESU();
    void Verification();
    void Creation_Asso();
    void Fermeture();
    void Maj_Asso();
    void Remplir_SigleAssoc();
    void ZoneOblig();
    void TheClient(std::shared_ptr<store::Client> client);
    void TheDatabase(std::shared_ptr<store::Database> database);
    void Init();
    void Remplir_Table_Telegestion();
    void Griser();
    void Afficher();
    void Remplir_CRCESU();
    void GriserCESU();
    void DegriserCESU();
    void UserControl_Load() {}
    void UserControl_UnLoad(std::int16_t& Cancel) { (void)Cancel; }
    void Degriser_Cotisation();
    void RequeteActivite();
    void EnrModifCotisation();

    // Access level of the screen for the user (2 = full rights); 0 before DroitsUtilisateur.
    std::int16_t accessLevel() const { return access_.Level(); }
    // 0 no creation under way, 1 creation of a new association under way.
    int mode() const { return session_.mode; }

  signals:
    // Emitted just before the control closes the window that contains it.
    void unloadRequested();

  private:
    // --- layout and wiring (ctr_association_layout.cpp)
    void buildUi();
    QWidget* buildHeader();
    QWidget* buildButtons();
    QWidget* buildTabCoordonnees();
    QWidget* buildTabRib();
    QWidget* buildTabPersonnel();
    QWidget* buildTabMisesEnForme();
    void buildChecks();
    void wireHandlers();
    void setTabOrder();

    // --- lifecycle, rights, help, buttons (ctr_association.cpp)
    void nommerUtilisateur();
    void onFocusChanged(QWidget* old, QWidget* now);
    void enteringControl();
    void unloadHost();
    void applyRights();
    void Mnu_Sommaire_Click();
    void showHelpMenu(int button);
    void Cmd_Annuler_Click();
    void Cmd_Etablissement_Click();
    void Cmd_Activite_Click();
    void Cmd_Sortir_Click();

    // --- lookups (ctr_association_lookup.cpp)
    void Cbo_SigleAssoc_KeyPress(int& keyAscii);
    void Cbo_SigleAssoc_Change();
    void Cbo_SigleAssoc_Click();
    void Txt_CodeAssoc_Change();
    void Txt_CodeAssoc_KeyPress(int& keyAscii);
    void Txt_CodeAssoc_LostFocus();
    void setSigleComboShown(bool shown);
    // Back to the search after a save or a cancel: code enabled and focused, sigle list shown.
    void retourRecherche();

    // --- display (ctr_association_display.cpp)
    void Remplir_RespPaie();
    void Remplir_Effectif(const store::Record& record);

    // --- field entry rules (ctr_association_regles.cpp)
    void wireFieldRules();
    // A text that is neither empty nor 9 characters long is refused; the focus comes back.
    void verifierNeufCaracteres(QLineEdit* field, const QString& refus);
    void Txt_SirenAssoc_LostFocus();
    void Txt_Finess_LostFocus();
    void Txt_SigleAssoc_LostFocus();
    void Txt_DateGrilleAggir2008_Tab();
    void Txt_DateGrilleAggir2008_LostFocus();
    void verifierDateAggir();
    void Txt_TelRespPaie_LostFocus();
    void Txt_MailRespPaie_LostFocus();
    void Cdr_Assedic_MouseDown(int button);
    void Ong_Assoc_MouseDown(int button);
    // Tab has just checked the date: the focus change it causes must not check it again.
    bool dateVerifieeSurTab_ = false;

    // --- workflow (ctr_association_workflow.cpp)
    void Cmd_Ajouter_Click();
    void Cmd_Ok_Click();
    // Applies the screen to the record in memory (Verification) and tells whether it now differs
    // from the record as read, the components' blocks and the pages included. False when the
    // code on screen names no record shown: an emptied screen with a code typed again must not
    // be offered for saving over the last one.
    bool modificationsEnCours();
    // Writes the screen into record for a creation or an update. False when the creditor
    // identifier is refused: the caller tells the user (refuserIcs) once the screen is usable.
    bool ecrireEcran(store::Record& record, forms::Purpose purpose);
    void refuserIcs();
    // Holds code for this screen's creation by making the association's counter record, only
    // if nobody made it (nor the association) before; false when it is taken.
    bool reserverCode(const std::string& code);
    // The first code after taken that neither an association nor a creation holds; empty when
    // none is left.
    std::string prochainCodeLibre(const std::string& taken) const;
    // Gives back the code held by a creation left before its association was written.
    void abandonnerReservation();
    bool ecritureFaite_ = false;  // the last Creation_Asso or Maj_Asso wrote its record
    std::string codeReserve_;     // the code held by the creation under way

    // State.
    bool wSortir_ = false;
    bool initialised_ = false;
    bool checkingPaths_ = false;
    forms::ScreenAccess access_;
    forms::RecordSession session_;
    forms::CodeLookup lookup_;
    forms::FieldBindings fields_;
    forms::MandatoryChecks checks_;
    forms::ComponentSlots components_;
    std::string texteComposant_;  // what the last component read or write returned

    toolkit::HelpMenu* Mnu_Aide = nullptr;
    PageTelegestion* telegestion_ = nullptr;
    PageCesu* cesu_ = nullptr;
    PageCotisation* cotisation_ = nullptr;

    // Widgets the screen's own rules name; the others are reached through the bindings.
    QLineEdit* Txt_CodeAssoc = nullptr;
    QComboBox* Cbo_SigleAssoc = nullptr;
    QLineEdit* Txt_SigleAssoc = nullptr;
    QLineEdit* Txt_RaisonAssoc = nullptr;
    QPushButton* Cmd_Ajouter = nullptr;
    QPushButton* Cmd_Ok = nullptr;
    QPushButton* Cmd_Annuler = nullptr;
    QPushButton* Cmd_Sortir = nullptr;
    QPushButton* Cmd_Etablissement = nullptr;
    QPushButton* Cmd_Activite = nullptr;
    QTabWidget* Ong_Assoc = nullptr;
    QWidget* Ctr_AdresseAssoc = nullptr;
    QWidget* Ctr_RIB = nullptr;
    QLineEdit* Txt_SirenAssoc = nullptr;
    QLineEdit* Txt_Finess = nullptr;
    QGroupBox* Cdr_Assedic = nullptr;
    QComboBox* cbo_RespPaie = nullptr;
    QLineEdit* Txt_TelRespPaie = nullptr;
    QLineEdit* Txt_MailRespPaie = nullptr;
    QComboBox* Cbo_Effectif = nullptr;
    QLineEdit* Txt_DateGrilleAggir2008 = nullptr;
};
