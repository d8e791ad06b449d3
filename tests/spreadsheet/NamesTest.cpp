#include "ExternalNames.h"
#include "FormulaHandler.h"
#include "InternalNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CodePage.h"
#include "EXLSError.h"
#include "XLSStreamMini.h"

namespace vesk {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes le16(unsigned v) { return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)}; }

Bytes str8(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes str16(const std::u16string& s)
{
    Bytes b;
    for (char16_t c : s) {
        b.push_back(static_cast<std::uint8_t>(c));
        b.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return b;
}

Bytes record(std::uint16_t id, const Bytes& body) { return cat({le16(id), le16(body.size()), body}); }

// Records written by f into an in-memory BIFF8 stream.
template <class F>
Bytes written(F f)
{
    Bytes target;
    TXLSStream s;
    s.SetTarget(&target);
    s.SetMaxBodySize(8224);
    s.Create("", xvExcel97);
    f(s);
    return s.Bytes();
}

XLSErrorKind errorKind(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EXLSError& e) {
        return e.kind();
    }
    ADD_FAILURE() << "no error";
    return XLSErrorKind::Usage;
}

std::string errorText(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EXLSError& e) {
        return e.message();
    }
    return "no error";
}

// External bodies as another writer makes them.
const Bytes selfBook = {2, 0, 0x01, 0x04};
const Bytes addInBook = {1, 0, 0x01, 0x3A};
const Bytes driveBook = cat({le16(2), le16(15), {0}, str8("\x01\x01" "Cdir\x03" "Book.xls"), le16(6), {0},
                             str8("Sheet1"), le16(6), {0}, str8("Dane 2")});
const Bytes uncBook = cat({le16(1), le16(16), {1}, str16(u"\x01\x01@srv\x03sh\u0142\x03" u"b.xls"), le16(1), {1},
                           str16(u"\u0141")});
const Bytes upBook = cat({le16(1), le16(8), {0}, str8("\x01\x04\x04" "b.xls"), le16(1), {0}, str8("S")});
const Bytes ddeBook = cat({le16(0), le16(9), {0}, str8("app\x03topic")});

TEST(ExternalNames, HandBuiltBodiesDecodeAndWriteBack)
{
    TExternalNames names;
    const Bytes* books[] = {&selfBook, &addInBook, &driveBook, &uncBook, &upBook, &ddeBook};
    for (const Bytes* b : books)
        names.ReadSupBook(TRecordBody(*b, BIFFID_SUPBOOK));
    const Bytes sheets = cat({le16(7), le16(0), le16(0), le16(0), le16(2), le16(1), le16(1), le16(3), le16(0),
                              le16(0), le16(4), le16(0), le16(0), le16(1), le16(0xFFFE), le16(0xFFFE), le16(2),
                              le16(0xFFFE), le16(0xFFFE), le16(3), le16(5), le16(5)});
    names.ReadExternSheet(TRecordBody(sheets, BIFFID_EXTERNSHEET));
    ASSERT_EQ(names.ExtSheets().size(), 7u);
    // Every SUPBOOK with its decoded file name.
    const char* decoded[] = {"", "", "C:\\dir\\Book.xls", "\\\\srv\\sh\xC5\x82\\b.xls", "..\\..\\b.xls", "app|topic"};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(utf16ToUtf8(names.SupBooks()[i]->DecodedFileName()), decoded[i]) << i;
    const struct {
        int ext, name;
        const char* text;
    } texts[] = {
        {1, -1, "'C:\\dir\\[Book.xls]Dane 2'!"},
        {2, -1, "'\\\\srv\\sh\xC5\x82\\[b.xls]\xC5\x81'!"},
        {3, -1, "'..\\..\\[b.xls]S'!"},
        {6, -1, "#REF!"},  // sheet 5 of a one-sheet SUPBOOK
        {9, -1, "#REF!"},  // no such entry
        {4, 1, "#REF!"},   // no such name
    };
    for (const auto& t : texts)
        EXPECT_EQ(utf16ToUtf8(names.ExternalText(t.ext, t.name)), t.text) << t.ext;
    EXPECT_EQ(names.InternalSheet(0), 0);
    EXPECT_EQ(names.InternalSheet(1), -1);
    EXPECT_EQ(names.InternalSheet(7), -1);

    Bytes expected;
    for (const Bytes* b : books)
        expected = cat({expected, record(BIFFID_SUPBOOK, *b)});
    expected = cat({expected, record(BIFFID_EXTERNSHEET, sheets)});
    EXPECT_EQ(written([&](TXLSStream& s) { names.Write(s); }), expected);
}

