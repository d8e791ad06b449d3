#include "SzablonRaportu.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "CodePage.h"
#include "FileSystem.h"
#include "IoError.h"
#include "Kontekst.h"
#include "Paths.h"
#include "PlikiSprawozdan.h"
#include "Pomocnicze.h"
#include "Real48.h"
#include "Wyrazenie.h"

namespace vesk {

namespace {
constexpr std::size_t NajdluzszaCzescNazwy = 200;

void obetnij(std::string& s, int k) {
    if (k >= 0 && s.size() > static_cast<std::size_t>(k)) s.resize(static_cast<std::size_t>(k));
}
}  // namespace

// ----------------------------------------------------------------- names

// The last "." divides: an operator named "firma.v2" keeps its whole name,
// so that two such operators in one folder do not share report files.
std::string RdzenNazwy(const std::string& nazwaPlikuStanu) {
    auto kropka = nazwaPlikuStanu.rfind('.');
    std::string rdzen = kropka == std::string::npos ? std::string() : nazwaPlikuStanu.substr(0, kropka);
    rdzen = UsunSpacjeKoncowe(rdzen);
    if (rdzen.size() > NajdluzszaCzescNazwy) rdzen.resize(NajdluzszaCzescNazwy);
    return rdzen;
}

std::string RozszerzenieNazwy(const std::string& nazwaPlikuStanu) {
    auto kropka = nazwaPlikuStanu.rfind('.');
    std::string rozszerzenie =
        kropka == std::string::npos ? nazwaPlikuStanu : nazwaPlikuStanu.substr(kropka + 1);
    if (rozszerzenie.size() > NajdluzszaCzescNazwy) rozszerzenie.resize(NajdluzszaCzescNazwy);
    return rozszerzenie;
}

std::string TekstSciezki(const Kontekst& k) {
    return k.KatalogOperatora + RdzenNazwy(k.NazwaPlikuStanu) + "." + RozszerzenieNazwy(k.NazwaPlikuStanu);
}

std::string RdzenSprawozdan(const std::string& sciezkaOperatora) {
    return RdzenNazwy(fileNamePart(sciezkaOperatora) + "qad");
}

std::string RdzenSprawozdan(const Kontekst& k) {
    return k.SciezkaOperatora.empty() ? RdzenNazwy(k.NazwaPlikuStanu) : RdzenSprawozdan(k.SciezkaOperatora);
}

std::optional<std::string> FolderUzytkownika(const std::string& katalogOperatora, const std::string& rdzen,
                                             std::string& powod, MakeFolders utworz) {
    const std::optional<std::string> cache = userCacheFolder();
    if (!cache) {
        powod = "w folderze operatora " + katalogOperatora +
                " nie mo\xBFna zapisa\xE6 plik\xF3w, a ani XDG_CACHE_HOME, ani HOME nie wskazuj\xB9 folderu u\xBFytkownika "
                "na sprawozdania";
        return std::nullopt;
    }
    // FNV-1a of the operator folder itself (all its links resolved), so
    // that every path to one folder finds one copy of its statements.
    const std::optional<std::string> folder = realFolder(katalogOperatora, powod);
    if (!folder) return std::nullopt;
    std::uint32_t skrot = 2166136261u;
    for (unsigned char c : *folder) skrot = (skrot ^ c) * 16777619u;
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(skrot));
    return ownFolder(*cache, {"vesk", "sprawozdania", rdzen + "-" + hex}, powod, utworz);
}

std::optional<std::string> FolderSprawozdan(Kontekst& k) {
    if (!k.KatalogSprawozdan.empty()) return k.KatalogSprawozdan;
    if (k.NazwaPlikuStanu.empty() || !isReadOnlyFolderOf(TekstSciezki(k))) return k.KatalogOperatora;
    std::string powod;
    const std::optional<std::string> folder = FolderUzytkownika(k.KatalogOperatora, RdzenSprawozdan(k), powod);
    if (!folder) k.PowodBleduRaportu = powod;
    return folder;
}

std::string NazwaWFolderze(const std::string& folder, const std::string& rdzen, const std::string& ext) {
    return folder + rdzen + "." + ext;
}

