// The workbench: the decision tree of the open operator, the selected
// node, the base and template selections, the state of the commands that
// follow them, operator files. It decides; the windows show what it holds
// and turn clicks into its calls. The command language and the indicator
// window call the same operations.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "DrzewoDecyzji.h"
#include "FormularzDecyzji.h"
#include "IndicatorWindow.h"
#include "Kontekst.h"

namespace vesk {

// Which commands are enabled (or, where said, shown).
struct StanPolecen {
    bool symuluj = false;               // symuluj, SpeedSymulacja
    bool Bazowy1 = false;               // Bazowy1, SpeedBazowy
    bool Rezultaty2 = false;            // the results menu
    bool KonstrukcjaWskaznikow = false;
    bool Wykresy1 = false;
    bool WynikSyntetyczny1 = false;
    bool SpeedButton3 = false;
    bool Kasowaniewza1 = false;         // node deletion
    bool dodanieweza1 = false;          // adding a node
    bool OkienkoBazowe = false;         // the base box takes drops (hint, arrow cursor)
    bool OkienkoEdycji = false;
    bool Wzy1 = false;                  // the menu "&Decyzje"
    bool Nowy1 = true, NowyPlik1 = true, Wyjscie1 = true;
    bool Zachowajjako1 = false;
    bool TreeView1 = false;             // the tree enabled and shown
    bool operator==(const StanPolecen&) const = default;
};

// A period header above the tree.
struct NaglowekOkresu {
    std::string Napis;
    bool Widoczny = false;
    bool Aktywny = false;
};

// What the follow-up of the selection shows besides the commands: the
// period headers, the selected node's years, the captions, the debug boxes.
struct WidokWezla {
    std::array<NaglowekOkresu, 9> Okresy;  // Okres1 .. Okres9
    std::string LataSymulacji;
    std::string PrzyciskPodgladu;          // the preview button's caption
    std::string przeglad1;                 // the preview menu item's caption
    // The debug boxes.
    std::string lewa, prawa, Nazwa_Biezacego_Wezla, nazwa_wezla_poprzednika;
    std::string Absolutny_numer_wezla_biezacego, okienkonumerupoziomu, okienko_sciezki;
};

class Warsztat {
public:
    explicit Warsztat(Kontekst& k);

    Kontekst& k;
    DrzewoDecyzji Drzewo;
    std::optional<int> Wybrany;  // the selected node's number
    std::string OkienkoBazowe, OkienkoEdycji;
    bool PoDodaniuWezla = false;
    bool Zoom = true;  // the "Zoom" check box
    StanPolecen Polecenia;
    WidokWezla Widok;
    FormularzDecyzji Formularz;
    // The main window's caption, the status bar's tree-file panel, the
    // operator path on the traditional tab.
    std::string Tytul = "Vesk dla Windows";
    std::string PanelDrzewa;
    std::string NazwaOperatoraPrim;
    IndicatorWindow* Wskazniki;

    // ------------------------------------------------ tree and selection
    // The absolute index of the selected item; -1 when none.
    int IndeksWybranego() const;
    // Selects the item at absolute index i and enables the commands of its
    // kind (simulate for "d N", base choice for "d/r N"); -1 selects nothing.
    void Wybierz(int indeks);
    // Brings the window, the decision sheet and the indicator window into
    // line with the selected item; loads its record into RekordBiezacy.
    void Zmiana_wezla();

    void Bazowy1Click();  // the selected item becomes the base node
    void WyborWezlaDoEdycji();  // the selected item becomes the template
    void Doedycji1Click();  // template choice, adding at once when a base is set
    // Adds a child of the base node from the template; true when added.
    bool Dodajemy_Wezel();
    bool dodanieweza1Click();  // adds and saves the tree
    void natychmiastowe_dodanie_i_edycja_wezla();  // adds and opens the sheet
    void przeglad1Click(bool poDodaniu);  // opens the decision sheet

    // Saves the tree to SciezkaOperatora + "tr1"; a failure is told the user.
    bool ZapiszDrzewo();

    // ------------------------------------------------------ operator files
    // The text after the last "\" or "/" of a path (the whole path without one).
    static std::string Nazwa_pliku(const std::string& sciezka);
    // New operator: names it and creates it.
    void Nowy1Click();
    // The tree file chosen for a new operator (dialog or batch name);
    // nothing when cancelled or refused. Writes nothing.
    std::optional<std::string> Zachowajjako1Click();
    // Creates the operator with the stem (folder, name, "."): state file
    // with the simulated root, tree from the template "decyzje.tr1". Any
    // failure: a message and the previous operator open as before.
    bool TworzenieNowegoOperatora(const std::string& sciezka);
    bool TworzenieNowegoOperatora() { return TworzenieNowegoOperatora(k.SciezkaOperatora); }
    // Opens an operator: PlikStartowy or the open dialog (a cancelled
    // dialog reopens the present operator).
    void NowyPlik1Click();
    // Opens the operator of the stem, its folder taken from the stem; the
    // tree and the state file are read together and nothing changes
    // unless both are sound.
    bool Wczytanie_istniejacego_operatora(const std::string& sciezka);
    bool Wczytanie_istniejacego_operatora() { return Wczytanie_istniejacego_operatora(k.SciezkaOperatora); }
    // The same for a tree file's path.
    bool Roz_Wczytanie_istniejacego_operatora(const std::string& plikDrzewa);
    // Deletes another operator's files (dialog).
    void Kasowanieoperatora1Click();

private:
    void zaladujDrzewo(DrzewoDecyzji drzewo);
    bool zresetujModel();
    void komunikat(const std::string& tekst);

    IndicatorWindow brakWskaznikow_;
};

}  // namespace vesk
