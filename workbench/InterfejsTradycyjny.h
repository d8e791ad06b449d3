// The traditional tab: the workbench's commands as nested groups of
// buttons, the report pages they show, the confirmation step they leave
// on the tree tab, and which of the main window's report tabs are shown.
// The window builds its groups from the table below and shows this state.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "PodgladSprawozdan.h"

namespace vesk {

class Warsztat;

struct PrzyciskGrupy {
    const char* nazwa;
    std::string napis;  // code page 1250; two lines split by "\n"
};
struct GrupaInterfejsu {
    const char* nazwa;
    std::string napis;
    std::vector<PrzyciskGrupy> przyciski;
};
// The eight groups with their 30 buttons, in order.
const std::vector<GrupaInterfejsu>& GrupyInterfejsu();

// The pages of the main window that the tab and the viewers switch.
inline constexpr const char* ZakladkaInterfejs = "Interfejs";
inline constexpr const char* ZakladkaDrzewo = "TabDrzewo";
inline constexpr const char* ZakladkaSprawozdanie = "TabSprawozdanie";
inline constexpr const char* ZakladkaSprawozdanie2 = "TabSprawozdanie2";

struct StanZakladek {
    std::map<std::string, bool> Widoczna = {{ZakladkaInterfejs, true},
                                            {ZakladkaDrzewo, true},
                                            {ZakladkaSprawozdanie, false},
                                            {ZakladkaSprawozdanie2, false}};
    std::string Aktywna;  // empty: left as it is
};

// What the tab's buttons run besides its own state; by default the
// workbench's operations, the windows hand in theirs (dialogs, refresh).
struct PoleceniaInterfejsu {
    std::function<void()> Nowy1Click, NowyPlik1Click, Kasowanieoperatora1Click, Wyjscie1Click;
    std::function<bool()> Symulowanie;
    std::function<WynikPodgladu(const OpisPodgladu&)> Podglad;
    std::function<void()> Doedycji1Click;
    std::function<bool()> KasowanieWezla;
    std::function<void()> Sprawdz_bazowego;
};

class InterfejsTradycyjny {
public:
    explicit InterfejsTradycyjny(Warsztat& w);

    Warsztat& w;
    PoleceniaInterfejsu Polecenia;

    std::map<std::string, bool> Widoczna;  // groups
    std::map<std::string, bool> Wlaczony;  // buttons
    std::map<std::string, std::string> Napis;
    std::set<std::string> Pogrubione;      // buttons, and the box GrupaFinanse
    StanZakladek Zakladki;
    std::string StronaTradycyjna;          // the page shown in WebBrowser1 (native path)

    int KrokPotwierdzenia = 1;
    std::string SpeedPotwierdzenie;        // its caption
    bool SpeedPotwierdzenieWidoczny = false;

    // (The operator box shows the workbench's NazwaOperatoraPrim.)
    std::string NumerZbioruPrim, StatusPrim;

    // Any of the 30 buttons by name, or "GrupaFinanse" for a click on
    // that box itself; unknown names do nothing.
    void Klik(const std::string& nazwa);
    void Szaro();
    void SpeedPotwierdzenieClick();
    // Ins while this tab (or a page it showed) is in front: a node is
    // added as this tab's decision buttons add one, in sight: the operator's
    // tabs back, the tree tab in front with the new node selected and its
    // form open. Nothing added (refused, told why): the page stays.
    void DodanieNowejDecyzji();
    // Ctrl+B there: with a base set it adds a node as Ins does, in sight;
    // else (or refused) the operator's tabs come back, the tree tab showing
    // the template chosen.
    void WyborDoEdycji();
    // The deletion that Kasowanie left on the confirmation button is
    // pending; ZakonczKasowanie drops it (Esc, another command), the
    // button hidden. Other pending steps are left as they are.
    bool TrybKasowania() const;
    void ZakonczKasowanie();
    void InterfejsShow();
    // "Zbiór aktywny", "Status" and "Symulacja" of the node selected, after
    // whatever changed the selection or the tree.
    void ZaWyborem();
    void InterfejsEnter();
    void PrzyciskTabDrzewo();
    void PrzyciskPowrotDoInterfejsu();
    void BitBtn1Click();  // "Powrót do operatora"
    // An operator opened or created: its tree tab in front, this tab beside
    // it, no report page of the operator before left.
    void PokazOperatora();
    // The viewers' own tab after a viewer of the menu or of this tab.
    void PoPodgladzie(const WynikPodgladu& wynik);
    // "Drukuj" printed the shown page (true) on the printer named drukarka
    // (empty: not known) or found no printer or failed: the user is told
    // either way.
    void PoWydruku(bool wydrukowano, const std::string& drukarka = {});

private:
    void przyciskGrupy(const std::string& nazwa);
    void przyciskSprawozdania(const std::string& nazwa);
    void przyciskOperatora(const std::string& nazwa);
    void przyciskDecyzji(const std::string& nazwa);
    void PrzyciskSymulacja();
    void wlaczaniePoRodzaju();
    void pogrub(std::initializer_list<const char*> nazwy);
    void ukryj(std::initializer_list<const char*> grupy);
    std::string etykietaWybranego() const;
    // The node just added, in sight: the tree tab with it selected.
    void pokazDodany();
    // The operator's own tabs, as "Powrót do operatora" leaves them: the
    // tree tab in front, the traditional tab beside it, no report page
    // (shown before the tree changed) left to go back to.
    void zakladkiOperatora();
    bool niesymulowanyWybrany() const;
    void pokazTylko(const char* zakladka);
};

}  // namespace vesk
