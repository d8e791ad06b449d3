#include "Interpretator.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <exception>
#include <filesystem>

#include "CodePage.h"
#include "IoError.h"
#include "FileSystem.h"
#include "Paths.h"
#include "Real48.h"
#include "ReplaceFile.h"
#include "SlowaRozkazu.h"
#include "TekstWiersza.h"
#include "TextFileLines.h"
#include "ZmienneSkryptu.h"

namespace vesk {

namespace {

// "Czy zakończyć wykonywanie skryptu ?"
constexpr const char* PytanieOZakonczenie = "Czy zako\xF1" "czy\xE6 wykonywanie skryptu ?";
// "błąd w skrypcie! - brak pliku rozkazów"
constexpr const char* BrakPlikuRozkazow = "b\xB3\xB9" "d w skrypcie! - brak pliku rozkaz\xF3w";
// "koniec danych wejściowych: nie można już odpowiedzieć"
constexpr const char* KoniecWejscia = "koniec danych wej\x9C" "ciowych: nie mo\xBFna ju\xBF odpowiedzie\xE6";
// "Wprowadź wartość zmiennej"
constexpr const char* TytulZapytania = "Wprowad\x9F warto\x9C\xE6 zmiennej";
// "Pogląd programu sterowania eksperymentem "
constexpr const char* PodpisOtwarcia = "Pogl\xB9" "d programu sterowania eksperymentem ";
constexpr const char* TytulDialogu = "Podanie nazwy pliku z rozkazami";
// "Pliki rozkazów (*.roz)|*.ROZ"
constexpr const char* FiltrDialogu = "Pliki rozkaz\xF3w (*.roz)|*.ROZ";
// "węzeł"
constexpr const char* Wezel = "w\xEAze\xB3";

std::string slowo(const std::string& linia, int n) { return Ekstrakcja_Stringa(linia, n); }

// Whether a line, as the line loop has made it ready, is `raport`.
bool rozkazRaportu(const std::string& wiersz) { return Zaczyna(wiersz, "raport"); }

[[noreturn]] void blad(BladSkryptu::Rodzaj r, const std::string& powod) { throw BladSkryptu(r, powod); }

enum class Relacja { Wiekszy, WiekszyRowny, Mniejszy, MniejszyRowny, Rowny, Rozny, Nalezy, Brak };

Relacja relacja(const std::string& s) {
    struct Forma {
        const char *slowo, *symbol;
        Relacja r;
    };
    static const Forma formy[] = {
        {"greater_", ">", Relacja::Wiekszy},      {"great_eq", ">=", Relacja::WiekszyRowny},
        {"less____", "<", Relacja::Mniejszy},     {"less_eq_", "<=", Relacja::MniejszyRowny},
        {"equal___", "=", Relacja::Rowny},        {"notequal", "<>", Relacja::Rozny},
        {"nalezy__", "<|>", Relacja::Nalezy},
    };
    for (const Forma& f : formy)
        if (s == f.slowo || s == f.symbol) return f.r;
    return Relacja::Brak;
}

// The number at the start of a typed text ("2,5" gives 2, "" gives 0).
long double liczbaZPoczatku(const std::string& t) {
    std::size_t i = 0;
    while (i < t.size() && t[i] == ' ') ++i;
    const std::size_t start = i;
    auto cyfry = [&] {
        std::size_t n = 0;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++n;
        return n;
    };
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t n = cyfry();
    if (i < t.size() && t[i] == '.') {
        ++i;
        n += cyfry();
    }
    if (n == 0) return 0.0L;
    std::size_t koniec = i;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        if (cyfry() > 0) koniec = i;
    }
    return CzytajLiczbe(t.substr(start, koniec - start));
}

// A reason told as a message of its own ("Nie można ...").
std::string wielkaLitera(std::string tekst) {
    if (!tekst.empty()) tekst[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(tekst[0])));
    return tekst;
}

// The letter a decomposed (NFD) name shows without its accents: the
// Polish letters of code page 1250 that have one as their base letter.
char bezAkcentu(char c) {
    static constexpr std::string_view z = "\xB9\xE6\xEA\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xD1\xD3\x8C\x8F\xAF",
                                      na = "acenoszzACENOSZZ";
    const std::size_t i = z.find(c);
    return i == std::string_view::npos ? c : na[i];
}

// What a `call` finds in the folder of its path: the file spelt so, else
// the one file spelt otherwise; folders are passed over, as operator
// lookups do. Several files spelt otherwise are named (`kilka`); a file of
// the name written decomposed (NFD), which no path of the program can
// name, is given natively (`nfd`). A folder that cannot be listed, or an
// entry of the name that cannot be followed, leaves the path to its load,
// which says why (`niepewny`).
struct PlikWywolany {
    std::optional<std::string> plik;
    std::vector<std::string> kilka;
    std::string nfd;
    bool niepewny = false;
};

PlikWywolany znajdzWywolany(const std::string& sciezka) {
    PlikWywolany w;
    const std::string folder = folderPart(sciezka), nazwa = fileNamePart(sciezka);
    const std::optional<FolderEntries> e = folderEntries(folder);
    // No such folder holds no such file.
    w.niepewny = e ? std::any_of(e->unreadable.begin(), e->unreadable.end(),
                                 [&](const FolderEntries::Unreadable& u) { return equalNoCaseCp1250(u.name, nazwa); })
                   : lookupError() != 0;
    if (!e || w.niepewny) return w;
    for (const std::string& f : e->files) {
        if (f == nazwa) {
            w.plik = sciezka;
            return w;
        }
        if (equalNoCaseCp1250(f, nazwa)) w.kilka.push_back(joinPath(folder, f));
    }
    if (w.kilka.size() == 1) w.plik = w.kilka.front();
    if (w.kilka.size() <= 1) w.kilka.clear();
    std::string bez;
    for (char c : nazwa) bez += bezAkcentu(c);
    for (const std::string& n : e->unusable) {
        if (firstCombiningMark(n) == std::string::npos) continue;
        // The name without its accents (two bytes each, U+0300 to U+036F).
        std::string podstawa;
        for (std::size_t i = 0; i < n.size(); ++i)
            if (firstCombiningMark(std::string_view(n).substr(i, 2)) == 0) ++i;
            else podstawa += n[i];
        if (const std::optional<std::string> cp = utf8ToCp1250Exactly(podstawa); cp && equalNoCaseCp1250(*cp, bez))
            w.nfd = n;
    }
    return w;
}

}  // namespace

