#include "ExpertSession.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "FileSystem.h"
#include "OcenaWskaznika.h"
#include "Pomocnicze.h"

namespace vesk {

namespace {

const char* const kCRLF = "\r\n";

std::string Rok(int y) { return LiczbaNaTekst(y, 4); }
std::string Liczba(long double v) { return RealNaTekst(v, 5, 3); }

// The value of one side for year k: the first item, then the second one
// joined by the first character of the operator column.
std::optional<long double> Strona(const TabelaWskaznikow& t, int r, int kolZrodlo, int kolPozycja, int kolOperator,
                                  int kolZrodlo2, int kolPozycja2, int rok, const OdczytPozycji& odczyt,
                                  std::string& nieznana) {
    const PozycjaWskaznika p1{t.Komorka(r, kolZrodlo), t.Komorka(r, kolPozycja)};
    auto x = odczyt(p1, rok);
    if (!x) {
        nieznana = p1.Tekst();
        return std::nullopt;
    }
    const std::string& op = t.Komorka(r, kolOperator);
    if (op.empty()) return x;
    const char c = op[0];
    if (c != '+' && c != '!' && c != '-' && c != '*' && c != '/') return x;
    const PozycjaWskaznika p2{t.Komorka(r, kolZrodlo2), t.Komorka(r, kolPozycja2)};
    auto y = odczyt(p2, rok);
    if (!y) {
        nieznana = p2.Tekst();
        return std::nullopt;
    }
    switch (c) {
        case '+':
        case '!': return *x + *y;
        case '-': return *x - *y;
        case '*': return *x * *y;
        default: return *y == 0 ? IlorazEksportu(*x, *y) : *x / *y;
    }
}

// A field as a diagnosis line shows it: a string its text whole (without
// its quotes and escapes, a control character as a blank), any other
// field its display form.
std::string Pole(const std::vector<std::string>& f, std::size_t i) {
    const std::string& p = f[i];
    if (p.empty() || p[0] != '"') return SymbolNaNazwe(p);
    std::string t;
    t.reserve(p.size());
    for (std::size_t k = 1; k < p.size(); ++k) {
        char c = p[k];
        if (c == '"') {
            t.append(p, k + 1);  // after the closing quote: nothing, or the mark of a cut
            break;
        }
        if (c == '\\' && k + 1 < p.size()) c = p[++k];
        t += static_cast<unsigned char>(c) < ' ' || c == 0x7F ? ' ' : c;
    }
    return t;
}

bool Zawiera(const std::string& s, const char* t) { return s.find(t) != std::string::npos; }

}  // namespace

namespace {

// Code page 1250 from 0x80 on: the ASCII letter that a letter with a
// diacritic becomes in a symbol, "-" for the no-break space; "." keeps the
// byte (signs, the multiplication and division signs, the sharp s).
constexpr char kLiteryAscii[] =
    "..........S.STZZ"   // 0x80
    "..........s.stzz"   // 0x90
    "-..L.A....S....Z"   // 0xA0
    "...l.....as.L.lz"   // 0xB0
    "RAAAALCCCEEEEIID"   // 0xC0
    "DNNOOOO.RUUUUYT."   // 0xD0
    "raaaalccceeeeiid"   // 0xE0
    "dnnoooo.ruuuuyt.";  // 0xF0
static_assert(sizeof kLiteryAscii == 129);

// The engine reads the token as a number: a sign, digits with a point,
// an exponent.
bool CzytanaJakoLiczba(const std::string& s) {
    std::size_t i = 0;
    auto cyfry = [&] {
        const std::size_t od = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        return i - od;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t mantysa = cyfry();
    if (i < s.size() && s[i] == '.') {
        ++i;
        mantysa += cyfry();
    }
    if (mantysa == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (cyfry() == 0) return false;
    }
    return i == s.size();
}

// A letter or a digit of a symbol: those of ASCII, and the two letters
// the symbol keeps as they are (the sharp s and the micro sign).
bool LiteraLubCyfra(char ch) {
    const unsigned char c = static_cast<unsigned char>(ch);
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0xDF || c == 0xB5;
}

}  // namespace

std::string NazwaNaSymbol(const std::string& nazwa) {
    std::string s;
    s.reserve(nazwa.size());
    for (const char ch : nazwa) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c <= ' ' || c == 0x7F || std::strchr("();\"&|~<?$", ch))
            s += '-';
        else if (c >= 0x80 && kLiteryAscii[c - 0x80] != '.')
            s += kLiteryAscii[c - 0x80];
        else
            s += ch;
    }
    return s;
}

