// The activities window driven as a user drives it, on the offscreen platform, over an
// association of 200 activities whose activity 001 has 300 hourly-cost lines:
//  - Ouverture: the window made, loaded (Init: the list of the 200 activities, the label lists),
//    shown and painted;
//  - AffichageActivite: the activity with 300 lines displayed by its code (typed, Enter) and
//    painted;
//  - AjoutLigneCout: "Ajouter" in the cost area, a date and a cost typed, "OK": the line stored,
//    the 301 lines sorted and the four lists filled again.
// Each measured iteration gets a window of its own, made or closed outside the measured time.
//
//   activities_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "activities/frm_activite.h"
#include "platform/components/droits/composant_droits.h"
#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/seed/seed.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/activites.h"
#include "store/layout/compteur.h"
#include "store/local_database.h"
#include "store/variables.h"

namespace {

namespace stdfs = std::filesystem;
namespace X = store::layout::activites;

constexpr int kActivites = 200;
constexpr int kLignes = 300;

std::string jour(const QDate& date) {
    return toolkit::fromQ(Composant_Utilitaires::Instance().DateVersJour(
        date.toString(QStringLiteral("dd/MM/yyyy"))));
}

// The demo base, association 001 grown to 200 activities, its first one to 300 cost lines.
struct Base {
    std::string root;
    std::shared_ptr<store::LocalDatabase> db;

    Base() {
        std::string pattern = (stdfs::temp_directory_path() / "meri-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp");
        root = pattern;
        db = store::OpenLocalDatabase(root + "/base.mvdb");
        seed::LoadDemo(*db, root + "/modeles");

        store::LocalDatabase::Transaction transaction(*db);
        auto activites = db->OpenFile("ACTIVITES");
        store::Record modele = activites->Read("001002");
        for (int n = 6; n <= kActivites; ++n) {
            const std::string code = std::string(n < 10 ? "00" : n < 100 ? "0" : "") +
                                     std::to_string(n);
            modele.SetValue(X::kLibelle, "ACTIVITE " + code);
            activites->Write("001" + code, modele.Text());
        }
        store::Record longue = activites->Read("001001");
        std::string couts, dates, majores, types;
        for (int k = 0; k < kLignes; ++k) {
            const char* sep = k ? "\xFD" : "";
            couts += sep + std::to_string(1500 + k);
            dates += sep + jour(QDate(2001, 1, 1).addMonths(k));
            majores += sep + (k % 3 ? std::to_string(1900 + k) : std::string());
            types += sep + std::string(k % 5 ? "1" : "2");
        }
        longue.SetValue(X::kCoutHoraire, couts);
        longue.SetValue(X::kDateApplication, dates);
        longue.SetValue(X::kCoutMajore, majores);
        longue.SetValue(X::kTypeLigneCout, types);
        activites->Write("001001", longue.Text());
        auto compteurs = db->OpenFile("COMPTEUR");
        store::Record compteur = compteurs->Read("001");
        compteur.SetValue(store::layout::compteur::kDerniereActivite, 1,
                          std::to_string(kActivites));
        compteurs->Write("001", compteur.Text());
        transaction.Commit();

        store::Variables& v = store::Variables::Get();
        v.database = db;
        v.client = std::make_shared<store::Client>(seed::kDemoAdminUser);
        store::Procedure::Ouverture();
        v.fAssociation = db->OpenFile("ASSOCIATION");
        v.codeAssociation = "001";
    }
    ~Base() {
        store::Procedure::Fermeture();
        db.reset();
        std::error_code ignored;
        stdfs::remove_all(root, ignored);
    }
};

Base& base() {
    static Base b;
    return b;
}

void settle() {
    for (int round = 0; round < 3; ++round)
        QCoreApplication::processEvents();
}

template <typename T = QWidget>
T* widget(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
}

// Made, loaded and shown as the association screen opens it.
std::unique_ptr<Frm_Activite> ouvrir() {
    auto w = std::make_unique<Frm_Activite>();
    w->DroitsUtilisateur(std::make_shared<Composant_Droits>(base().db, seed::kDemoAdminUser));
    w->Init();
    w->Entite(QStringLiteral("001"), QStringLiteral("ASD BOCAGE"));
    w->show();
    settle();
    return w;
}

void afficher(Frm_Activite* w, const char* code) {
    auto* champ = widget<QLineEdit>(w, "Txt_CodActivite");
    champ->setFocus();
    QTest::keyClicks(champ, QString::fromLatin1(code));
    QTest::keyClick(champ, Qt::Key_Return);
    settle();
}

void fermer(std::unique_ptr<Frm_Activite>& w) {
    widget<QPushButton>(w.get(), "Cmd_Annuler")->click();
    widget<QPushButton>(w.get(), "Cmd_Sortir")->click();
    w.reset();
    settle();
}

void Ouverture(benchmark::State& state) {
    base();
    for (auto _ : state) {
        std::unique_ptr<Frm_Activite> w = ouvrir();
        state.PauseTiming();
        if (widget<QComboBox>(w.get(), "Cbo_LibActivite")->count() != kActivites)
            state.SkipWithError("la liste des activités n'est pas complète");
        fermer(w);
        state.ResumeTiming();
    }
    state.counters["activites"] = kActivites;
}

void AffichageActivite(benchmark::State& state) {
    base();
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Frm_Activite> w = ouvrir();
        state.ResumeTiming();
        afficher(w.get(), "001");
        state.PauseTiming();
        if (widget<QListWidget>(w.get(), "Lst_Cout")->count() != kLignes)
            state.SkipWithError("l'activité 001 n'est pas affichée avec ses lignes");
        fermer(w);
        state.ResumeTiming();
    }
    state.counters["lignes"] = kLignes;
}

void AjoutLigneCout(benchmark::State& state) {
    base();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Frm_Activite> w = ouvrir();
        afficher(w.get(), "001");
        // A date no line has yet, in the middle of the history.
        const QString date = QDate(2001, 1, 15).addMonths(n++ % kLignes).toString("dd/MM/yyyy");
        state.ResumeTiming();

        QTest::mouseClick(widget(w.get(), "Cmd_AjoutCout"), Qt::LeftButton);
        QTest::keyClicks(widget(w.get(), "Txt_Date"), date);
        auto* cout = widget(w.get(), "Txt_Cout");
        cout->setFocus();
        QTest::keyClicks(cout, QStringLiteral("24,5"));
        QTest::mouseClick(widget(w.get(), "Cmd_OkCout"), Qt::LeftButton);
        settle();

        state.PauseTiming();
        if (widget<QListWidget>(w.get(), "Lst_Cout")->count() != kLignes + 1)
            state.SkipWithError("la ligne n'a pas été ajoutée");
        // The line was never saved: Annuler leaves the activity as stored.
        fermer(w);
        state.ResumeTiming();
    }
    state.counters["lignes"] = kLignes + 1;
}

BENCHMARK(Ouverture)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(AffichageActivite)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(AjoutLigneCout)->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
