// Opening, creating, saving and leaving activities: the buttons, the type options, the checks
// before writing (mandatory fields, service across types, creditor identifier) and the writes.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <charconv>

#include "activities/frm_activite.h"

#include "accounting/frm_integration_comptable.h"
#include "forms/feedback.h"
#include "platform/filesystem/file_system.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/activites.h"
#include "store/layout/association.h"
#include "store/layout/compteur.h"
#include "store/layout/parametres.h"
#include "store/layout/tables.h"
#include "store/request.h"
#include "store/skipping_errors.h"
#include "store/store_error.h"
#include "store/variables.h"

using toolkit::fromQ;
using toolkit::toQ;
namespace X = store::layout::activites;

namespace {

// The last code a counter may hand out: codes are three digits.
constexpr int kDernierCode = 999;

// The leading number of a counter's text ("009" is 9); 0 when there is none.
int nombre(const std::string& text) {
    int n = 0;
    std::from_chars(text.data(), text.data() + text.size(), n);
    return n;
}

}  // namespace

void Frm_Activite::buildChecks() {
    using forms::MandatoryCheck;
    auto exclamation = [](std::function<bool()> fails, const char* message, QWidget* focus,
                          std::function<void()> onFailure = {}) {
        MandatoryCheck c;
        c.fails = std::move(fails);
        c.message = QString::fromUtf8(message);
        c.icon = toolkit::Icon::Exclamation;
        c.focus = focus;
        c.onFailure = std::move(onFailure);
        return c;
    };
    // Whether a label list's text is one of its table's labels, read until the first empty one.
    auto connu = [](QComboBox* libelles, const store::Record* (*table)()) {
        const store::Record* t = table();
        const std::string texte = fromQ(libelles->currentText());
        for (int k = 1; t && !t->Value(store::layout::tables::kLibelles, k).empty(); ++k) {
            if (t->Value(store::layout::tables::kLibelles, k) == texte)
                return true;
        }
        return false;
    };
    const PaireCode s = section();
    const PaireCode sv = service();
    checks_.Add(forms::BankDetailsCheck(rib_, -1))
        .Required(Txt_LibActivite, QStringLiteral("La dénomination doit être renseignée."), -1,
                  true)
        .Required(Txt_SectAnalActiv, QStringLiteral("La section analytique doit être renseignée."))
        .Add(exclamation([this] { return Txt_ServiceActiv->text().isEmpty(); },
                         "Le service est obligatoire.", Txt_ServiceActiv))
        .Required(Txt_CodeTVA, QStringLiteral("Le taux de T.V.A. doit être renseigné."))
        .Add(exclamation([=] { return !connu(s.libelles, s.table); },
                         "La section analytique saisie n'existe pas.", Txt_SectAnalActiv,
                         [this] {
                             Cbo_SectAnalActiv->setEditText(QString());
                             Txt_SectAnalActiv->clear();
                         }))
        .Add(exclamation(
            [=, this] { return lettreChoisie() == 'P' && !connu(sv.libelles, sv.table); },
            "Le service saisi n'existe pas.", Txt_ServiceActiv,
            [this] {
                Cbo_ServiceActiv->setEditText(QString());
                Txt_ServiceActiv->clear();
            }))
        .Add(exclamation([this] { return lettreChoisie() == 'P' && Lst_Date->count() == 0; },
                         "La zone de coût horaire de la prestation à temps plein doit être "
                         "renseignée.",
                         Cmd_AjoutCout))
        .Add(exclamation([this] { return !VerifActService(); },
                         "le service ne doit pas avoir des activités de type différent.",
                         Txt_ServiceActiv));
}

void Frm_Activite::Init() {
    Form_Load();
    Appliquer_Droits();
}

void Frm_Activite::Form_Load() {
    store::Variables& v = store::Variables::Get();
    v.services.reset();
    wRibDifferent_ = false;
    DeGrisage(false);
    coutsAuRepos();
    Cbo_Type->setEnabled(true);
    deselectionnerTypes();
    for (QWidget* w :
         std::initializer_list<QWidget*>{Txt_ServiceActiv, Cbo_ServiceActiv, Cmd_AjouterService})
        w->setEnabled(false);
    Cac_Exo->setVisible(false);
    Remplir_SigleActivite();
    Remplir_TauxTVA();
    Remplir_SectAnal();
    Remplir_Service();
    // An association's only activity is shown at once.
    if (Cbo_LibActivite->count() == 1 && !Cbo_LibActivite->itemText(0).isEmpty()) {
        Cbo_LibActivite->setCurrentIndex(0);
        Cbo_LibActivite_Click();
    }
    Cmd_Sortir->setEnabled(true);
}

