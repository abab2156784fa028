// The results of the core's text and number functions over many inputs, kept in tests/data/kept/:
// every page, file and grid is made of these conversions, pictures, cuts and CP932 bytes, so a
// change in any one result, meant or not, fails here first. The inputs come from a seeded
// generator's raw output (the library's distributions give other numbers on other versions).
// VX_KEEP_STATES=1 writes what is seen as the kept results: review the difference before committing.
#include "common/convert.h"
#include "common/cp932.h"
#include "common/picture.h"
#include "common/width.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

using Rng = std::mt19937;

// A number below n, and one chance in n. Each draw is a statement of its own: the order in which
// a call's arguments are worked out is the compiler's choice.
std::uint32_t below(Rng& rng, std::uint32_t n) { return std::uint32_t(rng() % n); }
bool oneIn(Rng& rng, std::uint32_t n) { return below(rng, n) == 0; }
template <class T, std::size_t N>
const T& anyOf(Rng& rng, const T (&list)[N]) { return list[below(rng, std::uint32_t(N))]; }
const QString& anyOf(Rng& rng, const QStringList& list) { return list[below(rng, std::uint32_t(list.size()))]; }

QString u(const char* s) { return QString::fromUtf8(s); }

// A text on one line: quoted, with the backslash, the quote, controls, lone surrogates and the
// characters that show nothing (blanks but the two usual ones, line separators, format characters,
// private use) written as escapes; a surrogate pair stays the character it stands for.
bool unseen(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD || (c >= 0x2000 && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F) ||
           (c >= 0x2060 && c <= 0x206F) || (c >= 0xE000 && c <= 0xF8FF) || c == 0xFEFF || c >= 0xFFF0 || QChar::isSurrogate(c);
}
QString q(QStringView s) {
    QString out(QLatin1Char('"'));
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
            out += s.mid(i, 2);
            ++i;
        } else if (c == u'\\' || c == u'"') {
            out += QLatin1Char('\\');
            out += QChar(c);
        } else if (unseen(c)) {
            out += QStringLiteral("\\u%1").arg(unsigned(c), 4, 16, QLatin1Char('0'));
        } else {
            out += QChar(c);
        }
    }
    return out + QLatin1Char('"');
}
QString hex(const QByteArray& b) { return b.isEmpty() ? QStringLiteral("(no bytes)") : QString::fromLatin1(b.toHex()); }
// A double in full; a negative zero is told from zero, as Str and pictures may tell them apart.
QString num(double v) { return v == 0 && std::signbit(v) ? QStringLiteral("-0") : QString::number(v, 'g', 17); }
template <class T>
QString opt(const std::optional<T>& v) {
    if (!v) return QStringLiteral("none");
    if constexpr (std::is_floating_point_v<T>) return num(double(*v));
    else return QString::number(qlonglong(*v));
}
QString optText(const std::optional<QString>& v) { return v ? q(*v) : QStringLiteral("none"); }

// Compares what is seen with the kept file of the group; the first line that differs, or nothing.
QString compareKept(const QString& group, const QStringList& lines) {
    const QString file = QStringLiteral(VX_TEST_DATA "/kept/") + group + QStringLiteral(".txt");
    const QString seen = lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    if (qEnvironmentVariableIsSet("VX_KEEP_STATES")) {
        QDir().mkpath(QFileInfo(file).path());
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write(seen.toUtf8()) < 0) return QStringLiteral("cannot keep ") + file;
        return {};
    }
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("no kept results in ") + file + QStringLiteral(" (VX_KEEP_STATES=1 keeps them)");
    const QStringList kept = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    const QStringList got = seen.split(QLatin1Char('\n'));
    const QString end = QStringLiteral("(end of results)");
    for (qsizetype i = 0; i < std::max(kept.size(), got.size()); ++i)
        if (i >= kept.size() || i >= got.size() || kept[i] != got[i])
            return file + QStringLiteral(" line ") + QString::number(i + 1) + QStringLiteral(" differs:\n  kept: ") +
                   (i < kept.size() ? kept[i] : end) + QStringLiteral("\n  seen: ") + (i < got.size() ? got[i] : end);
    return {};
}

struct Results {
    QStringList lines;
    // "function(arguments) = result"; put together without arg(), as inputs may hold "%1".
    void add(const char* function, const QStringList& arguments, const QString& result) {
        lines << QLatin1String(function) + QLatin1Char('(') + arguments.join(QStringLiteral(", ")) + QStringLiteral(") = ") + result;
    }
};

// ---- Inputs ----

QString digitsOf(Rng& rng, std::uint32_t n, bool wide = false) {
    QString s;
    for (std::uint32_t i = 0; i < n; ++i) {
        const char16_t d = char16_t(u'0' + below(rng, 10));
        const bool full = wide && oneIn(rng, 15);
        s += QChar(full ? char16_t(d - u'0' + 0xFF10) : d);
    }
    return s;
}

