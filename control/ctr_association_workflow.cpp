// Creating and updating an association: the buttons that write, the checks before writing and
// the copy of the screen into the record.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
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

// A counter record of the new association, every attribute set to value. One left by an earlier
// attempt stopped at the creditor identifier is written over: it holds this same content.
void ecrireCompteur(const std::shared_ptr<store::File>& file, const char* fileName,
                    const std::string& code, int attributes, const std::string& value,
                    std::optional<store::Record>& held) {
    if (!file) {
        throw store::StoreError(store::ErrorCode::FileNotFound,
                                std::string("Le fichier ") + fileName + " n'est pas ouvert.");
    }
    store::Record r;
    try {
        r = file->NewItem(code);
    } catch (const store::StoreError& e) {
        if (e.code() != store::ErrorCode::RecordExists)
            throw;
        r = store::Record(file, code, std::string());
    }
    for (int a = 1; a <= attributes; ++a)
        r.SetValue(a, 1, value);
    r.DBWrite();
    held = std::move(r);
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

void Ctr_Association::Creation_Asso() {
    ecritureFaite_ = false;
    ZoneOblig();
    if (session_.checkFailed)
        return;
    store::Variables& v = store::Variables::Get();
    const QString codeAffiche = Txt_CodeAssoc->text();
    const std::string code = fromQ(codeAffiche);
    if (!v.fAssociation) {
        throw store::StoreError(store::ErrorCode::FileNotFound,
                                "Le fichier ASSOCIATION n'est pas ouvert.");
    }
    // Created meanwhile from another screen: its counters must not be reset.
    if (!store::ReadSkippingErrors(v.fAssociation.get(), code).Text().empty()) {
        forms::Avertir(this, assoc::kEntiteDejaExistante);
        return;
    }

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
    namespace C = store::layout::compteur;
    namespace N = store::layout::numerofact;
    ecrireCompteur(v.fCompteur, "COMPTEUR", code, C::kNombreCompteurs, C::kInitial,
                   v.compteurAssociation);
    ecrireCompteur(v.fNumeroFact, "NUMEROFACT", code, N::kNombreNumeros, N::kInitial,
                   v.numeroFactAssociation);
    session_.Take(v.fAssociation->NewItem(code));
    store::Record& r = session_.Current();
    if (ecrireEcran(r, forms::Purpose::Creation)) {
        r.DBWrite();
        ecritureFaite_ = true;
    }
    // Messages are answered with the normal pointer over a usable screen.
    sablier.release();
    desactivation.fin();
    if (!ecritureFaite_) {
        refuserIcs();
        return;
    }
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
    r.DBWrite();
    ecritureFaite_ = true;

    Vider_Donnees_Asso();
    Remplir_SigleAssoc();
    Txt_CodeAssoc->clear();
    retourRecherche();
}
