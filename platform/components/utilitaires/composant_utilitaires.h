#pragma once
// Composant_Utilitaires: number formatting, amount entry, dates and telephone numbers, shared by
// every screen through one process-wide object.
//
// Numbers are French: decimal comma, "-" before negatives, no thousands separator unless asked
// for. A number with more integer digits than a field allows is never cut: every digit is kept
// and the caller is told (FormatZone returns false). Dates are shown as "dd/mm/yyyy" and stored
// as day numbers, day 0 being 31/12/1967 (negative before it).
//
// The rules themselves live in Qt-free functions (dates.h, nombres.h, telephone.h); this class
// is their face for screens working with QString and QLineEdit. User-interface thread only.

#include <QString>

#include "platform/components/utilitaires/nombres.h"

class QLineEdit;

class Composant_Utilitaires {
  public:
    // Option of FormatNombre: blanks between groups of three integer digits ("12 345,00").
    static constexpr int GrouperMilliers = utilitaires::kGrouperMilliers;

    // The object, created on first use.
    static Composant_Utilitaires& Instance();

    Composant_Utilitaires(const Composant_Utilitaires&) = delete;
    Composant_Utilitaires& operator=(const Composant_Utilitaires&) = delete;

    // nombre: a number as text, decimal comma or point ("1234.5", "1234,5", "-3", "1e-05").
    // Returns it rounded half away from zero to `decimales` decimals with a decimal comma:
    // ("1234.5", 4, 2, 0) gives "1234,50"; ("2.675", 3, 2, 0) gives "2,68"; ("-0.001", 3, 2, 0)
    // gives "0,00". chiffresEntiers is the count of integer digits the field allows: a larger
    // number keeps all its digits (("123456", 4, 2, 0) gives "123456,00"). options is 0 or
    // GrouperMilliers. An empty text gives an empty text; a text that is not a number comes back
    // unchanged.
    QString FormatNombre(const QString& nombre, int chiffresEntiers, int decimales,
                         int options = 0) const;
    // The same without a limit on the integer digits: ("25.5", 2) gives "25,50".
    QString FormatNombre(const QString& nombre, int decimales) const;

    // Replaces the text of an amount field by its FormatNombre form. Returns false, and beeps,
    // when the text is not a number (left as typed) or has too many integer digits (all kept),
    // so the screen can hold the focus there; true otherwise, an empty field included (it stays
    // empty).
    bool FormatZone(QLineEdit* zone, int chiffresEntiers, int decimales) const;

    // Key filter of the amount fields: digits, Backspace, Tab and Enter pass; "." and "," give a
    // "," unless the text outside the selection already holds one; every other key is swallowed
    // (keyAscii becomes 0).
    void FiltreToucheMontant(int& keyAscii, QLineEdit* zone) const;
    // The same on a text: selection is the part of it the key will replace.
    static void FiltreToucheMontant(int& keyAscii, const QString& texte,
                                    const QString& selection = {});

    // Amounts stored as hundredths: ("25,5") gives "2550" and back ("2550", 3, 2) gives "25,50".
    // Empty gives empty. MontantVersCentimes gives an empty text and sets *ok false for a text
    // that is not a number.
    QString MontantVersCentimes(const QString& montant, bool* ok = nullptr) const;
    QString CentimesVersMontant(const QString& centimes, int chiffresEntiers, int decimales) const;

    // "dd/mm/yyyy" (one-digit day or month accepted) to the day number as text ("20485");
    // empty when the text is not an existing date of the years 1000 to 9999.
    QString DateVersJour(const QString& date) const;
    // A day number ("20485", "-1") to "dd/mm/yyyy"; empty when it is not a whole number in range.
    QString JourVersDate(const QString& jour) const;
    QString JourVersDate(long jour) const;

    // What a user types quickly ("1/2/24", "01022024", "010224", "1/2/2024", "1.2.24", "1/2")
    // as "dd/mm/yyyy", the missing year being this year and "yy" the nearest 20yy or 19yy
    // (20yy up to 30 years ahead). An impossible date (31/02/2024), a year outside 1900-2099,
    // an empty text or nonsense sets echec and returns the text unchanged.
    QString NormaliserDate(const QString& texte, bool& echec) const;

    // The digits of a French telephone number: separators removed, "+33" and "0033" turned into
    // "0" ("+33 1 23 45 67 89" gives "0123456789"); other characters are kept.
    QString NettoyerTelephone(const QString& texte) const;

  private:
    Composant_Utilitaires() = default;
};
