// A helper of the indicator window's tests.
#pragma once

#include <QTreeWidget>
#include <gtest/gtest.h>

#include "CodePage.h"
#include "DefiniowanieWskaznikow.h"

namespace vesk::test {

// The indicator window's chosen indicator with a zero denominator: its
// item minus itself (every chart update shown then tells of it).
inline void ZeroWMianowniku(DefiniowanieWskaznikow& o) {
    const PozycjaWskaznika p = *o.sesja().Panel().Mianownik.Pierwsza;
    const auto z = o.MianownikTree->findItems(QString::fromStdString(cp1250ToUtf8(p.Etykieta)),
                                              Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(z.isEmpty());
    o.sesja().ZmianaOperatora(StronaPanelu::Mianownik, "-");
    o.pokazWidok(o.sesja().Upusc(Okienko::Mianownik2, StronaPanelu::Mianownik, z.front()->data(0, Qt::UserRole + 1).toInt()));
}

}  // namespace vesk::test
