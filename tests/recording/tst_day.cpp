// The day. Setting it up through its windows: the proposed match, every refusal, seasons and venues
// added; the players placed in lane slots with their handicaps, new players, and the hand-over to
// the score entry. Its files. The exchange and backup files: their layouts byte for byte, what damage does to
// the reader, and export, import with player reconciliation, backup and recovery through the
// exchange entry points. The day's calculation over hand-built statistics sheets, the results text
// it writes, and the storing of the day: rows, pairing, the match row, milestones, all-or-nothing.
#include "support/monkey.h"
#include "common/gamecount.h"
#include "recording/dayresults.h"
#include "recording/storeday.h"
#include "recording/form_main.h"
#include "recording/form_player.h"
#include "recording/form_siai.h"
#include "recording/matchsetup.h"
#include "recording/placement.h"
#include "support/dayfixture.h"
#include "support/exchange_sheet.h"
#include "support/filesizelimit.h"
#include "support/heldelsewhere.h"

using namespace Module1;
using namespace vx::exchange;

namespace {

// Counts what the exchange asks of the recording windows.
struct Windows : EntryWindows {
    int hidden = 0, shown = 0, laneGrid = 0, requeried = 0;
    bool waiting = false;
    QString clipboard;
    void showWaiting() override { waiting = true; }
    void hideWaiting() override { waiting = false; }
    QString clipboardText() override { return clipboard; }
    void hideEntryWindows() override { ++hidden; }
    void showEntryWindows() override { ++shown; }
    void laneGridChanged() override { ++laneGrid; }
    void playersAdded() override { ++requeried; }
};

// The score-entry window rewrites the backup at every refresh.
struct BackupOnRefresh : vx::ScoreEntryListener {
    void backupRequested() override { Cmd_Data_IO_Click(2); }
};

QVariant sql(const QString& q) { return vx::db::scalar(q); }
int playerCount() { return sql(QStringLiteral("SELECT COUNT(*) FROM \"選手\"")).toInt(); }
const QString Known = exchangeData(QStringLiteral("B_000012.dat"));

// A data file of the given players (ID, name, handicap) with G not-entered games.
QString makeFile(const QString& path, const QList<std::tuple<int, QString, int>>& players, int games = 4) {
    SheetFile f;
    f.games = games;
    for (const auto& [id, name, hcp] : players) {
        vx::GameRecord r = notEnteredRecord();
        r.Scores[11] = std::int16_t(hcp);
        f.slots.push_back({.playerId = std::int16_t(id), .name = name, .games = std::vector(std::size_t(games), r)});
    }
    writeSheetFile(path, f);
    return path;
}

vx::DayOutput calc(const vx::DayOptions& opt = {}) {
    const vx::DayCalcResult r = vx::CalculateDay(opt);
    if (!r.ok) qWarning() << r.error;
    return r.output;
}
// The row that carries a player's placing and points.
const vx::GameResultRecord& placed(int p) {
    for (int g = 1; g <= PlayedGameCount; ++g)
        if (DayResults(p, g).HcpDayOrder == 1) return DayResults(p, g);
    throw std::logic_error("no placed game");
}
QString pad(const QString& name) { return name.leftJustified(10); }
// Players "Ａ", "Ｂ", ... with one game each.
std::vector<DayPlayer> oneGame(const std::vector<int>& scores) {
    std::vector<DayPlayer> v;
    for (int s : scores) v.push_back({QString(QChar(0xFF21 + int(v.size()))), std::int16_t(v.size() + 1), 0, {s}});
    return v;
}
QByteArray resultsFile() { return fileBytes(vx::inProgramFolder(vx::ResultsFileName())); }
// Every row of every table, sqlite_sequence included, as one text.
QString dump() {
    QString out;
    for (const QString& t : rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")).split(u'|'))
        out += t + u'\n' + rows(QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1").arg(t)) + u'\n';
    return out;
}

using Cell = std::pair<int, int>;

// The set-up boxes 0..7: match ID, season, year, month, day, venue, number in the season, venue row.
QString boxes(const Form_Siai& f) {
    QStringList t;
    for (const QLineEdit* box : f.Txt_Siai) t << box->text();
    return t.join(u'|');
}
// The current match other than its ID, as one text.
QString currentMatch() {
    return QString("%1 %2 %3-%4-%5 %6").arg(SeasonId.toString()).arg(MatchNo).arg(MatchYear).arg(MatchMonth).arg(MatchDay).arg(VenueId);
}

Form_Siai& openSiai() {
    LastGame = 3;
    return shown<Form_Siai>();
}

// Two seasons, two venues and one stored match (ID 5: season 1, match 2).
void storedMatches() {
    execSql("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2025', '秋'), ('2026', '春')");
    execSql("INSERT INTO 会場 (会場名) VALUES ('駅前レーン'), ('中央ボウル')");
    execSql("INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日) VALUES (5, 1, 2, '2025-10-01')");
}

// Players 1 山田 (handicap 12 in season 1), 2 O'Neil (none), 3 佐藤 (8), 32500 古株 (none, an ID
// beyond the ID scroll bar's reach); season 1 is the match's.
Form_Player& openPlayers() {
    execSql("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2026', '春')");
    execSql("INSERT INTO 選手 (選手ID, 選手名) VALUES (1, '山田'), (2, 'O''Neil'), (3, '佐藤'), (32500, '古株')");
    execSql("INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) VALUES (1, 1, 12), (3, 1, 8), (2, 9, 30)");
    LastGame = 3, SeasonId = 1;
    matchsetup::freshSheet();
    return shown<Form_Player>();
}

// Clicks player `id`'s row in the players grid.
void choose(Form_Player& f, int id) {
    auto& rs = f.Data_Sensyu->recordset();
    for (int r = 0; r < rs.RecordCount(); ++r)
        if (rs.valueAt(r, 0).toInt() == id) return clickCell(f.DBG_Sensyu, f.DBG_Sensyu->gridModel()->index(r, 1));
    QFAIL("no such player");
}
void at(Form_Player& f, int row, int col) { clickCell(f.Grd_LN, f.Grd_LN->model()->index(row, col)); }
// Chooses a player and places it with the arrow button into the cell.
void placeAt(Form_Player& f, int id, int row, int col) {
    choose(f, id), at(f, row, col), click(f.Pct_ADD);
}

QString cell(Form_Player& f, int row, int col) { return f.Grd_LN->item(row, col)->text(); }
// The cell is in view and its text fits between the cell's text margins, so it is not shortened.
bool shownWhole(Form_Player& f, int row, int col) {
    QTableWidget* g = f.Grd_LN;
    const QRect r = g->visualRect(g->model()->index(row, col));
    const int margin = g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g) + 1;
    return g->viewport()->rect().contains(r) && g->fontMetrics().horizontalAdvance(cell(f, row, col)) <= r.width() - 2 * margin;
}
Cell cursor(Form_Player& f) { return {f.cursorRow(), f.cursorCol()}; }
// A slot as "ID name handicap / handicap of every game".
QString slot(int s) {
    QString games;
    for (int g = 0; g <= LastGame; ++g) games += ' ' + QString::number(ScoreSheet(s, g).Scores[11]);
    const auto i = std::size_t(s);
    return QString("%1 %2 %3 /%4").arg(PlayerIds[i]).arg(PlayerNames[i].str().trimmed()).arg(PlayerHcps[i]).arg(games);
}
bool normalHeight(const Form_Player& f) { return std::abs(f.Height() - Form_Player::NormalHeight) <= 15; }


}  // namespace

class TstDay : public GuiTest {
    Q_OBJECT
    Windows windows_;
    BackupOnRefresh backupOnRefresh_;

    // The known day over the program's database, with the entry windows counted.
    void knownDay() {
        QVERIFY(vx::db::open(env->path(vx::DatabaseFileName)));
        setUpKnownDay();
        CurPlayer = 2;  // the score entry shows an empty slot, which a refresh leaves as it is
        windows_ = Windows{};
        setEntryWindows(&windows_);
        vx::scoreEntry().setListener(nullptr);
    }
    // Imports the file, answering OK to the messages that contain `oks`, in order.
    void import(const QString& path, const QStringList& oks = {}) {
        dlg->expectOpenFile(path);
        for (const QString& m : oks) dlg->expectMsgBox(vx::vbOK, m);
        Cmd_Data_IO_Click(1);
        QVERIFY(dlg->allAnswered());
    }
    QString home() const { return QDir(env->home()).absolutePath(); }
    // A fresh database with match 41 of season 3, number 12, for the day's results.
    void day() {
        QVERIFY(freshProgramDb());
        setMatch();
    }

private Q_SLOTS:
    // A backup that cannot be written from the run's start is told as well. (First here: no
    // backup of this run may have been tried before.)
    void aBackupFailingFromTheStartIsTold() {
        knownDay();
        dlg->expectMsgBox(vx::vbOK, QStringLiteral("自動保存ファイルに書き込めません。"));
        {
            vx::test::FileSizeLimit full(100);
            Cmd_Data_IO_Click(2);
        }
        QCOMPARE(dlg->beeps(), 1);
    }
    // Everything in the window tried in turn; what it shows at each step is kept.
    void triedEverything() {
        openPlayers();
        vxtest::monkey(*dlg, 400, 19);
    }
    void matchWindowTriedEverything() {
        openSiai();
        vxtest::monkey(*dlg, 300, 59, [] { return &openSiai(); });
    }

