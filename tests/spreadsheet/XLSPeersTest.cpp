// Other writers' workbooks (scripts/make-xls-fixtures-peers.sh), read and
// saved ten times as their readers show them.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

#include "CodePage.h"
#include "CompoundFile.h"
#include "EXLSError.h"
#include "TempDir.h"
#include "XLSBuilder.h"
#include "XLSMini.h"
#include "XLSOracle.h"

namespace vesk {
namespace {

using test::B;
using test::Rec;
using Bodies = std::vector<std::vector<std::uint8_t>>;

std::string fixture(const std::string& name) { return std::string(VESK_SOURCE_DIR) + "tests/spreadsheet/data/" + name; }

// The file's bytes after `saves` reads and writes by the library.
std::vector<std::uint8_t> saved(const std::string& name, int saves) {
    std::ifstream in(fixture(name), std::ios::binary);
    std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)), {});
    for (int i = 0; i < saves; ++i) {
        TXLSMini xls;
        xls.ReadStream(&file);
        xls.WriteStream(&file);
    }
    return file;
}

// Bodies of the workbook stream's records of that id; of every record
// with its id in front for id 0xFFFF.
Bodies bodiesOf(const std::vector<std::uint8_t>& file, std::uint16_t id) {
    std::vector<std::uint8_t> s = file;
    if (isCompoundFile(file.data(), file.size()))
        for (const CompoundEntry& e : readCompoundFile(file.data(), file.size()).children)
            if (e.name == "Workbook" || e.name == "Book") s = e.data;
    Bodies out;
    for (std::size_t p = 0, n; p + 4 <= s.size(); p += 4 + n) {
        n = s[p + 2] | (s[p + 3] << 8);
        const std::size_t from = id == 0xFFFF ? p : p + 4;
        if (id == 0xFFFF || (s[p] | (s[p + 1] << 8)) == id)
            out.emplace_back(s.begin() + from, s.begin() + std::min(s.size(), p + 4 + n));
    }
    return out;
}

std::u16string read(const std::vector<std::uint8_t>& bytes, int col, int row, bool formula,
                    std::u16string* notice = nullptr) {
    TXLSMini xls;
    if (notice)  // every notice, one a line
        xls.OnNotify = [notice](auto t) { *notice += (notice->empty() ? u"" : u"\n") + std::u16string(t); };
    xls.ReadStream(&bytes);
    TSheet& s = xls.Sheets().Items(0);
    return formula ? s.AsFormula(col, row) : s.AsString(col, row);
}

// What a Python script prints given the workbook's first sheet as xlrd
// reads it (s).
std::string xlrdSheet0(const std::vector<std::uint8_t>& bytes, const std::string& script) {
    test::TempDir dir;
    std::ofstream(dir.file("x.xls"), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                            static_cast<std::streamsize>(bytes.size()));
    int status = 0;
    return test::runPython("import sys, xlrd\ns = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n" + script,
                           dir.file("x.xls"), status);
}

// Formula texts of sheet 0 (column, row: text), as read and after ten saves.
void expectFormulas(const std::string& file, const std::map<std::pair<int, int>, std::string>& expected) {
    for (int saves : {0, 10})
        for (const auto& [cell, text] : expected)
            EXPECT_EQ(utf16ToUtf8(read(saved(file, saves), cell.first, cell.second, true)), text)
                << file << " " << saves << " " << cell.first << "," << cell.second;
}

TEST(XLSPeers, Biff5TextOverOneRecordReadWhole) {
    std::ifstream csv(fixture("gn-dlugi-tekst.csv"), std::ios::binary);  // gnumeric's source
    int row = 0;
    for (std::string line; std::getline(csv, line); ++row)
        EXPECT_EQ(read(saved("gn-dlugi-tekst-biff5.xls", 0), 0, row, false), utf8ToUtf16(line.substr(0, line.find(','))));
    EXPECT_EQ(row, 4);
    // A LABEL or a formula's STRING (label false) whose CONTINUE is missing
    // keeps what it holds, as other readers do, with a notice.
    for (const auto& [label, continued] : std::vector<std::pair<bool, bool>>{{true, true}, {true, false}, {false, false}}) {
        std::vector<Rec> cells = {{BIFFID_LABEL, B().u16(0).u16(0).u16(15).u16(3000).bytes(std::string(2072, 'a'))}};
        if (!label)
            cells = {{BIFFID_FORMULA, B().u16(0).u16(0).u16(15).u32(0).u16(0).u16(0xFFFF).u16(0).u32(0).u16(1).u8(0x16)},
                     {BIFFID_STRING, B().u16(3000).bytes(std::string(2072, 'a'))}};
        if (continued) cells.push_back({BIFFID_CONTINUE, B().bytes(std::string(928, 'b'))});
        std::u16string notice;
        const auto book = test::compound(test::bookStream(false, {}, {{u"A", 0, 0, cells}}), "Book");
        EXPECT_EQ(read(book, 0, 0, false, &notice), utf8ToUtf16(std::string(2072, 'a') + std::string(continued ? 928 : 0, 'b')));
        EXPECT_EQ(utf16ToUtf8(notice), continued ? "" : "Sheet \"A\", cell A1: the file holds 2072 of its 3000 characters");
    }
}

