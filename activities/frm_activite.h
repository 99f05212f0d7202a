#pragma once
// The activities window: creates, finds, changes and leaves the activities of one association
// (ACTIVITES records, id = association code + the activity's three-digit code), with their type,
// section, service, VAT code, bank details and, for a "P" activity, the hourly cost history.
//
// Opening protocol (the association screen's "Activités"): put the association code into
// store::Variables::codeAssociation, make the window, hand it the rights (DroitsUtilisateur),
// call Init, give it the heading (Entite), and show it modally (forms::OpenModal). It closes only
// through "Sortir" (Cmd_Sortir); the frame and Escape are refused.
//
// The record shown lives in the process-wide slot Variables::activite (the accounting window
// reads and writes the same one). An update is written through forms::RecordSession::Save and a
// creation through RecordSession::Create, so a write never replaces silently what another
// workstation wrote. The cost lines of an activity shown are worked on in a copy of its record
// (W_ItemCout), those of an activity being created in four working records, one per attribute,
// one attribute per line; a save copies them into the record.
//
// Leaving asks the save question only when the screen, applied to the record, differs from what
// the same screen gave right after the display: conversions of the display (a service "0" shown
// empty, cost lines shown latest first) are no change.
//
// Every widget's objectName is its name in the screen's vocabulary (Txt_CodActivite, Lst_Cout
// ...). User-interface thread only; handlers run guarded (a record-store failure becomes a
// message).

#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/code_lookup.h"
#include "forms/field_binding.h"
#include "forms/mandatory_checks.h"
#include "forms/record_session.h"
#include "forms/record_window.h"
#include "store/record.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QStackedLayout;

class Frm_Activite : public forms::RecordWindow {
    Q_OBJECT

  public:
    explicit Frm_Activite(QWidget* parent = nullptr);
    ~Frm_Activite() override;

    // Loads the window for the association in store::Variables::codeAssociation (its lists, its
    // only activity shown at once), then applies the rights.
    void Init();
    // The heading: the association's code and sigle.
    void Entite(const QString& code, const QString& sigle);
    // The state of the association's remote management, handed in by the opener.
    void SetTelegestion(bool on) { wTelegestion_ = on; }
    bool Telegestion() const { return wTelegestion_; }
    QPushButton* IntegrationComptable() const { return Cmd_IntegrationComptable; }

    // 0 an activity shown or nothing; 1 a creation with bank details of its own; 2 a creation
    // with the association's bank details.
    int mode() const { return session_.mode; }

  protected:
    std::pair<std::string, std::string> ShownRecord() const override;

  private:
    // One line of the hourly cost history in its stored form.
    struct LigneCout {
        std::string cout, date, majore, type;
    };
    // A code box and its label list kept in step over one TABLES record.
    struct PaireCode {
        QLineEdit* code;
        QComboBox* libelles;
        const store::Record* (*table)();
        int longueur;
        const char* inconnu;
        QLineEdit* taux;  // the VAT rate, null for the others
    };

    // --- layout and bindings (frm_activite_layout.cpp)
    void buildUi();
    QWidget* buildEntete();
    QWidget* buildCodes();
    QWidget* buildType();
    QWidget* buildCouts();
    QWidget* buildBoutons();
    void buildBindings();
    void buildChecks();
    void wireHandlers();

    // --- display (frm_activite_display.cpp)
    void Affichage_Donnees_Activite_PARCode();
    void Affichage_Donnees_Activite_PARSigle();
    void Affichage_Activite();
    void Afficher();
    void Vider_Donnees_Activite();
    void Remplir_SigleActivite();
    void Remplir_SectAnal();
    void Remplir_TauxTVA();
    void Remplir_Service();
    void setListeActivitesShown(bool shown);
    // The record the screen would write, as the change test copies it.
    std::string texteVerifie();

