// The yearly membership fees, one frame per way of working: agent, provider, intermediary.
#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "control/ctr_association.h"
#include "control/ctr_association_parts.h"
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
