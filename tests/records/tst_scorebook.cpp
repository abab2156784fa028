// The score book through its window: the choice of games, navigation, the list and its edits, the
// pin diagram, printing, deleting and the text file.
#include "support/monkey.h"
#include "records/form_file.h"
#include "records/form_pindiagram.h"
#include "records/form_score.h"
#include "records/printout.h"
#include "records/scoretext.h"
#include "records/scorebook.h"
#include "support/dayfixture.h"
#include "support/exchange_sheet.h"
#include "support/heldelsewhere.h"
#include "support/keptprints.h"


namespace {

void insert(const QString& table, const QVariantMap& row) {
    QVERIFY(db::exec("INSERT INTO " + table + " (" + row.keys().join(',') + ") VALUES (" + QStringList(row.size(), "?").join(',') + ")", row.values()));
}

// One stored game with its three rows: marks "m1 m2 ..." (21 of them, "_" for "　"), masks likewise.
void storeGame(int id, int player, int match, int game, int points, const QVariant& prize, int s10, int venue, const QString& marks, const QString& masks = {}) {
    const QStringList m = marks.split(' '), p = masks.split(' ', Qt::SkipEmptyParts);
    insert("データ項目", {{"ID", id}, {"選手ID", player}, {"試合ID", match}, {"ｹﾞｰﾑ", game}, {"優Ｐ", points}, {"入賞", prize}, {"S10", s10},
                       {"競技点", s10 + 10}, {"試合日", rows(QString("SELECT 試合日 FROM 試合 WHERE 試合ID = %1").arg(match))}, {"会場ID", venue}});
    QVariantMap mark{{"ID", id}, {"選手ID", player}, {"試合ID", match}, {"ｹﾞｰﾑ", game}}, frame{{"ID", id}};
    for (int k = 0; k <= 20; ++k) {
        mark["M" + ballSuffix(k)] = m.value(k) == "_" ? QString("\u3000") : m.value(k) == "null" ? QVariant() : QVariant(m.value(k));
        frame["Flms" + ballSuffix(k)] = p.isEmpty() ? 30 : p.value(k).toInt() == 0 ? 10 : 5;
        frame["pin" + ballSuffix(k)] = p.isEmpty() ? -1 : p.value(k).toInt();
    }
    for (int f = 1; f <= 9; ++f) mark[QString("S%1").arg(f)] = s10 * f / 10;
    insert("マーク", mark);
    insert("フレーム", frame);
}

// Seasons 1, 3, 5 and matches 41, 57, 60, 99 (season 9 has no row); game 4's player and game 2's
// venue have no row.
void club() {
    db::ensureOpen();
    db::Transaction all;
    for (const char* s : {"INSERT INTO 選手 (選手ID, 選手名) VALUES (12, '山田太郎'), (7, '佐々木小次郎左衛門尉'), (30, '長谷川')",
                          "INSERT INTO シーズン (シーズンID, シーズン名) VALUES (1, '2024前期'), (3, '2025前期'), (5, '2026前期')",
                          "INSERT INTO 会場 (会場ID, 会場名) VALUES (1, '駅前レーン')",
                          "INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日) VALUES (41, 3, 1, '2025-04-06'), "
                          "(57, 3, 2, '2025-05-11'), (60, 5, 1, '2026-04-05'), (99, 9, 1, '2026-05-10'), (3, 1, 1, '2024-04-07')"})
        QVERIFY(db::exec(QString::fromUtf8(s)));
    storeGame(1, 12, 41, 1, 3, "１着  ", 187, 1, "＊ _ ９ ／ ７ ２ 3s ５ Ｇ － ８ ／ ＊ _ ９ － Ｆ ８ ＊ ＊ ７",
              "0 -1 512 0 896 512 7 6 1023 1023 3 0 0 -1 1 1 1023 1 0 0 896");
    storeGame(2, 7, 41, 1, 0, "    ", 95, 9, "５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ null _");
    storeGame(3, 12, 57, 2, 0, QVariant(), 205, 1, "９ ／ ＊ _ ＊ _ ８ １ ９ ／ ＊ _ ＊ _ ７ ／ ＊ _ ９ ／ ＊");
    storeGame(4, 99, 57, 1, 0, QVariant(), 150, 1, "５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ ５ ４ _");
    storeGame(5, 30, 60, 1, 5, "１着  ", 123, 1, "７ ２ ７ ２ ７ ２ ７ ２ ７ ２ ７ ２ ７ ２ ７ ２ ７ ２ ７ ２ _");
    storeGame(6, 12, 99, 1, 0, QVariant(), 9, 1, "１ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ ０ _");
    all.commit();
}

// The IDs of the listed games, in the list's order.
QString listed(const DataSource* ds) {
    QStringList ids;
    for (int r = 0; r < ds->recordset().RecordCount(); ++r) ids << ds->recordset().keyValue(r).toString();
    return ids.join(' ');
}

}  // namespace

