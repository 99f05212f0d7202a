#include "control/page_cesu.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <optional>

#include "entry/address_part.h"
#include "entry/digits.h"
#include "forms/feedback.h"
#include "forms/form_layout.h"
#include "platform/toolkit/events.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/association.h"

using toolkit::fromQ;
using toolkit::toQ;
namespace A = store::layout::association;
using namespace forms::layout;

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

PageCesu::PageCesu(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Page_Cesu"));
    auto* column = new QVBoxLayout(this);
    Cac_EnvoiAuto =
        CheckBox(this, "Cac_EnvoiAuto", QStringLiteral("  Gestion d'envoi automatique"));
    column->addWidget(Cac_EnvoiAuto);

    Cdr_AdresseServeur = Frame(this, "Cdr_AdresseServeur", QStringLiteral("Adresse du serveur"));
    {
        auto* g = FormGrid(Cdr_AdresseServeur);
        Opt_AdrIP = Option(Cdr_AdresseServeur, "Opt_AdrIP", QStringLiteral("Adresse IP"));
        Opt_Domaine = Option(Cdr_AdresseServeur, "Opt_Domaine", QStringLiteral("Domaine"));
        adresseMode_ = new QButtonGroup(Cdr_AdresseServeur);
        adresseMode_->addButton(Opt_AdrIP);
        adresseMode_->addButton(Opt_Domaine);

        auto* ip = new QHBoxLayout;
        ip->setSpacing(3);
        auto sep = [&](const char* name, const QString& text) {
            auto* l = new QLabel(text, Cdr_AdresseServeur);
            l->setObjectName(QLatin1String(name));
            return l;
        };
        Txt_AdrSvrCESU = LineEdit(Cdr_AdresseServeur, "Txt_AdrSvrCESU", 4);
        Etq_Point1 = sep("Etq_Point1", QStringLiteral("."));
        Txt_AdrSvrCESU1 = LineEdit(Cdr_AdresseServeur, "Txt_AdrSvrCESU1", 4);
        Etq_Point2 = sep("Etq_Point2", QStringLiteral("."));
        Txt_AdrSvrCESU2 = LineEdit(Cdr_AdresseServeur, "Txt_AdrSvrCESU2", 4);
        Etq_Point3 = sep("Etq_Point3", QStringLiteral("."));
        Txt_AdrSvrCESU3 = LineEdit(Cdr_AdresseServeur, "Txt_AdrSvrCESU3", 4);
        Etq_2Points = sep("Etq_2Points", QStringLiteral(":"));
        Txt_Port = LineEdit(Cdr_AdresseServeur, "Txt_Port", 6);
        for (QWidget* w : std::initializer_list<QWidget*>{
                 Txt_AdrSvrCESU, Etq_Point1, Txt_AdrSvrCESU1, Etq_Point2, Txt_AdrSvrCESU2,
                 Etq_Point3, Txt_AdrSvrCESU3, Etq_2Points, Txt_Port}) {
            ip->addWidget(w);
        }
        ip->addStretch();
        g->addWidget(Opt_AdrIP, 0, 0);
        g->addLayout(ip, 0, 1);
        Txt_Domaine = LineEdit(Cdr_AdresseServeur, "Txt_Domaine", 40);
        g->addWidget(Opt_Domaine, 1, 0);
        g->addWidget(Txt_Domaine, 1, 1, Qt::AlignLeft);
        g->setColumnStretch(1, 1);
    }
    column->addWidget(Cdr_AdresseServeur);

    Cdr_Parametres = Frame(this, "Cdr_Parametres", QStringLiteral("Paramètres de connexion"));
    {
        auto* g = FormGrid(Cdr_Parametres);
        Txt_LoginUtil = TextRow(g, 0, 0, "Txt_LoginUtil", 24, "Etq_LoginUtil",
                                QStringLiteral(" Login utilisateur"), &Etq_LoginUtil);
        Txt_Mtp =
            TextRow(g, 1, 0, "Txt_Mtp", 24, "Etq_Mtp", QStringLiteral(" Mot de passe"), &Etq_Mtp);
        Txt_Mtp->setEchoMode(QLineEdit::PasswordEchoOnEdit);
        g->setColumnStretch(2, 1);
    }
    column->addWidget(Cdr_Parametres);

    auto* codes = new QWidget(this);
    {
        auto* g = FormGrid(codes);
        g->setContentsMargins(0, 6, 0, 0);
        Txt_CodeTeletransmettant =
            TextRow(g, 0, 0, "Txt_CodeTeletransmettant", 14, "Etq_CodeTeletransmettant",
                    QStringLiteral("Code du télétransmettant"));
        Txt_CodeIntervenant = TextRow(g, 1, 0, "Txt_CodeIntervenant", 14, "Etq_CodeIntervenant",
                                      QStringLiteral("Code intervenant"));
        g->setColumnStretch(2, 1);
    }
    column->addWidget(codes);
    column->addStretch();

    using forms::Handler;
    connect(Cac_EnvoiAuto, &QCheckBox::clicked, this,
            Handler(this, &PageCesu::Cac_EnvoiAuto_Click));
    connect(Opt_AdrIP, &QRadioButton::clicked, this, Handler(this, &PageCesu::Opt_AdrIP_Click));
    connect(Opt_Domaine, &QRadioButton::clicked, this, Handler(this, &PageCesu::Opt_Domaine_Click));
    entry::AttachAddressPart(Txt_AdrSvrCESU, Txt_AdrSvrCESU1);
    entry::AttachAddressPart(Txt_AdrSvrCESU1, Txt_AdrSvrCESU2);
    entry::AttachAddressPart(Txt_AdrSvrCESU2, Txt_AdrSvrCESU3);
    entry::AttachDigitsAndSeparators(Txt_AdrSvrCESU3);
    entry::AttachDigitsAndSeparators(Txt_Port);
    toolkit::OnLostFocus(Txt_AdrSvrCESU, Handler(this, &PageCesu::Txt_AdrSvrCESU_LostFocus));
    toolkit::OnLostFocus(Txt_AdrSvrCESU1, Handler(this, &PageCesu::Txt_AdrSvrCESU1_LostFocus));
    toolkit::OnLostFocus(Txt_AdrSvrCESU2, Handler(this, &PageCesu::Txt_AdrSvrCESU2_LostFocus));
    toolkit::OnLostFocus(Txt_AdrSvrCESU3, Handler(this, &PageCesu::Txt_AdrSvrCESU3_LostFocus));
    entry::AttachDigitsOnly(Txt_CodeIntervenant);
    entry::AttachDigitsOnly(Txt_CodeTeletransmettant);

    setAddressPartsEnabled(true);
    Txt_Domaine->setEnabled(false);
}

