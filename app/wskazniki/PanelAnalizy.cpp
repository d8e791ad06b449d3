#include "PanelAnalizy.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include "KodAkcjiSuwaka.h"
#include "QtTekst.h"

namespace vesk {

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

QScrollBar* pasekPoziomy(QWidget* rodzic, const char* nazwa) {
    auto* b = new QScrollBar(Qt::Horizontal, rodzic);
    b->setObjectName(nazwa);
    return b;
}

}  // namespace

PanelAnalizy::PanelAnalizy(QWidget& okno, IndicatorSession& sesja, Zdarzenie zdarzenie, const Miejsca& m)
    : QObject(&okno),
      Analiza_wrazliwosci(m.Analiza_wrazliwosci),
      GroupBox9(m.GroupBox9),
      okno_(okno),
      sesja_(sesja),
      zdarzenie_(std::move(zdarzenie)),
      zegar_(new QTimer(this)),
      wstrzymywane_(m.Wstrzymywane) {
    CheckBoxExpert = m.CheckBoxExpert;
    Brat = m.Brat;

    // The variable, its value, unit and slider.
    Analiza_wrazliwosci->setTitle(u("Analiza wrażliwości"));
    Analiza_wrazliwosci->setGeometry(Analiza_wrazliwosci->x(), Analiza_wrazliwosci->y(), 230, 88);
    WyborZmiennejBox = new QComboBox(Analiza_wrazliwosci);
    WyborZmiennejBox->setObjectName("WyborZmiennejBox");
    WyborZmiennejBox->setGeometry(4, 16, 222, 22);
    WartoscZmiennejEdit = new QLineEdit(u("0"), Analiza_wrazliwosci);
    WartoscZmiennejEdit->setObjectName("WartoscZmiennejEdit");
    WartoscZmiennejEdit->setReadOnly(true);
    WartoscZmiennejEdit->setGeometry(4, 40, 110, 22);
    LabelJednostki = new QLabel(Analiza_wrazliwosci);
    LabelJednostki->setObjectName("LabelJednostki");
    LabelJednostki->setGeometry(120, 42, 106, 18);
    Suwak = pasekPoziomy(Analiza_wrazliwosci, "Suwak");
    Suwak->setGeometry(4, 65, 222, 18);
    Suwak->setRange(0, 500);
    Suwak->setValue(250);
    Suwak->setPageStep(10);
    Suwak->setTracking(false);  // a drag counts when the thumb is let go

    // The animation page.
    QWidget* strona = m.StronaAnimacji;
    GrupaAnimacji = new QGroupBox(strona);
    GrupaAnimacji->setObjectName("GrupaAnimacji");
    GrupaAnimacji->setGeometry(8, 8, 540, 160);
    int y = 24;
    int wiersze = 0;
    // Each bar with its caption and the number it stands at.
    auto wiersz = [&](QLabel*& tekst, const char* ntekstu, QScrollBar*& b, const char* npaska) {
        auto* podpis = new QLabel(q(PodpisyGranic()[static_cast<std::size_t>(wiersze++)]), GrupaAnimacji);
        podpis->setObjectName(QStringLiteral("Podpis") + QString::fromLatin1(ntekstu));
        podpis->setGeometry(8, y, 70, 18);
        tekst = new QLabel(GrupaAnimacji);
        tekst->setObjectName(ntekstu);
        tekst->setGeometry(80, y, 70, 18);
        b = pasekPoziomy(GrupaAnimacji, npaska);
        b->setGeometry(154, y, 376, 18);
        podpis->setBuddy(b);
        y += 30;
    };
    wiersz(DolnaGranica, "DolnaGranica", SterowanieDolnaGranica, "SterowanieDolnaGranica");
    wiersz(GornaGranica, "GornaGranica", SterowanieGornaGranica, "SterowanieGornaGranica");
    wiersz(Krok, "Krok", SterowanieKrokiem, "SterowanieKrokiem");
    AnimacjaStartUp = new QPushButton(u("Start - zmiany w górę"), GrupaAnimacji);
    AnimacjaStartUp->setObjectName("AnimacjaStartUp");
    AnimacjaStartUp->setGeometry(8, y + 4, 200, 26);
    AnimacjaStartDown = new QPushButton(u("Start - zmiany w dół"), GrupaAnimacji);
    AnimacjaStartDown->setObjectName("AnimacjaStartDown");
    AnimacjaStartDown->setGeometry(216, y + 4, 200, 26);
    TraceOn = new QCheckBox(u("Wyświetlanie śladu ..."), strona);
    TraceOn->setObjectName("TraceOn");
    TraceOn->setGeometry(8, 176, 300, 20);
    CheckBoxExpert->setText(u("Wnioskowanie eksperckie"));

    // The sibling browser.
    GroupBox9->setTitle(u("Przegląd \"kuzynów\""));
    auto przycisk = [&](const char* tekst, const char* nazwa, int x, int szerokosc) {
        auto* b = new QPushButton(u(tekst), GroupBox9);
        b->setObjectName(nazwa);
        b->setGeometry(x, 20, szerokosc, 24);
        return b;
    };
    SpeedButton6 = przycisk("Brat (+)", "SpeedButton6", 4, 70);
    SpeedButton7 = przycisk("Brat (-)", "SpeedButton7", 76, 70);
    SpeedButton8 = przycisk("Oryginalny", "SpeedButton8", 148, 78);
    Brat->setParent(GroupBox9);
    Brat->setGeometry(4, 50, 220, 22);
    Brat->setFrameShape(QFrame::Panel);
    Brat->setFrameShadow(QFrame::Sunken);
    Brat->show();

    // Events into the session.
    AnalizaWrazliwosci* a = &sesja_.Analiza();
    auto wywolaj = [this](std::function<void()> f) {
        zdarzenie_([this, f] {
            f();
            return sesja_.Widok();
        });
    };
    connect(WyborZmiennejBox, &QComboBox::activated, this, [this, a, wywolaj](int i) {
        if (!pokazywanie_) wywolaj([a, i] { a->WybierzZmienna(i); });
    });
    connect(Suwak, &QAbstractSlider::actionTriggered, this, [this](int akcja) { przewinSuwak(akcja); });
    // While the thumb is dragged the value box follows it; the value is
    // sent when it is let go.
    connect(Suwak, &QAbstractSlider::sliderMoved, this, [this](int p) {
        if (!pokazywanie_ && Suwak->isSliderDown()) WartoscZmiennejEdit->setText(QString::number(p));
    });
    connect(Suwak, &QAbstractSlider::sliderReleased, this, [this, a, wywolaj] {
        const int p = Suwak->sliderPosition();
        wywolaj([a, p] { a->PrzewinSuwak(KodPrzewijania::KoniecPrzewijania, p); });
    });
    pasek(SterowanieDolnaGranica, &AnalizaWrazliwosci::PrzewinDolnaGranice);
    pasek(SterowanieGornaGranica, &AnalizaWrazliwosci::PrzewinGornaGranice);
    pasek(SterowanieKrokiem, &AnalizaWrazliwosci::PrzewinKrok);
    connect(AnimacjaStartUp, &QPushButton::clicked, this, [this] { start(true); });
    connect(AnimacjaStartDown, &QPushButton::clicked, this, [this] { start(false); });
    connect(zegar_, &QTimer::timeout, this, [this] { tyknij(); });
    connect(CheckBoxExpert, &QCheckBox::clicked, this, [this, a, wywolaj](bool zaznaczony) {
        if (!pokazywanie_) wywolaj([a, zaznaczony] { a->ZaznaczEkspert(zaznaczony); });
    });
    connect(SpeedButton6, &QPushButton::clicked, this, [a, wywolaj] { wywolaj([a] { a->BratPlus(); }); });
    connect(SpeedButton7, &QPushButton::clicked, this, [a, wywolaj] { wywolaj([a] { a->BratMinus(); }); });
    connect(SpeedButton8, &QPushButton::clicked, this, [a, wywolaj] { wywolaj([a] { a->Oryginalny(); }); });

    // The run also stops on the pointer in the caption strip.
    sonda = [this] { return wPasku(); };
    std::function<bool()> zInterfejsu = a->Polaczenia.Zatrzymac;
    a->Polaczenia.Zatrzymac = [this, zInterfejsu] { return (zInterfejsu && zInterfejsu()) || (sonda && sonda()); };
    okno_.installEventFilter(this);
    pokaz();
}

