#include "publishing/htmltext.h"
#include "common/convert.h"
#include "common/width.h"
#include <algorithm>

namespace vx::publishing {

std::optional<QString> htmlColor(const QString& colorText) {
    const std::optional<std::int32_t> n = CLng(colorText);
    if (!n) return std::nullopt;
    return ColorToHtml(*n);
}

QString markText(const QString& stored, const std::array<QString, 11>& markTexts) {
    bool empty = false;
    const QString code = normalizeMark(stored, markTexts, &empty);
    return empty ? QStringLiteral("\u3000") : code;
}

QString markCell(const QString& stored, const std::array<QString, 11>& markTexts, const QString& fore) {
    bool empty = false;
    const QString code = normalizeMark(stored, markTexts, &empty);
    if (empty) return QStringLiteral("<TD>\u3000</TD>");
    return QStringLiteral("<TD align=right><FONT COLOR=#") + fore + QLatin1Char('>') + escapeHtml(code) +
           QStringLiteral("</font></TD>");
}

template <class Make>
const QString& PageMarks::find(Kinds& kinds, const QString& stored, Make make) {
    if (stored.size() <= 2) {
        std::uint64_t key = std::uint64_t(stored.size()) << 32;
        for (qsizetype i = 0; i < stored.size(); ++i) key |= std::uint64_t(stored[i].unicode()) << (16 * i);
        auto at = kinds.shortMarks.find(key);
        if (at == kinds.shortMarks.end()) at = kinds.shortMarks.emplace(key, make()).first;
        return at->second;
    }
    auto at = kinds.longer.constFind(stored);
    if (at == kinds.longer.constEnd()) at = kinds.longer.insert(stored, make());
    return *at;
}

const QString& PageMarks::text(const QString& stored) {
    return find(texts_, stored, [&] { return escapeHtml(markText(stored, markTexts_)); });
}

const QString& PageMarks::cell(const QString& stored) {
    return find(cells_, stored, [&] { return markCell(stored, markTexts_, fore_); });
}

QString escapeHtml(const QString& text) {
    auto special = [](QChar c) { return c == u'&' || c == u'<' || c == u'>' || c == u'"'; };
    if (std::none_of(text.cbegin(), text.cend(), special)) return text;  // most texts: shared, not copied
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
            case '&': out += QLatin1String("&amp;"); break;
            case '<': out += QLatin1String("&lt;"); break;
            case '>': out += QLatin1String("&gt;"); break;
            case '"': out += QLatin1String("&quot;"); break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace vx::publishing
