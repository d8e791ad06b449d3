// The indicator session's set and threshold commands: reading another set,
// saving the set under a chosen name, adding the indicator of the
// definition boxes, the two threshold dialogs and the relation box.
//
// The window's grid is the evaluation's table; the set library works on
// the set's own copy, which is brought level with the grid before each of
// its operations and copied back after one that succeeded.
#include "CodePage.h"
#include "ExpertSession.h"
#include "FileSystem.h"
#include "IndicatorSession.h"
#include "Paths.h"

namespace vesk {

namespace {

const char* const kTytulOtwarcia = "Proszę podać nazwę zestawu wskaźników";
const char* const kFiltrZestawow = "Pliki zestawów wskaźników (Excel) (*.xls)|*.xls";

// The folder part of a path, with its separator; empty for a bare name.
std::string Katalog(const std::string& sciezka) {
    const auto p = sciezka.find_last_of("\\/");
    return p == std::string::npos ? std::string() : sciezka.substr(0, p + 1);
}

}  // namespace

WidokWskaznikow IndicatorSession::WczytanieZestawu() {
    const std::string folder = Katalog(zestaw_.Plik).empty() ? k_.KatalogProgramu : Katalog(zestaw_.Plik);
    const std::optional<std::string> wybor =
        k_.Okna->chooseFile(utf8ToCp1250(kTytulOtwarcia), utf8ToCp1250(kFiltrZestawow), false, folder);
    if (wybor && wybor->empty()) return Widok();
    // A cancelled dialog reads the current set again.
    const std::string sciezka = wybor ? *wybor : zestaw_.Plik;
    if (sciezka.empty()) return Widok();
    if (!fileExists(sciezka)) {
        // No file to be closed in another program: its own message (what
        // is there instead, a pipe, a folder, a link to nothing), nothing changed.
        const std::string rodzaj = fileKindText(sciezka);
        k_.Okna->message(rodzaj.empty() ? utf8ToCp1250("Brak zestawu wskaźników: ") + sciezka
                                        : utf8ToCp1250("Zestaw wskaźników ") + sciezka +
                                              utf8ToCp1250(" nie daje się odczytać: ") + rodzaj);
        return Widok();
    }

    // A set refused or cancelled leaves the window as it was: the set, the
    // indicator in the boxes and all that was shown of it.
    zestaw_.Tabela = ocena_.Tabela;
    if (!vesk::WczytajZestaw(zestaw_, sciezka, *k_.Okna)) return Widok();
    ocena_.Tabela = zestaw_.Tabela;

    // The statement choice and the definition boxes start afresh, and
    // nothing of the old set's indicator stays in view.
    panel_.ZmianaZrodla(StronaPanelu::Licznik, ZrodlaWskaznikow()[0].Nazwa, k_.KatalogProgramu, *k_.Okna);
    panel_.ZmianaZrodla(StronaPanelu::Mianownik, ZrodlaWskaznikow()[1].Nazwa, k_.KatalogProgramu, *k_.Okna);
    panel_.Licznik = StronaWskaznika();
    panel_.Mianownik = StronaWskaznika();
    WyczyscOcene();
    // The first indicator of the new set is chosen.
    panel_.TekstListy.clear();
    panel_.IndeksListy = -1;
    PrzebudujListe();
    if (!lista_.empty()) {
        panel_.IndeksListy = 0;
        panel_.TekstListy = lista_.front();
    } else {
        // No indicator: no chart of one.
        wykresDozwolony_ = false;
        wykres_.Widok.Widoczny = wykres_.Widok.HoryzontWlaczony = false;
        k_.Okna->message(utf8ToCp1250("Zestaw wskaźników ") + sciezka + utf8ToCp1250(" nie zawiera żadnego wskaźnika"));
    }
    WybierzZListy();
    if (!raportowanie_) return Widok();

    // A running report notes the change of base and the rule base of the
    // new choice; the thresholds start empty and both expert boxes
    // unchecked (enabled by the rule file alone).
    PiszDoRaportu({std::string(80, '-'), utf8ToCp1250("Zmieniono bazę wskaźników na: ") + zestaw_.Plik});
    std::vector<std::string> regul =
        LinieBazyRegul(k_.KatalogOperatora, zestaw_.NazwaZestawu, panel_.TekstListy, plikRegul_);
    regul.pop_back();  // no closing line here
    PiszDoRaportu(regul);
    ocena_.Prog1.clear();
    ocena_.Prog2.clear();
    analiza_.ZaznaczEkspert(false);
    WidokWskaznikow v = Widok();
    v.OdznaczPodglad = true;
    return v;
}

void IndicatorSession::WyczyscOcene() {
    ocena_.Wartosc.clear();
    ocena_.Diagnoza.clear();
    ocena_.Prog1.clear();
    ocena_.Prog2.clear();
    ocena_.ProgiEdytowane = false;
    ocena_.WpisRelacji = 0;
    ocena_.RelacjaWskaznika.clear();
    ListaDiagnoz.clear();
    wykres_.Widok.Punkty.clear();
}

WidokWskaznikow IndicatorSession::ZapisanieZestawuJako() {
    // Where the set was read from or last saved to; the operator's folder
    // for the program's own set, or its name when none was found (the
    // program's folder is no place for the user's sets).
    const std::string zestawu = fullPath(normalizeFolder(Katalog(zestaw_.Plik)));
    const std::string folder =
        zestaw_.Plik.empty() || zestawu == fullPath(normalizeFolder(k_.KatalogProgramu)) ? k_.KatalogOperatora : zestawu;
    const std::optional<std::string> wybor =
        k_.Okna->chooseFile(std::string(), utf8ToCp1250(kFiltrZestawow), true, folder);
    if (!wybor || wybor->empty()) return Widok();
    zestaw_.Tabela = ocena_.Tabela;
    if (ZapiszZestawJako(zestaw_, *wybor, *k_.Okna))
        tytul_ = "DefiniowanieWskaznikow" + utf8ToCp1250(" | zestaw wskaźników: ") + zestaw_.Plik;
    return Widok();
}

WidokWskaznikow IndicatorSession::DodanieWskaznika() {
    IndicatorDef d;
    d.Licznik = panel_.Licznik;
    d.Mianownik = panel_.Mianownik;
    if (ocena_.WpisRelacji > 0 && ocena_.WpisRelacji < static_cast<int>(WpisyRelacji().size()))
        d.Relacja = WpisyRelacji()[static_cast<std::size_t>(ocena_.WpisRelacji)];
    d.T1 = ocena_.Prog1;
    d.T2 = ocena_.Prog2;
    zestaw_.Tabela = ocena_.Tabela;
    if (!DodajWskaznik(zestaw_, d, *k_.Okna)) return Widok();  // refused or not written: nothing changed
    ocena_.Tabela = zestaw_.Tabela;
    // The new name becomes the list's choice; its rule file decides the
    // expert box.
    panel_.TekstListy = ocena_.Tabela.Komorka(ocena_.Tabela.LiczbaWskaznikow, kol::Nazwa);
    PrzebudujListe();
    ListaDiagnoz.clear();
    plikRegul_ = resolveRuleFile(k_.KatalogOperatora, k_.KatalogProgramu, zestaw_.NazwaZestawu, panel_.TekstListy);
    return Widok();
}

WidokWskaznikow IndicatorSession::DialogProgu(int ktory) {
    if (!wezel_) return Widok();
    const std::string p1 = ocena_.Prog1, p2 = ocena_.Prog2;
    vesk::DialogProgu(ktory, panel_, ocena_, k_.RekordBiezacy, *k_.Okna);
    if (ocena_.Prog1 != p1 || ocena_.Prog2 != p2) ListaDiagnoz.clear();
    return Widok();
}

WidokWskaznikow IndicatorSession::ZmianaRelacji(int wpis) {
    vesk::ZmianaRelacji(wpis, panel_, ocena_);
    return Widok();
}

void IndicatorSession::UstawProg(int ktory, const std::string& tekst) {
    if (ktory == 1) ocena_.Prog1 = tekst;
    if (ktory == 2) ocena_.Prog2 = tekst;
}

}  // namespace vesk
