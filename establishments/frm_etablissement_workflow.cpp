// Creating and updating an establishment: the buttons that write, the checks before writing, the
// counter that numbers new establishments, the copy of the screen into the record, and what
// leaving asks.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <charconv>

#include "establishments/frm_etablissement.h"
#include "forms/feedback.h"
#include "platform/components/adresse/composant_adresse.h"
#include "platform/components/rib/composant_rib.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/association.h"
#include "store/layout/compteur.h"
#include "store/layout/etablissement.h"
#include "store/store_error.h"
#include "store/variables.h"

using toolkit::fromQ;
using toolkit::toQ;
namespace E = store::layout::etablissement;
namespace A = store::layout::association;

namespace {

// Codes have three digits.
constexpr int kDernierCode = 999;

std::shared_ptr<store::File> fichier(std::shared_ptr<store::File>& held, const char* name) {
    if (!held) {
        if (store::Database* db = store::Variables::Get().database.get())
            held = db->OpenFile(name);
        else
            throw store::StoreError(store::ErrorCode::FileNotFound,
                                    std::string("Le fichier ") + name + " n'est pas ouvert.");
    }
    return held;
}

}  // namespace

void Frm_Etablissement::Cmd_Ajouter_Click() {
    if (!Access().Full())
        return;
    session_.Forget();
    Remplir_Combo_Mois();
    Txt_CodeEtabl->setEnabled(false);
    setSigleComboShown(false);
    Txt_SigleEtabl->setFocus();
    Afficher();
    Cbo_Mois->setCurrentIndex(11);

    const toolkit::Answer answer = toolkit::MsgBox(
        QStringLiteral("L'adresse de l'établissement qui va être créé est-elle identique à celle "
                       "de l'entité juridique ?"),
        toolkit::Icon::Question, toolkit::Buttons::YesNo, this);
    if (answer == toolkit::Answer::Yes) {
        session_.mode = kCreationAdresseEntite;
        store::Record entite = adresseEntite();
        Ctr_Adresse->ReadFromRecord(entite, A::kAdresse);
    } else {
        session_.mode = kCreationAdressePropre;
    }

    Cmd_Ok->setEnabled(true);
    Cmd_Annuler->setEnabled(true);
    Cmd_Ajouter->setEnabled(false);
    Cmd_Sortir->setEnabled(false);
    Opt_URSSAF->setChecked(true);
    Opt_URSSAF_Click();
}

void Frm_Etablissement::Cmd_Ok_Click() {
    // Hidden without full rights; nothing may be written whatever reaches it.
    if (!Access().Full())
        return;
    if (session_.Creating())
        Creation_Etabl();
    else
        MAJ_Etabl();
}

void Frm_Etablissement::Cmd_Annuler_Click() {
    if (session_.Creating()) {
        if (!forms::RecordSession::ConfirmQuitCreation(this, toolkit::Icon::Exclamation))
            return;
        session_.mode = kAffichage;
    }
    Txt_CodeEtabl->clear();
    Vider_Donnees_Etabl();
    Txt_CodeEtabl->setEnabled(true);
    setSigleComboShown(true);
    Txt_CodeEtabl->setFocus();
}

void Frm_Etablissement::ZoneOblig() {
    session_.checkFailed = !checks_.Run(this, Ong_Etabl);
}

void Frm_Etablissement::ecrireChamps(store::Record& r, forms::Purpose purpose) {
    fields_.Apply(r, purpose);
    // Under MSA the territorial flag is "0" whatever the box shows.
    forms::Put(r, E::kCollectiviteTerritoriale, 0,
               Opt_URSSAF->isChecked() && Cac_CollecTerri->isChecked() ? "1" : "0");
    texteRib_ = Ctr_RibEtab->WriteToRecord(r, E::kRib);
}

std::optional<QString> Frm_Etablissement::prendreCompteur() {
    namespace C = store::layout::compteur;
    const std::shared_ptr<store::File> compteurs =
        fichier(store::Variables::Get().fCompteur, "COMPTEUR");
    const QString entite = toQ(codeAssoc_);
    store::Record compteur;
    try {
        compteur = compteurs->ReadForUpdate(codeAssoc_);
    } catch (const store::StoreError& e) {
        if (e.code() != store::ErrorCode::RecordNotFound)
            throw;
        forms::Avertir(this,
                       QStringLiteral("Le compteur de l'entité juridique %1 est introuvable : "
                                      "aucun code d'établissement ne peut être attribué.")
                           .arg(entite));
        return std::nullopt;
    }
    try {
        const std::string dernier = compteur.Value(C::kDernierEtablissement, 1);
        int n = 0;
        const auto [end, error] =
            std::from_chars(dernier.data(), dernier.data() + dernier.size(), n);
        const bool lisible = dernier.empty() || (error == std::errc() &&
                                                 end == dernier.data() + dernier.size() && n >= 0);
        if (!lisible || n >= kDernierCode) {
            compteurs->Release(codeAssoc_);
            forms::Avertir(
                this,
                lisible ? QStringLiteral("Impossible de créer un nouvel établissement : le dernier "
                                         "code possible, %1, a déjà été attribué pour l'entité "
                                         "juridique %2.")
                              .arg(kDernierCode)
                              .arg(entite)
                        : QStringLiteral("Le compteur des établissements de l'entité juridique %1 "
                                         "est illisible (« %2 ») : aucun code ne peut être "
                                         "attribué.")
                              .arg(entite, toQ(dernier)));
            return std::nullopt;
        }
        const QString code = QStringLiteral("%1").arg(n + 1, 3, 10, QLatin1Char('0'));
        compteur.SetValue(C::kDernierEtablissement, 1, fromQ(code));
        compteur.DBWrite();
        return code;
    } catch (...) {
        compteurs->Release(codeAssoc_);
        throw;
    }
}

