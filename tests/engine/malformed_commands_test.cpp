// Commands the engine does not understand are refused with a message naming what is wrong and
// where; typed texts holding delimiters and brackets select exactly what was typed.
#include "engine_test_util.h"

namespace {

using namespace enginetest;

class Malformed : public BackendTest {
  protected:
    void SetUp() override {
        BackendTest::SetUp();
        MakeFile("ASSOCIATION", {{"SigleAssoc", 1, "20L"}});
        Put("ASSOCIATION", "001", "SAD");
    }

    std::pair<std::uint32_t, std::string> Failure(const std::string& command) {
        std::string status;
        return FailureOf([&] { db->CallSubroutine("DBA.EXECUTE", status, command); });
    }
};

TEST_P(Malformed, UnknownNamesAndIncompleteOrSurplusConditionsAreRefusedWithTheirPosition) {
    struct Case {
        const char* command;
        const char* message;
        std::uint32_t code = store::ErrorCode::CommandError;
    };
    const Case cases[] = {
        {"SSELECT ASSOCIATION AVEC SigleAssoc = \"ABC",
         "Valeur non fermée à la position 39 : \"ABC"},
        {"SSELECT ASSOCIATION AVEC SigleAssoc = \\A\"B'",
         "Valeur non fermée à la position 39 : \\A\"B'"},
        {"SSELECT ASSOCIATION AVEC \xFE\xFD\xFC\x01 = \"\xFF\"",  // messages stay readable
         "Champ inconnu à la position 26 : ???? (fichier ASSOCIATION)."},
        {"SSELEKT ASSOCIATION", "Commande inconnue à la position 1 : SSELEKT"},
        {"SSELECT ASSOCIATON", "Fichier inconnu à la position 9 : ASSOCIATON",
         store::ErrorCode::FileNotFound},
        {"COMPTER NOPE", "Fichier inconnu à la position 9 : NOPE", store::ErrorCode::FileNotFound},
        {"SSELECT ASSOCIATION AVEC Sigle = \"A\"",
         "Champ inconnu à la position 26 : Sigle (fichier ASSOCIATION)."},
        {"SSELECT ASSOCIATION PAR Sigle",
         "Champ inconnu à la position 25 : Sigle (fichier ASSOCIATION)."},
        {"SSELECT ASSOCIATION AVEC",
         "Fin de commande inattendue à la position 25 : champ attendu "
         "après AVEC."},
        {"SSELECT ASSOCIATION AVEC SigleAssoc =",
         "Fin de commande inattendue à la position 38 : valeur entre délimiteurs attendue."},
        {"SSELECT ASSOCIATION AVEC SigleAssoc = SAD",
         "Valeur entre délimiteurs attendue à la position 39 : SAD"},
        {"SSELECT ASSOCIATION AVEC SigleAssoc \"SAD\"",
         "Opérateur attendu à la position 37 : \"SAD\""},
        {"SSELECT ASSOCIATION AVEC SigleAssoc = \"A\" AVEC 1 = \"B\"",
         "AND ou OR attendu à la position 43 : AVEC"},
        {"SSELECT ASSOCIATION AVEC SigleAssoc = \"A\" AND",
         "Fin de commande inattendue à la "
         "position 46 : AVEC ou SANS attendu."},
        {"SSELECT ASSOCIATION AVEC SigleAssoc = \"A\" ET AVEC 1 = \"B\"",
         "Mot inattendu à la position 43 : ET"},
        {"SSELECT ASSOCIATION (AVEC SigleAssoc = \"A\"",
         "Fin de commande inattendue à la position 43 : parenthèse fermante attendue."},
        {"SSELECT ASSOCIATION AVEC 1 = \"A\")", "Mot inattendu à la position 33 : )"},
        {"SSELECT ASSOCIATION SANS (AVEC 1 = \"A\")",
         "Champ attendu après SANS à la position 26 : ("},
        {"SSELECT ASSOCIATION AVEC 1 < \"A]\"",
         "Les caractères [ et ] de début et de fin ne s'emploient qu'avec = ou # (position 30) : "
         "\"A]\""},
        {"SSELECT ASSOCIATION PAR",
         "Fin de commande inattendue à la position 24 : champ attendu "
         "après PAR."},
        {"SSELECT ASSOCIATION PAR SigleAssoc SigleAssoc",
         "Mot inattendu à la position 36 : SigleAssoc"},
        {"SSELECT", "Fin de commande inattendue à la position 8 : nom de fichier attendu."},
        {"SSELECT ASSOCIATION AVEC 1 = \"A\" =", "Mot inattendu à la position 34 : ="},
        {"COMPTER ASSOCIATION PAR 1", "COMPTER ne trie pas : mot inattendu à la position 21 : PAR"},
        {"SSELECT ASSOCIATION AVEC 99999999999 = \"A\"",
         "Numéro d'attribut trop grand à la position 26 : 99999999999"},
    };
    // Nesting costs stack: a deep one is refused, never a crash.
    const std::string deep = "SSELECT ASSOCIATION " + std::string(6000, '(') + "AVEC 1 = \"SAD\"" +
                             std::string(6000, ')');
    EXPECT_EQ(Failure(deep).second,
              "Trop de parenthèses imbriquées à la position 85 (64 niveaux au plus).");
    const std::string allowed =
        "SSELECT ASSOCIATION " + std::string(64, '(') + "AVEC 1 = \"SAD\"" + std::string(64, ')');
    EXPECT_EQ(Failure(allowed).first, 0u);
    for (const Case& c : cases) {
        auto [code, message] = Failure(c.command);
        EXPECT_EQ(code, c.code) << c.command;
        EXPECT_EQ(message, c.message);
    }
    EXPECT_EQ(Failure(std::string("SSELECT ASSOCIATION\0 AVEC", 25)).first,
              store::ErrorCode::FileNotFound)
        << "any bytes give an error, never a crash";
}

TEST_P(Malformed, FileCommandsRefuseBadNamesAndReportTheirOutcome) {
    EXPECT_EQ(ErrorOf([&] { db->Execute(""); }), store::ErrorCode::CommandError);
    EXPECT_EQ(ErrorOf([&] { db->Execute("CREATE.INDEX ASSOCIATION Sigle"); }),
              store::ErrorCode::CommandError);
    EXPECT_EQ(ErrorOf([&] { db->Execute("CREATE.FILE"); }), store::ErrorCode::CommandError);
    EXPECT_EQ(ErrorOf([&] { db->Execute("CREATE.FILE DICT ASSOCIATION"); }),
              store::ErrorCode::CommandError);
    EXPECT_EQ(ErrorOf([&] { db->Execute("CREATE.FILE X 3,1 extra"); }),
              store::ErrorCode::CommandError);
    EXPECT_EQ(db->Execute("DELETE.FILE NOPE").Value(1), "1");
    EXPECT_EQ(db->Execute("DELETE.FILE DICT ASSOCIATION").Value(1), "1");
    EXPECT_EQ(db->Execute("CREATE.INDEX ASSOCIATION 0").Value(1), "1");
    EXPECT_EQ(db->Execute("BUILD.INDEX ASSOCIATION SigleAssoc").Value(1), "1");
    EXPECT_EQ(db->Execute("CREATE.INDEX ASSOCIATION SigleAssoc").Value(1), "0");
    store::Record twice = db->Execute("CREATE.INDEX ASSOCIATION 1");
    EXPECT_EQ(twice.Value(1), "1");
    EXPECT_EQ(twice.Value(3, 1),
              "L'index SigleAssoc du fichier ASSOCIATION (attribut 1) existe déjà.");
    EXPECT_EQ(db->Execute("BUILD.INDEX ASSOCIATION SigleAssoc").Value(1), "0");
    EXPECT_EQ(db->Execute("BUILD.INDEX ASSOCIATION SigleAssoc PREFIXE.ID 2").Value(1), "1");
    EXPECT_EQ(MessageOf([&] { db->Execute("CREATE.INDEX ASSOCIATION 1 PREFIXE.ID 0"); }),
              "Longueur de préfixe (1 à 100) attendue à la position 39 : 0");
    EXPECT_EQ(ErrorOf([&] { db->Execute("CREATE.INDEX ASSOCIATION 1 PREFIXE.ID"); }),
              store::ErrorCode::CommandError);
    EXPECT_EQ(db->Execute("DELETE.FILE ASSOCIATION").Value(1), "0");
    EXPECT_EQ(ErrorOf([&] { db->OpenFile("DICT ASSOCIATION"); }), store::ErrorCode::FileNotFound);
}

// Typed texts go through QuoteValue as the screens do.
class TypedValues : public BackendTest {
  protected:
    void SetUp() override {
        BackendTest::SetUp();
        MakeFile("ASSOCIATION", {{"SigleAssoc", 1, "20L"}});
        const char* sigles[] = {"L'AIDE", "SAD \"LOIRE\"", "A\\B",  "[CROCHET]",
                                "X]Y",    "L'A\"B",        "LAIDE", "SAD"};
        int n = 0;
        for (const char* s : sigles) {
            char id[4];
            std::snprintf(id, sizeof id, "%03d", ++n);
            Put("ASSOCIATION", id, s);
        }
    }