QByteArray expected(const QString& name) { return fileBytes(QStringLiteral(VX_TEST_DATA "/records/") + name); }

class TestScoreBook : public GuiTest {
    Q_OBJECT

    Form_Score& openBook() {
        club();
        Module1::PinColors = {0x0000FF, 0x00FF00, 0xFF0000};
        Module1::MarkTexts = {QString(), "1s", "2s", "3s", "4s", "5s", "6s", "7s", "8s", "／", "＊"};
        click(shown<Form_Start>().Cmd_Score);
        return forms::get<Form_Score>();
    }
    // Away to the start menu and back.
    static void comeBack(Form_Score& f) {
        shown<Form_Start>();
        f.Show();
        settle();
    }
    // Player -1: all players; else the player list's row of that ID. Games option 0..2, then the moves.
    static void choose(Form_Score& f, int player, const QList<int>& games) {
        tick(f.Opt_score[player < 0 ? 0 : 1]);
        int row = 0;
        while (player >= 0 && f.Data_Sensyu->recordset().valueAt(row, 0).toInt() != player) ++row;
        if (player >= 0) clickCell(f.DBG_Sensyu, row, 1);
        tick(f.Opt_Siai[std::size_t(games[0])]);
        for (int m : games.mid(1)) {
            QVERIFY(f.cmd_mov[std::size_t(m)]->isVisible());
            click(f.cmd_mov[std::size_t(m)]);
        }
    }

private Q_SLOTS:
    // Everything in the window tried in turn; what it shows at each step is kept.
    void triedEverything() {
        openBook();
        vxtest::monkey(*dlg, 400, 11);
    }

    // The three kinds of choice and the reserved all-players row; a game without its venue or its
    // season row is listed, one without its player is not.
    void choiceSelectsGames_data() {
        QTest::addColumn<int>("player");
        QTest::addColumn<QList<int>>("choice");  // the games option, then the moves
        QTest::addColumn<QString>("ids");
        QTest::newRow("everything") << -1 << QList<int>{0} << "1 2 3 5 6";
        QTest::newRow("player 12") << 12 << QList<int>{0} << "1 3 6";
        QTest::newRow("player 12, season 3") << 12 << QList<int>{1, 2} << "1 3";
        QTest::newRow("match 57") << -1 << QList<int>{2, 2, 2} << "3";
        QTest::newRow("reserved row: all players, season 5") << 0 << QList<int>{1} << "5";
    }
    void choiceSelectsGames() {
        QFETCH(int, player);
        QFETCH(QList<int>, choice);
        QFETCH(QString, ids);
        Form_Score& f = openBook();
        choose(f, player, choice);
        QVERIFY(!f.Cmd_OK[1]->isVisible() && !f.cmd_html_score->isVisible());
        click(f.Cmd_OK[0]);
        QCOMPARE(listed(f.data_score), ids);
        QVERIFY(f.Cmd_OK[1]->isVisible() && f.Cmd_OK[3]->isVisible() && f.Cmd_Prn[1]->isVisible() && !f.Cmd_Prn[0]->isVisible());
        QVERIFY(f.menu_text->isEnabled() && f.menu_html->isEnabled() && f.menu_del[0]->isEnabled() && !f.menu_print->isEnabled());
        if (choice[0] == 1 && player > 0) saveShot(f.subWindow(), "records_scorebook_player");
        const int game2 = ids.split(' ').indexOf("2");
        if (game2 >= 0) QCOMPARE(cell(f.DBG_Score, game2, 30) + cell(f.DBG_Score, game2, 1), QString("2025/04/06"));
        // Coming back to the window keeps the choice and the list; a choice made anew hides the list's
        // buttons until the next Show.
        comeBack(f);
        QVERIFY(f.Cmd_OK[1]->isVisible() && f.Opt_Siai[std::size_t(choice[0])]->isChecked());
        const QString id = QString::number(std::max(player, 0));
        QCOMPARE(f.Txt_Sensyu->text() + f.txt_sen_name->text(), id + rows("SELECT 選手名 FROM 選手 WHERE 選手ID = " + id));
        if (player >= 0) {
            clickCell(f.DBG_Sensyu, 1, 0);
            QVERIFY(!f.Cmd_OK[1]->isVisible() && f.Opt_Siai[0]->isChecked() && !f.Txt_Siai[0]->isVisible());
        }
        tick(f.Opt_Siai[1]);
        tick(f.Opt_score[0]);
        QVERIFY(f.Opt_Siai[0]->isChecked() && !f.Frm_record->isVisible() && !f.DBG_Sensyu->isVisible());
    }

