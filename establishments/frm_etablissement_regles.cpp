// Checks and reshaping of the establishment's fields while the user types or leaves them, and
// the links between fields (the scheme and the territorial flag).
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "entry/amount_format.h"
#include "entry/decimal_amount.h"
#include "entry/digits.h"
#include "entry/upper_case.h"
#include "establishments/frm_etablissement.h"
#include "forms/feedback.h"
#include "platform/components/rib/composant_rib.h"
#include "platform/toolkit/events.h"
#include "store/variables.h"

void Frm_Etablissement::wireFieldRules() {
    using forms::Handler;
    toolkit::OnLostFocus(Txt_SiretEtabl,
                         Handler(this, &Frm_Etablissement::Txt_SiretEtabl_LostFocus));
    toolkit::OnLostFocus(Txt_SigleEtabl,
                         Handler(this, &Frm_Etablissement::Txt_SigleEtabl_LostFocus));

    // Set by the program too (a display, a creation): the flag follows the scheme either way.
    connect(Opt_URSSAF, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Opt_URSSAF_Click();
    });
    connect(Opt_MSA, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Opt_MSA_Click();
    });
    connect(Ctr_RibEtab, &Composant_RIB::focusEntered, this,
            Handler(this, &Frm_Etablissement::Ctr_RibEtab_GotFocus));

    struct Montant {
        QLineEdit* field;
        int integerDigits;
        entry::EmptyAmount empty;
    };
    const Montant montants[] = {
        {Txt_HorHebdoEtabl, 2, entry::EmptyAmount::GivesZero},
        {Txt_GarantieHorMin, 5, entry::EmptyAmount::GivesZero},
        {Txt_MinorationReducSs, 5, entry::EmptyAmount::GivesZero},
        {Txt_Multiplicateur, 5, entry::EmptyAmount::LeftEmpty},
        {Txt_SmicMensuel, 5, entry::EmptyAmount::LeftEmpty},
        {Txt_Abattement, 5, entry::EmptyAmount::LeftEmpty},
        {Txt_AidePerenne, 4, entry::EmptyAmount::LeftEmpty},
        {Txt_AideIncitative, 4, entry::EmptyAmount::LeftEmpty},
        {Txt_TauxHoraire, 3, entry::EmptyAmount::LeftEmpty},
    };
    for (const Montant& m : montants) {
        entry::AttachDecimalAmount(m.field);
        entry::AttachAmountFormat(m.field, m.integerDigits, 2, m.empty);
    }
    entry::AttachDigitsWithTab(Txt_CodeInsee);
    entry::AttachDigitsOnly(Txt_IdCCN);
}

void Frm_Etablissement::Txt_SiretEtabl_LostFocus() {
    const QString siret = Txt_SiretEtabl->text();
    // Empty passes here: the save asks for it.
    if (siret.isEmpty() || siret.size() == 14)
        return;
    forms::Avertir(this, QStringLiteral("Le numéro de SIRET doit comporter 14 caractères."));
    toolkit::GiveFocusBack(Txt_SiretEtabl);
}

void Frm_Etablissement::Txt_SigleEtabl_LostFocus() {
    entry::UpperCaseOnLeaving(Txt_SigleEtabl);
}

void Frm_Etablissement::Opt_URSSAF_Click() {
    Cac_CollecTerri->setEnabled(true);
    Cac_CollecTerri->setChecked(false);
}

void Frm_Etablissement::Opt_MSA_Click() {
    Cac_CollecTerri->setEnabled(false);
    Cac_CollecTerri->setChecked(false);
}

void Frm_Etablissement::Ctr_RibEtab_GotFocus() {
    const store::Variables& v = store::Variables::Get();
    Ctr_RibEtab->SetConnection(v.database, v.client);
}