void Frm_Activite::Appliquer_Droits() {
    if (Access().Full())
        return;
    for (QWidget* w :
         std::initializer_list<QWidget*>{Cmd_Ajouter, Cmd_Ok, Cmd_OkCout, Cmd_SuppCout,
                                         Cmd_AjoutCout, Cmd_AjouterSection, Cmd_AjouterService})
        w->setVisible(false);
}

void Frm_Activite::Cmd_Ajouter_Click() {
    listeCouts_ = listeDates_ = listeCoutsMajores_ = listeTypes_ = store::Record();
    wActiviteChoisie_ = false;
    QString type;
    for (;;) {
        type =
            toolkit::InputBox(
                QStringLiteral("Veuillez préciser le type d'activité que vous désirez ajouter :\n"
                               " - P pour Prestataire\n"
                               " - M pour Mandataire\n"
                               " - I pour Intermédiaire\n"
                               " - S pour Ssiad"),
                QString(), this)
                .toUpper();
        if (type.isEmpty())
            return;
        if (type.size() == 1 && QStringLiteral("PMIS").contains(type))
            break;
        forms::Avertir(
            this, QStringLiteral("Vous ne pouvez saisir qu'un des 4 types d'activités proposés."));
    }
    Afficher();
    Txt_CodActivite->setEnabled(false);
    setListeActivitesShown(false);
    Txt_LibActivite->setEnabled(true);
    Txt_LibActivite->setFocus();
    Cmd_Ajouter->setEnabled(false);

    if (toolkit::MsgBox(QStringLiteral("L'adresse bancaire de l'activité est-elle identique à "
                                       "celle de l'entité juridique ?"),
                        toolkit::Icon::Question, toolkit::Buttons::YesNo,
                        this) == toolkit::Answer::Yes) {
        session_.mode = 2;
        store::Record asso = association();
        rib_->ReadFromRecord(asso, store::layout::association::kRib);
    } else {
        session_.mode = 1;
        itemCout_ = store::Record();
    }
    Cmd_Ok->setEnabled(true);
    Cmd_Annuler->setEnabled(true);
    Cmd_Sortir->setEnabled(false);

    const char lettre = type.at(0).toLatin1();
    selectionnerType(lettre);
    if (lettre == 'P') {
        for (QWidget* w : std::initializer_list<QWidget*>{Cdr_CoutHoraire, Etq_Date, Etq_CoutMajore,
                                                          Etq_Cout, Lst_Cout, Lst_CoutMajore,
                                                          Lst_Date, Bdv_Taux, Cmd_AjoutCout})
            w->setEnabled(true);
        for (QWidget* w : std::initializer_list<QWidget*>{Txt_Cout, Txt_Date, Txt_CoutMajore,
                                                          Cmd_SuppCout, Cmd_OkCout, Cmd_AnnulCout})
            w->setEnabled(false);
    }
    // The type cannot change during the creation.
    Cdr_Type->setEnabled(false);
}

void Frm_Activite::Cmd_Ok_Click() {
    wType_ = std::string("PMIS").find(lettreChoisie()) + 1;
    if (session_.Creating()) {
        if (!Creation_Activite()) {
            if (wErreurIcs_ || !session_.checkFailed)
                return;
            selectionnerType("PMIS"[wType_ - 1]);
            Cmd_Sortir->setEnabled(true);
            return;
        }
        deselectionnerTypes();
        Cmd_Sortir->setEnabled(true);
    } else {
        if (!MAJ_Activite())
            return;
        deselectionnerTypes();
    }
    Cbo_ServiceActiv->setEditText(QString());
    Nettoyage();
    session_.mode = 0;
}

