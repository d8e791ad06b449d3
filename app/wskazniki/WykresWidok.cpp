#include "WykresWidok.h"

#include <QChart>
#include <QLineSeries>
#include <QCategoryAxis>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "QtTekst.h"

namespace vesk {

namespace {

QFont Arial16() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(16);
    return f;
}

}  // namespace

double WartoscDoRysowania(double y) {
    if (std::isnan(y)) return 0;
    return std::clamp(y, -GranicaRysowania, GranicaRysowania);
}

int OdstepEtykietLat(int lata, int szerokosc) {
    const int miesci = std::max(1, szerokosc / 36);  // year labels side by side
    if (lata <= miesci) return 1;
    int odstep = 3;
    while ((lata + odstep - 1) / odstep > miesci) odstep += 3;
    return odstep;
}

WykresWidok::WykresWidok(QWidget* parent) : QChartView(parent) {
    setObjectName("WykresWskaznika");
    auto* wykres = new QChart;
    wykres->legend()->hide();
    wykres->setTitleFont(Arial16());
    wykres->setTitleBrush(QBrush(Qt::blue));
    Series1 = new QLineSeries(wykres);
    Series1->setObjectName("Series1");
    QPen pioro(Qt::red);
    pioro.setWidth(5);
    Series1->setPen(pioro);
    Series1->setPointsVisible(true);
    Series1->setPointLabelsVisible(false);
    wykres->addSeries(Series1);

    OsLat = new QValueAxis(wykres);
    OsLat->setTickType(QValueAxis::TicksDynamic);
    OsLat->setTickInterval(1);
    OsLat->setLabelFormat("%d");
    OsLat->setTitleFont(Arial16());
    OsLat->setTitleBrush(QBrush(Qt::black));
    // Tick labels come from the chart's view model (whole steps, 0 as 0).
    auto* podzialki = new QCategoryAxis(wykres);
    podzialki->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    OsWartosci = podzialki;
    wykres->addAxis(OsLat, Qt::AlignBottom);
    wykres->addAxis(OsWartosci, Qt::AlignLeft);
    Series1->attachAxis(OsLat);
    Series1->attachAxis(OsWartosci);
    // The view's own first chart is given up by setChart, not deleted.
    QChart* pierwszy = chart();
    setChart(wykres);
    delete pierwszy;
    setRenderHint(QPainter::Antialiasing);
    // A new series repaints the whole view: no pieces of the old one stay.
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    // The chart only shows: no zooming, no selecting.
    setInteractive(false);
    setRubberBand(QChartView::NoRubberBand);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void WykresWidok::pokaz(const WidokWykresu& w) {
    QList<QPointF> punkty;
    for (const PunktWykresu& p : w.Punkty) punkty.append(QPointF(p.X, WartoscDoRysowania(p.Y)));
    Series1->replace(punkty);
    auto* podzialki = static_cast<QCategoryAxis*>(OsWartosci);
    for (const QString& etykieta : podzialki->categoriesLabels()) podzialki->remove(etykieta);
    // No points: no axes of an earlier chart, the reason in their place.
    const bool puste = punkty.isEmpty();
    OsLat->setVisible(!puste);
    OsWartosci->setVisible(!puste);
    if (!puste) {
        auto [xmin, xmax] = std::minmax_element(punkty.begin(), punkty.end(),
                                                [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
        // Whole years labelled, the first and last points clear of the edges.
        const double x0 = xmin->x(), x1 = xmax->x();
        OsLat->setTickAnchor(x0);
        lata_ = static_cast<int>(std::lround(x1 - x0)) + 1;
        // Not yet laid out (hidden): as wide as the place it is shown in.
        const int szerokosc = isVisible() || !parentWidget() ? width() : parentWidget()->width();
        const int wysokosc = isVisible() || !parentWidget() ? height() : parentWidget()->height();
        OsLat->setTickInterval(OdstepEtykietLat(lata_, szerokosc - 90));
        // A marker's radius of room at each end, in the units of each axis.
        const double dx = MarginesOsi(x1 - x0, szerokosc - 90);
        OsLat->setRange(x0 - std::max(0.3, dx), x1 + std::max(0.3, dx));
        const OsWykresu& os = w.Os;
        podzialki->setStartValue(os.Min - os.Krok);  // the first tick ends a category too
        for (const auto& [wartosc, etykieta] : os.Podzialki) podzialki->append(q(etykieta), wartosc);
        const double dy = MarginesOsi(os.Max - os.Min, wysokosc - 110);
        podzialki->setRange(os.Min - dy, os.Max + dy);
    } else {
        lata_ = 0;
    }
    QStringList tytul;
    for (const std::string& linia : w.Tytul) tytul << q(linia).toHtmlEscaped();
    if (!w.Pusty.empty() && !w.Tytul.empty()) tytul << q(w.Pusty).toHtmlEscaped();
    chart()->setTitle(tytul.join(QStringLiteral("<br>")));
    OsLat->setTitleText(q(w.TytulOsi));
}

double MarginesOsi(double rozpietosc, int piksele) {
    if (!(rozpietosc > 0) || piksele <= 2 * PromienPunktu) return 0;
    return rozpietosc * PromienPunktu / (piksele - 2 * PromienPunktu);
}

void WykresWidok::resizeEvent(QResizeEvent* e) {
    QChartView::resizeEvent(e);
    if (lata_ > 0) OsLat->setTickInterval(OdstepEtykietLat(lata_, width() - 90));
}

}  // namespace vesk
