#include "OknoStartowe.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "Aplikacja.h"
#include "Powloka.h"
#include "QtTekst.h"
#include "QtTekst.h"
#include "TekstyOkien.h"

namespace vesk {

namespace {
QString u(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

OknoStartowe::OknoStartowe(Aplikacja& app) : app_(app) {
    setObjectName(QStringLiteral("FormStart"));
    setWindowTitle(u(tekst::TytulAplikacji));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto* tytul = new QLabel(QStringLiteral("VE_SK_WIN 2012"), this);
    QFont duza = tytul->font();
    duza.setPixelSize(28);
    duza.setBold(true);
    tytul->setFont(duza);
    auto* podtytul = new QLabel(QStringLiteral("SYSTEM WSPOMAGANIA DECYZJI"), this);
    QFont srednia = podtytul->font();
    srednia.setPixelSize(18);
    srednia.setBold(true);
    podtytul->setFont(srednia);
    // Its text, which tells what "OK" will do, is set at every show.
    OkienkoInformacyjne = new QPlainTextEdit(this);
    OkienkoInformacyjne->setReadOnly(true);
    OkienkoInformacyjne->setMaximumHeight(90);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setDefault(true);
    SpeedButton1 = new QPushButton(QStringLiteral("Koniec"), this);
    SpeedButton2 = new QPushButton(u("Instrukcja obsługi"), this);
    SpeedButton3 = new QPushButton(u("Parametry symulacji i opis języka ZOLV"), this);
    SpeedButton3->hide();
    SpeedButton4 = new QPushButton(QStringLiteral("Autorzy"), this);
    SpeedButton5 = new QPushButton(q(TytulPrzyciskuInformacji()), this);
    Button1 = new QPushButton(QStringLiteral("Button1"), this);

    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(tytul, 0, Qt::AlignHCenter);
    uklad->addWidget(podtytul, 0, Qt::AlignHCenter);
    uklad->addWidget(OkienkoInformacyjne);
    auto* siatka = new QGridLayout;
    siatka->addWidget(BitBtn1, 0, 0);
    siatka->addWidget(SpeedButton1, 0, 1);
    siatka->addWidget(SpeedButton2, 1, 0);
    siatka->addWidget(SpeedButton4, 1, 1);
    siatka->addWidget(SpeedButton5, 2, 0, 1, 2);
    siatka->addWidget(SpeedButton3, 3, 0, 1, 2);
    siatka->addWidget(Button1, 4, 1);
    uklad->addLayout(siatka);

    connect(BitBtn1, &QPushButton::clicked, this, [this] { app_.startOK(); });
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { app_.ui().endProgram(0); });
    connect(Button1, &QPushButton::clicked, this, [this] { app_.przyciskWsadowy(); });
    connect(SpeedButton3, &QPushButton::clicked, this, [this] { app_.pokazOknoPomocy(); });
    connect(SpeedButton4, &QPushButton::clicked, this, [this] { app_.pokazOknoAutorow(); });
    connect(SpeedButton5, &QPushButton::clicked, this, [this] { app_.pokazOknoOProgramie(); });
    setMinimumWidth(460);
    adjustSize();
    srodkujNaEkranie(this);
}

void OknoStartowe::keyPressEvent(QKeyEvent* e) {
    // Return presses the focused button, else the default one "OK".
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        auto* przycisk = qobject_cast<QPushButton*>(focusWidget());
        if (!przycisk || !przycisk->isVisible()) przycisk = BitBtn1;
        if (przycisk->isEnabled()) przycisk->click();
        return;
    }
    QWidget::keyPressEvent(e);
}

void OknoStartowe::showEvent(QShowEvent* e) {
    OkienkoInformacyjne->setPlainText(q(app_.tekstOkienkaStartowego()));
    QWidget::showEvent(e);
}

void OknoStartowe::closeEvent(QCloseEvent* e) {
    // Closing the start window ends the program.
    e->accept();
    app_.ui().endProgram(0);
}

}  // namespace vesk