std::optional<std::string> NazwaBezSymbolu(const std::string& nazwa) {
    const std::string s = NazwaNaSymbol(nazwa);
    if (s.empty()) return std::string("jest pusta");
    const unsigned char c = static_cast<unsigned char>(s[0]);
    if (c >= 0x80 && c <= 0xBF)
        return "zaczyna si\xEA znakiem \x84" + s.substr(0, 1) +
               "\x94, od kt\xF3rego symbol silnika regu\xB3 zaczyna\xE6 si\xEA nie mo\xBF" "e";
    for (const char ch : s)
        if (static_cast<unsigned char>(ch) >= 0xF8)
            return "zawiera znak \x84" + std::string(1, ch) + "\x94, kt\xF3rego silnik regu\xB3 nie czyta w symbolu";
    if (CzytanaJakoLiczba(s)) return std::string("jest dla silnika regu\xB3 liczb\xB9");
    // "=" alone in a fact starts a call of a function ("=(...)").
    if (s == "=")
        return std::string("jest dla silnika regu\xB3 pocz\xB9tkiem wywo\xB3" "ania funkcji, nie warto\x9C" "ci\xB9");
    if (s.size() > 2 && s.front() == '[' && s.back() == ']')
        return std::string("jest w nawiasach [ ], a tak\xB9 silnik regu\xB3 czyta jako nazw\xEA instancji");
    // Dashes and signs alone ("---" of three blanks, "-" of "~") tell the
    // rules nothing of the indicator, and one such name is easily another's.
    if (std::none_of(s.begin(), s.end(), LiteraLubCyfra)) return std::string("nie ma ani litery, ani cyfry");
    return std::nullopt;
}

std::string SymbolNaNazwe(const std::string& symbol) {
    std::string s = symbol;
    for (char& c : s)
        if (c == '-') c = ' ';
    return s;
}

long double IlorazEksportu(long double a, long double b) {
    // The two stand-ins are the double constants, printed as such.
    if (b == 0) return a >= 0 ? static_cast<long double>(3.4e38) : static_cast<long double>(1.5e-45);
    return a / b;
}

namespace {

// When two indicators of the set have one symbol form (the engine tells
// symbols apart by their bytes, case and all): why they cannot be
// exported, naming both and the symbol.
std::optional<std::string> JedenSymbolDwochNazw(const TabelaWskaznikow& t) {
    std::unordered_map<std::string, const std::string*> symbole;
    for (int r = 2; r <= t.LiczbaWskaznikow; ++r) {
        const std::string& nazwa = t.Komorka(r, kol::Nazwa);
        std::string s = NazwaNaSymbol(nazwa);
        if (s.empty()) continue;  // refused as empty once exported, and matches no fact
        const auto [jest, nowy] = symbole.emplace(std::move(s), &nazwa);
        if (!nowy)
            return "nazwy wska\x9Fnik\xF3w \"" + *jest->second + "\" i \"" + nazwa +
                   "\" maj\xB9 jedn\xB9 posta\xE6 symbolu silnika regu\xB3, \"" + jest->first +
                   "\", a regu\xB3y nie odr\xF3\xBFni\xB3yby tych wska\x9Fnik\xF3w; zmie\xF1 jedn\xB9 z tych nazw "
                   "w zestawie";
    }
    return std::nullopt;
}

}  // namespace

