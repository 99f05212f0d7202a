#pragma once
// Captures of the windows the establishments and activities buttons of the association screen
// lead to, for meridoval --screenshot: each window is opened as the user opens it, worked from a
// timer inside its own modal loop, written to a PNG file and left without a change.

#include <QString>

class Ctr_Association;
class QWidget;

namespace captures {

// The establishments window of the association shown, on establishment code (none: the window as
// it opens) and tab (-1: the first). False, with the reason in error, when it cannot.
bool Etablissements(Ctr_Association& control, const QString& file, const QString& code, int tab,
                    QString& error);

// The activities window of the association shown, on activity code (none: the window as it
// opens). False, with the reason in error, when it cannot.
bool Activites(Ctr_Association& control, const QString& file, const QString& code, QString& error);

// The accounting window of activity code of the association shown, opened from the activities
// window. False, with the reason in error, when it cannot (no such activity, not a "P" one, or
// the accounting integration off).
bool Comptabilite(Ctr_Association& control, const QString& file, const QString& code,
                  QString& error);

// The parameters window over host on table ("SECTANAL" or "SERVICES"), as the activities window
// opens it, with the rights the control holds.
bool Parametres(Ctr_Association& control, QWidget& host, const QString& file, const QString& table,
                QString& error);

}  // namespace captures
