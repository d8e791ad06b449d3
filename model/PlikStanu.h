// The operator's model-state file and its node table.
//
// The file is a headerless sequence of 22480-byte records keyed by byte 0
// (node 0..50), at most one per node, so at most 51 records. It is opened
// and closed within each operation. A file that is not a whole number of
// records, holds more than 51 of them, or (where a first record is needed)
// is empty, is refused with a false result and nothing changed; opening an
// operator first checks the file and puts right what a killed save left
// (OcenPlikStanu, then ZapiszNaprawe).
//
// Saving one node writes that record alone:
//  - a new node's record is appended and flushed (the commit point); a
//    partial append (the program killed) is cut off on the next open, which
//    is the file before;
//  - a changed record is first written, with its place, its node number,
//    the record it replaces and a checksum, to a journal file beside the
//    state file (name + the ZapisWToku suffix), complete and flushed
//    before it is renamed into place and the folder flushed (the commit
//    point: a journal whose name could be lost in a power cut is removed
//    and the save refused); then the record is written over the old one
//    and flushed, and the journal removed. Only a journal whose checksum
//    holds and whose place holds the record it replaces, or a mix of that
//    and the new one (a write cut short), is copied over the record on the
//    next open, which finishes the save; one whose place holds anything
//    else was written for another file (a backup restored since) and is
//    dropped, listed. A journal whose save is complete is dropped, named
//    among the repairs; one left because its removal failed is settled
//    before the next save or delete
//    (RozliczDziennik). (An older program's journal, without the replaced
//    record, is applied never: dropped when complete or its place holds
//    another node, else the open is refused. An older program also
//    appended the copy as a last record repeating the node's number: such
//    a record is dropped when it equals the record, else the file is
//    refused.)
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
#include <optional>
#include <string>
#include <vector>

#include "Kontekst.h"

namespace vesk {

inline constexpr int NajwiekszyNumerWezla = 50;
inline constexpr int NajwiecejRekordow = NajwiekszyNumerWezla + 1;
// The longest file read as a state file: a record more than it may hold
// (one added by a save cut short), less a byte.
inline constexpr std::uint64_t NajdluzszyPlikStanu = (static_cast<std::uint64_t>(NajwiecejRekordow) + 2) * RozmiarStanuModelu - 1;
// The root's header: no parent, the year number of the first period.
inline constexpr std::uint8_t BrakRodzica = 255;
inline constexpr std::int16_t RokKorzenia = 2012;
// The journal of a save in progress: the state file's name followed by this.
inline constexpr const char* ZapisWToku = ".zapis";

// Path of the current operator's state file: KatalogOperatora + NazwaPlikuStanu.
std::string SciezkaPlikuStanu(const Kontekst& k);

// utworzNowy: create the file anew holding rec alone (only operator
// creation asks for it; at `gdzie` when given, beside the state file, for
// the creation to rename into place), in the spelling given, a file spelt
// otherwise left alone; otherwise replace rec's node or append it.
// The new file is written beside the old one and renamed over it when
// complete: a failed save (false) leaves the old file as it was (but where
// lastFailureAfterRename()).
// On success hands back rec's node number, year and simulated flag.
bool ZapiszStanModelu(Kontekst& k, StanModelu& rec, std::uint8_t& numer, std::int16_t& rok,
                      std::uint8_t& znacznik, bool utworzNowy = false, const std::string& gdzie = {});

// What opening finds in a state file, and what it would write to put it
// right; reading it writes nothing.
struct OcenaPlikuStanu {
    // Why the file cannot be opened, naming the file and, for a record, its
    // place, node and field; empty when it can.
    std::string odmowa;
    // One text per repair of the file's bytes the open makes, said once
    // ZapiszNaprawe has written it ("... doko\xF1czony").
    std::vector<std::string> naprawy;
    // Every repair the open would make, the journal's removal among them,
    // in words that do not say it was done ("... do doko\xF1czenia"): what
    // an open that may not write tells.
    std::vector<std::string> plan;
    // The file as repaired, when it changes.
    std::optional<std::string> bajty;
    // The journal and the intent file found beside it (removed once the
    // repair is written): each a file this program left, a regular file of
    // one name; a link or a second name of another file at such a name is
    // no journal, never read, applied or removed.
    bool dziennik = false, zamiar = false;
    // The text naming the journal's removal (one dropped, or one whose save
    // is complete: a program killed at its removal): ZapiszNaprawe gives it
    // once it has removed the journal.
    std::string dziennikUsuniety;
    // The headers of the records after the repair, in file order.
    std::vector<WpisWezla> wezly;
};

// Checks the state file at sciezka with the journal and intent beside it:
// the file's kind and length, what a killed save or operation left, and
// every record's header against the others (numbers 0..50 each once, the
// root first as operator creation makes it, every other node's parent
// present, its year the parent's + 3, the simulated flag 0 or 1 and 1 only
// under a simulated parent). Either
// odmowa or a consistent file after the repairs listed.
OcenaPlikuStanu OcenPlikStanu(const std::string& sciezka);
// The same over the files' contents (journal and intent when present);
// sciezka names the file in the texts.
OcenaPlikuStanu OcenStan(const std::string& sciezka, const std::string& stan,
                         const std::optional<std::string>& dziennik, const std::optional<std::string>& zamiar);
// Writes what ocena found to repair (the whole file replaced) and removes
// the journal and intent; throws IoError when that cannot be written. One
// text for each of those two that could not be removed, with the reason,
// and ocena.dziennikUsuniety once that journal is removed.
std::vector<std::string> ZapiszNaprawe(const std::string& sciezka, const OcenaPlikuStanu& ocena);

// Settles a journal a former save left beside the state file at sciezka
// before the file is changed again: one whose save is complete is removed.
// Empty when no journal is left; otherwise why (naming the journal: it
// cannot be removed, it holds a save only the open may finish, or what
// stands at its name is no journal of this program, which the save's
// journal would replace).
std::string RozliczDziennik(const std::string& sciezka);

// OcenPlikStanu and ZapiszNaprawe at once: the repairs' texts; throws
// IoError with odmowa when the file cannot be opened.
std::vector<std::string> NaprawPlikStanu(const std::string& sciezka);

// The intent of an operation of several saves that ends by removing node
// usuwany, written (with the node numbers the state file at sciezka holds
// now) beside that file; UsunZamiar removes it when the operation ended,
// whichever way. False, with the reason in lastFileError(), when it could
// not be written.
bool ZapiszZamiar(const std::string& sciezka, int usuwany);
void UsunZamiar(const std::string& sciezka);

// Finds node numer's record in the file at sciezka; rec changes only when
// it is found. False when the file has no such record or there is no such
// file; IoError when there is one that cannot be opened or read.
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
