#include "common/picture.h"
#include "common/convert.h"
#include "common/width.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace vx {
namespace {

struct Token {
    enum Kind { Literal, Place, Point } kind;
    QChar c;  // the literal, or the place character
};

struct Picture {
    std::vector<Token> tokens;
    bool isText = false;
    bool leftAlign = false;   // "!"
    bool percent = false;
    bool grouping = false;
    std::u16string intPlaces, fracPlaces;  // of a number picture, "#" or "0" each
};

Picture parse(const QString& p) {
    Picture pic;
    for (QChar c : p)
        if (c == QLatin1Char('@') || c == QLatin1Char('&')) pic.isText = true;
    bool seenPoint = false;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p[i];
        if (c == QLatin1Char('\\')) {
            if (++i < p.size()) pic.tokens.push_back({Token::Literal, p[i]});
        } else if (c == QLatin1Char('"')) {
            while (++i < p.size() && p[i] != QLatin1Char('"')) pic.tokens.push_back({Token::Literal, p[i]});
        } else if (pic.isText) {
            if (c == QLatin1Char('!')) pic.leftAlign = true;
            else pic.tokens.push_back({c == QLatin1Char('@') || c == QLatin1Char('&') ? Token::Place : Token::Literal, c});
        } else if (c == QLatin1Char('#') || c == QLatin1Char('0')) {
            pic.tokens.push_back({Token::Place, c});
        } else if (c == QLatin1Char('.') && !seenPoint) {
            seenPoint = true;
            pic.tokens.push_back({Token::Point, c});
        } else if (c == QLatin1Char(',') && !seenPoint) {
            pic.grouping = true;
        } else {
            if (c == QLatin1Char('%')) pic.percent = true;
            pic.tokens.push_back({Token::Literal, c});
        }
    }
    bool inFraction = false;
    for (const Token& t : pic.tokens) {
        if (t.kind == Token::Point) inFraction = true;
        else if (t.kind == Token::Place) (inFraction ? pic.fracPlaces : pic.intPlaces).push_back(t.c.unicode());
    }
    return pic;
}

QString formatText(const QString& text, const Picture& pic) {
    qsizetype places = 0;
    for (const Token& t : pic.tokens) places += t.kind == Token::Place;
    const qsizetype n = charCount(text);  // places hold characters, a surrogate pair as one
    QString out;
    qsizetype k = 0;  // index of the place being filled, from the left
    for (const Token& t : pic.tokens) {
        if (t.kind != Token::Place) { out += t.c; continue; }
        // Which characters of the text this place holds.
        qsizetype from, to;
        if (pic.leftAlign) {
            from = k;
            to = k == places - 1 ? n : k + 1;
        } else {
            from = k == 0 ? 0 : n - places + k;
            to = n - places + k + 1;
        }
        from = std::max<qsizetype>(from, 0);
        to = std::min(to, n);
        if (from < to) out += midChars(text, from, to - from);
        else if (t.c == QLatin1Char('@')) out += QLatin1Char(' ');
        ++k;
    }
    return out;
}

__extension__ typedef unsigned __int128 Wide;

constexpr std::uint64_t Pow10[] = {1ull, 10ull, 100ull, 1000ull, 10000ull, 100000ull, 1000000ull, 10000000ull, 100000000ull, 1000000000ull,
                                     10000000000ull, 100000000000ull, 1000000000000ull, 10000000000000ull, 100000000000000ull,
                                     1000000000000000ull, 10000000000000000ull, 100000000000000000ull, 1000000000000000000ull,
                                     10000000000000000000ull};

