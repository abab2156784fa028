// Export, import with player reconciliation, backup and recovery through the exchange entry points.
#include "common/appdir.h"
#include "common/database.h"
#include "recording/exchange.h"
#include "recording/exchange_codec.h"
#include "recording/form_main.h"
#include "recording/form_player.h"
#include "shell/form_wait.h"
#include "support/exchange_sheet.h"
#include "support/filesizelimit.h"
#include "support/scripted_dialogs.h"
#include "support/testdb.h"
#include "support/testenv.h"
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Module1;
using namespace vx::exchange;
using vxtest::ScriptedDialogs;

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

// Answers Yes to every message and notes the file dialog's filter and start, and whether the
// waiting window stood while a message was shown.
struct Spy : vx::DialogService {
    QString file, filter, initial;
    QList<bool> waitingShown;
    const Windows* windows;
    explicit Spy(const Windows& w) : windows(&w) { vx::setDialogs(this); }
    ~Spy() override { vx::setDialogs(nullptr); }
    int msgBox(const QString&, int, const QString&) override {
        waitingShown << windows->waiting;
        return vx::vbYes;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(const QString&, const QString& f, const QString& i) override { return filter = f, initial = i, file; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<std::int32_t> chooseColor(std::int32_t) override { return std::nullopt; }
    void beep() override {}
};

QVariant sql(const QString& q) { return vx::db::scalar(q); }
int playerCount() { return sql(QStringLiteral("SELECT COUNT(*) FROM \"選手\"")).toInt(); }
const QString Known = vxtest::exchangeData(QStringLiteral("B_000012.dat"));

// A data file of the given players (ID, name, handicap) with G not-entered games.
QString makeFile(const QString& path, const QList<std::tuple<int, QString, int>>& players, int games = 4) {
    SheetFile f;
    f.games = games;
    for (const auto& [id, name, hcp] : players) {
        SlotRecord s;
        s.playerId = std::int16_t(id);
        s.name = name;
        vx::GameRecord r = notEnteredRecord();
        r.Scores[11] = std::int16_t(hcp);
        s.games.assign(std::size_t(games), r);
        f.slots.push_back(s);
    }
    writeSheetFile(path, f);
    return path;
}

void registerKnownPlayers() {
    vxtest::execSql(QStringLiteral("INSERT INTO \"選手\" (\"選手ID\", \"選手名\") VALUES (3, '山田太郎'), (12, 'Suzuki'), (25, '佐藤　花子')"));
}

}  // namespace

class TstExchange : public QObject {
    Q_OBJECT
    std::unique_ptr<vxtest::TestEnv> env_;
    Windows windows_;

    // Imports the file, answering OK to the messages that contain `oks`, in order.
    void import(ScriptedDialogs& dlg, const QString& path, const QStringList& oks = {}) {
        dlg.expectOpenFile(path);
        for (const QString& m : oks) dlg.expectMsgBox(vx::vbOK, m);
        Cmd_Data_IO_Click(1);
        QVERIFY(dlg.allAnswered());
    }
    QString home() const { return QDir(env_->home()).absolutePath(); }

private Q_SLOTS:
    void init() {
        env_ = std::make_unique<vxtest::TestEnv>(false);
        QVERIFY(vx::db::createFromSchema(env_->path(vx::DatabaseFileName), vxtest::schemaText()));
        QVERIFY(vx::db::open(env_->path(vx::DatabaseFileName)));
        vxtest::setUpKnownDay();
        CurPlayer = 2;  // the score entry shows an empty slot, which a refresh leaves as it is
        windows_ = Windows{};
        setEntryWindows(&windows_);
        vx::scoreEntry().setListener(nullptr);
    }
    void cleanup() {
        setEntryWindows(nullptr);
        vx::scoreEntry().setListener(nullptr);
        env_.reset();
    }

    void exportFile_data() {
        QTest::addColumn<int>("check");           // answer to "back to the input?"
        QTest::addColumn<QStringList>("answers");  // typed numbers; all but the last are refused
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("done");
        const QString done = QStringLiteral("ファイルへのデータの書き出しが終了しました\rファイル番号は　%1　です。");
        auto row = [](const char* name, int check, const QStringList& answers, const char* file, const QString& done) {
            QTest::newRow(name) << check << answers << QString::fromUtf8(file) << done;
        };
        row("12", vx::vbNo, {"12"}, "B_000012.dat", done.arg("12"));
        row("full-width, repeated as typed", vx::vbNo, {"１２"}, "B_000012.dat", done.arg("１２"));
        row("first six digits", vx::vbNo, {"1234567"}, "B_123456.dat", done.arg("1234567"));
        row("not digits, then cancel", vx::vbNo, {"../12", ""}, "", QString());
        row("back to the input", vx::vbYes, {}, "", QString());
    }

