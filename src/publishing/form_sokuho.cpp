#include "publishing/form_sokuho.h"
#include "common/appdir.h"
#include "common/convert.h"
#include "common/dialogs.h"
#include "common/module1.h"
#include "common/settingskeys.h"
#include "platform/controls.h"
#include "platform/datasource.h"
#include "records/seasonresults.h"
#include <QAction>
#include <QCheckBox>

namespace vx {

namespace {
namespace keys = settings::keys;
// A box's choice to store.
std::pair<settings::Key, QString> boxValue(std::size_t i, const QCheckBox* box) {
    return {keys::BulletinParts[i], settings::flagText(keys::BulletinParts[i], box->isChecked())};
}
}  // namespace

Form_sokuho::Form_sokuho()
    : HtmlExportDialog({QStringLiteral("HTML形式で試合速報を作成します"), QStringLiteral("sokuho"), QStringLiteral("25"), QString(),
                        QStringLiteral("取消・戻る (&C)"), QStringLiteral("やめる(&X)"), QStringLiteral("色指定 (&C)"),
                        QStringLiteral("最新のvorlixで作成されたデータではないようです。"), 1680, false}) {
    const char* const captions[] = {"試合選択", "シーズン　　試合", "出力項目"};
    const double at[3][2] = {{120, OwnTop}, {120, OwnTop + 300}, {4080, OwnTop}};
    for (int i = 0; i < 3; ++i) Label_op[std::size_t(i)] = label(this, QString::fromUtf8(captions[i]), at[i][0], at[i][1], 2400);
    for (int i = 0; i < 4; ++i) {
        Lbl_Siai[std::size_t(i)] = label(this, QString(), 120 + 960 * i, OwnTop + 600, 840);
        Lbl_Siai[std::size_t(i)]->setFrameShape(QFrame::Panel);
        Lbl_Siai[std::size_t(i)]->setFrameShadow(QFrame::Sunken);
    }
    const char* const moves[] = {"|<", "《", "<", ">", "》", ">|"};
    for (int i = 0; i < 6; ++i)
        cmd_mov[std::size_t(i)] = button(this, QString::fromUtf8(moves[i]), 120 + 600 * i, OwnTop + 960, 540, 300, [this, i] { cmd_mov_Click(i); });
    cmd_siaiOK = button(this, QStringLiteral("試合選択ＯＫ"), 120, OwnTop + 1320, 3540, 360, [this] { cmd_siaiOK_Click(); });
    const char* const boxes[] = {"順位発表", "達成された記録", "スコアシート", "シーズン成績", "通算成績", "スコアブック"};
    for (int i = 0; i < 6; ++i)
        Chk_op[std::size_t(i)] = place(new QCheckBox(QString::fromUtf8(boxes[i]), this), 4080 + 1800 * (i % 2),
                                       OwnTop + 330 + 420 * (i / 2), 1740, 300);

    db::OpenOptions readOnly;
    readOnly.type = db::RecordsetType::Snapshot;
    Data_Siai = new DataSource(this);
    Data_Siai->setOptions(readOnly);
    Data_Siai->setRecordSource(QStringLiteral("試合"));
    connect(Data_Siai, &DataSource::currentChanged, this, [this] {
        Lbl_Siai[0]->setText(Data_Siai->text(QStringLiteral("シーズンID")));
        Lbl_Siai[1]->setText(Data_Siai->text(QStringLiteral("試合")));
        Lbl_Siai[2]->setText(Data_Siai->text(QStringLiteral("試合ID")));
    });
}

void Form_sokuho::loadOwn() {
    for (std::size_t i = 0; i < 6; ++i) Chk_op[i]->setChecked(settings::readFlag(keys::BulletinParts[i]));
    Cmd_OK->setEnabled(false);
    menu_ok->setEnabled(false);
    Data_Siai->Refresh();
    cmd_siaiOK->setEnabled(Data_Siai->recordset().RecordCount() > 0);
}

// Every return to the dialog shows the last match again; the accepted one stays accepted.
void Form_sokuho::Form_Activate() { cmd_mov_Click(5); }

// The two boxes that copy the results file, as stored; they stay off while the accepted match has no file.
void Form_sokuho::restoreResultsBoxes() {
    const bool usable = !accepted_ || accepted_->hasResults;
    for (int i = 0; i < 2; ++i) {
        Chk_op[std::size_t(i)]->setEnabled(usable);
        Chk_op[std::size_t(i)]->setChecked(usable && settings::readFlag(keys::BulletinResultsPartsKept[std::size_t(i)]));
    }
}

// Moves by the row's place in the list: first, back ten, previous, next, forward ten, last.
void Form_sokuho::cmd_mov_Click(int Index) {
    restoreResultsBoxes();
    const int n = Data_Siai->currentRow(), last = Data_Siai->recordset().RecordCount() - 1;
    if (n < 0) return;
    const int to[] = {0, std::max(n - 10, 0), n - 1, n + 1, std::min(n + 10, last), last};
    if (to[Index] >= 0 && to[Index] <= last) Data_Siai->setCurrentRow(to[Index]);
}

void Form_sokuho::cmd_siaiOK_Click() {
    if (Data_Siai->currentRow() < 0) return;
    const QString folder = programFolder();
    const std::optional<publishing::BulletinMatch> m =
        publishing::acceptMatch(Lbl_Siai[0]->text(), Lbl_Siai[1]->text(), Data_Siai->value(QStringLiteral("試合ID")), folder);
    if (!m) return;
    const bool wereOff = !Chk_op[0]->isEnabled();
    accepted_ = m;
    if (!m->hasResults) {
        MsgBox(QStringLiteral("この試合の速報用データがありません。\r[順位発表]と[達成された記録]は出力できません"), vbExclamation | vbOKOnly);
        // Keeps the user's choice: boxes already switched off for another match are not stored again.
        if (!wereOff)
            settings::save({boxValue(0, Chk_op[0]), boxValue(1, Chk_op[1])});
        for (int i = 0; i < 2; ++i) {
            Chk_op[std::size_t(i)]->setChecked(false);
            Chk_op[std::size_t(i)]->setEnabled(false);
        }
    } else if (wereOff) {
        restoreResultsBoxes();
    }
    Cmd_OK->setEnabled(true);
    menu_ok->setEnabled(true);
    proposeFile(publishing::bulletinFile(folder, *m));
    Lbl_Siai[3]->setText(QString::number(m->firstMatchId));
    Txt_jofo[0]->setText(publishing::bulletinTitle(*m));
    Txt_jofo[1]->setText(publishing::bulletinHeading(*m));
}

void Form_sokuho::unloadOwn() {
    // Boxes switched off for a match without results file leave the stored choice as it was.
    if (!Chk_op[0]->isEnabled())
        for (std::size_t i = 0; i < 2; ++i) Chk_op[i]->setChecked(settings::readFlag(keys::BulletinResultsPartsKept[i]));
    std::vector<std::pair<settings::Key, QString>> values;
    for (std::size_t i = 0; i < 6; ++i) values.push_back(boxValue(i, Chk_op[i]));
    settings::save(values);
}

bool Form_sokuho::readyToWrite() { return accepted_.has_value(); }

bool Form_sokuho::writePage(const QString& path) {
    publishing::Bulletin b;
    b.match = *accepted_;
    for (std::size_t i = 0; i < 6; ++i) b.sections[i] = Chk_op[i]->isChecked();
    const results::Query season = results::upToMatchQuery(b.match.firstMatchId, b.match.matchId, Val(b.match.season));
    const results::Query allTime = results::upToMatchQuery(1, b.match.matchId);
    b.season = {season.sql, season.params};
    b.allTime = {allTime.sql, allTime.params};
    b.markTexts = Module1::MarkTexts;
    b.folder = programFolder();
    b.setup = pageSetup();
    return publishing::writeBulletin(path, b) == publishing::PageResult::Written;
}

}  // namespace vx
