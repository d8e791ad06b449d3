// The operator's lock: a lock that cannot be taken is never taken for one,
// a lock file deleted while held lets nobody in, and a write in place
// changes the locked file alone.
#include <gtest/gtest.h>

#include <string>

#include <sys/stat.h>
#include <unistd.h>

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
    };
    for (const auto& p : przypadki) {
        test::TempDir dir;
        dir.write("T.qad", "stan");
        FileLock pierwszy, drugi;
        if (p.trzymana) {
            ASSERT_EQ(pierwszy.lock(dir.file("T.lck"), dir.file("T.qad")), R::Locked) << p.co;
        }
        p.zmien(dir);
        EXPECT_EQ(drugi.lock(dir.file("T.lck"), dir.file("T.qad")), p.wynik) << p.co;
        EXPECT_FALSE(drugi.locked() || dir.exists("gdzie")) << p.co;
        pierwszy.unlock();
        if (p.trzymana) {
            EXPECT_EQ(drugi.lock(dir.file("T.lck"), dir.file("T.qad")), R::Locked) << p.co;
        }
    }
}

// A write in place goes only into the file locked under that name, and
// only while it has no second name; anything else is refused unwritten.
TEST(FileLock, AWriteInPlaceReachesOnlyTheLockedFileUnderItsOneName) {
    const struct {
        const char* co;
        void (*zmien)(const test::TempDir&);  // while the lock is held
        const char* inny;                     // the other file, which must stay "stan"
        bool zapisano;
    } przypadki[] = {
        {"nothing changed", [](const test::TempDir&) {}, nullptr, true},
        {"a hard link made", [](const test::TempDir& d) { ASSERT_EQ(::link(d.file("T.qad").c_str(), d.file("Y.qad").c_str()), 0); },
         "Y.qad", false},
        {"a copy renamed over it",
         [](const test::TempDir& d) {
             d.write("kopia", "stan");
             ASSERT_EQ(::rename(d.file("kopia").c_str(), d.file("T.qad").c_str()), 0);
         },
         "T.qad", false},
    };
    for (const auto& p : przypadki) {
        test::TempDir dir;
        dir.write("T.qad", "stan");
        FileLock blokada;
        ASSERT_EQ(blokada.lock(dir.file("T.lck"), dir.file("T.qad")), FileLock::Result::Locked) << p.co;
        p.zmien(dir);
        bool nietkniety = false;
        EXPECT_EQ(writeAt(dir.file("T.qad"), 0, "STAN", &nietkniety), p.zapisano) << p.co;
        EXPECT_EQ(nietkniety, !p.zapisano && p.inny != std::string("T.qad")) << p.co;
        EXPECT_EQ(dir.read(p.inny ? p.inny : "T.qad"), p.zapisano ? "STAN" : "stan") << p.co;
        EXPECT_TRUE(p.zapisano || !lastFileError().empty()) << p.co;
    }
}

}  // namespace
}  // namespace vesk
