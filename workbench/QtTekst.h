// Texts crossing from the core (code page 1250) into Qt and back.
#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QWidget>
#include <string>

#include "CodePage.h"

namespace vesk {

inline QString q(const std::string& cp1250Text) { return QString::fromStdString(cp1250ToUtf8(cp1250Text)); }
inline std::string zQt(const QString& text) { return utf8ToCp1250(text.toStdString()); }

// Places a window in the middle of the primary screen.
inline void srodkujNaEkranie(QWidget* okno) {
    if (QScreen* ekran = QGuiApplication::primaryScreen()) {
        QRect r = okno->frameGeometry();
        r.moveCenter(ekran->availableGeometry().center());
        okno->move(r.topLeft());
    }
}

}  // namespace vesk
