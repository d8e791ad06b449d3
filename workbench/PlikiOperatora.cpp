// Operator files: naming, creating, opening and deleting an operator, and
// loading its tree.
#include <algorithm>
#include <cerrno>
#include <exception>
#include <filesystem>
#include <memory>

#include "CodePage.h"
#include "FileSystem.h"
#include "Inicjalizacja.h"
#include "Liczebniki.h"
#include "NazwaOperatora.h"
#include "OperacjeWezlow.h"
#include "Paths.h"
#include "PlikStanu.h"
#include "PlikiSprawozdan.h"
#include "SzablonRaportu.h"
#include "Teksty.h"
#include "Warsztat.h"
#include "WorkbenchError.h"
#include "Zerowanie.h"
#include "Parametry.h"

namespace vesk {

namespace {

// The path less its last n characters.
std::string bezKonca(const std::string& s, std::size_t n) { return s.size() >= n ? s.substr(0, s.size() - n) : ""; }

// The file-name part after the last "\", "/" or ":".
std::string czescNazwy(const std::string& s) {
    const auto p = s.find_last_of("\\/:");
    return p == std::string::npos ? s : s.substr(p + 1);
}

// The files made beside an operator's, in its spelling exactly.
template <class Dzialanie>
auto dokladnie(Dzialanie dzialanie) {
    const ExactFileNames scisle;
    return dzialanie();
}

// Every labelled node must have its record: the first that has none, as
// a message naming the tree file, its line and the node; empty when all do.
std::string brakujacyRekord(const DrzewoDecyzji& d, const ZESPOL& tabela, const std::string& plik) {
    for (int i = 0; i < d.Liczba(); ++i) {
        const int n = d.Numer(i);
        if (n < 0 || !tabela.Zajety[n] || tabela.Wpisy[n].Numer != n)
            return "Plik drzewa " + plik + ", wiersz " + std::to_string(i + 1) + ": w\xEAze\xB3 " + std::to_string(n) +
                   " nie ma rekordu w pliku stanu";
    }
    return {};
}

// Where an unreadable tree file is kept when the tree is rebuilt: the tree
// file's name followed by the first of these not taken by another file.
constexpr const char* kZachowaneDrzewo[] = {".bledny", ".bled1", ".bled2", ".bled3", ".bled4",
                                            ".bled5", ".bled6", ".bled7", ".bled8", ".bled9"};

// The most bytes the files made beside an operator add to its stem (which
// ends with the dot): the journal, the intent, the new tree and the kept
// tree, each through a temporary file of replaceFile.
std::size_t najdluzszyDopisek() {
    std::size_t n = 0;
    for (std::string_view d : {std::string_view(ZapisWToku), std::string_view(".krok"), std::string_view(DopisekNowegoPliku),
                               std::string_view(kZachowaneDrzewo[0])})
        n = std::max(n, 3 + d.size() + TemporarySuffix.size() + 6);
    return n;
}

// The operator's own tree or state file, or the name it would have (its
// spelling exactly, for the files made beside it).
std::string wlasnyPlik(const OperatorZNazwy& o, const char* rozszerzenie) {
    const std::string& plik = std::string_view(rozszerzenie) == "tr1" ? o.drzewo : o.stan;
    return plik.empty() ? o.sciezka + rozszerzenie : plik;
}

// An operator whose files cannot be used, why (naming the file); nothing
// when they can. A name too long for the files made beside it would fail
// only at a later save. A state or tree file that is a symbolic link, or
// has more than one name (a hard link), is not used: a save would change
// another operator through it, or replace the file and leave the link
// behind.
std::string plikiNieDoUzytku(const OperatorZNazwy& o, const char* czego) {
    const std::string& sciezka = o.sciezka;
    const std::string natywna = nativePathForCreate(sciezka + "tr1");
    const std::size_t nazwa = natywna.size() - natywna.find_last_of('/') - 1 - 3;
    const std::size_t limit = longestFileName(sciezka + "tr1");
    if (nazwa + najdluzszyDopisek() > limit)
        return "Plik " + sciezka + "tr1: nazwa operatora za d\xB3uga (" + LiczbaBajtow(nazwa - 1) +
               ", a przy plikach tymczasowych mie\x9C" "ci si\xEA najwy\xBF" "ej " +
               std::to_string(limit - najdluzszyDopisek() - 1) + ") - operator nie zosta\xB3 " + czego;
    // Its own files and the names a creation writes, each as spelt: a
    // file of another spelling is another operator's or another copy.
    const ExactFileNames scisle;
    for (const std::string& plik : {wlasnyPlik(o, "qad"), wlasnyPlik(o, "tr1"), sciezka + "qad", sciezka + "tr1"}) {
        if (isSymbolicLink(plik))
            return "Plik " + plik + " jest dowi\xB9zaniem symbolicznym - operator nie zosta\xB3 " + czego;
        if (const unsigned n = hardLinkCount(plik); n > 1)
            return "Plik " + plik + " ma " + std::to_string(n) +
                   " nazwy (dowi\xB9zanie twarde): zmiana tego operatora zmieni\xB3" "aby inny plik - operator nie zosta\xB3 " + czego;
    }
    return {};
}

// Why the operator can be read alone: a tree or state file without write
// permission, or a folder where no file can be made or removed; empty
// when it can be changed. Such an operator is neither replaced nor deleted.
std::string tylkoDoOdczytu(const OperatorZNazwy& o) {
    const std::string plikStanu = wlasnyPlik(o, "qad");
    if (dokladnie([&] { return isReadOnlyFolderOf(plikStanu); }))
        return "W folderze " + (folderPart(plikStanu).empty() ? std::string("roboczym") : folderPart(plikStanu)) +
               " nie mo\xBFna zapisa\xE6 plik\xF3w (folder tylko do odczytu)";
    for (const char* rozszerzenie : {"tr1", "qad"})
        if (dokladnie([&] { return isReadOnlyFile(wlasnyPlik(o, rozszerzenie)); }))
            return "Plik " + o.sciezka + rozszerzenie + " jest tylko do odczytu";
    return {};
}

// The files made beside an operator's, after its stem: its lock, the
// save's journal and intent, a creation's new files, the copies of a tree
// that was no tree, and every statement. Each may have temporary files
// of a killed write beside it. A name only a killed write leaves (a new
// file, the journal, the intent) is a leftover: removed only as one.
struct PlikOperatora {
    std::string rozszerzenie;
    bool pozostalosc = false;
};
std::vector<PlikOperatora> plikiOperatora() {
    std::vector<PlikOperatora> p;
    for (const std::string& r : {std::string("tr1") + DopisekNowegoPliku, std::string("qad") + DopisekNowegoPliku,
                                 std::string("qad") + ZapisWToku, std::string("qad.krok")})
        p.push_back({r, true});
    for (const char* dopisek : kZachowaneDrzewo) p.push_back({std::string("tr1") + dopisek});
    for (const std::string& r : RozszerzeniaSprawozdan()) p.push_back({r});
    // The state file goes after the tree, so that what a failure leaves
    // is never a tree without its records; the lock, held, last.
    for (const char* r : {"tr1", "qad", "lck"}) p.push_back({r});
    return p;
}

// The bytes of a tree file no longer than any tree; nothing otherwise.
std::optional<std::string> bajtyDrzewa(const std::string& plik) {
    BinaryFile f;
    if (!f.open(plik, BinaryFile::Mode::Read)) return std::nullopt;
    const std::optional<std::uint64_t> dlugosc = f.size();
    if (!dlugosc || *dlugosc > NajdluzszyPlikDrzewa) return std::nullopt;
    return f.readRest(NajdluzszyPlikDrzewa);
}

// Keeps the bytes of an unreadable tree file beside it, under the first
// name of kZachowaneDrzewo that is free or holds them already (anything at
// a name, a file, a link, a folder, a pipe, passes it over); the name
// used, or nothing (with lastFileError(), and the name tried in `proba`)
// when none could be written; `zajete` tells when every name is taken.
std::optional<std::string> zachowajDrzewo(const std::string& plikDrzewa, const std::string& bajty, bool& zajete,
                                          std::string& proba) {
    const ExactFileNames scisle;
    zajete = false;
    for (const char* dopisek : kZachowaneDrzewo) {
        const std::string plik = plikDrzewa + dopisek;
        removeStaleTemporaries(plik);
        if (!surelyMissing(plik)) {
            if (fileExists(plik) && bajtyDrzewa(plik) == bajty) return plik;
            continue;
        }
        proba = plik;
        if (!replaceFile(plik, bajty)) return std::nullopt;
        return plik;
    }
    zajete = true;
    return std::nullopt;
}

// The refusal of an operator whose unreadable tree file cannot be kept
// because every name for it is taken: the names, which the user is to
// clear (none is overwritten: each holds an earlier tree).
std::string zajeteNazwyKopii(const std::string& plikDrzewa, const std::string& powod) {
    std::string nazwy;
    for (const char* dopisek : kZachowaneDrzewo) nazwy += (nazwy.empty() ? "" : ", ") + plikDrzewa + dopisek;
    return "Nie uda\xB3o si\xEA zachowa\xE6 pliku drzewa " + plikDrzewa + " (" + powod +
           "): wszystkie nazwy na jego kopi\xEA s\xB9 zaj\xEAte przez kopie wcze\x9Cniejszych drzew (" + nazwy +
           ") - nale\xBFy usun\xB9\xE6 lub przenie\x9C\xE6 te z nich, kt\xF3re nie s\xB9 ju\xBF potrzebne (np. najstarsz\xB9), "
           "i otworzy\xE6 operatora ponownie";
}

// The bytes of the file at plik (spelt exactly so) into bajty, nothing
// there being none; false (lastFileError()) when it cannot be read or told.
bool bajtyPliku(const std::string& plik, std::optional<std::string>& bajty) {
    const ExactFileNames scisle;
    bajty.reset();
    if (!findExisting(plik)) return lookupError() == 0;
    BinaryFile f;
    if (!f.open(plik, BinaryFile::Mode::Read)) return false;
    bajty = f.readRest(std::max<std::uint64_t>(NajdluzszyPlikDrzewa, NajdluzszyPlikStanu));
    return bajty.has_value();
}

// The node numbers of the tree and of the records, where they differ (a
// repair would prune or attach nodes): "w drzewie: 0, 1, 2; w pliku stanu:
// 0"; empty when they are the same.
std::string inneWezly(const DrzewoDecyzji& d, const std::vector<WpisWezla>& rekordy) {
    std::vector<int> wDrzewie, wPliku;
    for (int i = 0; i < d.Liczba(); ++i) wDrzewie.push_back(d.Numer(i));
    for (const WpisWezla& r : rekordy) wPliku.push_back(r.Numer);
    std::sort(wDrzewie.begin(), wDrzewie.end());
    std::sort(wPliku.begin(), wPliku.end());
    if (wDrzewie == wPliku) return {};
    const auto lista = [](const std::vector<int>& n) {
        std::string t;
        for (std::size_t i = 0; i < n.size(); ++i) t += (i ? ", " : "") + std::to_string(n[i]);
        return t;
    };
    return "w drzewie: " + lista(wDrzewie) + "; w pliku stanu: " + lista(wPliku);
}

// The occupied flags are the labels': a record no label names may be reused.
void zajeteZEtykiet(const DrzewoDecyzji& d, ZESPOL& tabela) {
    for (int n = 0; n <= NajwiekszyNumerWezla; ++n) tabela.Zajety[n] = false;
    for (int i = 0; i < d.Liczba(); ++i)
        if (int n = d.Numer(i); n >= 0) tabela.Zajety[n] = true;
}

// The nodes of the tree file at plik; nothing when there is none or it
// cannot be read.
std::optional<std::size_t> wezlyDrzewa(const std::string& plik) {
    if (plik.empty()) return std::nullopt;
    try {
        return static_cast<std::size_t>(DrzewoDecyzji::Wczytaj(plik).Liczba());
    } catch (const WorkbenchError&) {
        return std::nullopt;
    }
}

// Once a creation's new tree is in place: the operator's old tree spelt
// otherwise (beside one of its own spelling, so not renamed to it)
// removed; why it could not be ("" when done or none).
std::string usunDawneDrzewo(const OperatorZNazwy& o, const std::string& plikDrzewa) {
    if (o.drzewo.empty() || o.drzewo == plikDrzewa || dokladnie([&] { return removeFile(o.drzewo); })) return {};
    return withFileError("nie uda\xB3o si\xEA usun\xB9\xE6 jego dawnego pliku drzewa " + o.drzewo);
}

}  // namespace

std::string TekstZastapienia(const std::string& plikDrzewa, const ZastapionyOperator& z) {
    // The nodes are the tree's; records of another number are said too.
    std::string wezly;
    if (z.wezly) wezly = "w\xEAz\xB3\xF3w: " + std::to_string(*z.wezly);
    else wezly = "bez czytelnego drzewa";
    if (z.bezStanu) wezly += "; bez pliku stanu";
    else if (z.rekordy && z.rekordy != z.wezly) wezly += "; rekord\xF3w w pliku stanu: " + std::to_string(*z.rekordy);
    return "zast\xB9piono operator " + fullPath(plikDrzewa) + " (" + wezly + ")";
}

std::string Warsztat::Nazwa_pliku(const std::string& sciezka) {
    const auto p = sciezka.find_last_of("\\/");
    return p == std::string::npos ? sciezka : sciezka.substr(p + 1);
}

bool Warsztat::Wczytaj() {
    auto przed = std::make_unique<ZmienneModelu>(k.m);
    try {
        ZerujZmienneModelu2(k);
        ZerujZmienneModelu1(k);
        UstawStanPoczatkowy(k);
        WczytajParametryModelu(k);
        DomyslneDecyzje(k);
        return true;
    } catch (const std::exception& e) {
        k.m = *przed;
        komunikat(e.what());
        return false;
    }
}

void Warsztat::PoWybraniuPliku(DrzewoDecyzji drzewo) {
    // The tree load: selections cleared, or set to the root while "Zoom"
    // is off; the occupied flags rebuilt from the labels.
    Polecenia.Wzy1 = true;
    k.WezelBazowy.Ustawiony = k.WezelDoEdycji.Ustawiony = false;
    Polecenia.dodanieweza1 = false;
    // The boxes show no node of the operator open before.
    OkienkoBazowe.clear();
    OkienkoEdycji.clear();
    if (!Zoom) {
        OkienkoBazowe = OkienkoEdycji = EtykietaWezla(0, true);
        Polecenia.dodanieweza1 = true;
        for (TWezel* w : {&k.WezelBazowy, &k.WezelDoEdycji}) {
            w->Ustawiony = true;
            w->Indeks = 0;
            w->NumerTekst = "0";
        }
    }
    Drzewo = std::move(drzewo);
    Wybrany.reset();
    ++PokolenieOperatora;
    Zwiniete.clear();
    zajeteZEtykiet(Drzewo, k.TabelaWezlow);
    Postep = 100;
    MenuPoWczytaniu();
}

void Warsztat::MenuPoWczytaniu() {
    Polecenia.Nowy1 = Polecenia.NowyPlik1 = Polecenia.Wyjscie1 = true;
    Polecenia.Zachowajjako1 = false;
    Polecenia.TreeView1 = true;
    Polecenia.OkienkoBazowe = Polecenia.OkienkoEdycji = true;
}

std::optional<std::string> Warsztat::Zachowajjako1Click() {
    if (k.TrybWsadowy) return joinPath(k.catKARTOPERATORA, k.NazwaOperatoraWsadowego + ".tr1");

    std::optional<std::string> wybrany =
        k.Okna->chooseFile(teksty::TytulNazywania, teksty::FiltrOperatorow, true, folderDialoguOperatorow());
    if (!wybrany) {
        BezNowegoOperatora({});
        return std::nullopt;
    }
    // The name as every path takes it: blanks around it dropped ("sp " and
    // "sp" are one operator, never two whose reports overwrite each other),
    // ".tr1" added also after a dot inside it ("firma.v2"), the operator of
    // another letter case found.
    const OperatorZNazwy o = ZnajdzOperatora(*wybrany, FormaNazwy::Nazwa);
    if (o.odmowa != OdmowaNazwy::Brak) {
        BezNowegoOperatora(o.odmowa == OdmowaNazwy::Pusta ? std::string(teksty::NazwaPusta) : o.powod);
        return std::nullopt;
    }
    const std::string plik = wlasnyPlik(o, "tr1");
    if (czescNazwy(plik).size() > 12) {
        BezNowegoOperatora(teksty::NazwaZaDluga);
        return std::nullopt;
    }
    if (o.istnieje() || !o.stan.empty()) {
        // Nothing is asked whose answer could not be carried out: what
        // refuses the creation, another program's lock among it, first.
        if (!moznaUtworzyc(o)) return std::nullopt;
        const std::optional<bool> juz = juzZablokowany(o.sciezka, "utworzono");
        if (!juz) return std::nullopt;
        FileLock proba;
        if (!*juz && !zablokuj(o, proba, "utworzono")) return std::nullopt;
        if (proba.created()) dokladnie([&] { return removeFile(proba.path()); });
        proba.unlock();
        if (!k.Okna->confirm(teksty::OperatorIstnieje, teksty::PlikIstnieje)) return std::nullopt;
    }
    return plik;
}

void Warsztat::BezNowegoOperatora(const std::string& powod) {
    if (Drzewo.Pusty())
        komunikat(powod.empty() ? std::string(teksty::NalezyZainicjowac) : teksty::NalezyZainicjowac + ("\n" + powod));
    else if (!powod.empty())
        komunikat(powod);
}

void Warsztat::Nowy1Click() {
    std::optional<std::string> plik = Zachowajjako1Click();
    if (!plik) return;
    // The batch operator's name is the program's, not the user's.
    if (k.TrybWsadowy) TworzenieOperatoraProgramu(*plik);
    else utworz(ZnajdzOperatora(*plik, FormaNazwy::Znaleziony));
}

bool Warsztat::zablokuj(const OperatorZNazwy& o, FileLock& blokada, const char* czego) {
    // The lock file of this spelling alone ("t.lck" is another operator's),
    // guarding the operator's own state file.
    const std::string& sciezka = o.sciezka;
    switch (dokladnie([&] { return blokada.lock(sciezka + "lck", wlasnyPlik(o, "qad")); })) {
        case FileLock::Result::Locked:
            return true;
        case FileLock::Result::InUse: {
            const std::string drzewo = wlasnyPlik(o, "tr1"), nie = " - nie " + std::string(czego) + " go";
            // Held by this program's own lock (the same file, however its
            // name was written), whose state file another put in its place
            // since (or removed): no other program has it.
            if (dokladnie([&] { return Blokada.holdsFileAt(blokada.busyPath()); })) {
                // Its state file still the one locked: the lock is held
                // here for another copy of the stem, open now.
                if (const FileAtName stan = Blokada.guardedFile(); stan == FileAtName::Current)
                    komunikat("Operator " + drzewo + " ma wsp\xF3ln\xB9 blokad\xEA " + sciezka + "lck z otwartym operatorem " +
                              k.PlikDrzewa + nie);
                else
                    komunikat(changedFileText(stan, "Plik stanu " + wlasnyPlik(o, "qad")) + nie);
            }
            // Never told another program's when it could not be told.
            else if (lookupError())
                komunikat(unreadableText("Operator " + drzewo) + nie);
            // Another program holds the lock file every copy of the stem
            // shares: which copy it has open cannot be told, only that it
            // is not the copy asked for alone.
            else if (blokada.busyPath() == sciezka + "lck" &&
                     std::ranges::any_of(o.drzewaRdzenia(), [&](const std::string& t) { return t != drzewo; }))
                komunikat("Operator " + drzewo + " ma wsp\xF3ln\xB9 blokad\xEA " + sciezka +
                          "lck z operatorem otwartym w innym programie" + nie);
            else
                // The lock held: the lock file's, or the state file's when
                // the lock file was taken away.
                komunikat("Operator " + drzewo + " jest u\xBFywany przez inny program (blokada " +
                          (blokada.busyPath() == sciezka + "lck" ? "" : "pliku stanu ") + blokada.busyPath() + ")" + nie);
            return false;
        }
        case FileLock::Result::Failed:
            // Without the lock another program could write the same files.
            komunikat(withFileError("Nie uda\xB3o si\xEA zablokowa\xE6 operatora " + wlasnyPlik(o, "tr1") + " (blokada " +
                                    sciezka + "lck)") + " - nie " + czego + " go");
            return false;
    }
    return false;
}

std::optional<bool> Warsztat::juzZablokowany(const std::string& sciezka, const char* czego) {
    if (Blokada.holds(sciezka + "lck")) return true;
    // Not told whether its state file is still the one it locked: never
    // locked again over this program's own lock (which would be told as
    // another program's).
    if (lookupError()) {
        komunikat(unreadableText("Operator " + sciezka + "tr1") + " - nie " + czego + " go");
        return std::nullopt;
    }
    return false;
}

bool Warsztat::ZablokujOperatora(const std::string& plikDrzewa) {
    if (const std::optional<bool> juz = juzZablokowany(bezKonca(plikDrzewa, 3), "otwarto"); !juz || *juz)
        return juz.has_value();
    const OperatorZNazwy o = ZnajdzOperatora(plikDrzewa, FormaNazwy::Znaleziony);
    if (!o.powod.empty()) {
        komunikat(o.powod);
        return false;
    }
    // What the caller does next: open the operator there is, else create it.
    const bool istnieje = o.istnieje();
    std::string blad = plikiNieDoUzytku(o, istnieje ? "otwarty" : "utworzony");
    if (blad.empty() && istnieje && !o.cudzy.empty()) blad = o.cudzy + " - operator nie zosta\xB3 otwarty";
    if (!blad.empty()) {
        komunikat(blad);
        return false;
    }
    FileLock blokada;
    if (!zablokuj(o, blokada, istnieje ? "otwarto" : "utworzono")) return false;
    Blokada = std::move(blokada);
    return true;
}

namespace {

// A lock taken for an operator then neither opened nor created goes with
// the lock file it made.
void porzucBlokade(FileLock& blokada) noexcept {
    if (!blokada.locked()) return;
    try {
        if (blokada.created()) dokladnie([&] { return removeFile(blokada.path()); });
    } catch (const std::exception&) {
        // Its name cannot be spelt for the system now: the file stays.
    }
    blokada.unlock();
}

}  // namespace

void Warsztat::PorzucBlokade() noexcept { porzucBlokade(Blokada); }

std::vector<std::string> Warsztat::UsunPozostalosciTworzenia(const OperatorZNazwy& o) {
    std::vector<std::string> usuniete;
    if (o.istnieje() || o.stan.empty()) return usuniete;
    FileLock blokada;
    const bool trzymana = Blokada.holds(o.sciezka + "lck");
    if (!trzymana && dokladnie([&] { return blokada.lock(o.sciezka + "lck", o.stan); }) != FileLock::Result::Locked)
        return usuniete;
    // Under the lock no creation runs; one that finished since has a tree.
    if (!dokladnie([&] { return fileExists(o.sciezka + "tr1") || lookupError() != 0; }))
        for (const std::string& plik : {o.sciezka + "tr1", o.stan})
            for (std::string& f : dokladnie([&] { return removeStaleTemporaries(plik, MadeNew::Yes); })) usuniete.push_back(std::move(f));
    if (blokada.created()) dokladnie([&] { return removeFile(o.sciezka + "lck"); });
    return usuniete;
}

bool Warsztat::TworzenieNowegoOperatora(const std::string& podana) {
    if (podana.empty()) return false;
    return utworz(ZnajdzOperatora(podana, FormaNazwy::Rdzen));
}

bool Warsztat::Roz_TworzenieNowegoOperatora(const std::string& plikDrzewa) {
    return utworz(ZnajdzOperatora(plikDrzewa, FormaNazwy::PlikDrzewa, katalogOperatorow()));
}

bool Warsztat::TworzenieOperatoraProgramu(const std::string& plikDrzewa) {
    if (!utworz(ZnajdzOperatora(plikDrzewa, FormaNazwy::PlikDrzewa, katalogOperatorow(), CelNazwy::UtworzenieWPisowni)))
        return false;
    ZglosZastapienie();
    return true;
}

void Warsztat::ZglosZastapienie() {
    if (Zastapiony) k.Okna->progress(TekstZastapienia(k.PlikDrzewa, *Zastapiony));
}

bool Warsztat::moznaUtworzyc(const OperatorZNazwy& o) {
    const std::string& sciezka = o.sciezka;
    const std::string plikDrzewa = sciezka + "tr1", plikStanu = sciezka + "qad";
    const std::string nieUtworzono = " - operator nie zosta\xB3 utworzony";
    if (std::string blad = plikiNieDoUzytku(o, "utworzony"); !blad.empty()) {
        komunikat(blad);
        return false;
    }
    // The names it writes held by another copy of the stem ("T.tr1" and
    // "T.qad" beside the chosen "T.TR1"): never written over.
    for (const std::string& plik : {plikDrzewa, plikStanu})
        if (o.innejKopii(plik)) {
            komunikat("Plik " + plik + " jest inn\xB9 kopi\xB9 operatora ni\xBF " + wlasnyPlik(o, "tr1") + nieUtworzono);
            return false;
        }
    // A folder (or a pipe, a device) where a file is to be written,
    // replaced or removed, each as spelt.
    for (const std::string& plik : {plikDrzewa, plikStanu, NowyPlik(plikDrzewa), NowyPlik(plikStanu), o.drzewo, o.stan})
        if (std::string blad = plik.empty() ? std::string() : dokladnie([&] { return notRegularFileText(plik); });
            !blad.empty()) {
            komunikat("Plik " + plik + ": " + blad + nieUtworzono);
            return false;
        }
    if (std::string blad = tylkoDoOdczytu(o); !blad.empty()) {
        komunikat(blad + nieUtworzono);
        return false;
    }
    return true;
}

bool Warsztat::utworz(const OperatorZNazwy& o) {
    // An operator of this name in another letter case is the one replaced,
    // its spelling kept: no second operator, nor one renamed.
    Zastapiony.reset();
    if (!o.powod.empty()) {
        komunikat(o.powod);
        return false;
    }
    const std::string sciezka = o.sciezka;
    const std::string plikDrzewa = sciezka + "tr1", plikStanu = sciezka + "qad";
    const std::string noweDrzewo = NowyPlik(plikDrzewa), nowyStan = NowyPlik(plikStanu);
    const std::string nieUtworzono = " - operator nie zosta\xB3 utworzony";
    // Everything that can refuse the creation without writing is asked
    // before the lock is taken: a refusal leaves no file made.
    if (!moznaUtworzyc(o)) return false;
    const std::string wzorzec = k.catPARAMETR + "decyzje.tr1";
    DrzewoDecyzji drzewo;
    try {
        drzewo = DrzewoDecyzji::Wczytaj(wzorzec);
    } catch (const WorkbenchError& e) {
        komunikat(e.what());
        return false;
    }
    // A new operator holds the root alone: the template may name no other node.
    ZESPOL tylkoKorzen;
    tylkoKorzen.Zajety[0] = true;
    tylkoKorzen.Wpisy[0] = WpisWezla{0, 255, 2012, 1};
    if (std::string blad = brakujacyRekord(drzewo, tylkoKorzen, wzorzec); !blad.empty()) {
        komunikat(blad);
        return false;
    }
    FileLock blokada;
    const std::optional<bool> juz = juzZablokowany(sciezka, "utworzono");
    if (!juz) return false;
    const bool tenSam = *juz;
    if (!tenSam && !zablokuj(o, blokada, "utworzono")) return false;
    FileLock& uzyta = tenSam ? Blokada : blokada;
    // A lock file made for an operator that then is not made goes again
    // (the open operator's own stays).
    const bool nowaBlokada = uzyta.created() && (!tenSam || (!o.istnieje() && o.stan.empty()));

    // All or nothing. The old state file and tree spelt otherwise are
    // first renamed to the operator's spelling (the same operator still),
    // so that nothing of the old operator is left to remove once the new
    // one is committed ("FIRMA.QAD" beside "FIRMA.qad"); the new state
    // file and then the new tree are written beside the operator's files
    // (NowyPlik); the new state file is renamed into place, the
    // commit point: from then on a new tree beside the tree file with no
    // new state file beside the state file is a creation the next open
    // finishes (ZnajdzOperatora); then the tree is renamed into place (and
    // a second old tree of another spelling removed). Until the tree is in
    // place a failure undoes what was done from the bytes read here (a
    // killed creation's files may be there), in this order: the state file
    // and the tree first, so that a kill while undoing never leaves the old
    // state file beside a lone new tree; then the new tree before the new
    // state file, which marks it as not committed; then the old names.
    struct Dawny {
        std::string plik;
        std::string nazwa;  // the name it had, spelt otherwise ("" when none)
        std::optional<std::string> bajty{};  // nothing: there was no file
        bool zmieniony = false, przemianowany = false;
    };
    const bool jestDrzewo = dokladnie([&] { return findExisting(plikDrzewa).has_value(); });
    Dawny dawne[] = {{plikStanu, o.stan != plikStanu ? o.stan : ""},
                     {plikDrzewa, o.drzewo != plikDrzewa && !jestDrzewo ? o.drzewo : ""},
                     {noweDrzewo, ""},
                     {nowyStan, ""}};
    Dawny &stan = dawne[0], &drzewoDawne = dawne[1], &noweD = dawne[2], &nowyS = dawne[3];
    const auto przed = std::make_unique<MigawkaOperatora>(k);
    auto wycofaj = [&](std::string tekst) {
        for (const Dawny& d : dawne) {
            if (!d.zmieniony) continue;
            if (!dokladnie([&] { return d.bajty ? replaceFile(d.plik, *d.bajty) : !findExisting(d.plik) || removeFile(d.plik); }))
                tekst += withFileError("\nNie uda\xB3o si\xEA przywr\xF3" "ci\xE6 pliku " + d.plik);
        }
        for (const Dawny& d : dawne)
            if (d.przemianowany && !dokladnie([&] { return renameFile(d.plik, d.nazwa); }))
                tekst += withFileError("\nNie uda\xB3o si\xEA przywr\xF3" "ci\xE6 nazwy pliku " + d.nazwa + " (nazywa si\xEA " +
                                       d.plik + ")");
        // The open operator's lock guards its state file again.
        if (tenSam && !o.stan.empty()) Blokada.guard(o.stan);
        if (nowaBlokada) {
            dokladnie([&] { return removeFile(sciezka + "lck"); });
            uzyta.unlock();
        }
        przed->Przywroc(k);
        komunikat(tekst);
        return false;
    };
    // A step that failed after its rename has changed its file.
    auto krok = [&](bool udany, bool& zmieniony) {
        zmieniony = udany || lastFailureAfterRename();
        return udany;
    };
    for (Dawny& d : dawne) {
        const std::string& plik = d.nazwa.empty() ? d.plik : d.nazwa;
        if (!bajtyPliku(plik, d.bajty)) return wycofaj(withFileError("Nie uda\xB3o si\xEA odczyta\xE6 pliku " + plik) + nieUtworzono);
    }
    // What the operator replaced held: its tree (a killed creation's new
    // one) and its state file.
    std::optional<ZastapionyOperator> zastapiony;
    if (o.istnieje() || !o.stan.empty())
        zastapiony = ZastapionyOperator{wezlyDrzewa(o.przerwane ? noweDrzewo : o.drzewo),
                                        stan.bajty ? std::optional(stan.bajty->size() / RozmiarStanuModelu) : std::nullopt,
                                        !stan.bajty.has_value()};

    for (Dawny* d : {&stan, &drzewoDawne})
        if (!d->nazwa.empty() && !krok(dokladnie([&] { return renameFile(d->nazwa, d->plik); }), d->przemianowany))
            return wycofaj(withFileError("Nie uda\xB3o si\xEA zmieni\xE6 nazwy pliku " + d->nazwa + " na " + d->plik) + nieUtworzono);
    if (stan.przemianowany) uzyta.guard(plikStanu);
    // (A file in place whose folder could not be flushed is said so: the
    // creation is then undone.)
    const auto stanuNie = [&] {
        return failedWriteText("Nie uda\xB3o si\xEA utworzy\xE6 pliku stanu " + plikStanu, "Plik stanu " + plikStanu);
    };
    const std::string operatorNie = "Operator " + plikDrzewa + " nie zosta\xB3 utworzony";
    nowyS.zmieniony = true;
    k.SciezkaOperatora = sciezka;
    try {
        // A simulation refused (its parameter file unreadable) has told its
        // reason and left no file error: the state file is not to blame.
        if (!UtworzStanOperatora(k, nowyStan))
            return wycofaj(lastFileError().empty() ? operatorNie : stanuNie() + nieUtworzono);
    } catch (const std::exception& e) {
        return wycofaj(e.what());
    }
    noweD.zmieniony = true;
    const std::string drzewaNie = "Nie uda\xB3o si\xEA zapisa\xE6 pliku drzewa " + plikDrzewa, drzewaTak = "Plik drzewa " + plikDrzewa;
    if (!dokladnie([&] { return writeTextLines(noweDrzewo, drzewo.Linie()); })) {
        BladZapisu = true;
        return wycofaj(failedWriteText(drzewaNie, drzewaTak) + nieUtworzono);
    }
    if (!Wczytaj()) return wycofaj(operatorNie);
    if (!krok(dokladnie([&] { return renameFile(nowyStan, plikStanu); }), stan.zmieniony))
        return wycofaj(stanuNie() + nieUtworzono);
    // The new state file is locked as the old one was.
    if (!uzyta.guard(plikStanu))
        return wycofaj(withFileError("Nie uda\xB3o si\xEA zablokowa\xE6 pliku stanu " + plikStanu));
    if (!krok(dokladnie([&] { return renameFile(noweDrzewo, plikDrzewa); }), drzewoDawne.zmieniony))
        return wycofaj(failedWriteText(drzewaNie, drzewaTak) + nieUtworzono);
    // The new operator is complete: a second old tree spelt otherwise
    // goes, and what killed runs left beside its files.
    const std::string nieusuniete = drzewoDawne.przemianowany ? std::string() : usunDawneDrzewo(o, plikDrzewa);
    for (const std::string& plik : {plikDrzewa, plikStanu, o.drzewo, o.stan})
        if (!plik.empty()) dokladnie([&] { return removeStaleTemporaries(plik, MadeNew::Yes); });
    if (!nieusuniete.empty()) {
        k.BladUsuwaniaPliku = true;
        komunikat("Operator " + plikDrzewa + " utworzony, ale " + nieusuniete);
    }
    WyczyscPrzebiegi(k, 0);  // the new root's run stays
    if (!tenSam) Blokada = std::move(blokada);
    TylkoDoOdczytu = false;
    Zastapiony = zastapiony;

    UstawOperatora(plikDrzewa);
    PoWybraniuPliku(std::move(drzewo));
    Drzewo.UstawObrazek(0, 1);
    Wybierz(0);
    Zmiana_wezla();
    return true;
}

void Warsztat::NowyPlik1Click() {
    // "/f" or the dialog's name, taken as the new operator's dialog takes
    // it (a bare name gets ".tr1"), one without a folder looked for as
    // vesk-wsad looks for its argument; a cancelled dialog reopens the
    // present one.
    std::optional<std::string> plik;
    if (!k.PlikStartowy.empty()) {
        plik = k.PlikStartowy;
        k.PlikStartowy.clear();
    } else {
        plik = k.Okna->chooseFile(teksty::TytulOtwarcia, teksty::FiltrOtwarcia, false, folderDialoguOperatorow());
    }
    if (!plik) {
        if (!k.SciezkaOperatora.empty()) Wczytanie_istniejacego_operatora();
        return;
    }
    otworz(ZnajdzOperatora(*plik, FormaNazwy::Nazwa, katalogOperatorow()));
}

void Warsztat::UstawOperatora(const std::string& plikDrzewa) {
    k.PlikDrzewa = plikDrzewa;
    Tytul = teksty::TytulProgramu + k.DopisekTytulu + " " + plikDrzewa;
    PanelDrzewa = Nazwa_pliku(plikDrzewa);
    NazwaOperatoraPrim = plikDrzewa;
}

std::string NowyPlik(const std::string& plik) { return plik + DopisekNowegoPliku; }

bool Warsztat::Roz_Wczytanie_istniejacego_operatora(const std::string& plikDrzewa) {
    return otworz(ZnajdzOperatora(plikDrzewa, FormaNazwy::PlikDrzewa, katalogOperatorow()));
}

KatalogOperatorow Warsztat::katalogOperatorow() const {
    return {k.catKARTOPERATORA, k.catKARTOPERATORA.empty() ? std::string() : ZrodloKataloguOperatorow(k)};
}

std::string Warsztat::folderDialoguOperatorow() {
    const FolderOperatorow f = ZnajdzFolderOperatorow(katalogOperatorow());
    if (f.powod.empty()) return f.sciezka;
    komunikat(f.powod + " - okno wyboru pliku poka\xBF" "e folder roboczy");
    // (Never the folder the dialog showed last, an unreadable one among
    // them: a relative name typed there is taken in the folder shown.)
    return FolderRoboczy(k);
}

bool Warsztat::Wczytanie_istniejacego_operatora(const std::string& podana) {
    if (podana.empty()) return false;
    return otworz(ZnajdzOperatora(podana, FormaNazwy::Rdzen));
}

bool Warsztat::Wczytanie_istniejacego_operatora() {
    if (k.PlikDrzewa.empty()) return false;
    return otworz(ZnajdzOperatora(k.PlikDrzewa, FormaNazwy::Znaleziony));
}

bool Warsztat::otworz(const OperatorZNazwy& o) {
    // The operator keeps its files' own spelling (a command file's path is
    // in lower case): a save must not rename them.
    if (!o.powod.empty()) {
        komunikat(o.powod);
        return false;
    }
    // Its tree and state files as they are spelt ("T.QAD" beside "t.qad"
    // is T's, and "T.qad" would name both); what is made beside them is
    // named in the operator's spelling.
    const std::string sciezka = o.sciezka;
    const std::string plikDrzewa = wlasnyPlik(o, "tr1");
    const std::string plikStanu = wlasnyPlik(o, "qad");
    if (std::string blad = plikiNieDoUzytku(o, "otwarty"); !blad.empty()) {
        komunikat(blad);
        return false;
    }
    // Reopening the open operator keeps its nodes' histories; another copy
    // of its stem ("T.tr1" while "T.TR1" is open) is another operator.
    const bool tenSam = !k.PlikDrzewa.empty() && fileNamePart(k.PlikDrzewa) == fileNamePart(plikDrzewa) &&
                        equalNoCaseCp1250(k.PlikDrzewa, plikDrzewa);
    // A creation killed after its commit point left its new state file in
    // place and its complete new tree beside the tree file: that tree is
    // read, and put in place once the open succeeds.
    const std::string nowy = NowyPlik(sciezka + "tr1");
    bool dokonczTworzenie = o.przerwane;
    // Files of another operator whose name differs only in letter case are
    // not this one's.
    if (!o.cudzy.empty()) {
        komunikat(o.cudzy + " - operator nie zosta\xB3 otwarty");
        return false;
    }
    // No operator without its tree (or a killed creation's new tree): told
    // as the tree's reader tells it, and no lock file made for it.
    if (!o.istnieje()) {
        try {
            DrzewoDecyzji::Wczytaj(plikDrzewa);
        } catch (const WorkbenchError& e) {
            komunikat(e.what());
        }
        return false;
    }
    // A new tree that this program did not make (a link, a second name of
    // another file) is no creation's: beside an old tree, the old tree is
    // the operator's; alone, the open is refused naming it, nothing moved.
    if (dokonczTworzenie && !dokladnie([&] { return isLeftover(nowy); })) {
        if (o.drzewo.empty()) {
            komunikat(withFileError("Plik " + nowy + " nie jest drzewem przerwanego tworzenia operatora") +
                      " - operator nie zosta\xB3 otwarty");
            return false;
        }
        dokonczTworzenie = false;
    }
    // Under the operator's lock, which the present one keeps when reopened;
    // one taken here is given up (its lock file removed) unless the open
    // succeeds and keeps it.
    FileLock blokada;
    struct Porzucenie {
        FileLock& blokada;
        ~Porzucenie() { porzucBlokade(blokada); }
    } porzucenie{blokada};
    const std::optional<bool> juz = juzZablokowany(sciezka, "otwarto");
    if (!juz) return false;
    const bool zablokowany = *juz;
    if (!zablokowany && !zablokuj(o, blokada)) return false;
    // Where what was read disagrees with the file locked or found (another
    // put in its place, or none for a moment), the file changed while being
    // opened: said so, not what the reading found.
    const auto podmieniony = [&] {
        const FileLock::Guarded stan = (zablokowany ? Blokada : blokada).guardedFile();
        return stan == FileLock::Guarded::Replaced || stan == FileLock::Guarded::Removed ||
               (!o.stan.empty() && surelyMissing(plikStanu));
    };
    // Read-only files, or a folder where the files made beside them (the
    // journal, the temporary files) cannot be.
    const bool tylkoDoOdczytu = dokladnie([&] {
        return isReadOnlyFile(wlasnyPlik(o, "tr1")) || isReadOnlyFile(wlasnyPlik(o, "qad")) ||
               isReadOnlyFolderOf(wlasnyPlik(o, "qad"));
    });
    // Both files are checked, and the repairs worked out, before anything
    // is written: a refused open leaves them as they were.
    DrzewoDecyzji drzewo;
    // A tree file that is no tree (but no longer than one) is rebuilt from
    // the records, its bytes kept beside it.
    std::optional<std::string> nieczytelne, zachowane;
    auto wczytajDrzewo = [&] {
        for (;;) {
            nieczytelne.reset();
            zachowane.reset();
            try {
                drzewo = DrzewoDecyzji::Wczytaj(dokonczTworzenie ? nowy : plikDrzewa);
                return true;
            } catch (const WorkbenchError& e) {
                // A new tree that cannot be read beside the old one is no
                // creation's: the old tree is the operator's.
                if (dokonczTworzenie && !o.drzewo.empty()) {
                    dokonczTworzenie = false;
                    continue;
                }
                if (dokonczTworzenie || e.kind() != WorkbenchError::Kind::TreeFormat || !(nieczytelne = bajtyDrzewa(plikDrzewa))) {
                    komunikat(e.what());
                    return false;
                }
                drzewo = DrzewoDecyzji::Odzyskaj(*nieczytelne);
                zachowane = e.what();
                return true;
            }
        }
    };
    if (!wczytajDrzewo()) return false;
    const std::string nieOtwarto = " - operator nie zosta\xB3 otwarty";
    OcenaPlikuStanu ocena;
    try {
        ocena = OcenPlikStanu(plikStanu);
    } catch (const std::exception& e) {
        komunikat(e.what());
        return false;
    }
    if (!ocena.odmowa.empty()) {
        komunikat((podmieniony() ? "Plik stanu " + plikStanu + ": " + changedFileText() : ocena.odmowa) + nieOtwarto);
        return false;
    }
    // A new tree beside the old one and a state file holding other nodes
    // than the new tree names (its creation undone, and killed while
    // undoing) is no creation to finish: the old tree is the operator's.
    if (dokonczTworzenie && !o.drzewo.empty() && ocena.wezly.size() != static_cast<std::size_t>(drzewo.Liczba())) {
        dokonczTworzenie = false;
        if (!wczytajDrzewo()) return false;
    }
    // The operator the finished creation replaces (its state file is gone).
    const std::optional<std::size_t> wezlyDawnego = dokonczTworzenie ? wezlyDrzewa(o.drzewo) : std::nullopt;
    // Beside other copies of the stem, a tree naming other nodes than the
    // state file holds may have been paired with another copy's state file
    // (files renamed by hand): pruning or attaching nodes would be a guess.
    if (std::string tekst = inneWezly(drzewo, ocena.wezly); !tekst.empty())
        if (const std::vector<std::string> kopie = o.kopie(); !kopie.empty()) {
            tekst = "Plik drzewa " + (dokonczTworzenie ? nowy : plikDrzewa) + " i plik stanu " + plikStanu + " maj\xB9 r\xF3\xBFne w\xEAz\xB3y (" +
                    tekst + "), a obok s\xB9 inne kopie operatora:";
            for (std::size_t i = 0; i < kopie.size(); ++i) tekst += (i ? ", " : " ") + kopie[i];
            komunikat(tekst + " - drzewo nie zosta\xB3o naprawione wed\xB3ug pliku stanu, kt\xF3ry mo\xBF" "e nale\xBF" "e\xE6 do innej kopii" + nieOtwarto);
            return false;
        }
    // Files that may not be written are told what a repair would do, in
    // words that do not say it was done.
    if (tylkoDoOdczytu && ocena.bajty) {
        std::string tekst = "Plik stanu " + plikStanu + " wymaga naprawy, a pliki operatora s\xB9 tylko do odczytu" + nieOtwarto + ":";
        for (const std::string& n : ocena.plan) tekst += "\n - " + n;
        komunikat(tekst);
        return false;
    }
    const DrzewoDecyzji wczytane = drzewo;
    // The repairs of the file's bytes are said once written; where nothing
    // is written (a journal left unremoved), as yet to be done.
    std::vector<std::string> naprawy = tylkoDoOdczytu ? ocena.plan : ocena.naprawy;
    if (nieczytelne) {
        std::string tekst = "drzewo odbudowane z rekord\xF3w pliku stanu, bo " + *zachowane;
        if (!tylkoDoOdczytu) {
            bool zajete = false;
            std::string proba;
            zachowane = zachowajDrzewo(sciezka + "tr1", *nieczytelne, zajete, proba);
            if (!zachowane) {
                komunikat((zajete ? zajeteNazwyKopii(sciezka + "tr1", tekst)
                                  : withFileError("Nie uda\xB3o si\xEA zachowa\xE6 pliku drzewa " + plikDrzewa + " (" +
                                                  tekst + ") jako " + proba)) +
                          nieOtwarto);
                return false;
            }
            tekst += "; dawny plik drzewa zachowany jako " + *zachowane;
        }
        naprawy.push_back(tekst);
    }
    for (std::string& n : UzgodnijZRekordami(drzewo, ocena.wezly)) naprawy.push_back(std::move(n));

    const auto przed = std::make_unique<MigawkaOperatora>(k);
    // A refusal after the repair was written tells it: the files hold it.
    bool naprawiono = false;
    auto wycofaj = [&](const std::string& tekst) {
        przed->Przywroc(k);
        if (tekst.empty()) return false;
        std::string t = tekst + nieOtwarto;
        if (naprawiono && !naprawy.empty()) {
            t += "; plik stanu " + plikStanu + " zosta\xB3 ju\xBF naprawiony:";
            for (const std::string& n : naprawy) t += "\n - " + n;
        }
        komunikat(t);
        return false;
    };
    if (!Wczytaj()) return wycofaj({});
    if (!tylkoDoOdczytu) {
        try {
            for (std::string& n : ZapiszNaprawe(plikStanu, ocena)) naprawy.push_back(std::move(n));
        } catch (const std::exception& e) {
            return wycofaj(e.what());
        }
        naprawiono = ocena.bajty || ocena.dziennik || ocena.zamiar;
    }
    k.KatalogOperatora = normalizeFolder(folderPart(sciezka));
    bool wczytano = false;
    try {
        wczytano = WczytajStanOperatora(k, plikStanu);
    } catch (const std::exception& e) {
        return wycofaj(e.what());
    }
    if (const bool zmieniony = podmieniony(); !wczytano || zmieniony) {
        const std::string nie = "Nie uda\xB3o si\xEA otworzy\xE6 pliku stanu " + plikStanu;
        return wycofaj(zmieniony ? nie + ": " + changedFileText() : withFileError(nie));
    }
    if (dokonczTworzenie) {
        if (!tylkoDoOdczytu && !dokladnie([&] { return renameFile(nowy, plikDrzewa); }))
            return wycofaj(withFileError("Nie uda\xB3o si\xEA doko\xF1" "czy\xE6 tworzenia operatora: plik " + nowy +
                                         " nie zosta\xB3 przeniesiony na " + plikDrzewa));
        std::string tekst = tylkoDoOdczytu ? "przerwane tworzenie operatora: drzewo wczytane z pliku " + nowy
                                           : "przerwane tworzenie operatora doko\xF1" "czone (plik drzewa " + plikDrzewa +
                                                 " przeniesiony z " + nowy + ")";
        if (!o.drzewo.empty()) tekst += ": " + TekstZastapienia(plikDrzewa, ZastapionyOperator{wezlyDawnego, std::nullopt});
        naprawy.insert(naprawy.begin(), tekst);
        if (!tylkoDoOdczytu)
            if (std::string blad = usunDawneDrzewo(o, plikDrzewa); !blad.empty()) naprawy.push_back(blad);
    }
    // What killed programs left beside the files: their temporary files
    // (those of a state file spelt otherwise too), a creation's new files
    // that it did not commit: the new tree before the new state file,
    // which marks it as not committed.
    if (!tylkoDoOdczytu) {
        std::vector<std::string> usuniete;
        for (const std::string& plik : {plikDrzewa, plikStanu})
            for (std::string& f : removeStaleTemporaries(plik, MadeNew::Yes)) usuniete.push_back(std::move(f));
        for (const std::string& plik : {plikStanu, plikStanu + ZapisWToku, plikStanu + ".krok"})
            for (std::string& f : dokladnie([&] { return removeStaleTemporaries(plik); })) usuniete.push_back(std::move(f));
        // Those of its report files too.
        for (std::string& f : UsunPozostalosciSprawozdan(folderPart(plikStanu), RdzenSprawozdan(sciezka)))
            usuniete.push_back(std::move(f));
        if (!usuniete.empty()) {
            std::string tekst = "usuni\xEAto pliki pozostawione przez przerwany program:";
            for (std::size_t i = 0; i < usuniete.size(); ++i) tekst += (i ? ", " : " ") + usuniete[i];
            naprawy.push_back(tekst);
        }
    }
    if (!tenSam) WyczyscPrzebiegi(k);

    k.SciezkaOperatora = sciezka;
    UstawOperatora(plikDrzewa);
    PoWybraniuPliku(std::move(drzewo));
    if (!zablokowany) Blokada = std::move(blokada);
    // The stem's lock file, held for another copy of it, guards this
    // copy's state file now (the lock file alone holds it should that fail).
    else if (!tenSam) Blokada.guard(plikStanu);
    TylkoDoOdczytu = tylkoDoOdczytu;
    if (TylkoDoOdczytu) Tytul += teksty::TytulTylkoDoOdczytu;
    if (!naprawy.empty()) {
        if (!(Drzewo == wczytane) || nieczytelne) ZapiszDrzewo();
        std::string tekst = "Operator " + plikDrzewa + " naprawiony" +
                            (tylkoDoOdczytu ? " (tylko w pami\xEA" "ci - pliki s\xB9 tylko do odczytu)" : "") + ":";
        for (const std::string& n : naprawy) tekst += "\n - " + n;
        komunikat(tekst);
    }
    Wybierz(0);
    // The root's record came with the state file: an open that has read it
    // whole reads nothing more that could fail after it.
    zmianaWezla(false);
    return true;
}

namespace {

// The delete dialog's question about the operator of the stem sciezka, the
// stem otwarty open.
std::string pytanieKasowania(const std::string& sciezka, const std::string& otwarty) {
    // "Skasować operatora T razem z jego drzewem, wynikami i sprawozdaniami?";
    // with its folder when the open operator, in another folder, is named
    // alike (in any letter case).
    const std::string nazwa = Warsztat::Nazwa_pliku(bezKonca(sciezka, 1));
    std::string kto = nazwa;
    if (!otwarty.empty() && equalNoCaseCp1250(Warsztat::Nazwa_pliku(bezKonca(otwarty, 1)), nazwa)) {
        const std::string folder = bezKonca(sciezka, nazwa.size() + 1);
        kto += folder.empty() ? " z folderu roboczego" : " z folderu " + folder;
    }
    return "Skasowa\xE6 operatora " + kto + " razem z jego drzewem, wynikami i sprawozdaniami?";
}

}  // namespace

void Warsztat::Kasowanieoperatora1Click() {
    std::optional<std::string> plik =
        k.Okna->chooseFile(teksty::TytulKasowania, teksty::FiltrOperatorow, false, folderDialoguOperatorow());
    if (!plik || plik->empty()) return;
    const OperatorZNazwy o = ZnajdzOperatora(*plik, FormaNazwy::Nazwa, {}, CelNazwy::Kasowanie);
    if (!o.powod.empty()) {
        komunikat(o.powod);
        return;
    }
    // The open operator's tree, however the name is spelt.
    if (!k.SciezkaOperatora.empty()) {
        std::optional<std::string> wybrany = o.drzewo.empty() ? std::nullopt : findExisting(o.drzewo);
        std::optional<std::string> otwarty = findExisting(k.PlikDrzewa);
        std::error_code ec;
        const bool ten = wybrany && otwarty ? std::filesystem::equivalent(*wybrany, *otwarty, ec)
                                            : equalNoCaseCp1250(o.sciezka, k.SciezkaOperatora);
        if (ten) {
            komunikat(teksty::NieWolnoKasowac);
            return;
        }
    }
    // Nor one that can be read alone, nor one another program has open:
    // refused before the question, whose answer could not be carried out.
    if (std::string blad = tylkoDoOdczytu(o); !blad.empty()) {
        komunikat(blad + " - operator nie zosta\xB3 skasowany");
        return;
    }
    FileLock blokada;
    if (!zablokuj(o, blokada, "skasowano")) return;
    if (!k.Okna->question(pytanieKasowania(o.sciezka, k.SciezkaOperatora))) return;
    ++PokolenieOperatora;
    // Its files in any letter case, but none of another operator's whose
    // name differs only in letter case ("t.qad.zapis" beside "t.tr1"); the
    // folder read again, with the lock file in it.
    const OperatorZNazwy teraz =
        o.drzewo.empty() ? ZnajdzOperatora(o.sciezka, FormaNazwy::Rdzen) : ZnajdzOperatora(o.drzewo, FormaNazwy::Znaleziony);
    if (!teraz.powod.empty()) {
        komunikat(teraz.powod);
        return;
    }
    // Every file the program writes for it, and the temporary files of
    // killed writes beside each; each one left is named with its reason.
    // What a killed write left (a new file, the journal, the intent) goes
    // only as such a leftover: a link or a second name of another file at
    // its name stays, named with what it is.
    std::string nieusuniete;
    const auto usun = [&](const std::string& f, bool pozostalosc = false) {
        dokladnie([&] { return removeStaleTemporaries(f); });
        const bool usuniety = pozostalosc ? dokladnie([&] { return removeLeftover(f) != Leftover::Refused; })
                                          : dokladnie([&] { return removeFile(f) || surelyMissing(f); });
        if (!usuniety) nieusuniete += (nieusuniete.empty() ? "" : ", ") + withFileError(f);
    };
    for (const auto& [rozszerzenie, pozostalosc] : plikiOperatora()) {
        std::vector<std::string> pliki = teraz.pliki(rozszerzenie);
        if (std::find(pliki.begin(), pliki.end(), teraz.sciezka + rozszerzenie) == pliki.end() &&
            !teraz.innejKopii(teraz.sciezka + rozszerzenie))
            pliki.insert(pliki.begin(), teraz.sciezka + rozszerzenie);
        for (const std::string& f : pliki) usun(f, pozostalosc);
    }
    // Its statements in the user's own folder, viewed while it could be
    // read alone (a folder that is not the user's is not looked into).
    const std::string rdzen = RdzenSprawozdan(teraz.sciezka);
    std::string powod;
    if (const std::optional<std::string> f = FolderUzytkownika(folderPart(teraz.sciezka), rdzen, powod, MakeFolders::No)) {
        for (const std::string& r : RozszerzeniaSprawozdan()) usun(NazwaWFolderze(*f, rdzen, r));
        removeEmptyFolder(*f);
    }
    if (!nieusuniete.empty()) komunikat("Nie uda\xB3o si\xEA skasowa\xE6 plik\xF3w: " + nieusuniete);
}

}  // namespace vesk
