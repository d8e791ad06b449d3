// The cell records of one sheet: runs of blanks and of RK numbers packed,
// every other cell by its kind.
#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "CodePage.h"
#include "EXLSError.h"
#include "FormulaDecoder.h"
#include "SheetDataMini.h"
#include "XLSBytes.h"
#include "XLSMini.h"
#include "XLSUtilsMini.h"

namespace vesk {

namespace {

// The most characters a cell's text record can count.
constexpr std::size_t MaxCellText = 0xFFFF;

std::uint64_t bitsOf(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    return bits;
}

class CellRecordWriter {
public:
    CellRecordWriter(TXLSStream& stream, TExcelVersion version, std::uint32_t maxBody)
        : stream_(stream), version_(version), maxBody_(maxBody) {}

    void record(std::uint16_t id, const std::vector<std::uint8_t>& body) {
        if (body.size() > maxBody_)
            throw EXLSError(XLSErrorKind::Format, "Record too long for its version", id);
        stream_.WriteHeader(id, static_cast<std::uint16_t>(body.size()));
        stream_.WriteRaw(body.data(), body.size());
    }

    // RK cache
    bool addRK(std::uint32_t rk, std::uint16_t xf, int col, int row) {
        if (rkCount_ >= 256) throw EXLSError(XLSErrorKind::Usage, "RK Cache overflow");
        if (rkCount_ > 0 && col != rkLast_ + 1) return false;
        if (rkCount_ == 0) {
            rkFirst_ = col;
            rkRow_ = row;
        }
        rkXF_[rkCount_] = xf;
        rkValue_[rkCount_] = rk;
        ++rkCount_;
        rkLast_ = col;
        return true;
    }

    void flushRK() {
        if (rkCount_ == 0) return;
        body_.clear();
        if (rkCount_ == 1 || version_ < xvExcel50) {
            for (int i = 0; i < rkCount_; ++i) {
                body_.clear();
                appendU16(body_, static_cast<std::uint16_t>(rkRow_));
                appendU16(body_, static_cast<std::uint16_t>(rkFirst_ + i));
                appendU16(body_, rkXF_[i]);
                appendU32(body_, rkValue_[i]);
                record(BIFFID_RK, body_);
            }
        } else {
            appendU16(body_, static_cast<std::uint16_t>(rkRow_));
            appendU16(body_, static_cast<std::uint16_t>(rkFirst_));
            for (int i = 0; i < rkCount_; ++i) {
                appendU16(body_, rkXF_[i]);
                appendU32(body_, rkValue_[i]);
            }
            appendU16(body_, static_cast<std::uint16_t>(rkLast_));
            record(BIFFID_MULRK, body_);
        }
        rkCount_ = 0;
        rkFirst_ = rkLast_ = -1;
    }

