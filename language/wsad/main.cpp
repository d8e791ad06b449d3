// vesk-wsad PLIK.roz [OPERATOR.tr1]: the batch run of a command file.
// Starts the core as the program does, opens the operator or creates it
// when absent, and told so (without one, "testint" in the operator folder,
// spelt so: a user's "Testint" is another operator; one there replaced,
// told as "utwórz plik" tells it),
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
// Messages go to stderr, "zapytaj" reads a line of stdin, ended by LF, CR
// LF or a lone CR (at its end one counts as Cancel, the next is a script
// error; a line over NajdluzszaOdpowiedz bytes, with a character code page
// 1250 lacks or a byte it gives no character, or stdin that cannot be read
// is a script error too); at the end stdout gets one line per declared
// variable: name, TAB, value.
//
// Exit status: 0 at the file's end or "stop", 1 after a script error (a
// called file found nowhere among them, though the run goes on past it) or
// a failed save of the operator's files, 2 when the arguments, the settings,
// the operator or the command file are unusable (an existing state file
// without its tree file among them: it is never replaced by a new
// operator; a command file with `raport` whose report cannot be written at
// its name too, before anything is opened or made), 128 + the signal after
// SIGINT (130), SIGTERM (143), SIGHUP, SIGQUIT, SIGUSR1 or SIGUSR2, which
// end the run once the current line is done, the operator's files
// consistent and the report file in place (a SIGHUP the run was started
// with ignored, as nohup starts it, stays ignored); 141 after a message
// meets a pipe its reader closed (SIGPIPE), which ends it the same way,
// or when the values meet it on stdout. The values that cannot be written
// to stdout otherwise (a full disk), or messages lost on a stderr that
// cannot be written, fail the run: status 1.
// A file-size limit (ulimit -f) fails the write that meets it, told as a
// failed save is, never a silent end by SIGXFSZ.
#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <clocale>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
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

extern "C" void zatrzymaj(int numer) {
    if (sygnal == 0) sygnal = numer;
}

// Every signal whose default would end the run mid-line only asks it to
// stop between lines; so does a pipe closed by its reader (SIGPIPE, the
// write then failing with EPIPE). Without SA_RESTART, so that a read or a
// write waiting when the stop is asked for (stdin, a stderr pipe nobody
// reads) returns at once. SIGHUP ignored at the start (nohup) stays so. A
// file-size limit fails the write with EFBIG, which is told, rather than
// ending the run by SIGXFSZ.
void przechwycSygnaly() {
    struct sigaction s {};
    s.sa_handler = zatrzymaj;
    sigemptyset(&s.sa_mask);
    s.sa_flags = 0;
    for (int numer : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGPIPE}) {
        struct sigaction dotad {};
        if (numer == SIGHUP && sigaction(numer, nullptr, &dotad) == 0 && dotad.sa_handler == SIG_IGN) continue;
        sigaction(numer, &s, nullptr);
    }
    std::signal(SIGXFSZ, SIG_IGN);
}

// Whether descriptor fd takes a write of PIPE_BUF bytes without waiting
// (a pipe nobody reads, once full, does not).
bool przyjmieBezCzekania(int fd) {
    pollfd p{fd, POLLOUT, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLOUT | POLLERR | POLLHUP | POLLNVAL));
}

