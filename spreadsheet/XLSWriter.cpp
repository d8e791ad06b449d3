#include "XLSWriter.h"

#include <algorithm>
#include <cstring>

#include "CodePage.h"
#include "EXLSError.h"
#include "RecordFields.h"
#include "XLSBytes.h"
#include "XLSMini.h"
#include "XLSUtilsMini.h"

namespace vesk {

namespace {

std::uint16_t u16At(const std::vector<std::uint8_t>& d, std::size_t at) {
    return at + 2 <= d.size() ? static_cast<std::uint16_t>(d[at] | (d[at + 1] << 8)) : 0;
}

std::uint32_t u32At(const std::vector<std::uint8_t>& d, std::size_t at) {
    return static_cast<std::uint32_t>(u16At(d, at)) | (static_cast<std::uint32_t>(u16At(d, at + 2)) << 16);
}

// The default XF table: font, format, type and protection, used-attribute
// flags.
struct DefaultXF {
    std::uint16_t Font, Format, Type;
    std::uint8_t Used;
};

constexpr DefaultXF DefaultXFs[24] = {
    {0, 0, 0xFFF5, 0x00},    {1, 0, 0xFFF5, 0xF4},    {1, 0, 0xFFF5, 0xF4},    {2, 0, 0xFFF5, 0xF4},
    {2, 0, 0xFFF5, 0xF4},    {0, 0, 0xFFF5, 0xF4},    {0, 0, 0xFFF5, 0xF4},    {0, 0, 0xFFF5, 0xF4},
    {0, 0, 0xFFF5, 0xF4},    {0, 0, 0xFFF5, 0xF4},    {0, 0, 0xFFF5, 0xF4},    {0, 0, 0xFFF5, 0xF4},
    {0, 0, 0xFFF5, 0xF4},    {0, 0, 0xFFF5, 0xF4},    {0, 0, 0xFFF5, 0xF4},    {0, 0, 0x0001, 0x00},
    {0, 0x2A, 0xFFF5, 0x00}, {0, 0x2B, 0xFFF5, 0x00}, {0, 0x2C, 0xFFF5, 0x00}, {0, 0x2D, 0xFFF5, 0x00},
    {0, 0x09, 0xFFF5, 0x00}, {0, 22, 0x0001, 0x00},   {0, 14, 0x0001, 0x00},   {0, 20, 0x0001, 0x00},
};

// XF index and built-in style id of the six default STYLE records.
constexpr std::uint8_t DefaultStyles[6][2] = {{16, 3}, {17, 6}, {18, 4}, {19, 7}, {0, 0}, {20, 5}};

// Records of the BIFF8 default sets that BIFF5 does not know.
bool biff8Only(std::uint16_t id) {
    return id == BIFFID_DSF || id == BIFFID_TABID || id == BIFFID_PROT4REV || id == BIFFID_RECALCID ||
           id == BIFFID_REFRESHALL;
}

// Defaults whose value other readers show (the width of every column and
// the height of every row without their own): written where the file had
// one or the program set one, never added to a file without it, whose
// readers assume their own.
bool shownDefault(std::uint16_t id) { return id == BIFFID_DEFCOLWIDTH || id == BIFFID_DEFAULTROWHEIGHT; }

}  // namespace

TXLSWriter::TXLSWriter(TXLSMini& xls) : xls_(xls), version_(xls.Version()) {
    biff8_ = version_ >= xvExcel97;
    // 8-bit texts: the file's code page when the workbook came from a BIFF5
    // file, else 1250 (written in CODEPAGE).
    codePage_ = version_ == xvExcel50 && xls.ReadVersion() == xvExcel50 ? xls.FormulaHandler().CodePage : 1250;
}

std::string TXLSWriter::text8(std::u16string_view text) const { return Biff5Bytes(text, codePage_); }

void TXLSWriter::writeRecord(std::uint16_t id, const std::vector<std::uint8_t>& body, bool raw) {
    const std::uint32_t limit = biff8_ ? MaxRecordBodyBiff8 : MaxRecordBodyBiff5;
    if (body.size() > 0xFFFF || (body.size() > limit && !raw))
        throw EXLSError(XLSErrorKind::Format, "Record too long for its version", id);
    stream_.WriteHeader(id, static_cast<std::uint16_t>(body.size()));
    stream_.WriteRaw(body.data(), body.size());
}

void TXLSWriter::writeWord(std::uint16_t id, std::uint16_t value) {
    std::vector<std::uint8_t> b;
    appendU16(b, value);
    writeRecord(id, b);
}

void TXLSWriter::writeListRecord(const TRawRecord& record) {
    const std::uint16_t id = record.Id;
    const std::vector<std::uint8_t>& d = record.Data;
    if (biff8_ || version_ != xvExcel50) {
        writeRecord(id, d, true);
        return;
    }
    const bool fromBiff5 = xls_.ReadVersion() == xvExcel50;
    std::vector<std::uint8_t> b;
    switch (id) {
        case BIFFID_BOF:
            appendU16(b, 0x0500);
            appendU16(b, u16At(d, 2));
            appendU16(b, u16At(d, 4));
            appendU16(b, u16At(d, 6));
            writeRecord(id, b);
            return;
        case BIFFID_WRITEACCESS: {
            std::string name;
            const std::size_t n = std::min<std::size_t>(u16At(d, 0), d.size() > 3 ? d.size() - 3 : 0);
            if (n > 0 && d.size() > 2 && d[2] == 0) {
                name.assign(d.begin() + 3, d.begin() + 3 + static_cast<std::ptrdiff_t>(n));
                // A name set here is Latin-1; one read from a BIFF5 file is
                // already in its code page.
                if (!fromBiff5) {
                    std::u16string wide(name.begin(), name.end());
                    for (std::size_t i = 0; i < name.size(); ++i) wide[i] = static_cast<unsigned char>(name[i]);
                    name = text8(wide);
                }
            }
            if (name.size() > 31) name.resize(31);
            b.assign(32, 0x20);
            b[0] = static_cast<std::uint8_t>(name.size());
            std::copy(name.begin(), name.end(), b.begin() + 1);
            writeRecord(id, b);
            return;
        }
        case BIFFID_CODEPAGE:
            // The page the texts are written in: 1200 (UTF-16) stays only
            // where a BIFF5 file declared it and its texts go back so.
            writeWord(id, u16At(d, 0) == CodePageUtf16 && codePage_ != CodePageUtf16 ? 1250 : u16At(d, 0));
            return;
        case BIFFID_WINDOW2:
            b.assign(d.begin(), d.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(10, d.size())));
            b.resize(10, 0);
            writeRecord(id, b);
            return;
        case BIFFID_DIMENSIONS:
            appendU16(b, static_cast<std::uint16_t>(u32At(d, 0)));
            appendU16(b, static_cast<std::uint16_t>(std::min<std::uint32_t>(u32At(d, 4), 0xFFFF)));
            appendU16(b, u16At(d, 8));
            appendU16(b, u16At(d, 10));
            appendU16(b, 0);
            writeRecord(id, b);
            return;
        default:
            if (!fromBiff5 && biff8Only(id)) return;
            writeRecord(id, d, true);
    }
}

