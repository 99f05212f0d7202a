// Remote management of home visits (télégestion) and automatic sending to the CESU server.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "control/ctr_association.h"
#include "platform/toolkit/qtext.h"
#include "store/variables.h"

using toolkit::fromQ;
using toolkit::toQ;

void Ctr_Association::Remplir_Table_Telegestion() {
    const store::Variables& v = store::Variables::Get();
    // Emptied first, so that a second Init does not list every system twice.
    Cbo_Systeme->clear();
    if (v.telegestion) {
        for (int i = 1; i <= v.telegestion->DCount(2); ++i)
            Cbo_Systeme->addItem(toQ(v.telegestion->Value(3, i)));
    }
    Cbo_Systeme->setCurrentIndex(-1);
}

void Ctr_Association::setTelegestionEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{Etq_Systeme, Cbo_Systeme, Etq_Ident,
                                                      Txt_Ident, Txt_NumSysTelegest,
                                                      Etq_NumSysTelGestion, Etq_Ligne2CarteTelGest,
                                                      Txt_LigneCarteTelGest, Txt_Moi, Etq_MOI}) {
        w->setEnabled(enabled);
    }
}

void Ctr_Association::showTelegestion(store::Record& r) {
    const store::Variables& v = store::Variables::Get();
    if (r.Value(38).empty()) {
        Cac_Telegestion->setChecked(false);
        setTelegestionEnabled(false);
        return;
    }
    Cac_Telegestion->setChecked(true);
    setTelegestionEnabled(true);
    Txt_Systeme->setText(toQ(r.Value(38)));
    Cbo_Systeme->setCurrentIndex(-1);
    if (v.telegestion) {
        const std::string code = fromQ(Txt_Systeme->text());
        for (int i = 1;; ++i) {
            const std::string known = v.telegestion->Value(2, i);
            if (known.empty())
                break;
            if (known == code) {
                Cbo_Systeme->setCurrentIndex(i - 1);
                break;
            }
        }
    }
    Txt_Ident->setText(toQ(r.Value(39)));
    Txt_NumSysTelegest->setText(toQ(r.Value(51)));
    Txt_Moi->setText(toQ(r.Value(52)));
    Txt_LigneCarteTelGest->setText(toQ(r.Value(53)));
    Cac_TelMobile->setChecked(r.Value(58) == "1");
}

void Ctr_Association::Cac_Telegestion_Click() {
    if (Cac_Telegestion->isChecked()) {
        setTelegestionEnabled(true);
        return;
    }
    Cbo_Systeme->setCurrentIndex(-1);
    Txt_Systeme->clear();
    Txt_Ident->clear();
    setTelegestionEnabled(false);
}

void Ctr_Association::Cbo_Systeme_Click() {
    const store::Variables& v = store::Variables::Get();
    if (!v.telegestion)
        return;
    const std::string label = fromQ(Cbo_Systeme->currentText());
    for (int i = 1;; ++i) {
        const std::string known = v.telegestion->Value(3, i);
        if (known.empty())
            return;
        if (known == label) {
            Txt_Systeme->setText(toQ(v.telegestion->Value(2, i)));
            return;
        }
    }
}

void Ctr_Association::Remplir_CRCESU() {
    store::Variables& v = store::Variables::Get();
    const std::string code = fromQ(Txt_CodeAssoc->text());
    // The display has just read this record; reading it again would only drop what the display
    // set in memory.
    if (!v.association || v.association->Id() != code)
        v.association = store::ReadSkippingErrors(v.fAssociation.get(), code);
    const store::Record& r = *v.association;

    const QString adresse = toQ(r.Value(43));
    if (!adresse.isEmpty()) {
        Cac_EnvoiAuto->setChecked(true);
        if (!adresse.contains(QLatin1Char('.'))) {
            Opt_Domaine->setChecked(true);
            Txt_Domaine->setText(adresse);
            setAddressPartsEnabled(false);
        } else {
            Opt_AdrIP->setChecked(true);
            Txt_Domaine->setEnabled(false);
            QLineEdit* parts[] = {Txt_AdrSvrCESU, Txt_AdrSvrCESU1, Txt_AdrSvrCESU2,
                                  Txt_AdrSvrCESU3};
            int next = 0;
            QString collected;
            for (qsizetype i = 0; i < adresse.size(); ++i) {
                const QChar ch = adresse.at(i);
                if (ch != QLatin1Char('.') && ch != QLatin1Char(':')) {
                    collected += ch;
                    continue;
                }
                if (next < 4)
                    parts[next]->setText(collected);
                ++next;
                collected.clear();
                if (ch == QLatin1Char(':'))
                    Txt_Port->setText(adresse.mid(i + 1));
            }
        }
        Txt_LoginUtil->setText(toQ(r.Value(44)));
        Txt_Mtp->setText(toQ(r.Value(45)));
    } else {
        Cac_EnvoiAuto->setChecked(false);
    }
    Txt_CodeTeletransmettant->setText(toQ(r.Value(46)));
    Txt_CodeIntervenant->setText(toQ(r.Value(47)));
}

void Ctr_Association::Vider_CRCESU() {
    for (QLineEdit* field :
         {Txt_CodeTeletransmettant, Txt_CodeIntervenant, Txt_AdrSvrCESU, Txt_AdrSvrCESU1,
          Txt_AdrSvrCESU2, Txt_AdrSvrCESU3, Txt_Domaine, Txt_LoginUtil, Txt_Mtp}) {
        field->clear();
    }
    Opt_AdrIP->setChecked(true);
    Opt_AdrIP_Click();
}

void Ctr_Association::setCesuEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             Cdr_AdresseServeur, Txt_AdrSvrCESU, Txt_AdrSvrCESU1, Txt_AdrSvrCESU2, Txt_AdrSvrCESU3,
             Txt_Domaine, Etq_Point1, Etq_Point2, Etq_Point3, Etq_2Points, Opt_Domaine, Opt_AdrIP,
             Cdr_Parametres, Txt_LoginUtil, Txt_Mtp, Etq_LoginUtil, Etq_Mtp}) {
        w->setEnabled(enabled);
    }
}

void Ctr_Association::GriserCESU() {
    setCesuEnabled(false);
}

void Ctr_Association::DegriserCESU() {
    setCesuEnabled(true);
    Opt_AdrIP->setChecked(true);
    Opt_AdrIP_Click();
}

void Ctr_Association::Cac_EnvoiAuto_Click() {
    if (Cac_EnvoiAuto->isChecked())
        DegriserCESU();
    else
        GriserCESU();
}

void Ctr_Association::setAddressPartsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             Txt_AdrSvrCESU, Txt_AdrSvrCESU1, Txt_AdrSvrCESU2, Txt_AdrSvrCESU3, Txt_Port,
             Etq_Point1, Etq_Point2, Etq_Point3, Etq_2Points}) {
        w->setEnabled(enabled);
    }
}

void Ctr_Association::Opt_AdrIP_Click() {
    setAddressPartsEnabled(true);
    Txt_Domaine->setEnabled(false);
}

void Ctr_Association::Opt_Domaine_Click() {
    setAddressPartsEnabled(false);
    Txt_Domaine->setEnabled(true);
}

void Ctr_Association::Stockage_Telegestion(store::Record& record, bool creation) {
    (void)record;
    (void)creation;
}

void Ctr_Association::Stockage_EnvoiAuto(store::Record& record) {
    (void)record;
}
