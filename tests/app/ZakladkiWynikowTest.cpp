// The result pages on a small operator (root, "d/r 1", "d 2"): the
// viewers of the results menu, the traditional tab, printing and the
// charts, driven through the widgets.
#include <QApplication>
#include <QBarSet>
#include <QChart>
#include <QKeyEvent>
#include <QLineSeries>
#include <QPrinter>
#include <QShortcut>
#include <QStackedBarSeries>
#include <QTextDocument>
#include <QValueAxis>
#include <QWheelEvent>
#include <cstdio>
#include <functional>
#include <utility>
#include <gtest/gtest.h>

#include "Aplikacja.h"
#include "CodePage.h"
#include "FileSystem.h"
#include "OknoGlowne.h"
#include "FormularzBilans.h"
#include "OknaFixture.h"
#include "OknaPomocy.h"
#include "Warsztat.h"
#include "ZakladkiWynikow.h"

namespace vesk {
namespace {

using test::u;

class DrukarkaPdf : public Drukarka {
public:
    explicit DrukarkaPdf(std::string plik) : plik_(std::move(plik)) {}
    bool drukuj(const QTextDocument& d) override {
        QPrinter p(QPrinter::HighResolution);
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromStdString(plik_));
        d.print(&p);
        return true;
    }
    std::string nazwa() const override { return "wydruk.pdf"; }
    std::string plik_;
};
class BrakDrukarki : public Drukarka {
public:
    bool drukuj(const QTextDocument&) override { return false; }
};

// The colours of a picture, coarsely: whether any pixel is near the colour.
bool maKolor(const QImage& obraz, QColor kolor) {
    for (int y = 0; y < obraz.height(); y += 2)
        for (int x = 0; x < obraz.width(); x += 2) {
            QColor c = obraz.pixelColor(x, y);
            if (std::abs(c.red() - kolor.red()) < 40 && std::abs(c.green() - kolor.green()) < 40 &&
                std::abs(c.blue() - kolor.blue()) < 40)
                return true;
        }
    return false;
}

// The operator "op.tr1": the root and the children "d/r 1" (simulated) and
// "d 2", the root selected.
struct Wyniki : test::OknaFixture<> {
    void SetUp() override {
        przygotuj();
        uruchom();
        nowyOperator("op.tr1");
        w().k.catTABWZOR = std::string(VESK_DATA_DIR) + "TABWZOR/";
        ASSERT_NO_FATAL_FAILURE(dodajDzieci(2));
        ASSERT_TRUE(w().Symulowanie(1));
        wybierz(0);
        ui.messages.clear();
    }

    OknoGlowne& f() { return app->oknoGlowne(); }
    ZakladkiWynikow& z() { return *f().Wyniki; }
    Warsztat& w() { return app->warsztat(); }
    void wybierz(int n) {
        w().WybierzWezel(n);
        w().Zmiana_wezla();
        app->odswiezOkna();
    }
    std::string plik(const char* nazwa) { return operatorzy() + nazwa; }
    bool widoczna(QWidget* strona) { return f().PageControl1->isTabVisible(f().PageControl1->indexOf(strona)); }
    void menu(const char* nazwa) { f().akcja(nazwa)->trigger(); }
    void klawisz(int key) {
        for (QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(t, key, {});
            QApplication::sendEvent(f().TreeView1, &e);
        }
    }
};

// A report shown takes the focus from the button that was pressed, so that
// PgDn and the arrows scroll it: a viewer's page, after "Powrót do
// operatora" too, and the traditional tab's.
TEST_F(Wyniki, AReportShownTakesTheFocus) {
    wybierz(1);
    const std::pair<std::function<void()>, QTextBrowser*> raporty[] = {
        {[&] { menu("WynikSyntetyczny1"); }, z().WebBrowser2},
        {[&] { menu("Bilans1"); }, z().WebBrowser2},
        {[&] { z().klik("PrzyciskBilansOkresowy"); }, z().WebBrowser1},
    };
    for (const auto& [pokaz, strona] : raporty) {
        pokaz();
        EXPECT_EQ(f().focusWidget(), strona) << strona->objectName().toStdString();
        QPushButton* powrot = strona == z().WebBrowser2 ? z().BitBtn1 : z().PrzyciskPowrotDoInterfejsu;
        powrot->setFocus();
        powrot->click();
    }
}

// Ctrl+Tab and Ctrl+Shift+Tab, from the tree and from a report page, never
// show a page whose tab is hidden.
TEST_F(Wyniki, CtrlTabGoesOnlyToPagesWhoseTabsAreSeen) {
    QTabWidget* p = f().PageControl1;
    wybierz(1);
    for (const char* raport : {"", "WynikSyntetyczny1"})
        for (Qt::Key klawisz : {Qt::Key_Tab, Qt::Key_Backtab}) {
            *raport ? menu(raport) : f().pokazStroneDrzewa();
            for (int i = 0; i <= p->count(); ++i) {
                QKeyEvent k(QEvent::KeyPress, klawisz,
                            Qt::ControlModifier | (klawisz == Qt::Key_Tab ? Qt::NoModifier : Qt::ShiftModifier));
                QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : p, &k);
                EXPECT_TRUE(p->isTabVisible(p->currentIndex())) << p->currentWidget()->objectName().toStdString();
            }
        }
}

