// Checks and reshaping of the association screen's fields when the user types or leaves them.
#include "control/ctr_association.h"

void Ctr_Association::wireFieldRules() {}