TEST(ExternalNames, ExternalNamesAndCachedCellsWriteBack)
{
    TExternalNames names;
    EXPECT_EQ(errorText([&] { names.AddCRN(0, TRecordBody(Bytes{0, 0, 0, 0}, BIFFID_CRN)); }), "No SUPBOOK for CRN");
    names.ReadSupBook(TRecordBody(driveBook, BIFFID_SUPBOOK));
    const Bytes plain = cat({le16(0), Bytes(4), {4, 0}, str8("Zysk"), le16(3), {0x1C, 0x17, 0}});
    const Bytes dde = cat({le16(0x0002), Bytes(4), {3, 0}, str8("abc"), {9, 8, 7}});
    const Bytes ole = cat({le16(0x0010), {0x78, 0x56, 0x34, 0x12}, {2, 1}, str16(u"ob")});
    const Bytes bare = cat({le16(1), Bytes(4), {1, 0}, str8("x")});
    for (const Bytes* b : {&plain, &dde, &ole, &bare})
        names.ReadExternName(TRecordBody(*b, BIFFID_EXTERNNAME));
    const auto& list = names.SupBooks()[0]->Names;
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0]->Kind(), 0);
    EXPECT_EQ(list[1]->Kind(), 1);
    EXPECT_EQ(list[2]->Kind(), 2);
    EXPECT_EQ(list[2]->StorageId, 0x12345678u);
    const Bytes crn1 = {1, 0, 5, 0, 0x01, 1, 0, 0, 0, 0, 0, 0, 0, 0x01, 2, 0, 0, 0, 0, 0, 0, 0};
    const Bytes crn2 = {0, 0, 6, 0, 0x02, 1, 0, 0, 'z'};
    names.AddCRN(1, TRecordBody(crn1, BIFFID_CRN));
    names.AddCRN(1, TRecordBody(crn2, BIFFID_CRN));
    EXPECT_EQ(errorText([&] { names.AddCRN(2, TRecordBody(crn1, BIFFID_CRN)); }), "Invalid SUPBOOK Sheet Index");
    const Bytes entries = cat({le16(1), le16(0), le16(1), le16(1)});
    names.ReadExternSheet(TRecordBody(entries, BIFFID_EXTERNSHEET));
    EXPECT_EQ(utf16ToUtf8(names.ExternalText(0, 1)), "'C:\\dir\\Book.xls'!Zysk");
    auto found = names.FindExternalName(u"c:\\DIR\\", u"book.xls", u"ZYSK");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->ExtSheetIndex, 0);
    EXPECT_EQ(found->Position, 0);
    EXPECT_FALSE(names.FindExternalName(u"C:\\dir\\book.xls", u"", u"none"));

    Bytes expected = record(BIFFID_SUPBOOK, driveBook);
    for (const Bytes* b : {&plain, &dde, &ole, &bare})
        expected = cat({expected, record(BIFFID_EXTERNNAME, *b)});
    expected = cat({expected, record(BIFFID_XCT, cat({le16(2), le16(1)})), record(BIFFID_CRN, crn1),
                    record(BIFFID_CRN, crn2), record(BIFFID_EXTERNSHEET, entries)});
    EXPECT_EQ(written([&](TXLSStream& s) { names.Write(s); }), expected);
}

