// Showing an association record on the screen, and emptying the screen.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "control/ctr_association.h"
#include "control/ctr_association_parts.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/request.h"
#include "store/store_error.h"
#include "store/variables.h"

using toolkit::fromQ;
using toolkit::toQ;

namespace {

// The display goes on past record-store failures: what could not be read stays empty.
template <typename Fn>
void skippingErrors(Fn fn) {
    try {
        fn();
    } catch (const store::StoreError&) {
    }
}

bool isOne(const std::string& stored) {
    return stored == "1";
}

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
    v.association.reset();
    v.association = store::ReadSkippingErrors(v.fAssociation.get(), fromQ(Txt_CodeAssoc->text()));
    texteLu_ = v.association->Text();
    // A record is shown when it exists outside a creation, or is free for one.
    const bool creation = mode_ == 1;
    if (texteLu_.empty() == creation) {
        Affichage();
        return;
    }
    avertir(creation ? assoc::kEntiteDejaExistante
                     : QStringLiteral("Cette entité juridique n'existe pas, vous devez d'abord "
                                      "cliquer sur Ajouter pour créer une nouvelle entité "
                                      "juridique."));
    Txt_CodeAssoc->clear();
    Txt_CodeAssoc->setFocus();
}

void Ctr_Association::Affichage_Donnees_Asso_ParSIGLE() {
    store::Variables& v = store::Variables::Get();
    const int row = Cbo_SigleAssoc->currentIndex() + 1;
    const std::string id = selection_.Value(row, 1);
    v.association = store::ReadSkippingErrors(v.fAssociation.get(), id);
    texteLu_ = v.association->Text();
    Vider_Donnees_AssoSIGLE();
    Txt_CodeAssoc->setText(toQ(id));
    Affichage();
}

void Ctr_Association::Affichage() {
    store::Variables& v = store::Variables::Get();
    if (!v.association)
        v.association = store::Record();
    store::Record& r = *v.association;

    Afficher();
    Txt_CodeAssoc->setEnabled(false);
    setSigleComboShown(false);
    Cmd_Annuler->setEnabled(true);

    auto one = [&](QLineEdit* field, int attribute) { field->setText(toQ(r.Value(attribute, 1))); };
    auto whole = [&](QLineEdit* field, int attribute) { field->setText(toQ(r.Value(attribute))); };

    Cbo_SigleAssoc->setEditText(toQ(r.Value(1, 1)));
    Txt_SigleAssoc->setText(Cbo_SigleAssoc->currentText());
    one(Txt_RaisonAssoc, 2);
    one(Txt_SirenAssoc, 14);
    one(Txt_NumTVA, 36);
    whole(Txt_AgrAuto1, 41);
    whole(Txt_AgrAuto2, 23);
    const std::string decalage = r.Value(25, 1);
    if (decalage.empty()) {
        Chk_DecalagePaie->setCheckState(Qt::Unchecked);
    } else {
        const int state = std::atoi(decalage.c_str());
        Chk_DecalagePaie->setTristate(state == 2);
        Chk_DecalagePaie->setCheckState(state == 0   ? Qt::Unchecked
                                        : state == 2 ? Qt::PartiallyChecked
                                                     : Qt::Checked);
    }
    Cac_CET->setChecked(isOne(r.Value(60)));
    one(Txt_RespPerso, 30);
    whole(Txt_TelRespPaie, 64);
    whole(Txt_MailRespPaie, 65);
    Cbo_JourSol->setCurrentIndex(-1);
    for (int i = 0; i < static_cast<int>(std::size(assoc::kJoursSolidarite)); ++i) {
        if (r.Value(42) == assoc::kJoursSolidarite[i].code)
            Cbo_JourSol->setCurrentIndex(i);
    }
    whole(Txt_CentreAssedic, 33);
    whole(Txt_NumAffilAssedic, 34);
    Remplir_Effectif(r);
    Remplir_RespPaie(r.Value(24));
    whole(Txt_Email, 35);
    whole(Txt_Finess, 37);
    skippingErrors([&] {
        if (adresse_)
            texteComposant_ = adresse_->ReadFromRecord(r, 3);
    });
    skippingErrors([&] {
        if (rib_)
            texteComposant_ = rib_->ReadFromRecord(r, 15);
    });

    // Shown unchecked; the record in memory says so too, so a later save writes "0".
    if (r.Value(58).empty())
        r.SetValue(58, "0");

    showTelegestion(r);
    Cac_PreImpBulltPaie->setChecked(isOne(r.Value(49)));
    Cac_PreImpFact->setChecked(isOne(r.Value(50)));
    Cac_LogoBullPaie->setChecked(isOne(r.Value(54)));
    Cac_LogoFact->setChecked(isOne(r.Value(55)));
    Cac_PresentSimpl->setChecked(isOne(r.Value(59)));
    showDate(Txt_DateGrilleAggir2008, r.Value(56));

    skippingErrors([&] { Remplir_CRCESU(); });
    if (Cac_EnvoiAuto->isChecked()) {
        // Enabled, keeping the address form the record uses.
        setCesuEnabled(true);
        if (Opt_Domaine->isChecked())
            Opt_Domaine_Click();
        else
            Opt_AdrIP_Click();
    } else {
        GriserCESU();
    }
    showCotisations(*v.association);
    skippingErrors([&] { Degriser_Cotisation(); });
}