WierszeRozkazow WierszePlikuRozkazow(const std::string& nazwa) {
    // "Plik rozkazów "
    const std::string plik = "Plik rozkaz\xF3w " + nazwa;
    auto odmowa = [](std::string powod) { return WierszeRozkazow{{}, std::move(powod), {}}; };
    const std::optional<std::string> natywna = findExisting(nazwa);
    if (!natywna) {
        if (lookupError()) return odmowa(unreadableText(plik));
        const std::vector<std::string> inne = ambiguousMatches(nazwa);
        return odmowa(inne.empty() ? "Brak pliku rozkaz\xF3w " + nazwa : plik + ": " + ambiguousNameText(inne));
    }
    // Only a plain file of a sensible size is read: a device or a huge file
    // named in a line must not hang the run.
    const std::string nieOdczytany = "Nie mo\xBFna odczyta\xE6 pliku rozkaz\xF3w " + nazwa;
    std::error_code ec;
    const std::filesystem::file_type rodzaj = std::filesystem::status(*natywna, ec).type();
    if (ec) return odmowa(nieOdczytany + ": " + fileErrorText(ec.value()));
    if (rodzaj != std::filesystem::file_type::regular)
        // "nie jest zwykłym plikiem: to jest potok nazwany (FIFO)"
        return odmowa(plik + " nie jest zwyk\xB3ym plikiem: " + fileKindText(nazwa));
    const std::string zaDuzy = plik + " jest za du\xBFy: plik rozkaz\xF3w mo\xBF" "e mie\xE6 najwy\xBF" "ej 16 MB (" +
                               std::to_string(NajwiekszyPlikRozkazow) + " bajt\xF3w)";
    if (const std::uintmax_t n = std::filesystem::file_size(*natywna, ec); !ec && n > NajwiekszyPlikRozkazow)
        return odmowa(zaDuzy);
    BinaryFile f;
    std::optional<std::string> bajty;
    if (f.open(nazwa, BinaryFile::Mode::Read)) bajty = f.readRest(NajwiekszyPlikRozkazow);
    if (!bajty) return odmowa(withFileError(nieOdczytany));
    // Written by a Linux editor the file is UTF-8; "Unicode" of a Windows
    // editor is UTF-16 with its mark; the lines are code page 1250. A
    // comment may hold any character, and does not decide the encoding: it
    // does nothing with it (two files joined by cat leave a mark before it).
    const TextFileLines t = textFileLines(*bajty, LoneCr::EndsLine, [](const std::string& linia) {
        return Zaczyna(UsunZnakiPrzedRozkazem(Normalizuj_Wiersz(linia).Wiersz), "rem") ? 0 : std::string::npos;
    });
    if (t.refusal != TextFileLines::Refusal::None) return odmowa(textFileRefusal(t, plik, "rem"));
    const std::string wlasna = natywna->substr(natywna->find_last_of('/') + 1);
    return {t.lines, {}, folderPart(nazwa) + fileNameToCp1250(wlasna).value_or(fileNamePart(nazwa))};
}

std::string PlikRaportu(const std::string& pisownia) { return pisownia + ".txt"; }

std::string OdmowaPlikuRaportu(const std::string& plikRaportu) {
    // Named for the command file as it is spelt: the report of "T.roz" is
    // never "t.roz"'s.
    const ExactFileNames wPisowni;
    if (mayReplace(plikRaportu)) return {};
    return withFileError("nie mo\xBFna zapisa\xE6 pliku raportu " + plikRaportu);
}

WierszeRozkazow WierszePlikuRozkazowDoWykonania(const std::string& nazwa) {
    WierszeRozkazow plik = WierszePlikuRozkazow(nazwa);
    if (!plik.powod.empty()) return plik;
    // A line a false condition skips counts too: what the run will do is
    // not known before it.
    const bool raport = std::any_of(plik.linie.begin(), plik.linie.end(), [](const std::string& linia) {
        return rozkazRaportu(UsunZnakiPrzedRozkazem(Normalizuj_Wiersz(linia).Wiersz));
    });
    if (!raport) return plik;
    if (std::string powod = OdmowaPlikuRaportu(PlikRaportu(plik.plik)); !powod.empty())
        // "... - plik rozkazów r.roz nie został wykonany, nic nie zostało zmienione"
        return {{}, wielkaLitera(std::move(powod)) + " - plik rozkaz\xF3w " + nazwa +
                        " nie zosta\xB3 wykonany, nic nie zosta\xB3o zmienione",
                {}};
    return plik;
}

std::array<WierszSiatki, 20> WierszeZmiennych(const Kontekst& k) {
    std::array<WierszSiatki, 20> wiersze;
    for (std::size_t r = 0; r < wiersze.size(); ++r) {
        const std::string& nazwa = k.NazwyZmiennych[r].Uzytkownika;
        if (nazwa.empty()) continue;
        const double v = k.ZmienneSkryptu[r];
        wiersze[r].Nazwa = nazwa;
        try {
            wiersze[r].Wartosc = PostacStala(v, 10, Liczba_Miejsc_Dziesietnych(v));
        } catch (const BladSkryptu&) {
            wiersze[r].Wartosc = PostacNaukowa(v);
        }
    }
    return wiersze;
}