    // Loading starts a fresh sheet; a new match is proposed from the stored ones and today; the
    // window comes back where it was left; seasons and venues are added.
    void proposedMatch() {
        LastPlayer = 5, CurPlayer = 4, CurGame = 2;
        ScoreSheet.redim(0, 5, 0, 3);
        ScoreSheet(2, 1).Codes[4] = 7;
        {
            Form_Siai& f = openSiai();
            QCOMPARE(QString("%1 %2 %3 %4 %5 %6 %7").arg(LastPlayer).arg(CurPlayer + CurGame).arg(ScoreSheet.hi1()).arg(ScoreSheet.hi2()).arg(ScoreSheet(2, 1).Codes[4])
                         .arg(ScoreSheet(2, 1).Marks[0]).arg(ScoreSheet(2, 1).PinMasks[20]), QString("35 0 35 3 30 %1 -1").arg(EmptyMark));
            QVERIFY(!f.cmd_siaiOK->isEnabled() && !f.menu_OK->isEnabled() && !f.Txt_Siai[1]->isEnabled() && f.VSc_ymd[0]->value() == 2000);

            click(f.Cmd_New);
            QCOMPARE(boxes(f) + QString::number(MatchId.toInt() * 10000 + f.VSc_ymd[0]->value()), QStringLiteral("1||2026|05|17||1|12026"));  // an empty table, today
            QVERIFY(f.cmd_siaiOK->isEnabled() && f.menu_OK->isEnabled() && !f.Cmd_New->isEnabled() && !f.menu_newgame->isEnabled() &&
                    f.Txt_Siai[6]->isEnabled() && f.txt_Kaijo[1]->isEnabled() && !f.Txt_Siai[7]->isEnabled() && f.Txt_Siai[3]->x() > f.VSc_ymd[0]->x());
            f.VSc_ymd[1]->setValue(1), f.HSc_siai->setValue(150);
            const QString number = f.Txt_Siai[6]->text();
            f.HSc_siai->setValue(0);  // the bar stops at the first match
            QCOMPARE(f.Txt_Siai[3]->text() + number + f.Txt_Siai[6]->text(), QStringLiteral("011501"));
            f.Unload();
        }
        storedMatches();
        execSql("INSERT INTO 試合 (試合ID, シーズンID, 試合) VALUES (31, 2, 1), (7, 2, 2)");
        Form_Siai& f = openSiai();
        click(f.Cmd_New);
        // The newest season and the first venue are preselected.
        QCOMPARE(boxes(f), QStringLiteral("32|2|2026|05|17|1|1|1"));
        saveShot(&f, QStringLiteral("form_siai"));
        // The name box shows the chosen venue and renames it: the venue is in edit from the click on
        // the box; the grid's move stores it.
        clickCell(f.DBGrid2, 1, 1), clickCell(f.DBGrid2, 0, 1), click(f.txt_Kaijo[1]);
        QVERIFY(f.txt_Kaijo[1]->text() == QStringLiteral("駅前レーン") && f.Data_kaijo->isEditing());
        retype(f.txt_Kaijo[1], QStringLiteral("駅前レーン東")), clickCell(f.DBGrid2, 1, 1);
        QCOMPARE(rows("SELECT 会場名 FROM 会場 WHERE 会場ID = 1") + f.txt_Kaijo[1]->text(), QStringLiteral("駅前レーン東中央ボウル"));

        f.setLeft(600), f.setTop(300), click(f.cmd_back);
        QVERIFY(!forms::loaded<Form_Siai>() && forms::get<Form_Start>().isShown());
        Form_Siai& g = openSiai();
        QCOMPARE(Cell(qRound(g.Left()), qRound(g.Top())), Cell(600, 300));

        // Seasons and venues are added.
        click(g.Cmd_Add[1]);
        QVERIFY(!g.DBGrid1->isEnabled() && !g.DBGrid2->isEnabled() && !g.cmd_siaiOK->isEnabled() && !g.menu_kaijo->isEnabled() &&
                g.menu_season->isEnabled() && keyboard() == g.Txt_ADD[1]);
        click(g.Cmd_Add_OK[1]);  // no name: stays in the adding state
        QVERIFY(dlg->beeps() == 1 && g.Data_kaijo->isAdding() && keyboard() == g.Txt_ADD[1]);
        typeKeys(QStringLiteral("Bowl'House")), click(g.Cmd_Add_OK[1]);
        QCOMPARE(rows("SELECT 会場ID, 会場名 FROM 会場"), QStringLiteral("1 駅前レーン東|2 中央ボウル|3 Bowl'House"));
        QVERIFY(g.Txt_ADD[1]->isHidden() && g.DBGrid1->isEnabled() && g.DBGrid2->isEnabled() && g.menu_kaijo->isEnabled() && g.cmd_siaiOK->isEnabled());
        click(g.Cmd_Add_OK[1]);  // a second OK adds nothing
        QCOMPARE(sql("SELECT COUNT(*) FROM 会場").toInt() * 10 + dlg->beeps(), 31);
        // Choosing the new venue's row sets the match's venue.
        clickCell(g.DBGrid2, 2, 1);
        QCOMPARE(g.Txt_Siai[5]->text() + g.Txt_Siai[7]->text() + g.txt_Kaijo[1]->text(), QStringLiteral("33Bowl'House"));

        trigger(g.menu_season), typeKeys(QStringLiteral("2026 Fall")), click(g.Cmd_Add_OK[0]);
        // Newest first: the new season is current.
        QCOMPARE(sql("SELECT シーズン名 FROM シーズン WHERE シーズンID = 3").toString() + g.Txt_Siai[1]->text(), QStringLiteral("2026 Fall3"));

        // A season typed into the grid's new line.
        auto* sm = g.DBGrid1->gridModel();
        const QModelIndex newLine = sm->index(sm->rowCount() - 1, 2);
        g.DBGrid1->setCurrentIndex(newLine);
        QVERIFY(sm->isNewLine(newLine.row()) && sm->setData(newLine, QStringLiteral("Winter")) && g.DBGrid1->commitRow() &&
                sql("SELECT シーズン名 FROM シーズン WHERE シーズンID = 4").toString() == QStringLiteral("Winter"));
    }

    // Another program holding the whole database: no match number can be proposed.
    void noProposalFromAHeldDatabase() {
        Form_Siai& f = openSiai();
        vxtest::HeldElsewhere other(vx::db::fileName(), "EXCLUSIVE");
        dlg->expectMsgBox(vx::vbOK, QStringLiteral("データベースを読めませんでした"));
        click(f.Cmd_New);
        QCOMPARE(QString::number(dlg->beeps()) + boxes(f) + QString::number(f.Cmd_New->isEnabled()) + QString::number(f.cmd_siaiOK->isEnabled()),
                 QStringLiteral("1|||||||10"));
    }

    // Boxes as typed (ID, season, date, venue, number): a refusal names the box to fix and changes
    // nothing but the current ID; an accepted match is fixed and the players window follows.
    void typedMatch_data() {
        QTest::addColumn<QString>("typedText");  // ID,season,year/month/day,venue,number
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focusBox");
        QTest::addColumn<QString>("idAfter");
        const QString below = QStringLiteral("試合番号は１以上の整数を入力してください");
        const QString date = QStringLiteral("正しい日付を入力してください");
        const QString number = QStringLiteral("シーズン中の試合番号は１から３２７６７までの整数で入力してください");
        auto row = [](const char* name, const char* typed) -> QTestData& { return QTest::newRow(name) << QString::fromUtf8(typed); };
        row("fraction below one", "0.9,2,2026/5/17,1,1") << below << 0 << "0";
        row("beyond 16 bits", "32768,2,2026/5/17,1,1") << below << 0 << "32768";
        row("stored id, new pair", "5,2,2026/5/17,1,9") << QStringLiteral("試合番号が重複しています") << 0 << "5";
        row("new id, stored pair", "6.5,1,2026/5/17,1,2") << QStringLiteral("シーズン中の試合番号が重複しています") << 6 << "6";
        row("venue 256", "6,2,2026/5/17,256,1") << date << 3 << "6";
        row("30 February", "6,2,2000/2/30,1,1") << date << 3 << "6";
        row("year before 1900", "6,2,1899/5/17,1,1") << date << 3 << "6";
        row("year after 2099", "6,2,2100/5/17,1,1") << date << 3 << "6";
        row("number too large", "6,2,2026/5/17,1,32768") << number << 6 << "6";
        row("number -0", "6,2,2026/5/17,1,-0") << number << 6 << "6";
        row("number fraction", "6,2,2026/5/17,1,1.5") << number << 6 << "6";
        row("fraction", "12.7,1,2000/2/29,2,3") << QString() << -1 << "12";
        row("leading blanks, the last ID", "  32767abc,1,2099/12/31,255,32767") << QString() << -1 << "32767";
        row("the first ID, year and venue", "1,1,1900/1/1,1,1") << QString() << -1 << "1";
    }
    void typedMatch() {
        QFETCH(QString, typedText);
        const QStringList typed = typedText.replace(u'/', u',').split(u',');
        QFETCH(QString, message);
        QFETCH(int, focusBox);
        QFETCH(QString, idAfter);
        storedMatches();
        // A game count changed in the settings during the last match comes in with the next.
        const std::int16_t games = LastGame == 5 ? 4 : 5;
        ScoreSheet.redim(0, 1, 0, LastGame);
        QVERIFY(gamecount::request(games) && gamecount::pending());
        Form_Siai& f = openSiai();
        QCOMPARE(LastGame, games);
        click(f.Cmd_New), MatchId = 99, SeasonId = 77, MatchNo = 3, MatchYear = 1999, MatchMonth = 4, MatchDay = 8, VenueId = 9;
        for (int i = 0; i < 7; ++i) {
            f.Txt_Siai[std::size_t(i)]->setFocus();
            press(Qt::Key_A, Qt::ControlModifier), typeKeys(typed[i]);
        }
        if (message.isEmpty()) {
            trigger(f.menu_OK);
            QCOMPARE(MatchId.toString() + ' ' + currentMatch(), QStringList({idAfter, typed[1], typed[6], typed.mid(2, 3).join('-'), typed[5]}).join(' '));
            QVERIFY(!forms::loaded<Form_Siai>() && forms::loaded<Form_Player>() && forms::loaded<Form_Player>()->isShown());
            return;
        }
        dlg->expectMsgBox(vbOK, message), click(f.cmd_siaiOK);
        QVERIFY(dlg->shown().front().style == vbOKOnly && dlg->beeps() == 1 && keyboard() == f.Txt_Siai[std::size_t(focusBox)] &&
                forms::loaded<Form_Siai>() == &f && !forms::loaded<Form_Player>());
        // The ID read stays current.
        QCOMPARE(f.Txt_Siai[0]->text() + ' ' + MatchId.toString() + ' ' + currentMatch(), idAfter + ' ' + idAfter + QStringLiteral(" 77 3 1999-4-8 9"));
    }

    // The slot arithmetic; players placed with their stored handicaps and handed over.
    void placingWithStoredHandicaps() {
        LastPlayer = 35;
        for (int s = 0; s <= 35; ++s)
            QVERIFY(Cell(placement::laneOf(s), placement::orderOf(s)) == Cell(s / 6 + 1, s % 6 + 1) && placement::slotOf(s / 6 + 1, s % 6 + 1) == s);
        placement::allocateSlots();  // the last cell wraps to the first slot
        QVERIFY(placement::nextCell(1, 6) == Cell(2, 1) && placement::nextCell(6, 6) == Cell(1, 1) && placement::isSlot(0) && placement::isSlot(35) &&
                !placement::isSlot(36) && !placement::isSlot(-1));
        LastPlayer = 41;  // an import added a lane
        QVERIFY(placement::nextCell(6, 6) == Cell(7, 1) && placement::toInt16(2.5) + placement::toInt16(-40000) + placement::toInt16(qInf()) == 2 - 32768);
        Form_Player& f = openPlayers();
        QCOMPARE(cell(f, 0, 1) + cell(f, 6, 0), QStringLiteral("1番目 6ﾚｰﾝ"));
        QVERIFY(cursor(f) == Cell(1, 1) && PlayerIds == std::vector<std::int16_t>(36, -1) && PlayerHcps == std::vector<std::int16_t>(36, 0) && normalHeight(f));
        choose(f, 1), at(f, 2, 3);  // lane 2, third: slot 8
        QCOMPARE(f.txt_ID->text() + f.Txt_NAME->text() + QString::number(CurPlayer), QStringLiteral("1山田8"));
        click(f.Pct_ADD);  // the cursor moves on
        QCOMPARE(slot(8) + cell(f, 2, 3) + QString::number(f.cursorCol()), QStringLiteral("1 山田 12 / 12 12 12 12山田4"));
        // Enter in the player grid places too (as a double-click does), into the next cell.
        choose(f, 3), press(Qt::Key_Return);
        QCOMPARE(slot(9), QStringLiteral("3 佐藤 8 / 8 8 8 8"));
        f.layoutLaneGrid();  // as after reading a file: the names as the slots hold them, padded
        QVERIFY(shownWhole(f, 2, 3) && shownWhole(f, 2, 4) && shownWhole(f, 6, 6));
        saveShot(&f, QStringLiteral("form_player"));

        // The hand-over: every game takes its slot's name; the first visit starts at the first slot.
        scoreEntry().setMarkText(3, "５"), at(f, 0, 0), click(f.Cmd_InpMARK);
        QCOMPARE(f.ScoreEntryVisits * 10 + CurPlayer, 10);
        for (int g = 0; g <= 3; ++g)
            QCOMPARE(ScoreSheet(8, g).Name.str() + ScoreSheet(9, g).Name.str() + ScoreSheet(0, g).Name.str(), QStringLiteral("山田        佐藤        選手名未入力    "));
        QCOMPARE(scoreEntry().playerNameText() + '|' + scoreEntry().gameNumberText() + '|' + scoreEntry().markText(3), QStringLiteral("選手名未入力    | 1|") + EmptyMark);
        // Leaving the window for another hands over the cursor's slot; outside the sheet is slot 0.
        f.Show(), CurGame = 2, at(f, 2, 4);
        forms::get<Form_Start>().Show();
        const QString handed = scoreEntry().playerNameText().trimmed() + scoreEntry().gameNumberText() + QString::number(CurPlayer);
        placement::handOver(-7);
        QCOMPARE(handed + QString::number(CurPlayer), QStringLiteral("佐藤 390"));
    }

