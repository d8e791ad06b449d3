// The indicator window's session: the indicator table of the set in use,
// the definition panel, the evaluation and the window's own state, on one
// context. The window shows the view model the session returns and turns
// activation, choices and clicks into its calls; it decides nothing.
//
// The workbench reaches the session through IndicatorWindow (shown,
// active, hidden, refreshed after a script's simulate); the session
// reaches the workbench through the small port below and the set files
// through the set store (IndicatorSetStore.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AnalizaWrazliwosci.h"
#include "IndicatorSetStore.h"
#include "ExpertSession.h"
#include "Geometria.h"
#include "IndicatorWindow.h"
#include "Kontekst.h"
#include "OcenaWskaznika.h"
#include "PaskiSesji.h"
#include "PanelDefinicji.h"
#include "RaportOkna.h"
#include "UserInterface.h"
#include "Wskaznik.h"
#include "WygladOkna.h"
#include "WykresWskaznika.h"

namespace vesk {

// The node selected in the workbench's decision tree as the window needs it.
struct WybranyWezel {
    int Numer = 0;       // 0: the root
    int Glebokosc = 0;   // 0 for a top-level node
    std::string Etykieta;
    bool MaDzieci = false;
    // Labels of the siblings before and after the node, nearest first.
    std::vector<std::string> Poprzednie, Nastepne;
};

// What the session asks of the workbench.
class HakiWarsztatu {
public:
    virtual ~HakiWarsztatu() = default;
    // The selected node; nothing when none is selected.
    virtual std::optional<WybranyWezel> Wybrany() const = 0;
    // The follow-up of the selection: the node's record becomes current.
    virtual void Zmiana_wezla() = 0;
    // Enables or disables the results menu and the decisions menu.
    virtual void UstawRezultaty2(bool wlaczone) = 0;
    virtual void UstawWzy1(bool wlaczone) = 0;
    // The what-if step on the selected leaf: a copy with decision parameter
    // k set to v replaces it and is simulated, then selected with its
    // follow-up. The copy's number; nothing after a refusal (the workbench
    // has told the user).
    virtual std::optional<int> CoJesli(int k, long double v) = 0;
    // Selects the node labelled etykieta (a sibling) and runs the
    // follow-up; false when no node carries the label.
    virtual bool WybierzEtykiete(const std::string& etykieta) = 0;
};

// The default set of a program folder: "wskazniki-ogolne.xls", else the
// first "wskazniki*.xls" in sorted order (names compared without regard to
// case); nothing when there is none.
struct ZestawDomyslny {
    std::string Sciezka;
    std::string Nazwa;  // the file name without ".xls"
};
std::optional<ZestawDomyslny> ZnajdzZestaw(const std::string& katalogProgramu);

// The horizon entries of a node at depth glebokosc: its own three years,
// then each period longer backwards down to 2009, at most the periods a
// chart draws.
std::vector<std::string> Horyzonty(int glebokosc);

// The relation entry a column-13 text selects; 0 for an empty, blank or
// unknown text.
int WpisRelacjiZTekstu(const std::string& tekst);

// The command-language line that reads position numer of the statement
// zrodlo (a tree click); empty for a statement that has none.
std::string PodpowiedzKlikniecia(const std::string& zrodlo, int numer);
// The same for a drop onto the hint box: the two balance statements only;
// any other keeps the text dotychczasowa.
std::string PodpowiedzUpuszczenia(const std::string& zrodlo, int numer, const std::string& dotychczasowa);

// What the window shows.
struct WidokWskaznikow {
    bool Bezczynny = true;  // no node selected: nothing to show or evaluate
    bool BratPlus = false, BratMinus = false;  // SpeedButton6, SpeedButton7
    std::string Brat;
    std::vector<std::string> Horyzonty;
    std::vector<std::string> Lata;
    int Rok = 0;  // selected entry of the years
    std::string Tytul;
    std::vector<std::string> Lista;
    std::string TekstListy;
    int IndeksListy = -1;
    bool Panel = false;  // the sensitivity panel
    int Szerokosc = 572;
    bool GroupBox2 = false;
    // Why the product bars are not offered for the node in view (code page
    // 1250); empty while they are, or while no node is in view.
    std::string BrakPaskow;
    bool Wykres = false, ExportWartosci = false;
    std::string Licznik1, Licznik2, Mianownik1, Mianownik2;
    std::string OperandLicznika, OperandMianownika;
    std::string ZrodloLicznika, ZrodloMianownika;
    int WpisRelacji = 0;
    std::string Wartosc, Diagnoza;
    bool CheckBoxExpert = false;  // enabled
    // The rule viewer box to be unchecked (a set read while reporting).
    bool OdznaczPodglad = false;
    bool InfoOKoniecznosci = true;
    // Indicator sets and thresholds: the two threshold boxes.
    std::string Prog1, Prog2;
};

inline constexpr int SzerokoscBezPanelu = 572;
inline constexpr int SzerokoscZPanelem = 793;

class IndicatorSession : public IndicatorWindow {
public:
    IndicatorSession(Kontekst& k, HakiWarsztatu& warsztat, IndicatorSetStore& magazyn);

