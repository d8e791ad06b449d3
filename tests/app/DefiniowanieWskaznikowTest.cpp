#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QTabBar>
#include <QLineEdit>
#include <QGraphicsView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QTabWidget>
#include <filesystem>
#include <set>
#include <gtest/gtest.h>

#include "Aplikacja.h"
#include "CodePage.h"
#include "DefiniowanieWskaznikow.h"
#include "EkranTestu.h"
#include "OknoGlowne.h"
#include "OknaFixture.h"
#include "Warsztat.h"

namespace vesk {
namespace {

using test::u;

// A temporary operator with the root and one simulated child, the child
// selected, the indicator window shown from the main window's menu.
struct OknoWskaznikow : test::OknaFixture<> {
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(operatorZDzieckiem());
        ui.messages.clear();
    }
    DefiniowanieWskaznikow& okno() { return app->definiowanieWskaznikow(); }
    void pokaz() { pokazWskazniki(); }
    static QTreeWidgetItem* wezel(QTreeWidget* t, int numer) {
        QTreeWidgetItem* znaleziony = nullptr;
        std::function<void(QTreeWidgetItem*)> szukaj = [&](QTreeWidgetItem* i) {
            if (i->data(0, Qt::UserRole + 1).toInt() == numer) znaleziony = i;
            for (int c = 0; c < i->childCount(); ++c) szukaj(i->child(c));
        };
        for (int c = 0; c < t->topLevelItemCount(); ++c) szukaj(t->topLevelItem(c));
        return znaleziony;
    }
    // Drops mime data on a widget as a user's drop would arrive.
    static void upusc(OkienkoUpuszczenia* cel, QMimeData* dane) {
        std::unique_ptr<QMimeData> wlasne(dane);
        cel->upusc(dane);
    }
    static QMimeData* przeciagniecie(DrzewoPozycjiWidok* t, int numer) {
        QTreeWidgetItem* i = wezel(t, numer);
        EXPECT_NE(i, nullptr);
        return t->daneWezla(i);
    }
};

TEST_F(OknoWskaznikow, CreatedHiddenWithItsLayout) {
    DefiniowanieWskaznikow& o = okno();
    EXPECT_FALSE(o.isVisible());
    EXPECT_TRUE(o.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(o.pos(), QPoint(2, 50));
    ASSERT_EQ(o.PageControl1->count(), 4);
    EXPECT_EQ(o.PageControl1->tabText(0), u("Wskaźniki"));
    EXPECT_EQ(o.PageControl1->tabText(3), u("Setup (graniczne zużycie)"));
    EXPECT_EQ(o.LicznikComboBox->count(), 9);
    EXPECT_EQ(o.OperandMianownika->count(), 5);
    EXPECT_EQ(o.ComboBoxWskaznik->count(), 6);
    EXPECT_EQ(o.SpeedButton2->text(), u("  wartosc progow"));
    EXPECT_EQ(o.SpeedButton4->text(), u("a wskaźnika         "));
    EXPECT_FALSE(app->warsztat().Wskazniki->visible());
}

TEST_F(OknoWskaznikow, MenuShowsItNotModalAndFillsTheTrees) {
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    EXPECT_TRUE(o.isVisible());
    EXPECT_FALSE(o.isModal());
    EXPECT_TRUE(app->warsztat().Wskazniki->visible());
    EXPECT_GT(o.LicznikTree->topLevelItemCount(), 0);
    EXPECT_GT(o.MianownikTree->topLevelItemCount(), 0);
    EXPECT_EQ(o.MianownikComboBox->currentText(), u("Bilans Pasywa"));
    // The shipped default set: its names in the list, its file in the caption.
    EXPECT_TRUE(ui.messages.empty()) << cp1250ToUtf8(ui.messages.front());
    EXPECT_GT(o.ComboBox1->count(), 0);
    EXPECT_TRUE(o.windowTitle().endsWith(u("wskazniki-ogolne.xls")));
    EXPECT_FALSE(app->oknoGlowne().wlaczona("Rezultaty2"));
    // The main window's side steps it aside.
    app->warsztat().Wskazniki->hide();
    EXPECT_FALSE(o.isVisible());
}

TEST_F(OknoWskaznikow, ChoiceFillsTheBoxesValueAndDiagnosis) {
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    ASSERT_GT(o.ComboBox1->count(), 0);
    o.ComboBox1->setCurrentIndex(0);
    emit o.ComboBox1->activated(0);
    EXPECT_EQ(o.ComboBox1->currentText(), o.ComboBox1->itemText(0));
    EXPECT_FALSE(o.OkienkoLicznika1->text().isEmpty());
    EXPECT_FALSE(o.OkienkoMianownika1->text().isEmpty());
    EXPECT_FALSE(o.Edit3->text().isEmpty());
    EXPECT_FALSE(o.Diagnoza->text().isEmpty());
    // Another year evaluates again without losing the choice.
    emit o.WyborRoku->activated(0);
    EXPECT_FALSE(o.OkienkoLicznika1->text().isEmpty());
}

TEST_F(OknoWskaznikow, DropsGoThroughTheSessionsRules) {
    pokaz();
    ui.messages.clear();
    DefiniowanieWskaznikow& o = okno();
    // The denominator tree's node on a numerator box: the message, box unchanged.
    upusc(o.OkienkoLicznika1, przeciagniecie(o.MianownikTree, 5));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(o.OkienkoLicznika1->text().isEmpty());
    // Its own tree's node: label(source).
    const QString etykieta = wezel(o.LicznikTree, 1)->text(0);
    upusc(o.OkienkoLicznika1, przeciagniecie(o.LicznikTree, 1));
    EXPECT_EQ(o.OkienkoLicznika1->text(), etykieta + "(" + o.LicznikComboBox->currentText() + ")");
    // Plain text and a malformed drop of our type: nothing.
    ui.messages.clear();
    auto* tekst = new QMimeData;
    tekst->setText("cokolwiek");
    upusc(o.OkienkoMianownika1, tekst);
    EXPECT_FALSE(o.OkienkoMianownika1->upusc(nullptr));
    auto* zly = new QMimeData;
    zly->setData(MimePozycji, "x;y");
    upusc(o.OkienkoMianownika1, zly);
    EXPECT_TRUE(o.OkienkoMianownika1->text().isEmpty());
    EXPECT_TRUE(ui.messages.empty());
    // The operator "xxx" empties the second box.
    upusc(o.OkienkoLicznika2, przeciagniecie(o.LicznikTree, 2));
    EXPECT_FALSE(o.OkienkoLicznika2->text().isEmpty());
    o.OperandLicznika->setCurrentIndex(0);
    emit o.OperandLicznika->activated(0);
    EXPECT_TRUE(o.OkienkoLicznika2->text().isEmpty());
}

TEST_F(OknoWskaznikow, TreeClickGivesTheHintAndTheClipboard) {
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    QTreeWidgetItem* piaty = wezel(o.MianownikTree, 5);
    ASSERT_NE(piaty, nullptr);
    emit o.MianownikTree->itemClicked(piaty, 0);
    EXPECT_EQ(o.PodpowiedzJezykowa->text(), u("odczyt bilans 5, 2, nrroku, Xnr"));
    EXPECT_EQ(QApplication::clipboard()->text(), u("odczyt bilans 5, 2, nrroku, Xnr"));
    EXPECT_EQ(o.LabelKoduDostepu->text(), u("Kod pozycji sprawozdania"));
}

// Keys typed into the list: the choice is emptied and the viewer off once,
// the characters appear, and Tab leaves the list.
TEST_F(OknoWskaznikow, KeysTypedIntoTheListReachTheBox) {
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    o.ComboBox1->setCurrentIndex(0);
    emit o.ComboBox1->activated(0);
    o.CheckBoxClipsViewer->setChecked(true);
    // The window the active one, the main window's pending activation past.
    QApplication::processEvents();
    pokaz();
    ASSERT_TRUE(test::CzekajAz([&] { return o.isActiveWindow(); }, 5000));
    o.ComboBox1->setFocus();
    o.ComboBox1->setEditText(QString());
    for (const char* c : {"r", "o", "t"}) {
        QKeyEvent klawisz(QEvent::KeyPress, Qt::Key_A + (c[0] - 'a'), Qt::NoModifier, c);
        QApplication::sendEvent(o.ComboBox1, &klawisz);
    }
    EXPECT_TRUE(o.ComboBox1->currentText().startsWith("rot")) << o.ComboBox1->currentText().toStdString();
    EXPECT_EQ(o.sesja().Panel().IndeksListy, -1);
    EXPECT_FALSE(o.CheckBoxClipsViewer->isChecked());
    EXPECT_FALSE(o.CheckBoxClipsViewer->isEnabled());
    EXPECT_TRUE(o.InterpreterBox1->isHidden());
    ASSERT_TRUE(test::CzekajAz([&] { return o.ComboBox1->hasFocus(); }, 5000));
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(o.ComboBox1, &tab);
    EXPECT_FALSE(o.ComboBox1->hasFocus());
}

TEST_F(OknoWskaznikow, TheChosenNameRetypedWithEnterKeepsItsDiagnosis) {
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    emit o.ComboBox1->activated(0);
    const QString nazwa = o.ComboBox1->itemText(0), diagnoza = o.Diagnoza->text();
    o.ComboBox1->setEditText(QString());
    for (const QChar c : nazwa + QChar('\r')) {
        QKeyEvent klawisz(QEvent::KeyPress, c == '\r' ? Qt::Key_Return : Qt::Key_A, Qt::NoModifier, QString(c));
        QApplication::sendEvent(o.ComboBox1, &klawisz);
    }
    EXPECT_EQ(o.sesja().Panel().IndeksListy, 0);
    EXPECT_EQ(o.Diagnoza->text(), diagnoza);
}

TEST_F(OknoWskaznikow, MenuItemFollowsTheNodeKind) {
    QAction* a = app->oknoGlowne().akcja("KonstrukcjaWskaznikow");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_TRUE(app->oknoGlowne().wlaczona("KonstrukcjaWskaznikow"));  // "d/r 1"
    // A node added and not simulated: the item off.
    Warsztat& w = app->warsztat();
    w.Wybierz(0);
    w.Zmiana_wezla();
    w.Bazowy1Click();
    w.WyborWezlaDoEdycji();
    ASSERT_TRUE(w.dodanieweza1Click());
    int niesymulowany = -1;
    for (int i = 0; i < w.Drzewo.Liczba(); ++i)
        if (w.Drzewo.Etykieta(i).rfind("d ", 0) == 0) niesymulowany = i;
    ASSERT_GE(niesymulowany, 0);
    w.Wybierz(niesymulowany);
    w.Zmiana_wezla();
    app->odswiezOkna();
    EXPECT_FALSE(app->oknoGlowne().wlaczona("KonstrukcjaWskaznikow"));
}

TEST_F(OknoWskaznikow, ClosingGivesBackBothMenus) {
    pokaz();
    EXPECT_FALSE(app->oknoGlowne().wlaczona("Rezultaty2"));
    okno().close();
    EXPECT_FALSE(okno().isVisible());
    EXPECT_TRUE(app->oknoGlowne().wlaczona("Rezultaty2"));
    EXPECT_TRUE(app->oknoGlowne().wlaczona("Wzy1"));
    EXPECT_FALSE(app->warsztat().Wskazniki->visible());
}

TEST_F(OknoWskaznikow, LookTogglesActOnRealWidgets) {
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    o.MiniSE->setChecked(false);
    EXPECT_TRUE(o.GroupBox1->isHidden());
    EXPECT_TRUE(o.GroupBox9->isHidden());
    o.MiniSE->setChecked(true);
    EXPECT_FALSE(o.GroupBox1->isHidden());
    o.Wyrownanie->setChecked(true);
    EXPECT_EQ(o.GroupBox8->y(), 16);
    o.Wyrownanie->setChecked(false);
    EXPECT_EQ(o.GroupBox8->y(), 24);
    // The alternative layout (the sensitivity panel taller) and back:
    // exactly the geometry before.
    o.Analiza_wrazliwosci->setGeometry(562, 456, 230, 61);
    const QRect przed = o.Analiza_wrazliwosci->geometry();
    o.InnaWersja->setChecked(true);
    EXPECT_NE(o.Analiza_wrazliwosci->geometry(), przed);
    o.InnaWersja->setChecked(false);
    EXPECT_EQ(o.Analiza_wrazliwosci->geometry(), przed);
}

// The diagnoses take the column's free room, and what a taller window adds.
TEST_F(OknoWskaznikow, TheDiagnosisListTakesTheRoomItHas) {
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    const int przed = o.ListBox1->height();
    EXPECT_GT(przed, 240);
    o.resize(o.width(), o.height() + 100);
    EXPECT_GT(o.ListBox1->height(), przed);
}

TEST_F(OknoWskaznikow, ExpertPartFollowsTheMarker) {
    EXPECT_TRUE(okno().CheckBoxExpert->isHidden());
    work.write("expertsystem", std::string());
    utworzAplikacje();
    EXPECT_FALSE(okno().CheckBoxExpert->isHidden());
    EXPECT_FALSE(okno().ListBox1->isHidden());
}

TEST_F(OknoWskaznikow, ChartGlyphFromTheWorkingFolderOrNone) {
    std::filesystem::copy_file(std::string(VESK_DATA_DIR) + "PROGRAM/zakresy.txt", work.file("zakresy.txt"),
                               std::filesystem::copy_options::overwrite_existing);
    // None in the working folder: the window is complete and says nothing.
    EXPECT_TRUE(okno().Wykres->icon().isNull());
    EXPECT_EQ(okno().PageControl1->count(), 4);
    EXPECT_TRUE(ui.messages.empty());
    const struct {
        const char* plik;  // copied or written into the working folder
        bool glif;
    } t[] = {{"wykres.BMP", true}, {"WYKRES.bmp", true}, {nullptr, false}};
    for (const auto& c : t) {
        std::filesystem::remove(work.file("wykres.BMP"));
        std::filesystem::remove(work.file("WYKRES.bmp"));
        if (c.plik)
            std::filesystem::copy_file(std::string(VESK_SOURCE_DATA_DIR) + "wykres.BMP", work.file(c.plik));
        else
            work.write("wykres.BMP", "BM nie obraz");  // unreadable
        app.reset();
        app = std::make_unique<Aplikacja>(ui, std::vector<std::string>{}, work.folder(),
                                          std::string(VESK_DATA_DIR) + "PROGRAM/", [this](Kontekst& k) {
                                              k.DomyslneKatalogi.Operatorzy = work.folder() + "OPERATOR/";
                                          });
        EXPECT_EQ(okno().Wykres->icon().isNull(), !c.glif) << (c.plik ? c.plik : "unreadable");
        EXPECT_EQ(okno().PageControl1->count(), 4);
        for (const std::string& m : ui.messages) ADD_FAILURE() << m;
    }
}

// The controls of a window the user sees: shown, not part of another
// control (a box's own editor, a list's scroll bars).
std::vector<QWidget*> Kontrolki(QWidget* okno) {
    auto kontrolka = [](const QWidget* w) {
        return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w) ||
               qobject_cast<const QLineEdit*>(w) || qobject_cast<const QLabel*>(w) ||
               qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
               qobject_cast<const QGraphicsView*>(w) || qobject_cast<const QTabBar*>(w);
    };
    std::vector<QWidget*> wynik;
    for (QWidget* w : okno->findChildren<QWidget*>()) {
        if (!kontrolka(w) || !w->isVisibleTo(okno) || w->window() != okno) continue;
        bool wewnatrz = false;
        for (QWidget* p = w->parentWidget(); p && p != okno; p = p->parentWidget()) wewnatrz |= kontrolka(p);
        if (!wewnatrz) wynik.push_back(w);
    }
    return wynik;
}

QRect WOknie(const QWidget* w, const QWidget* okno) { return QRect(w->mapTo(okno, QPoint(0, 0)), w->size()); }

// Each control whole inside every widget around it, none over another,
// every caption and entry readable.
void SprawdzUklad(QWidget* okno, const std::string& stan) {
    const std::vector<QWidget*> k = Kontrolki(okno);
    ASSERT_GT(k.size(), 15u) << stan;
    for (QWidget* w : k) {
        const std::string nazwa = w->objectName().toStdString() + " (" + w->metaObject()->className() + ") " + stan;
        for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
            const QRect obszar = p == okno ? okno->rect() : WOknie(p, okno);
            EXPECT_TRUE(obszar.contains(WOknie(w, okno))) << nazwa << " cut by " << p->objectName().toStdString();
            if (p == okno) break;
        }
        QString tekst;
        int miejsce = w->width();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            tekst = b->text();
            miejsce -= (b->icon().isNull() ? 0 : b->iconSize().width() + 4) + (qobject_cast<QCheckBox*>(w) ? 24 : 8);
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            tekst = l->text().remove('&');
            miejsce = l->contentsRect().width();
            if (l->wordWrap()) {  // in its lines
                EXPECT_LE(l->heightForWidth(l->width()), l->height()) << nazwa;
                tekst.clear();
            }
        } else if (auto* c = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < c->count(); ++i)
                if (w->fontMetrics().horizontalAdvance(c->itemText(i)) > w->fontMetrics().horizontalAdvance(tekst))
                    tekst = c->itemText(i);
            miejsce -= 30;
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            tekst = e->text();
            miejsce -= 8;
            // A definition box too narrow for its item and source shows the
            // item's start, the whole in its tip.
            if (dynamic_cast<OkienkoUpuszczenia*>(w) && w->fontMetrics().horizontalAdvance(tekst) > miejsce) {
                EXPECT_EQ(e->cursorPosition(), 0) << nazwa;
                EXPECT_EQ(e->toolTip(), tekst) << nazwa;
                tekst.clear();
            }
        }
        EXPECT_LE(w->fontMetrics().horizontalAdvance(tekst), miejsce) << nazwa << " \"" << tekst.toStdString() << "\"";
        for (QWidget* v : k)
            if (v < w && WOknie(v, okno).intersects(WOknie(w, okno)))
                ADD_FAILURE() << nazwa << " overlaps " << v->objectName().toStdString();
    }
}