std::optional<std::string> NazwaWyjscia(Kontekst& k, const std::string& ext) {
    const std::optional<std::string> folder = FolderSprawozdan(k);
    if (!folder) return std::nullopt;
    return NazwaWFolderze(*folder, RdzenSprawozdan(k), ext);
}

void UsunPozostalosciPoza(Kontekst& k) {
    const std::optional<std::string> folder = FolderSprawozdan(k);
    if (folder && *folder != k.KatalogOperatora && !k.NazwaPlikuStanu.empty())
        UsunPozostalosciSprawozdan(*folder, RdzenSprawozdan(k));
}

std::string TekstWartosci(long double v, int szer, int miejsca) {
    if (BezWartosci(v)) {
        std::string t = "b.d.";
        return szer > static_cast<int>(t.size()) ? std::string(static_cast<std::size_t>(szer) - t.size(), ' ') + t : t;
    }
    v = roundToReal48(v);
    std::string t = RealNaTekst(v, szer, miejsca);
    while (miejsca > 0 && static_cast<int>(t.size()) > szer) t = RealNaTekst(v, szer, --miejsca);
    return t;
}

// ------------------------------------------------------ HTML placeholders

void WstawWartosc(std::string& linia, const std::string& tekst, int n) {
    if (n < 1) return;
    int znalezione = 0;
    for (std::size_t i = 0; i < linia.size(); ++i) {
        if (linia[i] != 'x') continue;
        if (++znalezione == n) {
            linia.replace(i, 1, tekst);
            return;
        }
    }
}

void WstawWartoscKropka(std::string& linia, const std::string& tekst, int n) {
    WstawWartosc(linia, tekst == "        0" ? std::string(".") : tekst, n);
}

std::string TekstHTML(const std::string& s) {
    std::string wynik;
    wynik.reserve(s.size());
    for (char c : s) {
        switch (c) {
            case '&': wynik += "&amp;"; break;
            case '<': wynik += "&lt;"; break;
            case '>': wynik += "&gt;"; break;
            default: wynik += c;
        }
    }
    return wynik;
}

// --------------------------------------------------------- "wolny" noise

bool TrybWolny(const Kontekst& k) { return k.Parametry.param(1) == "wolny"; }

long double Zaszum(Kontekst& k, long double v) {
    long double r = static_cast<long double>(k.Losowanie.draw(400));
    return roundToReal48((v - 2.0L) + r / 100.0L);
}

long double Zaszum(Kontekst& k, long double v, long double przesuniecie, unsigned zakres) {
    long double r = static_cast<long double>(k.Losowanie.draw(zakres));
    return roundToReal48((v - przesuniecie) + r / 100.0L);
}

// ------------------------------------------------------------ line table

namespace {

// The lines of each template read so far in this run, kept by the file's
// path, modification time and size: a report reads and splits a template
// once, and again only after the file has changed.
struct WczytanySzablon {
    struct timespec czas {};
    off_t rozmiar = 0;
    std::vector<std::string> linie;

    bool taSamaWersja(const WczytanySzablon& o) const {
        return czas.tv_sec == o.czas.tv_sec && czas.tv_nsec == o.czas.tv_nsec && rozmiar == o.rozmiar;
    }
};
std::mutex mutexSzablonow;
std::map<std::string, WczytanySzablon>& wczytaneSzablony() {
    static std::map<std::string, WczytanySzablon> s;
    return s;
}

}  // namespace

