#include "publishing/htmlpage.h"
#include "common/atomicfile.h"
#include "common/convert.h"
#include "common/cp932.h"
#include "common/settingskeys.h"
#include "publishing/htmltext.h"
#include <algorithm>

namespace vx::publishing {

std::optional<PageColors> pageColors(const std::array<QString, 8>& colorTexts) {
    std::array<QString, 8> hex;
    for (std::size_t i = 0; i < 8; ++i) {
        const std::optional<QString> c = htmlColor(colorTexts[i]);
        if (!c) return std::nullopt;
        hex[i] = *c;
    }
    return PageColors{hex[0], hex[1], hex[2], hex[3], hex[4], hex[5], hex[6], hex[7]};
}

std::array<QString, 8> storedHtmlColors() {
    std::array<QString, 8> out;
    for (std::size_t i = 0; i < 8; ++i) out[i] = settings::read(settings::keys::HtmlColors[i]);
    return out;
}

void saveHtmlColors(const std::array<QString, 8>& colorTexts) {
    std::vector<std::pair<settings::Key, QString>> values;
    for (std::size_t i = 0; i < 8; ++i) values.emplace_back(settings::keys::HtmlColors[i], colorTexts[i]);
    settings::save(values);
}

void PageText::grow(qsizetype units) { text_.resize(std::max({2 * text_.size(), used_ + units, qsizetype(4096)})); }

PageText& PageText::addPrintForm(double v) {
    if (used_ + 32 > text_.size()) grow(32);
    used_ += writePrintForm(v, text_.data() + used_);
    return *this;
}

QByteArray pageBytes(const PageFrame& frame, const PageColors& colors, const QDateTime& written, const PageText& body) {
    PageText head;
    if (frame.stamped)
        head << QStringLiteral("<!--Vorlix-->")
             << QStringLiteral("<!--") + written.toString(QStringLiteral("MM-dd-yyyy  HH:mm:ss")) + QStringLiteral("-->");
    head << QStringLiteral("<HTML><HEAD>") << QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html;CHARSET=x-sjis\">")
         << QStringLiteral("<TITLE>") << frame.title << QStringLiteral("</TITLE>") << QStringLiteral("</HEAD>")
         << frame.bodyStart + colors.allBack + QLatin1Char('>') << frame.headingOpen + colors.allFore + QLatin1Char('>') << frame.heading
         << frame.headingEnd;
    PageText foot(frame.footer);
    foot << QStringLiteral("</BODY></HTML>");
    QByteArray out;
    // Converted, a unit takes at most two bytes unless it becomes a character reference.
    out.reserve(2 * (head.text().size() + body.text().size() + foot.text().size()));
    for (QStringView part : {head.text(), body.text(), foot.text()}) appendCp932Html(out, part);
    return out;
}

bool writePage(const QString& path, const QByteArray& bytes, QString* error) {
    if (path.isEmpty()) {
        if (error) *error = QStringLiteral("no file name");
        return false;
    }
    return writeWhole(path, bytes, error);
}

PageResult writePage(const QString& path, const PageSetup& setup, const std::function<PageBody(const PageColors&)>& makeBody) {
    const std::optional<PageColors> colors = pageColors(setup.colors);
    if (!colors) return PageResult::BadColors;
    const PageBody made = makeBody(*colors);
    if (const PageResult* refused = std::get_if<PageResult>(&made)) return *refused;
    const PageContent& page = std::get<PageContent>(made);
    return writePage(path, pageBytes(page.frame, *colors, setup.written, page.body)) ? PageResult::Written : PageResult::NotWritten;
}

}  // namespace vx::publishing
