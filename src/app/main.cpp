#include "app/windows.h"
#include "platform/qtdialogs.h"
#include "shell/form_menu.h"
#include <QApplication>
#include <QFontDatabase>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <thread>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The font database is read (the font configuration parsed, every font listed) while the
    // start-up checks the database: the start menu's first text then finds it ready.
    std::jthread fonts([] { QFontDatabase::families(); });
    QApplication::setApplicationName(QStringLiteral("Vorlix32"));
    vx::installJapaneseQtTexts();
    vx::QtDialogs realDialogs;
    vx::setDefaultDialogs(&realDialogs);
    vx::registerAllWindows();

    // The main window goes at the end of the program, and with it the lock against a second copy:
    // the next start then finds no stale lock to clear.
    const auto menu = std::make_unique<vx::Form_menu>();
    if (!menu->MDIForm_Load()) return 0;
    menu->show();
    // Used by the start-up benchmark: end as soon as the start menu stands, and say so once it is
    // painted, before the program is torn down.
    const bool quitWhenShown = qEnvironmentVariableIsSet("VORLIX_QUIT_WHEN_SHOWN");
    if (quitWhenShown) QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    const int result = QApplication::exec();
    if (quitWhenShown) {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
    }
    return result;
}
