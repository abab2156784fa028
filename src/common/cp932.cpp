#include "common/cp932.h"
#include <QtGlobal>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vx {
namespace {

// One conversion handle per direction and thread, reset before each use.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() { if (ok()) iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != iconv_t(-1); }
    iconv_t get() {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return cd_;
    }

private:
    iconv_t cd_;
};

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr const char* Utf16 = "UTF-16LE";  // QString's units as they lie in memory
#else
constexpr const char* Utf16 = "UTF-16BE";
#endif

Converter& encoder() {
    thread_local Converter c("CP932", Utf16);
    return c;
}
Converter& decoder() {
    thread_local Converter c(Utf16, "CP932");
    return c;
}

enum class Unmapped { Question, CharRef };

// The CP932 form of each character of the basic plane, found through iconv the first time the
// character is met: pages convert a million characters of a few hundred kinds. 0 not known yet,
// 0x100 + b the single byte b, 0x8140 and up the two bytes, NoForm none, NoBytes nothing written.
constexpr std::uint16_t NoForm = 0xFFFF, NoBytes = 0xFFFE;
std::atomic<std::uint16_t> forms[0x10000];

std::uint16_t formOf(char16_t c) {
    std::uint16_t form = forms[c].load(std::memory_order_relaxed);
    if (form != 0) return form;
    Converter& conv = encoder();
    if (!conv.ok()) return 0;
    iconv_t cd = conv.get();
    char in[2], out[4];
    std::memcpy(in, &c, 2);  // UTF-16 in the machine's order
    char* inPtr = in;
    char* outPtr = out;
    size_t inLeft = 2, outLeft = sizeof out;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1)) form = NoForm;
    else if (outLeft == sizeof out) form = NoBytes;
    else if (outLeft == sizeof out - 1) form = std::uint16_t(0x100 + std::uint8_t(out[0]));
    else form = std::uint16_t(std::uint8_t(out[0]) << 8 | std::uint8_t(out[1]));
    forms[c].store(form, std::memory_order_relaxed);
    return form;
}

void encode(QByteArray& out, QStringView text, Unmapped mode) {
    if (text.isEmpty() || !encoder().ok()) return;
    const char16_t* s = text.utf16();
    const qsizetype n = text.size();
    // A character with a CP932 form takes at most two bytes a unit.
    qsizetype at = out.size();
    out.resize(at + 2 * n);
    char* p = out.data() + at;
    qsizetype i = 0;
    while (i < n) {
        // ASCII stays as it is, sixteen units at a time while they all are.
#ifdef __SSE2__
        const __m128i high = _mm_set1_epi16(short(0xFF80));
        while (i + 16 <= n) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 8));
            const __m128i beyond = _mm_and_si128(_mm_or_si128(a, b), high);
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(beyond, _mm_setzero_si128())) != 0xFFFF) break;
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(a, b));
            i += 16, p += 16;
        }
#else
        while (i + 16 <= n) {
            char16_t any = 0;
            for (int k = 0; k < 16; ++k) any |= s[i + k];
            if (any >= 0x80) break;
            for (int k = 0; k < 16; ++k) p[k] = char(s[i + k]);
            i += 16, p += 16;
        }
#endif
        if (i >= n) break;
        const char16_t c = s[i];
        if (c < 0x80) {
            *p++ = char(c), ++i;
            continue;
        }
        const std::uint16_t form = QChar::isSurrogate(c) ? NoForm : formOf(c);
        if (form == 0) {  // no converter
            out.resize(at);
            return;
        }
        if (form < 0x200) {
            *p++ = char(form & 0xFF), ++i;
        } else if (form < NoBytes) {
            *p++ = char(form >> 8), *p++ = char(form & 0xFF), ++i;
        } else if (form == NoBytes) {
            ++i;
        } else {
            // No CP932 form (or a lone surrogate): a pair counts as the one character it stands for.
            char32_t cp = c;
            qsizetype units = 1;
            if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
                cp = QChar::surrogateToUcs4(c, s[i + 1]);
                units = 2;
            }
            const QByteArray ref = mode == Unmapped::CharRef ? "&#" + QByteArray::number(quint32(cp)) + ';' : QByteArray("?");
            i += units;
            const qsizetype written = p - out.data();
            out.resize(written + ref.size() + 2 * (n - i));
            p = out.data() + written;
            std::memcpy(p, ref.constData(), size_t(ref.size()));
            p += ref.size();
        }
    }
    out.resize(p - out.data());
}

QByteArray encoded(const QString& text, Unmapped mode) {
    QByteArray out;
    encode(out, text, mode);
    return out;
}

}  // namespace

QByteArray toCp932(const QString& text) { return encoded(text, Unmapped::Question); }
QByteArray toCp932Html(const QString& text) { return encoded(text, Unmapped::CharRef); }
void appendCp932Html(QByteArray& out, QStringView text) { encode(out, text, Unmapped::CharRef); }

std::optional<QString> fromCp932(const QByteArray& bytes) {
    if (bytes.isEmpty()) return QString();
    Converter& conv = decoder();
    if (!conv.ok()) return std::nullopt;
    iconv_t cd = conv.get();
    QByteArray in = bytes;
    char* inPtr = in.data();
    size_t inLeft = size_t(in.size());
    QByteArray out(in.size() * 2 + 4, Qt::Uninitialized);  // one unit per byte at most
    char* outPtr = out.data();
    size_t outLeft = size_t(out.size());
    iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    if (inLeft != 0) return std::nullopt;  // any fault stops the conversion before the end
    const qsizetype n = (out.size() - qsizetype(outLeft)) / 2;
    return QString(reinterpret_cast<const QChar*>(out.constData()), n);
}

int cp932Width(const QString& text) { return int(toCp932(text).size()); }

}  // namespace vx
