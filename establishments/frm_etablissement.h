#pragma once
// The establishments window: creates, finds, changes and leaves the establishments of the
// association shown on the association screen, one ETABLISSEMENT record each (id = association
// code followed by the establishment's own three-digit code).
//
// Opening protocol (the association screen's "Etablissements"): put the association code into
// store::Variables::codeAssociation, make the window, hand it the rights (DroitsUtilisateur),
// call Init, give it the heading (Entite), and show it modally (forms::OpenModal). It closes only
// through "Sortir".
//
// Every widget's objectName is its name in the screen's vocabulary (Txt_CodeEtabl, Ong_Etabl ...).
// The screen runs on the record-form layer: its fields are a binding list over the record, its
// mandatory checks a check list, its lookup a CodeLookup bounded by the association code, and
// its saves go through the record session (no silent overwrite, create-only writes).
//
// User-interface thread only. Record-store errors in the displays are skipped; a handler that
// meets one elsewhere tells the user in a message.

#include <QString>
#include <optional>
#include <string>

#include "forms/code_lookup.h"
#include "forms/field_binding.h"
#include "forms/mandatory_checks.h"
#include "forms/record_session.h"
#include "forms/record_window.h"
#include "forms/screen_snapshot.h"
#include "store/record.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class Composant_Adresse;
class Composant_RIB;

class Frm_Etablissement : public forms::RecordWindow {
    Q_OBJECT

  public:
    explicit Frm_Etablissement(QWidget* parent = nullptr);
    ~Frm_Etablissement() override;

    // Loads the window for the association in store::Variables::codeAssociation (the pay period,
    // the list of its establishments, the only one shown at once), then applies the rights.
    void Init();
    // The heading: the association's code and sigle.
    void Entite(const QString& code, const QString& sigle);

    // 0 display or modification; a creation with its own address, or with the association's.
    enum Mode { kAffichage = 0, kCreationAdressePropre = 1, kCreationAdresseEntite = 2 };
    int mode() const { return session_.mode; }

    // Tabs of Ong_Etabl.
    enum Onglet { kCoordonnees = 0, kParametresPaie = 1, kAutres = 2, kRib = 3 };

    // The heading of the headcount list (Label21), in a fixed-pitch font as the list.
    static inline const QString kEnteteEffectif = QStringLiteral(
        "Période                 Effectif Physique               Effectif Temps plein");

  protected:
    std::pair<std::string, std::string> ShownRecord() const override;

  private:
    // --- layout and bindings (frm_etablissement_layout.cpp)
    void buildUi();
    QWidget* buildHeader();
    QWidget* buildButtons();
    QWidget* buildTabCoordonnees();
    QWidget* buildTabParametresPaie();
    QWidget* buildTabAutres();
    QWidget* buildTabRib();
    // The positions the window shows, the pay pair chosen by the current pay period.
    void lierChamps();
    void buildChecks();
    void wireHandlers();
    void setTabOrder();

    // --- lifecycle, rights, help (frm_etablissement.cpp)
    void Form_Load();
    void Griser();
    void Afficher();
    void FermetureEtabl();
    void Cmd_Sortir_Click();
    void Ong_Etabl_Click(int previous);
    // From 200307 on, attributes 26 and 27 hold the pay guarantee and the reduction.
    bool periodeGarantie() const;

    // --- display and lookups (frm_etablissement_display.cpp)
    void Remplir_Combo_Mois();
    void Remplir_SigleEtabl();
    void Affichage_Donnees_Etabl_PARCode();
    void Affichage_Donnees_Etabl_PARSigle();
    void Affichage_Etabl();
    void Vider_Donnees_Etabl();
    void Remplir_Effectif(const store::Record& record);
    void Txt_CodeEtabl_Change();
    void Txt_CodeEtabl_KeyPress(int& keyAscii);
    void Txt_CodeEtabl_LostFocus();
    void Cbo_SigleEtabl_Change();
    void Cbo_SigleEtabl_Click();
    void Cbo_SigleEtabl_KeyPress(int& keyAscii);
    void Cbo_SigleEtabl_LostFocus();
    void setSigleComboShown(bool shown);
    // The association's record, whose address an establishment without its own shows.
    store::Record adresseEntite() const;