void Frm_Activite::Cmd_Annuler_Click() {
    if (session_.Creating()) {
        if (!forms::RecordSession::ConfirmQuitCreation(this, toolkit::Icon::Exclamation))
            return;
        session_.mode = 0;
    }
    Cbo_ServiceActiv->setEditText(QString());
    Txt_CodActivite->clear();
    Vider_Donnees_Activite();
    session_.Forget();
    Txt_CodActivite->setEnabled(true);
    Txt_CodActivite->setFocus();
    setListeActivitesShown(true);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Cmd_Annuler, Cmd_Ok, Cmd_IntegrationComptable})
        w->setEnabled(false);
    Cmd_Ajouter->setEnabled(true);
    Cmd_Sortir->setEnabled(true);
    deselectionnerTypes();
    Nettoyage();
}

void Frm_Activite::Cmd_Sortir_Click() {
    if (session_.Creating()) {
        if (forms::RecordSession::ConfirmQuitCreation(this, toolkit::Icon::Exclamation))
            FermetureActivite();
        return;
    }
    if (Txt_CodActivite->text().isEmpty()) {
        FermetureActivite();
        return;
    }
    wRibDifferent_ = false;
    store::Record& r = session_.Current();
    if (r.Value(X::kRib, 1).empty()) {
        store::Record asso = association();
        wRibDifferent_ = rib_->Differs(asso, store::layout::association::kRib);
    } else {
        rib_->WriteToRecord(r, X::kRib);
    }
    Verification_Activite();
    if (r.Text() != texteAffiche_ || wRibDifferent_) {
        switch (forms::RecordSession::AskSave(this, Access().Full(), toolkit::Icon::Exclamation)) {
            case toolkit::Answer::Cancel:
                return;
            case toolkit::Answer::Yes:
                wType_ = std::string("PMIS").find(lettreChoisie()) + 1;
                // Refused or not written: what was typed stays on screen.
                if (!MAJ_Activite())
                    return;
                break;
            default:
                break;
        }
    }
    FermetureActivite();
}

void Frm_Activite::Cmd_IntegrationComptable_Click() {
    // The accounting window reads the activity afresh into the shared slot and writes through
    // it; this window keeps what it showed, with the accounts as that window wrote them.
    store::Record affiche = session_.Current();
    store::Record lu(affiche.BoundFile(), affiche.Id(), session_.TextAsRead());
    Frm_IntegrationComptable comptes(this);
    forms::OpenModal(this, comptes, [&] {
        comptes.DroitsUtilisateur(Access().Rights());
        comptes.setWindowTitle(QStringLiteral("Paramètres d'intégration comptable"));
        comptes.Activite(toQ(codeAssociation()), Txt_CodActivite->text());
        comptes.Init();
        comptes.LibelleActivite(Cbo_LibActivite->currentText());
    });
    QCoreApplication::processEvents();
    if (comptes.Ecrit() && store::Variables::Get().activite) {
        const store::Record ecrit = *store::Variables::Get().activite;
        for (store::Record* r : {&affiche, &lu}) {
            for (int compte : {X::kCompteAideSansPriseChg, X::kCompteCotisAnnuelle})
                forms::Put(*r, compte, 0, ecrit.Value(compte));
        }
        store::Record montre(texteAffiche_);
        for (int compte : {X::kCompteAideSansPriseChg, X::kCompteCotisAnnuelle})
            forms::Put(montre, compte, 0, ecrit.Value(compte));
        texteAffiche_ = montre.Text();
    }
    session_.Take(lu);
    session_.Current().SetText(affiche.Text());
}

void Frm_Activite::FermetureActivite() {
    store::Variables& v = store::Variables::Get();
    itemCout_ = listeCouts_ = listeDates_ = listeCoutsMajores_ = listeTypes_ = store::Record();
    session_.Forget();
    v.fActivites.reset();
    wRibDifferent_ = false;
    Unload();
}

void Frm_Activite::Opt_Autre_Click() {
    optionClick('P');
}

void Frm_Activite::Opt_Mandataire_Click() {
    optionClick('M');
}

void Frm_Activite::Opt_Intermed_Click() {
    optionClick('I');
}

void Frm_Activite::Opt_SSIAD_Click() {
    optionClick('S');
}

