#include "RecordStorageMini.h"

#include <gtest/gtest.h>

#include <functional>

#include "BIFFRecsMini.h"
#include "EXLSError.h"
#include "XLSBytes.h"
#include "XLSUtilsMini.h"

namespace vesk {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes hex(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c != ' ') digits += c;
    return HexToBytes(digits);
}

Bytes written(const TBaseRecordStorage& list) {
    Bytes out;
    TXLSStream s;
    s.SetTarget(&out);
    s.Create("", xvExcel40);
    list.WriteRecords(s);
    s.Close();
    return out;
}

std::vector<std::uint16_t> ids(const TBaseRecordStorage& list) {
    std::vector<std::uint16_t> out;
    for (std::size_t i = 0; i < list.Count(); ++i) out.push_back(list.Items(i) ? list.Items(i)->Id : 0);
    return out;
}

// The default sets as a file would hold them, written out by hand.
std::string globalsHex() {
    std::string writeAccess = "5C00 7000 000000";
    for (int i = 0; i < 109; ++i) writeAccess += "20";
    return "0908 1000 0006 0500 AF18 CD07 C980 0000 0601 0000" + writeAccess +
           "4200 0200 B004"
           "6101 0200 0000"
           "3D01 0000"
           "9C00 0200 0E00"
           "1900 0200 0000"
           "1200 0200 0000"
           "1300 0200 0000"
           "AF01 0200 0000"
           "3D00 1200 6400 6400 1027 581B 3800 0000 0000 0100 5802"
           "4000 0200 0000"
           "8D00 0200 0000"
           "2200 0200 0000"
           "0E00 0200 0100"
           "B701 0200 0000"
           "DA00 0200 0000"
           "0180 0000"
           "0280 0000"
           "8C00 0400 0100 2E00"
           "C101 0800 C101 0000 FFFF FF00"
           "0380 0000 0480 0000 0580 0000"
           "0A00 0000";
}

std::string sheetHex() {
    return "0908 1000 0006 1000 AF18 CD07 C980 0000 0601 0000"
           "0D00 0200 0100"
           "0C00 0200 6400"
           "0F00 0200 0100"
           "1100 0200 0000"
           "1000 0800 FCA9F1D24D62503F"
           "5F00 0200 0100"
           "2B00 0200 0000"
           "2A00 0200 0000"
           "8200 0200 0100"
           "8000 0800 0000 0000 0000 0000"
           "2502 0400 0000 FF00"
           "8100 0200 C104"
           "0181 0000 0281 0000 0381 0000"
           "8300 0200 0000"
           "8400 0200 0000"
           "A100 2200 0000 6400 0100 0100 0100 B606 0000 0000 000000000000E03F 000000000000E03F 0000"
           "1200 0200 0000"
           "5500 0200 0800"
           "0481 0000 0581 0000"
           "0002 0E00 0000 0000 0000 0000 0000 0000 0000"
           "3E02 1200 B604 0000 0000 4000 0000 0000 0000 0000 0000"
           "0681 0000"
           "1D00 0F00 03 0100 0100 0000 0100 0100 0100 01 01"
           "0A00 0000";
}

TEST(RecordDefaults, GlobalsSetByteExact) {
    TRecordStorageGlobals g;
    EXPECT_EQ(g.Count(), 0u);
    EXPECT_EQ(g.Pending().Count(), 25u);
    g.UseDefaults();
    EXPECT_EQ(g.Count(), 25u);
    EXPECT_EQ(written(g), hex(globalsHex()));
    EXPECT_EQ(g.DefaultKind(), 0);
}

TEST(RecordDefaults, SheetSetByteExact) {
    TRecordStorageSheet s;
    s.UseDefaults();
    EXPECT_EQ(s.Count(), 28u);
    EXPECT_EQ(written(s), hex(sheetHex()));
    EXPECT_EQ(s.DefaultKind(), -1);
    EXPECT_EQ(s.Delta(), 0.001);
    EXPECT_EQ(s.CalcCount(), 100);
    EXPECT_TRUE(s.SaveRecalc());
}

