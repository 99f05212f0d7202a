#pragma once
// Captures of the windows the activities button of the association screen leads to, for
// meridoval --screenshot: each window is opened as the user opens it, worked from a timer inside
// its own modal loop, written to a PNG file and left without a change.

#include <QString>

class Ctr_Association;

namespace captures {

// The activities window of the association shown, on activity code (none: the window as it
// opens). False, with the reason in error, when it cannot.
bool Activites(Ctr_Association& control, const QString& file, const QString& code, QString& error);

}  // namespace captures
