// Checks and reshaping of the association screen's fields when the user types or leaves them.
#include <QComboBox>

#include "control/ctr_association.h"
#include "entry/no_typing.h"

void Ctr_Association::wireFieldRules() {
    // The solidarity day is chosen from its list, never typed.
    entry::AttachNoTyping(Cbo_JourSol);
}
