// The operator's lock: a lock that cannot be taken is never taken for one,
// and a lock file deleted while held lets nobody in.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "FileSystem.h"
#include "TempDir.h"

namespace vesk {
namespace {

TEST(FileLock, ALockThatCannotBeTakenIsRefusedNeverBypassed) {
    using R = FileLock::Result;
    const struct {
        const char* co;
        bool trzymana;  // a first holder has it when the lock file is changed
        void (*zmien)(const test::TempDir&);
        R wynik;
        // What the first holder finds at the state file's name then, and
        // says of it.
        FileLock::Guarded stan = FileLock::Guarded::Current;
        const char* tekst = "";
    } przypadki[] = {
        {"symbolic link", false,
         [](const test::TempDir& d) { (void)!::symlink(d.file("gdzie").c_str(), d.file("T.lck").c_str()); }, R::Failed},
        {"FIFO", false, [](const test::TempDir& d) { ::mkfifo(d.file("T.lck").c_str(), 0666); }, R::Failed},
        {"deleted", true, [](const test::TempDir& d) { ::unlink(d.file("T.lck").c_str()); }, R::InUse},
        {"deleted, the state file replaced", true,
         [](const test::TempDir& d) {
             ::unlink(d.file("T.lck").c_str());
             ASSERT_TRUE(replaceFile(d.file("T.qad"), "nowy"));
         },
         R::InUse},
        // A second name of the state file replaced: the lock stays on the
        // state file's own name, the new file there takes none.
        {"deleted, a second name of the state file replaced", true,
         [](const test::TempDir& d) {
             ASSERT_EQ(::link(d.file("T.qad").c_str(), d.file("T.BIK").c_str()), 0);
             ASSERT_TRUE(replaceFile(d.file("T.BIK"), "sprawozdanie"));
             ::unlink(d.file("T.lck").c_str());
         },
         R::InUse},
        {"the state file replaced by hand", true,
         [](const test::TempDir& d) {
             d.write("kopia", "stan");
             std::filesystem::rename(d.file("kopia"), d.file("T.qad"));
         },
         R::InUse, FileLock::Guarded::Replaced, "plik T.qad zosta\xB3 zast\xB9piony innym plikiem"},
        {"the state file moved away", true,
         [](const test::TempDir& d) { std::filesystem::rename(d.file("T.qad"), d.file("przeniesiony")); }, R::InUse,
         FileLock::Guarded::Removed, "plik T.qad zosta\xB3 usuni\xEAty lub przeniesiony"},
        {"moved away, another operator's t.qad beside", true,
         [](const test::TempDir& d) {
             std::filesystem::rename(d.file("T.qad"), d.file("przeniesiony"));
             d.write("t.qad", "stan");
         },
         R::InUse, FileLock::Guarded::Removed, "plik T.qad zosta\xB3 usuni\xEAty lub przeniesiony"},
        {"a look at it failed", true, [](const test::TempDir&) { setFileFault([](std::string_view s) { return s == "stat"; }); },
         R::InUse, FileLock::Guarded::CouldNotTell, "nie uda\xB3o si\xEA sprawdzi\xE6, czy plik T.qad jest wci\xB9\xBF tym otwartym: b\xB3\xB9" "d"},
    };
    for (const auto& p : przypadki) {
        test::TempDir dir;
        dir.write("T.qad", "stan");
        FileLock pierwszy, drugi;
        if (p.trzymana) {
            ASSERT_EQ(pierwszy.lock(dir.file("T.lck"), dir.file("T.qad")), R::Locked) << p.co;
        }
        p.zmien(dir);
        EXPECT_EQ(pierwszy.guardedFile(), p.stan) << p.co;
        EXPECT_EQ(changedFileText(p.stan, "plik T.qad").rfind(p.tekst, 0), 0u) << p.co;
        setFileFault({});
        EXPECT_EQ(drugi.lock(dir.file("T.lck"), dir.file("T.qad")), p.wynik) << p.co;
        EXPECT_FALSE(drugi.locked() || dir.exists("gdzie")) << p.co;
        pierwszy.unlock();
        if (p.trzymana) {
            EXPECT_EQ(drugi.lock(dir.file("T.lck"), dir.file("T.qad")), R::Locked) << p.co;
        }
    }
}

}  // namespace
}  // namespace vesk