void TXLSWriter::writeDefaultFormats() {
    std::vector<std::uint8_t> b;
    for (int i = 0; i < 4; ++i) {
        b.clear();
        appendU16(b, 200);
        appendU16(b, 0);
        appendU16(b, 8);
        appendU16(b, 400);
        appendU16(b, 0);
        appendU8(b, 0);
        appendU8(b, 2);
        appendU8(b, 0);
        appendU8(b, 0);
        appendU8(b, 5);
        if (biff8_) {
            appendU8(b, 1);
            for (char c : std::string("Arial")) appendU16(b, static_cast<std::uint16_t>(c));
        } else {
            for (char c : std::string("Arial")) appendU8(b, static_cast<std::uint8_t>(c));
        }
        writeRecord(BIFFID_FONT, b);
    }
    for (const DefaultXF& xf : DefaultXFs) {
        b.clear();
        appendU16(b, xf.Font);
        appendU16(b, xf.Format);
        appendU16(b, xf.Type);
        if (biff8_) {
            appendU16(b, 0x0020);
            appendU8(b, 0);
            appendU8(b, xf.Used);
            appendU16(b, 0);
            appendU16(b, 0);
            appendU32(b, 0);
            appendU16(b, 0x20C0);
        } else {
            appendU8(b, 0x20);
            appendU8(b, xf.Used);
            appendU32(b, 0x000020C0);
            appendU32(b, 0);
        }
        writeRecord(BIFFID_XF, b);
    }
    writeDefaultStyles();
}

