#include "OknaWZasiegu.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include <xcb/xcb.h>

#include "QtTekst.h"

namespace vesk {

namespace {

// Whether the window manager takes the box with the window okno: okno is
// among the windows the box stands over, or the box stands over none (it
// then belongs to the whole program and goes with each of its windows).
bool zabieraPudelko(const QWidget& pudelko, const QWidget& okno) {
    const QWindow* nad = pudelko.windowHandle() ? pudelko.windowHandle()->transientParent() : nullptr;
    if (!nad) return true;
    for (; nad; nad = nad->transientParent())
        if (nad == okno.windowHandle()) return true;
    return false;
}

// The program's connection to the X server; nullptr without one.
xcb_connection_t* polaczenieX() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* nazwa) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(nazwa)), nazwa), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(r);
    return a;
}

xcb_window_t korzen(xcb_connection_t* c) {
    const xcb_screen_t* ekran = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    return ekran ? ekran->root : xcb_window_t{XCB_WINDOW_NONE};
}

// A request about okno to the window manager (an EWMH client message).
void doMenedzera(xcb_connection_t* c, xcb_window_t okno, xcb_atom_t typ, std::array<std::uint32_t, 5> dane) {
    const xcb_window_t k = korzen(c);
    if (k == XCB_WINDOW_NONE || typ == XCB_ATOM_NONE) return;
    xcb_client_message_event_t z{};
    z.response_type = XCB_CLIENT_MESSAGE;
    z.format = 32;
    z.window = okno;
    z.type = typ;
    std::copy(dane.begin(), dane.end(), z.data.data32);
    xcb_send_event(c, 0, k, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&z));
    xcb_flush(c);
}

// A window's number property (a desktop); nothing when unset or unreadable.
std::optional<std::uint32_t> liczba(xcb_connection_t* c, xcb_window_t okno, xcb_atom_t nazwa) {
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, okno, nazwa, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    std::optional<std::uint32_t> wynik;
    if (r && r->format == 32 && xcb_get_property_value_length(r) == 4)
        wynik = *static_cast<const std::uint32_t*>(xcb_get_property_value(r));
    std::free(r);
    return wynik;
}

// A menu opened from the keyboard and closed with Escape leaves its bar
// holding the focus, where Tab moves nothing in sight: the bar's own Escape
// gives the focus back to where it was. Not while another menu is open.
void fokusZPaskaMenu() {
    auto* pasek = qobject_cast<QMenuBar*>(QApplication::focusWidget());
    if (!pasek || QApplication::activePopupWidget()) return;
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(pasek, &esc);
}

void przywroc(QWidget& okno) {
    if (!okno.isMinimized()) return;
    okno.setWindowState(okno.windowState() & ~Qt::WindowMinimized);
    okno.show();
}

// The frame the window manager puts around okno: its own once framed, else
// another framed window's of the program, else none known.
QMargins ramka(const QWidget& okno) {
    const auto wokol = [](const QWidget& w) {
        const QRect z = w.frameGeometry(), s = w.geometry();
        return QMargins(s.left() - z.left(), s.top() - z.top(), z.right() - s.right(), z.bottom() - s.bottom());
    };
    if (const QMargins m = wokol(okno); !m.isNull()) return m;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w != &okno && w->windowHandle())
            if (const QMargins m = wokol(*w); !m.isNull()) return m;
    return {};
}

}  // namespace

PudelkaWZasiegu::PudelkaWZasiegu() {
    if (xcb_connection_t* c = polaczenieX()) {
        pulpitOkna_ = atom(c, "_NET_WM_DESKTOP");
        biezacyPulpit_ = atom(c, "_NET_CURRENT_DESKTOP");
    }
}

bool PudelkaWZasiegu::nativeEventFilter(const QByteArray& typ, void* komunikat, qintptr*) {
    if (typ != "xcb_generic_event_t" || pulpitOkna_ == XCB_ATOM_NONE || czeka_) return false;
    const auto* z = static_cast<const xcb_generic_event_t*>(komunikat);
    if ((z->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) return false;
    const auto* p = reinterpret_cast<const xcb_property_notify_event_t*>(z);
    if ((p->atom != pulpitOkna_ && p->atom != biezacyPulpit_) || !QApplication::activeModalWidget()) return false;
    // Once Qt is done with the event: no request from within its handling.
    czeka_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            czeka_ = false;
            naBiezacyPulpit();
        },
        Qt::QueuedConnection);
    return false;
}

