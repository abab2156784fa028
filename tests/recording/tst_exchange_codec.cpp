// The exchange and backup file layouts, byte for byte, and what a damaged file does to the reader.
#include "recording/exchange_codec.h"
#include "support/exchange_sheet.h"
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace Module1;
using namespace vx::exchange;

class TstExchangeCodec : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    const QString known_ = vxtest::exchangeData(QStringLiteral("B_000012.dat"));

    QString put(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(path));
        f.write(bytes);
        return path;
    }

private Q_SLOTS:
    void init() { vxtest::setUpKnownDay(); }

    // Three players by four games: 2 + 3 × 473 lines exactly as the other platform writes them,
    // and its file reads back into the same records.
    void knownDayBothWays() {
        const QString path = dir_.filePath(QStringLiteral("out.dat"));
        writeSheetFile(path, sheetFromState());
        const QByteArray written = vxtest::fileBytes(path);
        QCOMPARE(written.count("\r\n"), 1421);
        QCOMPARE(written, vxtest::fileBytes(known_));
        QVERIFY(!QFile::exists(path + QStringLiteral(".tmp")));

        const SheetFile f = readSheetFile(known_, Layout::Current);
        QCOMPARE(f.games, 4);
        QCOMPARE(int(f.slots.size()), 3);
        for (int p = 0; p < 3; ++p) {
            const auto& k = vxtest::knownPlayers[p];
            QCOMPARE(f.slots[std::size_t(p)].playerId, k.id);
            QCOMPARE(int(f.slots[std::size_t(p)].venueId), 2);
            for (int g = 0; g < 4; ++g) VX_COMPARE_GAME(f.slots[std::size_t(p)].games[std::size_t(g)], ScoreSheet(k.slot, g));
        }
    }

    // Extremes of every field survive; characters CP932 lacks become "?"; a name's own double
    // quote reads back; a sheet without players is two lines.
    void roundTrip() {
        ScoreSheet(0, 3).Scores = {-32768, 300, 0, 1, 2, 3, 4, 5, 6, 7, 300, 32767};
        vxtest::setBall(ScoreSheet(0, 3), 20, QStringLiteral("1s"), 1, 1, 2, 1023);
        PlayerNames[0] = QStringLiteral("Ｘ\u00e9yz");
        PlayerNames[1] = QStringLiteral("O\"Neil");
        const QString path = dir_.filePath(QStringLiteral("rt.bup"));
        writeSheetFile(path, sheetFromState());
        const SheetFile f = readSheetFile(path, Layout::Current);
        QCOMPARE(f.slots[0].name.str(), QStringLiteral("Ｘ?yz      "));
        QCOMPARE(f.slots[1].name.str(), QStringLiteral("O\"Neil    "));
        VX_COMPARE_GAME(f.slots[2].games[2], ScoreSheet(7, 2));
        QCOMPARE(f.slots[0].games[3].Scores, ScoreSheet(0, 3).Scores);
        QCOMPARE(f.slots[0].games[3].Marks[20], QStringLiteral("1s"));

        PlayerIds.assign(PlayerIds.size(), -1);
        writeSheetFile(path, sheetFromState());
        QCOMPARE(vxtest::fileBytes(path), QByteArray("0\r\n4\r\n"));
        QCOMPARE(int(readSheetFile(path, Layout::Current).slots.size()), 0);
    }

    // The old layout: no venue or date, no attributes or masks, no handicap.
    void readsTheOldLayout() {
        QCOMPARE(layoutOf(QStringLiteral("/x/OLD.cdt")), Layout::Old);
        QCOMPARE(layoutOf(QStringLiteral("/x/OLD.CDT")), Layout::Current);
        const QString old = vxtest::exchangeData(QStringLiteral("old.cdt"));
        const SheetFile f = readSheetFile(old, Layout::Old);
        QCOMPARE(f.games, 2);
        const vx::GameRecord& r = f.slots[0].games[0];
        QCOMPARE(r.Scores[11], std::int16_t(0));
        QCOMPARE(r.Scores[0], r.Scores[10]);
        // Attributes as the calculation gives them, so only entered balls count as played; no pin data.
        QCOMPARE(r.Attrs[0], vx::BallAttr::Strike);
        QCOMPARE(r.Attrs[3], vx::BallAttr::Spare);
        QCOMPARE(r.Attrs[2], vx::BallAttr::Plain);
        QCOMPARE(r.Attrs[4], vx::BallAttr::Split);  // "8s", a configured split mark
        QCOMPARE(r.Attrs[6], vx::BallAttr::NotSet);
        QCOMPARE(f.slots[0].games[1].Attrs[0], vx::BallAttr::Foul);
        QCOMPARE(r.PinMasks[0], vx::PinMask::NoData);
        MarkTexts[8] = QStringLiteral("⑧");  // no longer a configured text
        QCOMPARE(readSheetFile(old, Layout::Old).slots[0].games[0].Attrs[4], vx::BallAttr::Plain);
        QVERIFY_THROWS_EXCEPTION(vx::TextFileError, readSheetFile(old, Layout::Current));
    }

    void refusesDamagedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QList<QByteArray> ok = vxtest::fileBytes(known_).split('\n');
        ok.removeLast();  // after the last line end
        auto joined = [](const QList<QByteArray>& l) { return l.join('\n') + '\n'; };
        auto with = [&](int line, const QByteArray& text) {
            QList<QByteArray> l = ok;
            l[line - 1] = text + '\r';
            return joined(l);
        };
        QTest::newRow("empty") << QByteArray() << 1;
        QTest::newRow("truncated in a game") << joined(ok.mid(0, 600)) << 601;
        QTest::newRow("G = 11") << with(2, "11") << 2;
        QTest::newRow("G = 0") << with(2, "0") << 2;
        QTest::newRow("negative count") << with(1, "-1") << 1;
        QTest::newRow("number for a mark") << with(8, "7") << 8;
        QTest::newRow("text for a code") << with(9, "\"10\"") << 9;
        QTest::newRow("unquoted name") << with(3, "3,Yamada") << 3;
        QTest::newRow("decimal") << with(10, "1.5") << 10;
        QTest::newRow("code 31") << with(9, "31") << 9;
        QTest::newRow("pins 11") << with(10, "11") << 10;
        QTest::newRow("attr 5") << with(11, "5") << 11;
        QTest::newRow("mask 1024") << with(12, "1024") << 12;
        QTest::newRow("score 40000") << with(113, "40000") << 113;
        QTest::newRow("venue 256") << with(4, "256") << 4;
        QTest::newRow("ID 0") << with(3, "0,\"x\"") << 3;
        QTest::newRow("name of 11") << with(3, "3,\"12345678901\"") << 3;
        QTest::newRow("one slot too many") << with(1, "2") << 949;
        QTest::newRow("one slot too few") << with(1, "4") << 1422;
        QByteArray bad = joined(ok);
        bad.replace(bad.indexOf("\r\n\"") + 3, 1, "\x85");  // lead byte 0x85 is unassigned
        QTest::newRow("invalid CP932") << bad << 8;
        QByteArray garbage(10 * 1024 * 1024, '\0');
        for (char& c : garbage) c = char(QRandomGenerator::global()->bounded(256));
        QTest::newRow("10 MB garbage") << garbage << -1;
    }

    // Every damage is refused with the file and the line that holds it.
    void refusesDamagedFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        const QString path = put(QStringLiteral("bad.dat"), bytes);
        try {
            readSheetFile(path, Layout::Current);
            QFAIL("a damaged file was read");
        } catch (const vx::TextFileError& e) {
            QCOMPARE(e.fileName, path);
            if (line > 0) QCOMPARE(e.line, line);
            QVERIFY(!e.reason.isEmpty());
        }
    }

    // Random damage to a valid file, for a bounded time: every outcome is a clean read or a
    // refusal, and whatever reads holds only values the sheet can carry.
    void mutationsNeverBreakTheReader() {
        const QByteArray good = vxtest::fileBytes(known_);
        QRandomGenerator rng(20260517);
        QElapsedTimer t;
        t.start();
        int reads = 0, refusals = 0;
        while (t.elapsed() < 3000) {
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
                const SheetFile f = readSheetFile(put(QStringLiteral("fuzz.dat"), b), Layout::Current);
                ++reads;
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
        QVERIFY(refusals > 0);
        qInfo("mutations: %d read, %d refused", reads, refusals);
    }
};

QTEST_GUILESS_MAIN(TstExchangeCodec)
#include "tst_exchange_codec.moc"
