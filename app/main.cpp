// The program: the application object, the windows in their order, the
// message loop.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <exception>
#include <iostream>
#include <vector>

#include "Aplikacja.h"
#include "QtTekst.h"
#include "QtUserInterface.h"
#include "TekstyOkien.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(vesk::tekst::TytulAplikacji));
    // The start window and the ending dialog end the program, not the last
    // window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own texts (file dialogs, context menus) in Polish like the rest;
    // the number format stays the user's.
    QTranslator tlumaczenieQt;
    if (tlumaczenieQt.load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&tlumaczenieQt);

    // Qt has taken its own options out of the arguments.
    std::vector<std::string> parametry;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) parametry.push_back(vesk::zQt(args[i]));

    // What no step could go on from (the code page converter of the system
    // that cannot be loaded among it) ends the program with its reason.
    try {
        vesk::QtUserInterface ui;
        vesk::Aplikacja aplikacja(ui, parametry);
        aplikacja.start();
        return QApplication::exec();
    } catch (const std::exception& e) {
        std::cerr << "vesk: przerwano - " << e.what() << "\n";
        return 2;
    }
}
