#include "OknoGlowne.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>
#include <set>

#include "Aplikacja.h"
#include "MenuGlowne.h"
#include "OknaWZasiegu.h"
#include "Powloka.h"
#include "QtTekst.h"
#include "Teksty.h"
#include "TekstyOkien.h"
#include "Uklad.h"
#include "Warsztat.h"
#include "ZakladkiWynikow.h"

namespace vesk {

namespace {
QString u(const char* utf8) { return QString::fromUtf8(utf8); }
// How small the pages may be made.
constexpr int MinimalnaSzerokoscStron = 400, MinimalnaWysokoscStron = 300;
}  // namespace

OknoGlowne::OknoGlowne(Aplikacja& app, const std::string& tytul) : app_(app) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(q(tytul));

    PageControl1 = new QTabWidget(this);
    TabDrzewo = new QWidget;
    TabPodpowiedz = new QWidget;
    TabDebug = new QWidget;
    PageControl1->addTab(TabDrzewo, u("&Drzewo decyzyjne"));
    PageControl1->addTab(TabPodpowiedz, u("&Podpowiedzi"));
    PageControl1->addTab(TabDebug, u("Debugger"));
    ZakladkiKlawiszami(PageControl1);

    MemoStart = new QTextBrowser(TabPodpowiedz);
    MemoStart->setReadOnly(true);
    MemoStart->document()->setDefaultStyleSheet(QStringLiteral("p { white-space: pre-wrap; margin: 0 0 4px 0; }"));

    // Sizes from the whole virtual screen.
    QRect pulpit = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->virtualGeometry()
                                                     : QRect(0, 0, 1024, 768);
    // Until the tree tab is first laid out, its tab row's own height.
    zakladki_ = PageControl1->tabBar()->sizeHint().height();
    UkladGlowny l = UkladOknaGlownego(pulpit.width(), pulpit.height(), zakladki_);
    zbudujZakladkeDrzewa();
    TabDrzewo->installEventFilter(this);
    // The hints fill their page as the window has it, wrapped to its width.
    auto* podpowiedzi = new QVBoxLayout(TabPodpowiedz);
    podpowiedzi->setContentsMargins(5, 5, 5, 5);
    podpowiedzi->addWidget(MemoStart);
    setCentralWidget(PageControl1);
    // The designed size to begin with; the user may make the window smaller.
    PageControl1->setMinimumSize(l.strony.w, l.strony.h);

    panel0 = new QLabel(q(teksty::PlikDrzewa));
    panel1 = new QLabel;
    // File names are shown as they are, never as markup.
    panel0->setTextFormat(Qt::PlainText);
    panel1->setTextFormat(Qt::PlainText);
    // In a narrowed window the tree file's name gives up its room first,
    // with the command line; the progress bar keeps enough to be read.
    panel1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    panel1->setMinimumWidth(40);
    ProgressBar1 = new QProgressBar;
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setMinimumWidth(100);
    ProgressBar1->setMaximumWidth(200);
    statusBar()->addWidget(panel0);
    statusBar()->addWidget(panel1, 1);
    statusBar()->addPermanentWidget(ProgressBar1);
    zbudujPrzebiegSkryptu();

    zbudujMenu();
    polaczZakladkeDrzewa();

    // Start: the hints page active, the tree and debugger tabs hidden and
    // disabled, the tree hidden and disabled.
    PageControl1->setCurrentWidget(TabPodpowiedz);
    for (QWidget* w : {TabDrzewo, TabDebug}) {
        PageControl1->setTabVisible(PageControl1->indexOf(w), false);
        PageControl1->setTabEnabled(PageControl1->indexOf(w), false);
    }
    PageControl1->setTabVisible(PageControl1->indexOf(TabPodpowiedz), false);
    PageControl1->setCurrentWidget(TabPodpowiedz);
    MemoStart->show();
    TreeView1->setEnabled(false);
    TreeView1->hide();
    Wyniki = new ZakladkiWynikow(app_, *this);
    adjustSize();
    PageControl1->setMinimumSize(MinimalnaSzerokoscStron, MinimalnaWysokoscStron);
    umiescRamke(this, QPoint(0, 0));
    new WPoluEkranu(this);  // its status bar on the screen too
}

