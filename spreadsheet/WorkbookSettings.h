// The workbook's own settings: the workbook window (WINDOW1), the
// calculation options, the kept style records and the chart sheets.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "OptionSet.h"
#include "RecordStorageMini.h"

namespace vesk {

enum TWorkbookOption : std::uint8_t { woHidden, woIconized, woHScroll, woVScroll, woTabs };
using TWorkbookOptions = TOptionSet<TWorkbookOption>;

// The WINDOW1 record's fields.
class TWorkbookData {
public:
    explicit TWorkbookData(TRecordStorageGlobals& globals) : globals_(globals) {}

    std::uint16_t Left() const;
    void SetLeft(std::uint16_t v);
    std::uint16_t Top() const;
    void SetTop(std::uint16_t v);
    std::uint16_t Width() const;
    void SetWidth(std::uint16_t v);
    std::uint16_t Height() const;
    void SetHeight(std::uint16_t v);
    std::uint16_t SelectedTab() const;
    void SetSelectedTab(std::uint16_t v);
    // Writing sets the word to exactly the bits of the set.
    TWorkbookOptions Options() const;
    void SetOptions(TWorkbookOptions v);

private:
    TRecordStorageGlobals& globals_;
};

enum TShowObjects : std::uint8_t { soShowAll, soPlaceholders, soHideAll };
enum TCalcMode : std::uint8_t { cmManual, cmAutomatic, cmAutoExTables };

// The calculation options: three of them live in the globals' records, the
// others are fields exchanged with every sheet's calculation records.
class TOptionsDialog {
public:
    explicit TOptionsDialog(TRecordStorageGlobals& globals) : globals_(globals) {}

    bool SaveExtLinkVal() const;  // BOOKBOOL = 1
    void SetSaveExtLinkVal(bool v);
    TShowObjects ShowObjects() const;  // HIDEOBJ 0, 1, 2
    void SetShowObjects(TShowObjects v);
    bool PrecisionAsDisplayed() const;  // PRECISION = 1
    void SetPrecisionAsDisplayed(bool v);

    std::uint16_t CalcCount = 100;
    TCalcMode CalcMode = cmAutomatic;
    double Delta = 0.001;
    bool Iteration = false;
    bool R1C1Mode = false;
    bool RecalcBeforeSave = false;
    bool Uncalced = false;
    bool SaveRecalc = true;

    // From a sheet's CALCMODE, CALCCOUNT, DELTA, REFMODE, ITERATION and
    // SAVERECALC; a CALCMODE other than 0, 1 and 0xFFFF leaves CalcMode.
    void LoadFrom(const TRecordStorageSheet& sheet);
    // Into a sheet's CALCMODE, CALCCOUNT, REFMODE, ITERATION and SAVERECALC
    // (DELTA keeps its value).
    void StoreTo(TRecordStorageSheet& sheet) const;

private:
    TRecordStorageGlobals& globals_;
};

// The style records of a read workbook, written back by the writer.
class TStyles : public TBaseRecordStorage {};

// The chart sheets of a workbook.
class TSheetCharts {
public:
    // A new chart named "Chart".
    TSheetChart& Add();
    std::size_t Count() const { return charts_.size(); }
    TSheetChart& Items(std::size_t index) const { return *charts_.at(index); }
    void Clear() { charts_.clear(); }

private:
    std::vector<std::unique_ptr<TSheetChart>> charts_;
};

}  // namespace vesk
