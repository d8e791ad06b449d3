// The program-lifetime state of the core: one instance in the program,
// a fresh one in every test. Names follow the model's own.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CommandLine.h"
#include "Harmonogram.h"
#include "Random.h"
#include "Typy.h"
#include "UserInterface.h"
#include "ZmienneModelu.h"

namespace vesk {

struct Kontekst {
    Kontekst();
    // The windows (or a scripted stand-in) and the command line.
    explicit Kontekst(UserInterface& okna, CommandLine parametry = {});

    Kontekst(const Kontekst&) = delete;
    Kontekst& operator=(const Kontekst&) = delete;

    // ------------------------------------------------ services of the platform
    UserInterface* Okna;
    CommandLine Parametry;
    Random Losowanie;

    // The folder holding the settings file; empty means the process's
    // working folder. The defaults written into a new settings file.
    struct Katalogi {
        std::string Parametry;   // parameter and constraint files
        std::string Operatorzy;  // the user's operator files
        std::string Wzorce;      // report templates
        // Why the user's folder from the environment cannot be used (its
        // name is not one code page 1250 can spell); empty when it can.
        std::string BladOperatorow;
    };
    std::string KatalogRoboczy;
    Katalogi DomyslneKatalogi;

    // ------------------------------------------------------- the core's state
    StanModelu RekordBiezacy;
    StanModelu RekordPomocniczy;
    ZESPOL TabelaWezlow;
    ZESPOL ZespolZapasowy;

    std::uint8_t NumerWezla = 0;
    std::int16_t RokWezla = -999;
    std::uint8_t ZnacznikWezla = 0;

    std::string NazwaPlikuStanu;   // file name of the operator's state file; empty: none open
    std::string KatalogOperatora;  // operator folder, ending with a separator
    std::string SciezkaOperatora;  // stem of the operator's files: folder, name and "."
    std::string PlikDrzewa;
    std::string PlikStartowy;

    FlagiWynikow_t FlagiWynikow;
    // Why the last report writer failed: the template or the report file
    // and the reason ("szablon .../QAD.BIK: to jest folder").
    std::string PowodBleduRaportu;
    // The folder the report files go to while it is not empty (one the user
    // chose to save them in); FolderSprawozdan decides otherwise.
    std::string KatalogSprawozdan;
    // While set, every report file a writer puts in place is added here by
    // the name it was written under (NazwaWyjscia's): what a viewer shows is
    // a file named here, never one found otherwise. Set by the one who reads
    // it, for as long as its report runs.
    std::vector<std::string>* PlikiZapisane = nullptr;
    TWezel WezelBazowy;
    TWezel WezelDoEdycji;
    bool ModelZainicjowany = false;
    std::int32_t NumerNowegoWezla = 0;
    Harmonogram HarmonogramInwestycjiRoboczy;
    std::array<bool, 72> ZnacznikiInwestycji{};
    Tab<rec_OGR, 1, 50> Ograniczenia;
    Tab<std::pair<std::int32_t, std::int32_t>, 1, 54> Zakresy;  // minimum, maximum
    std::array<double, 100> ZmienneSkryptu{};                   // "x1" .. "x100"
    Tab<std::string, 1, 30> ListaNazw;

    std::string catPARAMETR;
    std::string catOGRAN;
    std::string catKARTOPERATORA;
    std::string catTABWZOR;

    // -------------------------------------------------------- the model itself
    ZmienneModelu m;
    std::unique_ptr<Przebiegi> Historia;

    // Hooks of the step driver, empty by default: the imbalance hook is called
    // after a step whose balance totals differ by more than 1E-4; the trace
    // sees every equation group the step runs (name, step number).
    std::function<void(int krok)> ObsluzNierownowage;
    std::function<void(const char* grupa, int krok)> SladKroku;
    // The per-step stop test of a run (ZadanoPrzerwania): unset, a run
    // always completes; a stop meant for script lines or trials never
    // breaks a node's run half-way.
    std::function<bool()> ZadanoPrzerwania;
    // Set by a run when any of its steps ended out of balance.
    bool NierownowagaWPrzebiegu = false;

    // The "P" option of the command line (power-law demand of the first
    // product), read at the first demand step of the context: its three
    // numbers (exponent, factor, constant), or nothing when the option is
    // absent or its numbers are invalid; and whether the user has been told
    // that it was refused (told once per context).
    struct PopytPotegowy_t {
        Real Wykladnik, Mnoznik, Stala;
    };
    std::optional<PopytPotegowy_t> PopytPotegowy;
    bool PopytPotegowyWczytany = false;
    bool PopytPotegowyZgloszony = false;

    // ----------------------------------------------- the workbench's state
    // (decision tree, selections, the decision sheet: workbench/)
    // The decimal separator of the numbers in the decision sheet, both ways;
    // the windows and the batch runner set it from the locale.
    char SeparatorDziesietny = ',';
    // The batch run of the start window: operators are named without asking.
    bool TrybWsadowy = false;
    // A file a completed save should have removed stayed (the run was told):
    // a batch run ends with the error status.
    bool BladUsuwaniaPliku = false;
    std::string NazwaOperatoraWsadowego;
    // The large layout of the tree tab: only four period headers shown.
    bool WidokPowiekszony = false;
    std::string DopisekTytulu;    // credit text in the main window's caption


    // ------------------------------------------------ the command language
    // (script variable names, decimal separator, interpreter settings)
    // The user names a command file declares for the script variables:
    // entry k (0-based here, variable k + 1) holds the internal name
    // ("x" + (k + 1), empty while the entry is free) and the user name.
    struct NazwaZmiennej {
        std::string Wewnetrzna;
        std::string Uzytkownika;
    };
    std::array<NazwaZmiennej, 100> NazwyZmiennych{};
    // (The decimal separator is the workbench's SeparatorDziesietny.)
    // The command file the batch run opens without a dialog.
    std::string PlikRozkazowWsadowy;
    // Set by the optimisation while it may go on; the main window's keys
    // and a stop request clear it.
    bool FlagaPracy = false;


    // --------------------------------------------------------- the indicators
    // (indicator tables, chart)
    // The folder of the shipped program data (statement trees, default
    // indicator set, help texts), ending in a separator; start-up sets it.
    std::string KatalogProgramu;
    // Points of the indicator chart's horizon, 3 x (horizon + 1); the
    // indicator chart update sets it. The main window's three-year chart
    // plots at most its own three of them.
    std::int32_t LiczbaPunktowWykresu = 3;


private:
    ScriptedUserInterface domyslneOkna_;
};

// The working folder named in full, ending with a separator (a dialog given
// no folder would start wherever it was last), in code page 1250 like every
// path of the core.
std::string FolderRoboczy(const Kontekst& k);

}  // namespace vesk
