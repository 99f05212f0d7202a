// Lifecycle of the association screen: host interface, rights, paths check on entry, help menu
// and the buttons that leave the screen or open other windows.
#include "control/ctr_association.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "activities/frm_activite.h"
#include "control/page_cesu.h"
#include "control/page_cotisation.h"
#include "control/page_telegestion.h"
#include "establishments/frm_etablissement.h"
#include "forms/feedback.h"
#include "forms/help_topic.h"
#include "forms/history_window.h"
#include "forms/record_window.h"
#include "platform/toolkit/events.h"
#include "platform/toolkit/help_menu.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/parametres.h"
#include "store/store_error.h"
#include "store/variables.h"

using forms::Handler;
using forms::KeyHandler;
using toolkit::toQ;

Ctr_Association::Ctr_Association(QWidget* parent)
    : QWidget(parent),
      session_(store::Variables::Get().association),
      lookup_(
          {"ASSOCIATION", "SigleAssoc", "", QStringLiteral("Aucune association commençant par ")},
          nullptr) {
    buildUi();
    lookup_ = forms::CodeLookup(
        {"ASSOCIATION", "SigleAssoc", "", QStringLiteral("Aucune association commençant par ")},
        Cbo_SigleAssoc);
    setTabOrder();
    Mnu_Aide = new toolkit::HelpMenu(this, Handler(this, &Ctr_Association::Mnu_Sommaire_Click));
    forms::AddHistoryEntry(Mnu_Aide, this, [this]() -> std::pair<std::string, std::string> {
        // Only a record shown, never one being created.
        if (session_.mode != 0 || !session_.HasCurrent() || Txt_CodeAssoc->isEnabled())
            return {};
        return {"ASSOCIATION", session_.Current().Id()};
    });
    wireHandlers();
    wireFieldRules();
    connect(qApp, &QApplication::focusChanged, this, &Ctr_Association::onFocusChanged);
    // Until Init nothing can be looked up or written.
    Griser();
    Cmd_Ok->setEnabled(false);
}

Ctr_Association::~Ctr_Association() {
    access_.Release();
}

void Ctr_Association::wireHandlers() {
    // Every handler runs guarded: a record-store failure becomes a message, never an exception
    // unwinding through Qt's event loop.
    connect(Txt_CodeAssoc, &QLineEdit::textChanged, this,
            Handler(this, &Ctr_Association::Txt_CodeAssoc_Change));
    toolkit::OnKeyPress(Txt_CodeAssoc, KeyHandler(this, &Ctr_Association::Txt_CodeAssoc_KeyPress));
    toolkit::OnLostFocus(Txt_CodeAssoc, Handler(this, &Ctr_Association::Txt_CodeAssoc_LostFocus));

    connect(Cbo_SigleAssoc, &QComboBox::editTextChanged, this,
            Handler(this, &Ctr_Association::Cbo_SigleAssoc_Change));
    connect(Cbo_SigleAssoc, &QComboBox::activated, this,
            Handler(this, &Ctr_Association::Cbo_SigleAssoc_Click));
    toolkit::OnKeyPress(Cbo_SigleAssoc,
                        KeyHandler(this, &Ctr_Association::Cbo_SigleAssoc_KeyPress));

    const std::pair<QAbstractButton*, void (Ctr_Association::*)()> clicks[] = {
        {Cmd_Ajouter, &Ctr_Association::Cmd_Ajouter_Click},
        {Cmd_Ok, &Ctr_Association::Cmd_Ok_Click},
        {Cmd_Annuler, &Ctr_Association::Cmd_Annuler_Click},
        {Cmd_Sortir, &Ctr_Association::Cmd_Sortir_Click},
        {Cmd_Etablissement, &Ctr_Association::Cmd_Etablissement_Click},
        {Cmd_Activite, &Ctr_Association::Cmd_Activite_Click},
    };
    for (const auto& [button, fn] : clicks)
        connect(button, &QAbstractButton::clicked, this, Handler(this, fn));

    // A right click on the background reaches the control itself (labels, frames and pages
    // pass it on); the tab bar keeps its clicks, so it is wired too.
    toolkit::OnMouseDown(this, [this](int button) { showHelpMenu(button); });
    toolkit::OnMouseDown(Ong_Assoc->tabBar(), [this](int button) { showHelpMenu(button); });
}

void Ctr_Association::DroitsUtilisateur(std::shared_ptr<store::UserRights> rights) {
    access_.SetRights(std::move(rights));
}

void Ctr_Association::TheClient(std::shared_ptr<store::Client> client) {
    store::Variables::Get().client = std::move(client);
    nommerUtilisateur();
}

void Ctr_Association::TheDatabase(std::shared_ptr<store::Database> database) {
    store::Variables::Get().database = std::move(database);
    nommerUtilisateur();
}

void Ctr_Association::nommerUtilisateur() {
    // The history names the client's user for every write made from here.
    const store::Variables& v = store::Variables::Get();
    if (v.database && v.client && !v.client->UserName().empty())
        v.database->SetUserName(v.client->UserName());
}

