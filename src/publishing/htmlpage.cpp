#include "publishing/htmlpage.h"
#include "common/atomicfile.h"
#include "common/cp932.h"
#include "common/settings.h"
#include "publishing/htmltext.h"

namespace vx::publishing {

const std::array<const char*, 8> ColorNames{"back", "fore", "syo_back", "syo_fore", "ave_back", "ave_fore", "all_back", "all_fore"};

namespace {
const QString ColorSection = QStringLiteral("HTML_color");
}

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
    for (std::size_t i = 0; i < 8; ++i)
        out[i] = settings::GetSetting(ColorSection, QString::fromLatin1(ColorNames[i]),
                                      i % 2 == 0 ? QStringLiteral("14811135") : QStringLiteral("0"));
    return out;
}

void saveHtmlColors(const std::array<QString, 8>& colorTexts) {
    std::vector<std::pair<QString, QString>> values;
    for (std::size_t i = 0; i < 8; ++i) values.emplace_back(QString::fromLatin1(ColorNames[i]), colorTexts[i]);
    settings::SaveSettings(ColorSection, values);
}

QByteArray pageBytes(const PageFrame& frame, const PageColors& colors, const QDateTime& written, const QStringList& body) {
    QStringList lines{
        QStringLiteral("<!--Vorlix-->"),
        QStringLiteral("<!--") + written.toString(QStringLiteral("MM-dd-yyyy  HH:mm:ss")) + QStringLiteral("-->"),
        QStringLiteral("<HTML><HEAD>"),
        QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html;CHARSET=x-sjis\">"),
        QStringLiteral("<TITLE>"),
        frame.title,
        QStringLiteral("</TITLE>"),
        QStringLiteral("</HEAD>"),
        frame.bodyStart + colors.allBack + QLatin1Char('>'),
        frame.headingOpen + colors.allFore + QLatin1Char('>'),
        frame.heading,
        frame.headingEnd,
    };
    if (!frame.stamped) lines.remove(0, 2);
    lines << body << frame.footer << QStringLiteral("</BODY></HTML>");
    QByteArray out;
    for (const QString& line : lines) out += toCp932Html(line) + "\r\n";
    return out;
}

bool writePage(const QString& path, const QByteArray& bytes, QString* error) {
    if (path.isEmpty()) {
        if (error) *error = QStringLiteral("no file name");
        return false;
    }
    return writeWhole(path, bytes, error);
}

}  // namespace vx::publishing
