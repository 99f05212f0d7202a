#pragma once
// Helpers shared by the files of the association screen; not part of its interface.

#include <QString>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "store/components.h"
#include "store/record.h"

class QLineEdit;
class QWidget;

namespace assoc {

inline const QString kEntiteDejaExistante = QStringLiteral(
    "Entité juridique déjà existante, veuillez saisir un autre numéro d'entité juridique.");

// The solidarity day: entry text and stored code, in list order.
struct JourSolidarite {
    const char* text;
    const char* code;
};
inline constexpr JourSolidarite kJoursSolidarite[] = {
    {"1er janvier", "01JAN"},     {"Lundi Pâques", "LUPAQ"},    {"8 mai", "08MAI"},
    {"Jeudi Ascension", "JEASC"}, {"Lundi Pentecôte", "LUPEN"}, {"14 juillet", "14JUI"},
    {"15 août", "15AOU"},         {"1er novembre", "01NOV"},    {"11 novembre", "11NOV"},
    {"25 décembre", "25DEC"},
};

// One line of the workforce list and its heading, in a fixed-pitch font:
//   columns  0-9   the date "dd/mm/yyyy", then 4 blanks;
//   columns 14-19  the physical workforce, right-aligned on 6 characters (whole persons, two
//                  decimals only when the stored count has a fraction);
//   then 10 blanks;
//   columns 30-36  the full-time-equivalent workforce, right-aligned on 7 characters
//                  (two decimals, "9999,99").
// A number too wide for its column keeps all its digits and pushes the next one right.
QString effectifHeading();
QString effectifEntry(const QString& date, const QString& physique, const QString& etp);
inline constexpr int kEffectifPhysiqueWidth = 6;
inline constexpr int kEffectifEtpWidth = 7;

// Date and number forms of the utility component, reached from one place.
QString dayToDate(std::string_view day);     // stored day number to "dd/mm/yyyy"; "" if none
QString normaliseDate(const QString& date);  // "dd/mm/yyyy" through the day form; "" if invalid
QString formatNumber(const QString& number, int integerDigits, int decimals);
QString formatNumber(const QString& number, int decimals);
// A stored amount or count in hundredths as a decimal number text ("1250" -> "12.5"); the text
// unchanged when it is not a whole number.
QString hundredthsToNumber(std::string_view stored);

}  // namespace assoc
