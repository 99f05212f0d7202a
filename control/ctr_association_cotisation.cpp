// The yearly membership fees, one frame per way of working: agent, provider, intermediary.
#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "control/ctr_association.h"
#include "control/ctr_association_parts.h"
#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/toolkit/qtext.h"
#include "store/request.h"
#include "store/variables.h"

using toolkit::fromQ;
using toolkit::toQ;

void Ctr_Association::RequeteActivite() {
    const store::Variables& v = store::Variables::Get();
    activites_ = store::Record();
    const std::optional<std::string> value = store::QuoteValue(fromQ(Txt_CodeAssoc->text()), true);
    if (!v.database || !value)
        return;
    activites_ = v.database->Select("SSELECT ACTIVITES AVEC @ID = " + *value + " PAR 12",
                                    "ACTIVITES", "0 12");
}

void Ctr_Association::Degriser_Cotisation() {
    for (FeeFrame& fee : fees_)
        fee.frame->setEnabled(false);
    RequeteActivite();
    for (int i = 1; i <= activites_.DCount(); ++i) {
        const std::string type = activites_.Value(i, 2);
        if (type == "I")
            fees_[2].frame->setEnabled(true);
        else if (type == "P")
            fees_[1].frame->setEnabled(true);
        else
            fees_[0].frame->setEnabled(true);
    }
}

void Ctr_Association::showCotisations(const store::Record& r) {
    for (int k = 1; k <= 3; ++k) {
        FeeFrame& fee = fees_[k - 1];
        const std::string amount = r.Value(31, k);
        if (!amount.empty())
            fee.montant->setText(assoc::formatNumber(assoc::hundredthsToNumber(amount), 2));
        const std::string call = r.Value(32, k);
        if (!call.empty()) {
            if (call == "A")
                fee.anneeCivile->setChecked(true);
            else
                fee.moisAnniversaire->setChecked(true);
        }
    }
}

void Ctr_Association::clearCotisations() {
    for (FeeFrame& fee : fees_) {
        fee.montant->clear();
        // An exclusive group cannot be left with no button checked otherwise.
        fee.typeAppel->setExclusive(false);
        fee.anneeCivile->setChecked(false);
        fee.moisAnniversaire->setChecked(false);
        fee.typeAppel->setExclusive(true);
    }
}

void Ctr_Association::EnrModifCotisation() {
    store::Variables& v = store::Variables::Get();
    if (!v.requete)
        v.requete = store::Record();
    store::Record& requete = *v.requete;
    const std::optional<store::Record>& association = v.association;
    // The request record outlives the association shown: what a frame does not set must be this
    // association's own fee, never the one of an association saved before it.
    auto garderStockee = [&](int k) {
        requete.SetValue(1, k, association ? association->Value(31, k) : std::string());
        requete.SetValue(2, k, association ? association->Value(32, k) : std::string());
    };
    for (int k = 1; k <= 3; ++k) {
        const FeeFrame& fee = fees_[k - 1];
        // Enabled as the activities decide, whether or not the whole screen is greyed just now.
        if (!fee.frame->isEnabledTo(this)) {
            garderStockee(k);
            continue;
        }
        const QString montant = fee.montant->text().trimmed();
        if (montant.isEmpty()) {
            requete.SetValue(1, k, "");
            requete.SetValue(2, k, "");
            continue;
        }
        bool ok = false;
        const QString centimes =
            Composant_Utilitaires::Instance().MontantVersCentimes(montant, &ok);
        if (!ok) {
            // A text that is no amount (a lone comma, pasted letters) replaces no stored fee.
            garderStockee(k);
            continue;
        }
        requete.SetValue(1, k, fromQ(centimes));
        requete.SetValue(2, k, fee.anneeCivile->isChecked() ? "A" : "M");
    }
}