void PanelAnalizy::przewinSuwak(int akcja) {
    const KodPrzewijania kod = KodAkcjiSuwaka(akcja);
    // The new position is not yet the slider's value.
    const int p = Suwak->sliderPosition();
    JedenKrok(
        Suwak,
        [this, kod, p] {
            zdarzenie_([this, kod, p] {
                sesja_.Analiza().PrzewinSuwak(kod, p);
                return sesja_.Widok();
            });
        },
        [this] { pokaz(); });
}

void PanelAnalizy::pasek(QScrollBar* b, void (AnalizaWrazliwosci::*ruch)(int)) {
    auto f = [this, b, ruch] {
        if (pokazywanie_) return;
        const int p = b->sliderPosition();
        zdarzenie_([this, ruch, p] {
            (sesja_.Analiza().*ruch)(p);
            return sesja_.Widok();
        });
    };
    connect(b, &QAbstractSlider::actionTriggered, this, f);
    connect(b, &QAbstractSlider::sliderReleased, this, f);
}

bool PanelAnalizy::animacjaTrwa() const { return biegnacy_ != nullptr; }

void PanelAnalizy::start(bool wGore) {
    if (animacjaTrwa()) {  // a second click stops the run
        zatrzymajAnimacje();
        return;
    }
    zdarzenie_([this, wGore] {
        sesja_.Analiza().StartAnimacji(wGore);
        return sesja_.Widok();
    });
    if (!sesja_.Analiza().AnimacjaTrwa()) return;
    biegnacy_ = wGore ? AnimacjaStartUp : AnimacjaStartDown;
    stanWstrzymanych_.clear();
    for (QWidget* w : wstrzymywane_) {
        stanWstrzymanych_.push_back(w->isEnabled());
        w->setEnabled(false);
    }
    if (naStart) naStart();
    zegar_->start(odstep);
    pokaz();
}