TEST(RecordDefaults, AccessorChangesAfterUseDefaultsReachTheList) {
    TRecordStorageGlobals g;
    g.SetBackup(true);  // before: carried over by the copy
    g.UseDefaults();
    g.SetRefreshAll(true);
    g.SetUserName(u"  Jan Kowalski \t");
    g.Window1().Data[0] = 7;
    Bytes out = written(g);
    TRecordStorageGlobals fresh;
    fresh.UseDefaults();
    Bytes expected = written(fresh);
    EXPECT_NE(out, expected);
    // Every changed record is the list's own.
    auto find = [&](std::uint16_t id) -> const TRawRecord* {
        for (std::size_t i = 0; i < g.Count(); ++i)
            if (g.Items(i)->Id == id) return g.Items(i);
        return nullptr;
    };
    EXPECT_EQ(find(BIFFID_BACKUP)->Data, (Bytes{1, 0}));
    EXPECT_EQ(find(BIFFID_REFRESHALL)->Data, (Bytes{1, 0}));
    EXPECT_EQ(find(BIFFID_WINDOW1)->Data[0], 7);
    EXPECT_EQ(find(BIFFID_WRITEACCESS)->Data[0], 16);
    EXPECT_EQ(g.UserName(), u"Jan Kowalski");
    EXPECT_TRUE(g.Backup() && g.RefreshAll());
}

TEST(RecordDefaults, UserNameKeeps109Characters) {
    TRecordStorageGlobals g;
    g.SetUserName(WideString(150, u'a') + u"b");
    EXPECT_EQ(g.UserName(), WideString(109, u'a'));
    const TRawRecord* r = g.Reference(BIFFID_WRITEACCESS);
    EXPECT_EQ(r->Length(), 112);
    EXPECT_EQ(r->Data[0], 109);
    g.SetUserName(u"Łukasz é");
    EXPECT_EQ(g.UserName(), u"?ukasz é");
    g.SetUserName(u"");
    EXPECT_EQ(g.UserName(), u"");
}

TEST(RecordMerge, FileRecordsTakeTheirPlaces) {
    TRecordStorageGlobals g;
    const Bytes bof = hex("0006 0500 AF18 CD07 C980 0000 0601 0000");
    g.UpdateDefault(BIFFID_BOF, bof.data(), bof.size());
    const Bytes interfaceHdr = {0xB0, 0x04};
    g.AddRecord(BIFFID_INTERFACEHDR, interfaceHdr.data(), interfaceHdr.size());
    const Bytes cp = {0xE2, 0x04};
    g.UpdateDefault(BIFFID_CODEPAGE, cp.data(), cp.size());
    EXPECT_EQ(ids(g), (std::vector<std::uint16_t>{BIFFID_BOF, BIFFID_INTERFACEHDR, BIFFID_WRITEACCESS, BIFFID_CODEPAGE}))
        << "a default the file lacks goes in before the next one matched";
    EXPECT_EQ(g.Reference(BIFFID_CODEPAGE)->Data, cp);
    EXPECT_EQ(g.Pending().Items(0), nullptr);
    EXPECT_NE(g.Pending().Items(3), nullptr) << "DSF stays pending";
    EXPECT_EQ(g.Pending().Items(3)->Id, BIFFID_DSF);
}

TEST(RecordMerge, PlaceholderMovesAllBeforeIt) {
    TRecordStorageGlobals g;
    g.UpdateInternal(INTID_SST);
    EXPECT_EQ(g.Count(), 24u);
    EXPECT_EQ(g.Items(23)->Id, INTID_SST);
    EXPECT_EQ(g.Pending().Items(24)->Id, BIFFID_EOF);
    EXPECT_EQ(g.Pending().Items(23), nullptr);
}

