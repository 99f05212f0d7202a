#pragma once
// Type-ahead list (the sigle and label lists): the user types the first letters and presses
// Enter to look them up. Keys below 123 pass; a key of code 123 or more (an accented lower-case
// letter, among others) is refused with a message, because the lookups compare upper-case text.

#include <functional>

#include "field.h"

namespace entry {

inline const QString kAccentedLowerCaseMessage =
    QStringLiteral("La saisie de minuscule accentuée est interdite sur cette zone.");

// Enter runs onEnter (the screen's lookup) and is swallowed, so that the list does not add the
// typed text as an entry of its own. A key of code 123 or more is swallowed and the message is
// shown over parent (exclamation icon).
void TypeAheadKey(int& keyAscii, QWidget* parent = nullptr,
                  const std::function<void()>& onEnter = {});

void AttachTypeAhead(QWidget* field, std::function<void()> onEnter);

}  // namespace entry