FaktyEksportu TekstFaktow(const DaneEksportu& d) {
    FaktyEksportu wynik;
    std::string& o = wynik.Tekst;
    // Every indicator of the set counts, those left out below too: a
    // diagnosis is listed under the indicator its symbol names.
    if (const std::optional<std::string> dwie = JedenSymbolDwochNazw(*d.Tabela))
        wynik.Blad = "Nie wyeksportowano wska\x9Fnik\xF3w: " + *dwie;
    // Every name goes to the engine as a symbol: one that cannot stops the
    // export, named, before the engine would refuse the whole file.
    auto symbol = [&wynik](const std::string& nazwa) {
        if (const std::optional<std::string> powod = NazwaBezSymbolu(nazwa); powod && wynik.Blad.empty())
            wynik.Blad = "Nie wyeksportowano wska\x9Fnik\xF3w: nazwy wska\x9Fnika \"" + nazwa +
                         "\" nie mo\xBFna zapisa\xE6 jako symbolu silnika regu\xB3: jej posta\xE6 \"" + NazwaNaSymbol(nazwa) +
                         "\" " + *powod + "; zmie\xF1 t\xEA nazw\xEA w zestawie";
        return NazwaNaSymbol(nazwa);
    };
    o += "(deffacts trojka-lat \"numery lat\"";
    o += kCRLF;
    o += "\t(years (rok1 " + Rok(d.Rok1) + ") (rok2 " + Rok(d.Rok1 + 1) + ") (rok3 " + Rok(d.Rok1 + 2) + ")))";
    o += kCRLF;
    o += kCRLF;

    o += "(deffacts progi \"progi wskaznikow ekonomicznych\"";
    o += kCRLF;
    const bool dwaProgi = d.Relacja == "x<>" || d.Relacja == "x><";
    const bool progiLiczbami = LiczbaProgu(d.Prog1).has_value() && (!dwaProgi || LiczbaProgu(d.Prog2).has_value());
    if (!d.Wybrany.empty() && progiLiczbami) {
        const std::string n = symbol(d.Wybrany);
        if (dwaProgi) {
            o += "\t(prog-dolny (nazwa-progu " + n + ") (wartosc " + d.Prog1 + "))";
            o += kCRLF;
            o += "\t(prog-gorny (nazwa-progu " + n + ") (wartosc " + d.Prog2 + "))";
        } else {
            o += "\t(prog (nazwa-progu " + n + ") (wartosc " + d.Prog1 + "))";
        }
    }
    o += ")";
    o += kCRLF;
    o += kCRLF;

    o += "(deffacts wskazniki \"wskazniki ekonomiczne\"";
    o += kCRLF;
    std::vector<std::string> bloki;
    const TabelaWskaznikow& t = *d.Tabela;
    for (int r = 2; r <= t.LiczbaWskaznikow; ++r) {
        long double w[4] = {0, 0, 0, 0};
        std::string nieznana;
        bool dobry = true;
        for (int k = 1; k <= 3 && dobry; ++k) {
            auto licznik = Strona(t, r, kol::ZrodloLicznika1, kol::PozycjaLicznika1, kol::OperatorLicznika,
                                  kol::ZrodloLicznika2, kol::PozycjaLicznika2, k, d.Odczyt, nieznana);
            auto mianownik = licznik ? Strona(t, r, kol::ZrodloMianownika1, kol::PozycjaMianownika1,
                                              kol::OperatorMianownika, kol::ZrodloMianownika2,
                                              kol::PozycjaMianownika2, k, d.Odczyt, nieznana)
                                     : std::nullopt;
            if (!licznik || !mianownik) {
                dobry = false;
                break;
            }
            w[k] = IlorazEksportu(*licznik, *mianownik);
        }
        if (!dobry) {
            wynik.Log.push_back("pomini\xEAto wska\x9Fnik " + t.Komorka(r, kol::Nazwa) + ": nieznana pozycja " +
                                nieznana);
            continue;
        }
        std::string b = "\t(wskaznik (nazwa-wskaznika " + symbol(t.Komorka(r, kol::Nazwa)) + ")" + kCRLF;
        for (int k = 1; k <= 3; ++k)
            b += "\t(rok" + std::to_string(k) + " " + Rok(d.Rok1 - 1 + k) + ")(wartosc" + std::to_string(k) + " " +
                 Liczba(w[k]) + ")" + kCRLF;
        const std::pair<const char*, long double> dyn[6] = {
            {"dynamika-1-2", IlorazEksportu(w[2], w[1])},        {"dynamika-1-3", IlorazEksportu(w[3], w[2])},
            {"dynamika-2-2", IlorazEksportu(w[2], w[2] - w[1])}, {"dynamika-2-3", IlorazEksportu(w[3], w[3] - w[2])},
            {"dynamika-3-2", IlorazEksportu(w[2], w[1])},        {"dynamika-3-3", IlorazEksportu(w[3], w[1])}};
        for (const auto& [nazwa, q] : dyn) b += std::string("\t(") + nazwa + " " + Liczba(q) + ")" + kCRLF;
        bloki.push_back(std::move(b));
    }
    for (std::size_t i = 0; i < bloki.size(); ++i) {
        o += bloki[i];
        o += i + 1 < bloki.size() ? "\t)" : "\t))";
        o += kCRLF;
    }
    if (bloki.empty()) {
        o += ")";
        o += kCRLF;
    }
    return wynik;
}

namespace {

// The names a rule file of an indicator may have, in the order they are
// looked for.
std::vector<std::string> NazwyPlikuRegul(const std::string& katalogOperatora, const std::string& katalogProgramu,
                                         const std::string& nazwaZestawu, const std::string& wskaznik) {
    const std::string zZestawem = "regu\xB3y-" + nazwaZestawu + "-" + wskaznik + ".clp";
    const std::string bez = "regu\xB3y-" + wskaznik + ".clp";
    std::vector<std::string> nazwy;
    // An operator opened by its bare name has the working folder, written
    // as no folder at all (its state and facts files go there too).
    for (const std::string* katalog : {&katalogOperatora, &katalogProgramu}) {
        if (!nazwaZestawu.empty()) nazwy.push_back(*katalog + zZestawem);
        nazwy.push_back(*katalog + bez);
    }
    return nazwy;
}

// The kind of a file that is taken by something else than a regular file
// ("to jest folder", ...); nothing for a regular file or none.
std::optional<std::string> NieZwyklyPlik(const std::string& nazwa) {
    std::string rodzaj = fileKindText(nazwa);
    if (rodzaj.empty()) return std::nullopt;
    return rodzaj;
}

}  // namespace

