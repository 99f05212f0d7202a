// Opening and leaving the accounting window: the rights, OK, "Retour" and the frame, and the
// write of the two accounts.
#include <QLineEdit>
#include <QPushButton>

#include "accounting/frm_integration_comptable.h"
#include "forms/field_binding.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/activites.h"

using toolkit::fromQ;
namespace X = store::layout::activites;

void Frm_IntegrationComptable::Init() {
    Droits_Integration();
    remplissage_ = false;
    selectionFaite_ = false;
    rechercheCodeFaite_ = false;
    ecrit_ = false;
    Affichage_Comptes();
}

void Frm_IntegrationComptable::Droits_Integration() {
    Cmd_Ok->setVisible(Access().Full());
    Cmd_Retour->setVisible(Access().Full());
}

bool Frm_IntegrationComptable::modifie() const {
    const store::Record lu(session_.TextAsRead());
    return fromQ(Txt_CodePrdAideSansPriseChg->text()) != lu.Value(X::kCompteAideSansPriseChg) ||
           fromQ(Txt_CodePrdCotisAnnuelle->text()) != lu.Value(X::kCompteCotisAnnuelle);
}

bool Frm_IntegrationComptable::ecrire() {
    store::Record& r = session_.Current();
    forms::Put(r, X::kCompteAideSansPriseChg, 0, fromQ(Txt_CodePrdAideSansPriseChg->text()));
    forms::Put(r, X::kCompteCotisAnnuelle, 0, fromQ(Txt_CodePrdCotisAnnuelle->text()));
    switch (session_.Save(this, X::kCaptions)) {
        case forms::RecordSession::SaveOutcome::Written:
            ecrit_ = true;
            return true;
        case forms::RecordSession::SaveOutcome::Reload:
            Affichage_Comptes();
            return false;
        case forms::RecordSession::SaveOutcome::Back:
            break;
    }
    return false;
}

void Frm_IntegrationComptable::Cmd_Ok_Click() {
    if (ecrire())
        Unload();
}

void Frm_IntegrationComptable::Cmd_Retour_Click() {
    if (modifie() &&
        toolkit::MsgBox(QStringLiteral("Voulez-vous enregistrer les modifications apportées à "
                                       "l'activité : %1 ?")
                            .arg(Txt_LibelleActivite->text()),
                        toolkit::Icon::Information, toolkit::Buttons::YesNo,
                        this) == toolkit::Answer::Yes &&
        !ecrire()) {
        return;
    }
    Unload();
}

void Frm_IntegrationComptable::CloseRequested() {
    // Without full rights nothing may be written: the frame and Escape simply close.
    if (Access().Full())
        Cmd_Retour_Click();
    else
        Unload();
}