TEST(ExternalNames, MalformedBodiesAreFormatErrors)
{
    const struct {
        std::uint16_t id;
        Bytes body;
    } cases[] = {
        {BIFFID_EXTERNSHEET, cat({le16(3), Bytes(12)})},
        {BIFFID_EXTERNSHEET, {1}},
        {BIFFID_SUPBOOK, {1, 0}},
        {BIFFID_SUPBOOK, cat({le16(0), le16(10), {0}, str8("abc")})},
        {BIFFID_SUPBOOK, cat({le16(2), le16(1), {0, 'a'}, le16(1), {0, 'b'}})},
        {BIFFID_SUPBOOK, cat({le16(1), le16(2), {1, 'a', 0}})},
        {BIFFID_EXTERNNAME, cat({le16(0), Bytes(4), {9, 0}, str8("ab")})},
        {BIFFID_EXTERNNAME, cat({le16(0), Bytes(4), {1, 0}, str8("a"), le16(5), {1}})},
        {BIFFID_EXTERNNAME, {0, 0}},
        {BIFFID_CRN, {1, 2}},
    };
    for (const auto& c : cases) {
        TExternalNames names;
        if (c.id != BIFFID_SUPBOOK)
            names.ReadSupBook(TRecordBody(driveBook, BIFFID_SUPBOOK));
        std::size_t before = names.SupBooks().size();
        EXPECT_EQ(errorKind([&] {
                      TRecordBody body(c.body, c.id);
                      if (c.id == BIFFID_EXTERNSHEET)
                          names.ReadExternSheet(body);
                      else if (c.id == BIFFID_SUPBOOK)
                          names.ReadSupBook(body);
                      else if (c.id == BIFFID_EXTERNNAME)
                          names.ReadExternName(body);
                      else
                          names.AddCRN(0, body);
                  }),
                  XLSErrorKind::Format);
        EXPECT_EQ(names.SupBooks().size(), before);
        EXPECT_TRUE(names.ExtSheets().empty());
    }
}

TEST(ExternalNames, OneEntryForTheSameReferenceTwice)
{
    TExternalNames names;
    int a = names.SheetEntry(2, 5);
    EXPECT_EQ(names.SheetEntry(2, 5), a);
    EXPECT_EQ(names.SheetEntry(0, 5), a + 1);
    ASSERT_EQ(names.SupBooks().size(), 1u);
    EXPECT_TRUE(names.SupBooks()[0]->Self());
    EXPECT_EQ(names.SupBooks()[0]->SheetCount, 5u);
    names.SetSheetCount(7);
    EXPECT_EQ(names.SupBooks()[0]->SheetCount, 7u);

    TExternalPosition p1 = names.AddExternal(u"C:\\dir\\", u"Book.xls", u"Sheet1");
    TExternalPosition p2 = names.AddExternal(u"C:\\dir\\", u"BOOK.XLS", u"sheet1");
    EXPECT_EQ(p1.ExtSheetIndex, p2.ExtSheetIndex);
    EXPECT_EQ(p1.Position, 0);
    TExternalPosition p3 = names.AddExternal(u"C:\\dir\\", u"Book.xls", u"Sheet2");
    EXPECT_EQ(p3.Position, 1);
    EXPECT_EQ(names.SupBooks().size(), 2u);
    EXPECT_EQ(names.ExtSheets().size(), 4u);
    EXPECT_EQ(utf16ToUtf8(names.ExternalText(p3.ExtSheetIndex, -1)), "'C:\\dir\\[Book.xls]Sheet2'!");
    // The encoded name: 16-bit, the path without its last "\", mark 3, file.
    EXPECT_EQ(names.SupBooks()[1]->FileName, WideStringToByteStr(u"C:\\dir\x03" u"Book.xls"));
    // An EXTERNSHEET beyond 1370 entries goes on in CONTINUE records.
    for (int i = 0; i < 1500; ++i)
        names.ExtSheets().push_back({0, static_cast<std::uint16_t>(i % 5), static_cast<std::uint16_t>(i % 5)});
    Bytes out = written([&](TXLSStream& s) { names.Write(s); });
    std::size_t at = out.size() - (4 + 2 + 1370 * 6) - (4 + (1504 - 1370) * 6);
    EXPECT_EQ(out[at] | (out[at + 1] << 8), BIFFID_EXTERNSHEET);
    EXPECT_EQ(out[at + 2] | (out[at + 3] << 8), 2 + 1370 * 6);
    EXPECT_EQ(out[at + 4] | (out[at + 5] << 8), 1504);
    std::size_t cont = at + 4 + 2 + 1370 * 6;
    EXPECT_EQ(out[cont] | (out[cont + 1] << 8), BIFFID_CONTINUE);
    EXPECT_EQ(out[cont + 2] | (out[cont + 3] << 8), (1504 - 1370) * 6);
}

// A NAME body: options, name, tokens, texts.
Bytes nameBody(unsigned options, const Bytes& rawName, std::size_t chars, const Bytes& tokens, unsigned sheet = 0,
               const Bytes& description = {})
{
    return cat({le16(options), {0, static_cast<std::uint8_t>(chars)}, le16(tokens.size()), le16(0), le16(sheet),
                {0, static_cast<std::uint8_t>(description.empty() ? 0 : description.size() - 1), 0, 0}, rawName,
                tokens, description});
}

