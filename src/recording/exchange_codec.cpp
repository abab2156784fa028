#include "recording/exchange_codec.h"
#include "common/module1.h"
#include "common/width.h"
#include <limits>

namespace vx::exchange {

namespace {

bool isBallCode(qint64 c) { return (c >= 0 && c <= 10) || c == 19 || c == 20 || c == 21 || c == 30; }

// The attribute the score calculation gives a ball of this code; the old layout carries none.
std::int16_t attrForCode(int code) {
    switch (code) {
        case BallCode::Strike: return BallAttr::Strike;
        case BallCode::Spare: return BallAttr::Spare;
        case BallCode::Foul: return BallAttr::Foul;
        case BallCode::NotEntered: return BallAttr::NotSet;
        default: return BallAttr::Plain;
    }
}

// The old layout carries no attributes: a pin count shown with a configured split mark was a split.
bool marksSplit(const QString& mark, qint64 code) {
    if (code < 1 || code > 8) return false;
    for (int n = 1; n <= 8; ++n)
        if (!Module1::MarkTexts[std::size_t(n)].isEmpty() && mark == Module1::MarkTexts[std::size_t(n)]) return true;
    return false;
}

// Reads the file line by line: every record of these files stands on a line of its own, so a
// value on the wrong line, a text where a number belongs or the reverse all show as that line.
class LineReader {
public:
    explicit LineReader(const QString& path) : in_(path) {}

    QString text(const QString& what) {
        const QString l = next();
        return quoted(l, what);
    }

    qint64 number(const QString& what, qint64 lo, qint64 hi) {
        const QString l = next();
        return parseNumber(l, what, lo, hi);
    }

    // "ID","name" on one line.
    void idAndName(std::int16_t& id, QString& name) {
        const QString l = next();
        const qsizetype comma = l.indexOf(QLatin1Char(','));
        if (comma < 0) fail(QStringLiteral("選手IDと選手名の行ではありません"));
        id = std::int16_t(parseNumber(l.left(comma), QStringLiteral("選手ID"), 1, std::numeric_limits<std::int16_t>::max()));
        name = quoted(l.mid(comma + 1), QStringLiteral("選手名"));
        if (charCount(name) > FixedString<10>::width) fail(QStringLiteral("選手名が10文字を超えています"));
    }

    // Only blank lines may follow the last slot.
    void expectEnd() {
        while (!in_.eof()) {
            line_ = in_.line();
            if (!in_.LineInput().trimmed().isEmpty()) fail(QStringLiteral("人数の分を超えてデータが続いています"));
        }
    }

    [[noreturn]] void fail(const QString& reason) const { throw TextFileError(in_.fileName(), line_, reason); }

private:
    QString next() {
        line_ = in_.line();
        if (in_.eof()) fail(QStringLiteral("ファイルが途中で終わっています"));
        return in_.LineInput();
    }

    // Write # puts a text's own double quotes in unchanged; as every text ends its line, the
    // outer pair still marks it, so a name such as O"Neil reads back as written.
    QString quoted(const QString& field, const QString& what) const {
        const QString t = field.trimmed();
        if (t.size() < 2 || !t.startsWith(QLatin1Char('"')) || !t.endsWith(QLatin1Char('"')))
            fail(what + QStringLiteral("の文字列がありません"));
        return t.mid(1, t.size() - 2);
    }

    qint64 parseNumber(const QString& field, const QString& what, qint64 lo, qint64 hi) const {
        const QString t = field.trimmed();
        // Plain decimal as Write # puts a whole number: an optional minus sign, then digits.
        const qsizetype start = t.startsWith(QLatin1Char('-')) ? 1 : 0;
        bool ok = t.size() > start && t.size() <= 12;
        for (qsizetype i = start; ok && i < t.size(); ++i) ok = t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9');
        if (!ok) fail(what + QStringLiteral("の数値がありません"));
        const qint64 v = t.toLongLong();  // twelve digits at most: always in range
        if (v < lo || v > hi) fail(what + QStringLiteral("が範囲外です (") + QString::number(v) + QLatin1Char(')'));
        return v;
    }