// The significant digits of a (not negative) and the decimal exponent of the first, as
// QString::number(a, 'e', 14) writes them: 15 digits of the exact binary value rounded half up.
// Worked out in whole numbers from 1e-7 to 1e15, where they hold a × 10^s exactly.
std::string significant(double a, int& exponent) {
    if (a == 0) {
        exponent = 0;
        return std::string(15, '0');
    }
    if (a >= 1e-7 && a < 1e15) {
        int e2 = 0;
        const std::uint64_t m = std::uint64_t(std::ldexp(std::frexp(a, &e2), 53));  // a = m / 2^k
        const int k = 53 - e2;
        // 2^(e2-1) <= a < 2^e2: the first digit's exponent is this or one more.
        int x = std::clamp(((e2 - 1) * 78913) >> 18, -7, 14);
        for (;;) {
            const int s = 14 - x;  // from 0 to 21
            Wide n = Wide(m) * Pow10[std::min(s, 19)];
            if (s > 19) n *= Pow10[s - 19];
            std::uint64_t whole = std::uint64_t(n >> k);
            if (whole < Pow10[14]) { --x; continue; }
            if (whole >= Pow10[15]) { ++x; continue; }
            if ((n & ((Wide(1) << k) - 1)) >= (Wide(1) << (k - 1))) ++whole;
            if (whole == Pow10[15]) whole = Pow10[14], ++x;
            std::string digits(15, '0');
            for (int i = 14; i >= 0; --i, whole /= 10) digits[std::size_t(i)] = char('0' + whole % 10);
            exponent = x;
            return digits;
        }
    }
    const QString e = QString::number(a, 'e', 14);  // d.dddddddddddddde±XX
    const qsizetype ePos = e.indexOf(QLatin1Char('e'));
    exponent = e.mid(ePos + 1).toInt();
    return (e.left(1) + e.mid(2, ePos - 2)).toStdString();
}

// |v| rounded half away from zero to `decimals` places, as a string of digits holding the
// fraction in its last `decimals` characters. Works on the 15 significant digits the value
// stands for, so 0.285 is 0.285 and not the binary number just below it.
std::string roundedDigits(double v, int decimals) {
    int exponent = 0;
    const std::string digits = significant(std::fabs(v), exponent);
    const int point = exponent + 1 + decimals;  // digits before the cut
    std::string kept;
    char next = '0';
    if (point <= 0) {
        if (point == 0) next = digits[0];
    } else if (std::size_t(point) >= digits.size()) {
        kept = digits;
        kept.append(std::size_t(point) - digits.size(), '0');
    } else {
        kept.assign(digits, 0, std::size_t(point));
        next = digits[std::size_t(point)];
    }
    if (next >= '5') {
        std::ptrdiff_t i = std::ptrdiff_t(kept.size()) - 1;
        while (i >= 0 && kept[std::size_t(i)] == '9') kept[std::size_t(i--)] = '0';
        if (i < 0) kept.insert(kept.begin(), '1');
        else ++kept[std::size_t(i)];
    }
    if (kept.size() < std::size_t(decimals)) kept.insert(0, std::size_t(decimals) - kept.size(), '0');
    return kept;
}

