#include "XLSReader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

#include "CodePage.h"
#include "EXLSError.h"
#include "FormulaDecoder.h"
#include "SSTMini.h"
#include "XLSMini.h"
#include "XLSUtilsMini.h"

namespace vesk {

namespace {

// BOF types.
constexpr std::uint16_t BofGlobals = 0x0005;
constexpr std::uint16_t BofVBModule = 0x0006;
constexpr std::uint16_t BofWorksheet = 0x0010;
constexpr std::uint16_t BofChart = 0x0020;
constexpr std::uint16_t BofMacro4 = 0x0040;
constexpr std::uint16_t BofWorkbook4 = 0x0100;

constexpr std::uint16_t BIFFID_RK2 = 0x007E;
constexpr std::uint16_t BIFFID_SHRFMLA5 = 0x00BC;
constexpr std::uint16_t BIFFID_USERSVIEWBEGIN = 0x01AA;
constexpr std::uint16_t BIFFID_USERSVIEWEND = 0x01AB;
constexpr std::uint16_t BIFFID_USERBVIEW = 0x01A9;
constexpr std::uint16_t BIFFID_MSODRAWINGSELECTION = 0x00ED;

constexpr std::uint16_t ObjSubCommon = 0x0015;
constexpr std::uint16_t ObjTypeChart = 5;

std::string recordLocation(int number, std::uint16_t id, std::int64_t offset) {
    char text[80];
    std::snprintf(text, sizeof text, "Error on reading record # %d, %.4X Offs: %.8X", number, static_cast<unsigned>(id),
                  static_cast<unsigned>(offset < 0 ? 0 : offset));
    return text;
}

// The three cell formats appended to a BIFF8 workbook's formats: date and
// time, date, time.
std::vector<std::uint8_t> addedXF(std::uint16_t format) {
    std::vector<std::uint8_t> xf(20, 0);
    xf[2] = static_cast<std::uint8_t>(format);
    xf[3] = static_cast<std::uint8_t>(format >> 8);
    xf[4] = 0x01;
    xf[6] = 0x20;
    xf[18] = 0xC0;
    xf[19] = 0x20;
    return xf;
}

constexpr std::uint16_t AddedFormats[3] = {22, 14, 20};

}  // namespace

TXLSReader::TXLSReader(TXLSMini& xls) : xls_(xls) {}

void TXLSReader::Read(const std::vector<std::uint8_t>* source) {
    header_ = {};
    headerPosition_ = 0;
    records_ = 0;
    try {
        stream_.SetSource(source);
        stream_.SetExtraObjects(&xls_.ExtraObjects());
        stream_.SetKeepObjects(xls_.PreserveMacros);
        readRecords();
        stream_.Close();
    } catch (const EXLSError& e) {
        stream_.Close();
        throw EXLSError(e.kind(), recordLocation(records_, header_.Id, headerPosition_) + "\n" + e.message(),
                        header_.Id, headerPosition_);
    } catch (const std::bad_alloc&) {
        stream_.Close();
        throw EXLSError(XLSErrorKind::Format,
                        recordLocation(records_, header_.Id, headerPosition_) + "\nOut of memory", header_.Id,
                        headerPosition_);
    }
}

void TXLSReader::readRecords() {
    sheetIndex_ = -1;
    directoryIndex_ = -1;
    directory_.clear();
    clearSharedFormulas();
    xls_.DefaultFormats = false;
    version_ = stream_.Open(xls_.Filename);
    if (version_ <= xvExcelUnknown) throw EXLSError(XLSErrorKind::Format, "The file is not an Excel workbook");
    xls_.SetVersion(version_);
    body_.reserve(xls_.MaxBodySize());
    current_ = &xls_.Globals();
    sheet_ = nullptr;
    skip_ = false;
    continuable_ = false;
    dropped_ = -1;
    before_ = 0;
    beforePosition_ = EXLSError::NoOffset;
    codePage_ = 1250;
    xls_.BeginProgress(0);

    for (;;) {
        headerPosition_ = stream_.Position();
        if (stream_.ReadHeader(header_) < 4) break;
        if (header_.Id >= 0x8000) throw EXLSError(XLSErrorKind::Format, "Bad record in file");
        if (header_.Id == BIFFID_SST) {
            body_.clear();
        } else {
            body_.resize(header_.Length);
            if (stream_.Read(body_.data(), header_.Length) != header_.Length)
                throw EXLSError(XLSErrorKind::Format, "Record is cut short by the end of the data");
        }
        if (records_ % 100 == 0) progress();
        if (header_.Id != BIFFID_CONTINUE) {
            before_ = header_.Id;
            beforePosition_ = headerPosition_;
        }
        const TRecordBody body(body_.data(), body_.size(), header_.Id, headerPosition_);
        if (skip_) {
            continuable_ = false;
            // A custom view is dropped up to its end; one left open ends with
            // its substream.
            if (header_.Id == BIFFID_USERSVIEWEND) {
                skip_ = false;
                ++records_;
                continue;
            }
            if (header_.Id != BIFFID_EOF) {
                ++records_;
                continue;
            }
            skip_ = false;
        }
        keepRaw_ = true;
        const bool more = dispatch(body);
        if (header_.Id != BIFFID_CONTINUE) continuable_ = keepRaw_;
        if (keepRaw_) current_->AddRecord(header_.Id, body_.data(), body_.size());
        ++records_;
        if (!more) break;
    }
    if (records_ == 0) throw EXLSError(XLSErrorKind::Format, "The workbook stream holds no records");
    xls_.EndProgress();
}

void TXLSReader::progress() {
    const std::uint32_t size = stream_.Size();
    if (size > 0) xls_.ReportProgress(static_cast<int>(std::lround(100.0 * static_cast<double>(stream_.Position()) / size)));
}

void TXLSReader::readNext() {
    nextPosition_ = stream_.Position();
    if (!stream_.ReadRecord(nextHeader_, next_))
        throw EXLSError(XLSErrorKind::Format, "Record is cut short by the end of the data");
    if (nextHeader_.Id != BIFFID_CONTINUE) {
        before_ = nextHeader_.Id;
        beforePosition_ = nextPosition_;
    }
}

WideString TXLSReader::text8(const std::uint8_t* data, std::size_t count) const {
    return Biff5Text(std::string_view(reinterpret_cast<const char*>(data), count), codePage_);
}

WideString TXLSReader::text16(const TRecordBody& body, std::size_t offset) const {
    const std::size_t count = body.u16(offset);
    const std::uint8_t option = body.u8(offset + 2);
    std::size_t at = offset + 3;
    if (option & 0x08) at += 2;  // run count
    if (option & 0x04) at += 4;  // phonetic size
    const std::size_t width = (option & 0x01) ? 2 : 1;
    const std::uint8_t* chars = body.bytes(at, count * width);
    WideString text;
    text.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        text.push_back(width == 2 ? static_cast<char16_t>(chars[2 * i] | (chars[2 * i + 1] << 8)) : chars[i]);
    return text;
}

void TXLSReader::keepDefault(std::uint16_t id, const std::uint8_t* data, std::size_t length) {
    // A record the current list has no default for stays raw in its place.
    if (!current_->Reference(id)) {
        current_->AddRecord(id, data, length);
    } else {
        current_->UpdateDefault(id, data, length);
    }
    keepRaw_ = false;
}

bool TXLSReader::place(std::uint16_t placeholder) {
    // A record met where its list has no place for it stays raw.
    if (!current_->Reference(placeholder)) return false;
    current_->UpdateInternal(placeholder);
    return true;
}

TSheet& TXLSReader::sheet(const TRecordBody& body) const {
    if (!sheet_) throw body.error("Cell record outside a worksheet", 0);
    return *sheet_;
}

bool TXLSReader::inSheet() const { return sheet_ && current_ == &sheet_->Records(); }

int TXLSReader::column(const TRecordBody& body, std::size_t offset) const {
    const std::uint16_t col = body.u16(offset);
    if (col > 255) throw body.error("Column " + std::to_string(col) + " beyond the last column", offset);
    return col;
}

bool TXLSReader::dispatch(const TRecordBody& body) {
    const std::uint16_t id = header_.Id;
    if (IsBofId(id)) {
        handleBOF(body);
        return true;
    }
    switch (id) {
        case BIFFID_EOF: return handleEOF(body);

        case BIFFID_CALCCOUNT: case BIFFID_CALCMODE: case BIFFID_ITERATION: case BIFFID_PROTECT:
        case BIFFID_SELECTION: case BIFFID_GUTS: case BIFFID_WSBOOL: case BIFFID_GRIDSET: case BIFFID_HCENTER:
        case BIFFID_VCENTER: case BIFFID_FNGROUPCOUNT: case BIFFID_SETUP: case BIFFID_DSF: case BIFFID_PROT4REV:
        case BIFFID_REFRESHALL: case BIFFID_RECALCID: case BIFFID_DEFCOLWIDTH: case BIFFID_DEFAULTROWHEIGHT:
            keepDefault(id, body.data(), body.size());
            break;

        case BIFFID_CODEPAGE:
            if (version_ < xvExcel97 && body.size() >= 2) {
                const int page = body.u16(0);
                codePage_ = page == 32769 ? 1252 : page == 32768 ? 10000 : page;
                xls_.FormulaHandler().CodePage = codePage_;
            }
            [[fallthrough]];
        case BIFFID_PRECISION: case BIFFID_REFMODE: case BIFFID_DELTA: case BIFFID_WINDOWPROTECT: case BIFFID_1904:
        case BIFFID_PRINTHEADERS: case BIFFID_PRINTGRIDLINES: case BIFFID_WINDOW1: case BIFFID_BACKUP:
        case BIFFID_SAVERECALC: case BIFFID_COUNTRY: case BIFFID_HIDEOBJ:
            if (version_ >= xvExcel50) keepDefault(id, body.data(), body.size());
            else keepRaw_ = false;
            break;

        case BIFFID_PASSWORD:
            if (directoryIndex_ < 0) keepDefault(id, body.data(), body.size());
            break;
        case BIFFID_BOOKBOOL:
            keepDefault(id, body.data(), body.size());
            place(INTID_FORMATS);
            break;
        case BIFFID_WRITEACCESS: readWriteAccess(body); break;
        case BIFFID_WINDOW2: readWindow2(body); break;
        case BIFFID_DIMENSIONS2: case BIFFID_DIMENSIONS: readDimensions(body); break;
        case BIFFID_BOUNDSHEET: readBoundSheet(body); break;
        case BIFFID_SST:
            if (!place(INTID_SST)) {
                body_.resize(header_.Length);
                if (stream_.Read(body_.data(), header_.Length) != header_.Length)
                    throw EXLSError(XLSErrorKind::Format, "Record is cut short by the end of the data");
                break;
            }
            keepRaw_ = false;
            xls_.Sheets().SST().Read(stream_, header_.Length, headerPosition_);
            break;
        case BIFFID_EXTSST: keepRaw_ = false; break;

        case BIFFID_LABELSST:
            keepRaw_ = false;
            sheet(body).AddStringIndex(column(body, 2), body.u16(0), body.u32(6), body.u16(4));
            break;
        case BIFFID_LABEL: case BIFFID_RSTRING: readLabel(body); break;
        case BIFFID_LABEL2: {
            keepRaw_ = false;
            const std::size_t n = body.u8(7);
            sheet(body).AddString(column(body, 2), body.u16(0), text8(body.bytes(8, n), n), 15);
            break;
        }
        case BIFFID_NUMBER:
            keepRaw_ = false;
            sheet(body).AddFloat(column(body, 2), body.u16(0), body.f64(6), body.u16(4));
            break;
        case BIFFID_NUMBER2:
            keepRaw_ = false;
            sheet(body).AddFloat(column(body, 2), body.u16(0), body.f64(7), 15);
            break;
        case BIFFID_INTEGER2:
            keepRaw_ = false;
            sheet(body).AddFloat(column(body, 2), body.u16(0), body.u16(7), 15);
            break;
        case BIFFID_RK: case BIFFID_RK2:
            keepRaw_ = false;
            sheet(body).AddFloat(column(body, 2), body.u16(0), DecodeRK(body.u32(6)), body.u16(4));
            break;
        case BIFFID_MULRK: readMulRk(body); break;
        case BIFFID_BLANK:
            keepRaw_ = false;
            sheet(body).AddBlank(column(body, 2), body.u16(0), body.u16(4));
            break;
        case BIFFID_BLANK2:
            keepRaw_ = false;
            sheet(body).AddBlank(column(body, 2), body.u16(0), 15);
            break;
        case BIFFID_MULBLANK: readMulBlank(body); break;
        case BIFFID_BOOLERR: {
            keepRaw_ = false;
            TSheet& s = sheet(body);
            const int col = column(body, 2);
            if (body.u8(7) == 1) s.AddError(col, body.u16(0), ErrorCodeToIndex(body.u8(6)), body.u16(4));
            else s.AddBoolean(col, body.u16(0), body.u8(6), body.u16(4));
            break;
        }
        case BIFFID_BOOLERR2: {
            keepRaw_ = false;
            TSheet& s = sheet(body);
            const int col = column(body, 2);
            if (body.u8(8) == 1) s.AddError(col, body.u16(0), ErrorCodeToIndex(body.u8(7)), 15);
            else s.AddBoolean(col, body.u16(0), body.u8(7), 15);
            break;
        }
        case BIFFID_FORMULA:
            if (version_ < xvExcel30) readFormula2(body);
            else readFormula(body);
            break;
        case BIFFID_FORMULA3: case BIFFID_FORMULA4: readFormula34(body); break;

        case BIFFID_ROW: case BIFFID_COLINFO:
            if (sheet_) {
                keepRaw_ = false;
                sheet_->CellAreaRecords().AddRecord(id, body.data(), body.size());
            }
            break;
        case BIFFID_HEADER: case BIFFID_FOOTER:
            if (version_ < xvExcel50) keepRaw_ = false;
            else readHeaderFooter(body);
            break;
        case BIFFID_LEFTMARGIN: case BIFFID_RIGHTMARGIN: case BIFFID_TOPMARGIN: case BIFFID_BOTTOMMARGIN: {
            if (!inSheet() || !place(INTID_MARGINS)) break;
            keepRaw_ = false;
            const double margin = body.f64(0);
            TPrintSettings& print = sheet_->PrintSettings();
            if (id == BIFFID_LEFTMARGIN) print.MarginLeft = margin;
            else if (id == BIFFID_RIGHTMARGIN) print.MarginRight = margin;
            else if (id == BIFFID_TOPMARGIN) print.MarginTop = margin;
            else print.MarginBottom = margin;
            break;
        }
        case BIFFID_HORIZONTALPAGEBREAKS: case BIFFID_VERTICALPAGEBREAKS:
            if (version_ >= xvExcel50) readPageBreaks(body);
            break;
        case BIFFID_OBJ: readObj(body); break;
        case BIFFID_XF: case BIFFID_XF3: case BIFFID_XF4: readXF(body); break;
        case BIFFID_PALETTE: readPalette(body); break;
        case BIFFID_INDEX:
            keepRaw_ = false;
            if (version_ < xvExcel50 && sheet_) current_ = &sheet_->Records();
            break;
        case BIFFID_USERSVIEWBEGIN:
            keepRaw_ = false;
            skip_ = true;
            break;
        case BIFFID_USERBVIEW: case BIFFID_DBCELL: case BIFFID_EXCEL9FILE: case BIFFID_MSODRAWINGSELECTION:
            keepRaw_ = false;
            break;
        case BIFFID_ARRAY:
            // One not after its range's first formula belongs to no cell:
            // kept, it would follow whichever cell a save writes last.
            keepRaw_ = false;
            break;
        case BIFFID_CONTINUE:
            // It continues the record before it: kept raw after one kept
            // raw, left out after any other (read into the model or dropped,
            // so that a save would write it after a record it does not
            // continue), one notice for the run.
            if (!continuable_) {
                keepRaw_ = false;
                if (dropped_ != records_)
                    xls_.Notify(utf8ToUtf16(where() + ": CONTINUE records " +
                                            xlsRecordPlace(EXLSError::NoRecord, headerPosition_) +
                                            " left out: the record before them (" +
                                            xlsRecordPlace(before_, beforePosition_) +
                                            ") is not kept as read, so that a save has nothing for them to continue"));
                dropped_ = records_ + 1;
            }
            break;
        case BIFFID_FILEPASS: throw EXLSError(XLSErrorKind::Format, "File is encrypted.");
        case BIFFID_NAME: case BIFFID_SUPBOOK: case BIFFID_EXTERNSHEET: case BIFFID_EXTERNNAME:
            readName(body);
            break;
        case BIFFID_XCT: readXCT(body); break;
        default:
            // Everything else stays raw where it stands.
            break;
    }
    return true;
}

void TXLSReader::handleBOF(const TRecordBody& body) {
    keepRaw_ = false;
    const std::uint16_t type = body.u16(2);
    switch (type) {
        case BofGlobals:
            if (body.size() > 256) throw EXLSError(XLSErrorKind::Format, "Invalid BOF size");
            xls_.IsMac = version_ == xvExcel97 && body.size() >= 12 && (body.u32(8) & 0x10) != 0;
            current_ = &xls_.Globals();
            keepDefault(header_.Id, body.data(), body.size());
            break;
        case BofWorksheet: {
            ++directoryIndex_;
            ++sheetIndex_;
            const TDirectoryEntry* entry = nullptr;
            if (version_ >= xvExcel50) {
                if (directoryIndex_ >= static_cast<int>(directory_.size()))
                    throw EXLSError(XLSErrorKind::Format, "Worksheet without a sheet directory entry");
                entry = &directory_[static_cast<std::size_t>(directoryIndex_)];
            }
            clearSharedFormulas();
            TSheet& s = xls_.Sheets().Add();
            s.RecordsLoaded = true;
            if (entry) {
                s.SetNameAsRead(entry->Name);
                s.Hidden = entry->Hidden;
            } else {
                s.SetName(u"Sheet1");
            }
            sheet_ = &s;
            dimensionsRead_ = false;
            current_ = &s.Records();
            keepDefault(header_.Id, body.data(), body.size());
            break;
        }
        case BofChart: {
            ++directoryIndex_;
            TSheetChart& chart = xls_.Charts().Add();
            if (directoryIndex_ < static_cast<int>(directory_.size()))
                chart.Name = directory_[static_cast<std::size_t>(directoryIndex_)].Name;
            chart.SheetIndex = directoryIndex_;
            std::vector<std::uint8_t> bof(16, 0);
            std::copy_n(body.data(), std::min<std::size_t>(16, body.size()), bof.begin());
            chart.Records.Add(BIFFID_BOF, std::move(bof));
            chart.Records.ReadRecords(stream_);
            break;
        }
        case BofVBModule:
            ++directoryIndex_;
            skipSubstream();
            break;
        case BofMacro4: throw EXLSError(XLSErrorKind::Format, "BIFF4 Macro unhandled");
        case BofWorkbook4: throw EXLSError(XLSErrorKind::Format, "BIFF4 Workbook unhandled");
        default:
            // A substream of a type unknown here goes whole, with the
            // substreams inside it: its EOF must not end the sheet around it.
            skipSubstream();
            break;
    }
}

void TXLSReader::skipSubstream() {
    TRecordHeader h;
    std::vector<std::uint8_t> skipped;
    int depth = 1;
    while (depth > 0 && stream_.ReadRecord(h, skipped)) {
        ++records_;
        if (IsBofId(h.Id)) ++depth;
        else if (h.Id == BIFFID_EOF) --depth;
    }
}

bool TXLSReader::handleEOF(const TRecordBody& body) {
    keepRaw_ = false;
    // A sheet without DIMENSIONS gets the bounds of its cells, so that its
    // used area covers them.
    if (sheet_ && current_ == &sheet_->Records() && !dimensionsRead_) sheet_->CalcDimensions();
    // A sheet's defaults that the file lacked (WINDOW2, SELECTION) take
    // their places before its EOF, as those before DIMENSIONS do.
    if (inSheet() && current_->Reference(BIFFID_EOF)) current_->UpdateDefault(BIFFID_EOF, body.data(), body.size());
    else current_->AddRecord(BIFFID_EOF, body.data(), body.size());
    clearSharedFormulas();
    return !(directory_.empty() || directoryIndex_ >= static_cast<int>(directory_.size()) - 1);
}

void TXLSReader::readWriteAccess(const TRecordBody& body) {
    std::vector<std::uint8_t> data(body.data(), body.data() + body.size());
    if (version_ < xvExcel97 && !data.empty()) {
        const std::size_t n = std::min<std::size_t>(data[0], data.size() - 1);
        std::vector<std::uint8_t> converted = {static_cast<std::uint8_t>(n), 0, 0};
        converted.insert(converted.end(), data.begin() + 1, data.begin() + 1 + static_cast<std::ptrdiff_t>(n));
        data = std::move(converted);
    }
    if (data.size() < 112) data.resize(112, 0x20);
    keepDefault(BIFFID_WRITEACCESS, data.data(), data.size());
}

void TXLSReader::readWindow2(const TRecordBody& body) {
    std::vector<std::uint8_t> data(body.data(), body.data() + body.size());
    if (version_ < xvExcel97) {
        data.resize(18);
        std::fill(data.begin() + 10, data.end(), 0);
    }
    keepDefault(BIFFID_WINDOW2, data.data(), data.size());
}

void TXLSReader::readDimensions(const TRecordBody& body) {
    dimensionsRead_ = true;
    if (version_ >= xvExcel97) {
        body.need(0, 12);
        keepDefault(BIFFID_DIMENSIONS, body.data(), body.size());
        return;
    }
    std::vector<std::uint8_t> data;
    appendU32(data, body.u16(0));
    appendU32(data, body.u16(2));
    appendU16(data, body.u16(4));
    appendU16(data, body.u16(6));
    appendU16(data, 0);
    keepDefault(BIFFID_DIMENSIONS, data.data(), data.size());
}

void TXLSReader::readBoundSheet(const TRecordBody& body) {
    if (!place(INTID_SHEETS)) return;
    keepRaw_ = false;
    TDirectoryEntry entry;
    entry.Hidden = static_cast<THiddenState>(std::min(body.u8(4) & 3, 2));
    const std::size_t count = body.u8(6);
    if (version_ >= xvExcel97) {
        const std::uint8_t option = body.u8(7);
        const std::uint8_t* chars = body.bytes(8, (option & 1) ? 2 * count : count);
        for (std::size_t i = 0; i < count; ++i)
            entry.Name.push_back((option & 1) ? static_cast<char16_t>(chars[2 * i] | (chars[2 * i + 1] << 8))
                                              : chars[i]);
    } else {
        entry.Name = text8(body.bytes(7, count), count);
    }
    directory_.push_back(std::move(entry));
}

void TXLSReader::readHeaderFooter(const TRecordBody& body) {
    if (!inSheet() || !place(INTID_HEADERFOOTER)) return;
    keepRaw_ = false;
    WideString text;
    if (body.size() > 0) {
        if (version_ >= xvExcel97) {
            text = text16(body, 0);
        } else {
            const std::size_t n = body.u8(0);
            text = text8(body.bytes(1, n), n);
        }
    }
    TPrintSettings& print = sheet_->PrintSettings();
    if (header_.Id == BIFFID_HEADER) print.Header = text;
    else print.Footer = text;
}

void TXLSReader::readPageBreaks(const TRecordBody& body) {
    if (!inSheet() || !place(INTID_PAGEBREAKS)) return;
    keepRaw_ = false;
    TPrintSettings& print = sheet_->PrintSettings();
    const bool horizontal = header_.Id == BIFFID_HORIZONTALPAGEBREAKS;
    const std::size_t count = body.u16(0);
    const std::size_t width = version_ >= xvExcel97 ? 6 : 2;
    body.need(2, count * width);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = 2 + i * width;
        const std::uint16_t position = static_cast<std::uint16_t>(body.u16(at) - 1);
        const std::uint16_t first = width == 6 ? body.u16(at + 2) : 0;
        const std::uint16_t last = width == 6 ? body.u16(at + 4) : (horizontal ? 255 : 65535);
        if (horizontal) {
            THorizPagebreak& b = print.AddHorizPagebreak();
            b.Row = position;
            b.Col1 = static_cast<std::uint8_t>(std::min<std::uint16_t>(first, 255));
            b.Col2 = static_cast<std::uint8_t>(std::min<std::uint16_t>(last, 255));
        } else {
            TVertPagebreak& b = print.AddVertPagebreak();
            b.Col = static_cast<std::uint8_t>(std::min<std::uint16_t>(position, 255));
            b.Row1 = first;
            b.Row2 = last;
        }
    }
}

