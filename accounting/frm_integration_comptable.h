#pragma once
// The accounting window ("Paramètres d'intégration comptable"): the two income accounts of one
// activity, chosen in the chart of accounts of its association (PLANCOMPTABLE, id = association
// code + the ten-digit account code, label at attribute 1): the account of the clients without
// coverage (attribute 23 of the activity) and the account of the annual fee (attribute 24).
//
// Each account is entered by its code (digits only; Enter, or leaving the field, with a partial
// code lists the accounts whose code begins with it, and a single one completes the code) or
// by its label in a list that narrows to the labels beginning with what is typed, one keystroke
// at a time. Typed text goes into the selection through store::QuoteValue: no typed text can
// widen it.
//
// Opening protocol (the activities window's "Intégration comptable"): make the window, hand it
// the rights (DroitsUtilisateur), give it the association and the activity (Activite), call
// Init, give it the activity's label (LibelleActivite), show it modally. Init reads the activity
// afresh into the process-wide slot Variables::activite, which the activities window reads back
// when this window has closed. OK writes both accounts through forms::RecordSession::Save (never
// silently over another workstation's change); "Retour" asks to write them only when one of them
// changed. A user with full rights closing the window by the frame or Escape gets "Retour"; a
// consult-only user has neither button, closes it by the frame or Escape, and writes nothing.
//
// User-interface thread only; handlers run guarded (a record-store failure becomes a message).

#include <QString>
#include <string>

#include "forms/record_session.h"
#include "forms/record_window.h"
#include "store/record.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class Frm_IntegrationComptable : public forms::RecordWindow {
    Q_OBJECT

  public:
    explicit Frm_IntegrationComptable(QWidget* parent = nullptr);
    ~Frm_IntegrationComptable() override;

    // The association's code (Etq_CodeAsso) and the activity's (Txt_CodeActivite).
    void Activite(const QString& association, const QString& activite);
    void Init();
    void LibelleActivite(const QString& libelle);

    // True once OK or "Retour" wrote the accounts.
    bool Ecrit() const { return ecrit_; }

  protected:
    void CloseRequested() override;
    std::pair<std::string, std::string> ShownRecord() const override;

  private:
    // A code field and its label list, with the accounts the list shows.
    struct Compte {
        QLineEdit* code;
        QComboBox* liste;
        int attribut;
        store::Record lignes;  // row k: the id at value 1, the label at value 2
    };

    // --- layout (frm_integration_comptable_layout.cpp)
    void buildUi();
    void wireHandlers();

    // --- display (frm_integration_comptable_display.cpp)
    void Affichage_Comptes();
    void Libelle_Compte(Compte& compte);
    // Replaces the list's entries by the labels of rows, its text kept.
    void remplirListe(Compte& compte, store::Record rows);
    void texteListe(Compte& compte, const QString& texte);

    // --- workflow and checks (frm_integration_comptable_workflow.cpp)
    void Droits_Integration();
    void Cmd_Ok_Click();
    void Cmd_Retour_Click();
    // Writes both accounts; false when nothing was written (the user went back, or reloaded).
    bool ecrire();
    bool modifie() const;

    // --- field rules (frm_integration_comptable_regles.cpp)
    void Recherche_Libelle(Compte& compte);
    void Choix_Liste(Compte& compte);
    void Saisie_Liste(Compte& compte, int& keyAscii);
    void Saisie_Code(Compte& compte, int& keyAscii);
    void Recherche_Code(Compte& compte);
    void Cbo_PrdAideSansPriseChg_Change();
    void Cbo_PrdAideSansPriseChg_Click();
    void Cbo_PrdAideSansPriseChg_KeyPress(int& keyAscii);
    void Cbo_PrdCotisAnnuelle_Change();
    void Cbo_PrdCotisAnnuelle_Click();
    void Cbo_PrdCotisAnnuelle_KeyPress(int& keyAscii);
    void Txt_CodePrdAideSansPriseChg_Change();
    void Txt_CodePrdAideSansPriseChg_KeyPress(int& keyAscii);
    void Txt_CodePrdAideSansPriseChg_LostFocus();
    void Txt_CodePrdCotisAnnuelle_Change();
    void Txt_CodePrdCotisAnnuelle_KeyPress(int& keyAscii);
    void Txt_CodePrdCotisAnnuelle_LostFocus();
    void listeChange(Compte& compte);
    void codeFin(Compte& compte);

    std::string codeAssociation() const;
    std::string id() const;

    forms::RecordSession session_;
    Compte aideSansPriseChg_{};
    Compte cotisAnnuelle_{};
    bool remplissage_ = false;         // the window itself is putting a label into a list
    bool selectionFaite_ = false;      // a selection by label has run
    bool rechercheCodeFaite_ = false;  // the partial code's search has run
    bool ecrit_ = false;

    QLabel* Etq_CodeAsso = nullptr;
    QLineEdit* Txt_CodeActivite = nullptr;
    QLineEdit* Txt_LibelleActivite = nullptr;
    QLineEdit* Txt_CodePrdAideSansPriseChg = nullptr;
    QComboBox* Cbo_PrdAideSansPriseChg = nullptr;
    QLineEdit* Txt_CodePrdCotisAnnuelle = nullptr;
    QComboBox* Cbo_PrdCotisAnnuelle = nullptr;
    QPushButton* Cmd_Ok = nullptr;
    QPushButton* Cmd_Retour = nullptr;
};
