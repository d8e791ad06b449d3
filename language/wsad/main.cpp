// vesk-wsad PLIK.roz [OPERATOR.tr1]: the batch run of a command file.
// Starts the core as the program does, opens the operator or creates it
// when absent, and told so (without one, "testint" in the operator folder),
// opens the command file without a dialog and presses the step button
// until the run ends. The operator is named as every path names one
// (ZnajdzOperatora, NazwaOperatora.h): blanks around the name dropped, any
// argument that is no tree file (or has a control character) refused, a
// name without a folder spelt
// exactly in the working folder, then in the operator folder of VE-SK.INI,
// else in another letter case in the one, then the other; an operator
// folder of VE-SK.INI that is ambiguous or missing is refused, naming its
// line, rather than an operator made in the working folder in its place.
// A file name that code page 1250 cannot spell (not UTF-8, as a Windows
// archive unpacks Polish names) is refused, never taken for another.
// Messages go to stderr, "zapytaj" reads a line of stdin (at its end one
// counts as Cancel, the next is a script error; a line over
// NajdluzszaOdpowiedz bytes or with a character code page 1250 lacks is a
// script error too); at the end
// stdout gets one line per declared variable: name, TAB, value.
//
// Exit status: 0 at the file's end or "stop", 1 after a script error (a
// called file found nowhere among them, though the run goes on past it) or
// a failed save of the operator's files, 2 when the arguments, the settings,
// the operator or the command file are unusable (an existing state file
// without its tree file among them: it is never replaced by a new
// operator), 130 or 143 after SIGINT or SIGTERM, which end the run once
// the current line is done, the operator's files consistent.
#include <fcntl.h>

#include <cerrno>
#include <csignal>
#include <clocale>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BladSkryptu.h"
#include "CodePage.h"
#include "IoError.h"
#include "CzasownikiWarsztatu.h"
#include "FileSystem.h"
#include "Inicjalizacja.h"
#include "Interpretator.h"
#include "Kontekst.h"
#include "NazwaOperatora.h"
#include "OperacjeJezyka.h"
#include "Paths.h"
#include "TextFileLines.h"
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
        // One answer is bounded: an endless line (/dev/zero) ends the run
        // rather than filling the memory.
        std::string line;
        int c = 0;
        while ((c = std::cin.get()) != std::char_traits<char>::eof() && c != '\n') {
            if (line.size() == vesk::NajdluzszaOdpowiedz)
                // "odpowiedź dłuższa niż 65536 bajtów"
                throw vesk::BladSkryptu(vesk::BladSkryptu::Rodzaj::Wykonanie,
                                        "odpowied\x9F d\xB3u\xBFsza ni\xBF " + std::to_string(vesk::NajdluzszaOdpowiedz) +
                                            " bajt\xF3w");
            line += static_cast<char>(c);
        }
        if (c == std::char_traits<char>::eof() && line.empty()) {
            koniec_ = true;
            return std::nullopt;
        }
        // Read as a line of a text file is: code page 1250 or UTF-8, and
        // never a character turned into "?".
        const vesk::TextFileLines t = vesk::textFileLines(line, vesk::LoneCr::InLine);
        if (t.refusal == vesk::TextFileLines::Refusal::None) return t.lines.empty() ? std::string() : t.lines[0];
        // "odpowiedź (...) ma znak ... spoza strony kodowej 1250", "odpowiedź nie jest tekstem"
        throw vesk::BladSkryptu(vesk::BladSkryptu::Rodzaj::Wykonanie,
                                t.character.empty() ? "odpowied\x9F nie jest tekstem (ma bajty zerowe)"
                                                    : "odpowied\x9F (" + t.text + ") ma znak " + t.character +
                                                          " spoza strony kodowej 1250");
    }
    bool inputEnded() override { return koniec_; }

private:
    bool koniec_ = false;
};

// A file name of the command line in code page 1250; nothing, told on
// stderr, for a name the core cannot carry unchanged.
std::optional<std::string> nazwaPliku(const char* argument) {
    std::optional<std::string> nazwa = vesk::fileNameToCp1250(argument);
    if (!nazwa) std::cerr << naKonsole(vesk::unusableFileNameMessage(argument)) << "\n";
    return nazwa;
}

// Tells what was done with the operator of this tree file, named in full.
void powiedz(const char* co, const std::string& plikDrzewa) {
    std::cerr << co << vesk::cp1250ToUtf8(vesk::fullPath(plikDrzewa)) << "\n";
}

// A refusal of the operator's name or of the command file, told on
// stderr: status 2.
int odmowa(const std::string& powod) {
    std::cerr << naKonsole(powod) << "\n";
    return 2;
}

int uzycie() {
    std::cerr << "użycie: vesk-wsad PLIK.roz [OPERATOR.tr1]\n";
    return 2;
}