void TXLSReader::readMulRk(const TRecordBody& body) {
    keepRaw_ = false;
    if (body.size() < 6) throw body.error("MULRK record shorter than 6 bytes", 0);
    TSheet& s = sheet(body);
    const int row = body.u16(0);
    const int first = column(body, 2);
    const std::size_t count = (body.size() - 6) / 6;
    if (count > 0 && first + count - 1 > 255) throw body.error("MULRK run beyond the last column", 2);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = 4 + 6 * i;
        s.AddFloat(first + static_cast<int>(i), row, DecodeRK(body.u32(at + 2)), body.u16(at));
    }
}

void TXLSReader::readMulBlank(const TRecordBody& body) {
    keepRaw_ = false;
    if (body.size() < 6) throw body.error("MULBLANK record shorter than 6 bytes", 0);
    TSheet& s = sheet(body);
    const int row = body.u16(0);
    const int first = column(body, 2);
    const std::size_t count = (body.size() - 6) / 2;
    if (count > 0 && first + count - 1 > 255) throw body.error("MULBLANK run beyond the last column", 2);
    for (std::size_t i = 0; i < count; ++i) s.AddBlank(first + static_cast<int>(i), row, body.u16(4 + 2 * i));
}

void TXLSReader::readLabel(const TRecordBody& body) {
    keepRaw_ = false;
    TSheet& s = sheet(body);
    const int col = column(body, 2);
    // A text longer than one record goes on in CONTINUE records.
    const WideString text = continuedText(body, 6, col, body.u16(0));
    if (header_.Id != BIFFID_RSTRING) {
        // A BIFF8 LABEL may count runs of its own after the characters, and
        // a phonetic block after them.
        const std::size_t runBytes = textTail_.size() >= 4 * textRunCount_ ? 4 * textRunCount_ : 0;
        const std::size_t phonetic = textTail_.size() - runBytes >= textPhonetic_ ? textPhonetic_ : 0;
        s.AddString(col, body.u16(0), text, body.u16(4), std::span<const std::uint8_t>(textTail_.data(), runBytes),
                    std::span<const std::uint8_t>(textTail_.data() + runBytes, phonetic));
        return;
    }
    // The formatting runs follow the characters (in a CONTINUE record of
    // their own when the last record had no room, read with the text): from
    // BIFF8 on a u16 count and runs of u16 first character, u16 font;
    // before, a u8 count and runs of u8, u8. They are kept in the
    // shared-string layout.
    const bool biff8 = version_ >= xvExcel97;
    const std::size_t head = biff8 ? 2 : 1;
    const std::size_t width = biff8 ? 4 : 2;
    std::vector<std::uint8_t> runs;
    if (textTail_.size() >= head) {
        const std::size_t stated = biff8 ? (textTail_[0] | (textTail_[1] << 8)) : textTail_[0];
        const std::size_t count = std::min(stated, (textTail_.size() - head) / width);
        if (biff8) {
            runs.assign(textTail_.begin() + 2, textTail_.begin() + static_cast<std::ptrdiff_t>(2 + 4 * count));
        } else {
            for (std::size_t i = 0; i < count; ++i) {
                const std::uint8_t run[4] = {textTail_[1 + 2 * i], 0, textTail_[2 + 2 * i], 0};
                runs.insert(runs.end(), run, run + 4);
            }
        }
    }
    s.AddString(col, body.u16(0), text, body.u16(4), runs);
}