TEST(XLSPeers, Biff8TextContinuedWithoutOptionBytesReadWhole) {
    // gnumeric splits a long formula text's bytes over STRING and CONTINUE
    // as they come, with no option byte, inside a 16-bit character too
    // ({=REPT("x";9000)&B1:B2}, 8,221 + 780 characters). Read
    // bare where no option byte can start the rest, else as before; in the
    // SST as well, a rich string's runs counted.
    using Bytes = std::vector<std::uint8_t>;
    auto wide = [](std::u16string_view t) { B b; for (char16_t c : t) b.u16(c); return b.v(); };
    auto cat = [](Bytes a, const Bytes& b) { a.insert(a.end(), b.begin(), b.end()); return a; };
    const std::u16string x9001 = std::u16string(9000, u'x') + u"a", z4200(4200, u'ż');
    const Bytes x8221 = B().bytes(std::string(8221, 'x')), x780 = B().bytes(std::string(779, 'x') + "a");
    const Bytes z4110 = wide(z4200.substr(0, 4110));
    struct Case { bool sst; std::u16string text; std::uint8_t option; Bytes first, rest; };
    for (const Case& c : std::vector<Case>{
             {false, x9001, 0, x8221, x780},
             {false, z4200, 1, z4110, wide(z4200.substr(4110))},                           // starts 7C 01
             {false, z4200, 1, cat(z4110, {0x7C}), cat({0x01}, wide(z4200.substr(4111)))},  // ż cut: 7C | 01
             {false, x9001, 0, x8221, cat({0x00}, x780)},                                   // option bytes
             {false, z4200.substr(0, 4110) + u"ab", 1, cat(z4110, {0x00}), {0x00, 'a', 'b'}},  // a byte unused
             {true, u"abcde", 0, B().bytes("abc"), B().bytes("de")},
             {true, u"abcde", 0, B().bytes("abc"), cat({0x01}, wide(u"de"))},
             {true, u"abcde", 0x08, B().bytes("abc"), B().bytes("de").u16(0).u16(0)}}) {  // one run after
        Bytes head = B().u16(static_cast<unsigned>(c.text.size())).u8(c.option);
        if (c.option & 0x08) head = cat(head, B().u16(1));
        std::vector<Rec> sst = {{BIFFID_SST, cat(B().u32(1).u32(1), cat(head, c.first))}, {BIFFID_CONTINUE, c.rest}};
        std::vector<Rec> cells = {{BIFFID_LABELSST, B().u16(0).u16(5).u16(15).u32(0)}};
        if (!c.sst) {  // F1 = {...}, its text in STRING
            sst.clear();
            cells = {{BIFFID_FORMULA, B().u16(0).u16(5).u16(15).u8(0).zeros(5).u16(0xFFFF).u16(0).u32(0).u16(5).u8(1)
                                          .u16(0).u16(5)},
                     {BIFFID_ARRAY, B().u16(0).u16(0).u8(5).u8(5).u16(0).u32(0).u16(3).u8(0x1E).u16(4)},
                     {BIFFID_STRING, cat(head, c.first)}, {BIFFID_CONTINUE, c.rest}};
        }
        std::vector<std::uint8_t> file = test::compound(test::bookStream(true, {}, {{u"Tablice", 0, 0, cells}}, sst));
        for (int save = 0; save < 2; ++save) {  // as read, then saved and read again
            TXLSMini xls;
            std::u16string notice;
            xls.OnNotify = [&notice](std::u16string_view text) { notice = text; };
            xls.ReadStream(&file);
            TSheet& s = xls.Sheets().Items(0);
            const auto* array = dynamic_cast<const TArrayFormulaCell*>(s.Cell(5, 0));
            const std::u16string text = c.sst ? s.AsString(5, 0) : array ? array->Text : u"no array formula";
            EXPECT_TRUE(text == c.text) << text.size() << " of " << c.text.size() << ", save " << save;
            EXPECT_EQ(utf16ToUtf8(notice), "");
            xls.WriteStream(&file);
        }
    }
}