bool TabelaLinii::wczytaj(const std::string& sciezka, int n, int k) {
    linie_.clear();
    k_ = k;
    // Lines the template does not supply stay empty; longer lines are cut.
    auto wypelnij = [&](const std::vector<std::string>& wszystkie) {
        linie_.assign(static_cast<std::size_t>(n > 0 ? n : 0), std::string());
        const std::size_t limit = static_cast<std::size_t>(k > 0 ? k : 0);
        for (std::size_t i = 0; i < linie_.size() && i < wszystkie.size(); ++i)
            linie_[i] = wszystkie[i].substr(0, limit);
    };

    // The path as given is tried first: looking it up without regard to
    // case costs a look at every folder on the way.
    WczytanySzablon znany;
    std::optional<std::string> natywna = cp1250ToUtf8(sciezka);
    struct stat st {};
    bool jest = ::stat(natywna->c_str(), &st) == 0 && S_ISREG(st.st_mode);
    if (!jest) {
        natywna = findExisting(sciezka);
        jest = natywna && ::stat(natywna->c_str(), &st) == 0 && S_ISREG(st.st_mode);
    }
    if (jest) {
        znany.czas = st.st_mtim;
        znany.rozmiar = st.st_size;
    }
    // A file changed within the last seconds is read every time: a change
    // of the same size within one tick of the file times would go unseen.
    using namespace std::chrono;
    const system_clock::time_point zmieniony(
        duration_cast<system_clock::duration>(seconds(st.st_mtim.tv_sec) + nanoseconds(st.st_mtim.tv_nsec)));
    const bool doZapamietania = jest && system_clock::now() - zmieniony > seconds(2);
    if (doZapamietania) {
        std::lock_guard<std::mutex> l(mutexSzablonow);
        auto it = wczytaneSzablony().find(*natywna);
        if (it != wczytaneSzablony().end() && it->second.taSamaWersja(znany)) {
            wypelnij(it->second.linie);
            return true;
        }
    }

    BinaryFile plik;
    if (!plik.open(sciezka, BinaryFile::Mode::Read)) return false;
    std::optional<std::string> dane = plik.readRest(LongestTemplate);
    if (!dane) throw IoError(sciezka, "odczyt");
    znany.linie = splitTextLines(*dane);
    wypelnij(znany.linie);
    if (doZapamietania && dane->size() == static_cast<std::size_t>(znany.rozmiar)) {
        std::lock_guard<std::mutex> l(mutexSzablonow);
        wczytaneSzablony()[*natywna] = std::move(znany);
    }
    return true;
}

void TabelaLinii::dopisz(int i, const std::string& tekst) { ustaw(i, (*this)[i] + tekst); }

void TabelaLinii::ustaw(int i, std::string tekst) {
    std::string& l = linie_.at(static_cast<std::size_t>(i - 1));
    obetnij(tekst, k_);
    l = std::move(tekst);
}

// ----------------------------------------------------------------- stages

bool WczytajSzablon(Kontekst& k, const std::string& nazwa, int n, int kZnakow, TabelaLinii& tabela) {
    const std::string sciezka = k.catTABWZOR + nazwa;
    setLastFileError(0);
    bool wczytany = false;
    try {
        wczytany = tabela.wczytaj(sciezka, n, kZnakow);
    } catch (const IoError&) {
        wczytany = false;  // a read that failed, a file over its bound
    }
    if (!wczytany) k.PowodBleduRaportu = withFileError("szablon " + sciezka);
    return wczytany;
}

bool WykonajRaport(Kontekst& k, const std::function<bool()>& pisarz) {
    k.PowodBleduRaportu.clear();
    // Every way a report can fail on outside data ends here.
    try {
        if (pisarz()) return true;
    } catch (const IoError& e) {
        k.PowodBleduRaportu = withFileError(e.path());
    } catch (const Real48Error& e) {
        k.PowodBleduRaportu = e.what();  // a value the 6-byte real cannot hold
    } catch (const std::bad_alloc& e) {
        k.PowodBleduRaportu = exceptionText(e);  // a line table that could not be allocated
    }
    return false;
}

bool EtapRaportu::utworz(const std::string& sciezka) {
    sciezka_ = sciezka;
    tresc_.clear();
    return true;
}

void EtapRaportu::zamknij() {
    setLastFileError(0);
    if (!replaceFileAsSpelt(sciezka_, tresc_, Flush::No)) throw IoError(sciezka_, "zapis", lastFileError());
    if (k_.PlikiZapisane) k_.PlikiZapisane->push_back(sciezka_);
}

void EtapRaportu::pisz(const std::string& linia) {
    tresc_ += linia;
    tresc_ += "\r\n";
}

// ------------------------------------------------------------- text stage

void RaportTekstowy::ustawKolumny(int c1, int c2, int w) {
    c1_ = c1;
    c2_ = c2;
    w_ = w;
}

void RaportTekstowy::PiszNaglowek() {
    tabela_.dopisz(1, TekstSciezki(k_));
    PiszLinie(1, 1);
    tabela_.dopisz(2, LiczbaNaTekst(k_.NumerWezla, 3));
    PiszLinie(2, 2);
}