void Frm_Etablissement::Creation_Etabl() {
    ecritureFaite_ = false;
    ZoneOblig();
    if (session_.checkFailed)
        return;
    const std::shared_ptr<store::File> file =
        fichier(store::Variables::Get().fEtablissement, "ETABLISSEMENT");
    QString pris;  // the first code found taken by another establishment
    for (;;) {
        const std::optional<QString> code = prendreCompteur();
        if (!code)
            return;
        // The field is locked: setting the code shows nothing.
        Txt_CodeEtabl->setText(*code);
        store::Record nouveau;
        try {
            nouveau = file->NewItem(codeAssoc_ + fromQ(*code));
        } catch (const store::StoreError& e) {
            if (e.code() != store::ErrorCode::RecordExists)
                throw;
            // Created elsewhere since the counter last moved: the next code is looked at.
            if (pris.isEmpty())
                pris = *code;
            continue;
        }
        if (!pris.isEmpty()) {
            toolkit::Beep();
            const toolkit::Answer answer = toolkit::MsgBox(
                QStringLiteral("Le code d'établissement %1 a déjà été attribué, sans doute depuis "
                               "un autre poste. Voulez-vous créer cet établissement sous le code "
                               "%2 ?")
                    .arg(pris, *code),
                toolkit::Icon::Question, toolkit::Buttons::YesNo, this);
            if (answer != toolkit::Answer::Yes) {
                // The creation stays on screen as typed; OK takes a code again.
                Txt_CodeEtabl->clear();
                Cmd_Ajouter->setEnabled(false);
                return;
            }
        }
        session_.Take(std::move(nouveau));
        store::Record& r = session_.Current();
        ecrireChamps(r, forms::Purpose::Creation);
        // Created with the association's address, the establishment keeps none of its own: it
        // shows the association's, and follows it, until an update gives it another one.
        if (session_.mode == kCreationAdressePropre)
            Ctr_Adresse->WriteToRecord(r, E::kAdresse);
        if (session_.Create())
            break;
        // Taken between the look and the write.
        pris = *code;
    }
    ecritureFaite_ = true;
    retourRecherche();
}

void Frm_Etablissement::MAJ_Etabl() {
    ecritureFaite_ = false;
    ZoneOblig();
    if (session_.checkFailed)
        return;
    store::Record& r = session_.Current();
    // The record as read: what the display set in memory is no change of the user's.
    r.SetText(session_.TextAsRead());
    ecrireChamps(r, forms::Purpose::Update);
    if (!r.Value(E::kAdresseCommune, 1).empty()) {
        Ctr_Adresse->WriteToRecord(r, E::kAdresse);
    } else {
        // The association's address shown: the establishment gets its own only when changed.
        store::Record entite = adresseEntite();
        if (Ctr_Adresse->Differs(entite, A::kAdresse))
            Ctr_Adresse->WriteToRecord(r, E::kAdresse);
    }
    switch (session_.Save(this, E::kCaptions)) {
        case forms::RecordSession::SaveOutcome::Written:
            ecritureFaite_ = true;
            retourRecherche();
            return;
        case forms::RecordSession::SaveOutcome::Reload: {
            const std::string id = r.Id();
            if (session_.Read(store::Variables::Get().fEtablissement.get(), id)) {
                Affichage_Etabl();
                return;
            }
            forms::Avertir(this, QStringLiteral("Cet établissement a été supprimé depuis un autre "
                                                "poste."));
            Cmd_Annuler_Click();
            return;
        }
        case forms::RecordSession::SaveOutcome::Back:
            return;
    }
}

bool Frm_Etablissement::Verification_Etabl() {
    store::Record& r = session_.Current();
    bool adresseModifiee = false;
    if (r.Value(E::kAdresse, 1).empty()) {
        store::Record entite = adresseEntite();
        adresseModifiee = Ctr_Adresse->Differs(entite, A::kAdresse);
    } else {
        Ctr_Adresse->WriteToRecord(r, E::kAdresse);
    }
    ecrireChamps(r, forms::Purpose::Verification);
    return adresseModifiee;
}

bool Frm_Etablissement::modificationsEnCours() {
    // A screen the user left as the display showed it holds no change, whatever forms the display
    // gave to what is stored (an empty count shown as 0, an empty scheme shown as URSSAF).
    if (!session_.HasCurrent() || affiche_.Empty() || forms::ScreenSnapshot::Of(this) == affiche_)
        return false;
    const bool adresseModifiee = Verification_Etabl();
    return session_.Differs() || adresseModifiee;
}

void Frm_Etablissement::retourRecherche() {
    session_.mode = kAffichage;
    Txt_CodeEtabl->setEnabled(true);
    Txt_CodeEtabl->clear();
    Vider_Donnees_Etabl();
    Remplir_SigleEtabl();
    Ong_Etabl->setCurrentIndex(kCoordonnees);
    setSigleComboShown(true);
    Txt_CodeEtabl->setFocus();
}
