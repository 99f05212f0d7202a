// Writes the demo tables into the record store and the templates into their folder.
//
// A demo record that already exists is left as it is, so that loading twice changes nothing and
// loading into a database in use loses nothing; only the paths record is pointed at the folder
// given. Templates already in the folder are kept too: they may have been edited.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "day_number.h"
#include "demo_data.h"
#include "seed.h"
#include "store/local_database.h"
#include "store/record.h"
#include "store/store_error.h"

namespace seed {

namespace {

using demo::Address;
using demo::BankDetails;

// Writes values 1..n of one attribute; an all-empty list leaves the attribute empty.
void SetValues(store::Record& record, int attribute, const std::vector<std::string>& values) {
    bool any = false;
    for (const std::string& v : values)
        any = any || !v.empty();
    if (!any)
        return;
    for (size_t i = 0; i < values.size(); ++i)
        record.SetValue(attribute, static_cast<int>(i) + 1, values[i]);
}

void SetAddress(store::Record& record, int first, const Address& a) {
    const std::string* parts[] = {&a.line1,  &a.line2,   &a.line3,   &a.postalCode,
                                  &a.cedex,  &a.commune, &a.country, &a.phone,
                                  &a.mobile, &a.fax,     &a.insee};
    for (int i = 0; i < 11; ++i)
        record.SetValue(first + i, *parts[i]);
}

void SetBank(store::Record& record, int first, const BankDetails& b) {
    record.SetValue(first, 1, b.bankName);
    if (!b.branchName.empty())
        record.SetValue(first, 2, b.branchName);
    record.SetValue(first + 1, b.bankCode);
    record.SetValue(first + 2, b.branchCode);
    record.SetValue(first + 3, b.account);
    record.SetValue(first + 4, b.ribKey);
    record.SetValue(first + 5, b.iban);
    record.SetValue(first + 6, b.bic);
    record.SetValue(first + 7, b.ics);
}

std::string DateOrEmpty(const std::string& text) {
    return text.empty() ? std::string() : std::to_string(DayNumber(text));
}

store::Record AssociationRecord(const demo::Association& a) {
    store::Record r;
    r.SetValue(1, a.sigle);
    r.SetValue(2, a.raison);
    SetAddress(r, 3, a.address);
    r.SetValue(14, a.siren);
    SetBank(r, 15, a.bank);  // 22 is the creditor identifier
    r.SetValue(23, a.agrement2);
    r.SetValue(24, a.payrollQuality);
    r.SetValue(25, a.payShift);
    std::vector<std::string> physical, fullTime, periods, dates;
    for (const demo::Headcount& h : a.workforce) {
        physical.push_back(h.physical);
        fullTime.push_back(h.fullTime);
        periods.push_back(h.period);
        dates.push_back(DateOrEmpty(h.dated));
    }
    SetValues(r, 27, physical);
    SetValues(r, 28, fullTime);
    SetValues(r, 29, periods);
    r.SetValue(30, a.payrollManager);
    SetValues(r, 31, {a.feeAmounts[0], a.feeAmounts[1], a.feeAmounts[2]});
    SetValues(r, 32, {a.feeRules[0], a.feeRules[1], a.feeRules[2]});
    r.SetValue(33, a.assedicCentre);
    r.SetValue(34, a.assedicNumber);
    r.SetValue(35, a.email);
    r.SetValue(36, a.vatNumber);
    r.SetValue(37, a.finess);
    r.SetValue(38, a.telegestionSystem);
    r.SetValue(39, a.telegestionIdent);
    SetValues(r, 40, dates);
    r.SetValue(41, a.agrement1);
    r.SetValue(42, a.solidarityDay);
    r.SetValue(43, a.sendingServer);
    r.SetValue(44, a.sendingLogin);
    r.SetValue(45, a.sendingPassword);
    r.SetValue(46, a.teletransmitterCode);
    r.SetValue(47, a.intervenerCode);
    r.SetValue(49, a.payslipPreprinted);
    r.SetValue(50, a.invoicePreprinted);
    r.SetValue(51, a.telegestionPhone);
    r.SetValue(52, a.cardLine1);
    r.SetValue(53, a.cardLine2);
    r.SetValue(54, a.payslipLogo);
    r.SetValue(55, a.invoiceLogo);
    r.SetValue(56, DateOrEmpty(a.aggir2008));
    r.SetValue(58, a.telegestionMobile);
    r.SetValue(59, a.simplifiedPayslip);
    r.SetValue(60, a.cet);
    r.SetValue(64, a.payrollPhone);
    r.SetValue(65, a.payrollMail);
    return r;
}

store::Record EstablishmentRecord(const demo::Establishment& e) {
    store::Record r;
    r.SetValue(1, e.sigle);
    r.SetValue(2, e.raison);
    SetAddress(r, 3, e.address);
    r.SetValue(14, e.siret);
    r.SetValue(15, e.naf);
    r.SetValue(16, e.weeklyHours);
    for (size_t i = 0; i < e.headcount.size(); ++i) {
        const int v = static_cast<int>(i) + 1;
        r.SetValue(17, v, e.headcount[i].physical);
        r.SetValue(18, v, e.headcount[i].fullTime);
        r.SetValue(19, v, e.headcount[i].period);
    }
    r.SetValue(20, e.urssafAffiliation);
    r.SetValue(21, e.urssafCode);
    r.SetValue(22, e.carteOrange);
    r.SetValue(23, e.urssafCentre);
    r.SetValue(24, e.modulationMonth);
    r.SetValue(25, e.fraction);
    r.SetValue(26, e.payParameter1);
    r.SetValue(27, e.payParameter2);
    r.SetValue(28, e.abattement);
    r.SetValue(29, e.overtimeRelief);
    r.SetValue(30, e.aideIncitative);
    r.SetValue(31, e.hourlyFloor);
    r.SetValue(33, e.scheme);
    r.SetValue(34, e.insee);
    r.SetValue(35, e.collectivite);
    SetBank(r, 36, e.bank);
    r.SetValue(44, e.idcc);
    return r;
}

store::Record ActivityRecord(const demo::Activity& a) {
    store::Record r;
    r.SetValue(1, a.label);
    r.SetValue(2, a.section);
    SetBank(r, 3, a.bank);
    r.SetValue(11, a.vatCode);
    r.SetValue(12, a.type);
    r.SetValue(13, a.service);
    // Every value is written, empty ones too, so that the four attributes stay parallel.
    for (size_t i = 0; i < a.costs.size(); ++i) {
        const int v = static_cast<int>(i) + 1;
        r.SetValue(14, v, a.costs[i].cost);
        r.SetValue(15, v, std::to_string(DayNumber(a.costs[i].applies)));
        r.SetValue(16, v, a.costs[i].majorated);
        r.SetValue(20, v, a.costs[i].type);
    }
    r.SetValue(19, a.finess);
    r.SetValue(21, a.tariffLabel);
    r.SetValue(22, a.notExempt);
    r.SetValue(23, a.accountWithoutCoverage);
    r.SetValue(24, a.accountAnnualFee);
    return r;
}

std::string LastCode(const std::vector<std::string>& codes) {
    std::string last = "000";
    for (const std::string& c : codes)
        last = std::max(last, c);
    return last;
}

store::Record CounterRecord(const demo::Association& a) {
    std::vector<std::string> activities, establishments;
    for (const auto& x : a.activities)
        activities.push_back(x.code);
    for (const auto& x : a.establishments)
        establishments.push_back(x.code);
    store::Record r;
    for (int i = 1; i <= 5; ++i)
        r.SetValue(i, 1, "000");
    r.SetValue(2, 1, LastCode(activities));
    r.SetValue(4, 1, LastCode(establishments));
    return r;
}

store::Record InvoiceNumbersRecord(const demo::Association& a) {
    store::Record r;
    for (int i = 1; i <= 6; ++i)
        r.SetValue(i, "0000000000");
    r.SetValue(1, a.lastInvoiceNumber);
    return r;
}

store::Record TableRecord(const demo::Table& t) {
    store::Record r;
    r.SetValue(1, t.title);
    SetValues(r, 2, t.codes);
    SetValues(r, 3, t.labels);
    SetValues(r, 4, t.values);
    return r;
}

class Writer {
  public:
    explicit Writer(store::Database& database) : database_(database) {}

