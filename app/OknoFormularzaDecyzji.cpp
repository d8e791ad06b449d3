#include "OknoFormularzaDecyzji.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <optional>

#include "Aplikacja.h"
#include "FormularzDecyzji.h"
#include "OknaWZasiegu.h"
#include "QtTekst.h"
#include "Warsztat.h"

namespace vesk {

namespace {
QString u(const char* utf8) { return QString::fromUtf8(utf8); }
// The investment grid's heading column and project columns.
constexpr int SzerokoscNaglowka = 100, SzerokoscKolumny = 90;

}  // namespace

OknoFormularzaDecyzji::OknoFormularzaDecyzji(Aplikacja& app) : app_(app) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(u("Formularz decyzyjny"));
    // The sheet's numbers use the user's decimal separator both ways.
    const QString kropka = QLocale().decimalPoint();
    app_.kontekst().SeparatorDziesietny = kropka.size() == 1 && kropka[0] == QLatin1Char('.') ? '.' : ',';

    Potwierdzenie1 = menuBar()->addAction(u("Z&atwierdzenie zestawu - <F2>"));
    Potwierdzenie1->setObjectName(QStringLiteral("Potwierdzenie1"));
    Potwierdzenie1->setShortcut(QKeySequence(Qt::Key_F2));
    Wyjcie1 = menuBar()->addAction(u("&Wyjście - <F3>"));
    Wyjcie1->setObjectName(QStringLiteral("Wyjcie1"));
    Wyjcie1->setShortcut(QKeySequence(Qt::Key_F3));
    // The shortcuts work while the items are hidden as well.
    addAction(Potwierdzenie1);
    addAction(Wyjcie1);

    auto* srodek = new QWidget;
    auto* uklad = new QGridLayout(srodek);
    auto etykieta = [&](const char* nazwa, const QString& tekst, int w, int k) {
        auto* l = new QLabel(tekst);
        l->setObjectName(QString::fromLatin1(nazwa));
        uklad->addWidget(l, w, k);
        return l;
    };
    etykieta("", u("Numer decyzji:"), 0, 0);
    NumerDecyzji = etykieta("NumerDecyzji", {}, 0, 1);
    etykieta("", u("Poprzednik:"), 0, 2);
    NumerPoprzednika = etykieta("NumerPoprzednika", {}, 0, 3);
    Status = etykieta("Status", {}, 0, 4);
    Rok0 = etykieta("Rok0", {}, 0, 5);
    Rok1 = etykieta("Rok1", {}, 0, 6);
    Rok2 = etykieta("Rok2", {}, 0, 7);

    int wiersz = 1, kolumna = 0;
    for (const GrupaPol& g : GrupyPol()) {
        auto* box = new QGroupBox(q(g.tytul));
        box->setObjectName(QString::fromLatin1(g.nazwa));
        auto* siatka = new QGridLayout(box);
        for (int y = 0; y < 3; ++y) {
            auto* rok = new QLabel;
            lataGrup_.push_back(rok);
            siatka->addWidget(rok, 0, y + 1);
        }
        for (std::size_t r = 0; r < static_cast<std::size_t>(g.liczbaWierszy); ++r) {
            siatka->addWidget(new QLabel(q(g.wiersze[r])), static_cast<int>(r) + 1, 0);
            for (int y = 0; y < 3; ++y) {
                // The sheet's boxes run product-major: product r, year y.
                const int i = g.pierwszePole + 3 * static_cast<int>(r) + y;
                auto* e = new QLineEdit;
                e->setObjectName(QString::fromLatin1(PolaFormularza()[static_cast<std::size_t>(i)].nazwa));
                e->setMaximumWidth(110);
                connect(e, &QLineEdit::textEdited, this, [this, i](const QString& t) {
                    app_.warsztat().Formularz.Pola[static_cast<std::size_t>(i)] = zQt(t);
                });
                Pola[static_cast<std::size_t>(i)] = e;
                siatka->addWidget(e, static_cast<int>(r) + 1, y + 1);
            }
        }
        Grupy.push_back(box);
        uklad->addWidget(box, wiersz, kolumna * 4, 1, 4);
        if (++kolumna == 2) {
            kolumna = 0;
            ++wiersz;
        }
    }

