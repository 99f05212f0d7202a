// mvsh end to end: the real program, its output, its errors and its exit codes.
#include <fcntl.h>
#include <sys/wait.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "engine_test_util.h"

namespace {

using namespace enginetest;

struct Outcome {
    int code = -1;
    std::string out, err;
};

std::string Drain(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<size_t>(n));
    return text;
}

// Runs mvsh with args, feeding input on its standard input, in folder cwd when given.
Outcome Mvsh(const std::vector<std::string>& args, const std::string& input = {},
             const std::string& cwd = {}) {
    int in[2], out[2], err[2];
    EXPECT_EQ(::pipe(in), 0);
    EXPECT_EQ(::pipe(out), 0);
    EXPECT_EQ(::pipe(err), 0);
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
            ::close(fd);
        if (!cwd.empty() && ::chdir(cwd.c_str()) != 0)
            ::_exit(126);
        std::vector<char*> argv{const_cast<char*>(MVSH_PATH)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(MVSH_PATH, argv.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    EXPECT_EQ(::write(in[1], input.data(), input.size()), ssize_t(input.size()));
    ::close(in[1]);
    Outcome run;
    run.out = Drain(out[0]);  // small outputs: stderr fits its pipe meanwhile
    run.err = Drain(err[0]);
    ::close(out[0]);
    ::close(err[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class MvshTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Mvsh({"--db", db, "-c", "DATE.FORMAT"});
        std::ofstream(folder / "base.jsonl")
            << "{\"file\": \"ESSAIS\", \"id\": \"002\", \"attrs\": [\"BETA\", \"Bêta\"]}\n"
               "{\"file\": \"ESSAIS\", \"id\": \"001\", \"attrs\": [\"ALPHA\", [\"A1\", "
               "\"A2\"]]}\n"
               "{\"file\": \"DICT ESSAIS\", \"id\": \"Sigle\", \"attrs\": [\"D\", \"1\", "
               "\"\", \"Sigle\", \"8L\", \"S\"]}\n"
               "{\"file\": \"DICT ESSAIS\", \"id\": \"Nom\", \"attrs\": [\"D\", \"2\", \"\", "
               "\"Raison sociale\", \"12L\", \"M\"]}\n"
               "{\"index\": \"ESSAIS\", \"field\": \"Sigle\"}\n";
    }
    std::vector<std::string> Db(std::initializer_list<std::string> commands) {
        std::vector<std::string> args{"--db", db};
        for (const std::string& c : commands) {
            args.push_back("-c");
            args.push_back(c);
        }
        return args;
    }
    std::string Load() { return "LOAD " + (folder / "base.jsonl"); }

    TempFolder folder;
    std::string db = folder / "base.mvdb";
};

TEST_F(MvshTest, NewDatabaseIsCreatedReadyForTheSystem) {
    const std::string empty = folder / "vide.mvdb";
    std::ofstream{empty};  // an empty file is a new base too
    for (const std::string& path : {folder / "neuve.mvdb", empty}) {
        Outcome run = Mvsh({"--db", path, "-c", "COMPTER ASSOCIATION", "-c",
                            "SSELECT ASSOCIATION PAR SigleAssoc"});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out, "0 enregistrement(s) compté(s).\n0 enregistrement(s) sélectionné(s).\n");
        EXPECT_EQ(run.err, "Nouvelle base créée : " + path + "\n");
        EXPECT_EQ(Mvsh({"--db", path, "-c", "COMPTER PLANCOMPTABLE"}).code, 0);
        EXPECT_EQ(Mvsh({"--db", path, "-c", "COMPTER ASSOCIATION"}).err, "") << "created once";
    }
}

TEST_F(MvshTest, OddInputGetsAFrenchMessageAndAnExitCodeNeverACrash) {
    const std::string usage = "Usage : mvsh --db CHEMIN [-c COMMANDE]...\n";
    const std::string text = folder / "texte.mvdb", absent = folder / "absent/base.mvdb";
    std::ofstream(text) << "ceci n'est pas une base de données, mais un texte\n";
    const std::string huge =
        "COMPTER ASSOCIATION AVEC SigleAssoc = \"" + std::string(16384, 'A') + "\" PAR";
    const struct {
        std::vector<std::string> args;
        int code;
        std::string err;
    } cases[] = {
        {Db({""}), 1, "Erreur : Commande vide.\n"},
        {Db({" \t "}), 1, "Erreur : Commande vide.\n"},
        {Db({"FORMAT C:"}), 1, "Erreur : Commande inconnue à la position 1 : FORMAT\n"},
        {Db({"SSELECT ESSAI AVEC 1 = \"ABC", "CREATE.FILE APRES"}), 1,
         "Erreur : Valeur non fermée à la position 24 : \"ABC\n"},
        {Db({huge}), 1,
         "Erreur : COMPTER ne trie pas : mot inattendu à la position " +
             std::to_string(huge.size() - 2) + " : PAR\n"},
        {Db({"SSELECT \xFF\xFE ESSAI"}), 1, "Erreur : Fichier inconnu à la position 9 : ??\n"},
        {Db({"CT ESSAI 1"}), 1, "Erreur : Le fichier ESSAI n'existe pas.\n"},
        {Db({"DUMP NOPE"}), 1, "Erreur : Le fichier NOPE n'existe pas.\n"},
        {Db({"LOAD /nonexistent/x.jsonl"}), 1,
         "Erreur : Impossible de lire /nonexistent/x.jsonl : fichier introuvable.\n"},
        {Db({"LOAD " + folder.Path()}), 1,
         "Erreur : Impossible de lire " + folder.Path() + " : c'est un dossier.\n"},
        {Db({"LOAD /dev/zero"}), 1,
         "Erreur : Impossible de lire /dev/zero : ce n'est pas un fichier ordinaire.\n"},
        {Db({"LOAD '/tmp/x.jsonl' TOUT"}), 1, "Erreur : Mot inattendu après le chemin : TOUT\n"},
        {Db({"LOAD REMPLACER"}), 1,
         "Erreur : Impossible de lire REMPLACER : fichier introuvable.\n"},
        {Db({"HISTORIQUE"}), 1, "Erreur : Usage : HISTORIQUE fichier [identifiant]\n"},
        {Db({"HISTORIQUE NOPE"}), 1, "Erreur : Le fichier NOPE n'existe pas.\n"},
        {{"-c", "COMPTER ASSOCIATION"}, 2, "mvsh : l'option --db est obligatoire\n" + usage},
        {{"--db", db, "--verbose"}, 2, "mvsh : argument inattendu : --verbose\n" + usage},
        {{"--db", db, "-c"}, 2, "mvsh : l'option -c attend une commande\n" + usage},
        {{"--db", absent, "-c", "COMPTER X"},
         2,
         "mvsh : Impossible d'ouvrir la base de données " + absent + " : dossier introuvable.\n"},
        {{"--db", text, "-c", "COMPTER X"},
         2,
         "mvsh : Le fichier " + text + " est endommagé ou n'est pas une base de données.\n"},
    };
    for (const auto& c : cases) {
        Outcome run = Mvsh(c.args);
        EXPECT_EQ(run.code, c.code) << c.args.back().substr(0, 40);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
}

TEST_F(MvshTest, LoadedRecordsAreSelectedListedShownAndDumpedBack) {
    ASSERT_EQ(Mvsh(Db({Load()})).code, 0);
    Outcome run = Mvsh(Db({"SSELECT ESSAIS PAR.DSND Sigle", "COUNT ESSAIS AVEC Nom = \"A2\"",
                           "SELECT ESSAIS AVEC Sigle = \"Z]\"", "LIST ESSAIS PAR Sigle Sigle Nom",
                           "CT ESSAIS 001", "DUMP ESSAIS DICT ESSAIS"}));
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "002\n001\n2 enregistrement(s) sélectionné(s).\n"
              "1 enregistrement(s) compté(s).\n"
              "0 enregistrement(s) sélectionné(s).\n"
              "ESSAIS     Sigle    Raison sociale\n"
              "---------- -------- --------------\n"
              "001        ALPHA    A1\n"
              "                    A2\n"
              "002        BETA     Bêta\n"
              "2 enregistrement(s) listé(s).\n"
              "ESSAIS 001\n"
              "  1 ALPHA\n"
              "  2 A1]A2\n"
              "{\"file\": \"DICT ESSAIS\", \"id\": \"Nom\", \"attrs\": [\"D\", \"2\", \"\", "
              "\"Raison sociale\", \"12L\", \"M\"]}\n"
              "{\"file\": \"DICT ESSAIS\", \"id\": \"Sigle\", \"attrs\": [\"D\", \"1\", \"\", "
              "\"Sigle\", \"8L\", \"S\"]}\n"
              "{\"file\": \"ESSAIS\", \"id\": \"001\", \"attrs\": [\"ALPHA\", [\"A1\", \"A2\"]]}\n"
              "{\"file\": \"ESSAIS\", \"id\": \"002\", \"attrs\": [\"BETA\", \"Bêta\"]}\n"
              "{\"index\": \"ESSAIS\", \"field\": \"Sigle\"}\n");
}

// Times vary: shown as <date>.
std::string Undated(const std::string& text) {
    static const std::regex time("\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d");
    return std::regex_replace(text, time, "<date>");
}

TEST_F(MvshTest, LoadReplacesOnlyWhenAskedAndTheHistoryShowsEachChange) {
    Outcome first = Mvsh(Db({Load()}));
    EXPECT_EQ(first.out, "4 enregistrement(s) chargé(s) : 4 créé(s), 0 remplacé(s).\n");
    const std::string changes = folder / "changes.jsonl";
    std::ofstream(changes)
        << "{\"file\": \"ESSAIS\", \"id\": \"001\", \"attrs\": [\"ALPHA\", [\"A1\", "
           "[\"A2\", \"x\"]]]}\n"
           "{\"file\": \"ESSAIS\", \"id\": \"002\", \"attrs\": [\"BETA\", \"Bêta\"]}\n"
           "{\"file\": \"ESSAIS\", \"id\": \"003\", \"attrs\": [\"GAMMA\"]}\n";
    Outcome refused = Mvsh(Db({"LOAD " + changes}));
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err,
              "Erreur : Le chargement remplacerait 1 enregistrement(s) existant(s) : ESSAIS 001. "
              "Rien n'a été chargé. Pour les remplacer : LOAD " +
                  changes + " REMPLACER\n");
    Outcome replaced =
        Mvsh(Db({"LOAD " + changes + " remplacer", "HISTORIQUE ESSAIS 001", "HISTORIQUE ESSAIS"}));
    EXPECT_EQ(replaced.code, 0) << replaced.err;
    const std::string changesOf001 =
        "Le <date> UTC, par mvsh : ESSAIS 001\n"
        "  <2,2> « A2 » → « A2\\x »\n"
        "Le <date> UTC, par mvsh : ESSAIS 001\n"
        "  <1,1> «  » → « ALPHA »\n"
        "  <2,1> «  » → « A1 »\n"
        "  <2,2> «  » → « A2 »\n";
    EXPECT_EQ(Undated(replaced.out),
              "2 enregistrement(s) chargé(s) : 1 créé(s), 1 remplacé(s) ; 1 identique(s) déjà "
              "présent(s).\n" +
                  changesOf001 +
                  "2 modification(s).\n"
                  "Le <date> UTC, par mvsh : ESSAIS 003\n"
                  "  <1,1> «  » → « GAMMA »\n" +
                  changesOf001 +
                  "Le <date> UTC, par mvsh : ESSAIS 002\n"
                  "  <1,1> «  » → « BETA »\n"
                  "  <2,1> «  » → « Bêta »\n"
                  "4 modification(s).\n");
}

// Given with -c the first error stops the commands; read from standard input they go on to QUIT.
TEST_F(MvshTest, CommandsGivenOrReadFromStandardInputAndTheirExitCodes) {
    Outcome run = Mvsh(Db({"CREATE.FILE ESSAI 3,1", "CREATE.FILE ESSAI 3,1", "CREATE.FILE APRES"}));
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "Fichier ESSAI créé.\n");
    EXPECT_EQ(run.err, "Erreur : Le fichier ESSAI existe déjà.\n");
    EXPECT_EQ(Mvsh(Db({"DELETE.FILE APRES"})).err, "Erreur : Le fichier APRES n'existe pas.\n")
        << "APRES was never created";
    run = Mvsh({"--db", db}, "CREATE.FILE X\n\nCOMPTER X\nQUIT\nCOMPTER Y\n");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Fichier X créé.\n0 enregistrement(s) compté(s).\n");
    run = Mvsh({"--db", db}, "COMPTER Y\nCOMPTER X\n");
    EXPECT_EQ(run.code, 1) << "piped input reports failures";
    EXPECT_EQ(run.out, "0 enregistrement(s) compté(s).\n");
    const std::string help = Mvsh(Db({"AIDE"})).out;
    for (const char* command : {"SSELECT", "HISTORIQUE fichier [identifiant]", "REMPLACER"})
        EXPECT_NE(help.find(command), std::string::npos) << command;
}

