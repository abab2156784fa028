#include "recording/scoreentry_model.h"
#include "common/convert.h"
#include "common/dialogs.h"
#include "common/module1.h"
#include "common/width.h"
#include "recording/scoring.h"
#include "recording/split.h"
#include <algorithm>

namespace vx {

using namespace Module1;

const QString ScoreEntryModel::MarkModeCaption = QStringLiteral("マーク入力");
const QString ScoreEntryModel::PinModeCaption = QStringLiteral(" ピン入力 ");
const QString ScoreEntryModel::NoPendingGamesText = QStringLiteral("入力途中のゲームはありません。");

namespace {
const QString kHcpMissing = QStringLiteral("ハンデを入力してください");

bool isKnownCode(int c) { return (c >= 0 && c <= 10) || c == 19 || c == 20 || c == 21 || c == 30; }

// "####": digits only, nothing for 0.
QString hashPicture(int v) { return v == 0 ? QString() : QString::number(v); }
}  // namespace

ScoreEntryModel::ScoreEntryModel(ScoreEntryListener* listener) : listener_(listener) {
    markText_.fill(EmptyMark);
    markBack_.fill(ColorWhite);
    shape_.fill(ColorGrey);
    flameBack_.fill(ColorGrey);
    frameMode_ = MarkModeCaption;
}

QString ScoreEntryModel::markCaption(int code) {
    static const QString digits = QStringLiteral("Ｇ１２３４５６７８９");
    if (code >= 0 && code <= 9) return digits.mid(code, 1);
    switch (code) {
        case 10: return MarkTexts[10];
        case 19: return QStringLiteral("－");
        case 20: return MarkTexts[9];
        case 21: return QStringLiteral("Ｆ");
        default: return EmptyMark;
    }
}

QString ScoreEntryModel::pinPictureFile(int i) const {
    return PinImageFiles[std::size_t(pinPicture_[std::size_t(i)])];
}

GameRecord& ScoreEntryModel::rec() { return ScoreSheet(CurPlayer, CurGame); }

// ---------------------------------------------------------------- sheet and record

void ScoreEntryModel::INIT() {
    for (int s = 0; s <= LastPlayer; ++s)
        for (int g = 0; g <= LastGame; ++g) {
            clearGame(ScoreSheet(s, g));
        }
    for (int k = 0; k <= 20; ++k) markText_[k] = EmptyMark;
    pinPicture_.fill(0);
}

void ScoreEntryModel::clear_score() {
    for (int k = 0; k <= 21; ++k) {
        markText_[k] = EmptyMark;
        markBack_[k] = ColorWhite;
    }
    for (auto& t : scoreText_) t.clear();
    FocusBall = 0;
}

void ScoreEntryModel::Clear_Mark() {
    markText_[CurBall] = EmptyMark;
    FocusBall = CurBall;
    rec().Codes[CurBall] = BallCode::NotEntered;
}

void ScoreEntryModel::fl_check() {
    const auto& r = rec();
    if (CurBall >= 0 && CurBall <= 18) {
        CurFrame = CurBall / 2;
    } else if (CurBall == 19) {
        CurFrame = r.Codes[18] == BallCode::Strike ? 10 : 9;
    } else if (CurBall == 20) {
        if (r.Codes[18] == BallCode::Strike) {
            CurFrame = r.Codes[19] == BallCode::Strike ? 11 : 10;
        } else if (r.Codes[19] == BallCode::Spare) {
            CurFrame = 10;
        } else {
            // Ball 20 does not exist after an open tenth.
            CurFrame = 9;
            CurBall = 18;
            requestFocus(18);
        }
    } else if (CurBall != 21) {
        // The cursor left the boxes: say so, then put it on the nearest ball rather than stop.
        MsgBox(QStringLiteral("Function fl_check  error 2"), vbOKOnly);
        CurBall = std::int16_t(std::clamp<int>(CurBall, 0, 20));
        fl_check();
        requestFocus(CurBall);
    }
}

void ScoreEntryModel::Cmd_KEISAN_Click() {
    auto& r = rec();
    for (int k = 0; k <= 20; ++k) {
        r.Marks[k] = markText_[k];
        if (markText_[k] == EmptyMark) {
            r.Codes[k] = BallCode::NotEntered;
            r.PinsDown[k] = 0;
        }
    }
    scoreGame(r);
    for (int f = 1; f <= 10; ++f) scoreText_[f] = CStr(int(r.Scores[f]));
    scoreText_[11] = CStr(int(r.Scores[11]));
    scoreText_[0] = CStr(int(r.Scores[0]));
    t10Bar_ = std::clamp<int>(r.Scores[10], 0, 300);  // the bar stands at the score it shows

    // Split colours that cannot stand go. A ball of 0..8 pins would otherwise keep the attribute and
    // be stored with a split mark, so it loses the attribute too; from 9 on the attribute stays and
    // the canonical marks below clear the ball.
    auto unsplit = [&](int k) {
        if (markBack_[k] != ColorSplit) return;
        markBack_[k] = ColorWhite;
        if (r.Attrs[k] == BallAttr::Split && r.Codes[k] <= 8) r.Attrs[k] = BallAttr::Plain;
    };
    auto noSplitPins = [&](int k) { return r.PinsDown[k] == 0 || r.PinsDown[k] == 9 || r.PinsDown[k] == 10; };
    for (int k = 0; k <= 18; k += 2)
        if (noSplitPins(k)) unsplit(k);
    for (int k = 1; k <= 17; k += 2) unsplit(k);
    if (r.PinsDown[18] != 10 || noSplitPins(19)) unsplit(19);
    if ((r.Codes[19] != BallCode::Strike && r.Codes[19] != BallCode::Spare) || noSplitPins(20)) unsplit(20);

    for (int k = 0; k <= 20; ++k) {
        const int c = r.Codes[k];
        if (c == BallCode::Strike) r.Attrs[k] = BallAttr::Strike;
        else if (c == BallCode::Spare) r.Attrs[k] = BallAttr::Spare;
        else if (c == BallCode::Foul) r.Attrs[k] = BallAttr::Foul;
        if (markBack_[k] == ColorSplit) r.Attrs[k] = BallAttr::Split;
    }

    for (int k = 0; k <= 20; ++k) {
        const int c = r.Codes[k];
        r.Marks[k] = markCaption(c);
        if (r.Attrs[k] == BallAttr::Split) {
            if (c <= 8) {
                r.Marks[k] = MarkTexts[std::size_t(c)];
            } else {
                r.Attrs[k] = BallAttr::Plain;
                r.Marks[k] = EmptyMark;
                r.Codes[k] = BallCode::NotEntered;
                markText_[k] = r.Marks[k];
                requestFocus(CurBall);
                return;
            }
        }
        if (c == BallCode::NotEntered) r.Marks[k] = EmptyMark;
        markText_[k] = r.Marks[k];
    }
}

void ScoreEntryModel::VSc_Hcp_Change(int value) {
    auto& r = rec();
    hcpBar_ = value;
    r.Scores[11] = std::int16_t(value);
    scoreText_[11] = CStr(value);
    r.Scores[0] = std::int16_t(r.Scores[11] + r.Scores[10]);
    scoreText_[0] = hashPicture(r.Scores[0]);
}

void ScoreEntryModel::VSc_T10_Change(int value) {
    t10Bar_ = value;
    rec().Scores[10] = std::int16_t(value);
    scoreText_[10] = CStr(value);
}

// ---------------------------------------------------------------- mark entry

void ScoreEntryModel::refuse() {
    markText_[CurBall] = QString();
    requestFocus(CurBall);
    Clear_Mark();
}

void ScoreEntryModel::Cmd_MARK_Click(int Index) {
    if (!isKnownCode(Index)) return;
    if (CurBall < 0 || CurBall > 21) {
        fl_check();  // reports and moves the cursor back onto a ball; the mark is not placed blindly
        return;
    }
    auto& r = rec();
    const int c = Index;
    markText_[CurBall] = leftChars(markCaption(Index), 2);
    r.Codes[CurBall] = std::uint8_t(Index);
    if (!((CurBall == 19 || CurBall == 20) && r.Attrs[CurBall] == BallAttr::Foul)) r.Attrs[CurBall] = BallAttr::Plain;
    ++FocusBall;

    const int b = CurBall;
    auto isStrike = [&](int k) { return r.Codes[k] == BallCode::Strike; };
    if (b < 18 && b % 2 == 0) {
        if (c == 19 || c == 20 || c == 30) {
            refuse();
        } else if (c == 10) {
            r.PinMasks[b] = 0;
            markText_[b + 1] = markCaption(30);
            r.Codes[b + 1] = BallCode::NotEntered;
            r.Attrs[b + 1] = BallAttr::NotSet;  // an emptied ball counts as no spare or foul
            requestFocus(b + 2);
            FocusBall = std::int16_t(b + 2);
        } else {
            requestFocus(FocusBall);
        }
    } else if (b < 18) {
        const int p = r.Codes[b - 1];
        if (c == 10 || c == 0) {
            refuse();
        } else if (c == 20) {
            if (p == 10) {
                refuse();
            } else {
                requestFocus(b + 1);
                FocusBall = std::int16_t(b + 1);
            }
        } else if ((c == 19 || c == 21) && p == 10) {
            refuse();
        } else if ((9 < p + c && p + c < 19) || (p == 10 && c <= 9)) {
            // Pins after a strike, or ten or more pins in two balls (that is a spare).
            refuse();
        } else {
            requestFocus(FocusBall);
        }
    } else if (b == 18) {
        if (c == 19 || c == 20 || c == 30) {
            refuse();
        } else {
            if (c == 10) r.PinMasks[18] = 0;
            requestFocus(19);
            FocusBall = 19;
        }
    } else if (b == 19 && isStrike(18)) {
        if (c == 19 || c == 20 || c == 30) {
            refuse();
        } else if (c == 10) {
            r.PinMasks[19] = 0;
            requestFocus(20);
            FocusBall = 20;
        } else {
            requestFocus(20);
            FocusBall = 20;
            CurBall = 20;
            Clear_Mark();  // an earlier ball 20 no longer fits
            r.Attrs[20] = BallAttr::NotSet;
        }
    } else if (b == 19) {
        const int s = r.Codes[18] + c;
        if (c == 10 || c == 0) {
            refuse();
        } else if (c == 20) {
            requestFocus(20);
            FocusBall = 20;
        } else if (c == 21) {
            requestFocus(FocusBall);
        } else if (9 < s && s < 19) {
            refuse();
        } else {
            r.Codes[20] = BallCode::NotEntered;
            r.Attrs[20] = BallAttr::NotSet;
            markText_[20] = EmptyMark;
        }
    } else if (b == 20) {
        if (isStrike(18) && isStrike(19)) {
            if (c == 19 || c == 20 || c == 30) {
                refuse();
            } else if (c == 10) {
                r.PinMasks[20] = 0;
                requestFocus(20);
                FocusBall = 20;
            }
        } else if (isStrike(18)) {
            const int s = r.Codes[19] + c;
            if (c == 10 || c == 0 || c == 30) {
                refuse();
            } else if (c == 20) {
                r.PinsDown[20] = std::uint8_t(10 - r.PinsDown[19]);
            } else if (9 < s && s < 19) {
                refuse();
            }
        } else if (r.Codes[19] == BallCode::Spare) {
            if (c == 19 || c == 20 || c == 30) {
                refuse();
            } else if (c == 10) {
                r.PinMasks[20] = 0;
                requestFocus(20);
                FocusBall = 20;
            }
        } else {
            refuse();  // no third ball after an open tenth
        }
    }

    if (markMode()) {
        fl_check();
        for (int i = 0; i < 10; ++i) shape_[std::size_t(CurFrame * 10 + i)] = ColorGrey;
        if (CurFrame < 10) {
            rec().PinMasks[2 * CurFrame] = PinMask::NoData;
            rec().PinMasks[2 * CurFrame + 1] = PinMask::NoData;
        } else {
            rec().PinMasks[19] = PinMask::NoData;
            rec().PinMasks[20] = PinMask::NoData;
        }
    }
    Cmd_KEISAN_Click();
}

void ScoreEntryModel::Cmd_spl_Click() {
    if (CurBall < 0 || CurBall > 21) return;
    if (markBack_[CurBall] == ColorWhite) {
        markBack_[CurBall] = ColorSplit;
        rec().Attrs[CurBall] = BallAttr::Split;
    } else {
        markBack_[CurBall] = ColorWhite;
        rec().Attrs[CurBall] = BallAttr::Plain;
    }
}

void ScoreEntryModel::split_check() {
    if (CurBall < 0 || CurBall > 21) return;
    const bool split = isSplitLeave(rec().PinMasks[CurBall]);
    const bool white = markBack_[CurBall] == ColorWhite;
    if (split == white) Cmd_spl_Click();
}

// ---------------------------------------------------------------- showing and moving

void ScoreEntryModel::New_score() {
    if (leftChars(PlayerNames[std::size_t(CurPlayer)].str(), 6) == QStringLiteral("選手名未入力")) CurPlayer = 0;
    processPendingFocus();
    auto& r = rec();

    for (int k = 20; k >= 0; --k) markText_[k] = leftChars(r.Marks[k], 2);
    txtSen_ = PlayerNames[std::size_t(CurPlayer)].str();
    txtGam_ = Str(CurGame + 1);
    txtJunban_ = Str(CurPlayer + 1);

    r.VenueId = VenueId;
    r.Year = MatchYear;
    r.Month = MatchMonth;
    r.Day = MatchDay;
    // The bar only mirrors the stored handicap here; it has no say over it.
    hcpBar_ = std::clamp<int>(r.Scores[11], -100, 200);

    if (listener_) listener_->laneCellSelected(CurPlayer / 6 + 1, CurPlayer % 6 + 1);

    for (int k = 0; k <= 11; ++k) scoreText_[k] = CStr(int(r.Scores[k]));
    scoreText_[10] = hashPicture(r.Scores[10]).rightJustified(4, QLatin1Char(' '));
    t10Bar_ = std::clamp<int>(r.Scores[10], 0, 300);

    for (int k = 0; k <= 20; ++k)
        if (r.Attrs[k] == BallAttr::Split) markBack_[k] = ColorSplit;

    // Entry cursor: the first empty ball, passing over the empty box after a strike.
    bool passedStrike = false;
    bool found = false;
    for (int k = 0; k <= 20; ++k) {
        if (r.Codes[k] != BallCode::NotEntered) continue;
        if (k >= 1 && k <= 17 && r.Codes[k - 1] == BallCode::Strike) {
            FocusBall = std::int16_t(k);
            passedStrike = true;
            continue;
        }
        FocusBall = std::int16_t(k);
        found = true;
        break;
    }
    if (FocusBall != -1) CurBall = FocusBall;
    if (!found && passedStrike) requestFocus(21);
    else requestFocus(CurBall);

    drawPinDiagrams();
    showFlameExtensions();

    if (pinMode()) {
        if (CurBall == 1) requestFocus(1);
        else if (CurBall >= 2 && CurBall <= 18 && r.Codes[CurBall - 2] != BallCode::Strike &&
                 r.Codes[CurBall - 1] == BallCode::Spare)
            requestFocus(CurBall - 1);
    }
    if (listener_) listener_->backupRequested();
}

void ScoreEntryModel::showFlameExtensions() {
    const int t = rec().Scores[10];
    flameVisible_[10] = t >= 10;
    flameVisible_[11] = t >= 20;
}

void ScoreEntryModel::drawPinDiagrams() {
    const auto& r = rec();
    const auto& m = r.PinMasks;
    shape_.fill(ColorGrey);
    // One rack: pins down after `first` in colour 0, down after `second` in 1, left standing in 2.
    auto draw = [&](int frame, int first, int second) {
        for (int i = 0; i < 10; ++i) {
            const bool standing1 = m[first] >= 0 && ((m[first] >> i) & 1);
            std::int32_t col = standing1 ? PinColors[1] : PinColors[0];
            if (second >= 0 && m[second] >= 0 && ((m[second] >> i) & 1)) col = PinColors[2];
            shape_[std::size_t(frame * 10 + i)] = col;
        }
    };
    for (int f = 0; f <= 9; ++f) {
        CurFrame = f;
        if (m[2 * f] == PinMask::NoData) continue;
        draw(f, 2 * f, r.Codes[2 * f] == BallCode::Strike ? -1 : 2 * f + 1);
    }
    if (m[19] != PinMask::NoData) {
        const bool s18 = r.Codes[18] == BallCode::Strike;
        const bool s19 = r.Codes[19] == BallCode::Strike;
        if (s18 && s19) {
            for (int i = 0; i < 10; ++i) shape_[std::size_t(100 + i)] = PinColors[0];
            if (m[20] != PinMask::NoData) draw(11, 20, -1);
        } else if (s18) {
            draw(10, 19, 20);
        } else if (r.Codes[18] != BallCode::NotEntered && r.Codes[19] == BallCode::Spare && m[20] != PinMask::NoData) {
            draw(10, 20, -1);
        }
    }
}

int ScoreEntryModel::incompleteMarker() {
    const auto& r = rec();
    for (int k = 0; k <= 20; ++k)
        if (r.Codes[k] == BallCode::NotEntered && r.Codes[k + 1] == BallCode::NotEntered) return k + 1;
    return 0;
}

bool ScoreEntryModel::refuseMoveForHandicap() {
    const int marker = incompleteMarker();
    const auto& r = rec();
    const bool complete = marker == 0;
    const bool openTenth = marker == 21 && r.Codes[18] + r.Codes[19] <= 9;
    if (HcpRequired == 1 && Val(scoreText_[11]) < 0 && (complete || openTenth)) {
        Beep();
        MsgBox(kHcpMissing, vbOKOnly);
        FocusBall = -1;
        requestFocus(FocusHcpBox);
        return true;
    }
    return false;
}

void ScoreEntryModel::Pct_moveGAM_Click(int Index) {
    Cmd_moveflame_Click(2);
    Cmd_KEISAN_Click();
    if (refuseMoveForHandicap()) return;
    clear_score();
    CurGame = std::int16_t(CurGame + (Index == 0 ? -1 : 1));
    if (CurGame < 0 || CurGame > LastGame) {
        Beep();
        CurGame = 0;
    }
    New_score();
}

void ScoreEntryModel::Pct_moveSEN_Click(int Index) {
    static constexpr int steps[] = {-1, 1, -6, 6};
    if (Index < 0 || Index > 3) return;
    if (pinMode()) Cmd_moveflame_Click(2);
    Cmd_KEISAN_Click();
    if (refuseMoveForHandicap()) return;
    clear_score();
    const int start = CurPlayer;
    int s = start;
    do {
        s += steps[Index];
        if (s < 0) {
            Beep();
            s = start;
            break;
        }
        if (s > LastPlayer) {
            Beep();
            s = 0;
            break;
        }
    } while (PlayerIds[std::size_t(s)] == -1);
    CurPlayer = std::int16_t(s);
    New_score();
}

void ScoreEntryModel::Pct_flame_Click(int Index) {
    if (Index < 0 || Index > 11) return;
    const auto& r = rec();
    const bool s18 = r.Codes[18] == BallCode::Strike;
    CurFrame = Index;
    if (Index <= 9) {
        CurBall = std::int16_t(2 * Index);
    } else if (Index == 10) {
        CurBall = s18 ? 19 : 20;
    } else if (s18 && r.Codes[19] == BallCode::Strike) {
        CurBall = 20;
    } else {
        Beep();
        New_score();
    }
    requestFocus(CurBall);
}

void ScoreEntryModel::Form_Activate() {
    const auto& r = rec();
    for (int k = 0; k <= 21; ++k) markText_[k] = r.Marks[k];
    Cmd_KEISAN_Click();
    New_score();
}

bool ScoreEntryModel::Cmd_CAN_Click(int Index) {
    const QString cr(QChar(u'\r'));
    const int style = vbOKCancel + vbExclamation + vbDefaultButton2 + 4096;  // system modal
    if (Index == 0) {
        if (MsgBox(QStringLiteral("画面のマークを全て消します。") + cr + QStringLiteral("よろしいですか？"), style) != vbOK)
            return false;
        auto& r = rec();
        for (int k = 0; k <= 20; ++k) {
            markText_[k] = EmptyMark;
            clearBall(r, k);
        }
        for (int f = 0; f <= 10; ++f) r.Scores[f] = 0;
        requestFocus(0);
        return true;
    }
    if (Index == 1)
        return MsgBox(QStringLiteral("入力したデータを全て消し、メニューに戻ります。") + cr + QStringLiteral("よろしいですか？"),
                      style) == vbOK;
    return false;
}

// ---------------------------------------------------------------- input check and end of input

void ScoreEntryModel::Cmd_INFO_Click() {
    infoVisible_ = true;
    txtInfo_.clear();
    if (listener_) listener_->infoShown();
    Cmd_KEISAN_Click();
    const QString crlf = QStringLiteral("\r\n");
    for (int g = 0; g <= LastGame; ++g)
        for (int s = 0; s <= LastPlayer; ++s) {
            const auto& r = ScoreSheet(s, g);
            int c = 0;
            QString line2;
            if (PlayerIds[std::size_t(s)] == -1) {
                for (int k = 0; k <= 18; k += 2)
                    if (r.Codes[k] != BallCode::NotEntered || r.Codes[k + 1] != BallCode::NotEntered) {
                        ++c;
                        line2 = QStringLiteral("選手名が入っていないのに入力しているところがあります。　") + Str(g + 1) +
                                QStringLiteral("ゲーム目の第") + Str(s + 1) + QStringLiteral("番目です。");
                    }
            } else {
                for (int k = 0; k <= 19; ++k)
                    if (r.Codes[k] == BallCode::NotEntered && r.Codes[k + 1] == BallCode::NotEntered) ++c;
                if ((r.Codes[19] == BallCode::Spare || r.Codes[18] == BallCode::Strike) &&
                    r.Codes[20] == BallCode::NotEntered)
                    c = 1;
            }
            if (c == 20) c = 0;
            if (c != 0) {
                const QString line1 = leftChars(PlayerNames[std::size_t(s)].str(), 5) + QStringLiteral("選手の 第") +
                                      Str(g + 1) + QStringLiteral("ゲームが、入力途中です。");
                txtInfo_ += line1 + crlf + line2 + crlf;
            }
        }
    if (txtInfo_.isEmpty()) txtInfo_ = NoPendingGamesText;
    if (listener_) listener_->infoChanged();
}

void ScoreEntryModel::Form_INFO_Cmd_OK_Click() {
    txtInfo_.clear();
    infoVisible_ = false;
}

void ScoreEntryModel::Cmd_TOKEI_Click() {
    if (HcpRequired == 1 && Val(scoreText_[11]) < 0) {
        Beep();
        MsgBox(kHcpMissing, vbOKOnly);
        FocusBall = -1;
        requestFocus(FocusHcpBox);
        return;
    }
    Cmd_KEISAN_Click();
    Cmd_INFO_Click();
    if (txtInfo_ != NoPendingGamesText) {
        if (MsgBox(QStringLiteral("入力していないデータを入力してください"), vbYesNo + vbExclamation) == vbYes) return;
    }
    if (!ANA()) {
        MsgBox(QStringLiteral("スコアが入力されたゲームがありません。") + QChar(u'\r') +
                   QStringLiteral("統計に進む前にスコアを入力してください。"),
               vbOKOnly + vbExclamation);
        return;
    }
    if (GamePlayerCounts[0] < 2) {
        const QString cr(QChar(u'\r'));
        const QString prompt = QStringLiteral("一人しか入力されていません。") + cr +
                               QStringLiteral("一人でも記録しますか？") + cr + QStringLiteral("  ") +
                               QString(42, QLatin1Char('-')) + QStringLiteral(" ") + cr +
                               QStringLiteral(" [はい] を選ぶと、次に進みます。") + cr +
                               QStringLiteral("[いいえ]を選ぶと、スコア入力に戻ります。");
        if (MsgBox(prompt, vbYesNo + vbQuestion) != vbYes) return;
    }
    infoVisible_ = false;
    if (listener_) listener_->inputEnded();
}

bool ScoreEntryModel::holdsData(int s, int g) {
    if (PlayerIds[std::size_t(s)] == -1) return false;
    const auto& r = ScoreSheet(s, g);
    if (r.Scores[10] >= 1) return true;
    for (int k = 0; k <= 19; ++k)
        if (r.Codes[k] != BallCode::NotEntered) return true;
    return false;
}

bool ScoreEntryModel::ANA() {
    const int lastGame = std::min<int>(LastGame, 9);  // the counts hold at most ten games
    // Every total must carry the handicap as it stands now, not as of the game's last calculation.
    for (int s = 0; s <= LastPlayer; ++s)
        for (int g = 0; g <= lastGame; ++g) scoreGame(ScoreSheet(s, g));

    PlayersWithData.assign(std::size_t(LastPlayer + 1), QVariant());
    GamePlayerCounts.fill(0);
    int lastWithData = 0;
    for (int g = 0; g <= lastGame; ++g) {
        int n = 0;
        for (int s = 0; s <= LastPlayer; ++s)
            if (holdsData(s, g)) ++n;
        GamePlayerCounts[std::size_t(g + 1)] = std::uint8_t(n);
        if (n != 0) lastWithData = g + 1;
    }
    if (lastWithData == 0) {
        PlayedGameCount = 0;
        StatsSheet = {};
        PlayedSheet = {};
        return false;
    }

    int players = 0;
    for (int s = 0; s <= LastPlayer; ++s)
        for (int g = 0; g < lastWithData; ++g)
            if (holdsData(s, g)) {
                ++players;
                PlayersWithData[std::size_t(s)] = 1;
                break;
            }
    GamePlayerCounts[0] = std::uint8_t(players);

    StatsSheet.redim(0, LastPlayer + 1, 0, lastGame + 1);
    int gc = 0;
    for (int g = 0; g <= lastGame; ++g) {
        if (GamePlayerCounts[std::size_t(g + 1)] == 0) continue;
        ++gc;
        for (int s = 0; s <= LastPlayer; ++s) {
            const auto& r = ScoreSheet(s, g);
            auto& d = StatsSheet(s + 1, gc);
            d.Name = r.Name;
            d.VenueId = r.VenueId;
            d.Year = r.Year;
            d.Month = r.Month;
            d.Day = r.Day;
            for (int k = 0; k <= 20; ++k) {
                d.Marks[k] = r.Marks[k];
                d.Codes[k] = r.Codes[k];
                d.Attrs[k] = r.Attrs[k];
                d.PinMasks[k] = r.PinMasks[k];
            }
            d.Scores = r.Scores;
        }
    }
    PlayedGameCount = std::uint8_t(gc);
    StatsSheet.redimPreserve(LastPlayer + 1, gc);

    int k = 0;
    for (int s = 0; s <= LastPlayer; ++s) {
        if (PlayersWithData[std::size_t(s)] != QVariant(1)) continue;
        ++k;
        for (int g = 1; g <= gc; ++g) {
            StatsSheet(k, g) = StatsSheet(s + 1, g);
            StatsSheet(k, g).PlayerId = PlayerIds[std::size_t(s)];
        }
    }

    PlayedSheet.redim(1, players, 1, gc);
    for (int p = 1; p <= players; ++p)
        for (int g = 1; g <= gc; ++g) PlayedSheet(p, g) = StatsSheet(p, g);
    return true;
}

// ---------------------------------------------------------------- focus

void ScoreEntryModel::Txt_MARK_LostFocus(int Index) {
    if (Index < 0 || Index > 21) return;
    const auto& r = rec();
    const int c = r.Codes[std::size_t(Index)];
    // A split box whose code has no split mark (above 10) shows its plain mark until recomputed.
    markText_[std::size_t(Index)] =
        r.Attrs[std::size_t(Index)] == BallAttr::Split && c <= 10 ? MarkTexts[std::size_t(c)] : markCaption(c);
}

void ScoreEntryModel::Txt_MARK_Click(int Index) {
    if (Index >= 0 && Index < 20) FocusBall = std::int16_t(Index);
}

void ScoreEntryModel::processPendingFocus() {
    // A focus handler may ask for the focus again (the sentinel box does); a bound keeps a faulty
    // chain from spinning.
    for (int guard = 0; !pendingFocus_.empty() && guard < 1000; ++guard) {
        const int target = pendingFocus_.front();
        pendingFocus_.pop_front();
        if (focused_ != target) Txt_MARK_LostFocus(focused_);  // it ignores a box that does not exist
        focused_ = target;
        Txt_MARK_GotFocus(target);  // it ignores the handicap box
    }
    pendingFocus_.clear();
}

ScoreEntryModel& scoreEntry() {
    static ScoreEntryModel model;
    return model;
}

}  // namespace vx
