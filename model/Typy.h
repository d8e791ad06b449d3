// Record types shared by the core, the reports and the windows.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ByteView.h"
#include "Real.h"
#include "Tab.h"

namespace vesk {

inline constexpr std::size_t RozmiarStanuModelu = 22480;

// The model-state record of one decision node, kept as its file bytes.
// Header: byte 0 node number (the key), byte 1 parent (255 for the root),
// signed 16-bit year number Y at 2 (the node's years are Y-3..Y-1), byte 4
// simulated flag.
struct StanModelu {
    std::array<std::uint8_t, RozmiarStanuModelu> bajty{};

    std::uint8_t Numer() const { return bajty[0]; }
    std::uint8_t Rodzic() const { return bajty[1]; }
    std::int16_t Rok() const { return widok().i16(2); }
    std::uint8_t Symulowany() const { return bajty[4]; }

    void UstawNumer(std::uint8_t v) { bajty[0] = v; }
    void UstawRodzica(std::uint8_t v) { bajty[1] = v; }
    void UstawRok(std::int16_t v) { zapis().setI16(2, v); }
    void UstawSymulowany(std::uint8_t v) { bajty[4] = v; }

    ByteView widok() const { return ByteView(bajty.data(), bajty.size(), "model-state record"); }
    MutableByteView zapis() { return MutableByteView(bajty.data(), bajty.size(), "model-state record"); }

    bool operator==(const StanModelu&) const = default;
};

// One entry of a node table.
struct WpisWezla {
    std::uint8_t Numer = 0;
    std::uint8_t Rodzic = 0;
    std::int32_t Rok = 0;
    std::uint8_t Symulowany = 0;

    bool operator==(const WpisWezla&) const = default;
};

// The node table of one operator: the path of its model-state file, an
// occupied flag per slot 0..50 and one entry per slot.
struct ZESPOL {
    std::string Sciezka;
    Tab<bool, 0, 50> Zajety;
    Tab<WpisWezla, 0, 50> Wpisy;

    void Oproznij() { *this = ZESPOL{}; }
    bool operator==(const ZESPOL&) const = default;
};

// The selection of one node of the decision tree (set by the main window).
struct TWezel {
    bool Ustawiony = false;
    std::int32_t Indeks = 0;
    std::string NumerTekst;  // decimal digits of the node number
    std::uint8_t Rodzaj = 0;
};

// One line of the constraint file.
struct rec_OGR {
    std::string Nazwa;
    Tab<Real, 1, 2> Granice;
};

// The pending flag of each report, named by its extension.
struct FlagiWynikow_t {
    bool BIK = true, RAW = true, ZAO = true, KOS = true, PRF = true, DEC = true, INF = true,
         PRO = true, PLY = true, ZAD = true, REN = true, AKT = true, SRE = true;

    void UstawWszystkie(bool v) { BIK = RAW = ZAO = KOS = PRF = DEC = INF = PRO = PLY = ZAD = REN = AKT = SRE = v; }
    bool operator==(const FlagiWynikow_t&) const = default;
};

// The four per-step histories of every node: [node 0..50][year 1..3]
// [point 0..50]; the last two per product 1..3. Kept until the program ends.
using SeriaWezla = Tab<Tab<Real, 0, 50>, 1, 3>;
using PrzebiegWezlow = Tab<SeriaWezla, 0, 50>;

struct Przebiegi {
    PrzebiegWezlow Przebieg1;              // profit of the step, or minus its loss
    PrzebiegWezlow Przebieg2;              // settlement account
    Tab<PrzebiegWezlow, 1, 3> Przebieg3;   // capacity per product
    Tab<PrzebiegWezlow, 1, 3> Przebieg4;   // sales rate per product / 50
};

}  // namespace vesk
