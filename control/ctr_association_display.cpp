// Showing an association record on the screen, and emptying the screen.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "control/ctr_association.h"
#include "control/ctr_association_parts.h"
#include "control/page_cesu.h"
#include "control/page_cotisation.h"
#include "control/page_telegestion.h"
#include "forms/feedback.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/association.h"
#include "store/layout/tables.h"
#include "store/request.h"
#include "store/skipping_errors.h"
#include "store/variables.h"

using toolkit::fromQ;
using toolkit::toQ;
namespace A = store::layout::association;

namespace {

// The date of a workforce count: its own stored date when it has one, else the first day of the
// month after its period "yyyymm". A value that reads as neither is shown as stored.
QString dateEffectif(const std::string& period, const std::string& stored) {
    if (!stored.empty()) {
        const QString date = assoc::dayToDate(stored);
        return date.isEmpty() ? toQ(stored) : date;
    }
    const QString p = toQ(period);
    bool okYear = false;
    bool okMonth = false;
    int year = p.left(4).toInt(&okYear);
    int month = p.mid(4, 2).toInt(&okMonth) + 1;
    if (!okYear || !okMonth || p.size() != 6)
        return p;
    if (month == 13) {
        month = 1;
        ++year;
    }
    const QString date = assoc::normaliseDate(QStringLiteral("01/%1/%2")
                                                  .arg(month, 2, 10, QLatin1Char('0'))
                                                  .arg(year, 4, 10, QLatin1Char('0')));
    return date.isEmpty() ? p : date;
}

}  // namespace

void Ctr_Association::Affichage_Donnees_Asso_ParCODE() {
    store::Variables& v = store::Variables::Get();
    const bool exists = session_.Read(v.fAssociation.get(), fromQ(Txt_CodeAssoc->text()));
    // A record is shown when it exists outside a creation, or is free for one.
    const bool creation = session_.mode == 1;
    if (exists != creation) {
        Affichage();
        return;
    }
    forms::Avertir(this, creation
                             ? assoc::kEntiteDejaExistante
                             : QStringLiteral("Cette entité juridique n'existe pas, vous devez "
                                              "d'abord cliquer sur Ajouter pour créer une "
                                              "nouvelle entité juridique."));
    Txt_CodeAssoc->clear();
    Txt_CodeAssoc->setFocus();
}

void Ctr_Association::Affichage_Donnees_Asso_ParSIGLE() {
    store::Variables& v = store::Variables::Get();
    const std::string id = lookup_.IdAt(Cbo_SigleAssoc->currentIndex());
    session_.Read(v.fAssociation.get(), id);
    Vider_Donnees_AssoSIGLE();
    Txt_CodeAssoc->setText(toQ(id));
    Affichage();
}

void Ctr_Association::Affichage() {
    store::Record& r = session_.Current();

    Afficher();
    Txt_CodeAssoc->setEnabled(false);
    setSigleComboShown(false);
    Cmd_Annuler->setEnabled(true);

    // The qualities are read afresh at each display, before the record's own is chosen.
    Remplir_RespPaie();
    fields_.Show(r);
    Txt_SigleAssoc->setText(Cbo_SigleAssoc->currentText());
    Remplir_Effectif(r);
    store::SkippingErrors([&] {
        texteComposant_ = components_.address->ReadFromRecord(r, components_.addressFirst);
    });
    store::SkippingErrors(
        [&] { texteComposant_ = components_.bank->ReadFromRecord(r, components_.bankFirst); });

    // Shown unchecked; the record in memory says so too, so a later save writes "0".
    if (r.Value(A::kTelephonieMobile).empty())
        r.SetValue(A::kTelephonieMobile, "0");
    telegestion_->Show(r);

    store::SkippingErrors([&] { Remplir_CRCESU(); });
    cesu_->EnableAsShown();
    cotisation_->Show(session_.Current());
    store::SkippingErrors([&] { Degriser_Cotisation(); });
}