const Bytes area3d = {0x3B, 0, 0, 1, 0, 4, 0, 0, 0, 2, 0};  // entry 0, $A$2:$C$5
const Bytes ref3d = {0x3A, 0, 0, 6, 0, 3, 0xC0};            // entry 0, D7 relative

struct Workbook {
    TFormulaHandler h;
    std::vector<std::u16string> sheets = {u"Arkusz1", u"Dane 2010", u"O'Brien"};
    Workbook()
    {
        h.OnSheetLookup = [this](std::u16string_view name, int& count) {
            count = static_cast<int>(sheets.size());
            for (std::size_t i = 0; i < sheets.size(); ++i)
                if (WideUpperCase(sheets[i]) == WideUpperCase(name))
                    return static_cast<int>(i);
            return -1;
        };
        h.OnSheetName = [this](int i) {
            return i >= 0 && static_cast<std::size_t>(i) < sheets.size() ? sheets[static_cast<std::size_t>(i)]
                                                                         : std::u16string();
        };
    }
    TInternalNames& names() { return h.InternalNames(); }
};

TEST(InternalNames, ReadDecodeAndWriteBack)
{
    Workbook wb;
    wb.h.ExternalNames().SheetEntry(1, 3);
    const Bytes bodies[] = {
        nameBody(0, cat({{0}, str8("x")}), 1, area3d),
        nameBody(0x20, {0, 6}, 1, area3d, 2),
        nameBody(0, cat({{1}, str16(u"Zysk\u0142")}), 5, ref3d, 0, cat({{0}, str8("opis")})),
        nameBody(0x20, {1, 7, 0}, 1, cat({area3d, area3d, {0x10}}), 1),
    };
    for (const Bytes& b : bodies)
        wb.names().Add(TRecordBody(b, BIFFID_NAME));
    ASSERT_EQ(wb.names().Count(), 4);
    EXPECT_EQ(utf16ToUtf8(wb.names()[0].Name()), "x");  // short names keep their characters
    EXPECT_EQ(wb.names()[0].BuiltInName(), bnNone);
    EXPECT_EQ(wb.names()[1].Name(), u"");
    EXPECT_EQ(wb.names()[1].BuiltInName(), bnPrintArea);
    EXPECT_EQ(wb.names()[3].BuiltInName(), bnPrintTitles);  // a 16-bit built-in name
    EXPECT_EQ(utf16ToUtf8(wb.names()[0].Definition()), "'Dane 2010'!$A$2:$C$5");
    EXPECT_EQ(utf16ToUtf8(wb.names()[2].Definition()), "'Dane 2010'!D7");
    EXPECT_EQ(utf16ToUtf8(wb.names()[3].Definition()), "'Dane 2010'!$A$2:$C$5,'Dane 2010'!$A$2:$C$5");
    EXPECT_EQ(wb.names().IndexOf(u"ZYSK\u0141"), 2);
    EXPECT_EQ(wb.names().IndexOf(u"X"), 0);
    EXPECT_EQ(wb.names().IndexOf(u"Print_Area"), -1);
    // Name tokens decode to the names, built-in ones by their published name.
    EXPECT_EQ(utf16ToUtf8(wb.h.DecodeFormula(Bytes{0x23, 2, 0, 0, 0, 0x23, 3, 0, 0, 0, 0x03}, 11, 0, 0, 0)),
              "Print_Area+Zysk\xC5\x82");
    EXPECT_EQ(utf16ToUtf8(wb.h.DecodeFormula(Bytes{0x23, 9, 0, 0, 0}, 5, 0, 0, 0)), "#REF!");
    // Areas of the definitions; columns keep their flag bits.
    EXPECT_EQ(wb.names()[0].Row1(), 1);
    EXPECT_EQ(wb.names()[0].Row2(), 4);
    EXPECT_EQ(wb.names()[0].Col2(), 2);
    EXPECT_EQ(wb.names()[2].Row1(), wb.names()[2].Row2());
    EXPECT_EQ(wb.names()[2].Col1(), 0xC003);
    EXPECT_EQ(wb.names()[2].Sheet(), 0);
    EXPECT_EQ(errorText([&] { wb.names()[3].Row1(); }), "Name is not of requested type.");
    // Hex texts.
    EXPECT_EQ(wb.names()[1].NameName(), "0006");
    EXPECT_EQ(wb.names()[2].NameDef(), "3A0000060003C0");
    // Written back byte for byte.
    Bytes expected;
    for (const Bytes& b : bodies)
        expected = cat({expected, record(BIFFID_NAME, b)});
    EXPECT_EQ(written([&](TXLSStream& s) { wb.names().Write(s, xvExcel97); }), expected);
    EXPECT_TRUE(written([&](TXLSStream& s) { wb.names().Write(s, xvExcel50); }).empty());
}

