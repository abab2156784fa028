#include "shell/startup.h"
#include "common/appdir.h"
#include "common/atomicfile.h"
#include "common/convert.h"
#include "common/gamecount.h"
#include "common/database.h"
#include "common/module1.h"
#include "common/schemaupgrade.h"
#include "common/settings.h"
#include "common/settingskeys.h"
#include <QDir>
#include <QSet>

namespace vx::startup {

QString oldFormatMessage() {
    return QStringLiteral("データベースがVer３対応されていません。\r専用のソフト(vlx2ver3.exe)を使って\rデータベースを更新して下さい。");
}

bool openAndTestDatabase(bool* inUse) {
    const quint64 lockedOut = db::inUseFailures();
    auto failed = [&] {
        if (inUse) *inUse = db::inUseFailures() != lockedOut;
        return false;
    };
    if (!db::open(DatabaseFileName)) return failed();
    if (!db::hasTable(QStringLiteral("フレーム"))) {
        db::close();
        return failed();
    }
    if (!db::exec(QStringLiteral("SELECT * FROM \"フレーム\" LIMIT 1"))) return failed();
    // A database of an earlier version of the program gains what this one reads; when that fails
    // (a read-only file) the database stays as it was and its views still give the same figures.
    db::upgradeSchema(db::schemaSql());
    return true;
}

void removeLeftovers() {
    vx::removeLeftovers(settings::storePath());
    vx::removeLeftovers(inProgramFolder(DatabaseFileName));
    // A backup is named after its day ("B_260517.bup"): every day's is swept.
    const QDir folder(programFolder());
    QSet<QString> backups;
    for (const QString& name : folder.entryList({QStringLiteral("B_*.bup.*")}, QDir::Files | QDir::Hidden))
        backups.insert(name.left(name.indexOf(QLatin1String(".bup.")) + 4));
    for (const QString& b : backups) vx::removeLeftovers(folder.absoluteFilePath(b));
}

namespace {

template <class T, class Conv>
void load(T& target, const settings::Key& key, Conv conv) {
    if (auto v = conv(settings::read(key))) target = *v;  // a failing step is skipped
}

// Widens max/min by the smallest and largest value of a table's integer key: read from the
// key's own order, so the start-up does not grow with the tables.
template <class T>
void scanRange(const QString& key, const QString& table, T& max, T& min) {
    const QString k = db::quoteName(key), t = db::quoteName(table);
    db::Statement q(QStringLiteral("SELECT (SELECT MIN(%1) FROM %2), (SELECT MAX(%1) FROM %2)").arg(k, t));
    if (!q.run() || !q.next()) return;
    for (int i = 0; i < 2; ++i) {
        bool ok = false;
        const qlonglong v = q.value(i).toLongLong(&ok);
        if (!ok) continue;  // an empty table
        if (v > max) max = T(v);
        if (v < min) min = T(v);
    }
}

}  // namespace

void scanSeasonRange() { scanRange(QStringLiteral("シーズンID"), QStringLiteral("シーズン"), Module1::SeasonIdMax, Module1::SeasonIdMin); }

void scanMatchRange() { scanRange(QStringLiteral("試合ID"), QStringLiteral("試合"), Module1::MatchIdMax, Module1::MatchIdMin); }

void loadSettings() {
    using namespace Module1;
    namespace keys = settings::keys;
    load(LastGame, keys::LastGame, CInt);
    // A match holds at most ten games; a store edited by hand to more gets the default four.
    if (LastGame < 0 || LastGame > gamecount::MaxLastGame) LastGame = 3;
    load(HcpRequired, keys::HcpRequired, CByte);
    load(ResultDisplayFlags, keys::ResultDisplayFlags, CByte);
    load(TallyRuleFlags, keys::TallyRuleFlags, CByte);
    load(PointTarget, keys::PointTarget, CByte);
    load(PointMethod, keys::PointMethod, CByte);
    load(SeasonIdMax, keys::SeasonIdMax, CInt);
    load(SeasonIdMin, keys::SeasonIdMin, CInt);
    if (SeasonIdMax == 1) scanSeasonRange();
    load(MatchIdMax, keys::MatchIdMax, CLng);
    load(MatchIdMin, keys::MatchIdMin, CLng);
    if (MatchIdMax == 1) scanMatchRange();

    for (std::size_t k = 1; k <= 10; ++k) MarkTexts[k] = settings::read(keys::MarkTexts[k - 1]);
    for (std::size_t i = 0; i < 8; ++i) HtmlColors[i] = settings::read(keys::HtmlColors[i]);
    for (std::size_t i = 0; i < 3; ++i) {
        PinImageFiles[i] = settings::read(keys::PinImageFiles[i]);
        load(PinColors[i], keys::PinColors[i], CLng);
    }
}

int countGameRows() {
    if (!db::ensureOpen()) return 0;
    // The kept all-time sums count every stored game without reading them all.
    const QVariant kept = db::scalar(QStringLiteral("SELECT TOTAL(\"ゲーム\") FROM \"＿通算\""));
    if (kept.isValid()) return kept.toInt();
    return db::scalar(QStringLiteral("SELECT COUNT(*) FROM \"データ項目\"")).toInt();
}

}  // namespace vx::startup