    // A player with a handicap only in another season, then one with an ID beyond the scroll bar, is
    // asked for this season's handicap.
    void handicapEnteredForAPlayerWithoutOne() {
        Form_Player& f = openPlayers();
        QVERIFY(execSql("CREATE TRIGGER refuse BEFORE INSERT ON ハンデ WHEN NEW.ハンデ = 998 BEGIN SELECT RAISE(ABORT, 'x'); END"));
        const struct { int id; const char* name; int col, slot, stored, bar; Cell after; } cases[] = {  // bar: the ID bar's place
            {32500, "古株", 5, 34, 3, 1, {6, 6}}, {2, "O'Neil", 6, 35, 4, 2, {1, 1}}};  // from the last cell back to the first
        for (const auto& c : cases) {
            dlg->expectMsgBox(vbOK, QStringLiteral("ハンデを登録してください。")), placeAt(f, c.id, 6, c.col);
            QCOMPARE(f.txt_ID->text().trimmed() + ' ' + f.Txt_HCP[0]->text() + ' ' + QString::number(f.VSc_Sen[0]->value()),
                     QString::number(c.id) + " -1 " + QString::number(c.bar));
            QVERIFY(f.entry() == Form_Player::Entry::Handicap && std::abs(f.Height() - Form_Player::EntryHeight) <= 15 && !f.Grd_LN->isEnabled() &&
                    !f.DBG_Sensyu->isEnabled() && !f.Cmd_InpMARK->isEnabled() && !f.Cmd_newPlayer->isEnabled() && f.Pct_ADD->isHidden() &&
                    !f.Cmd_OK[1]->isHidden() && f.Cmd_OK[0]->isHidden());
            // A refusal, or a handicap the database does not take, beeps and leaves the keyboard in the box.
            const int beeps = dlg->beeps();
            for (const char* typed : {"1000", "-1000", "998", "999"}) {
                QCOMPARE(keyboard(), f.Txt_HCP[0]);
                press(Qt::Key_A, Qt::ControlModifier), typeKeys(QString::fromLatin1(typed)), click(f.Cmd_OK[1]);
            }
            QCOMPARE((dlg->beeps() - beeps) * 10 + int(f.entry() == Form_Player::Entry::None), 31);
            QCOMPARE(placement::seasonHandicap(1, c.id).value_or(-99) * 10 + sql("SELECT COUNT(*) FROM ハンデ WHERE シーズンID = 1").toInt(), 9990 + c.stored);
            QCOMPARE(slot(c.slot) + ' ' + QString::number(placement::slotOfPlayer(std::int16_t(c.id))), QString("%1 %2 999 / 999 999 999 999 %3").arg(c.id).arg(QString::fromUtf8(c.name)).arg(c.slot));
            QVERIFY(cursor(f) == c.after && normalHeight(f) && f.Grd_LN->isEnabled() && f.Cmd_newPlayer->isEnabled() && !f.Pct_ADD->isHidden() && f.Cmd_OK[1]->isHidden());
        }
    }

    // The lane grid shows the placings; a double click or typing in it edits no cell.
    void laneCellsAreNotTypedIn() {
        Form_Player& f = openPlayers();
        const QModelIndex cell = f.Grd_LN->model()->index(1, 1);
        QTest::mouseDClick(f.Grd_LN->viewport(), Qt::LeftButton, {}, f.Grd_LN->visualRect(cell).center());
        settle();
        typeKeys(QStringLiteral("ab")), press(Qt::Key_F2), typeKeys(QStringLiteral("c")), press(Qt::Key_Return);
        QCOMPARE(f.Grd_LN->item(1, 1)->text(), QString());
    }

    // Each way out of the players window leaves the window on top active, with the keyboard: the
    // score entry for its button and menu, the caller for the close box.
    void playersWindowWaysOut() {
        Form_Player* f = &openPlayers();
        for (int way = 0; way < 3; ++way) {
            f = &shown<Form_Player>();
            QCOMPARE(notOnTop(*f), QString());
            if (way == 0) click(f->Cmd_InpMARK);
            else if (way == 1) trigger(f->menu_score);
            else f->subWindow()->close(), settle();
            const Form* top = MdiFrame::instance()->activeForm();
            QVERIFY(top && (way == 2 || top == forms::loaded<form_main>()));
            QCOMPARE(notOnTop(*top), QString());
        }
        QVERIFY(!forms::loaded<Form_Player>());
        saveShot(MdiFrame::instance(), QStringLiteral("players_ways_out"));
    }

    // Each placing refusal leaves the slots as they were (a player placed twice is taken out of the
    // cell); new players are stored with their handicap, or not at all.
    void placingRefusalsAndNewPlayers() {
        Form_Player& f = openPlayers();
        dlg->expectMsgBox(vbOK, QStringLiteral("この選手は選択することができません")), placeAt(f, 0, 1, 1);  // the reserved all-players row: no beep
        QCOMPARE(dlg->beeps() + PlayerIds[0], -1);
        placeAt(f, 1, 3, 0);  // no slot cell selected: beep and move into the heading row's next cell
        QVERIFY(dlg->beeps() == 1 && cursor(f) == Cell(0, 1));
        placeAt(f, 1, 1, 1), dlg->expectMsgBox(vbOK, QStringLiteral("すでに登録された選手がいます。別の場所をクリックしてから入力し直してください。")), placeAt(f, 3, 1, 1);
        QCOMPARE(slot(0) + QString::number(cursor(f).first + cursor(f).second), QStringLiteral("1 山田 12 / 12 12 12 120"));
        dlg->expectMsgBox(vbOK, QStringLiteral("この選手はすでに登録されています。")), placeAt(f, 1, 4, 2);
        QCOMPARE(QString::number(placement::slotOfPlayer(1)) + QString::number(PlayerIds[19]) + PlayerNames[19].str(), QStringLiteral("0-1") + QString(10, ' '));
        QVERIFY(dlg->beeps() == 3 && dlg->allAnswered());
        QVERIFY(db::exec("INSERT INTO 選手 (選手ID, 選手名) VALUES (77, '')") && f.Data_Sensyu->Refresh());
        placeAt(f, 77, 2, 2);  // a player without a name is not placed: on to the next cell
        QVERIFY(cursor(f) == Cell(2, 3) && placement::slotOfPlayer(77) < 0 && cell(f, 2, 2).isEmpty() && dlg->beeps() == 3);
        QVERIFY(db::exec("DELETE FROM 選手 WHERE 選手ID = 77") && f.Data_Sensyu->Refresh());

        placeAt(f, 3, 1, 2), at(f, 1, 1);
        dlg->expectMsgBox(vbOK, QStringLiteral("あいている選手枠をクリックしてから登録してください。")), click(f.Cmd_newPlayer);  // the next cell is taken as well: never overwritten
        QVERIFY(f.entry() == Form_Player::Entry::None);
        at(f, 1, 2), click(f.Cmd_newPlayer);  // moves on to the free third cell
        QVERIFY(cursor(f) == Cell(1, 3) && f.entry() == Form_Player::Entry::NewPlayer && keyboard() == f.Txt_NAME && !f.Cmd_newPlayer->isEnabled() &&
                !f.Cmd_OK[0]->isHidden() && f.Cmd_OK[1]->isHidden() && f.txt_ID->text() + '|' + f.Txt_NAME->text() == QStringLiteral("32501|"));  // the largest ID + 1
        typeKeys(QStringLiteral("D'Arcy"));
        saveShot(&f, QStringLiteral("form_player_newplayer"));
        for (const char* bad : {"201", "-101", ""}) {
            f.Txt_HCP[0]->setText(QString::fromLatin1(bad));
            dlg->expectMsgBox(vbOK, QStringLiteral("入力条件が満たされていません")), click(f.Cmd_OK[0]);
            QCOMPARE(keyboard(), f.Txt_NAME);
        }
        QCOMPARE(sql("SELECT COUNT(*) FROM 選手").toInt(), 5);  // the reserved row and four players
        f.Txt_HCP[0]->setText("200"), click(f.Cmd_OK[0]);  // the grid shows the new player
        QCOMPARE(rows("SELECT 選手名, ハンデ, シーズンID FROM 選手 JOIN ハンデ USING (選手ID) WHERE 選手ID = 32501") + '|' + slot(2) + f.txt_ID->text(),
                 QStringLiteral("D'Arcy 200 1|32501 D'Arcy 200 / 200 200 200 20032501"));
        QVERIFY(cursor(f) == Cell(1, 4) && !f.Txt_NAME->isEnabled() && f.Cmd_newPlayer->isEnabled());

        // An abandoned entry leaves the boxes on the grid's player; -100 passes.
        click(f.Cmd_newPlayer), typeKeys(QStringLiteral("Ghost")), click(f.Cmd_OK[2]);
        QCOMPARE(f.txt_ID->text() + f.Txt_NAME->text() + QString::number(sql("SELECT COUNT(*) FROM 選手 WHERE 選手ID = 32502").toInt() + PlayerIds[3]), QStringLiteral("32501D'Arcy-1"));
        click(f.Cmd_newPlayer), f.Txt_NAME->setText(QStringLiteral("勘解由小路　左衛門尉")), f.Txt_HCP[0]->setText("-100"), click(f.Cmd_OK[0]);
        QVERIFY(slot(3) == QStringLiteral("32502 勘解由小路　左衛門尉 -100 / -100 -100 -100 -100") && shownWhole(f, 1, 4));
        saveShot(&f, QStringLiteral("form_player_longname"));
        {  // the list's row and the name box show it whole too
            const QRect r = f.DBG_Sensyu->visualRect(f.DBG_Sensyu->currentIndex().siblingAtColumn(1));
            const int name = f.DBG_Sensyu->fontMetrics().horizontalAdvance(QStringLiteral("勘解由小路　左衛門尉"));
            QVERIFY(f.DBG_Sensyu->viewport()->rect().contains(r) && name <= r.width() - 4);
            QVERIFY(f.Txt_NAME->fontMetrics().horizontalAdvance(f.Txt_NAME->text()) <= f.Txt_NAME->contentsRect().width() - 4);
        }

        // A player and a handicap are stored together or not at all.
        execSql("CREATE TRIGGER no_hcp BEFORE INSERT ON ハンデ BEGIN SELECT RAISE(ABORT, 'refused'); END");
        QVERIFY(placement::storeNewPlayer(7, "x", 1, 10) == placement::StoreResult::Failed && sql("SELECT COUNT(*) FROM 選手 WHERE 選手ID = 7").toInt() == 0);
        // Refused through the window: a beep, the entry stays open with the name box holding the keyboard.
        const int beeps = dlg->beeps();
        click(f.Cmd_newPlayer), typeKeys(QStringLiteral("Refused")), f.Txt_HCP[0]->setText("10");
        click(f.Cmd_OK[0]);
        QCOMPARE(QString::number(dlg->beeps() - beeps) + QString::number(int(f.entry())) + sql("SELECT COUNT(*) FROM 選手").toString(),
                 QString::number(1) + QString::number(int(Form_Player::Entry::NewPlayer)) + QStringLiteral("7"));
        QCOMPARE(keyboard(), f.Txt_NAME);
        click(f.Cmd_OK[2]);
        execSql("DROP TRIGGER no_hcp");
        // A handicap the database skips without a word, or a player refused where a stray handicap
        // row waits: neither stores the player.
        execSql("CREATE TRIGGER skip_hcp BEFORE INSERT ON ハンデ BEGIN SELECT RAISE(IGNORE); END");
        QVERIFY(placement::storeNewPlayer(8, "w", 1, 10) == placement::StoreResult::Failed);
        execSql("DROP TRIGGER skip_hcp");
        execSql("INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) VALUES (9, 1, 5)");
        execSql("CREATE TRIGGER no_player BEFORE INSERT ON 選手 WHEN NEW.選手ID = 9 BEGIN SELECT RAISE(ABORT, 'refused'); END");
        QVERIFY(placement::storeNewPlayer(9, "v", 1, 10) == placement::StoreResult::Failed &&
                rows("SELECT COUNT(*), SUM(選手ID = 8) FROM 選手 WHERE 選手ID IN (8, 9)") == QStringLiteral("0 "));
        execSql("DROP TRIGGER no_player");
        QVERIFY(placement::storeNewPlayer(3, "y", 1, 10) == placement::StoreResult::IdTaken && placement::storeNewPlayer(7, "z'", 1, 10) == placement::StoreResult::Stored &&
                sql("SELECT COUNT(*) FROM ハンデ WHERE 選手ID = 7").toInt() == 1);

        // Emptying a cell keeps the slot's handicap.
        at(f, 1, 1), click(f.Pct_can);
        QCOMPARE(slot(0) + cell(f, 1, 1), QStringLiteral("-1  12 / 12 12 12 12"));
        // The logic never seats over another player nor twice.
        QVERIFY(placement::seat(0, 7, "z'", 10) && !placement::seat(0, 1, "山田", 12) && !placement::seat(5, 7, "z'", 10) && !placement::seat(36, 2, "x", 0) && PlayerIds[5] == -1);
        // A new player after a lane's taken last cell goes to the next lane's first cell.
        placeAt(f, 1, 2, 6), at(f, 2, 6), click(f.Cmd_newPlayer);
        QVERIFY(cursor(f) == Cell(3, 1) && f.entry() == Form_Player::Entry::NewPlayer);
        click(f.Cmd_OK[2]);
        // No free cell after the last slot, and none in a heading: the entry does not open.
        QVERIFY(placement::seat(LastPlayer, 8, QStringLiteral("末"), 0));
        for (Cell c : {Cell(placement::laneOf(LastPlayer), placement::orderOf(LastPlayer)), Cell(0, 3), Cell(4, 0)}) {
            at(f, c.first, c.second);
            dlg->expectMsgBox(vbOK, QStringLiteral("あいている選手枠をクリックしてから登録してください。")), click(f.Cmd_newPlayer);
            QVERIFY(f.entry() == Form_Player::Entry::None && dlg->allAnswered());
        }
    }

