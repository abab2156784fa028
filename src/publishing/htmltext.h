#pragma once
// The texts every HTML page is made of: colour numbers as HTML colours, stored marks as page text,
// and texts from the database or a file made safe to stand between the page's own markup.
#include <QHash>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>

namespace vx::publishing {

// A colour's decimal text (0x00BBGGRR) as six digits RRGGBB; nothing when the text is no number.
std::optional<QString> htmlColor(const QString& colorText);

// A stored mark as page text: its two-character code, or "　" for an empty mark.
QString markText(const QString& stored, const std::array<QString, 11>& markTexts);
// A stored mark as one table cell in the text colour fore (six digits).
QString markCell(const QString& stored, const std::array<QString, 11>& markTexts, const QString& fore);

// The marks of one page as markText (made safe for the page) and markCell give them, each stored
// mark worked out once: a page shows thousands of marks of a few kinds.
class PageMarks {
public:
    PageMarks(const std::array<QString, 11>& markTexts, const QString& fore) : markTexts_(markTexts), fore_(fore) {}
    const QString& text(const QString& stored);
    const QString& cell(const QString& stored);

private:
    // Marks of up to two units by their units, which is quicker than hashing the text.
    struct Kinds {
        std::unordered_map<std::uint64_t, QString> shortMarks;
        QHash<QString, QString> longer;
    };
    template <class Make>
    const QString& find(Kinds& kinds, const QString& stored, Make make);
    std::array<QString, 11> markTexts_;
    QString fore_;
    Kinds texts_, cells_;
};

// &, <, > and " as character references.
QString escapeHtml(const QString& text);

}  // namespace vx::publishing