    // --- workflow and checks (frm_activite_workflow.cpp)
    void Form_Load();
    void Appliquer_Droits();
    void Cmd_Ajouter_Click();
    void Cmd_Ok_Click();
    void Cmd_Annuler_Click();
    void Cmd_Sortir_Click();
    void Cmd_IntegrationComptable_Click();
    void FermetureActivite();
    void Opt_Autre_Click();
    void Opt_Mandataire_Click();
    void Opt_Intermed_Click();
    void Opt_SSIAD_Click();
    void optionClick(char lettre);
    void ZoneOblig();
    bool VerifActService();
    void Verification_Activite();
    void DeGrisage(bool valeur);
    void Nettoyage();
    // Writes a new activity; false when nothing was written (a check, a refusal).
    bool Creation_Activite();
    // Writes the activity shown; false when nothing was written.
    bool MAJ_Activite();
    // The screen copied into record (bindings, type, cost lines); the bank details apart.
    void ecrireEcran(store::Record& record, forms::Purpose purpose);
    // The creditor-identifier rules of record against the association's; tells a refusal.
    bool icsAccepte(const store::Record& record);
    // The placement template of an intermédiaire activity, source ("MiseADispo", "Defaut") and
    // the association's copy, checked before anything is written; nullopt after telling the user
    // why it cannot be copied.
    struct Modele {
        std::string source, copie;
    };
    std::optional<Modele> modeleACopier(const char* source);
    // Copies it once the activity is written; a failure is told, the activity stays written.
    void copierModele(const Modele& modele);
    // The association's record, read afresh (its bank details and identifier).
    store::Record association() const;
    std::string codeAssociation() const;
    char lettreChoisie() const;
    void selectionnerType(char lettre);
    void deselectionnerTypes();
    // A code from the association's counter, the counter written; empty after a refusal.
    std::string prendreCode();

    // --- hourly cost history (frm_activite_couts.cpp)
    std::vector<LigneCout> lignesCout() const;
    void ecrireLignesCout(const std::vector<LigneCout>& lignes);
    void Remplir_Cout();
    void Trier_Par_Date_Cout();
    void Masquer();
    void Masquer_Sur_Clic_Liste_Cout();
    void Masquer_Sur_Clic_Ajouter_Cout();
    void Cmd_AjoutCout_Click();
    void Cmd_OkCout_Click();
    void Cmd_SuppCout_Click();
    void Cmd_AnnulCout_Click();
    void Bdv_Taux_Change(int valeur);
    void Lst_Click(int ligne);
    void Lst_DblClick();
    void Txt_Date_LostFocus();
    void Txt_Cout_KeyPress(int& keyAscii);
    void Txt_CoutMajore_KeyPress(int& keyAscii);
    void montantKeyPress(QLineEdit* zone, int& keyAscii);
    void Txt_Cout_LostFocus();
    void Txt_CoutMajore_LostFocus();
    // The cost area at rest: lists emptied and everything of it disabled.
    void coutsAuRepos();
    void montrerBarre();
    void viderSaisieCout();
    void deselectionnerLignes();
    void activerListes(bool on);
    std::vector<QListWidget*> listes() const;

    // --- field rules (frm_activite_regles.cpp)
    void wireFieldRules();
    void Txt_CodActivite_Change();
    void Txt_CodActivite_KeyPress(int& keyAscii);
    void Txt_CodActivite_LostFocus();
    void Cbo_LibActivite_Click();
    void Cbo_LibActivite_Change();
    void Cbo_LibActivite_KeyPress(int& keyAscii);
    void Cbo_LibActivite_LostFocus();
    void Txt_SectAnalActiv_Change();
    void Txt_ServiceActiv_Change();
    void Txt_CodeTVA_Change();
    void Cbo_SectAnalActiv_Click(int index);
    void Cbo_ServiceActiv_Click(int index);
    void Cbo_CodeTVA_Click(int index);
    void Cbo_SectAnalActiv_Change();
    void Cbo_ServiceActiv_Change();
    void Cbo_CodeTVA_Change();
    void Txt_Finess_LostFocus();
    void Cmd_AjouterSection_Click();
    void Cmd_AjouterService_Click();
    // Opens the parameters window on table, then shows its labels afresh, the text kept.
    void ajouterEnPlace(const PaireCode& paire, const char* table);
    void codeChange(const PaireCode& paire);
    void libelleClick(const PaireCode& paire, int index);
    void libelleChange(const PaireCode& paire);
    // Shows the label of the code typed, without a word when it is unknown.
    void montrerLibelle(const PaireCode& paire);
    // Refills a label list from its table, the code typed kept with its label.
    void remplirLibelles(const PaireCode& paire);
    PaireCode section() const;
    PaireCode service() const;
    PaireCode tva() const;