// A name taken by something else than a regular file ends the search: the
// user's own entry is not passed over for the program's rules.
std::optional<std::string> resolveRuleFile(const std::string& katalogOperatora, const std::string& katalogProgramu,
                                           const std::string& nazwaZestawu, const std::string& wskaznik) {
    for (const std::string& n : NazwyPlikuRegul(katalogOperatora, katalogProgramu, nazwaZestawu, wskaznik)) {
        // One that cannot be looked at is no missing one: its load says why.
        if (fileExists(n) || lookupError()) return n;
        if (NieZwyklyPlik(n)) break;
    }
    return std::nullopt;
}

std::optional<std::string> NieczytelnyPlikRegul(const std::string& katalogOperatora, const std::string& katalogProgramu,
                                                const std::string& nazwaZestawu, const std::string& wskaznik) {
    for (const std::string& n : NazwyPlikuRegul(katalogOperatora, katalogProgramu, nazwaZestawu, wskaznik)) {
        if (fileExists(n) || lookupError()) break;
        if (const std::optional<std::string> rodzaj = NieZwyklyPlik(n))
            return "Nie wczytano pliku regu\xB3 " + n + ": " + *rodzaj + ", a plik regu\xB3 musi by\xE6 zwyk\xB3ym plikiem";
    }
    return std::nullopt;
}

std::optional<std::string> LiniaDiagnozy(const std::vector<std::string>& f) {
    if (f.empty()) return std::nullopt;
    const std::string& f0 = f[0];
    const std::string s0 = "==> " + Pole(f, 0);
    auto potrzeba = [&](std::size_t n) { return f.size() >= n; };
    if (Zawiera(f0, "diagnoza-dla-roku")) {
        if (!potrzeba(3)) return std::nullopt;
        return s0 + " : " + Pole(f, 1) + " : " + Pole(f, 2);
    }
    if (Zawiera(f0, "diagnoza-dla-lat")) {
        if (!potrzeba(4)) return std::nullopt;
        return s0 + " : " + Pole(f, 1) + "-" + Pole(f, 2) + " : " + Pole(f, 3);
    }
    if (f0.rfind("wysok", 0) == 0 || Zawiera(f0, "dobr") || Zawiera(f0, "niewystarczajac") || Zawiera(f0, "nisk") ||
        Zawiera(f0, "zbyt-wysok") || Zawiera(f0, "ujemn") || Zawiera(f0, "dodat")) {
        if (Zawiera(f0, "we-wszystkich-latach")) {
            if (!potrzeba(3)) return std::nullopt;
            return s0 + " " + Pole(f, 1) + "-" + Pole(f, 2);
        }
        if (!potrzeba(2)) return std::nullopt;
        return s0 + " " + Pole(f, 1);
    }
    if (Zawiera(f0, "wzr") || Zawiera(f0, "spa")) {
        if (!potrzeba(4)) return std::nullopt;
        return s0 + " " + Pole(f, 1) + " " + Pole(f, 2) + "-" + Pole(f, 3);
    }
    if (Zawiera(f0, "stabil")) {
        if (!potrzeba(4)) return std::nullopt;
        return s0 + " " + Pole(f, 2) + "-" + Pole(f, 3);
    }
    if (f0 == "caly-czas-dobrze") {  // caught by "dobr" above; kept as the listing's own row
        if (!potrzeba(3)) return std::nullopt;
        return s0 + " " + Pole(f, 1) + "-" + Pole(f, 2);
    }
    if (Zawiera(f0, "utra")) {
        if (!potrzeba(4)) return std::nullopt;
        return s0 + " " + Pole(f, 1) + " " + Pole(f, 2) + "-" + Pole(f, 3);
    }
    return std::nullopt;
}

std::string WskaznikFaktu(const std::vector<std::string>& pola,
                          const std::vector<std::pair<std::string, std::string>>& wskazniki,
                          const std::string& wybrany) {
    for (const std::string& pole : pola) {
        const std::pair<std::string, std::string>* najdluzszy = nullptr;
        for (const auto& w : wskazniki) {
            const std::string& s = w.first;
            const bool pasuje = pole == s || (pole.size() > s.size() && pole.compare(0, s.size(), s) == 0 &&
                                              pole[s.size()] == '-');
            if (!s.empty() && pasuje && (!najdluzszy || s.size() > najdluzszy->first.size())) najdluzszy = &w;
        }
        if (najdluzszy) return najdluzszy->second;
    }
    return wybrany;
}