// All of text written to descriptor fd: 0, or the error that stopped it.
// Once a stop is asked for, nothing waits for a reader: a write that is
// waiting returns (EINTR), and one that would wait is not begun.
int zapisz(int fd, std::string_view text) {
    while (!text.empty()) {
        if (sygnal && !przyjmieBezCzekania(fd)) return EINTR;
        const ssize_t n = ::write(fd, text.data(), sygnal ? std::min<std::size_t>(text.size(), PIPE_BUF) : text.size());
        if (n < 0 && errno == EINTR) {
            if (sygnal) return EINTR;
            continue;
        }
        if (n <= 0) return n < 0 ? errno : EIO;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

// A message lost on stderr that cannot be written (a full disk): the run
// does not end as done.
bool utraconyKomunikat = false;

// A line of UTF-8 on stderr. Its reader gone (EPIPE), the run stops after
// the current line as after SIGINT.
void naBledy(const std::string& tekst) {
    const int blad = zapisz(STDERR_FILENO, tekst + "\n");
    if (blad == EPIPE) zatrzymaj(SIGPIPE);
    else if (blad != 0) utraconyKomunikat = true;
}

class Konsola : public vesk::UserInterface {
public:
    void beep() override {}
    // The interpreter asks before each line: a signal stops the run there.
    bool stopRequested() override { return sygnal != 0; }
    void message(const std::string& text) override { naBledy(naKonsole(text)); }
    void progress(const std::string& text) override { naBledy(naKonsole(text)); }
    bool question(const std::string& text) override {
        // Once a signal has asked for the stop, the interpreter's question
        // whether to end (the window's) is not the run's: it ends after
        // its line and says so once.
        if (sygnal) return true;
        naBledy(naKonsole(text) + " (tak)");
        return true;
    }
    std::optional<std::string> inputText(const std::string& caption, const std::string& prompt,
                                         const std::string&) override {
        naBledy(naKonsole(caption) + ": " + naKonsole(prompt));
        // The run is stopping (its messages have no reader): no answer is
        // waited for.
        if (sygnal) return std::nullopt;
        // One answer is bounded: an endless line (/dev/zero) ends the run
        // rather than filling the memory. A CR ends it as LF does; the LF
        // of a CR LF is taken with the next answer, so that no read waits
        // for what may never come.
        std::string line;
        int c = 0;
        while ((c = znak()) >= 0) {
            if (c == '\n' && poCr_ && line.empty()) {
                poCr_ = false;
                continue;
            }
            poCr_ = c == '\r';
            if (c == '\n' || c == '\r') break;
            if (line.size() == vesk::NajdluzszaOdpowiedz)
                // "odpowiedź dłuższa niż 65536 bajtów"
                throw vesk::BladSkryptu(vesk::BladSkryptu::Rodzaj::Wykonanie,
                                        "odpowied\x9F d\xB3u\xBFsza ni\xBF " + std::to_string(vesk::NajdluzszaOdpowiedz) +
                                            " bajt\xF3w");
            line += static_cast<char>(c);
        }
        if (c == BladOdczytu)
            // "nie można odczytać odpowiedzi ze standardowego wejścia: to jest folder"
            throw vesk::BladSkryptu(vesk::BladSkryptu::Rodzaj::Wykonanie,
                                    "nie mo\xBFna odczyta\xE6 odpowiedzi ze standardowego wej\x9C" "cia: " +
                                        vesk::fileErrorText(bladOdczytu_));
        // Stopped by a signal while waiting: the run ends after this line.
        if (c == Przerwany) return std::nullopt;
        if (c == Koniec && line.empty()) {
            koniec_ = true;
            return std::nullopt;
        }
        // Read as a line of a text file is: code page 1250 or UTF-8, and
        // never a character turned into "?"; one that reads either way as
        // the last answer that told its encoding.
        const vesk::TextFileLines t = vesk::textFileLines(line, vesk::LoneCr::InLine, {}, kodowanie_);
        if (t.decided != vesk::LineEncoding::Ascii) kodowanie_ = t.decided;
        if (t.refusal == vesk::TextFileLines::Refusal::None) return t.lines.empty() ? std::string() : t.lines[0];
        // "odpowiedź (...) ma znak ... spoza strony kodowej 1250", "odpowiedź nie jest tekstem"
        throw vesk::BladSkryptu(vesk::BladSkryptu::Rodzaj::Wykonanie,
                                t.character.empty() ? "odpowied\x9F nie jest tekstem (ma bajty zerowe)"
                                : t.refusal == vesk::TextFileLines::Refusal::UnusedByte
                                    // "ma bajt \x83, któremu strona kodowa 1250 nie przypisuje znaku"
                                    ? "odpowied\x9F (" + t.text + ") ma bajt " + t.character +
                                          ", kt\xF3remu strona kodowa 1250 nie przypisuje znaku"
                                    : "odpowied\x9F (" + t.text + ") ma znak " + t.character +
                                          " spoza strony kodowej 1250");
    }
    bool inputEnded() override { return koniec_; }

private:
    static constexpr int Koniec = -1, BladOdczytu = -2, Przerwany = -3;
    // The next byte of stdin, or Koniec, BladOdczytu (bladOdczytu_ says
    // why: stdin a folder) or Przerwany by a signal.
    int znak() {
        while (pozycja_ == bufor_.size()) {
            const ssize_t n = ::read(STDIN_FILENO, odebrane_, sizeof odebrane_);
            if (n == 0) return Koniec;
            if (n < 0 && errno == EINTR) {
                if (sygnal) return Przerwany;
                continue;
            }
            if (n < 0) {
                bladOdczytu_ = errno;
                return BladOdczytu;
            }
            bufor_ = std::string_view(odebrane_, static_cast<std::size_t>(n));
            pozycja_ = 0;
        }
        return static_cast<unsigned char>(bufor_[pozycja_++]);
    }

    bool koniec_ = false;
    bool poCr_ = false;  // the last answer ended with a CR
    vesk::LineEncoding kodowanie_ = vesk::LineEncoding::Ascii;  // of the answers that told it
    char odebrane_[4096] = {};
    std::string_view bufor_;
    std::size_t pozycja_ = 0;
    int bladOdczytu_ = 0;
};

// A file name of the command line in code page 1250; nothing, told on
// stderr, for a name the core cannot carry unchanged.
std::optional<std::string> nazwaPliku(const char* argument) {
    std::optional<std::string> nazwa = vesk::fileNameToCp1250(argument);
    if (!nazwa) naBledy(naKonsole(vesk::unusableFileNameMessage(argument)));
    return nazwa;
}

// Tells what was done with the operator of this tree file, named in full.
void powiedz(const char* co, const std::string& plikDrzewa) {
    naBledy(co + vesk::cp1250ToUtf8(vesk::fullPath(plikDrzewa)));
}

// A refusal of the operator's name or of the command file, told on
// stderr: status 2.
int odmowa(const std::string& powod) {
    naBledy(naKonsole(powod));
    return 2;
}

// "Przerwano (SIGTERM)": the signal that stopped the run.
std::string przerwano() { return std::string("Przerwano (SIG") + ::sigabbrev_np(sygnal) + ")"; }

int uzycie() {
    naBledy("użycie: vesk-wsad PLIK.roz [OPERATOR.tr1]");
    return 2;
}

int uruchom(int argc, char** argv) {
    przechwycSygnaly();
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
    // or opened, and so is its report's name when it has a `raport` line.
    if (const vesk::WierszeRozkazow plik = vesk::WierszePlikuRozkazowDoWykonania(plikRozkazow); !plik.powod.empty())
        return odmowa(plik.powod);

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
    // A lock taken for an operator then neither opened nor created (a
    // refusal, an exception) goes with the lock file it made.
    struct Porzucenie {
        vesk::Warsztat& w;
        bool otwarty = false;
        ~Porzucenie() {
            if (!otwarty) w.PorzucBlokade();
        }
    } porzucenie{*w};
    try {
        if (argc == 2) {
            // The program's own name, spelt so: a user's "Testint" is another operator.
            const vesk::OperatorZNazwy o = vesk::ZnajdzOperatora(vesk::joinPath(k->catKARTOPERATORA, "testint.tr1"),
                                                                 vesk::FormaNazwy::PlikDrzewa, gdzie,
                                                                 vesk::CelNazwy::UtworzenieWPisowni);
            if (!o.powod.empty()) return odmowa(o.powod);
            k->TrybWsadowy = true;
            k->NazwaOperatoraWsadowego = "testint";
            // (Replacing a testint there is told by the creation.)
            w->Nowy1Click();
            if (k->SciezkaOperatora.empty() || w->Drzewo.Pusty()) return 2;
            if (!w->Zastapiony) powiedz("utworzono nowy operator ", k->PlikDrzewa);
        } else {
            vesk::OperatorZNazwy o = vesk::ZnajdzOperatora(*operatora, vesk::FormaNazwy::PlikDrzewa, gdzie);
            if (!o.powod.empty()) return odmowa(o.powod);
            // A state file without its tree is never replaced by a new operator.
            // What a killed creation over it left is removed and named.
            // A folder in the tree's place is named as the open names it.
            const auto bezDrzewa = [&] {
                std::string t = (o.cudzy.empty() ? "Brak pliku drzewa " + o.sciezka + "tr1 obok istniej\xB9" "cego pliku stanu " + o.stan
                                                 : o.cudzy) +
                                " - operator nie zosta\xB3 utworzony";
                const std::vector<std::string> usuniete = w->UsunPozostalosciTworzenia(o);
                for (std::size_t i = 0; i < usuniete.size(); ++i)
                    t += (i ? ", " : "; usuni\xEAto pliki pozostawione przez przerwane tworzenie operatora: ") + usuniete[i];
                return odmowa(t);
            };
            if (!o.istnieje() && !o.stan.empty()) return bezDrzewa();
            // Whether the operator exists is asked again under its lock, so
            // that a second run cannot create it again over the first one's;
            // its tree as found, never another copy spelt otherwise.
            const std::string sciezka = o.sciezka;
            const std::string plikDrzewa = o.drzewo.empty() ? sciezka + "tr1" : o.drzewo;
            if (!w->ZablokujOperatora(plikDrzewa)) return 2;
            o = vesk::ZnajdzOperatora(plikDrzewa, vesk::FormaNazwy::Znaleziony);
            if (!o.powod.empty()) return odmowa(o.powod);
            if (o.sciezka != sciezka)
                return odmowa("Operator " + plikDrzewa + " zmieni\xB3 si\xEA w trakcie otwierania (" + o.sciezka +
                              "tr1) - nic nie utworzono ani nie otwarto");
            if (o.istnieje()) {
                vesk::Wczytaj_Plik(*w, o.drzewo.empty() ? plikDrzewa : o.drzewo);
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
        porzucenie.otwarty = true;
    } catch (const std::exception& e) {
        naBledy(vesk::cp1250ToUtf8(vesk::exceptionText(e)));
        return 2;
    }

    vesk::CzasownikiWarsztatu czasowniki(*w);
    vesk::InterpreterView widok;
    vesk::Interpretator interpretator(*k, czasowniki, widok);
    k->TrybWsadowy = true;
    k->PlikRozkazowWsadowy = plikRozkazow;
    // A file that cannot be read now has been told, with the reason.
    if (!interpretator.Podanienazwyplikuzrozkazami1Click()) return 2;
    while (interpretator.PrzyciskAktywny() && !interpretator.ZatrzymanieSkryptu && !sygnal)
        interpretator.PrzyciskWykonaniaNastepnegoPoleceniaClick();
    if (sygnal) {
        naBledy(przerwano() + ": wykonanie zatrzymane po zakończonym wierszu, pliki operatora są spójne");
        return 128 + sygnal;
    }
    if (interpretator.OstatniBlad() || w->BladZapisu || k->BladUsuwaniaPliku) return 1;

    // The values are written whole, or the run fails saying why.
    std::string wyniki;
    bool zadeklarowano = false;
    for (std::size_t i = 0; i < k->NazwyZmiennych.size(); ++i) {
        const std::string& nazwa = k->NazwyZmiennych[i].Uzytkownika;
        if (nazwa.empty()) continue;
        zadeklarowano = true;
        wyniki += vesk::cp1250ToUtf8(nazwa) + "\t" + vesk::Wartosc_Zmiennej(*k, static_cast<int>(i) + 1) + "\n";
    }
    if (!zadeklarowano) wyniki += "x4\t" + vesk::Wartosc_Zmiennej(*k, 4) + "\n";
    if (const int blad = zapisz(STDOUT_FILENO, wyniki); blad != 0) {
        // A stop asked for while the values waited for their reader.
        naBledy("Nie można zapisać wyników na standardowe wyjście: " +
                (blad == EINTR && sygnal ? przerwano() : vesk::cp1250ToUtf8(vesk::fileErrorText(blad))));
        return blad == EPIPE ? 128 + SIGPIPE : blad == EINTR && sygnal ? 128 + sygnal : 1;
    }
    return utraconyKomunikat ? 1 : 0;
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
        naBledy("vesk-wsad: przerwano - " + powod);
        return 2;
    }
}