    std::vector<std::uint8_t> body_;

private:
    TXLSStream& stream_;
    TExcelVersion version_;
    std::uint32_t maxBody_;
    int rkRow_ = 0;
    int rkFirst_ = -1;
    int rkLast_ = -1;
    int rkCount_ = 0;
    std::array<std::uint16_t, 256> rkXF_{};
    std::array<std::uint32_t, 256> rkValue_{};
};

// The runs of a rich text as RSTRING of BIFF2 to BIFF5 holds them (u8 count,
// then u8 first character and u8 font index each); empty for a text without
// runs, or with one these bytes cannot hold.
std::vector<std::uint8_t> runs8(const TSSTEntry* entry) {
    std::vector<std::uint8_t> runs;
    if (!entry || !(entry->Option & SSTOptionRichText) || entry->RunCount == 0 || entry->RunCount > 255) return runs;
    const std::size_t at = entry->CharBytes();
    if (entry->Data.size() < at + 4u * entry->RunCount) return runs;
    runs.push_back(static_cast<std::uint8_t>(entry->RunCount));
    for (std::size_t i = 0; i < entry->RunCount; ++i) {
        const std::uint8_t* run = entry->Data.data() + at + 4 * i;
        if (run[1] != 0 || run[3] != 0) return {};
        runs.push_back(run[0]);
        runs.push_back(run[2]);
    }
    return runs;
}

}  // namespace

bool EncodeRK(double value, std::uint32_t& rk) {
    for (int pass = 0; pass < 2; ++pass) {
        const double x = pass == 0 ? value : value * 100.0;
        const std::uint64_t bits = bitsOf(x);
        std::uint32_t candidate;
        bool ok = false;
        if ((bits & 0xFFFFFFFFull) == 0 && ((bits >> 32) & 3) == 0) {
            candidate = static_cast<std::uint32_t>(bits >> 32);
            ok = true;
        } else if (std::isfinite(x) && x == std::floor(x) && x >= -536870912.0 && x <= 536870911.0) {
            candidate = static_cast<std::uint32_t>(static_cast<std::int32_t>(x)) * 4u + 2u;
            ok = true;
        }
        if (!ok) continue;
        if (pass == 1) candidate |= 1u;
        // Only what decodes to the very same number.
        if (bitsOf(DecodeRK(candidate)) != bitsOf(value)) continue;
        rk = candidate;
        return true;
    }
    return false;
}

void TSheet::CheckTextLength(std::size_t length, int col, int row) const {
    if (length > MaxCellText)
        throw EXLSError(XLSErrorKind::Refused, "Sheet \"" + utf16ToUtf8(Name()) + "\", cell " +
                                                   ColRowToRefStr(col, row, false, false) + ": a text of " +
                                                   std::to_string(length) +
                                                   " characters is longer than a cell holds (65,535)");
}

void TSheet::CheckCellText(const TCell& cell) const {
    std::size_t length = 0;
    switch (cell.CellType() & 127) {
        case ctString:
            if (const TSSTEntry* entry = static_cast<const TStringCell&>(cell).Entry) length = entry->CharCount;
            break;
        case ctStringFormula: length = static_cast<const TStringFormulaCell&>(cell).Value.size(); break;
        case ctArrayFormula: length = static_cast<const TArrayFormulaCell&>(cell).Text.size(); break;
        default: return;
    }
    CheckTextLength(length, static_cast<int>(cell.Key & 255), static_cast<int>(cell.Key >> 8));
}

void TSheet::WriteCells(TExcelVersion version, TXLSStream& stream, int codePage, bool formulas4) {
    TXLSMini* xls = owner();
    const bool biff8 = version >= xvExcel97;
    const bool plain = version < xvExcel50;
    const std::uint32_t maxBody = biff8 ? MaxRecordBodyBiff8 : MaxRecordBodyBiff5;
    CellRecordWriter out(stream, version, maxBody);
    std::vector<std::uint8_t>& b = out.body_;
    const bool progress = xls && xls->OnProgress;
    // A BIFF5 workbook not read from a file holds its formulas as the
    // encoder made them.
    const bool tokens8To5 = version == xvExcel50 && xls && xls->ReadVersion() == xvNone;

    auto xfOf = [&](const TCell& cell) -> std::uint16_t {
        if (plain && cell.FormatIndex >= 24) return 15;
        return cell.FormatIndex;
    };
    auto checkLength = [&](std::u16string_view text, int row, int col) { CheckTextLength(text.size(), col, row); };
    auto text8 = [&](std::u16string_view text, int row, int col) {
        checkLength(text, row, col);
        std::string bytes = Biff5Bytes(text, codePage);
        // In code page 1200 the count counts bytes, two a character.
        if (bytes.size() > MaxCellText)
            throw EXLSError(XLSErrorKind::Refused, "Sheet \"" + utf16ToUtf8(Name()) + "\", cell " +
                                                       ColRowToRefStr(col, row, false, false) + ": a text of " +
                                                       std::to_string(text.size()) + " characters takes " +
                                                       std::to_string(bytes.size()) + " bytes in code page " +
                                                       std::to_string(codePage) +
                                                       ", more than a cell holds (65,535)");
        return bytes;
    };
    // After the record's head in b: the count and the 8-bit characters,
    // those past the body limit in CONTINUE records (BIFF2 to BIFF5 have no
    // option byte there); then the bytes of after (formatting runs) with the
    // last characters, or in a CONTINUE record of their own when those have
    // no room for them.
    auto putText8 = [&](std::uint16_t id, const std::string& s, const std::vector<std::uint8_t>& after = {}) {
        appendU16(b, static_cast<std::uint16_t>(s.size()));
        std::size_t at = std::min<std::size_t>(s.size(), maxBody - b.size());
        b.insert(b.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(at));
        while (at < s.size()) {
            out.record(id, b);
            id = BIFFID_CONTINUE;
            const std::size_t n = std::min<std::size_t>(s.size() - at, maxBody);
            b.assign(s.begin() + static_cast<std::ptrdiff_t>(at), s.begin() + static_cast<std::ptrdiff_t>(at + n));
            at += n;
        }
        if (b.size() + after.size() > maxBody) {
            out.record(id, b);
            id = BIFFID_CONTINUE;
            b.clear();
        }
        b.insert(b.end(), after.begin(), after.end());
        out.record(id, b);
    };
    auto cellHead = [&](int row, int col, std::uint16_t xf) {
        b.clear();
        appendU16(b, static_cast<std::uint16_t>(row));
        appendU16(b, static_cast<std::uint16_t>(col));
        appendU16(b, xf);
    };
    auto writeNumber = [&](int row, int col, std::uint16_t xf, double v) {
        cellHead(row, col, xf);
        appendF64(b, v);
        out.record(BIFFID_NUMBER, b);
    };
    auto writeString = [&](std::u16string_view text, int row, int col) {
        if (!biff8) {
            b.clear();
            putText8(BIFFID_STRING, text8(text, row, col));
            return;
        }
        checkLength(text, row, col);
        // count, option 1, UTF-16; what passes the body limit goes on in
        // CONTINUE records, each starting with its option byte.
        std::size_t left = text.size();
        std::size_t at = 0;
        bool first = true;
        while (first || left > 0) {
            b.clear();
            if (first) appendU16(b, static_cast<std::uint16_t>(text.size()));
            b.push_back(1);
            const std::size_t room = (maxBody - b.size()) / 2;
            const std::size_t n = std::min(room, left);
            for (std::size_t i = 0; i < n; ++i) appendU16(b, static_cast<std::uint16_t>(text[at + i]));
            out.record(first ? BIFFID_STRING : BIFFID_CONTINUE, b);
            at += n;
            left -= n;
            first = false;
        }
    };

    std::uint32_t count = 0;
    int lastRow = -1;
    try {
        cells_->BeginIterate();
        while (TCell* cell = cells_->Next()) {
            ++count;
            if (progress && count % 100 == 0) xls->StepProgress(100);
            const int row = static_cast<int>(cell->Key >> 8);
            const int col = static_cast<int>(cell->Key & 255);
            if (row != lastRow) out.flushRK();
            lastRow = row;
            const TCellType type = cell->CellType() & 0x7F;
            if (type != 3 && type != ctFloat) out.flushRK();
            switch (type) {
                case ctBlank: {
                    std::vector<std::uint16_t> xfs{xfOf(*cell)};
                    int last = col;
                    while (TCell* next = cells_->NextBlank()) {
                        ++count;
                        if (progress && count % 100 == 0) xls->StepProgress(100);
                        if (static_cast<int>(next->Key >> 8) != row || static_cast<int>(next->Key & 255) != last + 1)
                            throw EXLSError(XLSErrorKind::Usage, "Row error in writing MULBLANK");
                        last = static_cast<int>(next->Key & 255);
                        xfs.push_back(xfOf(*next));
                    }
                    if (xfs.size() == 1 || plain) {
                        for (std::size_t i = 0; i < xfs.size(); ++i) {
                            cellHead(row, col + static_cast<int>(i), xfs[i]);
                            out.record(BIFFID_BLANK, b);
                        }
                    } else {
                        b.clear();
                        appendU16(b, static_cast<std::uint16_t>(row));
                        appendU16(b, static_cast<std::uint16_t>(col));
                        for (std::uint16_t xf : xfs) appendU16(b, xf);
                        appendU16(b, static_cast<std::uint16_t>(last));
                        out.record(BIFFID_MULBLANK, b);
                    }
                    break;
                }
                case 3:
                case ctFloat: {
                    const double v = static_cast<TFloatCell*>(cell)->Value;
                    std::uint32_t rk;
                    if (EncodeRK(v, rk) && out.addRK(rk, xfOf(*cell), col, row)) break;
                    out.flushRK();
                    writeNumber(row, col, xfOf(*cell), v);
                    break;
                }
                case ctString: {
                    const TSSTEntry* entry = static_cast<TStringCell*>(cell)->Entry;
                    if (biff8) {
                        if (!entry)
                            throw EXLSError(XLSErrorKind::Usage, "String cell without a written shared string");
                        CheckTextLength(entry->CharCount, col, row);
                        cellHead(row, col, xfOf(*cell));
                        appendU32(b, entry->Index);
                        out.record(BIFFID_LABELSST, b);
                    } else {
                        const std::string s = entry ? text8(TSSTMini::Text(*entry), row, col) : std::string();
                        cellHead(row, col, xfOf(*cell));
                        // A rich text keeps its runs in RSTRING (u8 count,
                        // u8 first character and u8 font each), where the
                        // written file keeps the fonts they name: not in
                        // BIFF4, written with four default fonts of its own.
                        const std::vector<std::uint8_t> runs = plain ? std::vector<std::uint8_t>() : runs8(entry);
                        if (runs.empty()) putText8(BIFFID_LABEL, s);
                        else putText8(BIFFID_RSTRING, s, runs);
                    }
                    break;
                }
                case ctBoolean:
                    cellHead(row, col, xfOf(*cell));
                    b.push_back(static_cast<TBooleanCell*>(cell)->Value);
                    b.push_back(0);
                    out.record(BIFFID_BOOLERR, b);
                    break;
                case ctError:
                    cellHead(row, col, xfOf(*cell));
                    b.push_back(ErrorIndexToCode(static_cast<TErrorCell*>(cell)->ErrorIndex));
                    b.push_back(1);
                    out.record(BIFFID_BOOLERR, b);
                    break;
                case ctNumberFormula:
                case ctStringFormula:
                case ctBooleanFormula:
                case ctErrorFormula:
                case ctArrayFormula: {
                    auto* f = static_cast<TFormulaCell*>(cell);
                    // An array formula's result, of whichever kind it is.
                    const auto* a = type == ctArrayFormula ? static_cast<TArrayFormulaCell*>(f) : nullptr;
                    if (plain && !formulas4) {
                        // The cached value as a plain cell.
                        switch (a ? a->ResultKind() : type) {
                            case ctStringFormula: {
                                const std::string s =
                                    text8(a ? a->Text : static_cast<TStringFormulaCell*>(f)->Value, row, col);
                                cellHead(row, col, xfOf(*cell));
                                putText8(BIFFID_LABEL, s);
                                break;
                            }
                            case ctBooleanFormula:
                                cellHead(row, col, xfOf(*cell));
                                b.push_back(a ? a->ResultByte() : static_cast<TBooleanFormulaCell*>(f)->Value);
                                b.push_back(0);
                                out.record(BIFFID_BOOLERR, b);
                                break;
                            case ctErrorFormula:
                                cellHead(row, col, xfOf(*cell));
                                b.push_back(ErrorIndexToCode(a ? ErrorCodeToIndex(a->ResultByte())
                                                               : static_cast<TErrorFormulaCell*>(f)->ErrorIndex));
                                b.push_back(1);
                                out.record(BIFFID_BOOLERR, b);
                                break;
                            default:
                                writeNumber(row, col, xfOf(*cell),
                                            a ? a->Value : static_cast<TNumberFormulaCell*>(f)->Value);
                        }
                        break;
                    }
                    if (!plain && type == ctNumberFormula && f->TokenLength() == 0) {
                        // A FORMULA without tokens is no cell to a reader of
                        // these versions: the cached value goes out as a
                        // number rather than being lost on the next read.
                        writeNumber(row, col, xfOf(*cell), static_cast<TNumberFormulaCell*>(f)->Value);
                        break;
                    }
                    cellHead(row, col, xfOf(*cell));
                    std::u16string_view cachedText;
                    switch (type) {
                        case ctNumberFormula: appendF64(b, static_cast<TNumberFormulaCell*>(f)->Value); break;
                        case ctArrayFormula: appendF64(b, a->Value); break;
                        case ctStringFormula: {
                            cachedText = static_cast<TStringFormulaCell*>(f)->Value;
                            // Type 3 (empty text, no STRING) is BIFF8 only.
                            const bool emptyType = biff8 && cachedText.empty();
                            const std::uint8_t r[8] = {static_cast<std::uint8_t>(emptyType ? 3 : 0), 0, 0, 0, 0, 0,
                                                       0xFF, 0xFF};
                            b.insert(b.end(), r, r + 8);
                            break;
                        }
                        case ctBooleanFormula: {
                            const std::uint8_t r[8] = {1, 0, static_cast<TBooleanFormulaCell*>(f)->Value, 0, 0, 0,
                                                       0xFF, 0xFF};
                            b.insert(b.end(), r, r + 8);
                            break;
                        }
                        default: {
                            const std::uint8_t r[8] = {
                                2, 0, ErrorIndexToCode(static_cast<TErrorFormulaCell*>(f)->ErrorIndex), 0, 0, 0,
                                0xFF, 0xFF};
                            b.insert(b.end(), r, r + 8);
                        }
                    }
                    appendU16(b, RecalcFormulas ? 0x0002 : 0);
                    if (!plain) appendU32(b, 0);
                    if (tokens8To5) {
                        // Tokens made by the encoder are BIFF8 tokens.
                        if (type == ctArrayFormula || f->ExtraLength > 0)
                            throw EXLSError(XLSErrorKind::Refused, "A BIFF5 formula cannot hold an array");
                        const std::vector<std::uint8_t> tokens =
                            Biff8TokensToBiff5(std::span<const std::uint8_t>(f->Tokens), codePage);
                        appendU16(b, static_cast<std::uint16_t>(tokens.size()));
                        b.insert(b.end(), tokens.begin(), tokens.end());
                    } else {
                        appendU16(b, static_cast<std::uint16_t>(f->TokenLength()));
                        b.insert(b.end(), f->Tokens.begin(), f->Tokens.end());
                    }
                    out.record(plain ? BIFFID_FORMULA4 : BIFFID_FORMULA, b);
                    if (type == ctStringFormula && !(biff8 && cachedText.empty())) writeString(cachedText, row, col);
                    if (a) {
                        // The result bytes as read; a text follows the ARRAY
                        // record in its STRING record, as other writers have it.
                        b.assign(a->ArrayTokens.begin(), a->ArrayTokens.end());
                        // BIFF4's ARRAY has no 4 unused bytes before the
                        // token count.
                        if (plain && b.size() >= 12) b.erase(b.begin() + 8, b.begin() + 12);
                        out.record(BIFFID_ARRAY, b);
                        if (a->ResultKind() == ctStringFormula && (bitsOf(a->Value) & 0xFF) == 0)
                            writeString(a->Text, row, col);
                    }
                    break;
                }
                default: break;
            }
        }
        out.flushRK();
    } catch (const EXLSError& e) {
        throw e.withPrefix("Error on writing record # " + std::to_string(count) + "\n");
    }
}

}  // namespace vesk
