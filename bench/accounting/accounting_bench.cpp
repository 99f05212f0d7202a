// The account list of the accounting window narrowing as the user types the beginning of a
// label, one keystroke at a time, on association 042 of the generated base of 500 associations
// and 1,000,000 accounts (bench/recordstore/bench_data.h), through the real widgets on the
// offscreen platform. Each measured iteration is one keystroke in the list of the annual fee's
// account: the selection sent, the list filled again and the window painted.
//  - Frappe/1: "S" typed in the empty list, which offered every account of 042;
//  - Frappe/2: "U" after "S";
//  - Frappe/3: "B" after "SU" (147 accounts are left).
//
//   accounting_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLocale>
#include <QTest>
#include <memory>
#include <string>

#include "accounting/frm_integration_comptable.h"
#include "bench/recordstore/bench_data.h"
#include "platform/components/droits/composant_droits.h"
#include "store/local_database.h"
#include "store/variables.h"

namespace {

const QString kPrefixe = QStringLiteral("SUB");

// The base opened as the association screen opens it, with the activities file.
void ouvrirBase() {
    static bool ouverte = false;
    if (ouverte)
        return;
    ouverte = true;
    store::Variables& v = store::Variables::Get();
    v.database = store::OpenLocalDatabase(bench::LargeBase());
    v.client = std::make_shared<store::Client>("admin");
    store::Procedure::Ouverture();
    v.fActivites = v.database->OpenFile("ACTIVITES");
}

void settle() {
    for (int round = 0; round < 3; ++round)
        QCoreApplication::processEvents();
}

// Full rights without a DROITS file: the generated base has none.
class Admin : public store::UserRights {
  public:
    std::shared_ptr<store::ScreenRights> GetScreenRights(const std::string&) override {
        return std::make_shared<DroitsEcran>(2);
    }
};

void Frappe(benchmark::State& state) {
    ouvrirBase();
    const int n = static_cast<int>(state.range(0));
    Frm_IntegrationComptable fenetre;
    fenetre.DroitsUtilisateur(std::make_shared<Admin>());
    fenetre.Activite(QStringLiteral("042"), QStringLiteral("001"));
    fenetre.Init();
    fenetre.show();
    settle();
    auto* liste = fenetre.findChild<QComboBox*>(QStringLiteral("Cbo_PrdCotisAnnuelle"));
    liste->setFocus();
    const int tous = liste->count();
    int restants = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // Backspace starts again from every account; the first letters are typed before.
        QTest::keyClick(liste, Qt::Key_Backspace);
        QTest::keyClicks(liste, kPrefixe.left(n - 1));
        settle();
        state.ResumeTiming();

        QTest::keyClick(liste, kPrefixe.at(n - 1).toLatin1());
        settle();

        state.PauseTiming();
        restants = liste->count();
        if (liste->currentText() != kPrefixe.left(n) || restants == 0 || restants >= tous)
            state.SkipWithError("la liste ne s'est pas réduite au texte tapé");
        state.ResumeTiming();
    }
    state.counters["comptes"] = restants;
    state.counters["avant"] = tous;
}

BENCHMARK(Frappe)->DenseRange(1, 3)->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    store::Procedure::Fermeture();
    return 0;
}
