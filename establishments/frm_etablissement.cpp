// Lifecycle of the establishments window: loading for an association, rights, greying, leaving
// and closing, the tabs and the help page.
#include "establishments/frm_etablissement.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "platform/components/adresse/composant_adresse.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/etablissement.h"
#include "store/layout/parametres.h"
#include "store/skipping_errors.h"
#include "store/variables.h"

using toolkit::toQ;
namespace E = store::layout::etablissement;

namespace {

forms::LookupSettings sigleLookup() {
    return {"ETABLISSEMENT", "SigleEtabl", "CodEtabl",
            QStringLiteral("Aucun établissement commençant par ")};
}

}  // namespace

Frm_Etablissement::Frm_Etablissement(QWidget* parent)
    : RecordWindow(parent, {"Cotisation de l'association", "S", "AssocEtablissements.htm"}),
      session_(store::Variables::Get().etablissement),
      lookup_(sigleLookup(), nullptr) {
    buildUi();
    lookup_ = forms::CodeLookup(sigleLookup(), Cbo_SigleEtabl);
    buildChecks();
    setTabOrder();
    wireHandlers();
    wireFieldRules();
    Griser();
}

Frm_Etablissement::~Frm_Etablissement() {
    // Closed without Sortir (the opener failed): nothing of this window stays shared.
    session_.Forget();
    store::Variables::Get().fEtablissement.reset();
}

void Frm_Etablissement::Init() {
    Form_Load();
    // Consultation only: nothing can be created or saved.
    Cmd_Ajouter->setVisible(Access().Full());
    Cmd_Ok->setVisible(Access().Full());
}

void Frm_Etablissement::Entite(const QString& code, const QString& sigle) {
    Etq_CodeAssoc->setText(code);
    Etq_SigleAssoc->setText(sigle);
    setWindowTitle(QStringLiteral("Etablissements - Entité juridique %1 %2").arg(code, sigle));
}

void Frm_Etablissement::Form_Load() {
    store::Variables& v = store::Variables::Get();
    codeAssoc_ = v.codeAssociation;
    Etq_CodeAssoc->setText(toQ(codeAssoc_));
    lookup_.SetParentCode(codeAssoc_);

    Ctr_Adresse->SetDatabase(v.database);
    Ctr_Adresse->SetSettings(false, true, false);
    Ctr_Adresse->Initialise();
    Griser();

    v.periodesPaie.reset();
    store::SkippingErrors([&] {
        if (!v.fPeriodesPaie && v.database)
            v.fPeriodesPaie = v.database->OpenFile("PERIODESPAIE");
        if (v.fPeriodesPaie)
            v.periodesPaie = v.fPeriodesPaie->Read(store::layout::periodespaie::kId);
    });
    periodePaie_ = v.periodesPaie
                       ? v.periodesPaie->Value(store::layout::periodespaie::kPeriodeCourante, 1)
                       : std::string();
    lierChamps();

    Remplir_SigleEtabl();
    if (Cbo_SigleEtabl->count() == 1 && !Cbo_SigleEtabl->itemText(0).isEmpty()) {
        Cbo_SigleEtabl->setCurrentIndex(0);
        Cbo_SigleEtabl_Click();
    }
    Ong_Etabl->setCurrentIndex(kCoordonnees);
}

bool Frm_Etablissement::periodeGarantie() const {
    // A text comparison of "yyyymm" periods; no period at all counts as before.
    return !(periodePaie_ < E::kPeriodeGarantie);
}

void Frm_Etablissement::Griser() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{Txt_RaisonEtabl, Ong_Etabl, Cmd_Ok, Cmd_Annuler}) {
        w->setEnabled(false);
    }
}

void Frm_Etablissement::Afficher() {
    Txt_RaisonEtabl->setEnabled(true);
    Ong_Etabl->setEnabled(true);
}

void Frm_Etablissement::Cmd_Sortir_Click() {
    // Without full rights nothing may be written: changes are dropped without a question.
    if (!Access().Full() || Txt_CodeEtabl->text().isEmpty()) {
        FermetureEtabl();
        return;
    }
    if (modificationsEnCours()) {
        const toolkit::Answer answer =
            forms::RecordSession::AskSave(this, true, toolkit::Icon::Exclamation);
        if (answer == toolkit::Answer::Cancel)
            return;
        if (answer == toolkit::Answer::Yes) {
            MAJ_Etabl();
            // Refused, or the user went back to the screen: what was typed stays.
            if (!ecritureFaite_)
                return;
        }
    }
    FermetureEtabl();
}

void Frm_Etablissement::FermetureEtabl() {
    Ctr_Adresse->SetDatabase(nullptr);
    Ctr_Adresse->Close();
    lookup_ = forms::CodeLookup(sigleLookup(), Cbo_SigleEtabl);
    session_.Forget();
    store::Variables::Get().fEtablissement.reset();
    Unload();
}

void Frm_Etablissement::Ong_Etabl_Click(int previous) {
    if (previous == kParametresPaie) {
        Etq_AidePerenne->setVisible(true);
        Txt_AidePerenne->setVisible(true);
    }
}

std::pair<std::string, std::string> Frm_Etablissement::ShownRecord() const {
    // Only an establishment shown, never one being created.
    if (session_.mode != kAffichage || Txt_CodeEtabl->isEnabled() || !session_.HasCurrent())
        return {};
    return {"ETABLISSEMENT", session_.CurrentId()};
}