// A text that mostly reads as a number, or nearly: signs, blanks, fractions, exponents, radix
// prefixes, full-width digits, the limits of each type and something after the number.
QString numberText(Rng& rng) {
    static const char* const Blanks[] = {"", "", "", "", "", " ", "  ", "\t", "　", " \t"};
    static const char* const Signs[] = {"", "", "", "", "-", "-", "+", "－", "--"};
    static const char* const Limits[] = {"255", "256", "32767", "32768", "65535", "65536", "2147483647", "2147483648", "4294967295",
                                         "4294967296", "9223372036854775807", "9223372036854775808", "18446744073709551616", "0", "1", "100", "101", "127", "128"};
    static const char* const Fractions[] = {".5", ".5", ".25", ".75", ".50", ".5000001", ".4999999", ".05", ".", ".0", ".9999999999999999"};
    static const char* const Exponents[] = {"E", "e", "D", "d", "E+", "E-", "e-", "D+"};
    static const char* const Radixes[] = {"&H", "&h", "&H", "&O", "&o", "&", "&X", "&H-", "&H ", "&B"};
    static const char* const Words[] = {"", "abc", "1,000", "$5", "1.2.3", "+-1", "0x10", "1e", "1e+", ".", "-.", "inf", "-inf", "nan", "Infinity",
                                        "1_000", "５", "１２３", "五", "1 2", "1\t2", "(5)", "5-", "1/2", "½", "٣", "𝟓"};
    static const char* const Junk[] = {"x", "abc", "%", " 5", "e", ",", "円", "..", "-", "0x", "ｱ", "𠮷", "E", "&", "D5"};
    static const char16_t Scatter[] = u" \t+-.0123456789eEdD&hHoOxX,%１２";
    QString s = u(anyOf(rng, Blanks));
    const std::uint32_t kind = below(rng, 10);
    if (kind < 5) {
        s += u(anyOf(rng, Signs));
        const std::uint32_t form = below(rng, 6);
        if (form == 0) s += u(anyOf(rng, Limits));
        else s += digitsOf(rng, form == 1 ? 1 + below(rng, 22) : below(rng, 4), true);
        if (oneIn(rng, 3)) {
            if (oneIn(rng, 2)) s += u(anyOf(rng, Fractions));
            else s += QLatin1Char('.') + digitsOf(rng, below(rng, 6));
        }
        if (oneIn(rng, 4)) {
            s += u(anyOf(rng, Exponents));
            s += digitsOf(rng, below(rng, 4));
        }
    } else if (kind == 5) {  // halves, where whole numbers round to even
        s += u(anyOf(rng, Signs));
        if (oneIn(rng, 3)) s += u(anyOf(rng, Limits));
        else s += QString::number(below(rng, 20));
        s += QStringLiteral(".5");
    } else if (kind == 6) {
        static const char16_t HexDigits[] = u"0123456789ABCDEFabcdef789G";
        s += u(anyOf(rng, Radixes));
        const std::uint32_t n = below(rng, 11);
        for (std::uint32_t i = 0; i < n; ++i) s += QChar(HexDigits[below(rng, std::uint32_t(std::size(HexDigits) - 1))]);
    } else if (kind == 7) {
        const std::uint32_t n = below(rng, 9);
        for (std::uint32_t i = 0; i < n; ++i) s += QChar(Scatter[below(rng, std::uint32_t(std::size(Scatter) - 1))]);
    } else if (kind == 8) {
        s += u(anyOf(rng, Words));
    } else {
        s += u(anyOf(rng, Signs)) + digitsOf(rng, 1 + below(rng, 6));
    }
    if (oneIn(rng, 7)) s += u(anyOf(rng, Junk));
    s += u(anyOf(rng, Blanks));
    return s;
}

// Numbers where the writing and rounding of numbers turn: halves, decimal fives, the edges of
// the whole-number reckoning (1e15, 1e-7), of the 64-bit range and of double itself.
const double Edges[] = {0.0, -0.0, 0.5, 1.5, 2.5, 0.05, 0.005, 0.15, 0.25, 0.35, 2.675, 1.005, 0.285, 99.995, 999.95, 0.1 + 0.2, 1.0 / 3, 2.0 / 3,
                        0.9999999999999999, 1e15, 1e15 - 1, 999999999999999.5, 999999999999999.4, 9.999999999999999e14, 1e15 + 2,
                        9007199254740992.0, 9007199254740993.0, 0x1p63, 0x1p63 - 1024, 0x1p64, 1e-7, 9.9999999999999995e-8, 1e-8, 1.23456789012345e-7,
                        32767.5, 32768.5, 255.5, 254.5, 2147483647.5, 2147483648.5, 123456789012345678.0, 1e20, 1e21, 1e100,
                        std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
                        std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};

