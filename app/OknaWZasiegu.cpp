#include "OknaWZasiegu.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

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

bool PudelkaWZasiegu::eventFilter(QObject* obiekt, QEvent* zdarzenie) {
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

void wPoluEkranu(QWidget* okno) {
    const QScreen* ekran = okno->screen() ? okno->screen() : QGuiApplication::primaryScreen();
    if (!ekran) return;
    const QRect pole = ekran->availableGeometry();
    const QMargins m = ramka(*okno);
    // The room from where its frame's corner stands (or from the screen's
    // edge, when that leaves less than half the screen). A window not yet
    // framed has its frame put where the window itself stands.
    const bool oprawione = okno->frameGeometry() != okno->geometry();
    const QPoint przed = okno->isVisible() && !oprawione ? okno->geometry().topLeft() : okno->pos();
    const QSize miejsce =
        QSize(pole.right() + 1 - std::max(przed.x(), pole.left()), pole.bottom() + 1 - std::max(przed.y(), pole.top()))
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
        wPoluEkranu(okno);
        czekaNaRamke_ = okno->frameGeometry() == okno->geometry();
    } else if (czekaNaRamke_ &&
               (zdarzenie->type() == QEvent::Move || zdarzenie->type() == QEvent::Resize ||
                zdarzenie->type() == QEvent::WindowActivate) &&
               okno->frameGeometry() != okno->geometry()) {
        czekaNaRamke_ = false;
        wPoluEkranu(okno);
    }
    return QObject::eventFilter(obiekt, zdarzenie);
}

void ponowNaWierzchu(QWidget* okno) {
    if (!(okno->windowFlags() & Qt::WindowStaysOnTopHint) || !okno->isVisible()) return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return;  // no X server: nothing to ask
    xcb_connection_t* c = x11->connection();
    const auto atom = [c](const char* nazwa) {
        xcb_intern_atom_reply_t* r =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(nazwa)), nazwa), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(r);
        return a;
    };
    const xcb_screen_t* ekran = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_atom_t stan = atom("_NET_WM_STATE"), nad = atom("_NET_WM_STATE_ABOVE");
    if (!ekran || stan == XCB_ATOM_NONE || nad == XCB_ATOM_NONE) return;
    // The window manager's _NET_WM_STATE request: add the state, asked by
    // an application (source indication 1).
    xcb_client_message_event_t z{};
    z.response_type = XCB_CLIENT_MESSAGE;
    z.format = 32;
    z.window = static_cast<xcb_window_t>(okno->winId());
    z.type = stan;
    z.data.data32[0] = 1;
    z.data.data32[1] = nad;
    z.data.data32[3] = 1;
    xcb_send_event(c, 0, ekran->root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&z));
    xcb_flush(c);
}

}  // namespace vesk
