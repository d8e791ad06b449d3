#include "CellStorage.h"

#include <algorithm>
#include <mutex>

namespace vesk {

namespace {

struct KeyParts {
    unsigned i1, i2, i3, i4;
};

KeyParts split(std::uint32_t key)
{
    return {(key >> 16) & 0xFF, (key >> 8) & 0xFF, (key >> 4) & 0x0F, key & 0x0F};
}

}  // namespace

TCellStorage::TCellStorage() = default;

TCellStorage::~TCellStorage() { Clear(); }

namespace {

// Blocks of 64 KB. Those of a cleared storage wait (up to 16 MB) for the
// next one rather than going back to the system, which would hand them out
// again as fresh pages to be faulted in one by one.
constexpr std::size_t BlockUnits = 8192;
constexpr std::size_t KeptBlocks = 256;

struct BlockPool {
    std::mutex lock;
    std::vector<std::unique_ptr<std::uint64_t[]>> blocks;
};

BlockPool& blockPool()
{
    static BlockPool* pool = new BlockPool;  // outlives every storage
    return *pool;
}

}  // namespace

void* TCellStorage::allocate(std::size_t size)
{
    const std::size_t units = (size + 7) / 8;
    if (units < MaxPooled && free_[units]) {
        void* piece = free_[units];
        free_[units] = *static_cast<void**>(piece);
        return piece;
    }
    if (blocks_.empty() || blockUsed_ + units > BlockUnits) {
        std::unique_ptr<std::uint64_t[]> block;
        BlockPool& pool = blockPool();
        {
            std::lock_guard<std::mutex> hold(pool.lock);
            if (!pool.blocks.empty()) {
                block = std::move(pool.blocks.back());
                pool.blocks.pop_back();
            }
        }
        if (!block)
            block = std::make_unique_for_overwrite<std::uint64_t[]>(BlockUnits);
        blocks_.push_back(std::move(block));
        blockUsed_ = 0;
    }
    void* piece = blocks_.back().get() + blockUsed_;
    blockUsed_ += units;
    return piece;
}

template <class L>
L* TCellStorage::level()
{
    return new (allocate(sizeof(L))) L{};
}

void TCellStorage::release(TCell* cell)
{
    if (!cell)
        return;
    if (cell == cache_)
        cache_ = nullptr;
    const std::size_t units = cell->pooledSize_;
    if (units == 0) {
        delete cell;
        return;
    }
    cell->~TCell();
    *reinterpret_cast<void**>(cell) = free_[units];
    free_[units] = cell;
}

TCell* TCellStorage::Find(std::uint32_t Key)
{
    Key &= 0xFFFFFF;
    if (cache_ && cache_->Key == Key)
        return cache_;
    KeyParts p = split(Key);
    Level2* l2 = root_[p.i1];
    if (!l2)
        return nullptr;
    Level3* l3 = (*l2)[p.i2];
    if (!l3)
        return nullptr;
    Level4* l4 = (*l3)[p.i3];
    if (!l4)
        return nullptr;
    TCell* cell = (*l4)[p.i4];
    if (cell)
        cache_ = cell;
    return cell;
}

void TCellStorage::Insert(std::uint32_t Key, std::unique_ptr<TCell> Cell)
{
    if (Cell)
        Cell->pooledSize_ = 0;
    place(Key, Cell.release());
}

void TCellStorage::place(std::uint32_t Key, TCell* Cell)
{
    Key &= 0xFFFFFF;
    KeyParts p = split(Key);
    Level2*& l2 = root_[p.i1];
    if (!l2)
        l2 = level<Level2>();
    Level3*& l3 = (*l2)[p.i2];
    if (!l3)
        l3 = level<Level3>();
    Level4*& l4 = (*l3)[p.i3];
    if (!l4)
        l4 = level<Level4>();
    TCell*& slot = (*l4)[p.i4];
    if (slot && Cell)
        Cell->FormatIndex = slot->FormatIndex;
    if (Cell)
        Cell->Key = Key;
    if (slot != Cell)
        release(slot);
    slot = Cell;
    cache_ = slot;
}

void TCellStorage::Clear()
{
    cache_ = nullptr;
    // Cells of the blocks whose members own nothing need no destructor.
    for (Level2* l2 : root_) {
        if (!l2)
            continue;
        for (Level3* l3 : *l2) {
            if (!l3)
                continue;
            for (Level4* l4 : *l3) {
                if (!l4)
                    continue;
                for (TCell* cell : *l4) {
                    if (!cell)
                        continue;
                    if (cell->pooledSize_ == 0)
                        delete cell;
                    else if ((cell->CellType() & 127) >= ctNumberFormula)
                        cell->~TCell();
                }
            }
        }
    }
    root_.fill(nullptr);
    {
        BlockPool& pool = blockPool();
        std::lock_guard<std::mutex> hold(pool.lock);
        while (!blocks_.empty() && pool.blocks.size() < KeptBlocks) {
            pool.blocks.push_back(std::move(blocks_.back()));
            blocks_.pop_back();
        }
    }
    blocks_.clear();
    blockUsed_ = 0;
    free_.fill(nullptr);
    i1_ = i2_ = i3_ = i4_ = 0;
}

void TCellStorage::CalcBounds()
{
    FirstCol = 255;
    LastCol = 0;
    FirstRow = 65535;
    LastRow = 0;
    bool anyBlock = false;
    for (unsigned a = 0; a < 256; ++a) {
        const Level2* l2 = root_[a];
        if (!l2)
            continue;
        anyBlock = true;
        for (unsigned b = 0; b < 256; ++b) {
            const Level3* l3 = (*l2)[b];
            if (!l3)
                continue;
            for (unsigned c = 0; c < 16; ++c) {
                const Level4* l4 = (*l3)[c];
                if (!l4)
                    continue;
                for (unsigned d = 0; d < 16; ++d) {
                    if (!(*l4)[d])
                        continue;
                    std::int32_t col = static_cast<std::int32_t>(c * 16 + d);
                    std::int32_t row = static_cast<std::int32_t>(a * 256 + b);
                    FirstCol = std::min(FirstCol, col);
                    LastCol = std::max(LastCol, col);
                    FirstRow = std::min(FirstRow, row);
                    LastRow = std::max(LastRow, row);
                }
            }
        }
    }
    if (!anyBlock) {
        FirstCol = 0;
        FirstRow = 0;
    }
}

void TCellStorage::BeginIterate()
{
    i1_ = i2_ = i3_ = i4_ = 0;
}

TCell* TCellStorage::Next()
{
    for (; i1_ < 256; ++i1_, i2_ = 0) {
        const Level2* l2 = root_[i1_];
        if (!l2)
            continue;
        for (; i2_ < 256; ++i2_, i3_ = 0) {
            const Level3* l3 = (*l2)[i2_];
            if (!l3)
                continue;
            for (; i3_ < 16; ++i3_, i4_ = 0) {
                const Level4* l4 = (*l3)[i3_];
                if (!l4)
                    continue;
                for (; i4_ < 16; ++i4_) {
                    if (TCell* cell = (*l4)[i4_]) {
                        ++i4_;
                        cache_ = cell;  // the cell visited is the one looked up next
                        return cell;
                    }
                }
            }
        }
    }
    return nullptr;
}

TCell* TCellStorage::NextBlank()
{
    unsigned i3 = i3_, i4 = i4_;
    if (i4 >= 16) {
        i4 = 0;
        ++i3;
    }
    if (i1_ >= 256 || i3 >= 16)
        return nullptr;
    const Level2* l2 = root_[i1_];
    if (!l2 || i2_ >= 256)
        return nullptr;
    const Level3* l3 = (*l2)[i2_];
    if (!l3)
        return nullptr;
    const Level4* l4 = (*l3)[i3];
    if (!l4)
        return nullptr;
    TCell* cell = (*l4)[i4];
    if (!cell || cell->CellType() != ctBlank)
        return nullptr;
    i3_ = i3;
    i4_ = i4 + 1;
    return cell;
}

}  // namespace vesk
