#include "IndicatorSession.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "CodePage.h"
#include "ExpertSession.h"
#include "FileSystem.h"
#include "Odczyty.h"
#include "PozycjaBilansu.h"

namespace vesk {

namespace {

std::string malymi(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string cztery(int liczba) {
    std::string s = std::to_string(liczba);
    while (s.size() < 4) s.insert(s.begin(), ' ');
    return s;
}

// A simulated node's label: "d/r" and its number.
bool Symulowany(const std::string& etykieta) { return etykieta.size() >= 3 && etykieta[2] == 'r'; }

bool JestSymulowany(const std::vector<std::string>& etykiety) {
    return std::any_of(etykiety.begin(), etykiety.end(), Symulowany);
}

}  // namespace

std::optional<ZestawDomyslny> ZnajdzZestaw(const std::string& katalogProgramu) {
    if (auto f = findExisting(katalogProgramu + "wskazniki-ogolne.xls"))
        return ZestawDomyslny{katalogProgramu + "wskazniki-ogolne.xls", "wskazniki-ogolne"};
    std::error_code ec;
    std::vector<std::string> nazwy;
    std::filesystem::directory_iterator it(nativePathForCreate(katalogProgramu.empty() ? "./" : katalogProgramu), ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::string nazwa = it->path().filename().string();
        std::string m = malymi(nazwa);
        if (m.size() >= 13 && m.rfind("wskazniki", 0) == 0 && m.compare(m.size() - 4, 4, ".xls") == 0 &&
            it->is_regular_file(ec))
            nazwy.push_back(nazwa);
    }
    if (nazwy.empty()) return std::nullopt;
    std::sort(nazwy.begin(), nazwy.end());
    return ZestawDomyslny{katalogProgramu + nazwy.front(), RdzenZestawu(nazwy.front())};
}

std::vector<std::string> Horyzonty(int glebokosc) {
    std::vector<std::string> h;
    for (int i = 1; i <= std::min(glebokosc + 1, NajwiecejOkresowWykresu); ++i)
        h.push_back(cztery(2012 + 3 * (glebokosc - i)) + "-" + cztery(2011 + 3 * glebokosc));
    return h;
}

int WpisRelacjiZTekstu(const std::string& tekst) {
    const auto& wpisy = WpisyRelacji();
    for (std::size_t i = 1; i < wpisy.size(); ++i)
        if (tekst == wpisy[i]) return static_cast<int>(i);
    return 0;
}

std::string PodpowiedzKlikniecia(const std::string& zrodlo, int numer) {
    struct Wpis {
        const char* Zrodlo;
        const char* Przed;
        const char* Po;
    };
    static const Wpis tabela[] = {
        {"Bilans Aktywa", "odczyt bilans ", ", 1, nrroku, Xnr"},
        {"Bilans Pasywa", "odczyt bilans ", ", 2, nrroku, Xnr"},
        {"Rachunek Wyników Koszty i Straty", "odczyt rachunek wyników  ", ", 1, nrroku, Xnr"},
        {"Rachunek Wyników Przychody i Zyski", "odczyt rachunek wyników  ", ", 2, nrroku, Xnr"},
        {"Płynność Finansowa Przedsiębiorstwa", "odczyt cash flow ", ", nrroku, Xnr"},
        {"Produkcja", "odczyt produkcja ", ", nrroku, Xnr"},
        {"Zapasy", "odczyt zapasy ", ", nrroku, Xnr"},
        {"Koszty", "odczyt koszty ", ", nrroku, Xnr"},
        {"Zmienne decyzyjne", "odczyt zmienne decyzyjne ", ", nrroku, Xnr"},
    };
    for (const Wpis& w : tabela)
        if (zrodlo == utf8ToCp1250(w.Zrodlo)) return utf8ToCp1250(w.Przed) + std::to_string(numer) + w.Po;
    return {};
}

std::string PodpowiedzUpuszczenia(const std::string& zrodlo, int numer, const std::string& dotychczasowa) {
    if (zrodlo == "Bilans Aktywa") return "odczyt bilans " + std::to_string(numer) + ",1,nrroku, Xnr";
    if (zrodlo == "Bilans Pasywa") return "odczyt bilans " + std::to_string(numer) + ",2,nrroku, Xnr";
    return dotychczasowa;
}

// ------------------------------------------------------------ the session

IndicatorSession::IndicatorSession(Kontekst& k, HakiWarsztatu& warsztat, IndicatorSetStore& magazyn)
    : k_(k), warsztat_(warsztat), zestaw_(magazyn) {
    wykres_.OdswiezWezel = [this] { warsztat_.Zmiana_wezla(); };
    wykres_.GlebokoscWezla = [this] { return wezel_ ? wezel_->Glebokosc : 0; };
    PolaczAnalize();
}

WidokWskaznikow IndicatorSession::onActivated() {
    aktywne_ = true;
    widoczne_ = true;
    wezel_ = warsztat_.Wybrany();
    numerOryginalnego_ = k_.RekordBiezacy.Numer();
    lata_.clear();
    warsztat_.UstawRezultaty2(false);
    if (!wezel_) return Widok();  // nothing selected: an inert window

    UstawLata();
    ocena_.Rok = 1;

    panel_.ZmianaZrodla(StronaPanelu::Licznik, ZrodlaWskaznikow()[0].Nazwa, k_.KatalogProgramu, *k_.Okna);
    panel_.ZmianaZrodla(StronaPanelu::Mianownik, ZrodlaWskaznikow()[1].Nazwa, k_.KatalogProgramu, *k_.Okna);

    WczytajZestaw();
    Oblicz();
    WybierzZListy();
    AktywujAnalize();
    // The product bars from the record on a leaf other than the root; the
    // usage check on every node.
    paski_.Zablokuj(!PowodBrakuPaskow().empty());
    if (wezel_->Numer != 0 && !wezel_->MaDzieci)
        paski_.WyborWyrobu(paski_.Widok().Wyrob);
    else
        paski_.Koncowka();
    return Widok();
}

void IndicatorSession::WczytajZestaw() {
    std::optional<ZestawDomyslny> zestaw = ZnajdzZestaw(k_.KatalogProgramu);
    if (!zestaw) {
        zestaw_.NazwaZestawu = "wskazniki-ogolne";
        zestaw_.Plik = k_.KatalogProgramu + zestaw_.NazwaZestawu + ".xls";
        k_.Okna->message(utf8ToCp1250("Brak zestawu wskaźników: ") + zestaw_.Plik);
        ocena_.Tabela = TabelaWskaznikow();
        zestaw_.Tabela = ocena_.Tabela;
        PrzebudujListe();
        return;
    }
    // A failed read (Cancel) keeps the old table, list and caption.
    zestaw_.Tabela = ocena_.Tabela;
    if (!vesk::WczytajZestaw(zestaw_, zestaw->Sciezka, *k_.Okna)) return;
    ocena_.Tabela = zestaw_.Tabela;
    PrzebudujListe();
}

void IndicatorSession::PrzebudujListe() {
    lista_.clear();
    if (ocena_.Tabela.Komorka(1, kol::Nazwa).empty()) {
        // No title row: no indicators.
        ocena_.Tabela.LiczbaWskaznikow = 1;
    } else {
        int r = 1;
        while (!ocena_.Tabela.Komorka(r + 1, kol::Nazwa).empty()) ++r;
        ocena_.Tabela.LiczbaWskaznikow = r;
        lista_ = ocena_.Tabela.Nazwy();
    }
    tytul_ = "DefiniowanieWskaznikow" + utf8ToCp1250(" | zestaw wskaźników: ") + zestaw_.Plik;
    // An earlier choice is looked up by name; a name the set lacks is emptied.
    auto it = std::find(lista_.begin(), lista_.end(), panel_.TekstListy);
    if (panel_.TekstListy.empty() || it == lista_.end()) {
        panel_.TekstListy.clear();
        panel_.IndeksListy = -1;
    } else {
        panel_.IndeksListy = static_cast<int>(it - lista_.begin());
    }
}

WidokWskaznikow IndicatorSession::chooseIndicator(int indeks) {
    if (indeks >= 0 && indeks < static_cast<int>(lista_.size())) {
        panel_.IndeksListy = indeks;
        panel_.TekstListy = lista_[static_cast<std::size_t>(indeks)];
    } else {
        panel_.IndeksListy = -1;
        panel_.TekstListy.clear();
    }
    WybierzZListy();
    return Widok();
}

WidokWskaznikow IndicatorSession::WpisanieNazwy(const std::string& tekst) {
    const auto it = std::find(lista_.begin(), lista_.end(), tekst);
    if (tekst.empty() || it == lista_.end()) return Widok();
    return chooseIndicator(static_cast<int>(it - lista_.begin()));
}

void IndicatorSession::WybierzZListy() {
    ocena_.ProgiEdytowane = false;
    if (!wezel_) return;
    if (!panel_.TekstListy.empty() && panel_.IndeksListy >= 0) {
        wykresDozwolony_ = true;
        const int r = panel_.IndeksListy + 2;
        WierszWskaznika wiersz;
        for (int c = 0; c < KolumnWiersza; ++c) wiersz[static_cast<std::size_t>(c)] = ocena_.Tabela.Komorka(r, c);
        IndicatorDef def = IndicatorDef::ZWiersza(wiersz);
        ocena_.WpisRelacji = WpisRelacjiZTekstu(wiersz[kol::Relacja]);
        panel_.ZmianaZrodla(StronaPanelu::Licznik, wiersz[kol::ZrodloLicznika1], k_.KatalogProgramu, *k_.Okna);
        panel_.ZmianaZrodla(StronaPanelu::Mianownik, wiersz[kol::ZrodloMianownika1], k_.KatalogProgramu, *k_.Okna);
        panel_.ZrodloLicznika = wiersz[kol::ZrodloLicznika1];
        panel_.ZrodloMianownika = wiersz[kol::ZrodloMianownika1];
        panel_.Licznik = def.Licznik;
        panel_.Mianownik = def.Mianownik;
    }
    plikRegul_ = resolveRuleFile(k_.KatalogOperatora, k_.KatalogProgramu, zestaw_.NazwaZestawu, panel_.TekstListy);
    if (raportowanie_)
        PiszDoRaportu(LinieBazyRegul(k_.KatalogOperatora, zestaw_.NazwaZestawu, panel_.TekstListy, plikRegul_));
    if (!plikRegul_ && ekspert_) ekspert_->WyczyscLog();  // InterpreterBox1 emptied with ListBox1
    if (!plikRegul_) ListaDiagnoz.clear();
    AktualizujWykres(ZrodloAktualizacji::Okno);
}

// The chart update: the node refresh (unless the refresh itself asked),
// the evaluation when both first boxes hold an item, the chart when shown.
void IndicatorSession::AktualizujWykres(ZrodloAktualizacji zrodlo) {
    if (!wezel_) return;
    wykres_.TrzymajOs = analiza_.AnimacjaTrwa();
    wykres_.UAktualnicWykres(k_, panel_, ocena_, false, zrodlo);
}

void IndicatorSession::Oblicz() {
    if (!wezel_ || !panel_.Kompletny()) return;
    vesk::Oblicz(panel_, ocena_, k_.RekordBiezacy);
}

WidokWskaznikow IndicatorSession::ZmianaZrodla(StronaPanelu strona, const std::string& nazwa) {
    panel_.ZmianaZrodla(strona, nazwa, k_.KatalogProgramu, *k_.Okna);
    return Widok();
}

WidokWskaznikow IndicatorSession::Upusc(Okienko cel, StronaPanelu zDrzewa, int numerWezla) {
    panel_.Upusc(cel, zDrzewa, numerWezla, *k_.Okna);
    Oblicz();
    return Widok();
}

WidokWskaznikow IndicatorSession::ZmianaOperatora(StronaPanelu strona, const std::string& op) {
    panel_.ZmianaOperatora(strona, op);
    Oblicz();
    return Widok();
}

WidokWskaznikow IndicatorSession::chooseYear(int indeks) {
    if (indeks >= 0 && indeks < 3) {
        ocena_.Rok = indeks + 1;
        Oblicz();
    }
    return Widok();
}

bool IndicatorSession::OdswiezIOblicz() {
    warsztat_.Zmiana_wezla();
    OdswiezWezelILata();
    if (!wezel_ || !panel_.Kompletny()) return false;
    AktualizujWykres(ZrodloAktualizacji::OdswiezenieWezla);
    // Only a command file that asked sets x91, when told an indicator was
    // evaluated; the main window's follow-up leaves script variables alone.
    return true;
}

void IndicatorSession::hide() {
    // Closed or stepped aside, the window gives the results menu back.
    warsztat_.UstawRezultaty2(true);
    widoczne_ = false;
    aktywne_ = false;
    ZakonczRaport();
    wykres_.Widok.Widoczny = false;
}

void IndicatorSession::Deaktywacja(bool przezInneOkno) {
    if (!przezInneOkno) return;
    aktywne_ = false;
    ZakonczRaport();
    wykres_.Widok.Widoczny = false;
}

void IndicatorSession::Zamkniecie() {
    warsztat_.UstawWzy1(true);
    ListaDiagnoz.clear();
    hide();
}

WidokWskaznikow IndicatorSession::Widok() const {
    WidokWskaznikow w;
    w.Tytul = tytul_;
    w.Lista = lista_;
    w.TekstListy = panel_.TekstListy;
    w.IndeksListy = panel_.IndeksListy;
    w.ZrodloLicznika = panel_.ZrodloLicznika;
    w.ZrodloMianownika = panel_.ZrodloMianownika;
    w.Licznik1 = panel_.Tekst(Okienko::Licznik1);
    w.Licznik2 = panel_.Tekst(Okienko::Licznik2);
    w.Mianownik1 = panel_.Tekst(Okienko::Mianownik1);
    w.Mianownik2 = panel_.Tekst(Okienko::Mianownik2);
    // An operator chosen before its second item shows until the drop.
    w.OperandLicznika = panel_.Licznik.Operator;
    w.OperandMianownika = panel_.Mianownik.Operator;
    w.WpisRelacji = ocena_.WpisRelacji;
    w.Wartosc = ocena_.Wartosc;
    w.Diagnoza = ocena_.Diagnoza;
    w.CheckBoxExpert = plikRegul_.has_value();
    w.InfoOKoniecznosci = !plikRegul_.has_value();
    w.Prog1 = ocena_.Prog1;
    w.Prog2 = ocena_.Prog2;
    w.Wykres = w.ExportWartosci = wykresDozwolony_;
    if (!wezel_) return w;
    w.Bezczynny = false;
    w.BratPlus = JestSymulowany(wezel_->Nastepne);
    w.BratMinus = JestSymulowany(wezel_->Poprzednie);
    w.Brat = wezel_->Etykieta;
    w.Horyzonty = Horyzonty(wezel_->Glebokosc);
    w.Lata = lata_;
    w.Rok = ocena_.Rok - 1;
    w.Panel = wezel_->Numer != 0 && !wezel_->MaDzieci;
    w.Szerokosc = w.Panel ? SzerokoscZPanelem : SzerokoscBezPanelu;
    w.BrakPaskow = PowodBrakuPaskow();
    w.GroupBox2 = w.BrakPaskow.empty();
    return w;
}

std::string IndicatorSession::PowodBrakuPaskow() const {
    // "Suwaki cen i zamówień są dostępne tylko dla węzła końcowego (bez
    // następnych węzłów, innego niż korzeń). Węzeł ... jest korzeniem
    // drzewa. | ma następne węzły. | jest kuzynem węzła oryginalnego. Aby
    // aktywować wróć do oryginalnego węzła."
    if (!wezel_) return {};
    const std::string stan = wezel_->Numer == 0          ? std::string(" jest korzeniem drzewa.")
                             : wezel_->MaDzieci          ? std::string(" ma nast\xEApne w\xEAz\xB3y.")
                             : !analiza_.PanelWlaczony() ? " jest kuzynem w\xEAz\xB3" "a oryginalnego. " +
                                                               std::string(PodpowiedzOryginalu) + "."
                                                         : std::string();
    if (stan.empty()) return {};
    return "Suwaki cen i zam\xF3wie\xF1 s\xB9 dost\xEApne tylko dla w\xEAz\xB3" "a ko\xF1" "cowego (bez "
           "nast\xEApnych w\xEAz\xB3\xF3w, innego ni\xBF korze\xF1).\nW\xEAze\xB3 " +
           wezel_->Etykieta + stan;
}

// ------------------------------------------------------------ sensitivity panel

void IndicatorSession::PolaczAnalize() {
    AnalizaWrazliwosci::Haki& h = analiza_.Polaczenia;
    h.OdswiezWykres = [this] { AktualizujWykres(ZrodloAktualizacji::Okno); };
    h.OproznijWnioski = [this] { ListaDiagnoz.clear(); };
    h.RegulyDostepne = [this] { return plikRegul_.has_value(); };
    h.Raportowanie = [this] { return raportowanie_; };
    h.WpisZmiany = [this](const std::string& opis) { WpiszZmiane(opis); };
    h.Wnioskowanie = [this] { EksportIWnioskowanie(); };
    h.Koncowka = [this] { paski_.Koncowka(); };
    // The panel shows the node now in view: its product bars from its
    // record, locked while they are not offered (a cousin, like the slider).
    h.PoZmianieWezla = [this] {
        wezel_ = warsztat_.Wybrany();
        paski_.Zablokuj(!PowodBrakuPaskow().empty());
        if (wezel_ && wezel_->Numer != 0 && !wezel_->MaDzieci) paski_.WyborWyrobu(paski_.Widok().Wyrob);
    };
    h.Zatrzymac = [this] { return k_.Okna->stopRequested(); };
}

void IndicatorSession::WpiszZmiane(const std::string& opis) {
    const std::vector<std::string> linie = LinieWpisuZmiany(opis, ListaDiagnoz);
    WpisyZmian.insert(WpisyZmian.end(), linie.begin(), linie.end());
    if (raport_.Dziala()) PiszDoRaportu(linie);
}

void IndicatorSession::EksportIWnioskowanie() {
    if (ExportWartosci()) Wnioskowanie();
}

void IndicatorSession::AktywujAnalize() {
    analiza_.Aktywacja(wezel_, static_cast<int>(KomorkaBilansu(k_.RekordBiezacy, 0, 1)));
}

// ------------------------------------------------------------ chart controls and the product tab

WidokWskaznikow IndicatorSession::UAktualnicWykres(bool przelacz) {
    wykres_.TrzymajOs = analiza_.AnimacjaTrwa();
    if (wezel_) wykres_.UAktualnicWykres(k_, panel_, ocena_, przelacz, ZrodloAktualizacji::Okno);
    return Widok();
}

WidokWskaznikow IndicatorSession::ZmianaTypuWykresu(int typ) {
    wykres_.TypWykresu = typ;
    return UAktualnicWykres(false);
}

WidokWskaznikow IndicatorSession::ZmianaHoryzontu(int horyzont) {
    wykres_.Horyzont = std::max(0, horyzont);
    return UAktualnicWykres(false);
}

std::vector<std::string> IndicatorSession::KomunikatyWykresu() {
    std::vector<std::string> m = std::move(wykres_.Widok.Komunikaty);
    wykres_.Widok.Komunikaty.clear();
    return m;
}

WidokWskaznikow IndicatorSession::ComboBoxWyboruWyrobuChange(int wyrob) {
    paski_.WyborWyrobu(wyrob);
    return Widok();
}

WidokWskaznikow IndicatorSession::ScrollBarXScroll(int n, KodPrzewijania kod, int pozycja) {
    // A node the user only browses takes no what-if step.
    if (!wezel_ || !analiza_.PanelWlaczony()) return Widok();
    const bool ekspert = analiza_.EkspertZaznaczony();
    if (ekspert) ListaDiagnoz.clear();
    // The bar's variable becomes the panel's, its bounds around the bar's
    // new position, before the step is sent.
    if (n >= 1 && n <= 6 && paski_.Widok().Wlaczone && KodKroku(kod)) {
        const PasekProduktu& p = paski_.Widok().Paski[static_cast<std::size_t>(n - 1)];
        const int q = PozycjaWZakresie(p, pozycja);
        analiza_.WybierzZmienna(p.k - 1);
        const bool naKoncu = q >= p.Zakres.second;
        analiza_.PrzewinDolnaGranice(naKoncu ? q - 1 : q);
        analiza_.PrzewinGornaGranice(naKoncu ? q : q + 1);
    }
    ostatniKrokPaska_ = paski_.Przewiniecie(n, kod, pozycja);
    if (ostatniKrokPaska_.CoJesli) {
        // The replacing node is the selected one now.
        if (std::optional<WybranyWezel> w = warsztat_.Wybrany()) wezel_ = std::move(w);
        analiza_.PoKrokuPaska();
        AktualizujWykres(ZrodloAktualizacji::Okno);
        if (ekspert) {
            ListaDiagnoz.clear();
            EksportIWnioskowanie();
        }
        if (raportowanie_) WpiszZmiane(ostatniKrokPaska_.Opis);
    }
    return Widok();
}

void IndicatorSession::ParGranicaChange(int m, const std::string& tekst) { paski_.ZmianaGranicy(m, tekst); }

void IndicatorSession::Koncowka() { paski_.Koncowka(); }

void IndicatorSession::OdswiezWezelILata() {
    if (!wezel_) return;
    if (std::optional<WybranyWezel> w = warsztat_.Wybrany()) wezel_ = std::move(w);
    UstawLata();
}

void IndicatorSession::UstawLata() {
    const int pierwszy = static_cast<int>(KomorkaBilansu(k_.RekordBiezacy, 0, 1));
    lata_.clear();
    for (int i = 0; i < 3; ++i) lata_.push_back(cztery(pierwszy + i));
}

}  // namespace vesk
