#include "common/convert.h"
#include <QDate>
#include <charconv>
#include <cmath>
#include <limits>

namespace vx {
namespace {

// "&h.." or "&o.." as a 32-bit pattern; nothing when it is not such a text.
std::optional<double> radixNumber(const QString& t) {
    if (t.size() < 3 || t[0] != QLatin1Char('&')) return std::nullopt;
    const QChar r = t[1].toLower();
    const int base = r == QLatin1Char('h') ? 16 : r == QLatin1Char('o') ? 8 : 0;
    if (!base) return std::nullopt;
    bool ok = false;
    const qulonglong v = t.mid(2).toULongLong(&ok, base);
    if (!ok || v > 0xFFFFFFFFull) return std::nullopt;
    if (v > 0xFFFF) return double(std::int32_t(std::uint32_t(v)));
    return double(std::int16_t(std::uint16_t(v)));  // short forms are 16-bit patterns
}

std::optional<double> number(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    if (auto r = radixNumber(t)) return r;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

template <class T>
std::optional<T> whole(const QString& text) {
    const auto v = number(text);
    if (!v) return std::nullopt;
    const double r = roundHalfEven(*v);
    if (r < double(std::numeric_limits<T>::min()) || r > double(std::numeric_limits<T>::max())) return std::nullopt;
    return T(r);
}

}  // namespace

double roundHalfEven(double v) { return std::nearbyint(v); }  // default rounding mode is to even

std::optional<std::int64_t> wholeOf(double v) {
    // 2^63 is exact as a double; INT64_MAX is not, and would round up to it.
    const double r = roundHalfEven(v);
    if (!(r >= -0x1p63 && r < 0x1p63)) return std::nullopt;
    return std::int64_t(r);
}

std::optional<std::int64_t> wholeOfText(const QString& text, bool* tooLarge) {
    if (tooLarge) *tooLarge = false;
    const QString t = text.trimmed();
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    if (ok) return v;
    // Digits alone that toLongLong refused are too many; as a double they would round to another number.
    qsizetype i = t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+')) ? 1 : 0;
    bool digits = i < t.size();
    for (; i < t.size() && digits; ++i) digits = t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9');
    const double d = t.toDouble(&ok);
    std::optional<std::int64_t> w;
    if (!digits && ok && std::isfinite(d)) w = wholeOf(d);
    if (tooLarge) *tooLarge = !w && (digits || (ok && std::isfinite(d)) || (!ok && std::isinf(d)));
    return w;
}

std::optional<std::int64_t> wholeInRange(const QString& text, std::int64_t lo, std::int64_t hi) {
    const auto v = number(text);
    if (!v || *v != std::trunc(*v)) return std::nullopt;
    const auto w = wholeOf(*v);
    if (!w || *w < lo || *w > hi) return std::nullopt;
    return w;
}

std::optional<std::int16_t> CInt(const QString& text) { return whole<std::int16_t>(text); }
std::optional<std::uint8_t> CByte(const QString& text) { return whole<std::uint8_t>(text); }

std::optional<std::int32_t> CLng(const QString& text) {
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1String("&h"), Qt::CaseInsensitive)) {
        bool ok = false;
        const qulonglong v = t.mid(2).toULongLong(&ok, 16);
        if (!ok || v > 0xFFFFFFFFull) return std::nullopt;
        return std::int32_t(std::uint32_t(v));
    }
    return whole<std::int32_t>(text);
}

std::optional<float> CSng(const QString& text) {
    const auto v = number(text);
    if (!v || std::fabs(*v) > double(std::numeric_limits<float>::max())) return std::nullopt;
    return float(*v);
}

std::optional<double> CDbl(const QString& text) { return number(text); }