    // Every button lands where its caption says, by the row's place in its table whatever the IDs.
    void navigationAndLayout() {
        Form_Score& f = openBook();
        tick(f.Opt_Siai[1]);
        QCOMPARE(f.Txt_Siai[0]->text() + f.Lbl_Siai[0]->text(), QString("52026前期"));
        tick(f.Opt_Siai[0]), tick(f.Opt_Siai[1]);  // all games hides the buttons, a season brings them all back
        // Seasons (option 1), then matches (option 2): the button, the ID it lands on.
        const QList<std::tuple<int, int, QString>> moves{{1, 2, "3"}, {1, 2, "1"}, {1, 2, "1"}, {1, 3, "3"}, {1, 4, "5"}, {1, 3, "5"}, {1, 1, "1"}, {1, 5, "5"},
                                                          {1, 0, "1"}, {2, 1, "3"}, {2, 3, "41"}, {2, 4, "99"}, {2, 2, "60"}, {2, 0, "3"}, {2, 5, "99"}};
        for (const auto& [option, button, id] : moves) {
            if (!f.Opt_Siai[std::size_t(option)]->isChecked()) tick(f.Opt_Siai[std::size_t(option)]);
            QVERIFY(f.cmd_mov[std::size_t(button)]->isVisible());
            click(f.cmd_mov[std::size_t(button)]);
            QCOMPARE(f.Txt_Siai[std::size_t(option - 1)]->text(), id);
        }
        QCOMPARE(f.Lbl_Siai[1]->text() + f.Lbl_Siai[2]->text() + f.Lbl_Siai[3]->text(), QString("2026/05/1091"));
        saveShot(f.subWindow(), "records_scorebook_match");
        // The record buttons lie inside their frame's border, below its caption; the frame inside its own.
        for (const QPushButton* b : f.cmd_mov)
            QVERIFY(f.Frm_record->contentsRect().contains(b->geometry()) && b->y() >= f.Frm_record->fontMetrics().height());
        QVERIFY(f.Frame2->contentsRect().contains(f.Frm_record->geometry()));
        // Each frame's number stands over its rack (within a pixel).
        const QImage numbers = f.Label3->grab().toImage();
        QList<int> inked, off;
        for (int x = 0; x < numbers.width(); ++x)
            for (int y = 0; y < numbers.height(); ++y)
                if (qGray(numbers.pixel(x, y)) < 128) { inked << x; break; }
        for (int i = 0, first = 0, frame = 0; i < inked.size(); ++i) {
            if (i + 1 < inked.size() && inked[i + 1] - inked[i] <= 3) continue;
            const PictureBox* rack = f.Pins->Pct_flame[std::size_t(std::min(frame, 11))];
            const int x = f.Label3->mapTo(&f, QPoint((inked[first] + inked[i]) / 2, 0)).x() - rack->mapTo(&f, rack->rect().center()).x();
            if (std::abs(x) > 1 || frame > 9) off << frame;
            first = i + 1, ++frame;
        }
        QCOMPARE(off, QList<int>());

        // Whole rows in view at any height, with the pins and without (the pin switch stays in sight),
        // the horizontal scroll bar allowed for, within the window; a minimum width; the settings.
        QString heads;
        for (int c = 8; c <= 12; ++c) heads += f.DBG_Score->model()->headerData(c, Qt::Horizontal).toString() + '|';
        QCOMPARE(heads + QString::number(f.DBG_Score->columnWidth(0)), QString("競|１||２||96"));
        QVERIFY(db::exec("INSERT INTO データ項目 (選手ID, 試合ID, ｹﾞｰﾑ) WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 30) "
                         "SELECT 12, 3, k FROM n") && db::exec("INSERT INTO マーク (ID) SELECT ID FROM データ項目 WHERE 試合ID = 3"));
        click(f.cmd_mov[0]);
        click(f.Cmd_OK[0]);
        QStringList cut;
        const int row = f.DBG_Score->verticalHeader()->defaultSectionSize();
        for (bool pins : {true, false}) {
            if (f.chk_pin->isChecked() != pins) tick(f.chk_pin);
            for (double height : {5880.0, 7000.0, 6123.0, 4100.0}) {
                f.setHeight(height);
                settle();
                const int shown = f.DBG_Score->viewport()->height();
                if (shown % row != 0 || shown < row || f.DBG_Score->geometry().bottom() >= f.height() || f.DBG_Score->y() <= f.chk_pin->geometry().bottom())
                    cut << QString("%1 %2: %3 of %4").arg(pins).arg(height).arg(shown).arg(row);
                if (pins && height == 5880) saveShot(f.subWindow(), "records_scorebook_rows");
            }
        }
        QCOMPARE(cut.join(';'), QString());
        f.setWidth(9000), f.setHeight(7000);
        QVERIFY(int(f.Width()) == 9405 && f.Cmd_OK[2]->x() == twips(9405 - 2330));  // 9400 twips is 627 pixels
        shown<Form_Start>();
        QCOMPARE(settings::GetSetting("form", "score_pin", "") + settings::GetSetting("form", "score_width", "") + settings::GetSetting("form", "score_height", ""),
                 "09405" + QString::number(int(f.Height())));
    }

