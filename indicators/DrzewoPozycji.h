// A statement tree (".tre"): one position label per line, its depth the
// number of tabs or blanks in front of it, code page 1250, CR LF or LF.
// The nodes are kept in the file's order, which is the depth-first order;
// a node's number is its index + 1.
#pragma once

#include <string>
#include <vector>

namespace vesk {

struct WezelPozycji {
    std::string Tekst;  // the position label
    int Poziom = 0;     // 0 for a top-level node
    int Rodzic = -1;    // index of the parent node, -1 at the top
};

struct DrzewoPozycji {
    std::vector<WezelPozycji> Wezly;

    // The node numbered numer (1..), nullptr outside the tree.
    const WezelPozycji* Wezel(int numer) const;
    // Numbers of the children of the node numbered numer (0: the top level).
    std::vector<int> Dzieci(int numer) const;
};

// The tree read, or the reason it is empty.
struct WczytaneDrzewo {
    DrzewoPozycji Drzewo;
    std::string Blad;  // empty when read; else names the file and the line
};

// Lines of a tree file; nazwaPliku only names it in the error. A line
// more than one level deeper than the one before (or a first line that is
// not at the top) refuses the whole file. Lines holding nothing but blanks
// are skipped.
WczytaneDrzewo RozbierzDrzewo(const std::vector<std::string>& linie, const std::string& nazwaPliku);

// Reads the tree file at sciezka; a file that cannot be read gives an
// empty tree and a message naming it.
WczytaneDrzewo WczytajDrzewo(const std::string& sciezka);

}  // namespace vesk
