// The interpreter view: the command file being run with its current line
// selected, and the grid of declared variables. It also drives the main
// window's parts of a run (the step button, the echo box, the activity
// tick). The executor decides; this only shows.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "InterpreterView.h"

namespace vesk {

// Where each line of a text starts, once counting every line end as two
// characters (the executor's positions) and once as one (the document's).
// Lines end with CR LF or LF alike.
class MapaPozycji {
public:
    void ustaw(const std::string& tekst);
    // The document position of an executor position.
    int wDokumencie(int pozycja) const;

private:
    std::vector<int> rdzen_, dokument_;
};

class OknoInterpretatora : public QWidget, public InterpreterView {
public:
    // The main window's parts a run uses; glowne is repainted at each tick.
    OknoInterpretatora(QPushButton* przycisk, QLineEdit* echoLinii, QLabel* wsk, QWidget* glowne);

    void show() override;
    void hide() override;
    void setText(const std::string& text) override;
    void setCaption(const std::string& caption) override;
    void select(int start, int length) override;
    void echo(const std::string& line) override;
    void activity(const std::string* text) override;
    void gridRow(int row, const std::string& name, const std::string& value) override;
    void stepButton(bool enabled) override;
    bool cursorInStopBand() override;

    // Replaces the band probe (tests); empty: the mouse cursor's position.
    std::function<bool()> Sonda;
    // Kept above the main window (a tool window of it) or an ordinary one.
    void nadGlownym(bool nad);

    QSplitter* Split;
    QPlainTextEdit* Okienko_Interpretatora;
    QTableWidget* tabelka_zmiennych;

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void ulozSiatke();
    QPushButton* przycisk_;
    QLineEdit* echo_;
    QLabel* wsk_;
    QWidget* glowne_;
    MapaPozycji mapa_;
};

}  // namespace vesk
