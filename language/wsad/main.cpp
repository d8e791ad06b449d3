// vesk-wsad PLIK.roz [OPERATOR.tr1]: the batch run of a command file.
// Starts the core as the program does, opens the operator (a name without
// a folder that is not in the working folder from the operator folder of
// VE-SK.INI; created when absent, and told so; without one, "testint" in
// the operator folder), opens the
// command file without a dialog and presses the step button until the run
// ends. A file name that code page 1250 cannot spell (not UTF-8, as a
// Windows archive unpacks Polish names) is refused, never taken for
// another. Messages go to stderr, "zapytaj" reads a line of stdin; at the end
// stdout gets one line per declared variable: name, TAB, value.
//
// Exit status: 0 at the file's end or "stop", 1 after a script error or a
// failed save of the operator's files, 2 when the arguments, the settings,
// the operator or the command file are unusable (an existing state file
// without its tree file among them: it is never replaced by a new
// operator), 130 or 143 after SIGINT or SIGTERM, which end the run once
// the current line is done, the operator's files consistent.
#include <csignal>
#include <clocale>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CodePage.h"
#include "CzasownikiWarsztatu.h"
#include "FileSystem.h"
#include "Inicjalizacja.h"
#include "Interpretator.h"
#include "Kontekst.h"
#include "OperacjeJezyka.h"
#include "Paths.h"
#include "Warsztat.h"
#include "ZmienneSkryptu.h"

namespace {

// A message box's text for a terminal: UTF-8, and every line break (a bare
// CR too, which a message box shows as one) a newline, so that a CR does
// not send the cursor back over what the line said.
std::string naKonsole(const std::string& text) {
    std::string t;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') t += text[i];
        else if (i + 1 >= text.size() || text[i + 1] != '\n') t += '\n';
    }
    return vesk::cp1250ToUtf8(t);
}

volatile std::sig_atomic_t sygnal = 0;

extern "C" void zatrzymaj(int numer) { sygnal = numer; }

// SIGINT and SIGTERM only ask the run to stop between lines.
void przechwycSygnaly() {
    struct sigaction s {};
    s.sa_handler = zatrzymaj;
    sigemptyset(&s.sa_mask);
    for (int numer : {SIGINT, SIGTERM}) sigaction(numer, &s, nullptr);
}

class Konsola : public vesk::UserInterface {
public:
    void beep() override {}
    // The interpreter asks before each line: a signal stops the run there.
    bool stopRequested() override { return sygnal != 0; }
    void message(const std::string& text) override { std::cerr << naKonsole(text) << "\n"; }
    void progress(const std::string& text) override { std::cerr << naKonsole(text) << "\n"; }
    bool question(const std::string& text) override {
        std::cerr << naKonsole(text) << " (tak)\n";
        return true;
    }
    std::optional<std::string> inputText(const std::string& caption, const std::string& prompt,
                                         const std::string&) override {
        std::cerr << naKonsole(caption) << ": " << naKonsole(prompt) << "\n";
        std::string line;
        if (!std::getline(std::cin, line)) return std::nullopt;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return vesk::utf8ToCp1250(line);
    }
};

// A file name of the command line in code page 1250; nothing, told on
// stderr, for a name the core cannot carry unchanged.
std::optional<std::string> nazwaPliku(const char* argument) {
    std::optional<std::string> nazwa = vesk::fileNameToCp1250(argument);
    if (!nazwa) std::cerr << naKonsole(vesk::unusableFileNameMessage(argument)) << "\n";
    return nazwa;
}

// Whether the operator of path (without "tr1") has a file there.
bool jestOperator(const std::string& sciezka) {
    return vesk::findExisting(sciezka + "tr1") || vesk::fileExists(sciezka + "qad");
}

void utworzono(const std::string& plikDrzewa) {
    const std::string pelna = vesk::isPathSeparator(plikDrzewa.front())
                                  ? plikDrzewa
                                  : vesk::joinPath(vesk::currentFolder(), plikDrzewa);
    std::cerr << "utworzono nowy operator " << vesk::cp1250ToUtf8(pelna) << "\n";
}

