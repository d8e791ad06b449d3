// The field map of the 22480-byte model-state record and the procedures
// that move data between a record and the model quantities.
//
// The record is a file format: every offset and width below binds. Areas:
//   0..15        header (Typy.h)
//   16..2783     opening state, loaded before a node's run
//   2784..3455   decisions for the node's years 1..3
//   3456..17039  results of year y in the block at 3456 + 4528(y-1)
//   17040..22479 34 tracking blocks of 160 bytes
// A numeric field is a 6-byte real; a "3 x" field holds elements 1..3 six
// bytes apart. Bytes that no row covers are padding: carried, never read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "Kontekst.h"

namespace vesk {

inline constexpr std::size_t PoczatekOtwarcia = 16;
inline constexpr std::size_t PoczatekDecyzji = 2784;
inline constexpr std::size_t PoczatekWynikow = 3456;
inline constexpr std::size_t RozmiarBlokuRoku = 4528;
inline constexpr std::size_t PoczatekSledzenia = 17040;
inline constexpr std::size_t RozmiarBlokuSledzenia = 160;
inline constexpr int LiczbaBlokowSledzenia = 34;

// Inside a tracking block: values [1..24] from 0 (only [1] is written),
// the minimum at 144 and the maximum at 150.
inline constexpr std::size_t SledzenieWartosc = 0;
inline constexpr std::size_t SledzenieMinimum = 144;
inline constexpr std::size_t SledzenieMaksimum = 150;

// The record offset of year rok (1..3) of the year-block field whose
// year-1 offset is poleRoku1.
constexpr std::size_t PolePoRoku(std::size_t poleRoku1, int rok) {
    return poleRoku1 + RozmiarBlokuRoku * static_cast<std::size_t>(rok - 1);
}

// A model quantity as a record holds it: its name, its width in bytes and
// the two byte-for-byte copies between the model and a record field.
struct WielkoscModelu {
    const char* nazwa = nullptr;
    std::size_t rozmiar = 0;
    void (*doRekordu)(const ZmienneModelu&, std::uint8_t*) = nullptr;
    void (*zRekordu)(const std::uint8_t*, ZmienneModelu&) = nullptr;
};

enum class RodzajOtwarcia : std::uint8_t {
    Wielkosc,       // loaded into the named model quantity
    Zastrzezone,    // carried as raw bytes in ZmienneModelu::OtwarcieZastrzezone
    NieWczytywane,  // filled at node creation, never loaded
};

struct PoleOtwarcia {
    std::size_t offset;
    std::size_t rozmiar;
    RodzajOtwarcia rodzaj;
    WielkoscModelu wielkosc;  // for Wielkosc only
    long rodzic;              // offset in the parent's record; -1: inherited
};

enum class RodzajWyniku : std::uint8_t {
    Wielkosc,           // the named model quantity
    Zero,               // reserved, written as 0
    PowtorzOtwarcie,    // repeats the reserved opening field `otwarcie`
    PowtorzWRoku1,      // year 1 repeats the opening field, years 2 and 3 hold 0
};

struct PoleWyniku {
    std::size_t offset;  // year-1 offset in the record
    std::size_t rozmiar;
    RodzajWyniku rodzaj;
    WielkoscModelu wielkosc;    // for Wielkosc only
    std::size_t otwarcie;       // for the repeating kinds
    bool zeroBliskoZera;        // stored as 0 when its magnitude is at most 1E-7
};

struct PoleDecyzji {
    std::size_t offset;
    std::size_t rozmiar;
    WielkoscModelu wielkosc;
};

struct BlokSledzenia {
    std::size_t offset;
    const char* opis;
    // The tracked value in extended precision; null: never updated.
    long double (*wartosc)(const ZmienneModelu&);
};

std::span<const PoleOtwarcia> MapaOtwarcia();
std::span<const PoleDecyzji> MapaDecyzji();
std::span<const PoleWyniku> MapaWynikowRoku();
std::span<const BlokSledzenia> MapaSledzenia();

// Loads every opening field of rec into the model quantities (reserved
// ones into OtwarcieZastrzezone). A product order that is not a
// permutation of 1..3 is taken as 1, 2, 3.
void WczytajStanOtwarcia(Kontekst& k, const StanModelu& rec);

// Writes year rok (1..3) of k.RekordBiezacy from the model quantities.
void ZapiszWynikiRoku(Kontekst& k, std::uint8_t rok);

// Reads node rodzic's record from the operator's state file into
// k.RekordPomocniczy and copies its closing fields into rec's opening
// fields. False, with rec unchanged, when the parent is not found.
bool PrzeniesStanZRodzica(Kontekst& k, std::uint8_t rodzic, StanModelu& rec);

// Clears the 34 tracking blocks: minimum 1.0E30, maximum -1.0E30.
void ZerujEkstremaStanu(StanModelu& rec);

// The tracking update of the step driver at steps 50, 100, 150: for each of
// the 34 blocks, v := tracked value from the model quantities; when v > max,
// max := v; when v < min, min := v (two separate tests); value[1] := v.
void AktualizujBlokiSledzenia(Kontekst& k, StanModelu& rec);

}  // namespace vesk