    // Writes a new record; one already there is kept.
    void Put(const std::string& fileName, const std::string& id, const store::Record& content) {
        store::Record record;
        try {
            record = Open(fileName).NewItem(id);
        } catch (const store::StoreError& e) {
            if (e.code() == store::ErrorCode::RecordExists)
                return;
            throw;
        }
        record.SetText(content.Text());
        record.DBWrite();
    }

    store::File& Open(const std::string& fileName) {
        auto& file = files_[fileName];
        if (!file)
            file = database_.OpenFile(fileName);
        return *file;
    }

  private:
    store::Database& database_;
    std::map<std::string, std::shared_ptr<store::File>> files_;
};

void WriteTemplates(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder)) {
        throw std::runtime_error("Impossible de créer le dossier des modèles « " + folder +
                                 " » : " + error.message());
    }
    for (const demo::Template& t : demo::Templates()) {
        const fs::path path = fs::path(folder) / t.fileName;
        if (fs::exists(path))
            continue;
        std::ofstream out(path, std::ios::binary);
        out << t.text;
        out.close();
        if (!out) {
            throw std::runtime_error("Impossible d'écrire le modèle « " + path.string() + " ».");
        }
    }
}

// Absolute, without a trailing separator: the screens append "\\Name.txt" to it.
std::string NormalFolder(const std::string& folder) {
    std::string text = std::filesystem::absolute(folder).lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

}  // namespace

