// The file-system layer on a real temporary folder, and its recording double.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/filesystem/file_system.h"
#include "platform/filesystem/recording_file_system.h"

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
    // The folder written the way the set-up writes its paths.
    std::string back(const std::string& name) const { return dir + "\\" + name; }

    std::string dir;
    files::FileSystem& fs = files::Default();
};

TEST_F(FileSystemTest, BackslashPathsBecomeNativeOnes) {
    EXPECT_EQ(files::NativePath("C:\\modeles\\Contrat.txt"), "C:/modeles/Contrat.txt");
    EXPECT_EQ(files::NativePath("/srv/modeles\\Defaut.txt"), "/srv/modeles/Defaut.txt");
    EXPECT_EQ(files::NativePath(" 07 \\a b.txt"), " 07 /a b.txt");
}

TEST_F(FileSystemTest, CopyReplacesTheDestinationWholeAndLeavesNoTemporary) {
    put("Contrat.txt", std::string("Contrat\0\xE9t\xC3\xA9", 12));
    put("Contrat007A1.txt", std::string(5000, 'x'));
    fs.Copy(back("Contrat.txt"), back("Contrat007A1.txt"));
    EXPECT_EQ(get("Contrat007A1.txt"), get("Contrat.txt"));
    fs.Copy(back("Contrat.txt"), back("Nouveau 007 .txt"));
    EXPECT_EQ(get("Nouveau 007 .txt"), get("Contrat.txt"));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : stdfs::directory_iterator(dir))
        ++entries;
    EXPECT_EQ(entries, 3);
}

TEST_F(FileSystemTest, FailuresNameThePathAndTouchNothing) {
    put("Convocm007.txt", "ancien");
    try {
        fs.Copy(back("Defaut.txt"), back("Convocm007.txt"));
        FAIL() << "a missing template was copied";
    } catch (const files::FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Le modèle " + dir + "/Defaut.txt est introuvable.");
        EXPECT_EQ(e.path(), dir + "/Defaut.txt");
    }
    EXPECT_EQ(get("Convocm007.txt"), "ancien");

    put("Contrat.txt", "c");
    try {
        fs.Copy(back("Contrat.txt"), back("absent\\Contrat007.txt"));
        FAIL() << "copied into a missing folder";
    } catch (const files::FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Impossible de copier le modèle " + dir +
                                             "/Contrat.txt vers " + dir +
                                             "/absent/Contrat007.txt : dossier introuvable.");
    }

    EXPECT_THROW(fs.ReadFile(back("absent.txt")), files::FileError);
    EXPECT_THROW(fs.WriteFile(back("absent\\x.txt"), "x"), files::FileError);
    EXPECT_FALSE(fs.Exists(back("absent")));
}

TEST_F(FileSystemTest, WriteReadAndFolders) {
    fs.CreateFolder(back("modeles\\sous"));
    EXPECT_TRUE(fs.Exists(back("modeles\\sous")));
    fs.WriteFile(back("modeles\\sous\\Defaut.txt"), "premier");
    fs.WriteFile(back("modeles\\sous\\Defaut.txt"), "second");
    EXPECT_EQ(fs.ReadFile(back("modeles\\sous\\Defaut.txt")), "second");
}

TEST_F(FileSystemTest, RecordingDoubleForwardsRecordsAndFailsOnDemand) {
    put("Contrat.txt", "c");
    put("Defaut.txt", "d");
    files::RecordingFileSystem recording(&fs);
    std::vector<std::string> heard;
    recording.OnCopy([&](const auto& c) { heard.push_back(c.destination); });
    recording.FailOn(dir + "/Opposition007.txt", "disque plein");

    recording.Copy(back("Contrat.txt"), back("Contrat007A1.txt"));
    recording.Copy(back("Defaut.txt"), back("Convocm007.txt"));
    try {
        recording.Copy(back("Defaut.txt"), back("Opposition007.txt"));
        FAIL() << "the failure asked for did not happen";
    } catch (const files::FileError& e) {
        EXPECT_STREQ(e.what(), "disque plein");
    }
    using Copy = files::RecordingFileSystem::CopyMade;
    EXPECT_EQ(recording.Copies(),
              (std::vector<Copy>{{back("Contrat.txt"), back("Contrat007A1.txt")},
                                 {back("Defaut.txt"), back("Convocm007.txt")}}));
    EXPECT_EQ(heard, (std::vector<std::string>{back("Contrat007A1.txt"), back("Convocm007.txt")}));
    EXPECT_EQ(get("Convocm007.txt"), "d");
    EXPECT_FALSE(stdfs::exists(dir + "/Opposition007.txt"));
}

TEST(RecordingFileSystemInMemory, BehavesLikeTheRealOne) {
    files::RecordingFileSystem memory;
    memory.CreateFolder("M:\\modeles");
    EXPECT_TRUE(memory.Exists("M:\\modeles"));
    memory.WriteFile("M:\\modeles\\Defaut.txt", "d");
    memory.Copy("M:\\modeles\\Defaut.txt", "M:/modeles/Convocm007.txt");
    EXPECT_EQ(memory.ReadFile("M:\\modeles\\Convocm007.txt"), "d");
    try {
        memory.Copy("M:\\modeles\\Avenant.txt", "M:\\modeles\\Avenant007A1.txt");
        FAIL() << "a missing template was copied";
    } catch (const files::FileError& e) {
        EXPECT_STREQ(e.what(), "Le modèle M:/modeles/Avenant.txt est introuvable.");
    }
    EXPECT_EQ(memory.Copies().size(), 1u);
}

}  // namespace
