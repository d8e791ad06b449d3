// The scroll code of a slider's or scroll bar's action, as the indicator
// session takes it: line and page steps, jumps to an end, anything else
// as the thumb on its way. (The end of a scroll is the slider's release.)
#pragma once

#include <QAbstractSlider>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <functional>

#include "AnalizaWrazliwosci.h"

namespace vesk {

inline KodPrzewijania KodAkcjiSuwaka(int akcja) {
    switch (akcja) {
        case QAbstractSlider::SliderSingleStepAdd: return KodPrzewijania::LiniaWDol;
        case QAbstractSlider::SliderSingleStepSub: return KodPrzewijania::LiniaWGore;
        case QAbstractSlider::SliderPageStepAdd: return KodPrzewijania::StronaWDol;
        case QAbstractSlider::SliderPageStepSub: return KodPrzewijania::StronaWGore;
        case QAbstractSlider::SliderToMinimum: return KodPrzewijania::Poczatek;
        case QAbstractSlider::SliderToMaximum: return KodPrzewijania::Koniec;
        default: return KodPrzewijania::SledzenieKciuka;
    }
}

// The bar's auto-repeat ended as the button's release would end it (the
// release a message box took); a thumb being dragged is left alone.
inline void KoniecPowtarzania(QAbstractSlider* pasek) {
    if (pasek->isSliderDown()) return;
    const QPointF srodek = QRectF(pasek->rect()).center();
    QMouseEvent puszczenie(QEvent::MouseButtonRelease, srodek, pasek->mapToGlobal(srodek), Qt::LeftButton,
                           Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pasek, &puszczenie);
}

// One user action, one step: runs krok() for an action of pasek. An action
// arriving while a step runs (the bar's auto-repeat going on inside a
// message box's loop) is dropped and ends the repeat, and pokaz() shows
// the state again once the step is over (the dropped action moved the
// bar). A step after which the mouse button is up ends the repeat too:
// its release went to a box, the bar would repeat on its own.
inline void JedenKrok(QAbstractSlider* pasek, const std::function<void()>& krok, const std::function<void()>& pokaz) {
    static bool wKroku = false, odrzucony = false;
    if (wKroku) {
        KoniecPowtarzania(pasek);
        odrzucony = true;
        return;
    }
    wKroku = true;
    odrzucony = false;
    struct Koniec {
        ~Koniec() { wKroku = false; }
    } koniec;
    krok();
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) KoniecPowtarzania(pasek);
    if (odrzucony && pokaz) pokaz();
}

}  // namespace vesk
