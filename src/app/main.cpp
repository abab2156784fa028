#include "app/windows.h"
#include "platform/qtdialogs.h"
#include "shell/form_menu.h"
#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorlix32"));
    vx::installJapaneseQtTexts();
    vx::QtDialogs realDialogs;
    vx::setDefaultDialogs(&realDialogs);
    vx::registerAllWindows();

    auto* menu = new vx::Form_menu();
    if (!menu->MDIForm_Load()) return 0;
    menu->show();
    // Used by the start-up benchmark: end as soon as the start menu stands.
    if (qEnvironmentVariableIsSet("VORLIX_QUIT_WHEN_SHOWN")) QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
