// The keyboard and the active window through a day at the score entry, as a secretary types it.
#include "common/settings.h"
#include "recording/form_data.h"
#include "recording/form_info.h"
#include "recording/form_main.h"
#include "recording/form_normaldata.h"
#include "recording/form_siai.h"
#include "recording/form_zkt.h"
#include "shell/form_start.h"
#include "platform/registry.h"
#include "support/gui.h"
#include "support/recording_fixture.h"
#include <QtWidgets>

using namespace vx;
using namespace vxtest;

class TestKeyboard : public GuiTest {
    Q_OBJECT

    form_main& openEntry() {
        setUpMatch(11, 3);
        placePlayer(0, 1, QStringLiteral("山田"), 10);
        placePlayer(1, 2, QStringLiteral("佐藤"), 5);
        auto& f = forms::get<form_main>();
        f.Show();
        settle();
        return f;
    }

private Q_SLOTS:
    // Keys sent faster than the program settles land each on the ball the previous key left. The
    // mode button keeps its Alt letter although the move menu has the same one.
    void keysTypedAheadLandInOrder() {
        form_main& f = openEntry();
        QCOMPARE(notOnTop(f), QString());
        typeKeys(QStringLiteral("**9/*8-7/*9-**9/"), qEnvironmentVariableIsSet("PACE"));
        // X X 9/ X 8- 7/ X 9- X, then X 9/ in the tenth
        QCOMPARE(state(Module1::ScoreSheet(0, 0)) + f.Txt_score[10]->text().trimmed(),
                 QStringLiteral("0:10 2:10 4:9 5:20 6:10 8:8 9:19 10:7 11:20 12:10 14:9 15:19 16:10 18:10 19:9 20:20192"));
        const bool wasMarkMode = f.model().markMode();
        press(Qt::Key_M, Qt::AltModifier);
        QCOMPARE(f.model().markMode(), !wasMarkMode);
        press(Qt::Key_M, Qt::AltModifier);
        QCOMPARE(f.model().markMode(), wasMarkMode);
        QCOMPARE(notOnTop(f), QString());
    }

    // "統計へ" by its Alt letter: the results window takes the keyboard and the menu bar, and keys
    // typed then never reach the hidden sheet. Its own letters work at once; the lists it shows are
    // closed from their menus and give the keyboard back to it.
    void resultsWindowTakesTheKeyboard() {
        form_main& f = openEntry();
        typeKeys(QStringLiteral("9/9/9/9/9/9/9/9/9/9/9"));
        press(Qt::Key_Down);
        typeKeys(QStringLiteral("8-8-8-8-8-8-8-8-8-8-"));
        const QString before = state(Module1::ScoreSheet(0, 0)) + state(Module1::ScoreSheet(1, 0));
        press(Qt::Key_S, Qt::AltModifier);
        Form_Data* data = forms::loaded<Form_Data>();
        QVERIFY(data && !f.isShown() && notOnTop(*data).isEmpty());
        typeKeys(QStringLiteral("7"));
        QCOMPARE(state(Module1::ScoreSheet(0, 0)) + state(Module1::ScoreSheet(1, 0)), before);
        data->Chk_Data[0]->setChecked(true);
        data->Chk_Data[1]->setChecked(true);
        press(Qt::Key_D, Qt::AltModifier);
        QVERIFY(data->Cmd_File->isEnabled());
        Form_ZKT* list = forms::loaded<Form_ZKT>();
        Form_NormalDATA* board = forms::loaded<Form_NormalDATA>();
        QVERIFY(list && board && list->isShown() && board->isShown());
        for (int i = 0; i < 2; ++i) {
            Form* top = MdiFrame::instance()->activeForm();
            QVERIFY((top == list || top == board) && notOnTop(*top).isEmpty());
            MdiFrame::instance()->menuBar()->actions().front()->menu()->actions().front()->trigger();
            settle();
            QVERIFY(!top->isShown());
        }
        QCOMPARE(notOnTop(*data), QString());
        press(Qt::Key_B, Qt::AltModifier);
        QCOMPARE(notOnTop(f), QString());
    }

    // "チェック" puts the list on top; a click back in the sheet brings the sheet up; while a question about unfinished games stands, the list
    // already shows them; closing it gives the keyboard back to the sheet.
    void checkListStandsOnTopAndDuringTheQuestion() {
        form_main& f = openEntry();
        typeKeys(QStringLiteral("72"));
        click(f.Cmd_INFO);
        Form_INFO* info = forms::loaded<Form_INFO>();
        QVERIFY(info);
        QCOMPARE(notOnTop(*info), QString());
        press(Qt::Key_C, Qt::AltModifier);
        QCOMPARE(notOnTop(f), QString());
        click(f.Cmd_INFO);
        QCOMPARE(notOnTop(*info), QString());
        // As on a real display right after a dialog: the main window is not yet active again. A
        // button that takes no focus still brings its window up before it acts.
        QWidget dialog;
        dialog.show();
        dialog.activateWindow();
        settle();
        bool activeAtPress = false;
        connect(f.Cmd_KEISAN, &QPushButton::pressed, this, [&] { activeAtPress = MdiFrame::instance()->activeForm() == &f; });
        click(f.Cmd_KEISAN);
        QVERIFY(activeAtPress);
        QCOMPARE(notOnTop(f), QString());
        QString seen;
        dlg->expectMsgBox(vbYes, QStringLiteral("入力していないデータを入力してください"), [&] { seen = forms::get<Form_INFO>().Txt_INFO->toPlainText(); });
        click(f.Cmd_TOKEI);
        QVERIFY(dlg->allAnswered());
        QVERIFY2(seen.contains(QStringLiteral("山田   選手の 第 1ゲームが、入力途中です。")), qPrintable(seen));
        QVERIFY(forms::unload<Form_INFO>() && settings::GetSetting("Form", "info_left", "none") != "none");  // its place kept
    }

    // Alt letters of buttons act even where the focus is in a box that takes text. A window hidden
    // or closed hands the keyboard and the menu bar to the one on top; the start menu cannot be
    // closed on its own.
    void altLettersAndHiddenWindowsHandOver() {
        Form_Start& start = forms::get<Form_Start>();
        start.Show();
        settle();
        press(Qt::Key_I, Qt::AltModifier);
        Form_Siai* siai = forms::loaded<Form_Siai>();
        QVERIFY(siai && notOnTop(*siai).isEmpty() && qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        press(Qt::Key_C, Qt::AltModifier);
        QVERIFY(!forms::loaded<Form_Siai>());
        QCOMPARE(notOnTop(start), QString());
        forms::showWaiting();
        forms::hideWaiting();
        settle();
        QCOMPARE(notOnTop(start), QString());
        QVERIFY(!(start.subWindow()->windowFlags() & Qt::WindowCloseButtonHint));
        start.subWindow()->close();
        settle();
        QCOMPARE(forms::loaded<Form_Start>(), &start);
        QCOMPARE(notOnTop(start), QString());
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
