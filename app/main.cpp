// The program: the application object, the windows in their order, the
// message loop.
#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>
#include <csignal>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "Aplikacja.h"
#include "CodePage.h"
#include "IoError.h"
#include "FileSystem.h"
#include "QtTekst.h"
#include "QtUserInterface.h"
#include "TekstyOkien.h"

int main(int argc, char** argv) {
    // A write past the file-size limit (ulimit -f) fails with its reason and
    // is told as every failed save is, never ends the program mid-save.
    std::signal(SIGXFSZ, SIG_IGN);
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

    // What no step could go on from (the code page converter of the system
    // that cannot be loaded among it) ends the program with its reason.
    try {
        // Qt has taken its own options out of the arguments. One that code
        // page 1250 cannot spell (the file name of "/f") is refused before
        // anything is read or made, never taken for a name with "?" in it.
        vesk::QtUserInterface ui;
        std::vector<std::string> parametry;
        const QStringList args = QCoreApplication::arguments();
        for (int i = 1; i < args.size(); ++i) {
            const std::string bajty = QFile::encodeName(args[i]).toStdString();
            const std::optional<std::string> parametr = vesk::fileNameToCp1250(bajty);
            if (!parametr) {
                ui.message(vesk::unusableFileNameMessage(bajty));
                return 2;
            }
            parametry.push_back(*parametr);
        }
        vesk::Aplikacja aplikacja(ui, parametry);
        aplikacja.start();
        return QApplication::exec();
    } catch (const std::exception& e) {
        std::string powod = vesk::exceptionText(e);
        try {
            powod = vesk::cp1250ToUtf8(powod);
        } catch (const std::exception&) {
            // Told as it is: the converter is what failed.
        }
        std::cerr << "vesk: przerwano - " << powod << "\n";
        return 2;
    }
}