// The demo's templates go beside a file base, into the working folder for a server. How an
// association moves: dumped from a server, loaded into a file and another server, dumped back.
TEST_F(MvshTest, DemoOnAFileOrAServerAndMovedToAFileAndBackIdentically) {
    const std::string beside = folder / "fichier";
    std::filesystem::create_directory(beside);
    Outcome onFile =
        Mvsh({"--db", beside + "/base.mvdb", "-c", "DEMO", "-c", "COMPTER ASSOCIATION"});
    ASSERT_EQ(onFile.code, 0) << onFile.err;
    EXPECT_NE(onFile.out.find("5 enregistrement(s) compté(s)."), std::string::npos) << onFile.out;
    EXPECT_TRUE(std::filesystem::exists(beside + "/modeles/Contrat.txt"));

    const std::string server = testsupport::PostgresServer::Instance()->NewDatabase();
    Outcome demo =
        Mvsh({"--db", server, "-c", "DEMO", "-c", "COMPTER ASSOCIATION"}, {}, folder.Path());
    ASSERT_EQ(demo.code, 0) << demo.err;
    EXPECT_NE(demo.err.find("Nouvelle base créée"), std::string::npos);
    EXPECT_NE(demo.out.find("5 enregistrement(s) compté(s)."), std::string::npos) << demo.out;
    EXPECT_TRUE(std::filesystem::exists(folder / "modeles/Contrat.txt"));

    Outcome dump = Mvsh({"--db", server, "-c", "DUMP"});
    ASSERT_EQ(dump.code, 0) << dump.err;
    std::ofstream(folder / "demo.jsonl") << dump.out;
    for (const std::string& target :
         {folder / "copie.mvdb", testsupport::PostgresServer::Instance()->NewDatabase()}) {
        Outcome load = Mvsh({"--db", target, "-c", "LOAD " + (folder / "demo.jsonl")});
        EXPECT_EQ(load.code, 0) << load.err;
        EXPECT_EQ(Mvsh({"--db", target, "-c", "DUMP"}).out, dump.out) << target;
    }
}

}  // namespace