TEST(XLSPeers, Biff8RichTextCutInsideACharacterReadWholeAndSavedWhole) {
    // gnumeric's RSTRING of a bold run and a long text, cut inside "ą" (A1)
    // and, the next record starting with the byte 00, inside "l" (A2, four
    // records); read whole with its runs, saved whole (xlrd reads the save).
    auto textOf = [](const std::u16string& bold, int times) {
        std::u16string t = bold;
        for (int i = 0; i < times; ++i) t += u"gęślą jaźń ";
        return t;
    };
    const std::u16string texts[] = {textOf(u"Pogrubione ", 500), textOf(u"Pogrubiony: ", 1145)};
    std::vector<std::uint8_t> file = saved("gn-bogaty-dlugi-biff8.xls", 0);
    for (int save = 0; save <= 10; ++save) {
        TXLSMini xls;
        std::u16string notice;
        xls.OnNotify = [&notice](std::u16string_view text) { notice = text; };
        xls.ReadStream(&file);
        for (int row = 0; row < 2; ++row) {
            const auto* cell = dynamic_cast<const TStringCell*>(xls.Sheets().Items(0).Cell(0, row));
            ASSERT_TRUE(cell && cell->Entry) << save << " " << row;
            const std::u16string text = TSSTMini::Text(*cell->Entry);
            EXPECT_TRUE(text == texts[row]) << save << " " << row << ": " << text.size() << " characters";
            ASSERT_EQ(cell->Entry->RunCount, 2u) << save << " " << row;
            EXPECT_EQ(cell->Entry->Data[cell->Entry->CharBytes() + 4], texts[row].find(u"gęślą")) << save << " " << row;
        }
        EXPECT_EQ(utf16ToUtf8(notice), "") << save;
        xls.WriteStream(&file);
    }
    if (!test::requireOracle("xlrd")) return;
    EXPECT_EQ(xlrdSheet0(file, "t = \"gęślą jaźń \"\n"
                               "print(s.cell_value(0, 0) == \"Pogrubione \" + t * 500, "
                               "s.cell_value(1, 0) == \"Pogrubiony: \" + t * 1145)\n"),
              "True True\n");
}

TEST(XLSPeers, Biff8TextContinuationByItsByteTotal) {
    // LABEL (runs counted in its header) and RSTRING (counted after the
    // characters) cut inside "ż" (7C | 01), the CONTINUE holding the rest
    // bare; an RSTRING whole with an option byte; a rest both readings fit
    // ("é" cut: E9 | 00 'c' 'd'), read with option bytes and named in a
    // notice, unless the option byte's reading gives a control character
    // (a cut "ü" or "ó", LABEL and a formula's STRING); a rest neither fits,
    // read as the bytes give every character, one notice. A count one above
    // what the records hold, each CONTINUE with its option byte: the bare
    // reading fits by taking those for characters; the text as held, named.
    using Bytes = std::vector<std::uint8_t>;
    auto wide = [](std::u16string_view t) { B b; for (char16_t c : t) b.u16(c); return b.v(); };
    auto cat = [](Bytes a, const Bytes& b) { a.insert(a.end(), b.begin(), b.end()); return a; };
    const Bytes runs = B().u16(0).u16(1).u16(3).u16(0);
    const std::string undecided = "Sheet \"A\", cell B1: it cannot be told whether the text's CONTINUE records "
                                  "begin with an option byte; read as if they do";
    const std::string malformed = "Sheet \"A\", cell B1: the text's CONTINUE records are malformed: they fit neither "
                                  "with option bytes nor without; read without option bytes";
    struct Case { std::uint16_t id; std::u16string text; Bytes first, rest; std::u16string read; std::string notice;
                  std::uint8_t option = 0x09; /* LABEL's: 16-bit, two runs */ Bytes more = {}; /* a 2nd CONTINUE */ };
    const std::u16string z = u"abżcd", x10 = u"xxxxxxxxxx";
    for (const Case& c : std::vector<Case>{
             {BIFFID_LABEL, z, cat(wide(u"ab"), {0x7C}), cat(cat({0x01}, wide(u"cd")), runs), z, ""},
             {BIFFID_RSTRING, z, cat(wide(u"ab"), {0x7C}), cat(cat({0x01}, wide(u"cd")), cat({2, 0}, runs)), z, ""},
             {BIFFID_RSTRING, z, wide(u"ab"), cat(cat({0x01}, wide(u"żcd")), cat({2, 0}, runs)), z, ""},
             {BIFFID_LABEL, u"abżc", cat(wide(u"ab"), {0x7C}), cat({0x01, 'c'}, runs), u"abżc", malformed},
             {BIFFID_LABEL, u"abcd", cat(wide(u"ab"), {0xE9}), cat({0x00, 'c', 'd'}, runs), u"abcd", undecided},
             {BIFFID_LABEL, u"abàüñ", cat(wide(u"abà"), {0xFC}), cat({0x00, 0xF1, 0x00}, runs), u"abàüñ", ""},
             {BIFFID_STRING, u"abàüñ", cat(wide(u"abà"), {0xFC}), {0x00, 0xF1, 0x00}, u"abàüñ", ""},
             {BIFFID_LABEL, u"ńóĄ", cat(wide(u"ń"), {0xF3}), cat({0x00, 0x04, 0x01}, runs), u"ńóĄ", ""},
             {BIFFID_STRING, u"ńóĄ", cat(wide(u"ń"), {0xF3}), {0x00, 0x04, 0x01}, u"ńóĄ", ""},
             {BIFFID_LABEL, x10 + u"ąb", cat(wide(x10), {0x05}), cat(cat({0x01, 'b', 0x00}, runs), {0x7F}), x10 + u"ąb",
              malformed},
             {BIFFID_STRING, x10 + u"ąb", cat(wide(x10), {0x05}), {0x01, 'b', 0x00, 0x7F}, x10 + u"ąb", malformed},
             {BIFFID_LABEL, u"Wskaźnik!", wide(u"Ws"), cat({0x01}, wide(u"kaź")), u"Wskaźnik",
              "Sheet \"A\", cell B1: the file holds 8 of its 9 characters", 0x01, cat({0x01}, wide(u"nik"))},
             {BIFFID_LABEL, u"zadluzenie!", B().bytes("zadlu").v(), cat({0x00}, B().bytes("zenie").v()), u"zadluzenie",
              "Sheet \"A\", cell B1: the file holds 10 of its 11 characters", 0x00}}) {
        B head = B().u16(0).u16(1).u16(15).u16(static_cast<unsigned>(c.text.size()));
        head = c.id == BIFFID_LABEL ? (c.option & 0x08 ? head.u8(c.option).u16(2) : head.u8(c.option)) : head.u8(0x01);
        std::vector<Rec> cells = {{c.id, cat(head, c.first)}, {BIFFID_CONTINUE, c.rest}};
        if (c.id == BIFFID_STRING)  // B1 = a text formula, its text in STRING
            cells = {{BIFFID_FORMULA,
                      B().u16(0).u16(1).u16(15).u32(0).u16(0).u16(0xFFFF).u16(0).u32(0).u16(1).u8(0x16)},
                     {BIFFID_STRING, cat(B().u16(static_cast<unsigned>(c.text.size())).u8(0x01), c.first)},
                     {BIFFID_CONTINUE, c.rest}};
        if (!c.more.empty()) cells.push_back({BIFFID_CONTINUE, c.more});
        const auto book = test::compound(test::bookStream(true, {}, {{u"A", 0, 0, cells}}));
        std::u16string notice;
        EXPECT_TRUE(read(book, 1, 0, false, &notice) == c.read) << c.id << " " << utf16ToUtf8(c.text);
        EXPECT_EQ(utf16ToUtf8(notice), c.notice) << c.id << " " << utf16ToUtf8(c.text);
    }
}

