// The exchange and backup files: their layouts byte for byte, what damage does to the reader, and
// export, import with player reconciliation, backup and recovery through the exchange entry points.
#include "common/appdir.h"
#include "recording/form_main.h"
#include "recording/form_player.h"
#include "support/dayfixture.h"
#include "support/exchange_sheet.h"
#include "support/filesizelimit.h"
#include "support/gui.h"
#include <QtWidgets>

using namespace Module1;
using namespace vx::exchange;
using namespace vxtest;

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
    QList<int> counts() const { return {hidden, shown, laneGrid, requeried, waiting}; }
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

void registerKnownPlayers() {
    execSql(QStringLiteral("INSERT INTO \"選手\" (\"選手ID\", \"選手名\") VALUES (3, '山田太郎'), (12, 'Suzuki'), (25, '佐藤　花子')"));
}

}  // namespace

class TstExchange : public GuiTest {
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

private Q_SLOTS:
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

        // The old layout: no venue or date, no attributes or masks, no handicap.
        QVERIFY(layoutOf(QStringLiteral("/x/OLD.cdt")) == Layout::Old && layoutOf(QStringLiteral("/x/OLD.CDT")) == Layout::Current);
        const QString old = exchangeData(QStringLiteral("old.cdt"));
        const SheetFile o = readSheetFile(old, Layout::Old);
        const vx::GameRecord& r0 = o.slots[0].games[0];
        QCOMPARE(QList<int>({o.games, r0.Scores[11], r0.Scores[0] - r0.Scores[10], r0.PinMasks[0]}), QList<int>({2, 0, 0, vx::PinMask::NoData}));
        // Attributes as the calculation gives them, so only entered balls count as played; no pin data.
        const QList<int> attrs{r0.Attrs[0], r0.Attrs[3], r0.Attrs[2], r0.Attrs[4], r0.Attrs[6], o.slots[0].games[1].Attrs[0]};
        QCOMPARE(attrs, (QList<int>{vx::BallAttr::Strike, vx::BallAttr::Spare, vx::BallAttr::Plain, vx::BallAttr::Split,
                                    vx::BallAttr::NotSet, vx::BallAttr::Foul}));  // "8s" is a configured split mark
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
            {"text for a code", 9, "\"10\"", 9}, {"unquoted name", 3, "3,Yamada", 3}, {"decimal", 10, "1.5", 10},
            {"code 31", 9, "31", 9}, {"code 11", 9, "11", 9}, {"pins 11", 10, "11", 10}, {"attr 5", 11, "5", 11},
            {"mask 1024", 12, "1024", 12}, {"score 40000", 113, "40000", 113}, {"venue 256", 4, "256", 4},
            {"ID 0", 3, "0,\"x\"", 3}, {"name of 11", 3, "3,\"12345678901\"", 3}, {"one slot too many", 1, "2", 949},
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
        const QByteArray good = fileBytes(Known);
        rng.seed(20260517);
        int refusals = 0;
        for (int n = 0; n < 1500; ++n) {
            QByteArray b = good;
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
        QVERIFY(dlg->allAnswered() && dlg->shown()[0].style == vx::vbYesNo + vx::vbExclamation);
        if (!answers.isEmpty()) QCOMPARE(dlg->shown()[1].title, QStringLiteral("データ番号の入力"));
        QCOMPARE(dlg->beeps(), std::max<int>(0, int(answers.size()) - 1));
        QCOMPARE(QDir(env->home()).entryList({QStringLiteral("B_*")}), file.isEmpty() ? QStringList() : QStringList{file});
        if (!file.isEmpty()) QCOMPARE(fileBytes(env->path(file)), fileBytes(Known));
        QCOMPARE(QString::number(windows_.hidden * 10 + windows_.shown) + QDir::currentPath(), (check == vx::vbNo ? "11" : "0") + home());
    }

