// Creating and updating an association: the buttons that write, the checks before writing and
// the copy of the screen into the record.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <charconv>
#include <optional>

#include "control/ctr_association.h"
#include "control/ctr_association_parts.h"
#include "control/page_cesu.h"
#include "control/page_cotisation.h"
#include "control/page_telegestion.h"
#include "forms/feedback.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "setup/creation_fichier_unidata.h"
#include "setup/frm_msg_attente.h"
#include "store/layout/association.h"
#include "store/layout/compteur.h"
#include "store/layout/numerofact.h"
#include "store/skipping_errors.h"
#include "store/store_error.h"
#include "store/variables.h"

using toolkit::fromQ;
using toolkit::toQ;
namespace A = store::layout::association;

namespace {

// COMPTEUR "999" holds the accounting settings: an association coded 999 would reset them.
constexpr int kDernierCode = 998;

bool icsAccepte(const QString& ics) {
    return ics.isEmpty() || ics.size() == 6 ||
           (ics.size() == 13 && ics.startsWith(QLatin1String("FR")));
}

// The control stays disabled while the creation writes, and usable again however it ends.
class Desactivation {
  public:
    explicit Desactivation(QWidget* w) : w_(w) { w_->setEnabled(false); }
    ~Desactivation() { fin(); }
    Desactivation(const Desactivation&) = delete;
    Desactivation& operator=(const Desactivation&) = delete;
    void fin() {
        if (w_)
            w_->setEnabled(true);
        w_ = nullptr;
    }

  private:
    QWidget* w_;
};

// The number record of a new association: every attribute at its first value. Made create-only:
// one already there (left by an earlier attempt of this creation, or loaded with a base) keeps its
// invoice numbers, which must never go back.
void ecrireNumeros(const std::shared_ptr<store::File>& file, const std::string& code,
                   std::optional<store::Record>& held) {
    namespace N = store::layout::numerofact;
    if (!file) {
        throw store::StoreError(store::ErrorCode::FileNotFound,
                                "Le fichier NUMEROFACT n'est pas ouvert.");
    }
    store::Record r(file, code, std::string());
    for (int a = 1; a <= N::kNombreNumeros; ++a)
        r.SetValue(a, 1, N::kInitial);
    try {
        r.DBCreate();
    } catch (const store::StoreError& e) {
        if (e.code() != store::ErrorCode::RecordExists)
            throw;
        r = file->Read(code);
    }
    held = std::move(r);
}

bool existe(store::File* file, const std::string& id) {
    return !store::ReadSkippingErrors(file, id).Text().empty();
}

QString codeTexte(int n) {
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

// The count of associations: the output of the count command begins with it.
std::optional<int> compterAssociations(store::Database& database) {
    std::string status;
    const store::Record output =
        database.CallSubroutine("DBA.EXECUTE", status, "COMPTER ASSOCIATION");
    const std::string line = output.Value(3, 1);
    int count = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), count);
    if (error != std::errc() || end == line.data())
        return std::nullopt;
    return count;
}

}  // namespace

void Ctr_Association::Cmd_Ajouter_Click() {
    if (!Txt_CodeAssoc->text().isEmpty()) {
        forms::Informer(
            this,
            QStringLiteral("Pour pouvoir ajouter, vous devez d'abord valider votre feuille."));
        Txt_CodeAssoc->setFocus();
        return;
    }
    store::Variables& v = store::Variables::Get();
    if (!v.database)
        return;
    const std::optional<int> count = compterAssociations(*v.database);
    if (!count) {
        forms::Avertir(this, QStringLiteral("Le nombre d'entités juridiques n'a pas pu être "
                                            "compté : aucun code ne peut être proposé."));
        return;
    }
    if (*count + 1 > kDernierCode) {
        forms::Avertir(this, QStringLiteral("Impossible d'ajouter une entité juridique : le "
                                            "fichier en compte déjà %1 et le dernier code "
                                            "possible est %2 (le code 999 est réservé aux "
                                            "paramètres comptables).")
                                 .arg(*count)
                                 .arg(kDernierCode));
        return;
    }
    // Creation mode only once a code can be offered: a refusal above leaves none under way.
    session_.mode = 1;
    // A code already in use is reported by the display, which empties it for another one.
    Txt_CodeAssoc->setText(QStringLiteral("%1").arg(*count + 1, 3, 10, QLatin1Char('0')));
    for (QWidget* w : std::initializer_list<QWidget*>{Cmd_Etablissement, Cmd_Activite, Cmd_Ajouter})
        w->setEnabled(false);
    if (Txt_SigleAssoc->isVisible())
        Txt_SigleAssoc->setFocus();
}