TEST(InternalNames, MalformedNameBodiesAreFormatErrors)
{
    Workbook wb;
    const Bytes tooShort(10);
    const Bytes nameBeyond = nameBody(0, cat({{0}, str8("ab")}), 5, {});
    const Bytes noCharacters = nameBody(0, {}, 0, {});
    Bytes tokensBeyond = nameBody(0, cat({{0}, str8("abc")}), 3, {0x1E, 1, 0});
    tokensBeyond.pop_back();
    Bytes textBeyond = nameBody(0, cat({{0}, str8("abc")}), 3, {}, 0, cat({{0}, str8("opis")}));
    textBeyond.pop_back();
    for (const Bytes& b : {tooShort, nameBeyond, noCharacters, tokensBeyond, textBeyond}) {
        EXPECT_EQ(errorKind([&] { wb.names().Add(TRecordBody(b, BIFFID_NAME)); }), XLSErrorKind::Format);
        EXPECT_EQ(wb.names().Count(), 0);
    }
}

TEST(InternalNames, RulesOfNamesAndDefinitions)
{
    Workbook wb;
    TInternalName& a = wb.names().Add();
    EXPECT_EQ(errorText([&] { a.SetDefinition(u"Arkusz1!A1"); }), "Name must be set before definition.");
    EXPECT_EQ(errorText([&] { a.SetName(u"ab"); }), "Invalid name. Must be at least 3 characters");
    EXPECT_EQ(errorKind([&] { a.SetName(std::u16string(256, u'a')); }), XLSErrorKind::Usage);
    a.SetName(u"Obszar");
    a.SetDefinition(u"Arkusz1!$A$1:$B$2");
    EXPECT_EQ(a.Definition(), u"Arkusz1!$A$1:$B$2");
    TInternalName& b = wb.names().Add();
    EXPECT_EQ(errorText([&] { b.SetName(u"OBSZAR"); }), "There is allready an area named OBSZAR");
    b.SetName(u"Inny");
    b.SetDefinition(u"'Dane 2010'!C3");
    EXPECT_EQ(b.Row1(), 2);
    EXPECT_EQ(b.Row2(), 2);
    // A refused definition changes nothing.
    EXPECT_EQ(errorKind([&] { b.SetDefinition(u"SUM("); }), XLSErrorKind::Formula);
    EXPECT_EQ(b.Definition(), u"'Dane 2010'!C3");
    // Print titles: areas only; they take the sheet of the last area and
    // replace the titles of that sheet.
    TInternalName& t = wb.names().Add();
    t.SetBuiltInName(bnPrintTitles);
    EXPECT_EQ(t.Name(), u"");
    EXPECT_EQ(errorText([&] { t.SetDefinition(u"Arkusz1!$A$1"); }), "Name definition must be an area");
    EXPECT_EQ(t.Tokens.size(), 0u);
    t.SetDefinition(u"'O''Brien'!$A$1:$IV$2");
    EXPECT_EQ(t.SheetIndex, 3);
    EXPECT_EQ(t.Definition(), u"'O''Brien'!$A$1:$IV$2");
    TInternalName& t2 = wb.names().Add();
    t2.SetBuiltInName(bnPrintTitles);
    t2.SetDefinition(u"'O''Brien'!$A$1:$A$65536");
    EXPECT_EQ(wb.names().Count(), 3);
    EXPECT_EQ(wb.names()[2].BuiltInName(), bnPrintTitles);
    EXPECT_EQ(wb.names()[2].SheetIndex, 3);
    t2.SetBuiltInName(bnNone);
    EXPECT_EQ(t2.BuiltInName(), bnNone);
    // Hex texts set the bytes.
    TInternalName& h = wb.names().Add();
    h.SetNameName("016100620063006400");
    h.SetNameDef("1E0700");
    EXPECT_EQ(h.Name(), u"abcd");
    EXPECT_EQ(h.Definition(), u"7");
}

}  // namespace
}  // namespace vesk