TEST(RecordMerge, ShorterKeepsTailLongerEnlarges) {
    TRecordStorageSheet s;
    const Bytes biff5Bof = {0x00, 0x05, 0x10, 0x00, 0xBB, 0x0D, 0xCC, 0x07};
    s.UpdateDefault(BIFFID_BOF, biff5Bof.data(), biff5Bof.size());
    EXPECT_EQ(s.Bof().Data, hex("0005 1000 BB0D CC07 C980 0000 0601 0000"));
    const Bytes biff4Bof = {0x00, 0x00, 0x10, 0x00};
    TRecordStorageSheet s4;
    s4.UpdateDefault(BIFFID_BOF4, biff4Bof.data(), biff4Bof.size());
    EXPECT_EQ(s4.Bof().Id, BIFFID_BOF);
    EXPECT_EQ(s4.Count(), 1u);

    Bytes window2(24, 0xAB);
    s.UpdateDefault(BIFFID_WINDOW2, window2.data(), window2.size());
    EXPECT_EQ(s.Window2().Data, window2) << "longer than the default: the block grows";
}

TEST(RecordMerge, RepeatedRecordsStayRawInPlace) {
    TRecordStorageSheet s;
    const Bytes sel1(15, 1), sel2(15, 2), sel3(9, 3);
    s.UpdateDefault(BIFFID_SELECTION, sel1.data(), sel1.size());
    s.UpdateDefault(BIFFID_SELECTION, sel2.data(), sel2.size());
    s.UpdateDefault(BIFFID_SELECTION, sel3.data(), sel3.size());
    ASSERT_EQ(s.Count(), 29u);
    EXPECT_EQ(s.Items(26)->Data, sel1);
    EXPECT_EQ(s.Items(27)->Data, sel2);
    EXPECT_EQ(s.Items(28)->Data, sel3);
    EXPECT_EQ(&s.Selection(), s.Items(26)) << "the accessor names the first";
    s.UpdateInternal(INTID_CELLS);
    EXPECT_EQ(s.Count(), 29u) << "a placeholder already placed stays";
}

TEST(RecordMerge, UnknownIdsAreRefused) {
    TRecordStorageGlobals g;
    const Bytes two = {0, 0};
    struct Case {
        std::function<void()> call;
        const char* message;
    };
    const Case cases[] = {
        {[&] { g.UpdateDefault(0x1234, two.data(), 2); }, "[int] Unknown default record 1234"},
        {[&] { g.UpdateDefault(INTID_SST, nullptr, 0); }, "[int] Unknown default record 8005"},
        {[&] { g.UpdateInternal(BIFFID_CODEPAGE); }, "[int] Unknown int. default record 0042"},
        {[&] { g.UpdateInternal(INTID_CELLS); }, "[int] Unknown int. default record 8105"},
        {[&] { g.MoveDefault(TRawRecord{0x1234, {}}, nullptr); }, "[int] Unknown move default record 1234"},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.message;
        } catch (const EXLSError& e) {
            EXPECT_EQ(e.message(), c.message);
        }
    }
}

TEST(RecordMerge, SetDefaultDataStartsOver) {
    TRecordStorageSheet s;
    s.SetCalcMode(0);
    s.UpdateInternal(INTID_CELLS);
    s.SetDefaultData();
    EXPECT_EQ(s.Count(), 0u);
    EXPECT_EQ(s.Pending().Count(), 28u);
    EXPECT_EQ(s.CalcMode(), 1);
}

