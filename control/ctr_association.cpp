// Lifecycle of the association screen: host interface, rights, paths check on entry, help menu
// and the buttons that leave the screen or open other windows.
#include "control/ctr_association.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include "control/ctr_association_parts.h"
#include "platform/components/aide/composant_aide.h"
#include "platform/toolkit/events.h"
#include "platform/toolkit/help_menu.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/store_error.h"
#include "store/variables.h"

using toolkit::toQ;

Ctr_Association::Ctr_Association(QWidget* parent) : QWidget(parent) {
    buildUi();
    setTabOrder();
    Remplir_JourSol();
    Mnu_Aide = new toolkit::HelpMenu(this, handler(&Ctr_Association::Mnu_Sommaire_Click));
    wireHandlers();
    wireFieldRules();
    connect(qApp, &QApplication::focusChanged, this, &Ctr_Association::onFocusChanged);
    // Until Init nothing can be looked up or written.
    Griser();
    Cmd_Ok->setEnabled(false);
    setAddressPartsEnabled(true);
    Txt_Domaine->setEnabled(false);
}

Ctr_Association::~Ctr_Association() {
    screenRights_.reset();
    rights_.reset();
}

void Ctr_Association::wireHandlers() {
    // Every handler runs guarded: a record-store failure becomes a message, never an exception
    // unwinding through Qt's event loop.
    connect(Txt_CodeAssoc, &QLineEdit::textChanged, this,
            handler(&Ctr_Association::Txt_CodeAssoc_Change));
    toolkit::OnKeyPress(Txt_CodeAssoc, keyHandler(&Ctr_Association::Txt_CodeAssoc_KeyPress));
    toolkit::OnLostFocus(Txt_CodeAssoc, handler(&Ctr_Association::Txt_CodeAssoc_LostFocus));

    connect(Cbo_SigleAssoc, &QComboBox::editTextChanged, this,
            handler(&Ctr_Association::Cbo_SigleAssoc_Change));
    connect(Cbo_SigleAssoc, &QComboBox::activated, this,
            handler(&Ctr_Association::Cbo_SigleAssoc_Click));
    toolkit::OnKeyPress(Cbo_SigleAssoc, keyHandler(&Ctr_Association::Cbo_SigleAssoc_KeyPress));

    const std::pair<QAbstractButton*, void (Ctr_Association::*)()> clicks[] = {
        {Cac_Telegestion, &Ctr_Association::Cac_Telegestion_Click},
        {Cac_EnvoiAuto, &Ctr_Association::Cac_EnvoiAuto_Click},
        {Opt_AdrIP, &Ctr_Association::Opt_AdrIP_Click},
        {Opt_Domaine, &Ctr_Association::Opt_Domaine_Click},
        {Cmd_Ajouter, &Ctr_Association::Cmd_Ajouter_Click},
        {Cmd_Ok, &Ctr_Association::Cmd_Ok_Click},
        {Cmd_Annuler, &Ctr_Association::Cmd_Annuler_Click},
        {Cmd_Sortir, &Ctr_Association::Cmd_Sortir_Click},
        {Cmd_Etablissement, &Ctr_Association::Cmd_Etablissement_Click},
        {Cmd_Activite, &Ctr_Association::Cmd_Activite_Click},
    };
    for (const auto& [button, fn] : clicks)
        connect(button, &QAbstractButton::clicked, this, handler(fn));
    connect(Cbo_Systeme, &QComboBox::activated, this, handler(&Ctr_Association::Cbo_Systeme_Click));

    // A right click on the background reaches the control itself (labels, frames and pages
    // pass it on); the tab bar keeps its clicks, so it is wired too.
    toolkit::OnMouseDown(this, [this](int button) { showHelpMenu(button); });
    toolkit::OnMouseDown(Ong_Assoc->tabBar(), [this](int button) { showHelpMenu(button); });
}

void Ctr_Association::guarded(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const store::StoreError& e) {
        avertir(QStringLiteral("Erreur de la base de données (code %1) :\n%2")
                    .arg(QString::number(e.code(), 16).toUpper(), toQ(e.what())));
    } catch (const std::exception& e) {
        avertir(QStringLiteral("Erreur inattendue :\n%1").arg(toQ(e.what())));
    }
}

std::function<void()> Ctr_Association::handler(void (Ctr_Association::*fn)()) {
    return [this, fn] { guarded([this, fn] { (this->*fn)(); }); };
}

std::function<void(int&)> Ctr_Association::keyHandler(void (Ctr_Association::*fn)(int&)) {
    return [this, fn](int& key) { guarded([this, fn, &key] { (this->*fn)(key); }); };
}

void Ctr_Association::avertir(const QString& text) {
    toolkit::MsgBox(text, toolkit::Icon::Exclamation, toolkit::Buttons::Ok, this);
}

void Ctr_Association::informer(const QString& text) {
    toolkit::MsgBox(text, toolkit::Icon::Information, toolkit::Buttons::Ok, this);
}

void Ctr_Association::DroitsUtilisateur(std::shared_ptr<store::UserRights> rights) {
    rights_ = std::move(rights);
    screenRights_ = rights_ ? rights_->GetScreenRights("ASSOCIATION") : nullptr;
}

std::int16_t Ctr_Association::accessLevel() const {
    return screenRights_ ? screenRights_->AccessLevel() : 0;
}

void Ctr_Association::TheClient(std::shared_ptr<store::Client> client) {
    store::Variables::Get().client = std::move(client);
}

void Ctr_Association::TheDatabase(std::shared_ptr<store::Database> database) {
    store::Variables::Get().database = std::move(database);
}

