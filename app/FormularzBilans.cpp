#include "FormularzBilans.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QFontMetrics>
#include <QLegend>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <QVBoxLayout>

#include "QtTekst.h"

namespace vesk {

FormularzBilans::FormularzBilans() {
    setObjectName(QStringLiteral("FormularzBilans"));
    setWindowTitle(QStringLiteral("Bilans w mln zl"));
    setWindowFlags(Qt::Window);
    ChartAktywa = new QChartView(this);
    ChartAktywa->setObjectName(QStringLiteral("ChartAktywa"));
    ChartPasywa = new QChartView(this);
    ChartPasywa->setObjectName(QStringLiteral("ChartPasywa"));
    for (QChartView* v : {ChartAktywa, ChartPasywa}) v->setRenderHint(QPainter::Antialiasing);

    WykresDlaRoku = new QGroupBox(QStringLiteral("Wykres dla roku"), this);
    Rok0 = new QRadioButton(WykresDlaRoku);
    Rok1 = new QRadioButton(WykresDlaRoku);
    Rok2 = new QRadioButton(WykresDlaRoku);
    auto* lata = new QVBoxLayout(WykresDlaRoku);
    int wybor = 1;
    for (QRadioButton* r : {Rok0, Rok1, Rok2}) {
        lata->addWidget(r);
        connect(r, &QRadioButton::clicked, this, [this, wybor] {
            WyborRoku = wybor;
            Rysuj();
        });
        ++wybor;
    }
    WykresDlaRoku->hide();

    auto* uklad = new QHBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->addWidget(ChartAktywa);
    uklad->addWidget(ChartPasywa);
    uklad->addWidget(WykresDlaRoku);
    resize(515, 355);
    hide();
}

void FormularzBilans::ustaw(const StanBilansu& stan) {
    Stan = stan;
    const QString rok = stan.Pusty ? QString() : QString::number(stan.PierwszyRok);
    Rok0->setText(rok);
    Rok1->setText(stan.Pusty ? QString() : QString::number(stan.PierwszyRok + 1));
    Rok2->setText(stan.Pusty ? QString() : QString::number(stan.PierwszyRok + 2));
    Rysuj();
}

void FormularzBilans::Rysuj() {
    const WykresyBilansu w = vesk::Rysuj(Stan.Tabela, Stan.PierwszyRok, Stan.Pusty);
    RysujWykresBilansu(ChartAktywa, w.Aktywa, false);
    RysujWykresBilansu(ChartPasywa, w.Pasywa, true);
}

void FormularzBilans::showEvent(QShowEvent* e) {
    // Drawn at every show: activation is not to be relied upon.
    Rysuj();
    QWidget::showEvent(e);
}

void RysujWykresBilansu(QChartView* widok, const WykresBilansu& wykres, bool osPoPrawej) {
    auto* chart = new QChart;
    chart->setTitle(q(wykres.Tytul).replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    auto* seria = new QStackedBarSeries;
    for (const SeriaWykresu& s : wykres.Serie) {
        auto* zestaw = new QBarSet(q(s.Nazwa));
        zestaw->setColor(QColor::fromRgb(s.Kolor));
        for (double v : s.Wartosci) *zestaw << v;
        seria->append(zestaw);
    }
    chart->addSeries(seria);
    auto* lata = new QBarCategoryAxis;
    for (int r : wykres.Lata) lata->append(QString::number(r));
    lata->setTitleText(QStringLiteral("[lata]"));
    chart->addAxis(lata, Qt::AlignBottom);
    seria->attachAxis(lata);
    auto* wartosci = new QValueAxis;
    chart->addAxis(wartosci, osPoPrawej ? Qt::AlignRight : Qt::AlignLeft);
    seria->attachAxis(wartosci);
    if (wykres.Lata.empty()) wartosci->setRange(0, 1);
    // The window is small: small type and thin margins keep the years and
    // the series' names readable.
    QFont maly = lata->labelsFont();
    maly.setPointSize(7);
    lata->setLabelsFont(maly);
    wartosci->setLabelsFont(maly);
    chart->legend()->setFont(maly);
    // The series' names below the bars, wrapped into rows as the width
    // allows: in one row they do not fit the window and were cut.
    QLegend* legenda = chart->legend();
    legenda->setAlignment(Qt::AlignTop);
    legenda->detachFromChart();
    legenda->setBackgroundVisible(false);
    const int wysokoscLegendy = static_cast<int>(wykres.Serie.size()) * (QFontMetrics(maly).height() + 10) + 10;
    auto ulozLegende = [chart, legenda, wysokoscLegendy] {
        const QRectF r = chart->geometry();
        legenda->setGeometry(QRectF(r.left() + 4, r.bottom() - wysokoscLegendy, r.width() - 8, wysokoscLegendy));
        legenda->update();
    };
    QObject::connect(chart, &QGraphicsWidget::geometryChanged, chart, ulozLegende);
    ulozLegende();
    chart->setMargins(QMargins(2, 2, 2, 2 + wysokoscLegendy));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    QChart* stary = widok->chart();
    widok->setChart(chart);
    delete stary;
}

}  // namespace vesk