TEST(XLSPeers, ContinuedTextsReadAsWrittenNoSaveWritesAnOrphanedContinue) {
    // gnumeric's =REPT("é";4112) (A2): STRING ends with E9, the CONTINUE
    // 00 E9 00 (with an option byte a NUL); its BIFF5 RSTRING of 1,500 runs
    // counted as 220, CONTINUE records past the count's left out with it; a
    // CONTINUE after a number. Saved, each follows a record it continues.
    std::u16string ab;
    for (int i = 0; i < 750; ++i) ab += u"ab";
    const std::vector<Rec> stray = {{BIFFID_NUMBER, B().u16(0).u16(0).u16(15).f64(2.5)}, {BIFFID_CONTINUE, B().u16(7)},
                                    {BIFFID_CONTINUE, B().u16(8)}, {BIFFID_NUMBER, B().u16(1).u16(0).u16(15).f64(3)}};
    struct Case { std::string file; int row; std::u16string text; std::string notice; };
    std::vector<Case> cases = {
        {"gn-rept-biff8.xls", 1, std::u16string(4112, u'é'), ""},
        {"gn-runy-biff5.xls", 0, ab,
         "Sheet \"Runy\", cell A1: 2 CONTINUE record(s) beyond what the text's counts hold left out"},
        {"", 1, u"3", "Sheet \"A\": CONTINUE records at offset 75 left out: the record before them (record 0203 at "
                      "offset 57) is not kept as read, so that a save has nothing for them to continue"}};
    const std::set<std::uint16_t> continued = {BIFFID_SST, BIFFID_LABEL, BIFFID_RSTRING, BIFFID_STRING, BIFFID_OBJ,
                                               0x01B6 /* TXO */, 0x00EC, 0x00EB /* MSODRAWING, ...GROUP */};
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes =
            c.file.empty() ? test::compound(test::bookStream(true, {}, {{u"A", 0, 0, stray}})) : saved(c.file, 0);
        for (int save = 0; save <= 2; ++save) {
            std::u16string notice;
            const std::u16string text = read(bytes, 0, c.row, false, &notice);
            EXPECT_TRUE(text == c.text) << c.file << " " << save;
            EXPECT_EQ(utf16ToUtf8(notice), save ? "" : c.notice) << c.file;
            TXLSMini xls;
            xls.ReadStream(&bytes);
            xls.WriteStream(&bytes);
        }
        std::uint16_t before = 0;
        for (const auto& r : bodiesOf(bytes, 0xFFFF)) {
            const std::uint16_t id = static_cast<std::uint16_t>(r[0] | (r[1] << 8));
            if (id == BIFFID_CONTINUE) EXPECT_TRUE(continued.count(before)) << c.file << " after " << before;
            else before = id;
        }
        if (c.file == "gn-rept-biff8.xls" && test::requireOracle("xlrd")) {
            EXPECT_EQ(xlrdSheet0(bytes, "print(s.cell_value(1, 0) == \"\\u00e9\" * 4112)\n"), "True\n");
        }
    }
}