void PanelAnalizy::tyknij() {
    if (!okno_.isVisible()) {
        zatrzymajAnimacje();
        return;
    }
    // One value at a time: the timer waits while a value's box is open.
    zegar_->stop();
    bool wykonany = false;
    zdarzenie_([this, &wykonany] {
        sesja_.Analiza().KrokAnimacji();
        wykonany = true;
        return sesja_.Widok();
    });
    if (!wykonany) sesja_.Analiza().ZatrzymajAnimacje();  // an error ends the run
    if (!sesja_.Analiza().AnimacjaTrwa() || !biegnacy_)
        koniecPrzebiegu();
    else
        zegar_->start(odstep);
    okno_.update();
}

void PanelAnalizy::zatrzymajAnimacje() {
    sesja_.Analiza().ZatrzymajAnimacje();
    koniecPrzebiegu();
}

void PanelAnalizy::koniecPrzebiegu() {
    if (!zegar_->isActive() && !biegnacy_) return;
    zegar_->stop();
    biegnacy_ = nullptr;
    for (std::size_t i = 0; i < wstrzymywane_.size() && i < stanWstrzymanych_.size(); ++i)
        wstrzymywane_[i]->setEnabled(stanWstrzymanych_[i]);
    pokaz();
}

bool PanelAnalizy::wPasku() const {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return false;
    const QPoint p = QCursor::pos();
    const QRect r = okno_.frameGeometry();
    const int dy = p.y() - r.top(), dx = p.x() - r.left();
    return dy >= 1 && dy <= 29 && dx > 0 && dx < r.width();
}