// After "Powrót do operatora" the tree has the keys; Shift+Tab from the tree
// reaches the tab bar, whose Left and Right never show a page whose tab is
// hidden (the hints, the debugger, the report pages).
TEST_F(Wyniki, TheTabBarsArrowsGoOnlyToPagesWhoseTabsAreSeen) {
    QTabWidget* p = f().PageControl1;
    wybierz(1);
    QApplication::setActiveWindow(&f());  // a button hidden hands its focus on
    for (const char* raport : {"", "WynikSyntetyczny1"})
        for (Qt::Key strzalka : {Qt::Key_Right, Qt::Key_Left}) {
            if (*raport) {
                menu(raport);
                z().BitBtn1->setFocus();
                z().BitBtn1->click();
            } else {
                f().pokazStroneDrzewa();
                f().TreeView1->setFocus();
            }
            ASSERT_EQ(f().focusWidget(), f().TreeView1) << raport;
            for (int i = 0; i < 20 && f().focusWidget() != p->tabBar(); ++i) {
                QKeyEvent k(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
                QApplication::sendEvent(f().focusWidget(), &k);
            }
            ASSERT_EQ(f().focusWidget(), p->tabBar());
            for (int i = 0; i <= p->count(); ++i) {
                QKeyEvent k(QEvent::KeyPress, strzalka, Qt::NoModifier);
                QApplication::sendEvent(p->tabBar(), &k);
                EXPECT_TRUE(p->isTabVisible(p->currentIndex())) << p->currentWidget()->objectName().toStdString();
            }
        }
}

// The wheel on the tab bar steps as its arrows do, never onto a page whose
// tab is hidden: after reports of node 1, and after another operator is
// opened, which empties the pages and the report text of the one before.
TEST_F(Wyniki, TheTabBarsWheelGoesOnlyToPagesWhoseTabsAreSeen) {
    QTabWidget* p = f().PageControl1;
    auto kolko = [&] {
        for (int obrot : {120, -120, 120})
            for (int i = 0; i < p->count(); ++i) {
                QWheelEvent e(QPointF(5, 5), QPointF(5, 5), {}, {0, obrot}, {}, {}, Qt::NoScrollPhase, false);
                QApplication::sendEvent(p->tabBar(), &e);
                EXPECT_TRUE(p->isTabVisible(p->currentIndex())) << p->currentWidget()->objectName().toStdString();
            }
    };
    wybierz(1);
    menu("Bilans1");
    z().klik("PrzyciskBilansOkresowy");
    z().PrzyciskPowrotDoInterfejsu->click();
    kolko();
    ui.files = {operatorzy() + "beta.tr1"};
    app->nowyOperator();
    for (const QString& t : {z().WebBrowser1->toPlainText(), z().WebBrowser2->toPlainText(),
                             app->oknoRaportu().RichEdit1->toPlainText()})
        EXPECT_TRUE(t.isEmpty()) << t.left(80).toStdString();
    kolko();
}

// Del on the node whose page is in front, "Tak" to the question: the page
// goes with the node as by "Powrót do operatora"; the viewers' page and the
// traditional tab's.
TEST_F(Wyniki, DeletingTheNodeWhosePageIsShownShowsTheTreeTab) {
    ASSERT_TRUE(w().Symulowanie(2));
    int wezel = 0;
    for (QTextBrowser* strona : {z().WebBrowser2, z().WebBrowser1}) {
        wybierz(++wezel);
        strona == z().WebBrowser2 ? menu("WynikSyntetyczny1") : z().klik("PrzyciskBilansOkresowy");
        ASSERT_EQ(f().focusWidget(), strona);
        ui.answers = {true};
        menu("Kasowaniewza1");
        ASSERT_EQ(w().Drzewo.Znajdz(wezel), -1);
        EXPECT_TRUE(strona->toPlainText().isEmpty()) << wezel;
        EXPECT_FALSE(widoczna(strona->parentWidget())) << wezel;
        EXPECT_EQ(f().focusWidget(), f().TreeView1) << wezel;
    }
}

// An open or a creation whose file dialog is cancelled on a report page
// leaves the page in front: the first steps for a window without an
// operator do not come up while one is open.
TEST_F(Wyniki, AnOpenOrACreationCancelledOnAReportPageLeavesThePage) {
    wybierz(1);
    for (void (Aplikacja::*polecenie)() : {&Aplikacja::otworzOperatora, &Aplikacja::nowyOperator}) {
        menu("WynikSyntetyczny1");
        ui.files.clear();
        (app.get()->*polecenie)();
        EXPECT_EQ(f().PageControl1->currentWidget(), z().TabSprawozdanie2);
        EXPECT_FALSE(widoczna(f().TabPodpowiedz));
    }
}

TEST_F(Wyniki, BalanceViewerShowsThePageAndTheText) {
    wybierz(1);
    menu("Bilans1");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(f().PageControl1->currentWidget(), z().TabSprawozdanie2);
    EXPECT_FALSE(widoczna(f().TabDrzewo));
    EXPECT_FALSE(widoczna(z().TabInterfejs));
    EXPECT_FALSE(app->oknoRaportu().isVisible());
    EXPECT_EQ(app->oknoRaportu().windowTitle(), u("Wyniki symulacji - BILANS"));
    EXPECT_FALSE(app->oknoRaportu().RichEdit1->toPlainText().isEmpty());
    EXPECT_FALSE(z().WebBrowser2->toPlainText().trimmed().isEmpty());
    z().PrzyciskTekstu->click();
    EXPECT_TRUE(app->oknoRaportu().isVisible());
    z().BitBtn1->click();
    EXPECT_EQ(f().PageControl1->currentWidget(), f().TabDrzewo);
    EXPECT_FALSE(widoczna(z().TabSprawozdanie2));

    // Screenshot of the page.
    menu("Bilans1");
    f().resize(1000, 700);
    QImage obraz = f().grab().toImage();
    EXPECT_FALSE(obraz.isNull());
    obraz.save(QStringLiteral(VESK_DATA_DIR "../sprawozdanie_bik.png"));
    EXPECT_TRUE(maKolor(obraz, Qt::black));
}

TEST_F(Wyniki, AFailingWriterClearsTheWindows) {
    wybierz(1);
    menu("Bilans1");
    ASSERT_FALSE(z().WebBrowser2->toPlainText().isEmpty());
    w().k.catTABWZOR = work.folder() + "BRAK/";
    menu("Koszty1");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("KOS"), std::string::npos);
    EXPECT_TRUE(z().WebBrowser2->toPlainText().isEmpty());
    EXPECT_TRUE(app->oknoRaportu().RichEdit1->toPlainText().isEmpty());
}