double Val(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) ++i;
    const QString t = text.mid(i);
    if (t.startsWith(QLatin1String("&h"), Qt::CaseInsensitive) || t.startsWith(QLatin1String("&o"), Qt::CaseInsensitive)) {
        const int base = t[1].toLower() == QLatin1Char('h') ? 16 : 8;
        qsizetype n = 2;
        auto isDigitOf = [base](QChar c) {
            const int d = c.isDigit() ? c.unicode() - '0' : (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')) ? c.toLower().unicode() - 'a' + 10 : 99;
            return d < base;
        };
        while (n < t.size() && isDigitOf(t[n])) ++n;
        if (auto r = radixNumber(t.left(n))) return *r;
        return 0;
    }
    // Longest prefix of the form [sign] digits [. digits] [e [sign] digits].
    qsizetype n = 0;
    auto digits = [&] { qsizetype s = n; while (n < t.size() && t[n].isDigit() && t[n].unicode() < 128) ++n; return n - s; };
    if (n < t.size() && (t[n] == QLatin1Char('+') || t[n] == QLatin1Char('-'))) ++n;
    qsizetype mant = digits();
    if (n < t.size() && t[n] == QLatin1Char('.')) { ++n; mant += digits(); }
    if (mant == 0) return 0;
    qsizetype end = n;
    if (n < t.size() && (t[n] == QLatin1Char('e') || t[n] == QLatin1Char('E'))) {
        ++n;
        if (n < t.size() && (t[n] == QLatin1Char('+') || t[n] == QLatin1Char('-'))) ++n;
        if (digits() > 0) end = n;
    }
    bool ok = false;
    const double v = t.left(end).toDouble(&ok);
    return ok ? v : 0;
}

namespace {
// Shortest text of up to 15 significant digits, with "E" for an exponent as the other platform wrote it.
QString plainNumber(double v) {
    if (v == std::floor(v) && std::fabs(v) < 1e15) return QString::number(std::int64_t(v));
    return QString::number(v, 'g', 15).toUpper();
}
}  // namespace

QString CStr(double v) { return plainNumber(v); }

// Str drops the zero before the decimal point (" .5", "-.5"), unlike CStr ("0.5").
QString Str(double v) {
    QString s = plainNumber(v);
    if (s.startsWith(QLatin1String("0."))) s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0."))) s.remove(1, 1);
    return v < 0 ? s : QLatin1Char(' ') + s;
}
QString Str(std::int64_t v) { return v < 0 ? QString::number(v) : QLatin1Char(' ') + QString::number(v); }

QString PrintForm(double v) { return Str(v) + QLatin1Char(' '); }

qsizetype writePrintForm(double v, QChar* out) {
    if (v == std::floor(v) && std::fabs(v) < 1e15) {  // as plainNumber writes it
        char digits[24];
        char* end = digits;
        if (!(v < 0)) *end++ = ' ';
        end = std::to_chars(end, digits + sizeof digits - 1, std::int64_t(v)).ptr;
        *end++ = ' ';
        for (const char* c = digits; c != end; ++c) *out++ = QLatin1Char(*c);
        return end - digits;
    }
    const QString text = PrintForm(v);
    std::copy(text.cbegin(), text.cend(), out);
    return text.size();
}

QString ColorToHtml(std::int32_t color) {
    const auto c = std::uint32_t(color);
    auto hex = [](std::uint32_t b) { return QString::number(b & 0xFF, 16).rightJustified(2, QLatin1Char('0')).toUpper(); };
    return hex(c) + hex(c >> 8) + hex(c >> 16);
}

QString ShortDate(const QVariant& v) {
    const QDate d = QDate::fromString(v.toString(), Qt::ISODate);
    return d.isValid() ? d.toString(QStringLiteral("yyyy/MM/dd")) : v.toString();
}

std::optional<QVariant> TypedDate(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return QVariant();
    for (const char* f : {"yyyy/M/d", "yyyy-M-d"}) {
        const QDate d = QDate::fromString(t, QString::fromLatin1(f));
        // A year before 1 has no ISO text: it would be stored as an empty date.
        if (d.isValid() && d.year() > 0) return d.toString(Qt::ISODate);
    }
    return std::nullopt;
}

}  // namespace vx
