#pragma once
// The demo data set as plain tables: one struct per kind of record, its members named after what
// they hold, so that a reader finds a record's content without counting attributes. load_demo.cpp
// owns the mapping from members to attribute numbers.
//
// Texts are UTF-8. Amounts are written as stored (the number times 100), dates as "dd/mm/yyyy"
// (turned into day numbers when loaded), periods as "yyyymm".

#include <string>
#include <vector>

namespace seed::demo {

// Eleven attributes from the first one of the block. An establishment with an empty commune uses
// the address of its association.
struct Address {
    std::string line1{}, line2{}, line3{}, postalCode{}, cedex{}, commune{}, country{}, phone{},
        mobile{}, fax{}, insee{};
};

// Eight attributes from the first one of the block. An empty bank name means no bank details of
// their own (an activity or an establishment then uses its association's).
struct BankDetails {
    std::string bankName{}, branchName{}, bankCode{}, branchCode{}, account{}, ribKey{}, iban{},
        bic{}, ics{};
};

// One line of a headcount history.
struct Headcount {
    std::string period{};    // yyyymm
    std::string physical{};  // persons x 100
    std::string fullTime{};  // full-time equivalents x 100
    std::string dated{};     // association only: date of the count, may be empty
};

// One line of an hourly-cost history.
struct CostLine {
    std::string applies{};    // dd/mm/yyyy
    std::string cost{};       // x 100
    std::string majorated{};  // x 100, may be empty
    std::string type{};       // "1" Prestation, "2" Tarifé
};

struct Establishment {
    std::string code{};  // three digits, after the association code in the id
    std::string sigle{}, raison{};
    Address address{};
    std::string siret{}, naf{};
    std::string weeklyHours{};  // x 100
    std::vector<Headcount> headcount{};
    std::string urssafAffiliation{}, urssafCode{}, carteOrange{}, urssafCentre{};
    std::string modulationMonth{};  // "01" to "12"
    std::string fraction{};
    // Pay period from 200307 on: hourly rate of the monthly pay guarantee and reduction of the
    // social-security relief; before: multiplier and monthly minimum wage.
    std::string payParameter1{}, payParameter2{};
    std::string abattement{}, overtimeRelief{}, aideIncitative{}, hourlyFloor{};  // x 100 or empty
    std::string scheme{};  // "U" URSSAF, "M" MSA
    std::string insee{};
    std::string collectivite{};  // "1" or "0"
    BankDetails bank{};
    std::string idcc{};
};

struct Activity {
    std::string code{};  // three digits, after the association code in the id
    std::string label{};
    std::string section{};  // SECTANAL code
    BankDetails bank{};
    std::string vatCode{};  // TAUXTVA code
    std::string type{};     // "P", "M", "I" or "S"
    std::string service{};  // SERVICES code
    std::vector<CostLine> costs{};
    std::string finess{};
    std::string tariffLabel{};
    std::string notExempt{};                                   // "" exempt, "N" not exempt
    std::string accountWithoutCoverage{}, accountAnnualFee{};  // account codes (10 digits)
};

struct Account {
    std::string code{};  // 10 digits, after the association code in the id
    std::string label{};
};

struct Association {
    std::string code{};  // record id, three digits
    std::string sigle{}, raison{};
    Address address{};
    std::string siren{};
    BankDetails bank{};  // its ICS is the association's creditor identifier
    std::string agrement1{}, agrement2{};
    std::string payrollQuality{};  // QUALITERESPPAIE code ("01" ...)
    std::string payShift{};        // "0" or "1"
    std::vector<Headcount> workforce{};
    std::string payrollManager{}, payrollPhone{}, payrollMail{};
    std::string feeAmounts[3]{};  // mandataire, prestataire, intermédiaire; x 100
    std::string feeRules[3]{};    // "A" calendar year, "M" anniversary month
    std::string assedicCentre{}, assedicNumber{};
    std::string email{}, vatNumber{}, finess{};
    std::string telegestionSystem{}, telegestionIdent{}, telegestionPhone{}, cardLine1{},
        cardLine2{}, telegestionMobile{};
    std::string sendingServer{}, sendingLogin{}, sendingPassword{};
    std::string teletransmitterCode{}, intervenerCode{};
    std::string solidarityDay{};
    std::string payslipPreprinted{}, invoicePreprinted{}, payslipLogo{}, invoiceLogo{},
        simplifiedPayslip{};
    std::string cet{};        // "1" or empty
    std::string aggir2008{};  // dd/mm/yyyy or empty
    std::vector<Establishment> establishments{};
    std::vector<Activity> activities{};
    std::vector<Account> extraAccounts{};  // besides the common chart
    std::string lastInvoiceNumber{};       // NUMEROFACT, ten digits
};

// A TABLES record: codes in attribute 2, labels in attribute 3, optional values in attribute 4.
struct Table {
    std::string id{}, title{};
    std::vector<std::string> codes{}, labels{}, values{};
};

struct Agreement {
    std::string id{}, label{}, idcc{};
};

struct Person {  // CIVILAIDANT
    std::string id{}, civility{}, lastName{}, firstName{}, postalCode{}, commune{}, sector{};
};

struct UserRights {  // DROITS
    std::string user{};
    std::vector<std::string> screens{}, levels{};
};

struct Template {
    std::string fileName{}, text{};
};

const std::vector<Association>& Associations();
const std::vector<Account>& CommonChart();
const std::vector<Table>& Tables();
const std::vector<Agreement>& Agreements();
const std::vector<Person>& People();
const std::vector<UserRights>& Rights();
const std::vector<Template>& Templates();

// The pay period of PERIODESPAIE "1" and the accounting switch of COMPTEUR "999".
inline constexpr const char* kPayPeriod = "202601";
inline constexpr const char* kAccountingEnabled = "1";

}  // namespace seed::demo
