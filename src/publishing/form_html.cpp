#include "publishing/form_html.h"
#include "common/appdir.h"
#include "common/convert.h"
#include "common/dialogs.h"
#include "common/module1.h"
#include "common/settingskeys.h"
#include "platform/controls.h"
#include "records/form_score.h"
#include <QCheckBox>
#include <QRadioButton>

namespace vx {

Form_HTML::Form_HTML()
    : HtmlExportDialog({QStringLiteral("HTML形式でスコアを出力します。"), QStringLiteral("html"), QStringLiteral("25"),
                        QStringLiteral("score.htm"), QStringLiteral("戻　る (&B)"), QStringLiteral("やめる(&X)"),
                        QStringLiteral("色指定 (&C)"), QStringLiteral("ファイル名がおかしいようです。"), 1080}) {
    Label_op = label(this, QStringLiteral("　出力項目"), 120, OwnTop + 30, 2400);
    const char* const captions[] = {"選手名", "シーズン番号", "ステージ番号", "ゲーム番号", "優勝Ｐ・入賞名", "得点・競技点", "マーク"};
    for (int i = 0; i < 7; ++i)
        Chk_op[std::size_t(i)] = place(new QCheckBox(QString::fromUtf8(captions[i]), this), 2520 + 1740 * (i % 3),
                                       OwnTop + 360 * (i / 3), 1700, 300);
}

std::optional<publishing::ScoreBookChoice> Form_HTML::bookChoice() {
    const Form_Score* book = forms::loaded<Form_Score>();
    if (!book || !book->isShown()) return std::nullopt;
    publishing::ScoreBookChoice c;
    c.player = book->Txt_Sensyu->text();
    c.onePlayer = book->Opt_score[1]->isChecked();
    c.playerName = book->txt_sen_name->text();
    c.games = book->Opt_Siai[1]->isChecked() ? 1 : book->Opt_Siai[2]->isChecked() ? 2 : 0;
    c.season = book->Txt_Siai[0]->text();
    c.match = book->Txt_Siai[1]->text();
    c.seasonName = book->Lbl_Siai[0]->text();
    c.matchDate = book->Lbl_Siai[1]->text();
    c.matchSeason = book->Lbl_Siai[2]->text();
    c.matchNumber = book->Lbl_Siai[3]->text();
    return c;
}

void Form_HTML::loadOwn() {
    for (std::size_t i = 0; i < 7; ++i) Chk_op[i]->setChecked(settings::readFlag(settings::keys::ScoreSheetColumns[i]));
    Txt_jofo[0]->setText(QStringLiteral("Score Sheet"));
    Txt_jofo[1]->setText(publishing::proposedHeading(bookChoice().value_or(publishing::ScoreBookChoice{})));
}

void Form_HTML::unloadOwn() {
    std::vector<std::pair<settings::Key, QString>> values;
    for (std::size_t i = 0; i < 7; ++i) {
        const settings::Key& key = settings::keys::ScoreSheetColumns[i];
        values.emplace_back(key, settings::flagText(key, Chk_op[i]->isChecked()));
    }
    settings::save(values);
}

// The page shows the score book's choice; with the score book closed there is none to show.
bool Form_HTML::readyToWrite() {
    if (bookChoice()) return true;
    MsgBox(QStringLiteral("スコアブックが閉じられているため、出力できません。"), vbOKOnly);
    return false;
}

bool Form_HTML::writePage(const QString& path) {
    publishing::ScoreSheet sheet;
    sheet.choice = *bookChoice();
    for (std::size_t i = 0; i < 7; ++i) sheet.columns[i] = Chk_op[i]->isChecked();
    sheet.markTexts = Module1::MarkTexts;
    sheet.folder = programFolder();
    sheet.setup = pageSetup();
    return publishing::writeScoreSheet(path, sheet) == publishing::PageResult::Written;
}

}  // namespace vx