TEST(XLSPeers, ChartsInASheetSavedWithOneEofEach) {
    // An embedded chart's substream holds records whose id ends in 09
    // (MARKERFORMAT, 0x1009): none of them opens a substream of its own.
    for (const char* name : {"lo-wykres-linie.xls", "gn-wykres-linie.xls", "lo-wykres.xls"}) {
        auto count = [](const std::vector<std::uint8_t>& file, std::initializer_list<std::uint16_t> ids) {
            std::size_t n = 0;
            for (std::uint16_t id : ids) n += bodiesOf(file, id).size();
            return n;
        };
        const std::vector<std::uint8_t> original = saved(name, 0);
        const std::initializer_list<std::uint16_t> bofs = {BIFFID_BOF2, BIFFID_BOF3, BIFFID_BOF4, BIFFID_BOF};
        for (int saves : {1, 10}) {
            const std::vector<std::uint8_t> file = saved(name, saves);
            EXPECT_EQ(count(file, {BIFFID_EOF}), count(original, bofs)) << name << " " << saves;
            EXPECT_EQ(count(file, bofs), count(original, bofs)) << name << " " << saves;
            EXPECT_EQ(count(file, {0x1009}), count(original, {0x1009})) << name << " " << saves;
        }
    }
}

TEST(XLSPeers, Biff5SaveKeepsEveryCharacter) {
    // Each length as a text cell (column A) and as a formula's text (B).
    const std::vector<std::size_t> lengths = {255, 256, 2072, 2073, 3000, 10000, 70000};
    auto textOf = [](std::size_t n) {
        std::u16string t;
        for (std::size_t i = 0; i < n; ++i) t.push_back(i % 7 ? static_cast<char16_t>(u'a' + i % 26) : u'ż');
        return t;
    };
    const std::uint8_t tokens[] = {0x17, 1, 0, 'x'};
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        TXLSMini xls;
        xls.SetVersion(xvExcel50);
        if (lengths[i] <= 0xFFFF) xls.Sheets().Items(0).SetAsString(0, 0, textOf(lengths[i]));
        xls.Sheets().Items(0).AddStringFormula(1, 7, textOf(lengths[i]), 15, tokens, sizeof tokens);
        std::vector<std::uint8_t> file;
        try {
            xls.WriteStream(&file);
        } catch (const EXLSError& e) {  // what no record can count, naming the cell
            EXPECT_TRUE(e.kind() == XLSErrorKind::Refused && file.empty() && lengths[i] > 0xFFFF);
            EXPECT_NE(e.message().find("Sheet \"Sheet1\", cell B8: a text of 70000 characters"), std::string::npos);
            continue;
        }
        for (int save = 0; save < 9; ++save) {
            TXLSMini again;
            again.ReadStream(&file);
            again.WriteStream(&file);
        }
        EXPECT_EQ(read(file, 0, 0, false), textOf(lengths[i]));
        EXPECT_EQ(read(file, 1, 7, false), textOf(lengths[i]));
        if (lengths[i] != 3000 || !test::requireOracle("xlrd")) continue;
        // xlrd, as LibreOffice, takes a LABEL's first record, a STRING whole.
        EXPECT_EQ(xlrdSheet0(file, "print(len(s.cell_value(0, 0)), len(s.cell_value(7, 1)))\n"), "2072 3000\n");
    }
}

TEST(XLSPeers, ATextLongerThanACellHoldsIsRefusedAtTheSaveNotCut) {
    for (const auto& [file, sheet] : std::vector<std::pair<std::string, std::string>>{
             {"polskie-biff8.xls", "Wskaźniki"}, {"polskie-biff5.xls", "Wska_niki"},  // code page 1252
             {"polskie-biff2.xls", "Sheet1"}, {"xlwt-liczby.xls", "Liczby"}}) {
        for (std::size_t length : {65535u, 65536u, 70000u}) {
            const std::vector<std::uint8_t> original = saved(file, 0);
            std::vector<std::uint8_t> bytes = original;
            TXLSMini xls;
            xls.ReadStream(&bytes);
            if (xls.Version() < xvExcel40) xls.SetVersion(xvExcel40);
            const std::u16string text(length, u'ä');
            xls.Sheets().Items(0).SetAsString(1, 2, text);
            try {
                xls.WriteStream(&bytes);
                EXPECT_EQ(read(bytes, 1, 2, false), text) << file << " " << length;
                EXPECT_EQ(length, 65535u) << file;
            } catch (const EXLSError& e) {
                EXPECT_EQ(e.message(), "Sheet \"" + sheet + "\", cell B3: a text of " + std::to_string(length) +
                                           " characters is longer than a cell holds (65,535)");
                EXPECT_EQ(bytes, original) << file;
                // Set shorter, it is saved whole.
                xls.Sheets().Items(0).SetAsString(1, 2, text.substr(0, 70));
                xls.WriteStream(&bytes);
                EXPECT_EQ(read(bytes, 1, 2, false), text.substr(0, 70)) << file << " " << length;
            }
        }
    }
}

