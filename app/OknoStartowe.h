// The start window: greets the user and leads into the main window.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace vesk {

class Aplikacja;

class OknoStartowe : public QWidget {
public:
    explicit OknoStartowe(Aplikacja& app);

    QPushButton* BitBtn1;       // "OK"
    QPushButton* SpeedButton1;  // "Koniec"
    QPushButton* SpeedButton2;  // "Instrukcja obsługi"
    QPushButton* SpeedButton3;  // help on parameters and the language, hidden at first
    QPushButton* SpeedButton4;  // "Autorzy"
    QPushButton* SpeedButton5;  // about the program
    QPushButton* Button1;       // the batch run, wired with the interpreter
    QPlainTextEdit* OkienkoInformacyjne;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    Aplikacja& app_;
};

}  // namespace vesk
