// The cells of one sheet in a sparse four-level tree addressed by the cell
// key (column in bits 0-7, row in bits 8-23): row div 256, row mod 256,
// column div 16, column mod 16. Blocks are made on first use and kept until
// Clear; the storage owns its cells. Iteration is row-major.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "Cell.h"

namespace vesk {

class TCellStorage {
public:
    TCellStorage();
    ~TCellStorage();
    TCellStorage(const TCellStorage&) = delete;
    TCellStorage& operator=(const TCellStorage&) = delete;

    // The cell stored at Key, nullptr when none. Bits above 23 are ignored.
    TCell* Find(std::uint32_t Key);
    // Stores Cell at Key (its Key is set to it). A different cell already
    // there is freed and Cell takes its format index; nullptr empties the slot.
    void Insert(std::uint32_t Key, std::unique_ptr<TCell> Cell);
    void Clear();

    // Fills the four bounds from the stored cells; an empty storage gives
    // 0, 0, 0, 0.
    void CalcBounds();
    std::int32_t FirstCol = 0;
    std::int32_t LastCol = 0;
    std::int32_t FirstRow = 0;
    std::int32_t LastRow = 0;

    void BeginIterate();
    // The next stored cell in key order, nullptr at the end.
    TCell* Next();
    // The blank cell in the column right after the last one returned, in the
    // same row; nullptr (cursor unchanged) for any other slot.
    TCell* NextBlank();

private:
    using Level4 = std::array<std::unique_ptr<TCell>, 16>;
    using Level3 = std::array<std::unique_ptr<Level4>, 16>;
    using Level2 = std::array<std::unique_ptr<Level3>, 256>;

    std::array<std::unique_ptr<Level2>, 256> root_;
    TCell* cache_ = nullptr;
    // Iteration cursor: row div 256, row mod 256, column div 16, column mod 16.
    unsigned i1_ = 0, i2_ = 0, i3_ = 0, i4_ = 0;
};

}  // namespace vesk