namespace {

// A log line cut to its bound, in a buffer of its own size (a string cut
// in place would keep the whole line's memory).
std::string LiniaLogu(const std::string& l) {
    return l.substr(0, ExpertSession::WierszLogu - std::strlen(kSandboxCutMark)) + kSandboxCutMark;
}

const char* const kLogPrzyciety = "\x85 wcze\x9Cniejsze wiersze dziennika usuni\xEAto (dziennik sesji ma granic\xEA)";

}  // namespace

std::optional<std::vector<std::string>> LinieDiagnoz(const std::vector<std::vector<std::string>>& fakty,
                                                     const std::vector<std::pair<std::string, std::string>>& wskazniki,
                                                     const std::string& wybrany, const std::function<bool()>& dalej) {
    std::vector<std::string> linie;
    for (std::size_t i = 0; i < fakty.size(); ++i) {
        if (i % KrokDalej == KrokDalej - 1 && dalej && !dalej()) return std::nullopt;
        if (auto linia = LiniaDiagnozy(fakty[i]))
            linie.push_back("==> " + WskaznikFaktu(fakty[i], wskazniki, wybrany) + ": " + linia->substr(4));
    }
    return linie;
}

std::optional<std::size_t> DolaczDiagnozy(std::vector<std::string>& lista, const std::vector<std::string>& nowe,
                                          const std::function<bool()>& dalej, std::size_t najwiecej) {
    SpisDiagnoz spis(najwiecej, std::size_t(-1));
    if (!spis.Zastap(lista, dalej)) return std::nullopt;
    const std::optional<SpisDiagnoz::Dolaczenie> w = spis.Dolacz(nowe, dalej);
    if (!w) return std::nullopt;
    lista = spis.Wiersze();
    return w->Pominiete;
}

bool DolaczWnioski(ExpertSession& e, SpisDiagnoz& lista) {
    const std::optional<SpisDiagnoz::Dolaczenie> w = lista.Dolacz(e.Diagnozy(), [&e] { return e.Dalej(); }, true);
    e.WyczyscDiagnozy();
    if (!w) return false;  // stopped: the list as it was
    const std::string granice = std::to_string(lista.NajwiecejWierszyListy()) + " wierszy lub " +
                                std::to_string(lista.NajwiecejBajtowListy() >> 20) + " MB";
    if (w->OdNowa)
        e.Zglos("Lista diagnoz przekroczy\xB3" "aby " + granice +
                "; wcze\x9Cniejsze diagnozy usuni\xEAto, zacz\xEAto j\xB9 od nowa");
    if (w->Pominiete > 0)
        e.Zglos("Lista diagnoz ma najwy\xBF" "ej " + granice + "; pomini\xEAto diagnoz: " + std::to_string(w->Pominiete));
    return true;
}

namespace {

// A CLIPS message's own first line: "[" capitals and digits "] ".
bool LiniaBleduSilnika(std::string_view l) {
    if (l.size() < 4 || l[0] != '[') return false;
    std::size_t i = 1;
    while (i < l.size() && ((l[i] >= 'A' && l[i] <= 'Z') || (l[i] >= '0' && l[i] <= '9'))) ++i;
    return i > 1 && i < l.size() && l[i] == ']';
}

constexpr std::size_t kWierszeKomunikatu = 8;
constexpr std::size_t kWierszeSilnika = 5;
constexpr std::size_t kDlugoscWierszaKomunikatu = 240;

}  // namespace

std::string KomunikatSilnika(const std::string& tekst) {
    // Lines as the screen breaks them.
    const std::string blad = screenLines(tekst);
    std::vector<std::string_view> linie;
    for (std::size_t p = 0;;) {
        const std::size_t k = blad.find('\n', p);
        linie.push_back(std::string_view(blad).substr(p, k == std::string::npos ? std::string::npos : k - p));
        if (k == std::string::npos) break;
        p = k + 1;
    }
    if (linie.size() <= kWierszeKomunikatu)
        return shortenedText(blad, kWierszeKomunikatu, kDlugoscWierszaKomunikatu);
    std::size_t od = 1;
    for (std::size_t i = 1; i < linie.size(); ++i)
        if (LiniaBleduSilnika(linie[i])) {
            od = i;
            break;
        }
    std::string m(linie[0]);
    const std::size_t do_ = std::min(linie.size(), od + kWierszeSilnika);
    for (std::size_t i = od; i < do_; ++i) (m += '\n') += linie[i];
    m = shortenedText(m, kWierszeKomunikatu, kDlugoscWierszaKomunikatu);
    m += "\n(ca\xB3y tekst silnika w dzienniku CLIPS)";
    return m;
}