TEST_F(Wyniki, SaveAllEndsOnTheCostsPage) {
    wybierz(1);
    menu("ZapisSprawozdanDoPliku");
    ASSERT_EQ(ui.messages.size(), 1u);
    for (const char* n : {"op.DEC", "op.SRE", "op.BIK", "op.ZAO", "op.PRO", "op.PLY", "op.ZAD", "op.REN", "op.AKT",
                          "op.RAW", "op.PRF", "op.INF", "op.KOS"})
        EXPECT_TRUE(fileExists(plik(n))) << n;
    EXPECT_EQ(app->oknoRaportu().windowTitle(), u("Wyniki symulacji - Koszty"));
    EXPECT_EQ(f().PageControl1->currentWidget(), z().TabSprawozdanie2);
}

TEST_F(Wyniki, TraditionalTabGroupsAndReportButton) {
    f().pokazStroneDrzewa();
    EXPECT_TRUE(widoczna(z().TabInterfejs));
    f().PageControl1->setCurrentWidget(z().TabInterfejs);
    z().Przyciski["PrzyciskSymulatora"]->click();
    EXPECT_FALSE(z().Grupy["GrupaSymulatora"]->isHidden());
    EXPECT_TRUE(z().Przyciski["PrzyciskSymulatora"]->font().bold());
    z().Przyciski["PrzyciskRezultaty1"]->click();
    z().Przyciski["PrzyciskFinanse"]->click();
    EXPECT_FALSE(z().Grupy["GrupaFinanse"]->isHidden());
    EXPECT_EQ(z().Przyciski["PrzyciskCashFlow"]->text(), u("Rachunek\nprzepływów pieniężnych"));
    EXPECT_EQ(z().Przyciski["PrzyciskCashFlow"]->font().pointSize(), 13);
    f().resize(1000, 700);
    z().TabInterfejs->grab().save(QStringLiteral(VESK_DATA_DIR "../interfejs_tradycyjny.png"));
    z().Przyciski["PrzyciskRezultaty1"]->click();
    EXPECT_TRUE(z().Grupy["GrupaFinanse"]->isHidden());

    // The root's synthetic result is disabled; node 1's balance shown.
    wybierz(1);
    z().Przyciski["PrzyciskRezultaty1"]->click();
    z().Przyciski["PrzyciskFinanse"]->click();
    z().Przyciski["PrzyciskBilansOkresowy"]->click();
    EXPECT_EQ(f().PageControl1->currentWidget(), z().TabSprawozdanie);
    EXPECT_FALSE(z().WebBrowser1->toPlainText().trimmed().isEmpty());
    z().PrzyciskPowrotDoInterfejsu->click();
    EXPECT_EQ(f().PageControl1->currentWidget(), z().TabInterfejs);
    EXPECT_FALSE(widoczna(z().TabSprawozdanie));
}