    // The list's current game shows its ID and pins; edits go to the table each column comes from,
    // and only while editing is allowed.
    void listEditsAndPins() {
        Form_Score& f = openBook();
        click(f.Cmd_OK[0]);
        QCOMPARE(f.txt_ID->text(), QString("1"));
        // Frame 1 a strike, frame 2 nine and the spare, frame 5 a gutter and a miss; the tenth X X 7.
        const QList<QPair<int, std::int32_t>> pins{{0, 0x0000FF}, {9, 0x0000FF}, {18, 0x0000FF}, {19, 0x00FF00},
                                                    {40, 0xFF0000}, {99, 0x0000FF}, {109, 0x0000FF}, {110, 0x0000FF}, {117, 0x00FF00}};
        for (const auto& [shape, colour] : pins) QCOMPARE(f.Pins->pinColor(shape), colour);
        QVERIFY(f.Pins->Pct_flame[10]->isVisible() && f.Pins->Pct_flame[11]->isVisible());
        saveShot(f.subWindow(), "records_scorebook");
        clickCell(f.DBG_Score, 4, 0);
        QVERIFY(f.txt_ID->text() == "6" && f.Pins->pinColor(0) == 0xE0E0E0 && !f.Pins->Pct_flame[10]->isVisible() && !f.Pins->Pct_flame[11]->isVisible());

        auto edit = [&f](int row, int column, const QString& text) {
            clickCell(f.DBG_Score, row, column);
            typeKeys(text);
            press(Qt::Key_Return);
            clickCell(f.DBG_Score, row == 0 ? 1 : 0, 0);
        };
        edit(0, 7, "190");
        QCOMPARE(rows("SELECT group_concat(S10) FROM データ項目 WHERE ID = 1"), QString("187"));
        tick(f.Chk_edit);
        // The score (データ項目 alone), a mark (マーク), the name (選手), the match number (試合), the date stored as a date.
        for (const auto& [column, text] : {std::pair{7, "190"}, {9, "Ｇ"}, {0, "山田花子"}, {3, "4"}, {1, "2025/4/7"}}) edit(0, column, QString::fromUtf8(text));
        QCOMPARE(rows("SELECT d.S10 || ifnull(m.S10, '-') || M11 || 選手名 || s.試合 || d.試合日 FROM データ項目 d JOIN マーク m ON m.ID = d.ID "
                     "JOIN 選手 p ON p.選手ID = d.選手ID JOIN 試合 s ON s.試合ID = d.試合ID WHERE d.ID = 1"), QString("190-Ｇ山田花子42025-04-07"));
        dlg->expectMsgBox(vbOK, "日付を入力してください。");
        edit(0, 1, "いつか");
        press(Qt::Key_Escape);
        dlg->expectMsgBox(vbOK, "入力した値を記録できませんでした。");
        edit(0, 7, "abc");
        press(Qt::Key_Escape);
        QCOMPARE(rows("SELECT 試合日 FROM データ項目 WHERE ID = 1"), QString("2025-04-07"));
    }

