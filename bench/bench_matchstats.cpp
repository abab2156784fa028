// The per-match statistics over club histories of 1,000, 115,200 and 1,000,000 stored games, sorted
// by 得点 (descending) for all players and for one, each timed from the click to the grid painted,
// beside the bare SELECT of the same rows read to the end by SQLite's own calls, alternating run by
// run; the memory the window holds after the sort for all players. Run headless.
#include "club_history.h"
#include "app/windows.h"
#include "platform/boundgrid.h"
#include "platform/registry.h"
#include "records/form_siaiseiseki.h"
#include "records/matchstats.h"
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

namespace {

int bare(vxbench::Db& d, const vx::matchstats::Query& query) {
    vxbench::Stmt q(d, query.sql);
    for (const QVariant& v : query.params) q << v.toString();
    int rows = 0;
    while (q.step()) {
        for (int c = 0, n = sqlite3_column_count(q.s); c < n; ++c) sqlite3_column_text(q.s, c);
        ++rows;
    }
    return rows;
}

void measure(int games, int runs) {
    QTemporaryDir home;
    const vxbench::History h = vxbench::clubHistory(games);
    const QString file = vxbench::openCopy(home, h);
    vxbench::Db d(file);
    vx::Form_siaiSeiseki& f = vx::forms::get<vx::Form_siaiSeiseki>();
    f.Show();
    for (const QString& player : {vx::matchstats::allPlayers(), QStringLiteral("会員45")}) {
        f.Txt_Sensyu->setText(player);
        const vx::matchstats::Query query = vx::matchstats::sortedQuery(1, true, player);
        const vxbench::Alternated a = vxbench::alternate(
            runs,
            [&] {
                f.Cmd_what_Click(1);
                f.DBGrid1->viewport()->grab();
            },
            [&] { return bare(d, query); });
        const double s = a.shown, b = a.floor;
        const int rows = a.rows;
        std::printf("%9d  %-7s  %7d  %8.2f  %8.2f  %6.3f  %+7.1f\n", games, player == vx::matchstats::allPlayers() ? "all" : "one", rows, s,
                    b, s / b, a.grown);
        std::fflush(stdout);
    }
    f.Unload();
    vx::db::close();
}

}  // namespace

// bench_matchstats [runs at 1,000,000 games]
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir config;
    vxbench::useOwnFolder(config);
    vx::registerAllWindows();
    std::printf("   games  players     rows   sort ms  floor ms   ratio  memory MB   (sort by 得点: click to grid painted; floor: the bare "
                "SELECT of the same rows read to the end; medians)\n");
    vxbench::atThreeSizes(argc, argv, measure);
    vx::forms::destroyAll();
    return 0;
}
