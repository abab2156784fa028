// The pin side of the score entry: ball focus, the rack on screen, pin commands and codes from pins.
#include "common/dialogs.h"
#include "common/module1.h"
#include "recording/scoreentry_model.h"
#include <algorithm>

namespace vx {

using namespace Module1;

void ScoreEntryModel::setPinState(int i, int state) {
    PinStates[std::size_t(i)] = state;
    pinPicture_[std::size_t(i)] = state;
    if (CurFrame >= 0 && CurFrame <= 11) shape_[std::size_t(CurFrame * 10 + i)] = PinColors[std::size_t(state)];
}

void ScoreEntryModel::allPinsTo(int state) {
    for (int i = 0; i < 10; ++i) setPinState(i, state);
}

void ScoreEntryModel::standingPinsTo2() {
    for (int i = 0; i < 10; ++i)
        if (PinStates[std::size_t(i)] == 1) setPinState(i, 2);
}

void ScoreEntryModel::resetBall(int k) { clearBall(rec(), k); }

bool ScoreEntryModel::rackBalls(int& first, int& second) {
    const auto& r = rec();
    const bool s18 = r.Codes[18] == BallCode::Strike;
    const bool s19 = r.Codes[19] == BallCode::Strike;
    second = -1;
    if (CurBall >= 0 && CurBall < 19) {
        first = 2 * CurFrame;
        second = first + 1;
    } else if (CurBall == 19) {
        first = s18 ? 19 : 18;
        second = first + 1;
    } else if (CurBall == 20 && s18 && !s19) {
        first = 19;
        second = 20;
    } else if (CurBall == 20 && ((s18 && s19) || r.Codes[19] == BallCode::Spare)) {
        first = 20;
    } else {
        return false;
    }
    return first >= 0 && first <= 20;
}

// ---------------------------------------------------------------- ball focus

void ScoreEntryModel::Txt_MARK_GotFocus(int Index) {
    if (Index < 0 || Index > 21) return;
    CurBall = std::int16_t(Index);
    if (Index == 21) {
        requestFocus(0);  // the sentinel hands the focus back to the first ball
        return;
    }
    FocusBall = std::int16_t(Index);
    PinStates.fill(0);
    fl_check();
    flameBack_.fill(ColorGrey);
    flameBack_[std::size_t(CurFrame)] = ColorWhite;
    if (pinMode()) rebuildRack();
}

void ScoreEntryModel::rebuildRack() {
    auto& r = rec();
    auto& m = r.PinMasks;
    int F = -1, S = -1;
    bool foulF = false, foulS = false;
    QString badMaskMessage;
    auto foulOn20 = [&]() {
        if (r.Attrs[20] != BallAttr::Foul) return false;
        r.Codes[20] = BallCode::Foul;
        return true;
    };
    if (CurFrame <= 9) {
        F = 2 * CurFrame;
        S = F + 1;
        foulF = m[F] < -1;
    } else if (CurFrame == 10 && (CurBall == 19 || (CurBall == 20 && r.Codes[18] == BallCode::Strike))) {
        F = 19;
        S = 20;
        foulF = r.Codes[19] == BallCode::Foul;
        badMaskMessage = CurBall == 19 ? QStringLiteral("error　fl=10 flame=19 a") : QStringLiteral("error　fl=10 flame=19 b");
    } else if (CurFrame == 10 && CurBall == 20 && r.Codes[19] == BallCode::Spare) {
        F = 20;
        foulF = r.Codes[20] == BallCode::Foul;
        badMaskMessage = QStringLiteral("error　fl=10 flame=20 b");
    } else if (CurFrame == 10 && CurBall == 20) {
        MsgBox(QStringLiteral("Error Faul fl=10 flame=20"), vbOKOnly);
        return;
    } else if (CurFrame == 10) {
        MsgBox(QStringLiteral("Error Faul fl=10 flame_select"), vbOKOnly);
        return;
    } else {
        F = 20;
        foulF = foulOn20();
        badMaskMessage = QStringLiteral("error");
    }

    if (foulF) {
        allPinsTo(1);
    } else if (m[F] == PinMask::NoData) {
        if (S >= 0) m[S] = PinMask::NoData;
        for (int i = 0; i < 10; ++i) {
            PinStates[std::size_t(i)] = 0;
            pinPicture_[std::size_t(i)] = 0;
            shape_[std::size_t(CurFrame * 10 + i)] = ColorGrey;
        }
        return;
    } else if (m[F] >= 0) {
        for (int i = 9; i >= 0; --i) setPinState(i, (m[F] >> i) & 1 ? 1 : 0);
    } else {
        MsgBox(badMaskMessage, vbOKOnly);
        if (S < 0) return;
    }

    if (S < 0 || r.Codes[F] == BallCode::Strike) return;
    foulS = S == 20 ? foulOn20() : m[S] < -1;
    if (foulS) {
        standingPinsTo2();
    } else if (m[S] >= 0) {
        for (int i = 0; i < 10; ++i)
            if ((m[S] >> i) & 1) setPinState(i, 2);
    }
}

// ---------------------------------------------------------------- mode and pins

void ScoreEntryModel::Cmd_Mode_Click() {
    if (frameMode_ == MarkModeCaption) frameMode_ = PinModeCaption;
    else if (frameMode_ == PinModeCaption) frameMode_ = MarkModeCaption;
}

void ScoreEntryModel::pct_pin_Click(int Index) {
    if (Index < 0 || Index > 9) return;
    fl_check();
    processPendingFocus();
    auto& r = rec();
    auto& m = r.PinMasks;

    int first = -1, second = -1;
    if (!rackBalls(first, second)) {
        // No rack to put the pin in: say so, put the cursor back on a ball that exists and let its
        // focus rebuild the rack from the stored masks. Nothing stored is touched.
        const int s = PinStates[std::size_t(Index)];
        if (s == 0) MsgBox(QStringLiteral("Error Pct_Pin 1001"), vbOKOnly);
        else if (s == 1) MsgBox(QStringLiteral("Error Pct_Pin 1002"), vbOKOnly);
        CurBall = std::int16_t(std::clamp<int>(CurBall, 0, 20));
        fl_check();
        requestFocus(CurBall);
        return;
    }

    // A rack with a ball that has no pin data starts afresh.
    std::array<int, 2> reset{-1, -1};
    const bool s18 = r.Codes[18] == BallCode::Strike;
    if (CurFrame <= 9) {
        const int f = CurBall / 2;
        if (m[2 * f] == PinMask::NoData || m[2 * f + 1] == PinMask::NoData) reset = {2 * f, 2 * f + 1};
    } else if (CurFrame == 10 && (CurBall == 19 || s18)) {
        if (m[19] == PinMask::NoData || m[20] == PinMask::NoData) reset = {19, 20};
    } else if (m[20] == PinMask::NoData) {
        reset = {20, -1};
    }
    if (reset[0] >= 0) {
        for (int i = 0; i < 10; ++i) shape_[std::size_t(CurFrame * 10 + i)] = PinColors[0];
        for (int k : reset) {
            if (k < 0) continue;
            resetBall(k);
            m[k] = 0;
            markText_[k] = EmptyMark;
        }
    }

    const std::int32_t bit = std::int32_t(1) << Index;
    const int s = PinStates[std::size_t(Index)];
    if (s == 0) {
        m[first] |= bit;
    } else if (s == 1) {
        if (second < 0) return;  // a one-ball rack has no second state
        m[second] |= bit;
    } else {
        m[first] &= ~bit;
        if (second >= 0) m[second] &= ~bit;
    }
    setPinState(Index, (s + 1) % 3);

    if (CurBall == 19 || CurBall == 20) Cmd_moveflame_Click(2);
}

// ---------------------------------------------------------------- pin commands

void ScoreEntryModel::cmd_MDS_Click(int Index) {
    if (Index < 0 || Index > 5 || Index == 1) return;
    fl_check();
    auto& r = rec();
    auto& m = r.PinMasks;
    const int f = CurFrame;
    const bool s18 = r.Codes[18] == BallCode::Strike;
    const bool s19 = r.Codes[19] == BallCode::Strike;
    auto foulAsFirst = [&](int k) {
        m[k] = PinMask::AllStanding;
        if (k < 20) m[k + 1] = 0;
        allPinsTo(1);
    };
    auto foulAsSecond = [&](int k) {
        m[k] = m[k - 1];
        standingPinsTo2();
    };

    switch (Index) {
        case 0:  // strike
            if (f < 9) {
                CurBall = std::int16_t(2 * f);
                m[2 * f] = 0;
                m[2 * f + 1] = 0;
            } else {
                m[CurBall] = 0;
            }
            allPinsTo(0);
            Cmd_MARK_Click(BallCode::Strike);
            return;
        case 2:  // gutter
            if (f <= 9) {
                if (CurBall != 2 * f) {
                    requestFocus(CurBall);
                    return;
                }
                m[2 * f] = PinMask::AllStanding;
                m[2 * f + 1] = 0;
            } else {
                m[CurBall] = PinMask::AllStanding;
                if (CurBall < 20) m[CurBall + 1] = 0;
            }
            allPinsTo(1);
            Cmd_MARK_Click(BallCode::Gutter);
            return;
        case 3:  // foul
            if (f <= 9) {
                if (CurBall % 2 == 0) foulAsFirst(CurBall);
                else foulAsSecond(CurBall);
            } else if (f == 10) {
                if (s18) {
                    if (CurBall == 19) foulAsFirst(19);
                    else if (CurBall == 20) foulAsSecond(20);
                    else {
                        MsgBox(QStringLiteral("errror  Faul 10F"), vbOKOnly);
                        return;
                    }
                } else if (r.Codes[19] == BallCode::Spare) {
                    foulAsFirst(20);
                } else {
                    MsgBox(QStringLiteral("faul error 10flame fl=10"), vbOKOnly);
                    return;
                }
            } else {
                if (s18 && s19) {
                    foulAsFirst(20);
                } else {
                    MsgBox(QStringLiteral("faul error 10flame fl=11"), vbOKOnly);
                    return;
                }
            }
            Cmd_MARK_Click(BallCode::Foul);
            return;
        case 4: {  // through
            bool enter = false;
            if (f <= 9) {
                if (m[2 * f] == 0 || m[2 * f] == PinMask::NoData) {
                    requestFocus(CurBall);  // nothing stands, or nothing is known: no move either
                    return;
                } else {
                    CurBall = std::int16_t(2 * f + 1);
                    m[2 * f + 1] = m[2 * f];
                    enter = true;
                }
            } else if (f == 10) {
                if (s18) {
                    CurBall = 20;
                    if (m[19] == PinMask::NoData) {
                        requestFocus(19);
                        return;
                    }
                    m[20] = m[19];
                    enter = true;
                } else if (r.Codes[19] != BallCode::Spare) {
                    MsgBox(QStringLiteral("Throgu error 10flame fl=10"), vbOKOnly);
                }
            }
            if (enter) {
                standingPinsTo2();
                Cmd_MARK_Click(BallCode::Miss);
            }
            if (CurBall <= 19) Cmd_moveflame_Click(1);
            return;
        }
        case 5: {  // clear
            for (int i = 0; i < 10; ++i) {
                PinStates[std::size_t(i)] = 0;
                pinPicture_[std::size_t(i)] = 0;
                shape_[std::size_t(f * 10 + i)] = ColorGrey;
            }
            if (f >= 9) {
                for (int k = 18; k <= 20; ++k) {
                    resetBall(k);
                    markText_[k] = QString();
                    markBack_[k] = ColorWhite;
                }
                requestFocus(18);
                for (int k = 90; k < 120; ++k) shape_[std::size_t(k)] = ColorGrey;
            } else {
                const int g = CurBall / 2;
                resetBall(2 * g);
                resetBall(2 * g + 1);
                markText_[2 * g] = QString();
                markBack_[2 * g] = ColorWhite;
                markText_[2 * g + 1] = QString();
            }
            return;
        }
    }
}

// ---------------------------------------------------------------- frame from pins

bool ScoreEntryModel::deriveFirst(int x, int& k1, bool& strike) {
    auto& r = rec();
    k1 = 0;
    strike = false;
    if (r.Codes[x] == BallCode::Foul) {
        if (r.PinMasks[x] == PinMask::AllStanding) return false;  // the foul stands
        r.Codes[x] = BallCode::NotEntered;
    }
    int standing = 0;
    for (int s : PinStates)
        if (s == 1 || s == 2) ++standing;
    k1 = 10 - standing;
    strike = k1 == 10;
    split_check();
    Cmd_MARK_Click(strike ? BallCode::Strike : k1);
    return true;
}

// Returns false when a kept foul ends the derivation.
bool ScoreEntryModel::deriveSecond(int y, int x, int k1) {
    auto& r = rec();
    if (r.Codes[y] == BallCode::Foul) {
        if (r.PinMasks[y] == r.PinMasks[x]) return false;
        r.Codes[y] = BallCode::NotEntered;
    }
    int k2 = 0;
    for (int s : PinStates)
        if (s == 1) ++k2;
    const int code = k2 == 0 ? BallCode::Miss : (k2 == 10 - k1 ? BallCode::Spare : k2);
    Cmd_MARK_Click(code);
    return true;
}

bool ScoreEntryModel::deriveRack() {
    auto& r = rec();
    auto& m = r.PinMasks;
    if (CurBall < 0 || CurBall > 20) return true;
    if (m[CurBall] == PinMask::NoData) {
        if (CurBall <= 18) m[2 * (CurBall / 2) + 1] = PinMask::NoData;
        else if (CurBall == 19 && r.Codes[18] == BallCode::Strike) m[20] = PinMask::NoData;
        return true;
    }
    int k1 = 0;
    bool strike = false;
    if (CurBall <= 18 || (CurBall == 19 && m[18] != 0 && m[19] != 0)) {
        CurBall = std::int16_t(2 * (CurBall / 2));
        requestFocus(CurBall);
        const int x = CurBall;
        deriveFirst(x, k1, strike);
        if (x == 18 && strike) return true;
        CurBall = std::int16_t(x + 1);
        requestFocus(CurBall);
        return !deriveSecond(x + 1, x, k1);
    }
    const bool s18 = r.Codes[18] == BallCode::Strike;
    const bool s19 = r.Codes[19] == BallCode::Strike;
    if (CurBall == 19) {
        if (s18) {
            deriveFirst(19, k1, strike);
            if (strike) return true;
            CurBall = 20;
            requestFocus(20);
            if (r.Codes[20] == BallCode::Foul) {
                if (m[20] == m[19]) return true;
                r.Codes[20] = BallCode::NotEntered;
            }
            split_check();
            return !deriveSecond(20, 19, k1);
        }
        return r.Codes[18] == BallCode::NotEntered;
    }
    // CurBall 20
    if (s18 && s19) {
        deriveFirst(20, k1, strike);
        return strike;
    }
    if (s18) {
        if (r.Codes[20] == BallCode::Foul) {
            if (m[20] == m[19]) return true;
            r.Codes[20] = BallCode::NotEntered;
        }
        if (r.Codes[19] == BallCode::Foul && m[19] == PinMask::AllStanding) return true;
        CurBall = 19;
        requestFocus(19);
        deriveFirst(19, k1, strike);
        if (strike) return true;
        CurBall = 20;
        requestFocus(20);
        return !deriveSecond(20, 19, k1);
    }
    if (r.Codes[19] == BallCode::Spare) {
        deriveFirst(20, k1, strike);
        return strike;
    }
    resetBall(20);
    return false;
}

void ScoreEntryModel::Cmd_moveflame_Click(int Index) {
    if (pinMode() && !deriveRack()) showFlameExtensions();
    if (Index == 2 && CurBall == 20) {
        requestFocus(19);
        requestFocus(16);
        requestFocus(20);
    }
    if (Index == 0) CurBall = std::int16_t(CurBall <= 1 ? 0 : 2 * (CurBall / 2) - 2);
    else if (Index == 1) CurBall = std::int16_t(CurBall < 18 ? 2 * (CurBall / 2) + 2 : (CurBall == 18 ? 19 : 20));
    requestFocus(CurBall);
}

void ScoreEntryModel::cmd_moveflame2_Click(int Index) {
    Cmd_moveflame_Click(2);
    if (Index == 0) {
        if (FocusBall > 0) --FocusBall;
    } else if (Index == 1) {
        if (FocusBall < 20) ++FocusBall;
    } else {
        return;
    }
    // After a refused move the cursor is -1 and "previous" has no box to go to: the first box then.
    if (FocusBall < 0) FocusBall = 0;
    requestFocus(FocusBall);
}

}  // namespace vx
