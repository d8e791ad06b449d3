// The sensitivity panel's widgets in the indicator window: the variable
// list, value box, unit and slider in their group, the animation page,
// the sibling browser. They show the session's panel state and forward
// the user's moves; the animation runs on a timer, one value per tick.
#pragma once

#include <QObject>
#include <functional>
#include <vector>

#include "IndicatorSession.h"

class QAbstractSlider;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTimer;

namespace vesk {

class PanelAnalizy : public QObject {
public:
    // Runs a session call under the window's guard and shows the view.
    using Zdarzenie = std::function<void(const std::function<WidokWskaznikow()>&)>;
    // Where the panel goes in the window.
    struct Miejsca {
        QGroupBox* Analiza_wrazliwosci = nullptr;
        QWidget* StronaAnimacji = nullptr;  // the "Animacja" page
        QGroupBox* GroupBox9 = nullptr;
        QCheckBox* CheckBoxExpert = nullptr;
        QLabel* Brat = nullptr;
        // What else is off while an animation runs (the product bars).
        std::vector<QWidget*> Wstrzymywane;
    };

    PanelAnalizy(QWidget& okno, IndicatorSession& sesja, Zdarzenie zdarzenie, const Miejsca& miejsca);

    // Shows the panel state of the session.
    void pokaz();
    bool animacjaTrwa() const;
    // Ends a run after the value in hand.
    void zatrzymajAnimacje();
    // The stop probe asked after each value of a run (besides Esc and a
    // second click): by default the pointer in the window's caption strip,
    // which only X11 reports.
    std::function<bool()> sonda;
    // Milliseconds between two values of a run.
    int odstep = 30;
    // Called as a run starts (the window shows the chart to watch it by).
    std::function<void()> naStart;

    QComboBox* WyborZmiennejBox;
    QLineEdit* WartoscZmiennejEdit;
    QLabel* LabelJednostki;
    QScrollBar* Suwak;
    QGroupBox* GrupaAnimacji;
    QScrollBar *SterowanieDolnaGranica, *SterowanieGornaGranica, *SterowanieKrokiem;
    QLabel *DolnaGranica, *GornaGranica, *Krok;
    QPushButton *AnimacjaStartUp, *AnimacjaStartDown;
    QCheckBox *CheckBoxExpert, *TraceOn;
    QPushButton *SpeedButton6, *SpeedButton7, *SpeedButton8;
    QLabel* Brat;
    QGroupBox *Analiza_wrazliwosci, *GroupBox9;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void start(bool wGore);
    void tyknij();
    void koniecPrzebiegu();
    void przewinSuwak(int akcja);
    void pasek(QScrollBar* b, void (AnalizaWrazliwosci::*ruch)(int));
    bool wPasku() const;

    QWidget& okno_;
    IndicatorSession& sesja_;
    Zdarzenie zdarzenie_;
    QTimer* zegar_;
    QPushButton* biegnacy_ = nullptr;  // the start button of the run
    std::vector<QWidget*> wstrzymywane_;
    std::vector<bool> stanWstrzymanych_;
    bool pokazywanie_ = false;
};

}  // namespace vesk