    // State.
    forms::RecordSession session_;  // mode is W_Mode, checkFailed W_Erreur
    forms::CodeLookup lookup_;      // W_ListeActivites
    forms::FieldBindings fields_;
    forms::MandatoryChecks checks_;
    int wType_ = 0;  // 1 P, 2 M, 3 I, 4 S
    bool wErreurIcs_ = false;
    bool wRibDifferent_ = false;
    bool wActiviteChoisie_ = false;
    bool wTelegestion_ = false;
    int wAjoutCout_ = 0;
    std::string texteAffiche_;  // what the screen gave right after the display
    store::Record itemCout_;    // W_ItemCout
    // W_ListeCouts, W_ListeDates, W_ListeCoutsMajores, W_ListeTypes.
    store::Record listeCouts_, listeDates_, listeCoutsMajores_, listeTypes_;
    bool synchroListes_ = false;  // one list is moving the others

    // Widgets the window's rules name.
    QLabel* etqCodeAssoc_ = nullptr;
    QLabel* etqSigleAssoc_ = nullptr;
    QLineEdit* Txt_CodActivite = nullptr;
    QComboBox* Cbo_LibActivite = nullptr;
    QLineEdit* Txt_LibActivite = nullptr;
    QStackedLayout* pileLibelle_ = nullptr;
    QLineEdit* Txt_SectAnalActiv = nullptr;
    QComboBox* Cbo_SectAnalActiv = nullptr;
    QLineEdit* Txt_ServiceActiv = nullptr;
    QComboBox* Cbo_ServiceActiv = nullptr;
    QLineEdit* Txt_CodeTVA = nullptr;
    QComboBox* Cbo_CodeTVA = nullptr;
    QLineEdit* Txt_TauxTVA = nullptr;
    QLineEdit* Txt_Finess = nullptr;
    QLabel* Etq_LibTarif = nullptr;
    QLineEdit* Txt_LibTarif = nullptr;
    QCheckBox* Cac_Exo = nullptr;
    QGroupBox* Cdr_RIB = nullptr;
    QWidget* Ctr_RIB = nullptr;
    store::BankComponent* rib_ = nullptr;
    QGroupBox* Cdr_Type = nullptr;
    QRadioButton* Opt_Autre = nullptr;
    QRadioButton* Opt_Mandataire = nullptr;
    QRadioButton* Opt_Intermed = nullptr;
    QRadioButton* Opt_SSIAD = nullptr;
    QGroupBox* Cdr_CoutHoraire = nullptr;
    QLabel* Etq_Date = nullptr;
    QLabel* Etq_Cout = nullptr;
    QLabel* Etq_CoutMajore = nullptr;
    QLabel* Etq_Type = nullptr;
    QListWidget* Lst_Date = nullptr;
    QListWidget* Lst_Cout = nullptr;
    QListWidget* Lst_CoutMajore = nullptr;
    QListWidget* Lst_Type = nullptr;
    QScrollBar* Bdv_Taux = nullptr;
    QLineEdit* Txt_Date = nullptr;
    QLineEdit* Txt_Cout = nullptr;
    QLineEdit* Txt_CoutMajore = nullptr;
    QComboBox* Cbo_Type = nullptr;
    QPushButton* Cmd_AjoutCout = nullptr;
    QPushButton* Cmd_SuppCout = nullptr;
    QPushButton* Cmd_OkCout = nullptr;
    QPushButton* Cmd_AnnulCout = nullptr;
    QPushButton* Cmd_AjouterSection = nullptr;
    QPushButton* Cmd_AjouterService = nullptr;
    QPushButton* Cmd_IntegrationComptable = nullptr;
    QPushButton* Cmd_Ajouter = nullptr;
    QPushButton* Cmd_Ok = nullptr;
    QPushButton* Cmd_Annuler = nullptr;
    QPushButton* Cmd_Sortir = nullptr;
};
