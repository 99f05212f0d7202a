// Remote management of home visits (télégestion) and automatic sending to the CESU server.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <optional>

#include "control/ctr_association.h"
#include "control/ctr_association_parts.h"
#include "platform/toolkit/events.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/variables.h"

using toolkit::fromQ;
using toolkit::toQ;

namespace {

// A stored server address written from the IP form: four numeric parts and, after a ":", the port
// as the port field takes it. Anything else, dots included, was typed as a domain name.
struct AdresseIP {
    QString parties[4];
    QString port;
};

std::optional<AdresseIP> lireAdresseIP(const QString& stored) {
    static const QRegularExpression forme(
        QStringLiteral("^([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+)(?::([0-9/:]*))?$"));
    const QRegularExpressionMatch m = forme.match(stored);
    if (!m.hasMatch())
        return std::nullopt;
    AdresseIP ip;
    for (int i = 0; i < 4; ++i)
        ip.parties[i] = m.captured(i + 1);
    ip.port = m.captured(5);
    return ip;
}

// An empty part is left to the mandatory-field check; "1/2" or "3:" are refused as no number.
bool partieAdresseValide(const QString& text) {
    const QString part = text.trimmed();
    if (part.isEmpty())
        return true;
    for (QChar ch : part) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    const qulonglong value = part.toULongLong(&ok);
    return ok && value <= 254;
}

}  // namespace

void Ctr_Association::Remplir_Table_Telegestion() {
    const store::Variables& v = store::Variables::Get();
    if (v.telegestion) {
        for (int i = 1; i <= v.telegestion->DCount(2); ++i)
            Cbo_Systeme->addItem(toQ(v.telegestion->Value(3, i)));
    }
    Cbo_Systeme->setCurrentIndex(-1);
}

void Ctr_Association::setTelegestionEnabled(bool enabled) {
    assoc::setEnabled(
        {Etq_Systeme, Cbo_Systeme, Etq_Ident, Txt_Ident, Txt_NumSysTelegest, Etq_NumSysTelGestion,
         Etq_Ligne2CarteTelGest, Txt_LigneCarteTelGest, Txt_Moi, Etq_MOI},
        enabled);
}

void Ctr_Association::showTelegestion(store::Record& r) {
    const store::Variables& v = store::Variables::Get();
    if (r.Value(38).empty()) {
        // The box is unchecked too: left checked over a greyed system list, the association could
        // never be saved. The card fields go grey with it, since an unchecked box stores none.
        Cac_Telegestion->setChecked(false);
        setTelegestionEnabled(false);
        return;
    }
    // Checking the box by program enables its group as the user's click does.
    Cac_Telegestion->setChecked(true);
    setTelegestionEnabled(true);
    Txt_Systeme->setText(toQ(r.Value(38)));
    // A code the table no longer knows stays in the code box, with no label chosen.
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
        if (const std::optional<AdresseIP> ip = lireAdresseIP(adresse)) {
            Opt_AdrIP->setChecked(true);
            Txt_Domaine->setEnabled(false);
            QLineEdit* parts[] = {Txt_AdrSvrCESU, Txt_AdrSvrCESU1, Txt_AdrSvrCESU2,
                                  Txt_AdrSvrCESU3};
            for (int i = 0; i < 4; ++i)
                parts[i]->setText(ip->parties[i]);
            // Without a port of its own the association must not show the last one seen.
            Txt_Port->setText(ip->port);
        } else {
            Opt_Domaine->setChecked(true);
            Txt_Domaine->setText(adresse);
            setAddressPartsEnabled(false);
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
    assoc::clear({Txt_CodeTeletransmettant, Txt_CodeIntervenant, Txt_AdrSvrCESU, Txt_AdrSvrCESU1,
                  Txt_AdrSvrCESU2, Txt_AdrSvrCESU3, Txt_Domaine, Txt_LoginUtil, Txt_Mtp});
    Opt_AdrIP->setChecked(true);
    Opt_AdrIP_Click();
}

void Ctr_Association::setCesuEnabled(bool enabled) {
    assoc::setEnabled(
        {Cdr_AdresseServeur, Txt_AdrSvrCESU, Txt_AdrSvrCESU1, Txt_AdrSvrCESU2, Txt_AdrSvrCESU3,
         Txt_Domaine, Etq_Point1, Etq_Point2, Etq_Point3, Etq_2Points, Opt_Domaine, Opt_AdrIP,
         Cdr_Parametres, Txt_LoginUtil, Txt_Mtp, Etq_LoginUtil, Etq_Mtp},
        enabled);
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
    assoc::setEnabled({Txt_AdrSvrCESU, Txt_AdrSvrCESU1, Txt_AdrSvrCESU2, Txt_AdrSvrCESU3, Txt_Port,
                       Etq_Point1, Etq_Point2, Etq_Point3, Etq_2Points},
                      enabled);
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
    const bool checked = Cac_Telegestion->isChecked();
    const std::pair<int, QLineEdit*> texts[] = {{38, Txt_Systeme},
                                                {39, Txt_Ident},
                                                {51, Txt_NumSysTelegest},
                                                {52, Txt_Moi},
                                                {53, Txt_LigneCarteTelGest}};
    for (const auto& [attribute, field] : texts)
        assoc::poser(record, attribute, checked ? field->text() : QString());
    const bool mobile = !creation && Cac_TelMobile->isChecked();
    assoc::poser(record, 58,
                 !checked ? QString()
                 : mobile ? QStringLiteral("1")
                          : QStringLiteral("0"));
}

void Ctr_Association::Stockage_EnvoiAuto(store::Record& record) {
    if (Cac_EnvoiAuto->isChecked()) {
        QString adresse;
        if (Opt_Domaine->isChecked()) {
            adresse = Txt_Domaine->text();
        } else {
            const QString port = Txt_Port->text();
            adresse = Txt_AdrSvrCESU->text() + QLatin1Char('.') + Txt_AdrSvrCESU1->text() +
                      QLatin1Char('.') + Txt_AdrSvrCESU2->text() + QLatin1Char('.') +
                      Txt_AdrSvrCESU3->text() + QLatin1Char(':') +
                      (port.isEmpty() ? QStringLiteral("21") : port);
        }
        assoc::poser(record, 43, adresse);
        assoc::poser(record, 44, Txt_LoginUtil->text());
        assoc::poser(record, 45, Txt_Mtp->text());
    } else {
        // The display checks the box whenever a server is stored: an unchecked box keeps none.
        for (int attribute : {43, 44, 45})
            assoc::poser(record, attribute, QString());
    }
    assoc::poser(record, 46, Txt_CodeTeletransmettant->text());
    assoc::poser(record, 47, Txt_CodeIntervenant->text());
}

void Ctr_Association::verifierPartieAdresse(QLineEdit* part) {
    if (partieAdresseValide(part->text()))
        return;
    avertir(
        QStringLiteral("Une adresse IP ne peut contenir que des éléments compris entre 0 et "
                       "254 compris."));
    part->clear();
    toolkit::GiveFocusBack(part);
}

void Ctr_Association::Txt_AdrSvrCESU_LostFocus() {
    verifierPartieAdresse(Txt_AdrSvrCESU);
}

void Ctr_Association::Txt_AdrSvrCESU1_LostFocus() {
    verifierPartieAdresse(Txt_AdrSvrCESU1);
}

void Ctr_Association::Txt_AdrSvrCESU2_LostFocus() {
    verifierPartieAdresse(Txt_AdrSvrCESU2);
}

void Ctr_Association::Txt_AdrSvrCESU3_LostFocus() {
    verifierPartieAdresse(Txt_AdrSvrCESU3);
}