void OknoGlowne::zbudujMenu() {
    const std::vector<PozycjaMenu> pozycje = MenuGlowne(app_.stan().ZnacznikWsadowy);
    std::set<std::string> zPodmenu;  // items holding other items
    for (const auto& p : pozycje) zPodmenu.insert(p.rodzic);
    for (const auto& p : pozycje) {
        if (p.rodzic.empty()) {
            QMenu* m = menuBar()->addMenu(q(p.tytul));
            m->menuAction()->setObjectName(QString::fromStdString(p.nazwa));
            m->menuAction()->setEnabled(p.wlaczona);
            m->setEnabled(p.wlaczona);
            menu_[p.nazwa] = m;
            akcje_[p.nazwa] = m->menuAction();
            wlaczone_[p.nazwa] = p.wlaczona;
            continue;
        }
        QMenu* rodzic = menu_.at(p.rodzic);
        if (p.separator()) {
            rodzic->addSeparator()->setObjectName(QString::fromStdString(p.nazwa));
            continue;
        }
        QAction* a;
        if (zPodmenu.count(p.nazwa)) {
            QMenu* m = rodzic->addMenu(q(p.tytul));
            menu_[p.nazwa] = m;
            a = m->menuAction();
        } else {
            a = rodzic->addAction(q(p.tytul));
        }
        a->setObjectName(QString::fromStdString(p.nazwa));
        // Connected first: a pending deletion ends before the command runs.
        connect(a, &QAction::triggered, this, [this] { zakonczKasowanie(); });
        if (!p.skrot.empty()) a->setShortcut(QKeySequence(QString::fromStdString(p.skrot)));
        a->setEnabled(p.wlaczona);
        a->setVisible(p.widoczna);
        akcje_[p.nazwa] = a;
        wlaczone_[p.nazwa] = p.wlaczona;
        // Qt gives a hidden item no shortcut: a window-wide one stands in,
        // following the item's enabled state.
        if (!p.widoczna && !p.skrot.empty()) {
            auto* skrot = new QShortcut(QKeySequence(QString::fromStdString(p.skrot)), this);
            skrot->setEnabled(p.wlaczona);
            connect(skrot, &QShortcut::activated, a, &QAction::trigger);
            skroty_[p.nazwa] = skrot;
        }
    }

    PopupMenu1 = new QMenu(this);
    for (const auto& p : MenuDrzewa()) {
        QAction* a = PopupMenu1->addAction(q(p.tytul));
        a->setObjectName(QString::fromStdString(p.nazwa));
        connect(a, &QAction::triggered, this, [this] { zakonczKasowanie(); });
        a->setEnabled(p.wlaczona);
        a->setVisible(p.widoczna);
        akcje_[p.nazwa] = a;
        wlaczone_[p.nazwa] = p.wlaczona;
    }
    // The press selected the item under it (the menu key: the current
    // item); a selection the user cancelled opens no menu beside a node
    // that is not the one selected.
    connect(TreeView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QTreeWidgetItem* item = TreeView1->itemAt(pos);
        if (item && app_.warsztat().Wybrany != item->data(0, RolaNumeru).toInt()) return;
        PopupMenu1->popup(TreeView1->viewport()->mapToGlobal(pos));
    });

    connect(akcje_.at("Nowy1"), &QAction::triggered, this, [this] { app_.nowyOperator(); });
    connect(akcje_.at("NowyPlik1"), &QAction::triggered, this, [this] { app_.otworzOperatora(); });
    connect(akcje_.at("Kasowanieoperatora1"), &QAction::triggered, this, [this] { app_.kasujOperatora(); });
    connect(akcje_.at("Wyjscie1"), &QAction::triggered, this, [this] { app_.wyjscie(); });
    connect(akcje_.at("Informacja1"), &QAction::triggered, this, [this] { app_.informacja(); });
    connect(akcje_.at("Podanienazwyplikuzrozkazami1"), &QAction::triggered, this,
            [this] { app_.podanieNazwyPlikuZRozkazami(); });
    connect(akcje_.at("Optymalizacja1"), &QAction::triggered, this, [this] { app_.optymalizacja(false); });
    connect(akcje_.at("optymalizacja21"), &QAction::triggered, this, [this] { app_.optymalizacja(true); });
    // Both optimisations are offered; "Test" does nothing.
    ustawWlaczenie("Interpretator", true);
}

