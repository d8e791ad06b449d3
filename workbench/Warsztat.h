// The workbench: the decision tree of the open operator, the selected
// node, the base and template selections, the state of the commands that
// follow them, operator files. It decides; the windows show what it holds
// and turn clicks into its calls. The command language and the indicator
// window call the same operations.
#pragma once

#include <array>
#include <optional>
#include <set>
#include <string>

#include "DrzewoDecyzji.h"
#include "FileSystem.h"
#include "FormularzDecyzji.h"
#include "IndicatorWindow.h"
#include "Kontekst.h"
#include "NazwaOperatora.h"

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
    bool PrzyciskDodaniaNowejDecyzji = true;  // off while the three-year chart covers the tree
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
// period headers, the captions, the debug boxes.
struct WidokWezla {
    std::array<NaglowekOkresu, 9> Okresy;  // Okres1 .. Okres9
    std::string PrzyciskPodgladu;          // the preview button's caption
    std::string przeglad1;                 // the preview menu item's caption
    // The debug boxes.
    std::string lewa, prawa, Nazwa_Biezacego_Wezla, nazwa_wezla_poprzednika;
    std::string Absolutny_numer_wezla_biezacego, okienkonumerupoziomu, okienko_sciezki;
};

// An operator a creation replaced: the nodes of its tree (nothing when it
// had no tree, or one that cannot be read) and the records of its state
// file (nothing when that is not known).
struct ZastapionyOperator {
    std::optional<std::size_t> wezly, rekordy;
    bool bezStanu = false;  // it had no state file
    bool operator==(const ZastapionyOperator&) const = default;
};

class Warsztat {
public:
    explicit Warsztat(Kontekst& k);

    Kontekst& k;
    DrzewoDecyzji Drzewo;
    std::optional<int> Wybrany;  // the selected node's number
    std::string OkienkoBazowe, OkienkoEdycji;
    bool PoDodaniuWezla = false;
    int DodanyWezel = -1;  // the node added right before the sheet opened
    bool Zoom = true;  // the "Zoom" check box
    StanPolecen Polecenia;
    // The indicator window, while it is up, holds the results menu off.
    bool RezultatyWstrzymane = false;
    // The results menu: a simulated node selected (Polecenia.Rezultaty2),
    // unless the indicator window holds it off while on screen (shown, not
    // minimised); with no indicator window in sight it follows the node.
    bool RezultatyWlaczone() const {
        return Polecenia.Rezultaty2 && !(RezultatyWstrzymane && Wskazniki->visible() && !Wskazniki->minimized());
    }
    WidokWezla Widok;
    FormularzDecyzji Formularz;
    // The main window's caption, the status bar's tree-file panel, the
    // operator's tree file on the traditional tab: set together for the
    // operator opened or created (UstawOperatora), by whatever path.
    std::string Tytul = "Vesk dla Windows";
    std::string PanelDrzewa;
    std::string NazwaOperatoraPrim;
    // Grows with every operator opened or created and every one deleted:
    // a view drawn for a node before then is not kept.
    unsigned PokolenieOperatora = 0;
    IndicatorWindow* Wskazniki;

    // The open operator's lock: its files' stem with "lck" ("T.lck") and its
    // state file, held until another operator is opened or the program
    // ends, so that a second program (windows or batch) cannot open the
    // same operator, even after the lock file was deleted.
    FileLock Blokada;
    // The open operator's files may not be changed (a file without write
    // permission): it is shown, every change refused with one message.
    bool TylkoDoOdczytu = false;
    // A save of the operator's files has failed since the program started.
    bool BladZapisu = false;
    // False, with the message, when the open operator is read-only.
    bool WolnoZmieniac();

    // ------------------------------------------- what the tree tab shows
    // Node numbers whose branches are collapsed; selecting an item expands
    // it and its ancestors and collapses the branch selected before (unless
    // that one leads to the new item).
    std::set<int> Zwiniete;
    int Postep = 0;  // the progress bar, 0..100
    // The box (its name, or "StringGrid1") a refused confirmation stopped
    // at; empty when none did.
    std::string PoleBledne;
    // The "Zoom" check box: the large view on or off, then the follow-up.
    void UstawZoom(bool zoom);
    // The tree got the focus: the debug boxes show the root.
    void TreeView1Enter();
    // The selected node's period ("2012-2014"), however it was selected;
    // the root's while none is.
    std::string LataWybranego() const;
    // The preview button's caption, "Podgląd decyzji: (label) <F3>".
    std::string PodpisPrzyciskuPodgladu() const;

    // ------------------------------------------------ tree and selection
    // The absolute index of the selected item; -1 when none.
    int IndeksWybranego() const;
    // Selects the item at absolute index i and enables the commands of its
    // kind (simulate for "d N", base choice for "d/r N"); -1 selects nothing.
    void Wybierz(int indeks);
    // The same for the item of node numer (none when no item carries it).
    void WybierzWezel(int numer);
    // Brings the window, the decision sheet and the indicator window into
    // line with the selected item; loads its record into RekordBiezacy.
    void Zmiana_wezla();

