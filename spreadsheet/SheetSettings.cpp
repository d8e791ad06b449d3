#include "SheetSettings.h"

#include "BIFFRecsMini.h"
#include "RecordFields.h"

namespace vesk {

namespace {

struct Bit {
    std::uint8_t option;
    std::uint16_t mask;
};

const Bit window2Bits[] = {{soShowFormulas, 0x0001}, {soGridlines, 0x0002}, {soRowColHeadings, 0x0004},
                           {soFrozenPanes, 0x0008},  {soShowZeros, 0x0010}};
const Bit wsboolBits[] = {{woShowAutoBreaks, 0x0001}, {woApplyStyles, 0x0020}, {woRowSumsBelow, 0x0040},
                          {woColSumsRight, 0x0080},   {woFitToPage, 0x0100},   {woOutlineSymbols, 0x0400}};
const Bit setupBits[] = {{psoLeftToRight, 0x0001}, {psoPortrait, 0x0002}, {psoNoColor, 0x0008},
                         {psoDraftQuality, 0x0010}, {psoNotes, 0x0020}};

template <typename E, std::size_t N>
TOptionSet<E> fromWord(std::uint16_t word, const Bit (&bits)[N])
{
    TOptionSet<E> set;
    for (const Bit& b : bits)
        if (word & b.mask)
            set.Include(static_cast<E>(b.option));
    return set;
}

template <typename E, std::size_t N>
std::uint16_t toWord(std::uint16_t start, TOptionSet<E> set, const Bit (&bits)[N])
{
    for (const Bit& b : bits)
        if (set.Contains(static_cast<E>(b.option)))
            start |= b.mask;
    return start;
}

// SETUP fields.
constexpr std::size_t setupPaperSize = 0;
constexpr std::size_t setupScale = 2;
constexpr std::size_t setupStartPage = 4;
constexpr std::size_t setupOptions = 10;
constexpr std::size_t setupResolution = 12;
constexpr std::size_t setupHeaderMargin = 16;
constexpr std::size_t setupFooterMargin = 24;
constexpr std::size_t setupCopies = 32;

// SELECTION fields.
constexpr std::size_t selActiveRow = 1;
constexpr std::size_t selActiveCol = 3;
constexpr std::size_t selRow1 = 9;
constexpr std::size_t selRow2 = 11;
constexpr std::size_t selCol1 = 13;
constexpr std::size_t selCol2 = 14;

}  // namespace

TSheetOptions SheetOptions(const TRecordStorageSheet& records)
{
    return fromWord<TSheetOption>(fieldU16(records.Window2(), 0), window2Bits);
}

void SetSheetOptions(TRecordStorageSheet& records, TSheetOptions options)
{
    setFieldU16(records.Window2(), 0, toWord(0x04A0, options, window2Bits));
}

TWorkspaceOptions WorkspaceOptions(const TRecordStorageSheet& records)
{
    return fromWord<TWorkspaceOption>(records.WsBool(), wsboolBits);
}

void SetWorkspaceOptions(TRecordStorageSheet& records, TWorkspaceOptions options)
{
    std::uint16_t others = records.WsBool();
    for (const Bit& b : wsboolBits)
        others &= static_cast<std::uint16_t>(~b.mask);
    records.SetWsBool(toWord(others, options, wsboolBits));
}

std::uint16_t DefaultRowHeight(const TRecordStorageSheet& records)
{
    return fieldU16(records.DefaultRowHeight(), 2);
}

void SetDefaultRowHeight(TRecordStorageSheet& records, std::uint16_t height)
{
    setFieldU16(records.DefaultRowHeight(), 2, height);
}

std::uint16_t DefaultColWidth(const TRecordStorageSheet& records)
{
    return records.DefColWidth();
}

void SetDefaultColWidth(TRecordStorageSheet& records, std::uint16_t width)
{
    records.SetDefColWidth(width);
}

TPrintSettings::TPrintSettings(TRecordStorageSheet& records, TPaperSize defaultPaperSize)
    : records_(records), defaultPaperSize_(defaultPaperSize)
{
    Reset();
}

void TPrintSettings::Reset()
{
    SetStartingPage(1);
    SetOptions({psoPortrait});
    MarginLeft = MarginRight = MarginTop = MarginBottom = -1.0;
    SetPaperSize(defaultPaperSize_);
    HorizPagebreaks.clear();
    VertPagebreaks.clear();
}

std::uint16_t TPrintSettings::setupWord(std::size_t offset) const
{
    return fieldU16(records_.Setup(), offset);
}

void TPrintSettings::setSetupWord(std::size_t offset, std::uint16_t v)
{
    setFieldU16(records_.Setup(), offset, v);
}

std::uint16_t TPrintSettings::Copies() const { return setupWord(setupCopies); }
void TPrintSettings::SetCopies(std::uint16_t v) { setSetupWord(setupCopies, v); }
std::uint16_t TPrintSettings::ScalingFactor() const { return setupWord(setupScale); }
void TPrintSettings::SetScalingFactor(std::uint16_t v) { setSetupWord(setupScale, v); }
std::uint16_t TPrintSettings::StartingPage() const { return setupWord(setupStartPage); }
void TPrintSettings::SetStartingPage(std::uint16_t v) { setSetupWord(setupStartPage, v); }
std::uint16_t TPrintSettings::Resolution() const { return setupWord(setupResolution); }
void TPrintSettings::SetResolution(std::uint16_t v) { setSetupWord(setupResolution, v); }

TPaperSize TPrintSettings::PaperSize() const
{
    return static_cast<TPaperSize>(setupWord(setupPaperSize) & 0xFF);
}

void TPrintSettings::SetPaperSize(TPaperSize v)
{
    setSetupWord(setupPaperSize, static_cast<std::uint16_t>(v & 0xFF));
}

double TPrintSettings::HeaderMargin() const { return fieldF64(records_.Setup(), setupHeaderMargin); }
void TPrintSettings::SetHeaderMargin(double v) { setFieldF64(records_.Setup(), setupHeaderMargin, v); }
double TPrintSettings::FooterMargin() const { return fieldF64(records_.Setup(), setupFooterMargin); }
void TPrintSettings::SetFooterMargin(double v) { setFieldF64(records_.Setup(), setupFooterMargin, v); }

TPrintSetupOptions TPrintSettings::Options() const
{
    TPrintSetupOptions set = fromWord<TPrintSetupOption>(setupWord(setupOptions), setupBits);
    if (records_.PrintHeaders())
        set.Include(psoRowColHeading);
    if (records_.PrintGridlines())
        set.Include(psoGridlines);
    if (records_.HCenter())
        set.Include(psoHorizCenter);
    if (records_.VCenter())
        set.Include(psoVertCenter);
    return set;
}

void TPrintSettings::SetOptions(TPrintSetupOptions v)
{
    setSetupWord(setupOptions, toWord(0, v, setupBits));
    records_.SetPrintHeaders(v.Contains(psoRowColHeading));
    records_.SetPrintGridlines(v.Contains(psoGridlines));
    records_.SetHCenter(v.Contains(psoHorizCenter));
    records_.SetVCenter(v.Contains(psoVertCenter));
}

void TSelection::Reset()
{
    SetActiveRow(0);
    SetActiveCol(0);
    SetRow1(0);
    SetRow2(0);
    SetCol1(0);
    SetCol2(0);
}

std::uint16_t TSelection::ActiveRow() const { return fieldU16(records_.Selection(), selActiveRow); }
void TSelection::SetActiveRow(std::uint16_t v) { setFieldU16(records_.Selection(), selActiveRow, v); }
std::uint16_t TSelection::ActiveCol() const { return fieldU16(records_.Selection(), selActiveCol); }
void TSelection::SetActiveCol(std::uint16_t v) { setFieldU16(records_.Selection(), selActiveCol, v); }
std::uint16_t TSelection::Row1() const { return fieldU16(records_.Selection(), selRow1); }
void TSelection::SetRow1(std::uint16_t v) { setFieldU16(records_.Selection(), selRow1, v); }
std::uint16_t TSelection::Row2() const { return fieldU16(records_.Selection(), selRow2); }
void TSelection::SetRow2(std::uint16_t v) { setFieldU16(records_.Selection(), selRow2, v); }
std::uint8_t TSelection::Col1() const { return fieldU8(records_.Selection(), selCol1); }
void TSelection::SetCol1(std::uint8_t v) { setFieldU8(records_.Selection(), selCol1, v); }
std::uint8_t TSelection::Col2() const { return fieldU8(records_.Selection(), selCol2); }
void TSelection::SetCol2(std::uint8_t v) { setFieldU8(records_.Selection(), selCol2, v); }

}  // namespace vesk
