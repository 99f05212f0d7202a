#pragma once
// The digit filters. Each swallows every key it does not list, Backspace and Tab included unless
// listed: a field that must be left with Tab takes DigitsWithTab.

#include "field.h"

namespace entry {

// Digits only.
void DigitsOnlyKey(int& keyAscii, const QString& text = {});
void AttachDigitsOnly(QWidget* field);

// Digits, Tab and Backspace.
void DigitsWithTabKey(int& keyAscii, const QString& text = {});
void AttachDigitsWithTab(QWidget* field);

// Digits and the separators "/" and ":" (codes 47 to 58), for ports and address ends.
void DigitsAndSeparatorsKey(int& keyAscii, const QString& text = {});
void AttachDigitsAndSeparators(QWidget* field);

}  // namespace entry
