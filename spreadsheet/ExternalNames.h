// The external-reference data of a BIFF8 workbook: SUPBOOK records with
// their EXTERNNAME, XCT and CRN records, and the EXTERNSHEET list that 3D
// references and external names point into.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "XLSBytes.h"
#include "XLSUtilsMini.h"

namespace vesk {

class TXLSStream;

struct TExtSheet {
    std::uint32_t SupBook = 0;
    std::uint16_t FirstSheet = 0;
    std::uint16_t LastSheet = 0;
};

class TExtSheetList : public std::vector<TExtSheet> {};

struct TCRN {
    std::uint8_t LastCol = 0;
    std::uint8_t FirstCol = 0;
    std::uint16_t Row = 0;
    std::vector<std::uint8_t> Values;  // the cached values, as read
};

class TCRNList : public std::vector<TCRN> {};

struct TSupBookSheet {
    ByteString Name;
    TCRNList CRNs;
};

class TExtName {
public:
    virtual ~TExtName() = default;
    // Appends the EXTERNNAME body.
    virtual void Write(std::vector<std::uint8_t>& body) const;
    virtual int Kind() const = 0;  // 0 name, 1 DDE, 2 OLE

    std::uint16_t Options = 0;
    ByteString Name;
    std::uint32_t StorageId = 0;          // the 4 bytes after the options
    std::vector<std::uint8_t> Trailing;   // bytes after the name (DDE and OLE values)

protected:
    void writeHead(std::vector<std::uint8_t>& body) const;
};

class TExtNameName : public TExtName {
public:
    void Write(std::vector<std::uint8_t>& body) const override;
    int Kind() const override { return 0; }
    bool HasTokens = true;  // a token size was stored
    std::vector<std::uint8_t> Tokens;
};

class TExtNameDDE : public TExtName {
public:
    int Kind() const override { return 1; }
};

class TExtNameOLE : public TExtName {
public:
    int Kind() const override { return 2; }
};

class TExtNameList : public std::vector<std::unique_ptr<TExtName>> {};

class TSupBook {
public:
    static constexpr std::uint16_t MarkerSelf = 0x0401;
    static constexpr std::uint16_t MarkerAddIn = 0x3A01;

    std::uint32_t SheetCount = 0;
    std::uint16_t Marker = 0;  // 0: another workbook
    ByteString FileName;       // encoded, other workbooks only
    std::vector<TSupBookSheet> Sheets;
    TExtNameList Names;

    bool Self() const { return Marker == MarkerSelf; }
    // The decoded file name: "C:\dir\Book.xls" ("|" between the parts of a
    // name that has no sheets).
    WideString DecodedFileName() const;
    std::vector<std::uint8_t> Body() const;
};

class TSupBookList : public std::vector<std::unique_ptr<TSupBook>> {};

// Where the encoder's external reference went: the EXTERNSHEET entry and
// the sheet's (or the name's) position in its SUPBOOK.
struct TExternalPosition {
    int ExtSheetIndex = -1;
    int Position = -1;
};

class TExternalNames {
public:
    void Clear();

    // Record bodies as read; every count and size is checked against the
    // body (Format error naming the record).
    void ReadExternSheet(const TRecordBody& body);
    void ReadSupBook(const TRecordBody& body);
    void ReadExternName(const TRecordBody& body);
    // XCT body: the CRN count and the sheet its CRNs belong to.
    static std::uint16_t XCTSheetIndex(const TRecordBody& body);
    void AddCRN(int SheetIndex, const TRecordBody& body);
    void SetSheetCount(int n);

    // SUPBOOK, EXTERNNAME, XCT and CRN records, then one EXTERNSHEET
    // (continued in CONTINUE records past 1370 entries).
    void Write(TXLSStream& stream) const;

    int InternalSheet(int ExtIndex) const;
    int SheetEntry(int Sheet, int SheetCount);
    // "'C:\dir\[Book.xls]Sheet1'!" for a sheet entry (NameIndex below 0),
    // "'C:\dir\Book.xls'!Name" for an external name, the bare name for an
    // add-in function; "#REF!" for an entry or name that does not exist.
    WideString ExternalText(int ExtIndex, int NameIndex) const;
    std::optional<TExternalPosition> FindExternal(std::u16string_view Path, std::u16string_view File,
                                                  std::u16string_view Sheet) const;
    TExternalPosition AddExternal(std::u16string_view Path, std::u16string_view File, std::u16string_view Sheet);
    std::optional<TExternalPosition> FindExternalName(std::u16string_view Path, std::u16string_view File,
                                                      std::u16string_view Name) const;

    TExtSheetList& ExtSheets() { return extSheets_; }
    const TExtSheetList& ExtSheets() const { return extSheets_; }
    TSupBookList& SupBooks() { return supBooks_; }
    const TSupBookList& SupBooks() const { return supBooks_; }

private:
    TExtSheetList extSheets_;
    TSupBookList supBooks_;
};

}  // namespace vesk
