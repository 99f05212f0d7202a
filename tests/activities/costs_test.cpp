// The hourly cost history: lines listed latest first in four lists moving together, added,
// changed, deleted and abandoned, with their checks, and stored in their four attributes.
#include <QListWidget>
#include <QScrollBar>

#include "platform/engine/dynarray.h"
#include "store/local_database.h"
#include "tests/activities/activities_fixture.h"

class CostsTest : public ActivitiesTest {
  protected:
    // The four lists, line by line: "date|cost|majorated|type".
    QStringList lines() const {
        QStringList all;
        const QStringList d = rows("Lst_Date"), c = rows("Lst_Cout"), m = rows("Lst_CoutMajore"),
                          t = rows("Lst_Type");
        for (int i = 0; i < d.size(); ++i)
            all << d[i] + "|" + c[i] + "|" + m[i] + "|" + t[i];
        return all;
    }
    int selected(const char* list) const { return a<QListWidget>(list)->currentRow(); }
    // The four attributes as stored, given as lines "date|cost|majorated|type": the date as
    // typed, the rest in stored form.
    void expectStoredLines(const std::string& id, const std::vector<QString>& expected) {
        std::string values[4];
        for (size_t i = 0; i < expected.size(); ++i) {
            const QStringList f = expected[i].split('|');
            for (int k = 0; k < 4; ++k) {
                const std::string v = f[k].toStdString();
                values[k] += (i ? "\xFD" : "") + (k == 0 ? day(v.c_str()) : v);
            }
        }
        const store::Record r = activity(id);
        const int attributes[4] = {15, 14, 16, 20};
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(r.Value(attributes[k]), values[k]) << id << " at " << attributes[k];
    }
};

TEST_F(CostsTest, LinesAreAddedChangedAndDeletedLatestFirst) {
    open();
    typeCode("001");
    EXPECT_EQ(
        lines(),
        QStringList({"01/01/2026|24,95|31,20|Prestation", "01/03/2025|26,00| |Tarifé",
                     "01/01/2025|24,20|30,50|Prestation", "01/01/2024|23,50|29,50|Prestation"}));
    // Four lines need the bar; the lists select and scroll together.
    clickRow("Lst_CoutMajore", 2);
    for (const char* list : {"Lst_Date", "Lst_Cout", "Lst_CoutMajore", "Lst_Type"})
        EXPECT_EQ(selected(list), 2) << list;
    auto* bar = a<QScrollBar>("Bdv_Taux");
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 3);
    bar->setValue(3);
    for (const char* list : {"Lst_Date", "Lst_Cout", "Lst_CoutMajore", "Lst_Type"})
        EXPECT_EQ(selected(list), 3) << list;

    // A line before all the others goes last, one after them first; the same date is taken
    // again for the other type only.
    addCostLine("15/06/2023", "22", "", 0);
    addCostLine("1/7/26", "25.5", "32", 1);
    answers.expect("La date d'application saisie existe déjà pour le nouveau coût horaire.",
                   QMessageBox::Information);
    addCostLine("01/07/2026", "26", "", 1);
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(focused(), "Txt_Date");
    pick("Cbo_Type", 0);
    press("Cmd_OkCout");
    EXPECT_EQ(lines().first(), "01/07/2026|25,50|32,00|Tarifé");
    EXPECT_EQ(lines()[1], "01/07/2026|26,00| |Prestation");
    EXPECT_EQ(lines().last(), "15/06/2023|22,00| |Prestation");
    expectUsable({"Cmd_AjoutCout", "Cmd_Ok", "Cmd_Annuler", "Lst_Cout"}, true);
    expectUsable({"Txt_Date", "Cmd_OkCout", "Cmd_SuppCout"}, false);

    // A double click takes a line to change; keeping its date is no clash with itself.
    clickRow("Lst_Cout", 3, true);
    expectShowing({"Txt_Date=01/03/2025", "Txt_Cout=26,00", "Txt_CoutMajore=", "Cbo_Type=Tarifé"});
    expectUsable({"Cmd_SuppCout", "Cmd_OkCout", "Cmd_AnnulCout"}, true);
    expectUsable({"Cmd_AjoutCout", "Lst_Cout", "Cmd_Ok", "Cmd_Annuler", "Cdr_Type"}, false);
    retypeIn("Txt_Cout", "26,4");
    press("Cmd_OkCout");
    EXPECT_EQ(lines()[3], "01/03/2025|26,40| |Tarifé");

    // Deleting asks first.
    for (auto answer : {toolkit::Answer::No, toolkit::Answer::Yes}) {
        clickRow("Lst_Cout", 6, true);
        pressAnswering("Cmd_SuppCout", "Etes-vous sûr de vouloir supprimer cette ligne ?",
                       QMessageBox::Warning, answer);
    }
    EXPECT_EQ(lines().size(), 6);
    EXPECT_EQ(lines().last(), "01/01/2024|23,50|29,50|Prestation");

    press("Cmd_Ok");
    // Amounts times 100, day numbers, an empty majorated cost in its place, latest first.
    expectStoredLines("001001",
                      {"01/07/2026|2550|3200|2", "01/07/2026|2600||1", "01/01/2026|2495|3120|1",
                       "01/03/2025|2640||2", "01/01/2025|2420|3050|1", "01/01/2024|2350|2950|1"});
}

