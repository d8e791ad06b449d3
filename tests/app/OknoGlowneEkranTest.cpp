// The main window on a 1280 x 1024 screen: the window lies on the screen
// and every control of the tree tab's button rows lies whole inside the
// window and inside its page, and is reached by Tab.
#include <QApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include "Aplikacja.h"
#include "EkranTestu.h"
#include "OknoGlowne.h"
#include "TempDir.h"
#include "Warsztat.h"

namespace vesk {
namespace {

TEST(OknoGlowneNaEkranie, TheTreeTabsButtonRowsLieWholeInsideTheWindowAt1280x1024) {
    if (!test::NaEkranie(1280, 1024)) return;
    test::TempDir work;
    ScriptedUserInterface ui;
    work.write("zakresy.txt", std::string());
    work.write("OPERATOR/.keep", std::string());
    Aplikacja app(ui, {}, work.folder(), std::string(VESK_DATA_DIR) + "PROGRAM/",
                  [&](Kontekst& k) { k.DomyslneKatalogi.Operatorzy = work.folder() + "OPERATOR/"; });
    app.start();
    ui.files = {work.folder() + "OPERATOR/ekran.tr1"};
    app.startOK();
    OknoGlowne& f = app.oknoGlowne();
    ASSERT_TRUE(f.isVisible());
    ASSERT_EQ(f.PageControl1->currentWidget(), f.TabDrzewo);
    QApplication::processEvents();

    const QRect ekran = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(ekran.contains(f.frameGeometry())) << f.frameGeometry().width() << "x" << f.frameGeometry().height();
    const QRect strona = f.TabDrzewo->rect();
    const std::pair<const char*, QWidget*> kontrolki[] = {
        {"SpeedSymulacja", f.SpeedSymulacja}, {"PrzyciskPodgladu", f.PrzyciskPodgladu},
        {"PrzyciskDodaniaNowejDecyzji", f.PrzyciskDodaniaNowejDecyzji},
        {"ButtonFinal", f.ButtonFinal},       {"CheckBox1", f.CheckBox1},
        {"SpeedBazowy", f.SpeedBazowy},       {"OkienkoBazowe", f.OkienkoBazowe},
        {"SpeedWzorcowy", f.SpeedWzorcowy},   {"OkienkoEdycji", f.OkienkoEdycji},
    };
    for (const auto& [nazwa, w] : kontrolki) {
        SCOPED_TRACE(nazwa);
        ASSERT_TRUE(f.TabDrzewo->isAncestorOf(w));
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(w->focusPolicy() & Qt::TabFocus);  // in the Tab order
        const QRect naStronie(w->mapTo(f.TabDrzewo, QPoint(0, 0)), w->size());
        EXPECT_TRUE(strona.contains(naStronie)) << naStronie.bottom() << " below " << strona.bottom() << " of the page";
        EXPECT_TRUE(f.rect().contains(QRect(w->mapTo(&f, QPoint(0, 0)), w->size())));
        EXPECT_EQ(w->visibleRegion().boundingRect(), w->rect());
    }
}

}  // namespace
}  // namespace vesk
