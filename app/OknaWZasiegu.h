// The program's windows kept within the user's reach: a modal box never
// goes out of sight with a minimised window, a window fits the screen's
// available area, its caption and buttons included, and a stay-on-top
// window stays so.
#pragma once

#include <QObject>

class QWidget;

namespace vesk {

// Watches every window of the program (installed on the application):
// while a modal box is open, a window the window manager would take the
// box away with (the box's own window, one it belongs to, or any when it
// belongs to none) does not stay minimised. It is restored at once and the
// box raised, so that the box can be answered and the program goes on.
class PudelkaWZasiegu : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;
};

// A top-level window made no larger than the available area of its screen
// from where it stands, its frame included, and moved only as far as it
// must to lie whole within it. The frame is the window's own once the
// window manager has framed it, else that of another framed window of the
// program.
void wPoluEkranu(QWidget* okno);

// Keeps the window it is made for within the screen (wPoluEkranu) each
// time it is shown, and once more as soon as the window manager has framed
// it, so that its caption counts too.
class WPoluEkranu : public QObject {
public:
    explicit WPoluEkranu(QWidget* okno);

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;

private:
    bool czekaNaRamke_ = false;
};

// Asks the window manager again to keep a stay-on-top window above the
// others: one may forget it over a minimise or a hide and a show.
void ponowNaWierzchu(QWidget* okno);

}  // namespace vesk