    // The export asks after the check, writes the numbered file byte for byte and returns to the
    // program's folder however it ends.
    void exportFile() {
        QFETCH(int, check);
        QFETCH(QStringList, answers);
        QFETCH(QString, file);
        QFETCH(QString, done);
        if (file.isEmpty()) QDir::setCurrent(QDir::tempPath());  // a written file lies in the current folder
        ScriptedDialogs dlg;
        dlg.expectMsgBox(check, QStringLiteral("入力されていないデータがある可能性があります。入力に戻りますか？"));
        for (qsizetype i = 0; i < answers.size(); ++i) {
            dlg.expectInputBox(answers[i], QStringLiteral("他のコンピュータで\r読み込むときの\r番号を入力して\rください。"));
            if (i + 1 < answers.size()) dlg.expectMsgBox(vx::vbOK, QStringLiteral("数字"));
        }
        if (!done.isEmpty()) dlg.expectMsgBox(vx::vbOK, done);
        Cmd_Data_IO_Click(0);
        QVERIFY(dlg.allAnswered());
        QCOMPARE(dlg.shown()[0].style, vx::vbYesNo + vx::vbExclamation);
        if (!answers.isEmpty()) QCOMPARE(dlg.shown()[1].title, QStringLiteral("データ番号の入力"));
        QCOMPARE(dlg.beeps(), std::max<int>(0, int(answers.size()) - 1));
        QCOMPARE(QDir(env_->home()).entryList({QStringLiteral("B_*")}), file.isEmpty() ? QStringList() : QStringList{file});
        if (!file.isEmpty()) QCOMPARE(vxtest::fileBytes(env_->path(file)), vxtest::fileBytes(Known));
        QCOMPARE(windows_.hidden, check == vx::vbNo ? 1 : 0);
        QCOMPARE(windows_.shown, windows_.hidden);
        QCOMPARE(QDir::currentPath(), home());
    }

    // The file's players take whole new lanes after the old sheet, which keeps its contents.
    void importGrowsTheSheetByLanes() {
        registerKnownPlayers();
        ScriptedDialogs dlg;
        QDir::setCurrent(QDir::tempPath());
        import(dlg, Known);
        QCOMPARE(QDir::currentPath(), home());
        QCOMPARE(int(LastPlayer), 41);
        QCOMPARE(int(LastGame), 3);
        for (int p = 0; p < 3; ++p) {
            QCOMPARE(PlayerIds[std::size_t(36 + p)], vxtest::knownPlayers[p].id);
            QCOMPARE(PlayerHcps[std::size_t(36 + p)], vxtest::knownPlayers[p].hcp);
            for (int g = 0; g <= 3; ++g) VX_COMPARE_GAME(ScoreSheet(36 + p, g), ScoreSheet(vxtest::knownPlayers[p].slot, g));
        }
        for (std::size_t s = 39; s <= 41; ++s) {
            QCOMPARE(PlayerIds[s], std::int16_t(-1));
            QCOMPARE(PlayerNames[s].str(), vx::FixedString<10>(QStringLiteral("選手名未入力")).str());
            QCOMPARE(PlayerHcps[s], std::int16_t(-1));
            QCOMPARE(int(ScoreSheet(int(s), 0).Codes[0]), 30);
            QCOMPARE(ScoreSheet(int(s), 0).Attrs[0], vx::BallAttr::NotSet);  // not a played ball
        }
        QCOMPARE(ScoreSheet(0, 0).Marks[4], QStringLiteral("8s"));  // old slots untouched
        QCOMPARE(windows_.laneGrid, 1);
        QCOMPARE(windows_.requeried, 0);
        QCOMPARE(windows_.shown, 1);
        QVERIFY(!windows_.waiting);

        // Seven players need two lanes (8 lanes in all); five games raise the sheet to five games.
        const QString seven = makeFile(env_->path(QStringLiteral("seven.dat")),
                                       {{101, "a", 0}, {102, "b", 0}, {103, "c", 0}, {104, "d", 0}, {105, "e", 0}, {106, "f", 0}, {107, "g", 0}}, 5);
        import(dlg, seven, QStringList(7, QStringLiteral("この選手を登録します。")));
        QCOMPARE(int(LastPlayer), 53);
        QCOMPARE(int(LastGame), 4);
        QCOMPARE(PlayerIds[48], std::int16_t(107));
        QCOMPARE(PlayerIds[49], std::int16_t(-1));
        // An old player's added game is empty but keeps the player's name and handicap.
        QCOMPARE(int(ScoreSheet(0, 4).Codes[0]), 30);
        QCOMPARE(ScoreSheet(0, 4).Scores[11], std::int16_t(15));
        QCOMPARE(ScoreSheet(0, 4).Name.str(), ScoreSheet(0, 0).Name.str());
        QCOMPARE(windows_.requeried, 1);

        // No players: no lane, but the games still rise (never above ten).
        import(dlg, makeFile(env_->path(QStringLiteral("none.dat")), {}, 10));
        QCOMPARE(int(LastPlayer), 53);
        QCOMPARE(int(LastGame), 9);

        // Old-format files take the venue and date of the sheet's first record and no handicap.
        import(dlg, vxtest::exchangeData(QStringLiteral("old.cdt")));
        QCOMPARE(int(LastPlayer), 59);
        QCOMPARE(PlayerHcps[54], std::int16_t(0));
        QCOMPARE(ScoreSheet(54, 0).Scores[3], std::int16_t(46));
        QCOMPARE(int(ScoreSheet(54, 0).Year), 2026);
        QCOMPARE(int(ScoreSheet(55, 3).Codes[0]), 30);  // beyond the file's two games

        // Every value of every record is taken as the file holds it, per-game handicaps included.
        SheetFile varied = readSheetFile(Known, Layout::Current);
        for (int g = 0; g < 4; ++g) {
            auto& scores = varied.slots[0].games[std::size_t(g)].Scores;
            scores[11] = std::int16_t(g == 0 ? 12 : 14);
            scores[0] = std::int16_t(scores[10] + scores[11]);
        }
        writeSheetFile(env_->path(QStringLiteral("varied.dat")), varied);
        import(dlg, env_->path(QStringLiteral("varied.dat")));
        QCOMPARE(PlayerHcps[60], std::int16_t(12));
        for (int g = 0; g < 4; ++g) VX_COMPARE_GAME(ScoreSheet(60, g), varied.slots[0].games[std::size_t(g)]);
    }

