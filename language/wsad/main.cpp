// vesk-wsad PLIK.roz [OPERATOR.tr1]: the batch run of a command file.
// Starts the core as the program does, opens the operator (its tree file,
// blanks around the name dropped; any other argument refused; a name without
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

// Tells what was done with the operator of this tree file, named in full.
void powiedz(const char* co, const std::string& plikDrzewa) {
    const std::string pelna = vesk::isPathSeparator(plikDrzewa.front())
                                  ? plikDrzewa
                                  : vesk::joinPath(vesk::currentFolder(), plikDrzewa);
    std::cerr << co << vesk::cp1250ToUtf8(pelna) << "\n";
}

// The operator argument taken as the window's dialog takes a name: blanks
// around the name dropped (before and after it, and before ".tr1"). It
// must name a tree file: ".tr1" in any letter case, a name before it.
// Nothing, told on stderr, otherwise: no operator is made of "Firma" or
// "T.qad", nor a hidden one of ".tr1".
std::optional<std::string> plikDrzewa(const std::string& argument) {
    const auto przytnij = [](const std::string& t) {
        const std::size_t a = t.find_first_not_of(' ');
        return a == std::string::npos ? std::string() : t.substr(a, t.find_last_not_of(' ') - a + 1);
    };
    const std::string calosc = przytnij(argument);
    const std::string folder = vesk::folderPart(calosc);
    const std::string nazwa = przytnij(calosc.substr(folder.size()));
    const bool zTr1 = nazwa.size() >= 4 && vesk::equalNoCaseCp1250(nazwa.substr(nazwa.size() - 4), ".tr1");
    const std::string rdzen = zTr1 ? przytnij(nazwa.substr(0, nazwa.size() - 4)) : nazwa;
    if (zTr1 && !rdzen.empty()) return folder + rdzen + nazwa.substr(nazwa.size() - 4);
    std::string przyklad = rdzen.empty() ? "firma" : rdzen;
    if (const std::size_t kropka = przyklad.rfind('.'); kropka != std::string::npos && przyklad.size() - kropka == 4)
        przyklad.erase(kropka);
    std::cerr << "Operator \"" << vesk::cp1250ToUtf8(argument) << "\" "
              << (zTr1 ? "nie ma nazwy przed \".tr1\"" : "nie jest plikiem drzewa (*.tr1)")
              << ": należy podać plik drzewa operatora, np. " << vesk::cp1250ToUtf8(folder + przyklad)
              << ".tr1 - nic nie utworzono ani nie otwarto\n";
    return std::nullopt;
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
    if (plikRozkazow.empty()) return uzycie();
    const std::optional<std::string> drzewa = argc == 3 ? plikDrzewa(*operatora) : std::string();
    if (!drzewa) return 2;
    std::string plikOperatora = *drzewa;

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
            powiedz("utworzono nowy operator ", k->PlikDrzewa);
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
                // Opened under another spelling than the argument's: said.
                if (vesk::fileNamePart(k->PlikDrzewa) != vesk::fileNamePart(*operatora))
                    powiedz("otwarto operator ", k->PlikDrzewa);
            } else if (vesk::fileExists(stan)) {
                std::cerr << "Brak pliku drzewa " << vesk::cp1250ToUtf8(plikOperatora) << " obok istniejącego pliku stanu "
                          << vesk::cp1250ToUtf8(stan) << " - operator nie został utworzony\n";
                return 2;
            } else {
                vesk::Utworz_Plik(*w, plikOperatora);
                powiedz("utworzono nowy operator ", k->PlikDrzewa);
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
