// The scroll code of a slider's or scroll bar's action, as the indicator
// session takes it: line and page steps, jumps to an end, anything else
// as the thumb on its way. (The end of a scroll is the slider's release.)
#pragma once

#include <QAbstractSlider>

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

}  // namespace vesk