// The built-in cell styles, one STYLE record each (every BIFF version).
void TXLSWriter::writeDefaultStyles() {
    std::vector<std::uint8_t> b;
    for (const auto& style : DefaultStyles) {
        b.clear();
        appendU16(b, static_cast<std::uint16_t>(0x8000 + style[0]));
        appendU8(b, style[1]);
        appendU8(b, 0xFF);
        writeRecord(BIFFID_STYLE, b);
    }
}

void TXLSWriter::writeBoundsheet(TBoundsheetData& entry) {
    entry.PosField = stream_.Position() + 4;
    std::vector<std::uint8_t> b;
    appendU32(b, 0);
    appendU16(b, static_cast<std::uint16_t>((entry.IsChart ? 0x0200 : 0x0000) + entry.Hidden));
    WideString name = entry.Name.substr(0, 255);
    if (biff8_) {
        appendU8(b, static_cast<std::uint8_t>(name.size()));
        appendU8(b, 1);
        for (char16_t c : name) appendU16(b, static_cast<std::uint16_t>(c));
    } else {
        const std::string s = text8(name);
        appendU8(b, static_cast<std::uint8_t>(s.size()));
        b.insert(b.end(), s.begin(), s.end());
    }
    writeRecord(BIFFID_BOUNDSHEET, b);
}

void TXLSWriter::patchBoundsheet(const TBoundsheetData& entry) {
    const std::int64_t here = stream_.Position();
    stream_.Seek(entry.PosField, 0);
    stream_.WriteDWord(static_cast<std::uint32_t>(here));
    stream_.Seek(0, 2);
}

void TXLSWriter::writeChartRecords(const TChartRecord& record) {
    for (const auto& child : record.Children()) {
        if (child->Id() == BIFFID_BOF && !biff8_) {
            std::vector<std::uint8_t> b;
            appendU16(b, 0x0500);
            appendU16(b, u16At(child->Data(), 2));
            appendU16(b, u16At(child->Data(), 4));
            appendU16(b, u16At(child->Data(), 6));
            writeRecord(BIFFID_BOF, b);
        } else {
            writeRecord(child->Id(), child->Data(), true);
        }
        if (!child->Children().empty()) {
            stream_.WriteHeader(BIFFID_CHART_BEGIN, 0);
            writeChartRecords(*child);
            stream_.WriteHeader(BIFFID_CHART_END, 0);
        }
    }
}

void TXLSWriter::writeChart(const TSheetChart& chart) { writeChartRecords(chart.Records); }