    auto* inwestycje = new QGroupBox(u("Inwestycje"));
    inwestycje->setObjectName(QStringLiteral("GrupaInwestycji"));
    auto* ui = new QVBoxLayout(inwestycje);
    auto* lata = new QHBoxLayout;
    // Each year over its two project columns, right of the headings.
    lata->setSpacing(0);
    lata->addSpacing(SzerokoscNaglowka + 2);
    for (const char* nazwa : {"InwestycjeRok0", "InwestycjeRok1", "InwestycjeRok2"}) {
        auto* rok = new QLabel;
        rok->setObjectName(QString::fromLatin1(nazwa));
        rok->setAlignment(Qt::AlignCenter);
        rok->setFixedWidth(2 * SzerokoscKolumny);
        lataGrup_.push_back(rok);
        lata->addWidget(rok);
    }
    lata->addStretch(1);
    ui->addLayout(lata);
    StringGrid1 = new QTableWidget(4, 7);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < 4; ++r) StringGrid1->setRowHeight(r, 28);
    StringGrid1->setColumnWidth(0, SzerokoscNaglowka);
    for (int c = 1; c < 7; ++c) StringGrid1->setColumnWidth(c, SzerokoscKolumny);
    const int ramka = 2 * StringGrid1->frameWidth();
    StringGrid1->setFixedSize(SzerokoscNaglowka + 6 * SzerokoscKolumny + ramka, 4 * 28 + ramka);
    // Tab goes on to the next control, not round the cells.
    StringGrid1->setTabKeyNavigation(false);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 7; ++c) {
            auto* item = new QTableWidgetItem;
            // The headings cannot be selected.
            if (r == 0 || c == 0) item->setFlags(Qt::ItemIsEnabled);
            StringGrid1->setItem(r, c, item);
        }
    StringGrid1->installEventFilter(this);
    connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this](int r, int c) {
        if (pokazywanie_) return;
        // The headings never hold the focus frame: it stays where typing goes.
        if (r < 1 || c < 1) {
            pokazSiatke(app_.warsztat());
            return;
        }
        app_.warsztat().Formularz.Wiersz = r;
        app_.warsztat().Formularz.Kolumna = c;
    });
    ui->addWidget(StringGrid1, 0, Qt::AlignLeft);
    uklad->addWidget(inwestycje, wiersz, 0, 1, 8);

    PrzyciskOK = new QPushButton(u("Zatwierdzenie zestawu - <F2>"));
    PrzyciskOK->setObjectName(QStringLiteral("PrzyciskOK"));
    uklad->addWidget(PrzyciskOK, wiersz + 1, 0, 1, 3);
    // Whole where the screen has room for it; on a smaller one within the
    // screen and scrolled, every box in reach.
    przewijanie_ = new QScrollArea;
    przewijanie_->setObjectName(QStringLiteral("Przewijanie"));
    przewijanie_->setFrameShape(QFrame::NoFrame);
    przewijanie_->setWidgetResizable(true);
    przewijanie_->setWidget(srodek);
    PrzewijanieZaFokusem(przewijanie_);
    setCentralWidget(przewijanie_);
    resize(srodek->sizeHint().width(), menuBar()->sizeHint().height() + srodek->sizeHint().height());
    new WPoluEkranu(this);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    for (int i = 0; i < 9; ++i) {
        N[static_cast<std::size_t>(i)] = PopupMenu2->addAction(q(PodpisyWariantow()[static_cast<std::size_t>(i)]));
        N[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("N%1").arg(i));
        connect(N[static_cast<std::size_t>(i)], &QAction::triggered, this, [this, i] {
            app_.warsztat().Formularz.NClick(i);
            pokazSiatke(app_.warsztat());
        });
    }

    connect(PrzyciskOK, &QPushButton::clicked, this, [this] { zatwierdz(); });
    connect(Potwierdzenie1, &QAction::triggered, this, [this] { zatwierdz(); });
    connect(Wyjcie1, &QAction::triggered, this, [this] {
        if (!app_.porzucenieFormularza()) return;
        app_.warsztat().Wyjcie1Click();
        app_.odswiezOkna();
    });
    // Esc closes the form as its title bar's close does.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &QWidget::close);
}

QLineEdit* OknoFormularzaDecyzji::pole(const std::string& nazwa) const {
    for (std::size_t i = 0; i < Pola.size(); ++i)
        if (nazwa == PolaFormularza()[i].nazwa) return Pola[i];
    return nullptr;
}

void OknoFormularzaDecyzji::zatwierdz() {
    Warsztat& w = app_.warsztat();
    const bool ok = w.PrzyciskOKClick();
    app_.odswiezOkna();
    if (!ok) pokazBledne();
}

void OknoFormularzaDecyzji::pokazBledne() {
    const Warsztat& w = app_.warsztat();
    // The first box the confirmation refused takes the focus, the form in
    // front whatever window the refused command came from.
    if (w.PoleBledne.empty() || !isVisible()) return;
    pokazNaWierzchu(this);
    if (w.PoleBledne == "StringGrid1") {
        StringGrid1->setFocus();
    } else if (QLineEdit* e = pole(w.PoleBledne)) {
        e->setFocus();
        e->selectAll();
    }
}

