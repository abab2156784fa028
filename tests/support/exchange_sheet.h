#pragma once
// The known day of the expected exchange files in tests/data/exchange/ (made by make_files.py):
// a 36-slot, 4-game sheet with three players in slots 0, 1 and 7, venue 2, 2026-05-17.
#include "common/module1.h"
#include "recording/exchange_codec.h"
#include "support/recording_fixture.h"
#include <QFile>

namespace vxtest {

inline QString exchangeData(const QString& name) { return QStringLiteral(VX_TEST_DATA "/exchange/") + name; }

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QString put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) qFatal("cannot write %s", qPrintable(path));
    return path;
}

inline void setBall(vx::GameRecord& r, int k, const QString& mark, int code, int pins, int attr, int mask) {
    const auto i = std::size_t(k);
    r.Marks[i] = mark, r.Codes[i] = std::uint8_t(code), r.PinsDown[i] = std::uint8_t(pins), r.Attrs[i] = std::int16_t(attr), r.PinMasks[i] = mask;
}

struct KnownPlayer { int slot; std::int16_t id; QString name; std::int16_t hcp; };
inline const KnownPlayer knownPlayers[3] = {{0, 3, QStringLiteral("山田太郎"), 15},
                                            {1, 12, QStringLiteral("Suzuki"), -5},
                                            {7, 25, QStringLiteral("佐藤　花子"), 0}};

inline void setUpKnownDay() {
    using namespace Module1;
    setUpMatch(35, 3);
    VenueId = 2, MatchYear = 2026, MatchMonth = 5, MatchDay = 17, SeasonId = 1;
    for (int s = 0; s <= LastPlayer; ++s)
        for (int g = 0; g <= LastGame; ++g) ScoreSheet(s, g) = vx::exchange::notEnteredRecord();
    struct Ball { int player, game, k; const char* mark; int code, pins, attr, mask; };
    static const Ball balls[] = {{0, 0, 0, "＊", 10, 10, 4, 0},    {0, 0, 2, "７", 7, 7, 0, 7},    {0, 0, 3, "／", 20, 3, 3, 0},
                                 {0, 0, 4, "8s", 8, 8, 2, 576},    {0, 0, 5, "－", 19, 0, 0, 576}, {0, 1, 0, "Ｆ", 21, 0, 1, 1023},
                                 {0, 1, 1, "９", 9, 9, 0, 1},      {1, 3, 0, "Ｇ", 0, 0, 0, 1023}, {2, 2, 18, "＊", 10, 10, 4, 0},
                                 {2, 2, 19, "＊", 10, 10, 4, 0},   {2, 2, 20, "５", 5, 5, 0, -1}};
    for (const Ball& b : balls)
        setBall(ScoreSheet(knownPlayers[b.player].slot, b.game), b.k, QString::fromUtf8(b.mark), b.code, b.pins, b.attr, b.mask);
    auto& g00 = ScoreSheet(0, 0).Scores;
    g00[1] = 20, g00[2] = 38, g00[3] = 46, ScoreSheet(0, 1).Scores[1] = 9, ScoreSheet(7, 2).Scores[10] = 25;
    for (const KnownPlayer& k : knownPlayers) {
        placePlayer(k.slot, k.id, k.name, k.hcp);
        for (int g = 0; g <= LastGame; ++g) {
            auto& r = ScoreSheet(k.slot, g);
            r.Scores[0] = std::int16_t(r.Scores[10] + k.hcp);
            r.VenueId = VenueId, r.Year = MatchYear, r.Month = MatchMonth, r.Day = MatchDay;
        }
    }
}

// Field by field, so a failure names what differs.
inline QString gameDiff(const vx::GameRecord& a, const vx::GameRecord& b) {
    if (!(a.Name == b.Name)) return QStringLiteral("name ") + a.Name.str() + QStringLiteral(" / ") + b.Name.str();
    for (std::size_t i = 0; i <= 20; ++i)
        if (a.Marks[i] != b.Marks[i] || a.Codes[i] != b.Codes[i] || a.PinsDown[i] != b.PinsDown[i] ||
            a.Attrs[i] != b.Attrs[i] || a.PinMasks[i] != b.PinMasks[i])
            return QStringLiteral("ball %1").arg(i);
    if (a.Scores != b.Scores) return QStringLiteral("scores");
    if (a.VenueId != b.VenueId || a.Year != b.Year || a.Month != b.Month || a.Day != b.Day) return QStringLiteral("venue/date");
    return {};
}
#define VX_COMPARE_GAME(a, b) QVERIFY2(vxtest::gameDiff(a, b).isEmpty(), qPrintable(vxtest::gameDiff(a, b)))

}  // namespace vxtest
