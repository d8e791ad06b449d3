// The cells of one sheet in a sparse four-level tree addressed by the cell
// key (column in bits 0-7, row in bits 8-23): row div 256, row mod 256,
// column div 16, column mod 16. Blocks are made on first use and kept until
// Clear; the storage owns its cells, made in its own blocks (Emplace) or
// handed over from the heap (Insert). Iteration is row-major.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

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
    // As Insert, for a cell made in the storage's own blocks (no heap object
    // per cell); the cell stays valid until replaced or cleared.
    template <class C, class... A>
    C& Emplace(std::uint32_t Key, A&&... args) {
        static_assert(sizeof(C) % 8 == 0 && sizeof(C) / 8 < MaxPooled && alignof(C) <= 8);
        C* cell = new (allocate(sizeof(C))) C(std::forward<A>(args)...);
        cell->pooledSize_ = static_cast<std::uint8_t>(sizeof(C) / 8);
        place(Key, cell);
        return *cell;
    }
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
    using Level4 = std::array<TCell*, 16>;
    using Level3 = std::array<Level4*, 16>;
    using Level2 = std::array<Level3*, 256>;
    static constexpr std::size_t MaxPooled = 32;

    void place(std::uint32_t Key, TCell* cell);
    void release(TCell* cell);
    // Bytes from the blocks (8-aligned): a freed piece of that size, else
    // the next piece of the current block. Tree levels come zeroed.
    void* allocate(std::size_t size);
    template <class L>
    L* level();

    std::array<Level2*, 256> root_{};
    std::vector<std::unique_ptr<std::uint64_t[]>> blocks_;
    std::size_t blockUsed_ = 0;    // 8-byte units of the last block
    std::array<void*, MaxPooled> free_{};  // freed pieces by 8-byte units
    TCell* cache_ = nullptr;
    // Iteration cursor: row div 256, row mod 256, column div 16, column mod 16.
    unsigned i1_ = 0, i2_ = 0, i3_ = 0, i4_ = 0;
};

}  // namespace vesk