Interpretator::Interpretator(Kontekst& k, CzasownikiJezyka& czasowniki, InterpreterView& widok)
    : k_(k), czasowniki_(czasowniki), widok_(widok) {
    Losowanie.reseed(static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

Interpretator::~Interpretator() {
    // A report still open when the program ends (a run left at its
    // `break`) is put in place too.
    try {
        ZamknijRaport();
    } catch (const std::exception&) {
        // Nothing can be told any more.
    }
}

// ------------------------------------------------------------ the view

void Interpretator::pokazWidok() {
    widokWidoczny_ = true;
    widok_.show();
}

void Interpretator::ukryjWidok() {
    widokWidoczny_ = false;
    widok_.hide();
}

void Interpretator::ustawPrzycisk(bool aktywny) {
    przycisk_ = aktywny;
    widok_.stepButton(aktywny);
}

void Interpretator::ustawPodpis(const std::string& podpis) {
    podpis_ = podpis;
    widok_.setCaption(podpis);
}

void Interpretator::zaznacz(int start, int dlugosc) {
    zaznaczenieStart_ = start;
    zaznaczenieDlugosc_ = dlugosc;
    widok_.select(start, dlugosc);
}

void Interpretator::Pokaz_Zmienne() {
    const auto wiersze = WierszeZmiennych(k_);
    for (std::size_t r = 0; r < wiersze.size(); ++r)
        widok_.gridRow(static_cast<int>(r), wiersze[r].Nazwa, wiersze[r].Wartosc);
}

std::string Interpretator::tekstPliku(const PoziomWykonania& p) {
    std::string t;
    for (std::size_t i = 0; i < p.Linie.size(); ++i) {
        if (i > 0) t += "\r\n";
        t += p.Linie[i];
    }
    return t;
}

void Interpretator::ladujPlik(int L, const std::string& nazwa) {
    // A file run from its first line is refused with a report it could
    // not write.
    WierszeRozkazow plik = L == 0 ? WierszePlikuRozkazowDoWykonania(nazwa) : WierszePlikuRozkazow(nazwa);
    if (!plik.powod.empty()) blad(BladSkryptu::Rodzaj::Plik, plik.powod);
    PoziomWykonania& p = Poziomy[static_cast<std::size_t>(L)];
    p.NazwaPliku = nazwa;
    p.Pisownia = std::move(plik.plik);
    p.Linie = std::move(plik.linie);
    p.Nastepna = 0;
    p.Otwarty = true;
}

// ------------------------------------------------------------ the report file

void Interpretator::otworzRaport() {
    zamknijRaport();
    // Named for the command file as it is spelt, and taken as spelt: the
    // report of "T.roz" is never "t.roz"'s, nor is it replaced or removed
    // for it.
    const ExactFileNames wPisowni;
    plikRaportu_ = PlikRaportu(Poziomy[0].Pisownia);
    plikRaportuTymczasowy_ = plikRaportu_ + NewFileSuffix;
    // The new report is made new: what a killed run left at its name goes
    // (and is said), anything else someone put there stays, refused.
    const std::string nieUtworzono =
        "nie mo\xBFna utworzy\xE6 pliku raportu " + plikRaportu_ + " (plik " + plikRaportuTymczasowy_ + ")";
    // What stands at the report's own name is replaced only where any
    // whole-file write would replace it: never a pipe, a folder, a device
    // or a file the user made read-only (looked at before the run too;
    // asked again, as it may have come since).
    if (const std::string powod = OdmowaPlikuRaportu(plikRaportu_); !powod.empty())
        blad(BladSkryptu::Rodzaj::Plik, powod + " - nie zosta\xB3 zmieniony ani usuni\xEAty");
    switch (removeLeftover(plikRaportuTymczasowy_)) {
        case Leftover::None: break;
        case Leftover::Removed:
            k_.Okna->message("Usuni\xEAto plik " + plikRaportuTymczasowy_ +
                             " pozostawiony przez przerwane wykonanie skryptu");
            break;
        case Leftover::Refused:
            blad(BladSkryptu::Rodzaj::Plik,
                 withFileError(nieUtworzono) + " - nie zosta\xB3 zmieniony ani usuni\xEAty");
    }
    raport_ = std::make_unique<TextWriter>();
    if (!raport_->create(plikRaportuTymczasowy_)) {
        raport_.reset();
        blad(BladSkryptu::Rodzaj::Plik, withFileError(nieUtworzono));
    }
}

void Interpretator::porzucRaport() {
    const ExactFileNames wPisowni;
    raport_.reset();
    removeFile(plikRaportuTymczasowy_);
}

bool Interpretator::zamknijRaport() {
    if (!raport_) return true;
    const ExactFileNames wPisowni;
    const bool ok = raport_->close() && renameFile(plikRaportuTymczasowy_, plikRaportu_);
    raport_.reset();
    if (ok) return true;
    bladRaportu_ = failedWriteText("nie mo\xBFna zapisa\xE6 pliku raportu " + plikRaportu_, "plik raportu " + plikRaportu_);
    porzucRaport();
    return false;
}

bool Interpretator::ZamknijRaport() {
    if (zamknijRaport()) return true;
    k_.Okna->message(wielkaLitera(bladRaportu_));
    return false;
}

void Interpretator::zakonczRaport() {
    if (zamknijRaport()) return;
    BladSkryptu b(BladSkryptu::Rodzaj::Plik, wielkaLitera(bladRaportu_));
    b.BezMiejsca();
    throw b;
}

// ------------------------------------------------------------ opening

bool Interpretator::Podanienazwyplikuzrozkazami1Click() {
    // The run left goes with its report: the next file's notes are never
    // written into it.
    ZamknijRaport();
    widok_.setText("");
    for (PoziomWykonania& p : Poziomy) p.Otwarty = false;
    ZatrzymanieSkryptu = false;
    blad_.reset();
    std::string nazwa;
    if (k_.TrybWsadowy)
        nazwa = k_.PlikRozkazowWsadowy;
    else
        nazwa = k_.Okna->chooseFile(TytulDialogu, FiltrDialogu, false, FolderRoboczy(k_)).value_or("");
    ZapomnijNazwyZmiennych(k_);
    for (PoziomWykonania& p : Poziomy) {
        p.PozycjaZnaku = 0;
        p.NumerLinii = 0;
        p.Wykonuj = true;
        p.Zakoncz = true;
        p.GlebokoscIf = p.GlebokoscWhile = 0;
        p.IfPrawdziwy.fill(true);
        p.WhilePrawdziwy.fill(true);
        p.PoczatekWhile.fill(-1);
    }
    PoziomWywolania = 0;
    // (A file that cannot be found or read is refused with its reason.)
    if (nazwa.empty()) {
        ustawPrzycisk(false);
        return false;
    }
    try {
        ladujPlik(0, nazwa);
    } catch (const BladSkryptu& e) {
        k_.Okna->message(e.powod());
        ustawPrzycisk(false);
        return false;
    }
    ustawPodpis(PodpisOtwarcia + nazwa);
    pokazWidok();
    TrybKrokowy = true;
    widok_.setText(tekstPliku(Poziomy[0]));
    ustawPodpis(nazwa);
    ustawPrzycisk(true);
    return true;
}

// ------------------------------------------------------------ the line loop

void Interpretator::PrzyciskWykonaniaNastepnegoPoleceniaClick() {
    PoziomWywolania = 0;
    Poziomy[0].Zakoncz = true;
    bool przerwano = false;
    try {
        petla(0, przerwano);
    } catch (BladSkryptu& e) {
        obsluzBlad(e);
    }
}

void Interpretator::obsluzBlad(BladSkryptu& e) {
    blad_ = e;
    for (PoziomWykonania& p : Poziomy) {
        p.Otwarty = false;
        p.Zakoncz = true;
    }
    const bool raportZapisany = zamknijRaport();
    ustawPrzycisk(false);
    widok_.activity(nullptr);
    PoziomWywolania = 0;
    if (e.bezMiejsca()) {
        k_.Okna->message(e.powod());
        return;
    }
    k_.Okna->message("blad w skrypcie!\n" + e.plik() + ", wiersz " + std::to_string(e.numerWiersza()) + ": " +
                     e.wiersz() + "\nPrzyczyna: " + e.powod());
    // What the report file holds of the lines before is lost: said too.
    if (!raportZapisany) k_.Okna->message(wielkaLitera(bladRaportu_));
}

void Interpretator::petla(int L, bool& przerwano) {
    PoziomWykonania& p = Poziomy[static_cast<std::size_t>(L)];
    for (;;) {
        if (ZatrzymanieSkryptu) return;
        if (!p.Otwarty || p.Nastepna >= p.Linie.size()) {
            p.Otwarty = false;
            p.Zakoncz = true;
            ustawPrzycisk(false);
            if (L == 0) zakonczRaport();
            return;
        }
        if (!wykonaj(L, przerwano)) return;
        if (p.Zakoncz) return;
    }
}

void Interpretator::zatrzymaniePrzezUzytkownika(int L, bool& przerwano) {
    Poziomy[static_cast<std::size_t>(L)].Zakoncz = true;
    ustawPrzycisk(true);
    for (int i = L == 0 ? 0 : 1; i <= L; ++i) Poziomy[static_cast<std::size_t>(i)].Otwarty = false;
    ZatrzymanieSkryptu = true;
    if (L > 0) przerwano = true;
    // Stopped, the run has ended: what it noted is put in place.
    zakonczRaport();
}

bool Interpretator::wykonaj(int L, bool& przerwano) {
    PoziomWykonania& p = Poziomy[static_cast<std::size_t>(L)];
    std::string wiersz;
    try {
        p.Zrodlo = p.Linie[p.Nastepna];
        WierszZnormalizowany z = Normalizuj_Wiersz(p.Linie[p.Nastepna++]);
        wiersz = z.Wiersz;
        if (TrybKrokowy) {
            widok_.activity(nullptr);
            if (L == 0 || !widokWidoczny_) pokazWidok();
            Pokaz_Zmienne();
            // The band is looked at first; the user's stop request is
            // taken (and cleared) either way.
            const bool wPasie = widok_.cursorInStopBand();
            const bool zadano = k_.Okna->stopRequested();
            if ((wPasie || zadano) && k_.Okna->question(PytanieOZakonczenie)) {
                zatrzymaniePrzezUzytkownika(L, przerwano);
                return false;
            }
        } else {
            // Without tracing only a stop request can end a loop without end.
            if (k_.Okna->stopRequested() && k_.Okna->question(PytanieOZakonczenie)) {
                zatrzymaniePrzezUzytkownika(L, przerwano);
                return false;
            }
            if (wsk_.empty()) wsk_ = "+";
            else if (wsk_ == "+") wsk_ = " +";
            else if (wsk_ == " +") wsk_ = "  +";
            else if (wsk_ == "  +") wsk_.clear();
            widok_.activity(&wsk_);
        }
        ++p.NumerLinii;
        const int dlugosc = static_cast<int>(z.Wciecie.size() + z.Wiersz.size());
        zaznacz(p.PozycjaZnaku, dlugosc);
        p.PozycjaZnaku += dlugosc + 2;
        p.Wiersz = UsunZnakiPrzedRozkazem(z.Wiersz);
        widok_.echo(p.Wiersz);

        if (!Zaczyna(p.Wiersz, "rem")) {
            if (p.Wykonuj) {
                if (!Zaczyna(p.Wiersz, "deklaracja")) p.Wiersz = Podstaw_Nazwy_Zmiennych(k_, p.Wiersz);
                const std::string s1 = slowo(p.Wiersz, 1);
                if (s1 == "run") p.Zakoncz = false;
                if (s1 == "break") p.Zakoncz = true;
            }
            if (L == 0)
                sterowanieGlowne(L);
            else
                sterowanieWywolane(L);
            testOperatora(L);
        }
        if (!p.Wykonuj) return true;
        return rozkazy(L, przerwano);
    } catch (BladSkryptu& e) {
        if (e.plik().empty()) e.UstawMiejsce(p.NazwaPliku, p.NumerLinii, wiersz);
        throw;
    } catch (const std::exception& e) {
        BladSkryptu b(BladSkryptu::Rodzaj::Wykonanie, exceptionText(e));
        b.UstawMiejsce(p.NazwaPliku, p.NumerLinii, wiersz);
        throw b;
    }
}

// ------------------------------------------------------------ control flow

void Interpretator::sterowanieGlowne(int L) {
    PoziomWykonania& p = Poziomy[static_cast<std::size_t>(L)];
    const std::string s1 = slowo(p.Wiersz, 1);
    int& d = p.GlebokoscIf;
    int& w = p.GlebokoscWhile;
    auto ud = [](int i) { return static_cast<std::size_t>(i); };
    if (s1 == "endif") {
        if (d <= 0) blad(BladSkryptu::Rodzaj::Sterowanie, "endif bez otwartego if");
        bool warunki = true;
        for (int i = 1; i <= NajwiekszaGlebokosc; ++i) warunki = warunki && p.WhilePrawdziwy[ud(i)];
        if (warunki) {
            p.IfPrawdziwy[ud(d)] = true;
            --d;
            if (p.IfPrawdziwy[ud(d)] && p.WhilePrawdziwy[ud(w)]) p.Wykonuj = true;
        } else {
            --d;
        }
    }
    if (s1 == "while") {
        if (w >= NajwiekszaGlebokosc) blad(BladSkryptu::Rodzaj::Sterowanie, "wi\xEA" "cej ni\xBF 10 zagnie\xBF" "d\xBFonych while");
        ++w;
    }
    if (s1 == "if") {
        if (d >= NajwiekszaGlebokosc) blad(BladSkryptu::Rodzaj::Sterowanie, "wi\xEA" "cej ni\xBF 10 zagnie\xBF" "d\xBFonych if");
        ++d;
    }
    if (s1 == "else") {
        if (!p.IfPrawdziwy[ud(d)]) {
            p.IfPrawdziwy[ud(d)] = true;
            if (p.WhilePrawdziwy[ud(w)]) p.Wykonuj = true;
        } else {
            p.IfPrawdziwy[ud(d)] = false;
            p.Wykonuj = false;
        }
    }
    if (s1 == "endwhile") {
        if (w <= 0) blad(BladSkryptu::Rodzaj::Sterowanie, "endwhile bez otwartego while");
        p.WhilePrawdziwy[ud(w)] = true;
        if (p.IfPrawdziwy[ud(d)] && p.WhilePrawdziwy[ud(w - 1)]) p.Wykonuj = true;
        if (const int n = p.PoczatekWhile[ud(w)]; n >= 0) {
            p.PoczatekWhile[ud(w)] = -1;
            przewin(L, n);
        } else {
            --w;
        }
    }
}

void Interpretator::sterowanieWywolane(int L) {
    PoziomWykonania& p = Poziomy[static_cast<std::size_t>(L)];
    const std::string s1 = slowo(p.Wiersz, 1);
    if (s1 == "endif") {
        p.IfPrawdziwy[1] = true;
        if (p.WhilePrawdziwy[1]) p.Wykonuj = true;
    }
    if (s1 == "else") {
        if (!p.IfPrawdziwy[1]) {
            p.IfPrawdziwy[1] = true;
            if (p.WhilePrawdziwy[1]) p.Wykonuj = true;
        } else {
            p.IfPrawdziwy[1] = false;
            p.Wykonuj = false;
        }
    }
    if (s1 == "endwhile") {
        p.WhilePrawdziwy[1] = true;
        if (p.IfPrawdziwy[1]) p.Wykonuj = true;
        if (const int n = p.PoczatekWhile[1]; n >= 0) {
            p.PoczatekWhile[1] = -1;
            przewin(L, n);
        }
    }
}

void Interpretator::przewin(int L, int n) {
    PoziomWykonania& p = Poziomy[static_cast<std::size_t>(L)];
    p.Nastepna = 0;
    p.PozycjaZnaku = 0;
    p.NumerLinii = 0;
    for (int i = 0; i < n; ++i) {
        if (p.Nastepna >= p.Linie.size()) blad(BladSkryptu::Rodzaj::Plik, "plik rozkaz\xF3w sko\xF1" "czy\xB3 si\xEA przy przewijaniu");
        WierszZnormalizowany z = Normalizuj_Wiersz(p.Linie[p.Nastepna++]);
        ++p.NumerLinii;
        p.PozycjaZnaku += static_cast<int>(z.Wciecie.size() + z.Wiersz.size()) + 2;
        p.Wiersz = std::move(z.Wiersz);
        if (!Zaczyna(p.Wiersz, "deklaracja") && !(L == 0 && Zaczyna(p.Wiersz, "rem")))
            p.Wiersz = Podstaw_Nazwy_Zmiennych(k_, p.Wiersz);
    }
}

void Interpretator::testOperatora(int L) {
    PoziomWykonania& p = Poziomy[static_cast<std::size_t>(L)];
    const std::string& w = p.Wiersz;
    const Relacja r = relacja(slowo(w, 2));
    if (r == Relacja::Brak || !p.Wykonuj) return;
    const std::string s1 = slowo(w, 1);
    const bool test = s1 == "if" || s1 == "while";
    const std::string a = slowo(w, 3), b = slowo(w, 4), c = slowo(w, 5);
    if (test && (a.empty() || b.empty())) blad(BladSkryptu::Rodzaj::BrakOperandu, "warunek wymaga dwoch liczb");
    const std::string ta = a.empty() ? a : PodstawOperand(k_, a, PostacWartosci::Naukowa);
    const std::string tb = b.empty() ? b : PodstawOperand(k_, b, PostacWartosci::Naukowa);
    const std::string tc = c.empty() ? c : PodstawOperand(k_, c, PostacWartosci::Naukowa);
    if (!test) return;
    if (r == Relacja::Nalezy && c.empty())
        blad(BladSkryptu::Rodzaj::BrakOperandu, "nalezy__ wymaga trzech liczb");
    const long double x = Tekst_Na_Real(ta), y = Tekst_Na_Real(tb);
    bool wynik = false;
    switch (r) {
        case Relacja::Wiekszy: wynik = x > y; break;
        case Relacja::WiekszyRowny: wynik = x >= y; break;
        case Relacja::Mniejszy: wynik = x < y; break;
        case Relacja::MniejszyRowny: wynik = x <= y; break;
        case Relacja::Rowny: wynik = x == y; break;
        case Relacja::Rozny: wynik = x != y; break;
        case Relacja::Nalezy: wynik = x < y && y < Tekst_Na_Real(tc); break;
        case Relacja::Brak: break;
    }
    const std::size_t d = L == 0 ? static_cast<std::size_t>(p.GlebokoscIf) : 1;
    const std::size_t wh = L == 0 ? static_cast<std::size_t>(p.GlebokoscWhile) : 1;
    if (s1 == "if") {
        p.Wykonuj = false;
        p.IfPrawdziwy[d] = false;
        if (wynik) {
            p.IfPrawdziwy[d] = true;
            if (p.WhilePrawdziwy[wh]) p.Wykonuj = true;
        }
    } else {
        p.WhilePrawdziwy[wh] = false;
        p.Wykonuj = false;
        if (wynik) {
            p.WhilePrawdziwy[wh] = true;
            if (p.IfPrawdziwy[d]) p.Wykonuj = true;
            p.PoczatekWhile[wh] = p.NumerLinii;
        } else {
            p.PoczatekWhile[wh] = -1;
        }
    }
}

// ------------------------------------------------------------ commands

bool Interpretator::rozkazy(int L, bool& przerwano) {
    PoziomWykonania& p = Poziomy[static_cast<std::size_t>(L)];
    std::string& w = p.Wiersz;
    auto od = [&](std::size_t i) { return i < w.size() ? w.substr(i) : std::string(); };

    if (Zaczyna(w, "rem")) {
        ustawPodpis(L > 0 ? NazwaPlikuWywolanego + " : " + od(4) : od(4));
        return true;
    }
    if (Zaczyna(w, "deklaracja")) DeklarujZmienna(k_, slowo(w, 2));
    if (Zaczyna(w, "message")) k_.Okna->message(od(7));
    if (Zaczyna(w, "losuj x")) {
        const int n = NumerCelu(WymaganeSlowo(w, 2, "zmienna"));
        WartoscZapytania = static_cast<double>(Losowanie.draw(32000)) * 1.0 / 32000.0;
        UstawWartoscZmiennej(k_, n, WartoscZapytania);
    }
    if (Zaczyna(w, "zapytaj x")) {
        const std::string cel = WymaganeSlowo(w, 2, "zmienna");
        std::string nazwa;
        try {
            nazwa = k_.NazwyZmiennych[static_cast<std::size_t>(NumerCelu(cel) - 1)].Uzytkownika;
        } catch (const BladSkryptu&) {
        }
        const std::optional<std::string> odpowiedz = k_.Okna->inputText(TytulZapytania, nazwa, {});
        // At the end of the input one "zapytaj" counts as Cancel; the next
        // could never be answered, and a loop asking again would never end.
        if (!odpowiedz && k_.Okna->inputEnded()) {
            if (wejscieWyczerpane_) blad(BladSkryptu::Rodzaj::Wykonanie, KoniecWejscia);
            wejscieWyczerpane_ = true;
        }
        const std::string tekst = odpowiedz.value_or("");
        const int n = NumerCelu(cel);
        WartoscZapytania = static_cast<double>(liczbaZPoczatku(tekst));
        UstawWartoscZmiennej(k_, n, WartoscZapytania);
    }
    if (rozkazRaportu(w) && L == 0) otworzRaport();
    if (Zaczyna(w, "call") && !wywolaj(L, przerwano)) return false;
    const bool ln = Zaczyna(w, "ln x");
    if (ln || Zaczyna(w, "exp x")) {
        const int n = NumerCelu(WymaganeSlowo(w, 2, "zmienna"));
        long double v = roundToReal48(CzytajLiczbe(PodstawOperand(k_, WymaganeSlowo(w, 3, "liczba"), PostacWartosci::Naukowa)));
        if (ln && v <= 0) blad(BladSkryptu::Rodzaj::Arytmetyka, "logarytm liczby niedodatniej");
        v = roundToReal48(ln ? std::log(v) : std::exp(v));
        Ustaw_Zmienna(k_, n, PostacNaukowa(static_cast<double>(v)));
    }
    if (Zaczyna(w, "przypisz x")) {
        const int n = NumerCelu(WymaganeSlowo(w, 2, "zmienna"));
        Ustaw_Zmienna(k_, n, PodstawOperand(k_, WymaganeSlowo(w, 3, "warto\x9C\xE6"), PostacWartosci::Naukowa));
    }
    if (Zaczyna(w, "- x") || Zaczyna(w, "+ x") || Zaczyna(w, "/ x") || Zaczyna(w, "* x")) {
        const int n = NumerCelu(WymaganeSlowo(w, 2, "zmienna"));
        auto liczba = [&](int i) {
            return static_cast<double>(
                CzytajLiczbe(PodstawOperand(k_, WymaganeSlowo(w, i, "liczba"), PostacWartosci::Naukowa)));
        };
        const double a = liczba(3), b = liczba(4);
        double v = 0;
        switch (w[0]) {
            case '-': v = a - b; break;
            case '+': v = a + b; break;
            case '*': v = a * b; break;
            default:
                if (b == 0) blad(BladSkryptu::Rodzaj::Arytmetyka, "dzielenie przez zero");
                v = a / b;
        }
        if (!std::isfinite(v)) blad(BladSkryptu::Rodzaj::PozaZakresem, "wynik poza zakresem liczby");
        UstawWartoscZmiennej(k_, n, v);
    }
    // The file name keeps the letter case written: "T.tr1" beside "t.tr1"
    // is another operator.
    if (Zaczyna(w, "wczytaj plik")) czasowniki_.Wczytaj_Plik_Interpreter(ZPisowniaCudzyslowu(w, p.Zrodlo));
    if (Zaczyna(w, "utw\xF3rz plik")) czasowniki_.Utworz_Plik_Interpreter(ZPisowniaCudzyslowu(w, p.Zrodlo));
    if (slowo(w, 1) == Wezel) {
        const std::string s2 = slowo(w, 2);
        if (Zaczyna(s2, "ustaw")) czasowniki_.Ustaw_Wezel_Intepreter(w);
        if (Zaczyna(s2, "dodaj")) czasowniki_.Dodaj_Wezel_Intepreter(w);
        if (Zaczyna(s2, "kasuj")) czasowniki_.Kasuj_Wezel_Intepreter(w);
        if (Zaczyna(s2, "symuluj")) {
            czasowniki_.Symuluj_Wezel_Interpreter(w);
            if (L > 0) czasowniki_.OdswiezWskazniki();
        }
    }
    if (Zaczyna(w, "pokaz x")) czasowniki_.Pokaz_Zmienna_Interpreter(w);
    if (Zaczyna(w, "zanotuj x") && raport_) {
        // The report is lost with this line, and told once, by it.
        if (!raport_->writeLine(czasowniki_.Zanotuj_Zmienna_Interpreter(w))) {
            const std::string powod = withFileError("nie mo\xBFna zapisa\xE6 pliku raportu " + plikRaportu_);
            porzucRaport();
            blad(BladSkryptu::Rodzaj::Plik, powod);
        }
    }
    if (Zaczyna(w, "clear")) k_.ZmienneSkryptu.fill(0.0);
    if (Zaczyna(w, "zmiana")) {
        w = od(7);
        if (Zaczyna(w, "zlecenia")) czasowniki_.Zmiana_Zlecenia_Interpreter(w);
        if (Zaczyna(w, "cena")) czasowniki_.Zmiana_Ceny_Interpreter(w);
        if (Zaczyna(w, "zam\xF3wienia surowc\xF3w")) czasowniki_.Zmiana_Zamowienia_Surowcow_Interpreter(w);
        if (Zaczyna(w, "dywidenda")) czasowniki_.Zmiana_Dywidendy_Interpreter(w);
        if (Zaczyna(w, "zad\xB3u\xBF" "enie")) czasowniki_.Zmiana_Zadluzenia_Interpreter(w);
        if (Zaczyna(w, "emisja akcji")) czasowniki_.Zmiana_Emisji_Akcji_Interpreter(w);
        if (Zaczyna(w, "inwestycje")) czasowniki_.Zmiana_Inwestycji_interpreter(w);
        czasowniki_.Potwierdzenie();
    }
    if (Zaczyna(w, "odczyt")) {
        w = od(7);
        static const std::pair<const char*, const char*> pozycje[] = {
            {"wynik finansowy", "wynik finansowy"},
            {"rachunek rozliczeniowy", "rachunek rozliczeniowy"},
            {"zdolno\x9C\xE6 produkcyjna", "zdolno\x9C\xE6 produkcyjna"},
            {"sprzeda\xBF ilo\x9C" "ciowo", "sprzeda\xBF ilo\x9C" "ciowo"},
            {"wynik syntetyczny", "wynik syntetyczny"},
            {"wska\x9Fniki rentowno\x9C" "ci", "wska\x9Fniki rentowno\x9C" "ci"},
            {"wska\x9Fniki p\xB3ynno\x9C" "ci", "wska\x9Fniki p\xB3ynno\x9C" "ci"},
            {"wska\x9Fniki zad\xB3u\xBF" "enia", "wska\x9Fniki zad\xB3u\xBF" "enia"},
            {"wska\x9Fniki obrotowo\x9C" "ci", "wska\x9Fniki obrotowo\x9C" "ci"},
            {"rachunek wynik\xF3w", "rachunek wynik\xF3w"},
            {"bilans", "bilans"},
            {"produkcja", "produkcja"},
            {"zapas", "zapasy"},
            {"koszt", "koszty"},
            {"cash flow", "cash flow"},
            {"zmienne decyzyjne", "zmienne decyzyjne"},
        };
        for (const auto& [klucz, pozycja] : pozycje)
            if (Zaczyna(w, klucz)) czasowniki_.Odczyt_Interpreter(pozycja, w);
        if (Zaczyna(w, Wezel)) czasowniki_.Odczyt_Numeru_Wezla_Interpreter(w);
        if (Zaczyna(w, "ojciec")) czasowniki_.Odczyt_Numeru_Wezla_Ojca_Interpreter(w);
    }
    if (Zaczyna(w, "show")) {
        pokazWidok();
        TrybKrokowy = true;
    }
    if (Zaczyna(w, "hide")) {
        ukryjWidok();
        TrybKrokowy = false;
    }
    if (Zaczyna(w, "stop")) stop(L);
    return true;
}

void Interpretator::stop(int L) {
    PoziomWykonania& p = Poziomy[static_cast<std::size_t>(L)];
    widok_.activity(nullptr);
    p.Otwarty = false;
    p.Zakoncz = true;
    ustawPrzycisk(false);
    TrybKrokowy = false;
    if (p.Wiersz.size() >= 8 && p.Wiersz.compare(5, 3, "all") == 0) ukryjWidok();
    if (L == 0) zakonczRaport();
}

bool Interpretator::wywolaj(int L, bool& przerwano) {
    PoziomWykonania& p = Poziomy[static_cast<std::size_t>(L)];
    if (L >= NajwyzszyPoziom) blad(BladSkryptu::Rodzaj::Sterowanie, "call na najwy\xBFszym poziomie wywo\xB3" "a\xF1");
    p.StanPrzycisku = przycisk_;
    p.ZaznaczenieStart = zaznaczenieStart_;
    p.ZaznaczenieDlugosc = zaznaczenieDlugosc_;
    const std::string w = p.Wiersz;
    if (!slowo(w, 3).empty() && !slowo(w, 4).empty()) {
        Ustaw_Zmienna(k_, NumerCelu(slowo(w, 3)), PodstawOperand(k_, slowo(w, 4), PostacWartosci::Naukowa));
        if (!slowo(w, 5).empty() && !slowo(w, 6).empty())
            Ustaw_Zmienna(k_, NumerCelu(slowo(w, 5)), PodstawOperand(k_, slowo(w, 6), PostacWartosci::Naukowa));
    }
    // The called file as the line spells it (found as every file is: spelt
    // so first, then in another letter case), in the working folder, else
    // beside the calling file (where the user chose it in the dialog, or
    // named it with its folder).
    const WierszZnormalizowany linia = Normalizuj_Wiersz(p.Zrodlo);
    std::string nazwa = slowo(w, 2);
    if (const std::string napisana = slowo(UsunZnakiPrzedRozkazem(p.Zrodlo.substr(linia.Wciecie.size())), 2);
        Normalizuj_Wiersz(napisana).Wiersz == nazwa)
        nazwa = napisana;
    // (One that cannot be looked at is refused by its load, saying why.)
    auto jest = [](const PlikWywolany& z) { return z.plik || z.niepewny || !z.kilka.empty(); };
    std::string plik = nazwa;
    PlikWywolany z = nazwa.empty() ? PlikWywolany{} : znajdzWywolany(nazwa);
    if (!nazwa.empty() && !jest(z) && !isPathSeparator(nazwa.front()) && !folderPart(p.NazwaPliku).empty()) {
        PlikWywolany obok = znajdzWywolany(joinPath(folderPart(p.NazwaPliku), nazwa));
        if (jest(obok) || z.nfd.empty()) {
            plik = joinPath(folderPart(p.NazwaPliku), nazwa);
            z = std::move(obok);
        }
    }
    if (!z.kilka.empty()) blad(BladSkryptu::Rodzaj::Plik, "Plik rozkaz\xF3w " + plik + ": " + ambiguousNameText(z.kilka));
    if (!jest(z)) {
        // Told, naming the file as the line spells it (and why a file of
        // its name cannot serve, or that a TAB parts the words), and the
        // caller goes on; the run is then one that failed.
        // "(wywołany w ..., wiersz ...)"
        const std::string gdzie = "wywo\xB3" "any w " + p.NazwaPliku + ", wiersz " + std::to_string(p.NumerLinii);
        // A TAB, which parts no words, may stand before the name or in it
        // ("call\tceny.roz", "call \tceny.roz"): shown escaped, and said.
        const std::string& slowa = nazwa.empty() ? slowo(w, 1) : nazwa;
        const std::string tabulator =
            slowa.find('\t') == std::string::npos
                ? std::string()
                : " (s\xB3owa wiersza rozdziela spacja lub przecinek, nie tabulator" +
                      (nazwa.empty() ? ": " + readableCp1250Start(slowa, 60) : std::string()) + ")";
        // "po call nie ma nazwy pliku (słowa wiersza rozdziela spacja lub przecinek, nie tabulator: ...)"
        const std::string dlaczego = !z.nfd.empty()   ? ": " + unusableFileNameMessage(z.nfd)
                                     : !nazwa.empty() ? tabulator
                                                      : ": po call nie ma nazwy pliku" + tabulator;
        const std::string napis = nazwa.empty() ? "" : " " + readableCp1250Start(nazwa, nazwa.size());
        BladSkryptu b(BladSkryptu::Rodzaj::Plik, "brak pliku rozkaz\xF3w" + napis + dlaczego);
        b.UstawMiejsce(p.NazwaPliku, p.NumerLinii, linia.Wiersz);
        if (!blad_) blad_ = std::move(b);
        k_.Okna->message(BrakPlikuRozkazow + napis + dlaczego + " (" + gdzie + ")");
    } else {
        const std::size_t nowy = static_cast<std::size_t>(L + 1);
        ladujPlik(L + 1, z.plik.value_or(plik));
        PoziomWykonania& q = Poziomy[nowy];
        widok_.setText(tekstPliku(q));
        ustawPodpis(nazwa);
        NazwaPlikuWywolanego = nazwa;
        q.NumerLinii = 0;
        q.PozycjaZnaku = 0;
        // Entering the called file.
        bool przerwanoTam = false;
        PoziomWywolania = L + 1;
        q.Zakoncz = true;
        q.Wykonuj = true;
        for (std::size_t d = 1; d <= NajwiekszaGlebokosc; ++d) q.IfPrawdziwy[d] = q.WhilePrawdziwy[d] = true;
        q.GlebokoscIf = 0;
        petla(L + 1, przerwanoTam);
        q.Otwarty = false;
        if (przerwanoTam) {
            p.Zakoncz = true;
            ustawPrzycisk(false);
            if (L > 0)
                przerwano = true;
            else
                p.Otwarty = false;
            return false;
        }
    }
    PoziomWywolania = L;
    zaznacz(p.ZaznaczenieStart, p.ZaznaczenieDlugosc);
    widok_.setText(tekstPliku(p));
    ustawPodpis(p.NazwaPliku);
    ustawPrzycisk(p.StanPrzycisku);
    return true;
}

}  // namespace vesk