void TXLSReader::readObj(const TRecordBody& body) {
    if (body.size() < 6 || body.u16(0) != ObjSubCommon || body.u16(4) != ObjTypeChart) return;
    // An embedded chart: its substream follows and stays with the OBJ.
    if (!IsBofId(stream_.PeekNextId())) return;
    keepRaw_ = false;
    current_->AddRecord(header_.Id, body.data(), body.size());
    current_->ReadToEOF(stream_);
}

void TXLSReader::readXF(const TRecordBody& body) {
    keepRaw_ = false;
    const std::uint16_t id = header_.Id;
    current_->AddRecord(id, body.data(), body.size());
    std::size_t n = 1;
    std::vector<std::vector<std::uint8_t>> lastThree;
    lastThree.emplace_back(body.data(), body.data() + body.size());
    while (stream_.PeekNextId() == id) {
        readNext();
        current_->AddRecord(nextHeader_.Id, next_.data(), next_.size());
        ++records_;
        ++n;
        lastThree.push_back(next_);
        if (lastThree.size() > 3) lastThree.erase(lastThree.begin());
    }
    if (version_ < xvExcel97) return;
    bool present = lastThree.size() == 3 && n >= 3;
    for (std::size_t i = 0; present && i < 3; ++i) present = lastThree[i] == addedXF(AddedFormats[i]);
    const std::size_t first = present ? n - 3 : n;
    if (!present)
        for (std::uint16_t format : AddedFormats) {
            const std::vector<std::uint8_t> xf = addedXF(format);
            current_->AddRecord(id, xf.data(), xf.size());
        }
    xls_.XFDateTime = static_cast<std::uint16_t>(first);
    xls_.XFDate = static_cast<std::uint16_t>(first + 1);
    xls_.XFTime = static_cast<std::uint16_t>(first + 2);
}