    // The file's players take whole new lanes after the old sheet, which keeps its contents.
    void importGrowsTheSheetByLanes() {
        knownDay();
        registerKnownPlayers();
        QDir::setCurrent(QDir::tempPath());
        import(Known);
        QCOMPARE(QDir::currentPath(), home());
        QCOMPARE(LastPlayer * 10 + LastGame, 413);
        for (int p = 0; p < 3; ++p) {
            QCOMPARE(PlayerIds[std::size_t(36 + p)] * 100 + PlayerHcps[std::size_t(36 + p)], knownPlayers[p].id * 100 + knownPlayers[p].hcp);
            for (int g = 0; g <= 3; ++g) VX_COMPARE_GAME(ScoreSheet(36 + p, g), ScoreSheet(knownPlayers[p].slot, g));
        }
        for (std::size_t s = 39; s <= 41; ++s)
            QCOMPARE(QString("%1 %2 %3 %4").arg(PlayerIds[s]).arg(PlayerHcps[s]).arg(PlayerNames[s].str().trimmed()).arg(ScoreSheet(int(s), 0).Codes[0]),
                     QStringLiteral("-1 -1 選手名未入力 30"));
        QCOMPARE(ScoreSheet(0, 0).Marks[4], QStringLiteral("8s"));  // old slots untouched
        QCOMPARE(windows_.counts(), QList<int>({1, 1, 1, 0, 0}));

        // Seven players need two lanes (8 lanes in all); five games raise the sheet to five games.
        const QString seven = makeFile(env->path(QStringLiteral("seven.dat")),
                                       {{101, "a", 0}, {102, "b", 0}, {103, "c", 0}, {104, "d", 0}, {105, "e", 0}, {106, "f", 0}, {107, "g", 0}}, 5);
        import(seven, QStringList(7, QStringLiteral("この選手を登録します。")));
        // An old player's added game is empty but keeps the player's name and handicap.
        QCOMPARE(QList<int>({LastPlayer * 10 + LastGame, PlayerIds[48] * 10 + PlayerIds[49], ScoreSheet(0, 4).Codes[0] * 100 + ScoreSheet(0, 4).Scores[11], windows_.requeried}),
                 QList<int>({534, 1069, 3015, 1}));
        QCOMPARE(ScoreSheet(0, 4).Name.str(), ScoreSheet(0, 0).Name.str());

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
    }

