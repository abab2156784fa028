#include "publishing/htmltext.h"
#include "common/convert.h"
#include "common/width.h"

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

const QString& PageMarks::text(const QString& stored) {
    auto at = texts_.constFind(stored);
    if (at == texts_.constEnd()) at = texts_.insert(stored, escapeHtml(markText(stored, markTexts_)));
    return *at;
}

const QString& PageMarks::cell(const QString& stored) {
    auto at = cells_.constFind(stored);
    if (at == cells_.constEnd()) at = cells_.insert(stored, markCell(stored, markTexts_, fore_));
    return *at;
}

QString escapeHtml(const QString& text) {
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