void Frm_Activite::optionClick(char lettre) {
    Remplir_Service();
    for (QWidget* w : std::initializer_list<QWidget*>{
             Txt_ServiceActiv, Cbo_ServiceActiv, Cmd_AjouterService, Cdr_CoutHoraire, Etq_Date,
             Etq_Cout, Etq_CoutMajore, Lst_Cout, Lst_Date, Lst_CoutMajore, Bdv_Taux})
        w->setEnabled(true);
    if (lettre == 'P')
        Etq_Type->setEnabled(true);
    if (lettre == 'M')
        Cac_Exo->setEnabled(true);
    for (QLineEdit* e : {Txt_Cout, Txt_Date, Txt_CoutMajore})
        e->setEnabled(false);
    if (!Txt_CodActivite->text().isEmpty() && !session_.Creating()) {
        itemCout_ = store::ReadSkippingErrors(store::Variables::Get().fActivites.get(),
                                              codeAssociation() + fromQ(Txt_CodActivite->text()));
    }
    Cmd_AjoutCout->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{Cmd_SuppCout, Cmd_OkCout, Cmd_AnnulCout})
        w->setEnabled(false);
}

char Frm_Activite::lettreChoisie() const {
    if (Opt_Autre->isChecked())
        return 'P';
    if (Opt_Mandataire->isChecked())
        return 'M';
    if (Opt_Intermed->isChecked())
        return 'I';
    return 'S';
}

void Frm_Activite::selectionnerType(char lettre) {
    QRadioButton* option = lettre == 'P'   ? Opt_Autre
                           : lettre == 'M' ? Opt_Mandataire
                           : lettre == 'I' ? Opt_Intermed
                                           : Opt_SSIAD;
    option->setChecked(true);
}

void Frm_Activite::deselectionnerTypes() {
    for (QRadioButton* o : {Opt_Autre, Opt_Mandataire, Opt_Intermed, Opt_SSIAD}) {
        o->setAutoExclusive(false);
        o->setChecked(false);
        o->setAutoExclusive(true);
    }
}

void Frm_Activite::ZoneOblig() {
    session_.checkFailed = !checks_.Run(this, nullptr);
}

bool Frm_Activite::VerifActService() {
    store::Database* db = store::Variables::Get().database.get();
    if (!db)
        return true;
    const std::string typed = fromQ(Txt_ServiceActiv->text());
    const std::optional<std::string> service = store::QuoteValue(typed);
    if (!service) {
        forms::Avertir(this, toQ(store::UnquotableMessage(typed)));
        return false;
    }
    const store::Record autres = db->Select(
        "SSELECT ACTIVITES AVEC " + std::to_string(X::kService) + " = " + *service + " AND AVEC " +
            std::to_string(X::kType) + " # " + *store::QuoteValue(std::string(1, lettreChoisie())),
        "ACTIVITES", "0");
    return autres.DCount() == 0;
}

void Frm_Activite::ecrireEcran(store::Record& record, forms::Purpose purpose) {
    fields_.Apply(record, purpose);
    // A creation keeps the lines entered; a save keeps those of a "P" activity only.
    std::vector<LigneCout> lignes;
    if (session_.Creating() || lettreChoisie() == 'P')
        lignes = lignesCout();
    const std::pair<int, std::string LigneCout::*> colonnes[] = {
        {X::kCoutHoraire, &LigneCout::cout},
        {X::kDateApplication, &LigneCout::date},
        {X::kCoutMajore, &LigneCout::majore},
        {X::kTypeLigneCout, &LigneCout::type}};
    for (const auto& [attribute, membre] : colonnes) {
        std::string valeurs;
        for (size_t k = 0; k < lignes.size(); ++k)
            valeurs += (k ? "\xFD" : "") + lignes[k].*membre;
        forms::Put(record, attribute, 0, valeurs);
    }
}

void Frm_Activite::Verification_Activite() {
    ecrireEcran(session_.Current(), forms::Purpose::Verification);
}

bool Frm_Activite::icsAccepte(const store::Record& record) {
    const QString ics = toQ(record.Value(X::kIcs));
    const QString asso = toQ(association().Value(store::layout::association::kIcs));
    auto refus = [this](const QString& message, bool bip) {
        if (bip)
            toolkit::Beep();
        forms::Avertir(this, message);
        if (auto* champ = Ctr_RIB->findChild<QLineEdit*>(QStringLiteral("Txt_Ics")))
            champ->setFocus();
        return false;
    };
    const QString format =
        QStringLiteral("L'ICS est une chaîne de 13 caractères qui commence par FR");
    if (ics.size() != 0 && ics.size() != 6 && ics.size() != 13)
        return refus(format, false);
    if (ics.size() == 13 && !ics.startsWith(QLatin1String("FR")))
        return refus(format, false);
    if (asso.size() == 13 && ics.size() != 13)
        return refus(QStringLiteral("L'ICS de l'activité n'est pas sur 13 caractères."), true);
    if (ics.size() == 13 && asso.size() != 13)
        return refus(QStringLiteral("L'ICS de l'association n'est pas sur 13 caractères."), true);
    if (ics.size() == 13 && (asso.left(4) != ics.left(4) || asso.mid(7, 6) != ics.mid(7, 6))) {
        return refus(QStringLiteral("L'ICS de l'activité doit commencer par %1 et se terminer "
                                    "par %2")
                         .arg(asso.left(4), asso.mid(7, 6)),
                     true);
    }
    return true;
}

