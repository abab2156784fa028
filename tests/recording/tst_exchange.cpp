// Export, import with player reconciliation, backup and recovery through the exchange entry points.
#include "common/database.h"
#include "recording/exchange.h"
#include "recording/exchange_codec.h"
#include "shell/form_wait.h"
#include "support/exchange_sheet.h"
#include "support/scripted_dialogs.h"
#include "support/testdb.h"
#include "support/testenv.h"
#include "common/appdir.h"
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QtTest>

using namespace Module1;
using namespace vx::exchange;
using vxtest::ScriptedDialogs;

namespace {

// Counts what the exchange asks of the recording windows.
struct Windows : EntryWindows {
    int hidden = 0, shown = 0, laneGrid = 0, requeried = 0;
    void hideEntryWindows() override { ++hidden; }
    void showEntryWindows() override { ++shown; }
    void laneGridChanged() override { ++laneGrid; }
    void playersAdded() override { ++requeried; }
};

// The score-entry window rewrites the backup at every refresh.
struct BackupOnRefresh : vx::ScoreEntryListener {
    void backupRequested() override { Cmd_Data_IO_Click(2); }
};

// Answers every dialog positively and notes the file dialog's filter and start, and whether the
// waiting window stood while a message was shown.
struct Spy : vx::DialogService {
    QString file, filter, initial;
    QStringList prompts;
    QList<bool> waitingShown;
    int msgBox(const QString& p, int, const QString&) override {
        prompts << p;
        auto* w = vx::forms::loaded<vx::Form_Wait>();
        waitingShown << (w && w->isShown());
        return vx::vbYes;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(const QString&, const QString& f, const QString& i) override {
        filter = f;
        initial = i;
        return file;
    }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<std::int32_t> chooseColor(std::int32_t) override { return std::nullopt; }
    void beep() override {}
};

QVariant sql(const QString& q, const QVariantList& p = {}) { return vx::db::scalar(q, p); }
int playerCount() { return sql(QStringLiteral("SELECT COUNT(*) FROM \"選手\"")).toInt(); }

// A data file of the given players (ID, name, handicap) with G not-entered games.
QString makeFile(const QString& path, const QList<std::tuple<int, QString, int>>& players, int games = 4) {
    SheetFile f;
    f.games = games;
    for (const auto& [id, name, hcp] : players) {
        SlotRecord s;
        s.playerId = std::int16_t(id);
        s.name = name;
        for (int g = 0; g < games; ++g) {
            vx::GameRecord r = notEnteredRecord();
            r.Scores[11] = std::int16_t(hcp);
            s.games.push_back(r);
        }
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

    void import(ScriptedDialogs& dlg, const QString& path) {
        dlg.expectOpenFile(path);
        Cmd_Data_IO_Click(1);
    }

private Q_SLOTS:
    void init() {
        // The schema goes in through the record layer's own statement splitter.
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

    // Export after the check's question, under the typed number, byte for byte.
    void exportWritesTheNumberedFile() {
        ScriptedDialogs dlg;
        dlg.expectMsgBox(vx::vbNo, QStringLiteral("入力されていないデータがある可能性があります。入力に戻りますか？"))
            .expectInputBox(QStringLiteral("12"), QStringLiteral("他のコンピュータで\r読み込むときの\r番号を入力して\rください。"))
            .expectMsgBox(vx::vbOK, QStringLiteral("ファイルへのデータの書き出しが終了しました\rファイル番号は　12　です。"));
        Cmd_Data_IO_Click(0);
        QVERIFY(dlg.allAnswered());
        QCOMPARE(dlg.shown()[1].title, QStringLiteral("データ番号の入力"));
        QCOMPARE(vxtest::fileBytes(env_->path(QStringLiteral("B_000012.dat"))),
                 vxtest::fileBytes(vxtest::exchangeData(QStringLiteral("B_000012.dat"))));
        QCOMPARE(windows_.hidden, 1);
        QCOMPARE(windows_.shown, 1);
        QCOMPARE(QDir::currentPath(), QDir(env_->home()).absolutePath());
    }

    // "Yes, back to the input" writes nothing; a number that is not digits is asked again;
    // full-width digits name the same file and are repeated as typed.
    void exportRefusals() {
        {
            ScriptedDialogs dlg;
            dlg.expectMsgBox(vx::vbYes, QStringLiteral("入力に戻りますか"));
            Cmd_Data_IO_Click(0);
            QCOMPARE(windows_.hidden, 0);
        }
        {
            ScriptedDialogs dlg;
            dlg.expectMsgBox(vx::vbNo).expectInputBox(QStringLiteral("../12")).expectMsgBox(vx::vbOK, QStringLiteral("数字"))
                .expectInputBox(QString());
            Cmd_Data_IO_Click(0);
            QVERIFY(dlg.allAnswered());
            QCOMPARE(dlg.beeps(), 1);
            QCOMPARE(windows_.shown, 1);
        }
        QCOMPARE(QDir(env_->home()).entryList({QStringLiteral("B_*")}), QStringList());
        QVERIFY(!QFile::exists(env_->path(QStringLiteral("12.dat"))));
        {
            ScriptedDialogs dlg;
            dlg.expectMsgBox(vx::vbNo).expectInputBox(QStringLiteral("１２")).expectMsgBox(vx::vbOK, QStringLiteral("ファイル番号は　１２　です。"));
            Cmd_Data_IO_Click(0);
            QVERIFY(QFile::exists(env_->path(QStringLiteral("B_000012.dat"))));
        }
    }

    // The file's players take whole new lanes after the old sheet, which keeps its contents.
    void importGrowsTheSheetByLanes() {
        registerKnownPlayers();
        const QString file = vxtest::exchangeData(QStringLiteral("B_000012.dat"));
        ScriptedDialogs dlg;
        QDir::setCurrent(QDir::tempPath());
        import(dlg, file);
        QCOMPARE(QDir::currentPath(), QDir(env_->home()).absolutePath());
        QCOMPARE(int(LastPlayer), 41);
        QCOMPARE(int(LastGame), 3);
        QCOMPARE(PlayerIds.size(), std::size_t(42));
        for (int p = 0; p < 3; ++p) {
            const int s = 36 + p;
            QCOMPARE(PlayerIds[std::size_t(s)], vxtest::knownPlayers[p].id);
            QCOMPARE(PlayerHcps[std::size_t(s)], vxtest::knownPlayers[p].hcp);
            for (int g = 0; g <= 3; ++g) {
                QVERIFY(vxtest::sameGame(ScoreSheet(s, g), ScoreSheet(vxtest::knownPlayers[p].slot, g)));
            }
        }
        for (int s = 39; s <= 41; ++s) {
            QCOMPARE(PlayerIds[std::size_t(s)], std::int16_t(-1));
            QCOMPARE(PlayerNames[std::size_t(s)].str(), vx::FixedString<10>(QStringLiteral("選手名未入力")).str());
            QCOMPARE(PlayerHcps[std::size_t(s)], std::int16_t(-1));
            QCOMPARE(int(ScoreSheet(s, 0).Codes[0]), 30);
            QCOMPARE(ScoreSheet(s, 0).Attrs[0], vx::BallAttr::NotSet);
        }
        QCOMPARE(ScoreSheet(0, 0).Marks[4], QStringLiteral("8s"));  // old slots untouched
        QCOMPARE(windows_.laneGrid, 1);
        QCOMPARE(windows_.requeried, 0);
        QCOMPARE(windows_.shown, 1);
        auto* wait = vx::forms::loaded<vx::Form_Wait>();
        QVERIFY(wait && !wait->isShown());

        // Seven players need two lanes; five games raise the sheet to five games.
        const QString seven = makeFile(env_->path(QStringLiteral("seven.dat")),
                                       {{101, "a", 0}, {102, "b", 0}, {103, "c", 0}, {104, "d", 0}, {105, "e", 0}, {106, "f", 0}, {107, "g", 0}}, 5);
        dlg.expectOpenFile(seven);
        for (int i = 0; i < 7; ++i) dlg.expectMsgBox(vx::vbOK, QStringLiteral("この選手を登録します。"));
        Cmd_Data_IO_Click(1);
        QVERIFY(dlg.allAnswered());
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
    }

    // Every case of matching the file's players with the registered ones, in slot order.
    void reconciliation() {
        vxtest::execSql(QStringLiteral(
            "INSERT INTO \"選手\" (\"選手ID\", \"選手名\") VALUES (3, '山田太郎'), (12, '田中'), (40, '佐藤　花子'), (41, '高橋'),"
            " (27, '別人'), (42, '伊藤'), (28, '他人'), (43, '加藤')"));
        const int before = playerCount();
        const QString file = makeFile(env_->path(QStringLiteral("B_000001.dat")),
                                      {{3, "山田太郎", 15}, {12, "Suzuki", -5}, {25, "佐藤　花子", 0}, {26, "高橋", 7},
                                       {27, "伊藤", 8}, {28, "加藤", 9}, {30, "新人", 20}, {31, "O'Brien", 1}});
        const QString pad = QStringLiteral("      ");
        ScriptedDialogs dlg;
        dlg.expectOpenFile(file)
            .expectMsgBox(vx::vbOK, QStringLiteral("ファイルを調べてみると、\rSuzuki    選手と同じIDに、\r違う選手が登録されています。\r"
                                                   "Suzuki    選手の登録IDを変更して\r登録します。\r"))
            .expectMsgBox(vx::vbYes, QStringLiteral("[いいえ]を選択すると同姓同名の違う選手として登録します。\r"))
            .expectMsgBox(vx::vbNo, QStringLiteral("高橋") + QString(8, QLatin1Char(' ')) + QStringLiteral("選手が違うIDで"))
            .expectMsgBox(vx::vbYes, QStringLiteral("[いいえ]を選択すると同姓同名の違う\r選手としてIDを変えて登録します。\r"))
            .expectMsgBox(vx::vbNo, QStringLiteral("加藤"))
            .expectMsgBox(vx::vbOK, QStringLiteral("新規に読み込むファイルを調べると、\r読み込まれる側に登録されていない\r新人") +
                                        QString(8, QLatin1Char(' ')) + QStringLiteral("選手が登録されています。\rこの選手を登録します。\r"))
            .expectMsgBox(vx::vbOK, QStringLiteral("O'Brien   選手が登録されています。"));
        Cmd_Data_IO_Click(1);
        QVERIFY(dlg.allAnswered());
        QCOMPARE(dlg.shown()[3].style, vx::vbYesNo + 4096);

        const std::int16_t expected[] = {3, 44, 40, 26, 42, 45, 30, 31};
        for (int i = 0; i < 8; ++i) QCOMPARE(PlayerIds[std::size_t(36 + i)], expected[i]);
        QCOMPARE(playerCount(), before + 5);
        QCOMPARE(sql(QStringLiteral("SELECT \"選手名\" FROM \"選手\" WHERE \"選手ID\" = 44")).toString(), QStringLiteral("Suzuki    "));
        QCOMPARE(sql(QStringLiteral("SELECT \"選手名\" FROM \"選手\" WHERE \"選手ID\" = 31")).toString(), QStringLiteral("O'Brien   "));
        QCOMPARE(sql(QStringLiteral("SELECT \"ハンデ\" FROM \"ハンデ\" WHERE \"選手ID\" = 30 AND \"シーズンID\" = 1")).toInt(), 20);
        QCOMPARE(sql(QStringLiteral("SELECT \"ハンデ\" FROM \"ハンデ\" WHERE \"選手ID\" = 44")).toInt(), -5);
        QVERIFY(!sql(QStringLiteral("SELECT 1 FROM \"選手\" WHERE \"選手ID\" = 25")).isValid());
        QCOMPARE(windows_.requeried, 1);
    }

    // The same player twice in one file is registered once.
    void repeatedPlayerIsRegisteredOnce() {
        const QString file = makeFile(env_->path(QStringLiteral("twice.dat")), {{50, "同じ人", 0}, {50, "同じ人", 0}});
        ScriptedDialogs dlg;
        dlg.expectOpenFile(file).expectMsgBox(vx::vbOK, QStringLiteral("この選手を登録します。"));
        Cmd_Data_IO_Click(1);
        QVERIFY(dlg.allAnswered());
        QCOMPARE(PlayerIds[36], std::int16_t(50));
        QCOMPARE(PlayerIds[37], std::int16_t(50));
    }

    // A damaged file, or a database that refuses a row, leaves the sheet and the database as they were.
    void failedImportChangesNothing() {
        const auto ids = PlayerIds;
        const QString cut = env_->path(QStringLiteral("cut.dat"));
        {
            QFile f(cut);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(vxtest::fileBytes(vxtest::exchangeData(QStringLiteral("B_000012.dat"))).left(3000));
        }
        const int before = playerCount();
        ScriptedDialogs dlg;
        dlg.expectOpenFile(cut).expectMsgBox(vx::vbOK, QStringLiteral("この名前で保存されたファイルはデータファイルではありません\r") + cut);
        Cmd_Data_IO_Click(1);
        QVERIFY(dlg.allAnswered());
        QVERIFY(dlg.prompts().last().contains(QStringLiteral("行目")));
        QCOMPARE(dlg.beeps(), 1);
        QCOMPARE(int(LastPlayer), 35);
        QVERIFY(PlayerIds == ids);
        QCOMPARE(windows_.laneGrid, 0);
        QCOMPARE(windows_.shown, 1);

        // The third new player is refused by the database: the first two are not kept either.
        vxtest::execSql(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON \"選手\" WHEN NEW.\"選手ID\" = 25 "
                                       "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        dlg.expectOpenFile(vxtest::exchangeData(QStringLiteral("B_000012.dat")))
            .expectMsgBox(vx::vbOK, QStringLiteral("この選手を登録します。"))
            .expectMsgBox(vx::vbOK, QStringLiteral("この選手を登録します。"))
            .expectMsgBox(vx::vbOK, QStringLiteral("この選手を登録します。"))
            .expectMsgBox(vx::vbOK, QStringLiteral("refused"));
        Cmd_Data_IO_Click(1);
        QVERIFY(dlg.allAnswered());
        QCOMPARE(playerCount(), before);
        QCOMPARE(int(LastPlayer), 35);
        QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM \"ハンデ\"")).toInt(), 0);
    }

    // The filter offers backups only for a positive number on the clipboard or for the recovery;
    // the waiting window stands during the import and is gone after it.
    void dialogFilterAndWaiting() {
        Spy spy;
        vx::setDialogs(&spy);
        QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
        Cmd_Data_IO_Click(1);
        QCOMPARE(spy.filter, QStringLiteral("データファイル (*.dat or *.cdt)|*.dat;*.cdt"));
        QCOMPARE(spy.initial, QDir(env_->home()).absolutePath());
        QGuiApplication::clipboard()->setText(QStringLiteral("260517"));
        spy.file = vxtest::exchangeData(QStringLiteral("B_000012.dat"));
        Cmd_Data_IO_Click(1);
        QCOMPARE(spy.filter, QStringLiteral("データファイル (*.dat or *.cdt),バックアップファイル(*.bup)|*.dat;*.cdt;*.bup"));
        QCOMPARE(spy.waitingShown, QList<bool>({true, true, true}));  // three new players
        QVERIFY(!vx::forms::loaded<vx::Form_Wait>()->isShown());
        vx::setDialogs(nullptr);
    }

    // Old-format files take the venue and date of the sheet's first record and no handicap.
    void importsTheOldLayout() {
        registerKnownPlayers();
        ScriptedDialogs dlg;
        import(dlg, vxtest::exchangeData(QStringLiteral("old.cdt")));
        QVERIFY(dlg.allAnswered());
        QCOMPARE(int(LastPlayer), 41);
        QCOMPARE(PlayerHcps[36], std::int16_t(0));
        QCOMPARE(ScoreSheet(36, 0).Scores[3], std::int16_t(46));
        QCOMPARE(int(ScoreSheet(36, 0).Year), 2026);
        QCOMPARE(int(ScoreSheet(37, 3).Codes[0]), 30);  // beyond the file's two games
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
        import(dlg, vxtest::exchangeData(QStringLiteral("B_000012.dat")));
        QCOMPARE(readSheetFile(bup, Layout::Current).slots.size(), std::size_t(6));

        const QByteArray good = vxtest::fileBytes(bup);
        QVERIFY(QDir().mkdir(bup + QStringLiteral(".tmp")));
        PlayerIds[39] = 9;
        dlg.expectMsgBox(vx::vbOK, QStringLiteral("自動保存ファイルに書き込めません。"));
        Cmd_Data_IO_Click(2);
        Cmd_Data_IO_Click(2);
        QVERIFY(dlg.allAnswered());
        QCOMPARE(vxtest::fileBytes(bup), good);
        QVERIFY(QDir().rmdir(bup + QStringLiteral(".tmp")));
        Cmd_Data_IO_Click(2);
        QCOMPARE(readSheetFile(bup, Layout::Current).slots.size(), std::size_t(7));

        MatchYear = 2000;
        MatchMonth = 5;
        MatchDay = 6;
        QCOMPARE(backupFileName(), QStringLiteral("B_000506.bup"));
    }

    // A backup of the day is offered when the score entry loads; Yes brings its players back.
    void recoveryOffer() {
        const QString bup = env_->path(QStringLiteral("B_260517.bup"));
        {
            ScriptedDialogs dlg;
            offerRecovery();  // no backup: nothing asked
        }
        Cmd_Data_IO_Click(2);
        registerKnownPlayers();
        vxtest::setUpMatch(35, 3);  // the sheet of a fresh start
        MatchYear = 2026;
        MatchMonth = 5;
        MatchDay = 17;
        QGuiApplication::clipboard()->setText(QStringLiteral("keep me"));
        {
            ScriptedDialogs dlg;
            dlg.expectMsgBox(vx::vbNo, QStringLiteral("同じ日付のデータで、\r\n保存されていないデータがあります。\r\n読み込みますか？"));
            offerRecovery();
            QCOMPARE(int(LastPlayer), 35);
        }
        Spy spy;
        spy.file = bup;
        vx::setDialogs(&spy);
        offerRecovery();
        vx::setDialogs(nullptr);
        QCOMPARE(spy.initial, bup);
        QVERIFY(spy.filter.contains(QStringLiteral("*.bup")));
        QCOMPARE(int(LastPlayer), 41);
        QCOMPARE(PlayerIds[36], std::int16_t(3));
        QCOMPARE(ScoreSheet(36, 0).Marks[3], QStringLiteral("／"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("keep me"));
    }
};

QTEST_MAIN(TstExchange)
#include "tst_exchange.moc"
