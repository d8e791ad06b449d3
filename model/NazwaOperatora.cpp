#include "NazwaOperatora.h"

#include <algorithm>
#include <optional>

#include "CodePage.h"
#include "FileSystem.h"
#include "Paths.h"

namespace vesk {

namespace {

std::string przytnij(const std::string& t) {
    const std::size_t a = t.find_first_not_of(' ');
    return a == std::string::npos ? std::string() : t.substr(a, t.find_last_not_of(' ') - a + 1);
}

bool zRozszerzeniemTr1(const std::string& n) {
    return n.size() >= 4 && equalNoCaseCp1250(std::string_view(n).substr(n.size() - 4), ".tr1");
}

// The stem of a tree or state file's name ("T.tr1" gives "T.").
std::string rdzenPliku(const std::string& nazwa) { return nazwa.substr(0, nazwa.size() - 3); }

// Whether a name (before ".tr1") is none: empty or dots alone ("..tr1"
// would be a hidden operator ".").
bool bezNazwy(const std::string& rdzen) { return rdzen.find_first_not_of('.') == std::string::npos; }

// The example of a tree file's name for a name that is none: its trailing
// blanks and dots, then its extension (blanks after its dot too), dropped
// ("T.tr1." and "T. tr1" give "T").
std::string przyklad(std::string rdzen) {
    const auto obetnij = [&] {
        while (!rdzen.empty() && (rdzen.back() == ' ' || rdzen.back() == '.')) rdzen.pop_back();
    };
    obetnij();
    if (const std::size_t kropka = rdzen.rfind('.'); kropka != std::string::npos && kropka > 0 &&
                                                      przytnij(rdzen.substr(kropka + 1)).size() == 3) {
        rdzen.erase(kropka);
        obetnij();
    }
    return bezNazwy(rdzen) ? "firma" : rdzen;
}

// A name written as a tree file: the folder, the name and whether ".tr1"
// ends it (in any letter case), blanks around the name and before ".tr1"
// dropped ("sp " and "sp" are one operator).
struct NazwaDrzewa {
    std::string folder, imie, rdzen;
    bool zTr1;
};
NazwaDrzewa rozbierz(const std::string& nazwa) {
    NazwaDrzewa n;
    const std::string calosc = przytnij(nazwa);
    n.folder = folderPart(calosc);
    n.imie = przytnij(calosc.substr(n.folder.size()));
    n.zTr1 = zRozszerzeniemTr1(n.imie);
    n.rdzen = n.zTr1 ? przytnij(n.imie.substr(0, n.imie.size() - 4)) : n.imie;
    return n;
}

bool sterujacy(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// The refusal of a name holding a control character (a TAB, a line break):
// no operator's file is named with one, nor is it dropped as a blank is.
// The name is shown with it escaped ("\x09"); the example is the name
// without it.
std::string zeZnakiemSterujacym(const std::string& nazwa) {
    const char c = *std::find_if(nazwa.begin(), nazwa.end(), sterujacy);
    std::string bez = nazwa;
    bez.erase(std::remove_if(bez.begin(), bez.end(), sterujacy), bez.end());
    const NazwaDrzewa n = rozbierz(bez);
    const std::string znak = readableFileName(std::string(1, c));
    return "Operator \"" + readableFileName(cp1250ToUtf8(nazwa)) + "\" ma w nazwie znak steruj\xB9" "cy " + znak +
           (c == '\t' ? " (tabulator)" : c == '\n' || c == '\r' ? " (koniec wiersza)" : "") +
           ": nale\xBFy poda\xE6 plik drzewa operatora bez znak\xF3w steruj\xB9" "cych, np. " + n.folder +
           (bezNazwy(n.rdzen) ? "firma" : przyklad(n.rdzen)) + ".tr1";
}

// A folder's entries, and what the rule asks of them.
struct Folder {
    std::string sciezka;  // the folder as its files' paths begin ("OP/"; "" for the working folder)
    // Its entries that are no folders: a folder is never an operator's file.
    std::vector<std::string> wpisy;
    std::vector<std::string> foldery;
    // Its entries that cannot be followed (a link to nothing or in a loop).
    std::vector<FolderEntries::Unreadable> nieczytelne;
    // Names taken as spelt (CelNazwy::UtworzenieWPisowni): no file spelt
    // otherwise answers for one.
    bool wPisowni = false;

    // Whether a name of the folder answers for n: as spelt, else in any
    // letter case.
    bool pasuje(std::string_view e, std::string_view n) const { return wPisowni ? e == n : equalNoCaseCp1250(e, n); }
    bool jest(const std::string& n) const { return std::find(wpisy.begin(), wpisy.end(), n) != wpisy.end(); }
    // The entries spelt as n in other letter cases.
    std::vector<std::string> warianty(const std::string& n) const {
        std::vector<std::string> w;
        for (const std::string& e : wpisy)
            if (e != n && pasuje(e, n)) w.push_back(e);
        return w;
    }
    // The stem's files of this extension in its own spelling (the
    // extension in any letter case: "T.QAD" is T's).
    std::vector<std::string> wlasne(const std::string& rdzen, std::string_view rozszerzenie) const {
        std::vector<std::string> w;
        for (const std::string& e : wpisy)
            if (e.size() == rdzen.size() + rozszerzenie.size() && e.compare(0, rdzen.size(), rdzen) == 0 &&
                equalNoCaseCp1250(std::string_view(e).substr(rdzen.size()), rozszerzenie))
                w.push_back(e);
        return w;
    }
    bool ma(const std::string& rdzen, std::string_view rozszerzenie) const { return !wlasne(rdzen, rozszerzenie).empty(); }
    // Whether a stem spelt otherwise than the operator's (rdzen, whose
    // state file has the stem rdzenStanu) is another operator: it has its
    // own tree, a killed creation's tree, or a state file not the operator's.
    bool innyOperator(const std::string& s, const std::string& rdzen, const std::string& rdzenStanu) const {
        return s != rdzen && (ma(s, "tr1") || jest(s + "tr1" + DopisekNowegoPliku) || (ma(s, "qad") && s != rdzenStanu));
    }
    // Whether the name asked has a file of its stem spelt exactly so.
    bool dokladny(const std::string& drzewo, const std::string& rdzen) const {
        return jest(drzewo) || ma(rdzen, "tr1") || ma(rdzen, "qad");
    }
    // The folders that a file of the name, which the folder lacks, would be
    // taken for by its path: the one spelt so, else those spelt otherwise
    // when no file is.
    std::vector<std::string> folderyZamiast(const std::string& n) const {
        if (jest(n) || !warianty(n).empty()) return {};
        if (std::find(foldery.begin(), foldery.end(), n) != foldery.end()) return {n};
        std::vector<std::string> w;
        for (const std::string& e : foldery)
            if (pasuje(e, n)) w.push_back(e);
        return w;
    }
};

OperatorZNazwy odmowa(OdmowaNazwy rodzaj, const std::string& powod) {
    OperatorZNazwy r;
    r.odmowa = rodzaj;
    r.powod = powod;
    return r;
}

// The refusal of an entry that cannot be followed where a file of the
// stem P is looked for: its tree, state file or lock, or one of theirs
// ("T.qad.zapis", "T.tr1.nowy"), in any letter case; none otherwise, as
// such an entry tells nothing of other operators.
std::optional<OperatorZNazwy> nieczytelnyPlik(const Folder& f, const std::string& P) {
    for (const FolderEntries::Unreadable& n : f.nieczytelne) {
        if (n.name.size() < P.size() + 3 || !f.pasuje(std::string_view(n.name).substr(0, P.size()), P)) continue;
        const std::string_view rest = std::string_view(n.name).substr(P.size());
        for (const std::string_view e : {"tr1", "qad", "lck"})
            if (equalNoCaseCp1250(rest.substr(0, 3), e) && (rest.size() == 3 || rest[3] == '.'))
                return odmowa(OdmowaNazwy::Nieczytelny,
                              "Plik " + f.sciezka + n.name + " nie daje si\xEA odczyta\xE6: " + n.reason);
    }
    return std::nullopt;
}

OperatorZNazwy niejednoznaczny(const Folder& f, const std::string& nazwa, const std::vector<std::string>& pliki) {
    std::vector<std::string> sciezki;
    for (const std::string& p : pliki) sciezki.push_back(f.sciezka + p);
    return odmowa(OdmowaNazwy::Niejednoznaczna, "Plik " + f.sciezka + nazwa + ": " + ambiguousNameText(sciezki));
}

// The operator of the stem P in the folder; `drzewo` is the tree file's
// name as asked (P + "tr1" in another letter case, or that).
OperatorZNazwy operatorWFolderze(const Folder& f, const std::string& P, const std::string& drzewo) {
    std::string T, Q, cudzyT, cudzyQ;
    // Its tree: the one asked, else the one of its stem with the extension
    // in another letter case ("T.TR1" asked as "T.tr1"); several such, none
    // spelt as asked, are a guess, the one spelt as this program writes it
    // ("T.tr1" for "T.tR1") too.
    const std::vector<std::string> drzewaP = f.wlasne(P, "tr1");
    if (f.jest(drzewo)) T = drzewo;
    else if (drzewaP.size() == 1) T = drzewaP[0];
    else if (drzewaP.size() > 1) return niejednoznaczny(f, drzewo, drzewaP);
    if (T.empty()) {
        const std::vector<std::string> w = f.warianty(P + "tr1");
        if (w.size() > 1) return niejednoznaczny(f, drzewo, w);
        // Another operator's when its stem has its own state file.
        if (w.size() == 1) (rdzenPliku(w[0]) != P && f.ma(rdzenPliku(w[0]), "qad") ? cudzyT : T) = w[0];
    }
    // Its state file: the one that goes with its tree (or with the name
    // asked, when it has none), else the one of its stem spelt otherwise
    // that no other tree of the stem goes with; several, a guess. One that
    // goes with another tree beside it is that copy's, never taken.
    const std::string& wzor = T.empty() ? drzewo : T;
    const std::string pytanyQ = PlikStanuDrzewa(P + wzor.substr(wzor.size() - 3));
    std::vector<std::string> stany = f.wlasne(P, "qad");
    std::string kopiaQ, kopiaT;
    std::erase_if(stany, [&](const std::string& q) {
        if (q == pytanyQ) return false;
        for (const std::string& t : drzewaP)
            if (t != T && PlikStanuDrzewa(t) == q) {
                if (kopiaQ.empty()) kopiaQ = q, kopiaT = t;
                return true;
            }
        return false;
    });
    if (f.jest(pytanyQ)) Q = pytanyQ;
    else if (stany.size() == 1) Q = stany[0];
    else if (stany.size() > 1) return niejednoznaczny(f, pytanyQ, stany);
    if (Q.empty() && kopiaQ.empty()) {
        const std::vector<std::string> w = f.warianty(P + "qad");
        if (w.size() > 1) return niejednoznaczny(f, P + "qad", w);
        // Another operator's when its stem has its own tree (or new tree).
        if (w.size() == 1) {
            const std::string s = rdzenPliku(w[0]);
            (s != P && (f.ma(s, "tr1") || f.jest(s + "tr1" + DopisekNowegoPliku)) ? cudzyQ : Q) = w[0];
        }
    }
    OperatorZNazwy r;
    // Before its commit point a creation's new state file is still beside
    // the state file.
    if (!Q.empty() && (T.empty() || rdzenPliku(T) == rdzenPliku(Q)) &&
        f.jest(rdzenPliku(Q) + "tr1" + DopisekNowegoPliku) && !f.jest(Q + DopisekNowegoPliku)) {
        r.przerwane = true;
        cudzyT.clear();
    }
    const std::string S = !T.empty() ? rdzenPliku(T) : !Q.empty() ? rdzenPliku(Q) : P;
    r.sciezka = f.sciezka + S;
    if (!T.empty()) r.drzewo = f.sciezka + T;
    if (!Q.empty()) r.stan = f.sciezka + Q;
    // Its file missing because the one there is another's: `czyj` says whose.
    const auto cudzy = [&](const std::string& rozszerzenie, const std::string& plik,
                           const std::string& czyj = "nale\xBFy do innego operatora") {
        return "Plik " + r.sciezka + rozszerzenie + " nie istnieje (plik " + plik + " " + czyj + ")";
    };
    const std::string rozszerzenieQ = pytanyQ.substr(P.size());
    // A folder where its file would be looked for is named as it is spelt.
    const auto folder = [&](const char* rodzaj, const std::vector<std::string>& d) {
        std::string t = "Operator " + r.sciezka + "tr1 nie ma pliku " + rodzaj + " (";
        for (std::size_t i = 0; i < d.size(); ++i) t += (i ? ", " : "") + f.sciezka + d[i];
        return t + (d.size() == 1 ? " jest folderem)" : " s\xB9 folderami)");
    };
    const std::vector<std::string> folderT = T.empty() && !r.przerwane ? f.folderyZamiast(S + "tr1") : std::vector<std::string>();
    const std::vector<std::string> folderQ = Q.empty() ? f.folderyZamiast(S + rozszerzenieQ) : std::vector<std::string>();
    if (!folderQ.empty()) r.cudzy = folder("stanu", folderQ);
    else if (Q.empty() && !kopiaQ.empty())
        r.cudzy = cudzy(rozszerzenieQ, f.sciezka + kopiaQ, "jest plikiem stanu drzewa " + f.sciezka + kopiaT);
    else if (Q.empty() && !cudzyQ.empty()) r.cudzy = cudzy(rozszerzenieQ, cudzyQ);
    else if (!folderT.empty()) r.cudzy = folder("drzewa", folderT);
    else if (T.empty() && !cudzyT.empty()) r.cudzy = cudzy("tr1", cudzyT);
    r.folder_ = f.sciezka;
    r.wpisy_ = f.wpisy;
    return r;
}

// The operator of the name in the folder: spelt exactly, else the one tree
// (else the one state file) spelt otherwise, else a new one.
OperatorZNazwy wFolderze(const Folder& f, const std::string& drzewo, const std::string& P) {
    if (f.dokladny(drzewo, P)) {
        OperatorZNazwy r = operatorWFolderze(f, P, drzewo);
        // The name's own state file there without its tree (a deletion
        // killed before its last unlink) beside another copy's tree: that
        // copy is never taken in its place, nor the state file replaced.
        const std::string stan = PlikStanuDrzewa(drzewo);
        if (r.odmowa == OdmowaNazwy::Brak && !r.drzewo.empty() && !f.jest(drzewo) && f.jest(stan) &&
            r.stan != f.sciezka + stan)
            return odmowa(OdmowaNazwy::StanBezDrzewa, "Plik stanu " + f.sciezka + stan + " nie ma swojego pliku drzewa " +
                                                          f.sciezka + drzewo + " (plik " + r.drzewo +
                                                          " jest inn\xB9 kopi\xB9 operatora)");
        return r;
    }
    for (const std::string& n : {drzewo, P + "qad"}) {
        const std::vector<std::string> w = f.warianty(n);
        if (w.size() > 1) return niejednoznaczny(f, n, w);
        if (w.size() == 1) return operatorWFolderze(f, rdzenPliku(w[0]), rdzenPliku(w[0]) + "tr1");
    }
    return operatorWFolderze(f, P, drzewo);
}

// Whether the folder has a file of the name in any letter case.
bool maOperatora(const Folder& f, const std::string& drzewo, const std::string& P) {
    return f.dokladny(drzewo, P) || !f.warianty(drzewo).empty() || !f.warianty(P + "qad").empty();
}

// The folder written (ending with a separator; "" for the working folder)
// found as a file is: exact, else the one spelt otherwise; its refusal
// otherwise, naming `zrodlo` (where it was given) when there is one (the
// caller's refusal may go on).
OperatorZNazwy znajdzFolder(const std::string& folder, const std::string& zrodlo, Folder& znaleziony) {
    znaleziony = Folder{};
    const std::string nazwa = folder.empty() ? "Folder roboczy " + currentFolder()
                                             : "Folder " + folder + (zrodlo.empty() ? "" : " (" + zrodlo + ")");
    // A folder that cannot be looked into tells nothing of the operator:
    // never taken for one without it.
    const auto nieczytelny = [&] {
        return odmowa(OdmowaNazwy::Nieczytelny, unreadableText(nazwa));
    };
    if (folder.empty()) {
        std::optional<FolderEntries> wpisy = folderEntries("");
        if (!wpisy && lookupError()) return nieczytelny();
        if (wpisy) {
            znaleziony.wpisy = std::move(wpisy->files);
            znaleziony.foldery = std::move(wpisy->folders);
            znaleziony.nieczytelne = std::move(wpisy->unreadable);
        }
        return {};
    }
    const std::optional<std::string> f = findExisting(folder);
    if (!f) {
        if (lookupError()) return nieczytelny();
        const std::vector<std::string> w = ambiguousMatches(folder);
        if (!w.empty()) return odmowa(OdmowaNazwy::Niejednoznaczna, nazwa + ": " + ambiguousNameText(w));
        return odmowa(OdmowaNazwy::BrakFolderu, nazwa + " nie istnieje");
    }
    std::optional<FolderEntries> wpisy = folderEntries(folder);
    if (!wpisy && lookupError()) return nieczytelny();
    if (!wpisy) return odmowa(OdmowaNazwy::BrakFolderu, nazwa + " nie jest folderem");
    // Spelt as on disk, when written otherwise.
    std::string pisownia = folder;
    const std::string bezKonca = isPathSeparator(folder.back()) && folder.size() > 1 ? folder.substr(0, folder.size() - 1) : folder;
    if (*f != cp1250ToUtf8(bezKonca))
        if (const std::optional<std::string> cp = fileNameToCp1250(*f))
            pisownia = cp->empty() || cp->back() == '/' ? *cp : *cp + "/";
    znaleziony = Folder{pisownia, std::move(wpisy->files), std::move(wpisy->folders), std::move(wpisy->unreadable)};
    return {};
}

}  // namespace

std::vector<std::string> OperatorZNazwy::pliki(std::string_view rozszerzenie) const {
    const std::string rdzen = fileNamePart(sciezka);
    const std::string cel = rdzen + std::string(rozszerzenie);
    const std::string rdzenStanu = stan.empty() ? std::string() : rdzenPliku(fileNamePart(stan));
    const Folder f{folder_, wpisy_, {}, {}};
    std::vector<std::string> wynik;
    for (const std::string& e : wpisy_)
        if (equalNoCaseCp1250(e, cel) && !f.innyOperator(e.substr(0, rdzen.size()), rdzen, rdzenStanu) &&
            !innejKopii(folder_ + e))
            wynik.push_back(folder_ + e);
    return wynik;
}

bool OperatorZNazwy::innejKopii(const std::string& plik) const {
    const std::string n = fileNamePart(plik), rdzen = fileNamePart(sciezka);
    if (n.size() < rdzen.size() + 3 || !equalNoCaseCp1250(std::string_view(n).substr(0, rdzen.size()), rdzen))
        return false;
    // The tree or state file it is, or is named after.
    const std::string podstawa = n.substr(0, rdzen.size() + 3);
    const std::string_view e = std::string_view(podstawa).substr(rdzen.size());
    if (!equalNoCaseCp1250(e, "tr1") && !equalNoCaseCp1250(e, "qad")) return false;
    if (podstawa == fileNamePart(drzewo) || podstawa == fileNamePart(stan)) return false;
    return std::find(wpisy_.begin(), wpisy_.end(), podstawa) != wpisy_.end();
}

std::vector<std::string> OperatorZNazwy::drzewaRdzenia() const {
    std::vector<std::string> wynik;
    for (const std::string& t : Folder{folder_, wpisy_, {}, {}}.wlasne(fileNamePart(sciezka), "tr1"))
        wynik.push_back(folder_ + t);
    return wynik;
}

std::vector<std::string> OperatorZNazwy::kopie() const {
    std::vector<std::string> w;
    for (const std::string& e : wpisy_)
        if (e.size() == fileNamePart(sciezka).size() + 3 && innejKopii(folder_ + e)) w.push_back(folder_ + e);
    return w;
}

std::string PlikStanuDrzewa(const std::string& plikDrzewa) {
    if (plikDrzewa.size() < 3) return plikDrzewa + "qad";
    const std::string_view e = std::string_view(plikDrzewa).substr(plikDrzewa.size() - 3);
    const auto jak = [](char wzor, char c) { return wzor >= 'A' && wzor <= 'Z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return plikDrzewa.substr(0, plikDrzewa.size() - 3) + jak(e[0], 'q') + jak(e[1], 'a') + jak(e[1], 'd');
}

FolderOperatorow ZnajdzFolderOperatorow(const KatalogOperatorow& gdzie) {
    if (gdzie.katalog.empty()) return {};
    Folder f;
    const OperatorZNazwy r = znajdzFolder(gdzie.katalog, gdzie.zrodlo, f);
    if (!r.powod.empty()) return {{}, r.powod};
    return {f.sciezka, {}};
}

namespace {

// The operator of the name, a refusal without its ending; with wPisowni,
// of the files spelt as the name is.
OperatorZNazwy znajdz(const std::string& nazwa, FormaNazwy forma, const KatalogOperatorow& gdzie, bool wPisowni) {
    // The folder as written, the tree file's name as asked and the stem.
    std::string folder, drzewo, P;
    if (std::any_of(nazwa.begin(), nazwa.end(), sterujacy))
        return odmowa(OdmowaNazwy::ZnakSterujacy, zeZnakiemSterujacym(forma == FormaNazwy::Rdzen ? nazwa + "tr1" : nazwa));
    if (forma == FormaNazwy::Rdzen || forma == FormaNazwy::Znaleziony) {
        folder = folderPart(nazwa);
        const std::string imie = nazwa.substr(folder.size());
        if (forma == FormaNazwy::Znaleziony && !zRozszerzeniemTr1(imie))
            return odmowa(OdmowaNazwy::NiePlikDrzewa, "Plik " + nazwa + " nie jest plikiem drzewa (*.tr1)");
        P = forma == FormaNazwy::Rdzen ? imie : rdzenPliku(imie);
        drzewo = forma == FormaNazwy::Rdzen ? P + "tr1" : imie;
        if (bezNazwy(P)) return odmowa(OdmowaNazwy::Pusta, "Nie podano nazwy operatora");
    } else {
        const NazwaDrzewa n = rozbierz(nazwa);
        folder = n.folder;
        const std::string &imie = n.imie, &rdzen = n.rdzen;
        const bool zTr1 = n.zTr1;
        const std::string oczekiwano = ": nale\xBFy poda\xE6 plik drzewa operatora, np. " + folder;
        if (bezNazwy(rdzen))
            return odmowa(OdmowaNazwy::Pusta,
                          "Operator \"" + nazwa + "\" nie ma nazwy przed \".tr1\"" + oczekiwano + "firma.tr1");
        if (!zTr1 && forma == FormaNazwy::PlikDrzewa)
            return odmowa(OdmowaNazwy::NiePlikDrzewa, "Operator \"" + nazwa + "\" nie jest plikiem drzewa (*.tr1)" +
                                                          oczekiwano + przyklad(rdzen) + ".tr1");
        P = rdzen + ".";
        drzewo = rdzen + (zTr1 ? imie.substr(imie.size() - 4) : std::string(".tr1"));
    }
    Folder f;
    if (!folder.empty() || gdzie.katalog.empty()) {
        if (OperatorZNazwy r = znajdzFolder(folder, folder == gdzie.katalog ? gdzie.zrodlo : "", f); !r.powod.empty())
            return odmowa(r.odmowa, r.powod);
        f.wPisowni = wPisowni;
        if (auto r = nieczytelnyPlik(f, P)) return *r;
        return wFolderze(f, drzewo, P);
    }
    // A name without a folder: spelt exactly in the working folder, then in
    // the operator folder; else in another case in the one, then the other;
    // else a new operator in the working folder.
    Folder roboczy;
    if (OperatorZNazwy r = znajdzFolder("", "", roboczy); !r.powod.empty()) return odmowa(r.odmowa, r.powod);
    roboczy.wPisowni = wPisowni;
    if (auto r = nieczytelnyPlik(roboczy, P)) return *r;
    if (roboczy.dokladny(drzewo, P)) return wFolderze(roboczy, drzewo, P);
    const OperatorZNazwy bladKatalogu = znajdzFolder(gdzie.katalog, gdzie.zrodlo, f);
    if (bladKatalogu.odmowa == OdmowaNazwy::Niejednoznaczna || bladKatalogu.odmowa == OdmowaNazwy::Nieczytelny)
        return odmowa(bladKatalogu.odmowa, bladKatalogu.powod);
    const bool katalog = bladKatalogu.powod.empty();
    f.wPisowni = wPisowni;
    if (auto r = katalog ? nieczytelnyPlik(f, P) : std::nullopt) return *r;
    if (katalog && f.dokladny(drzewo, P)) return wFolderze(f, drzewo, P);
    if (maOperatora(roboczy, drzewo, P)) return wFolderze(roboczy, drzewo, P);
    if (katalog && maOperatora(f, drzewo, P)) return wFolderze(f, drzewo, P);
    // Nor one made in the working folder in place of the operator folder's.
    if (!katalog) {
        // Its refusal ("Folder X (...) nie istnieje") as the end of this one.
        return odmowa(OdmowaNazwy::BrakFolderu, "Operatora " + drzewo + " nie ma w folderze roboczym, a folder operator\xF3w" +
                                                    bladKatalogu.powod.substr(std::string_view("Folder").size()) +
                                                    "; nale\xBFy utworzy\xE6 ten folder" +
                                                    (gdzie.zrodlo.empty() ? "" : " albo poprawi\xE6 ten wiersz"));
    }
    return wFolderze(roboczy, drzewo, P);
}

}  // namespace

OperatorZNazwy ZnajdzOperatora(const std::string& nazwa, FormaNazwy forma, const KatalogOperatorow& gdzie,
                               CelNazwy cel) {
    OperatorZNazwy r = znajdz(nazwa, forma, gdzie, cel == CelNazwy::UtworzenieWPisowni);
    if (!r.powod.empty())
        r.powod += cel == CelNazwy::Kasowanie ? " - nic nie skasowano" : " - nic nie utworzono ani nie otwarto";
    return r;
}

}  // namespace vesk
