#include <QAbstractButton>
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
#include "Form1.h"
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
    EXPECT_EQ(o.geometry(), QRect(2, 50, 795, 575));
    EXPECT_EQ(o.Chart1->geometry(), QRect(8, 18, 545, 243));
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
    EXPECT_FALSE(app->form1().wlaczona("Rezultaty2"));
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

TEST_F(OknoWskaznikow, KeyInTheListEmptiesItAndTurnsTheViewerOff) {
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    o.CheckBoxClipsViewer->setChecked(true);
    EXPECT_FALSE(o.InterpreterBox1->isHidden());
    o.ComboBox1->setEditText("abc");
    QKeyEvent klawisz(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(o.ComboBox1, &klawisz);
    EXPECT_TRUE(o.ComboBox1->currentText().isEmpty());
    EXPECT_FALSE(o.CheckBoxClipsViewer->isChecked());
    EXPECT_FALSE(o.CheckBoxClipsViewer->isEnabled());
    EXPECT_TRUE(o.InterpreterBox1->isHidden());
}

TEST_F(OknoWskaznikow, MenuItemFollowsTheNodeKind) {
    QAction* a = app->form1().akcja("KonstrukcjaWskaznikow");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_TRUE(app->form1().wlaczona("KonstrukcjaWskaznikow"));  // "d/r 1"
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
    EXPECT_FALSE(app->form1().wlaczona("KonstrukcjaWskaznikow"));
}

TEST_F(OknoWskaznikow, ClosingGivesBackBothMenus) {
    pokaz();
    EXPECT_FALSE(app->form1().wlaczona("Rezultaty2"));
    okno().close();
    EXPECT_FALSE(okno().isVisible());
    EXPECT_TRUE(app->form1().wlaczona("Rezultaty2"));
    EXPECT_TRUE(app->form1().wlaczona("Wzy1"));
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

TEST_F(OknoWskaznikow, CaptionsFitAndTheBottomRowDoesNotOverlap) {
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    o.ComboBox1->setCurrentIndex(0);
    emit o.ComboBox1->activated(0);
    for (int szerokosc : {793, 572}) {  // a leaf with the panel, the root without
        // Shown again once the main window's pending activation is past.
        QApplication::processEvents();
        pokaz();
        QApplication::processEvents();
        o.resize(szerokosc, o.height());
        QApplication::processEvents();
        ASSERT_TRUE(o.isVisible());
        ASSERT_EQ(o.width(), szerokosc);

        // Every caption shown is whole: buttons, check boxes and labels.
        for (QWidget* w : o.findChildren<QWidget*>()) {
            if (!w->isVisibleTo(&o)) continue;
            QString tekst;
            int miejsce = w->width();
            if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                // The caption beside the glyph and the box or frame.
                tekst = b->text();
                const int glif = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
                const int ramka = qobject_cast<QCheckBox*>(w) ? 24 : 8;
                miejsce = b->width() - glif - ramka;
            } else if (auto* l = qobject_cast<QLabel*>(w)) {
                tekst = l->text();
                miejsce = l->contentsRect().width();
            }
            if (tekst.isEmpty() || w->window() != &o) continue;
            EXPECT_LE(w->fontMetrics().horizontalAdvance(tekst), miejsce)
                << w->objectName().toStdString() << " \"" << tekst.toStdString() << "\" at " << szerokosc;
        }
        // The chart's row and the report box side by side, inside the window.
        const QWidget* wiersz[] = {o.Wykres, o.LabelTypWykresu, o.WyborTypuWykresu, o.LabelHoryzont, o.HoryzontyBox,
                                   o.RaportowanieDoPliku};
        for (std::size_t i = 0; i < std::size(wiersz); ++i) {
            const QRect a(wiersz[i]->mapTo(&o, QPoint(0, 0)), wiersz[i]->size());
            EXPECT_LE(a.right(), szerokosc) << wiersz[i]->objectName().toStdString() << " at " << szerokosc;
            EXPECT_LE(a.bottom(), o.height()) << wiersz[i]->objectName().toStdString();
            for (std::size_t j = i + 1; j < std::size(wiersz); ++j) {
                const QRect b(wiersz[j]->mapTo(&o, QPoint(0, 0)), wiersz[j]->size());
                EXPECT_FALSE(a.intersects(b))
                    << wiersz[i]->objectName().toStdString() << " / " << wiersz[j]->objectName().toStdString();
            }
        }
    }
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
