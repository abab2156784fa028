// The floor of start-up: a bare Qt program with a main window holding a Japanese menu and one
// child window with a Japanese label. With VORLIX_QUIT_WHEN_SHOWN set it ends as the program
// does, once its window stands.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("スコアラー"));
    QMenu* file = frame.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(QStringLiteral("終了(&X)"));
    auto* area = new QMdiArea(&frame);
    frame.setCentralWidget(area);
    QMdiSubWindow* child = area->addSubWindow(new QLabel(QStringLiteral("登録データ　０件")));
    child->setWindowTitle(QStringLiteral("メニュー画面"));
    frame.resize(800, 600);
    frame.show();
    const bool quitWhenShown = qEnvironmentVariableIsSet("VORLIX_QUIT_WHEN_SHOWN");
    if (quitWhenShown) QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    const int result = QApplication::exec();
    if (quitWhenShown) {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
    }
    return result;
}
