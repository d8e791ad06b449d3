// The product tab of the indicator window: the product choice, the six
// bars of its prices and production orders over the node's three years,
// one what-if step per new bar value, and the raw-material usage of the
// current node against the three limits. The window shows Widok() and
// passes the user's bar actions on; ranges and positions are decided here.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "AnalizaWrazliwosci.h"
#include "Kontekst.h"
#include "PaskiProduktu.h"
#include "ZuzycieSurowcow.h"

namespace vesk {

class HakiWarsztatu;

// What a bar reports: a step of one line or one page either way, the end
// of a drag or of a held key (KoniecPrzewijania), or a move that only
// drags the thumb or jumps to an end (Inny), which only runs the usage
// check.

inline constexpr int DuzyKrokPaska = 10;

struct WidokPaskow {
    int Wyrob = -1;                   // ComboBoxWyboruWyrobu; -1 none chosen
    bool Wlaczone = false;            // the six bars
    // Locked while the bars are not offered for the node in view (the
    // root, a node with children, a cousin only browsed): they take no step.
    bool Zablokowane = false;
    std::string Produkt;              // GroupBox2's caption
    std::array<std::string, 3> Lata;  // GroupBox3..GroupBox5's captions
    std::array<PasekProduktu, 6> Paski{};
    std::array<std::string, 6> Pola;  // Cena1, Prod1, Cena2, Prod2, Cena3, Prod3
};

// The result of one bar action.
struct KrokPaska {
    bool CoJesli = false;  // a what-if step was sent
    int k = 0;
    std::int32_t Wartosc = 0;
    std::optional<int> NowyWezel;  // the replacing node; nothing after a refusal
    std::string Opis;              // the change entry's description
};

class PaskiSesji {
public:
    PaskiSesji(Kontekst& k, HakiWarsztatu& warsztat);

    // The product chosen (0 Alfa, 1 Beta, 2 Gamma; anything else: none):
    // captions from the current record's period, the bars' ranges and
    // positions from its decisions, then the usage check.
    void WyborWyrobu(int p);
    // Bar n (1..6) reported kod with the thumb at pozycja. Line, page and
    // end-of-scroll codes take the position (clamped into the bar's range);
    // a value the bar's box does not show yet becomes one what-if step.
    // The usage check follows every code.
    KrokPaska Przewiniecie(int n, KodPrzewijania kod, int pozycja);
    // A node the user only browses is in view (true) or the original one
    // again (false): the bars are locked or freed.
    void Zablokuj(bool zablokowane);
    // The raw-material usage of the current record (Koncowka).
    void Koncowka();
    // Limit box m (1..3) holds tekst: the present total recoloured.
    void ZmianaGranicy(int m, const std::string& tekst);

    const WidokPaskow& Widok() const { return widok_; }
    const ZuzycieSurowcow& Zuzycie() const { return zuzycie_; }

private:
    void UstawPaski();

    Kontekst& k_;
    HakiWarsztatu& warsztat_;
    WidokPaskow widok_;
    ZuzycieSurowcow zuzycie_;
};

}  // namespace vesk
