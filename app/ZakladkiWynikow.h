// The main window's result pages: the traditional tab "Interfejs", the
// report tabs TabSprawozdanie (WebBrowser1, "Drukuj") and
// TabSprawozdanie2 (WebBrowser2), the viewers of the results menu, the
// three-year chart Chart1 and the confirmation button on the tree tab,
// and the balance chart window. The rules are the core's
// (InterfejsTradycyjny, PodgladSprawozdan, Wykresy); this only wires.
#pragma once

#include <QChartView>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <map>
#include <memory>
#include <string>

#include "InterfejsTradycyjny.h"
#include "Wykresy.h"

namespace vesk {

class Aplikacja;
class OknoGlowne;
class FormularzBilans;

// Where "Drukuj" sends a page: the default printer, without a dialog.
// Tests hand in a PDF printer.
class Drukarka {
public:
    virtual ~Drukarka() = default;
    // False when there is no printer or the print failed.
    virtual bool drukuj(const QTextDocument& dokument) = 0;
    // The printer the last page went to (empty: not known).
    virtual std::string nazwa() const { return {}; }
};
std::unique_ptr<Drukarka> DrukarkaDomyslna();

// The chart on the tree tab; a click on it is the chart's own command.
class WykresDrzewa : public QChartView {
public:
    using QChartView::QChartView;
    std::function<void()> klik;

protected:
    void mousePressEvent(QMouseEvent* e) override;
};

class ZakladkiWynikow : public QObject {
public:
    ZakladkiWynikow(Aplikacja& app, OknoGlowne& f);
    ~ZakladkiWynikow() override;

    // A viewer of the results menu by its item's name.
    void podglad(const std::string& nazwa);
    void zapisSprawozdan();
    // A button of the traditional tab (or "GrupaFinanse") by name.
    void klik(const std::string& nazwa);
    void SpeedPotwierdzenieClick();
    // Ins, or Ctrl+B with a base set, with another page than the tree tab
    // in front: the node added in sight.
    void dodanieNowejDecyzji();
    void wyborDoEdycji();
    // A pending deletion of the traditional tab dropped (Esc, another
    // command); true when there was one.
    bool zakonczKasowanie();
    void drukuj();
    void Bilans2Click();
    void Zysknetto1Click();
    void Sprzeda1Click();
    void Chart1Click();
    // The tree tab's own buttons placed after its tree and rows of buttons.
    void umiescPrzyciski();
    // An operator opened: its tree tab in front with the traditional tab
    // beside it, the pages and the report text of the operator before
    // emptied.
    void pokazOperatora();
    // Everything the core holds, shown.
    void odswiez();
    // Whatever changed the selection, the tree or the operator (any key,
    // click, menu or command file): the traditional tab's node and status,
    // the three-year chart and the balance chart window follow the node
    // selected, or go. Run first by every refresh.
    void zaWyborem();

    void ustawDrukarke(std::unique_ptr<Drukarka> d) { drukarka_ = std::move(d); }

    // Shows a page file in a browser: its bytes decoded from code page
    // 1250 whatever they hold, links relative to its folder; an empty path
    // or a missing file empties the browser.
    static void pokazStrone(QTextBrowser* b, const std::string& sciezka);

    InterfejsTradycyjny Interfejs;
    WykresTrzyletni Wykres;

    QWidget* TabInterfejs;
    QWidget* TabSprawozdanie;
    QWidget* TabSprawozdanie2;
    QTextBrowser* WebBrowser1;
    QTextBrowser* WebBrowser2;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* PrzyciskPowrotDoInterfejsu;
    QPushButton* PrzyciskTekstu;
    QPushButton* PrzyciskTabDrzewo;
    QPushButton* SpeedPotwierdzenie;
    QPushButton* SpeedButton3;
    WykresDrzewa* Chart1;
    QLineEdit* NazwaOperatoraPrim;
    QLineEdit* NumerZbioruPrim;
    QLineEdit* StatusPrim;
    std::map<std::string, QGroupBox*> Grupy;
    std::map<std::string, QPushButton*> Przyciski;
    std::unique_ptr<FormularzBilans> formularzBilans;

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;

private:
    // After a chart command: the pages follow, or, with no operator open,
    // only the menu's check marks.
    void poWykresie();
    void zbudujInterfejs();
    void zbudujSprawozdania();
    void pokazWynik(const WynikPodgladu& w);
    // A report page's browser (its page in front giving way to the tree
    // tab) or the report window (hidden) emptied.
    void oproznij(QWidget* strona);
    void oproznijStrony();
    // The pages of a node no longer in the tree (deleted) emptied.
    void zamknijStronySkasowanego();
    void pokazZakladki();
    void rysujChart1();
    void dodanieWWidoku(void (InterfejsTradycyjny::*polecenie)());

    Aplikacja& app_;
    OknoGlowne& f_;
    std::unique_ptr<Drukarka> drukarka_;
    bool wTrakcie_ = false;
    // The browsers and the report window: the node whose report each holds.
    std::map<QWidget*, int> wezly_;
};

}  // namespace vesk