std::optional<Frm_Activite::Modele> Frm_Activite::modeleACopier(const char* source) {
    store::Variables& v = store::Variables::Get();
    namespace P = store::layout::cheminfichier;
    const store::Record chemin =
        v.chemin ? *v.chemin : store::ReadSkippingErrors(v.fCheminFichier.get(), P::kId);
    const std::string dossier = chemin.Value(P::kDossierModeles);
    if (dossier.empty()) {
        forms::Avertir(this, QStringLiteral("Les chemins d'accès des produits bureautiques ne sont "
                                            "pas corrects, veuillez les saisir."));
        return std::nullopt;
    }
    Modele modele{dossier + "\\" + source + ".txt",
                  dossier + "\\MiseADispo" + codeAssociation() + ".txt"};
    if (!files::Default().Exists(modele.source)) {
        forms::Avertir(this, toQ(files::MissingTemplateMessage(files::NativePath(modele.source))));
        return std::nullopt;
    }
    return modele;
}

void Frm_Activite::copierModele(const Modele& modele) {
    try {
        files::Default().Copy(modele.source, modele.copie);
    } catch (const files::FileError& e) {
        // The activity is written and stays so: undoing it would lose what the user typed for a
        // letter he can copy again by saving once more.
        forms::Avertir(this, QStringLiteral("L'activité %1 est enregistrée, mais son modèle de "
                                            "mise à disposition n'a pas pu être copié :\n%2")
                                 .arg(Txt_CodActivite->text(), toQ(e.what())));
    }
}

std::string Frm_Activite::prendreCode() {
    store::Variables& v = store::Variables::Get();
    const std::string asso = codeAssociation();
    if (!v.fCompteur) {
        throw store::StoreError(store::ErrorCode::FileNotFound,
                                "Le fichier COMPTEUR n'est pas ouvert.");
    }
    namespace C = store::layout::compteur;
    store::Record compteur;
    bool nouveau = false;
    try {
        compteur = v.fCompteur->ReadForUpdate(asso);
    } catch (const store::StoreError& e) {
        // No counter yet: the first activity is 001, and the counter is created with it.
        if (e.code() != store::ErrorCode::RecordNotFound)
            throw;
        compteur = store::Record(v.fCompteur, asso, std::string());
        nouveau = true;
    }
    const int suivant = nombre(compteur.Value(C::kDerniereActivite, 1)) + 1;
    if (suivant > kDernierCode) {
        v.fCompteur->Release(asso);
        forms::Avertir(this,
                       QStringLiteral("Impossible de créer l'activité : l'entité juridique %1 "
                                      "a atteint le dernier code d'activité possible (%2).")
                           .arg(toQ(asso))
                           .arg(kDernierCode));
        return {};
    }
    const std::string code = fromQ(QStringLiteral("%1").arg(suivant, 3, 10, QLatin1Char('0')));
    compteur.SetValue(C::kDerniereActivite, 1, code);
    if (!nouveau) {
        compteur.DBWrite();
        return code;
    }
    try {
        compteur.DBCreate();
    } catch (const store::StoreError& e) {
        // Another workstation created the counter meanwhile: its numbers are taken up instead of
        // being replaced.
        if (e.code() != store::ErrorCode::RecordExists)
            throw;
        return prendreCode();
    }
    return code;
}

