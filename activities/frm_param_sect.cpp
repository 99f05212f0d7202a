#include "activities/frm_param_sect.h"

#include <QVBoxLayout>

#include "platform/components/parametres/composant_parametres.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/tables.h"
#include "store/variables.h"

namespace T = store::layout::tables;

Frm_ParamSect::Frm_ParamSect(QWidget* parent) : RecordWindow(parent, {"", "", nullptr}) {
    setObjectName(QStringLiteral("Frm_ParamSect"));
    editeur_ = new Composant_Parametres(this);
    editeur_->setObjectName(QStringLiteral("Ctr_Parametres"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(editeur_);
}

Frm_ParamSect::~Frm_ParamSect() = default;

void Frm_ParamSect::CloseRequested() {
    if (editeur_->Fermeture())
        Unload();
}

std::pair<std::string, std::string> Frm_ParamSect::ShownRecord() const {
    if (editeur_->NomTable().empty())
        return {};
    return {"TABLES", editeur_->NomTable()};
}

void OuvrirParamSect(QWidget* opener, const std::string& table,
                     std::shared_ptr<store::ScreenRights> rights) {
    const store::Variables& v = store::Variables::Get();
    Frm_ParamSect fenetre(opener);
    forms::OpenModal(opener, fenetre, [&] {
        Composant_Parametres* editeur = fenetre.Ctr_Parametres();
        editeur->SetTheDatabase(v.database);
        editeur->SetTheClient(v.client);
        editeur->SetNomTable(table);
        fenetre.NomTable = toolkit::toQ(table);
        editeur->SetNomEcran("ASSOCIATION");
        editeur->SetDroits(std::move(rights));
        editeur->Demarrer();
        fenetre.setWindowTitle(table == T::kSectionsAnalytiques
                                   ? QStringLiteral("Sections analytiques")
                               : table == T::kServices ? QStringLiteral("Services")
                                                       : toolkit::toQ(table));
        fenetre.resize(fenetre.sizeHint().expandedTo(QSize(520, 420)));
    });
}