    // Every case of matching the file's players with the registered ones, in slot order.
    void reconciliation() {
        vxtest::execSql(QStringLiteral(
            "INSERT INTO \"選手\" (\"選手ID\", \"選手名\") VALUES (3, '山田太郎'), (12, '田中'), (40, '佐藤　花子'), (41, '高橋'),"
            " (27, '別人'), (42, '伊藤'), (28, '他人'), (43, '加藤')"));
        const int before = playerCount();
        const QString file = makeFile(env_->path(QStringLiteral("B_000001.dat")),
                                      {{3, "山田太郎", 15}, {12, "Suzuki", -5}, {25, "佐藤　花子", 0}, {26, "高橋", 7},
                                       {27, "伊藤", 8}, {28, "加藤", 9}, {30, "新人", 20}, {31, "O'Brien", 1},
                                       {30, "新人", 20}});
        const QString pad8(8, QLatin1Char(' '));
        ScriptedDialogs dlg;
        dlg.expectOpenFile(file)
            .expectMsgBox(vx::vbOK, QStringLiteral("ファイルを調べてみると、\rSuzuki    選手と同じIDに、\r違う選手が登録されています。\r"
                                                   "Suzuki    選手の登録IDを変更して\r登録します。\r"))
            .expectMsgBox(vx::vbYes, QStringLiteral("ファイルを調べてみると、\r佐藤　花子     選手が違うIDで\r登録されています。\r"
                                                    "読み込まれる側の登録IDに変更しますか？\r[いいえ]を選択すると同姓同名の違う選手として登録します。\r"))
            .expectMsgBox(vx::vbNo, QStringLiteral("高橋") + pad8 + QStringLiteral("選手が違うIDで"))
            .expectMsgBox(vx::vbYes, QStringLiteral("ファイルを調べてみると、\r伊藤") + pad8 + QStringLiteral("選手が違うIDで\r登録されています。\r"
                                                    "読み込まれる側の登録IDに変更しますか？\r[いいえ]を選択すると同姓同名の違う\r選手としてIDを変えて登録します。\r"))
            .expectMsgBox(vx::vbNo, QStringLiteral("加藤"))
            .expectMsgBox(vx::vbOK, QStringLiteral("新規に読み込むファイルを調べると、\r読み込まれる側に登録されていない\r新人") +
                                        pad8 + QStringLiteral("選手が登録されています。\rこの選手を登録します。\r"))
            .expectMsgBox(vx::vbOK, QStringLiteral("O'Brien   選手が登録されています。"));
        Cmd_Data_IO_Click(1);
        QVERIFY(dlg.allAnswered());
        QCOMPARE(dlg.shown()[1].style, vx::vbOKOnly);
        QCOMPARE(dlg.shown()[2].style, vx::vbYesNo + 4096);
        QCOMPARE(dlg.shown()[4].style, vx::vbYesNo + 4096);

        // same, ID taken, name elsewhere Yes / No, both Yes / No, new, new (quote in the name), and
        // the same new player again, now registered by the slot before (not refused by the database)
        const std::int16_t expected[] = {3, 44, 40, 26, 42, 45, 30, 31, 30};
        for (std::size_t i = 0; i < 9; ++i) QCOMPARE(PlayerIds[36 + i], expected[i]);
        QCOMPARE(playerCount(), before + 5);
        QCOMPARE(sql(QStringLiteral("SELECT \"選手名\" FROM \"選手\" WHERE \"選手ID\" = 44")).toString(), QStringLiteral("Suzuki    "));
        QCOMPARE(sql(QStringLiteral("SELECT \"選手名\" FROM \"選手\" WHERE \"選手ID\" = 31")).toString(), QStringLiteral("O'Brien   "));
        QCOMPARE(sql(QStringLiteral("SELECT \"ハンデ\" FROM \"ハンデ\" WHERE \"選手ID\" = 30 AND \"シーズンID\" = 1")).toInt(), 20);
        QCOMPARE(sql(QStringLiteral("SELECT \"ハンデ\" FROM \"ハンデ\" WHERE \"選手ID\" = 44")).toInt(), -5);
        QVERIFY(!sql(QStringLiteral("SELECT 1 FROM \"選手\" WHERE \"選手ID\" = 25")).isValid());
        QCOMPARE(windows_.requeried, 1);
    }