void LoadDemo(store::Database& database, const std::string& folder) {
    const std::string templateFolder = NormalFolder(folder);
    // The folder first: a folder that cannot be written must fail before any record is.
    WriteTemplates(templateFolder);
    // On the embedded engine the whole set is one transaction: all of it or nothing.
    std::optional<store::LocalDatabase::Transaction> transaction;
    if (auto* local = dynamic_cast<store::LocalDatabase*>(&database))
        transaction.emplace(*local);
    Bootstrap(database);
    Writer w(database);

    for (const demo::Association& a : demo::Associations()) {
        w.Put("ASSOCIATION", a.code, AssociationRecord(a));
        for (const demo::Establishment& e : a.establishments)
            w.Put("ETABLISSEMENT", a.code + e.code, EstablishmentRecord(e));
        for (const demo::Activity& x : a.activities)
            w.Put("ACTIVITES", a.code + x.code, ActivityRecord(x));
        w.Put("COMPTEUR", a.code, CounterRecord(a));
        w.Put("NUMEROFACT", a.code, InvoiceNumbersRecord(a));
        for (const auto* chart : {&demo::CommonChart(), &a.extraAccounts}) {
            for (const demo::Account& account : *chart) {
                store::Record r;
                r.SetValue(1, account.label);
                w.Put("PLANCOMPTABLE", a.code + account.code, r);
            }
        }
    }

    for (const demo::Table& t : demo::Tables())
        w.Put("TABLES", t.id, TableRecord(t));
    for (const demo::Agreement& c : demo::Agreements()) {
        store::Record r;
        r.SetValue(1, c.label);
        r.SetValue(2, c.idcc);
        w.Put("CONVENTIONCOL", c.id, r);
    }
    for (const demo::Person& p : demo::People()) {
        store::Record r;
        r.SetValue(1, p.civility);
        r.SetValue(2, p.lastName);
        r.SetValue(3, p.firstName);
        r.SetValue(4, p.postalCode);
        r.SetValue(5, p.commune);
        r.SetValue(31, p.sector);
        w.Put("CIVILAIDANT", p.id, r);
    }
    for (const demo::UserRights& u : demo::Rights()) {
        store::Record r;
        SetValues(r, 1, u.screens);
        SetValues(r, 2, u.levels);
        w.Put("DROITS", u.user, r);
    }

    store::Record period;
    period.SetValue(1, 1, demo::kPayPeriod);
    w.Put("PERIODESPAIE", "1", period);

    store::Record accounting;
    accounting.SetValue(15, demo::kAccountingEnabled);
    w.Put("COMPTEUR", "999", accounting);

    // The paths record follows the templates wherever they were written.
    store::File& paths = w.Open("CHEMINFICHIER");
    store::Record pathRecord;
    try {
        pathRecord = paths.ReadForUpdate("1");
    } catch (const store::StoreError& e) {
        if (e.code() != store::ErrorCode::RecordNotFound)
            throw;
        pathRecord = paths.NewItem("1");
    }
    pathRecord.SetValue(3, templateFolder);
    pathRecord.DBWrite();
    if (transaction)
        transaction->Commit();
}

}  // namespace seed
