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

// The window's width: N narrow, W wide.
QChar width(const Form& f) {
    const int w = qRound(f.Width() / TwipsPerPixel);
    return w == twips(Form_Data::WideWidth) ? u'W' : w == twips(Form_Data::NarrowWidth) ? u'N' : u'?';
}

const std::vector<DayPlayer> day{{QStringLiteral("青木　一郎"), 11, 10, {150, 160, 170, 180}}, {QStringLiteral("井上"), 12, 20, {200, 140, 130, 120}},
                                 {QStringLiteral("上田"), 13, 0, {110, 190, 100, 210}}, {QStringLiteral("江口"), 14, 5, {160, 165, 0, 0}}};

// The box shows its text whole, from the start: the text is narrower than the room the box's size
// hint gives 17 "x" in.
bool shownWhole(const QLineEdit* box) {
    const QFontMetrics fm = box->fontMetrics();
    return box->cursorPosition() == 0 && fm.horizontalAdvance(box->text()) < box->width() - box->sizeHint().width() + 17 * fm.horizontalAdvance(u'x');
}

Form_Data& openData(int display) {
    setMatch(), setDay(day), ResultDisplayFlags = std::uint8_t(display);
    return shown<Form_Data>();
}


}  // namespace

class TstFormData : public GuiTest {
    Q_OBJECT

private Q_SLOTS:
    // Settings as display, tally, target, method; the window's boxes, options and width as one text.
    void presetsFromSettings_data() {
        QTest::addColumn<QList<int>>("set");
        QTest::addColumn<QString>("shown");
        QTest::newRow("all off") << QList<int>{0, 0, 0, 0} << "00000 0 0 N ハンデなし平均点";
        QTest::newRow("board only, hcp average, typed points") << QList<int>{1, 5, 2, 2} << "10101 2 2 W ハンデ込み平均点";
        QTest::newRow("points only, per game") << QList<int>{2, 2, 1, 1} << "01010 1 1 N ハンデなし平均点";
        QTest::newRow("no option in range") << QList<int>{3, 7, 3, 9} << "11111 -1 -1 N ハンデ込み平均点";
    }
    void presetsFromSettings() {
        QFETCH(QList<int>, set);
        QFETCH(QString, shown);
        TallyRuleFlags = std::uint8_t(set[1]), PointTarget = std::uint8_t(set[2]), PointMethod = std::uint8_t(set[3]);
        Form_Data& f = openData(set[0]);
        QString checks;
        for (const QAbstractButton* b : {f.Chk_Data[0], f.Chk_Data[1], f.Chk_rule[0], f.Chk_STSP, f.Chk_HCP}) checks += b->isChecked() ? '1' : '0';
        QCOMPARE(QString("%1 %2 %3 %4 %5").arg(checks).arg(f.options().pointTarget).arg(f.options().pointMethod).arg(width(f)).arg(f.Opt_PntTarget[2]->text()), shown);
        QVERIFY(!f.Cmd_File->isEnabled() && !f.menu_save->isEnabled());
    }

