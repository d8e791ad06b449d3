#include "XLSStreamMini.h"

#include <gtest/gtest.h>

#include <filesystem>

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

CompoundEntry stream(const std::string& name, const Bytes& data) {
    CompoundEntry e;
    e.name = name;
    e.data = data;
    return e;
}

Bytes document(std::vector<CompoundEntry> children) {
    CompoundEntry root;
    root.storage = true;
    root.children = std::move(children);
    return writeCompoundFile(root);
}

TExcelVersion openBytes(TXLSStream& s, const Bytes& bytes) {
    s.SetSource(&bytes);
    return s.Open("");
}

// A minimal BIFF8 workbook stream: one sheet "Arkusz" with the number 42.5
// in B3.
Bytes minimalBiff8() {
    Bytes bof;
    for (std::uint16_t w : {0x0600, 0x0005, 6319, 1997}) appendU16(bof, w);
    appendU32(bof, 0x80C9);
    appendU32(bof, 0x106);
    Bytes globals = record(BIFFID_BOF, bof);
    Bytes xf = record(BIFFID_XF, Bytes(20, 0));
    globals.insert(globals.end(), xf.begin(), xf.end());
    Bytes boundsheet;
    appendU32(boundsheet, 0);  // patched below
    for (std::uint8_t b : {0, 0, 6, 0}) appendU8(boundsheet, b);
    appendBytes(boundsheet, "Arkusz", 6);
    std::size_t sheetPosField = globals.size() + 4;
    Bytes tail = record(BIFFID_BOUNDSHEET, boundsheet);
    globals.insert(globals.end(), tail.begin(), tail.end());
    tail = record(BIFFID_EOF, {});
    globals.insert(globals.end(), tail.begin(), tail.end());
    std::uint32_t sheetPos = static_cast<std::uint32_t>(globals.size());
    for (int i = 0; i < 4; ++i) globals[sheetPosField + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(sheetPos >> (8 * i));
    Bytes sheetBof = bof;
    sheetBof[2] = 0x10;
    Bytes sheet = record(BIFFID_BOF, sheetBof);
    Bytes dims;
    appendU32(dims, 2);
    appendU32(dims, 3);
    appendU16(dims, 1);
    appendU16(dims, 2);
    appendU16(dims, 0);
    tail = record(BIFFID_DIMENSIONS, dims);
    sheet.insert(sheet.end(), tail.begin(), tail.end());
    Bytes number;
    appendU16(number, 2);
    appendU16(number, 1);
    appendU16(number, 0);
    appendF64(number, 42.5);
    tail = record(BIFFID_NUMBER, number);
    sheet.insert(sheet.end(), tail.begin(), tail.end());
    tail = record(BIFFID_EOF, {});
    sheet.insert(sheet.end(), tail.begin(), tail.end());
    globals.insert(globals.end(), sheet.begin(), sheet.end());
    return globals;
}

TEST(XLSStreamVersion, PlainFilesByTheirFirstRecord) {
    struct Case {
        Bytes bytes;
        TExcelVersion version;
    };
    for (const Case& c : {Case{{0x09, 0x00, 0x04, 0x00}, xvExcel21}, Case{{0x09, 0x02, 0x06, 0x00}, xvExcel30},
                          Case{{0x09, 0x04, 0x06, 0x00, 1, 2}, xvExcel40}, Case{{0x09, 0x08, 0x08, 0x00}, xvNone},
                          Case{{0x0A, 0x00, 0x00, 0x00}, xvNone}, Case{{}, xvNone}, Case{{0x09}, xvNone},
                          Case{{0x09, 0x00}, xvNone}, Case{{0x09, 0x00, 0x04}, xvNone}}) {
        TXLSStream s;
        EXPECT_EQ(openBytes(s, c.bytes), c.version) << c.bytes.size();
        EXPECT_EQ(s.Position(), 0);
    }
}

TEST(XLSStreamVersion, PlainFileFromDisk) {
    test::TempDir dir;
    dir.write("a.xls", std::string("\x09\x04\x06\x00\x00\x00\x10\x00\x00\x00", 10));
    TXLSStream s;
    EXPECT_EQ(s.Open(dir.file("a.xls")), xvExcel40);
    EXPECT_EQ(s.Size(), 10u);
    try {
        s.Open(dir.file("missing.xls"));
        FAIL();
    } catch (const EXLSError& e) {
        EXPECT_EQ(e.kind(), XLSErrorKind::Io);
    }
}

TEST(XLSStreamVersion, CompoundDocumentsByTheirStreams) {
    const Bytes book = {1, 2, 3}, workbook = {4, 5, 6, 7};
    struct Case {
        std::vector<CompoundEntry> children;
        TExcelVersion version;
        Bytes read;
    };
    const Case cases[] = {
        {{stream("Book", book)}, xvExcel50, book},
        {{stream("Workbook", workbook)}, xvExcel97, workbook},
        {{stream("Book", book), stream("Workbook", workbook)}, xvExcel97, workbook},
        {{stream("WORKBOOK", workbook)}, xvExcel97, workbook},
        {{stream("book", book)}, xvExcel50, book},
    };
    for (const Case& c : cases) {
        TXLSStream s;
        EXPECT_EQ(openBytes(s, document(c.children)), c.version);
        EXPECT_EQ(s.Bytes(), c.read);
    }
    TXLSStream s;
    try {
        openBytes(s, document({stream("Other", book)}));
        FAIL();
    } catch (const EXLSError& e) {
        EXPECT_EQ(e.message(), "The file is not an Excel workbook");
    }
}

TEST(XLSStreamVersion, BrokenContainerIsContainerError) {
    Bytes bytes = document({stream("Workbook", Bytes(5000, 7))});
    bytes.resize(600);  // the signature stays, the sectors go
    TXLSStream s;
    try {
        openBytes(s, bytes);
        FAIL();
    } catch (const EXLSError& e) {
        EXPECT_EQ(e.kind(), XLSErrorKind::Container) << e.what();
    }
    Bytes garbage = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    garbage.resize(512, 0xFF);
    EXPECT_THROW(openBytes(s, garbage), EXLSError);
}

CompoundEntry sampleStorage() {
    CompoundEntry storage;
    storage.name = "_VBA_PROJECT_CUR";
    storage.storage = true;
    for (std::size_t i = 0; i < 16; ++i) storage.classId[i] = static_cast<std::uint8_t>(0xA0 + i);
    storage.children.push_back(stream("PROJECT", Bytes{'I', 'D', '=', '1'}));
    CompoundEntry inner;
    inner.name = "VBA";
    inner.storage = true;
    inner.children.push_back(stream("dir", Bytes(5000, 0x5A)));
    storage.children.push_back(inner);
    return storage;
}

TEST(XLSStreamContainer, KeptStreamsAndStoragesGoBack) {
    CompoundEntry root;
    root.storage = true;
    root.classId[0] = 0x20;
    root.classId[15] = 0x46;
    root.children = {stream("\x05SummaryInformation", Bytes(300, 1)), stream("Workbook", minimalBiff8()),
                     stream("ZLater", Bytes(10, 2)), sampleStorage()};
    const Bytes original = writeCompoundFile(root);

    TExtraObjects extra;
    TXLSStream in;
    in.SetExtraObjects(&extra);
    in.SetKeepObjects(true);
    EXPECT_EQ(openBytes(in, original), xvExcel97);
    EXPECT_EQ(extra.Streams().size(), 2u) << "every stream but the workbook's is kept";
    EXPECT_EQ(extra.Storages().size(), 1u);
    const Bytes workbook = in.Bytes();
    in.Close();

    Bytes written;
    TXLSStream out;
    out.SetTarget(&written);
    out.SetExtraObjects(&extra);
    out.Create("", xvExcel97);
    out.WriteRaw(workbook.data(), workbook.size());
    out.Close();

    CompoundEntry back = readCompoundFile(written.data(), written.size());
    EXPECT_EQ(back.classId, root.classId);
    ASSERT_EQ(back.children.size(), 4u);
    for (const CompoundEntry& expected : root.children) {
        const CompoundEntry* got = back.child(expected.name);
        ASSERT_NE(got, nullptr) << expected.name;
        EXPECT_EQ(got->storage, expected.storage);
        EXPECT_EQ(got->data, expected.data) << expected.name;
        EXPECT_EQ(got->classId, expected.classId) << expected.name;
    }
    const CompoundEntry* vba = back.child("_vba_project_cur");
    ASSERT_NE(vba, nullptr);
    ASSERT_NE(vba->child("VBA"), nullptr);
    ASSERT_NE(vba->child("VBA")->child("dir"), nullptr);
    EXPECT_EQ(vba->child("VBA")->child("dir")->data, Bytes(5000, 0x5A));

    // Without keeping, only the workbook stream is written.
    TXLSStream plain;
    TExtraObjects none;
    plain.SetExtraObjects(&none);
    openBytes(plain, original);
    EXPECT_TRUE(none.Empty());
}

TEST(XLSStreamContainer, OracleSeesTheSameDocument) {
    if (!test::requireOracle("olefile")) GTEST_SKIP() << "python3-olefile missing";
    test::TempDir dir;
    TExtraObjects extra;
    extra.AddStream(stream("\x05SummaryInformation", Bytes(200, 3)));
    extra.AddStorage(sampleStorage());
    TXLSStream out;
    out.SetExtraObjects(&extra);
    out.Create(dir.file("book.xls"), xvExcel97);
    const Bytes workbook = minimalBiff8();
    out.WriteRaw(workbook.data(), workbook.size());
    out.Close();
    const std::string script =
        "import sys, olefile\n"
        "o = olefile.OleFileIO(sys.argv[1])\n"
        "for e in sorted(o.listdir(streams=True, storages=True)):\n"
        "    p = \"/\".join(e)\n"
        "    if o.get_type(e) == olefile.STGTY_STREAM:\n"
        "        d = o.openstream(e).read()\n"
        "        print(p.replace(chr(5), \"#\"), len(d), sum(d) % 1000)\n"
        "    else:\n"
        "        print(p, \"storage\", o.getclsid(e))\n";
    int status = 0;
    std::string listing = test::runPython(script, dir.file("book.xls"), status);
    ASSERT_EQ(status, 0) << listing;
    std::size_t workbookSum = 0;
    for (std::uint8_t b : workbook) workbookSum += b;
    const std::string expected = "#SummaryInformation 200 600\n"
                                 "Workbook " + std::to_string(workbook.size()) + " " + std::to_string(workbookSum % 1000) + "\n"
                                 "_VBA_PROJECT_CUR storage A3A2A1A0-A5A4-A7A6-A8A9-AAABACADAEAF\n"
                                 "_VBA_PROJECT_CUR/PROJECT 4 251\n"
                                 "_VBA_PROJECT_CUR/VBA storage \n"
                                 "_VBA_PROJECT_CUR/VBA/dir 5000 0\n";
    EXPECT_EQ(listing, expected);
}

TEST(XLSStreamContainer, OracleReadsTheWorkbookCells) {
    if (!test::requireOracle("xlrd")) GTEST_SKIP() << "python3-xlrd missing";
    test::TempDir dir;
    TXLSStream out;
    out.Create(dir.file("cells.xls"), xvExcel97);
    const Bytes workbook = minimalBiff8();
    out.WriteRaw(workbook.data(), workbook.size());
    out.Close();
    const std::string script =
        "import sys, xlrd\n"
        "b = xlrd.open_workbook(sys.argv[1])\n"
        "s = b.sheet_by_index(0)\n"
        "print(s.name, s.nrows, s.ncols, s.cell_value(2, 1))\n";
    int status = 0;
    std::string result = test::runPython(script, dir.file("cells.xls"), status);
    ASSERT_EQ(status, 0) << result;
    EXPECT_EQ(result, "Arkusz 3 2 42.5\n");
}

TEST(XLSStreamRecords, EndOfDataAndTruncation) {
    const Bytes bytes = {0x09, 0x00, 0x04, 0x00, 1, 2, 3, 4, 0x0A, 0x00};
    TXLSStream s;
    openBytes(s, bytes);
    TRecordHeader h;
    Bytes body;
    ASSERT_TRUE(s.ReadRecord(h, body));
    EXPECT_EQ(h.Id, 0x0009);
    EXPECT_EQ(body, (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(s.PeekNextId(), 0) << "two bytes left";
    EXPECT_EQ(s.Position(), 8) << "peek seeks back only what it read";
    EXPECT_EQ(s.ReadHeader(h), 2u);
    EXPECT_FALSE(s.ReadRecord(h, body));

    const Bytes cut = {0x09, 0x00, 0x04, 0x00, 1, 2, 3, 4, 0xFC, 0x00, 0x10, 0x00, 1, 2};
    openBytes(s, cut);
    EXPECT_EQ(s.PeekNextId(), 0x0009);
    EXPECT_EQ(s.Position(), 0);
    ASSERT_TRUE(s.ReadRecord(h, body));
    try {
        s.ReadRecord(h, body);
        FAIL();
    } catch (const EXLSError& e) {
        EXPECT_EQ(e.kind(), XLSErrorKind::Format);
        EXPECT_EQ(e.recordId(), 0x00FC);
        EXPECT_EQ(e.offset(), 8);
    }
}

TEST(XLSStreamRecords, BodiesSplitIntoContinueRecords) {
    Bytes written;
    TXLSStream s;
    s.SetTarget(&written);
    s.SetMaxBodySize(8);
    s.Create("", xvExcel40);
    Bytes body(20);
    for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(i);
    s.WriteHeader(0x00FC, 20);
    s.WriteBody(body.data(), 5);
    s.WriteBody(body.data() + 5, 15);
    s.WriteHeader(BIFFID_EOF, 0);
    s.Close();
    Bytes expected = record(0x00FC, Bytes(body.begin(), body.begin() + 8));
    for (const Bytes& part : {record(BIFFID_CONTINUE, Bytes(body.begin() + 8, body.begin() + 16)),
                              record(BIFFID_CONTINUE, Bytes(body.begin() + 16, body.end())), record(BIFFID_EOF, {})})
        expected.insert(expected.end(), part.begin(), part.end());
    EXPECT_EQ(written, expected);

    // Without a maximum the body is written whole.
    TXLSStream whole;
    whole.SetTarget(&written);
    whole.Create("", xvExcel40);
    whole.WriteHeader(0x00FC, 20);
    whole.WriteBody(body.data(), body.size());
    whole.Close();
    EXPECT_EQ(written, record(0x00FC, body));
}

TEST(XLSStreamRecords, ByteStringsAndPatches) {
    Bytes written;
    TXLSStream s;
    s.SetTarget(&written);
    s.Create("", xvExcel30);
    s.WriteByteStr16(WideStringToByteStr(u"Ł"));
    s.WriteByteStr8(std::string("\0ab", 3));
    EXPECT_EQ(s.Seek(0, 0), 0);
    s.WriteWord(7);
    EXPECT_EQ(s.Seek(0, 2), 9);
    EXPECT_EQ(s.Seek(-100, 1), 0);
    s.Close();
    EXPECT_EQ(written, (Bytes{7, 0, 1, 0x41, 0x01, 2, 0, 'a', 'b'}));
}

TEST(XLSStreamSave, RefusalsAndSafeSave) {
    TXLSStream s;
    for (TExcelVersion v : {xvNone, xvExcelUnknown}) {
        try {
            s.Create("x.xls", v);
            FAIL();
        } catch (const EXLSError& e) {
            EXPECT_EQ(e.kind(), XLSErrorKind::Refused);
        }
    }
    try {
        s.Create("", xvExcel97);
        FAIL();
    } catch (const EXLSError& e) {
        EXPECT_EQ(e.message(), "Filename is missing");
    }

    test::TempDir dir;
    dir.write("old.xls", "old contents");
    // The target is a folder: the rename fails, nothing is left behind.
    std::filesystem::create_directory(dir.file("folder.xls"));
    s.Create(dir.file("folder.xls"), xvExcel97);
    s.WriteDWord(1);
    try {
        s.Close();
        FAIL();
    } catch (const EXLSError& e) {
        EXPECT_EQ(e.kind(), XLSErrorKind::Io);
    }
    EXPECT_FALSE(dir.exists("folder.xls.zapis~"));
    s.Create(dir.file("nowhere/old.xls"), xvExcel40);
    EXPECT_THROW(s.Close(), EXLSError);

    // An unfinished write is dropped.
    {
        TXLSStream dropped;
        dropped.Create(dir.file("old.xls"), xvExcel97);
        dropped.WriteDWord(1);
    }
    EXPECT_EQ(dir.read("old.xls"), "old contents");

    s.Create(dir.file("old.xls"), xvExcel40);
    s.WriteHeader(BIFFID_BOF4, 0);
    s.Close();
    EXPECT_EQ(dir.read("old.xls"), std::string("\x09\x04\x00\x00", 4));
    EXPECT_FALSE(dir.exists("old.xls.zapis~"));
}

}  // namespace
}  // namespace vesk