void Ctr_Association::Remplir_RespPaie() {
    store::Variables& v = store::Variables::Get();
    cbo_RespPaie->clear();
    store::Record rows;
    store::SkippingErrors([&] {
        if (v.database) {
            rows =
                v.database->Select("SSELECT TABLES AVEC 0 = " +
                                       *store::QuoteValue(store::layout::tables::kQualitesRespPaie),
                                   "TABLES",
                                   std::to_string(store::layout::tables::kCodes) + " " +
                                       std::to_string(store::layout::tables::kLibelles));
        }
    });
    if (rows.Text().empty()) {
        forms::Avertir(this,
                       QStringLiteral("Erreur de lecture des qualités de responsable de paie"));
        return;
    }
    // Codes first, then the labels in the same order.
    const int n = rows.DCount() / 2;
    for (int k = 1; k <= n; ++k)
        cbo_RespPaie->addItem(toQ(rows.Value(k)) + QStringLiteral(" - ") + toQ(rows.Value(k + n)));
    cbo_RespPaie->setCurrentIndex(-1);
}

void Ctr_Association::Remplir_Effectif(const store::Record& r) {
    Cbo_Effectif->clear();
    for (int i = 1; !r.Value(A::kEffectifPeriode, i).empty(); ++i) {
        const QString physique = assoc::hundredthsToNumber(r.Value(A::kEffectifPhysique, i));
        const bool whole = physique.endsWith(QStringLiteral(".00"));
        const QString etp = assoc::hundredthsToNumber(r.Value(A::kEffectifTempsPlein, i));
        Cbo_Effectif->addItem(assoc::effectifEntry(
            dateEffectif(r.Value(A::kEffectifPeriode, i), r.Value(A::kEffectifDate, i)),
            assoc::formatNumber(physique, 4, whole ? 0 : 2), assoc::formatNumber(etp, 4, 2)));
    }
    // The latest period is the one that matters today.
    Cbo_Effectif->setCurrentIndex(Cbo_Effectif->count() - 1);
}

void Ctr_Association::Vider_Donnees_Asso() {
    fields_.Clear();
    cotisation_->Clear();
    telegestion_->Clear();
    Cbo_Effectif->clear();
    components_.Clear();
    Ong_Assoc->setCurrentIndex(0);
    Vider_CRCESU();
    Griser();
}

void Ctr_Association::Vider_Donnees_AssoSIGLE() {
    // The sigle being chosen stays; every other field the display fills is emptied.
    fields_.Clear(
        [this](const forms::FieldBinding& b) { return b.cleared && b.widget != Txt_SigleAssoc; });
    components_.Clear();
    Ong_Assoc->setCurrentIndex(0);
    Griser();
}

void Ctr_Association::Remplir_CRCESU() {
    store::Variables& v = store::Variables::Get();
    const std::string code = fromQ(Txt_CodeAssoc->text());
    // The display has just read this record; reading it again would only drop what the display
    // set in memory.
    if (!session_.HasCurrent() || session_.Current().Id() != code)
        session_.Take(store::ReadSkippingErrors(v.fAssociation.get(), code));
    cesu_->Remplir_CRCESU(session_.Current());
}

void Ctr_Association::Vider_CRCESU() {
    cesu_->Vider_CRCESU();
}

void Ctr_Association::GriserCESU() {
    cesu_->GriserCESU();
}

void Ctr_Association::DegriserCESU() {
    cesu_->DegriserCESU();
}

void Ctr_Association::RequeteActivite() {
    cotisation_->RequeteActivite(fromQ(Txt_CodeAssoc->text()));
}

void Ctr_Association::Degriser_Cotisation() {
    cotisation_->Degriser_Cotisation(fromQ(Txt_CodeAssoc->text()));
}

void Ctr_Association::EnrModifCotisation() {
    cotisation_->EnrModifCotisation(store::Variables::Get().association);
}
