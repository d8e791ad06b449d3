#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <system_error>

#include <filesystem>
#include <optional>
#include <sstream>
#include <tuple>

#include "CodePage.h"
#include "FileSystem.h"
#include "IoError.h"
#include "Paths.h"
#include "Random.h"
#include "TempDir.h"
#include "UserInterface.h"

namespace vesk {
namespace {

TEST(Paths, BothSeparatorsCount) {
    EXPECT_EQ(folderPart("C:\\a\\b.tr1"), "C:\\a\\");
    EXPECT_EQ(folderPart("/home/a/b.tr1"), "/home/a/");
    EXPECT_EQ(folderPart("C:\\a/b.tr1"), "C:\\a/");
    EXPECT_EQ(folderPart("b.tr1"), "");
    EXPECT_EQ(folderPart(""), "");
    EXPECT_EQ(fileNamePart("C:\\a\\b.tr1"), "b.tr1");
    EXPECT_EQ(fileNamePart("/a/b.tr1"), "b.tr1");
    EXPECT_EQ(fileNamePart("b.tr1"), "b.tr1");
    EXPECT_EQ(fileNamePart("C:\\a\\"), "");
    EXPECT_EQ(fileNamePart(""), "");
}

TEST(Paths, FoldersEndWithSlashAndJoinInsertsOneSeparator) {
    EXPECT_EQ(normalizeFolder("D:\\T\\"), "D:/T/");
    EXPECT_EQ(normalizeFolder("/data"), "/data/");
    EXPECT_EQ(normalizeFolder("/data/"), "/data/");
    EXPECT_EQ(normalizeFolder(""), "");
    EXPECT_EQ(joinPath("/a/", "x.qad"), "/a/x.qad");
    EXPECT_EQ(joinPath("/a", "x.qad"), "/a/x.qad");
    EXPECT_EQ(joinPath("C:\\a\\", "x.qad"), "C:\\a\\x.qad");
    EXPECT_EQ(joinPath("", "x.qad"), "x.qad");
}

TEST(FileSystem, FindsFilesAndFoldersWithoutRegardToCase) {
    test::TempDir dir;
    dir.write("Operator/Sub/Name.QAD", "abc");
    EXPECT_TRUE(fileExists(dir.folder() + "operator/SUB/name.qad"));
    EXPECT_TRUE(fileExists(dir.folder() + "OPERATOR\\sub\\NAME.qad"));
    EXPECT_TRUE(folderExists(dir.folder() + "OPERATOR/sub/"));
    EXPECT_FALSE(fileExists(dir.folder() + "operator/sub"));  // a folder is not a file
    EXPECT_FALSE(folderExists(dir.folder() + "operator/sub/name.qad"));
    EXPECT_FALSE(fileExists(dir.folder() + "operator/sub/other.qad"));
    EXPECT_TRUE(fileExists(dir.folder() + "operator/sub/*.QAD"));
    EXPECT_TRUE(fileExists(dir.folder() + "operator/sub/n?me.qad"));
    EXPECT_FALSE(fileExists(dir.folder() + "operator/sub/*.tr1"));

    BinaryFile f;
    ASSERT_TRUE(f.open(dir.folder() + "OPERATOR/SUB/NAME.QAD", BinaryFile::Mode::Read));
    char buf[8] = {};
    EXPECT_EQ(f.read(buf, sizeof buf), 3u);
    EXPECT_EQ(std::string(buf, 3), "abc");
    f.close();

    EXPECT_TRUE(removeFile(dir.folder() + "operator/sub/NAME.qad"));
    EXPECT_FALSE(dir.exists("Operator/Sub/Name.QAD"));
    EXPECT_FALSE(removeFile(dir.folder() + "operator/sub/NAME.qad"));
}

TEST(FileSystem, CreatesWithTheGivenSpellingAndReplacesACaseTwin) {
    test::TempDir dir;
    dir.write("Out/name.bik", "old");
    ASSERT_TRUE(writeTextLines(dir.folder() + "OUT/NAME.BIK", {"a", "b"}));
    EXPECT_TRUE(dir.exists("Out/NAME.BIK"));
    EXPECT_FALSE(dir.exists("Out/name.bik"));
    EXPECT_EQ(dir.read("Out/NAME.BIK"), "a\r\nb\r\n");
}

TEST(FileSystem, TextLinesAcceptCrLfAndLfAndALoneCrWhereAsked) {
    test::TempDir dir;
    dir.write("t.txt", "one\r\ntwo\nthree");
    auto lines = readTextLines(dir.file("T.TXT"), 14);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_FALSE(readTextLines(dir.file("missing.txt"), 14));
    EXPECT_FALSE(readTextLines(dir.folder(), 14));
    // A read stops one byte past its bound, whatever the size said: a
    // file of size 0 that never ends is refused as too big.
    std::filesystem::create_symlink("/proc/self/pagemap", dir.file("bez-konca.txt"));
    for (const auto& [nazwa, granica, tekst] : {std::tuple{"t.txt", 13, "13 bajt\xF3w"}, {"bez-konca.txt", 2 << 20, "2 MB"}}) {
        EXPECT_FALSE(readTextLines(dir.file(nazwa), granica)) << nazwa;
        EXPECT_EQ(lastFileError(), std::string("plik jest za du\xBFy (ponad ") + tekst + ")");
    }
    EXPECT_EQ(splitTextLines("a\rb\r\n"), (std::vector<std::string>{"a\rb"}));
    EXPECT_EQ(splitTextLines("a\rb\r\r\nc\r", LoneCr::EndsLine), (std::vector<std::string>{"a", "b", "", "c"}));
}

TEST(FileSystem, BinaryFileUpdateAndSize) {
    test::TempDir dir;
    BinaryFile f;
    EXPECT_FALSE(f.open(dir.file("x.bin"), BinaryFile::Mode::Update));
    ASSERT_TRUE(f.open(dir.file("x.bin"), BinaryFile::Mode::Create));
    EXPECT_TRUE(f.write("abcdef", 6));
    EXPECT_EQ(f.size().value(), 6u);
    ASSERT_TRUE(f.seek(2));
    char c[2];
    EXPECT_EQ(f.read(c, 2), 2u);
    EXPECT_TRUE(f.write("XY", 2));  // a write right after a read
    EXPECT_TRUE(f.close());
    EXPECT_EQ(dir.read("x.bin"), "abcdXY");
}

TEST(FileSystem, NonAsciiNamesMatchWithoutRegardToCase) {
    test::TempDir dir;
    dir.write(cp1250ToUtf8("\xA3\xF3" "d\xBC.txt"), "x");  // "Łódź.txt" spelled in cp1250
    EXPECT_TRUE(fileExists(dir.folder() + "\xB3\xD3" "D\xBC.TXT"));  // "łÓDź.TXT"
}

// Files whose names are not UTF-8 (two operators unpacked from a Windows
// archive in code page 1250) or hold characters code page 1250 lacks: no
// core name finds them, as their lossy conversion to "Za????" once did.
TEST(FileSystem, NamesCodePage1250CannotSpellAreFoundByNoPath) {
    test::TempDir dir;
    for (const char* nazwa : {"Za\xBF\xF3\xB3\xE6.qad", "Za\xE6\xE6\xE6\xE6.qad", "\xD0\x96uk.qad"}) dir.write(nazwa, "x");
    for (const char* podana : {"Za????.qad", "ZA????.QAD", "?uk.qad", "Za\xE6\xE6\xE6\xE6.qad", "Za\xBF\xF3\xB3\xE6.qad"}) {
        EXPECT_FALSE(findExisting(dir.folder() + podana)) << podana;
        EXPECT_FALSE(fileExists(dir.folder() + podana)) << podana;
    }
    EXPECT_FALSE(fileExists(dir.folder() + "Za*.qad"));
    // In from outside: carried unchanged or refused, named readably.
    const std::tuple<std::string, std::optional<std::string>, std::string> nazwy[] = {
        {"R\xC3\xB3\xC5\xBCyczka.tr1", "R\xF3\xBFyczka.tr1", "R\xF3\xBFyczka.tr1"},
        {"Za\xE6\xE6.tr1", std::nullopt, "Za\\xE6\\xE6.tr1"},
        {"\xD0\x96uk", std::nullopt, "\\u0416uk"},
        {"a\nb", "a\nb", "a\\x0Ab"},
        {"Za\xEF\xBF\xBD", std::nullopt, "Za\\uFFFD"},
        {"\xF0\x9F\x98\x80" "1", std::nullopt, "\\U0001F6001"},  // an emoji, then "1": not U+1F60 and "01"
    };
    for (const auto& [natywna, core, czytelna] : nazwy) {
        EXPECT_EQ(fileNameToCp1250(natywna), core) << natywna;
        EXPECT_EQ(readableFileName(natywna), czytelna) << natywna;
        const char* powod = natywna[0] == '\xD0' || natywna[0] == '\xF0' ? " ma znaki spoza" : " nie jest zapisana w UTF-8";
        if (!core) EXPECT_NE(unusableFileNameMessage(natywna).find(czytelna + powod), std::string::npos) << natywna;
    }
}

// A lookup answers there, not there (no such entry, a file where a folder
// is to be) or could not tell (any other error of a stat or a listing,
// named); on the last nothing is made.
TEST(FileSystem, ALookupTellsThereNotThereAndCouldNotTell) {
    test::TempDir dir;
    dir.write("T.tr1", "d/r 0");
    const struct {
        const char *nazwa, *krok;  // the step failed, with blad
        int blad;
        bool jest;
    } wiersze[] = {{"T.tr1", "", 0, true},           {"t.tr1", "", 0, true},           {"brak.tr1", "", 0, false},
                   {"T.tr1/x.tr1", "", 0, false},    {"T.tr1", "stat", EIO, false},    {"t.tr1", "list", EACCES, false},
                   {"brak.tr1", "list", EIO, false}, {"brak/x", "stat", EACCES, false}};
    for (const auto& w : wiersze) {
        SCOPED_TRACE(std::string(w.nazwa) + " " + w.krok);
        setFileFault([k = std::string(w.krok)](std::string_view s) { return s == k; }, w.blad);
        EXPECT_EQ(findExisting(dir.file(w.nazwa)).has_value(), w.jest);
        EXPECT_EQ(lookupError(), w.blad);
        EXPECT_EQ(fileExists(dir.file(w.nazwa)), w.jest);
        EXPECT_EQ(lookupError(), w.blad);
        EXPECT_EQ(folderEntries(dir.folder()).has_value(), !w.blad);
        if (w.blad) {
            EXPECT_FALSE(replaceFile(dir.file(w.nazwa), "x"));
            EXPECT_EQ(lastFileError(), fileErrorText(w.blad));
        }
        setFileFault({});
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.folder()), {}), 1);
    }
}

