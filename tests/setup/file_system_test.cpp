// The file-system layer on a real temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "platform/filesystem/file_system.h"

namespace stdfs = std::filesystem;

namespace {

class FileSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (stdfs::temp_directory_path() / "meri-fs-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { stdfs::remove_all(dir); }

    void put(const std::string& name, const std::string& contents) {
        std::ofstream(dir + "/" + name, std::ios::binary) << contents;
    }
    std::string get(const std::string& name) {
        std::ifstream in(dir + "/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // A path of the folder written the way the set-up writes its paths.
    std::string back(const std::string& name) const { return dir + "\\" + name; }

    std::string dir;
    files::FileSystem& fs = files::Default();
};

TEST_F(FileSystemTest, CopyTakesBackslashPathsAndReplacesTheDestinationWhole) {
    EXPECT_EQ(files::NativePath("C:\\modeles\\Contrat.txt"), "C:/modeles/Contrat.txt");
    EXPECT_EQ(files::NativePath(" 07 \\a b.txt"), " 07 /a b.txt");
    put("Contrat.txt", std::string("Contrat\0\xE9t\xC3\xA9", 12));
    put("Contrat007A1.txt", std::string(5000, 'x'));
    fs.Copy(back("Contrat.txt"), back("Contrat007A1.txt"));
    fs.Copy(back("Contrat.txt"), back("Nouveau 007 .txt"));
    EXPECT_EQ(get("Contrat007A1.txt"), get("Contrat.txt"));
    EXPECT_EQ(get("Nouveau 007 .txt"), get("Contrat.txt"));
    auto entries = stdfs::directory_iterator(dir);
    EXPECT_EQ(std::distance(stdfs::begin(entries), stdfs::end(entries)), 3) << "no temporary left";

    fs.CreateFolder(back("modeles\\sous"));
    EXPECT_TRUE(fs.Exists(back("modeles\\sous")));
    fs.WriteFile(back("modeles\\sous\\Defaut.txt"), "premier");
    fs.WriteFile(back("modeles\\sous\\Defaut.txt"), "second");
    EXPECT_EQ(fs.ReadFile(back("modeles\\sous\\Defaut.txt")), "second");
}

TEST_F(FileSystemTest, FailuresNameThePathAndTouchNothing) {
    put("Convocm007.txt", "ancien");
    put("Contrat.txt", "c");
    put("fichier", "f");
    const struct {
        std::function<void()> call;
        std::string faulty, message;  // the path at fault, relative to dir
    } cases[] = {
        {[&] { fs.Copy(back("Defaut.txt"), back("Convocm007.txt")); }, "Defaut.txt",
         "Le modèle " + dir + "/Defaut.txt est introuvable."},
        {[&] { fs.Copy(back("Contrat.txt"), back("absent\\Contrat007.txt")); },
         "absent/Contrat007.txt",
         "Impossible de copier le modèle " + dir + "/Contrat.txt vers " + dir +
             "/absent/Contrat007.txt : dossier introuvable."},
        {[&] { fs.ReadFile(back("absent.txt")); }, "absent.txt",
         "Le fichier " + dir + "/absent.txt est introuvable."},
        {[&] { fs.WriteFile(back("absent\\x.txt"), "x"); }, "absent/x.txt",
         "Impossible d'écrire le fichier " + dir + "/absent/x.txt : dossier introuvable."},
        {[&] { fs.CreateFolder(back("fichier\\modeles")); }, "fichier/modeles",
         "Impossible de créer le dossier " + dir +
             "/fichier/modeles : un élément du chemin n'est pas un dossier."},
    };
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << "no failure, expected: " << c.message;
        } catch (const files::FileError& e) {
            EXPECT_EQ(e.what(), c.message);
            EXPECT_EQ(e.path(), dir + "/" + c.faulty);
        }
    }
    EXPECT_EQ(get("Convocm007.txt"), "ancien");
    EXPECT_FALSE(fs.Exists(back("absent")));
}

}  // namespace
