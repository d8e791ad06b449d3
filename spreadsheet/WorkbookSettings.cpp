#include "WorkbookSettings.h"

#include "RecordFields.h"

namespace vesk {

namespace {

constexpr std::size_t w1Left = 0;
constexpr std::size_t w1Top = 2;
constexpr std::size_t w1Width = 4;
constexpr std::size_t w1Height = 6;
constexpr std::size_t w1Options = 8;
constexpr std::size_t w1SelectedTab = 10;

const std::uint16_t window1Bits[] = {0x01, 0x02, 0x08, 0x10, 0x20};  // by TWorkbookOption

}  // namespace

std::uint16_t TWorkbookData::Left() const { return fieldU16(globals_.Window1(), w1Left); }
void TWorkbookData::SetLeft(std::uint16_t v) { setFieldU16(globals_.Window1(), w1Left, v); }
std::uint16_t TWorkbookData::Top() const { return fieldU16(globals_.Window1(), w1Top); }
void TWorkbookData::SetTop(std::uint16_t v) { setFieldU16(globals_.Window1(), w1Top, v); }
std::uint16_t TWorkbookData::Width() const { return fieldU16(globals_.Window1(), w1Width); }
void TWorkbookData::SetWidth(std::uint16_t v) { setFieldU16(globals_.Window1(), w1Width, v); }
std::uint16_t TWorkbookData::Height() const { return fieldU16(globals_.Window1(), w1Height); }
void TWorkbookData::SetHeight(std::uint16_t v) { setFieldU16(globals_.Window1(), w1Height, v); }
std::uint16_t TWorkbookData::SelectedTab() const { return fieldU16(globals_.Window1(), w1SelectedTab); }
void TWorkbookData::SetSelectedTab(std::uint16_t v) { setFieldU16(globals_.Window1(), w1SelectedTab, v); }

TWorkbookOptions TWorkbookData::Options() const
{
    std::uint16_t word = fieldU16(globals_.Window1(), w1Options);
    TWorkbookOptions set;
    for (std::uint8_t i = 0; i < 5; ++i)
        if (word & window1Bits[i])
            set.Include(static_cast<TWorkbookOption>(i));
    return set;
}

void TWorkbookData::SetOptions(TWorkbookOptions v)
{
    std::uint16_t word = 0;
    for (std::uint8_t i = 0; i < 5; ++i)
        if (v.Contains(static_cast<TWorkbookOption>(i)))
            word |= window1Bits[i];
    setFieldU16(globals_.Window1(), w1Options, word);
}

bool TOptionsDialog::SaveExtLinkVal() const { return globals_.BookBool(); }
void TOptionsDialog::SetSaveExtLinkVal(bool v) { globals_.SetBookBool(v); }

TShowObjects TOptionsDialog::ShowObjects() const
{
    std::uint16_t v = globals_.HideObj();
    return v == 1 ? soPlaceholders : v == 2 ? soHideAll : soShowAll;
}

void TOptionsDialog::SetShowObjects(TShowObjects v)
{
    globals_.SetHideObj(v);
}

bool TOptionsDialog::PrecisionAsDisplayed() const { return globals_.Precision(); }
void TOptionsDialog::SetPrecisionAsDisplayed(bool v) { globals_.SetPrecision(v); }

void TOptionsDialog::LoadFrom(const TRecordStorageSheet& sheet)
{
    switch (sheet.CalcMode()) {
    case 0: CalcMode = cmManual; break;
    case 1: CalcMode = cmAutomatic; break;
    case 0xFFFF: CalcMode = cmAutoExTables; break;
    default: break;
    }
    CalcCount = sheet.CalcCount();
    Delta = sheet.Delta();
    R1C1Mode = sheet.RefMode() == 0;
    Iteration = sheet.Iteration();
    SaveRecalc = sheet.SaveRecalc();
}

void TOptionsDialog::StoreTo(TRecordStorageSheet& sheet) const
{
    sheet.SetCalcMode(CalcMode == cmManual ? 0 : CalcMode == cmAutomatic ? 1 : 0xFFFF);
    sheet.SetCalcCount(CalcCount);
    sheet.SetRefMode(R1C1Mode ? 0 : 1);
    sheet.SetIteration(Iteration);
    sheet.SetSaveRecalc(SaveRecalc);
}

TSheetChart& TSheetCharts::Add()
{
    auto chart = std::make_unique<TSheetChart>();
    chart->Name = u"Chart";
    charts_.push_back(std::move(chart));
    return *charts_.back();
}

}  // namespace vesk