QString formatNumber(double v, const Picture& pic) {
    if (!std::isfinite(v)) return CStr(v);
    if (pic.percent) v *= 100;
    const std::u16string& intP = pic.intPlaces;
    const std::u16string& fracP = pic.fracPlaces;
    const int decimals = int(fracP.size());
    const std::string all = roundedDigits(v, decimals);
    std::string intDigits = all.substr(0, all.size() - std::size_t(decimals));
    const std::string fracDigits = all.substr(all.size() - std::size_t(decimals));
    intDigits.erase(0, std::min(intDigits.find_first_not_of('0'), intDigits.size()));
    const bool negative = v < 0 && all.find_first_not_of('0') != std::string::npos;

    // At least as many integer digits as places from the first "0" on.
    std::size_t minInt = 0;
    for (std::size_t i = 0; i < intP.size(); ++i)
        if (intP[i] == u'0') { minInt = intP.size() - i; break; }
    if (intDigits.size() < minInt) intDigits.insert(0, minInt - intDigits.size(), '0');
    if (pic.grouping) {
        for (std::ptrdiff_t i = std::ptrdiff_t(intDigits.size()) - 3; i > 0; i -= 3) intDigits.insert(std::size_t(i), 1, ',');
    }
    // "#" places at the end of the fraction drop their zeros.
    std::size_t fracLen = std::size_t(decimals);
    while (fracLen > 0 && fracP[fracLen - 1] == u'#' && fracDigits[fracLen - 1] == '0') --fracLen;

    QString out;
    out.reserve(qsizetype(pic.tokens.size() + intDigits.size()) + 2);
    if (negative) out += QLatin1Char('-');
    const qsizetype places = qsizetype(intP.size());
    const qsizetype len = qsizetype(intDigits.size());
    qsizetype k = 0, f = 0;
    bool inFraction = false;
    bool intWritten = places == 0 && len == 0;
    auto digitsOf = [&intDigits](qsizetype from, qsizetype n) { return QLatin1String(intDigits.data() + from, n); };
    for (const Token& t : pic.tokens) {
        if (t.kind == Token::Literal) {
            out += t.c;
        } else if (t.kind == Token::Point) {
            if (!intWritten) { out += digitsOf(0, len); intWritten = true; }  // a picture without integer places
            inFraction = true;
            out += QLatin1Char('.');
        } else if (inFraction) {
            if (f < qsizetype(fracLen)) out += QLatin1Char(fracDigits[std::size_t(f)]);
            ++f;
        } else {
            if (pic.grouping) {  // grouped digits go out whole at the first place
                if (k++ == 0) out += digitsOf(0, len);
                intWritten = true;
                continue;
            }
            // Digits fill the places from the right; the first place takes any surplus.
            const qsizetype from = k == 0 ? 0 : len - places + k;
            const qsizetype to = len - places + k + 1;
            const qsizetype start = std::max<qsizetype>(from, 0);
            if (start < to) out += digitsOf(start, to - start);
            ++k;
            intWritten = true;
        }
    }
    return out;
}

// The named number formats the grids use, as pictures; empty for any other picture.
QString namedFormat(const QString& picture) {
    if (picture.compare(QLatin1String("Fixed"), Qt::CaseInsensitive) == 0) return QStringLiteral("0.00");
    if (picture.compare(QLatin1String("Percent"), Qt::CaseInsensitive) == 0) return QStringLiteral("0.00%");
    return {};
}

bool isGeneralNumber(const QString& picture) {
    return picture.compare(QLatin1String("General Number"), Qt::CaseInsensitive) == 0;
}

// A picture as Format takes it, worked out once: a page formats thousands of numbers with a few
// pictures. A named format stands for its picture.
struct Known {
    bool general = false;  // "General Number"
    bool named = false;
    Picture pic;
};
const Known& known(const QString& picture) {
    static thread_local std::vector<std::pair<QString, Known>> cache;
    for (const auto& [key, k] : cache)
        if (key.size() == picture.size() && (key.constData() == picture.constData() || key == picture)) return k;
    Known k;
    k.general = isGeneralNumber(picture);
    const QString named = namedFormat(picture);
    k.named = !named.isEmpty();
    if (!k.general) k.pic = parse(k.named ? named : picture);
    if (cache.size() >= 32) cache.erase(cache.begin());
    cache.emplace_back(picture, std::move(k));
    return cache.back().second;
}

}  // namespace

QString Format(double value, const QString& picture) {
    if (picture.isEmpty()) return CStr(value);
    const Known& k = known(picture);
    if (k.general) return CStr(value);
    return k.pic.isText ? formatText(CStr(value), k.pic) : formatNumber(value, k.pic);
}

QString Format(const QString& text, const QString& picture) {
    if (picture.isEmpty()) return text;
    const Known& k = known(picture);
    if (k.general || k.named) {
        const auto v = CDbl(text);
        return v ? Format(*v, picture) : text;
    }
    if (k.pic.isText) return formatText(text, k.pic);
    const auto v = CDbl(text);
    return v ? formatNumber(*v, k.pic) : text;
}

}  // namespace vx
