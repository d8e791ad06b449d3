// The indicator window: the two statement trees, the four definition boxes
// with their operators, the indicator list, value, relation and diagnosis.
// It shows the view model the indicator session returns and turns the
// user's choices, drags and drops into the session's calls.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTreeWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "IndicatorSession.h"

class QComboBox;
class QCheckBox;
class QGroupBox;
class QListWidget;
class QTabWidget;
class QPushButton;

namespace vesk {
class WykresWidok;
class PaskiWidok;
}  // namespace vesk

namespace vesk {

class Aplikacja;

// The MIME type of a statement-tree node dragged inside the window:
// "side;source;label;number" with side 0 the numerator, 1 the denominator.
inline constexpr const char* MimePozycji = "application/x-vesk-pozycja";

// A statement tree dragging its nodes as our own MIME type.
class DrzewoPozycjiWidok : public QTreeWidget {
public:
    DrzewoPozycjiWidok(StronaPanelu strona, QWidget* parent);
    // Shows the tree; each item keeps its depth-first number.
    void pokaz(const DrzewoPozycji& drzewo, const std::string& zrodlo);
    std::string zrodlo;
    // What dragging item carries.
    QMimeData* daneWezla(QTreeWidgetItem* item) const { return mimeData({item}); }

protected:
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;

private:
    StronaPanelu strona_;
};

// A read-only box taking any drag and acting only on our own drops.
class OkienkoUpuszczenia : public QLineEdit {
public:
    explicit OkienkoUpuszczenia(QWidget* parent);
    std::function<void(StronaPanelu, int)> poUpuszczeniu;
    // What a drop carrying dane does; true when it was ours.
    bool upusc(const QMimeData* dane);

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
};

class DefiniowanieWskaznikow : public QMainWindow {
public:
    explicit DefiniowanieWskaznikow(Aplikacja& app);
    ~DefiniowanieWskaznikow() override;

    IndicatorSession& sesja() { return *sesja_; }
    // What the workbench sees of the window.
    IndicatorWindow& port();
    // The window activated: the session adapts it to the selected node.
    void aktywacja();
    void pokazWidok(const WidokWskaznikow& v);

    QTabWidget *PageControl1, *PageControl2;
    QGroupBox* ProbnyBox1;  // the definition panel
    QGroupBox *GroupBox1, *GroupBox2, *GroupBox8, *GroupBox9, *Analiza_wrazliwosci;
    QWidget* Chart1;
    QComboBox *LicznikComboBox, *MianownikComboBox, *OperandLicznika, *OperandMianownika;
    DrzewoPozycjiWidok *LicznikTree, *MianownikTree;
    OkienkoUpuszczenia *OkienkoLicznika1, *OkienkoLicznika2, *OkienkoMianownika1, *OkienkoMianownika2;
    QComboBox *ComboBox1, *ComboBoxWskaznik, *WyborRoku, *Horyzont;
    QLineEdit *Edit3, *Diagnoza, *ProgWskaznika1, *ProgWskaznika2;
    OkienkoUpuszczenia* PodpowiedzJezykowa;
    QLabel *LabelKoduDostepu, *Brat;
    QCheckBox *CheckBoxExpert, *CheckBoxClipsViewer;
    QListWidget *ListBox1, *InterpreterBox1;
    QLabel* InfoOKoniecznosciOpracowaniaWskaznikow;
    QPushButton *Wykres, *SpeedButton1, *SpeedButton2, *SpeedButton4;
    QAction *MiniSE, *InnaWersja, *Wyrownanie;  // "Wygląd"
    // Sensitivity panel: its widgets and the animation (a child of the window).
    class PanelAnalizy* panelAnalizy = nullptr;

    // The chart, its controls and the product and limit tabs.
    WykresWidok* RysunekWykresu;  // inside Chart1
    QComboBox *WyborTypuWykresu, *HoryzontyBox;  // HoryzontyBox is Horyzont
    QLabel *LabelHoryzont, *LabelTypWykresu;
    QAction* Wykres1;  // "Wykres <F6>"
    QWidget *TabSheet3, *TabSheet5;
    PaskiWidok* Paski = nullptr;

