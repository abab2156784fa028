#pragma once
// The frame every published page stands in: the head with the program's marker, the date it was
// written and the code page, the coloured body with its heading, the page's own body, the footer.
// Pages are CP932 with CR LF line ends and are written whole or not at all.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <optional>
#include <variant>

namespace vx::publishing {

// The eight page colours as six-digit HTML colours.
struct PageColors {
    QString back, fore, syoBack, syoFore, aveBack, aveFore, allBack, allFore;
};
// Nothing when one of the colour texts (back, fore, syo_back, ... all_fore) is no number.
std::optional<PageColors> pageColors(const std::array<QString, 8>& colorTexts);

// The colours as stored (section HTML_color), backgrounds pale yellow and texts black by default.
std::array<QString, 8> storedHtmlColors();
void saveHtmlColors(const std::array<QString, 8>& colorTexts);

// What one page's frame is made of. Title, heading and footer lines go in as the user typed them.
struct PageFrame {
    QString title;
    QString heading;
    QString bodyStart = QStringLiteral("<BODY bgcolor=#");
    QString headingOpen = QStringLiteral("<CENTER><H1><font color=");
    QString headingEnd;
    QStringList footer;  // the lines before "</BODY></HTML>"
    bool stamped = true; // the marker and date comments ahead of the head
};

// Lines of a page as one text, each ended by CR LF as the page has them. A page of many thousand
// lines is made by adding each line's parts and ending it, without a string for every line.
class PageText {
public:
    PageText() = default;
    PageText(const QStringList& lines) { *this << lines; }
    PageText(std::initializer_list<QString> lines) {
        for (const QString& line : lines) *this << line;
    }
    void reserve(qsizetype units) {
        if (units > text_.size()) text_.resize(units);
    }
    // Whole lines.
    PageText& operator<<(const QString& line) { return add(line).endLine(); }
    PageText& operator<<(QStringView line) { return add(line).endLine(); }
    PageText& operator<<(const QStringList& lines) {
        for (const QString& line : lines) *this << line;
        return *this;
    }
    // A part of the line being made, and its end.
    PageText& add(QStringView part) {
        if (part.isEmpty()) return *this;  // an empty view may have no data to copy from
        if (used_ + part.size() > text_.size()) grow(part.size());
        std::memcpy(text_.data() + used_, part.data(), std::size_t(part.size()) * sizeof(QChar));
        used_ += part.size();
        return *this;
    }
    PageText& add(QChar c) {
        if (used_ == text_.size()) grow(1);
        text_.data()[used_++] = c;
        return *this;
    }
    PageText& endLine() { return add(u"\r\n"); }
    // A number as PrintForm writes it.
    PageText& addPrintForm(double v);
    QStringView text() const { return QStringView(text_.constData(), used_); }

private:
    void grow(qsizetype units);
    QString text_;  // the text is its first used_ units; the rest is room
    qsizetype used_ = 0;
};

// The whole page: head, heading, body lines and footer, each line ended by CR LF, in CP932 (a
// character it cannot hold as a numeric character reference).
QByteArray pageBytes(const PageFrame& frame, const PageColors& colors, const QDateTime& written, const PageText& body);

// Replaces the file whole; a failure leaves a file already there as it was.
bool writePage(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// What every page is written from besides its own part.
struct PageSetup {
    std::array<QString, 8> colors{};  // the colour texts in the shared order
    PageFrame frame;                  // title and heading as typed
    QString footerText;
    QDateTime written;
};

// How writing a page ended: written, or why nothing was written.
enum class PageResult { Written, BadColors, NoGames, NoResults, NoStandings, Unreadable, NotWritten };

// A writer's own part of its page: the body in the page's colours and the typed frame completed
// around it (heading end, footer lines); or why the page is not written.
struct PageContent {
    PageFrame frame;
    PageText body;
};
using PageBody = std::variant<PageContent, PageResult>;

// Every page is written this way: colours that are no numbers refuse before the body is made, the
// frame and footer go round the body, and the file is replaced whole. On any failure nothing is
// written and a file already there stays as it was.
PageResult writePage(const QString& path, const PageSetup& setup, const std::function<PageBody(const PageColors&)>& makeBody);

}  // namespace vx::publishing