TEST(XLSPeers, DefaultWidthAndHeightOnlyWhereTheFileHadThem) {
    struct Case {
        const char* file;      // "" for a new workbook
        int setWidth;          // 0: left alone
        Bodies width, height;  // DEFCOLWIDTH and DEFAULTROWHEIGHT after ten saves
    };
    for (const Case& c : std::vector<Case>{{"xlwt-liczby.xls", 0, {}, {{0, 0, 255, 0}}},
                                           {"xlwt-liczby.xls", 12, {{12, 0}}, {{0, 0, 255, 0}}},
                                           {"gn-dlugi-tekst-biff5.xls", 0, {{10, 0}}, {{0, 0, 0x0E, 1}}},
                                           {"polskie-biff8.xls", 0, {}, {}},
                                           {"polskie-biff5.xls", 0, {}, {}},
                                           {"polskie-biff2.xls", 0, {}, {}},  // saved as BIFF4
                                           {"", 0, {{8, 0}}, {{0, 0, 255, 0}}}}) {
        std::vector<std::uint8_t> file = *c.file ? saved(c.file, 0) : std::vector<std::uint8_t>();
        TXLSMini xls;
        if (*c.file) xls.ReadStream(&file);
        if (xls.Version() < xvExcel40) xls.SetVersion(xvExcel40);
        if (c.setWidth) xls.Sheets().Items(0).SetDefaultColWidth(static_cast<std::uint16_t>(c.setWidth));
        xls.WriteStream(&file);
        for (int save = 0; save < 9; ++save) {
            TXLSMini again;
            again.ReadStream(&file);
            again.WriteStream(&file);
        }
        EXPECT_EQ(bodiesOf(file, BIFFID_DEFCOLWIDTH), c.width) << c.file << " " << c.setWidth;
        EXPECT_EQ(bodiesOf(file, BIFFID_DEFAULTROWHEIGHT), c.height) << c.file << " " << c.setWidth;
    }
}

TEST(XLSPeers, ArrayFormulasReadFromTheirArrayRecord) {
    // Every cell of the range, as LibreOffice exports them (lo-tablice-Tablice.csv).
    const std::map<std::pair<int, int>, std::string> arrays = {
        {{0, 5}, "{=SUM(A1:A5*B1:B5)}"}, {{1, 5}, "{=A1:A3*10}"}, {{1, 6}, "{=A1:A3*10}"}, {{1, 7}, "{=A1:A3*10}"}};
    expectFormulas("lo-tablice.xls", arrays);
    expectFormulas("gn-tablice-biff5.xls", arrays);
}

TEST(XLSPeers, NewFunctionsReadByTheirNames) {
    // Stored as a call of the name "_xlfn.IFERROR", which a save keeps.
    for (const char* file : {"lo-tablice.xls", "gn-tablice-biff5.xls"}) {
        expectFormulas(file, {{{2, 5}, "IFERROR(1/0,-1)"}});
        int names = 0;
        for (const auto& body : bodiesOf(saved(file, 10), BIFFID_NAME))
            names += std::string(body.begin(), body.end()).find("_xlfn.IFERROR") != std::string::npos;
        EXPECT_EQ(names, 1) << file;
    }
}

TEST(XLSPeers, Biff5FormulasNameTheirDefinedNames) {
    expectFormulas("gn-tablice-biff5.xls", {{{3, 5}, "SUM(Zakres_A)*Stawka"}});
    // NAME records numbered from 1: "Kwota", built-in 6, none.
    const std::vector<Rec> names = {{BIFFID_NAME, B().u16(0).u8(0).u8(5).zeros(10).bytes("Kwota")},
                                    {BIFFID_NAME, B().u16(0x0020).u8(0).u8(1).zeros(10).u8(6)}};
    for (const auto& [index, text] : std::vector<std::pair<unsigned, std::u16string>>{
             {1, u"Kwota"}, {2, u"Print_Area"}, {3, u"#REF!"}}) {
        const std::vector<Rec> cell = {
            {BIFFID_FORMULA, B().u16(0).u16(0).u16(15).f64(0).u16(0).u32(0).u16(15).u8(0x23).u16(index).zeros(12)}};
        EXPECT_EQ(read(test::compound(test::bookStream(false, names, {{u"A", 0, 0, cell}}), "Book"), 0, 0, true), text);
    }
}