ExpertSession::ExpertSession(std::string katalogOperatora, std::string katalogProgramu, UserInterface& ui)
    : katalogOperatora_(std::move(katalogOperatora)), katalogProgramu_(std::move(katalogProgramu)), ui_(ui) {}

void ExpertSession::Pokaz(const std::string& tekst) {
    const std::string text = screenLines(tekst);
    const std::string krotki = KomunikatSilnika(text);
    if (krotki != text) {
        // The whole text in the log, but for a first line the operation
        // has logged already.
        const std::size_t koniec = text.find('\n');
        std::size_t p = !log_.empty() && log_.back() == text.substr(0, koniec) ? koniec : 0;
        while (p != std::string::npos && p <= text.size()) {
            if (text[p] == '\n') ++p;
            const std::size_t n = text.find('\n', p);
            Dopisz(text.substr(p, n == std::string::npos ? std::string::npos : n - p));
            p = n;
        }
        PrzytnijLog();
    }
    ui_.message(krotki);
}

void ExpertSession::Dopisz(std::string linia) {
    if (linia.size() > WierszLogu) linia = LiniaLogu(linia);
    log_.push_back(std::move(linia));
}

void ExpertSession::PrzytnijLog() {
    ++zmianyLogu_;
    // Lines are only added at the end between two calls: those are looked at.
    dopisane_ += log_.size() - std::min(sprawdzone_, log_.size());
    for (std::size_t i = std::min(sprawdzone_, log_.size()); i < log_.size(); ++i) {
        std::string& l = log_[i];
        if (l.size() > WierszLogu) l = LiniaLogu(l);
        bajtyLogu_ += l.size();
    }
    sprawdzone_ = log_.size();
    if (bajtyLogu_ <= BajtyLogu && log_.size() <= WierszeLogu) return;
    // The newest lines stay, the oldest go down to three quarters of the bounds.
    std::size_t zostaje = 0;
    bajtyLogu_ = 0;
    while (zostaje < log_.size()) {
        const std::size_t b = log_[log_.size() - 1 - zostaje].size();
        if (bajtyLogu_ + b > BajtyLogu / 4 * 3 || zostaje + 1 > WierszeLogu / 4 * 3) break;
        bajtyLogu_ += b;
        ++zostaje;
    }
    log_.erase(log_.begin(), log_.end() - static_cast<std::ptrdiff_t>(zostaje));
    log_.insert(log_.begin(), kLogPrzyciety);
    ++przyciecia_;
    bajtyLogu_ += log_.front().size();
    sprawdzone_ = log_.size();
}

std::optional<ExpertSession::ZmianaLogu> ExpertSession::ZmianaOd(const StanLogu& pokazany) const {
    const StanLogu teraz = Stan();
    // Lines not yet counted (added since the last cut of the bounds), or
    // all of it anew: shown whole.
    if (teraz.Wyczyszczenia != pokazany.Wyczyszczenia || sprawdzone_ != log_.size()) return std::nullopt;
    const std::size_t dopisane = static_cast<std::size_t>(teraz.Dopisane - pokazany.Dopisane);
    if (teraz.Przyciecia == pokazany.Przyciecia) {
        if (pokazany.Wierszy + dopisane != log_.size()) return std::nullopt;
        return ZmianaLogu{0, dopisane, false};
    }
    // After a cut: its line, the newest of the lines shown, all lines added.
    if (log_.size() < 1 + dopisane || log_.size() - 1 - dopisane > pokazany.Wierszy) return std::nullopt;
    return ZmianaLogu{pokazany.Wierszy - (log_.size() - 1 - dopisane), dopisane, true};
}

void ExpertSession::DopiszLog(const std::string& linia) {
    Dopisz(linia);
    PrzytnijLog();
}

void ExpertSession::WyczyscLog() {
    log_.clear();
    sprawdzone_ = bajtyLogu_ = 0;
    ++zmianyLogu_;
    ++wyczyszczenia_;
}

bool ExpertSession::Dalej() {
    if (przerwane_) return false;
    if (WTrakcie) WTrakcie();
    if (przerwij_) {
        przerwane_ = true;
        DopiszLog("Przerwano wnioskowanie: zatrzymane przez u\xBFytkownika");
        return false;
    }
    if (std::chrono::steady_clock::now() - poczatek_ > std::chrono::seconds(Limity.WallSeconds)) {
        przerwane_ = true;
        const std::string m = "Przerwano wnioskowanie: przekroczono \xB3\xB9" "czny czas wnioskowania z odczytem "
                              "wynik\xF3w (" + std::to_string(Limity.WallSeconds) + " s)";
        Zglos(m);
        return false;
    }
    return true;
}

// An operation asked for while another one waits for the engine (from a
// timer of the window) is dropped with a log line.
bool ExpertSession::Zajety() {
    if (zajety_) DopiszLog("silnik regu\xB3 jest zaj\xEAty; polecenie pomini\xEAte");
    return zajety_;
}

