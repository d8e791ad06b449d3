// An operator's name turned into its files: the one rule of every path that
// names an operator (vesk-wsad's argument, "wczytaj plik" and "utwórz plik",
// the window's dialogs and "/f", the delete dialog, the state file's
// creation). Paths are the core's code page 1250 texts.
//
// An operator is the files whose names share one spelling of its stem (the
// extension in any letter case). Folders and files are found without regard
// to letter case, a name spelt exactly as a file (or folder) first, else the
// one spelt otherwise; a name several match in other cases, none as
// written, is refused naming them. A tree's state file is the one of its
// stem with the extension in the tree's letter case ("T.TR1" with "T.QAD",
// "T.tr1" with "T.qad": PlikStanuDrzewa), else the one state file of the
// stem in another spelling that no other tree claims; several such, none
// spelt as the tree is, are refused as ambiguous. A tree or state file of
// the stem in another spelling beside the operator's own is another copy:
// neither opened, repaired nor removed with it, nor taken for a name whose
// own state file is there without its tree. An operator's tree or
// state file missing in its own spelling is the one spelt otherwise that
// no other operator claims (one claims a file when it has the file of the
// other kind in its own spelling). The operator's spelling is its tree
// file's (else its state file's, else the name's): every file made beside
// it (lock, journal, new tree, temporaries) is named so, in the folder
// found. A folder is no operator's file, whatever its name: "t.tr1" a
// folder beside T is not t.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ReplaceFile.h"

namespace vesk {

// How the name is written.
enum class FormaNazwy {
    // The stem as the program keeps it: folder, name and "." ("OP/T.").
    Rdzen,
    // A tree file as a user writes it (vesk-wsad's argument, a command
    // file): blanks around the name and before ".tr1" dropped, ".tr1" in
    // any letter case required. (In every form a name of dots alone is
    // none, and a control character anywhere is refused.)
    PlikDrzewa,
    // From a dialog or "/f": as PlikDrzewa, ".tr1" added when missing.
    Nazwa,
    // A tree file's path as found before (OperatorZNazwy::drzewo, the open
    // operator's tree), looked for again: taken as written, so that the
    // operator found is that tree's and not another copy's ("T.TR1" beside
    // "T.tr1").
    Znaleziony,
};

// Where a name without a folder is looked for after the working folder
// (vesk-wsad): the operator folder of VE-SK.INI, and where it was given,
// for the messages about it.
struct KatalogOperatorow {
    std::string katalog;
    std::string zrodlo;
};

enum class OdmowaNazwy {
    Brak,            // usable
    Pusta,           // no name before ".tr1" (or dots alone)
    NiePlikDrzewa,   // not a tree file's name (PlikDrzewa)
    Niejednoznaczna, // several files or folders in other letter cases
    BrakFolderu,     // a folder that does not exist
    ZnakSterujacy,   // a control character (a TAB) in it
    Nieczytelny,     // a folder that could not be looked into (EACCES, EIO):
                     // whether the operator is there cannot be told
    StanBezDrzewa,   // its own state file there without its tree, beside
                     // another copy of the stem
};

struct OperatorZNazwy {
    OdmowaNazwy odmowa = OdmowaNazwy::Brak;
    // Why the name is refused, for the user (nothing was found, nothing is
    // to be made); empty when it is usable.
    std::string powod;
    // The operator's stem: the folder found, the name in its spelling, ".".
    std::string sciezka;
    // Its tree and state files as they are spelt (folder found + name);
    // empty when it has none.
    std::string drzewo, stan;
    // A creation killed after its commit point: the new state file in
    // place (sciezka + "qad", no "qad.nowy" beside it) and the new tree
    // beside the tree file (sciezka + "tr1.nowy"); `drzewo` is then the
    // old tree, when there is one, which the new one replaces.
    bool przerwane = false;
    // Its tree or state file missing because the one spelt otherwise is
    // another operator's: "Plik ... nie istnieje (plik ... należy do innego
    // operatora)", or because a folder is where the file would be looked
    // for: "Operator ... nie ma pliku stanu (... jest folderem)"; empty
    // otherwise.
    std::string cudzy;

    // An operator to be opened (its tree, or a killed creation's).
    bool istnieje() const { return !drzewo.empty() || przerwane; }
    // Its files named sciezka + rozszerzenie ("qad", "lck", "qad.zapis")
    // without regard to letter case, folder included: those of its own
    // spelling and those spelt otherwise that are no other operator's, nor
    // another copy's (its tree or state file, or a file named after one:
    // "T.qad.zapis" beside "T.qad" is not T.QAD's).
    std::vector<std::string> pliki(std::string_view rozszerzenie) const;
    // Whether the file named so (folder + name) is another copy's: another
    // tree or state file of the stem that is there, or a file named after one.
    bool innejKopii(const std::string& plik) const;
    // The trees of its stem there are (folder + name): its own and other
    // copies' (the stem spelt as its own, the extension in any letter
    // case), which share its lock file.
    std::vector<std::string> drzewaRdzenia() const;
    // The other copies' trees and state files beside it (folder + name).
    std::vector<std::string> kopie() const;

    std::string folder_;                // the folder found, as sciezka has it
    std::vector<std::string> wpisy_;    // its entries (code page 1250)
};

// What a name is asked for: a refusal ends saying what was not done
// ("nic nie utworzono ani nie otwarto", "nic nie skasowano").
// UtworzenieWPisowni: a name this program chooses itself (the batch run's
// "testint", the optimisation's "optyma"), whose operator is the files
// spelt exactly so: one of another spelling ("Testint.tr1") is another
// operator's, never taken, replaced or removed for it, nor does it make
// the name ambiguous (folders are found as for any name).
enum class CelNazwy { OtwarcieLubUtworzenie, Kasowanie, UtworzenieWPisowni };

// The operator that a name names. Reads folders only; makes nothing.
OperatorZNazwy ZnajdzOperatora(const std::string& nazwa, FormaNazwy forma, const KatalogOperatorow& gdzie = {},
                               CelNazwy cel = CelNazwy::OtwarcieLubUtworzenie);

// The operator folder of VE-SK.INI as a dialog is to start in: the folder
// found by the same rule (exact, else the one spelt otherwise); when it is
// ambiguous or missing, why (naming where it was given), and `sciezka` empty.
struct FolderOperatorow {
    std::string sciezka, powod;
};
FolderOperatorow ZnajdzFolderOperatorow(const KatalogOperatorow& gdzie);

// The state file that goes with the tree file at plikDrzewa: its stem and
// "qad" in the letter case of the tree's extension ("T.TR1": "T.QAD",
// "T.Tr1": "T.Qad", "T.tr1": "T.qad").
std::string PlikStanuDrzewa(const std::string& plikDrzewa);

// A creation writes the new state file and the new tree beside the old
// ones, named so ("T.qad.nowy", "T.tr1.nowy"), before renaming them into
// place: the state file first (the commit point), then the tree.
inline constexpr const char* DopisekNowegoPliku = NewFileSuffix;

}  // namespace vesk