int uzycie() {
    std::cerr << "użycie: vesk-wsad PLIK.roz [OPERATOR.tr1]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) return uzycie();
    const std::optional<std::string> rozkazy = nazwaPliku(argv[1]);
    const std::optional<std::string> operatora = argc == 3 ? nazwaPliku(argv[2]) : std::string();
    if (!rozkazy || !operatora) return 2;
    const std::string plikRozkazow = *rozkazy;
    std::string plikOperatora = *operatora;
    if (plikRozkazow.empty() || (argc == 3 && plikOperatora.size() <= 3)) return uzycie();

    przechwycSygnaly();
    Konsola ui;
    auto k = std::make_unique<vesk::Kontekst>(ui);
    if (!vesk::Inicjalizacja(*k) || !vesk::WczytajOgraniczenia(*k)) return 2;
    // The sheet's decimal separator from the user's locale.
    std::setlocale(LC_NUMERIC, "");
    if (const std::lconv* l = std::localeconv(); l && l->decimal_point && l->decimal_point[0])
        k->SeparatorDziesietny = l->decimal_point[0];
    std::setlocale(LC_NUMERIC, "C");

    // The command file is looked at before any operator is created or opened.
    if (!vesk::WierszePlikuRozkazow(plikRozkazow)) {
        std::cerr << "Brak pliku rozkazów " << argv[1] << "\n";
        return 2;
    }
    auto w = std::make_unique<vesk::Warsztat>(*k);
    try {
        if (plikOperatora.empty()) {
            k->TrybWsadowy = true;
            k->NazwaOperatoraWsadowego = "testint";
            w->Nowy1Click();
            if (k->SciezkaOperatora.empty() || w->Drzewo.Pusty()) return 2;
            utworzono(k->PlikDrzewa);
        } else {
            // A name without a folder that names nothing in the working
            // folder is the operator folder's operator, when it has one.
            if (vesk::folderPart(plikOperatora).empty() && !k->catKARTOPERATORA.empty() &&
                !jestOperator(plikOperatora.substr(0, plikOperatora.size() - 3))) {
                const std::string tam = vesk::joinPath(k->catKARTOPERATORA, plikOperatora);
                if (jestOperator(tam.substr(0, tam.size() - 3))) plikOperatora = tam;
            }
            // Whether the operator exists is asked under its lock, so that
            // a second run cannot create it again over the first one's.
            const std::string sciezka = plikOperatora.substr(0, plikOperatora.size() - 3);
            const std::string stan = sciezka + "qad";
            if (!w->ZablokujOperatora(sciezka)) return 2;
            if (vesk::findExisting(plikOperatora) || vesk::PrzerwaneTworzenieOperatora(sciezka)) {
                vesk::Wczytaj_Plik(*w, plikOperatora);
            } else if (vesk::fileExists(stan)) {
                std::cerr << "Brak pliku drzewa " << vesk::cp1250ToUtf8(plikOperatora) << " obok istniejącego pliku stanu "
                          << vesk::cp1250ToUtf8(stan) << " - operator nie został utworzony\n";
                return 2;
            } else {
                vesk::Utworz_Plik(*w, plikOperatora);
                utworzono(plikOperatora);
            }
        }
    } catch (const std::exception& e) {
        std::cerr << vesk::cp1250ToUtf8(e.what()) << "\n";
        return 2;
    }

    vesk::CzasownikiWarsztatu czasowniki(*w);
    vesk::InterpreterView widok;
    vesk::Interpretator interpretator(*k, czasowniki, widok);
    k->TrybWsadowy = true;
    k->PlikRozkazowWsadowy = plikRozkazow;
    if (!interpretator.Podanienazwyplikuzrozkazami1Click()) {
        std::cerr << "Nie można odczytać pliku rozkazów " << argv[1] << "\n";
        return 2;
    }
    while (interpretator.PrzyciskAktywny() && !interpretator.ZatrzymanieSkryptu && !sygnal)
        interpretator.PrzyciskWykonaniaNastepnegoPoleceniaClick();
    if (sygnal) {
        std::cerr << (sygnal == SIGINT ? "Przerwano (SIGINT)" : "Przerwano (SIGTERM)")
                  << ": wykonanie zatrzymane po zakończonym wierszu, pliki operatora są spójne\n";
        return 128 + sygnal;
    }
    if (interpretator.OstatniBlad() || w->BladZapisu || k->BladUsuwaniaPliku) return 1;

    bool zadeklarowano = false;
    for (std::size_t i = 0; i < k->NazwyZmiennych.size(); ++i) {
        const std::string& nazwa = k->NazwyZmiennych[i].Uzytkownika;
        if (nazwa.empty()) continue;
        zadeklarowano = true;
        std::cout << vesk::cp1250ToUtf8(nazwa) << "\t"
                  << vesk::Wartosc_Zmiennej(*k, static_cast<int>(i) + 1) << "\n";
    }
    if (!zadeklarowano) std::cout << "x4\t" << vesk::Wartosc_Zmiennej(*k, 4) << "\n";
    return 0;
}