bool ExpertSession::Wykonaj(std::vector<SandboxStep> kroki, bool wynikBiegu, SandboxResult& wynik) {
    if (Zajety()) return false;
    struct Zajety {
        bool& z;
        explicit Zajety(bool& b) : z(b) { z = true; }
        ~Zajety() { z = false; }
    } zajety(zajety_);
    SandboxJob z;
    z.Steps = std::move(kroki);
    z.WantFacts = z.WantConstructs = wynikBiegu;
    z.Limits = Limity;
    przerwij_ = false;
    wynik = silnik_.Do(z, [this] {
        if (WTrakcie) WTrakcie();
        return !przerwij_;
    });
    log_.insert(log_.end(), wynik.Log.begin(), wynik.Log.end());
    // What rules printed (t, stdout, the listings) only goes to the log.
    if (!wynik.Printed.empty()) DopiszSilnika(wynik.Printed);
    if (!wynik.Ok) {
        // The program's own facts file failing to load after the rule
        // file: the rule file lacks the templates the facts are made of.
        const int k = wynik.FailedStep;
        if (k > 0 && static_cast<std::size_t>(k) < z.Steps.size() &&
            z.Steps[static_cast<std::size_t>(k)].What == SandboxStep::Kind::LoadAppend &&
            z.Steps[static_cast<std::size_t>(k)].File == plikFaktow_) {
            const std::size_t silnika = wynik.Error.find('\n');
            wynik.Error = "Plik regu\xB3 " + z.Steps[static_cast<std::size_t>(k) - 1].File +
                          " nie ma szablon\xF3w fakt\xF3w programu (years, prog, wskaznik \x85); nie wczytano pliku "
                          "fakt\xF3w " + plikFaktow_ +
                          (silnika == std::string::npos ? std::string() : ":" + wynik.Error.substr(silnika));
        }
        const std::string blad = screenLines(wynik.Error);
        log_.push_back(blad.substr(0, blad.find('\n')));
        wnioskowanie_ = false;  // the engine's state went with its child
    }
    PrzytnijLog();
    if (!wynik.Ok && !wynik.Stopped) Pokaz(wynik.Error);
    // A run tells the engine's text with its diagnoses; another operation
    // with its own headline.
    if (wynik.Ok && !wynikBiegu && (wynik.Halted || !wynik.EngineMessages.empty()))
        TekstSilnika("Silnik regu\xB3 wykona\xB3 polecenie; wypisa\xB3 komunikaty, kt\xF3re go nie zatrzyma\xB3y:",
                     wynik.EngineMessages);
    return wynik.Ok;
}

void ExpertSession::DopiszSilnika(const std::string& tekst) {
    // A line of the engine's text, its start and end kept, fits a log line.
    static_assert(std::size("CLIPS: ") - 1 + kSandboxLineBytes <= WierszLogu);
    const std::string linie = screenLines(tekst);
    for (std::size_t p = 0; p <= linie.size();) {
        const std::size_t n = std::min(linie.find('\n', p), linie.size());
        Dopisz("CLIPS: " + linie.substr(p, n - p));
        p = n + 1;
    }
}

void ExpertSession::TekstSilnika(const std::string& naglowek, const std::string& tekst) {
    DopiszSilnika(tekst);
    Dopisz(naglowek);
    PrzytnijLog();
    ui_.message(KomunikatSilnika(naglowek + "\n" + tekst));
}

void ExpertSession::Zglos(const std::string& komunikat) {
    DopiszLog(komunikat);
    Pokaz(komunikat);
}

