#include "SSTMini.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "BIFFRecsMini.h"
#include "CodePage.h"
#include "EXLSError.h"
#include "TempDir.h"
#include "XLSBytes.h"
#include "XLSOracle.h"

namespace vesk {
namespace {

using Bytes = std::vector<std::uint8_t>;

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

Bytes sstHead(std::uint32_t total, std::uint32_t count) {
    Bytes b;
    appendU32(b, total);
    appendU32(b, count);
    return b;
}

// Reads the SST record at the start of bytes.
void readSST(TSSTMini& sst, const Bytes& bytes, TXLSStream& stream) {
    stream.SetSource(&bytes);
    stream.Open("");
    TRecordHeader h;
    ASSERT_EQ(stream.ReadHeader(h), 4u);
    ASSERT_EQ(h.Id, BIFFID_SST);
    sst.Read(stream, h.Length, 0);
}

std::string readError(const Bytes& bytes) {
    TSSTMini sst;
    TXLSStream stream;
    try {
        readSST(sst, bytes, stream);
    } catch (const EXLSError& e) {
        EXPECT_EQ(e.kind(), XLSErrorKind::Format);
        EXPECT_GE(e.offset(), 0);
        return e.message();
    }
    return "no error";
}

// A trie whose hash the test chooses.
class TSSTFixedHash : public TSSTMini {
public:
    std::map<WideString, std::uint32_t> hashes;
    std::uint32_t Hash(const TSSTEntry& entry) const override { return hashes.at(Text(entry)); }
    int Level(const WideString& text) const {
        TSSTEntry probe;
        probe.CharCount = static_cast<std::uint16_t>(text.size());
        for (char16_t c : text) probe.Data.push_back(static_cast<std::uint8_t>(c));
        return LevelOf(probe, hashes.at(text));
    }
};

TEST(SSTMerge, EqualTextsShareOneEntry) {
    TSSTMini sst;
    TSSTEntry* a = sst.AddText(u"abc");
    TSSTEntry* b = sst.AddText(u"abc");
    EXPECT_EQ(a, b);
    EXPECT_EQ(a->RefCount, 2u);
    EXPECT_EQ(sst.TotalRefCount(), 2u);
    EXPECT_EQ(sst.Count(), 1u);
    EXPECT_EQ(a->Index, TSSTEntry::NotWritten);
}

TEST(SSTMerge, WidthByTheLargestCharacter) {
    TSSTMini sst;
    TSSTEntry* e = sst.AddText(u"é");
    EXPECT_EQ(e->Option, 0);
    EXPECT_EQ(e->Data, Bytes{0xE9});
    TSSTEntry* l = sst.AddText(u"łx");
    EXPECT_EQ(l->Option, 1);
    EXPECT_EQ(l->Data, (Bytes{0x42, 0x01, 'x', 0}));
    EXPECT_EQ(TSSTMini::Text(*l), u"łx");
    EXPECT_EQ(TSSTMini::Text(*e), u"é");
}

TEST(SSTMerge, SameBytesOfOtherWidthStayTwo) {
    TSSTMini sst;
    TSSTEntry* narrow = sst.AddText(u"ab");
    TSSTEntry* wide = sst.AddText(u"\u6261");
    EXPECT_NE(narrow, wide);
    EXPECT_EQ(narrow->Data, wide->Data);
    EXPECT_EQ(sst.Count(), 2u);
    EXPECT_EQ(TSSTMini::Text(*wide), u"\u6261");
}

TEST(SSTTrie, NinthTextOfOneLowByteSplitsTheSlot) {
    TSSTFixedHash sst;
    std::vector<WideString> texts;
    for (int i = 0; i < 9; ++i) {
        texts.push_back(u"t" + WideString(1, static_cast<char16_t>('a' + i)));
        sst.hashes[texts.back()] = 0x11u | (static_cast<std::uint32_t>(i) << 8);
    }
    for (int i = 0; i < 8; ++i) sst.AddText(texts[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(sst.Level(texts[static_cast<std::size_t>(i)]), 0);
    sst.AddText(texts[8]);
    for (const WideString& t : texts) EXPECT_EQ(sst.Level(t), 1);
    EXPECT_EQ(sst.Count(), 9u);
    // Merging still finds each of them.
    for (const WideString& t : texts) sst.AddText(t);
    EXPECT_EQ(sst.Count(), 9u);
}

TEST(SSTTrie, EqualFullHashesChainAtTheLastLevel) {
    TSSTFixedHash sst;
    std::vector<WideString> texts;
    for (int i = 0; i < 40; ++i) {
        texts.push_back(u"same" + WideString(1, static_cast<char16_t>('A' + i)));
        sst.hashes[texts.back()] = 0xDEADBEEF;
    }
    std::set<TSSTEntry*> entries;
    for (const WideString& t : texts) entries.insert(sst.AddText(t));
    EXPECT_EQ(entries.size(), 40u);
    EXPECT_EQ(sst.Count(), 40u);
    for (const WideString& t : texts) {
        EXPECT_EQ(sst.Level(t), 3);
        EXPECT_TRUE(entries.count(sst.AddText(t)));
    }
    std::size_t visited = 0;
    sst.Iterate([&](const TSSTEntry&) { ++visited; });
    EXPECT_EQ(visited, 40u);
}

TEST(SSTRead, CountZeroReadsNoFurther) {
    const Bytes bytes = concat({record(BIFFID_SST, sstHead(0, 0)), record(BIFFID_EOF, {})});
    TSSTMini sst;
    TXLSStream s;
    readSST(sst, bytes, s);
    EXPECT_EQ(sst.Count(), 0u);
    EXPECT_EQ(s.Position(), 12);
    EXPECT_EQ(s.PeekNextId(), BIFFID_EOF);
}

TEST(SSTRead, PartsSwitchWidthBothWays) {
    // "abc" + "\u0142d": 8-bit part, then a 16-bit part.
    Bytes first = sstHead(5, 2);
    for (std::uint8_t b : Bytes{5, 0, 0, 'a', 'b', 'c'}) first.push_back(b);
    Bytes second = {0x01, 0x42, 0x01, 'd', 0};
    // 16-bit start "xy", then 8-bit part "z", duplicate of nothing.
    Bytes third = {0x01, 0x03, 0x00, 0x01, 'x', 0, 'y', 0};
    Bytes fourth = {0x00, 'z'};
    // third/fourth form the second string; the first ends in second.
    second.insert(second.end(), third.begin() + 1, third.end());
    const Bytes bytes = concat({record(BIFFID_SST, first), record(BIFFID_CONTINUE, second),
                                record(BIFFID_CONTINUE, fourth), record(BIFFID_EOF, {})});
    TSSTMini sst;
    TXLSStream s;
    readSST(sst, bytes, s);
    ASSERT_EQ(sst.FileOrderCount(), 2u);
    TSSTEntry* a = sst.EntryByFileIndex(0);
    EXPECT_EQ(TSSTMini::Text(*a), u"abc\u0142d");
    EXPECT_EQ(a->Option, 1);
    EXPECT_EQ(a->Index, 0u);
    EXPECT_EQ(a->RefCount, 0u);
    TSSTEntry* b = sst.EntryByFileIndex(1);
    EXPECT_EQ(TSSTMini::Text(*b), u"xyz");
    EXPECT_EQ(b->Option, 1) << "an 8-bit part of a 16-bit entry is widened";
    EXPECT_EQ(sst.TotalRefCount(), 5u);
    EXPECT_EQ(s.PeekNextId(), BIFFID_EOF);
    EXPECT_THROW(sst.EntryByFileIndex(2), EXLSError);
}

TEST(SSTRead, RunsAndPhoneticCrossRecordsWithoutOptionBytes) {
    Bytes first = sstHead(1, 1);
    for (std::uint8_t b : Bytes{2, 0, 0x0C, 2, 0, 3, 0, 0, 0, 'h', 'i', 1, 0, 5, 0}) first.push_back(b);
    const Bytes second = {2, 0, 6, 0, 0xAA, 0xBB, 0xCC};  // second run, phonetic bytes
    const Bytes bytes = concat({record(BIFFID_SST, first), record(BIFFID_CONTINUE, second)});
    TSSTMini sst;
    TXLSStream s;
    readSST(sst, bytes, s);
    TSSTEntry* e = sst.EntryByFileIndex(0);
    EXPECT_EQ(e->Option, 0x0C);
    EXPECT_EQ(e->RunCount, 2);
    EXPECT_EQ(e->PhoneticSize, 3u);
    EXPECT_EQ(e->Data, (Bytes{'h', 'i', 1, 0, 5, 0, 2, 0, 6, 0, 0xAA, 0xBB, 0xCC}));
    EXPECT_EQ(TSSTMini::Text(*e), u"hi");
}

TEST(SSTRead, DuplicatesInTheFileShareTheEntry) {
    Bytes body = sstHead(3, 3);
    for (std::uint8_t b : Bytes{1, 0, 0, 'q', 1, 0, 0, 'r', 1, 0, 0, 'q'}) body.push_back(b);
    TSSTMini sst;
    TXLSStream s;
    readSST(sst, record(BIFFID_SST, body), s);
    EXPECT_EQ(sst.Count(), 2u);
    EXPECT_EQ(sst.EntryByFileIndex(0), sst.EntryByFileIndex(2));
    EXPECT_EQ(sst.EntryByFileIndex(0)->RefCount, 1u);
}

TEST(SSTRead, BrokenTablesAreFormatErrors) {
    auto withStrings = [](std::initializer_list<std::uint8_t> strings, std::uint32_t count) {
        Bytes body = sstHead(count, count);
        body.insert(body.end(), strings);
        return record(BIFFID_SST, body);
    };
    EXPECT_EQ(readError(concat({withStrings({3, 0, 0, 'a'}, 1), record(BIFFID_EOF, {})})),
              "CONTINUE record is missing in SST");
    EXPECT_EQ(readError(withStrings({1, 0, 0, 'a'}, 2)), "CONTINUE record is missing in SST");
    EXPECT_EQ(readError(withStrings({1, 0, 0x02, 'a'}, 1)), "STT: Unhandled string type in Read (02)");
    EXPECT_EQ(readError(record(BIFFID_SST, {1, 0, 0, 0})), "SST record too short");
    // A phonetic size of 4 GB is refused before anything is allocated.
    EXPECT_EQ(readError(withStrings({1, 0, 0x04, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}, 1)),
              "SST string longer than the data left");
    EXPECT_EQ(readError(withStrings({0xFF, 0xFF, 0x01, 'a'}, 1)), "SST string longer than the data left");
    // The record claims more bytes than the stream holds.
    Bytes cut = withStrings({1, 0, 0, 'a'}, 1);
    cut[2] = 40;
    EXPECT_NE(readError(cut), "no error");
    // A field cut by the end of the data.
    EXPECT_NE(readError(withStrings({1}, 1)), "no error");
    // A CONTINUE record without even its option byte.
    EXPECT_NE(readError(concat({withStrings({3, 0, 0, 'a'}, 1), record(BIFFID_CONTINUE, {})})), "no error");
}

std::vector<Bytes> records(const Bytes& stream) {
    std::vector<Bytes> out;
    std::size_t p = 0;
    while (p + 4 <= stream.size()) {
        std::size_t len = stream[p + 2] | (stream[p + 3] << 8);
        out.push_back(Bytes(stream.begin() + static_cast<std::ptrdiff_t>(p),
                            stream.begin() + static_cast<std::ptrdiff_t>(p + 4 + len)));
        p += 4 + len;
    }
    EXPECT_EQ(p, stream.size());
    return out;
}

Bytes writeSST(TSSTMini& sst) {
    Bytes written;
    TXLSStream s;
    s.SetTarget(&written);
    s.Create("", xvExcel40);
    sst.Write(s);
    s.Close();
    return written;
}

TEST(SSTWrite, SixteenBitCharactersAreNotCutAtAnOddByte) {
    TSSTMini sst;
    sst.SetMaxBodySize(30);
    const WideString text = u"ĄĆĘŁŃÓŚŹŻąć";  // eleven 16-bit characters, 22 bytes
    sst.AddText(text);
    std::vector<Bytes> recs = records(writeSST(sst));
    ASSERT_EQ(recs.size(), 3u);
    // SST: 8 count bytes, 3 string-header bytes, 9 characters; of the 30
    // bytes one stays unused.
    EXPECT_EQ(recs[0].size(), 4u + 29u);
    EXPECT_EQ(recs[1][0], BIFFID_CONTINUE);
    EXPECT_EQ(recs[1][4], 0x01) << "the characters go on as 16-bit";
    EXPECT_EQ(recs[1].size(), 4u + 1u + 4u);
    EXPECT_EQ(recs[2][0], BIFFID_EXTSST & 0xFF);

    TSSTMini back;
    TXLSStream s;
    readSST(back, concat({recs[0], recs[1]}), s);
    EXPECT_EQ(TSSTMini::Text(*back.EntryByFileIndex(0)), text);
}

WideString mixedText(int i) {
    WideString t = u"n" + utf8ToUtf16(std::to_string(i));
    if (i % 3 == 0) t += u" zażółć";
    if (i % 7 == 0) t += WideString(static_cast<std::size_t>(100 + i % 500), u'x');
    if (i % 11 == 0) t += u"\u4E2D\u6587";
    if (i % 997 == 0) t += WideString(9000, i % 2 ? u'y' : u'\u0416');  // longer than a record
    return t;
}

TEST(SSTWrite, RoundTripOfManyMixedStrings) {
    TSSTMini sst;
    for (int i = 0; i < 20000; ++i) sst.AddText(mixedText(i));
    sst.AddText(mixedText(5));
    EXPECT_EQ(sst.Count(), 20000u);
    const Bytes written = writeSST(sst);
    EXPECT_EQ(sst.BucketSize(), 20000 / 1027 + 1);

    std::map<std::uint32_t, WideString> byIndex;
    sst.Iterate([&](const TSSTEntry& e) { byIndex[e.Index] = TSSTMini::Text(e); });
    ASSERT_EQ(byIndex.size(), 20000u);

    TSSTMini back;
    TXLSStream s;
    readSST(back, written, s);
    EXPECT_EQ(back.TotalRefCount(), 20001u);
    ASSERT_EQ(back.FileOrderCount(), 20000u);
    for (std::uint32_t i = 0; i < 20000; ++i) ASSERT_EQ(TSSTMini::Text(*back.EntryByFileIndex(i)), byIndex[i]) << i;
    EXPECT_EQ(s.PeekNextId(), BIFFID_EXTSST);

    // Each EXTSST bucket points at its first string's count field, inside a
    // record that starts offset bytes before it.
    for (std::size_t k = 0; k < sst.ExtSST().size(); ++k) {
        const TExtSSTBucket& b = sst.ExtSST()[k];
        std::uint32_t recordStart = b.Position - b.Offset;
        std::uint16_t id = static_cast<std::uint16_t>(written[recordStart] | (written[recordStart + 1] << 8));
        EXPECT_TRUE(id == BIFFID_SST || id == BIFFID_CONTINUE) << k;
        std::uint16_t chars = static_cast<std::uint16_t>(written[b.Position] | (written[b.Position + 1] << 8));
        EXPECT_EQ(chars, byIndex[static_cast<std::uint32_t>(k * sst.BucketSize())].size()) << k;
    }
}

TEST(SSTWrite, BucketsOf1028Strings) {
    TSSTMini sst;
    for (int i = 0; i < 1028; ++i) sst.AddText(u"s" + utf8ToUtf16(std::to_string(i)));
    const Bytes written = writeSST(sst);
    EXPECT_EQ(sst.BucketSize(), 8);
    EXPECT_EQ(sst.ExtSST().size(), 129u);
    std::vector<Bytes> recs = records(written);
    const Bytes& ext = recs.back();
    EXPECT_EQ(ext[0] | (ext[1] << 8), BIFFID_EXTSST);
    EXPECT_EQ(ext.size(), 4u + 2u + 8u * 129u);
    EXPECT_EQ(ext[4], 8);
}

TEST(SSTWrite, RichTextAndPhoneticSurviveRecordBounds) {
    Bytes first = sstHead(1, 1);
    for (std::uint8_t b : Bytes{3, 0, 0x0D, 2, 0, 5, 0, 0, 0, 'a', 0, 'b', 0, 'c', 0}) first.push_back(b);
    for (std::uint8_t b : Bytes{0, 0, 1, 0, 2, 0, 3, 0, 1, 2, 3, 4, 5}) first.push_back(b);
    TSSTMini sst;
    TXLSStream s;
    readSST(sst, record(BIFFID_SST, first), s);
    sst.SetMaxBodySize(17);  // forces runs and phonetic bytes into CONTINUE records
    const Bytes written = writeSST(sst);
    TSSTMini back;
    TXLSStream s2;
    readSST(back, written, s2);
    const TSSTEntry* a = sst.EntryByFileIndex(0);
    const TSSTEntry* b = back.EntryByFileIndex(0);
    EXPECT_EQ(b->Option, a->Option);
    EXPECT_EQ(b->RunCount, 2);
    EXPECT_EQ(b->PhoneticSize, 5u);
    EXPECT_EQ(b->Data, a->Data);
}

TEST(SSTWrite, OracleReadsTheStrings) {
    if (!test::requireOracle("xlrd")) GTEST_SKIP() << "python3-xlrd missing";
    TSSTMini sst;
    std::vector<WideString> texts;
    for (int i = 0; i < 3000; i += 1) texts.push_back(mixedText(i));
    for (const WideString& t : texts) sst.AddText(t);

    Bytes written;
    TXLSStream s;
    test::TempDir dir;
    s.Create(dir.file("sst.xls"), xvExcel97);
    Bytes bof;
    for (std::uint16_t w : {0x0600, 0x0005, 6319, 1997}) appendU16(bof, w);
    appendU32(bof, 0x80C9);
    appendU32(bof, 0x106);
    auto put = [&](std::uint16_t id, const Bytes& body) {
        s.WriteHeader(id, static_cast<std::uint16_t>(body.size()));
        s.WriteRaw(body.data(), body.size());
    };
    put(BIFFID_BOF, bof);
    put(BIFFID_CODEPAGE, {0xB0, 0x04});
    put(BIFFID_XF, Bytes(20, 0));
    Bytes sheetEntry(4, 0);
    for (std::uint8_t b : Bytes{0, 0, 1, 0, 'S'}) sheetEntry.push_back(b);
    std::int64_t sheetPosField = s.Position() + 4;
    put(BIFFID_BOUNDSHEET, sheetEntry);
    sst.Write(s);
    put(BIFFID_EOF, {});
    std::uint32_t sheetPos = static_cast<std::uint32_t>(s.Position());
    s.Seek(sheetPosField, 0);
    s.WriteDWord(sheetPos);
    s.Seek(0, 2);
    bof[2] = 0x10;
    put(BIFFID_BOF, bof);
    std::map<WideString, std::uint32_t> index;
    sst.Iterate([&](const TSSTEntry& e) { index[TSSTMini::Text(e)] = e.Index; });
    for (std::size_t row = 0; row < texts.size(); ++row) {
        Bytes cell;
        appendU16(cell, static_cast<std::uint16_t>(row));
        appendU16(cell, 0);
        appendU16(cell, 0);
        appendU32(cell, index.at(texts[row]));
        put(BIFFID_LABELSST, cell);
    }
    put(BIFFID_EOF, {});
    s.Close();

    const std::string script =
        "import sys, xlrd, hashlib\n"
        "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
        "t = \"\\n\".join(s.cell_value(r, 0) for r in range(s.nrows))\n"
        "print(s.nrows, hashlib.md5(t.encode(\"utf-8\")).hexdigest())\n";
    int status = 0;
    std::string result = test::runPython(script, dir.file("sst.xls"), status);
    ASSERT_EQ(status, 0) << result;
    std::string joined;
    for (std::size_t i = 0; i < texts.size(); ++i) joined += (i ? "\n" : "") + utf16ToUtf8(texts[i]);
    std::string expectScript = "import sys, hashlib\nprint(hashlib.md5(open(sys.argv[1], \"rb\").read()).hexdigest())\n";
    dir.write("joined.txt", joined);
    std::string digest = test::runPython(expectScript, dir.file("joined.txt"), status);
    EXPECT_EQ(result, "3000 " + digest);
}

}  // namespace
}  // namespace vesk
