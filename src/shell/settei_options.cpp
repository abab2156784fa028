#include "shell/settei_options.h"
#include "common/convert.h"
#include "common/cp932.h"
#include "common/gamecount.h"
#include "common/module1.h"
#include "common/settingskeys.h"
#include "common/width.h"

namespace vx::settei {

namespace {
bool singleByte(const QString& c) { return cp932Width(c) <= 1; }
}  // namespace

QString limitMark(const QString& text) {
    if (text.isEmpty()) return text;
    const QString first = leftChars(text, 1);
    if (!singleByte(first) || charCount(text) < 2) return first;
    const QString second = midChars(text, 1, 1);
    return singleByte(second) ? first + second : first;
}

std::optional<std::int16_t> parseGamesNumber(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < 1 || n > gamecount::MaxLastGame + 1) return std::nullopt;
    return std::int16_t(n - 1);
}

QString gamesNumberMessage() {
    return QStringLiteral("最大ゲーム数は１から１０までの整数で入力してください。");
}

std::uint8_t displayFlags(const GeneralOptions& o) {
    return std::uint8_t((o.showPrizeBoard ? 1 : 0) + 2 * (o.showPointsList ? 1 : 0));
}

std::uint8_t tallyFlags(const GeneralOptions& o) {
    return std::uint8_t((o.splitsNotSpareMisses ? 1 : 0) + 2 * (o.awardsByGameAverage ? 1 : 0) +
                        4 * (o.averageWithHandicap ? 1 : 0));
}

GeneralOptions fromSharedState() {
    using namespace Module1;
    GeneralOptions o;
    o.lastGame = gamecount::effective();
    o.hcpRequired = HcpRequired != 0;
    o.showPrizeBoard = (ResultDisplayFlags & 1) != 0;
    o.showPointsList = ResultDisplayFlags / 2 != 0;
    o.splitsNotSpareMisses = (TallyRuleFlags & 1) != 0;
    o.awardsByGameAverage = (TallyRuleFlags & 3) / 2 != 0;
    o.averageWithHandicap = TallyRuleFlags / 4 != 0;
    o.pointTarget = PointTarget <= 2 ? PointTarget : -1;
    o.pointMethod = PointMethod <= 2 ? PointMethod : -1;
    for (int i = 1; i <= 10; ++i) o.marks[std::size_t(i - 1)] = MarkTexts[std::size_t(i)];
    return o;
}

std::array<QString, 10> limitMarks(const std::array<QString, 10>& marks) {
    std::array<QString, 10> out;
    for (std::size_t i = 0; i < marks.size(); ++i) out[i] = limitMark(marks[i]);
    return out;
}

std::optional<MarkProblem> checkMarks(const std::array<QString, 10>& limited) {
    for (int i = 0; i < 10; ++i)
        if (limited[std::size_t(i)].trimmed().isEmpty())
            return MarkProblem{i, QStringLiteral("マークが入力されていません。")};
    // Output tells marks apart by their full-width form, so "1s" and "１ｓ" are the same mark.
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < i; ++j)
            if (StrConvWide(limited[std::size_t(i)]) == StrConvWide(limited[std::size_t(j)]))
                return MarkProblem{i, QStringLiteral("同じマークが複数設定されています。")};
    return std::nullopt;
}

void apply(const GeneralOptions& o) {
    using namespace Module1;
    gamecount::request(o.lastGame);
    HcpRequired = o.hcpRequired ? 1 : 0;
    ResultDisplayFlags = displayFlags(o);
    TallyRuleFlags = tallyFlags(o);
    if (o.pointTarget >= 0 && o.pointTarget <= 2) PointTarget = std::uint8_t(o.pointTarget);
    if (o.pointMethod >= 0 && o.pointMethod <= 2) PointMethod = std::uint8_t(o.pointMethod);
    for (int i = 1; i <= 10; ++i) MarkTexts[std::size_t(i)] = o.marks[std::size_t(i - 1)];
}

void store(const GeneralOptions& o) {
    namespace keys = settings::keys;
    settings::save(keys::LastGame, CStr(int(o.lastGame)));
    settings::save(keys::HcpRequired, CStr(o.hcpRequired ? 1 : 0));
    settings::save(keys::ResultDisplayFlags, CStr(int(displayFlags(o))));
    settings::save(keys::TallyRuleFlags, CStr(int(tallyFlags(o))));
    // With no option set the shared value stands, and that is what is stored.
    const int target = o.pointTarget >= 0 && o.pointTarget <= 2 ? o.pointTarget : Module1::PointTarget;
    const int method = o.pointMethod >= 0 && o.pointMethod <= 2 ? o.pointMethod : Module1::PointMethod;
    settings::save(keys::PointTarget, CStr(target));
    settings::save(keys::PointMethod, CStr(method));
    for (std::size_t i = 0; i < 10; ++i) settings::save(keys::MarkTexts[i], o.marks[i]);
}

void applyPins(const PinOptions& p) {
    Module1::PinImageFiles = p.files;
    Module1::PinColors = p.colors;
}

void storePins(const PinOptions& p) {
    for (std::size_t i = 0; i < 3; ++i) settings::save(settings::keys::PinImageFiles[i], p.files[i]);
    for (std::size_t i = 0; i < 3; ++i) settings::save(settings::keys::PinColors[i], CStr(int(p.colors[i])));
}

void storeBrowser(const QString& commandLine) {
    settings::save(settings::keys::Browser, commandLine);
}

QString storedBrowser() {
    return settings::read(settings::keys::Browser);
}

}  // namespace vx::settei