void PageCesu::Remplir_CRCESU(const store::Record& r) {
    const QString adresse = toQ(r.Value(A::kServeurEnvoi));
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
        Txt_LoginUtil->setText(toQ(r.Value(A::kLoginEnvoi)));
        Txt_Mtp->setText(toQ(r.Value(A::kMotDePasseEnvoi)));
    } else {
        Cac_EnvoiAuto->setChecked(false);
    }
    Txt_CodeTeletransmettant->setText(toQ(r.Value(A::kCodeTeletransmettant)));
    Txt_CodeIntervenant->setText(toQ(r.Value(A::kCodeIntervenant)));
}

void PageCesu::Vider_CRCESU() {
    for (QLineEdit* e :
         {Txt_CodeTeletransmettant, Txt_CodeIntervenant, Txt_AdrSvrCESU, Txt_AdrSvrCESU1,
          Txt_AdrSvrCESU2, Txt_AdrSvrCESU3, Txt_Domaine, Txt_LoginUtil, Txt_Mtp}) {
        e->clear();
    }
    Opt_AdrIP->setChecked(true);
    Opt_AdrIP_Click();
    shown_ = forms::ScreenSnapshot::Of(this);
}

void PageCesu::setSendingEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             Cdr_AdresseServeur, Txt_AdrSvrCESU, Txt_AdrSvrCESU1, Txt_AdrSvrCESU2, Txt_AdrSvrCESU3,
             Txt_Domaine, Etq_Point1, Etq_Point2, Etq_Point3, Etq_2Points, Opt_Domaine, Opt_AdrIP,
             Cdr_Parametres, Txt_LoginUtil, Txt_Mtp, Etq_LoginUtil, Etq_Mtp}) {
        w->setEnabled(enabled);
    }
}

void PageCesu::GriserCESU() {
    setSendingEnabled(false);
}

void PageCesu::DegriserCESU() {
    setSendingEnabled(true);
    Opt_AdrIP->setChecked(true);
    Opt_AdrIP_Click();
}

void PageCesu::EnableAsShown() {
    if (Cac_EnvoiAuto->isChecked()) {
        setSendingEnabled(true);
        if (Opt_Domaine->isChecked())
            Opt_Domaine_Click();
        else
            Opt_AdrIP_Click();
    } else {
        GriserCESU();
    }
    shown_ = forms::ScreenSnapshot::Of(this);
}

