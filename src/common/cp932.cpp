#include "common/cp932.h"
#include <QtGlobal>
#include <algorithm>
#include <cerrno>
#include <iconv.h>

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

QByteArray encode(const QString& text, Unmapped mode) {
    Converter& conv = encoder();
    QByteArray out;
    if (!conv.ok() || text.isEmpty()) return out;
    iconv_t cd = conv.get();
    QByteArray in(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    char* inPtr = in.data();
    size_t inLeft = size_t(in.size());
    QByteArray buf(in.size() + 16, Qt::Uninitialized);  // never more than two bytes per unit
    while (inLeft > 0) {
        char* outPtr = buf.data();
        size_t outLeft = size_t(buf.size());
        const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buf.constData(), buf.size() - qsizetype(outLeft));
        if (r != size_t(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: the character at inPtr has no CP932 form (or is a lone surrogate).
        const qsizetype unit = (inPtr - in.data()) / 2;
        char32_t cp = text[unit].unicode();
        size_t skip = 2;
        if (QChar::isHighSurrogate(cp) && unit + 1 < text.size() && text[unit + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[unit], text[unit + 1]);
            skip = 4;
        }
        if (mode == Unmapped::CharRef) out += "&#" + QByteArray::number(quint32(cp)) + ';';
        else out += '?';
        inPtr += skip;
        inLeft -= std::min(skip, inLeft);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace

QByteArray toCp932(const QString& text) { return encode(text, Unmapped::Question); }
QByteArray toCp932Html(const QString& text) { return encode(text, Unmapped::CharRef); }

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
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1) || inLeft != 0) return std::nullopt;
    const qsizetype n = (out.size() - qsizetype(outLeft)) / 2;
    return QString(reinterpret_cast<const QChar*>(out.constData()), n);
}

int cp932Width(const QString& text) { return int(toCp932(text).size()); }

}  // namespace vx
