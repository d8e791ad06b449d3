// The per-workbook formula service: the encoder, the decoder's name and
// sheet texts, the external references and the defined names.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "BIFFRecsMini.h"
#include "EncodeFormula.h"
#include "ExternalNames.h"
#include "FormulaDecoder.h"
#include "InternalNames.h"

namespace vesk {

class TFormulaHandler {
public:
    // Sheet lookup: the index of the sheet of that name (-1 when there is
    // none) and the workbook's sheet count.
    using TSheetLookup = std::function<int(std::u16string_view Name, int& SheetCount)>;
    // Sheet name: the name of the sheet with that index, empty when there
    // is no such sheet.
    using TSheetName = std::function<std::u16string(int Index)>;

    explicit TFormulaHandler(void* Owner = nullptr, void* Extra = nullptr);
    TFormulaHandler(const TFormulaHandler&) = delete;
    TFormulaHandler& operator=(const TFormulaHandler&) = delete;

    void Clear();
    // Formula text of the Length token bytes at the start of Buffer (array
    // data after them) for the cell at Row, Col of sheet SheetIndex.
    std::u16string DecodeFormula(std::span<const std::uint8_t> Buffer, std::size_t Length, int Row, int Col,
                                 int SheetIndex) const;
    void SetStrTRUE(std::u16string_view Text) { encoder_.SetStrTRUE(Text); }
    void SetStrFALSE(std::u16string_view Text) { encoder_.SetStrFALSE(Text); }
    void SetVersion(TExcelVersion Version);
    TExcelVersion Version() const { return version_; }

    // The separators of formula text, shared by encoder and decoder.
    TFormulaSettings& Settings() { return encoder_.Settings; }
    const TFormulaSettings& Settings() const { return encoder_.Settings; }
    // Code page of 8-bit formula strings in BIFF2-5 workbooks.
    int CodePage = 1250;
    // The names of a BIFF5 workbook's NAME records in file order, which its
    // formulas number from 1 (the records themselves are kept raw); empty
    // for a name that could not be read.
    std::vector<std::u16string> Names5;

    TEncodeFormula& Encoder() { return encoder_; }
    TExternalNames& ExternalNames() { return externalNames_; }
    const TExternalNames& ExternalNames() const { return externalNames_; }
    TInternalNames& InternalNames() { return internalNames_; }
    const TInternalNames& InternalNames() const { return internalNames_; }
    // The decoder's name resolver (kinds of TNameResolverKind).
    const TNameResolver& Resolver() const { return resolver_; }

    void* Owner() const { return owner_; }

    TSheetLookup OnSheetLookup;
    TSheetName OnSheetName;

private:
    std::u16string resolve(int kind, int index, int nameIndex) const;
    std::u16string sheetName(int index) const;
    T3DResolution resolve3D(const T3DReference& ref);

    void* owner_;
    TExcelVersion version_ = xvExcel97;
    [[maybe_unused]] void* extra_;  // the caller's, kept as given
    TNameResolver resolver_;
    TEncodeFormula encoder_;
    TExternalNames externalNames_;
    TInternalNames internalNames_;
};

}  // namespace vesk