    // Composed at Show only when asked for, sent by 印刷 at tab columns, discarded by a new Show or
    // by closing the window.
    void printing() {
        KeptPrints printer;
        Form_Score& f = openBook();
        choose(f, -1, {1, 2});
        click(f.Cmd_OK[0]);
        QVERIFY(!f.Cmd_Prn[0]->isVisible() && !Printer::instance().hasDocument() && !Printer::instance().EndDoc("nothing") && printer.sent.isEmpty());
        tick(f.Chk_Prn);
        QVERIFY(db::exec("UPDATE データ項目 SET 優Ｐ = NULL WHERE ID = 3"));  // printed blank
        click(f.Cmd_OK[0]);
        QVERIFY(f.Cmd_Prn[0]->isVisible() && f.menu_print->isEnabled());
        click(f.Cmd_Prn[0]);
        QVERIFY(!f.Cmd_Prn[0]->isEnabled() && printer.sent.size() == 1 && printer.sent[0].zoom == 80 && printer.sent[0].pages.size() == 1);
        QCOMPARE(toCp932(printer.sent[0].pages[0].join("\r\n") + "\r\n"), expected("printout.txt"));
        click(f.Cmd_OK[0]);  // composed again, then dropped by closing
        click(f.Cmd_OK[2]);
        QVERIFY(!f.isShown() && !Printer::instance().hasDocument());
        f.Show(), settle(), click(f.Cmd_OK[0]);
        f.subWindow()->close();  // the close box hides it as 戻る does
        QVERIFY(!f.isShown() && forms::loaded<Form_Score>() && !Printer::instance().hasDocument());
        Printer::instance().Print("lost"), Printer::instance().KillDoc();  // a discarded line goes with its document
        Printer::instance().Print("a"), Printer::instance().NewPage(), Printer::instance().Print("b");
        QVERIFY(Printer::instance().EndDoc("two"));
        QCOMPARE(printer.sent.last().pages, QList<QStringList>({{"a"}, {"b"}}));
        const QString pdf = env->path("スコアブック.pdf");
        PrintedDocument two = printer.sent[0];
        two.pages = {QStringList(150, "--"), {"--"}};  // more lines than a page holds, then a page of its own
        QVERIFY(printToPdf(two, pdf));
        QCOMPARE(QList<qsizetype>({fileBytes(pdf).indexOf("%PDF-"), fileBytes(pdf).count("/Type /Page\n"), fileBytes(pdf).count("/Type /Font")}),
                 QList<qsizetype>({0, 3, 3}));  // the text is drawn in its font on every page
        QByteArray title("\xFE\xFF");  // the job's name is the document's title, in UTF-16
        for (QChar c : two.name) title += char(c.unicode() >> 8), title += char(c.unicode() & 0xFF);
        QVERIFY2(!two.name.isEmpty() && fileBytes(pdf).contains("/Title (" + title + ")"), qPrintable(two.name));
    }

    // A printer that takes no job (its queue stopped or refusing jobs), fails to begin it, or drops
    // it once sent: the user is told, and 印刷 prints the same printout again, on the printer's own
    // paper. A page the printer refuses fails the document as well.
    void printingRefused() {
        KeptPrints printer;
        Form_Score& f = openBook();
        choose(f, -1, {1, 2});
        tick(f.Chk_Prn);
        QVERIFY(db::exec("UPDATE データ項目 SET 優Ｐ = NULL WHERE ID = 3"));
        click(f.Cmd_OK[0]);
        for (KeptPrints::Failure failure : {KeptPrints::NotReady, KeptPrints::AtBegin, KeptPrints::AtEnd}) {
            printer.fail = failure;
            dlg->expectMsgBox(vbOK, "印刷できませんでした。");
            click(f.Cmd_Prn[0]);
            QVERIFY2(dlg->allAnswered() && f.Cmd_Prn[0]->isEnabled() && f.menu_print->isEnabled() && printer.sent.isEmpty(), qPrintable(QString::number(failure)));
            QCOMPARE(notOnTop(f), QString());
        }
        printer.fail = KeptPrints::None;
        click(f.Cmd_Prn[0]);
        QVERIFY(!f.Cmd_Prn[0]->isEnabled() && printer.sent.size() == 1 && printer.papers.last().id() == QPageSize::Letter);
        QCOMPARE(toCp932(printer.sent[0].pages[0].join("\r\n") + "\r\n"), expected("printout.txt"));

        printer.fail = KeptPrints::AtNewPage;
        Printer::instance().Print("a"), Printer::instance().NewPage(), Printer::instance().Print("b");
        QVERIFY(!Printer::instance().EndDoc("two") && Printer::instance().hasDocument());
        printer.fail = KeptPrints::None;
        QVERIFY(Printer::instance().EndDoc("two") && printer.sent.size() == 2 && printer.sent[1].pages == QList<QStringList>({{"a"}, {"b"}}));

        // With no printer set up the printout becomes a PDF file in the program's folder.
        printer.printer.clear();
        click(f.Cmd_OK[0]);
        dlg->expectMsgBox(vbOK, "プリンタが設定されていないため、PDFファイルに出力しました。\r" + env->path("スコアブック.pdf"));
        click(f.Cmd_Prn[0]);
        QVERIFY(dlg->allAnswered() && fileBytes(env->path("スコアブック.pdf")).startsWith("%PDF-") && printer.sent.size() == 2 && printer.papers.size() == 5);
    }

