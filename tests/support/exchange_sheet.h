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

inline void setBall(vx::GameRecord& r, int k, const QString& mark, int code, int pins, int attr, int mask) {
    r.Marks[std::size_t(k)] = mark;
    r.Codes[std::size_t(k)] = std::uint8_t(code);
    r.PinsDown[std::size_t(k)] = std::uint8_t(pins);
    r.Attrs[std::size_t(k)] = std::int16_t(attr);
    r.PinMasks[std::size_t(k)] = mask;
}

// Games of the known players, as a not-entered record with the balls of the file.
inline vx::GameRecord knownGame(int player, int game) {
    vx::GameRecord r = vx::exchange::notEnteredRecord();
    if (player == 0 && game == 0) {
        setBall(r, 0, QStringLiteral("＊"), 10, 10, 4, 0);
        setBall(r, 2, QStringLiteral("７"), 7, 7, 0, 7);
        setBall(r, 3, QStringLiteral("／"), 20, 3, 3, 0);
        setBall(r, 4, QStringLiteral("8s"), 8, 8, 2, 576);
        setBall(r, 5, QStringLiteral("－"), 19, 0, 0, 576);
        r.Scores[1] = 20;
        r.Scores[2] = 38;
        r.Scores[3] = 46;
    } else if (player == 0 && game == 1) {
        setBall(r, 0, QStringLiteral("Ｆ"), 21, 0, 1, 1023);
        setBall(r, 1, QStringLiteral("９"), 9, 9, 0, 1);
        r.Scores[1] = 9;
    } else if (player == 1 && game == 3) {
        setBall(r, 0, QStringLiteral("Ｇ"), 0, 0, 0, 1023);
    } else if (player == 2 && game == 2) {
        setBall(r, 18, QStringLiteral("＊"), 10, 10, 4, 0);
        setBall(r, 19, QStringLiteral("＊"), 10, 10, 4, 0);
        setBall(r, 20, QStringLiteral("５"), 5, 5, 0, -1);
        r.Scores[10] = 25;
    }
    return r;
}

struct KnownPlayer {
    int slot;
    std::int16_t id;
    QString name;
    std::int16_t hcp;
};
inline const KnownPlayer knownPlayers[3] = {{0, 3, QStringLiteral("山田太郎"), 15},
                                            {1, 12, QStringLiteral("Suzuki"), -5},
                                            {7, 25, QStringLiteral("佐藤　花子"), 0}};

inline void setUpKnownDay() {
    using namespace Module1;
    setUpMatch(35, 3);
    VenueId = 2;
    MatchYear = 2026;
    MatchMonth = 5;
    MatchDay = 17;
    SeasonId = 1;
    for (int s = 0; s <= LastPlayer; ++s)
        for (int g = 0; g <= LastGame; ++g) ScoreSheet(s, g) = vx::exchange::notEnteredRecord();
    for (int p = 0; p < 3; ++p) {
        const KnownPlayer& k = knownPlayers[p];
        for (int g = 0; g <= LastGame; ++g) ScoreSheet(k.slot, g) = knownGame(p, g);
        placePlayer(k.slot, k.id, k.name, k.hcp);
        for (int g = 0; g <= LastGame; ++g) {
            auto& r = ScoreSheet(k.slot, g);
            r.Scores[0] = std::int16_t(r.Scores[10] + k.hcp);
            r.VenueId = VenueId;
            r.Year = MatchYear;
            r.Month = MatchMonth;
            r.Day = MatchDay;
        }
    }
}

// Field by field, so a failure names what differs.
inline bool sameGame(const vx::GameRecord& a, const vx::GameRecord& b, QString* why = nullptr) {
    auto bad = [&](const QString& what) {
        if (why) *why = what;
        return false;
    };
    if (!(a.Name == b.Name)) return bad(QStringLiteral("name ") + a.Name.str() + QStringLiteral(" / ") + b.Name.str());
    for (int k = 0; k <= 20; ++k) {
        const auto i = std::size_t(k);
        if (a.Marks[i] != b.Marks[i] || a.Codes[i] != b.Codes[i] || a.PinsDown[i] != b.PinsDown[i] ||
            a.Attrs[i] != b.Attrs[i] || a.PinMasks[i] != b.PinMasks[i])
            return bad(QStringLiteral("ball %1").arg(k));
    }
    if (a.Scores != b.Scores) return bad(QStringLiteral("scores"));
    if (a.VenueId != b.VenueId || a.Year != b.Year || a.Month != b.Month || a.Day != b.Day) return bad(QStringLiteral("venue/date"));
    return true;
}

}  // namespace vxtest
