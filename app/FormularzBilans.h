// The balance chart window: assets and liabilities of the selected node's
// three years as stacked bars, drawn from what the core computed.
#pragma once

#include <QChartView>
#include <QGroupBox>
#include <QRadioButton>
#include <QWidget>

#include "Wykresy.h"

namespace vesk {

class FormularzBilans : public QWidget {
public:
    FormularzBilans();

    // Keeps the data and draws both charts.
    void ustaw(const StanBilansu& stan);
    void Rysuj();

    QChartView* ChartAktywa;
    QChartView* ChartPasywa;
    QGroupBox* WykresDlaRoku;
    QRadioButton* Rok0;
    QRadioButton* Rok1;
    QRadioButton* Rok2;
    int WyborRoku = 1;  // kept; the drawing does not depend on it
    StanBilansu Stan;

protected:
    void showEvent(QShowEvent* e) override;
};

// Draws one chart of the core's description into a view.
void RysujWykresBilansu(QChartView* widok, const WykresBilansu& wykres, bool osPoPrawej);

}  // namespace vesk