    // Three players by four games: 2 + 3 × 473 lines exactly as the other platform writes them,
    // and its file reads back into the same records; the old layout reads too.
    void knownDayBothWaysAndTheOldLayout() {
        setUpKnownDay();
        const QString path = env->path(QStringLiteral("out.dat"));
        writeSheetFile(path, sheetFromState());
        QVERIFY(fileBytes(path) == fileBytes(Known) && !QFile::exists(path + QStringLiteral(".tmp")));
        const SheetFile f = readSheetFile(Known, Layout::Current);
        QCOMPARE(f.games * 10 + int(f.slots.size()), 43);
        for (int p = 0; p < 3; ++p) {
            QCOMPARE(f.slots[std::size_t(p)].playerId * 1000 + f.slots[std::size_t(p)].venueId, knownPlayers[p].id * 1000 + 2);
            for (int g = 0; g < 4; ++g) VX_COMPARE_GAME(f.slots[std::size_t(p)].games[std::size_t(g)], ScoreSheet(knownPlayers[p].slot, g));
        }
        {  // a player in the very last slot is written too
            const std::int16_t kept = PlayerIds[std::size_t(LastPlayer)];
            PlayerIds[std::size_t(LastPlayer)] = 77;
            const SheetFile last = sheetFromState();
            PlayerIds[std::size_t(LastPlayer)] = kept;
            QCOMPARE(QString::number(last.slots.size()) + ' ' + QString::number(last.slots.back().playerId), QStringLiteral("4 77"));
        }

        // Extremes of every field survive; characters CP932 lacks become "?"; a name's own double
        // quote reads back; a sheet without players is two lines.
        ScoreSheet(0, 3).Scores = {-32768, 300, 0, 1, 2, 3, 4, 5, 6, 7, 300, 32767};
        setBall(ScoreSheet(0, 3), 20, QStringLiteral("1s"), 1, 1, 2, 1023);
        setBall(ScoreSheet(0, 3), 19, QString(), 0, 0, 0, 0);  // an empty mark is a text too
        PlayerNames[0] = QStringLiteral("Ｘ\u00e9yz"), PlayerNames[1] = QStringLiteral("O\"Neil");
        writeSheetFile(path, sheetFromState());
        const SheetFile rt = readSheetFile(path, Layout::Current);
        QCOMPARE(rt.slots[0].name.str() + rt.slots[1].name.str(), QStringLiteral("Ｘ?yz      O\"Neil    "));
        VX_COMPARE_GAME(rt.slots[2].games[2], ScoreSheet(7, 2));
        const vx::GameRecord& g = rt.slots[0].games[3];
        QVERIFY(g.Scores == ScoreSheet(0, 3).Scores && g.Marks[19] + g.Marks[20] + QString::number(g.PinMasks[20]) == QStringLiteral("1s1023"));
        PlayerIds.assign(PlayerIds.size(), -1);
        writeSheetFile(path, sheetFromState());
        QVERIFY(fileBytes(path) == "0\r\n4\r\n" && readSheetFile(path, Layout::Current).slots.empty());
        // A slot's own fields at both ends of their ranges, in files of one and of the most games.
        for (const int games : {1, MaxGames}) {
            const bool low = games == 1;
            SheetFile e{.games = games, .slots = {}};
            e.slots.push_back({.playerId = std::int16_t(low ? 1 : 32767), .name = QStringLiteral("x"), .venueId = std::uint8_t(low ? 0 : 255),
                               .year = std::int16_t(low ? -32768 : 32767), .month = std::uint8_t(low ? 0 : 255), .day = std::uint8_t(low ? 255 : 0),
                               .games = std::vector(std::size_t(games), notEnteredRecord())});
            writeSheetFile(path, e);
            const SheetFile b = readSheetFile(path, Layout::Current);
            const SlotRecord& s = b.slots.at(0);
            QCOMPARE(QList<int>({b.games, s.playerId, s.venueId, s.year, s.month, s.day, int(s.games.size()), s.games.back().Year, s.games.back().Day}),
                     QList<int>({games, e.slots[0].playerId, e.slots[0].venueId, e.slots[0].year, e.slots[0].month, e.slots[0].day, games, e.slots[0].year, e.slots[0].day}));
        }

        // The old layout: no venue or date, no attributes or masks, no handicap.
        QVERIFY(layoutOf(QStringLiteral("/x/OLD.cdt")) == Layout::Old && layoutOf(QStringLiteral("/x/OLD.CDT")) == Layout::Current);
        const QString old = exchangeData(QStringLiteral("old.cdt"));
        const SheetFile o = readSheetFile(old, Layout::Old);
        const vx::GameRecord& r0 = o.slots[0].games[0];
        // Attributes as the calculation gives them, so only entered balls count as played ("8s" is a
        // configured split mark); no pin data.
        QCOMPARE(QList<int>({o.games, r0.Scores[11], r0.Scores[0] - r0.Scores[10], r0.PinMasks[0], r0.Attrs[0], r0.Attrs[3], r0.Attrs[2], r0.Attrs[4], r0.Attrs[6], o.slots[0].games[1].Attrs[0]}),
                 QList<int>({2, 0, 0, vx::PinMask::NoData, vx::BallAttr::Strike, vx::BallAttr::Spare, vx::BallAttr::Plain, vx::BallAttr::Split, vx::BallAttr::NotSet, vx::BallAttr::Foul}));
        QList<QByteArray> oldLines = fileBytes(old).split('\n'); oldLines[75] = "150\r";
        QCOMPARE(int(readSheetFile(put(path, oldLines.join('\n')), Layout::Old).slots[0].games[0].Scores[0]), 150);  // the total is the score
        // Only a pin count of 1 to 8 shown with a split mark was a split.
        auto ballFour = [&](const QByteArray& mark, const QByteArray& code) {
            QList<QByteArray> l = fileBytes(old).split('\n');
            l[15] = '"' + mark + "\"\r", l[16] = code + '\r';
            return int(readSheetFile(put(path, l.join('\n')), Layout::Old).slots[0].games[0].Attrs[4]);
        };
        QCOMPARE(QList<int>({ballFour("1s", "1"), ballFour("8s", "9"), ballFour("3s", "0"), ballFour("8s", "10")}),
                 QList<int>({vx::BallAttr::Split, vx::BallAttr::Plain, vx::BallAttr::Plain, vx::BallAttr::Strike}));
        MarkTexts[8] = QStringLiteral("⑧");  // no longer a configured text
        QCOMPARE(readSheetFile(old, Layout::Old).slots[0].games[0].Attrs[4], vx::BallAttr::Plain);
        QVERIFY_THROWS_EXCEPTION(vx::TextFileError, readSheetFile(old, Layout::Current));
    }

    // Every damage is refused with the file and the line that holds it. Random damage to a valid
    // file, a fixed sample: every outcome is a clean read or a refusal, and whatever reads holds
    // only values the sheet can carry.
    void damagedFiles() {
        QList<QByteArray> ok = fileBytes(Known).split('\n');
        ok.removeLast();  // after the last line end
        auto joined = [](const QList<QByteArray>& l) { return l.join('\n') + '\n'; };
        struct Damage { const char* what; int line; QByteArray text; int at; };  // line `line` becomes `text`; refused at `at`
        const Damage damages[] = {
            {"G = 11", 2, "11", 2}, {"G = 0", 2, "0", 2}, {"negative count", 1, "-1", 1}, {"number for a mark", 8, "7", 8},
            {"text for a code", 9, "\"10\"", 9}, {"unquoted name", 3, "3,Yamada", 3}, {"unclosed name", 3, "3,\"Yamada", 3}, {"decimal", 10, "1.5", 10},
            {"code 31", 9, "31", 9}, {"code 11", 9, "11", 9}, {"pins 11", 10, "11", 10}, {"attr 5", 11, "5", 11},
            {"mask 1024", 12, "1024", 12}, {"score 40000", 113, "40000", 113}, {"venue 256", 4, "256", 4}, {"month 256", 6, "256", 6},
            {"ID 0", 3, "0,\"x\"", 3}, {"ID 32768", 3, "32768,\"x\"", 3}, {"lone quote", 3, "3,\"", 3}, {"name closed only", 3, "3,x\"", 3},
            {"code 18", 9, "18", 9}, {"code 22", 9, "22", 9}, {"code 29", 9, "29", 9}, {"pins -1", 10, "-1", 10}, {"attr -2", 11, "-2", 11},
            {"mask -2", 12, "-2", 12}, {"year 32768", 5, "32768", 5}, {"day 256", 7, "256", 7}, {"venue -1", 4, "-1", 4}, {"thirteen digits", 2, "0000000000004", 2},
            {"mark unquoted", 8, "x", 8}, {"minus only", 2, "-", 2}, {"name of 11", 3, "3,\"12345678901\"", 3}, {"one slot too many", 1, "2", 949},
            {"one slot too few", 1, "4", 1422}, {"empty", 0, {}, 1}, {"truncated in a game", 0, joined(ok.mid(0, 600)), 601},
            {"invalid CP932", 0, joined(ok).replace(joined(ok).indexOf("\r\n\"") + 3, 1, "\x85"), 8},  // 0x85 is unassigned
            {"10 MB garbage", 0, QByteArray(10 * 1024 * 1024, '\0'), -1}};
        const QString path = env->path(QStringLiteral("bad.dat"));
        QRandomGenerator rng(17);
        for (const Damage& d : damages) {
            QList<QByteArray> lines = ok;
            if (d.line > 0) lines[d.line - 1] = d.text + '\r';
            QByteArray bytes = d.line > 0 ? joined(lines) : d.text;
            if (d.at < 0)
                for (char& c : bytes) c = char(rng.bounded(256));
            try {
                readSheetFile(put(path, bytes), Layout::Current);
                QFAIL(d.what);
            } catch (const vx::TextFileError& e) {
                QVERIFY2(e.fileName == path && (d.at < 0 || e.line == d.at) && !e.reason.isEmpty(), d.what);
            }
        }
        QList<QByteArray> padded = ok;  // twelve digits are still a number
        padded[1] = ok[1].trimmed().rightJustified(12, '0') + '\r';
        QCOMPARE(readSheetFile(put(path, joined(padded)), Layout::Current).games, readSheetFile(Known, Layout::Current).games);
        rng.seed(20260517);
        int refusals = 0;
        for (int n = 0; n < 1500; ++n) {
            QByteArray b = joined(ok);
            for (int i = 0, edits = int(rng.bounded(1, 6)); i < edits; ++i) {
                const int at = int(rng.bounded(b.size() + 1));
                switch (rng.bounded(4)) {
                    case 0: if (at < b.size()) b[at] = char(rng.bounded(256)); break;
                    case 1: b.insert(at, char(rng.bounded(256))); break;
                    case 2: b.remove(at, int(rng.bounded(1, 40))); break;
                    default: b.truncate(at); break;
                }
            }
            try {
                const SheetFile f = readSheetFile(put(path, b), Layout::Current);
                QVERIFY(f.games >= 1 && f.games <= MaxGames);
                for (const SlotRecord& s : f.slots) {
                    QCOMPARE(int(s.games.size()), f.games);
                    for (const vx::GameRecord& r : s.games)
                        for (auto p : r.PinsDown) QVERIFY(p <= 10);
                }
            } catch (const vx::TextFileError&) {
                ++refusals;
            }
        }
        QVERIFY(refusals > 1000);
    }