    // Both questions answered Yes delete the game's three rows and nothing it is joined to; "全削除"
    // deletes every listed game, and a game that cannot be deleted stops it with that game whole.
    void deleting() {
        Form_Score& f = openBook();
        Module1::DataRecordCount = 100;  // the stored games the start menu counts
        QString left = "SELECT (SELECT count(*) FROM 選手) || (SELECT count(*) FROM 試合) || (SELECT count(*) FROM 会場)";
        for (const char* t : {"フレーム", "マーク", "データ項目"}) left.insert(7, QString("(SELECT group_concat(ID) FROM (SELECT ID FROM %1 ORDER BY ID)) || '|' || ").arg(t));
        // The player (-1 all) listed anew unless 0, the row clicked (-1 none), the button, the answers
        // to both questions, the report, then the rows left and the list.
        const struct { int player, row, button; const char *answers, *report, *left, *listed; } steps[] = {
            {12, -1, 1, "N", "", "1,2,3,4,5,6|1,2,3,4,5,6|1,2,3,4,5,6|451", "1 3 6 1"},
            {0, -1, 1, "YN", "", "1,2,3,4,5,6|1,2,3,4,5,6|1,2,3,4,5,6|451", "1 3 6 1"},
            {0, 2, 1, "YY", "", "1,2,3,4,5|1,2,3,4,5|1,2,3,4,5|451", "1 3 3"},  // the new last game is current
            {-1, -1, 3, "YY", "3件のデータを削除しました。\r残りのデータは削除できませんでした。", "4,5|4,5|4,5|451", " "},
            {-1, -1, 3, "YY", "1件のデータを削除しました。", "4|4|4|451", " "}};
        for (const auto& s : steps) {
            if (s.player) {
                choose(f, s.player, {0});
                click(f.Cmd_OK[0]);
            }
            if (s.row >= 0) clickCell(f.DBG_Score, s.row, 0);
            if (s.report[0] == '3') db::exec("CREATE TRIGGER keep BEFORE DELETE ON フレーム WHEN OLD.ID = 5 BEGIN SELECT RAISE(ABORT, 'kept'); END");
            dlg->expectMsgBox(s.answers[0] == 'Y' ? vbYes : vbNo, s.button == 1 ? "１件のデータを\rデータベースから削除します。\rよろしいですか？"
                                                                                : "現在表示中の全データを\rデータベースから削除します。\rよろしいですか？");
            if (s.answers[1]) dlg->expectMsgBox(s.answers[1] == 'Y' ? vbYes : vbNo, "くどいですけど、本当に削除していいですね？");
            if (*s.report) dlg->expectMsgBox(vbOK, QString::fromUtf8(s.report));
            QSignalSpy activated(MdiFrame::instance()->mdiArea(), &QMdiArea::subWindowActivated);
            click(f.Cmd_OK[s.button]);
            db::exec("DROP TRIGGER IF EXISTS keep");
            const Form* wait = forms::loadedByName("Form_Wait");  // shown while deleting all
            QCOMPARE(wait && activated.contains(QVariantList{QVariant::fromValue(wait->subWindow())}), s.button == 3);
            QCOMPARE(rows(left), QString(s.left));
            QCOMPARE(s.button == 3 ? QString(f.DBG_Score->isVisible() || f.Cmd_OK[1]->isVisible() || f.menu_del[1]->isEnabled() ? "shown" : " ")
                                   : listed(f.data_score) + " " + f.txt_ID->text(), QString(s.listed));
        }
        QCOMPARE(Module1::DataRecordCount, 95);
        // A game already gone, deleted meanwhile by another program, is not counted.
        const scorebook::Deletion done = scorebook::deleteGames({4, 999});
        QCOMPARE(QString::number(done.deleted) + done.error + rows(left), QString("1"));
    }