    void Bazowy1Click();  // the selected item becomes the base node
    void WyborWezlaDoEdycji();  // the selected item becomes the template
    // Node numer becomes the base or the template whatever is selected
    // (an item dropped on the base or template box).
    void UpuszczenieNaBazowy(int numer);
    void UpuszczenieNaEdycji(int numer);
    // Template choice, adding at once when a base is set: true when a node
    // was added (its form then open).
    bool Doedycji1Click();
    // Adds a child of the base node from the template; true when added.
    bool Dodajemy_Wezel();
    bool dodanieweza1Click();  // adds and saves the tree
    bool natychmiastowe_dodanie_i_edycja_wezla();  // adds and opens the sheet; false: nothing added
    void przeglad1Click(bool poDodaniu);  // opens the decision sheet

    // Saves the tree to SciezkaOperatora + "tr1"; a failure is told the user.
    bool ZapiszDrzewo();

    // ------------------------------------------------- the decision sheet
    // Stores the sheet into its node's record and file and hides it. Every
    // box and cell is checked first; any refusal (a bad text, a code outside
    // 0..8, a missing or simulated node, a failed write) is one message and
    // leaves file, RekordBiezacy and the sheet as they were.
    bool PrzyciskOKClick();
    bool Potwierdzenie1Click() { return PrzyciskOKClick(); }
    // Before a window command that refills, simulates or closes the sheet:
    // when it holds unconfirmed edits the user confirms them (the command
    // goes on only when the confirmation succeeds; the sheet keeps its
    // visibility), drops them, or cancels the command. True: go on.
    bool PrzedPorzuceniemFormularza();
    // Leaves the sheet; right after an add the new node is deleted again
    // and the selections, the add command and the boxes are put back.
    void Wyjcie1Click();

    // ------------------------------------------------ simulating, deleting
    // Simulates the selected "d N" node and relabels it "d/r N"; for any
    // other item only saves the tree.
    bool Symulowanie();
    bool Symulowanie(int numer);
    // Deletes the selected leaf (not the root) from the state file and the
    // tree, and its per-step histories; saves the tree in every case.
    bool KasowanieWezla();
    bool KasowanieWezla(int numer);
    // The delete command of the windows: a node that holds a simulation is
    // deleted only after one question.
    bool Kasowaniewza1Click();
    // The what-if step on the leaf numbered wezel (not the root): a copy C
    // is added under the same parent with the smallest free number, its
    // parameter k set from v (KrokCoJesli.h), simulated, and the leaf
    // deleted. C's number, or nothing after a refusal (the leaf has
    // children, the parent is not simulated, the table is full, a code
    // outside 0..8) with the files as they were, or after a file error.
    std::optional<int> OO(int wezel, int k, long double v);