void TXLSWriter::writePageBreaks(TSheet& sheet) {
    TPrintSettings& print = sheet.PrintSettings();
    std::vector<std::uint8_t> b;
    if (!print.HorizPagebreaks.empty()) {
        const std::size_t n = std::min<std::size_t>(print.HorizPagebreaks.size(), 1000);
        appendU16(b, static_cast<std::uint16_t>(n));
        for (std::size_t i = 0; i < n; ++i) {
            const THorizPagebreak& p = print.HorizPagebreaks[i];
            appendU16(b, static_cast<std::uint16_t>(p.Row + 1));
            if (biff8_) {
                appendU16(b, p.Col1);
                appendU16(b, p.Col2);
            }
        }
        writeRecord(BIFFID_HORIZONTALPAGEBREAKS, b);
    }
    if (!print.VertPagebreaks.empty()) {
        b.clear();
        const std::size_t n = std::min<std::size_t>(print.VertPagebreaks.size(), 1000);
        appendU16(b, static_cast<std::uint16_t>(n));
        for (std::size_t i = 0; i < n; ++i) {
            const TVertPagebreak& p = print.VertPagebreaks[i];
            appendU16(b, static_cast<std::uint16_t>(p.Col + 1));
            if (biff8_) {
                appendU16(b, p.Row1);
                appendU16(b, p.Row2);
            }
        }
        writeRecord(BIFFID_VERTICALPAGEBREAKS, b);
    }
}

void TXLSWriter::writeHeaderFooter(TSheet& sheet) {
    TPrintSettings& print = sheet.PrintSettings();
    for (int i = 0; i < 2; ++i) {
        const WideString& text = i == 0 ? print.Header : print.Footer;
        const std::uint16_t id = i == 0 ? BIFFID_HEADER : BIFFID_FOOTER;
        std::vector<std::uint8_t> b;
        if (biff8_) {
            if (!text.empty()) {
                const WideString t = text.substr(0, 255);
                appendU16(b, static_cast<std::uint16_t>(t.size()));
                appendU8(b, 1);
                for (char16_t c : t) appendU16(b, static_cast<std::uint16_t>(c));
            }
        } else if (!text.empty() || i == 1) {
            std::string s = text8(text);
            // No UTF-16 character (code page 1200) is cut in two.
            if (s.size() > 255) s.resize(codePage_ == CodePageUtf16 && s.size() > text.size() ? 254 : 255);
            appendU8(b, static_cast<std::uint8_t>(s.size()));
            b.insert(b.end(), s.begin(), s.end());
        }
        writeRecord(id, b);
    }
}

void TXLSWriter::writeMargins(TSheet& sheet) {
    TPrintSettings& print = sheet.PrintSettings();
    const std::pair<std::uint16_t, double> margins[] = {{BIFFID_LEFTMARGIN, print.MarginLeft},
                                                        {BIFFID_RIGHTMARGIN, print.MarginRight},
                                                        {BIFFID_TOPMARGIN, print.MarginTop},
                                                        {BIFFID_BOTTOMMARGIN, print.MarginBottom}};
    for (const auto& [id, value] : margins) {
        if (!(value >= 0)) continue;
        std::vector<std::uint8_t> b;
        appendF64(b, value);
        writeRecord(id, b);
    }
}