void Ctr_Association::showDate(QLineEdit* field, const std::string& stored) {
    if (stored.empty()) {
        field->clear();
        return;
    }
    const QString date = assoc::dayToDate(stored);
    // A value that is no day number is shown as stored rather than lost.
    field->setText(date.isEmpty() ? toQ(stored) : date);
}

void Ctr_Association::Remplir_JourSol() {
    Cbo_JourSol->clear();
    for (const auto& jour : assoc::kJoursSolidarite)
        Cbo_JourSol->addItem(QString::fromUtf8(jour.text));
    Cbo_JourSol->setCurrentIndex(-1);
}

void Ctr_Association::Remplir_RespPaie(const std::string& stored) {
    store::Variables& v = store::Variables::Get();
    cbo_RespPaie->clear();
    store::Record rows;
    skippingErrors([&] {
        if (v.database) {
            rows = v.database->Select(
                "SSELECT TABLES AVEC 0 = " + *store::QuoteValue("QUALITERESPPAIE"), "TABLES",
                "2 3");
        }
    });
    if (rows.Text().empty()) {
        avertir(QStringLiteral("Erreur de lecture des qualités de responsable de paie"));
        return;
    }
    // Codes first, then the labels in the same order.
    const int n = rows.DCount() / 2;
    for (int k = 1; k <= n; ++k)
        cbo_RespPaie->addItem(toQ(rows.Value(k)) + QStringLiteral(" - ") + toQ(rows.Value(k + n)));
    bool ok = false;
    const int position = toQ(stored).toInt(&ok) - 1;
    cbo_RespPaie->setCurrentIndex(ok && position >= 0 && position < n ? position : -1);
}

void Ctr_Association::Remplir_Effectif(const store::Record& r) {
    Cbo_Effectif->clear();
    for (int i = 1; !r.Value(29, i).empty(); ++i) {
        const QString physique = assoc::hundredthsToNumber(r.Value(27, i));
        const bool whole = physique.endsWith(QStringLiteral(".00"));
        const QString etp = assoc::hundredthsToNumber(r.Value(28, i));
        Cbo_Effectif->addItem(assoc::effectifEntry(dateEffectif(r.Value(29, i), r.Value(40, i)),
                                                   assoc::formatNumber(physique, 4, whole ? 0 : 2),
                                                   assoc::formatNumber(etp, 4, 2)));
    }
    // The latest period is the one that matters today.
    Cbo_Effectif->setCurrentIndex(Cbo_Effectif->count() - 1);
}

void Ctr_Association::clearComponents() {
    if (adresse_)
        adresse_->Clear();
    if (rib_)
        rib_->Clear();
}

void Ctr_Association::Vider_Donnees_Asso() {
    Cbo_SigleAssoc->setEditText(QString());
    assoc::clear({Txt_SigleAssoc, Txt_RaisonAssoc, Txt_SirenAssoc, Txt_NumTVA, Txt_AgrAuto1,
                  Txt_AgrAuto2, Txt_RespPerso, Txt_TelRespPaie, Txt_MailRespPaie, Txt_Email,
                  Txt_Finess, Txt_CentreAssedic, Txt_NumAffilAssedic, Txt_Ident});
    clearCotisations();
    for (QCheckBox* box : {Cac_CET, Chk_DecalagePaie, Cac_Telegestion, Cac_PresentSimpl,
                           Cac_PreImpBulltPaie, Cac_LogoBullPaie, Cac_PreImpFact, Cac_LogoFact}) {
        box->setChecked(false);
    }
    Cbo_JourSol->setCurrentIndex(-1);
    Cbo_Systeme->setCurrentIndex(-1);
    // Where the next display leaves a field as it finds it (a record without remote management),
    // nothing of the association shown before may linger: its mobile flag would be written into
    // the next one, or offered as a change on leaving. The port stays, as the emptying of the
    // sending fields leaves it, and so does the AGGIR date, which every display sets.
    assoc::clear({Txt_Systeme, Txt_NumSysTelegest, Txt_Moi, Txt_LigneCarteTelGest});
    Cac_TelMobile->setChecked(false);
    setTelegestionEnabled(false);
    cbo_RespPaie->setCurrentIndex(-1);
    Cbo_Effectif->clear();
    clearComponents();
    Ong_Assoc->setCurrentIndex(0);
    Vider_CRCESU();
    Griser();
}

void Ctr_Association::Vider_Donnees_AssoSIGLE() {
    assoc::clear({Txt_RaisonAssoc, Txt_SirenAssoc, Txt_NumTVA, Txt_RespPerso, Txt_TelRespPaie,
                  Txt_MailRespPaie, Txt_CentreAssedic, Txt_NumAffilAssedic});
    Chk_DecalagePaie->setChecked(false);
    Cac_CET->setChecked(false);
    Cbo_JourSol->setCurrentIndex(-1);
    clearComponents();
    Ong_Assoc->setCurrentIndex(0);
    Griser();
}