    // The window became the active one.
    WidokWskaznikow onActivated();
    // An entry of the list chosen (-1 with an empty text: none).
    WidokWskaznikow chooseIndicator(int indeks);
    // A name typed into the list and confirmed (Enter): an entry of that
    // name is chosen as by the mouse; any other text changes nothing.
    WidokWskaznikow WpisanieNazwy(const std::string& tekst);
    // A year chosen (0..2).
    WidokWskaznikow chooseYear(int indeks);
    WidokWskaznikow Widok() const;
    // The definition panel's events: a source chosen on a side, a tree node
    // dropped on a box (refused from the other side's tree with a message),
    // an operator chosen. Each evaluates again when both first boxes hold
    // an item.
    WidokWskaznikow ZmianaZrodla(StronaPanelu strona, const std::string& nazwa);
    WidokWskaznikow Upusc(Okienko cel, StronaPanelu zDrzewa, int numerWezla);
    WidokWskaznikow ZmianaOperatora(StronaPanelu strona, const std::string& op);

    // IndicatorWindow
    bool visible() const override { return widoczne_; }
    bool active() const override { return aktywne_; }
    void hide() override;
    bool refreshAndEvaluate() override { return OdswiezIOblicz(); }
    // The refresh after a script's simulate: the node follow-up, then, when
    // both first boxes hold an item, the evaluation and x91 := the first
    // year of the node's period. True when an indicator was evaluated.
    bool OdswiezIOblicz();

    // The view tells when the window is shown and whether it is active.
    // Deactivation counts only when another application window took over,
    // not an owned dialog.
    void UstawWidoczne(bool widoczne) { widoczne_ = widoczne; }
    void Aktywowane(bool aktywne) { aktywne_ = aktywne; }
    void Deaktywacja(bool przezInneOkno);
    // The window closed: the two main menus back, the diagnosis list
    // emptied, the report stopped, the chart hidden.
    void Zamkniecie();

    // State the view and the tests read.
    const std::string& NazwaZestawu() const { return zestaw_.NazwaZestawu; }
    const std::optional<std::string>& PlikRegul() const { return plikRegul_; }
    const TabelaWskaznikow& Tabela() const { return ocena_.Tabela; }
    const PanelDefinicji& Panel() const { return panel_; }
    int NumerWezlaOryginalnego() const { return numerOryginalnego_; }
    bool Raportowanie() const { return raportowanie_; }
    void UstawRaportowanie(bool r) { raportowanie_ = r; }
    bool WykresWidoczny() const { return wykres_.Widok.Widoczny; }
    // The chart with its controls; the chart button toggles it through
    // UAktualnicWykres.
    WykresWskaznika& Wykres() { return wykres_; }
    SpisDiagnoz ListaDiagnoz;  // ListBox1
    // The lines the list holds at most, whatever the rules assert (and
    // its bytes, SpisDiagnoz::NajwiecejBajtow); a run that would pass
    // them starts the list afresh.
    static constexpr std::size_t NajwiecejDiagnoz = SpisDiagnoz::NajwiecejWierszy;

    // Sensitivity panel: the variable, the slider, the animation and the
    // sibling browser; the change entries' lines are kept in WpisyZmian and
    // go into the running report.
    AnalizaWrazliwosci& Analiza() { return analiza_; }
    const AnalizaWrazliwosci& Analiza() const { return analiza_; }
    std::vector<std::string> WpisyZmian;

    // Chart controls and the product tab.
    // The chart update from the window: przelacz true for the chart button,
    // its menu item and the two operator boxes (shows or hides the chart),
    // false keeps its visibility.
    WidokWskaznikow UAktualnicWykres(bool przelacz);
    WidokWskaznikow ZmianaTypuWykresu(int typ);
    WidokWskaznikow ZmianaHoryzontu(int horyzont);
    // The messages of the last chart update, handed out once: the window
    // shows them after drawing.
    std::vector<std::string> KomunikatyWykresu();
    // The product choice, a bar's action (then the chart update when a
    // what-if step was sent), a limit box's new text.
    WidokWskaznikow ComboBoxWyboruWyrobuChange(int wyrob);
    WidokWskaznikow ScrollBarXScroll(int n, KodPrzewijania kod, int pozycja);
    void ParGranicaChange(int m, const std::string& tekst);
    // The raw-material usage check of the current node.
    void Koncowka();
    const PaskiSesji& Paski() const { return paski_; }
    // The last bar step; its description goes into a running report.
    const KrokPaska& OstatniKrokPaska() const { return ostatniKrokPaska_; }