    void exportFile_data() {
        QTest::addColumn<int>("check");           // answer to "back to the input?"
        QTest::addColumn<QStringList>("answers");  // typed numbers; all but the last are refused
        QTest::addColumn<QString>("file");
        QTest::newRow("12") << int(vx::vbNo) << QStringList{"12"} << "B_000012.dat";
        QTest::newRow("full-width, repeated as typed") << int(vx::vbNo) << QStringList{"１２"} << "B_000012.dat";
        QTest::newRow("first six digits") << int(vx::vbNo) << QStringList{"1234567"} << "B_123456.dat";
        QTest::newRow("nought and nine") << int(vx::vbNo) << QStringList{"90"} << "B_000090.dat";
        QTest::newRow("not digits, then cancel") << int(vx::vbNo) << QStringList{"../12", "1a", ""} << "";
        QTest::newRow("back to the input") << int(vx::vbYes) << QStringList{} << "";
    }

    // The export asks after the check, writes the numbered file byte for byte and returns to the
    // program's folder however it ends.
    void exportFile() {
        QFETCH(int, check);
        QFETCH(QStringList, answers);
        QFETCH(QString, file);
        knownDay();
        if (file.isEmpty()) QDir::setCurrent(QDir::tempPath());  // a written file lies in the current folder
        dlg->expectMsgBox(check, QStringLiteral("入力されていないデータがある可能性があります。入力に戻りますか？"));
        for (qsizetype i = 0; i < answers.size(); ++i) {
            dlg->expectInputBox(answers[i], QStringLiteral("他のコンピュータで\r読み込むときの\r番号を入力して\rください。"));
            if (i + 1 < answers.size()) dlg->expectMsgBox(vx::vbOK, QStringLiteral("数字"));
        }
        if (!file.isEmpty())
            dlg->expectMsgBox(vx::vbOK, QStringLiteral("ファイルへのデータの書き出しが終了しました\rファイル番号は　%1　です。").arg(answers.last()));
        Cmd_Data_IO_Click(0);
        QVERIFY(dlg->allAnswered() && dlg->shown()[0].style == vx::vbYesNo + vx::vbExclamation && (answers.isEmpty() || dlg->shown()[1].title == QStringLiteral("データ番号の入力")));
        if (!file.isEmpty()) QCOMPARE(fileBytes(env->path(file)), fileBytes(Known));
        QCOMPARE(QString::number(dlg->beeps()) + QDir(env->home()).entryList({QStringLiteral("B_*")}).join(u',') + QString::number(windows_.hidden * 10 + windows_.shown) + QDir::currentPath(),
                 QString::number(std::max<int>(0, int(answers.size()) - 1)) + file + (check == vx::vbNo ? "11" : "0") + home());
    }

    // An export the disk refuses says so with a beep and the file's name; the windows come back
    // and no file stays.
    void exportThatCannotBeWritten() {
        knownDay();
        dlg->expectMsgBox(vx::vbNo).expectInputBox(QStringLiteral("12"));
        dlg->expectMsgBox(vx::vbOK, QStringLiteral("ファイルに書き込めませんでした。\r") + env->path(QStringLiteral("B_000012.dat")) + '\r');
        {
            vx::test::FileSizeLimit full(100);
            Cmd_Data_IO_Click(0);
        }
        QVERIFY(dlg->allAnswered() && dlg->shown().back().style == vx::vbOKOnly + vx::vbExclamation && !QFile::exists(env->path(QStringLiteral("B_000012.dat"))));
        QCOMPARE(dlg->beeps() * 100 + windows_.hidden * 10 + windows_.shown, 111);
    }

    // The file's players take whole new lanes after the old sheet, which keeps its contents.
    void importGrowsTheSheetByLanes() {
        knownDay();
        execSql(QStringLiteral("INSERT INTO \"選手\" (\"選手ID\", \"選手名\") VALUES (3, '山田太郎'), (12, 'Suzuki'), (25, '佐藤　花子')"));
        QDir::setCurrent(QDir::tempPath());
        import(Known);
        QCOMPARE(QDir::currentPath() + QString::number(LastPlayer * 10 + LastGame), home() + QStringLiteral("413"));
        for (int p = 0; p < 3; ++p) {
            QCOMPARE(PlayerIds[std::size_t(36 + p)] * 100 + PlayerHcps[std::size_t(36 + p)], knownPlayers[p].id * 100 + knownPlayers[p].hcp);
            for (int g = 0; g <= 3; ++g) VX_COMPARE_GAME(ScoreSheet(36 + p, g), ScoreSheet(knownPlayers[p].slot, g));
        }
        for (std::size_t s = 39; s <= 41; ++s)
            QCOMPARE(QString("%1 %2 %3 %4").arg(PlayerIds[s]).arg(PlayerHcps[s]).arg(PlayerNames[s].str().trimmed()).arg(ScoreSheet(int(s), 0).Codes[0]),
                     QStringLiteral("-1 -1 選手名未入力 30"));
        QCOMPARE(QList<int>({windows_.hidden, windows_.shown, windows_.laneGrid, windows_.requeried, windows_.waiting, ScoreSheet(0, 0).Marks[4] == QStringLiteral("8s")}),
                 QList<int>({1, 1, 1, 0, 0, 1}));  // old slots untouched

        // Seven players need two lanes (8 lanes in all); five games raise the sheet to five games.
        placePlayer(41, 25, QStringLiteral("佐藤　花子"), 7);  // the old sheet's last slot taken
        import(makeFile(env->path(QStringLiteral("seven.dat")), {{101, "a", 0}, {102, "b", 0}, {103, "c", 0}, {104, "d", 0}, {105, "e", 0}, {106, "f", 0}, {107, "g", 0}}, 5),
               QStringList(7, QStringLiteral("この選手を登録します。")));
        // An old player's added game is empty but keeps the player's name and handicap; an empty slot's is blank.
        QCOMPARE(QList<int>({LastPlayer * 10 + LastGame, PlayerIds[48] * 10 + PlayerIds[49], ScoreSheet(0, 4).Codes[0] * 100 + ScoreSheet(0, 4).Scores[11], windows_.requeried,
                             ScoreSheet(0, 4).Name.str() == ScoreSheet(0, 0).Name.str(), ScoreSheet(39, 4).Scores[11]}), QList<int>({534, 1069, 3015, 1, 1, 0}));
        QCOMPARE(ScoreSheet(41, 4).Name.str().trimmed() + QString::number(ScoreSheet(41, 4).Scores[11]), QStringLiteral("佐藤　花子7"));

        // No players: no lane, but the games still rise (never above ten).
        import(makeFile(env->path(QStringLiteral("none.dat")), {}, 10));
        QCOMPARE(LastPlayer * 10 + LastGame, 539);

        // Old-format files take the venue and date of the sheet's first record and no handicap.
        import(exchangeData(QStringLiteral("old.cdt")));
        QCOMPARE(QList<int>({LastPlayer, PlayerHcps[54] * 1000 + ScoreSheet(54, 0).Scores[3], ScoreSheet(54, 0).Year * 1000 + ScoreSheet(54, 0).VenueId,
                             ScoreSheet(55, 3).Codes[0]}), QList<int>({59, 46, 2026002, 30}));  // the last: beyond the file's two games

        // Every value of every record is taken as the file holds it, per-game handicaps included.
        SheetFile varied = readSheetFile(Known, Layout::Current);
        for (int g = 0; g < 4; ++g) {
            auto& scores = varied.slots[0].games[std::size_t(g)].Scores;
            scores[11] = std::int16_t(g == 0 ? 12 : 14);
            scores[0] = std::int16_t(scores[10] + scores[11]);
        }
        writeSheetFile(env->path(QStringLiteral("varied.dat")), varied);
        import(env->path(QStringLiteral("varied.dat")));
        QCOMPARE(PlayerHcps[60], std::int16_t(12));
        for (int g = 0; g < 4; ++g) VX_COMPARE_GAME(ScoreSheet(60, g), varied.slots[0].games[std::size_t(g)]);
        LastPlayer = 32762, import(Known, {QStringLiteral("人数が多すぎます")}), LastPlayer = 65;  // no slot numbers beyond 32767
        // Six players fill one lane, the last of them registered like the others.
        import(makeFile(env->path(QStringLiteral("six.dat")), {{111, "u", 0}, {112, "v", 0}, {113, "w", 0}, {114, "x", 0}, {115, "y", 0}, {116, "z", 0}}),
               QStringList(6, QStringLiteral("この選手を登録します。")));
        QCOMPARE(LastPlayer * 1000 + PlayerIds[71] + sql("SELECT COUNT(*) FROM 選手 WHERE 選手ID = 116").toInt(), 71117);
    }

