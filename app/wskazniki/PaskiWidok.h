// The product tab ("Ceny+zlecenia") and the limits tab ("Setup (graniczne
// zużycie)") of the indicator window: the product choice, six bars with
// their boxes, the raw-material usage totals and the three limit boxes.
// They show the session's product view and pass the user's actions on.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "IndicatorSession.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace vesk {

class PaskiWidok : public QObject {
public:
    // Builds the controls on the two tab pages.
    PaskiWidok(QWidget* tabSheet3, QWidget* tabSheet5, QGroupBox* groupBox2);
    // Runs a session call and shows the window's view (the window's guard).
    std::function<void(const std::function<WidokWskaznikow()>&)> zdarzenie;
    IndicatorSession* sesja = nullptr;

    // Shows the session's product view and usage.
    void pokaz();
    // The bars offered for the node in view (paski) or not: then the
    // reason (code page 1250) stands in their place and the product choice
    // waits with them.
    void dostepnosc(bool paski, const std::string& powod);

    QComboBox* ComboBoxWyboruWyrobu;
    QGroupBox *GroupBox2, *GroupBox3, *GroupBox4, *GroupBox5;
    std::array<QScrollBar*, 6> ScrollBar{};  // ScrollBar1..ScrollBar6
    std::array<QLineEdit*, 6> Pole{};        // Cena1, Prod1, Cena2, Prod2, Cena3, Prod3
    QLabel* BrakPaskow;  // in GroupBox2's place while the bars are not offered
    QLabel* InfoOZuzyciu;
    std::array<QLabel*, 3> InfoOZuzyciuM{};    // InfoOZuzyciu1..3
    std::array<QLineEdit*, 3> ParGranica{};    // ParGranica1..3

private:
    void przewiniecie(int n, KodPrzewijania kod);
    bool pokazywanie_ = false;
};

}  // namespace vesk
