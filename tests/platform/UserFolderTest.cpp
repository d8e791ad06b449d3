// Folders of the user's own below the cache folder (a link or another
// user's folder on the way, one folder by three paths:
// tests/workbench/PodgladSprawozdanTest.cpp).
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "TempDir.h"
#include "UserFolder.h"

namespace vesk {
namespace {

namespace fs = std::filesystem;

TEST(FolderWlasny, MadeForTheUserAloneInACacheFolderNoOtherMayChange) {
    test::TempDir dir;
    std::string powod;
    const auto folder = [&] { return ownFolder(dir.folder(), {"vesk", "T-1"}, powod); };
    fs::create_directory(dir.file("vesk"));
    fs::permissions(dir.file("vesk"), fs::perms::all);  // as an earlier run made it
    ASSERT_EQ(folder(), dir.folder() + "vesk/T-1/") << powod;
    for (const char* f : {"vesk", "vesk/T-1"}) EXPECT_EQ(fs::status(dir.file(f)).permissions(), fs::perms::owner_all) << f;
    fs::remove_all(dir.file("vesk"));
    fs::permissions(dir.folder(), fs::perms::all);
    EXPECT_EQ(folder(), std::nullopt);
    EXPECT_NE(powod.find("(prawa 777, bez bitu sticky)"), std::string::npos) << powod;
    EXPECT_FALSE(dir.exists("vesk"));
    fs::permissions(dir.folder(), fs::perms::all | fs::perms::sticky_bit);  // as /tmp
    EXPECT_TRUE(folder().has_value()) << powod;
}

// Told with the system's reason, as another user who may not write there.
TEST(FolderWlasny, OneThatCannotBeMadeIsNamedWithTheReason) {
    test::TempDir dir;
    fs::permissions(dir.folder(), fs::perms::all & ~fs::perms::owner_write & ~fs::perms::group_write & ~fs::perms::others_write);
    int rura[2];
    ASSERT_EQ(::pipe(rura), 0);
    const pid_t dziecko = ::fork();
    if (dziecko == 0) {
        std::string p, q;
        if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
        ownFolder(dir.folder(), {"vesk"}, p);
        ownFolder(dir.folder() + "cache", {"vesk"}, q);  // a HOME without .cache
        p += "\n" + q;
        ::_exit(::write(rura[1], p.data(), p.size()) == static_cast<ssize_t>(p.size()) ? 0 : 1);
    }
    ::close(rura[1]);
    char bufor[512];
    const ssize_t n = ::read(rura[0], bufor, sizeof bufor);
    ::close(rura[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(dziecko, &status, 0), dziecko);
    EXPECT_EQ(std::string(bufor, static_cast<std::size_t>(std::max<ssize_t>(n, 0))),
              "nie uda\xB3o si\xEA utworzy\xE6 folderu " + dir.folder() + "vesk/: brak uprawnie\xF1\n"
              "nie uda\xB3o si\xEA utworzy\xE6 folderu " + dir.folder() + "cache/: brak uprawnie\xF1");
    EXPECT_FALSE(dir.exists("vesk"));
}

}  // namespace
}  // namespace vesk
