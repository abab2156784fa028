// The score book over club histories of 1,000, 115,200 and 1,000,000 stored games: Show for all
// players and for one player, each timed from the click to the grid painted, beside the bare SELECT
// of the same rows read to the end by SQLite's own calls, alternating run by run; the memory the
// window holds after showing all players; a scroll of the whole list to its last row. Run headless
// (QT_QPA_PLATFORM=offscreen is set here).
#include "club_history.h"
#include "app/windows.h"
#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "platform/registry.h"
#include "records/form_score.h"
#include "records/scorebook.h"
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>

namespace {

// The list's rows by the bare query, every value read.
int bare(vxbench::Db& d, const QString& sql, const QVariantList& params) {
    vxbench::Stmt q(d, sql);
    for (const QVariant& v : params) q << sqlite3_int64(v.toLongLong());
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
    vx::Form_Score& f = vx::forms::get<vx::Form_Score>();
    f.Show();
    for (const char* player : {"0", "45"}) {
        const vx::scorebook::Filter filter = vx::scorebook::filterOf({QString::fromLatin1(player), 0, {}, {}});
        const QString sql = vx::scorebook::listSql(filter);
        const QVariantList params = vx::scorebook::listOptions(filter).params;
        f.Txt_Sensyu->setText(QString::fromLatin1(player));
        const vxbench::Alternated a = vxbench::alternate(
            runs,
            [&] {
                f.Cmd_OK_Click(0);
                f.DBG_Score->viewport()->grab();
            },
            [&] { return bare(d, sql, params); });
        const double s = a.shown, b = a.floor;
        const int rows = a.rows;
        std::printf("%9d  %-7s  %7d  %8.2f  %8.2f  %6.3f  %+7.1f\n", games, player[0] == '0' ? "all" : "one", rows, s, b, s / b, a.grown);
        std::fflush(stdout);
        if (f.data_score->recordset().RecordCount() != rows) std::fprintf(stderr, "the list and the bare query differ in rows\n");
    }
    // The whole list, then scrolled to its last row and painted there.
    f.Txt_Sensyu->setText(QStringLiteral("0"));
    std::vector<double> scrolled;
    for (int i = 0; i < std::max(3, runs / 3); ++i) {
        f.Cmd_OK_Click(0);
        f.DBG_Score->viewport()->grab();
        QElapsedTimer t;
        t.start();
        f.DBG_Score->verticalScrollBar()->setValue(f.DBG_Score->verticalScrollBar()->maximum());
        f.DBG_Score->viewport()->grab();
        scrolled.push_back(vxbench::msSince(t));
    }
    std::printf("%9d  scroll to the last row and paint: %.2f ms\n", games, vxbench::median(scrolled));
    f.Hide();
    vx::db::close();
}

}  // namespace

// bench_scorebook [runs at 1,000,000 games]
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir config;
    vxbench::useOwnFolder(config);
    vx::registerAllWindows();
    std::printf("   games  players     rows   show ms  floor ms   ratio  memory MB   (Show: click to grid painted; floor: the bare SELECT of "
                "the same rows read to the end; medians)\n");
    vxbench::atThreeSizes(argc, argv, measure);
    vx::forms::destroyAll();
    return 0;
}