    // Both layouts in CP932, the marks normalised or as stored; a file that cannot be written is
    // reported and the window stays.
    void textFile_data() {
        QTest::addColumn<QString>("file");  // text_simple, text_full, text_stored: full with the marks as stored
        for (const char* file : {"text_simple.txt", "text_full.txt", "text_stored.txt"}) QTest::newRow(file) << QString(file);
    }
    void textFile() {
        QFETCH(QString, file);
        const bool simple = file == "text_simple.txt", asStored = file == "text_stored.txt";
        Form_Score& f = openBook();
        db::exec("UPDATE 選手 SET 選手名 = 'ﾔﾏﾀﾞ' WHERE 選手ID = 12");
        db::exec("UPDATE データ項目 SET ｹﾞｰﾑ = 3 WHERE ID = 3");  // the match's number and the game's apart
        choose(f, -1, {0});
        click(f.Cmd_OK[0]);
        click(f.Cmd_Prn[1]);
        Form_file* out = forms::loaded<Form_file>();
        QVERIFY(out && out->isShown() && out->Chk_Kani->isChecked() && !out->Chk_izon->isVisible());
        QCOMPARE(out->Txt_file->text(), env->path("data.txt"));
        if (!simple) tick(out->Chk_Kani);
        else saveShot(out->subWindow(), "records_file");
        QVERIFY(out->Chk_izon->isVisible() != simple);
        if (asStored) tick(out->Chk_izon);
        retype(out->Txt_file, env->path("none/data.txt"), false);
        dlg->expectMsgBox(vbOK, "ファイル名がおかしいようです。");
        press(Qt::Key_S, Qt::AltModifier);
        QVERIFY(out->isShown() && !QFile::exists(env->path("none/data.txt")));
        // The caret is back in the file box: the name is mended there.
        press(Qt::Key_A, Qt::ControlModifier);
        typeKeys(env->path("data.txt"), false);
        press(Qt::Key_S, Qt::AltModifier);
        QVERIFY(!forms::loaded<Form_file>());
        QCOMPARE(fileBytes(env->path("data.txt")), expected(file));
    }

    // While another program holds the database, deleting and the text file say so and change
    // nothing: the rows, the list and its buttons, a file already there.
    void databaseHeldElsewhere() {
        Form_Score& f = openBook();
        choose(f, -1, {0});
        click(f.Cmd_OK[0]);
        const QString games = "SELECT (SELECT group_concat(ID) FROM データ項目) || (SELECT group_concat(ID) FROM マーク) || (SELECT group_concat(ID) FROM フレーム)";
        const QString before = rows(games), list = listed(f.data_score);
        {
            HeldElsewhere other(env->path("Vorlix.mdb"), "IMMEDIATE");
            QVERIFY(other.holding());
            for (int button : {1, 3}) {
                dlg->expectMsgBox(vbYes).expectMsgBox(vbYes).expectMsgBox(vbOK, db::inUseMessage());
                click(f.Cmd_OK[button]);
                QVERIFY(dlg->allAnswered() && f.DBG_Score->isVisible() && f.Cmd_OK[1]->isVisible() && f.Cmd_OK[3]->isVisible() &&
                        f.menu_del[1]->isEnabled());
            }
        }
        QVERIFY(rows(games) == before && listed(f.data_score) == list);
        put(env->path("data.txt"), "old");
        click(f.Cmd_Prn[1]);
        Form_file* out = forms::loaded<Form_file>();
        QVERIFY(out);
        HeldElsewhere other(env->path("Vorlix.mdb"), "EXCLUSIVE");
        QVERIFY(other.holding());
        dlg->expectMsgBox(vbOK, db::inUseMessage());
        click(out->Cmd_OK);
        QVERIFY(dlg->allAnswered() && out->isShown() && fileBytes(env->path("data.txt")) == "old");
    }

    // Without the window: a character outside the basic plane fills one place of the printout's
    // name and of the simple text file's, and is never cut in two.
    void namesOutsideTheBasicPlane() {
        club();
        QVERIFY(db::exec("UPDATE 選手 SET 選手名 = '𠮷田' WHERE 選手ID = 12") && db::exec("UPDATE 選手 SET 選手名 = ? WHERE 選手ID = 7", {"佐々木小次𠮷田"}));
        const scorebook::Filter match = scorebook::filterOf({"0", 2, "", "41"});
        db::Recordset list;
        QVERIFY(list.open(scorebook::listSql(match), scorebook::listOptions(match)));
        QStringList names;
        scorebook::composePrintout(list, [&names](const scorebook::PrintLine& line) { names << line[0].text; });
        QCOMPARE(names.mid(2, 2).join('|'), "𠮷田    |佐々木小次𠮷田");
        const QString path = env->path("t.txt");
        QVERIFY(scorebook::writeScoreText(path, match, {.simple = true, .marksAsStored = false, .markTexts = Module1::MarkTexts}));
        QVERIFY(fileBytes(path).startsWith(toCp932("?田\u3000\u3000   187>>197 ")) && fileBytes(path).contains(toCp932("\n佐々木小次?  95>>105")));
    }

