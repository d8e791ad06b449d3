// The indicator window's look, expert menu and report box on a temporary
// operator (the root and one simulated child, the child selected).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <filesystem>
#include <map>
#include <gtest/gtest.h>

#include "Aplikacja.h"
#include "CodePage.h"
#include "DefiniowanieWskaznikow.h"
#include "OknoGlowne.h"
#include "OknaFixture.h"
#include "PelnyDysk.h"
#include "Paths.h"
#include "Warsztat.h"

namespace vesk {
namespace {

using test::PelnyDysk;
using test::u;

struct PoleceniaOkna : test::OknaFixture<> {
    void Uruchom(bool znacznik) {
        if (znacznik) {
            ASSERT_NO_FATAL_FAILURE(operatorZDzieckiem({"expertsystem"}));
        } else {
            ASSERT_NO_FATAL_FAILURE(operatorZDzieckiem());
        }
        ui.messages.clear();
    }
    DefiniowanieWskaznikow& okno() { return app->definiowanieWskaznikow(); }
    void pokaz() { pokazWskazniki(); }
    std::vector<QAction*> siedem() {
        DefiniowanieWskaznikow& o = okno();
        return {o.ExportWartosci,          o.Wnioskowanie1,      o.komendaCLEAR1, o.komendaRESET1,
                o.ZapisanieDiagnozDoPliku, o.WpisDoPlikuRaportu, o.InnaWersja};
    }
    std::vector<std::string> pliki(const char* rozszerzenie) const {
        std::vector<std::string> r;
        for (const auto& e : std::filesystem::directory_iterator(operatorzy()))
            if (e.path().extension() == rozszerzenie) r.push_back(e.path().filename().string());
        return r;
    }
};

TEST_F(PoleceniaOkna, WithoutTheMarkerTheExpertPartIsHidden) {
    Uruchom(false);
    pokaz();
    for (QAction* a : siedem()) EXPECT_FALSE(a->isVisible()) << a->objectName().toStdString();
    EXPECT_TRUE(okno().CheckBoxExpert->isHidden());
    EXPECT_FALSE(okno().MenuEksperta->menuAction()->isVisible());
    // Reporting needs no marker; the appending item stays hidden with it.
    okno().RaportowanieDoPliku->click();
    EXPECT_TRUE(okno().RaportowanieDoPliku->isChecked());
    EXPECT_FALSE(okno().WpisDoPlikuRaportu->isVisible());
}

TEST_F(PoleceniaOkna, WithTheMarkerTheExpertPartIsShown) {
    Uruchom(true);
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    for (QAction* a : siedem()) {
        if (a != o.WpisDoPlikuRaportu) {
            EXPECT_TRUE(a->isVisible()) << a->objectName().toStdString();
        }
    }
    EXPECT_FALSE(o.CheckBoxExpert->isHidden());
    EXPECT_FALSE(o.WpisDoPlikuRaportu->isVisible());  // no report runs
    EXPECT_EQ(o.Wnioskowanie1->text(), u("Wnioskowanie - RUN"));
    EXPECT_FALSE(o.Wnioskowanie1->isEnabled());
    o.RaportowanieDoPliku->click();
    EXPECT_TRUE(o.WpisDoPlikuRaportu->isVisible());
    o.RaportowanieDoPliku->click();
    EXPECT_FALSE(o.WpisDoPlikuRaportu->isVisible());
}

TEST_F(PoleceniaOkna, LookAsDesignedAndEachToggle) {
    Uruchom(false);
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    EXPECT_TRUE(o.MiniSE->isChecked());
    EXPECT_FALSE(o.InnaWersja->isChecked());
    EXPECT_TRUE(o.WersjaPROD->isChecked());
    EXPECT_TRUE(o.Wyrownanie->isChecked());
    EXPECT_EQ(o.GroupBox8->y(), 16);
    const QList<QAction*> wyglad = qobject_cast<QMenu*>(o.Wyrownanie->associatedObjects().value(0)) != nullptr
                                       ? qobject_cast<QMenu*>(o.Wyrownanie->associatedObjects().value(0))->actions()
                                       : QList<QAction*>();
    EXPECT_EQ(wyglad, (QList<QAction*>{o.MiniSE, o.InnaWersja, o.WersjaPROD, o.Wyrownanie}));

    o.MiniSE->trigger();
    EXPECT_TRUE(o.GroupBox1->isHidden());
    EXPECT_TRUE(o.GroupBox9->isHidden());
    o.WersjaPROD->trigger();
    EXPECT_TRUE(o.PageControl1->isTabVisible(0));
    EXPECT_FALSE(o.PageControl1->isTabVisible(2));
    EXPECT_FALSE(o.PageControl1->isTabVisible(3));
    o.WersjaPROD->trigger();
    EXPECT_TRUE(o.PageControl1->isTabVisible(2) && o.PageControl1->isTabVisible(3));
    o.Wyrownanie->trigger();
    EXPECT_EQ(o.GroupBox8->y(), 24);
    o.Wyrownanie->trigger();
    EXPECT_EQ(o.GroupBox8->y(), 16);
    EXPECT_TRUE(o.GroupBox1->isHidden());  // each toggle keeps the others
}

TEST_F(PoleceniaOkna, AlternativeLayoutOnAndOffRestoresEveryGeometry) {
    Uruchom(true);
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    o.Analiza_wrazliwosci->setGeometry(562, 456, 230, 27);
    auto* suwak = o.Analiza_wrazliwosci->findChild<QWidget*>("Suwak");  // a control of the panel
    ASSERT_NE(suwak, nullptr);
    suwak->setGeometry(4, 33, 100, 17);
    std::map<QObject*, QRect> przed;
    for (QWidget* w : o.findChildren<QWidget*>()) przed[w] = w->geometry();
    o.InnaWersja->trigger();
    EXPECT_EQ(o.Analiza_wrazliwosci->height(), 40);  // 40.5, halves to even
    EXPECT_EQ(suwak->y(), 50);                       // 49.5, halves to even
    EXPECT_EQ(o.RaportowanieDoPliku->geometry(), przed[o.RaportowanieDoPliku]);  // outside the panel: kept
    EXPECT_EQ(o.PageControl2->pos(), QPoint(8, 1));
    EXPECT_FALSE(o.Label20->isHidden());
    EXPECT_EQ(o.Analiza_wrazliwosci->palette().color(QPalette::Window),
              o.palette().color(QPalette::Inactive, QPalette::Highlight));
    o.InnaWersja->trigger();
    for (QWidget* w : o.findChildren<QWidget*>())
        EXPECT_EQ(w->geometry(), przed[w]) << w->objectName().toStdString();
    EXPECT_TRUE(o.Label20->isHidden());
}

TEST_F(PoleceniaOkna, MainWindowActivatedEndsTheReport) {
    Uruchom(false);
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    o.RaportowanieDoPliku->click();
    ASSERT_TRUE(o.RaportowanieDoPliku->isChecked());
    EXPECT_EQ(o.RaportowanieDoPliku->text(), u("/ Koniec / raportowania do pliku"));
    o.Chart1->show();
    // What the main window does when it becomes active.
    app->warsztat().Wskazniki->hide();
    EXPECT_FALSE(o.RaportowanieDoPliku->isChecked());
    EXPECT_EQ(o.RaportowanieDoPliku->text(), u("/Początek/ raportowania do pliku"));
    EXPECT_TRUE(o.Chart1->isHidden());
    EXPECT_FALSE(o.sesja().Raport().Dziala());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PoleceniaOkna, OwnedDialogKeepsTheReportAnotherWindowEndsIt) {
    Uruchom(false);
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    o.RaportowanieDoPliku->click();
    QDialog progi(&o);
    o.opuszczenie(&progi);
    EXPECT_TRUE(o.RaportowanieDoPliku->isChecked());
    EXPECT_TRUE(o.sesja().Raport().Dziala());
    // A message box a command of the window brought up, modal over it.
    QMessageBox komunikat(QMessageBox::Information, "Vesk", "tekst");
    komunikat.setWindowModality(Qt::ApplicationModal);
    komunikat.show();
    o.opuszczenie(&komunikat);
    EXPECT_TRUE(o.RaportowanieDoPliku->isChecked());
    komunikat.hide();
    // The main window, not a dialog, ends it.
    QDialog obca;  // neither owned nor modal
    obca.show();
    o.opuszczenie(&obca);
    EXPECT_FALSE(o.RaportowanieDoPliku->isChecked());
    o.RaportowanieDoPliku->click();
    o.opuszczenie(&app->oknoGlowne());
    EXPECT_FALSE(o.RaportowanieDoPliku->isChecked());
    EXPECT_TRUE(o.Chart1->isHidden());
    o.RaportowanieDoPliku->click();
    o.opuszczenie(nullptr);  // another application
    EXPECT_FALSE(o.RaportowanieDoPliku->isChecked());
}

TEST_F(PoleceniaOkna, ReportStartedAndStoppedLeavesOneFile) {
    Uruchom(false);
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    o.RaportowanieDoPliku->click();
    o.RaportowanieDoPliku->click();
    EXPECT_FALSE(o.RaportowanieDoPliku->isChecked());
    EXPECT_EQ(pliki(".rap").size(), 1u);
    // Closing while a report runs ends it too.
    o.RaportowanieDoPliku->click();
    o.close();
    EXPECT_FALSE(o.RaportowanieDoPliku->isChecked());
    EXPECT_FALSE(o.sesja().Raport().Dziala());
}

TEST_F(PoleceniaOkna, ExportThenInferenceFillTheDiagnosisList) {
    Uruchom(true);
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    ASSERT_GT(o.ComboBox1->count(), 0);
    EXPECT_FALSE(o.ExportWartosci->isEnabled());
    EXPECT_FALSE(o.InfoOKoniecznosciOpracowaniaWskaznikow->isHidden());
    EXPECT_EQ(o.InfoOKoniecznosciOpracowaniaWskaznikow->text(), u("Najpierw trzeba opracować wskaźnik"));
    o.ComboBox1->setCurrentIndex(0);  // an indicator with shipped rules
    emit o.ComboBox1->activated(0);
    ASSERT_TRUE(o.ExportWartosci->isEnabled());
    EXPECT_TRUE(o.CheckBoxExpert->isEnabled());
    EXPECT_TRUE(o.InfoOKoniecznosciOpracowaniaWskaznikow->isHidden());
    o.ExportWartosci->trigger();
    EXPECT_TRUE(ui.messages.empty()) << cp1250ToUtf8(ui.messages.front());
    ASSERT_TRUE(o.Wnioskowanie1->isEnabled());
    EXPECT_TRUE(o.ZapisanieDiagnozDoPliku->isEnabled());
    EXPECT_GT(o.InterpreterBox1->count(), 0);
    EXPECT_EQ(o.ListBox1->count(), 0);
    o.Wnioskowanie1->trigger();
    EXPECT_GT(o.ListBox1->count(), 0);
    EXPECT_TRUE(o.ListBox1->item(0)->text().startsWith("==> "));
    o.ZapisanieDiagnozDoPliku->trigger();
    EXPECT_EQ(pliki(".txt"), (std::vector<std::string>{"wskazniki-ogolne.txt"}));
    ASSERT_EQ(ui.messages.size(), 1u);  // where it was written
    ui.messages.clear();
    const auto clearow = [&] { return o.InterpreterBox1->findItems(u("Clear"), Qt::MatchExactly).size(); };
    const auto przed = clearow();
    o.komendaCLEAR1->trigger();
    EXPECT_EQ(clearow(), przed + 1);
    // Started now, the report carries the diagnoses.
    o.RaportowanieDoPliku->click();
    o.WpisDoPlikuRaportu->trigger();
    o.RaportowanieDoPliku->click();
    ASSERT_EQ(pliki(".rap").size(), 1u);
    EXPECT_TRUE(ui.messages.empty());
    // A full list starts afresh with the run's lines, the log saying so.
    o.ExportWartosci->trigger();
    o.sesja().ListaDiagnoz.assign(IndicatorSession::NajwiecejDiagnoz, "==> stara");
    o.Wnioskowanie1->trigger();
    EXPECT_GT(o.ListBox1->count(), 0);
    EXPECT_LT(o.ListBox1->count(), 100);
    EXPECT_EQ(o.InterpreterBox1->findItems(u("zacz\u0119to j\u0105 od nowa"), Qt::MatchEndsWith).size(), 1);
    // RESET and a run with no new diagnosis leave the list's rows as they
    // are; the rows are the list's.
    o.ListBox1->item(0)->setData(Qt::UserRole, 7);  // gone with a row made anew
    o.komendaRESET1->trigger();
    o.Wnioskowanie1->trigger();
    EXPECT_EQ(o.ListBox1->item(0)->data(Qt::UserRole).toInt(), 7);
    ASSERT_EQ(o.ListBox1->count(), static_cast<int>(o.sesja().ListaDiagnoz.size()));
    for (int i = 0; i < o.ListBox1->count(); ++i)
        EXPECT_EQ(o.ListBox1->item(i)->text().toStdString(), cp1250ToUtf8(o.sesja().ListaDiagnoz[i]));
}

// In a window too small for its surface a run brings the diagnoses list
// into sight, from its top.
TEST_F(PoleceniaOkna, ARunShowsTheDiagnosesInASmallWindow) {
    Uruchom(true);
    DefiniowanieWskaznikow& o = okno();
    // Shown again once the main window's pending activation is past.
    pokaz();
    QApplication::processEvents();
    pokaz();
    QApplication::processEvents();
    ASSERT_TRUE(o.isVisible());
    o.ComboBox1->setCurrentIndex(0);
    emit o.ComboBox1->activated(0);
    o.ExportWartosci->trigger();
    ASSERT_TRUE(o.Wnioskowanie1->isEnabled());
    o.resize(300, 200);
    QCoreApplication::processEvents();
    auto* obszar = qobject_cast<QScrollArea*>(o.centralWidget());
    ASSERT_NE(obszar, nullptr);
    obszar->horizontalScrollBar()->setValue(0);
    obszar->verticalScrollBar()->setValue(0);
    o.Wnioskowanie1->trigger();
    EXPECT_GT(o.ListBox1->count(), 0);
    EXPECT_TRUE(obszar->viewport()->rect().contains(o.ListBox1->mapTo(obszar->viewport(), QPoint(0, 0))));
}

// A rule file that never ends (a link to a file of size 0 that goes on),
// put in the operator folder, which comes first: Export is refused at the
// rule file's bound, naming it, and inference stays off.
TEST_F(PoleceniaOkna, ARuleFileThatNeverEndsIsRefusedAtItsBound) {
    Uruchom(true);
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    ASSERT_GT(o.ComboBox1->count(), 0);
    o.ComboBox1->setCurrentIndex(0);
    emit o.ComboBox1->activated(0);
    o.ExportWartosci->trigger();
    ASSERT_TRUE(o.sesja().PlikRegul().has_value());
    const std::string nazwa = cp1250ToUtf8(fileNamePart(*o.sesja().PlikRegul()));
    std::filesystem::create_symlink("/proc/self/pagemap", operatorzy() + nazwa);
    ui.messages.clear();
    o.ExportWartosci->trigger();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(cp1250ToUtf8(ui.messages[0]).find(nazwa + ": plik jest za du\u017Cy (ponad 16 MB)"), std::string::npos)
        << cp1250ToUtf8(ui.messages[0]);
    EXPECT_FALSE(o.Wnioskowanie1->isEnabled());
}

TEST_F(PoleceniaOkna, ReportWriteErrorUnchecksTheBoxAndTheWorkGoesOn) {
    Uruchom(false);
    pokaz();
    DefiniowanieWskaznikow& o = okno();
    ASSERT_GT(o.ComboBox1->count(), 1);
    o.RaportowanieDoPliku->click();
    ASSERT_TRUE(o.RaportowanieDoPliku->isChecked());
    ASSERT_TRUE(PelnyDysk(o.sesja().Raport().Plik()));
    o.ComboBox1->setCurrentIndex(0);
    emit o.ComboBox1->activated(0);  // writes its rule base: the disk is full
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_FALSE(o.RaportowanieDoPliku->isChecked());
    EXPECT_EQ(o.RaportowanieDoPliku->text(), u("/Początek/ raportowania do pliku"));
    o.ComboBox1->setCurrentIndex(1);
    emit o.ComboBox1->activated(1);
    EXPECT_FALSE(o.Edit3->text().isEmpty());
    EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
}  // namespace vesk
