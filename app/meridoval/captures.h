#pragma once
// Captures of the windows the establishments and activities buttons of the association screen
// lead to, for meridoval --screenshot: each window is opened as the user opens it, worked from a
// timer inside its own modal loop, written to a PNG file and left without a change.

#include <QString>

class Ctr_Association;

namespace captures {

// The establishments window of the association shown, on establishment code (none: the window as
// it opens) and tab (-1: the first). False, with the reason in error, when it cannot.
bool Etablissements(Ctr_Association& control, const QString& file, const QString& code, int tab,
                    QString& error);

// The activities window of the association shown, on activity code (none: the window as it
// opens). False, with the reason in error, when it cannot.
bool Activites(Ctr_Association& control, const QString& file, const QString& code, QString& error);

}  // namespace captures
