// The decision form: the selected node's decisions for the three years of
// its period, shown from the workbench's sheet. Typing goes into the
// sheet's texts; F2 confirms, F3 leaves, the grid takes variant codes by
// key or from its popup. The workbench decides the rest.
#pragma once

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <array>
#include <string>
#include <vector>

namespace vesk {

class Aplikacja;
class Warsztat;

class OknoFormularzaDecyzji : public QMainWindow {
public:
    explicit OknoFormularzaDecyzji(Aplikacja& app);

    // Captions, labels, boxes, grid and lock as the sheet holds them; the
    // window shown or hidden as the sheet says, each opening in front.
    void pokaz(const Warsztat& w);
    // The box of this name (e.g. "cena_beta_1"); nullptr for none.
    QLineEdit* pole(const std::string& nazwa) const;
    // The form in front, the focus on the box a refused confirmation
    // stopped at.
    void pokazBledne();

    QLabel *NumerDecyzji, *NumerPoprzednika, *Status, *Rok0, *Rok1, *Rok2;
    std::vector<QGroupBox*> Grupy;
    std::array<QLineEdit*, 36> Pola{};
    QTableWidget* StringGrid1;
    QPushButton* PrzyciskOK;
    QAction* Potwierdzenie1;
    QAction* Wyjcie1;
    QMenu* PopupMenu2;
    std::array<QAction*, 9> N{};

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* obiekt, QEvent* e) override;

private:
    void zatwierdz();
    void pokazSiatke(const Warsztat& w);
    Aplikacja& app_;
    QScrollArea* przewijanie_;
    std::vector<QLabel*> lataGrup_;  // every group's year labels, three a group
    bool pokazywanie_ = false;
    unsigned otwarcia_ = 0;  // the sheet's openings shown
};

}  // namespace vesk
