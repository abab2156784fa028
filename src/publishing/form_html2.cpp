#include "publishing/form_html2.h"
#include "common/appdir.h"
#include "common/dialogs.h"
#include "common/module1.h"
#include "publishing/resultstable.h"
#include "records/form_seiseki.h"
#include <QLabel>
#include <QLineEdit>

namespace vx {

Form_HTML2::Form_HTML2()
    : HtmlExportDialog({QStringLiteral("HTML形式でシーズン成績を出力します。"), QStringLiteral("html2"), QStringLiteral("25"), QString(),
                        QStringLiteral("取消・戻る (&B)"), QStringLiteral(" やめる　(&X)"), QStringLiteral("色指定 (&C)"),
                        QStringLiteral("ファイル名がおかしいようです。"), 0}) {}

const Form_Seiseki* Form_HTML2::results() {
    const Form_Seiseki* f = forms::loaded<Form_Seiseki>();
    return f && f->isShown() ? f : nullptr;
}

// The proposals follow the range at load; a later change of range changes only the rows.
void Form_HTML2::loadOwn() {
    const Form_Seiseki* r = results();
    const publishing::ResultsProposal p = publishing::resultsProposal(
        Module1::ResultsRangeMode, r ? r->Txt_srs[0]->text() : QString(), r ? r->Lbl_info->text() : QString());
    Txt_jofo[0]->setText(p.title);
    Txt_jofo[1]->setText(p.heading);
    proposeFile(inProgramFolder(p.file));
}

// With the season-results window closed there is no range to publish.
bool Form_HTML2::readyToWrite() {
    if (results()) return true;
    MsgBox(QStringLiteral("シーズン成績が閉じられているため、出力できません。"), vbOKOnly);
    return false;
}

bool Form_HTML2::writePage(const QString& path) {
    const Form_Seiseki& r = *results();
    const results::Query q =
        results::queryOf(Module1::ResultsRangeMode, {r.Txt_srs[0]->text(), r.Txt_Siai[0]->text(), r.Txt_Siai[1]->text()});
    publishing::ResultsTable table;
    table.sql = q.sql;
    table.params = q.params;
    table.setup = pageSetup();
    const publishing::PageResult written = publishing::writeResultsTable(path, table);
    if (written == publishing::PageResult::NoGames) failWith(QStringLiteral("出力する成績がありません。"));
    return written == publishing::PageResult::Written;
}

}  // namespace vx
