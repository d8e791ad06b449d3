#include "PaskiWidok.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "KodAkcjiSuwaka.h"
#include "QtTekst.h"

namespace vesk {

namespace {

void kolor(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
}

}  // namespace

PaskiWidok::PaskiWidok(QWidget* tabSheet3, QWidget* tabSheet5, QGroupBox* groupBox2)
    : QObject(tabSheet3), GroupBox2(groupBox2) {
    ComboBoxWyboruWyrobu = new QComboBox(tabSheet3);
    ComboBoxWyboruWyrobu->setObjectName("ComboBoxWyboruWyrobu");
    ComboBoxWyboruWyrobu->setGeometry(8, 8, 140, 24);
    for (const char* n : NazwyWyrobow()) ComboBoxWyboruWyrobu->addItem(n);
    ComboBoxWyboruWyrobu->setCurrentIndex(-1);

    GroupBox2->setParent(tabSheet3);
    GroupBox2->setGeometry(8, 38, 540, 250);
    GroupBox2->setTitle(QString());
    const char* grupy[] = {"GroupBox3", "GroupBox4", "GroupBox5"};
    const char* pola[] = {"Cena1", "Prod1", "Cena2", "Prod2", "Cena3", "Prod3"};
    std::array<QGroupBox*, 3> lata{};
    for (int g = 0; g < 3; ++g) {
        QGroupBox* rok = new QGroupBox(GroupBox2);
        rok->setObjectName(grupy[g]);
        rok->setGeometry(8 + 176 * g, 22, 170, 220);
        lata[static_cast<std::size_t>(g)] = rok;
        for (int j = 0; j < 2; ++j) {
            const int n = 2 * g + j;
            const std::size_t i = static_cast<std::size_t>(n);
            auto* opis = new QLabel(j == 0 ? QStringLiteral("Ceny") : q("Zam\xF3wienia"), rok);
            opis->setGeometry(8, 22 + 100 * j, 150, 18);
            ScrollBar[i] = new QScrollBar(Qt::Horizontal, rok);
            ScrollBar[i]->setObjectName(QStringLiteral("ScrollBar%1").arg(n + 1));
            ScrollBar[i]->setGeometry(8, 42 + 100 * j, 154, 20);
            ScrollBar[i]->setPageStep(DuzyKrokPaska);
            ScrollBar[i]->setSingleStep(1);
            // Values go to the session only by step actions and the release.
            ScrollBar[i]->setTracking(false);
            ScrollBar[i]->setEnabled(false);
            Pole[i] = new QLineEdit(rok);
            Pole[i]->setObjectName(pola[n]);
            Pole[i]->setReadOnly(true);
            Pole[i]->setGeometry(8, 66 + 100 * j, 100, 22);
            QScrollBar* pasek = ScrollBar[i];
            connect(pasek, &QAbstractSlider::actionTriggered, this,
                    [this, n](int akcja) { przewiniecie(n + 1, KodAkcjiSuwaka(akcja)); });
            connect(pasek, &QAbstractSlider::sliderReleased, this,
                    [this, n] { przewiniecie(n + 1, KodPrzewijania::KoniecPrzewijania); });
        }
    }
    BrakPaskow = new QLabel(tabSheet3);
    BrakPaskow->setObjectName("BrakPaskow");
    BrakPaskow->setGeometry(GroupBox2->geometry().adjusted(8, 8, -8, -8));
    BrakPaskow->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    BrakPaskow->setWordWrap(true);
    BrakPaskow->setTextFormat(Qt::PlainText);
    BrakPaskow->hide();
    GroupBox3 = lata[0];
    GroupBox4 = lata[1];
    GroupBox5 = lata[2];

    InfoOZuzyciu = new QLabel(tabSheet3);
    InfoOZuzyciu->setObjectName("InfoOZuzyciu");
    InfoOZuzyciu->setGeometry(8, 296, 540, 20);
    const char* surowce[] = {" White ", " Black ", " Red "};
    for (int m = 0; m < 3; ++m) {
        auto* grupa = new QGroupBox(surowce[m], tabSheet3);
        grupa->setGeometry(8 + 180 * m, 320, 170, 56);
        auto* info = new QLabel(grupa);
        info->setObjectName(QStringLiteral("InfoOZuzyciu%1").arg(m + 1));
        info->setGeometry(10, 24, 150, 22);
        InfoOZuzyciuM[static_cast<std::size_t>(m)] = info;
    }

    auto* granice = new QGroupBox(q("Graniczne zu\xBFycie surowc\xF3w [tys. jedn. surowca]"), tabSheet5);
    granice->setObjectName("GroupBoxGranic");
    granice->setGeometry(8, 8, 420, 130);
    const char* domyslne[] = {"450", "490", "450"};
    for (int m = 0; m < 3; ++m) {
        auto* opis = new QLabel(surowce[m], granice);
        opis->setGeometry(10, 26 + 32 * m, 80, 24);
        auto* pole = new QLineEdit(domyslne[m], granice);
        pole->setObjectName(QStringLiteral("ParGranica%1").arg(m + 1));
        pole->setGeometry(100, 26 + 32 * m, 120, 24);
        ParGranica[static_cast<std::size_t>(m)] = pole;
        connect(pole, &QLineEdit::textChanged, this, [this, m](const QString& tekst) {
            if (!sesja || !zdarzenie) return;
            zdarzenie([this, m, tekst] {
                sesja->ParGranicaChange(m + 1, zQt(tekst));
                return sesja->Widok();
            });
        });
    }

    connect(ComboBoxWyboruWyrobu, &QComboBox::activated, this, [this](int p) {
        if (!pokazywanie_ && sesja && zdarzenie) zdarzenie([this, p] { return sesja->ComboBoxWyboruWyrobuChange(p); });
    });
}

void PaskiWidok::dostepnosc(bool paski, const std::string& powod) {
    GroupBox2->setVisible(paski);
    ComboBoxWyboruWyrobu->setEnabled(paski);
    BrakPaskow->setText(q(powod));
    BrakPaskow->setVisible(!paski && !powod.empty());
}

void PaskiWidok::przewiniecie(int n, KodPrzewijania kod) {
    if (pokazywanie_ || !sesja || !zdarzenie) return;
    // The action's new position: the value itself is not set yet.
    QScrollBar* pasek = ScrollBar[static_cast<std::size_t>(n - 1)];
    const int pozycja = pasek->sliderPosition();
    JedenKrok(
        pasek, [this, n, kod, pozycja] { zdarzenie([this, n, kod, pozycja] { return sesja->ScrollBarXScroll(n, kod, pozycja); }); },
        [this] { pokaz(); });
}

void PaskiWidok::pokaz() {
    if (!sesja) return;
    pokazywanie_ = true;
    const WidokPaskow& v = sesja->Paski().Widok();
    ComboBoxWyboruWyrobu->setCurrentIndex(v.Wyrob);
    GroupBox2->setTitle(q(v.Produkt));
    GroupBox3->setTitle(q(v.Lata[0]));
    GroupBox4->setTitle(q(v.Lata[1]));
    GroupBox5->setTitle(q(v.Lata[2]));
    for (std::size_t i = 0; i < 6; ++i) {
        QScrollBar* s = ScrollBar[i];
        const QSignalBlocker blokada(s);
        if (v.Wyrob >= 0) {
            const PasekProduktu& p = v.Paski[i];
            s->setRange(p.Zakres.first, std::max(p.Zakres.first, p.Zakres.second));
            s->setValue(p.Pozycja);
            s->setSliderPosition(p.Pozycja);
        }
        s->setEnabled(v.Wlaczone);
        Pole[i]->setText(q(v.Pola[i]));
    }
    const ZuzycieSurowcow& z = sesja->Paski().Zuzycie();
    InfoOZuzyciu->setText(q(z.InfoOZuzyciu));
    for (std::size_t m = 0; m < 3; ++m) {
        InfoOZuzyciuM[m]->setText(q(z.InfoOZuzyciuM[m]));
        kolor(InfoOZuzyciuM[m], z.Czerwony[m] ? Qt::red : Qt::black);
        // A limit that is no number is no limit: its box is marked.
        QLineEdit* g = ParGranica[m];
        if (g->property("niepoprawna").toBool() != !z.GranicaPoprawna[m]) {
            g->setProperty("niepoprawna", !z.GranicaPoprawna[m]);
            g->setStyleSheet(z.GranicaPoprawna[m] ? QString() : QStringLiteral("QLineEdit { border: 2px solid red; }"));
        }
    }
    pokazywanie_ = false;
}

}  // namespace vesk
