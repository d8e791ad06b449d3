// Record ids of the BIFF formats, the file-version enumeration and the
// cell-error texts. Every record id the library names lives here.
#pragma once

#include <array>
#include <cstdint>

namespace vesk {

// File version of a workbook. BIFF2 to BIFF4 are plain record files, BIFF5
// is the compound-document stream "Book", BIFF8 the stream "Workbook".
enum TExcelVersion : std::uint8_t {
    xvNone = 0,
    xvExcelUnknown = 1,
    xvExcel21 = 2,
    xvExcel30 = 3,
    xvExcel40 = 4,
    xvExcel50 = 5,
    xvExcel97 = 6,
    xvExcel2007 = 7,
};

// Largest record body below BIFF8 and in BIFF8.
constexpr std::uint32_t MaxRecordBodyBiff5 = 2080;
constexpr std::uint32_t MaxRecordBodyBiff8 = 8224;

// ------------------------------------------------------------ record ids
// Beginning and end of a substream.
constexpr std::uint16_t BIFFID_BOF2 = 0x0009;
constexpr std::uint16_t BIFFID_BOF3 = 0x0209;
constexpr std::uint16_t BIFFID_BOF4 = 0x0409;
constexpr std::uint16_t BIFFID_BOF = 0x0809;  // BIFF5 and BIFF8
constexpr std::uint16_t BIFFID_EOF = 0x000A;
constexpr std::uint16_t BIFFID_CONTINUE = 0x003C;
// Whether a record opens a substream: one of the four BOF ids only. Other
// records share their low byte 0x09 (a chart's MARKERFORMAT is 0x1009).
constexpr bool IsBofId(std::uint16_t id) {
    return id == BIFFID_BOF2 || id == BIFFID_BOF3 || id == BIFFID_BOF4 || id == BIFFID_BOF;
}
// Continued by records of their own id instead of CONTINUE.
constexpr std::uint16_t BIFFID_MSODRAWINGGROUP = 0x00EB;
constexpr std::uint16_t BIFFID_CHART_GELFRAME = 0x1066;

// Workbook globals.
constexpr std::uint16_t BIFFID_WRITEACCESS = 0x005C;
constexpr std::uint16_t BIFFID_CODEPAGE = 0x0042;
constexpr std::uint16_t BIFFID_DSF = 0x0161;
constexpr std::uint16_t BIFFID_TABID = 0x013D;
constexpr std::uint16_t BIFFID_FNGROUPCOUNT = 0x009C;
constexpr std::uint16_t BIFFID_WINDOWPROTECT = 0x0019;
constexpr std::uint16_t BIFFID_PROTECT = 0x0012;
constexpr std::uint16_t BIFFID_PASSWORD = 0x0013;
constexpr std::uint16_t BIFFID_PROT4REV = 0x01AF;
constexpr std::uint16_t BIFFID_PROT4REVPASS = 0x01BC;
constexpr std::uint16_t BIFFID_WINDOW1 = 0x003D;
constexpr std::uint16_t BIFFID_BACKUP = 0x0040;
constexpr std::uint16_t BIFFID_HIDEOBJ = 0x008D;
constexpr std::uint16_t BIFFID_1904 = 0x0022;
constexpr std::uint16_t BIFFID_PRECISION = 0x000E;
constexpr std::uint16_t BIFFID_REFRESHALL = 0x01B7;
constexpr std::uint16_t BIFFID_BOOKBOOL = 0x00DA;
constexpr std::uint16_t BIFFID_COUNTRY = 0x008C;
constexpr std::uint16_t BIFFID_RECALCID = 0x01C1;
constexpr std::uint16_t BIFFID_FONT = 0x0031;
constexpr std::uint16_t BIFFID_FONT2 = 0x0231;  // BIFF3/BIFF4
constexpr std::uint16_t BIFFID_FORMAT = 0x041E;
constexpr std::uint16_t BIFFID_FORMAT2 = 0x001E;  // BIFF2 to BIFF4
constexpr std::uint16_t BIFFID_XF = 0x00E0;
constexpr std::uint16_t BIFFID_XF2 = 0x0043;
constexpr std::uint16_t BIFFID_XF3 = 0x0243;
constexpr std::uint16_t BIFFID_XF4 = 0x0443;
constexpr std::uint16_t BIFFID_STYLE = 0x0293;
constexpr std::uint16_t BIFFID_PALETTE = 0x0092;
constexpr std::uint16_t BIFFID_BOUNDSHEET = 0x0085;
constexpr std::uint16_t BIFFID_NAME = 0x0018;
constexpr std::uint16_t BIFFID_NAME3 = 0x0218;  // BIFF3/BIFF4
constexpr std::uint16_t BIFFID_EXTERNSHEET = 0x0017;
constexpr std::uint16_t BIFFID_EXTERNNAME = 0x0023;
constexpr std::uint16_t BIFFID_EXTERNNAME3 = 0x0223;
constexpr std::uint16_t BIFFID_SUPBOOK = 0x01AE;
constexpr std::uint16_t BIFFID_XCT = 0x0059;
constexpr std::uint16_t BIFFID_CRN = 0x005A;
constexpr std::uint16_t BIFFID_SST = 0x00FC;
constexpr std::uint16_t BIFFID_EXTSST = 0x00FF;
constexpr std::uint16_t BIFFID_FILEPASS = 0x002F;
constexpr std::uint16_t BIFFID_USESELFS = 0x0160;
constexpr std::uint16_t BIFFID_INTERFACEHDR = 0x00E1;
constexpr std::uint16_t BIFFID_INTERFACEEND = 0x00E2;
constexpr std::uint16_t BIFFID_MMS = 0x00C1;
constexpr std::uint16_t BIFFID_EXCEL9FILE = 0x01C0;

// Worksheet settings.
constexpr std::uint16_t BIFFID_CALCMODE = 0x000D;
constexpr std::uint16_t BIFFID_CALCCOUNT = 0x000C;
constexpr std::uint16_t BIFFID_REFMODE = 0x000F;
constexpr std::uint16_t BIFFID_ITERATION = 0x0011;
constexpr std::uint16_t BIFFID_DELTA = 0x0010;
constexpr std::uint16_t BIFFID_SAVERECALC = 0x005F;
constexpr std::uint16_t BIFFID_PRINTGRIDLINES = 0x002B;
constexpr std::uint16_t BIFFID_PRINTHEADERS = 0x002A;
constexpr std::uint16_t BIFFID_GRIDSET = 0x0082;
constexpr std::uint16_t BIFFID_GUTS = 0x0080;
constexpr std::uint16_t BIFFID_DEFAULTROWHEIGHT = 0x0225;
constexpr std::uint16_t BIFFID_DEFAULTROWHEIGHT2 = 0x0025;  // BIFF2
constexpr std::uint16_t BIFFID_WSBOOL = 0x0081;
constexpr std::uint16_t BIFFID_HORIZONTALPAGEBREAKS = 0x001B;
constexpr std::uint16_t BIFFID_VERTICALPAGEBREAKS = 0x001A;
constexpr std::uint16_t BIFFID_HEADER = 0x0014;
constexpr std::uint16_t BIFFID_FOOTER = 0x0015;
constexpr std::uint16_t BIFFID_LEFTMARGIN = 0x0026;
constexpr std::uint16_t BIFFID_RIGHTMARGIN = 0x0027;
constexpr std::uint16_t BIFFID_TOPMARGIN = 0x0028;
constexpr std::uint16_t BIFFID_BOTTOMMARGIN = 0x0029;
constexpr std::uint16_t BIFFID_HCENTER = 0x0083;
constexpr std::uint16_t BIFFID_VCENTER = 0x0084;
constexpr std::uint16_t BIFFID_SETUP = 0x00A1;
constexpr std::uint16_t BIFFID_DEFCOLWIDTH = 0x0055;
constexpr std::uint16_t BIFFID_COLINFO = 0x007D;
constexpr std::uint16_t BIFFID_COLWIDTH = 0x0024;  // BIFF2
constexpr std::uint16_t BIFFID_DIMENSIONS = 0x0200;
constexpr std::uint16_t BIFFID_DIMENSIONS2 = 0x0000;  // BIFF2
constexpr std::uint16_t BIFFID_WINDOW2 = 0x023E;
constexpr std::uint16_t BIFFID_WINDOW2_BIFF2 = 0x003E;
constexpr std::uint16_t BIFFID_SELECTION = 0x001D;
constexpr std::uint16_t BIFFID_PANE = 0x0041;
constexpr std::uint16_t BIFFID_SCL = 0x00A0;
constexpr std::uint16_t BIFFID_INDEX = 0x020B;
constexpr std::uint16_t BIFFID_INDEX2 = 0x000B;
constexpr std::uint16_t BIFFID_DBCELL = 0x00D7;
constexpr std::uint16_t BIFFID_MERGEDCELLS = 0x00E5;
constexpr std::uint16_t BIFFID_MSODRAWING = 0x00EC;
constexpr std::uint16_t BIFFID_OBJ = 0x005D;
constexpr std::uint16_t BIFFID_TXO = 0x01B6;
constexpr std::uint16_t BIFFID_NOTE = 0x001C;

// Cells.
constexpr std::uint16_t BIFFID_ROW = 0x0208;
constexpr std::uint16_t BIFFID_ROW2 = 0x0008;
constexpr std::uint16_t BIFFID_BLANK = 0x0201;
constexpr std::uint16_t BIFFID_BLANK2 = 0x0001;
constexpr std::uint16_t BIFFID_INTEGER2 = 0x0002;
constexpr std::uint16_t BIFFID_NUMBER = 0x0203;
constexpr std::uint16_t BIFFID_NUMBER2 = 0x0003;
constexpr std::uint16_t BIFFID_LABEL = 0x0204;
constexpr std::uint16_t BIFFID_LABEL2 = 0x0004;
constexpr std::uint16_t BIFFID_BOOLERR = 0x0205;
constexpr std::uint16_t BIFFID_BOOLERR2 = 0x0005;
constexpr std::uint16_t BIFFID_RK = 0x027E;
constexpr std::uint16_t BIFFID_MULRK = 0x00BD;
constexpr std::uint16_t BIFFID_MULBLANK = 0x00BE;
constexpr std::uint16_t BIFFID_LABELSST = 0x00FD;
constexpr std::uint16_t BIFFID_RSTRING = 0x00D6;
constexpr std::uint16_t BIFFID_FORMULA = 0x0006;    // BIFF2, BIFF5, BIFF8
constexpr std::uint16_t BIFFID_FORMULA3 = 0x0206;   // BIFF3
constexpr std::uint16_t BIFFID_FORMULA4 = 0x0406;   // BIFF4
constexpr std::uint16_t BIFFID_STRING = 0x0207;
constexpr std::uint16_t BIFFID_STRING2 = 0x0007;
constexpr std::uint16_t BIFFID_ARRAY = 0x0221;
constexpr std::uint16_t BIFFID_ARRAY2 = 0x0021;
constexpr std::uint16_t BIFFID_SHRFMLA = 0x04BC;
constexpr std::uint16_t BIFFID_TABLEOP = 0x0236;

// Charts.
constexpr std::uint16_t BIFFID_CHART_BEGIN = 0x1033;
constexpr std::uint16_t BIFFID_CHART_END = 0x1034;

// Where the writer generates records from the model instead of copying
// raw data (never written themselves).
constexpr std::uint16_t INTID_FORMATS = 0x8001;      // fonts, number formats, XF, styles
constexpr std::uint16_t INTID_SHEETS = 0x8002;       // sheet directory
constexpr std::uint16_t INTID_NAMES = 0x8003;        // external references and defined names
constexpr std::uint16_t INTID_GLOBALS4 = 0x8004;     // nothing
constexpr std::uint16_t INTID_SST = 0x8005;          // shared strings
constexpr std::uint16_t INTID_PAGEBREAKS = 0x8101;   // page breaks
constexpr std::uint16_t INTID_HEADERFOOTER = 0x8102; // header and footer
constexpr std::uint16_t INTID_MARGINS = 0x8103;      // margins
constexpr std::uint16_t INTID_SHEET4 = 0x8104;       // nothing
constexpr std::uint16_t INTID_CELLS = 0x8105;        // cell area
constexpr std::uint16_t INTID_SHEET6 = 0x8106;       // nothing
// The root of a chart's record list (no data, never written).
constexpr std::uint16_t INTID_CHARTROOT = 0xFFFA;

// ------------------------------------------------------------ cell errors
// Texts by the error index that error cells hold; index 0 is no error.
constexpr std::array<const char*, 8> XLSErrorTexts = {
    "[int] No error value", "#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A",
};
// BIFF error codes of the indexes 1 to 7 (index 0 has none).
constexpr std::array<std::uint8_t, 8> XLSErrorCodes = {0x2A, 0x00, 0x07, 0x0F, 0x17, 0x1D, 0x24, 0x2A};

}  // namespace vesk