// wide: all magnitudes double holds, else mostly those a score sheet meets.
double numberValue(Rng& rng, bool wide) {
    double v = 0;
    const std::uint32_t kind = below(rng, wide ? 12 : 22);
    switch (kind) {
        case 0: v = double(int(below(rng, 2001)) - 1000); break;
        case 1: v = double(below(rng, 2000)) + 0.5; break;
        case 2: v = double(below(rng, 4000)) / 8; break;  // quarters and eighths
        case 3: {
            const std::uint32_t whole = below(rng, 100000);
            v = (QString::number(whole) + QLatin1Char('.') + digitsOf(rng, 1 + below(rng, 5))).toDouble();
            break;
        }
        case 4: {  // a five at the last place: 2.675, 0.285, 1.005
            const std::uint32_t whole = below(rng, 1000);
            v = (QString::number(whole) + QLatin1Char('.') + digitsOf(rng, below(rng, 4)) + QLatin1Char('5')).toDouble();
            break;
        }
        case 5: {
            const std::uint32_t mantissa = below(rng, 1000000);
            const int exponent = int(below(rng, 41)) - 20;
            v = QStringLiteral("%1e%2").arg(mantissa).arg(exponent).toDouble();
            break;
        }
        case 6: v = anyOf(rng, Edges); break;
        case 7: {  // a few steps beside an edge
            const double edge = anyOf(rng, Edges);
            const std::uint32_t steps = 1 + below(rng, 3);
            const bool up = oneIn(rng, 2);
            v = edge;
            for (std::uint32_t i = 0; i < steps; ++i) v = std::nextafter(v, up ? HUGE_VAL : -HUGE_VAL);
            break;
        }
        case 8: v = double(below(rng, 1001)) / 1000; break;  // rates
        case 9: {  // 15 to 17 significant digits
            const std::uint32_t e = below(rng, 30);
            v = (QStringLiteral("0.") + digitsOf(rng, 15 + below(rng, 3)) + QStringLiteral("e") + QString::number(int(e) - 10)).toDouble();
            break;
        }
        case 10: {  // all magnitudes
            const std::uint32_t digits = 1 + below(rng, 17);
            const QString mantissa = digitsOf(rng, digits);
            const int exponent = int(below(rng, 633)) - 324;
            v = (mantissa + QLatin1Char('e') + QString::number(exponent)).toDouble();
            break;
        }
        case 11: {  // any bit pattern
            const std::uint64_t high = rng();
            const std::uint64_t low = rng();
            const std::uint64_t bits = high << 32 | low;
            std::memcpy(&v, &bits, sizeof v);
            break;
        }
        default: {
            const std::uint32_t places = below(rng, 3);
            v = double(below(rng, 300000)) / std::pow(10.0, places);
            break;
        }
    }
    if (oneIn(rng, 3)) v = -v;
    return v;
}

// A date as a user types it or a file holds it, nearly right as often as right.
QString dateText(Rng& rng) {
    static const char* const Seps[] = {"/", "/", "/", "-", "-", "-", ".", "", " ", "－", "／"};
    static const char* const Blanks[] = {"", "", "", "", " ", "  ", "\t", "　"};
    static const char* const Tails[] = {"", "", "", "", "", "T10:20:30", " 10:20", "x", "/", "T25:00:00", "Z"};
    QString s = u(anyOf(rng, Blanks));
    const std::uint32_t yearForm = below(rng, 8);
    if (yearForm == 0) s += digitsOf(rng, 1 + below(rng, 5));
    else if (yearForm == 1) s += QStringLiteral("-") + digitsOf(rng, 4);
    else s += QString::number(1990 + below(rng, 50));
    const QString sep = u(anyOf(rng, Seps));
    const bool sameSep = !oneIn(rng, 8);
    const QString sep2 = sameSep ? sep : u(anyOf(rng, Seps));
    const std::uint32_t month = below(rng, 15);
    const bool padMonth = oneIn(rng, 2);
    s += sep + (padMonth ? QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0')) : QString::number(month));
    const std::uint32_t day = below(rng, 33);
    const bool padDay = oneIn(rng, 2);
    s += sep2 + (padDay ? QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0')) : QString::number(day));
    if (oneIn(rng, 20))  // full-width digits
        for (QChar& c : s)
            if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) c = QChar(char16_t(c.unicode() - u'0' + 0xFF10));
    s += u(anyOf(rng, Tails));
    s += u(anyOf(rng, Blanks));
    return s;
}

// Pieces of the texts of names and marks: ASCII, half-width katakana with many voiced marks,
// full-width letters and katakana, kanji, characters beyond the basic plane and lone surrogates.
const QStringList& textPieces() {
    static const QStringList pieces = [] {
        QStringList p;
        for (const char* s : {"a", "Z", "0", "9", " ", " ", "!", "\"", "'", "\\", "~", "-", "/", "*", "s", "\t", "ｱ", "ｶ", "ﾊ", "ｳ", "ﾂ", "ﾃ",
                              "ﾄ", "ｯ", "ﾜ", "ﾝ", "ｰ", "｡", "｢", "ｧ", "ﾎ", "ﾍ", "ｿ", "ｦ", "ﾞ", "ﾞ", "ﾞ", "ﾟ", "ﾟ", "ﾟ", "Ａ", "ｚ", "０", "９", "！",
                              "～", "＼", "￥", "”", "’", "　", "　", "＊", "／", "－", "ガ", "パ", "ヴ", "ッ", "ー", "ア", "ヲ", "ン", "ヰ", "ヵ", "ポ", "ブ",
                              "ヂ", "ヅ", "ド", "ヷ", "゛", "゜", "が", "あ", "。", "「", "」", "、", "・", "選", "手", "試", "合", "山", "田", "髙",
                              "𠮷", "𠮷", "😀", "𩸽"})
            p << u(s);
        p << QString(QChar(0xD842)) << QString(QChar(0xDFB7));
        return p;
    }();
    return pieces;
}

QString plainText(Rng& rng, std::uint32_t maxPieces) {
    const std::uint32_t n = below(rng, maxPieces + 1);
    QString s;
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::uint32_t kind = below(rng, 12);
        if (kind < 9) s += anyOf(rng, textPieces());
        else if (kind == 9) s += QChar(char16_t(0xFF61 + below(rng, 0x3F)));
        else if (kind == 10) s += QChar(char16_t(0xFF01 + below(rng, 0x5E)));
        else s += QChar(char16_t(0x30A1 + below(rng, 0x56)));
    }
    return s;
}