void OknoGlowne::zbudujPrzebiegSkryptu() {
    // Shown only with the marker file of the batch mode, as the menu item.
    const bool znacznik = app_.stan().ZnacznikWsadowy;
    PrzyciskWykonaniaNastepnegoPolecenia = new QPushButton(QStringLiteral("nastepne polecenie"));
    PrzyciskWykonaniaNastepnegoPolecenia->setObjectName(QStringLiteral("PrzyciskWykonaniaNastepnegoPolecenia"));
    PrzyciskWykonaniaNastepnegoPolecenia->setEnabled(false);
    OknoLiniiRozkazow = new QLineEdit;
    OknoLiniiRozkazow->setObjectName(QStringLiteral("OknoLiniiRozkazow"));
    OknoLiniiRozkazow->setReadOnly(true);
    // In a narrowed window the command line gives up its room first (as
    // the tree file's name does), then the button's caption is cut; what
    // all of them keep leaves the progress bar its 100 px at the window's
    // minimum width.
    OknoLiniiRozkazow->setSizePolicy(QSizePolicy::Ignored, OknoLiniiRozkazow->sizePolicy().verticalPolicy());
    OknoLiniiRozkazow->setMinimumWidth(30);
    PrzyciskWykonaniaNastepnegoPolecenia->setMinimumWidth(40);
    wsk = new QLabel;
    wsk->setObjectName(QStringLiteral("wsk"));
    wsk->setMinimumWidth(30);
    epsilon = new QLabel;
    epsilon->setObjectName(QStringLiteral("epsilon"));
    statusBar()->addWidget(PrzyciskWykonaniaNastepnegoPolecenia);
    statusBar()->addWidget(OknoLiniiRozkazow, 1);
    statusBar()->addWidget(wsk);
    statusBar()->addWidget(epsilon);
    PrzyciskWykonaniaNastepnegoPolecenia->setVisible(znacznik);
    OknoLiniiRozkazow->setVisible(znacznik);
    wsk->hide();
    epsilon->hide();
    connect(PrzyciskWykonaniaNastepnegoPolecenia, &QPushButton::clicked, this, [this] {
        zakonczKasowanie();
        app_.nastepnePolecenie();
    });
}

QAction* OknoGlowne::akcja(const std::string& nazwa) const {
    auto it = akcje_.find(nazwa);
    return it == akcje_.end() ? nullptr : it->second;
}

void OknoGlowne::ustawWlaczenie(const std::string& nazwa, bool wlaczona) {
    QAction* a = akcja(nazwa);
    if (!a) return;
    a->setEnabled(wlaczona);
    if (QMenu* m = menu(nazwa)) m->setEnabled(wlaczona);
    wlaczone_[nazwa] = wlaczona;
    if (auto it = skroty_.find(nazwa); it != skroty_.end()) it->second->setEnabled(wlaczona);
}

bool OknoGlowne::wlaczona(const std::string& nazwa) const {
    auto it = wlaczone_.find(nazwa);
    return it != wlaczone_.end() && it->second;
}

QMenu* OknoGlowne::menu(const std::string& nazwa) const {
    auto it = menu_.find(nazwa);
    return it == menu_.end() ? nullptr : it->second;
}

void OknoGlowne::pokazStroneDrzewa() {
    int drzewo = PageControl1->indexOf(TabDrzewo);
    PageControl1->setTabVisible(drzewo, true);
    PageControl1->setTabEnabled(drzewo, true);
    int debug = PageControl1->indexOf(TabDebug);
    PageControl1->setTabVisible(debug, false);
    PageControl1->setTabEnabled(debug, false);
    PageControl1->setTabVisible(PageControl1->indexOf(TabPodpowiedz), false);
    PageControl1->setCurrentWidget(TabDrzewo);
    if (Wyniki) Wyniki->pokazOperatora();
}

void OknoGlowne::ustawPodpowiedz(const QString& html) { MemoStart->setHtml(html); }

void OknoGlowne::pokazPodpowiedzBezOperatora(const QString& html) {
    // Without an open operator the first steps stand where the tree would.
    // An operator is open whatever page is in front: on a report page its
    // tree tab is hidden, and a cancelled or refused open leaves the page.
    if (PageControl1->isTabVisible(PageControl1->indexOf(TabDrzewo)) || !app_.warsztat().Drzewo.Pusty()) return;
    MemoStart->setHtml(html);
    PageControl1->setTabVisible(PageControl1->indexOf(TabPodpowiedz), true);
    PageControl1->setCurrentWidget(TabPodpowiedz);
}

