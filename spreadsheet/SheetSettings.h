// The settings of one sheet, kept in its fixed records: window and
// workspace options, default row height and column width, print settings
// and the selection. Each property reads and writes its record field, so a
// read file sets them and a write stores them; only the fields marked so
// live in the objects themselves.
#pragma once

#include <cstdint>
#include <vector>

#include "OptionSet.h"
#include "RecordStorageMini.h"
#include "WideString.h"

namespace vesk {

// WINDOW2 options; soProtected, soR1C1Mode and soIteration are neither read
// nor written.
enum TSheetOption : std::uint8_t {
    soGridlines, soRowColHeadings, soProtected, soR1C1Mode, soIteration,
    soShowFormulas, soFrozenPanes, soShowZeros,
};
using TSheetOptions = TOptionSet<TSheetOption>;

// WSBOOL options.
enum TWorkspaceOption : std::uint8_t {
    woShowAutoBreaks, woApplyStyles, woRowSumsBelow, woColSumsRight, woFitToPage, woOutlineSymbols,
};
using TWorkspaceOptions = TOptionSet<TWorkspaceOption>;

// Reading gives the bits found; writing starts from 0x04A0.
TSheetOptions SheetOptions(const TRecordStorageSheet& records);
void SetSheetOptions(TRecordStorageSheet& records, TSheetOptions options);
// Writing changes only the six option bits; the word's other bits stay.
TWorkspaceOptions WorkspaceOptions(const TRecordStorageSheet& records);
void SetWorkspaceOptions(TRecordStorageSheet& records, TWorkspaceOptions options);
// DEFAULTROWHEIGHT's height word and DEFCOLWIDTH.
std::uint16_t DefaultRowHeight(const TRecordStorageSheet& records);
void SetDefaultRowHeight(TRecordStorageSheet& records, std::uint16_t height);
std::uint16_t DefaultColWidth(const TRecordStorageSheet& records);
void SetDefaultColWidth(TRecordStorageSheet& records, std::uint16_t width);

// Paper sizes by their SETUP code.
enum TPaperSize : std::uint8_t {
    psDefault, psLetter, psLetterSmall, psTabloid, psLedger, psLegal, psStatement, psExecutive,
    psA3, psA4, psA4Small, psA5, psB4, psB5,
};

enum TPrintSetupOption : std::uint8_t {
    psoLeftToRight, psoPortrait, psoNoColor, psoDraftQuality, psoNotes,
    psoRowColHeading, psoGridlines, psoHorizCenter, psoVertCenter,
};
using TPrintSetupOptions = TOptionSet<TPrintSetupOption>;

struct THorizPagebreak {
    std::uint16_t Row = 0;
    std::uint8_t Col1 = 0;
    std::uint8_t Col2 = 255;
};

struct TVertPagebreak {
    std::uint8_t Col = 0;
    std::uint16_t Row1 = 0;
    std::uint16_t Row2 = 65535;
};

class TPrintSettings {
public:
    // Sets the defaults of a new sheet (see Reset).
    TPrintSettings(TRecordStorageSheet& records, TPaperSize defaultPaperSize);

    // StartingPage 1, Options [psoPortrait], the four margins not set, the
    // default paper size, no page breaks; Header and Footer stay.
    void Reset();

    std::uint16_t Copies() const;
    void SetCopies(std::uint16_t v);
    std::uint16_t ScalingFactor() const;
    void SetScalingFactor(std::uint16_t v);
    std::uint16_t StartingPage() const;
    void SetStartingPage(std::uint16_t v);
    std::uint16_t Resolution() const;
    void SetResolution(std::uint16_t v);
    // The low byte of the SETUP paper-size field.
    TPaperSize PaperSize() const;
    void SetPaperSize(TPaperSize v);
    double HeaderMargin() const;  // inches
    void SetHeaderMargin(double v);
    double FooterMargin() const;
    void SetFooterMargin(double v);
    // The first five in the SETUP option word (written from 0), the others
    // in PRINTHEADERS, PRINTGRIDLINES, HCENTER and VCENTER.
    TPrintSetupOptions Options() const;
    void SetOptions(TPrintSetupOptions v);

    WideString Header;
    WideString Footer;
    // Inches; -1.0 means not set.
    double MarginLeft = -1.0;
    double MarginRight = -1.0;
    double MarginTop = -1.0;
    double MarginBottom = -1.0;

    double MarginLeftCm() const { return MarginLeft * 2.54; }
    void SetMarginLeftCm(double cm) { MarginLeft = cm / 2.54; }
    double MarginRightCm() const { return MarginRight * 2.54; }
    void SetMarginRightCm(double cm) { MarginRight = cm / 2.54; }
    double MarginTopCm() const { return MarginTop * 2.54; }
    void SetMarginTopCm(double cm) { MarginTop = cm / 2.54; }
    double MarginBottomCm() const { return MarginBottom * 2.54; }
    void SetMarginBottomCm(double cm) { MarginBottom = cm / 2.54; }

    std::vector<THorizPagebreak> HorizPagebreaks;
    std::vector<TVertPagebreak> VertPagebreaks;
    THorizPagebreak& AddHorizPagebreak() { return HorizPagebreaks.emplace_back(); }
    TVertPagebreak& AddVertPagebreak() { return VertPagebreaks.emplace_back(); }

private:
    std::uint16_t setupWord(std::size_t offset) const;
    void setSetupWord(std::size_t offset, std::uint16_t v);

    TRecordStorageSheet& records_;
    TPaperSize defaultPaperSize_;
};

// The SELECTION record's active cell and its one range.
class TSelection {
public:
    explicit TSelection(TRecordStorageSheet& records) : records_(records) {}

    // All six values 0.
    void Reset();

    std::uint16_t ActiveRow() const;
    void SetActiveRow(std::uint16_t v);
    std::uint16_t ActiveCol() const;
    void SetActiveCol(std::uint16_t v);
    std::uint16_t Row1() const;
    void SetRow1(std::uint16_t v);
    std::uint16_t Row2() const;
    void SetRow2(std::uint16_t v);
    std::uint8_t Col1() const;
    void SetCol1(std::uint8_t v);
    std::uint8_t Col2() const;
    void SetCol2(std::uint8_t v);

private:
    TRecordStorageSheet& records_;
};

}  // namespace vesk