    V Prefix(const std::string& typed, bool prefix = true) {
        auto quoted = store::QuoteValue(typed, prefix);
        if (!quoted)
            return {"(refusé)"};
        return Ids("SSELECT ASSOCIATION AVEC SigleAssoc = " + *quoted + " PAR SigleAssoc");
    }
    V Exact(const std::string& typed) { return Prefix(typed, false); }
};

TEST_P(TypedValues, QuotesAndBracketsSelectExactlyWhatWasTyped) {
    EXPECT_EQ(Prefix("L'"), (V{"006", "001"})) << "a double quote sorts before letters";
    EXPECT_EQ(Prefix("SAD \""), V{"002"});
    EXPECT_EQ(Prefix("A\\"), V{"003"});
    EXPECT_EQ(Prefix("X]"), V{"005"});
    EXPECT_EQ(Prefix("L'A\""), V{"006"});
    EXPECT_EQ(Exact("SAD \"LOIRE\""), V{"002"});
    EXPECT_EQ(Exact("A\\B"), V{"003"});
    EXPECT_EQ(Exact("L'A\"B"), V{"006"});
    EXPECT_EQ(Exact("SAD"), V{"008"});
    EXPECT_EQ(Prefix("[CRO"), V{"(refusé)"});
    EXPECT_EQ(Exact("X]"), V{"(refusé)"});
    EXPECT_EQ(Prefix("'\"\\"), V{"(refusé)"});
    EXPECT_EQ(Ids("SSELECT ASSOCIATION AVEC SigleAssoc = '[CROCHET]]'"), V{"004"})
        << "contains \"CROCHET]\"";
}

MERI_BACKENDS(Malformed);
MERI_BACKENDS(TypedValues);

}  // namespace
