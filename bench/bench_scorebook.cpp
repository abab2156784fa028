// The score book over a club's twenty years (about 115,000 stored games): Show for all players and
// for one player, each beside the bare SELECT of the same rows read to the end, and a scroll of the
// whole list to its last row. Run headless (QT_QPA_PLATFORM=offscreen is set here).
#include "club_history.h"
#include "app/windows.h"
#include "common/database.h"
#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "platform/registry.h"
#include "records/form_score.h"
#include "records/scorebook.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

struct Club {
    QTemporaryDir home, config;
    vxbench::History history;
    Club() {
        qputenv("VORLIX_HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        QDir::setCurrent(home.path());
        const QString path = home.filePath(QStringLiteral("Vorlix.mdb"));
        history = vxbench::clubHistory(115200);  // the club's twenty years, written once and kept
        QFile::copy(history.file, path);
        vx::db::open(path);
        vx::registerAllWindows();
    }
};

Club& club() {
    static Club c;
    return c;
}

// The player box as the choice leaves it: "0" for all players.
const char* const Player[2] = {"0", "45"};

// Show as the button does it, and the grid's first paint, which reads the rows it shows.
void BM_Show(benchmark::State& state) {
    club();
    vx::Form_Score& f = vx::forms::get<vx::Form_Score>();
    f.Show();
    f.Txt_Sensyu->setText(QString::fromLatin1(Player[state.range(0)]));
    for (auto _ : state) {
        f.Cmd_OK_Click(0);
        f.DBG_Score->viewport()->grab();
    }
    state.counters["games"] = f.data_score->recordset().RecordCount();
}
BENCHMARK(BM_Show)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same rows by the bare query, read to the end.
void BM_BareSelect(benchmark::State& state) {
    club();
    const vx::scorebook::Filter filter = vx::scorebook::filterOf({QString::fromLatin1(Player[state.range(0)]), 0, {}, {}});
    const QString sql = vx::scorebook::listSql(filter);
    const QVariantList params = vx::scorebook::listOptions(filter).params;
    int rows = 0;
    for (auto _ : state) {
        vx::db::Statement q(sql);
        q.run(params);
        rows = 0;
        while (q.next()) ++rows;
        benchmark::DoNotOptimize(rows);
    }
    state.counters["games"] = rows;
}
BENCHMARK(BM_BareSelect)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The whole list shown, then the grid scrolled to its last row and painted there.
void BM_ScrollToEnd(benchmark::State& state) {
    club();
    vx::Form_Score& f = vx::forms::get<vx::Form_Score>();
    f.Show();
    f.Txt_Sensyu->setText(QStringLiteral("0"));
    for (auto _ : state) {
        state.PauseTiming();
        f.Cmd_OK_Click(0);
        f.DBG_Score->viewport()->grab();
        state.ResumeTiming();
        f.DBG_Score->verticalScrollBar()->setValue(f.DBG_Score->verticalScrollBar()->maximum());
        f.DBG_Score->viewport()->grab();
    }
}
BENCHMARK(BM_ScrollToEnd)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    vx::forms::destroyAll();
    return 0;
}