bool Frm_Activite::Creation_Activite() {
    wErreurIcs_ = false;
    ZoneOblig();
    if (session_.checkFailed)
        return false;
    store::Record contenu;
    ecrireEcran(contenu, forms::Purpose::Creation);
    rib_->WriteToRecord(contenu, X::kRib);
    // Checked before a code is taken: a refused creation consumes none.
    if (!icsAccepte(contenu)) {
        wErreurIcs_ = true;
        return false;
    }
    // The template is checked now, so that a failure is told with nothing written, and copied
    // only once the activity is: a creation refused later leaves the association's copy alone.
    std::optional<Modele> modele;
    if (lettreChoisie() == 'I' && !(modele = modeleACopier("MiseADispo")))
        return false;

    store::Variables& v = store::Variables::Get();
    for (;;) {
        const std::string code = prendreCode();
        if (code.empty())
            return false;
        Txt_CodActivite->setText(toQ(code));
        session_.Take(store::Record(v.fActivites, codeAssociation() + code, contenu.Text()));
        if (session_.Create()) {
            if (modele)
                copierModele(*modele);
            break;
        }
        // Another workstation wrote an activity under that code without the counter: the next
        // one is offered instead.
        toolkit::Beep();
        if (toolkit::MsgBox(
                QStringLiteral("Le code d'activité %1 vient d'être attribué à une autre "
                               "activité par un autre poste.\nVoulez-vous enregistrer "
                               "cette activité sous le code suivant ?")
                    .arg(toQ(code)),
                toolkit::Icon::Question, toolkit::Buttons::YesNo, this) != toolkit::Answer::Yes) {
            return false;
        }
    }

    Txt_CodActivite->setEnabled(true);
    Vider_Donnees_Activite();
    Remplir_SigleActivite();
    coutsAuRepos();
    DeGrisage(false);
    session_.mode = 0;
    session_.Forget();
    Txt_CodActivite->clear();
    Txt_CodActivite->setEnabled(true);
    Txt_CodActivite->setFocus();
    setListeActivitesShown(true);
    return true;
}

bool Frm_Activite::MAJ_Activite() {
    wErreurIcs_ = false;
    ZoneOblig();
    if (session_.checkFailed)
        return false;
    store::Record& r = session_.Current();
    const bool ribPropre = !r.Value(X::kRib, 1).empty();
    ecrireEcran(r, forms::Purpose::Update);
    if (!ribPropre) {
        store::Record asso = association();
        wRibDifferent_ = rib_->Differs(asso, store::layout::association::kRib);
    }
    // An activity with bank details of its own has them checked at every save.
    if (wRibDifferent_ || ribPropre) {
        rib_->WriteToRecord(r, X::kRib);
        if (!icsAccepte(r)) {
            wErreurIcs_ = true;
            return false;
        }
    }
    // As on creation: checked before the write, copied after it.
    std::optional<Modele> modele;
    if (lettreChoisie() == 'I' && !(modele = modeleACopier("Defaut")))
        return false;
    switch (session_.Save(this, X::kCaptions)) {
        case forms::RecordSession::SaveOutcome::Written:
            if (modele)
                copierModele(*modele);
            break;
        case forms::RecordSession::SaveOutcome::Reload:
            Affichage_Donnees_Activite_PARCode();
            return false;
        case forms::RecordSession::SaveOutcome::Back:
            return false;
    }
    Txt_CodActivite->clear();
    Vider_Donnees_Activite();
    Remplir_SigleActivite();
    Txt_CodActivite->setEnabled(true);
    Txt_CodActivite->setFocus();
    setListeActivitesShown(true);
    return true;
}

void Frm_Activite::DeGrisage(bool valeur) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             Txt_LibActivite, Cdr_RIB, Txt_SectAnalActiv, Cbo_SectAnalActiv, Txt_CodeTVA,
             Cbo_CodeTVA, Etq_LibTarif, Txt_LibTarif, Cmd_AjouterSection, Cmd_Ok, Cmd_Annuler,
             Cac_Exo})
        w->setEnabled(valeur);
    const bool service = valeur && Opt_Autre->isChecked();
    for (QWidget* w :
         std::initializer_list<QWidget*>{Txt_ServiceActiv, Cbo_ServiceActiv, Cmd_AjouterService})
        w->setEnabled(service);
    Cmd_IntegrationComptable->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{Lst_Date, Lst_Cout, Lst_CoutMajore, Lst_Type})
        w->setEnabled(valeur);
    // The type chosen for a creation stays as chosen until it is written or abandoned.
    Cdr_Type->setEnabled(valeur && !session_.Creating());
}

void Frm_Activite::Nettoyage() {
    coutsAuRepos();
}
