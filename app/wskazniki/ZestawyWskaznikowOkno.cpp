// The indicator window's set and threshold controls: the two set menu
// items, the adder button, the threshold buttons and boxes and the
// relation box, each forwarding to the session inside the window's one
// exception guard.
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "DefiniowanieWskaznikow.h"
#include "QtTekst.h"

namespace vesk {

void DefiniowanieWskaznikow::polaczZestawy() {
    // The set items stand in the first menu, before its exit item.
    QMenu* plik = menuBar()->actions().isEmpty() ? menuBar()->addMenu(q(utf8ToCp1250("&Plik")))
                                                 : menuBar()->actions().front()->menu();
    QAction* wyjscie = findChild<QAction*>(QStringLiteral("Wyjscie"));
    WczytanieZestawu = new QAction(q(utf8ToCp1250("Wczytanie Zestawu")), plik);
    WczytanieZestawu->setObjectName(QStringLiteral("WczytanieZestawu"));
    ZapisanieZestawuWskanikw1 = new QAction(q(utf8ToCp1250("Zapisanie Zestawu jako ...")), plik);
    ZapisanieZestawuWskanikw1->setObjectName(QStringLiteral("ZapisanieZestawuWskanikw1"));
    if (wyjscie && wyjscie->parent() == plik) {
        plik->insertAction(wyjscie, WczytanieZestawu);
        plik->insertAction(wyjscie, ZapisanieZestawuWskanikw1);
        plik->insertSeparator(wyjscie);
    } else {
        plik->addAction(WczytanieZestawu);
        plik->addAction(ZapisanieZestawuWskanikw1);
    }

    connect(WczytanieZestawu, &QAction::triggered, this,
            [this] { zdarzenie([this] { return sesja_->WczytanieZestawu(); }); });
    connect(ZapisanieZestawuWskanikw1, &QAction::triggered, this,
            [this] { zdarzenie([this] { return sesja_->ZapisanieZestawuJako(); }); });
    connect(SpeedButton1, &QPushButton::clicked, this,
            [this] { zdarzenie([this] { return sesja_->DodanieWskaznika(); }); });
    connect(SpeedButton2, &QPushButton::clicked, this,
            [this] { zdarzenie([this] { return sesja_->DialogProgu(1); }); });
    connect(SpeedButton4, &QPushButton::clicked, this,
            [this] { zdarzenie([this] { return sesja_->DialogProgu(2); }); });
    connect(ComboBoxWskaznik, &QComboBox::activated, this, [this](int i) {
        if (!pokazywanie_) zdarzenie([this, i] { return sesja_->ZmianaRelacji(i); });
    });
    // Text typed into a threshold box counts only once a dialog has
    // edited the thresholds, and goes with an indicator added afterwards.
    const std::pair<QLineEdit*, int> progi[] = {{ProgWskaznika1, 1}, {ProgWskaznika2, 2}};
    for (const auto& [pole, ktory] : progi) {
        const int k = ktory;
        connect(pole, &QLineEdit::textEdited, this, [this, k](const QString& tekst) {
            zdarzenie([this, k, &tekst] {
                sesja_->UstawProg(k, zQt(tekst));
                return sesja_->Widok();
            });
        });
    }
}

void DefiniowanieWskaznikow::pokazProgi(const WidokWskaznikow& v) {
    // Only a changed text is set, so that typing keeps its cursor.
    const std::pair<QLineEdit*, const std::string*> progi[] = {{ProgWskaznika1, &v.Prog1}, {ProgWskaznika2, &v.Prog2}};
    for (const auto& [pole, tekst] : progi)
        if (pole->text() != q(*tekst)) pole->setText(q(*tekst));
}

}  // namespace vesk