    // Indicator sets and thresholds: the set menu items ("Wczytanie
    // Zestawu", "Zapisanie Zestawu jako ..."); the adder, the threshold
    // buttons, the relation box and the threshold boxes wired to the session.
    QAction *WczytanieZestawu, *ZapisanieZestawuWskanikw1;
    void polaczZestawy();
    void pokazProgi(const WidokWskaznikow& v);

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // Runs a session call; an exception escaping it becomes one message.
    void zdarzenie(const std::function<WidokWskaznikow()>& f);
    void klikniecieDrzewa(DrzewoPozycjiWidok* drzewo, QTreeWidgetItem* item);
    // The chart, its controls and the product and limit tabs: built after
    // the rest of the window; shown after its view, the chart's messages
    // once the chart is drawn.
    void utworzWykresIPaski();
    void pokazWykresIPaski();
    // An animation run starts: its messages are told once, the chart shown.
    void poczatekAnimacji();
    std::set<std::string> komunikatyPrzebiegu_;

    // The layout: every control placed, the window as wide as the controls
    // shown; the chart on the page in view, in place of the trees on the
    // indicators page (the trees hidden under it).
    void ulozOkno();
    // The right-hand column and the bottom row as high as the window is:
    // the diagnoses and the engine's log take what it has to spare.
    void ulozKolumneIDol();
    void dopasujSzerokosc();
    void umiescWykres();
    void pokazWykres(bool widoczny);
    QRect obszarWykresu() const;
    QRect obszarWykresuAnimacji() const;
    // The panel's fields in their order, each with its caption (or none).
    std::vector<std::pair<QWidget*, QLabel*>> wiersze_;
    // The surface the controls are placed on, in the window's scroll area;
    // the width the controls shown last asked of the window.
    QWidget* srodek_ = nullptr;
    int szerokoscUkladu_ = 0;
    int przesuniecieKolumny_ = 0;  // how far the window's height has moved the column's foot down
    // Text typed into the indicator list: the view leaves the box's text.
    bool wpisywanie_ = false;

    struct Haki;
    struct Port;
    Aplikacja& app_;
    std::unique_ptr<Haki> haki_;
    std::unique_ptr<IndicatorSetStore> zestawy_;
    std::unique_ptr<IndicatorSession> sesja_;
    std::unique_ptr<Port> port_;
    bool pokazywanie_ = false;

    // ------------------------------------ look, expert commands, report files
public:
    QAction* WersjaPROD;  // "Wygląd"
    QMenu* MenuEksperta;
    QAction *ExportWartosci, *Wnioskowanie1, *komendaCLEAR1, *komendaRESET1, *ZapisanieDiagnozDoPliku,
        *WpisDoPlikuRaportu;
    QCheckBox* RaportowanieDoPliku;
    QLabel *Label20, *Label21, *Label22;
    // The look, the report box and the expert items as the session has them.
    void pokazDodatki(const WidokWskaznikow& v);
    // The window lost the focus to aktywne (nothing: another application).
    // A dialog or a menu of the window does not count; anything else ends
    // the report and hides the chart, and the window's next activation
    // counts as one (coming back from its own dialog or menu does not).
    void opuszczenie(QWidget* aktywne);
    bool opuszczone_ = true;  // left for another window, or hidden, since the last activation
    std::uint64_t pokazanyLog_ = 0;  // the engine log's change InterpreterBox1 shows
    std::optional<ExpertSession::StanLogu> stanLogu_;  // the log as InterpreterBox1 shows it
    // ListBox1 as the diagnosis list is: only what a merge inserted is
    // added to it; any other change shows the list anew.
    void pokazDiagnozy();
    std::optional<std::uint64_t> pokazaneDiagnozy_;  // the list's change ListBox1 shows

protected:
    void hideEvent(QHideEvent* e) override;

private:
    void utworzDodatki();
    void pokazWyglad();
    void ukladAlternatywny(bool wlaczony);
};

}  // namespace vesk
