// Finding an establishment (the sigle list, the type-ahead, the code box), showing it on the
// screen, and emptying the screen.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedLayout>
#include <QTabWidget>

#include "entry/code_padding.h"
#include "entry/type_ahead.h"
#include "entry/upper_case.h"
#include "establishments/frm_etablissement.h"
#include "forms/feedback.h"
#include "platform/components/adresse/composant_adresse.h"
#include "platform/components/rib/composant_rib.h"
#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/association.h"
#include "store/layout/etablissement.h"
#include "store/skipping_errors.h"
#include "store/variables.h"

using toolkit::fromQ;
using toolkit::toQ;
namespace E = store::layout::etablissement;

namespace {

const Composant_Utilitaires& utilitaires() {
    return Composant_Utilitaires::Instance();
}

// The last day of the month of a period "yyyymm", as "dd/mm/yyyy": the day before the first of
// the next month. A period that reads as none is shown as stored.
QString finDeMois(const std::string& stored) {
    const QString period = toQ(stored);
    bool okYear = false;
    bool okMonth = false;
    int year = period.left(4).toInt(&okYear);
    int month = period.mid(4).toInt(&okMonth);
    if (period.size() != 6 || !okYear || !okMonth || month < 1 || month > 12)
        return period;
    if (month == 12) {
        month = 1;
        ++year;
    } else {
        ++month;
    }
    const QString first = utilitaires().DateVersJour(QStringLiteral("01/%1/%2")
                                                         .arg(month, 2, 10, QLatin1Char('0'))
                                                         .arg(year, 4, 10, QLatin1Char('0')));
    bool ok = false;
    const long day = first.toLong(&ok);
    return ok ? utilitaires().JourVersDate(day - 1) : period;
}

// A headcount in hundredths with 4 integer digits and 2 decimals, right-justified to that width
// so that the columns stand in the fixed-pitch list; an empty count is 0.
QString effectif(const std::string& stored) {
    constexpr qsizetype kLargeur = 7;  // "0000,00"
    return utilitaires()
        .CentimesVersMontant(stored.empty() ? QStringLiteral("0") : toQ(stored), 4, 2)
        .rightJustified(kLargeur);
}

}  // namespace

void Frm_Etablissement::Remplir_SigleEtabl() {
    store::Variables& v = store::Variables::Get();
    Cbo_SigleEtabl->clear();
    if (!v.database)
        return;
    v.fEtablissement = lookup_.Fill(*v.database);
}

void Frm_Etablissement::Remplir_Combo_Mois() {
    Cbo_Mois->clear();
    const QLocale french(QLocale::French, QLocale::France);
    for (int month = 1; month <= 12; ++month)
        Cbo_Mois->addItem(french.monthName(month, QLocale::LongFormat).toUpper());
    Cbo_Mois->setCurrentIndex(-1);
}

void Frm_Etablissement::Txt_CodeEtabl_Change() {
    Cmd_Ajouter->setEnabled(Txt_CodeEtabl->text().isEmpty());
    // A code set by the program while the field is locked (a creation) shows nothing.
    if (!Txt_CodeEtabl->isEnabled())
        return;
    if (Txt_CodeEtabl->text().size() == 3)
        Affichage_Donnees_Etabl_PARCode();
    else
        Vider_Donnees_Etabl();
}

void Frm_Etablissement::Txt_CodeEtabl_KeyPress(int& keyAscii) {
    entry::CodePaddingKey(keyAscii, Txt_CodeEtabl);
}

void Frm_Etablissement::Txt_CodeEtabl_LostFocus() {
    entry::CodePaddingOnLeaving(Txt_CodeEtabl);
}

void Frm_Etablissement::Cbo_SigleEtabl_KeyPress(int& keyAscii) {
    entry::TypeAheadKey(keyAscii, this, [this] {
        if (store::Database* db = store::Variables::Get().database.get())
            lookup_.TypeAhead(*db, this, [this] { Txt_CodeEtabl->clear(); });
    });
}

void Frm_Etablissement::Cbo_SigleEtabl_Change() {
    Txt_SigleEtabl->setText(Cbo_SigleEtabl->currentText());
}

void Frm_Etablissement::Cbo_SigleEtabl_Click() {
    if (!Cbo_SigleEtabl->currentText().isEmpty())
        Affichage_Donnees_Etabl_PARSigle();
    Txt_SigleEtabl->setText(Cbo_SigleEtabl->currentText());
}

void Frm_Etablissement::Cbo_SigleEtabl_LostFocus() {
    entry::UpperCaseOnLeaving(Cbo_SigleEtabl);
}