bool ExpertSession::Eksport(const DaneEksportu& d, const std::string& plikZestawu, const std::string& nazwaZestawu) {
    if (Zajety()) return false;
    wnioskowanie_ = false;
    wskazniki_.clear();
    for (int r = 2; d.Tabela && r <= d.Tabela->LiczbaWskaznikow; ++r)
        wskazniki_.emplace_back(NazwaNaSymbol(d.Tabela->Komorka(r, kol::Nazwa)), d.Tabela->Komorka(r, kol::Nazwa));
    wybrany_ = d.Wybrany;
    const FaktyEksportu fakty = TekstFaktow(d);
    for (const auto& l : fakty.Log) Dopisz(l);
    PrzytnijLog();
    if (!fakty.Blad.empty()) {
        Zglos(fakty.Blad);
        return false;
    }
    const std::string rdzen = RdzenZestawu(plikZestawu.empty() ? nazwaZestawu + ".xls" : plikZestawu);
    plikFaktow_ = katalogOperatora_ + rdzen + ".clp";
    if (!replaceFileAsSpelt(plikFaktow_, fakty.Tekst)) {
        Zglos(withFileError("Nie mo\xBFna zapisa\xE6 pliku fakt\xF3w " + plikFaktow_));
        return false;
    }
    const auto regul = resolveRuleFile(katalogOperatora_, katalogProgramu_, nazwaZestawu, d.Wybrany);
    if (!regul) {
        plikRegul_.clear();
        if (const std::optional<std::string> odmowa =
                NieczytelnyPlikRegul(katalogOperatora_, katalogProgramu_, nazwaZestawu, d.Wybrany)) {
            Zglos(*odmowa);
            return false;
        }
        DopiszLog("brak bazy regu\xB3: " + katalogOperatora_ + "regu\xB3y-" + d.Wybrany + ".clp");
        return false;
    }
    plikRegul_ = *regul;
    if (!fileExists(plikRegul_) && lookupError()) {
        Zglos(unreadableText("Plik regu\xB3 " + plikRegul_));
        return false;
    }
    // A new export starts the engine afresh.
    silnik_.End();
    SandboxResult wynik;
    if (!Wykonaj({{SandboxStep::Kind::Load, plikRegul_},
                  {SandboxStep::Kind::LoadAppend, plikFaktow_, -1, true},
                  {SandboxStep::Kind::Reset, {}}},
                 false, wynik))
        return false;
    DopiszLog("End Load");
    wnioskowanie_ = true;
    return true;
}

bool ExpertSession::Wnioskowanie() {
    if (!wnioskowanie_) return false;
    // The time limit holds for the engine and for the work on what it gave.
    poczatek_ = std::chrono::steady_clock::now();
    przerwane_ = false;
    SandboxResult wynik;
    SandboxStep bieg{SandboxStep::Kind::Run, {}, Limit};
    if (!Wykonaj({bieg}, true, wynik)) return false;
    odpalone_ = wynik.Fired;
    fakty_ = std::move(wynik.Facts);
    if (wynik.FactsLeftOut > 0) {
        std::string m = "Silnik regu\xB3 zostawi\xB3 ponad " + std::to_string(kSandboxFacts) +
                        " fakt\xF3w; pomini\xEAto fakt\xF3w: " + std::to_string(wynik.FactsLeftOut);
        m += wynik.FirstFactsLeftOut > 0 ? ", w tym diagnoz: " + std::to_string(wynik.FirstFactsLeftOut)
                                         : " (\xBF" "aden nie daje diagnozy)";
        Zglos(m);
    }
    if (odpalone_ >= Limit) DopiszLog("osi\xB9gni\xEAto limit " + std::to_string(Limit) + " odpale\xF1 regu\xB3");
    const std::function<bool()> dalej = [this] { return Dalej(); };
    std::optional<std::vector<std::string>> nowe = LinieDiagnoz(fakty_, wskazniki_, wybrany_, dalej);
    if (!nowe) return false;
    // One run repeats no line; the window's list takes care of earlier runs.
    std::vector<std::string> biegu;
    if (!DolaczDiagnozy(biegu, *nowe, dalej) || !Dalej()) return false;
    const std::string n = std::to_string(biegu.size());
    diagnozy_.insert(diagnozy_.end(), std::make_move_iterator(biegu.begin()), std::make_move_iterator(biegu.end()));
    if (wynik.Halted || !wynik.EngineMessages.empty()) {
        TekstSilnika(wynik.Halted ? "Silnik regu\xB3 zatrzyma\xB3 wnioskowanie po b\xB3\xEA" "dzie; na li\x9C" "cie diagnozy sprzed "
                                    "zatrzymania: " + n + ". Tekst silnika:"
                                  : "Wnioskowanie zako\xF1" "czone (diagnoz: " + n +
                                        "); silnik regu\xB3 wypisa\xB3 komunikaty, kt\xF3re go nie zatrzyma\xB3y:",
                     wynik.EngineMessages);
    }
    // The engine's constructs are a copy for the user to look at: one that
    // cannot be written costs the run none of its diagnoses. Its name is
    // this program's, written as spelt: the user's "Clp.clp" is another file.
    const std::string plik = katalogOperatora_ + "clp.clp";
    if (!replaceFileAsSpelt(plik, wynik.Constructs))
        Pokaz("Nie mo\xBFna zapisa\xE6 pliku " + plik + ": " + lastFileError() + " (diagnozy wnioskowania: " + n +
              ", s\xB9 na li\x9C" "cie)");
    return true;
}

void ExpertSession::Clear() {
    SandboxResult wynik;
    Wykonaj({{SandboxStep::Kind::Clear, {}}}, false, wynik);
}

void ExpertSession::Reset() {
    SandboxResult wynik;
    Wykonaj({{SandboxStep::Kind::Reset, {}}}, false, wynik);
}

}  // namespace vesk
