// The settings table: every yes/no value reads back as it always has, and the first writes spell
// sections and names as the store then keeps them.
#include "common/module1.h"
#include "common/settingskeys.h"
#include "publishing/htmlpage.h"
#include "shell/settei_options.h"
#include "support/exchange_sheet.h"

namespace {
// Each shared variable given a value, and told apart from its state at program start.
template <class T> requires std::is_arithmetic_v<T> void dirty(T& v) { v = 7; }
void dirty(QString& s) { s = "x"; }
void dirty(QVariant& v) { v = 5; }
template <class T, std::size_t N> void dirty(std::array<T, N>& a) { dirty(a[1]); }
template <class T> void dirty(std::vector<T>& v) { v.resize(2); }
template <class T> void dirty(vx::Grid2<T>& g) { g.redim(0, 1, 0, 1); }
template <class T> requires std::is_arithmetic_v<T> bool fresh(const T& v) { return v == 0; }
bool fresh(const QString& s) { return s.isNull(); }
bool fresh(const QVariant& v) { return !v.isValid(); }
template <class T, std::size_t N> bool fresh(const std::array<T, N>& a) { return std::all_of(a.begin(), a.end(), [](const T& x) { return fresh(x); }); }
template <class T> bool fresh(const std::vector<T>& v) { return v.empty(); }
template <class T> bool fresh(const vx::Grid2<T>& g) { return g.empty() && g.lo1() == 0 && g.hi1() == -1 && g.lo2() == 0 && g.hi2() == -1; }
}  // namespace

#define VX_SHARED(F) F(LastGame) F(MarkTexts) F(HcpRequired) F(ResultDisplayFlags) F(TallyRuleFlags) F(PointTarget) F(PointMethod) \
    F(HtmlColors) F(HtmlColorEdits) F(PinImageFiles) F(PinColors) F(SeasonIdMax) F(SeasonIdMin) F(MatchIdMax) F(MatchIdMin)      \
    F(DataRecordCount) F(MatchId) F(SeasonId) F(MatchNo) F(VenueId) F(MatchYear) F(MatchMonth) F(MatchDay) F(LastPlayer)          \
    F(PlayerIds) F(PlayerNames) F(PlayerHcps) F(ScoreSheet) F(ImportSheet) F(CurPlayer) F(CurGame) F(CurBall) F(FocusBall)        \
    F(StatsSheet) F(PlayedSheet) F(GamePlayerCounts) F(PlayedGameCount) F(PlayersWithData) F(HtmlCallerTag) F(HtmlCallerCount)    \
    F(HtmlCallerBookmark) F(AllPlayersFlag) F(ResultsRangeMode) F(DayResults) F(BestHcpScores) F(BestScratchScores) F(TopRank)    \
    F(HighGameRank) F(StrikeRank) F(SpareRank) F(AverageRank) F(DayRank) F(StrikeTotals) F(SpareTotals) F(AverageScores)

class TstSettingsTable : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    void clearStore() {
        QDir(dir_.filePath("Vorlix32")).removeRecursively();
        settings::reload();
    }

private Q_SLOTS:
    void init() {
        qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
        clearStore();
    }

    // Every shared variable goes back to its state at program start, whatever it held.
    void sharedStateResets() {
#define VX_DIRTY(x) dirty(Module1::x);
        VX_SHARED(VX_DIRTY)
        Module1::resetAll();
        QStringList stale;
#define VX_STALE(x) if (!fresh(Module1::x)) stale << #x;
        VX_SHARED(VX_STALE)
        QCOMPARE(stale, QStringList());
    }

    // A fresh store, then each text a user or an earlier version may have left, then what a check
    // writes: the check boxes take the number a text begins with, the score-card choice also takes
    // "True" and writes words, the entry mode and the pin diagram take "1" only.
    void flagsReadAsBefore() {
        using namespace settings::keys;
        const QStringList texts{"True", "False", "0", "1", "-1", "", " 1", "2x", "true "};
        auto readings = [&](const settings::Key& key) {
            clearStore();
            QString out = QString::number(settings::readFlag(key)) + u'|';
            for (const QString& t : texts) {
                settings::SaveSetting(key.section.toString().toUpper(), key.name.toString().toUpper(), t);
                out += QString::number(settings::readFlag(key));
            }
            for (bool on : {true, false}) {
                settings::saveFlag(key, on);
                out += u' ' + settings::GetSetting(key.section.toString(), key.name.toString(), "<none>");
            }
            return key.name.toString() + u' ' + out;
        };
        const QString number = "|000110110 1 0", words = "|100110101 True False", one = "|000100000 1 0";
        std::vector<std::pair<settings::Key, QString>> expected{{SeasonResultsAlways, "0" + number}, {RecordsWithScores, "0" + number},
                                                                {OpenPage, "0" + number},            {ScoreCardsAll, "0" + words},
                                                                {EntryMode, "1" + one},              {ScoreBookPins, "1" + one}};
        for (const settings::Key& k : ScoreSheetColumns) expected.emplace_back(k, "1" + number);
        for (const settings::Key& k : PlayerPageParts) expected.emplace_back(k, "1" + number);
        for (const settings::Key& k : BulletinParts) expected.emplace_back(k, "1" + number);
        for (const settings::Key& k : BulletinResultsPartsKept) expected.emplace_back(k, "0" + number);
        for (const auto& [key, want] : expected) QCOMPARE(readings(key), key.name.toString() + u' ' + want);
    }

    // The settings dialog, the colour window and a window's position on a fresh store, and the
    // browser alone, which spells the shared section in lower case.
    void firstWritesKeepTheirSpelling() {
        settei::GeneralOptions o;
        o.hcpRequired = o.showPrizeBoard = true;
        for (std::size_t i = 0; i < 10; ++i) o.marks[i] = QString::number(i + 1);
        settei::store(o);
        settei::storePins({{"a.jpg", "b.jpg", "c.jpg"}, {1, 2, 3}});
        settei::storeBrowser("b");
        publishing::saveHtmlColors({"1", "2", "3", "4", "5", "6", "7", "8"});
        settings::savePosition("main", settings::Edge::Left, "300");
        settings::savePosition("main", settings::Edge::Top, "25");
        QCOMPARE(vxtest::fileBytes(settings::storePath()),
                 "[Setting]\nmax_game=3\nhcp_mynas=1\ndata_1=1\ndata_2=0\ndata_3=0\ndata_4=0\nSpear_mark1=1\nSpear_mark2=2\n"
                 "Spear_mark3=3\nSpear_mark4=4\nSpear_mark5=5\nSpear_mark6=6\nSpear_mark7=7\nSpear_mark8=8\nSpear_mark9=9\n"
                 "Spear_mark10=10\nbrw=b\n\n"
                 "[pin]\npin1_name=a.jpg\npin2_name=b.jpg\npin3_name=c.jpg\npin1_color=1\npin2_color=2\npin3_color=3\n\n"
                 "[HTML_color]\nback=1\nfore=2\nsyo_back=3\nsyo_fore=4\nave_back=5\nave_fore=6\nall_back=7\nall_fore=8\n\n"
                 "[Form]\nmain_left=300\nmain_top=25\n\n");
        clearStore();
        settei::storeBrowser("b");
        QCOMPARE(vxtest::fileBytes(settings::storePath()), "[setting]\nbrw=b\n\n");
    }
};

QTEST_GUILESS_MAIN(TstSettingsTable)
#include "tst_settingstable.moc"
