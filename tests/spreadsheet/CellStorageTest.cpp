#include "CellStorage.h"
#include "SSTMini.h"
#include "XLSUtilsMini.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

namespace vesk {
namespace {

std::uint32_t key(unsigned col, unsigned row)
{
    return CellKey(static_cast<int>(col), static_cast<int>(row));
}

std::unique_ptr<TCell> blank(std::uint16_t xf = 0)
{
    return std::make_unique<TBlankCell>(0, xf);
}

std::unique_ptr<TCell> number(double v, std::uint16_t xf = 0)
{
    return std::make_unique<TFloatCell>(0, xf, v);
}

std::vector<std::uint32_t> keysInOrder(TCellStorage& s)
{
    std::vector<std::uint32_t> keys;
    s.BeginIterate();
    while (TCell* c = s.Next())
        keys.push_back(c->Key);
    return keys;
}

TEST(CellStorage, IteratesRowByRowThenByColumn)
{
    TCellStorage s;
    s.Insert(key(1, 1), number(1));  // B2
    s.Insert(key(0, 2), number(2));  // A3
    s.Insert(key(0, 1), number(3));  // A2
    EXPECT_EQ(keysInOrder(s), (std::vector<std::uint32_t>{key(0, 1), key(1, 1), key(0, 2)}));
}

TEST(CellStorage, RandomKeysComeStrictlyIncreasing)
{
    std::mt19937 gen(7);
    std::uniform_int_distribution<unsigned> col(0, 255), row(0, 65535);
    TCellStorage s;
    std::set<std::uint32_t> expected;
    for (int i = 0; i < 3000; ++i) {
        std::uint32_t k = key(col(gen), row(gen));
        expected.insert(k);
        s.Insert(k, number(i));
    }
    std::vector<std::uint32_t> got = keysInOrder(s);
    EXPECT_EQ(got, std::vector<std::uint32_t>(expected.begin(), expected.end()));
    EXPECT_EQ(s.Next(), nullptr);  // stays at the end
}

struct BoundsCase {
    std::vector<std::pair<unsigned, unsigned>> cells;  // col, row
    std::int32_t firstCol, lastCol, firstRow, lastRow;
};

TEST(CellStorage, Bounds)
{
    const BoundsCase cases[] = {
        {{}, 0, 0, 0, 0},
        {{{0, 0}}, 0, 0, 0, 0},
        {{{255, 3}}, 255, 255, 3, 3},
        {{{4, 65535}}, 4, 4, 65535, 65535},
        {{{7, 9}, {2, 300}, {200, 12}}, 2, 200, 9, 300},
    };
    for (const BoundsCase& c : cases) {
        TCellStorage s;
        for (auto [col, row] : c.cells)
            s.Insert(key(col, row), number(1));
        s.CalcBounds();
        EXPECT_EQ(s.FirstCol, c.firstCol);
        EXPECT_EQ(s.LastCol, c.lastCol);
        EXPECT_EQ(s.FirstRow, c.firstRow);
        EXPECT_EQ(s.LastRow, c.lastRow);
    }
}

TEST(CellStorage, ColumnBeyond255WrapsInTheKey)
{
    TCellStorage s;
    s.Insert(key(300, 0), number(5));
    ASSERT_NE(s.Find(key(44, 0)), nullptr);
    EXPECT_EQ(s.Find(key(44, 0))->Key, 44u);
}

TEST(CellStorage, ReplacingKeepsTheOldFormatAndFreesTheOldCell)
{
    TCellStorage s;
    s.Insert(key(2, 2), number(1, 20));
    TCell* old = s.Find(key(2, 2));
    ASSERT_NE(old, nullptr);
    s.Insert(key(2, 2), number(2, 15));
    TCell* now = s.Find(key(2, 2));
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now->FormatIndex, 20);
    EXPECT_EQ(static_cast<TFloatCell*>(now)->Value, 2.0);
    // A fresh slot keeps the cell's own format.
    s.Insert(key(3, 2), number(3, 15));
    EXPECT_EQ(s.Find(key(3, 2))->FormatIndex, 15);
}

TEST(CellStorage, CacheNeverHandsOutAFreedCell)
{
    TCellStorage s;
    s.Insert(key(1, 1), number(1));
    ASSERT_NE(s.Find(key(1, 1)), nullptr);
    s.Insert(key(1, 1), nullptr);
    EXPECT_EQ(s.Find(key(1, 1)), nullptr);

    s.Insert(key(1, 1), number(1));
    s.Insert(key(5, 5), number(2));
    ASSERT_NE(s.Find(key(1, 1)), nullptr);  // cached
    s.Insert(key(1, 1), number(3));         // frees the cached cell
    ASSERT_NE(s.Find(key(1, 1)), nullptr);
    EXPECT_EQ(static_cast<TFloatCell*>(s.Find(key(1, 1)))->Value, 3.0);

    ASSERT_NE(s.Find(key(5, 5)), nullptr);
    s.Clear();
    EXPECT_EQ(s.Find(key(5, 5)), nullptr);
    EXPECT_EQ(s.Find(key(1, 1)), nullptr);
    s.BeginIterate();
    EXPECT_EQ(s.Next(), nullptr);
}

TEST(CellStorage, NextBlankFollowsAdjacentBlanksOnly)
{
    // Row 4: blanks in columns 14..17 (across the 16-column group end), a
    // number at 18, then a blank at 19; a gap after it.
    TCellStorage s;
    for (unsigned c = 14; c <= 17; ++c)
        s.Insert(key(c, 4), blank(static_cast<std::uint16_t>(c)));
    s.Insert(key(18, 4), number(1));
    s.Insert(key(19, 4), blank());
    s.Insert(key(21, 4), blank());
    s.Insert(key(255, 4), blank());
    s.Insert(key(0, 5), blank());

    s.BeginIterate();
    TCell* first = s.Next();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Key, key(14, 4));
    std::vector<std::uint32_t> run;
    while (TCell* b = s.NextBlank())
        run.push_back(b->Key);
    EXPECT_EQ(run, (std::vector<std::uint32_t>{key(15, 4), key(16, 4), key(17, 4)}));
    TCell* num = s.Next();  // the number stops the run and comes next
    ASSERT_NE(num, nullptr);
    EXPECT_EQ(num->Key, key(18, 4));
    EXPECT_EQ(s.NextBlank()->Key, key(19, 4));
    EXPECT_EQ(s.NextBlank(), nullptr);  // gap at 20
    EXPECT_EQ(s.Next()->Key, key(21, 4));
    EXPECT_EQ(s.Next()->Key, key(255, 4));
    EXPECT_EQ(s.NextBlank(), nullptr);  // past column 255: never the next row
    EXPECT_EQ(s.Next()->Key, key(0, 5));
    EXPECT_EQ(s.Next(), nullptr);
}