TEST(XLSPeers, PrintRecordsAsOtherWritersWriteThem) {
    // A plain BIFF4 save has its GRIDSET; BIFF4 and BIFF5 footers no byte after the text.
    struct Case {
        TExcelVersion version;
        std::u16string footer;
        std::uint16_t id;
        Bodies expected;
    };
    for (const Case& c : std::vector<Case>{{xvExcel40, u"", BIFFID_GRIDSET, {{1, 0}}},
                                           {xvExcel50, u"abc", BIFFID_FOOTER, {{3, 'a', 'b', 'c'}}},
                                           {xvExcel50, u"", BIFFID_FOOTER, {{0}}},
                                           {xvExcel40, u"abc", BIFFID_FOOTER, {{3, 'a', 'b', 'c'}}}}) {
        TXLSMini xls;
        xls.SetVersion(c.version);
        xls.Sheets().Items(0).PrintSettings().Footer = c.footer;
        std::vector<std::uint8_t> file;
        xls.WriteStream(&file);
        EXPECT_EQ(bodiesOf(file, c.id), c.expected) << c.version << " " << c.id;
    }
}

TEST(XLSPeers, RichTextKeepsItsRuns) {
    // gnumeric's RSTRING cells: (first character, font) runs as written, as
    // read after one save and after ten; in BIFF8 they go to the shared
    // strings, in BIFF5 back into RSTRING, the fonts unchanged.
    using Runs = std::vector<std::pair<int, int>>;
    struct Case {
        int col, row;
        std::size_t length;
        Runs runs;
    };
    const std::vector<Case> cells = {{0, 0, 24, {{7, 1}, {17, 0}}},          // "Zwykły pogrubiony koniec"
                                     {1, 0, 18, {{0, 2}, {7, 2}, {10, 3}}},  // "kursywa i czerwony"
                                     {0, 2, 3001, {{0, 1}, {1, 1}}},         // "B" and 3,000 "x"
                                     {0, 1, 12, {}}};                        // "zwykły tekst"
    for (const char* file : {"gn-bogaty-biff8.xls", "gn-bogaty-biff5.xls"}) {
        for (int saves : {0, 1, 10}) {
            const std::vector<std::uint8_t> bytes = saved(file, saves);
            TXLSMini xls;
            xls.ReadStream(&bytes);
            for (const Case& c : cells) {
                const auto* cell = dynamic_cast<const TStringCell*>(xls.Sheets().Items(0).Cell(c.col, c.row));
                ASSERT_TRUE(cell && cell->Entry) << file << " " << saves << " " << c.col << "," << c.row;
                const TSSTEntry& e = *cell->Entry;
                Runs runs;
                for (std::size_t i = 0; i < e.RunCount; ++i) {
                    const std::uint8_t* r = e.Data.data() + e.CharBytes() + 4 * i;
                    runs.emplace_back(r[0] | (r[1] << 8), r[2] | (r[3] << 8));
                }
                EXPECT_EQ(TSSTMini::Text(e).size(), c.length) << file << " " << saves << " " << c.col;
                EXPECT_EQ(runs, c.runs) << file << " " << saves << " " << c.col << "," << c.row;
            }
            EXPECT_EQ(bodiesOf(bytes, BIFFID_FONT), bodiesOf(saved(file, 0), BIFFID_FONT)) << file << " " << saves;
            const bool rstring = std::string(file) == "gn-bogaty-biff5.xls" || saves == 0;
            EXPECT_EQ(bodiesOf(bytes, BIFFID_RSTRING).size(), rstring ? 3u : 0u) << file << " " << saves;
        }
    }
}

