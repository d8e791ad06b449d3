// The indicator window's set and threshold controls offscreen, on a
// temporary operator (root and a simulated child) and a copy of the
// shipped program data: save as and read back, adding an indicator, the
// threshold buttons and relation box; the main window's side of showing,
// hiding and closing the window.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <filesystem>
#include <QDialog>
#include <gtest/gtest.h>

#include "Aplikacja.h"
#include "CodePage.h"
#include "DefiniowanieWskaznikow.h"
#include "OknoGlowne.h"
#include "OknaFixture.h"
#include "QtUserInterface.h"
#include "Warsztat.h"

namespace vesk {
namespace {

using test::u;

// The Qt interface answering from a script, noting the window each box or
// dialog would belong to.
struct Rodzice : QtUserInterface {
    explicit Rodzice(ScriptedUserInterface& s) : s(s) {}
    ScriptedUserInterface& s;
    std::vector<QWidget*> rodzice;
    std::vector<std::string> filtry;
    void message(const std::string& t) override {
        rodzice.push_back(parent());
        s.message(t);
    }
    bool question(const std::string& t) override { return s.question(t); }
    bool confirm(const std::string& t, const std::string& c) override { return s.confirm(t, c); }
    std::optional<std::string> chooseFile(const std::string& t, const std::string& f, bool z,
                                          const std::string& k) override {
        rodzice.push_back(parent());
        filtry.push_back(f);
        return s.chooseFile(t, f, z, k);
    }
    std::optional<std::string> inputText(const std::string& c, const std::string& p, const std::string& i) override {
        rodzice.push_back(parent());
        return s.inputText(c, p, i);
    }
};

// The operator over a copy of the program folder, the window shown with
// the first set chosen.
struct ZestawyOkna : test::OknaFixture<> {
    Rodzice rui{ui};
    UserInterface& interfejs() override { return rui; }

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(operatorZDzieckiem({}, kopiaProgramu()));
        ASSERT_NO_FATAL_FAILURE(pokazWskazniki());
        rui.rodzice.clear();
        rui.filtry.clear();
        ASSERT_GT(okno().ComboBox1->count(), 1);
        okno().ComboBox1->setCurrentIndex(0);
        emit okno().ComboBox1->activated(0);
        ui.messages.clear();
    }
    DefiniowanieWskaznikow& okno() { return app->definiowanieWskaznikow(); }
    QStringList lista() {
        QStringList l;
        for (int i = 0; i < okno().ComboBox1->count(); ++i) l << okno().ComboBox1->itemText(i);
        return l;
    }
};

TEST_F(ZestawyOkna, SetItemsStandInTheMenuAndTheButtonsReadAsWritten) {
    DefiniowanieWskaznikow& o = okno();
    EXPECT_EQ(o.WczytanieZestawu->text(), u("Wczytanie Zestawu"));
    EXPECT_EQ(o.ZapisanieZestawuWskanikw1->text(), u("Zapisanie Zestawu jako ..."));
    QMenu* plik = o.menuBar()->actions().front()->menu();
    ASSERT_NE(plik, nullptr);
    EXPECT_TRUE(plik->actions().contains(o.WczytanieZestawu));
    EXPECT_EQ(o.SpeedButton1->text(), u("<= dodanie wskaźnika do wykazu =>"));
    EXPECT_TRUE(o.SpeedButton1->isEnabled());
}

TEST_F(ZestawyOkna, SavedCopyReadsBackWithTheSameList) {
    DefiniowanieWskaznikow& o = okno();
    const QStringList przed = lista();
    ui.files = {work.folder() + "kopia.xls"};
    o.ZapisanieZestawuWskanikw1->trigger();
    ASSERT_TRUE(work.exists("kopia.xls")) << (ui.messages.empty() ? "" : cp1250ToUtf8(ui.messages.front()));
    EXPECT_TRUE(o.windowTitle().endsWith(u("kopia.xls")));
    // Saving over it again asks first; "no" leaves it.
    ui.answers = {false};
    ui.files = {work.folder() + "kopia.xls"};
    o.ZapisanieZestawuWskanikw1->trigger();
    EXPECT_EQ(ui.questions.size(), 1u);
    // Read back: the same names, the first one chosen and evaluated.
    ui.files = {work.folder() + "kopia.xls"};
    o.WczytanieZestawu->trigger();
    EXPECT_EQ(ui.dialogs.back(), utf8ToCp1250("Proszę podać nazwę zestawu wskaźników"));
    EXPECT_EQ(lista(), przed);
    EXPECT_EQ(o.ComboBox1->currentText(), przed.front());
    EXPECT_FALSE(o.OkienkoLicznika1->text().isEmpty());
    EXPECT_FALSE(o.Edit3->text().isEmpty());
    EXPECT_EQ(o.sesja().NazwaZestawu(), "kopia");
    EXPECT_TRUE(ui.messages.empty());
    // Both dialogs list set files whatever the case of their extension.
    ASSERT_EQ(rui.filtry.size(), 3u);
    for (const std::string& f : rui.filtry) {
        const QString filtr = filtryPlikow(f).front();
        EXPECT_TRUE(filtr.startsWith(u("Pliki zestawów wskaźników (Excel) ("))) << filtr.toStdString();
        const QString wzor = filtr.mid(filtr.lastIndexOf('(') + 1).chopped(1);
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(wzor));
        for (const char* nazwa : {"zestaw.xls", "ZESTAW.XLS", "Zestaw.Xls"})
            EXPECT_TRUE(re.match(nazwa).hasMatch()) << nazwa;
        EXPECT_FALSE(re.match("zestaw.xlsx").hasMatch());
    }
}