// An entry the folder holds that cannot be followed (a link to nothing, a
// loop of links) is no missing file, in any spelling: its lookup could not
// tell, naming the link and where it points, and nothing takes its place;
// the folder's listing leaves it aside with its reason, the rest listed.
TEST(FileSystem, AnEntryThatCannotBeFollowedIsNoMissingFile) {
    test::TempDir dir;
    dir.write("A.tr1", "d/r 0");
    for (const auto& [nazwa, inna, cel, powod] :
         {std::tuple{"VE-SK.INI", "ve-sk.ini", "/nie-ma/VE-SK.INI", "VE-SK.INI wskazuje na /nie-ma/VE-SK.INI, kt\xF3rego nie ma"},
          {"zz", "ZZ", "zz", "p\xEAtla dowi\xB9za\xF1 symbolicznych"}}) {
        std::filesystem::create_symlink(cel, dir.file(nazwa));
        for (const char* podana : {nazwa, inna}) {
            EXPECT_TRUE(!findExisting(dir.file(podana)) && lookupError() && !fileExists(dir.file(podana)) && lookupError());
            EXPECT_NE(lastFileError().find(powod), std::string::npos) << lastFileError();
            EXPECT_TRUE(!replaceFile(dir.file(podana), "x") && std::filesystem::is_symlink(dir.file(nazwa))) << podana;
        }
        const std::optional<FolderEntries> wpisy = folderEntries(dir.folder());
        ASSERT_TRUE(wpisy && wpisy->unreadable.size() == 1 && wpisy->unreadable[0].name == nazwa) << nazwa;
        EXPECT_EQ(wpisy->files, std::vector<std::string>{"A.tr1"});
        EXPECT_NE(wpisy->unreadable[0].reason.find(powod), std::string::npos);
        std::filesystem::remove(dir.file(nazwa));
    }
}

