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
#include "store/layout/activites.h"
#include "store/layout/association.h"
#include "store/layout/caption.h"
#include "store/layout/compteur.h"
#include "store/layout/etablissement.h"
#include "store/layout/numerofact.h"
#include "store/layout/parametres.h"
#include "store/layout/plancomptable.h"
#include "store/layout/references.h"
#include "store/layout/tables.h"
#include "store/backend_database.h"
#include "store/record.h"
#include "store/store_error.h"

namespace seed {

namespace {

using demo::Address;
using demo::BankDetails;
namespace L = store::layout;

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
    namespace A = L::association;
    store::Record r;
    Set(r, {{A::kSigle, a.sigle}, {A::kRaisonSociale, a.raison}, {A::kSiren, a.siren}});
    SetAddress(r, A::kAdresse, a.address);
    SetBank(r, A::kRib, a.bank);  // its last attribute is the creditor identifier
    SetValues(r, A::kEffectifPhysique, Column(a.workforce, &demo::Headcount::physical));
    SetValues(r, A::kEffectifTempsPlein, Column(a.workforce, &demo::Headcount::fullTime));
    SetValues(r, A::kEffectifPeriode, Column(a.workforce, &demo::Headcount::period));
    std::vector<std::string> dated = Column(a.workforce, &demo::Headcount::dated);
    std::transform(dated.begin(), dated.end(), dated.begin(), DateOrEmpty);
    SetValues(r, A::kEffectifDate, dated);
    SetValues(r, A::kCotisationMontant, {a.feeAmounts[0], a.feeAmounts[1], a.feeAmounts[2]});
    SetValues(r, A::kCotisationAppel, {a.feeRules[0], a.feeRules[1], a.feeRules[2]});
    const std::string aggir = DateOrEmpty(a.aggir2008);
    Set(r, {{A::kAgrement2, a.agrement2},
            {A::kQualiteRespPaie, a.payrollQuality},
            {A::kDecalagePaie, a.payShift},
            {A::kRespPaie, a.payrollManager},
            {A::kCentreAssedic, a.assedicCentre},
            {A::kAffiliationAssedic, a.assedicNumber},
            {A::kEmail, a.email},
            {A::kNumTva, a.vatNumber},
            {A::kFiness, a.finess},
            {A::kSystemeTelegestion, a.telegestionSystem},
            {A::kIdentTelegestion, a.telegestionIdent},
            {A::kAgrement1, a.agrement1},
            {A::kJourSolidarite, a.solidarityDay},
            {A::kServeurEnvoi, a.sendingServer},
            {A::kLoginEnvoi, a.sendingLogin},
            {A::kMotDePasseEnvoi, a.sendingPassword},
            {A::kCodeTeletransmettant, a.teletransmitterCode},
            {A::kCodeIntervenant, a.intervenerCode},
            {A::kPreImprimeBulletin, a.payslipPreprinted},
            {A::kPreImprimeFacture, a.invoicePreprinted},
            {A::kTelSystemeTelegestion, a.telegestionPhone},
            {A::kCarteLigne1, a.cardLine1},
            {A::kCarteLigne2, a.cardLine2},
            {A::kLogoBulletin, a.payslipLogo},
            {A::kLogoFacture, a.invoiceLogo},
            {A::kDateGrilleAggir2008, aggir},
            {A::kTelephonieMobile, a.telegestionMobile},
            {A::kPresentationSimplifiee, a.simplifiedPayslip},
            {A::kCompteEpargneTemps, a.cet},
            {A::kTelRespPaie, a.payrollPhone},
            {A::kMailRespPaie, a.payrollMail}});
    return r;
}

store::Record EstablishmentRecord(const demo::Establishment& e) {
    namespace E = L::etablissement;
    store::Record r;
    Set(r, {{E::kSigle, e.sigle}, {E::kRaisonSociale, e.raison}});
    SetAddress(r, E::kAdresse, e.address);
    // Every value is written, empty ones too, so that the three attributes stay parallel.
    for (size_t i = 0; i < e.headcount.size(); ++i) {
        const int v = static_cast<int>(i) + 1;
        r.SetValue(E::kEffectifPhysique, v, e.headcount[i].physical);
        r.SetValue(E::kEffectifTempsPlein, v, e.headcount[i].fullTime);
        r.SetValue(E::kEffectifPeriode, v, e.headcount[i].period);
    }
    Set(r, {{E::kSiret, e.siret},
            {E::kCodeNaf, e.naf},
            {E::kHoraireHebdo, e.weeklyHours},
            {E::kNumAffiliation, e.urssafAffiliation},
            {E::kCodeUrssaf, e.urssafCode},
            {E::kCarteOrange, e.carteOrange},
            {E::kCentreUrssaf, e.urssafCentre},
            {E::kMoisFinModulation, e.modulationMonth},
            {E::kFractionTds, e.fraction},
            {E::kParametrePaie1, e.payParameter1},
            {E::kParametrePaie2, e.payParameter2},
            {E::kAbattement, e.abattement},
            {E::kAidePerenne, e.overtimeRelief},
            {E::kAideIncitative, e.aideIncitative},
            {E::kTauxHorairePlancher, e.hourlyFloor},
            {E::kRegime, e.scheme},
            {E::kCodeInsee, e.insee},
            {E::kCollectiviteTerritoriale, e.collectivite},
            {E::kIdConventionCollective, e.idcc}});
    SetBank(r, E::kRib, e.bank);
    return r;
}

store::Record ActivityRecord(const demo::Activity& a) {
    namespace X = L::activites;
    store::Record r;
    SetBank(r, X::kRib, a.bank);
    // Every value is written, empty ones too, so that the four attributes stay parallel.
    for (size_t i = 0; i < a.costs.size(); ++i) {
        const int v = static_cast<int>(i) + 1;
        r.SetValue(X::kCoutHoraire, v, a.costs[i].cost);
        r.SetValue(X::kDateApplication, v, std::to_string(DayNumber(a.costs[i].applies)));
        r.SetValue(X::kCoutMajore, v, a.costs[i].majorated);
        r.SetValue(X::kTypeLigneCout, v, a.costs[i].type);
    }
    Set(r, {{X::kLibelle, a.label},
            {X::kSection, a.section},
            {X::kCodeTva, a.vatCode},
            {X::kType, a.type},
            {X::kService, a.service},
            {X::kFiness, a.finess},
            {X::kLibelleTarif, a.tariffLabel},
            {X::kNonExonere, a.notExempt},
            {X::kCompteAideSansPriseChg, a.accountWithoutCoverage},
            {X::kCompteCotisAnnuelle, a.accountAnnualFee}});
    return r;
}

std::string LastCode(const std::vector<std::string>& codes) {
    std::string last = "000";
    for (const std::string& c : codes)
        last = std::max(last, c);
    return last;
}

store::Record CounterRecord(const demo::Association& a) {
    namespace C = L::compteur;
    store::Record r;
    for (int i = 1; i <= C::kNombreCompteurs; ++i)
        r.SetValue(i, 1, C::kInitial);
    r.SetValue(C::kDerniereActivite, 1, LastCode(Column(a.activities, &demo::Activity::code)));
    r.SetValue(C::kDernierEtablissement, 1,
               LastCode(Column(a.establishments, &demo::Establishment::code)));
    return r;
}

store::Record InvoiceNumbersRecord(const demo::Association& a) {
    namespace N = L::numerofact;
    store::Record r;
    for (int i = 1; i <= N::kNombreNumeros; ++i)
        r.SetValue(i, N::kInitial);
    r.SetValue(N::kDerniereFacture, a.lastInvoiceNumber);
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
    std::optional<store::BulkTransaction> transaction;
    if (auto* local = dynamic_cast<store::BackendDatabase*>(&database))
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
                put("PLANCOMPTABLE", a.code + account.code,
                    {{L::plancomptable::kLibelle, account.label}});
        }
    }

    for (const demo::Table& t : demo::Tables()) {
        store::Record r;
        r.SetValue(L::tables::kTitre, t.title);
        SetValues(r, L::tables::kCodes, t.codes);
        SetValues(r, L::tables::kLibelles, t.labels);
        SetValues(r, L::tables::kValeurs, t.values);
        w.Put("TABLES", t.id, r);
    }
    for (const demo::Agreement& c : demo::Agreements())
        put("CONVENTIONCOL", c.id,
            {{L::conventioncol::kLibelle, c.label}, {L::conventioncol::kIdcc, c.idcc}});
    for (const demo::Person& p : demo::People()) {
        put("CIVILAIDANT", p.id,
            {{L::civilaidant::kCivilite, p.civility},
             {L::civilaidant::kNom, p.lastName},
             {L::civilaidant::kPrenom, p.firstName},
             {L::civilaidant::kCodePostal, p.postalCode},
             {L::civilaidant::kCommune, p.commune},
             {L::civilaidant::kSecteur, p.sector}});
    }
    for (const demo::UserRights& u : demo::Rights()) {
        store::Record r;
        SetValues(r, L::droits::kEcrans, u.screens);
        SetValues(r, L::droits::kNiveaux, u.levels);
        w.Put("DROITS", u.user, r);
    }
    put("PERIODESPAIE", L::periodespaie::kId,
        {{L::periodespaie::kPeriodeCourante, demo::kPayPeriod}});
    put("COMPTEUR", L::compteur::kIdParametresComptables,
        {{L::compteur::kIntegrationComptable, demo::kAccountingEnabled}});

    // The paths record follows the templates wherever they were written.
    store::File& paths = w.Open("CHEMINFICHIER");
    store::Record pathRecord;
    try {
        pathRecord = paths.ReadForUpdate(L::cheminfichier::kId);
    } catch (const store::StoreError& e) {
        if (e.code() != store::ErrorCode::RecordNotFound)
            throw;
        pathRecord = paths.NewItem(L::cheminfichier::kId);
    }
    pathRecord.SetValue(L::cheminfichier::kDossierModeles, templateFolder);
    pathRecord.DBWrite();
    if (transaction)
        transaction->Commit();
}

}  // namespace seed