void OknoGlowne::ustawPlikDrzewa(const QString& nazwa) { panel1->setText(nazwa); }

void OknoGlowne::odswiez(const Warsztat& w) {
    if (w.Drzewo.Pusty()) return;
    setWindowTitle(q(w.Tytul));
    panel1->setText(q(w.PanelDrzewa));

    odswiezZakladkeDrzewa(w);
    // The result pages first: a chart they hide gives the decisions' menu back.
    if (Wyniki) Wyniki->odswiez();

    const StanPolecen& p = w.Polecenia;
    const std::pair<const char*, bool> stany[] = {
        {"Wzy1", p.Wzy1},
        {"symuluj", p.symuluj},
        {"Bazowy1", p.Bazowy1},
        {"Rezultaty2", w.RezultatyWlaczone()},
        {"KonstrukcjaWskaznikow", p.KonstrukcjaWskaznikow},
        {"Wykresy1", p.Wykresy1},
        {"WynikSyntetyczny1", p.WynikSyntetyczny1},
        {"Kasowaniewza1", p.Kasowaniewza1},
        {"dodanieweza1", p.dodanieweza1},
        {"Nowy1", p.Nowy1},
        {"NowyPlik1", p.NowyPlik1},
        {"Wyjscie1", p.Wyjscie1},
        {"Zachowajjako1", p.Zachowajjako1},
    };
    for (const auto& [nazwa, wlaczona] : stany) ustawWlaczenie(nazwa, wlaczona);
}

bool OknoGlowne::eventFilter(QObject* o, QEvent* e) {
    if (o == TabDrzewo && e->type() == QEvent::Resize) {
        const int zakladki = PageControl1->height() - TabDrzewo->height();
        if (zakladki > 0) zakladki_ = zakladki;
        ulozZakladkeDrzewa(zoom_);
    }
    return QMainWindow::eventFilter(o, e);
}

void OknoGlowne::closeEvent(QCloseEvent* e) {
    // The main window is only hidden; the ending dialog decides.
    e->ignore();
    app_.zamknietoOknoGlowne();
}

void OknoGlowne::zakonczKasowanie() {
    if (Wyniki) Wyniki->zakonczKasowanie();
}

void OknoGlowne::keyPressEvent(QKeyEvent* e) {
    // Esc, wherever it was pressed in the window, first drops a pending
    // deletion of the traditional tab.
    if (e->key() == Qt::Key_Escape && Wyniki && Wyniki->zakonczKasowanie()) {
        e->accept();
        return;
    }
    // Ins reaches here only with its item off (base or template not set,
    // the tree full): on whatever page is in front the key does what the
    // item does, and the workbench says why nothing was added.
    if (e->key() == Qt::Key_Insert && e->modifiers() == Qt::NoModifier && !app_.warsztat().Drzewo.Pusty()) {
        zakonczKasowanie();
        dodanieNowejDecyzji();
        return;
    }
    // Only keys meant for the window itself, not those a control passed up.
    QWidget* fokus = QApplication::focusWidget();
    if (fokus && fokus != this) {
        QMainWindow::keyPressEvent(e);
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        EscOknaGlownego(app_.kontekst());
        return;
    }
    // A menu item's shortcut runs the item here too, as it does from any
    // control (Shift+Del: "Kasowanie").
    const QKeySequence klawisz(e->keyCombination());
    for (const auto& [nazwa, a] : akcje_)
        if (!a->shortcut().isEmpty() && a->shortcut() == klawisz && wlaczona(nazwa)) {
            a->trigger();
            return;
        }
    // Only a key that types a printable character is answered: not Del
    // (DEL, 0x7F), Backspace or Tab.
    const QString tekst = e->text();
    const std::string znak = zQt(tekst);
    if (tekst.size() == 1 && tekst[0].isPrint() && znak.size() == 1) {
        KlawiszOknaGlownego(app_.kontekst(), znak[0]);
        return;
    }
    QMainWindow::keyPressEvent(e);
}

}  // namespace vesk