void Ctr_Association::Cmd_Ok_Click() {
    if (session_.mode == 1)
        Creation_Asso();
    else
        Maj_Asso();
    if (!session_.checkFailed)
        Cmd_Ajouter->setEnabled(true);
    if (Txt_CodeAssoc->isEnabled())
        Txt_CodeAssoc->setFocus();
}

void Ctr_Association::Cmd_Annuler_Click() {
    if (session_.mode == 1) {
        if (!forms::RecordSession::ConfirmQuitCreation(this, toolkit::Icon::Exclamation))
            return;
        session_.mode = 0;
        abandonnerReservation();
    }
    Txt_CodeAssoc->clear();
    Vider_Donnees_Asso();
    retourRecherche();
}

void Ctr_Association::Creation_FichierUNIDATA() {
    setup::Creation_FichierUNIDATA(fromQ(Txt_CodeAssoc->text()));
}

void Ctr_Association::ZoneOblig() {
    session_.checkFailed = !checks_.Run(this, Ong_Assoc);
}

void Ctr_Association::Verification() {
    if (!session_.HasCurrent())
        return;
    store::Record& r = session_.Current();
    fields_.Apply(r, forms::Purpose::Verification);
    EnrModifCotisation();
    PageCotisation::CopyInto(r);
    telegestion_->Verify(r);
}

bool Ctr_Association::modificationsEnCours() {
    if (!session_.HasCurrent() || session_.Current().Id() != fromQ(Txt_CodeAssoc->text()))
        return false;
    Verification();
    // The blocks of the components and the card and sending settings are not copied into the
    // record before the question: they are asked whether they changed.
    return session_.Differs() || components_.Differ(session_.Current()) ||
           telegestion_->Changed() || cesu_->Changed();
}

bool Ctr_Association::ecrireEcran(store::Record& r, forms::Purpose purpose) {
    // An update skips a position the record store refuses and writes the next one.
    auto position = [purpose](auto write) {
        if (purpose == forms::Purpose::Creation)
            write();
        else
            store::SkippingErrors(write);
    };
    position([&] { fields_.Apply(r, purpose); });
    position(
        [&] { texteComposant_ = components_.address->WriteToRecord(r, components_.addressFirst); });
    position([&] { texteComposant_ = components_.bank->WriteToRecord(r, components_.bankFirst); });
    if (!icsAccepte(toQ(r.Value(A::kIcs))))
        return false;
    if (purpose == forms::Purpose::Update) {
        position([&] {
            EnrModifCotisation();
            PageCotisation::CopyInto(r);
        });
    }
    position([&] { telegestion_->Store(r, purpose); });
    position([&] { cesu_->Store(r, purpose); });
    return true;
}

void Ctr_Association::refuserIcs() {
    forms::Avertir(this,
                   QStringLiteral("L'ICS est une chaîne de 13 caractères qui commence par FR"));
    Ong_Assoc->setCurrentIndex(1);
    if (auto* ics = Ctr_RIB->findChild<QLineEdit*>(QStringLiteral("Txt_Ics")))
        ics->setFocus();
}

bool Ctr_Association::reserverCode(const std::string& code) {
    store::Variables& v = store::Variables::Get();
    if (existe(v.fAssociation.get(), code))
        return false;
    if (!v.fCompteur) {
        throw store::StoreError(store::ErrorCode::FileNotFound,
                                "Le fichier COMPTEUR n'est pas ouvert.");
    }
    namespace C = store::layout::compteur;
    store::Record compteur(v.fCompteur, code, std::string());
    for (int a = 1; a <= C::kNombreCompteurs; ++a)
        compteur.SetValue(a, 1, C::kInitial);
    try {
        compteur.DBCreate();
    } catch (const store::StoreError& e) {
        if (e.code() != store::ErrorCode::RecordExists)
            throw;
        return false;
    }
    v.compteurAssociation = std::move(compteur);
    codeReserve_ = code;
    return true;
}

std::string Ctr_Association::prochainCodeLibre(const std::string& pris) const {
    store::Variables& v = store::Variables::Get();
    bool ok = false;
    const int depuis = toQ(pris).toInt(&ok);
    for (int n = ok ? depuis + 1 : 1; n <= kDernierCode; ++n) {
        const std::string code = fromQ(codeTexte(n));
        if (!existe(v.fAssociation.get(), code) && !existe(v.fCompteur.get(), code))
            return code;
    }
    return {};
}

void Ctr_Association::abandonnerReservation() {
    store::Variables& v = store::Variables::Get();
    // A code this screen took for a creation that never wrote its association goes back: its
    // counters would otherwise keep it from every later creation.
    if (!codeReserve_.empty() && v.fCompteur && !existe(v.fAssociation.get(), codeReserve_))
        store::SkippingErrors([&] { v.fCompteur->DeleteRecord(codeReserve_); });
    codeReserve_.clear();
}