TEST_F(CostsTest, EntryChecksAndAbandon) {
    open();
    typeCode("002");
    press("Cmd_AjoutCout");
    EXPECT_EQ(focused(), "Txt_Date");
    expectUsable({"Cmd_Ok", "Cmd_Annuler", "Txt_LibActivite", "Lst_Cout"}, false);
    pressAnswering("Cmd_OkCout", "Vous devez saisir une valeur pour le coût horaire.",
                   QMessageBox::Information);
    EXPECT_EQ(focused(), "Txt_Cout");
    typeIn("Txt_Cout", "12.5.");
    pressAnswering("Cmd_OkCout",
                   "Vous devez saisir une date d'application pour le nouveau coût horaire.",
                   QMessageBox::Information);
    EXPECT_EQ(focused(), "Txt_Date");
    expectShowing({"Txt_Cout=12,50"});  // one comma, formatted on leaving

    // What cannot be read as a date keeps the focus without a word.
    typeIn("Txt_Date", "1234567");
    moveTo("Txt_Cout");
    settle();
    EXPECT_EQ(focused(), "Txt_Date");
    expectShowing({"Txt_Date=1234567"});
    EXPECT_TRUE(answers.done());
    // Any key but a digit is a "/"; a date that does not exist keeps the focus, and says why.
    retypeIn("Txt_Date", "31a2a2025");
    expectShowing({"Txt_Date=31/2/2025"});
    answers.expect("Erreur de saisie dans la date, veuillez la ressaisir.", QMessageBox::Warning);
    moveTo("Txt_Cout");
    EXPECT_TRUE(answers.waitAnswered());
    settle();
    EXPECT_EQ(focused(), "Txt_Date");
    retypeIn("Txt_Date", "010226");
    moveTo("Txt_Cout");
    expectShowing({"Txt_Date=01/02/2026"});

    // Abandoning a new line asks; abandoning a change does not.
    pressAnswering("Cmd_AnnulCout", "Etes-vous sûr de vouloir quitter cette création ?",
                   QMessageBox::Warning, toolkit::Answer::No);
    expectUsable({"Cmd_OkCout"}, true);
    pressAnswering("Cmd_AnnulCout", "Etes-vous sûr de vouloir quitter cette création ?",
                   QMessageBox::Warning, toolkit::Answer::Yes);
    expectShowing({"Txt_Date=", "Txt_Cout=", "Cbo_Type="});
    expectUsable({"Cmd_AjoutCout", "Cmd_Ok", "Lst_Cout"}, true);
    clickRow("Lst_Date", 0, true);
    press("Cmd_AnnulCout");
    expectUsable({"Cmd_AjoutCout", "Lst_Cout"}, true);
    EXPECT_EQ(lines().size(), 3);
}