// ---- Pictures ----

// Every picture the program formats with.
const char* const ProgramPictures[] = {
    "####", "@@@@@", "@@@@@@", "###0", "@@@@", "####0", "####0.0%", "@@@@@@@", "######0", "###00.0", "###0.00", "###0.0%", "@@@@@@@@", "!@@@@@@",
    "##0", "@@@@@ ", "&&", " @@@", "@@@", "&&&&&&&&", "&&&&&&&& ", "第###試合 ", "第###ゲーム   ", " !@@@", " === 素点@@@", "競技点@@@", "!@@@@@@@@@@",
    "0000", "00", " 0.00", " 000.0", "00\\ >> ", "00\\点  ", "00\\p   ", " ##0.0", " ###.0", "#0.00", " ###", "!@@@@@@@@", "##0.0%", "#####0",
    "#######0", "###.0", "Percent", "Fixed", "General Number", "@", " ##0", " ###0", " #####0"};
// Pictures at the edges of the reading of pictures.
const char* const EdgePictures[] = {"", " ", "0", "#", "\\", "\"", "\"abc", "0\\", "@\\", "!", "!!@@", "@!", "&!&", "%", "%%0", "0%.0", ".",
                                    ",", "0,", ",0", "#,##0.00", "#,##0", "#,#", "0.0.0", "#.#.#", ".##", ".00", "00.", "0.#", "#.0#", "@@@@@@@@@@@@",
                                    "fixed", "PERCENT", "general number", "General", "E+00", "0E+00", "\"@\"0", "\\@0", "0\"0\"0", "\\0#", "-0", "(0)",
                                    "0.00000000000000000000", "00000000000000000000"};

QString numberPicture(Rng& rng) {
    static const char* const Pieces[] = {"#", "#", "#", "#", "0", "0", "0", "0", ".", ".", ",", "%", " ", "\\", "\\x", "\\#", "\"", "\"a b\"",
                                         "p", "-", "点", "E+", "(", ")"};
    const std::uint32_t n = 1 + below(rng, 9);
    QString p;
    for (std::uint32_t i = 0; i < n; ++i) p += u(anyOf(rng, Pieces));
    return p;
}

QString textPicture(Rng& rng) {
    static const char* const Pieces[] = {"@", "@", "@", "@", "&", "&", "&", "!", " ", "\\", "\\@", "\"@\"", "-", "点", "#", "0", ".", "(", ")", "%"};
    const std::uint32_t n = 1 + below(rng, 10);
    QString p;
    for (std::uint32_t i = 0; i < n; ++i) p += u(anyOf(rng, Pieces));
    if (!p.contains(QLatin1Char('@')) && !p.contains(QLatin1Char('&'))) p += QLatin1Char('@');
    return p;
}

// A text a picture takes: a number's text, a typed number, or a name.
QString pictureText(Rng& rng) {
    const std::uint32_t kind = below(rng, 3);
    if (kind == 0) return CStr(numberValue(rng, false));
    if (kind == 1) return numberText(rng);
    return plainText(rng, 9);
}

// ---- Marks ----

std::array<QString, 11> marks(std::initializer_list<const char*> texts) {
    std::array<QString, 11> m;
    std::size_t k = 1;
    for (const char* t : texts) m[k++] = u(t);
    return m;
}

// ---- CP932 ----

// Characters the code page pairs in its own way, its vendor extensions, and some it lacks.
const QStringList& cp932Pieces() {
    static const QStringList pieces = [] {
        QStringList p;
        for (const char* s : {"a", "Z", "0", " ", "~", "\\", "\t", "\n", "ｱ", "ﾞ", "ﾟ", "｡", "−", "〜", "—", "‖", "¢", "£", "¬", "－", "～", "―",
                              "∥", "￠", "￡", "￢", "¥", "‾", "選", "山", "田", "あ", "ア", "Ａ", "０", "　", "①", "Ⅰ", "№", "㈱", "∑", "髙", "﨑",
                              "ⅰ", "￤", "＇", "＂", "é", "ü", "ß", "Ω", "Д", "€", "😀", "𠮷", "\u00a0", "\u200b", "\ue000", "\ufffd",
                              "ヴ", "ヷ", "ゔ", "・", "·", "°", "±", "×", "÷", "♪", "☆", "★"})
            p << u(s);
        p << QString(QChar(0xD842)) << QString(QChar(0xDFB7)) << QString(QChar(0x7F)) << QString(QChar(0x80)) << QString(QChar(0))
          << QString(QChar(0xFEFF));  // not through fromUtf8, which drops it
        return p;
    }();
    return pieces;
}