    // A damaged file, or a database that refuses a row, leaves the sheet and the database as they were.
    void failedImportChangesNothing() {
        const auto ids = PlayerIds;
        const QString cut = env_->path(QStringLiteral("cut.dat"));
        {
            QFile f(cut);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(vxtest::fileBytes(Known).left(3000));
        }
        const int before = playerCount();
        ScriptedDialogs dlg;
        QDir::setCurrent(QDir::tempPath());
        import(dlg, cut, {QStringLiteral("この名前で保存されたファイルはデータファイルではありません\r") + cut});
        QVERIFY(dlg.prompts().last().contains(QStringLiteral("行目")));
        QCOMPARE(dlg.shown().back().style, vx::vbOKOnly);
        QCOMPARE(dlg.beeps(), 1);
        QCOMPARE(int(LastPlayer), 35);
        QVERIFY(PlayerIds == ids);
        QCOMPARE(windows_.laneGrid, 0);
        QCOMPARE(windows_.shown, 1);
        QCOMPARE(QDir::currentPath(), home());

        // The third new player is refused by the database: the first two are not kept either.
        vxtest::execSql(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON \"選手\" WHEN NEW.\"選手ID\" = 25 "
                                       "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        import(dlg, Known, QStringList(3, QStringLiteral("この選手を登録します。")) << QStringLiteral("refused"));
        QCOMPARE(playerCount(), before);
        QCOMPARE(int(LastPlayer), 35);
        QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM \"ハンデ\"")).toInt(), 0);
    }

    // An import that reads no file leaves the game being entered as it is, on screen and in the
    // sheet, also behind real (modal) dialogs after which the players window must not stay active.
    void importReadingNothingKeepsTheEntry() {
        auto settle = [] { for (int i = 0; i < 4; ++i) QCoreApplication::processEvents(); };
        auto click = [&](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); settle(); };
        ScriptedDialogs dlg;
        auto& players = vx::forms::get<vx::Form_Player>();
        players.Show();
        vxtest::placePlayer(0, 3, QStringLiteral("山田太郎"), 15);
        click(players.Cmd_InpMARK);
        auto& f = vx::forms::get<vx::form_main>();
        for (char c : {'7', '2'}) {
            QTest::keyClick(f.Txt_MARK[std::size_t(f.model().focused())], c);
            settle();
        }
        const QString bad = env_->path(QStringLiteral("bad.dat"));
        QFile(bad).open(QIODevice::WriteOnly);
        dlg.modal();
        for (const QString& file : {bad, QString()}) {
            dlg.expectOpenFile(file);
            if (!file.isEmpty()) dlg.expectMsgBox(vx::vbOK, QStringLiteral("データファイルではありません"));
            click(f.Cmd_Data_IO[1]);
            click(f.Cmd_INFO);
            QVERIFY(dlg.allAnswered());
            QCOMPARE(f.Txt_MARK[0]->text() + f.Txt_MARK[1]->text() + f.Txt_score[0]->text(), QStringLiteral("７２24"));
            QCOMPARE(ScoreSheet(0, 0).Marks[1] + QString::number(ScoreSheet(0, 0).Codes[0]), QStringLiteral("２7"));
            QCOMPARE(int(LastPlayer), 35);
        }
    }

    // The filter offers backups only for a positive number on the clipboard; the dialog starts in
    // the program's folder; the waiting window stands during the import and is gone after it.
    void dialogFilterAndWaiting() {
        Spy spy(windows_);
        windows_.clipboard = QStringLiteral("abc");
        Cmd_Data_IO_Click(1);
        QCOMPARE(spy.filter, QStringLiteral("データファイル (*.dat or *.cdt)|*.dat;*.cdt"));
        QCOMPARE(spy.initial, home());
        windows_.clipboard = QStringLiteral("260517");
        spy.file = Known;
        Cmd_Data_IO_Click(1);
        QCOMPARE(spy.filter, QStringLiteral("データファイル (*.dat or *.cdt),バックアップファイル(*.bup)|*.dat;*.cdt;*.bup"));
        QCOMPARE(spy.waitingShown, QList<bool>({true, true, true}));  // three new players
        QVERIFY(!windows_.waiting);
    }

    // The backup follows every refresh; a failed rewrite keeps the last good one and says so once.
    void backupAtRefresh() {
        QCOMPARE(backupFileName(), QStringLiteral("B_260517.bup"));
        BackupOnRefresh listener;
        vx::scoreEntry().setListener(&listener);
        const QString bup = env_->path(QStringLiteral("B_260517.bup"));
        vxtest::start(vx::scoreEntry());
        QCOMPARE(readSheetFile(bup, Layout::Current).slots.size(), std::size_t(3));

        registerKnownPlayers();
        ScriptedDialogs dlg;
        import(dlg, Known);
        QCOMPARE(readSheetFile(bup, Layout::Current).slots.size(), std::size_t(6));

        const QByteArray good = vxtest::fileBytes(bup);
        PlayerIds[39] = 9;
        dlg.expectMsgBox(vx::vbOK, QStringLiteral("自動保存ファイルに書き込めません。"));
        {
            vx::test::FileSizeLimit full(100);
            Cmd_Data_IO_Click(2);
            Cmd_Data_IO_Click(2);
        }
        QVERIFY(dlg.allAnswered());
        QCOMPARE(vxtest::fileBytes(bup), good);
        Cmd_Data_IO_Click(2);
        QCOMPARE(readSheetFile(bup, Layout::Current).slots.size(), std::size_t(7));

        MatchYear = 2000, MatchMonth = 5, MatchDay = 6;
        QCOMPARE(backupFileName(), QStringLiteral("B_000506.bup"));
    }

    // A backup of the day is offered when the score entry loads; Yes brings its players back.
    void recoveryOffer() {
        {
            ScriptedDialogs dlg;
            offerRecovery();  // no backup: nothing asked
        }
        Cmd_Data_IO_Click(2);
        registerKnownPlayers();
        vxtest::setUpMatch(35, 3);  // the sheet of a fresh start
        MatchYear = 2026, MatchMonth = 5, MatchDay = 17;
        {
            ScriptedDialogs dlg;
            dlg.expectMsgBox(vx::vbNo, QStringLiteral("同じ日付のデータで、\r\n保存されていないデータがあります。\r\n読み込みますか？"));
            offerRecovery();
            QCOMPARE(dlg.shown()[0].style, vx::vbYesNo);
            QCOMPARE(int(LastPlayer), 35);
        }
        Spy spy(windows_);
        spy.file = env_->path(QStringLiteral("B_260517.bup"));
        offerRecovery();
        QCOMPARE(spy.initial, spy.file);
        QVERIFY(spy.filter.contains(QStringLiteral("*.bup")));
        QCOMPARE(int(LastPlayer), 41);
        QCOMPARE(PlayerIds[36], std::int16_t(3));
        QCOMPARE(ScoreSheet(36, 0).Marks[3], QStringLiteral("／"));
    }
};

QTEST_MAIN(TstExchange)
#include "tst_exchange.moc"