void TXLSReader::readName(const TRecordBody& body) {
    // Names and external references of BIFF8 workbook globals go to the
    // formula handler; elsewhere they stay raw.
    if (version_ == xvExcel50 && header_.Id == BIFFID_NAME && current_ == &xls_.Globals()) {
        readName5(body);
        return;
    }
    if (version_ < xvExcel97 || current_ != &xls_.Globals()) return;
    if (!place(INTID_NAMES)) return;
    keepRaw_ = false;
    TFormulaHandler& handler = xls_.FormulaHandler();
    switch (header_.Id) {
        case BIFFID_NAME: handler.InternalNames().Add(body); break;
        case BIFFID_SUPBOOK: handler.ExternalNames().ReadSupBook(body); break;
        case BIFFID_EXTERNSHEET: handler.ExternalNames().ReadExternSheet(body); break;
        default: handler.ExternalNames().ReadExternName(body); break;
    }
}

void TXLSReader::readName5(const TRecordBody& body) {
    // Flags (u16), key, name length (u8), ..., the name at 14: a built-in
    // name (flag 0x0020) is one byte of its code.
    WideString name;
    const std::size_t count = body.size() >= 4 ? body.u8(3) : 0;
    if (count > 0 && body.size() >= 14 + count) {
        if (body.u16(0) & 0x0020) name = BuiltInNameText(body.u8(14));
        else name = text8(body.data() + 14, count);
    }
    xls_.FormulaHandler().Names5.push_back(std::move(name));
}

