#pragma once
// The digit filters. Each swallows every key it does not list, Backspace included unless listed.
// Tab always moves the focus once a filter is attached (see AttachKeyFilter); the functions
// themselves still swallow it, for screens that call them from a handler of their own.

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
