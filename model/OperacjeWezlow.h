// The operations through which the windows and the command language change
// an operator's model state: a new decision node, simulating the current
// node, a new operator, opening an operator. Each reports whether it
// succeeded; a failure leaves the state as it was before the call.
#pragma once

#include <cstdint>
#include <string>

#include "Kontekst.h"

namespace vesk {

// What creating or opening an operator changes in the context: the
// operator's names, the node tables, both record buffers, the current
// node's header, the result flags and the model quantities. Taken before
// such an operation, so that a failure puts all of it back.
struct MigawkaOperatora {
    std::string SciezkaOperatora, KatalogOperatora, NazwaPlikuStanu, PlikDrzewa;
    ZESPOL TabelaWezlow, ZespolZapasowy;
    StanModelu RekordBiezacy, RekordPomocniczy;
    std::uint8_t NumerWezla = 0;
    std::int16_t RokWezla = 0;
    std::uint8_t ZnacznikWezla = 0;
    FlagiWynikow_t FlagiWynikow;
    ZmienneModelu m;

    explicit MigawkaOperatora(const Kontekst& k);
    void Przywroc(Kontekst& k) const;
};

// Builds and saves the record of a new node: the decisions of the template
// node (WezelDoEdycji), the closing state of the base node (WezelBazowy) as
// its opening state, the next free node number. `proponowany` is the
// caller's free slot; kept for the callers, not needed here.
bool NowyWezel(Kontekst& k, std::uint8_t proponowany);

// Simulates the node whose record is in RekordBiezacy and saves it. Nothing
// happens when no operator is open or the node is already simulated.
// k.NierownowagaWPrzebiegu tells whether the run left the balance.
bool SymulujWezel(Kontekst& k);

// Creates the model-state file of the operator whose stem is in
// SciezkaOperatora, holding the simulated root alone; at `plik` instead
// when given (a creation that renames it into place later).
bool UtworzStanOperatora(Kontekst& k, const std::string& plik = {});

// Opens an existing operator: its model-state file named like the file part
// of `sciezka`, looked for in KatalogOperatora.
bool WczytajStanOperatora(Kontekst& k, const std::string& sciezka);

// The per-step histories emptied. Another operator's node numbers name
// other nodes: opening or creating an operator empties every node's series
// but `zachowany`'s (a new operator's root has just run; -1 keeps none).
// A deleted node's number is free again: its series go with it.
void WyczyscPrzebiegi(Kontekst& k, int zachowany = -1);
void WyczyscPrzebiegiWezla(Kontekst& k, int numer);

// The console decision screen of the earlier program that a new node's
// decisions pass through: prices x 1000, dividend shares and debt ratios x
// 100 into the screen's table and back; it also clears the working
// investment schedule and its marks. Returns 1.
int EkranInwestycji(Kontekst& k, int tryb);
void TabelaInwestycji(Kontekst& k);

}  // namespace vesk