void TXLSReader::readXCT(const TRecordBody& body) {
    if (version_ < xvExcel97 || current_ != &xls_.Globals()) return;
    keepRaw_ = false;
    const std::uint16_t value = body.u16(0);
    const int count = value > 32767 ? 65536 - value : value;
    const int sheetIndex = TExternalNames::XCTSheetIndex(body);
    for (int i = 0; i < count; ++i) {
        if (stream_.PeekNextId() != BIFFID_CRN) throw EXLSError(XLSErrorKind::Format, "CRN record missing");
        readNext();
        ++records_;
        xls_.FormulaHandler().ExternalNames().AddCRN(sheetIndex, TRecordBody(next_, nextHeader_.Id, nextPosition_));
    }
}

void TXLSReader::readPalette(const TRecordBody& body) {
    const std::size_t count = std::min<std::size_t>(body.u16(0), 57);
    body.need(2, count * 4);
    auto& palette = xls_.Palette();
    for (std::size_t i = 0; i < count; ++i) palette[8 + i] = body.u32(2 + 4 * i);
}

// ------------------------------------------------------------ formulas

void TXLSReader::clearSharedFormulas() {
    sharedFormulas_.clear();
    sharedIndex_.clear();
    lastShared_ = 0;
}

void TXLSReader::readSharedFormula() {
    readNext();
    ++records_;
    const TRecordBody shared(next_, nextHeader_.Id, nextPosition_);
    TSharedFormula f;
    f.FirstRow = shared.u16(0);
    f.LastRow = shared.u16(2);
    f.FirstCol = shared.u8(4);
    f.LastCol = shared.u8(5);
    f.TokenLength = shared.u16(8);
    shared.need(10, f.TokenLength);
    f.Data.assign(next_.begin() + 10, next_.end());
    sharedIndex_[(static_cast<std::uint32_t>(f.FirstRow) << 16) | f.FirstCol] = sharedFormulas_.size();
    sharedFormulas_.push_back(std::move(f));
}

