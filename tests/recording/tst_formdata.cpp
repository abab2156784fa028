// The results window, the prize board and the points list, driven as a user would.
#include "platform/twips.h"
#include "recording/form_data.h"
#include "recording/form_normaldata.h"
#include "recording/form_zkt.h"
#include "recording/matchsetup.h"
#include "shell/form_start.h"
#include "support/dayfixture.h"
#include "support/gui.h"
#include <QtWidgets>

using namespace vx;
using namespace vxtest;
using namespace Module1;

namespace {

int widthTwips(const Form& f) { return qRound(f.Width() / TwipsPerPixel); }

const std::vector<DayPlayer> day{
    {QStringLiteral("青木　一郎"), 11, 10, {150, 160, 170, 180}},
    {QStringLiteral("井上"), 12, 20, {200, 140, 130, 120}},
    {QStringLiteral("上田"), 13, 0, {110, 190, 100, 210}},
    {QStringLiteral("江口"), 14, 5, {160, 165, 0, 0}},
};

// The box shows its text whole, from the start: the text is narrower than the room the box's size
// hint gives 17 "x" in.
bool shownWhole(const QLineEdit* box) {
    const QFontMetrics fm = box->fontMetrics();
    const int room = box->width() - (box->sizeHint().width() - 17 * fm.horizontalAdvance(QLatin1Char('x')));
    return box->cursorPosition() == 0 && fm.horizontalAdvance(box->text()) < room;
}

Form_Data& openData(int display) {
    setMatch();
    setDay(day);
    ResultDisplayFlags = std::uint8_t(display);
    Form_Data& f = forms::get<Form_Data>();
    f.Show();
    settle();
    return f;
}

QString stored() { return db::scalar(QStringLiteral("SELECT COUNT(*) FROM \"データ項目\"")).toString(); }

}  // namespace

class TstFormData : public GuiTest {
    Q_OBJECT

private Q_SLOTS:
    void presetsFromSettings_data() {
        QTest::addColumn<int>("display");
        QTest::addColumn<int>("tally");
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("method");
        QTest::newRow("all off") << 0 << 0 << 0 << 0;
        QTest::newRow("board only, hcp average, typed points") << 1 << 5 << 2 << 2;
        QTest::newRow("points only, per game") << 2 << 2 << 1 << 1;
        QTest::newRow("no option in range") << 3 << 7 << 3 << 9;
    }
    void presetsFromSettings() {
        QFETCH(int, display);
        QFETCH(int, tally);
        QFETCH(int, target);
        QFETCH(int, method);
        TallyRuleFlags = std::uint8_t(tally);
        PointTarget = std::uint8_t(target);
        PointMethod = std::uint8_t(method);
        Form_Data& f = openData(display);
        const QList<bool> checks{f.Chk_Data[0]->isChecked(), f.Chk_Data[1]->isChecked(), f.Chk_rule[0]->isChecked(),
                                 f.Chk_STSP->isChecked(), f.Chk_HCP->isChecked()};
        QCOMPARE(checks, (QList<bool>{(display & 1) != 0, (display & 2) != 0, (tally & 1) != 0, (tally & 2) != 0,
                                      (tally & 4) != 0}));
        QCOMPARE(f.Opt_PntTarget[2]->text(), (tally & 4) ? QStringLiteral("ハンデ込み平均点") : QStringLiteral("ハンデなし平均点"));
        const DayOptions opt = f.options();
        QCOMPARE(opt.pointTarget, target <= 2 ? target : -1);
        QCOMPARE(opt.pointMethod, method <= 2 ? method : -1);
        QCOMPARE(widthTwips(f), twips(method == 2 ? Form_Data::WideWidth : Form_Data::NarrowWidth));
        QVERIFY(!f.Cmd_File->isEnabled() && !f.menu_save->isEnabled());
    }

