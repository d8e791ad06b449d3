// The defined names of a workbook (NAME records): print areas and titles,
// named ranges and the other built-in names.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BIFFRecsMini.h"
#include "FormulaDecoder.h"
#include "XLSBytes.h"
#include "XLSUtilsMini.h"

namespace vesk {

class TEncodeFormula;
class TInternalNames;
class TXLSStream;

enum TBuiltInName : std::uint8_t {
    bnConsolidateArea = 0, bnAutoOpen = 1, bnAutoClose = 2, bnExtract = 3, bnDatabase = 4,
    bnCriteria = 5, bnPrintArea = 6, bnPrintTitles = 7, bnRecorder = 8, bnDataForm = 9,
    bnAutoActivate = 10, bnAutoDeactivate = 11, bnSheetTitle = 12, bnNone = 13,
};

class TInternalName {
public:
    explicit TInternalName(TInternalNames& owner) : owner_(owner) {}

    // The name's characters; empty for a built-in name (option 0x20) and a
    // name not set yet. Setting: 3 to 255 characters, not the name of
    // another entry (ignoring case); stored as 16-bit characters.
    WideString Name() const;
    void SetName(std::u16string_view Text);
    // The definition as formula text; setting compiles it (the print titles
    // must be one or two 3D areas and take the sheet of the last one). A
    // refused text changes nothing.
    WideString Definition() const;
    void SetDefinition(std::u16string_view Text);
    TBuiltInName BuiltInName() const;
    void SetBuiltInName(TBuiltInName Value);
    // Of a definition that is one 3D area or one 3D reference; Usage error
    // otherwise. Columns keep their relative-flag bits; Sheet is the
    // external-sheet index.
    int Sheet() const;
    int Row1() const;
    int Row2() const;
    int Col1() const;
    int Col2() const;
    // Definition bytes and raw name bytes as upper-case hexadecimal text.
    std::string NameDef() const;
    void SetNameDef(std::string_view Hex);
    std::string NameName() const;
    void SetNameName(std::string_view Hex);

    // The NAME record body.
    std::vector<std::uint8_t> Body() const;

    std::uint16_t Options = 0;
    std::uint8_t Shortcut = 0;
    std::uint16_t Ixals = 0;
    std::uint16_t SheetIndex = 0;  // 1-based sheet of a local name, 0 global
    ByteString RawName;
    std::vector<std::uint8_t> Tokens;
    ByteString Menu, Description, Help, Status;  // empty when absent
    bool FromFile = false;

private:
    struct Area3d {
        int sheet, row1, row2, col1, col2;
    };
    Area3d area3d() const;

    TInternalNames& owner_;
};

class TInternalNames {
public:
    TInternalNames(TEncodeFormula& Encoder, TNameResolver Resolver)
        : encoder_(Encoder), resolver_(std::move(Resolver))
    {
    }

    void Clear() { items_.clear(); }
    int Count() const { return static_cast<int>(items_.size()); }
    TInternalName& operator[](int i) { return *items_.at(static_cast<std::size_t>(i)); }
    const TInternalName& operator[](int i) const { return *items_.at(static_cast<std::size_t>(i)); }
    // Case-insensitive; -1 when absent.
    int IndexOf(std::u16string_view Name) const;
    TInternalName& Add();
    // A NAME record body (BIFF8); every count and size checked.
    TInternalName& Add(const TRecordBody& Body);
    void Delete(int i);
    // Removes the first name other than Except with that built-in code and
    // sheet index.
    void RemoveBuiltIn(const TInternalName* Except, TBuiltInName Code, std::uint16_t SheetIndex);
    // A NAME record for every name read from a file or named since; nothing
    // in a stream older than BIFF8.
    void Write(TXLSStream& Stream, TExcelVersion Version) const;

    TEncodeFormula& Encoder() { return encoder_; }
    const TNameResolver& Resolver() const { return resolver_; }

private:
    TEncodeFormula& encoder_;
    TNameResolver resolver_;
    std::vector<std::unique_ptr<TInternalName>> items_;
};

}  // namespace vesk