TEST_F(Wyniki, EditingThenConfirmingOnAnUnsimulatedNode) {
    f().pokazStroneDrzewa();
    z().klik("PrzyciskEdycja");
    EXPECT_EQ(f().PageControl1->currentWidget(), f().TabDrzewo);
    EXPECT_FALSE(z().SpeedPotwierdzenie->isHidden());
    EXPECT_EQ(z().SpeedPotwierdzenie->text(), u("Wskaż węzeł bazowy"));
    f().resize(1000, 700);
    f().grab().save(QStringLiteral(VESK_DATA_DIR "../potwierdzenie.png"));
    wybierz(2);
    z().SpeedPotwierdzenie->click();
    EXPECT_EQ(z().SpeedPotwierdzenie->text(), u("Wskaż węzeł bazowy"));
    EXPECT_EQ(z().Interfejs.KrokPotwierdzenia, 2);
}

TEST_F(Wyniki, PrintingIntoAPdfAndWithoutAPrinter) {
    wybierz(1);
    z().klik("PrzyciskBilansOkresowy");
    ASSERT_FALSE(z().WebBrowser1->toPlainText().isEmpty());
    const std::string pdf = work.folder() + "wydruk.pdf";
    z().ustawDrukarke(std::make_unique<DrukarkaPdf>(pdf));
    z().BitBtn2->click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], utf8ToCp1250("Strona wysłana do drukarki wydruk.pdf"));
    ui.messages.clear();
    const std::string txt = work.folder() + "wydruk.txt";
    ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + txt + "'").c_str()), 0);
    const std::string tekst = work.read("wydruk.txt");
    EXPECT_NE(tekst.find("Bilans"), std::string::npos) << tekst.substr(0, 400);
    // One value of the page: the first number of the shown text.
    const QString strona = z().WebBrowser1->toPlainText();
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\d+\\.\\d\\d")).match(strona);
    ASSERT_TRUE(m.hasMatch());
    EXPECT_NE(tekst.find(m.captured(0).toStdString()), std::string::npos) << m.captured(0).toStdString();

    z().ustawDrukarke(std::make_unique<BrakDrukarki>());
    z().BitBtn2->click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], utf8ToCp1250("Brak drukarki - strona nie została wydrukowana"));
}