    TextReader in_;
    int line_ = 1;
};

}  // namespace

Layout layoutOf(const QString& fileName) {
    return fileName.endsWith(QLatin1String("cdt"), Qt::CaseSensitive) ? Layout::Old : Layout::Current;
}

GameRecord notEnteredRecord() {
    GameRecord r;
    clearGame(r);
    return r;
}

SheetFile sheetFromState() {
    using namespace Module1;
    SheetFile f;
    f.games = LastGame + 1;
    for (int s = 0; s <= LastPlayer && s < int(PlayerIds.size()); ++s) {
        if (PlayerIds[std::size_t(s)] == -1) continue;
        SlotRecord slot;
        slot.playerId = PlayerIds[std::size_t(s)];
        slot.name = PlayerNames[std::size_t(s)];
        slot.venueId = VenueId;
        slot.year = MatchYear;
        slot.month = MatchMonth;
        slot.day = MatchDay;
        for (int g = 0; g <= LastGame; ++g) slot.games.push_back(ScoreSheet(s, g));
        f.slots.push_back(std::move(slot));
    }
    return f;
}

QByteArray sheetFileBytes(const SheetFile& file) {
    TextLines out;
    out.Write({int(file.slots.size())});
    out.Write({file.games});
    for (const SlotRecord& s : file.slots) {
        out.Write({int(s.playerId), s.name.str()});
        out.Write({int(s.venueId)});
        out.Write({int(s.year)});
        out.Write({int(s.month)});
        out.Write({int(s.day)});
        for (int g = 0; g < file.games; ++g) {
            const GameRecord& r = s.games.at(std::size_t(g));
            for (int k = 0; k <= 20; ++k) {
                out.Write({r.Marks[k]});
                out.Write({int(r.Codes[k])});
                out.Write({int(r.PinsDown[k])});
                out.Write({int(r.Attrs[k])});
                out.Write({int(r.PinMasks[k])});
            }
            for (int i = 0; i <= 11; ++i) out.Write({int(r.Scores[i])});
        }
    }
    return out.bytes();
}

// Built in memory and written in one go: a write per value costs a system call each.
void writeSheetFile(const QString& path, const SheetFile& file) {
    QString why;
    if (!writeWhole(path, sheetFileBytes(file), &why)) throw TextFileError(path, 0, why);
}

SheetFile readSheetFile(const QString& path, Layout layout) {
    LineReader in(path);
    constexpr qint64 I16Min = std::numeric_limits<std::int16_t>::min();
    constexpr qint64 I16Max = std::numeric_limits<std::int16_t>::max();
    SheetFile f;
    const auto n = in.number(QStringLiteral("人数"), 0, I16Max);
    f.games = int(in.number(QStringLiteral("ゲーム数"), 1, MaxGames));
    for (qint64 i = 0; i < n; ++i) {
        SlotRecord slot;
        QString name;
        in.idAndName(slot.playerId, name);
        slot.name = name;
        if (layout == Layout::Current) {
            slot.venueId = std::uint8_t(in.number(QStringLiteral("会場ID"), 0, 255));
            slot.year = std::int16_t(in.number(QStringLiteral("年"), I16Min, I16Max));
            slot.month = std::uint8_t(in.number(QStringLiteral("月"), 0, 255));
            slot.day = std::uint8_t(in.number(QStringLiteral("日"), 0, 255));
        }
        for (int g = 0; g < f.games; ++g) {
            GameRecord r = notEnteredRecord();
            r.Name = slot.name;
            r.VenueId = slot.venueId;
            r.Year = slot.year;
            r.Month = slot.month;
            r.Day = slot.day;
            for (int k = 0; k <= 20; ++k) {
                r.Marks[k] = in.text(QStringLiteral("マーク"));
                const auto code = in.number(QStringLiteral("ボールコード"), 0, 30);
                if (!isBallCode(code)) in.fail(QStringLiteral("ボールコードが正しくありません (") + QString::number(code) + QLatin1Char(')'));
                r.Codes[k] = std::uint8_t(code);
                r.PinsDown[k] = std::uint8_t(in.number(QStringLiteral("倒したピン数"), 0, 10));
                if (layout == Layout::Current) {
                    r.Attrs[k] = std::int16_t(in.number(QStringLiteral("ボール属性"), -1, 4));
                    r.PinMasks[k] = std::int32_t(in.number(QStringLiteral("ピンマスク"), -1, 1023));
                } else {
                    r.Attrs[k] = marksSplit(r.Marks[k], code) ? BallAttr::Split : attrForCode(int(code));
                }
            }
            if (layout == Layout::Current) {
                for (int i = 0; i <= 11; ++i) r.Scores[i] = std::int16_t(in.number(QStringLiteral("スコア"), I16Min, I16Max));
            } else {
                for (int i = 1; i <= 10; ++i) r.Scores[i] = std::int16_t(in.number(QStringLiteral("スコア"), I16Min, I16Max));
                r.Scores[0] = r.Scores[10];  // no handicap in this layout
            }
            slot.games.push_back(std::move(r));
        }
        f.slots.push_back(std::move(slot));
    }
    in.expectEnd();
    return f;
}

}  // namespace vx::exchange