void PageCesu::Cac_EnvoiAuto_Click() {
    if (Cac_EnvoiAuto->isChecked())
        DegriserCESU();
    else
        GriserCESU();
}

void PageCesu::setAddressPartsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             Txt_AdrSvrCESU, Txt_AdrSvrCESU1, Txt_AdrSvrCESU2, Txt_AdrSvrCESU3, Txt_Port,
             Etq_Point1, Etq_Point2, Etq_Point3, Etq_2Points}) {
        w->setEnabled(enabled);
    }
}

void PageCesu::Opt_AdrIP_Click() {
    setAddressPartsEnabled(true);
    Txt_Domaine->setEnabled(false);
}

void PageCesu::Opt_Domaine_Click() {
    setAddressPartsEnabled(false);
    Txt_Domaine->setEnabled(true);
}

void PageCesu::Store(store::Record& record, forms::Purpose purpose) const {
    if (purpose == forms::Purpose::Update && !Changed())
        return;
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
        forms::Put(record, A::kServeurEnvoi, 0, fromQ(adresse));
        forms::Put(record, A::kLoginEnvoi, 0, fromQ(Txt_LoginUtil->text()));
        forms::Put(record, A::kMotDePasseEnvoi, 0, fromQ(Txt_Mtp->text()));
    } else {
        // The display checks the box whenever a server is stored: an unchecked box keeps none.
        for (int attribute : {A::kServeurEnvoi, A::kLoginEnvoi, A::kMotDePasseEnvoi})
            forms::Put(record, attribute, 0, "");
    }
    forms::Put(record, A::kCodeTeletransmettant, 0, fromQ(Txt_CodeTeletransmettant->text()));
    forms::Put(record, A::kCodeIntervenant, 0, fromQ(Txt_CodeIntervenant->text()));
}

void PageCesu::AddChecks(forms::MandatoryChecks& checks, int tab) {
    auto add = [&](std::function<bool()> fails, const char* message, QWidget* focus) {
        forms::MandatoryCheck c;
        c.fails = [this, fails = std::move(fails)] {
            return Cac_EnvoiAuto->isChecked() && fails();
        };
        c.message = QString::fromUtf8(message);
        c.tab = tab;
        c.focus = focus;
        checks.Add(std::move(c));
    };
    add(
        [this] {
            return !Txt_CodeIntervenant->text().isEmpty() &&
                   Txt_CodeTeletransmettant->text().isEmpty();
        },
        "Le code télétransmettant doit être renseigné.", Txt_CodeTeletransmettant);
    add(
        [this] {
            return Txt_CodeIntervenant->text().isEmpty() &&
                   !Txt_CodeTeletransmettant->text().isEmpty();
        },
        "Le code intervenant doit être renseigné.", Txt_CodeIntervenant);
    for (QLineEdit* part : {Txt_AdrSvrCESU, Txt_AdrSvrCESU1, Txt_AdrSvrCESU2, Txt_AdrSvrCESU3}) {
        add([this, part] { return Opt_AdrIP->isChecked() && part->text().isEmpty(); },
            "L'adresse du serveur doit être renseignée.", part);
    }
    add([this] { return !Opt_AdrIP->isChecked() && Txt_Domaine->text().isEmpty(); },
        "Le nom de domaine doit être renseigné.", Txt_Domaine);
    add([this] { return Txt_LoginUtil->text().isEmpty(); }, "Le login doit être renseigné.",
        Txt_LoginUtil);
    add([this] { return Txt_Mtp->text().isEmpty(); }, "Le mot de passe doit être renseigné.",
        Txt_Mtp);
}

void PageCesu::verifierPartieAdresse(QLineEdit* part) {
    if (partieAdresseValide(part->text()))
        return;
    forms::Avertir(this, QStringLiteral("Une adresse IP ne peut contenir que des éléments compris "
                                        "entre 0 et 254 compris."));
    part->clear();
    toolkit::GiveFocusBack(part);
}

void PageCesu::Txt_AdrSvrCESU_LostFocus() {
    verifierPartieAdresse(Txt_AdrSvrCESU);
}

void PageCesu::Txt_AdrSvrCESU1_LostFocus() {
    verifierPartieAdresse(Txt_AdrSvrCESU1);
}

void PageCesu::Txt_AdrSvrCESU2_LostFocus() {
    verifierPartieAdresse(Txt_AdrSvrCESU2);
}

void PageCesu::Txt_AdrSvrCESU3_LostFocus() {
    verifierPartieAdresse(Txt_AdrSvrCESU3);
}
