#pragma once
// Codes of three characters (association, establishment, activity, section, service codes):
// "7" is completed to "007" when Enter is pressed and when the field is left.

#include "field.h"

namespace entry {

// On Enter: left-padded with "0" to 3 characters, an empty text included ("000").
QString PadCode(const QString& text);
// On leaving: only a non-empty text shorter than 3 characters is padded.
QString PadCodeOnLeaving(const QString& text);

// For a screen's own handlers: pads the field's text on Enter (the key goes on).
void CodePaddingKey(int& keyAscii, QWidget* field);
void CodePaddingOnLeaving(QWidget* field);

// Wires both the KeyPress and the LostFocus handlers of the field.
void AttachCodePadding(QWidget* field);

}  // namespace entry