// No open of a file to read or write takes a named pipe, which is named
// (the test holds its other end, so that nothing here can block).
TEST(FileSystem, NoOpenTakesANamedPipe) {
    test::TempDir dir;
    const std::string potok = dir.file("p");
    ASSERT_EQ(::mkfifo(potok.c_str(), 0600), 0);
    const int koniec = ::open(potok.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    BinaryFile f;
    TextWriter t;
    const std::function<bool()> otwarcia[] = {
        [&] { return f.open(potok, BinaryFile::Mode::Read); }, [&] { return f.open(potok, BinaryFile::Mode::Update); },
        [&] { return f.open(potok, BinaryFile::Mode::Create); }, [&] { return t.create(potok); },
        [&] { return writeAt(potok, 0, "x"); }};
    for (const auto& otworz : otwarcia) {
        EXPECT_FALSE(otworz());
        EXPECT_EQ(lastFileError(), "to jest potok nazwany (FIFO)");
    }
    ::close(koniec);
}

// Every system error is told in Polish, naming the limit where a limit is
// the cause.
TEST(FileSystem, SystemErrorsAreToldInPolishWithTheirLimit) {
    const std::pair<int, const char*> wiersze[] = {
        {ENAMETOOLONG, "najwy\xBF" "ej 255 bajt\xF3w"}, {EMFILE, "limit otwartych plik\xF3w programu ("},
        {ENOMEM, "brak pami\xEA" "ci"}, {EINTR, "przerwane sygna\xB3" "em"}, {EBUSY, "zaj\xEAte"}, {12345, "nr 12345"}};
    for (const auto& [blad, tekst] : wiersze) {
        EXPECT_NE(fileErrorText(blad).find(tekst), std::string::npos) << fileErrorText(blad);
        EXPECT_EQ(fileErrorText(blad).find(std::strerror(blad)), std::string::npos) << blad;
    }
    EXPECT_EQ(exceptionText(std::bad_alloc()), fileErrorText(ENOMEM));
    EXPECT_EQ(exceptionText(std::system_error(EINTR, std::generic_category())), fileErrorText(EINTR));
}

// A refusal in a box keeps its end: its lines wrapped (at blanks, else
// after a separator), as many as the box holds, the last ones kept.
TEST(Komunikaty, ALongRefusalKeepsItsEndWithinTheBox) {
    const std::string f = utf8ToCp1250("/tmp/folder-o-dlugiej-nazwie-xxxxxxxxxxxxxxxxxxxxxxxxxx/Łąka żółta/OPERATOR/");
    std::string wiele = "Plik X.tr1: nazwa niejednoznaczna";
    for (int i = 0; i < 400; ++i) wiele += ", " + f + "p" + std::to_string(i) + ".tr1";
    const std::string teksty[] = {
        "Plik " + f + "AB.tr1: " + ambiguousNameText({f + "Ab.tr1", f + "aB.tr1"}),
        unusableFolderMessage("/tmp/x/\xD0\x94\xD0\xBE\xD0\xBC", "zmienna \x9Crodowiska VESK_HOME",
                              "nale\xBFy wskaza\xE6 w VESK_HOME folder o nazwie ze znak\xF3w strony kodowej 1250 "
                              "(np. polskich liter) albo zmieni\xE6 nazw\xEA folderu"),
        "/" + std::string(150, 'a') + "/" + std::string(150, 'b') + ".tr1",
        wiele + "; nale\xBFy poda\xE6 nazw\xEA dok\xB3" "adnie tak, jak jest zapisana"};
    const auto bez = [](std::string t) { return std::erase_if(t, [](char c) { return c == ' ' || c == '\n'; }), t; };
    for (const std::string& m : teksty) {
        const std::string t = shortenedText(m, 30, 200);
        std::istringstream wiersze(t);
        std::size_t n = 0;
        for (std::string w; std::getline(wiersze, w); ++n) EXPECT_LE(w.size(), 200u) << w;
        EXPECT_LE(n, 30u);
        EXPECT_TRUE(bez(t).ends_with(bez(m).substr(bez(m).size() - 60))) << t;  // the files, the advice
        if (&m != &teksty[3]) {
            EXPECT_EQ(bez(t), bez(m)) << t;  // nothing lost
        }
    }
    EXPECT_EQ(shortenedText(teksty[2], 30, 200).substr(0, 153), "/" + std::string(150, 'a') + "/\n");
    EXPECT_NE(shortenedText(teksty[3], 30, 200).find("\n\x85 (pomini\xEAto wierszy: "), std::string::npos);
}

TEST(CodePage, ConvertsPolishLetters) {
    const std::string cp1250 = "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF";
    const std::string utf8 = "ĄĆĘŁŃÓŚŹŻąćęłńóśźż";
    EXPECT_EQ(cp1250ToUtf8(cp1250), utf8);
    EXPECT_EQ(utf8ToCp1250(utf8), cp1250);
    EXPECT_EQ(utf8ToCp1250("abc"), "abc");
    EXPECT_EQ(utf8ToCp1250("\xE2\x82"), "??");  // a truncated sequence does not hang
    EXPECT_EQ(cp852ToUtf8("\xA5\x86"), "ąć");
    EXPECT_EQ(cp852ToCp1250("\xA5"), "\xB9");
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_EQ(foldCaseCp1250(cp1250[i]), cp1250[i + 9]);
}

TEST(Random, SequenceFromSeedZero) {
    Random r;
    std::uint32_t expected[] = {0, 12, 344, 81, 109};
    for (auto e : expected) EXPECT_EQ(r.draw(400), e);
    r.reseed(0);
    EXPECT_EQ(r.draw(400), 0u);
    EXPECT_EQ(r.seed(), 1u);
}

}  // namespace
}  // namespace vesk
