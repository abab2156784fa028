#include "common/picture.h"
#include "common/convert.h"
#include "common/width.h"
#include <algorithm>
#include <cmath>
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

// |v| rounded half away from zero to `decimals` places, as a string of digits holding the
// fraction in its last `decimals` characters. Works on the 15 significant digits the value
// stands for, so 0.285 is 0.285 and not the binary number just below it.
QString roundedDigits(double v, int decimals) {
    const QString e = QString::number(std::fabs(v), 'e', 14);  // d.dddddddddddddde±XX
    const qsizetype ePos = e.indexOf(QLatin1Char('e'));
    QString digits = e.left(1) + e.mid(2, ePos - 2);
    const int point = e.mid(ePos + 1).toInt() + 1 + decimals;  // digits before the cut
    QString kept;
    QChar next = QLatin1Char('0');
    if (point <= 0) {
        if (point == 0) next = digits[0];
    } else if (point >= digits.size()) {
        kept = digits + QString(point - digits.size(), QLatin1Char('0'));
    } else {
        kept = digits.left(point);
        next = digits[point];
    }
    if (next >= QLatin1Char('5')) {
        qsizetype i = kept.size() - 1;
        while (i >= 0 && kept[i] == QLatin1Char('9')) kept[i--] = QLatin1Char('0');
        if (i < 0) kept.prepend(QLatin1Char('1'));
        else kept[i] = QChar(kept[i].unicode() + 1);
    }
    if (kept.size() < decimals) kept = QString(decimals - kept.size(), QLatin1Char('0')) + kept;
    return kept;
}

QString formatNumber(double v, const Picture& pic) {
    if (!std::isfinite(v)) return CStr(v);
    if (pic.percent) v *= 100;
    std::vector<QChar> intPlaces, fracPlaces;
    bool inFraction = false;
    for (const Token& t : pic.tokens) {
        if (t.kind == Token::Point) inFraction = true;
        else if (t.kind == Token::Place) (inFraction ? fracPlaces : intPlaces).push_back(t.c);
    }
    const int decimals = int(fracPlaces.size());
    const QString all = roundedDigits(v, decimals);
    QString intDigits = all.left(all.size() - decimals);
    QString fracDigits = all.right(decimals);
    while (intDigits.startsWith(QLatin1Char('0'))) intDigits.remove(0, 1);
    const bool negative = v < 0 && (all.count(QLatin1Char('0')) != all.size());

    // At least as many integer digits as places from the first "0" on.
    qsizetype minInt = 0;
    for (qsizetype i = 0; i < qsizetype(intPlaces.size()); ++i)
        if (intPlaces[i] == QLatin1Char('0')) { minInt = qsizetype(intPlaces.size()) - i; break; }
    if (intDigits.size() < minInt) intDigits = QString(minInt - intDigits.size(), QLatin1Char('0')) + intDigits;
    if (pic.grouping) {
        for (qsizetype i = intDigits.size() - 3; i > 0; i -= 3) intDigits.insert(i, QLatin1Char(','));
    }
    // "#" places at the end of the fraction drop their zeros.
    qsizetype fracLen = decimals;
    while (fracLen > 0 && fracPlaces[fracLen - 1] == QLatin1Char('#') && fracDigits[fracLen - 1] == QLatin1Char('0')) --fracLen;

    QString out;
    if (negative) out += QLatin1Char('-');
    const qsizetype places = qsizetype(intPlaces.size());
    const qsizetype len = intDigits.size();
    qsizetype k = 0, f = 0;
    inFraction = false;
    bool intWritten = places == 0 && len == 0;
    for (const Token& t : pic.tokens) {
        if (t.kind == Token::Literal) {
            out += t.c;
        } else if (t.kind == Token::Point) {
            if (!intWritten) { out += intDigits; intWritten = true; }  // a picture without integer places
            inFraction = true;
            out += QLatin1Char('.');
        } else if (inFraction) {
            if (f < fracLen) out += fracDigits[f];
            ++f;
        } else {
            if (pic.grouping) {  // grouped digits go out whole at the first place
                if (k++ == 0) out += intDigits;
                intWritten = true;
                continue;
            }
            // Digits fill the places from the right; the first place takes any surplus.
            const qsizetype from = k == 0 ? 0 : len - places + k;
            const qsizetype to = len - places + k + 1;
            const qsizetype start = std::max<qsizetype>(from, 0);
            if (start < to) out += intDigits.mid(start, to - start);
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

}  // namespace

QString Format(double value, const QString& picture) {
    if (picture.isEmpty() || isGeneralNumber(picture)) return CStr(value);
    const QString named = namedFormat(picture);
    if (!named.isEmpty()) return formatNumber(value, parse(named));
    const Picture pic = parse(picture);
    return pic.isText ? formatText(CStr(value), pic) : formatNumber(value, pic);
}

QString Format(const QString& text, const QString& picture) {
    if (picture.isEmpty()) return text;
    if (isGeneralNumber(picture) || !namedFormat(picture).isEmpty()) {
        const auto v = CDbl(text);
        return v ? Format(*v, picture) : text;
    }
    const Picture pic = parse(picture);
    if (pic.isText) return formatText(text, pic);
    const auto v = CDbl(text);
    return v ? formatNumber(*v, pic) : text;
}

}  // namespace vx
