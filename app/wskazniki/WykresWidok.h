// The indicator chart as Qt Charts draws it: one red line series with a
// circle at every point over whole calendar years, the title from the
// chart's view model. It shows what the session computed and nothing else.
#pragma once

#include <QChartView>

#include "WykresWskaznika.h"

class QLineSeries;
class QValueAxis;

namespace vesk {

// Qt Charts' axis and drawing arithmetic does not take the zero-divisor
// stand-ins near the single-precision limit: a plotted value keeps within
// +-1e30 (not a number: 0). The view model keeps the true values.
inline constexpr double GranicaRysowania = 1e30;
double WartoscDoRysowania(double y);
// Years between two labels of the year axis for a chart over lata years
// szerokosc pixels wide: every year, or every first, second... period
// start, as many as fit whole.
int OdstepEtykietLat(int lata, int szerokosc);
// The room a point's marker takes at the edge of the plot, in pixels, and
// as a length of an axis spanning rozpietosc over piksele (0 when there is
// no room to give).
inline constexpr int PromienPunktu = 12;
double MarginesOsi(double rozpietosc, int piksele);

class WykresWidok : public QChartView {
public:
    explicit WykresWidok(QWidget* parent);
    // Points, title and axis title of the view model.
    void pokaz(const WidokWykresu& w);

    QLineSeries* Series1;
    QValueAxis *OsLat, *OsWartosci;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    int lata_ = 0;  // the years drawn
};

}  // namespace vesk
