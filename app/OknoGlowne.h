// The main window: menu bar, the tree's popup menu, the pages (decision
// tree, hints, debugger), the status bar and the progress bar. It only
// wires: the rules live in the core and in the window-free shell code.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "DrzewoWidok.h"

namespace vesk {

class Aplikacja;
class Warsztat;
class ZakladkiWynikow;

class OknoGlowne : public QMainWindow {
public:
    OknoGlowne(Aplikacja& app, const std::string& tytul);

    // A menu item of the bar or of the tree's popup, by its name; nullptr
    // when there is none.
    QAction* akcja(const std::string& nazwa) const;
    QMenu* menu(const std::string& nazwa) const;
    // An item's enabled state as the program sets it. Qt reports a hidden
    // item as disabled whatever was set; these keep the set state (and the
    // stand-in shortcut of a hidden item follows it).
    void ustawWlaczenie(const std::string& nazwa, bool wlaczona);
    bool wlaczona(const std::string& nazwa) const;

    // Shows the tree page of an operator just opened, the hints and the
    // report pages of the operator before hidden.
    void pokazStroneDrzewa();
    void ustawPodpowiedz(const QString& html);
    // The hints page, when no operator's tree is shown.
    void pokazPodpowiedzBezOperatora(const QString& html);
    void ustawPlikDrzewa(const QString& nazwa);
    // Another command starts: the traditional tab's pending deletion ends.
    void zakonczKasowanie();
    // Caption, status panel, the tree mirror and the commands' states as
    // the workbench holds them (once a tree is loaded).
    void odswiez(const Warsztat& w);

    QTabWidget* PageControl1;
    QWidget* TabDrzewo;
    QWidget* TabPodpowiedz;
    QWidget* TabDebug;
    QTextBrowser* MemoStart;
    TDrzewoWezlow* TreeView1;
    QPushButton* ButtonFinal;
    // The tree tab: its controls on a surface the page scrolls when it is
    // too low for them.
    QScrollArea* PrzewijanieDrzewa;
    QWidget* PowierzchniaDrzewa;
    std::array<QLabel*, 9> Okres{};  // Okres1 .. Okres9
    QRect MiejsceWyniku;  // the synthetic result's button, as the tree tab is laid out
    QLabel* LataSymulacji;
    QPushButton *SpeedSymulacja, *PrzyciskPodgladu, *PrzyciskDodaniaNowejDecyzji, *SpeedBazowy, *SpeedWzorcowy;
    TPoleWezla *OkienkoBazowe, *OkienkoEdycji;
    QCheckBox* CheckBox1;  // "Zoom"
    // The debug tab's boxes, by name.
    std::map<std::string, QLineEdit*> Debug;
    QLabel* panel0;
    QLabel* panel1;
    QProgressBar* ProgressBar1;
    QMenu* PopupMenu1;
    // The result pages, the report viewers and the charts.
    ZakladkiWynikow* Wyniki = nullptr;
    // A command file's run: the step button, the echo of the line being
    // executed, the activity tick; the optimisation's progress text.
    QPushButton* PrzyciskWykonaniaNastepnegoPolecenia;
    QLineEdit* OknoLiniiRozkazow;
    QLabel* wsk;
    QLabel* epsilon;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
    // The tree tab laid out again once its real height is known.
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void zbudujMenu();
    void zbudujPrzebiegSkryptu();
    // The tree tab: its controls, their commands, its state from the core.
    void zbudujZakladkeDrzewa();
    void polaczZakladkeDrzewa();
    void ulozZakladkeDrzewa(bool zoom);
    // The tree's height that shows each of its rows shown, its frame and
    // sideways bar included.
    int wysokoscWierszyDrzewa() const;
    void odswiezZakladkeDrzewa(const Warsztat& w);
    // The period headers follow the tree's sideways scrolling; a header
    // out of the tree's width is hidden.
    void przesunOkresy();
    std::array<QRect, 9> miejscaOkresow_{};
    std::array<bool, 9> okresyWidoczne_{};
    std::array<QString, 9> napisyOkresow_;  // as the workbench gives them
    // Ins, and Ctrl+B with a base set, add in sight: on the tree tab the
    // new node is selected there (f); from any other page it is added as
    // the traditional tab adds one (zInnej). A refused add is told by the
    // workbench on either path.
    void wWidoku(void (ZakladkiWynikow::*zInnej)(), const std::function<void(Warsztat&)>& f);
    // Ins, by its menu item or, with the item off, by the key itself.
    void dodanieNowejDecyzji();
    // Runs a workbench command, then the windows follow the workbench.
    // formularz: the command refills the decision form (its unconfirmed
    // edits are settled with the user first).
    void polecenie(const std::function<void(Warsztat&)>& f, bool formularz = true);
    std::vector<std::pair<std::string, int>> pokazaneDrzewo_;  // labels and levels shown
    bool odswiezanie_ = false;
    int zakladki_ = 0;   // the page control's height less the tree tab's
    bool zoom_ = true;   // as the tree tab was last laid out
    Aplikacja& app_;
    std::map<std::string, QAction*> akcje_;
    std::map<std::string, QMenu*> menu_;
    std::map<std::string, bool> wlaczone_;
    std::map<std::string, QShortcut*> skroty_;
};

}  // namespace vesk