void Ctr_Association::Init() {
    store::Variables& v = store::Variables::Get();
    store::Procedure::Ouverture();
    // A second Init starts again from the search: nothing shown, code free.
    if (!Txt_CodeAssoc->text().isEmpty()) {
        mode_ = 0;
        Txt_CodeAssoc->clear();
    }
    Txt_CodeAssoc->setEnabled(true);
    setSigleComboShown(true);
    Remplir_SigleAssoc();
    wSortir_ = false;
    if (adresse_) {
        adresse_->SetDatabase(v.database);
        adresse_->SetSettings(false, true, false);
        adresse_->Initialise();
    }
    Ong_Assoc->setCurrentIndex(0);
    mode_ = 0;
    assoc::setEnabled({Cmd_Etablissement, Cmd_Activite, Cmd_Ok}, false);
    Griser();
    Remplir_Table_Telegestion();
    initialised_ = true;
    if (selection_.DCount() == 1 && !selection_.Value(1, 2).empty())
        Txt_CodeAssoc->setText(toQ(selection_.Value(1, 1)));
    applyRights();
}

void Ctr_Association::applyRights() {
    const bool full = accessLevel() == 2;
    Cmd_Ajouter->setVisible(full);
    Cmd_Ok->setVisible(full);
}

void Ctr_Association::Griser() {
    assoc::setEnabled({Txt_RaisonAssoc, Cmd_Annuler, Cmd_Etablissement, Cmd_Activite}, false);
}

void Ctr_Association::Afficher() {
    assoc::setEnabled({Txt_RaisonAssoc, Cmd_Annuler}, true);
}

void Ctr_Association::Fermeture() {
    if (adresse_) {
        adresse_->SetDatabase(nullptr);
        adresse_->Close();
    }
    selection_ = store::Record();
    activites_ = store::Record();
    texteLu_.clear();
    texteComposant_.clear();
    initialised_ = false;
    store::Procedure::Fermeture();
}

void Ctr_Association::onFocusChanged(QWidget* old, QWidget* now) {
    auto inside = [](const QWidget* area, const QWidget* w) {
        return w && (w == area || area->isAncestorOf(w));
    };
    if (inside(this, now) && !inside(this, old))
        guarded([this] { enteringControl(); });
    if (rib_ && inside(Ctr_RIB, now) && !inside(Ctr_RIB, old)) {
        const store::Variables& v = store::Variables::Get();
        rib_->SetConnection(v.database, v.client);
    }
}

void Ctr_Association::enteringControl() {
    store::Variables& v = store::Variables::Get();
    // The message below takes the focus away and gives it back: that return is no new entry.
    if (!initialised_ || checkingPaths_ || wSortir_ || !v.database)
        return;
    bool missing = !v.fCheminFichier;  // without the file there are no paths either
    if (v.fCheminFichier) {
        try {
            v.chemin = v.fCheminFichier->Read("1");
        } catch (const store::StoreError& e) {
            if (e.code() == store::ErrorCode::RecordNotFound)
                missing = true;
        }
    }
    if (!missing)
        return;
    v.chemin.reset();
    checkingPaths_ = true;
    avertir(
        QStringLiteral("Les chemins d'accès des produits bureautiques ne sont pas corrects, "
                       "veuillez les saisir."));
    wSortir_ = true;
    unloadHost();
    checkingPaths_ = false;
}

void Ctr_Association::unloadHost() {
    emit unloadRequested();
    window()->close();
}

void Ctr_Association::showHelpMenu(int button) {
    if (button == 2)
        Mnu_Aide->popupAtCursor();
}

void Ctr_Association::Mnu_Sommaire_Click() {
    const store::Variables& v = store::Variables::Get();
    Composant_Aide& aide = Composant_Aide::Instance();
    aide.SetClient(v.client);
    aide.SetDatabase(v.database);
    aide.ShowTopic("Association", "P", "Assoc.htm");
}

// The two windows are not part of this program yet: the code is handed where they will read it.
void Ctr_Association::Cmd_Etablissement_Click() {
    store::Variables::Get().codeAssociation = toolkit::fromQ(Txt_CodeAssoc->text());
}

void Ctr_Association::Cmd_Activite_Click() {
    store::Variables::Get().codeAssociation = toolkit::fromQ(Txt_CodeAssoc->text());
}

void Ctr_Association::Cmd_Sortir_Click() {
    wSortir_ = true;
    // Without full rights nothing may be written: no question, changes dropped.
    const bool full = accessLevel() == 2;
    if (mode_ == 1) {
        if (full) {
            toolkit::Beep();
            if (toolkit::MsgBox(QStringLiteral("Etes-vous sûr de vouloir quitter cette création ?"),
                                toolkit::Icon::Question, toolkit::Buttons::YesNo,
                                this) != toolkit::Answer::Yes) {
                return;
            }
        }
        unloadHost();
        return;
    }
    if (!Txt_CodeAssoc->text().isEmpty() && modificationsEnCours()) {
        toolkit::Answer answer = toolkit::Answer::No;
        if (full) {
            toolkit::Beep();
            answer = toolkit::MsgBox(
                QStringLiteral(
                    "Voulez-vous enregistrer les modifications apportées à cet article ?"),
                toolkit::Icon::Question, toolkit::Buttons::YesNoCancel, this);
        }
        if (answer == toolkit::Answer::Cancel) {
            wSortir_ = false;
            return;
        }
        if (answer == toolkit::Answer::Yes) {
            Maj_Asso();
            // Refused (a missing field, the creditor identifier): leaving now would drop what was
            // typed, so the screen stays.
            if (!ecritureFaite_)
                return;
        }
    }
    unloadHost();
}
