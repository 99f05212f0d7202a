#pragma once
// A server address typed in four parts (an IP address), one field per part: codes 47 to 58
// and "." pass the key filter; in a part, "." is not typed but moves to the next part with its
// whole text selected.

#include "field.h"

namespace entry {

// Codes 47 to 58 ("/", the digits, ":") and "." pass; everything else, Backspace included, is
// swallowed.
void AddressCharsKey(int& keyAscii, const QString& text = {});

// The part filter: as AddressCharsKey, and "." is swallowed too. Returns true when that "." asks
// for the next part (see MoveToAddressPart).
bool AddressPartKey(int& keyAscii, const QString& text = {});

// Gives the focus to the next part with its whole text selected.
void MoveToAddressPart(QWidget* next);

// Wires part's KeyPress handler: the part filter, moving to next on ".".
void AttachAddressPart(QWidget* part, QWidget* next);

}  // namespace entry
