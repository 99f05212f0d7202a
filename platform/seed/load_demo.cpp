// Writes the demo tables into the record store and the templates into their folder.
//
// A demo record that already exists is left as it is, so that loading twice changes nothing and
// loading into a database in use loses nothing; only the paths record is pointed at the folder
// given. Templates already in the folder are kept too: they may have been edited.

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "day_number.h"
#include "demo_data.h"
#include "platform/filesystem/file_system.h"
#include "seed.h"
#include "store/local_database.h"
#include "store/record.h"
#include "store/store_error.h"

namespace seed {

namespace {

using demo::Address;
using demo::BankDetails;

// Attributes of a record and their texts, written in turn.
void Set(store::Record& record, std::initializer_list<std::pair<int, std::string_view>> slots) {
    for (const auto& [attribute, text] : slots)
        record.SetValue(attribute, text);
}

// Writes values 1..n of one attribute; an all-empty list leaves the attribute empty.
void SetValues(store::Record& record, int attribute, const std::vector<std::string>& values) {
    if (std::all_of(values.begin(), values.end(), [](const auto& v) { return v.empty(); }))
        return;
    for (size_t i = 0; i < values.size(); ++i)
        record.SetValue(attribute, static_cast<int>(i) + 1, values[i]);
}

// The same member of every line of a history, as the values of one attribute.
template <typename Line>
std::vector<std::string> Column(const std::vector<Line>& lines, std::string Line::*member) {
    std::vector<std::string> values;
    for (const Line& line : lines)
        values.push_back(line.*member);
    return values;
}

void SetAddress(store::Record& r, int first, const Address& a) {
    Set(r, {{first, a.line1},
            {first + 1, a.line2},
            {first + 2, a.line3},
            {first + 3, a.postalCode},
            {first + 4, a.cedex},
            {first + 5, a.commune},
            {first + 6, a.country},
            {first + 7, a.phone},
            {first + 8, a.mobile},
            {first + 9, a.fax},
            {first + 10, a.insee}});
}

void SetBank(store::Record& r, int first, const BankDetails& b) {
    r.SetValue(first, 1, b.bankName);
    if (!b.branchName.empty())
        r.SetValue(first, 2, b.branchName);
    Set(r, {{first + 1, b.bankCode},
            {first + 2, b.branchCode},
            {first + 3, b.account},
            {first + 4, b.ribKey},
            {first + 5, b.iban},
            {first + 6, b.bic},
            {first + 7, b.ics}});
}

std::string DateOrEmpty(const std::string& text) {
    return text.empty() ? std::string() : std::to_string(DayNumber(text));
}

store::Record AssociationRecord(const demo::Association& a) {
    store::Record r;
    Set(r, {{1, a.sigle}, {2, a.raison}, {14, a.siren}});
    SetAddress(r, 3, a.address);
    SetBank(r, 15, a.bank);  // 22 is the creditor identifier
    SetValues(r, 27, Column(a.workforce, &demo::Headcount::physical));
    SetValues(r, 28, Column(a.workforce, &demo::Headcount::fullTime));
    SetValues(r, 29, Column(a.workforce, &demo::Headcount::period));
    std::vector<std::string> dated = Column(a.workforce, &demo::Headcount::dated);
    std::transform(dated.begin(), dated.end(), dated.begin(), DateOrEmpty);
    SetValues(r, 40, dated);
    SetValues(r, 31, {a.feeAmounts[0], a.feeAmounts[1], a.feeAmounts[2]});
    SetValues(r, 32, {a.feeRules[0], a.feeRules[1], a.feeRules[2]});
    const std::string aggir = DateOrEmpty(a.aggir2008);
    Set(r, {{23, a.agrement2},
            {24, a.payrollQuality},
            {25, a.payShift},
            {30, a.payrollManager},
            {33, a.assedicCentre},
            {34, a.assedicNumber},
            {35, a.email},
            {36, a.vatNumber},
            {37, a.finess},
            {38, a.telegestionSystem},
            {39, a.telegestionIdent},
            {41, a.agrement1},
            {42, a.solidarityDay},
            {43, a.sendingServer},
            {44, a.sendingLogin},
            {45, a.sendingPassword},
            {46, a.teletransmitterCode},
            {47, a.intervenerCode},
            {49, a.payslipPreprinted},
            {50, a.invoicePreprinted},
            {51, a.telegestionPhone},
            {52, a.cardLine1},
            {53, a.cardLine2},
            {54, a.payslipLogo},
            {55, a.invoiceLogo},
            {56, aggir},
            {58, a.telegestionMobile},
            {59, a.simplifiedPayslip},
            {60, a.cet},
            {64, a.payrollPhone},
            {65, a.payrollMail}});
    return r;
}

store::Record EstablishmentRecord(const demo::Establishment& e) {
    store::Record r;
    Set(r, {{1, e.sigle}, {2, e.raison}});
    SetAddress(r, 3, e.address);
    // Every value is written, empty ones too, so that the three attributes stay parallel.
    for (size_t i = 0; i < e.headcount.size(); ++i) {
        const int v = static_cast<int>(i) + 1;
        r.SetValue(17, v, e.headcount[i].physical);
        r.SetValue(18, v, e.headcount[i].fullTime);
        r.SetValue(19, v, e.headcount[i].period);
    }
    Set(r, {{14, e.siret},
            {15, e.naf},
            {16, e.weeklyHours},
            {20, e.urssafAffiliation},
            {21, e.urssafCode},
            {22, e.carteOrange},
            {23, e.urssafCentre},
            {24, e.modulationMonth},
            {25, e.fraction},
            {26, e.payParameter1},
            {27, e.payParameter2},
            {28, e.abattement},
            {29, e.overtimeRelief},
            {30, e.aideIncitative},
            {31, e.hourlyFloor},
            {33, e.scheme},
            {34, e.insee},
            {35, e.collectivite},
            {44, e.idcc}});
    SetBank(r, 36, e.bank);
    return r;
}

store::Record ActivityRecord(const demo::Activity& a) {
    store::Record r;
    SetBank(r, 3, a.bank);
    // Every value is written, empty ones too, so that the four attributes stay parallel.
    for (size_t i = 0; i < a.costs.size(); ++i) {
        const int v = static_cast<int>(i) + 1;
        r.SetValue(14, v, a.costs[i].cost);
        r.SetValue(15, v, std::to_string(DayNumber(a.costs[i].applies)));
        r.SetValue(16, v, a.costs[i].majorated);
        r.SetValue(20, v, a.costs[i].type);
    }
    Set(r, {{1, a.label},
            {2, a.section},
            {11, a.vatCode},
            {12, a.type},
            {13, a.service},
            {19, a.finess},
            {21, a.tariffLabel},
            {22, a.notExempt},
            {23, a.accountWithoutCoverage},
            {24, a.accountAnnualFee}});
    return r;
}

std::string LastCode(const std::vector<std::string>& codes) {
    std::string last = "000";
    for (const std::string& c : codes)
        last = std::max(last, c);
    return last;
}

store::Record CounterRecord(const demo::Association& a) {
    store::Record r;
    for (int i = 1; i <= 5; ++i)
        r.SetValue(i, 1, "000");
    r.SetValue(2, 1, LastCode(Column(a.activities, &demo::Activity::code)));
    r.SetValue(4, 1, LastCode(Column(a.establishments, &demo::Establishment::code)));
    return r;
}

store::Record InvoiceNumbersRecord(const demo::Association& a) {
    store::Record r;
    for (int i = 1; i <= 6; ++i)
        r.SetValue(i, "0000000000");
    r.SetValue(1, a.lastInvoiceNumber);
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
    files::FileSystem& fileSystem = files::Default();
    fileSystem.CreateFolder(folder);
    for (const demo::Template& t : demo::Templates()) {
        const std::string path = folder + "/" + t.fileName;
        if (!fileSystem.Exists(path))
            fileSystem.WriteFile(path, t.text);
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
    auto put = [&w](const std::string& file, const std::string& id,
                    std::initializer_list<std::pair<int, std::string_view>> slots) {
        store::Record r;
        Set(r, slots);
        w.Put(file, id, r);
    };

    for (const demo::Association& a : demo::Associations()) {
        w.Put("ASSOCIATION", a.code, AssociationRecord(a));
        for (const demo::Establishment& e : a.establishments)
            w.Put("ETABLISSEMENT", a.code + e.code, EstablishmentRecord(e));
        for (const demo::Activity& x : a.activities)
            w.Put("ACTIVITES", a.code + x.code, ActivityRecord(x));
        w.Put("COMPTEUR", a.code, CounterRecord(a));
        w.Put("NUMEROFACT", a.code, InvoiceNumbersRecord(a));
        for (const auto* chart : {&demo::CommonChart(), &a.extraAccounts}) {
            for (const demo::Account& account : *chart)
                put("PLANCOMPTABLE", a.code + account.code, {{1, account.label}});
        }
    }

    for (const demo::Table& t : demo::Tables()) {
        store::Record r;
        r.SetValue(1, t.title);
        SetValues(r, 2, t.codes);
        SetValues(r, 3, t.labels);
        SetValues(r, 4, t.values);
        w.Put("TABLES", t.id, r);
    }
    for (const demo::Agreement& c : demo::Agreements())
        put("CONVENTIONCOL", c.id, {{1, c.label}, {2, c.idcc}});
    for (const demo::Person& p : demo::People()) {
        put("CIVILAIDANT", p.id,
            {{1, p.civility},
             {2, p.lastName},
             {3, p.firstName},
             {4, p.postalCode},
             {5, p.commune},
             {31, p.sector}});
    }
    for (const demo::UserRights& u : demo::Rights()) {
        store::Record r;
        SetValues(r, 1, u.screens);
        SetValues(r, 2, u.levels);
        w.Put("DROITS", u.user, r);
    }
    put("PERIODESPAIE", "1", {{1, demo::kPayPeriod}});
    put("COMPTEUR", "999", {{15, demo::kAccountingEnabled}});

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