TEST_F(ZestawyOkna, ASetReadStaysAfterTheWindowsOwnMenusAndDialogsNotAfterAnotherWindow) {
    DefiniowanieWskaznikow& o = okno();
    QApplication::processEvents();
    ui.files = {work.folder() + "kopia.xls"};
    o.ZapisanieZestawuWskanikw1->trigger();
    ui.files = {work.folder() + "kopia.xls"};
    o.WczytanieZestawu->trigger();
    ASSERT_EQ(o.sesja().NazwaZestawu(), "kopia");
    // Away to a menu of the window or a dialog it owns, then back: the set
    // read stays.
    QMenu menu(&o);
    QDialog progi(&o);
    for (QWidget* wlasne : std::initializer_list<QWidget*>{&menu, &progi, nullptr}) {
        o.opuszczenie(wlasne == nullptr ? nullptr : wlasne);
        if (wlasne == nullptr) break;  // another application: checked below
        QEvent aktywacja(QEvent::ActivationChange);
        QApplication::setActiveWindow(&o);
        QApplication::sendEvent(&o, &aktywacja);
        EXPECT_EQ(o.sesja().NazwaZestawu(), "kopia") << wlasne->metaObject()->className();
        EXPECT_TRUE(o.windowTitle().endsWith(u("kopia.xls")));
    }
    // Back from another application: activated anew, the default set read.
    QApplication::setActiveWindow(&o);
    QEvent aktywacja(QEvent::ActivationChange);
    QApplication::sendEvent(&o, &aktywacja);
    EXPECT_EQ(o.sesja().NazwaZestawu(), "wskazniki-ogolne");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ZestawyOkna, CorruptSetOrUnwritableFolderLeaveTheWindowAsItWas) {
    DefiniowanieWskaznikow& o = okno();
    const QStringList przed = lista();
    const QString tytul = o.windowTitle();
    // A file that is no workbook: one message saying so; the set in use stays.
    work.write("zly.xls", "to nie jest skoroszyt");
    ui.files = {work.folder() + "zly.xls"};
    o.WczytanieZestawu->trigger();
    EXPECT_TRUE(ui.questions.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("zly.xls"), std::string::npos);
    EXPECT_EQ(lista(), przed);
    EXPECT_EQ(o.windowTitle(), tytul);
    EXPECT_EQ(o.sesja().NazwaZestawu(), "wskazniki-ogolne");
    // Saving into a folder that does not exist: a message, no file, the
    // caption and the set's file unchanged.
    ui.files = {work.folder() + "nie-ma/kopia.xls"};
    o.ZapisanieZestawuWskanikw1->trigger();
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_FALSE(work.exists("nie-ma/kopia.xls"));
    EXPECT_EQ(o.windowTitle(), tytul);
    EXPECT_TRUE(o.isVisible());
}