const TXLSReader::TSharedFormula* TXLSReader::sharedFormulaFor(int col, int row, const std::uint8_t* tokens,
                                                                 std::size_t length) {
    auto contains = [col, row](const TSharedFormula& f) {
        return row >= f.FirstRow && row <= f.LastRow && col >= f.FirstCol && col <= f.LastCol;
    };
    // The range last used first (a long column of one formula), else the
    // range that begins at the cell the tExp token names.
    if (lastShared_ < sharedFormulas_.size() && contains(sharedFormulas_[lastShared_]))
        return &sharedFormulas_[lastShared_];
    const std::size_t width = version_ >= xvExcel97 ? 5 : 4;
    if (length < width) return nullptr;
    const std::uint32_t anchorRow = tokens[1] | (tokens[2] << 8);
    const std::uint32_t anchorCol = width == 5 ? (tokens[3] | (tokens[4] << 8)) : tokens[3];
    const auto found = sharedIndex_.find((anchorRow << 16) | anchorCol);
    if (found == sharedIndex_.end() || !contains(sharedFormulas_[found->second])) return nullptr;
    lastShared_ = found->second;
    return &sharedFormulas_[lastShared_];
}

void TXLSReader::readFormula(const TRecordBody& body) {
    keepRaw_ = false;
    TSheet& s = sheet(body);
    const int row = body.u16(0);
    const int col = column(body, 2);
    const std::uint16_t xf = body.u16(4);
    const std::uint16_t flags = body.u16(14);
    std::size_t length = body.u16(20);
    body.need(22, length);
    const std::uint8_t* tokens = body.data() + 22;
    std::size_t extra = body.size() - 22 - length;
    bool sharedUsed = false;
    if ((flags & 0x0008) && length > 0 && tokens[0] == 0x01) {
        const std::uint16_t next = stream_.PeekNextId();
        if (next == BIFFID_SHRFMLA || next == BIFFID_SHRFMLA5) readSharedFormula();
        if (const TSharedFormula* f = sharedFormulaFor(col, row, tokens, length)) {
            // The shared tokens, made this cell's own.
            shared_.assign(f->Data.begin(), f->Data.end());
            ConvertSharedFormula(version_ >= xvExcel97, std::span<std::uint8_t>(shared_.data(), f->TokenLength),
                                 row, col);
            tokens = shared_.data();
            length = f->TokenLength;
            extra = f->Data.size() - f->TokenLength;
            sharedUsed = true;
        }
    }
    if (!sharedUsed && readArrayFormula(s, body, col, row, xf, tokens, length)) return;
    if (body.u8(6) < 4 && body.u16(12) == 0xFFFF) {
        readFormulaResult(s, col, row, body.u8(6), body.u8(8), xf, tokens, length, extra);
        return;
    }
    if (length == 0) return;
    s.AddNumberFormula(col, row, body.f64(6), xf, tokens, length, extra);
}

