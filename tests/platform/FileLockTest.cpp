// The operator's lock: a lock that cannot be taken is never taken for one,
// and a lock file deleted while held lets nobody in.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "FileSystem.h"
#include "TempDir.h"

namespace vesk {
namespace {

TEST(FileLock, ALockThatCannotBeTakenIsRefusedNeverBypassed) {
    using R = FileLock::Result;
    struct {
        const char* co;
        std::function<void(const test::TempDir&)> przygotuj;
        R wynik;
    } przypadki[] = {
        {"dangling symbolic link",
         [](const test::TempDir& d) { ASSERT_EQ(::symlink(d.file("gdzie/T.lck").c_str(), d.file("T.lck").c_str()), 0); },
         R::Failed},
        {"symbolic link to a file",
         [](const test::TempDir& d) {
             d.write("inny.lck", "");
             ASSERT_EQ(::symlink(d.file("inny.lck").c_str(), d.file("T.lck").c_str()), 0);
         },
         R::Failed},
        {"folder", [](const test::TempDir& d) { ASSERT_EQ(::mkdir(d.file("T.lck").c_str(), 0777), 0); }, R::Failed},
        {"FIFO", [](const test::TempDir& d) { ASSERT_EQ(::mkfifo(d.file("T.lck").c_str(), 0666), 0); }, R::Failed},
        {"socket",
         [](const test::TempDir& d) {
             const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
             sockaddr_un a{};
             a.sun_family = AF_UNIX;
             std::strncpy(a.sun_path, d.file("T.lck").c_str(), sizeof a.sun_path - 1);
             ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
             ::close(s);
         },
         R::Failed},
        {"lock file deleted while held",
         [](const test::TempDir& d) { ASSERT_EQ(::unlink(d.file("T.lck").c_str()), 0); }, R::InUse},
        {"lock file deleted, the state file replaced while held",
         [](const test::TempDir& d) {
             ASSERT_EQ(::unlink(d.file("T.lck").c_str()), 0);
             ASSERT_TRUE(replaceFile(d.file("T.qad"), "nowy"));
         },
         R::InUse},
    };
    for (const auto& p : przypadki) {
        test::TempDir dir;
        dir.write("T.qad", "stan");
        FileLock pierwszy;
        const bool trzyma = std::string(p.co).find("held") != std::string::npos;
        if (trzyma) ASSERT_EQ(pierwszy.lock(dir.file("T.lck"), dir.file("T.qad")), R::Locked) << p.co;
        p.przygotuj(dir);
        FileLock drugi;
        EXPECT_EQ(drugi.lock(dir.file("T.lck"), dir.file("T.qad")), p.wynik) << p.co;
        EXPECT_FALSE(drugi.locked()) << p.co;
        if (p.wynik == R::Failed) EXPECT_FALSE(lastFileError().empty()) << p.co;
        EXPECT_FALSE(dir.exists("gdzie")) << p.co;
        pierwszy.unlock();
        if (trzyma) EXPECT_EQ(drugi.lock(dir.file("T.lck"), dir.file("T.qad")), R::Locked) << p.co;
    }
}

}  // namespace
}  // namespace vesk