TEST_F(Wyniki, BalanceChartYearsSeriesAndPicture) {
    wybierz(1);
    menu("Bilans2");
    FormularzBilans& b = *z().formularzBilans;
    EXPECT_TRUE(b.isVisible());
    EXPECT_EQ(b.size(), QSize(515, 355));
    auto* aktywa = qobject_cast<QStackedBarSeries*>(b.ChartAktywa->chart()->series().at(0));
    auto* pasywa = qobject_cast<QStackedBarSeries*>(b.ChartPasywa->chart()->series().at(0));
    ASSERT_TRUE(aktywa && pasywa);
    EXPECT_EQ(aktywa->count(), 2);
    EXPECT_EQ(pasywa->count(), 3);
    EXPECT_EQ(aktywa->barSets().at(0)->count(), 3);
    EXPECT_EQ(b.Rok0->text(), QStringLiteral("2012"));
    b.resize(1000, 600);
    QImage obraz = b.grab().toImage();
    obraz.save(QStringLiteral(VESK_DATA_DIR "../wykres_bilansu.png"));
    EXPECT_TRUE(maKolor(obraz, QColor(0xFF, 0, 0)));
    EXPECT_TRUE(maKolor(obraz, QColor(0, 0xA0, 0)));
    EXPECT_TRUE(maKolor(obraz, QColor(0xFF, 0xFF, 0)));
}

