// The owner of the program's windows and of the core's context: creates
// the windows in their order, and carries the handlers that involve more
// than one window. Tests make one with a scripted user interface.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Kontekst.h"
#include "Powloka.h"
#include "UserInterface.h"
#include "Warsztat.h"

namespace vesk {

class OknoStartowe;
class OknoGlowne;
class OknoFormularzaDecyzji;
class OknoOProgramie;
class OknoPomocyDwudzielne;
class OknoAutorow;
class OknoPomocy;
class OknoRaportu;
class OknoInterpretatora;
class Interpretator;
class CzasownikiWarsztatu;
class DefiniowanieWskaznikow;
class PudelkaWZasiegu;

class Aplikacja {
public:
    // parametry: the command-line parameters in code page 1250, without the
    // program name and Qt's own options. katalogRoboczy: the folder of the
    // settings and range files (empty: the working folder).
    // przygotowanie: called on the fresh context before the windows exist
    // (tests point its folders elsewhere).
    Aplikacja(UserInterface& ui, const std::vector<std::string>& parametry, const std::string& katalogRoboczy = {},
              const std::string& katalogProgramu = KatalogProgramuDomyslny(),
              const std::function<void(Kontekst&)>& przygotowanie = {});
    ~Aplikacja();
    Aplikacja(const Aplikacja&) = delete;
    Aplikacja& operator=(const Aplikacja&) = delete;

    // Shows the start window; the message loop runs after this.
    void start();

    UserInterface& ui() { return ui_; }
    Kontekst& kontekst() { return *k_; }
    StanPowloki& stan() { return s_; }
    Warsztat& warsztat() { return *w_; }

    OknoStartowe& oknoStartowe() { return *oknoStartowe_; }
    OknoGlowne& oknoGlowne() { return *oknoGlowne_; }
    OknoFormularzaDecyzji& oknoFormularzaDecyzji() { return *oknoFormularzaDecyzji_; }
    OknoOProgramie& oknoOProgramie() { return *oknoOProgramie_; }
    OknoPomocyDwudzielne& oknoPomocyDwudzielne() { return *oknoPomocyDwudzielne_; }
    OknoAutorow& oknoAutorow() { return *oknoAutorow_; }
    OknoPomocy& oknoPomocy() { return *oknoPomocy_; }
    OknoRaportu& oknoRaportu() { return *oknoRaportu_; }
    OknoInterpretatora& interpreterView() { return *interpreterView_; }
    Interpretator& interpretator() { return *interpretator_; }
    DefiniowanieWskaznikow& definiowanieWskaznikow() { return *definiowanieWskaznikow_; }

    // Handlers.
    void startOK();
    // The start window's note, with what its "OK" will do now.
    std::string tekstOkienkaStartowego() const;
    // The operator commands, then the main window brought into line.
    void nowyOperator();
    void otworzOperatora();
    void kasujOperatora();
    void wyjscie();
    void zamknietoOknoGlowne();
    void informacja();
    void wejscieZOknaInformacji();
    void pokazOknoPomocy();
    void pokazOknoPomocyDwudzielne();
    void pokazOknoAutorow();
    void pokazOknoOProgramie();
    // "Konstrukcja Wskaźników": the indicator window shown, not modal.
    void pokazWskazniki();
    // Before a command that would drop the decision form's unconfirmed
    // edits: the user's choice (confirm, drop, cancel); false: the command
    // is cancelled and the windows show the workbench as it was.
    bool porzucenieFormularza();
    // After a workbench operation: the main window and the decision form
    // show what the workbench now holds.
    void odswiezOkna();
    // The command files: opening one (the "DSS" item), a press of the step
    // button, and the start window's batch run.
    void podanieNazwyPlikuZRozkazami();
    void nastepnePolecenie();
    void przyciskWsadowy();
    // The optimisation commands (druga: the second, over production too).
    void optymalizacja(bool druga);

private:
    // The main window shown: the first time the core is started again, the
    // constraint file read and the "/f" operator opened.
    bool pokazOknoGlowne();
    // After an operator command: when it opened or created an operator the
    // tree page and the hints are shown, its tree focused, and the echo of
    // a command file's line cleared unless that file opened it; the window
    // follows the workbench.
    void poPoleceniuOperatora(bool otwarto, bool zPlikuRozkazow = false);
    // The main window closed during a run and the ending dialog answered
    // "Tak": once the run has stopped, its windows go and the program ends.
    void koniecPoPrzebiegu();

    UserInterface& ui_;
    std::unique_ptr<Kontekst> k_;
    StanPowloki s_;
    std::unique_ptr<Warsztat> w_;
    std::unique_ptr<OknoStartowe> oknoStartowe_;
    std::unique_ptr<OknoGlowne> oknoGlowne_;
    std::unique_ptr<OknoFormularzaDecyzji> oknoFormularzaDecyzji_;
    std::unique_ptr<OknoOProgramie> oknoOProgramie_;
    std::unique_ptr<OknoPomocyDwudzielne> oknoPomocyDwudzielne_;
    std::unique_ptr<OknoAutorow> oknoAutorow_;
    std::unique_ptr<OknoPomocy> oknoPomocy_;
    std::unique_ptr<OknoRaportu> oknoRaportu_;
    std::unique_ptr<CzasownikiWarsztatu> czasowniki_;
    std::unique_ptr<OknoInterpretatora> interpreterView_;
    std::unique_ptr<Interpretator> interpretator_;
    std::unique_ptr<DefiniowanieWskaznikow> definiowanieWskaznikow_;
    std::unique_ptr<PudelkaWZasiegu> pudelka_;
};

}  // namespace vesk
