#include "common/width.h"
#include <algorithm>
#include <iterator>

namespace vx {
namespace {

// Half-width katakana U+FF61..U+FF9F and their full-width partners.
constexpr char16_t Katakana[] = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ', u'ョ', u'ッ',
    u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ', u'サ', u'シ', u'ス', u'セ',
    u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ', u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ',
    u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ', u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ',
    u'ン', u'゛', u'゜'};
constexpr char16_t HalfFirst = 0xFF61, HalfLast = 0xFF9F;
static_assert(std::size(Katakana) == HalfLast - HalfFirst + 1);
constexpr char16_t Voiced = 0xFF9E, SemiVoiced = 0xFF9F;

// The one pairing of ASCII the code page makes differently from Unicode's full-width block.
char16_t wideAscii(char16_t c) {
    switch (c) {
        case u' ': return u'\u3000';
        case u'"': return u'”';
        case u'\'': return u'’';
        case u'\\': return u'￥';
        default: return char16_t(c - 0x20 + 0xFF00);
    }
}

bool takesSemiVoiced(char16_t k) { return k >= u'ハ' && k <= u'ホ' && (k - u'ハ') % 3 == 0; }
bool takesVoiced(char16_t k) {
    return (k >= u'カ' && k <= u'ト' && (k - u'カ') % 2 == 0 && k != u'ッ') || k == u'ツ' || k == u'テ' || k == u'ト' ||
           takesSemiVoiced(k) || k == u'ウ';
}

}  // namespace

QString StrConvWide(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x20 && c <= 0x7E) {
            out += QChar(wideAscii(c));
        } else if (c >= HalfFirst && c <= HalfLast) {
            const char16_t k = Katakana[c - HalfFirst];
            const char16_t next = i + 1 < text.size() ? text[i + 1].unicode() : 0;
            if (next == Voiced && takesVoiced(k)) {
                out += QChar(k == u'ウ' ? u'ヴ' : char16_t(k + 1));
                ++i;
            } else if (next == SemiVoiced && takesSemiVoiced(k)) {
                out += QChar(char16_t(k + 2));
                ++i;
            } else {
                out += QChar(k);
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

QString StrConvNarrow(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'\u3000') { out += QLatin1Char(' '); continue; }
        if (c >= 0xFF01 && c <= 0xFF5E) { out += QChar(char16_t(c - 0xFF00 + 0x20)); continue; }
        if (c == u'”') { out += QLatin1Char('"'); continue; }
        if (c == u'’') { out += QLatin1Char('\''); continue; }
        if (c == u'￥') { out += QLatin1Char('\\'); continue; }
        if (c == u'ヴ') { out += QChar(char16_t(0xFF73)); out += QChar(Voiced); continue; }
        bool done = false;
        for (char16_t h = HalfFirst; h <= HalfLast && !done; ++h) {
            const char16_t k = Katakana[h - HalfFirst];
            if (c == k) {
                out += QChar(h);
                done = true;
            } else if (c == k + 1 && takesVoiced(k) && k != u'ウ') {
                out += QChar(h); out += QChar(Voiced);
                done = true;
            } else if (c == k + 2 && takesSemiVoiced(k)) {
                out += QChar(h); out += QChar(SemiVoiced);
                done = true;
            }
        }
        if (!done) out += ch;
    }
    return out;
}

namespace {
bool pairAt(const QString& text, qsizetype i) {
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
}
// Where character n begins, in units; the text's size when it has n characters or fewer.
qsizetype unitOf(const QString& text, qsizetype n) {
    qsizetype i = 0;
    for (; n > 0 && i < text.size(); --n) i += pairAt(text, i) ? 2 : 1;
    return i;
}
}  // namespace

qsizetype charCount(const QString& text) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++n) i += pairAt(text, i) ? 2 : 1;
    return n;
}

QString leftChars(const QString& text, qsizetype n) { return n <= 0 ? QString() : text.left(unitOf(text, n)); }

QString rightChars(const QString& text, qsizetype n) {
    if (n <= 0) return {};
    const qsizetype count = charCount(text);
    return n >= count ? text : text.mid(unitOf(text, count - n));
}

QString midChars(const QString& text, qsizetype from, qsizetype n) {
    const qsizetype start = unitOf(text, std::max<qsizetype>(from, 0));
    if (n < 0) return text.mid(start);
    const QString rest = text.mid(start);
    return rest.left(unitOf(rest, n));
}

QString padRight(const QString& text, qsizetype n, QChar fill) {
    const qsizetype count = charCount(text);
    return count >= n ? text : text + QString(n - count, fill);
}

QString padLeft(const QString& text, qsizetype n, QChar fill) {
    const qsizetype count = charCount(text);
    return count >= n ? text : QString(n - count, fill) + text;
}

QString FixedText(const QString& text, qsizetype n) { return n <= 0 ? QString() : padRight(leftChars(text, n), n); }

namespace {
// The first two full-width characters of each configured mark, worked out again only when the
// texts change: a page compares every mark of every game with them.
const std::array<QString, 11>& markKeys(const std::array<QString, 11>& markTexts) {
    static thread_local std::array<QString, 11> texts, keys;
    if (texts != markTexts) {
        texts = markTexts;
        for (std::size_t k = 0; k < keys.size(); ++k) keys[k] = leftChars(StrConvWide(texts[k] + QLatin1String("   ")), 2);
    }
    return keys;
}
}  // namespace

QString normalizeMark(const QString& stored, const std::array<QString, 11>& markTexts, bool* empty) {
    if (empty) *empty = false;
    QString work = stored + QLatin1String("   ");
    if (work[0] == QLatin1Char(' ') || work[0] == QChar(u'\u3000')) work.remove(0, 1);
    const QString key = leftChars(StrConvWide(work), 2);
    const std::array<QString, 11>& keys = markKeys(markTexts);
    for (int k = 1; k <= 10; ++k) {
        if (keys[std::size_t(k)] != key) continue;
        if (k <= 8) return QLatin1Char('s') + QString::number(k);
        return k == 9 ? QStringLiteral(" /") : QStringLiteral(" *");
    }
    if (empty) *empty = key == QStringLiteral("\u3000\u3000");
    return padLeft(leftChars(StrConvNarrow(QLatin1Char(' ') + work), 2), 2);
}

}  // namespace vx
