#include "records/form_siaiseiseki.h"
#include "common/convert.h"
#include "common/database.h"
#include "common/dialogs.h"
#include "platform/boundgrid.h"
#include "platform/controls.h"
#include "platform/datanavigator.h"
#include "platform/datasource.h"
#include "records/matchstats.h"
#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace vx {

Form_siaiSeiseki::Form_siaiSeiseki() {
    setWindowTitle(QStringLiteral("試合単位の統計"));
    setClientSizeTwips(7485, 4380);

    Data_Sensyu = new DataSource(this);
    db::OpenOptions readOnly;
    readOnly.type = db::RecordsetType::Snapshot;
    Data_Sensyu->setOptions(readOnly);
    Data_Sensyu->setRecordSource(QStringLiteral("選手"));
    Nav_Sensyu = place(new DataNavigator(Data_Sensyu, QString(), this), 240, 240, 2535, 330);
    // The box lies over the navigator's caption: it shows the player moved to, and what is typed
    // into it is only a name to filter by, never written to the players.
    Txt_Sensyu = textBox(this, 840, 240, 1335, 330);
    showStart(Txt_Sensyu);
    Txt_Sensyu->raise();
    connect(Data_Sensyu, &DataSource::currentChanged, this, [this] { Txt_Sensyu->setText(Data_Sensyu->text(QStringLiteral("選手名"))); });

    Opt_sort[0] = place(new QRadioButton(QStringLiteral("昇順"), this), 3000, 255, 900, 300);
    Opt_sort[1] = place(new QRadioButton(QStringLiteral("降順"), this), 3900, 255, 900, 300);
    Opt_sort[1]->setChecked(true);
    cmd_back = button(this, QStringLiteral("戻　る (&C)"), 5640, 180, 1740, 420, [this] { cmd_back_Click(); });

    const char* const keys[] = {"上位", "得点", "最高点", "ST計", "ST/G", "SP計", "SP/G"};
    for (int i = 0; i < 7; ++i)
        Cmd_what[std::size_t(i)] = button(this, QString::fromUtf8(keys[i]), 60 + 1060 * i, 640, 1000, 300,
                                          [this, i] { Cmd_what_Click(i); });

    Data_Siai = new DataSource(this);
    DBGrid1 = place(new DBGrid(this), 60, 960, 7395, 3330);
    DBGrid1->setDataSource(Data_Siai);
    DBGrid1->setColumns({QStringLiteral("選手名"), QStringLiteral("試合日"), QStringLiteral("Ｇ数"), QStringLiteral("上位計"),
                         QStringLiteral("得点計"), QStringLiteral("最高点"), QStringLiteral("ST計"), QStringLiteral("ST最大"),
                         QStringLiteral("SP計"), QStringLiteral("SP最大"), QStringLiteral("試合ID")});
    DBGrid1->setCaption(7, QStringLiteral("ST/G"));
    DBGrid1->setCaption(9, QStringLiteral("SP/G"));
    DBGrid1->gridModel()->setColumnFormat(1, ShortDate);
    const int widths[] = {58, 86, 30, 40, 40, 40, 30, 30, 30, 30, 42};
    for (int c = 0; c < 11; ++c) DBGrid1->setColumnWidth(c, widths[c]);
    DBGrid1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    DBGrid1->verticalHeader()->setFixedWidth(14);
    DBGrid1->hide();  // empty until the first sort

    QMenu* file = addMenu(QStringLiteral("ファイル(&F)"));
    menu_off = addEntry(file, QStringLiteral("戻る(&X)"), [this] { cmd_back_Click(); });
    QMenu* edit = addMenu(QStringLiteral("編集(&E)"));
    menu_sort[0] = addEntry(edit, QStringLiteral("昇順で並べる"), [this] { menu_sort_Click(0); });
    menu_sort[1] = addEntry(edit, QStringLiteral("降順で並べる"), [this] { menu_sort_Click(1); });
    for (QAction* a : menu_sort) a->setCheckable(true);
    menu_sort[1]->setChecked(true);
    edit->addSeparator();
    const char* const entries[] = {"上位数で並べ替え実行", "得点計で並び替え実行", "最高点で並び替え実行",
                                    "ストライク合計で並び替え実行", "１ゲームストライク数で並び替え実行",
                                    "スペア合計で並び替え実行", "１ゲームスペア数で並び替え実行"};
    for (int i = 0; i < 7; ++i)
        menu_what[std::size_t(i)] = addEntry(edit, QString::fromUtf8(entries[i]), [this, i] { menu_what_Click(i); });
}

void Form_siaiSeiseki::Form_Load() {
    restorePosition(QStringLiteral("siai_sei"));
    db::ensureOpen();
    Data_Sensyu->Refresh();  // the first row is the reserved "全　員"
}

void Form_siaiSeiseki::Form_Unload(bool&) { savePosition(QStringLiteral("siai_sei")); }

// Every sort reads the query again, so that the list shows what is stored now.
void Form_siaiSeiseki::Cmd_what_Click(int Index) {
    const matchstats::Query q = matchstats::sortedQuery(Index, Opt_sort[1]->isChecked(), Txt_Sensyu->text());
    db::ensureOpen();
    Data_Siai->setRecordSource(q.sql);
    Data_Siai->setOptions(matchstats::listOptions(q));
    if (!Data_Siai->Refresh()) {
        MsgBox(QStringLiteral("統計を読み込めませんでした。"), vbExclamation);
        return;
    }
    DBGrid1->show();
}

// The direction applies from the next sort; the list stays as it is.
void Form_siaiSeiseki::menu_sort_Click(int Index) {
    menu_sort[std::size_t(Index)]->setChecked(true);
    menu_sort[std::size_t(1 - Index)]->setChecked(false);
    Opt_sort[std::size_t(Index)]->setChecked(true);
}

void Form_siaiSeiseki::cmd_back_Click() { Unload(); }

}  // namespace vx