    // ------------------------------------------------------ operator files
    // The text after the last "\" or "/" of a path (the whole path without one).
    static std::string Nazwa_pliku(const std::string& sciezka);
    // New operator: names it and creates it.
    void Nowy1Click();
    // The tree file chosen for a new operator (dialog or batch name);
    // nothing when cancelled or refused. Writes nothing.
    std::optional<std::string> Zachowajjako1Click();
    // Creates the operator with the stem (folder, name, "."): state file
    // with the simulated root, tree from the template "decyzje.tr1"; the
    // per-step histories but the new root's emptied. Any failure: a
    // message and the previous operator open as before. The stem, as every
    // name of an operator, is taken by ZnajdzOperatora (NazwaOperatora.h):
    // an operator spelt otherwise is the one replaced.
    // All or nothing: a failure leaves every file as it was (a folder where
    // a file goes is found before anything is written).
    bool TworzenieNowegoOperatora(const std::string& sciezka);
    bool TworzenieNowegoOperatora() { return TworzenieNowegoOperatora(k.SciezkaOperatora); }
    // The same for a tree file's name as a user writes it ("utwórz plik"),
    // one without a folder looked for as vesk-wsad looks for its argument
    // (katalogOperatorow).
    bool Roz_TworzenieNowegoOperatora(const std::string& plikDrzewa);
    // The same for a name this program chooses itself (the batch run's
    // "testint", the optimisation's "optyma"): the operator of its files
    // spelt exactly so (CelNazwy::UtworzenieWPisowni), one of another
    // spelling ("Testint.tr1") left as it is. Replacing one is told
    // (ZglosZastapienie).
    bool TworzenieOperatoraProgramu(const std::string& plikDrzewa);
    // After a creation that replaced an operator (its tree or state file
    // was there): what it held; nothing after one that made a new
    // operator, or failed.
    std::optional<ZastapionyOperator> Zastapiony;
    // Tells the operator the last creation replaced (Zastapiony), for every
    // path that replaces one: TekstZastapienia as progress (stderr in
    // vesk-wsad; no message box in the window). Nothing after a new one.
    void ZglosZastapienie();
    // Opens an operator: PlikStartowy or the open dialog, a bare name
    // taken as the new operator's dialog takes it (a cancelled dialog
    // reopens the present operator).
    void NowyPlik1Click();
    // Opens the operator of the stem, its folder taken from the stem; the
    // tree and the state file are read together and nothing changes
    // unless both are sound; once another operator is open, the per-step
    // histories are empty (reopening the same one keeps them).
    bool Wczytanie_istniejacego_operatora(const std::string& sciezka);
    // Opens again the open operator's own tree (k.PlikDrzewa, as found):
    // never another copy of its stem spelt otherwise.
    bool Wczytanie_istniejacego_operatora();
    // The same for a tree file's name as a user writes it ("wczytaj plik"),
    // as Roz_TworzenieNowegoOperatora takes it.
    bool Roz_Wczytanie_istniejacego_operatora(const std::string& plikDrzewa);
    // Where a name without a folder is looked for after the working
    // folder: the operator folder of VE-SK.INI, and its line.
    KatalogOperatorow katalogOperatorow() const;
    // The folder the operators' dialogs start in: that operator folder as
    // found, or (told why) the working folder when it is ambiguous or
    // missing, rather than wherever the dialog would fall back to.
    std::string folderDialoguOperatorow();
    // Takes the lock of the operator of the tree file (as found:
    // OperatorZNazwy::drzewo, or its stem + "tr1" when it has none) into
    // Blokada ahead of an open or a creation (a batch run deciding which
    // under the lock); false, told the user, when it cannot be taken.
    bool ZablokujOperatora(const std::string& plikDrzewa);
    // Ends that lock when neither followed (refused, or an exception): the
    // lock file goes when the lock made it, so that a refused run leaves
    // every file as it was.
    void PorzucBlokade() noexcept;
    // What a creation killed before its commit point left beside a state
    // file that has no tree (its new files and their temporary files),
    // removed under the operator's lock: the files removed; none when the
    // lock cannot be had (a creation may be running).
    std::vector<std::string> UsunPozostalosciTworzenia(const OperatorZNazwy& o);
    // Why the locked state file is not to be written, nor a node missing
    // from it believed (another put in its place by hand, removed or moved
    // away, or a look at it failed), with what the user can do; empty
    // while it is the one locked.
    std::string powodNiezapisania();
    // Deletes another operator's files (dialog).
    void Kasowanieoperatora1Click();

private:
    // Zmiana_wezla; without wczytajRekord for a node whose record
    // RekordBiezacy holds as it was just stored.
    void zmianaWezla(bool wczytajRekord);
    // The decision form's caption for the selected node's kind; a read-only
    // operator's says at once that a change of its decisions is not taken.
    std::string tytulFormularza(const char* rodzaj) const;
    void ustawBazowy(int indeks);
    void ustawDoEdycji(int indeks);
    // The tree load after an operator was chosen: selections, occupied
    // flags from the labels, menus.
    void PoWybraniuPliku(DrzewoDecyzji drzewo);
    void MenuPoWczytaniu();
    // The model reset of a tree load; a missing parameter file is told and
    // the model quantities stay as they were.
    bool Wczytaj();
    void komunikat(const std::string& tekst);
    // No new operator after the naming: with none open the user is told
    // one is needed; with one open, which stays, only why a name was
    // refused (powod; empty after a cancelled dialog).
    void BezNowegoOperatora(const std::string& powod);
    // Opening and creation of the operator a name was found to be.
    bool otworz(const OperatorZNazwy& o);
    // The operator of this tree file is the one open: its file named in
    // the caption, the status bar and the traditional tab.
    void UstawOperatora(const std::string& plikDrzewa);
    bool utworz(const OperatorZNazwy& o);
    // Whatever refuses the creation of o without a byte written (a name,
    // a file that is no regular one or read-only, a folder where no file
    // can be made), told the user; false then.
    bool moznaUtworzyc(const OperatorZNazwy& o);
    // A failed save of the operator's files: told the user, remembered.
    void bladZapisu(const std::string& tekst);
    // Takes the lock of the operator into blokada; false, told the user
    // ("nie " + czego + " go": what was not done), when another program
    // holds it or it cannot be taken.
    bool zablokuj(const OperatorZNazwy& o, FileLock& blokada, const char* czego = "otwarto");
    // Whether Blokada holds the operator of the stem sciezka ("KO/T.")
    // already; nothing, told, when that cannot be told.
    std::optional<bool> juzZablokowany(const std::string& sciezka, const char* czego);

    IndicatorWindow brakWskaznikow_;
};

// The complete new tree, or state file, a creation writes before renaming
// it over the operator's file ("T.tr1.nowy", "T.qad.nowy").
std::string NowyPlik(const std::string& plik);

// The notice of a replaced operator, for every path that replaces one:
// "zastąpiono operator <its tree file's full path> (węzłów: N)".
std::string TekstZastapienia(const std::string& plikDrzewa, const ZastapionyOperator& z);

}  // namespace vesk