void PudelkaWZasiegu::naBiezacyPulpit() {
    QWidget* pudelko = QApplication::activeModalWidget();
    if (!pudelko) return;
    bool przeniesione = false;
    for (QWidget* okno : QApplication::topLevelWidgets())
        if (okno->isVisible() && (okno == pudelko || zabieraPudelko(*pudelko, *okno)))
            przeniesione = naPulpitUzytkownika(*okno) || przeniesione;
    if (!przeniesione) return;
    pudelko->raise();
    pudelko->activateWindow();
}

bool PudelkaWZasiegu::eventFilter(QObject* obiekt, QEvent* zdarzenie) {
    if (zdarzenie->type() == QEvent::Hide && qobject_cast<QMenu*>(obiekt))
        QMetaObject::invokeMethod(this, &fokusZPaskaMenu, Qt::QueuedConnection);
    if (zdarzenie->type() != QEvent::WindowStateChange || !obiekt->isWidgetType())
        return QObject::eventFilter(obiekt, zdarzenie);
    auto* okno = static_cast<QWidget*>(obiekt);
    QWidget* pudelko = QApplication::activeModalWidget();
    if (okno->isWindow() && okno->isMinimized() && pudelko && (pudelko == okno || zabieraPudelko(*pudelko, *okno))) {
        // Once the window manager is done minimising.
        QMetaObject::invokeMethod(
            okno,
            [o = QPointer<QWidget>(okno), p = QPointer<QWidget>(pudelko)] {
                if (o) przywroc(*o);
                if (!p) return;
                przywroc(*p);
                p->raise();
                p->activateWindow();
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(obiekt, zdarzenie);
}

void wPoluEkranu(QWidget* okno, bool ponownie) {
    const QScreen* ekran = okno->screen() ? okno->screen() : QGuiApplication::primaryScreen();
    if (!ekran) return;
    const QRect pole = ekran->availableGeometry();
    const QMargins m = ramka(*okno);
    // The room from where its frame's corner stands (or from the screen's
    // edge, when that leaves less than half the screen); shown again, the
    // whole area: where the user left it sticking out it is moved, not made
    // smaller. A window not yet framed has its frame put where the window
    // itself stands.
    const bool oprawione = okno->frameGeometry() != okno->geometry();
    const QPoint przed = okno->isVisible() && !oprawione ? okno->geometry().topLeft() : okno->pos();
    const QSize miejsce =
        ponownie ? pole.size()
                 : QSize(pole.right() + 1 - std::max(przed.x(), pole.left()),
                         pole.bottom() + 1 - std::max(przed.y(), pole.top()))
                       .expandedTo(pole.size() / 2);
    const QSize rozmiar = okno->size().boundedTo(miejsce.shrunkBy(m)).expandedTo(okno->minimumSize());
    if (rozmiar != okno->size()) okno->resize(rozmiar);
    // Moved no further than needed.
    const QSize calosc = rozmiar.grownBy(m);
    const QPoint po(std::clamp(przed.x(), pole.left(), std::max(pole.left(), pole.right() + 1 - calosc.width())),
                    std::clamp(przed.y(), pole.top(), std::max(pole.top(), pole.bottom() + 1 - calosc.height())));
    if (po != przed || (okno->isVisible() && !oprawione)) umiescRamke(okno, po);
}

WPoluEkranu::WPoluEkranu(QWidget* okno) : QObject(okno) { okno->installEventFilter(this); }

bool WPoluEkranu::eventFilter(QObject* obiekt, QEvent* zdarzenie) {
    auto* okno = static_cast<QWidget*>(obiekt);
    if (zdarzenie->type() == QEvent::Show) {
        wPoluEkranu(okno, pokazane_);
        czekaNaRamke_ = okno->frameGeometry() == okno->geometry();
    } else if (czekaNaRamke_ &&
               (zdarzenie->type() == QEvent::Move || zdarzenie->type() == QEvent::Resize ||
                zdarzenie->type() == QEvent::WindowActivate) &&
               okno->frameGeometry() != okno->geometry()) {
        czekaNaRamke_ = false;
        wPoluEkranu(okno, pokazane_);
    } else if (zdarzenie->type() == QEvent::Hide) {
        pokazane_ = true;
    }
    return QObject::eventFilter(obiekt, zdarzenie);
}

bool naPulpitUzytkownika(QWidget& okno) {
    xcb_connection_t* c = polaczenieX();
    if (!c || !okno.windowHandle()) return false;
    const std::optional<std::uint32_t> biezacy = liczba(c, korzen(c), atom(c, "_NET_CURRENT_DESKTOP"));
    if (!biezacy) return false;  // a window manager without desktops
    const xcb_atom_t pulpit = atom(c, "_NET_WM_DESKTOP");
    const auto id = static_cast<xcb_window_t>(okno.winId());
    const std::optional<std::uint32_t> jego = liczba(c, id, pulpit);
    // 0xFFFFFFFF: on every desktop.
    if (!jego || *jego == *biezacy || *jego == 0xFFFFFFFFu) return false;
    doMenedzera(c, id, pulpit, {*biezacy, 1, 0, 0, 0});
    return true;
}

void pokazNaWierzchu(QWidget* okno) {
    okno->setWindowState(okno->windowState() & ~Qt::WindowMinimized);
    okno->show();
    naPulpitUzytkownika(*okno);
    okno->raise();
    okno->activateWindow();
}

namespace {
// The scroll position along one axis that shows a box from `poczatek`,
// `dlugosc` long, with a margin where there is room for it; one larger
// than the view is moved only when none of it is in sight, to its start.
int pozycjaDoWidoku(int poczatek, int dlugosc, int widok, int pozycja) {
    if (dlugosc > widok) return poczatek + dlugosc <= pozycja || poczatek >= pozycja + widok ? poczatek : pozycja;
    const int margines = std::min(12, (widok - dlugosc) / 2);
    if (poczatek - margines < pozycja) return poczatek - margines;
    if (poczatek + dlugosc + margines > pozycja + widok) return poczatek + dlugosc + margines - widok;
    return pozycja;
}

// The area scrolled so that r, on its surface, is in sight.
void pokazWObszarze(QScrollArea* obszar, const QRect& r) {
    const QSize widok = obszar->viewport()->size();
    QScrollBar* poziomy = obszar->horizontalScrollBar();
    QScrollBar* pionowy = obszar->verticalScrollBar();
    poziomy->setValue(pozycjaDoWidoku(r.left(), r.width(), widok.width(), poziomy->value()));
    pionowy->setValue(pozycjaDoWidoku(r.top(), r.height(), widok.height(), pionowy->value()));
}

// The surface's first box, in its window's focus order, that the keyboard
// can give the focus to; nullptr for none.
QWidget* pierwszePole(const QScrollArea& obszar) {
    const QWidget* tresc = obszar.widget();
    QWidget* okno = obszar.window();
    if (!tresc) return nullptr;
    for (QWidget* w = okno->nextInFocusChain(); w && w != okno; w = w->nextInFocusChain())
        if (tresc->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(tresc))
            return w;
    return nullptr;
}

// The parts Tab goes through on a surface: its outermost group boxes shown,
// in rows from the top, each row from the left; where they stand on it.
std::vector<QRect> czesci(const QWidget& tresc) {
    std::vector<QRect> r;
    for (const QGroupBox* g : tresc.findChildren<QGroupBox*>()) {
        bool zewnetrzna = g->isVisibleTo(&tresc);
        for (const QWidget* w = g->parentWidget(); zewnetrzna && w != &tresc; w = w->parentWidget())
            zewnetrzna = !qobject_cast<const QGroupBox*>(w);
        if (zewnetrzna) r.emplace_back(g->mapTo(&tresc, QPoint(0, 0)), g->size());
    }
    std::sort(r.begin(), r.end(),
              [](const QRect& a, const QRect& b) { return std::pair(a.top(), a.left()) < std::pair(b.top(), b.left()); });
    return r;
}

// The keys an area holding the focus itself answers beyond its own (PgUp,
// PgDn, the arrows): Home, End, and Tab and Shift+Tab, which bring the
// parts into sight in turn.
class KlawiszeObszaru : public QObject {
public:
    explicit KlawiszeObszaru(QScrollArea* obszar) : QObject(obszar) { obszar->installEventFilter(this); }

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override {
        auto* obszar = static_cast<QScrollArea*>(obiekt);
        if (zdarzenie->type() == QEvent::Show) czesc_ = -1;  // shown at its top
        if (zdarzenie->type() != QEvent::KeyPress || !obszar->hasFocus() || !obszar->widget()) return false;
        const auto* k = static_cast<QKeyEvent*>(zdarzenie);
        const Qt::KeyboardModifiers mod = k->modifiers() & ~Qt::KeypadModifier;
        QScrollBar* poziomy = obszar->horizontalScrollBar();
        QScrollBar* pionowy = obszar->verticalScrollBar();
        if ((k->key() == Qt::Key_Home || k->key() == Qt::Key_End) && !(mod & ~Qt::ControlModifier)) {
            pionowy->setValue(k->key() == Qt::Key_Home ? pionowy->minimum() : pionowy->maximum());
            return true;
        }
        if ((k->key() != Qt::Key_Tab && k->key() != Qt::Key_Backtab) || (mod & ~Qt::ShiftModifier)) return false;
        const bool wstecz = k->key() == Qt::Key_Backtab || (mod & Qt::ShiftModifier);
        const std::vector<QRect> c = czesci(*obszar->widget());
        const int n = static_cast<int>(c.size());
        // Scrolled away from the part last shown: on from where the view stands.
        const QRect widok(QPoint(poziomy->value(), pionowy->value()), obszar->viewport()->size());
        if (czesc_ >= n || (czesc_ >= 0 && !widok.intersects(c[static_cast<std::size_t>(czesc_)]))) {
            czesc_ = wstecz ? n : -1;
            for (int i = 0; i < n; ++i) {
                const bool powyzej = c[static_cast<std::size_t>(i)].top() < widok.top();
                if (!wstecz && powyzej) czesc_ = i;
                if (wstecz && !powyzej && czesc_ == n) czesc_ = i;
            }
        }
        // On to the next part not wholly in sight; after the last one the
        // top again, as Tab goes round a window.
        do {
            czesc_ = wstecz ? (czesc_ < 0 ? n - 1 : czesc_ - 1) : (czesc_ + 1 >= n ? -1 : czesc_ + 1);
        } while (czesc_ >= 0 && widok.contains(c[static_cast<std::size_t>(czesc_)]));
        if (czesc_ < 0) {
            poziomy->setValue(poziomy->minimum());
            pionowy->setValue(pionowy->minimum());
        } else {
            // One larger than the view from its start.
            const QRect r = c[static_cast<std::size_t>(czesc_)];
            pokazWObszarze(obszar, QRect(r.topLeft(), r.size().boundedTo(widok.size())));
        }
        return true;
    }

private:
    int czesc_ = -1;  // the part Tab showed last; -1: the top
};
}  // namespace

void PrzewijanieZaFokusem(QScrollArea* obszar) {
    obszar->setFocusPolicy(Qt::NoFocus);
    new KlawiszeObszaru(obszar);
    QObject* obiekt = obszar;
    QObject::connect(qApp, &QApplication::focusChanged, obszar, [obiekt](QWidget*, QWidget* teraz) {
        // Not while the area is being destroyed (its focused box with it).
        auto* obszar = qobject_cast<QScrollArea*>(obiekt);
        if (!obszar) return;
        QWidget* tresc = obszar->widget();
        // A box clicked is in sight already: the view stays where it is.
        if (!teraz || !tresc || !tresc->isAncestorOf(teraz) || QApplication::mouseButtons() != Qt::NoButton) return;
        WidokNa(obszar, teraz);
    });
}

void WidokNa(QScrollArea* obszar, const QWidget* w, bool odPoczatku) {
    const QWidget* tresc = obszar->widget();
    if (!tresc || !tresc->isAncestorOf(w)) return;
    const QSize rozmiar = odPoczatku ? w->size().boundedTo(obszar->viewport()->size()) : w->size();
    pokazWObszarze(obszar, QRect(w->mapTo(tresc, QPoint(0, 0)), rozmiar));
}

namespace {
// The pages' own keys: Ctrl+Tab and Ctrl+Shift+Tab wherever pressed on the
// pages, going round; Left and Right on the tab bar, stopping at its ends
// as the bar's own arrows do, and so does its wheel. All step only onto a
// page whose tab is seen and enabled.
class KolejZakladek : public QObject {
public:
    explicit KolejZakladek(QTabWidget* t) : QObject(t), t_(t) {
        t->installEventFilter(this);
        t->tabBar()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override {
        // (The type first: events come while the tab widget is destroyed,
        // when it is no tab widget to be asked for its bar.)
        if (zdarzenie->type() == QEvent::Wheel && obiekt == t_->tabBar())
            return kolko(static_cast<QWheelEvent*>(zdarzenie));
        if (zdarzenie->type() != QEvent::KeyPress) return false;
        const auto* k = static_cast<QKeyEvent*>(zdarzenie);
        if (obiekt == t_ && (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
            (k->modifiers() & Qt::ControlModifier)) {
            krok(k->key() == Qt::Key_Backtab || (k->modifiers() & Qt::ShiftModifier) ? -1 : 1, true);
            return true;
        }
        if (obiekt == t_->tabBar() && (k->key() == Qt::Key_Left || k->key() == Qt::Key_Right)) {
            const bool wstecz = (k->key() == Qt::Key_Left) != t_->tabBar()->isRightToLeft();
            krok(wstecz ? -1 : 1, false);
            return true;
        }
        return false;
    }

private:
    // A wheel of whole steps: one page a step, up and left back, down and
    // right on, as the bar's own wheel goes. A device scrolling by pixels
    // only slides the bar, which the bar does itself.
    bool kolko(QWheelEvent* e) {
        if (e->device() && e->device()->capabilities().testFlag(QInputDevice::Capability::PixelScroll)) return false;
        if (!t_->tabBar()->style()->styleHint(QStyle::SH_TabBar_AllowWheelScrolling, nullptr, t_->tabBar()))
            return false;
        obrot_ += e->angleDelta();
        const QPoint kroki = obrot_ / QWheelEvent::DefaultDeltasPerStep;
        if (!kroki.isNull()) {
            krok(kroki.x() > 0 || kroki.y() > 0 ? -1 : 1, false);
            obrot_ = QPoint();
        }
        e->accept();
        return true;
    }

    // The next seen, enabled page in that direction, made current; none:
    // the page stays.
    void krok(int kierunek, bool wKolo) {
        const int n = t_->count(), od = t_->currentIndex();
        for (int i = 1; i < n; ++i) {
            const int j = od + kierunek * i;
            if (!wKolo && (j < 0 || j >= n)) return;
            const int s = (j % n + n) % n;
            if (t_->isTabVisible(s) && t_->isTabEnabled(s)) {
                t_->setCurrentIndex(s);
                return;
            }
        }
    }

    QTabWidget* t_;
    QPoint obrot_;  // the wheel's turn not yet a whole step
};
}  // namespace

void ZakladkiKlawiszami(QTabWidget* zakladki) { new KolejZakladek(zakladki); }

void FokusWObszarze(QScrollArea* obszar) {
    QWidget* pole = pierwszePole(*obszar);
    obszar->setFocusPolicy(pole ? Qt::NoFocus : Qt::StrongFocus);
    const QWidget* fokus = obszar->window()->focusWidget();
    if (pole && fokus == obszar)
        pole->setFocus(Qt::OtherFocusReason);
    else if (!pole && !fokus)
        obszar->setFocus(Qt::OtherFocusReason);
}

void ponowNaWierzchu(QWidget* okno) {
    if (!(okno->windowFlags() & Qt::WindowStaysOnTopHint) || !okno->isVisible()) return;
    xcb_connection_t* c = polaczenieX();
    if (!c) return;  // no X server: nothing to ask
    const xcb_atom_t nad = atom(c, "_NET_WM_STATE_ABOVE");
    if (nad == XCB_ATOM_NONE) return;
    // The window manager's _NET_WM_STATE request: add the state, asked by
    // an application (source indication 1).
    doMenedzera(c, static_cast<xcb_window_t>(okno->winId()), atom(c, "_NET_WM_STATE"), {1, nad, 0, 1, 0});
}

}  // namespace vesk
