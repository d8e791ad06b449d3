// Workbooks written by another program (scripts/make-xls-fixtures.sh).
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "BIFFRecsMini.h"
#include "CodePage.h"
#include "SSTMini.h"
#include "TempDir.h"
#include "XLSOracle.h"
#include "XLSStreamMini.h"

namespace vesk {
namespace {

std::string fixture(const std::string& name) { return std::string(VESK_SOURCE_DIR) + "tests/spreadsheet/data/" + name; }

TEST(XLSFixtures, VersionsOfOtherProgramsFiles) {
    struct Case {
        const char* file;
        TExcelVersion version;
    };
    for (const Case& c : {Case{"polskie-biff8.xls", xvExcel97}, Case{"polskie-biff5.xls", xvExcel50},
                          Case{"polskie-biff2.xls", xvExcel21}}) {
        TXLSStream s;
        EXPECT_EQ(s.Open(fixture(c.file)), c.version) << c.file;
        TRecordHeader h;
        ASSERT_EQ(s.ReadHeader(h), 4u);
        EXPECT_EQ(h.Id & 0xFF, 0x09) << c.file;
    }
}

TEST(XLSFixtures, LongPolishTextsEqualTheInputs) {
    TXLSStream s;
    ASSERT_EQ(s.Open(fixture("polskie-biff8.xls")), xvExcel97);
    TSSTMini sst;
    TRecordHeader h;
    std::vector<std::uint8_t> body;
    bool found = false;
    while (!found) {
        std::int64_t at = s.Position();
        ASSERT_EQ(s.ReadHeader(h), 4u) << "no SST";
        if (h.Id == BIFFID_SST) {
            sst.Read(s, h.Length, at);
            found = true;
        } else {
            s.Seek(h.Length, 1);
        }
    }
    std::ifstream in(fixture("polskie-teksty.txt"), std::ios::binary);
    std::set<WideString> expected;
    std::size_t longest = 0;
    for (std::string line; std::getline(in, line);) {
        expected.insert(utf8ToUtf16(line));
        longest = std::max(longest, expected.rbegin()->size());
    }
    std::set<WideString> got;
    for (std::size_t i = 0; i < sst.FileOrderCount(); ++i)
        got.insert(TSSTMini::Text(*sst.EntryByFileIndex(static_cast<std::uint32_t>(i))));
    EXPECT_EQ(got.size(), expected.size());
    EXPECT_TRUE(got == expected);
    std::size_t longestRead = 0;
    for (const WideString& t : got) longestRead = std::max(longestRead, t.size());
    EXPECT_GT(longestRead, 2000u) << "texts long enough to need CONTINUE records";
}

TEST(XLSFixtures, RecontaineredWorkbookKeepsItsCells) {
    if (!test::requireOracle("xlrd")) GTEST_SKIP() << "python3-xlrd missing";
    TExtraObjects extra;
    TXLSStream in;
    in.SetExtraObjects(&extra);
    in.SetKeepObjects(true);
    ASSERT_EQ(in.Open(fixture("polskie-biff8.xls")), xvExcel97);
    const std::vector<std::uint8_t> workbook = in.Bytes();
    in.Close();
    test::TempDir dir;
    TXLSStream out;
    out.SetExtraObjects(&extra);
    out.Create(dir.file("kopia.xls"), xvExcel97);
    out.WriteRaw(workbook.data(), workbook.size());
    out.Close();
    const std::string script =
        "import sys, xlrd\n"
        "b = xlrd.open_workbook(sys.argv[1])\n"
        "for s in b.sheets():\n"
        "    for r in range(s.nrows):\n"
        "        print(s.name, r, repr(s.row_values(r)))\n";
    int status = 0;
    const std::string original = test::runPython(script, fixture("polskie-biff8.xls"), status);
    ASSERT_EQ(status, 0) << original;
    const std::string copy = test::runPython(script, dir.file("kopia.xls"), status);
    ASSERT_EQ(status, 0) << copy;
    EXPECT_GT(original.size(), 10000u);
    EXPECT_EQ(copy, original);
}

}  // namespace
}  // namespace vesk