void Ctr_Association::Creation_Asso() {
    ecritureFaite_ = false;
    ZoneOblig();
    if (session_.checkFailed)
        return;
    store::Variables& v = store::Variables::Get();
    if (!v.fAssociation) {
        throw store::StoreError(store::ErrorCode::FileNotFound,
                                "Le fichier ASSOCIATION n'est pas ouvert.");
    }
    // The code is held for this screen by the association's counter record, made first and only
    // if nobody made it before: two workstations offered the same code never both create it,
    // and the one that comes second is offered the next free code, its screen kept as typed.
    std::string code = fromQ(Txt_CodeAssoc->text());
    while (code != codeReserve_ && !reserverCode(code)) {
        const std::string suivant = prochainCodeLibre(code);
        if (suivant.empty()) {
            forms::Avertir(this, QStringLiteral("Le code %1 vient d'être pris par une autre entité "
                                                "juridique et plus aucun code n'est libre.")
                                     .arg(toQ(code)));
            return;
        }
        toolkit::Beep();
        const toolkit::Answer reponse = toolkit::MsgBox(
            QStringLiteral("Le code %1 vient d'être pris par une autre entité juridique, créée "
                           "depuis un autre poste.\nVoulez-vous créer celle-ci sous le code %2 ?")
                .arg(toQ(code), toQ(suivant)),
            toolkit::Icon::Question, toolkit::Buttons::YesNo, this);
        code = suivant;
        {
            // The screen keeps what was typed: only the code changes.
            const QSignalBlocker bloque(Txt_CodeAssoc);
            Txt_CodeAssoc->setText(toQ(code));
        }
        if (reponse != toolkit::Answer::Yes)
            return;
    }
    const QString codeAffiche = Txt_CodeAssoc->text();

    {
        Frm_MsgAttente attente(this);
        attente.Txt_CodeAssoc()->setText(codeAffiche);
        attente.exec();
        // The wait window has told the user what failed.
        if (attente.Echec())
            return;
    }

    toolkit::Hourglass sablier;
    Desactivation desactivation(this);
    ecrireNumeros(v.fNumeroFact, code, v.numeroFactAssociation);
    session_.Take(store::Record(v.fAssociation, code, std::string()));
    store::Record& r = session_.Current();
    const bool icsRefuse = !ecrireEcran(r, forms::Purpose::Creation);
    if (!icsRefuse)
        ecritureFaite_ = session_.Create();
    // Messages are answered with the normal pointer over a usable screen.
    sablier.release();
    desactivation.fin();
    if (icsRefuse) {
        refuserIcs();
        return;
    }
    if (!ecritureFaite_) {
        // Made meanwhile without its counter (a base loaded, say): it stays as it is, and so
        // does the screen, for another code or a cancel.
        forms::Avertir(this, assoc::kEntiteDejaExistante);
        return;
    }
    codeReserve_.clear();
    forms::Informer(this, QStringLiteral("Ajout de l'entité juridique %1 %2 effectué.")
                              .arg(codeAffiche, toQ(r.Value(A::kSigle, 1))));
    forms::Informer(this, QStringLiteral("Pensez à créer au moins un établissement et au moins "
                                         "une activité pour cette nouvelle association."));
    Vider_Donnees_Asso();
    Remplir_SigleAssoc();
    session_.mode = 0;
    Txt_CodeAssoc->clear();
    retourRecherche();
}

void Ctr_Association::Maj_Asso() {
    ecritureFaite_ = false;
    ZoneOblig();
    if (session_.checkFailed)
        return;
    if (!session_.HasCurrent() || session_.Current().Text().empty() ||
        session_.Current().Id() != fromQ(Txt_CodeAssoc->text())) {
        forms::Avertir(
            this, QStringLiteral("Le numéro d'entité juridique que vous avez saisi n'existe pas."));
        Vider_Donnees_Asso();
        Txt_CodeAssoc->clear();
        retourRecherche();
        return;
    }
    store::Record& r = session_.Current();
    if (!ecrireEcran(r, forms::Purpose::Update)) {
        refuserIcs();
        return;
    }
    // Not skipped: a write that fails keeps the screen as typed, so nothing is lost.
    switch (session_.Save(this, A::kCaptions)) {
        case forms::RecordSession::SaveOutcome::Written:
            ecritureFaite_ = true;
            break;
        case forms::RecordSession::SaveOutcome::Reload:
            // The other workstation's version, shown as any display shows it.
            Affichage_Donnees_Asso_ParCODE();
            return;
        case forms::RecordSession::SaveOutcome::Back:
            return;
    }

    Vider_Donnees_Asso();
    Remplir_SigleAssoc();
    Txt_CodeAssoc->clear();
    retourRecherche();
}