// Both looks, the chart hidden and shown, each page and each indicator of
// the shipped set: every control inside the window and clear of the
// others; the window within a 1024 x 768 screen (its frame included) and
// so within 1280 x 1024 (on which the test runs). Screenshots of both
// looks go to the build folder.
TEST_F(OknoWskaznikow, EveryControlInsideAndClearInBothLooks) {
    if (!test::NaEkranie(1280, 1024)) return;
    work.write("expertsystem", std::string());
    utworzAplikacje();
    app->start();
    nowyOperator("uklad.tr1");
    ASSERT_NO_FATAL_FAILURE(symulowaneDziecko());
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    ASSERT_GT(o.ComboBox1->count(), 3);
    for (const bool inna : {false, true}) {
        // Shown again once the main window's pending activation is past.
        QApplication::processEvents();
        pokaz();
        QApplication::processEvents();
        ASSERT_TRUE(o.isVisible());
        o.InnaWersja->setChecked(inna);
        const std::string look = inna ? "inna" : "zwykla";
        EXPECT_LE(o.frameGeometry().width(), 1024);
        EXPECT_LE(o.y() + o.height() + 40, 768) << "the window with its caption on a 1024 x 768 screen";
        for (int i = 0; i < o.ComboBox1->count(); ++i) {
            o.ComboBox1->setCurrentIndex(i);
            emit o.ComboBox1->activated(i);
            SprawdzUklad(&o, look + " " + o.ComboBox1->currentText().toStdString());
        }
        o.Wykres->click();
        ASSERT_FALSE(o.Chart1->isHidden());
        for (int strona : {0, 1, 2, 3}) {
            o.PageControl1->setCurrentIndex(strona);
            SprawdzUklad(&o, look + " chart, page " + std::to_string(strona));
            if (strona < 2) {
                EXPECT_TRUE(o.Chart1->isVisibleTo(&o)) << strona;
                o.grab().toImage().save(QString::fromStdString(std::string(VESK_DATA_DIR "../okno_wskaznikow_") + look +
                                                               (strona ? "_animacja.png" : ".png")));
            }
        }
        o.PageControl1->setCurrentIndex(0);
        // The list, the year and the relation stay in reach.
        for (QWidget* w : {static_cast<QWidget*>(o.ComboBox1), static_cast<QWidget*>(o.WyborRoku),
                           static_cast<QWidget*>(o.ComboBoxWskaznik)})
            EXPECT_TRUE(w->isVisibleTo(&o) && !WOknie(o.Chart1, &o).intersects(WOknie(w, &o)))
                << w->objectName().toStdString();
        o.Wykres->click();
    }
    // The root: no sensitivity panel, the right-hand column whole.
    app->warsztat().Wybierz(0);
    app->warsztat().Zmiana_wezla();
    app->odswiezOkna();
    QApplication::processEvents();
    pokaz();
    QApplication::processEvents();
    ASSERT_TRUE(o.isVisible());
    ASSERT_TRUE(o.Analiza_wrazliwosci->isHidden());
    SprawdzUklad(&o, "root");
}

TEST_F(OknoWskaznikow, Screenshot) {
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    ASSERT_GT(o.ComboBox1->count(), 0);
    o.ComboBox1->setCurrentIndex(0);
    emit o.ComboBox1->activated(0);
    QImage obraz = o.grab().toImage();
    ASSERT_FALSE(obraz.isNull());
    obraz.save(QStringLiteral(VESK_DATA_DIR "../okno_wskaznikow.png"));
    std::set<QRgb> kolory;
    for (int y = 0; y < obraz.height(); y += 3)
        for (int x = 0; x < obraz.width(); x += 3) kolory.insert(obraz.pixel(x, y));
    EXPECT_GT(kolory.size(), 8u);
    EXPECT_FALSE(o.ComboBox1->currentText().isEmpty());
    EXPECT_FALSE(o.Edit3->text().isEmpty());
}

}  // namespace
}  // namespace vesk