    // The racks of a stored game from its codes and masks ("ball:code:mask"); racks given as
    // "rack:pins" with - for no data, 0 the first ball, 1 the second (or left by the first), 2 standing.
    void pinRacks() {
        const struct { const char* balls; int score; const char *racks, *extra; } cases[] = {
            {"0:7:896 1:2:512", 9, "0:0000000112 1:----------", "--"},           // 7 then 2
            {"4:10:0 5:5:31", 10, "2:0000000000", "1-"},                         // strike: second ball unread
            {"0:7:-1 1:2:256", 19, "0:----------", "1-"},                        // marks only
            {"0:7:448 1:2:-1", 20, "0:0000001110", "11"},                        // no second mask
            {"18:10:0 19:10:0 20:5:992", 25, "9:0000000000 10:0000000000 11:0000011111", "11"},
            {"18:10:0 19:10:0 20:10:0", 30, "9:0000000000 10:0000000000 11:0000000000", "11"},  // three strikes
            {"18:10:0 19:7:448 20:2:256", 19, "9:0000000000 10:0000001120 11:----------", "1-"},
            {"18:8:768 19:20:0 20:4:1008", 24, "9:0000000011 10:0000111111 11:----------", "11"},
            {"18:9:512 19:20:0 20:10:0", 30, "9:0000000001 10:0000000000", "11"},
            {"19:30:0 20:5:992", 0, "10:---------- 11:----------", "--"}};  // tenth not entered
        for (const auto& c : cases) {
            scorebook::StoredBalls b;
            b.codes.fill(30);
            b.masks.fill(-1);
            for (const QString& ball : QString(c.balls).split(' ')) {
                const QStringList p = ball.split(':');
                b.codes[std::size_t(p[0].toInt())] = p[1].toInt();
                b.masks[std::size_t(p[0].toInt())] = p[2].toInt();
            }
            const scorebook::Racks r = scorebook::racksOf(b, c.score);
            QStringList got;
            for (const QString& rack : QString(c.racks).split(' ')) {
                const int n = rack.section(':', 0, 0).toInt();
                QString pins;
                for (int k = 0; k < 10; ++k) pins += r.pins[std::size_t(10 * n + k)] < 0 ? QChar('-') : QChar('0' + r.pins[std::size_t(10 * n + k)]);
                got << QString::number(n) + ':' + pins;
            }
            QCOMPARE(got.join(' ') + (r.secondTenthShown ? " 1" : " -") + (r.thirdTenthShown ? "1" : "-"), QString(c.racks) + ' ' + c.extra);
        }
    }

    // The score-card page's hand-off: the list returns to its row once, and only for this window's
    // own request with a row that still exists; the choices show rows added meanwhile.
    void handOffAndActivation() {
        Form_Score& f = openBook();
        tick(f.Opt_Siai[1]);
        click(f.Cmd_OK[0]);
        QCOMPARE(listed(f.data_score), QString("5"));
        // The text file and the pages, each from its button and its menu entry.
        const auto opened = [&] { return QString::fromLatin1(MdiFrame::instance()->activeForm()->metaObject()->className()); };
        QStringList ways;
        for (int i : {1, 2}) {
            click(f.Cmd_Prn[std::size_t(i)]);
            ways << opened();
            comeBack(f);
            trigger(i == 1 ? f.menu_text : f.menu_html);
            ways << opened();
            comeBack(f);
        }
        QCOMPARE(ways.join(' '), QString("vx::Form_file vx::Form_file vx::Form_HTML vx::Form_HTML"));
        tick(f.Opt_Siai[0]);
        click(f.Cmd_OK[0]);
        // The row chosen, the page asked for (0 no, 1 yes, 2 then another window's tag, 3 then a new
        // list), the row the page walks to, and the game shown on coming back.
        const struct { int row, asked, walked; const char* id; } steps[] = {{2, 1, 4, "3"}, {3, 0, 0, "1"}, {0, 2, 3, "5"}, {1, 3, 3, "5"}};
        for (const auto& s : steps) {
            clickCell(f.DBG_Score, s.row, 0);
            if (s.asked) click(f.cmd_html_score);
            if (s.asked == 1)
                QCOMPARE(Module1::HtmlCallerTag + QString::number(Module1::HtmlCallerCount), QString("Form_Score no Hyoji Score5"));
            if (s.asked == 2) Module1::HtmlCallerTag = "Form_Kojin";
            if (s.asked == 3) click(f.Cmd_OK[0]);
            f.data_score->setCurrentRow(s.walked);
            comeBack(f);
            QCOMPARE(f.txt_ID->text(), QString(s.id));
        }
        db::exec("INSERT INTO シーズン (シーズンID, シーズン名) VALUES (7, '2027前期')");
        tick(f.Opt_Siai[1]);
        comeBack(f);
        QCOMPARE(f.Txt_Siai[0]->text(), QString("5"));
        click(f.cmd_mov[5]);
        QCOMPARE(f.Txt_Siai[0]->text() + f.Lbl_Siai[0]->text(), QString("72027前期"));
    }
};

QTEST_MAIN(TestScoreBook)
#include "tst_scorebook.moc"