void Ctr_Association::Init() {
    store::Variables& v = store::Variables::Get();
    store::Procedure::Ouverture();
    // A second Init starts again from the search: nothing shown, code free.
    if (!Txt_CodeAssoc->text().isEmpty()) {
        session_.mode = 0;
        Txt_CodeAssoc->clear();
    }
    Txt_CodeAssoc->setEnabled(true);
    setSigleComboShown(true);
    Remplir_SigleAssoc();
    wSortir_ = false;
    if (components_.address) {
        components_.address->SetDatabase(v.database);
        components_.address->SetSettings(false, true, false);
        components_.address->Initialise();
    }
    Ong_Assoc->setCurrentIndex(0);
    session_.mode = 0;
    for (QWidget* w : {static_cast<QWidget*>(Cmd_Etablissement),
                       static_cast<QWidget*>(Cmd_Activite), static_cast<QWidget*>(Cmd_Ok)}) {
        w->setEnabled(false);
    }
    Griser();
    Remplir_Table_Telegestion();
    initialised_ = true;
    if (lookup_.Count() == 1 && !lookup_.Rows().Value(1, 2).empty())
        Txt_CodeAssoc->setText(toQ(lookup_.IdAt(0)));
    applyRights();
}

void Ctr_Association::applyRights() {
    Cmd_Ajouter->setVisible(access_.Full());
    Cmd_Ok->setVisible(access_.Full());
}

void Ctr_Association::Griser() {
    for (QWidget* w : std::initializer_list<QWidget*>{Txt_RaisonAssoc, Cmd_Annuler,
                                                      Cmd_Etablissement, Cmd_Activite}) {
        w->setEnabled(false);
    }
}

void Ctr_Association::Afficher() {
    Txt_RaisonAssoc->setEnabled(true);
    Cmd_Annuler->setEnabled(true);
}

void Ctr_Association::Fermeture() {
    abandonnerReservation();
    if (components_.address) {
        components_.address->SetDatabase(nullptr);
        components_.address->Close();
    }
    lookup_ = forms::CodeLookup(
        {"ASSOCIATION", "SigleAssoc", "", QStringLiteral("Aucune association commençant par ")},
        Cbo_SigleAssoc);
    session_.Forget();
    texteComposant_.clear();
    initialised_ = false;
    store::Procedure::Fermeture();
}

void Ctr_Association::Remplir_Table_Telegestion() {
    telegestion_->Remplir_Table_Telegestion();
}

void Ctr_Association::onFocusChanged(QWidget* old, QWidget* now) {
    auto inside = [](const QWidget* area, const QWidget* w) {
        return w && (w == area || area->isAncestorOf(w));
    };
    if (inside(this, now) && !inside(this, old))
        forms::Guarded(this, [this] { enteringControl(); });
    if (components_.bank && inside(Ctr_RIB, now) && !inside(Ctr_RIB, old)) {
        const store::Variables& v = store::Variables::Get();
        components_.bank->SetConnection(v.database, v.client);
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
            v.chemin = v.fCheminFichier->Read(store::layout::cheminfichier::kId);
        } catch (const store::StoreError& e) {
            if (e.code() == store::ErrorCode::RecordNotFound)
                missing = true;
        }
    }
    if (!missing)
        return;
    v.chemin.reset();
    checkingPaths_ = true;
    forms::Avertir(this, QStringLiteral("Les chemins d'accès des produits bureautiques ne sont pas "
                                        "corrects, veuillez les saisir."));
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
    forms::ShowHelp({"Association", "P", "Assoc.htm"});
}

void Ctr_Association::Cmd_Etablissement_Click() {
    store::Variables::Get().codeAssociation = toolkit::fromQ(Txt_CodeAssoc->text());
    // A child of the host window, not of this control: the control is disabled while it is up.
    Frm_Etablissement etablissements(window());
    forms::OpenModal(this, etablissements, [&] {
        etablissements.DroitsUtilisateur(access_.Rights());
        etablissements.Init();
        etablissements.Entite(Txt_CodeAssoc->text(), Txt_SigleAssoc->text());
    });
}

void Ctr_Association::Cmd_Activite_Click() {
    const QString code = Txt_CodeAssoc->text();
    const QString sigle = Txt_SigleAssoc->text();
    store::Variables::Get().codeAssociation = toolkit::fromQ(code);
    // A child of the host window, not of this control: the control is disabled while it is up.
    Frm_Activite activites(window());
    forms::OpenModal(this, activites, [&] {
        activites.DroitsUtilisateur(access_.Rights());
        activites.setWindowTitle(
            QStringLiteral("Activités - Entité juridique %1 %2").arg(code, sigle));
        activites.Init();
        activites.Entite(code, sigle);
        auto* telegestion = findChild<QCheckBox*>(QStringLiteral("Cac_Telegestion"));
        activites.SetTelegestion(telegestion && telegestion->isChecked());
        activites.IntegrationComptable()->setEnabled(false);
    });
}

void Ctr_Association::Cmd_Sortir_Click() {
    wSortir_ = true;
    // Without full rights nothing may be written: no question, changes dropped.
    if (session_.mode == 1) {
        if (access_.Full() &&
            !forms::RecordSession::ConfirmQuitCreation(this, toolkit::Icon::Question)) {
            return;
        }
        abandonnerReservation();
        unloadHost();
        return;
    }
    if (!Txt_CodeAssoc->text().isEmpty() && modificationsEnCours()) {
        const toolkit::Answer answer =
            forms::RecordSession::AskSave(this, access_.Full(), toolkit::Icon::Question);
        if (answer == toolkit::Answer::Cancel) {
            wSortir_ = false;
            return;
        }
        if (answer == toolkit::Answer::Yes) {
            Maj_Asso();
            // Refused (a missing field, the creditor identifier): leaving now would drop what was
            // typed, so the screen stays. A refused creditor identifier also takes the wish to
            // leave back: the host must not be told the user left while the screen stays.
            if (!ecritureFaite_) {
                if (!session_.checkFailed)
                    wSortir_ = false;
                return;
            }
        }
    }
    unloadHost();
}