    // Indicator sets and thresholds: reading another set (open dialog;
    // a cancel reads the current set again), saving the set under a
    // chosen name, adding the indicator of the definition boxes to the
    // set, the two threshold dialogs (ktory 1: lower, 2: upper), the
    // relation box (entry 0..5) and text typed into a threshold box.
    WidokWskaznikow WczytanieZestawu();
    WidokWskaznikow ZapisanieZestawuJako();
    WidokWskaznikow DodanieWskaznika();
    WidokWskaznikow DialogProgu(int ktory);
    WidokWskaznikow ZmianaRelacji(int wpis);
    void UstawProg(int ktory, const std::string& tekst);
    const ZestawWskaznikow& Zestaw() const { return zestaw_; }

private:
    void WczytajZestaw();
    // Value, diagnosis, thresholds, relation, chart and diagnoses of an
    // indicator no longer in the boxes emptied.
    void WyczyscOcene();
    void PrzebudujListe();
    void WybierzZListy();
    void Oblicz();
    void AktualizujWykres(ZrodloAktualizacji zrodlo);

    Kontekst& k_;
    HakiWarsztatu& warsztat_;
    PanelDefinicji panel_;
    OcenaWskaznika ocena_;
    ZestawWskaznikow zestaw_;  // the set in use; its table is synced with ocena_.Tabela
    std::string tytul_;
    std::vector<std::string> lista_;
    std::optional<WybranyWezel> wezel_;
    std::vector<std::string> lata_;
    std::optional<std::string> plikRegul_;
    int numerOryginalnego_ = 0;
    bool widoczne_ = false, aktywne_ = false;
    bool raportowanie_ = false;
    bool wykresDozwolony_ = false;
    WykresWskaznika wykres_;

    // Sensitivity panel
    void PolaczAnalize();
    void AktywujAnalize();
    // Why the product bars are not offered for the node in view (code page
    // 1250): the root, a node with children, or a cousin only browsed;
    // empty when they are.
    std::string PowodBrakuPaskow() const;
    // A change entry: kept in WpisyZmian and written to a running report.
    void WpiszZmiane(const std::string& opis);
    // Export of the node's facts, then the inference when it may run.
    void EksportIWnioskowanie();
    AnalizaWrazliwosci analiza_{k_, warsztat_};

    // Chart controls and the product tab (after the context and the
    // workbench, which they use).
    // After the workbench's refresh: the node and its years anew.
    void OdswiezWezelILata();
    // The three years of the current record's period.
    void UstawLata();
    PaskiSesji paski_{k_, warsztat_};
    KrokPaska ostatniKrokPaska_;

    // ------------------------------------ look, expert commands, report files
public:
    WygladOkna& Wyglad() { return wyglad_; }
    const WygladOkna& Wyglad() const { return wyglad_; }
    // The running report (its box, caption and file) and the lines other
    // commands append while it runs.
    RaportOkna& Raport() { return raport_; }
    void PiszDoRaportu(const std::vector<std::string>& linie);
    // RaportowanieDoPliku clicked: checked starts a report, unchecked ends it.
    void RaportowanieDoPliku(bool zaznaczone);
    // WpisDoPlikuRaportu: the diagnosis lines into the running report.
    void WpisDoPlikuRaportu();
    // ZapisanieDiagnozDoPliku: the diagnosis lines into the set's ".txt".
    bool ZapisanieDiagnozDoPliku();
    // ExportWartosci: the facts of the set for the node's three years, then
    // the selected indicator's rules and the facts into the engine. True
    // when the inference is available.
    bool ExportWartosci();
    // Wnioskowanie1: runs the rules and appends the diagnoses to ListBox1.
    bool Wnioskowanie();
    // The menu's engine commands only log themselves; the engine keeps its
    // rules and facts.
    void KomendaCLEAR();
    void KomendaRESET();
    // InterpreterBox1, and a count of its changes.
    const std::vector<std::string>& LogSilnika() const;
    std::uint64_t ZmianyLogu() const;
    // The log's state, and what a window that showed it in state pokazany
    // is to do to show it now (ExpertSession::ZmianaOd); nothing: show it
    // whole.
    ExpertSession::StanLogu StanLogu() const;
    std::optional<ExpertSession::ZmianaLogu> ZmianaLoguOd(const std::optional<ExpertSession::StanLogu>& pokazany) const;
    // Wnioskowanie1 and ZapisanieDiagnozDoPliku enabled.
    bool WnioskowanieDostepne() const;
    // Called at each periodic notification of the engine while it runs and
    // between the steps of the work on its results; the window lets pending
    // non-input events through there.
    std::function<void()> WTrakcieWnioskowania;
    // Ends the engine operation under way (called from WTrakcieWnioskowania).
    void PrzerwijWnioskowanie();

private:
    ExpertSession& Ekspert();
    void ZakonczRaport();
    WygladOkna wyglad_{ZnacznikEksperta(k_.KatalogRoboczy)};
    RaportOkna raport_{k_};
    std::unique_ptr<ExpertSession> ekspert_;
    std::uint64_t sesjaEksperta_ = 0;  // counts the engines made
    std::string katalogiEksperta_;
};

}  // namespace vesk
