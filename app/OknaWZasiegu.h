// The program's windows kept within the user's reach: a modal box never
// goes out of sight with a minimised window or one sent to another
// desktop, a window fits the screen's available area, its caption and
// buttons included, and a stay-on-top window stays so.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>

class QScrollArea;
class QTabWidget;
class QWidget;

namespace vesk {

// Watches every window of the program (installed on the application):
// while a modal box is open, a window the window manager would take the
// box away with (the box's own window, one it belongs to, or any when it
// belongs to none) does not stay minimised. It is restored at once and the
// box raised, so that the box can be answered and the program goes on.
// Under X such a window sent to another desktop, or left behind on a
// desktop switch, is brought to the desktop the user is on, the box with it
// (installed as the application's native event filter too). A menu bar
// left holding the focus by a menu closed with Escape gives it back.
class PudelkaWZasiegu : public QObject, public QAbstractNativeEventFilter {
public:
    PudelkaWZasiegu();
    bool nativeEventFilter(const QByteArray& typ, void* komunikat, qintptr* wynik) override;

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;

private:
    // The windows that would take the open box away, moved to the current
    // desktop.
    void naBiezacyPulpit();
    std::uint32_t pulpitOkna_ = 0, biezacyPulpit_ = 0;  // the atoms; 0 without X
    bool czeka_ = false;
};

// Under X, a window the window manager keeps on another desktop than the
// one the user is on is asked over to the user's; true when it was asked.
// Without X, or a window manager without desktops, nothing is done.
bool naPulpitUzytkownika(QWidget& okno);

// Shown un-minimised, on the user's desktop, raised and active.
void pokazNaWierzchu(QWidget* okno);

// A top-level window made no larger than the available area of its screen
// from where it stands (ponownie, shown again: than the whole area), its
// frame included, and moved only as far as it must to lie whole within it.
// The frame is the window's own once the window manager has framed it,
// else that of another framed window of the program.
void wPoluEkranu(QWidget* okno, bool ponownie = false);

// Keeps the window it is made for within the screen (wPoluEkranu) each
// time it is shown, and once more as soon as the window manager has framed
// it, so that its caption counts too. Shown again after a hide, it keeps
// the size the user gave it where that fits.
class WPoluEkranu : public QObject {
public:
    explicit WPoluEkranu(QWidget* okno);

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;

private:
    bool czekaNaRamke_ = false;
    bool pokazane_ = false;  // hidden at least once
};

// Ctrl+Tab and Ctrl+Shift+Tab, wherever pressed on the pages, go round the
// pages whose tabs are seen and enabled only, and so do Left and Right on
// the tab bar and its wheel (up to its ends): a hidden page (one the
// program keeps for later) never comes up without its tab. With no other
// such page the keys and the wheel change nothing.
void ZakladkiKlawiszami(QTabWidget* zakladki);

// A window's surface scrolled in the area: the area itself takes no focus
// while a box in it can (the window's first box does), and the box that
// takes it from the keyboard or the program (Tab, a key of its caption, a
// refusal) is scrolled into sight, never shown cut at the edge. While
// every box is closed the area takes the focus itself (FokusWObszarze), so
// that the keys still scroll it: PgUp, PgDn and the arrows as in any
// scrolled view, Home and End to its top and its end, Tab and Shift+Tab
// to the next part not wholly in sight (its group boxes, row by row, then
// its top again).
void PrzewijanieZaFokusem(QScrollArea* obszar);

// The area scrolled so that w, on its surface, is in sight as a box that
// takes the focus is; odPoczatku: one larger than the view from its start,
// however much of it was in sight.
void WidokNa(QScrollArea* obszar, const QWidget* w, bool odPoczatku = false);

// After the area's boxes were opened or closed: with none that can take
// the focus the area takes it (when its window has it nowhere else), with
// one again the area gives it to its first box.
void FokusWObszarze(QScrollArea* obszar);

// Asks the window manager again to keep a stay-on-top window above the
// others: one may forget it over a minimise or a hide and a show.
void ponowNaWierzchu(QWidget* okno);

}  // namespace vesk
