#pragma once
// A fresh match in the shared state for tests of the score entry.
#include "common/module1.h"
#include "recording/scoreentry_model.h"

namespace vxtest {

inline void setUpMatch(int lastPlayer = 35, int lastGame = 3) {
    using namespace Module1;
    resetAll();
    LastPlayer = std::int16_t(lastPlayer);
    LastGame = std::int16_t(lastGame);
    MarkTexts = {QString(), "1s", "2s", "3s", "4s", "5s", "6s", "7s", "8s",
                 QStringLiteral("／"), QStringLiteral("＊")};
    PinImageFiles = {"pin1.jpg", "pin2.jpg", "pin3.jpg"};
    PinColors = {16777215, 1105407, 8425727};
    PlayerIds.assign(std::size_t(lastPlayer + 1), -1);
    PlayerNames.assign(std::size_t(lastPlayer + 1), QStringLiteral("選手名未入力"));
    PlayerHcps.assign(std::size_t(lastPlayer + 1), 0);
    ScoreSheet.redim(0, lastPlayer, 0, lastGame);
    CurPlayer = CurGame = CurBall = FocusBall = 0;
}

inline void placePlayer(int slot, std::int16_t id, const QString& name, std::int16_t hcp = 0) {
    using namespace Module1;
    PlayerIds[std::size_t(slot)] = id;
    PlayerNames[std::size_t(slot)] = name;
    PlayerHcps[std::size_t(slot)] = hcp;
    for (int g = 0; g <= LastGame; ++g) {
        ScoreSheet(slot, g).Name = name;
        ScoreSheet(slot, g).Scores[11] = hcp;
    }
}

// INIT, then shows slot/game with the cursor settled.
inline void start(vx::ScoreEntryModel& m, int slot = 0, int game = 0) {
    m.INIT();
    Module1::CurPlayer = std::int16_t(slot), Module1::CurGame = std::int16_t(game);
    m.clear_score();
    m.New_score();
    m.processPendingFocus();
}

// Enters a code at the cursor and lets the focus settle.
inline void enter(vx::ScoreEntryModel& m, int code) {
    m.Cmd_MARK_Click(code);
    m.processPendingFocus();
}

// Puts the cursor on ball k as a click in its box would.
inline void focusBall(vx::ScoreEntryModel& m, int k) {
    m.requestFocus(k);
    m.processPendingFocus();
}

// Pin entry as clicks make it: a pin by number, a command button (strike 0, gutter 2, foul 3,
// through 4, clear 5), a frame move (previous 0, next 1, "OK" 2).
inline void pin(vx::ScoreEntryModel& m, int number) {
    m.pct_pin_Click(number - 1);
    m.processPendingFocus();
}
inline void command(vx::ScoreEntryModel& m, int index) {
    m.cmd_MDS_Click(index);
    m.processPendingFocus();
}
inline void frameMove(vx::ScoreEntryModel& m, int index = 2) {
    m.Cmd_moveflame_Click(index);
    m.processPendingFocus();
}

inline vx::GameRecord& shown() { return Module1::ScoreSheet(Module1::CurPlayer, Module1::CurGame); }

// Sets balls from "ball:code ..." or "ball:code/mask ...", as state() shows them.
inline void setCodes(vx::GameRecord& r, const QString& balls) {
    for (const QString& part : balls.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const auto k = std::size_t(part.section(u':', 0, 0).toInt());
        r.Codes[k] = std::uint8_t(part.section(u':', 1).section(u'/', 0, 0).toInt());
        if (part.contains(u'/')) r.PinMasks[k] = part.section(u'/', 1).toInt();
    }
}

// Frames 1..9 as `down` pins then a miss; the tenth is left to the caller.
inline void openFrames(vx::GameRecord& r, int down) {
    for (int k = 0; k <= 17; ++k) r.Codes[std::size_t(k)] = std::uint8_t(k % 2 ? 19 : down);
}

// A record as "ball:code/mask ...": the balls entered or with pin data (no mask shown for none).
inline QString state(const vx::GameRecord& r = shown()) {
    QStringList out;
    for (std::size_t k = 0; k <= 20; ++k)
        if (r.Codes[k] != vx::BallCode::NotEntered || r.PinMasks[k] != vx::PinMask::NoData)
            out << QString::number(k) + u':' + QString::number(r.Codes[k]) + (r.PinMasks[k] < 0 ? QString() : u'/' + QString::number(r.PinMasks[k]));
    return out.join(u' ');
}

}  // namespace vxtest