    // The options as clicked and typed reach the calculation; both result windows are filled, the
    // chosen ones shown; a second calculation over another day replaces the board.
    void calculation() {
        Form_Data& f = openData(1);  // prize board only
        tick(f.Chk_HCP);
        tick(f.Opt_PntCalc[1]);
        QString widths = width(f);
        tick(f.Opt_PntCalc[2]);
        QCOMPARE(f.Opt_PntTarget[2]->text() + widths + width(f), QStringLiteral("ハンデ込み平均点NW"));
        for (const QLineEdit* box : f.Txt_Pnt) QVERIFY(f.rect().contains(box->geometry()));
        for (int i : {0, 1}) f.Txt_Pnt[std::size_t(i)]->setFocus(), press(Qt::Key_A, Qt::ControlModifier), typeKeys(i ? "7.5" : "25");
        saveShot(f.subWindow(), QStringLiteral("form_data_wide"));

        click(f.Cmd_Data);
        auto* board = forms::loaded<Form_NormalDATA>();
        auto* points = forms::loaded<Form_ZKT>();
        QVERIFY(width(f) == u'N' && f.Cmd_File->isEnabled() && f.menu_save->isEnabled() && board && points && board->isShown() && !points->isShown());
        QCOMPARE(board->Txt_Name[0]->text() + board->Txt_Ten[0]->text(), QStringLiteral("井上        220"));
        QCOMPARE(QString::number(points->List_ZKT->count()) + points->List_ZKT->item(0)->text().left(9) + points->List_ZKT->item(1)->text().left(9),
                 QStringLiteral("4１着    25p２着    08p"));
        click(board->Cmd_B10[0]);
        QCOMPARE(QString::number(board->Txt_B10[0]->toPlainText().split(u'\n').size()) + board->Txt_B10[0]->toPlainText().left(2) +
                     board->Txt_B10[1]->toPlainText().left(4), QStringLiteral("4井上220\n"));

        tick(f.Chk_Data[1]);
        click(f.Cmd_Data);
        QVERIFY(points->isShown() && board->Txt_B10[0]->toPlainText().isEmpty());
        click(board->Cmd_B10[4]);
        saveShot(f.subWindow(), QStringLiteral("form_data"));
        saveShot(board->subWindow(), QStringLiteral("form_normaldata"));
        saveShot(points->subWindow(), QStringLiteral("form_zkt"));

        // An average shows in full on the board, and so does the widest value any box can get.
        setDay({{QStringLiteral("青木　一郎"), 11, 0, {100, 100, 120}}, {QStringLiteral("井上"), 12, 0, {100, 100, 110}}, {QStringLiteral("上田"), 13, 0, {50, 50, 50}}});
        tick(f.Chk_HCP);
        click(f.Cmd_Data);
        QCOMPARE(board->Txt_Ten[4]->text() + u'|' + board->Txt_Ten[5]->text() + u'|' + QString::number(points->List_ZKT->count()),
                 QStringLiteral("106.666666666667|103.333333333333|3"));
        for (const QLineEdit* box : board->Txt_Ten) QVERIFY2(shownWhole(box), qPrintable(box->text()));
        saveShot(board->subWindow(), QStringLiteral("form_normaldata_averages"));
        PrizeBoard widest;
        widest.values.fill(QStringLiteral("-0.888888888888889")), board->setBoard(widest);
        for (const QLineEdit* box : board->Txt_Ten) QVERIFY2(shownWhole(box), "widest");

        // A calculation that fails says why and leaves nothing to store.
        tick(f.Opt_PntCalc[2]);
        f.Txt_Pnt[0]->setText(QStringLiteral("99999"));
        dlg->expectMsgBox(vbOK, QStringLiteral("計算中にエラーが発生しました。"));
        click(f.Cmd_Data);
        QVERIFY(!f.Cmd_File->isEnabled() && !f.menu_save->isEnabled());
    }

    // A failing database keeps everything as it was and says why; leaving without storing asks first
    // and keeps the backup; going back to the score entry asks nothing; then the day is stored.
    void leaveOrStore() {
        auto gone = [] { return !forms::loaded<Form_Data>() && !forms::loaded<Form_ZKT>() && !forms::loaded<Form_NormalDATA>(); };
        QCOMPARE(forms::get<Form_Start>().Lbl_all_data->text(), QStringLiteral("0"));  // opens the database
        Form_Data& f = openData(3);
        QVERIFY(touchBackup());
        click(f.Cmd_Data);
        QVERIFY(db::exec(QStringLiteral("CREATE TRIGGER forced BEFORE INSERT ON \"試合\" BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
        dlg->expectMsgBox(vbOK, QStringLiteral("disk full"));
        click(f.Cmd_File);
        QVERIFY(forms::loaded<Form_Data>() && f.Cmd_File->isEnabled() && QFile::exists(exchange::backupFileName()) && rows("SELECT COUNT(*) FROM データ項目") == "0");
        QVERIFY(db::exec(QStringLiteral("DROP TRIGGER forced")));
        dlg->expectMsgBox(vbNo, QStringLiteral("今まで入力したデータを\r全部消してメニューへ戻ります。\rよろしいですか？"));
        click(f.cmd_back[1]);
        QVERIFY(forms::loaded<Form_Data>() && forms::loaded<Form_ZKT>()->isShown() && forms::loaded<Form_NormalDATA>() &&
                dlg->shown().back().style == (vbYesNo | vbExclamation | vbDefaultButton2 | 4096));
        dlg->expectMsgBox(vbYes);
        f.menu_clear->trigger();
        QVERIFY(gone() && forms::loaded<Form_Start>() && forms::loaded<Form_Start>()->isShown() && QFile::exists(exchange::backupFileName()));
        QCOMPARE(rows("SELECT COUNT(*) FROM データ項目") + forms::loaded<Form_Start>()->Lbl_all_data->text(), QStringLiteral("00"));

        matchsetup::freshSheet();
        click(openData(3).Cmd_Data);
        dlg->expectMsgBox(vbNo, QStringLiteral("保存されていないデータがあります。"));  // the day's backup is still there
        click(forms::loaded<Form_Data>()->cmd_back[0]);
        QVERIFY(gone());

        click(openData(3).Cmd_Data);
        dlg->expectMsgBox(vbOK, QStringLiteral("書き込んだ人数は4人で、データの合計数は14件でした。"));
        trigger(forms::loaded<Form_Data>()->menu_save);
        QVERIFY(dlg->allAnswered() && !forms::loaded<Form_Data>() && !forms::loaded<Form_ZKT>() && !QFile::exists(exchange::backupFileName()));
        QCOMPARE(forms::loaded<Form_Start>()->Lbl_all_data->text(), QStringLiteral("14"));
    }
};

QTEST_MAIN(TstFormData)
#include "tst_formdata.moc"
