// The operator's model-state file and its node table.
//
// The file is a headerless sequence of 22480-byte records keyed by byte 0
// (node 0..50), at most one per node, so at most 51 records. It is opened
// and closed within each operation. A file that is not a whole number of
// records, holds more than 51 of them, or (where a first record is needed)
// is empty, is refused with a false result and nothing changed; opening an
// operator first puts right what a killed save left (NaprawPlikStanu).
//
// Saving one node writes that record alone, and the write that makes it
// count (the commit point) is always one whole record landing at the end
// of the file:
//  - a new node's record is appended and flushed; a partial append (the
//    program killed) is cut off on the next open, which is the file before;
//  - a changed record is first appended as a spare copy and flushed (the
//    commit point), then written over the old one and flushed, and the
//    spare cut off. A last record repeating an earlier node's number is
//    such a spare: the next open (NaprawPlikuStanu) copies it over the old
//    record, which finishes the save.
//  - deleting a node, and creating the file, replace the whole file (a
//    temporary file renamed over it).
// So a kill at any instant leaves the file as before or, once repaired, as
// after the save. An operation made of several saves (the what-if step:
// add, change, simulate, delete) first writes an intent file beside the
// state file (ZapiszZamiar): its commit point is the removal of the node
// the intent names; an intent found on opening with that node still there
// is undone (the records added since are dropped). The tree file is written after the state file and made
// to agree with it when the operator is opened (PlikiOperatora.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Kontekst.h"

namespace vesk {

inline constexpr int NajwiekszyNumerWezla = 50;
inline constexpr int NajwiecejRekordow = NajwiekszyNumerWezla + 1;

// Path of the current operator's state file: KatalogOperatora + NazwaPlikuStanu.
std::string SciezkaPlikuStanu(const Kontekst& k);

// utworzNowy: create the file anew holding rec alone (only operator creation
// asks for it); otherwise replace rec's node or append it. The new file is
// written beside the old one and renamed over it when complete: a failed
// save (false) leaves the old file as it was.
// On success hands back rec's node number, year and simulated flag.
bool ZapiszStanModelu(Kontekst& k, StanModelu& rec, std::uint8_t& numer, std::int16_t& rok,
                      std::uint8_t& znacznik, bool utworzNowy = false);

// Finishes or undoes what a killed save left in the state file at sciezka
// (a partial last record cut off; a spare copy moved over its record; an
// unfinished operation of several saves undone) and
// returns one text per repair, empty when the file was sound. Throws
// IoError (naming the file and the reason) when a repair cannot be written.
std::vector<std::string> NaprawPlikStanu(const std::string& sciezka);

// The intent of an operation of several saves that ends by removing node
// usuwany, written (with the node numbers the state file at sciezka holds
// now) beside that file; UsunZamiar removes it when the operation ended,
// whichever way. False, with the reason in lastFileError(), when it could
// not be written.
bool ZapiszZamiar(const std::string& sciezka, int usuwany);
void UsunZamiar(const std::string& sciezka);

// Finds node numer's record in the file at sciezka; rec changes only when
// it is found.
bool ZnajdzStanModelu(Kontekst& k, const std::string& sciezka, std::uint8_t numer, StanModelu& rec);

// Loads the node table from the file katalog + nazwa; rec gets the file's
// first record, numer 0, rok -2, znacznik 1. False, nothing changed, when
// the file cannot be opened or is not a state file.
bool WczytajZespolWezlow(Kontekst& k, const std::string& katalog, const std::string& nazwa, ZESPOL& tabela,
                         StanModelu& rec, std::uint8_t& numer, std::int16_t& rok, std::uint8_t& znacznik);

// Byte-for-byte copies between the decision quantities and a record's
// decision blocks; the bytes between the blocks are left alone.
void ZapiszDecyzjeDoStanu(const ZmienneModelu& m, StanModelu& rec);
void OdtworzDecyzjeZeStanu(const StanModelu& rec, ZmienneModelu& m);

// NazwaPlikuStanu := the name part of SciezkaOperatora (which ends with the
// dot of the tree file's name) + "qad". False, with the name emptied, when
// SciezkaOperatora has no name part.
bool UstalNazwePlikuStanu(Kontekst& k);

// The lowest occupied slot of TabelaWezlow holding node numer; 0 when none.
int SzukajWezla(const Kontekst& k, int numer);
// The number of occupied slots.
int LiczbaWezlow(const ZESPOL& tabela);
// The smallest node number 1, 2, ... held by no occupied slot 1..50; 51
// when 1..50 are all in use.
int WolnyNumerWezla(const Kontekst& k);

}  // namespace vesk
