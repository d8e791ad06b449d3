// Any bytes as a command file, run against a fresh operator in a temporary
// folder. A script error is the expected outcome of bad input; anything
// else escaping, a crash or a hang is a fault. A line budget bounds every
// run (a loop that never ends is the file's own business); file verbs
// are kept inside the temporary folder.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "CzasownikiWarsztatu.h"
#include "Interpretator.h"
#include "Kontekst.h"
#include "TempDir.h"
#include "Warsztat.h"

namespace {

constexpr int BudzetLinii = 2000;

struct Budzet {};

// Throws once the budget is spent: it reaches the executor as a fault of
// the line, which ends the run as a script error.
class WidokZBudzetem : public vesk::InterpreterView {
public:
    void activity(const std::string* t) override {
        if (t) licz();
    }
    bool cursorInStopBand() override {
        licz();
        return false;
    }
    int linie = 0;

private:
    void licz() {
        if (++linie > BudzetLinii) throw std::runtime_error("budzet linii wyczerpany");
    }
};

// File verbs only for plain names, which land in the working folder.
class CzasownikiWFolderze : public vesk::CzasownikiWarsztatu {
public:
    using CzasownikiWarsztatu::CzasownikiWarsztatu;
    void Wczytaj_Plik_Interpreter(const std::string& l) override {
        if (bezSciezki(l)) CzasownikiWarsztatu::Wczytaj_Plik_Interpreter(l);
    }
    void Utworz_Plik_Interpreter(const std::string& l) override {
        if (bezSciezki(l)) CzasownikiWarsztatu::Utworz_Plik_Interpreter(l);
    }

private:
    static bool bezSciezki(const std::string& l) {
        return l.find('/') == std::string::npos && l.find('\\') == std::string::npos &&
               l.find("..") == std::string::npos;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    static test::TempDir dir;
    static const bool wFolderze = chdir(dir.folder().c_str()) == 0;
    if (!wFolderze) return 0;
    dir.write("f.roz", std::string(reinterpret_cast<const char*>(data), size));
    dir.write("g.roz", "run\r\n+ x1 x1 1\r\n");

    ScriptedUserInterface ui;
    ui.inputs = {std::string("1.5"), std::nullopt};
    auto k = std::make_unique<Kontekst>(ui);
    k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
    k->catKARTOPERATORA = dir.folder();
    Warsztat w(*k);
    if (!w.TworzenieNowegoOperatora(dir.folder() + "op.")) return 0;
    CzasownikiWFolderze czasowniki(w);
    WidokZBudzetem widok;
    Interpretator in(*k, czasowniki, widok);
    in.Losowanie.reseed(1);
    k->TrybWsadowy = true;
    k->PlikRozkazowWsadowy = dir.file("f.roz");
    if (!in.Podanienazwyplikuzrozkazami1Click()) return 0;
    while (in.PrzyciskAktywny() && !in.ZatrzymanieSkryptu && widok.linie <= BudzetLinii)
        in.PrzyciskWykonaniaNastepnegoPoleceniaClick();
    return 0;
}
