// Texts crossing from the core (code page 1250) into Qt and back.
#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QWidget>
#include <QWindow>
#include <string>

#include "CodePage.h"

namespace vesk {

inline QString q(const std::string& cp1250Text) { return QString::fromStdString(cp1250ToUtf8(cp1250Text)); }
// A character code page 1250 lacks comes in escaped ("\u0416"), never as
// "?": a number or name typed with one is refused showing what was typed.
inline std::string zQt(const QString& text) {
    const std::string utf8 = text.toStdString();
    return utf8ToCp1250Exactly(utf8).value_or(readableText(utf8));
}

// Places a window in the middle of the primary screen.
inline void srodkujNaEkranie(QWidget* okno) {
    if (QScreen* ekran = QGuiApplication::primaryScreen()) {
        QRect r = okno->frameGeometry();
        r.moveCenter(ekran->availableGeometry().center());
        okno->move(r.topLeft());
    }
}

// Places a window's frame, its title bar included, at p of the screen: a
// window manager then keeps the caption and its buttons on the screen.
// A window hidden again after it was framed is placed as a widget: its
// window's own position would be taken back at the show.
inline void umiescRamke(QWidget* okno, QPoint p) {
    if (QWindow* w = okno->windowHandle(); w && (w->isVisible() || okno->frameGeometry() == okno->geometry()))
        w->setFramePosition(p);
    else
        okno->move(p);  // not made yet, or hidden: the position counts the frame
}

}  // namespace vesk