QString cp932Text(Rng& rng) {
    const std::uint32_t n = below(rng, 9);
    QString s;
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::uint32_t kind = below(rng, 14);
        if (kind < 8) s += anyOf(rng, cp932Pieces());
        else if (kind == 8) s += QChar(char16_t(0x4E00 + below(rng, 0x5200)));  // kanji, many of them beyond the code page
        else if (kind == 9) s += QChar(char16_t(0xFF61 + below(rng, 0x3F)));
        else if (kind == 10) s += QChar(char16_t(0x20 + below(rng, 0x5F)));
        else if (kind == 11) s += QChar(char16_t(0x80 + below(rng, 0x2000)));
        else {  // a run of ASCII, read sixteen units at a time
            const std::uint32_t len = 8 + below(rng, 30);
            for (std::uint32_t k = 0; k < len; ++k) s += QChar(char16_t(0x20 + below(rng, 0x5F)));
        }
    }
    return s;
}

QByteArray cp932Bytes(Rng& rng) {
    const std::uint32_t n = below(rng, 7);
    QByteArray b;
    auto trail = [&rng] { return char(oneIn(rng, 2) ? 0x40 + below(rng, 0x3F) : 0x80 + below(rng, 0x7D)); };
    for (std::uint32_t i = 0; i < n; ++i) {
        switch (below(rng, 16)) {
            case 0: case 1: case 11: case 12: b += char(0x20 + below(rng, 0x5F)); break;
            case 2: b += char(oneIn(rng, 2) ? 0x7F : below(rng, 0x20)); break;
            case 3: case 13: b += char(0xA1 + below(rng, 0x3F)); break;  // half-width katakana
            case 4: case 5: case 14: b += char(0x81 + below(rng, 0x1F)); b += trail(); break;
            case 6: b += char(0xE0 + below(rng, 0x1D)); b += trail(); break;
            case 7: b += char(0x81 + below(rng, 0x1F)); break;  // a lead byte alone
            case 8: { static const char Bad[] = {char(0x80), char(0xA0), char(0xFD), char(0xFE), char(0xFF)}; b += anyOf(rng, Bad); break; }
            case 9: b += char(0xF0 + below(rng, 0x0A)); b += trail(); break;  // user-defined area
            case 15: b += char(0x88 + below(rng, 0x10)); b += char(0x9F + below(rng, 0x5E)); break;  // kanji, all assigned
            default: b += char(0x81 + below(rng, 0x1F)); b += char(oneIn(rng, 2) ? 0x7F : below(rng, 0x40)); break;  // a bad trail byte
        }
    }
    return b;
}

}  // namespace