TEST_F(CostsTest, LinesOfACreationEndInTheNewRecord) {
    open();
    startCreation("P");
    fillRequired("AIDE AU LEVER", "100", "AMN", "1");
    addCostLine("01/01/2025", "20", "25", 0);
    addCostLine("01/01/2026", "21", "", 0);
    addCostLine("01/01/2026", "19", "", 1);
    addCostLine("01/01/2024", "18", "", 0);
    EXPECT_EQ(lines(),
              QStringList({"01/01/2026|21,00| |Prestation", "01/01/2026|19,00| |Tarifé",
                           "01/01/2025|20,00|25,00|Prestation", "01/01/2024|18,00| |Prestation"}));
    expectUsable({"Cdr_Type"}, false);  // the type of a creation stays
    press("Cmd_Ok");
    expectStoredLines("001006", {"01/01/2026|2100||1", "01/01/2026|1900||2",
                                 "01/01/2025|2000|2500|1", "01/01/2024|1800||1"});

    // Deleting every line leaves the four attributes empty; below four lines the bar goes.
    typeCode("006");
    EXPECT_TRUE(a("Bdv_Taux")->isVisible());
    for (int i = 0; i < 4; ++i) {
        clickRow("Lst_Cout", 0, true);
        pressAnswering("Cmd_SuppCout", "supprimer cette ligne", QMessageBox::Warning,
                       toolkit::Answer::Yes);
        EXPECT_FALSE(a("Bdv_Taux")->isVisible()) << i;
    }
    EXPECT_TRUE(lines().isEmpty());
    answers.expect("La zone de coût horaire de la prestation à temps plein doit être renseignée.");
    press("Cmd_Ok");
    EXPECT_TRUE(answers.done()) << "a P activity keeps at least one line";
    // As another type it keeps none.
    click(a("Opt_SSIAD"));
    retypeIn("Txt_ServiceActiv", "SSI");
    press("Cmd_Ok");
    expectActivity("001006", {"12=S", "14=", "15=", "16=", "20="});
}

TEST_F(CostsTest, AnOverwriteKeepsTheLinesOfOneWorkstation) {
    // 002's lines stored latest first, as this window writes them: changing one cost changes
    // that attribute only.
    store::Record r = activity("001002");
    for (int attribute : {14, 15, 16, 20}) {
        std::string latestFirst;
        for (int v = r.DCount(attribute); v >= 1; --v)
            latestFirst += r.Value(attribute, v) + (v > 1 ? "\xFD" : "");
        r.SetValue(attribute, latestFirst);
    }
    writeRecord("ACTIVITES", "001002", r.Text());
    open();
    typeCode("002");
    clickRow("Lst_Cout", 0, true);
    retypeIn("Txt_Cout", "27");
    press("Cmd_OkCout");

    // Meanwhile another workstation adds a line and changes the tariff label.
    const std::shared_ptr<store::LocalDatabase> other = store::OpenLocalDatabase(db->Path());
    other->SetUserName("poste2");
    store::Record theirs = other->OpenFile("ACTIVITES")->ReadForUpdate("001002");
    for (auto [attribute, value] :
         {std::pair<int, std::string>{14, "2800"}, {15, day("01/07/2026")}, {16, ""}, {20, "2"}})
        theirs.Insert(attribute, 1, value);
    theirs.SetValue(21, "TARIF DE L'AUTRE POSTE");
    theirs.DBWrite();

    pressAnswering("Cmd_Ok", "Un autre poste a modifié cet enregistrement", QMessageBox::Warning,
                   toolkit::Answer::Yes);
    expectStoredLines(
        "001002", {"01/01/2026|2700|3310|1", "01/01/2025|2580|3230|1", "01/01/2024|2510|3140|1"});
    expectActivity("001002", {"21=TARIF DE L'AUTRE POSTE"});
}