void TXLSWriter::WriteBIFF58(std::vector<std::uint8_t>* target) {
    TSheets& sheets = xls_.Sheets();
    TSheetCharts& charts = xls_.Charts();
    const int sheetCount = sheets.Count();
    const int selected = xls_.Workbook().SelectedTab();

    // 1. The directory: charts before the sheet their index names.
    directory_.clear();
    std::size_t chartsListed = 0;
    for (int i = 0; i < sheetCount; ++i) {
        while (chartsListed < charts.Count() && charts.Items(chartsListed).SheetIndex <= i) {
            directory_.push_back({true, static_cast<int>(chartsListed), 0, charts.Items(chartsListed).Name});
            ++chartsListed;
        }
        TSheet& sheet = sheets.Items(i);
        TRawRecord& window2 = sheet.Records().Window2();
        std::uint16_t options = fieldU16(window2, 0);
        options = static_cast<std::uint16_t>(i == selected ? options | 0x0200 : options & ~0x0200);
        setFieldU16(window2, 0, options);
        directory_.push_back({false, i, 0, sheet.Name(), sheet.Hidden});
    }
    for (; chartsListed < charts.Count(); ++chartsListed)
        directory_.push_back({true, static_cast<int>(chartsListed), 0, charts.Items(chartsListed).Name});

    // 2. The stream.
    if (!xls_.ExtraObjects().Empty()) stream_.SetExtraObjects(&xls_.ExtraObjects());
    stream_.SetKeepObjects(xls_.PreserveMacros);
    stream_.SetTarget(target);
    stream_.Create(xls_.Filename, version_);

    // 3, 4. The globals.
    TRecordStorageGlobals& globals = xls_.Globals();
    if (globals.Count() == 0) globals.UseDefaults();
    bool tabIdWritten = false;
    // Every BIFF8 text cell is a LABELSST naming the shared strings: a
    // list read from a file without SST (texts in LABEL or RSTRING records)
    // has no place for them, and they go before the globals' EOF.
    bool sstWritten = false;
    for (std::size_t r = 0; r < globals.Count(); ++r) {
        const TRawRecord* record = globals.Items(r);
        if (!record) continue;
        switch (record->Id) {
            case INTID_FORMATS:
                if (xls_.DefaultFormats) writeDefaultFormats();
                break;
            case INTID_SHEETS:
                for (TBoundsheetData& entry : directory_) writeBoundsheet(entry);
                break;
            case INTID_NAMES:
                if (biff8_) {
                    xls_.FormulaHandler().ExternalNames().Write(stream_);
                    xls_.FormulaHandler().InternalNames().Write(stream_, version_);
                }
                break;
            case INTID_GLOBALS4: break;
            case INTID_SST:
                if (biff8_ && !sstWritten) xls_.Sheets().SST().Write(stream_);
                sstWritten = true;
                break;
            case 0x00D3:
                if (xls_.PreserveMacros) stream_.WriteHeader(0x00D3, 0);
                break;
            case BIFFID_TABID: {
                // One per file: a read list holds the file's own TABID and
                // the default one (and a file saved before may hold more).
                if (!biff8_ || tabIdWritten) break;
                tabIdWritten = true;
                // Kept when it names every sheet, else rebuilt.
                if (record->Data.size() == 2u * static_cast<std::size_t>(sheetCount) && !record->Data.empty()) {
                    writeRecord(record->Id, record->Data, true);
                    break;
                }
                std::vector<std::uint8_t> b;
                for (int i = 1; i <= sheetCount; ++i) appendU16(b, static_cast<std::uint16_t>(i));
                writeRecord(BIFFID_TABID, b);
                break;
            }
            default:
                if (record->Id >= 0x8000) break;
                if (record->Id == BIFFID_EOF && biff8_ && !sstWritten) {
                    xls_.Sheets().SST().Write(stream_);
                    sstWritten = true;
                }
                writeListRecord(*record);
        }
    }

    // 5. The sheets, each after the charts listed before it.
    std::size_t chartsWritten = 0;
    auto chartsUpTo = [&](int i) {
        while (chartsWritten < charts.Count() && charts.Items(chartsWritten).SheetIndex <= i) {
            for (const TBoundsheetData& entry : directory_)
                if (entry.IsChart && entry.Index == static_cast<int>(chartsWritten)) patchBoundsheet(entry);
            writeChart(charts.Items(chartsWritten));
            ++chartsWritten;
        }
    };
    for (int i = 0; i < sheetCount; ++i) {
        TSheet& sheet = sheets.Items(i);
        if (!sheet.RecordsLoaded) {
            sheet.Records().UseDefaults();
            sheet.RecordsLoaded = true;
        }
        sheet.CalcDimensions();
        chartsUpTo(i);
        for (const TBoundsheetData& entry : directory_)
            if (!entry.IsChart && entry.Index == i) patchBoundsheet(entry);
        TRecordStorageSheet& records = sheet.Records();
        // DIMENSIONS goes before the cells, where readers expect it (xlrd
        // forgets the cells read before it); the list keeps it after them.
        bool dimensionsWritten = false;
        bool cellsWritten = false;
        auto writeCells = [&] {
            if (cellsWritten) return;
            cellsWritten = true;
            writeListRecord(records.Dimensions());
            dimensionsWritten = true;
            sheet.CellAreaRecords().WriteRecords(stream_);
            sheet.WriteCells(version_, stream_, codePage_);
        };
        // A list read from a damaged file may lack the cell placeholder or
        // hold an EOF in its middle (or none): the sheet always gets its
        // cells and exactly one EOF, last, so that no reader ends it early.
        // An embedded substream (a chart after its OBJ) keeps its own BOF
        // and EOF.
        const TRawRecord* lastEof = nullptr;
        bool sheetBof = false;
        int substreams = 0;
        for (std::size_t r = 0; r < records.Count(); ++r) {
            const TRawRecord* record = records.Items(r);
            if (!record) continue;
            if (record->Id == BIFFID_DIMENSIONS && dimensionsWritten) continue;
            if (IsBofId(record->Id)) {
                if (sheetBof) ++substreams;
                sheetBof = true;
            } else if (record->Id == BIFFID_EOF && substreams > 0) {
                --substreams;
                writeListRecord(*record);
                continue;
            }
            switch (record->Id) {
                case INTID_PAGEBREAKS: writePageBreaks(sheet); break;
                case INTID_HEADERFOOTER: writeHeaderFooter(sheet); break;
                case INTID_MARGINS: writeMargins(sheet); break;
                case INTID_CELLS: writeCells(); break;
                case BIFFID_EOF: lastEof = record; break;
                default:
                    if (record->Id >= 0x8000) break;
                    if (shownDefault(record->Id) && records.Lacked(record->Id) &&
                        records.Reference(record->Id) == record)
                        break;
                    writeListRecord(*record);
            }
        }
        for (; substreams > 0; --substreams) writeRecord(BIFFID_EOF, {});
        writeCells();
        if (lastEof)
            writeListRecord(*lastEof);
        else
            writeRecord(BIFFID_EOF, {});
    }
    // 6. Charts after the last sheet.
    chartsUpTo(0x7FFFFFFF);

    // 7. Kept streams and storages go back in Close.
    if (!xls_.PreserveMacros) stream_.SetExtraObjects(nullptr);
    stream_.Close();
    directory_.clear();
}

