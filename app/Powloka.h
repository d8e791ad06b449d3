// The program's start and end, without windows: what the main window does
// when it is created and first shown, the start window's "OK", the ending
// dialog and the main window's own key handlers. The windows call these
// and show what they return.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Kontekst.h"
#include "UserInterface.h"

namespace vesk {

// The folder of the program's shipped data (help text, ranges, hints),
// ending with "/".
std::string KatalogProgramuDomyslny();

// The tree file named on the command line: when the first parameter begins
// with "/f" (a small "f"), the second parameter; empty otherwise.
std::string PlikStartowyZParametrow(const std::vector<std::string>& parametry);

// Program-lifetime state of the windows.
// (The batch settings, the large view, the program folder, the credit
// text and the chart's point count live in the context, where the
// workbench and the indicator window read them.)
struct StanPowloki {
    // (The optimisation's work flag is the context's FlagaPracy.)
    bool ZnacznikWsadowy = false;  // the marker file: command-file controls shown

    bool OknoGlowneUtworzone = false;
    // The start-up at the window's creation was refused (and told): no
    // window is shown, the program ends without telling it again.
    bool StartOdrzucony = false;
    bool OknoGlownePokazane = false;
    bool PierwszeOK = true;
};

// The main window's creation without its controls: the model core started,
// the credit text, the marker file, the decision ranges (not read after a
// refused start), the "/f" file and the program folder. `parametry` are the
// command-line parameters (without the program and the window system's own
// options). Returns the caption.
std::string UtworzenieOknaGlownego(Kontekst& k, StanPowloki& s, const std::vector<std::string>& parametry,
                                   const std::string& katalogProgramu);

// The main window shown. Only the first time: the model core is started
// again and the constraint file read (a missing one ends the program through
// the user interface). A later show only shows.
struct SkutekPokazania {
    bool RdzenGotowy = true;       // false: the program is ending
    bool OtworzPlikStartowy = false;  // the "/f" operator is to be opened now
};
SkutekPokazania PokazanieOknaGlownego(Kontekst& k, StanPowloki& s);

// The command-language description "Jezyk.rtf" of the program folder as
// HTML (code page 1250); a missing or unreadable file: a message naming it
// and nothing.
std::optional<std::string> TekstOpisuJezyka(Kontekst& k);

// The hint text "moduls.rtf" of the working folder as HTML (code page 1250);
// when it is missing or cannot be read, a paragraph naming it and why.
std::string TekstPodpowiedzi(const Kontekst& k);

enum class SkutekOK {
    PierwszeUruchomienie,  // show the main window and start a new operator
    PonownePokazanie,      // only make the main window visible again
};
// The start window's "OK": batch settings cleared, the large view set.
SkutekOK PrzyciskOK(Kontekst& k, StanPowloki& s);

// The start window's note (code page 1250), ending with what its "OK" will
// do: the first press opens the main window with the "/f" operator (a new
// one when that cannot be opened) or with a new one; a later press brings
// the main window back as it was, with the open operator (otwarty: its
// tree file; empty: none open).
std::string TekstOkienkaStartowego(const StanPowloki& s, const Kontekst& k, const std::string& otwarty);

// The ending dialog: the question, and on "yes" the thanks and the request
// to end the program. True when the program is ending.
bool ZakonczenieProgramu(UserInterface& ui);
// Its two halves, for a close met during a run, which is asked at once and
// ended once the run has stopped: the question ("Czy zakończyć program
// VeskWin ?"), true for "Tak"; the thanks and the request to end.
bool PytanieOZakonczenieProgramu(UserInterface& ui);
void KoniecProgramu(UserInterface& ui);

// A character typed on the main window itself: clears the context's
// FlagaPracy and tells which key it was.
void KlawiszOknaGlownego(Kontekst& k, char znak);
// Esc on the main window: the box once, a second time while an
// optimisation runs.
void EscOknaGlownego(const Kontekst& k);

// The start window's about button: its caption over two lines.
std::string TytulPrzyciskuInformacji();

}  // namespace vesk