bool TXLSReader::readArrayFormula(TSheet& s, const TRecordBody& body, int col, int row, std::uint16_t xf,
                                  const std::uint8_t* tokens, std::size_t length) {
    // A tExp followed by ARRAY: the first cell of an array formula. The
    // result bytes stand at 6 in FORMULA and FORMULA3/FORMULA4 alike.
    if (length == 0 || tokens[0] != 0x01 || stream_.PeekNextId() != BIFFID_ARRAY) return false;
    readNext();
    ++records_;
    std::vector<std::uint8_t> array = next_;
    // BIFF3 and BIFF4 have no 4 unused bytes before the token count: kept
    // in the layout of the later versions.
    if (body.recordId() != BIFFID_FORMULA && array.size() >= 8) array.insert(array.begin() + 8, 4, 0);
    TArrayFormulaCell& cell = s.AddArrayFormula(col, row, body.f64(6), xf, tokens, length, array.data(), array.size());
    // A text result's STRING record comes after the ARRAY record.
    const std::uint16_t next = stream_.PeekNextId();
    if (body.u8(6) == 0 && body.u16(12) == 0xFFFF && (next == BIFFID_STRING || next == BIFFID_STRING2)) {
        readNext();
        ++records_;
        formulaCol_ = col;
        formulaRow_ = row;
        cell.Text = stringResult();
    }
    return true;
}

void TXLSReader::readFormula2(const TRecordBody& body) {
    keepRaw_ = false;
    TSheet& s = sheet(body);
    const int row = body.u16(0);
    const int col = column(body, 2);
    const std::size_t length = body.u8(16);
    body.need(17, length);
    const std::uint8_t* tokens = body.data() + 17;
    const std::size_t extra = body.size() - 17 - length;
    if (body.u8(13) == 0xFF && body.u8(14) == 0xFF) {
        readFormulaResult(s, col, row, body.u8(7), body.u8(9), 15, tokens, length, extra);
        return;
    }
    s.AddNumberFormula(col, row, body.f64(7), 15, tokens, length, extra);
}

void TXLSReader::readFormula34(const TRecordBody& body) {
    keepRaw_ = false;
    TSheet& s = sheet(body);
    const int row = body.u16(0);
    const int col = column(body, 2);
    const std::uint16_t xf = body.u16(4);
    const std::size_t length = body.u16(16);
    body.need(18, length);
    const std::uint8_t* tokens = body.data() + 18;
    const std::size_t extra = body.size() - 18 - length;
    if (readArrayFormula(s, body, col, row, xf, tokens, length)) return;
    if (body.u16(12) == 0xFFFF && body.u8(6) < 4) {
        readFormulaResult(s, col, row, body.u8(6), body.u8(8), xf, tokens, length, extra);
        return;
    }
    s.AddNumberFormula(col, row, body.f64(6), xf, tokens, length, extra);
}

WideString TXLSReader::stringResult() {
    const TRecordBody str(next_, nextHeader_.Id, nextPosition_);
    if (nextHeader_.Id == BIFFID_STRING2) {
        const std::size_t n = str.u8(0);
        return text8(str.bytes(1, n), n);
    }
    return continuedText(str, 0, formulaCol_, formulaRow_);
}