TEST(XLSPeers, Biff5CodePagesAsTheBytesSay) {
    // gnumeric's BIFF5 of code page 1200: ASCII texts as bytes, others as
    // UTF-16 under a count of bytes; read so and written back so. A text a
    // BIFF5 workbook's code page cannot hold is refused naming its cell.
    struct Case {
        const char* file;
        std::u16string set;  // set into B5 first ("" for none)
        int col, row;
        bool formula;
        std::u16string text;  // as read after the save; "" when refused
        std::string refusal;
    };
    const std::vector<Case> cases = {
        {"gn-bogaty-biff5.xls", u"", 0, 1, false, u"zwykły tekst", ""},
        {"gn-bogaty-biff5.xls", u"", 1, 2, false, u"plain ascii", ""},
        {"gn-bogaty-biff5.xls", u"", 2, 0, false, u"Łódź zwykły tekst", ""},
        {"gn-bogaty-biff5.xls", u"", 2, 0, true, u"\"Łódź \"&A2", ""},
        {"gn-bogaty-biff5.xls", u"Zażółć gęślą jaźń", 1, 4, false, u"Zażółć gęślą jaźń", ""},
        {"gn-bogaty-biff5.xls", u"\u4E2D", 1, 4, false, u"",  // UTF-16 bytes 2D 4E would read as "-N"
         "Sheet \"Wyróżnienia\", cell B5: the text \"\u4E2D\" has characters outside code page 1200"},
        {"gn-bogaty-biff5.xls", std::u16string(40000, u'ż'), 1, 4, false, u"",
         "Sheet \"Wyróżnienia\", cell B5: a text of 40000 characters takes 80000 bytes in code page 1200, more than "
         "a cell holds (65,535)"},
        {"gn-dlugi-tekst-biff5.xls", u"Zażółć gęślą jaźń", 1, 4, false, u"",
         "Sheet \"gn-dlugi-tekst.csv\", cell B5: the text \"Zażółć gęślą jaźń\" has characters outside code page "
         "1252"}};
    for (const Case& c : cases) {
        std::vector<std::uint8_t> file = saved(c.file, 0);
        TXLSMini xls;
        xls.ReadStream(&file);
        EXPECT_EQ(xls.Sheets().Items(0).Name(),
                  c.refusal.find("csv") == std::string::npos ? u"Wyróżnienia" : u"gn-dlugi-tekst.csv");
        if (!c.set.empty()) xls.Sheets().Items(0).SetAsString(1, 4, c.set);
        try {
            xls.WriteStream(&file);
            EXPECT_EQ(read(file, c.col, c.row, c.formula), c.text) << c.file << " " << c.col << "," << c.row;
            EXPECT_TRUE(c.refusal.empty()) << c.refusal;
        } catch (const EXLSError& e) {
            EXPECT_EQ(e.kind(), XLSErrorKind::Refused);
            EXPECT_FALSE(c.refusal.empty());
            EXPECT_NE(e.message().find(c.refusal), std::string::npos) << e.message();
        }
    }
    // The texts' records come back as gnumeric wrote them (but for the
    // sheet's stream position).
    for (std::uint16_t id : {BIFFID_BOUNDSHEET, BIFFID_LABEL, BIFFID_RSTRING, BIFFID_STRING, BIFFID_CODEPAGE}) {
        Bodies original = bodiesOf(saved("gn-bogaty-biff5.xls", 0), id);
        Bodies again = bodiesOf(saved("gn-bogaty-biff5.xls", 1), id);
        if (id == BIFFID_BOUNDSHEET) std::fill_n(original[0].begin(), 4, 0), std::fill_n(again[0].begin(), 4, 0);
        EXPECT_EQ(again, original) << id;
    }
}

TEST(XLSPeers, Biff8TextCellsWithoutSharedStrings) {
    // BIFF8 LABEL and RSTRING texts of a book without SST keep their
    // characters and runs after one save and after three; a LABEL its
    // phonetic block (option 0x05).
    const std::string runs("\0\0\1\0\x0B\0\0\0", 8), phonetic("\x01\0\x0A\0\x0A\0\0\0\0\0", 10);
    const std::vector<Rec> cells = {{BIFFID_LABEL, B().u16(0).u16(1).u16(15).str16(u"Zażółć gęślą jaźń")},
                                    {BIFFID_RSTRING, B().u16(1).u16(0).u16(15).str16(u"pogrubiony").u16(2).bytes(runs)},
                                    {BIFFID_LABEL, B().u16(2).u16(0).u16(15).u16(2).u8(0x05).u32(10).u16(u'ż').u16(u'ó')
                                                       .bytes(phonetic)}};
    std::vector<std::uint8_t> file = test::compound(test::bookStream(true, {}, {{u"A", 0, 0, cells}}));
    for (int saves = 0; saves <= 3; ++saves) {
        TXLSMini xls;
        xls.ReadStream(&file);
        EXPECT_EQ(xls.Sheets().Items(0).AsString(1, 0), u"Zażółć gęślą jaźń") << saves;
        const auto* rich = dynamic_cast<const TStringCell*>(xls.Sheets().Items(0).Cell(0, 1));
        ASSERT_TRUE(rich && rich->Entry) << saves;
        EXPECT_EQ(TSSTMini::Text(*rich->Entry), u"pogrubiony") << saves;
        EXPECT_EQ(std::string(rich->Entry->Data.end() - 8, rich->Entry->Data.end()), runs) << saves;
        const auto* ruby = dynamic_cast<const TStringCell*>(xls.Sheets().Items(0).Cell(0, 2));
        ASSERT_TRUE(ruby && ruby->Entry) << saves;
        const std::string data(ruby->Entry->Data.begin(), ruby->Entry->Data.end());
        EXPECT_EQ(data, std::string("\x7C\x01\xF3\0", 4) + phonetic) << saves;
        xls.WriteStream(&file);
    }
}

}  // namespace
}  // namespace vesk