    // Every case of matching the file's players with the registered ones, in slot order.
    void reconciliation() {
        knownDay();
        execSql(QStringLiteral("INSERT INTO \"選手\" (\"選手ID\", \"選手名\") VALUES (3, '山田太郎'), (12, '田中'), (40, '佐藤　花子'), "
                               "(41, '高橋'), (27, '別人'), (42, '伊藤'), (28, '他人'), (43, '加藤')"));
        placePlayer(35, 99, QStringLiteral("前の選手"), 7);  // slots before the file's are not looked at
        const int before = playerCount();
        const QString file = makeFile(env->path(QStringLiteral("B_000001.dat")),
                                      {{3, "山田太郎", 15}, {12, "Suzuki", -5}, {25, "佐藤　花子", 0}, {26, "高橋", 7},
                                       {27, "伊藤", 8}, {28, "加藤", 9}, {30, "新人", 20}, {31, "O'Brien", 1},
                                       {30, "新人", 20}});
        const QString pad8(8, QLatin1Char(' '));
        dlg->expectOpenFile(file)
            .expectMsgBox(vx::vbOK, QStringLiteral("ファイルを調べてみると、\rSuzuki    選手と同じIDに、\r違う選手が登録されています。\rSuzuki    選手の登録IDを変更して\r登録します。\r"))
            .expectMsgBox(vx::vbYes, QStringLiteral("\r佐藤　花子     選手が違うIDで\r登録されています。\r読み込まれる側の登録IDに変更しますか？\r[いいえ]を選択すると同姓同名の違う選手として登録します。\r"))
            .expectMsgBox(vx::vbNo, QStringLiteral("高橋") + pad8 + QStringLiteral("選手が違うIDで"))
            .expectMsgBox(vx::vbYes, QStringLiteral("\r伊藤") + pad8 + QStringLiteral("選手が違うIDで\r登録されています。\r読み込まれる側の登録IDに変更しますか？\r[いいえ]を選択すると同姓同名の違う\r選手としてIDを変えて登録します。\r"))
            .expectMsgBox(vx::vbNo, QStringLiteral("加藤"))
            .expectMsgBox(vx::vbOK, QStringLiteral("新規に読み込むファイルを調べると、\r読み込まれる側に登録されていない\r新人") + pad8 + QStringLiteral("選手が登録されています。\rこの選手を登録します。\r"))
            .expectMsgBox(vx::vbOK, QStringLiteral("O'Brien   選手が登録されています。"));
        Cmd_Data_IO_Click(1);
        QVERIFY(dlg->allAnswered() && dlg->shown()[1].style * 10000 + dlg->shown()[2].style * 100 + dlg->shown()[4].style == vx::vbOKOnly * 10000 + (vx::vbYesNo + 4096) * 101);

        // the last slot before as it was; same, ID taken, name elsewhere Yes / No, both Yes / No, new, new (quote in the name), and
        // the same new player again, now registered by the slot before (not refused by the database)
        QCOMPARE(std::vector<std::int16_t>(PlayerIds.begin() + 35, PlayerIds.begin() + 45), (std::vector<std::int16_t>{99, 3, 44, 40, 26, 42, 45, 30, 31, 30}));
        QCOMPARE(PlayerNames[35].str().trimmed() + QString::number(PlayerHcps[35]), QStringLiteral("前の選手7"));
        QCOMPARE(playerCount() * 10 + windows_.requeried, (before + 5) * 10 + 1);
        QCOMPARE(rows("SELECT 選手ID, 選手名, ハンデ, シーズンID FROM 選手 JOIN ハンデ USING (選手ID) WHERE 選手ID IN (25, 30, 31, 44) ORDER BY 1"),
                 QStringLiteral("30 新人         20 1|31 O'Brien    1 1|44 Suzuki     -5 1"));
    }

