// Whole-file replacement: the new contents reach the file only complete;
// a failure at any step leaves the old file byte for byte and no stray
// file in the folder.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "FileSystem.h"
#include "TempDir.h"

namespace vesk {
namespace {

std::vector<std::string> entries(const test::TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.folder())) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

struct FaultGuard {
    explicit FaultGuard(std::string step) {
        setFileFault([step](std::string_view s) { return s == step; });
    }
    ~FaultGuard() { setFileFault({}); }
};

TEST(ReplaceFile, ReplacesCreatesAndKeepsThePermissions) {
    test::TempDir dir;
    dir.write("stan.qad", std::string(100, 'a'));
    ::chmod(dir.file("stan.qad").c_str(), 0640);
    ASSERT_TRUE(replaceFile(dir.file("stan.qad"), std::string(50, 'b')));
    EXPECT_EQ(dir.read("stan.qad"), std::string(50, 'b'));
    struct stat st;
    ASSERT_EQ(::stat(dir.file("stan.qad").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    ASSERT_TRUE(replaceFile(dir.file("nowy.ini"), "x\r\n"));
    EXPECT_EQ(dir.read("nowy.ini"), "x\r\n");
    ASSERT_TRUE(replaceFile(dir.file("pusty"), ""));
    EXPECT_TRUE(dir.exists("pusty"));
    EXPECT_EQ(entries(dir), (std::vector<std::string>{"nowy.ini", "pusty", "stan.qad"}));
}

TEST(ReplaceFile, KeepsTheExistingSpellingWhenAsked) {
    test::TempDir dir;
    dir.write("Stan.QAD", "old");
    ASSERT_TRUE(replaceFile(dir.file("STAN.qad"), "new", true));
    EXPECT_EQ(entries(dir), (std::vector<std::string>{"Stan.QAD"}));
    EXPECT_EQ(dir.read("Stan.QAD"), "new");
    ASSERT_TRUE(replaceFile(dir.file("STAN.qad"), "newer"));
    EXPECT_EQ(entries(dir), (std::vector<std::string>{"STAN.qad"}));
}

TEST(ReplaceFile, AFailureAtAnyStepLeavesTheOldFileAndNoStrayFile) {
    for (const char* step : {"create", "write", "sync", "rename"}) {
        test::TempDir dir;
        const std::string old(22480, '\x5A');
        dir.write("stan.qad", old);
        {
            FaultGuard fault(step);
            EXPECT_FALSE(replaceFile(dir.file("stan.qad"), std::string(44960, '\x01'))) << step;
            EXPECT_FALSE(replaceFile(dir.file("brak.qad"), "x")) << step;
            // A text written line by line (a report) is flushed too.
            TextWriter raport;
            ASSERT_TRUE(raport.create(dir.file("raport.nowy")));
            EXPECT_EQ(raport.close(), std::string_view(step) != "sync") << step;
        }
        std::filesystem::remove(dir.file("raport.nowy"));
        EXPECT_EQ(dir.read("stan.qad"), old) << step;
        EXPECT_EQ(entries(dir), (std::vector<std::string>{"stan.qad"})) << step;
    }
}

// The folder is flushed after the rename: where that fails, the new file
// is in place and the failure says so (not that nothing changed).
TEST(ReplaceFile, AFolderThatCannotBeFlushedAfterTheRenameIsToldAsSuch) {
    test::TempDir dir;
    dir.write("stan.qad", "stary");
    dir.write("drzewo.nowy", "nowe");
    FaultGuard fault("sync folder");
    const struct {
        const char* co;
        std::function<bool()> zapis;
        const char *plik, *tresc;
    } przypadki[] = {
        {"replaceFile", [&] { return replaceFile(dir.file("stan.qad"), "nowy"); }, "stan.qad", "nowy"},
        {"renameFile", [&] { return renameFile(dir.file("drzewo.nowy"), dir.file("drzewo.tr1")); }, "drzewo.tr1", "nowe"},
    };
    for (const auto& p : przypadki) {
        EXPECT_FALSE(p.zapis()) << p.co;
        EXPECT_TRUE(lastFailureAfterRename()) << p.co;
        EXPECT_NE(lastFileError().find("awaria zasilania"), std::string::npos) << lastFileError();
        EXPECT_EQ(dir.read(p.plik), p.tresc) << p.co;
    }
    EXPECT_EQ(entries(dir), (std::vector<std::string>{"drzewo.tr1", "stan.qad"}));
}

TEST(ReplaceFile, AMissingFolderOrAFullDeviceFails) {
    test::TempDir dir;
    EXPECT_FALSE(replaceFile(dir.file("brak/plik.txt"), "x"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("brak")));
    // A text file through the same path: the settings file.
    dir.write("VE-SK.INI", "stare");
    {
        FaultGuard fault("write");
        EXPECT_FALSE(writeTextLines(dir.file("VE-SK.INI"), {"[Katalogi]"}));
    }
    EXPECT_EQ(dir.read("VE-SK.INI"), "stare");
    // What is no regular file is refused, naming its kind, never renamed
    // over: a pipe, a link to a device, a folder.
    ASSERT_EQ(::mkfifo(dir.file("potok").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/null", dir.file("urzadzenie"));
    std::filesystem::create_directory(dir.file("folder"));
    for (const char* nazwa : {"potok", "urzadzenie", "folder"}) {
        EXPECT_FALSE(replaceFile(dir.file(nazwa), "x", false, Flush::No)) << nazwa;
        EXPECT_FALSE(lastFileError().empty()) << nazwa;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("potok")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("urzadzenie")));
    EXPECT_EQ(entries(dir), (std::vector<std::string>{"VE-SK.INI", "folder", "potok", "urzadzenie"}));
}

}  // namespace
}  // namespace vesk