TEST_F(ZestawyOkna, AddedIndicatorJoinsTheListAndTheFile) {
    DefiniowanieWskaznikow& o = okno();
    const int n = o.ComboBox1->count();
    ui.inputs = {std::string("nowy wskaznik")};
    o.SpeedButton1->click();
    EXPECT_TRUE(ui.messages.empty()) << cp1250ToUtf8(ui.messages.front());
    ASSERT_EQ(o.ComboBox1->count(), n + 1);
    EXPECT_EQ(o.ComboBox1->itemText(n), u("nowy wskaznik"));
    EXPECT_EQ(o.ComboBox1->currentText(), u("nowy wskaznik"));
    // The set file holds it: a fresh read lists it.
    o.WczytanieZestawu->trigger();  // cancelled: the current set again
    EXPECT_EQ(o.ComboBox1->count(), n + 1);
    // The same name again: refused, nothing added.
    ui.inputs = {std::string("nowy wskaznik")};
    o.SpeedButton1->click();
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(o.ComboBox1->count(), n + 1);
}

TEST_F(ZestawyOkna, ThresholdButtonsAndRelationBox) {
    DefiniowanieWskaznikow& o = okno();
    const QString prog = o.ProgWskaznika1->text();
    ui.inputs = {std::string("abc")};
    o.SpeedButton2->click();
    EXPECT_EQ(ui.messages.size(), 1u);  // not a number: a message, nothing changed
    EXPECT_EQ(o.ProgWskaznika1->text(), prog);
    EXPECT_EQ(ui.inputCaptions.back(), utf8ToCp1250("Podanie wartości progowej (dolnej)"));
    ui.inputs = {std::string("0.5")};
    o.SpeedButton2->click();
    EXPECT_EQ(o.ProgWskaznika1->text(), u("0.5"));
    ui.inputs = {std::string("9")};
    o.SpeedButton4->click();
    EXPECT_EQ(o.ProgWskaznika2->text(), u("9"));
    o.ComboBoxWskaznik->setCurrentIndex(2);
    emit o.ComboBoxWskaznik->activated(2);
    EXPECT_EQ(o.ComboBoxWskaznik->currentIndex(), 2);  // "x<>": both thresholds there
    // Threshold 2 emptied by typing: the relation box falls back.
    o.ProgWskaznika2->clear();
    emit o.ProgWskaznika2->textEdited(QString());
    emit o.ComboBoxWskaznik->activated(4);
    EXPECT_EQ(o.ComboBoxWskaznik->currentIndex(), 0);
    // Every box and dialog of these belonged to the window (above it, its own).
    ASSERT_GE(rui.rodzice.size(), 4u);
    for (QWidget* r : rui.rodzice) EXPECT_EQ(r, &o);
    EXPECT_EQ(rui.parent(), nullptr);  // given back afterwards
}

TEST_F(ZestawyOkna, MainWindowSideOfShowingHidingAndClosing) {
    DefiniowanieWskaznikow& o = okno();
    OknoGlowne& f = app->oknoGlowne();
    // Shown from the menu: the results menu off, the decisions menu left on.
    EXPECT_TRUE(o.isVisible());
    EXPECT_FALSE(f.wlaczona("Rezultaty2"));
    EXPECT_TRUE(f.wlaczona("Wzy1"));
    // "Wyjście" (F5) closes it and gives both back.
    QAction* wyjscie = o.findChild<QAction*>("Wyjscie");
    ASSERT_NE(wyjscie, nullptr);
    EXPECT_EQ(wyjscie->shortcut(), QKeySequence(Qt::Key_F5));
    app->warsztat().Polecenia.Wzy1 = false;
    app->odswiezOkna();
    wyjscie->trigger();
    EXPECT_FALSE(o.isVisible());
    EXPECT_TRUE(f.wlaczona("Rezultaty2"));
    EXPECT_TRUE(f.wlaczona("Wzy1"));
    // Shown again, then the main window activated: it steps aside.
    f.akcja("KonstrukcjaWskaznikow")->trigger();
    ASSERT_TRUE(o.isVisible());
    EXPECT_FALSE(f.wlaczona("Rezultaty2"));
    f.show();
    f.activateWindow();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(f.isActiveWindow());
    QEvent aktywacja(QEvent::ActivationChange);
    QApplication::sendEvent(&f, &aktywacja);
    EXPECT_FALSE(o.isVisible());
    EXPECT_FALSE(app->warsztat().Wskazniki->visible());
    // The simulated node still selected: the results menu is back.
    EXPECT_TRUE(f.wlaczona("Rezultaty2"));
}

}  // namespace
}  // namespace vesk