void RaportTekstowy::PiszLinie(int pierwsza, int ostatnia) {
    for (int i = pierwsza; i <= ostatnia; ++i) pisz(tabela_[i]);
}

void RaportTekstowy::wartosci(std::string& l, int c, int miejsca, const long double* v, int ile) const {
    for (int j = 0; j < ile; ++j)
        NadpiszTekst(l, TekstWartosci(v[j], w_ - 1, miejsca), c + j * (w_ + 1));
}

void RaportTekstowy::lata(std::string& l, int c, int miejsca, const long double* v) const {
    for (int j = 0; j < 3; ++j)
        NadpiszTekst(l, RealNaTekst(roundToReal48(v[j]), w_ - 4, miejsca), c + 2 + j * (w_ + 1));
}

void RaportTekstowy::PiszLata(int linia, int miejsca, const std::array<long double, 6>& v) {
    std::string l = tabela_[linia];
    lata(l, c1_, miejsca, v.data());
    lata(l, c2_, miejsca, v.data() + 3);
    pisz(l);
}

void RaportTekstowy::PiszLata3(int linia, int miejsca, const std::array<long double, 3>& v) {
    std::string l = tabela_[linia];
    lata(l, c1_, miejsca, v.data());
    pisz(l);
}

void RaportTekstowy::PiszWiersz6(int linia, int miejsca, const std::array<long double, 6>& v) {
    std::string l = tabela_[linia];
    wartosci(l, c1_, miejsca, v.data(), 3);
    wartosci(l, c2_, miejsca, v.data() + 3, 3);
    pisz(l);
}

void RaportTekstowy::PiszWiersz3L(int linia, int miejsca, const std::array<long double, 3>& v) {
    std::string l = tabela_[linia];
    wartosci(l, c1_, miejsca, v.data(), 3);
    pisz(l);
}

void RaportTekstowy::PiszWiersz3P(int linia, int miejsca, const std::array<long double, 3>& v) {
    std::string l = tabela_[linia];
    wartosci(l, c2_, miejsca, v.data(), 3);
    pisz(l);
}

void RaportTekstowy::PiszWiersz2(int linia, int miejsca, const std::array<long double, 2>& v) {
    std::string l = tabela_[linia];
    wartosci(l, c1_, miejsca, v.data(), 2);
    pisz(l);
}

void RaportTekstowy::PiszWiersz6Cyfr(int linia, const std::array<int, 6>& kody) {
    std::string l = tabela_[linia];
    for (int j = 0; j < 6; ++j) {
        int kolumna = c1_ + 2 + (j / 2) * (w_ + 1) + (j % 2) * 4;
        NadpiszTekst(l, kody[j] == 0 ? std::string(".") : std::to_string(kody[j]), kolumna);
    }
    pisz(l);
}

// ------------------------------------------------------------- HTML stage

void StronaHTML::PiszNaglowek() {
    const std::string& linia9 = tabela_[9];
    std::size_t poczatek = linia9.size();
    std::string l = linia9 + TekstHTML(TekstSciezki(k_));
    obetnij(l, tabela_.K());
    // A cut must not leave half a character reference behind.
    auto amp = l.rfind('&');
    if (amp != std::string::npos && amp >= poczatek && l.find(';', amp) == std::string::npos) l.resize(amp);
    tabela_.ustaw(9, l);
    tabela_.dopisz(11, LiczbaNaTekst(k_.NumerWezla, 3));
}

void StronaHTML::PiszLinieHTML(int pierwsza, int ostatnia) {
    for (int i = pierwsza; i <= ostatnia; ++i) pisz(tabela_[i]);
}

void StronaHTML::Wypelnij(int linia, long double v, int miejsca) {
    std::string l = tabela_[linia];
    WstawWartosc(l, TekstWartosci(v, 9, miejsca), 1);
    tabela_.ustaw(linia, std::move(l));
}

void StronaHTML::WypelnijKropka(int linia, long double v, int miejsca) {
    std::string l = tabela_[linia];
    WstawWartoscKropka(l, TekstWartosci(v, 9, miejsca), 1);
    tabela_.ustaw(linia, std::move(l));
}

}  // namespace vesk