bool PanelAnalizy::eventFilter(QObject* o, QEvent* e) {
    if (o == &okno_ && e->type() == QEvent::KeyPress && animacjaTrwa() &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
        zatrzymajAnimacje();
        return true;
    }
    return QObject::eventFilter(o, e);
}

void PanelAnalizy::pokaz() {
    pokazywanie_ = true;
    const AnalizaWrazliwosci& a = sesja_.Analiza();
    const bool biegnie = animacjaTrwa();

    {
        QSignalBlocker blok(WyborZmiennejBox);
        bool inne = WyborZmiennejBox->count() != static_cast<int>(a.Etykiety().size());
        for (int i = 0; !inne && i < WyborZmiennejBox->count(); ++i)
            inne = WyborZmiennejBox->itemText(i) != q(a.Etykiety()[static_cast<std::size_t>(i)]);
        if (inne) {
            WyborZmiennejBox->clear();
            for (const std::string& e : a.Etykiety()) WyborZmiennejBox->addItem(q(e));
            // The open list as wide as its longest variable.
            WyborZmiennejBox->view()->setMinimumWidth(WyborZmiennejBox->view()->sizeHintForColumn(0) + 24);
        }
        WyborZmiennejBox->setToolTip(WyborZmiennejBox->currentText());
        WyborZmiennejBox->setCurrentIndex(a.Wybrana());
        WyborZmiennejBox->setEnabled(!biegnie);
    }
    WartoscZmiennejEdit->setText(q(a.Wartosc()));
    LabelJednostki->setText(q(a.Jednostka()));

    auto ustaw = [](QScrollBar* b, const Pasek& p, bool wlaczony) {
        QSignalBlocker blok(b);
        if (!b->isSliderDown()) {
            b->setRange(p.Min, p.Max);
            b->setValue(p.Pozycja);
        }
        b->setEnabled(wlaczony);
    };
    ustaw(Suwak, a.Suwak(), a.Suwak().Wlaczony && !biegnie);
    Suwak->setToolTip(q(a.PodpowiedzZakresu()));
    ustaw(SterowanieDolnaGranica, a.DolnaGranica(), a.DolnaGranica().Wlaczony && !biegnie);
    ustaw(SterowanieGornaGranica, a.GornaGranica(), a.GornaGranica().Wlaczony && !biegnie);
    ustaw(SterowanieKrokiem, a.Krok(), a.Krok().Wlaczony && !biegnie);
    DolnaGranica->setText(q(a.TekstDolnej()));
    GornaGranica->setText(q(a.TekstGornej()));
    Krok->setText(q(a.TekstKroku()));
    GrupaAnimacji->setVisible(a.GrupaAnimacji());
    GrupaAnimacji->setToolTip(q(a.PodpowiedzZakresu()));
    const bool start = a.StartWlaczony() && a.PanelWlaczony();
    AnimacjaStartUp->setText(q(a.NapisStartu(true)));
    AnimacjaStartDown->setText(q(a.NapisStartu(false)));
    AnimacjaStartUp->setEnabled(biegnie ? biegnacy_ == AnimacjaStartUp : start);
    AnimacjaStartDown->setEnabled(biegnie ? biegnacy_ == AnimacjaStartDown : start);

    CheckBoxExpert->setEnabled(a.EkspertWlaczony() && !biegnie);
    {
        QSignalBlocker blok(CheckBoxExpert);
        CheckBoxExpert->setChecked(a.EkspertZaznaczony());
    }

    Analiza_wrazliwosci->setEnabled(a.PanelWlaczony());
    Analiza_wrazliwosci->setToolTip(q(a.PodpowiedzPanelu()));
    SpeedButton6->setEnabled(a.BratPlusWlaczony() && !biegnie);
    SpeedButton7->setEnabled(a.BratMinusWlaczony() && !biegnie);
    SpeedButton8->setEnabled(!biegnie);
    Brat->setText(q(a.Brat()));
    pokazywanie_ = false;
}

}  // namespace vesk
