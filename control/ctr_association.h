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
// The class is split by concern over several files: layout, lookups, display, remote management
// and CESU, membership fees, workflow.
//
// User-interface thread only. Record-store errors inside the display operations are skipped;
// elsewhere a handler that meets one tells the user in a message instead of letting it escape
// into the event loop.

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "store/client.h"
#include "store/components.h"
#include "store/database.h"
#include "store/record.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

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
    std::int16_t accessLevel() const;
    // 0 no creation under way, 1 creation of a new association under way.
    int mode() const { return mode_; }

  signals:
    // Emitted just before the control closes the window that contains it.
    void unloadRequested();

  private:
    // --- layout (ctr_association_layout.cpp)
    void buildUi();
    QWidget* buildHeader();
    QWidget* buildButtons();
    QWidget* buildTabCoordonnees();
    QWidget* buildTabRib();
    QWidget* buildTabPersonnel();
    QWidget* buildTabTelegestion();
    QWidget* buildTabMisesEnForme();
    QWidget* buildTabCesu();
    QWidget* buildTabCotisation();
    QGroupBox* buildFeeFrame(const char* frameName, const QString& caption, QChar kind);
    void wireHandlers();
    void setTabOrder();

    // --- lifecycle, rights, help, buttons (ctr_association.cpp)
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
    // Runs fn; a record-store (or other) failure becomes a message instead of escaping into the
    // event loop. handler and keyHandler wrap a handler that way for wiring.
    void guarded(const std::function<void()>& fn);
    std::function<void()> handler(void (Ctr_Association::*fn)());
    std::function<void(int&)> keyHandler(void (Ctr_Association::*fn)(int&));
    // The common message boxes: a refusal or a failure (exclamation), a fact (information).
    void avertir(const QString& text);
    void informer(const QString& text);

    // --- lookups (ctr_association_lookup.cpp)
    void Cbo_SigleAssoc_KeyPress(int& keyAscii);
    void Cbo_SigleAssoc_Change();
    void Cbo_SigleAssoc_Click();
    void Txt_CodeAssoc_Change();
    void Txt_CodeAssoc_KeyPress(int& keyAscii);
    void Txt_CodeAssoc_LostFocus();
    void typeAhead();
    void setSigleComboShown(bool shown);
    // Back to the search after a save or a cancel: code enabled and focused, sigle list shown.
    void retourRecherche();

    // --- display (ctr_association_display.cpp)
    void Remplir_JourSol();
    void Remplir_RespPaie(const std::string& stored);
    void Remplir_Effectif(const store::Record& record);
    void showDate(QLineEdit* field, const std::string& stored);
    void clearComponents();

    // --- remote management and CESU (ctr_association_telegestion.cpp)
    void showTelegestion(store::Record& record);
    void Cac_Telegestion_Click();
    void Cbo_Systeme_Click();
    void Cac_EnvoiAuto_Click();
    void Opt_AdrIP_Click();
    void Opt_Domaine_Click();
    void setTelegestionEnabled(bool enabled);
    void setAddressPartsEnabled(bool enabled);
    void setCesuEnabled(bool enabled);
    // Storing, called by the creation and the update at their place in the order of positions:
    // 38, 39, 51, 52, 53, 58 (58 always "0" in a creation when the box is checked) ...
    void Stockage_Telegestion(store::Record& record, bool creation);
    // ... and 43 to 47.
    void Stockage_EnvoiAuto(store::Record& record);
    void Txt_AdrSvrCESU_LostFocus();
    void Txt_AdrSvrCESU1_LostFocus();
    void Txt_AdrSvrCESU2_LostFocus();
    void Txt_AdrSvrCESU3_LostFocus();
    // Refuses a part that is no number from 0 to 254: message, part emptied, focus back in it.
    void verifierPartieAdresse(QLineEdit* part);

    // --- membership fees (ctr_association_cotisation.cpp)
    void showCotisations(const store::Record& record);
    void clearCotisations();

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
    // from the record as read, the address and bank blocks included (a change there alone would
    // otherwise be dropped without a word). False when the code on screen names no record shown:
    // an emptied screen with a code typed again must not be offered for saving over the last one.
    bool modificationsEnCours();
    // Writes the screen into record in the order of positions of a creation or of an update.
    // False when the creditor identifier is refused: nothing after it is written, and the caller
    // tells the user (refuserIcs) once the screen is usable.
    bool ecrireEcran(store::Record& record, bool creation);
    void refuserIcs();
    void copierCotisations(store::Record& record);
    bool ecritureFaite_ = false;  // the last Creation_Asso or Maj_Asso wrote its record

    // State.
    bool wSortir_ = false;
    int mode_ = 0;
    bool initialised_ = false;
    bool checkingPaths_ = false;
    std::shared_ptr<store::UserRights> rights_;
    std::shared_ptr<store::ScreenRights> screenRights_;
    store::Record selection_;     // rows of the sigle list: id at value 1, sigle at value 2
    store::Record activites_;     // the association's activities: id, type letter
    std::string texteLu_;         // whole text of the record as read, for the change test
    std::string texteComposant_;  // what the last component read or write returned
    bool zoneObligEchec_ = false;

    // Companion components, through the contract the screen relies on (the same objects as
    // Ctr_AdresseAssoc and Ctr_RIB).
    store::AddressComponent* adresse_ = nullptr;
    store::BankComponent* rib_ = nullptr;

    toolkit::HelpMenu* Mnu_Aide = nullptr;

    // Widgets, by their screen names.
    QLabel* Etq_CodeAssoc = nullptr;
    QLineEdit* Txt_CodeAssoc = nullptr;
    QLabel* Etq_SigleAssoc = nullptr;
    QComboBox* Cbo_SigleAssoc = nullptr;
    QLineEdit* Txt_SigleAssoc = nullptr;
    QLabel* Etq_RaisonAssoc = nullptr;
    QLineEdit* Txt_RaisonAssoc = nullptr;
    QPushButton* Cmd_Ajouter = nullptr;
    QPushButton* Cmd_Ok = nullptr;
    QPushButton* Cmd_Annuler = nullptr;
    QPushButton* Cmd_Sortir = nullptr;
    QPushButton* Cmd_Etablissement = nullptr;
    QPushButton* Cmd_Activite = nullptr;
    QTabWidget* Ong_Assoc = nullptr;

    // Coordonnées
    QWidget* Ctr_AdresseAssoc = nullptr;
    QLineEdit* Txt_SirenAssoc = nullptr;
    QLineEdit* Txt_NumTVA = nullptr;
    QLineEdit* Txt_Finess = nullptr;
    QLineEdit* Txt_Email = nullptr;

    // R.i.b.
    QWidget* Ctr_RIB = nullptr;

    // Personnel
    QGroupBox* Cdr_Assedic = nullptr;
    QLineEdit* Txt_CentreAssedic = nullptr;
    QLineEdit* Txt_NumAffilAssedic = nullptr;
    QGroupBox* fra_RespPaie = nullptr;
    QComboBox* cbo_RespPaie = nullptr;
    QLineEdit* Txt_RespPerso = nullptr;
    QLineEdit* Txt_TelRespPaie = nullptr;
    QLineEdit* Txt_MailRespPaie = nullptr;
    QCheckBox* Chk_DecalagePaie = nullptr;
    QComboBox* Cbo_JourSol = nullptr;
    QCheckBox* Cac_CET = nullptr;
    QLabel* Etq_EnteteEffectif = nullptr;
    QComboBox* Cbo_Effectif = nullptr;

    // Télégestion
    QCheckBox* Cac_Telegestion = nullptr;
    QLabel* Etq_Systeme = nullptr;
    QComboBox* Cbo_Systeme = nullptr;
    QLineEdit* Txt_Systeme = nullptr;
    QLabel* Etq_Ident = nullptr;
    QLineEdit* Txt_Ident = nullptr;
    QLabel* Etq_NumSysTelGestion = nullptr;
    QLineEdit* Txt_NumSysTelegest = nullptr;
    QLabel* Etq_MOI = nullptr;
    QLineEdit* Txt_Moi = nullptr;
    QLabel* Etq_Ligne2CarteTelGest = nullptr;
    QLineEdit* Txt_LigneCarteTelGest = nullptr;
    QCheckBox* Cac_TelMobile = nullptr;

    // Mises en forme
    QLineEdit* Txt_AgrAuto1 = nullptr;
    QLineEdit* Txt_AgrAuto2 = nullptr;
    QGroupBox* Cdr_Editions = nullptr;
    QCheckBox* Cac_PresentSimpl = nullptr;
    QCheckBox* Cac_PreImpBulltPaie = nullptr;
    QCheckBox* Cac_LogoBullPaie = nullptr;
    QCheckBox* Cac_PreImpFact = nullptr;
    QCheckBox* Cac_LogoFact = nullptr;
    QLineEdit* Txt_DateGrilleAggir2008 = nullptr;

    // Gestion CESU
    QCheckBox* Cac_EnvoiAuto = nullptr;
    QGroupBox* Cdr_AdresseServeur = nullptr;
    QButtonGroup* adresseMode_ = nullptr;
    QRadioButton* Opt_AdrIP = nullptr;
    QRadioButton* Opt_Domaine = nullptr;
    QLineEdit* Txt_AdrSvrCESU = nullptr;
    QLineEdit* Txt_AdrSvrCESU1 = nullptr;
    QLineEdit* Txt_AdrSvrCESU2 = nullptr;
    QLineEdit* Txt_AdrSvrCESU3 = nullptr;
    QLabel* Etq_Point1 = nullptr;
    QLabel* Etq_Point2 = nullptr;
    QLabel* Etq_Point3 = nullptr;
    QLabel* Etq_2Points = nullptr;
    QLineEdit* Txt_Port = nullptr;
    QLineEdit* Txt_Domaine = nullptr;
    QGroupBox* Cdr_Parametres = nullptr;
    QLabel* Etq_LoginUtil = nullptr;
    QLineEdit* Txt_LoginUtil = nullptr;
    QLabel* Etq_Mtp = nullptr;
    QLineEdit* Txt_Mtp = nullptr;
    QLabel* Etq_CodeTeletransmettant = nullptr;
    QLineEdit* Txt_CodeTeletransmettant = nullptr;
    QLabel* Etq_CodeIntervenant = nullptr;
    QLineEdit* Txt_CodeIntervenant = nullptr;

    // Cotisation Annuelle: index 0 Mandataire, 1 Prestataire, 2 Intermédiaire (the order of the
    // values of attributes 31 and 32).
    struct FeeFrame {
        QGroupBox* frame = nullptr;
        QLineEdit* montant = nullptr;
        QButtonGroup* typeAppel = nullptr;
        QRadioButton* anneeCivile = nullptr;
        QRadioButton* moisAnniversaire = nullptr;
    };
    FeeFrame fees_[3];
};
