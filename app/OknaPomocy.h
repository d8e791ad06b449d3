// The small windows: the report window, the help window with the parameter
// table and the command-language description, its two-pane companion, the
// credits window and the about window. All are created once and only shown
// and hidden; their object names are the original form names ("Form6",
// "FAQ3", "FormFAQ1", "FormFAQ2", "AboutBox").
#pragma once

#include <QDialog>
#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTextEdit>
#include <functional>
#include <string>

namespace vesk {

class Aplikacja;

// A label that answers a click.
class EtykietaKlikana : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> klik;

protected:
    void mousePressEvent(QMouseEvent* e) override;
};

// The report window's font: the first of the candidates whose glyphs are
// all as wide ("i" as wide as "W"), so that the report's columns line up;
// the first candidate when none is. A font's fixed-pitch flag is not asked:
// fonts with equal glyphs (Noto Sans Mono) may not set it.
QFont CzcionkaRaportu(const QList<QFont>& kandydaci);
// Among the system's fixed font and the usual monospaced families.
QFont CzcionkaRaportu();

class OknoRaportu : public QDialog {
public:
    OknoRaportu();
    // The report text, in code page 1250.
    void ustawTekst(const std::string& tekst);

    QPlainTextEdit* RichEdit1;
    QPushButton* Button1;
};

class OknoPomocy : public QDialog {
public:
    explicit OknoPomocy(Aplikacja& app);
    // Refills the parameter table from the model's current parameters.
    void wypelnijParametry();

    QTableWidget* parametry;
    QTextEdit* OpisJezyka;
    EtykietaKlikana* Label1;
    EtykietaKlikana* Label2;
    EtykietaKlikana* Label3;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* e) override;

private:
    Aplikacja& app_;
};

class OknoPomocyDwudzielne : public QDialog {
public:
    OknoPomocyDwudzielne();

    QSplitter* Split;
    QTextEdit* lewy;
    QTextEdit* prawy;
    QPushButton* OK;
};

class OknoOProgramie;

class OknoAutorow : public QDialog {
public:
    explicit OknoAutorow(const OknoOProgramie& about);

    QPlainTextEdit* Memo1;
    QLabel* Comments;
    QLabel* Version;
    QPushButton* BitBtn1;
};

class OknoOProgramie : public QDialog {
public:
    explicit OknoOProgramie(Aplikacja& app);

    QLabel* Version;
    QLabel* Comments;
    QPlainTextEdit* Memo1;
    QTextEdit* RichEdit1;
    QPushButton* OKButton;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ukladPoczatkowy();
    Aplikacja& app_;
    QWidget* Panel1;
};

}  // namespace vesk