int uruchom(int argc, char** argv) {
    if (argc < 2 || argc > 3) return uzycie();
    const std::optional<std::string> rozkazy = nazwaPliku(argv[1]);
    const std::optional<std::string> operatora = argc == 3 ? nazwaPliku(argv[2]) : std::string();
    if (!rozkazy || !operatora) return 2;
    const std::string plikRozkazow = *rozkazy;
    if (plikRozkazow.empty()) return uzycie();
    // An argument that names no tree file is refused before anything is
    // read or made (the operator itself is found once the settings are).
    if (argc == 3)
        if (const vesk::OperatorZNazwy o = vesk::ZnajdzOperatora(*operatora, vesk::FormaNazwy::PlikDrzewa);
            o.odmowa == vesk::OdmowaNazwy::Pusta || o.odmowa == vesk::OdmowaNazwy::NiePlikDrzewa ||
            o.odmowa == vesk::OdmowaNazwy::ZnakSterujacy)
            return odmowa(o.powod);

    // The command file is looked at before anything is read, made, created
    // or opened.
    if (const vesk::WierszeRozkazow plik = vesk::WierszePlikuRozkazow(plikRozkazow); !plik.powod.empty())
        return odmowa(plik.powod);

    przechwycSygnaly();
    Konsola ui;
    auto k = std::make_unique<vesk::Kontekst>(ui);
    if (!vesk::Inicjalizacja(*k) || !vesk::WczytajOgraniczenia(*k)) return 2;
    // The sheet's decimal separator from the user's locale.
    std::setlocale(LC_NUMERIC, "");
    if (const std::lconv* l = std::localeconv(); l && l->decimal_point && l->decimal_point[0])
        k->SeparatorDziesietny = l->decimal_point[0];
    std::setlocale(LC_NUMERIC, "C");

    auto w = std::make_unique<vesk::Warsztat>(*k);
    // The operator named as every path names it: a name without a folder
    // spelt exactly in the working folder, then in the operator folder of
    // VE-SK.INI, else in another letter case in the one, then the other
    // (an operator folder that is ambiguous or missing refused, naming its
    // line, rather than an operator made in its place).
    const vesk::KatalogOperatorow gdzie = w->katalogOperatorow();
    try {
        if (argc == 2) {
            const vesk::OperatorZNazwy o = vesk::ZnajdzOperatora(
                vesk::joinPath(k->catKARTOPERATORA, "testint.tr1"), vesk::FormaNazwy::PlikDrzewa, gdzie);
            if (!o.powod.empty()) return odmowa(o.powod);
            k->TrybWsadowy = true;
            k->NazwaOperatoraWsadowego = "testint";
            w->Nowy1Click();
            if (k->SciezkaOperatora.empty() || w->Drzewo.Pusty()) return 2;
            powiedz("utworzono nowy operator ", k->PlikDrzewa);
        } else {
            vesk::OperatorZNazwy o = vesk::ZnajdzOperatora(*operatora, vesk::FormaNazwy::PlikDrzewa, gdzie);
            if (!o.powod.empty()) return odmowa(o.powod);
            // A state file without its tree is never replaced by a new operator.
            // What a killed creation over it left is removed and named.
            const auto bezDrzewa = [&] {
                std::string t = "Brak pliku drzewa " + o.sciezka + "tr1 obok istniej\xB9" "cego pliku stanu " + o.stan +
                                " - operator nie zosta\xB3 utworzony";
                const std::vector<std::string> usuniete = w->UsunPozostalosciTworzenia(o);
                for (std::size_t i = 0; i < usuniete.size(); ++i)
                    t += (i ? ", " : "; usuni\xEAto pliki pozostawione przez przerwane tworzenie operatora: ") + usuniete[i];
                return odmowa(t);
            };
            if (!o.istnieje() && !o.stan.empty()) return bezDrzewa();
            // Whether the operator exists is asked again under its lock, so
            // that a second run cannot create it again over the first one's.
            const std::string sciezka = o.sciezka;
            if (!w->ZablokujOperatora(sciezka)) return 2;
            o = vesk::ZnajdzOperatora(sciezka, vesk::FormaNazwy::Rdzen);
            if (!o.powod.empty()) return odmowa(o.powod);
            if (o.sciezka != sciezka)
                return odmowa("Operator " + sciezka + "tr1 zmieni\xB3 si\xEA w trakcie otwierania (" + o.sciezka +
                              "tr1) - nic nie utworzono ani nie otwarto");
            if (o.istnieje()) {
                vesk::Wczytaj_Plik(*w, sciezka + "tr1");
                // Opened under another spelling than the argument's (its
                // folder's included, when it has one): said.
                const std::string folder = vesk::folderPart(*operatora);
                if (vesk::fileNamePart(k->PlikDrzewa) != vesk::fileNamePart(*operatora) ||
                    (!folder.empty() && vesk::folderPart(k->PlikDrzewa) != folder))
                    powiedz("otwarto operator ", k->PlikDrzewa);
            } else if (!o.stan.empty()) {
                return bezDrzewa();
            } else {
                vesk::Utworz_Plik(*w, sciezka + "tr1");
                powiedz("utworzono nowy operator ", k->PlikDrzewa);
            }
        }
    } catch (const std::exception& e) {
        std::cerr << vesk::cp1250ToUtf8(vesk::exceptionText(e)) << "\n";
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

}  // namespace

// What no step could go on from (the code page converter of the system
// that cannot be loaded among it) ends the run with its reason, status 2.
int main(int argc, char** argv) {
    // Started with standard input, output or error closed (as a job runner
    // may start it), the lock, state and report files would take their
    // numbers and the messages would land in them: each closed one is
    // /dev/null before anything else is opened.
    for (int fd = 0; fd <= 2; ++fd)
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF && open("/dev/null", O_RDWR) != fd) return 2;
    try {
        return uruchom(argc, argv);
    } catch (const std::exception& e) {
        std::string powod = vesk::exceptionText(e);
        try {
            powod = vesk::cp1250ToUtf8(powod);
        } catch (const std::exception&) {
            // Told as it is: the converter is what failed.
        }
        std::cerr << "vesk-wsad: przerwano - " << powod << "\n";
        return 2;
    }
}