TEST_F(Wyniki, ThreeYearChartOverTheTree) {
    wybierz(1);
    f().show();
    menu("Sprzeda1");
    menu("Zysknetto1");
    EXPECT_TRUE(f().akcja("Zysknetto1")->isChecked());
    EXPECT_FALSE(f().akcja("Sprzeda1")->isChecked());
    EXPECT_FALSE(z().Chart1->isHidden());
    EXPECT_FALSE(f().wlaczona("Wzy1"));
    EXPECT_FALSE(f().PrzyciskDodaniaNowejDecyzji->isEnabled());
    // Ins, by its item's key and by the window's, adds nothing behind it,
    // base and template set.
    w().Bazowy1Click();
    w().WyborWezlaDoEdycji();
    app->odswiezOkna();
    for (auto* s : f().findChildren<QShortcut*>())
        if (s->key() == QKeySequence(Qt::Key_Insert)) emit s->activated();
    QKeyEvent ins(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
    QApplication::sendEvent(f().TreeView1, &ins);
    EXPECT_EQ(w().Drzewo.Liczba(), 3);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
    EXPECT_FALSE(z().Chart1->isHidden());
    auto* linia = qobject_cast<QLineSeries*>(z().Chart1->chart()->series().at(0));
    ASSERT_NE(linia, nullptr);
    ASSERT_EQ(linia->count(), 3);
    EXPECT_EQ(linia->at(0).x(), 2012);
    // The end points inside the plot; the values from zero.
    auto* lata = qobject_cast<QValueAxis*>(z().Chart1->chart()->axes(Qt::Horizontal).at(0));
    auto* wartosci = qobject_cast<QValueAxis*>(z().Chart1->chart()->axes(Qt::Vertical).at(0));
    EXPECT_TRUE(lata->min() < 2012 && lata->max() > linia->at(2).x() && wartosci->min() <= 0);
    for (int j = 0; j < 3; ++j) EXPECT_LE(linia->at(j).y(), wartosci->max());
    EXPECT_TRUE(z().Chart1->chart()->title().startsWith(QStringLiteral("Zysk netto")));
    QImage obraz = f().grab().toImage();
    obraz.save(QStringLiteral(VESK_DATA_DIR "../wykres_trzyletni.png"));
    EXPECT_TRUE(maKolor(obraz, QColor(0xFF, 0, 0)));
    z().Chart1Click();
    EXPECT_TRUE(z().Chart1->isHidden());
    EXPECT_FALSE(f().akcja("Zysknetto1")->isChecked());
    EXPECT_TRUE(f().wlaczona("Wzy1"));
    EXPECT_TRUE(f().PrzyciskDodaniaNowejDecyzji->isEnabled());
    // Hidden by its menu item as well.
    menu("Sprzeda1");
    EXPECT_FALSE(f().PrzyciskDodaniaNowejDecyzji->isEnabled());
    menu("Sprzeda1");
    EXPECT_TRUE(f().PrzyciskDodaniaNowejDecyzji->isEnabled());
}

// The three-year chart and the balance chart window of d/r 1 follow the
// selection, by a key's press and release, and go with the operator: drawn
// for the simulated root (2009), hidden with their item unchecked for the
// unsimulated d 2 and after another operator is opened or created.
TEST_F(Wyniki, ChartsFollowTheSelectedNodeOrGo) {
    const std::pair<std::function<void()>, int> przypadki[] = {  // the first year drawn; 0: hidden
        {[&] { klawisz(Qt::Key_Up); }, 2009},
        {[&] { klawisz(Qt::Key_Down); }, 0},
        {[&] { ui.files = {plik("op.tr1")}; menu("NowyPlik1"); }, 0},
        {[&] { ui.files = {plik("drugi.tr1")}; menu("Nowy1"); }, 0}};
    FormularzBilans& b = *z().formularzBilans;
    for (const auto& [zmiana, rok] : przypadki) {
        wybierz(1);
        menu("Zysknetto1");
        menu("Bilans2");
        ASSERT_TRUE(!z().Chart1->isHidden() && b.isVisible() && b.Stan.PierwszyRok == 2012) << rok;
        zmiana();
        EXPECT_EQ(!z().Chart1->isHidden() + f().akcja("Zysknetto1")->isChecked() + b.isVisible(), rok ? 3 : 0) << rok;
        auto* linia = qobject_cast<QLineSeries*>(z().Chart1->chart()->series().at(0));
        if (rok) EXPECT_TRUE(linia->at(0).x() == rok && b.Stan.PierwszyRok == rok);
        if (rok) menu("Zysknetto1");
        b.hide();
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
}

// The traditional tab reads the node selected after Del or Shift+Ins, and a
// "Symulacja" that cannot run says why.
TEST_F(Wyniki, TraditionalTabFollowsDeletionAndSimulation) {
    ASSERT_TRUE(w().Symulowanie(2));
    ASSERT_NO_FATAL_FAILURE(dodajDzieci(2));
    const std::pair<int, const char*> przypadki[] = {
        {2, "Kasowaniewza1"}, {3, "symuluj"}, {3, "Kasowaniewza1"}, {4, "Kasowaniewza1"}};
    for (const auto& [wezel, polecenie] : przypadki) {
        wybierz(wezel);
        f().PageControl1->setCurrentWidget(z().TabInterfejs);
        ui.answers = {true};
        menu(polecenie);
        const std::string wybrany = w().Drzewo.Etykieta(w().IndeksWybranego());
        const bool symulowany = wybrany.rfind("d/r", 0) == 0;
        EXPECT_EQ(z().NumerZbioruPrim->text().toStdString(), wybrany) << polecenie << wezel;
        EXPECT_EQ(z().StatusPrim->text().toStdString(), symulowany ? "Symulowany" : "Nie symulowany") << wezel;
        EXPECT_EQ(z().Przyciski.at("PrzyciskSymulacja")->isEnabled(), !symulowany) << polecenie << wezel;
    }
    wybierz(1);
    ui.messages.clear();
    z().klik("PrzyciskSymulacja");
    EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

TEST(StronaSprawozdania, ForeignBytesAreShownAsTheyDecode) {
    test::TempDir d;
    QTextBrowser b;
    const std::string przypadki[] = {
        std::string("<html><body><table><tr><td>1.5", 31),             // truncated
        std::string("\0\xFF\x80<b>\x9C\xB9</i></zz x=\"", 19),          // foreign bytes, unknown markup
        std::string(),                                                  // empty
        std::string("<h1>Bilans</h1><p>\xB3\xF3\x9F</p>"),                  // code page 1250 letters
    };
    int n = 0;
    for (const std::string& bajty : przypadki) {
        const std::string nazwa = "s" + std::to_string(n++) + ".html";
        d.write(nazwa, bajty);
        ZakladkiWynikow::pokazStrone(&b, d.file(nazwa));
    }
    EXPECT_TRUE(b.toPlainText().contains(u("łóź")));
    ZakladkiWynikow::pokazStrone(&b, d.file("brak.html"));
    EXPECT_TRUE(b.toPlainText().isEmpty());
}

}  // namespace
}  // namespace vesk