void OknoFormularzaDecyzji::pokazSiatke(const Warsztat& w) {
    const FormularzDecyzji& f = w.Formularz;
    pokazywanie_ = true;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 7; ++c)
            StringGrid1->item(r, c)->setText(q(f.Siatka[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
    StringGrid1->setCurrentCell(f.Wiersz, f.Kolumna);
    pokazywanie_ = false;
}

void OknoFormularzaDecyzji::pokaz(const Warsztat& w) {
    const FormularzDecyzji& f = w.Formularz;
    setWindowTitle(q(f.Tytul));
    NumerDecyzji->setText(q(f.NumerDecyzji));
    NumerPoprzednika->setText(q(f.NumerPoprzednika));
    Status->setText(q(f.Status));
    const std::array<const std::string*, 3> lata = {&f.Rok0, &f.Rok1, &f.Rok2};
    Rok0->setText(q(f.Rok0));
    Rok1->setText(q(f.Rok1));
    Rok2->setText(q(f.Rok2));
    for (std::size_t i = 0; i < lataGrup_.size(); ++i) lataGrup_[i]->setText(q(*lata[i % 3]));
    for (std::size_t i = 0; i < Pola.size(); ++i) {
        if (Pola[i]->text() != q(f.Pola[i])) Pola[i]->setText(q(f.Pola[i]));
        Pola[i]->setEnabled(f.Edytowalny);
        // The production orders are also made read-only by the lock.
        if (i < 9) Pola[i]->setReadOnly(!f.Edytowalny);
    }
    StringGrid1->setEnabled(f.Edytowalny);
    PrzyciskOK->setEnabled(f.Edytowalny);
    // A node's closed form is read by keys all the same.
    FokusWObszarze(przewijanie_);
    Potwierdzenie1->setVisible(f.Potwierdzenie1);
    pokazSiatke(w);
    // Every opening, also of the form open behind another window, shows
    // it at its top, in front and active, the focus in its first box
    // (production of Alfa, the first year) with its value selected, as Tab
    // leaves a box: what is typed first replaces it.
    const bool otwarcie = f.Widoczny && (!isVisible() || f.Otwarcia != otwarcia_);
    otwarcia_ = f.Otwarcia;
    if (otwarcie) {
        przewijanie_->horizontalScrollBar()->setValue(0);
        przewijanie_->verticalScrollBar()->setValue(0);
        if (Pola[0]->isEnabled()) {
            Pola[0]->setFocus(Qt::OtherFocusReason);
            Pola[0]->selectAll();
        }
        pokazNaWierzchu(this);
    } else if (!f.Widoczny && isVisible()) {
        pokazywanie_ = true;
        hide();
        pokazywanie_ = false;
    }
}

void OknoFormularzaDecyzji::closeEvent(QCloseEvent* e) {
    // The title bar's close only hides the form; a node just added stays.
    // Unconfirmed edits are confirmed, dropped or keep the form open.
    if (!pokazywanie_) {
        if (!app_.porzucenieFormularza()) {
            e->ignore();
            return;
        }
        app_.warsztat().Formularz.Widoczny = false;
        app_.odswiezOkna();
    }
    e->accept();
}

bool OknoFormularzaDecyzji::eventFilter(QObject* obiekt, QEvent* e) {
    if (obiekt != StringGrid1 || e->type() != QEvent::KeyPress) return QMainWindow::eventFilter(obiekt, e);
    auto* klawisz = static_cast<QKeyEvent*>(e);
    FormularzDecyzji& f = app_.warsztat().Formularz;
    const QString tekst = klawisz->text();
    char znak = 0;
    if (klawisz->key() == Qt::Key_Return || klawisz->key() == Qt::Key_Enter)
        znak = '\r';
    else if (tekst.size() == 1 && tekst[0].unicode() < 0x80)
        znak = static_cast<char>(tekst[0].unicode());
    if (!znak) return QMainWindow::eventFilter(obiekt, e);
    if (f.StringGrid1KeyPress(znak)) {
        // Enter: the popup at (200, 200) with the cell's variant marked;
        // the cell is rewritten at once, and again by a chosen item.
        std::optional<int> wariant = f.PopupMenu2Popup(app_.ui());
        PopupMenu2->setDefaultAction(wariant ? N[static_cast<std::size_t>(*wariant)] : nullptr);
        PopupMenu2->popup(QPoint(200, 200));
        f.KoniecPopupu();
    }
    pokazSiatke(app_.warsztat());
    return znak == '\r' || (znak >= '0' && znak <= '9');
}

}  // namespace vesk