class TstKeptResults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void convert() {
        Rng rng(20260517);
        Results r;
        // Text to number.
        const char* const texts[] = {"", " ", "0", "-0", "+0", "2.5", "3.5", "-2.5", "0.5", "1.5", "-0.5", "32767", "32767.5", "32768", "-32768",
                                     "-32768.5", "-32769", "255", "255.5", "256", "-1", "&H7FFF", "&H8000", "&HFFFF", "&H10000", "&HFFFFFFFF",
                                     "&H100000000", "&O177777", "&o17", "&o8", "&h", "&hG", "&", "1E3", "1e-3", "1D3", "  12  ", "\t7\t", "１２",
                                     "12abc", "abc", "2147483647", "2147483647.5", "2147483648", "-2147483648", "-2147483648.5", "9223372036854775807",
                                     "9223372036854775808", "-9223372036854775808", "-9223372036854775809", "99999999999999999999", "9.2233720368547758e18",
                                     "1e308", "1e309", "-1e309", "3.4028234663852886e38", "3.4028235677973366e38", "3.5e38", "1e-46", "4.9e-324",
                                     "nan", "inf", "1,000", ".5", "5.", ".", "-", "+", "1e", "　５　", "1 000", "0.49999999999999994", "1e15", "1e19"};
        std::vector<QString> inputs;
        for (const char* t : texts) inputs.push_back(u(t));
        while (inputs.size() < 460) inputs.push_back(numberText(rng));
        const std::pair<std::int64_t, std::int64_t> ranges[] = {{-5, 100}, {-32768, 32767}, {-1000000, -1}, {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()}};
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            const QString& t = inputs[i];
            const QString a = q(t);
            r.add("CInt", {a}, opt(CInt(t)));
            r.add("CByte", {a}, opt(CByte(t)));
            r.add("CLng", {a}, opt(CLng(t)));
            r.add("CSng", {a}, opt(CSng(t)));
            r.add("CDbl", {a}, opt(CDbl(t)));
            r.add("wholeInRange", {a, QStringLiteral("0"), QStringLiteral("255")}, opt(wholeInRange(t, 0, 255)));
            const auto [lo, hi] = ranges[i % std::size(ranges)];
            r.add("wholeInRange", {a, QString::number(lo), QString::number(hi)}, opt(wholeInRange(t, lo, hi)));
            bool tooLarge = true;
            const auto whole = wholeOfText(t, &tooLarge);
            QString shown = opt(whole) + (tooLarge ? QStringLiteral(" tooLarge") : QString());
            if (wholeOfText(t) != whole) shown += QStringLiteral(" (without tooLarge: ") + opt(wholeOfText(t)) + QLatin1Char(')');
            r.add("wholeOfText", {a}, shown);
            r.add("Val", {a}, num(Val(t)));
        }
        // Number to text, and rounding.
        std::vector<double> values;
        for (double v : Edges) values.push_back(v), values.push_back(-v);
        while (values.size() < 420) values.push_back(numberValue(rng, true));
        for (double v : values) {
            const QString a = num(v);
            r.add("roundHalfEven", {a}, num(roundHalfEven(v)));
            r.add("wholeOf", {a}, opt(wholeOf(v)));
            r.add("Str", {a}, q(Str(v)));
            r.add("CStr", {a}, q(CStr(v)));
            r.add("PrintForm", {a}, q(PrintForm(v)));
            // Written into room for 32 characters; the rest of the buffer must stay as it was.
            QChar buffer[40];
            std::fill(std::begin(buffer), std::end(buffer), QChar(0xFFFF));
            const qsizetype n = writePrintForm(v, buffer);
            const QString written(buffer, std::clamp<qsizetype>(n, 0, 40));
            QString shown = QString::number(n) + (written == PrintForm(v) ? QStringLiteral(" as PrintForm") : QLatin1Char(' ') + q(written));
            if (std::any_of(buffer + std::clamp<qsizetype>(n, 0, 40), std::end(buffer), [](QChar c) { return c != QChar(0xFFFF); }))
                shown += QStringLiteral(" and wrote past it");
            r.add("writePrintForm", {a}, shown);
        }
        std::vector<std::int64_t> wholes{0, 1, -1, 9, 10, -10, std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::min(),
                                         std::numeric_limits<std::int64_t>::min() + 1, 1000000000000000, -1000000000000000, 2147483647, -2147483648LL};
        while (wholes.size() < 160) {
            const std::uint32_t kind = below(rng, 3);
            const std::uint64_t high = rng();
            const std::uint64_t low = rng();
            wholes.push_back(kind == 0 ? std::int64_t(low % 2001) - 1000 : kind == 1 ? std::int64_t(std::int32_t(std::uint32_t(low))) : std::int64_t(high << 32 | low));
        }
        for (std::int64_t v : wholes) r.add("Str", {QString::number(v) + QStringLiteral(" as whole")}, q(Str(v)));
        // Colours.
        std::vector<std::int32_t> colors{0, 0xFFFFFF, -1, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), 14811135, 0xFF, 0xFF0000, 0x010203, 0x1000000};
        while (colors.size() < 120) colors.push_back(std::int32_t(std::uint32_t(rng())));
        for (std::int32_t c : colors) r.add("ColorToHtml", {QString::number(c)}, q(ColorToHtml(c)));
        // Dates: the stored values of every kind, and typed dates.
        std::vector<QVariant> stored{QVariant(), QVariant(QString()), QVariant(QDate()), QVariant(QDate(2026, 5, 17)), QVariant(QDate(999, 1, 2)),
                                     QVariant(QDate(10000, 1, 1)), QVariant(QDate(-1, 12, 31)), QVariant(QDateTime(QDate(2026, 5, 17), QTime(10, 20, 30), Qt::UTC)),
                                     QVariant(QDateTime(QDate(2026, 5, 17), QTime(12, 0), Qt::LocalTime)), QVariant(QDateTime()), QVariant(20260517),
                                     QVariant(qlonglong(45000)), QVariant(45000.5), QVariant(true), QVariant(QByteArray("2026-05-17")), QVariant(QTime(10, 0))};
        while (stored.size() < 200) {
            const std::uint32_t kind = below(rng, 8);
            if (kind < 4) {
                stored.emplace_back(dateText(rng));
            } else if (kind < 6) {
                const int y = oneIn(rng, 6) ? int(below(rng, 12000)) - 1000 : 1990 + int(below(rng, 50));
                const int m = int(below(rng, 14));
                const int d = int(below(rng, 33));
                if (kind == 4) stored.emplace_back(QDate(y, m, d));
                else {
                    const int hour = int(below(rng, 24));
                    const int minute = int(below(rng, 60));
                    stored.emplace_back(QDateTime(QDate(y, m, d), QTime(hour, minute), Qt::UTC));
                }
            } else if (kind == 6) {
                stored.emplace_back(int(rng() % 30000000));
            } else {
                stored.emplace_back(numberValue(rng, false));
            }
        }
        for (const QVariant& v : stored) {
            const QString a = v.isValid() ? QString::fromLatin1(v.typeName()) + QLatin1Char(' ') + q(v.toString()) : QStringLiteral("invalid");
            r.add("ShortDate", {a}, q(ShortDate(v)));
        }
        std::vector<QString> typed;
        for (const char* t : {"", " ", "2026/05/17", "2026/5/7", "2026-05-17", "2026-5-7", " 2026/5/17 ", "2026/02/29", "2024/02/29", "2026/13/01",
                              "2026/00/10", "2026/1/32", "26/5/17", "02026/5/17", "2026.5.17", "20260517", "2026/5/17 10:00", "２０２６/５/１７", "2026／5／17",
                              "-2026/5/17", "0/1/1", "9999/12/31", "10000/1/1", "2026/5", "2026//17", "abc"})
            typed.push_back(u(t));
        while (typed.size() < 320) typed.push_back(dateText(rng));
        for (const QString& t : typed) {
            const auto d = TypedDate(t);
            r.add("TypedDate", {q(t)}, !d ? QStringLiteral("none") : d->isValid() ? q(d->toString()) : QStringLiteral("null"));
        }
        const QString differs = compareKept(QStringLiteral("convert"), r.lines);
        QVERIFY2(differs.isEmpty(), qPrintable(differs));
    }

    void picture() {
        Rng rng(20261207);
        Results r;
        auto number = [&r](double v, const QString& p) { r.add("Format", {num(v), q(p)}, q(Format(v, p))); };
        auto text = [&r](const QString& t, const QString& p) { r.add("Format", {q(t), q(p)}, q(Format(t, p))); };
        // The edges of numbers with a few pictures, the edges of pictures with a few numbers.
        for (const char* p : {"0", "#,##0.00", "0.00%", "#.##", "@@@@", "General Number", ""})
            for (double v : Edges) number(v, u(p));
        for (const char* p : EdgePictures)
            for (double v : {0.0, 5.0, -2.5, 0.125, 1234567.891, -0.004})
                number(v, u(p));
        // Each power of ten a whole number's digits are counted by, and its neighbours.
        for (int k = 0; k <= 20; ++k) {
            const double p10 = std::pow(10.0, k);
            for (double v : {p10, p10 - 1, p10 * 1.5, p10 + 0.5, -p10 * 9.5, p10 * 0.999999})
                for (const char* p : {"0", "#,##0", "0.00", ""}) number(v, u(p));
        }
        // The program's own pictures.
        for (const char* p : ProgramPictures) {
            for (int i = 0; i < 14; ++i) number(numberValue(rng, false), u(p));
            for (int i = 0; i < 5; ++i) text(pictureText(rng), u(p));
        }
        // Pictures made up of the characters pictures understand.
        for (int i = 0; i < 260; ++i) {
            const QString p = numberPicture(rng);
            for (int k = 0; k < 3; ++k) number(numberValue(rng, oneIn(rng, 12)), p);
            text(pictureText(rng), p);
        }
        for (int i = 0; i < 160; ++i) {
            const QString p = textPicture(rng);
            for (int k = 0; k < 3; ++k) text(pictureText(rng), p);
            number(numberValue(rng, false), p);
        }
        const QString differs = compareKept(QStringLiteral("picture"), r.lines);
        QVERIFY2(differs.isEmpty(), qPrintable(differs));
    }

    void width() {
        Rng rng(20260401);
        Results r;
        std::vector<QString> inputs;
        for (const char* t : {"", "ｶﾞ", "ﾊﾟ", "ｳﾞ", "ﾞ", "ﾟﾟ", "ｶﾟ", "ﾊﾞﾊﾟ", "ﾂﾞﾃﾞﾄﾞ", "ｯﾞ", "ﾜﾞ", "ｦﾞ", "ｶﾞ ﾞ", "ガ", "ヴ", "ヷ", "パピプペポ", "ヰヱ", "ッ",
                              "𠮷", "a𠮷b", "𠮷𠮷𠮷", "\\", "\"'", "ABC xyz 123", "~ ", "ｱｲｳｴｵ", "｡｢｣､･ｰ", "　Ａ０！～”’￥", "山田 太郎"})
            inputs.push_back(u(t));
        inputs.push_back(QString(QChar(0xD842)));
        inputs.push_back(QStringLiteral("a") + QChar(0xDFB7) + QStringLiteral("b") + QChar(0xD842));
        inputs.push_back(QString(QChar(0xDFB7)) + QChar(0xD842));  // a low before a high is no pair
        while (inputs.size() < 420) inputs.push_back(plainText(rng, 9));
        const QChar fills[] = {QLatin1Char(' '), QLatin1Char('*'), QChar(0x3000), QLatin1Char('0')};
        for (const QString& s : inputs) {
            const QString a = q(s);
            r.add("StrConvWide", {a}, q(StrConvWide(s)));
            r.add("StrConvNarrow", {a}, q(StrConvNarrow(s)));
            const qsizetype count = charCount(s);
            r.add("charCount", {a}, QString::number(count));
            // Counts from -1 to two beyond the length.
            auto anyCount = [&rng, count] { return qsizetype(below(rng, std::uint32_t(count) + 4)) - 1; };
            const qsizetype left = anyCount();
            r.add("leftChars", {a, QString::number(left)}, q(leftChars(s, left)));
            const qsizetype right = anyCount();
            r.add("rightChars", {a, QString::number(right)}, q(rightChars(s, right)));
            const qsizetype from = anyCount();
            const qsizetype n = anyCount();
            r.add("midChars", {a, QString::number(from), QString::number(n)}, q(midChars(s, from, n)));
            const qsizetype padTo = anyCount() + 1;
            const QChar fill = anyOf(rng, fills);
            r.add("padRight", {a, QString::number(padTo), q(QString(fill))}, q(padRight(s, padTo, fill)));
            const qsizetype padTo2 = anyCount() + 1;
            const QChar fill2 = anyOf(rng, fills);
            r.add("padLeft", {a, QString::number(padTo2), q(QString(fill2))}, q(padLeft(s, padTo2, fill2)));
            const qsizetype fixed = anyCount();
            r.add("FixedText", {a, QString::number(fixed)}, q(FixedText(s, fixed)));
        }
        // Marks, under the usual mark texts and two odd sets; switching sets now and then.
        const std::array<QString, 11> markSets[] = {marks({"1s", "2s", "3s", "4s", "5s", "6s", "7s", "8s", "／", "＊"}),
                                                    marks({"", "Ｘ", "F", "ﾌ", "ｶﾞ", "𠮷", "　", "1s", "/", "X"}),
                                                    marks({"", "", "", "", "", "", "", "", "", ""})};
        static const char* const markPieces[] = {" ", " ", "　", "1", "3", "8", "9", "s", "S", "ｓ", "／", "/", "＊", "*", "X", "Ｘ", "G", "ｶ", "ﾞ",
                                                 "F", "-", "－", "𠮷", "ア", "ガ", "山", "x"};
        for (int i = 0; i < 450; ++i) {
            const std::uint32_t set = below(rng, 3);
            QString stored;
            if (oneIn(rng, 4)) {
                stored = markSets[set][1 + below(rng, 10)];
                if (oneIn(rng, 2)) stored = QLatin1Char(' ') + stored;
            } else {
                const std::uint32_t n = below(rng, 4);
                for (std::uint32_t k = 0; k < n; ++k) stored += u(anyOf(rng, markPieces));
            }
            bool empty = false;
            const QString mark = normalizeMark(stored, markSets[set], &empty);
            r.add("normalizeMark", {q(stored), QStringLiteral("set ") + QString::number(set)}, q(mark) + (empty ? QStringLiteral(" empty") : QString()));
        }
        const QString differs = compareKept(QStringLiteral("width"), r.lines);
        QVERIFY2(differs.isEmpty(), qPrintable(differs));
    }

    void cp932() {
        Rng rng(20260930);
        Results r;
        std::vector<QString> texts;
        for (const QString& p : cp932Pieces()) texts.push_back(p);
        texts.push_back(QString(40, QLatin1Char('a')));
        texts.push_back(QString(15, QLatin1Char('a')) + u("あ") + QString(16, QLatin1Char('b')));
        texts.push_back(QString(16, QLatin1Char('a')) + u("𠮷") + QString(17, QLatin1Char('b')) + QChar(0xD842));
        while (texts.size() < 450) texts.push_back(cp932Text(rng));
        const QByteArray prefixes[] = {QByteArray(), QByteArray("<td>"), QByteArray("\xb1\x82\xa0")};
        for (const QString& s : texts) {
            const QString a = q(s);
            const QByteArray bytes = toCp932(s);
            r.add("toCp932", {a}, hex(bytes));
            const QByteArray html = toCp932Html(s);
            r.add("toCp932Html", {a}, hex(html));
            // Added to what is there, from a view that ends before the text it lies in.
            const QByteArray prefix = anyOf(rng, prefixes);
            QByteArray out = prefix;
            const QString longer = s + QStringLiteral("tail of the text after the view");
            appendCp932Html(out, QStringView(longer).left(s.size()));
            r.add("appendCp932Html", {hex(prefix), a}, out == prefix + html ? QStringLiteral("as toCp932Html") : hex(out));
            r.add("cp932Width", {a}, QString::number(cp932Width(s)));
            r.add("fromCp932", {hex(bytes)}, optText(fromCp932(bytes)));
        }
        std::vector<QByteArray> bytes;
        for (const char* h : {"", "00", "5c", "7e", "7f", "a0", "80", "fd", "fe", "ff", "81", "8140", "817c", "8160", "815c", "8161", "8191", "8192",
                              "81ca", "a1", "df", "82a0", "889f", "eaa4", "ed40", "eefc", "fa40", "fa55", "fc4b", "f040", "f9fc", "8740", "879f", "81ff",
                              "817f", "8120", "a1df", "41814142"})
            bytes.push_back(QByteArray::fromHex(h));
        while (bytes.size() < 500) bytes.push_back(cp932Bytes(rng));
        for (const QByteArray& b : bytes) r.add("fromCp932", {hex(b)}, optText(fromCp932(b)));
        const QString differs = compareKept(QStringLiteral("cp932"), r.lines);
        QVERIFY2(differs.isEmpty(), qPrintable(differs));
    }
};

QTEST_MAIN(TstKeptResults)
#include "tst_keptresults.moc"