    // --- workflow and checks (frm_etablissement_workflow.cpp)
    void Cmd_Ajouter_Click();
    void Cmd_Ok_Click();
    void Cmd_Annuler_Click();
    void ZoneOblig();
    void Creation_Etabl();
    void MAJ_Etabl();
    // Applies the screen to the record in memory without writing it; returns the address-changed
    // flag (an establishment without its own address whose typed address is not the
    // association's).
    bool Verification_Etabl();
    // True when leaving would drop a change the user made since the display.
    bool modificationsEnCours();
    // Copies the fields and the bank details into record (the address is the caller's rule).
    void ecrireChamps(store::Record& record, forms::Purpose purpose);
    // Takes the next establishment code from the association's counter and writes the counter;
    // nullopt, after telling the user, when no code can be given.
    std::optional<QString> prendreCompteur();
    // After a save or a cancel: nothing shown, the code free and focused, the sigle list shown.
    void retourRecherche();
    bool ecritureFaite_ = false;  // the last Creation_Etabl or MAJ_Etabl wrote its record

    // --- field entry rules (frm_etablissement_regles.cpp)
    void wireFieldRules();
    void Txt_SiretEtabl_LostFocus();
    void Txt_SigleEtabl_LostFocus();
    void Opt_URSSAF_Click();
    void Opt_MSA_Click();
    void Ctr_RibEtab_GotFocus();

    // State.
    std::string codeAssoc_;
    std::string periodePaie_;  // PERIODESPAIE "1", read once at loading
    forms::RecordSession session_;
    forms::CodeLookup lookup_;
    forms::FieldBindings fields_;
    forms::MandatoryChecks checks_;
    forms::ScreenSnapshot affiche_;  // the screen as the last display left it; empty: none shown
    std::string texteRib_;           // what the bank-details component last returned

    QLabel* Etq_CodeAssoc = nullptr;
    QLabel* Etq_SigleAssoc = nullptr;
    QLineEdit* Txt_CodeEtabl = nullptr;
    QComboBox* Cbo_SigleEtabl = nullptr;
    QLineEdit* Txt_SigleEtabl = nullptr;
    QLineEdit* Txt_RaisonEtabl = nullptr;
    QPushButton* Cmd_Ajouter = nullptr;
    QPushButton* Cmd_Ok = nullptr;
    QPushButton* Cmd_Annuler = nullptr;
    QPushButton* Cmd_Sortir = nullptr;
    QTabWidget* Ong_Etabl = nullptr;
    Composant_Adresse* Ctr_Adresse = nullptr;
    QLineEdit* Txt_CodeInsee = nullptr;
    QGroupBox* Cdr_FormCalcul = nullptr;
    QGroupBox* Cdr_FormCalcul2 = nullptr;
    QLineEdit* Txt_Multiplicateur = nullptr;
    QLineEdit* Txt_SmicMensuel = nullptr;
    QLineEdit* Txt_Abattement = nullptr;
    QLineEdit* Txt_GarantieHorMin = nullptr;
    QLineEdit* Txt_MinorationReducSs = nullptr;
    QLabel* Etq_AidePerenne = nullptr;
    QLineEdit* Txt_AidePerenne = nullptr;
    QLineEdit* Txt_AideIncitative = nullptr;
    QLineEdit* Txt_TauxHoraire = nullptr;
    QLineEdit* Txt_IdCCN = nullptr;
    QLineEdit* Txt_SiretEtabl = nullptr;
    QLineEdit* Txt_CodNafEtabl = nullptr;
    QLineEdit* Txt_HorHebdoEtabl = nullptr;
    QComboBox* Cbo_Mois = nullptr;
    QCheckBox* Chk_CarteOrange = nullptr;
    QComboBox* Cbo_Effectif = nullptr;
    QGroupBox* Cdr_Urssaf = nullptr;
    QRadioButton* Opt_URSSAF = nullptr;
    QRadioButton* Opt_MSA = nullptr;
    QCheckBox* Cac_CollecTerri = nullptr;
    QLineEdit* Txt_CodUrssaf = nullptr;
    QLineEdit* Txt_NoAffUrssaf = nullptr;
    QLineEdit* Txt_CentreUrssaf = nullptr;
    QLineEdit* Txt_Fraction = nullptr;
    Composant_RIB* Ctr_RibEtab = nullptr;
};