    // A damaged file, or a database that refuses a row, leaves the sheet and the database as they were.
    void failedImportsChangeNothing() {
        knownDay();
        const auto ids = PlayerIds;
        const QString cut = put(env->path(QStringLiteral("cut.dat")), fileBytes(Known).left(3000));
        const int before = playerCount();
        QDir::setCurrent(QDir::tempPath());
        import(cut, {QStringLiteral("この名前で保存されたファイルはデータファイルではありません\r") + cut});
        QVERIFY(dlg->prompts().last().contains(QStringLiteral("行目")) && LastPlayer == 35 && PlayerIds == ids && QDir::currentPath() == home());
        QCOMPARE(dlg->shown().back().style * 1000 + dlg->beeps() * 100 + windows_.laneGrid * 10 + windows_.shown, vx::vbOKOnly * 1000 + 101);

        // The third new player is refused by the database: the first two are not kept either.
        execSql(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON \"選手\" WHEN NEW.\"選手ID\" = 25 BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        import(Known, QStringList(3, QStringLiteral("この選手を登録します。")) << QStringLiteral("refused"));
        QCOMPARE(dlg->prompts().last().section(u'\r', 2), QStringLiteral("データベースを更新できません: refused"));  // no line to blame
        QCOMPARE(playerCount() * 100 + LastPlayer + sql(QStringLiteral("SELECT COUNT(*) FROM \"ハンデ\"")).toInt() * 10000, before * 100 + 35);
        // A player who needs a new ID when the largest one is taken.
        execSql(QStringLiteral("DROP TRIGGER refuse"));
        execSql(QStringLiteral("INSERT INTO \"選手\" (\"選手ID\", \"選手名\") VALUES (3, '別人'), (32767, '最後')"));
        import(Known, {QStringLiteral("データベースを更新できません: 選手IDに空きがありません")});
        QCOMPARE(playerCount() * 100 + LastPlayer, (before + 2) * 100 + 35);

        // An import that reads no file leaves the game being entered as it is, on screen and in the
        // sheet, also behind real (modal) dialogs after which the players window must not stay active.
        auto& players = vxtest::shown<vx::Form_Player>();
        placePlayer(0, 3, QStringLiteral("山田太郎"), 15);
        click(players.Cmd_InpMARK);
        auto& f = vx::forms::get<vx::form_main>();
        typeKeys(QStringLiteral("72"));
        dlg->modal();
        for (const QString& file : {cut, QString()}) {
            dlg->expectOpenFile(file);
            if (!file.isEmpty()) dlg->expectMsgBox(vx::vbOK, QStringLiteral("データファイルではありません"));
            click(f.Cmd_Data_IO[1]), click(f.Cmd_INFO);
            QCOMPARE(QString::number(dlg->allAnswered()) + f.Txt_MARK[0]->text() + f.Txt_MARK[1]->text() + f.Txt_score[0]->text(), QStringLiteral("1７２24"));
            QCOMPARE(ScoreSheet(0, 0).Marks[1] + QString::number(ScoreSheet(0, 0).Codes[0]) + QString::number(LastPlayer), QStringLiteral("２735"));
        }
    }

    // The filter offers backups only for a positive number on the clipboard; the dialog starts in
    // the program's folder; the waiting window stands while the import asks and is gone after it.
    // A backup of the day is offered when the score entry loads; Yes brings its players back.
    void filterWaitingRecoveryAndBackup() {
        knownDay();
        windows_.clipboard = QStringLiteral("abc");
        dlg->expectOpenFile(QString()), Cmd_Data_IO_Click(1);
        QCOMPARE(dlg->shown().back().filter + dlg->shown().back().initial, QStringLiteral("データファイル (*.dat or *.cdt)|*.dat;*.cdt") + home());
        for (const char* held : {"0", "1"}) {
            windows_.clipboard = QString::fromLatin1(held);
            dlg->expectOpenFile(QString()), Cmd_Data_IO_Click(1);
            QCOMPARE(dlg->shown().back().filter.contains(QStringLiteral("*.bup")), held[0] == '1');
        }
        windows_.clipboard = QStringLiteral("260517");
        dlg->expectOpenFile(Known);
        for (int i = 0; i < 3; ++i) dlg->expectMsgBox(vx::vbOK, QStringLiteral("この選手を登録します。"), [this] { QVERIFY(windows_.waiting); });
        Cmd_Data_IO_Click(1);
        QVERIFY(dlg->shown()[3].filter == QStringLiteral("データファイル (*.dat or *.cdt),バックアップファイル(*.bup)|*.dat;*.cdt;*.bup") && !windows_.waiting);

        windows_.clipboard.clear();  // the recovery offers the backups by itself
        offerRecovery();  // no backup: nothing asked
        setUpKnownDay();
        Cmd_Data_IO_Click(2);
        setUpMatch(35, 3);  // the sheet of a fresh start
        MatchYear = 2026, MatchMonth = 5, MatchDay = 17, dlg->expectMsgBox(vx::vbNo, QStringLiteral("同じ日付のデータで、\r\n保存されていないデータがあります。\r\n読み込みますか？")), offerRecovery();
        QCOMPARE(dlg->shown().back().style * 100 + LastPlayer, vx::vbYesNo * 100 + 35);
        const QString bup = env->path(QStringLiteral("B_260517.bup"));
        dlg->expectMsgBox(vx::vbYes).expectOpenFile(bup), offerRecovery();
        // (What comes back, ball by ball, the end-to-end day checks.)
        QVERIFY(dlg->shown().back().initial == bup && dlg->shown().back().filter.contains(QStringLiteral("*.bup")) && LastPlayer == 41);

        // The backup follows every refresh; a failed rewrite keeps the last good one and says so once.
        knownDay();
        vx::scoreEntry().setListener(&backupOnRefresh_);
        start(vx::scoreEntry());
        QCOMPARE(readSheetFile(bup, Layout::Current).slots.size(), std::size_t(3));
        import(Known);
        QCOMPARE(readSheetFile(bup, Layout::Current).slots.size(), std::size_t(6));

        const QByteArray good = fileBytes(bup);
        PlayerIds[39] = 9;
        dlg->expectMsgBox(vx::vbOK, QStringLiteral("自動保存ファイルに書き込めません。"));
        {
            vx::test::FileSizeLimit full(100);
            Cmd_Data_IO_Click(2), Cmd_Data_IO_Click(2);
        }
        QCOMPARE(dlg->beeps() + fileBytes(bup).compare(good), 1);
        Cmd_Data_IO_Click(2);
        QCOMPARE(readSheetFile(bup, Layout::Current).slots.size(), std::size_t(7));
        // A change that keeps the file's size is written too.
        ScoreSheet(0, 0).PinsDown[1] = ScoreSheet(0, 0).PinsDown[1] == 1 ? 2 : 1;
        Cmd_Data_IO_Click(2);
        QCOMPARE(fileBytes(bup), sheetFileBytes(sheetFromState()));
        // A backup removed behind the program's back comes again at the next refresh; one cut short
        // as well, even with its time kept.
        QFile::remove(bup), Cmd_Data_IO_Click(2);
        QCOMPARE(fileBytes(bup), sheetFileBytes(sheetFromState()));
        {
            QFile cut(bup);
            const QDateTime written = QFileInfo(bup).lastModified();
            QVERIFY(cut.open(QIODevice::ReadWrite) && cut.resize(100) && cut.setFileTime(written, QFileDevice::FileModificationTime));
        }
        Cmd_Data_IO_Click(2);
        QCOMPARE(fileBytes(bup), sheetFileBytes(sheetFromState()));
        vx::scoreEntry().setListener(nullptr);
        // Written where the user last was; the program's folder is current after.
        QTemporaryDir elsewhere;
        QDir::setCurrent(elsewhere.path());
        Cmd_Data_IO_Click(2);
        QVERIFY(QFile::exists(elsewhere.filePath(QStringLiteral("B_260517.bup"))));
        QCOMPARE(QDir::currentPath(), home());

        MatchYear = 2000, MatchMonth = 5, MatchDay = 6;
        QCOMPARE(backupFileName(), QStringLiteral("B_000506.bup"));
    }


    // The day's calculation: points by method (weighted, linear, none set), typed points, placings,
    // ties, fewer games, misses and prizes; the results file.
    void dayCalculation() {
        day();
        const std::pair<int, QList<int>> methods[] = {  // points of day ranks 1, 2, ... among that many players
            {0, {17, 12, 9, 1, 0, 0, 0, 0}}, {0, {15, 10, 7, 0, 0, 0}}, {0, {14, 9, 0, 0, 0}}, {0, {13, 8, 0, 0}},
            {0, {12, 0, 0}}, {1, {5, 4, 3, 2, 1}}, {-1, {0, 0, 0}}};
        for (const auto& [method, expected] : methods) {
            std::vector<DayPlayer> players;
            for (int i = 0; i < expected.size(); ++i) players.push_back({QStringLiteral("選手%1").arg(i + 1), std::int16_t(i + 1), 0, {250 - 10 * i, 100}});
            setDay(players), calc({.pointMethod = method});
            QList<int> got;  // rank, points of the best game and of the other (none)
            for (int p = 1; p <= expected.size(); ++p) got << (DayRank[std::size_t(p)] - p) * 1000 + placed(p).優Ｐ + DayResults(p, 2).優Ｐ * 100;
            QCOMPARE(got, expected);
        }
        std::array<QString, 30> t = vx::DayOptions::filledPointTexts();
        t[0] = QStringLiteral(" 25点"), t[1] = QStringLiteral("2.5"), t[2] = QStringLiteral("3.5"), t[3] = QStringLiteral("abc");
        t[29] = QStringLiteral("3");  // "30着 以下"
        QList<int> typed;
        for (int place : {1, 2, 3, 4, 45}) typed << vx::WinningPoints(2, place, place > 8 ? 50 : 8, t);
        QCOMPARE(typed, (QList<int>{25, 2, 4, 0, 3}));
        setDay(oneGame({250, 249, 248, 247, 246, 245, 244, 243, 242, 241, 240, 239})), calc();
        // The best-10 list runs through rank 11, then stops.
        QCOMPARE(QString::number(vx::Best10Lines(0, {}).values.count(QStringLiteral("\r\n"))) + vx::PlacingText(9) + vx::PlacingText(123) + placed(10).入賞.str(),
                 QStringLiteral("11９着23着10着 "));

        // Typed points beyond the field's width are refused with a message, not stored.
        vx::DayOptions opt{.pointMethod = 2};
        opt.pointTexts[0] = QStringLiteral("32767");
        const bool fits = vx::CalculateDay(opt).ok;
        opt.pointTexts[0] = QStringLiteral("32768");
        QVERIFY(fits && vx::CalculateDay(opt).error.contains(QStringLiteral("points")));

        // Ties share ranks and places; players with fewer games; spare misses; the booby prize.
        setDay({{QStringLiteral("山田"), 1, 0, {200}}, {QStringLiteral("佐藤"), 2, 0, {200}}, {QStringLiteral("鈴木"), 3, 0, {150}}});
        vx::DayOutput out = calc();
        QString got;  // rank, upper half (3 players: 1.5 >= rank), placing
        for (int p = 1; p <= 3; ++p) got += QString("%1 %2 %3|").arg(DayResults(p, 1).順位).arg(DayResults(p, 1).上位).arg(placed(p).入賞.str());
        QVERIFY(got == QStringLiteral("1 1 １着  |1 1 １着  |3 0 ３着  |") && placed(1).優Ｐ == placed(2).優Ｐ);
        QCOMPARE(out.board.names[1] + out.board.values[0], pad(QStringLiteral("山田")).left(5) + QStringLiteral(" 他200"));
        setDay({{QStringLiteral("山田太郎𠮷田"), 1, 0, {200}}, {QStringLiteral("佐藤"), 2, 0, {200}}});
        QCOMPARE(calc().board.names[1], QStringLiteral("山田太郎𠮷 他"));  // five whole characters

        // Equal games of one player: the later one is the best.
        setDay({{QStringLiteral("山田"), 1, 10, {180, 180}}, {QStringLiteral("佐藤"), 2, 0, {150, 120}}}), calc();
        QCOMPARE(QString::number(DayResults(1, 2).当日 * 1000 + DayResults(1, 1).当日 * 100 + DayResults(1, 2).HcpDayOrder * 10 + DayResults(1, 1).HcpDayOrder) +
                     DayResults(1, 2).入賞.str() + DayResults(1, 1).入賞.str() + QString::number(BestHcpScores(1, 1) * 1000 + BestScratchScores(1, 2)),
                 QStringLiteral("1010１着      190180"));

        auto top = [](const std::vector<DayPlayer>& players) {
            setDay(players);
            const QString name = calc().board.names[0];
            return name + QString::number(TopRank[1] * 10 + TopRank[2]);
        };
        const DayPlayer a{QStringLiteral("Ａ"), 1, 0, {200, 190}}, b{QStringLiteral("Ｂ"), 2, 0, {190, 200}};
        // Equal best and second best: the third game decides when there is one.
        // Each further sharer adds to the whole name text.
        QCOMPARE(top({{a.name, 1, 0, {200, 190, 150}}, {b.name, 2, 0, {190, 200, 160}}}) + '|' + top({a, b}) + '|' + top({a, b, {QStringLiteral("Ｃ"), 3, 0, {200, 190}}}),
                 pad(b.name) + "21|" + pad(a.name) + QStringLiteral(" 他11|") + pad(a.name) + QStringLiteral(" 他 他11"));

        // A player with fewer games: games 1 and 3 of the sheet were bowled; the second column is sheet game 3.
        setDay({{QStringLiteral("Ａ"), 1, 0, {150, 210}}, {QStringLiteral("Ｂ"), 2, 0, {180, 0}}, {QStringLiteral("Ｃ"), 3, 0, {160, 170}}}, {3, 0, 2});
        out = calc({.pointTarget = 2});
        QCOMPARE(DayResults(1, 2).人数 * 1000 + DayResults(2, 2).順位 * 100 + DayResults(1, 2).上位 * 10 + DayResults(3, 2).上位, 2310);
        QVERIFY(AverageScores[2] == 180.0 && DayRank == (std::vector<std::int16_t>{0, 1, 1, 3}));  // the game of 0 is left out
        QCOMPARE(out.board.names[4] + out.board.values[4] + placed(2).入賞.str() + QString::number(placed(2).ｹﾞｰﾑ), pad(QStringLiteral("Ａ")).left(5) + QStringLiteral(" 他180１着  1"));

        // Spare misses, with and without a split left open.
        setDay({{QStringLiteral("Ａ"), 1, 0, {120, 200}}});
        auto& g1 = PlayedSheet(1, 1).Attrs;  // a split left open; strike, 7, miss in the tenth
        g1[0] = vx::BallAttr::Split, g1[3] = vx::BallAttr::Spare, g1[4] = vx::BallAttr::Strike, g1[5] = vx::BallAttr::NotSet, g1[18] = vx::BallAttr::Strike;
        auto& g2 = PlayedSheet(1, 2).Attrs;  // strike, strike, 5
        g2[18] = g2[19] = vx::BallAttr::Strike, g2[20] = vx::BallAttr::Plain;

        opt = {.splitNotSpareMiss = true};
        calc(opt);
        QCOMPARE(DayResults(1, 1).ST * 10000 + DayResults(1, 1).SP * 1000 + DayResults(1, 1).ｽﾌﾟﾘｯﾄ * 100 + DayResults(1, 1).SPF * 10 + DayResults(1, 2).SPF, 21179);
        opt.splitNotSpareMiss = false;
        calc(opt);
        QCOMPARE(DayResults(1, 1).SPF * 10 + DayResults(1, 2).SPF, 89);  // the open split frame now counts

        auto booby = [](const std::vector<int>& scores) {
            setDay(oneGame(scores));
            const vx::DayOutput out = calc();
            return out.board.names[5] + out.board.values[5];
        };
        // Above a sole last; the first of a shared last; none for one player.
        QCOMPARE(booby({180, 190, 170}) + booby({190, 170, 170}) + booby({190}), pad(QStringLiteral("Ａ")) + "180" + pad(QStringLiteral("Ｂ")) + "170");

        // Without a target the first one serves.
        setDay({{QStringLiteral("Ａ"), 1, 50, {150}}, {QStringLiteral("Ｂ"), 2, 0, {180}}}), calc({.pointTarget = -1});
        QCOMPARE(placed(1).入賞.str() + placed(2).入賞.str(), QStringLiteral("１着  ２着  "));
        setDay({{QStringLiteral("Ａ"), 1, 0, {1, 199}}}), calc();
        QCOMPARE(AverageScores[1], 100.0);  // a game of one pin counts
        // Per-game strikes truncated to two decimals; averages with every decimal; a game of 0 left out.
        setDay({{QStringLiteral("Ａ"), 1, 5, {180, 190, 192, 0}}, {QStringLiteral("Ｂ"), 2, 0, {150, 150, 150, 150}}});
        for (int g = 1; g <= 3; ++g) PlayedSheet(1, g).Attrs[18] = vx::BallAttr::Strike;
        for (int k : {0, 2, 4, 6}) PlayedSheet(1, 1).Attrs[std::size_t(k)] = vx::BallAttr::Strike;
        PlayedSheet(1, 4).Attrs[0] = vx::BallAttr::Strike;
        for (int k : {1, 3, 5, 7, 9}) PlayedSheet(2, (k + 1) / 2 % 4 + 1).Attrs[std::size_t(k)] = vx::BallAttr::Spare;
        opt = {.strikeSparePerGame = true};
        out = calc(opt);
        QCOMPARE(out.board.values[2] + out.board.names[3] + out.board.values[3] + out.board.values[4], QStringLiteral("2.33") + pad(QStringLiteral("Ｂ")) + "1.25187.333333333333");
        QCOMPARE(vx::Best10Lines(2, opt).values + vx::Best10Lines(4, opt).values + vx::Best10Lines(4, opt).names,
                 QStringLiteral(" 2.33\r\n 0.00\r\n 187.3\r\n 150.0\r\n") + pad(QStringLiteral("Ａ")) + QStringLiteral("\r\n") + pad(QStringLiteral("Ｂ")) + QStringLiteral("\r\n"));
        opt.averageWithHcp = true, opt.strikeSparePerGame = false;
        out = calc(opt);
        QCOMPARE(out.board.values[4] + '|' + out.board.values[3] + '|' + vx::Best10Lines(2, opt).values, QStringLiteral("192.333333333333|5|7\r\n0\r\n"));

        // The results file: shared first place in sheet order, a one-digit score, names of several
        // widths; the second calculation replaces what the first wrote.
        MatchYear = 2000, MatchMonth = 5, MatchDay = 6, setDay(oneGame({150, 100, 120, 110, 130, 140}));
        QVERIFY(vx::CalculateDay({}).ok);
        setDay({{QStringLiteral("山田太郎"), 1, 20, {180, 205}}, {QStringLiteral("佐藤"), 2, 0, {5, 0}}, {QStringLiteral("鈴木一"), 3, 35, {150, 190}},
                {QStringLiteral("Tanaka"), 4, 0, {199, 201}}, {QStringLiteral("高橋"), 5, 20, {205, 180}}});
        vx::DayCalcResult r = vx::CalculateDay({});
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(resultsFile(), vxtest::fileBytes(QStringLiteral(VX_TEST_DATA "/dayresults/") + vx::ResultsFileName()));
        QCOMPARE(QString::number(r.output.pointsList.size()) + r.output.pointsList[0] + '|' + r.output.pointsList[4], QStringLiteral("5１着    14p   山田太郎          |５着    00p   佐藤            "));

        // A calculation that fails says why.
        setDay(oneGame({150, 180}));
        GamePlayerCounts[0] = 3;  // the sheet holds only two players
        r = vx::CalculateDay({});
        QCOMPARE(QString::number(r.ok) + r.error, QStringLiteral("0計算中にエラーが発生しました。\rthe statistics sheet does not hold 3 players by 1 games"));
        setDay(oneGame({150}));
        const QVariant match = MatchId;
        MatchId = 40000;  // beyond the field's width
        QCOMPARE(vx::CalculateDay({}).error, QStringLiteral("計算中にエラーが発生しました。\rmatch ID out of range: 40000"));
        MatchId = match;
        qputenv("VORLIX_HOME", (env->home() + QStringLiteral("/missing")).toLocal8Bit());
        r = vx::CalculateDay({});
        QVERIFY(!r.ok && r.error.contains(QStringLiteral("SD-3-12.txt")));
    }

    // Three players by four games: each game's three rows paired on one new ID (a stray row of a
    // game table that holds the ID gives way), the match row with the winner, the milestones the
    // day crosses; then the counts, the ID ranges, the backup and the results file.
    void storedDay() {
        day();
        vxtest::addHistory(11, 48, 50);   // 48 games: the day's second game makes 50
        vxtest::addHistory(13, 20, 230);  // 4600 pins: the day's third game makes exactly 5000
        QVERIFY(vx::db::exec(QStringLiteral("INSERT INTO \"フレーム\" (\"ID\", \"選手ID\") VALUES (69, 98)")));
        setDay({{QStringLiteral("青木"), 11, 10, {150, 160, 170, 180}}, {QStringLiteral("井上"), 12, 20, {200, 140, 130, 120}},
                {QStringLiteral("上田"), 13, 0, {110, 190, 100, 210}}});
        QVERIFY(vx::CalculateDay({}).ok && vxtest::touchBackup());
        DataRecordCount = 100;

        const vx::StoreDayResult r = vx::StoreDay();
        QVERIFY2(r.ok, qPrintable(r.error));
        // The stray game row gave way (the pairing itself the end-to-end day checks).
        QCOMPARE(r.doneMessage() + '|' + rows("SELECT (SELECT COUNT(*) FROM データ項目), (SELECT COUNT(*) FROM フレーム)"),
                 QStringLiteral("ファイルへの書き込みが終了しました。\r書き込んだ人数は3人で、データの合計数は12件でした。|80 12"));
        // One game in full: player 12's first game, the day's best with handicap.
        QCOMPARE(rows("SELECT d.優Ｐ, d.上位, d.当日, d.入賞, d.競技点, d.HCP, d.人数, d.順位, d.試合日, d.会場ID, d.S10, d.ST, "
                      "d.SP, d.SPF, d.ｽﾌﾟﾘｯﾄ, m.M92, m.M01, m.M03, m.S1, m.S5, f.Flms92, f.Flms01, f.pin01, f.pin03 "
                      "FROM データ項目 d JOIN マーク m USING (ID) JOIN フレーム f USING (ID) WHERE d.選手ID = 12 AND d.ｹﾞｰﾑ = 1"),
                 QStringLiteral("12 1 1 １着   220 20 3 1 2026-05-17 2 200 0 0 10 0 ９ Ｆ \u3000 20 100 7 8 54 60"));
        QCOMPARE(rows("SELECT シーズンID, 試合, \"１着ID\", S10, 競技点, 試合日 FROM 試合 WHERE 試合ID = 41"), QStringLiteral("3 12 12 200 220 2026-05-17"));
        // (The milestones in the results file the end-to-end day compares byte for byte.)
        QCOMPARE(r.milestones + QString::number(DataRecordCount) + vx::settings::GetSetting("setting", "siai_max", "") + vx::settings::GetSetting("setting", "srs_max", "") +
                     QString::number(QFile::exists(vx::exchange::backupFileName())), QStringLiteral("通算ゲーム数‥50ゲーム　　青木        \r\n通算合計点数‥‥5000点　　上田        \r\n1124130"));
        // A game adding nothing crosses nothing.
        const vx::Milestone games{u"ゲーム", 50, u"通算ゲーム数‥", u"ゲーム　　"};
        QCOMPARE(vx::MilestoneLine(games, 103, 5, QStringLiteral("名前        ")) + vx::MilestoneLine(games, 100, 0, QStringLiteral("x")),
                 QStringLiteral("通算ゲーム数‥100ゲーム　　名前        \r\n"));
    }

    // One game crosses every milestone at once: each line in its order with its own round number;
    // the ID ranges widen to take in the day's season and match.
    void everyMilestoneAndTheIdRanges() {
        day();
        vxtest::addHistory(11, 48, 100);
        QVERIFY(vx::db::exec(QStringLiteral("INSERT INTO \"データ項目\" (\"選手ID\", \"試合ID\", \"ｹﾞｰﾑ\", \"優Ｐ\", \"上位\", \"S10\", \"ST\", \"SP\", \"SPF\") "
                                            "VALUES (11, 1, 2, 49, 49, 100, 49, 99, 0)")));
        setDay({{QStringLiteral("青木"), 11, 0, {200}}, {QStringLiteral("井上"), 12, 0, {100}}});
        PlayedSheet(1, 1).Attrs[0] = vx::BallAttr::Strike, PlayedSheet(1, 1).Attrs[3] = vx::BallAttr::Spare;
        QVERIFY(vx::CalculateDay({}).ok);
        SeasonIdMax = 2, SeasonIdMin = 5, MatchIdMax = 40, MatchIdMin = 50;
        const vx::StoreDayResult r = vx::StoreDay();
        const QString name = pad(QStringLiteral("青木")) + QStringLiteral("\r\n");
        QCOMPARE(r.milestones, QStringLiteral("通算ゲーム数‥50ゲーム　　") + name + QStringLiteral("通算上位数‥‥‥50上位　　") + name +
                                   QStringLiteral("通算ポイント数‥‥50ｐ　　") + name + QStringLiteral("通算ストライク数‥50個　　") + name +
                                   QStringLiteral("通算スペア数‥‥‥100個　　") + name + QStringLiteral("通算合計点数‥‥5000点　　") + name);
        QStringList ranges;
        for (const char* key : {"srs_max", "srs_min", "siai_max", "siai_min"}) ranges << vx::settings::GetSetting("setting", key, "none");
        QCOMPARE(ranges.join(u' ') + QStringLiteral(" %1 %2 %3 %4").arg(SeasonIdMax).arg(SeasonIdMin).arg(MatchIdMax).arg(MatchIdMin),
                 QStringLiteral("3 3 41 41 3 3 41 41"));
    }

    // Not calculated, a row refused half-way, or already stored: the database, the results file, the
    // ID ranges, the count and the backup stay as they were. Once the cause is gone the day stores,
    // without the game nobody bowled; of two sharing first place the match row names the later.
    void refusalsChangeNothing() {
        day();
        vxtest::addHistory(11, 3, 100);
        QVERIFY(vx::db::exec(QStringLiteral(  // the seventh game row of the day fails
            "CREATE TRIGGER forced_failure BEFORE INSERT ON \"フレーム\" "
            "WHEN (SELECT COUNT(*) FROM \"フレーム\") >= 6 BEGIN SELECT RAISE(ABORT, 'forced failure'); END")));
        setDay({{QStringLiteral("青木"), 11, 0, {200, 150, 130, 0}}, {QStringLiteral("井上"), 12, 0, {150, 200, 130, 0}},
                {QStringLiteral("上田"), 13, 0, {0, 130, 110, 100}}});  // fewer players in the first game than in the day
        QVERIFY(vx::StoreDay().error.contains(QStringLiteral("先に計算してください")));
        QVERIFY(vx::CalculateDay({}).ok && vxtest::touchBackup());
        DataRecordCount = 7;
        const QString before = dump() + resultsFile();

        vx::StoreDayResult r = vx::StoreDay();
        const QString refused = QStringLiteral("記録できませんでした。データベースは変更されていません。\r");
        QVERIFY2(!r.ok && r.error.startsWith(refused + QStringLiteral("フレームに書き込めませんでした。\r")) && r.error.contains(QStringLiteral("forced failure")), qPrintable(r.error));
        QVERIFY(dump() + resultsFile() == before && QFile::exists(vx::exchange::backupFileName()) &&
                vx::settings::GetSetting("setting", "siai_max", "none") + QString::number(DataRecordCount) == QStringLiteral("none7"));
        // The totals that cannot be read stop the day the same way.
        const QString view = sql("SELECT sql FROM sqlite_master WHERE name = '通算成績'").toString();
        QVERIFY(vx::db::exec(QStringLiteral("DROP VIEW \"通算成績\"")));
        r = vx::StoreDay();
        QVERIFY2(!r.ok && r.error.startsWith(refused + QStringLiteral("通算成績を読めませんでした。\r")), qPrintable(r.error));
        QVERIFY(vx::db::exec(view) && dump() + resultsFile() == before);

        // A database another program holds, or one that is gone, is not written either.
        const QString file = vx::db::fileName();
        QStringList why;
        for (const char* mode : {"IMMEDIATE", "EXCLUSIVE"}) {
            vxtest::HeldElsewhere other(file, mode);
            QVERIFY(other.holding());
            why << vx::StoreDay().error.section(u'\r', 0, 0);
        }
        vx::db::close();
        QVERIFY(QFile::rename(file, file + ".away"));
        why << vx::StoreDay().error.section(u'\r', 0, 0);
        QVERIFY(QFile::rename(file + ".away", file) && vx::db::ensureOpen());
        QCOMPARE(why, QStringList({refused.chopped(1), QStringLiteral("データベースを読めませんでした。"), QStringLiteral("データベースを開けませんでした。")}));
        QVERIFY(dump() + resultsFile() == before);

        QVERIFY(vx::db::exec(QStringLiteral("DROP TRIGGER forced_failure")));
        {  // every write goes through, but another program reading stops the commit
            vxtest::HeldElsewhere reader(file, "DEFERRED");
            QVERIFY(reader.holding());
            QCOMPARE(vx::StoreDay().error, refused + QStringLiteral("データベースが他のプログラムで使用中です。"));
        }
        QVERIFY(dump() + resultsFile() == before);
        r = vx::StoreDay();
        QCOMPARE(QString::number(r.rows * 10 + r.players) + ' ' + rows("SELECT (SELECT COUNT(*) FROM データ項目 WHERE 選手ID = 11), (SELECT COUNT(*) FROM マーク WHERE 選手ID = 11), "
                      "(SELECT COUNT(*) FROM フレーム WHERE 選手ID = 11), \"１着ID\" FROM 試合 WHERE 試合ID = 41"),
                 QStringLiteral("93 6 3 3 12"));
        // Only once, also under another match ID with the same season and match number.
        QVERIFY(DayResults(1, 4).選手ID == -1 && !QFile::exists(vx::exchange::backupFileName()) && vxtest::touchBackup());
        const QString stored = dump() + QString::number(DataRecordCount);
        QVERIFY(vx::StoreDay().error.contains(QStringLiteral("すでに記録されています")));
        vxtest::setMatch(42, 3, 12);
        QVERIFY(vx::CalculateDay({}).ok && !vx::StoreDay().ok);
        QVERIFY(dump() + QString::number(DataRecordCount) == stored && QFile::exists(vx::exchange::backupFileName()));
        // So is a match with one game stored and no match row.
        vxtest::setMatch(43, 3, 13);
        QVERIFY(vx::CalculateDay({}).ok && vx::db::exec(QStringLiteral("INSERT INTO \"データ項目\" (\"試合ID\") VALUES (43)")));
        QVERIFY(vx::StoreDay().error.contains(QStringLiteral("すでに記録されています")));
        vxtest::setMatch(44, 3, 14), setDay(oneGame({150}));  // a day of one player stores
        QVERIFY(vx::CalculateDay({}).ok && vx::StoreDay().ok);
        // A results file that cannot be written to: the day is stored all the same, and the error told.
        vxtest::setMatch(45, 3, 15), setDay(oneGame({160}));
        const QString results = vx::inProgramFolder(vx::ResultsFileName());
        QVERIFY(vx::CalculateDay({}).ok && QFile::remove(results) && QDir().mkdir(results));
        r = vx::StoreDay();
        QVERIFY(QDir().rmdir(results));
        QCOMPARE(QString::number(r.ok) + rows("SELECT COUNT(*) FROM データ項目 WHERE 試合ID = 45") + QString::number(r.fileError.isEmpty()), QStringLiteral("110"));
    }
};

QTEST_MAIN(TstDay)
#include "tst_day.moc"