void TXLSWriter::WriteSingleSheet(std::vector<std::uint8_t>* target) {
    if (version_ != xvExcel40)
        throw EXLSError(XLSErrorKind::Refused, "Can not write this file version");
    TSheet& sheet = xls_.Sheets().Items(0);
    TOptionsDialog& options = xls_.OptionsDialog();
    TPrintSettings& print = sheet.PrintSettings();
    const TPrintSetupOptions printOptions = print.Options();
    stream_.SetTarget(target);
    stream_.Create(xls_.Filename, version_);
    std::vector<std::uint8_t> b;

    // 1. BOF
    appendU16(b, 0);
    appendU16(b, 0x0010);
    appendU16(b, 6319);
    writeRecord(BIFFID_BOF4, b);
    // 2. WRITEACCESS: 112 bytes of blanks under a byte string of at most 111.
    {
        std::string name = text8(xls_.UserName());
        if (name.size() > 111) name.resize(111);
        b.assign(112, 0x20);
        b[0] = static_cast<std::uint8_t>(name.size());
        std::copy(name.begin(), name.end(), b.begin() + 1);
        writeRecord(BIFFID_WRITEACCESS, b);
    }
    writeWord(BIFFID_CODEPAGE, 1250);
    // 3-6. calculation
    writeWord(BIFFID_CALCMODE, options.CalcMode == cmManual      ? 0
                               : options.CalcMode == cmAutomatic ? 1
                                                                 : 0xFFFF);
    writeWord(BIFFID_REFMODE, options.R1C1Mode ? 0 : 1);
    writeWord(BIFFID_ITERATION, options.Iteration ? 1 : 0);
    writeWord(BIFFID_PRECISION, options.PrecisionAsDisplayed() ? 1 : 0);
    // 7.
    writeWord(BIFFID_PRINTHEADERS, printOptions.Contains(psoRowColHeading) ? 1 : 0);
    writeWord(BIFFID_PRINTGRIDLINES, printOptions.Contains(psoGridlines) ? 1 : 0);
    writeWord(BIFFID_GRIDSET, 1);
    // 8.
    b.clear();
    if (sheet.Records().Lacked(BIFFID_DEFAULTROWHEIGHT)) {
    } else if (sheet.DefaultRowHeight() != 0) {
        appendU16(b, 1);
        appendU16(b, sheet.DefaultRowHeight());
    } else {
        appendU16(b, 0);
        appendU16(b, 255);
    }
    if (!b.empty()) writeRecord(BIFFID_DEFAULTROWHEIGHT, b);
    // 9.
    writeWord(BIFFID_HIDEOBJ, static_cast<std::uint8_t>(options.ShowObjects()));
    // 10.
    {
        const TWorkspaceOptions ws = sheet.WorkspaceOptions();
        std::uint16_t w = 0;
        if (ws.Contains(woShowAutoBreaks)) w |= 0x0001;
        if (ws.Contains(woApplyStyles)) w |= 0x0020;
        if (ws.Contains(woRowSumsBelow)) w |= 0x0040;
        if (ws.Contains(woColSumsRight)) w |= 0x0080;
        if (ws.Contains(woFitToPage)) w |= 0x0100;
        if (ws.Contains(woOutlineSymbols)) w |= 0x0600;
        writeWord(BIFFID_WSBOOL, w);
    }
    // 11.
    writeHeaderFooter(sheet);
    writeWord(BIFFID_HCENTER, printOptions.Contains(psoHorizCenter) ? 1 : 0);
    writeWord(BIFFID_VCENTER, printOptions.Contains(psoVertCenter) ? 1 : 0);
    // 12. SETUP
    b.clear();
    appendU16(b, print.PaperSize());
    appendU16(b, print.ScalingFactor());
    appendU16(b, print.StartingPage());
    appendU16(b, 1);
    appendU16(b, 1);
    {
        std::uint16_t o = 0;
        if (printOptions.Contains(psoLeftToRight)) o |= 0x01;
        if (printOptions.Contains(psoPortrait)) o |= 0x02;
        if (printOptions.Contains(psoNoColor)) o |= 0x08;
        if (printOptions.Contains(psoDraftQuality)) o |= 0x10;
        if (printOptions.Contains(psoNotes)) o |= 0x20;
        appendU16(b, o);
    }
    appendU16(b, 600);
    appendU16(b, 600);
    appendF64(b, print.HeaderMargin());
    appendF64(b, print.FooterMargin());
    appendU16(b, print.Copies());
    writeRecord(BIFFID_SETUP, b);
    // 13.
    writeWord(BIFFID_BACKUP, xls_.Backup() ? 1 : 0);
    writeWord(BIFFID_WINDOWPROTECT, xls_.BookProtected() ? 1 : 0);
    // 14. FONT, XF and STYLE in the BIFF4 layouts.
    for (int i = 0; i < 4; ++i) {
        b.clear();
        appendU16(b, 200);
        appendU16(b, 0);
        appendU16(b, 8);
        appendU8(b, 5);
        for (char c : std::string("Arial")) appendU8(b, static_cast<std::uint8_t>(c));
        writeRecord(BIFFID_FONT2, b);
    }
    // BIFF4 numbers its formats by their FORMAT records (a reader without
    // them takes every cell for text): the few the XF table uses.
    static const char* const Formats4[] = {"General", "0%", "m/d/yy h:mm", "m/d/yy", "h:mm", "#,##0", "#,##0.00"};
    for (const char* format : Formats4) {
        b.clear();
        appendU16(b, 0);
        appendU8(b, static_cast<std::uint8_t>(std::strlen(format)));
        for (const char* c = format; *c; ++c) appendU8(b, static_cast<std::uint8_t>(*c));
        writeRecord(BIFFID_FORMAT, b);
    }
    auto format4 = [](std::uint16_t builtIn) -> std::uint8_t {
        switch (builtIn) {
            case 9: return 1;
            case 22: return 2;
            case 14: return 3;
            case 20: return 4;
            case 0x2A: case 0x2D: return 5;
            case 0x2B: case 0x2C: return 6;
            default: return 0;
        }
    };
    for (const DefaultXF& xf : DefaultXFs) {
        b.clear();
        appendU8(b, static_cast<std::uint8_t>(xf.Font));
        appendU8(b, format4(xf.Format));
        appendU16(b, xf.Type);
        appendU8(b, 0x20);
        appendU8(b, xf.Used);
        appendU16(b, 0xCE00);
        appendU32(b, 0);
        writeRecord(BIFFID_XF4, b);
    }
    writeDefaultStyles();
    // 15.
    if (sheet.DefaultColWidth() != 0 && !sheet.Records().Lacked(BIFFID_DEFCOLWIDTH))
        writeWord(BIFFID_DEFCOLWIDTH, sheet.DefaultColWidth());
    // 16. DIMENSIONS from the cells.
    {
        TCellStorage& cells = sheet.Cells();
        cells.BeginIterate();
        const bool empty = cells.Next() == nullptr;
        cells.CalcBounds();
        b.clear();
        appendU16(b, empty ? 0 : static_cast<std::uint16_t>(cells.FirstRow));
        appendU16(b, empty ? 0 : static_cast<std::uint16_t>(std::min(cells.LastRow + 1, 0xFFFF)));
        appendU16(b, empty ? 0 : static_cast<std::uint16_t>(cells.FirstCol));
        appendU16(b, empty ? 0 : static_cast<std::uint16_t>(cells.LastCol + 1));
        appendU16(b, 0);
        writeRecord(BIFFID_DIMENSIONS, b);
    }
    // 17.
    const TExcelVersion read = xls_.ReadVersion();
    sheet.WriteCells(version_, stream_, 1250, read == xvExcel30 || read == xvExcel40);
    // 18. WINDOW1
    {
        TWorkbookData& wb = xls_.Workbook();
        b.clear();
        appendU16(b, wb.Left());
        appendU16(b, wb.Top());
        appendU16(b, wb.Width());
        appendU16(b, wb.Height());
        const TWorkbookOptions wo = wb.Options();
        std::uint16_t o = 0;
        if (wo.Contains(woHidden)) o |= 0x01;
        if (wo.Contains(woIconized)) o |= 0x02;
        if (wo.Contains(woHScroll)) o |= 0x08;
        if (wo.Contains(woVScroll)) o |= 0x10;
        if (wo.Contains(woTabs)) o |= 0x20;
        appendU16(b, o);
        appendU16(b, 0);
        appendU16(b, 0);
        appendU16(b, 1);
        appendU16(b, 600);
        writeRecord(BIFFID_WINDOW1, b);
    }
    // 19. WINDOW2
    {
        const TSheetOptions so = sheet.Options();
        std::uint16_t o = 0x04A0 | 0x0200;
        if (so.Contains(soShowFormulas)) o |= 0x0001;
        if (so.Contains(soGridlines)) o |= 0x0002;
        if (so.Contains(soRowColHeadings)) o |= 0x0004;
        if (so.Contains(soFrozenPanes)) o |= 0x0008;
        if (so.Contains(soShowZeros)) o |= 0x0010;
        b.assign(10, 0);
        b[0] = static_cast<std::uint8_t>(o);
        b[1] = static_cast<std::uint8_t>(o >> 8);
        writeRecord(BIFFID_WINDOW2, b);
    }
    // 20.
    b.clear();
    writeRecord(BIFFID_EOF, b);
    stream_.Close();
}

}  // namespace vesk