    // The options as clicked and typed reach the calculation; both result windows are filled, the
    // chosen ones shown; a second calculation over another day replaces the board.
    void calculation() {
        Form_Data& f = openData(1);  // prize board only
        tick(f.Chk_HCP);
        QCOMPARE(f.Opt_PntTarget[2]->text(), QStringLiteral("ハンデ込み平均点"));
        tick(f.Opt_PntCalc[1]);
        QCOMPARE(widthTwips(f), twips(Form_Data::NarrowWidth));
        tick(f.Opt_PntCalc[2]);
        QCOMPARE(widthTwips(f), twips(Form_Data::WideWidth));
        for (const QLineEdit* box : f.Txt_Pnt) QVERIFY(f.rect().contains(box->geometry()));
        for (int i : {0, 1}) {
            f.Txt_Pnt[std::size_t(i)]->setFocus();
            press(Qt::Key_A, Qt::ControlModifier);
            typeKeys(i ? QStringLiteral("7.5") : QStringLiteral("25"));
        }
        saveShot(f.subWindow(), QStringLiteral("form_data_wide"));

        click(f.Cmd_Data);
        QCOMPARE(widthTwips(f), twips(Form_Data::NarrowWidth));
        QVERIFY(f.Cmd_File->isEnabled() && f.menu_save->isEnabled());
        auto* board = forms::loaded<Form_NormalDATA>();
        auto* points = forms::loaded<Form_ZKT>();
        QVERIFY(board && points && board->isShown() && !points->isShown());
        QCOMPARE(board->Txt_Name[0]->text() + board->Txt_Ten[0]->text(), QStringLiteral("井上        220"));
        QCOMPARE(points->List_ZKT->count(), 4);
        QVERIFY(points->List_ZKT->item(0)->text().startsWith(QStringLiteral("１着    25p")));
        QVERIFY(points->List_ZKT->item(1)->text().startsWith(QStringLiteral("２着    08p")));
        click(board->Cmd_B10[0]);
        QCOMPARE(board->Txt_B10[0]->toPlainText().split(u'\n').size(), 4);
        QVERIFY(board->Txt_B10[0]->toPlainText().startsWith(QStringLiteral("井上")));
        QVERIFY(board->Txt_B10[1]->toPlainText().startsWith(QStringLiteral("220\n")));

        tick(f.Chk_Data[1]);
        click(f.Cmd_Data);
        QVERIFY(points->isShown() && board->Txt_B10[0]->toPlainText().isEmpty());
        click(board->Cmd_B10[4]);
        saveShot(f.subWindow(), QStringLiteral("form_data"));
        saveShot(board->subWindow(), QStringLiteral("form_normaldata"));
        saveShot(points->subWindow(), QStringLiteral("form_zkt"));

        // An average shows in full on the board, and so does the widest value any box can get.
        setDay({{QStringLiteral("青木　一郎"), 11, 0, {100, 100, 120}},
                {QStringLiteral("井上"), 12, 0, {100, 100, 110}},
                {QStringLiteral("上田"), 13, 0, {50, 50, 50}}});
        tick(f.Chk_HCP);
        click(f.Cmd_Data);
        QCOMPARE(board->Txt_Ten[4]->text() + u'|' + board->Txt_Ten[5]->text(), QStringLiteral("106.666666666667|103.333333333333"));
        QCOMPARE(points->List_ZKT->count(), 3);
        for (const QLineEdit* box : board->Txt_Ten) QVERIFY2(shownWhole(box), qPrintable(box->text()));
        saveShot(board->subWindow(), QStringLiteral("form_normaldata_averages"));
        PrizeBoard widest;
        widest.values.fill(QStringLiteral("-0.888888888888889"));
        board->setBoard(widest);
        for (const QLineEdit* box : board->Txt_Ten) QVERIFY(shownWhole(box));

        // A calculation that fails says why and leaves nothing to store.
        tick(f.Opt_PntCalc[2]);
        f.Txt_Pnt[0]->setText(QStringLiteral("99999"));
        dlg->expectMsgBox(vbOK, QStringLiteral("計算中にエラーが発生しました。"));
        click(f.Cmd_Data);
        QVERIFY(!f.Cmd_File->isEnabled() && !f.menu_save->isEnabled());
    }

    // A failing database keeps everything as it was and says why; once it works, the day is stored.
    void storeFailureThenRetry() {
        QCOMPARE(forms::get<Form_Start>().Lbl_all_data->text(), QStringLiteral("0"));
        Form_Data& f = openData(3);
        QVERIFY(touchBackup());
        click(f.Cmd_Data);
        QVERIFY(db::exec(QStringLiteral("CREATE TRIGGER forced BEFORE INSERT ON \"試合\" BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
        dlg->expectMsgBox(vbOK, QStringLiteral("disk full"));
        click(f.Cmd_File);
        QVERIFY(forms::loaded<Form_Data>() && forms::loaded<Form_ZKT>() && f.Cmd_File->isEnabled());
        QVERIFY(QFile::exists(exchange::backupFileName()));
        QCOMPARE(stored(), QStringLiteral("0"));

        QVERIFY(db::exec(QStringLiteral("DROP TRIGGER forced")));
        dlg->expectMsgBox(vbOK, QStringLiteral("書き込んだ人数は4人で、データの合計数は14件でした。"));
        f.menu_save->trigger();
        QVERIFY(dlg->allAnswered() && !forms::loaded<Form_Data>() && !forms::loaded<Form_ZKT>());
        QVERIFY(!QFile::exists(exchange::backupFileName()));
        QCOMPARE(forms::loaded<Form_Start>()->Lbl_all_data->text(), QStringLiteral("14"));
    }

    // Leaving without storing asks first and keeps the backup; going back to the score entry asks nothing.
    void backAndDiscard() {
        Form_Data& f = openData(3);
        QVERIFY(touchBackup());
        click(f.Cmd_Data);
        dlg->expectMsgBox(vbNo, QStringLiteral("今まで入力したデータを\r全部消してメニューへ戻ります。\rよろしいですか？"));
        click(f.cmd_back[1]);
        QVERIFY(forms::loaded<Form_Data>() && forms::loaded<Form_ZKT>()->isShown() && forms::loaded<Form_NormalDATA>());
        QCOMPARE(dlg->shown().back().style, vbYesNo | vbExclamation | vbDefaultButton2 | 4096);

        dlg->expectMsgBox(vbYes);
        f.menu_clear->trigger();
        QVERIFY(!forms::loaded<Form_Data>() && !forms::loaded<Form_ZKT>() && !forms::loaded<Form_NormalDATA>());
        QVERIFY(forms::loaded<Form_Start>() && forms::loaded<Form_Start>()->isShown());
        QCOMPARE(stored(), QStringLiteral("0"));
        QVERIFY(QFile::exists(exchange::backupFileName()));

        matchsetup::freshSheet();
        Form_Data& again = openData(3);
        click(again.Cmd_Data);
        dlg->expectMsgBox(vbNo, QStringLiteral("保存されていないデータがあります。"));  // the day's backup is still there
        click(again.cmd_back[0]);
        QVERIFY(!forms::loaded<Form_Data>() && !forms::loaded<Form_ZKT>() && !forms::loaded<Form_NormalDATA>());
    }
};

QTEST_MAIN(TstFormData)
#include "tst_formdata.moc"