WideString TXLSReader::continuedText(const TRecordBody& record, std::size_t at, int col, int row) {
    const std::size_t count = record.u16(at);
    at += 2;
    bool wide = false;
    // From BIFF8 on the header may count runs and a phonetic block that
    // follow the characters; an RSTRING's runs follow them with their count.
    TTextRest rest;
    textRunCount_ = 0;
    textPhonetic_ = 0;
    if (version_ >= xvExcel97) {
        const std::uint8_t option = record.u8(at);
        wide = option & 0x01;
        ++at;
        if (option & 0x08) {
            textRunCount_ = record.u16(at);
            at += 2;
        }
        textPhonetic_ = (option & 0x04) ? record.u32(at) : 0;
        if (option & 0x04) at += 4;
        record.need(at, 0);
        rest.tail = 4u * textRunCount_ + textPhonetic_;
        rest.countedRuns = record.recordId() == BIFFID_RSTRING;
    }
    WideString text;
    std::string bytes8;
    textTail_.clear();
    auto take = [&](const std::uint8_t* data, std::size_t size) {
        const std::size_t n = std::min(count - text.size() - bytes8.size(), size / (wide ? 2 : 1));
        for (std::size_t i = 0; i < n; ++i) {
            if (wide) text.push_back(static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8)));
            else if (version_ >= xvExcel97) text.push_back(data[i]);
            else bytes8.push_back(static_cast<char>(data[i]));
        }
        const std::size_t used = n * (wide ? 2 : 1);
        textTail_.assign(data + used, data + size);
    };
    // The record may be next_ itself: its characters are taken before the
    // next record is read over it.
    take(record.data() + at, record.size() - at);
    // Whether the CONTINUE records hold the rest bare, without option bytes,
    // is decided once for all of them.
    bool bare = false;
    std::string note;  // what the cell's one notice says
    if (version_ >= xvExcel97 && text.size() < count) {
        rest.missing = count - text.size();
        rest.wide = wide;
        rest.cut = wide && !textTail_.empty();
        rest.cutByte = rest.cut ? textTail_[0] : 0;
        const TContinuationChoice choice = continuation(rest);
        bare = choice.reading == TContinuation::Bare;
        if (choice.doubt == TContinuationChoice::BothFit)
            note = "it cannot be told whether the text's CONTINUE records begin with an option byte; read as if "
                   "they do";
        else if (choice.doubt == TContinuationChoice::NeitherFits)
            note = std::string("the text's CONTINUE records are malformed: they fit neither with option bytes nor "
                               "without; read ") + (bare ? "without" : "with") + " option bytes";
    }
    auto finish = [&] {
        if (!note.empty()) notifyCell(col, row, note);
        return version_ >= xvExcel97 ? text
                                     : text8(reinterpret_cast<const std::uint8_t*>(bytes8.data()), bytes8.size());
    };
    while (text.size() + bytes8.size() < count) {
        if (stream_.PeekNextId() != BIFFID_CONTINUE) {
            // As other readers do: the cell keeps the characters there are.
            note += (note.empty() ? "the file holds " : "; the file holds ") +
                    std::to_string(text.size() + bytes8.size()) + " of its " + std::to_string(count) + " characters";
            return finish();
        }
        readNext();
        ++records_;
        if (bare) {
            // A character cut by the record before goes on in this one.
            std::vector<std::uint8_t> bytes = textTail_;
            bytes.insert(bytes.end(), next_.begin(), next_.end());
            take(bytes.data(), bytes.size());
            continue;
        }
        std::size_t skip = 0;
        if (version_ >= xvExcel97) {
            if (next_.empty()) continue;
            wide = next_[0] & 0x01;
            skip = 1;
        }
        take(next_.data() + skip, next_.size() - skip);
    }
    // The tail may go on in CONTINUE records of its own; before BIFF8 an
    // RSTRING's runs go on in one when the last record had no room for them.
    while (version_ >= xvExcel97 && textTail_.size() < tailSize(rest) && stream_.PeekNextId() == BIFFID_CONTINUE) {
        readNext();
        ++records_;
        textTail_.insert(textTail_.end(), next_.begin(), next_.end());
    }
    if (version_ < xvExcel97 && record.recordId() == BIFFID_RSTRING && textTail_.empty() &&
        stream_.PeekNextId() == BIFFID_CONTINUE) {
        readNext();
        ++records_;
        textTail_ = next_;
    }
    // CONTINUE records beyond what the text counts are the text's all the
    // same (gnumeric's BIFF5 RSTRING holds more runs than its one-byte
    // count): left out with what the counts leave out, never kept raw to
    // follow another record in a save.
    std::size_t surplus = 0;
    for (; stream_.PeekNextId() == BIFFID_CONTINUE; ++surplus) {
        readNext();
        ++records_;
    }
    if (surplus > 0)
        note += (note.empty() ? "" : "; ") + std::to_string(surplus) +
                " CONTINUE record(s) beyond what the text's counts hold left out";
    return finish();
}

std::size_t TXLSReader::tailSize(const TTextRest& rest) const {
    // Its run count read first, when there is one.
    return TextTailSize(textTail_.data(), textTail_.size(), rest).value_or(rest.tail + 2);
}

std::string TXLSReader::where() const {
    return sheet_ ? "Sheet \"" + utf16ToUtf8(sheet_->Name()) + "\"" : std::string("Workbook globals");
}

void TXLSReader::notifyCell(int col, int row, const std::string& message) {
    xls_.Notify(utf8ToUtf16(where() + ", cell " + ColRowToRefStr(col, row, false, false) + ": " + message));
}

TContinuationChoice TXLSReader::continuation(const TTextRest& rest) {
    // The CONTINUE records that follow, looked at and left unread; more
    // bytes than either reading could take are not needed to refuse both
    // (a phonetic block of over a megabyte belongs to no text of 65,535
    // characters).
    const std::int64_t start = stream_.Position();
    const std::size_t most = 2 * rest.missing + std::min<std::size_t>(rest.tail, 1u << 20) +
                             (rest.countedRuns ? 2 + 4 * 0xFFFFu : 0);
    std::vector<std::vector<std::uint8_t>> parts;
    std::size_t bytes = 0;
    TRecordHeader header;
    std::vector<std::uint8_t> body;
    while (bytes <= most + parts.size() && stream_.PeekNextId() == BIFFID_CONTINUE && stream_.ReadRecord(header, body)) {
        bytes += body.size();
        parts.push_back(body);
    }
    stream_.Seek(start, 0);
    return ContinuationOf(parts, rest);
}

void TXLSReader::readFormulaResult(TSheet& s, int col, int row, std::uint8_t type, std::uint8_t value,
                                   std::uint16_t xf, const std::uint8_t* tokens, std::size_t length,
                                   std::size_t extra) {
    switch (type) {
        case 0: {
            const std::uint16_t next = stream_.PeekNextId();
            if (next == BIFFID_SHRFMLA || next == BIFFID_SHRFMLA5)
                throw EXLSError(XLSErrorKind::Format, "Unxepected SHRFMLA");
            WideString text;
            if (next == BIFFID_STRING || next == BIFFID_STRING2) {
                // The tokens stay valid: they live in the record buffer or
                // in a shared formula, never in the buffer of the next record.
                readNext();
                ++records_;
                formulaCol_ = col;
                formulaRow_ = row;
                s.AddStringFormula(col, row, stringResult(), xf, tokens, length, extra);
                return;
            }
            s.AddStringFormula(col, row, text, xf, tokens, length, extra);
            return;
        }
        case 1: s.AddBooleanFormula(col, row, value, xf, tokens, length, extra); return;
        case 2: s.AddErrorFormula(col, row, value, xf, tokens, length, extra); return;
        default: s.AddStringFormula(col, row, WideString{}, xf, tokens, length, extra); return;
    }
}

}  // namespace vesk