    // Every case of matching the file's players with the registered ones, in slot order.
    void reconciliation() {
        knownDay();
        execSql(QStringLiteral("INSERT INTO \"選手\" (\"選手ID\", \"選手名\") VALUES (3, '山田太郎'), (12, '田中'), (40, '佐藤　花子'), "
                               "(41, '高橋'), (27, '別人'), (42, '伊藤'), (28, '他人'), (43, '加藤')"));
        placePlayer(35, 99, QStringLiteral("前の選手"));  // slots before the file's are not looked at
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
        QVERIFY(dlg->allAnswered());
        QCOMPARE(dlg->shown()[1].style * 10000 + dlg->shown()[2].style * 100 + dlg->shown()[4].style, vx::vbOKOnly * 10000 + (vx::vbYesNo + 4096) * 101);

        // same, ID taken, name elsewhere Yes / No, both Yes / No, new, new (quote in the name), and
        // the same new player again, now registered by the slot before (not refused by the database)
        const std::vector<std::int16_t> expected{3, 44, 40, 26, 42, 45, 30, 31, 30};
        QCOMPARE(std::vector<std::int16_t>(PlayerIds.begin() + 36, PlayerIds.begin() + 45), expected);
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
        QVERIFY(dlg->prompts().last().contains(QStringLiteral("行目")));
        QCOMPARE(dlg->shown().back().style * 10 + dlg->beeps(), vx::vbOKOnly * 10 + 1);
        QVERIFY(LastPlayer == 35 && PlayerIds == ids && QDir::currentPath() == home());
        QCOMPARE(windows_.laneGrid * 10 + windows_.shown, 1);

        // The third new player is refused by the database: the first two are not kept either.
        execSql(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON \"選手\" WHEN NEW.\"選手ID\" = 25 BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        import(Known, QStringList(3, QStringLiteral("この選手を登録します。")) << QStringLiteral("refused"));
        QCOMPARE(playerCount() * 100 + LastPlayer + sql(QStringLiteral("SELECT COUNT(*) FROM \"ハンデ\"")).toInt() * 10000, before * 100 + 35);

        // An import that reads no file leaves the game being entered as it is, on screen and in the
        // sheet, also behind real (modal) dialogs after which the players window must not stay active.
        auto& players = vx::forms::get<vx::Form_Player>();
        players.Show();
        placePlayer(0, 3, QStringLiteral("山田太郎"), 15);
        click(players.Cmd_InpMARK);
        auto& f = vx::forms::get<vx::form_main>();
        typeKeys(QStringLiteral("72"));
        dlg->modal();
        for (const QString& file : {cut, QString()}) {
            dlg->expectOpenFile(file);
            if (!file.isEmpty()) dlg->expectMsgBox(vx::vbOK, QStringLiteral("データファイルではありません"));
            click(f.Cmd_Data_IO[1]);
            click(f.Cmd_INFO);
            QVERIFY(dlg->allAnswered());
            QCOMPARE(f.Txt_MARK[0]->text() + f.Txt_MARK[1]->text() + f.Txt_score[0]->text(), QStringLiteral("７２24"));
            QCOMPARE(ScoreSheet(0, 0).Marks[1] + QString::number(ScoreSheet(0, 0).Codes[0]) + QString::number(LastPlayer), QStringLiteral("２735"));
        }
    }

    // The filter offers backups only for a positive number on the clipboard; the dialog starts in
    // the program's folder; the waiting window stands while the import asks and is gone after it.
    // A backup of the day is offered when the score entry loads; Yes brings its players back.
    void filterWaitingRecoveryAndBackup() {
        knownDay();
        windows_.clipboard = QStringLiteral("abc");
        dlg->expectOpenFile(QString());
        Cmd_Data_IO_Click(1);
        QCOMPARE(dlg->shown().back().filter + dlg->shown().back().initial, QStringLiteral("データファイル (*.dat or *.cdt)|*.dat;*.cdt") + home());
        windows_.clipboard = QStringLiteral("260517");
        dlg->expectOpenFile(Known);
        for (int i = 0; i < 3; ++i) dlg->expectMsgBox(vx::vbOK, QStringLiteral("この選手を登録します。"), [this] { QVERIFY(windows_.waiting); });
        Cmd_Data_IO_Click(1);
        QVERIFY(dlg->shown()[1].filter == QStringLiteral("データファイル (*.dat or *.cdt),バックアップファイル(*.bup)|*.dat;*.cdt;*.bup") && !windows_.waiting);

        windows_.clipboard.clear();  // the recovery offers the backups by itself
        offerRecovery();  // no backup: nothing asked
        setUpKnownDay();
        Cmd_Data_IO_Click(2);
        setUpMatch(35, 3);  // the sheet of a fresh start
        MatchYear = 2026, MatchMonth = 5, MatchDay = 17;
        dlg->expectMsgBox(vx::vbNo, QStringLiteral("同じ日付のデータで、\r\n保存されていないデータがあります。\r\n読み込みますか？"));
        offerRecovery();
        QCOMPARE(dlg->shown().back().style * 100 + LastPlayer, vx::vbYesNo * 100 + 35);
        const QString bup = env->path(QStringLiteral("B_260517.bup"));
        dlg->expectMsgBox(vx::vbYes).expectOpenFile(bup);
        offerRecovery();
        QVERIFY(dlg->shown().back().initial == bup && dlg->shown().back().filter.contains(QStringLiteral("*.bup")));
        QCOMPARE(QString::number(LastPlayer * 100 + PlayerIds[36]) + ScoreSheet(36, 0).Marks[3], QStringLiteral("4103／"));

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
            Cmd_Data_IO_Click(2);
            Cmd_Data_IO_Click(2);
        }
        QCOMPARE(dlg->beeps() + fileBytes(bup).compare(good), 1);
        Cmd_Data_IO_Click(2);
        QCOMPARE(readSheetFile(bup, Layout::Current).slots.size(), std::size_t(7));
        vx::scoreEntry().setListener(nullptr);

        MatchYear = 2000, MatchMonth = 5, MatchDay = 6;
        QCOMPARE(backupFileName(), QStringLiteral("B_000506.bup"));
    }
};

QTEST_MAIN(TstExchange)
#include "tst_exchange.moc"
