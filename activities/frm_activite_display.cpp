// Showing an activity on the window, emptying the window, and filling its lists.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedLayout>

#include "activities/frm_activite.h"
#include "forms/feedback.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/activites.h"
#include "store/layout/association.h"
#include "store/layout/compteur.h"
#include "store/layout/tables.h"
#include "store/skipping_errors.h"
#include "store/variables.h"

using toolkit::fromQ;
using toolkit::toQ;
namespace X = store::layout::activites;

void Frm_Activite::Entite(const QString& code, const QString& sigle) {
    etqCodeAssoc_->setText(code);
    etqSigleAssoc_->setText(sigle);
}

std::pair<std::string, std::string> Frm_Activite::ShownRecord() const {
    const auto& activite = store::Variables::Get().activite;
    if (session_.Creating() || Txt_CodActivite->isEnabled() || !activite)
        return {};
    return {"ACTIVITES", activite->Id()};
}

std::string Frm_Activite::codeAssociation() const {
    return store::Variables::Get().codeAssociation;
}

store::Record Frm_Activite::association() const {
    store::Variables& v = store::Variables::Get();
    std::shared_ptr<store::File> file = v.fAssociation;
    if (!file && v.database)
        store::SkippingErrors([&] { file = v.database->OpenFile("ASSOCIATION"); });
    return store::ReadSkippingErrors(file.get(), codeAssociation());
}

void Frm_Activite::Remplir_SigleActivite() {
    store::Variables& v = store::Variables::Get();
    if (!v.database)
        return;
    lookup_.SetParentCode(codeAssociation());
    v.fActivites = lookup_.Fill(*v.database);
}

void Frm_Activite::Remplir_SectAnal() {
    remplirLibelles(section());
}

void Frm_Activite::Remplir_TauxTVA() {
    remplirLibelles(tva());
}

void Frm_Activite::Remplir_Service() {
    store::Variables& v = store::Variables::Get();
    v.services = store::ReadSkippingErrors(v.fTables.get(), store::layout::tables::kServices);
    remplirLibelles(service());
}

void Frm_Activite::Affichage_Donnees_Activite_PARCode() {
    store::Variables& v = store::Variables::Get();
    wActiviteChoisie_ = true;
    const bool existe =
        session_.Read(v.fActivites.get(), codeAssociation() + fromQ(Txt_CodActivite->text()));
    namespace C = store::layout::compteur;
    const store::Record comptable =
        store::ReadSkippingErrors(v.fCompteur.get(), C::kIdParametresComptables);
    if (existe || session_.mode == 1) {
        Affichage_Activite();
    } else {
        forms::Avertir(this,
                       QStringLiteral("Cette activité n'existe pas, vous devez d'abord cliquer "
                                      "sur Ajouter pour créer une nouvelle activité."));
        Txt_CodActivite->clear();
        Txt_CodActivite->setFocus();
    }
    Cmd_IntegrationComptable->setEnabled(Opt_Autre->isChecked() &&
                                         !comptable.Value(C::kIntegrationComptable).empty());
}

void Frm_Activite::Affichage_Donnees_Activite_PARSigle() {
    store::Variables& v = store::Variables::Get();
    const std::string id = lookup_.IdAt(Cbo_LibActivite->currentIndex());
    session_.Read(v.fActivites.get(), id);
    const QString code = toQ(forms::CodeLookup::OwnCode(id));
    // The display by code runs from the code's change; the same code again changes nothing.
    if (Txt_CodActivite->text() == code && Txt_CodActivite->isEnabled())
        Affichage_Donnees_Activite_PARCode();
    else
        Txt_CodActivite->setText(code);
}

void Frm_Activite::Affichage_Activite() {
    store::Record& r = session_.Current();
    // Each option selected below runs its click, which reads the cost lines afresh.
    deselectionnerTypes();
    Afficher();
    Txt_CodActivite->setEnabled(false);
    setListeActivitesShown(false);
    Cmd_Annuler->setEnabled(true);
    Cmd_Ok->setEnabled(true);

    Cbo_LibActivite->setEditText(toQ(r.Value(X::kLibelle, 1)));
    Txt_SectAnalActiv->setText(toQ(r.Value(X::kSection, 1)));
    store::SkippingErrors([&] {
        if (!r.Value(X::kRib, 1).empty()) {
            rib_->ReadFromRecord(r, X::kRib);
        } else {
            store::Record asso = association();
            rib_->ReadFromRecord(asso, store::layout::association::kRib);
        }
    });
    if (wActiviteChoisie_)
        Cac_Exo->setChecked(r.Value(X::kNonExonere).empty());
    Txt_CodeTVA->setText(toQ(r.Value(X::kCodeTva)));
    const std::string type = r.Value(X::kType);
    selectionnerType(type == X::kPrestataire     ? 'P'
                     : type == X::kMandataire    ? 'M'
                     : type == X::kIntermediaire ? 'I'
                                                 : 'S');
    const std::string service = r.Value(X::kService);
    Txt_ServiceActiv->setText(service == "0" ? QString() : toQ(service));
    Txt_Finess->setText(toQ(r.Value(X::kFiness)));
    Txt_LibTarif->setText(toQ(r.Value(X::kLibelleTarif)));

    if (Opt_Autre->isChecked()) {
        Trier_Par_Date_Cout();
        Remplir_Cout();
        montrerBarre();
        Masquer();
    }
    texteAffiche_ = texteVerifie();
}

std::string Frm_Activite::texteVerifie() {
    store::Record copie = session_.Current();
    if (!copie.Value(X::kRib, 1).empty())
        store::SkippingErrors([&] { rib_->WriteToRecord(copie, X::kRib); });
    ecrireEcran(copie, forms::Purpose::Verification);
    return copie.Text();
}

void Frm_Activite::Afficher() {
    for (QWidget* w : std::initializer_list<QWidget*>{Txt_LibActivite, Cdr_RIB, Txt_SectAnalActiv,
                                                      Cbo_SectAnalActiv})
        w->setEnabled(true);
    if (Opt_Autre->isChecked()) {
        Txt_ServiceActiv->setEnabled(true);
        Cbo_ServiceActiv->setEnabled(true);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{Txt_CodeTVA, Cbo_CodeTVA, Cmd_AjouterSection, Cdr_Type,
                                         Etq_LibTarif, Txt_LibTarif, Cac_Exo})
        w->setEnabled(true);
    Cac_Exo->setVisible(true);
    // A new activity starts exempt.
    if (!wActiviteChoisie_)
        Cac_Exo->setChecked(true);
    else
        Cac_Exo->setChecked(session_.Current().Value(X::kNonExonere).empty());
}

void Frm_Activite::Vider_Donnees_Activite() {
    Cbo_LibActivite->setEditText(QString());
    for (QLineEdit* e : {Txt_LibActivite, Txt_SectAnalActiv, Txt_CodeTVA, Txt_TauxTVA,
                         Txt_ServiceActiv, Txt_Finess, Txt_LibTarif})
        e->clear();
    rib_->Clear();
    Txt_CodActivite->setEnabled(true);
    Txt_CodActivite->setFocus();
    if (Opt_Autre->isChecked()) {
        Opt_Autre->setAutoExclusive(false);
        Opt_Autre->setChecked(false);
        Opt_Autre->setAutoExclusive(true);
    }
    DeGrisage(false);
}

void Frm_Activite::setListeActivitesShown(bool shown) {
    pileLibelle_->setCurrentWidget(shown ? static_cast<QWidget*>(Cbo_LibActivite)
                                         : static_cast<QWidget*>(Txt_LibActivite));
}
