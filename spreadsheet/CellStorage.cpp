#include "CellStorage.h"

#include <algorithm>

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
TCellStorage::~TCellStorage() = default;

TCell* TCellStorage::Find(std::uint32_t Key)
{
    Key &= 0xFFFFFF;
    if (cache_ && cache_->Key == Key)
        return cache_;
    KeyParts p = split(Key);
    Level2* l2 = root_[p.i1].get();
    if (!l2)
        return nullptr;
    Level3* l3 = (*l2)[p.i2].get();
    if (!l3)
        return nullptr;
    Level4* l4 = (*l3)[p.i3].get();
    if (!l4)
        return nullptr;
    TCell* cell = (*l4)[p.i4].get();
    if (cell)
        cache_ = cell;
    return cell;
}

void TCellStorage::Insert(std::uint32_t Key, std::unique_ptr<TCell> Cell)
{
    Key &= 0xFFFFFF;
    KeyParts p = split(Key);
    auto& l2 = root_[p.i1];
    if (!l2)
        l2 = std::make_unique<Level2>();
    auto& l3 = (*l2)[p.i2];
    if (!l3)
        l3 = std::make_unique<Level3>();
    auto& l4 = (*l3)[p.i3];
    if (!l4)
        l4 = std::make_unique<Level4>();
    std::unique_ptr<TCell>& slot = (*l4)[p.i4];
    if (slot && Cell)
        Cell->FormatIndex = slot->FormatIndex;
    if (Cell)
        Cell->Key = Key;
    slot = std::move(Cell);  // frees the old cell
    cache_ = slot.get();
}

void TCellStorage::Clear()
{
    cache_ = nullptr;
    for (auto& l2 : root_)
        l2.reset();
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
        const Level2* l2 = root_[a].get();
        if (!l2)
            continue;
        anyBlock = true;
        for (unsigned b = 0; b < 256; ++b) {
            const Level3* l3 = (*l2)[b].get();
            if (!l3)
                continue;
            for (unsigned c = 0; c < 16; ++c) {
                const Level4* l4 = (*l3)[c].get();
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
        const Level2* l2 = root_[i1_].get();
        if (!l2)
            continue;
        for (; i2_ < 256; ++i2_, i3_ = 0) {
            const Level3* l3 = (*l2)[i2_].get();
            if (!l3)
                continue;
            for (; i3_ < 16; ++i3_, i4_ = 0) {
                const Level4* l4 = (*l3)[i3_].get();
                if (!l4)
                    continue;
                for (; i4_ < 16; ++i4_) {
                    if (TCell* cell = (*l4)[i4_].get()) {
                        ++i4_;
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
    const Level2* l2 = root_[i1_].get();
    if (!l2 || i2_ >= 256)
        return nullptr;
    const Level3* l3 = (*l2)[i2_].get();
    if (!l3)
        return nullptr;
    const Level4* l4 = (*l3)[i3].get();
    if (!l4)
        return nullptr;
    TCell* cell = (*l4)[i4].get();
    if (!cell || cell->CellType() != ctBlank)
        return nullptr;
    i3_ = i3;
    i4_ = i4 + 1;
    return cell;
}

}  // namespace vesk