Bytes record(std::uint16_t id, const Bytes& body) {
    Bytes out;
    appendU16(out, id);
    appendU16(out, static_cast<std::uint16_t>(body.size()));
    appendBytes(out, body.data(), body.size());
    return out;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(RecordLists, ReadToEOFStopsAfterEOF) {
    const Bytes bytes = concat({record(0x0809, Bytes(16, 1)), record(0x0022, {0, 0}), record(BIFFID_EOF, {}),
                                record(0x0809, Bytes(16, 2))});
    TXLSStream s;
    s.SetSource(&bytes);
    s.Open("");
    TBaseRecordStorage list;
    list.ReadToEOF(s);
    EXPECT_EQ(ids(list), (std::vector<std::uint16_t>{0x0809, 0x0022, BIFFID_EOF}));
    EXPECT_EQ(written(list), Bytes(bytes.begin(), bytes.begin() + 30));

    Bytes cut = record(0x0022, {0, 0});
    cut.pop_back();
    s.SetSource(&cut);
    s.Open("");
    TBaseRecordStorage broken;
    EXPECT_THROW(broken.ReadToEOF(s), EXLSError);
}

TEST(RecordCharts, NestingCountsDepthAndStops) {
    // The depth starts at 1 (inside the chart's BOF): BEGIN 2, BEGIN 3,
    // END 2, END 1, END 0 ends the chart.
    const Bytes bytes = concat({record(0x1002, {1, 2}), record(BIFFID_CHART_BEGIN, {}), record(0x1003, {3}),
                                record(BIFFID_CHART_BEGIN, {}), record(0x1004, {}), record(BIFFID_CHART_END, {}),
                                record(BIFFID_CHART_END, {}), record(BIFFID_CHART_END, {}), record(0x1005, {5})});
    TXLSStream s;
    s.SetSource(&bytes);
    s.Open("");
    TChartRecordUpdate root;
    root.ReadRecords(s);
    std::vector<std::uint16_t> got;
    for (const auto& c : root.Children()) got.push_back(c->Id());
    EXPECT_EQ(got, (std::vector<std::uint16_t>{0x1002, BIFFID_CHART_BEGIN, 0x1003, BIFFID_CHART_BEGIN, 0x1004,
                                               BIFFID_CHART_END, BIFFID_CHART_END, BIFFID_CHART_END}));
    EXPECT_EQ(s.PeekNextId(), 0x1005);
    EXPECT_EQ(root.Children()[0]->Parent(), &root);
    EXPECT_EQ(root.Children()[0]->Data(), (Bytes{1, 2}));
}

TEST(RecordCharts, EndOfDataAndEOFEndTheChart) {
    const Bytes open = concat({record(BIFFID_CHART_BEGIN, {}), record(0x1003, {3})});
    TXLSStream s;
    s.SetSource(&open);
    s.Open("");
    TChartRecordUpdate root;
    root.ReadRecords(s);
    EXPECT_EQ(root.Children().size(), 2u);

    const Bytes withEof = concat({record(0x1003, {}), record(BIFFID_EOF, {}), record(0x1004, {})});
    s.SetSource(&withEof);
    s.Open("");
    TChartRecordUpdate second;
    second.ReadRecords(s);
    EXPECT_EQ(second.Children().size(), 2u);

    Bytes cut = record(0x1003, {1, 2, 3});
    cut.pop_back();
    s.SetSource(&cut);
    s.Open("");
    TChartRecordUpdate third;
    EXPECT_THROW(third.ReadRecords(s), EXLSError);
}

TEST(RecordCharts, ChildrenAreWrittenBetweenBeginAndEnd) {
    TChartRecordUpdate root;
    TChartRecord* chart = root.Add(0x1002, {9});
    chart->Add(0x1003, {});
    TChartRecord* axis = chart->Add(0x101D, {1, 0});
    axis->Add(0x1004, {});
    root.Add(BIFFID_EOF, {});
    Bytes out;
    TXLSStream s;
    s.SetTarget(&out);
    s.Create("", xvExcel40);
    root.WriteRecords(s);
    s.Close();
    EXPECT_EQ(out, concat({record(0x1002, {9}), record(BIFFID_CHART_BEGIN, {}), record(0x1003, {}),
                           record(0x101D, {1, 0}), record(BIFFID_CHART_BEGIN, {}), record(0x1004, {}),
                           record(BIFFID_CHART_END, {}), record(BIFFID_CHART_END, {}), record(BIFFID_EOF, {})}));
    // A flat chart read back is written back byte for byte.
    TXLSStream in;
    in.SetSource(&out);
    in.Open("");
    TChartRecordUpdate flat;
    flat.ReadRecords(in);
    Bytes again;
    TXLSStream s2;
    s2.SetTarget(&again);
    s2.Create("", xvExcel40);
    flat.WriteRecords(s2);
    s2.Close();
    EXPECT_EQ(again, out);
}

}  // namespace
}  // namespace vesk