void Frm_Etablissement::Affichage_Donnees_Etabl_PARCode() {
    const bool exists = session_.Read(store::Variables::Get().fEtablissement.get(),
                                      codeAssoc_ + fromQ(Txt_CodeEtabl->text()));
    if (exists || session_.mode == kCreationAdressePropre) {
        Affichage_Etabl();
        return;
    }
    forms::Avertir(this, QStringLiteral("Cet établissement n'existe pas, vous devez d'abord "
                                        "cliquer sur Ajouter pour créer un nouvel établissement."));
    Txt_CodeEtabl->clear();
    Txt_CodeEtabl->setFocus();
}

void Frm_Etablissement::Affichage_Donnees_Etabl_PARSigle() {
    const QString code =
        toQ(forms::CodeLookup::OwnCode(lookup_.IdAt(Cbo_SigleEtabl->currentIndex())));
    // The code's change handling reads and shows the record.
    if (Txt_CodeEtabl->text() == code)
        Affichage_Donnees_Etabl_PARCode();
    else
        Txt_CodeEtabl->setText(code);
}

void Frm_Etablissement::Affichage_Etabl() {
    store::Record& r = session_.Current();

    Afficher();
    Remplir_Combo_Mois();
    Txt_CodeEtabl->setEnabled(false);
    setSigleComboShown(false);
    Cmd_Annuler->setEnabled(true);
    Cmd_Ok->setEnabled(true);

    // Amounts stored empty show empty: nothing of the establishment shown before stays.
    fields_.Show(r);
    Txt_SigleEtabl->setText(Cbo_SigleEtabl->currentText());
    Cac_CollecTerri->setEnabled(Opt_URSSAF->isChecked());
    Remplir_Effectif(r);

    // An establishment without its own address shows its association's.
    store::SkippingErrors([&] {
        if (!r.Value(E::kAdresseCommune, 1).empty()) {
            Ctr_Adresse->ReadFromRecord(r, E::kAdresse);
        } else {
            store::Record entite = adresseEntite();
            Ctr_Adresse->ReadFromRecord(entite, store::layout::association::kAdresse);
        }
    });
    store::SkippingErrors([&] { texteRib_ = Ctr_RibEtab->ReadFromRecord(r, E::kRib); });
    Ong_Etabl->setCurrentIndex(kCoordonnees);
    affiche_ = forms::ScreenSnapshot::Of(this);
}

void Frm_Etablissement::Remplir_Effectif(const store::Record& r) {
    // The last day of the period, 2 blanks, the physical count, 11 blanks, the full-time count.
    Cbo_Effectif->clear();
    for (int i = 1; !r.Value(E::kEffectifPeriode, i).empty(); ++i) {
        Cbo_Effectif->addItem(finDeMois(r.Value(E::kEffectifPeriode, i)) + QStringLiteral("  ") +
                              effectif(r.Value(E::kEffectifPhysique, i)) +
                              QString(11, QLatin1Char(' ')) +
                              effectif(r.Value(E::kEffectifTempsPlein, i)));
    }
    Cbo_Effectif->setCurrentIndex(Cbo_Effectif->count() > 0 ? 0 : -1);
}

void Frm_Etablissement::Vider_Donnees_Etabl() {
    Cbo_Mois->clear();
    Cbo_SigleEtabl->setEditText(QString());
    // Every field, the pay pair of the other period, the lists and the options included.
    fields_.Clear();
    for (QLineEdit* paie :
         {Txt_Multiplicateur, Txt_SmicMensuel, Txt_GarantieHorMin, Txt_MinorationReducSs}) {
        paie->clear();
    }
    Cbo_Effectif->clear();
    Ctr_Adresse->Clear();
    Ong_Etabl->setCurrentIndex(kCoordonnees);
    Txt_CodeEtabl->setEnabled(true);
    Txt_CodeEtabl->setFocus();
    Griser();
    Cmd_Annuler->setEnabled(false);
    Cmd_Ok->setEnabled(false);
    Cmd_Ajouter->setEnabled(true);
    Cmd_Sortir->setEnabled(true);
    Ctr_RibEtab->Clear();
    session_.Forget();
    affiche_ = {};
}

void Frm_Etablissement::setSigleComboShown(bool shown) {
    auto* stack = static_cast<QStackedLayout*>(Cbo_SigleEtabl->parentWidget()->layout());
    stack->setCurrentWidget(shown ? static_cast<QWidget*>(Cbo_SigleEtabl)
                                  : static_cast<QWidget*>(Txt_SigleEtabl));
}

store::Record Frm_Etablissement::adresseEntite() const {
    store::Variables& v = store::Variables::Get();
    // The association screen holds the record it shows; read it afresh only without it.
    if (v.association && v.association->Id() == codeAssoc_)
        return *v.association;
    if (v.fAssociation)
        return store::ReadSkippingErrors(v.fAssociation.get(), codeAssoc_);
    store::Record r;
    store::SkippingErrors([&] {
        if (v.database)
            r = store::ReadSkippingErrors(v.database->OpenFile("ASSOCIATION").get(), codeAssoc_);
    });
    return r;
}
