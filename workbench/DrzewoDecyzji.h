// The decision tree of an operator: one item per decision node, labelled
// "d/r N" once simulated and "d N" before, the root "d/r 0". Items are kept
// in depth-first order (each before its children); an item's index in that
// order is its absolute index, its level its depth (the root 0).
//
// The tree file (".tr1") holds one label a line in that order, preceded by
// one TAB per level; written with CR LF, read with CR LF or LF, where
// leading TABs or blanks give the level; blanks after a label and lines
// of blanks alone are passed over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Typy.h"

namespace vesk {

inline constexpr std::uint8_t RodzajSymulowany = 0;     // "d/r N"
inline constexpr std::uint8_t RodzajNiesymulowany = 1;  // "d N"
inline constexpr std::uint8_t RodzajInny = 2;           // not a node label

// The longest tree file: one line per node 0..50, the deepest of them 50
// TABs in, "d/r 50" and CR LF on each.
inline constexpr std::size_t NajdluzszyPlikDrzewa = 51 * (50 + 6 + 2);

// Parses a label: kind 0 ("d/r", the number from the 5th character), 1
// ("d", the number from the 3rd character) or 2 (both texts untouched).
std::uint8_t rozbierz(const std::string& etykieta, std::string& rodzajTekst, std::string& numerTekst);

// "d/r N" or "d N".
std::string EtykietaWezla(int numer, bool symulowany);

// The node number of a label in its exact form ("d/r 12", "d 7"; 0..50, no
// leading zeros); -1 for anything else.
int NumerZEtykiety(const std::string& etykieta);

class DrzewoDecyzji {
public:
    struct Pozycja {
        std::string Etykieta;
        int Poziom = 0;
        int Obrazek = 0;  // 0 not simulated, 1 simulated, 2 the node being edited
        bool operator==(const Pozycja&) const = default;
    };

    int Liczba() const { return static_cast<int>(pozycje_.size()); }
    bool Pusty() const { return pozycje_.empty(); }
    const Pozycja& operator[](int i) const { return pozycje_.at(static_cast<std::size_t>(i)); }
    const std::string& Etykieta(int i) const { return (*this)[i].Etykieta; }
    int Poziom(int i) const { return (*this)[i].Poziom; }
    int Numer(int i) const { return NumerZEtykiety(Etykieta(i)); }

    // The parent's index; -1 for the root.
    int Rodzic(int i) const;
    std::vector<int> Dzieci(int i) const;
    bool MaDzieci(int i) const;
    // The index of the item of node numer; -1 when none.
    int Znajdz(int numer) const;
    // The largest level of any item; 0 for an empty tree.
    int Zaglebienie() const;

    // Appends a child after the parent's last descendant; its index.
    int DodajDziecko(int rodzic, const std::string& etykieta);
    // Removes an item without children.
    void Usun(int i);
    void UstawEtykiete(int i, const std::string& etykieta);
    void UstawObrazek(int i, int obrazek);
    // Every item's siblings in ascending node number, all levels.
    void Sortuj();

    // The tree file's lines (without line ends).
    std::vector<std::string> Linie() const;

    // A tree from a tree file's bytes; throws WorkbenchError (TreeFormat,
    // naming plik and the line) unless the root "d/r 0" comes first and
    // alone at level 0, every label is "d/r N" or "d N" with N 0..50, no
    // number is repeated and no line is more than one level deeper than the
    // line before.
    static DrzewoDecyzji ZTekstu(const std::string& bajty, const std::string& plik);
    // What can be read of a tree file that ZTekstu refuses, never failing:
    // the root, then the lines that still hold a node label (blanks and
    // control characters around it passed over), each number once, in the
    // file's order, a line indented deeper than one level below the line
    // before taken one level below it. UzgodnijZRekordami then puts each
    // node under its record's parent, the siblings in this order.
    static DrzewoDecyzji Odzyskaj(const std::string& bajty);
    // The same from a file; a file that cannot be read throws TreeRead, one
    // longer than NajdluzszyPlikDrzewa TreeFormat before it is read.
    static DrzewoDecyzji Wczytaj(const std::string& plik);
    // Writes the tree file to a temporary file beside it and renames it
    // over the old one (keeping its mode); false, the old file untouched,
    // on any failure.
    bool Zapisz(const std::string& plik) const;

    bool operator==(const DrzewoDecyzji&) const = default;

private:
    int koniecPoddrzewa(int i) const;  // one past i's last descendant
    std::vector<Pozycja> pozycje_;
};

// Brings the tree into line with the records of the state file (their
// headers in file order, already checked against each other: numbers
// 0..50 each once, the root first, every parent present), which hold what
// the operations committed: the records' parents give the nesting, and
// every record has its item. An item without record goes, an item under
// another parent than its record's moves there with its branch, an item's
// mark follows its record's simulated flag, a record without item is
// attached under its parent; siblings keep the tree's order, new ones
// after them. One text per repair; none when the tree agreed.
std::vector<std::string> UzgodnijZRekordami(DrzewoDecyzji& d, const std::vector<WpisWezla>& rekordy);

}  // namespace vesk