TEST(CellStorage, NextBlankStopsAtAMissingGroup)
{
    TCellStorage s;
    s.Insert(key(15, 0), blank());
    s.Insert(key(32, 0), blank());
    s.BeginIterate();
    EXPECT_EQ(s.Next()->Key, key(15, 0));
    EXPECT_EQ(s.NextBlank(), nullptr);
    EXPECT_EQ(s.Next()->Key, key(32, 0));
}

TEST(Cell, CopiesKeepKeyFormatAndValueButNotCachedResults)
{
    TFloatCell f(key(1, 2), 7, 2.5);
    auto fc = f.MakeCopy();
    ASSERT_NE(fc, nullptr);
    EXPECT_EQ(fc->CellType(), ctFloat);
    EXPECT_EQ(fc->Key, key(1, 2));
    EXPECT_EQ(fc->FormatIndex, 7);
    EXPECT_EQ(static_cast<TFloatCell&>(*fc).Value, 2.5);

    EXPECT_EQ(TBooleanCell(1, 2, 1).MakeCopy()->CellType(), ctBoolean);
    EXPECT_EQ(static_cast<TErrorCell&>(*TErrorCell(1, 2, 5).MakeCopy()).ErrorIndex, 5);
    EXPECT_EQ(TBlankCell(1, 2).MakeCopy()->CellType(), ctBlank);

    TSSTMini sst;
    TSSTEntry* entry = sst.AddText(u"Zysk netto");
    ASSERT_EQ(entry->RefCount, 1u);
    {
        TStringCell sc(key(0, 1), 15, entry);
        auto scc = sc.MakeCopy();
        EXPECT_EQ(scc->CellType(), ctString);
        EXPECT_EQ(static_cast<TStringCell&>(*scc).Entry, entry);
        EXPECT_EQ(entry->RefCount, 2u);
    }
    EXPECT_EQ(entry->RefCount, 2u);  // freeing cells leaves the entry alone
    EXPECT_EQ(TSSTMini::Text(*entry), u"Zysk netto");

    const std::vector<std::uint8_t> tokens = {0x1E, 0x01, 0x00};
    TNumberFormulaCell n(3, 4, tokens, 42.0);
    auto nc = n.MakeCopy();
    EXPECT_EQ(nc->CellType(), ctNumberFormula);
    EXPECT_EQ(static_cast<TNumberFormulaCell&>(*nc).Tokens, tokens);
    EXPECT_EQ(static_cast<TNumberFormulaCell&>(*nc).Value, 0.0);

    TStringFormulaCell s(3, 4, tokens, u"wynik");
    EXPECT_TRUE(static_cast<TStringFormulaCell&>(*s.MakeCopy()).Value.empty());
    TBooleanFormulaCell b(3, 4, tokens, 1);
    EXPECT_EQ(static_cast<TBooleanFormulaCell&>(*b.MakeCopy()).Value, 0);
    TErrorFormulaCell e(3, 4, tokens, 3);
    EXPECT_EQ(static_cast<TErrorFormulaCell&>(*e.MakeCopy()).ErrorIndex, 0);

    const std::vector<std::uint8_t> array = {0x00, 0x00, 0x00};
    TArrayFormulaCell a(3, 4, tokens, array, 9.0);
    auto ac = a.MakeCopy();
    auto& acr = static_cast<TArrayFormulaCell&>(*ac);
    EXPECT_EQ(acr.CellType(), ctArrayFormula);
    EXPECT_EQ(acr.Tokens, tokens);
    EXPECT_EQ(acr.ArrayTokens, array);
    EXPECT_EQ(acr.Value, 0.0);
    EXPECT_EQ(acr.FormatIndex, 4);
}

}  // namespace
}  // namespace vesk
