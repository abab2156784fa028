#include "publishing/form_html_all.h"
#include "common/appdir.h"
#include "common/dialogs.h"
#include "common/module1.h"
#include "common/settingskeys.h"
#include "platform/boundgrid.h"
#include "platform/controls.h"
#include "platform/datasource.h"
#include "publishing/scorecards.h"
#include "records/form_kojin.h"
#include "records/form_score.h"
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace vx {

namespace {

using publishing::CardCaller;
using publishing::ScoreCard;

// The individual records' list: its boxes follow the current record.
class RecordsList : public publishing::CardList {
public:
    explicit RecordsList(Form_Kojin& f) : f_(f) {}
    bool first() override { return f_.data_score->MoveFirst(); }
    bool next() override { return f_.data_score->MoveNext() && f_.data_score->currentRow() >= 0; }
    ScoreCard current() override {
        ScoreCard c;
        c.player = f_.Txt_Sensyu[1]->text();
        c.date = f_.Txt_Siai[0]->text();
        c.game = f_.Txt_Siai[3]->text();
        c.description = f_.Lbl_What->caption();
        for (std::size_t b = 0; b < 21; ++b) c.marks[b] = f_.Txt_MARK[b]->text();
        for (std::size_t s = 0; s < 10; ++s) c.scores[s] = f_.Txt_score[s + 1]->text();
        c.handicap = f_.Txt_score[11]->text();
        c.withHandicap = f_.Txt_score[0]->text();
        return c;
    }

private:
    Form_Kojin& f_;
};

// The score book's list: the cells of the grid's current row as the grid shows them.
class BookList : public publishing::CardList {
public:
    explicit BookList(Form_Score& f) : f_(f) {}
    bool first() override { return f_.data_score->setCurrentRow(0); }
    bool next() override {
        const int row = f_.data_score->currentRow() + 1;
        return row < f_.data_score->recordset().RecordCount() && f_.data_score->setCurrentRow(row);
    }
    ScoreCard current() override {
        auto cell = [this](int column) { return f_.DBG_Score->model()->index(f_.data_score->currentRow(), column).data().toString(); };
        ScoreCard c;
        c.player = cell(0);
        c.date = cell(1);
        c.season = cell(2);
        c.match = cell(3);
        c.game = cell(4);
        c.points = cell(5);
        c.prize = cell(6);
        for (int b = 0; b < 21; ++b) c.marks[std::size_t(b)] = cell(9 + b);
        for (int s = 0; s < 9; ++s) c.scores[std::size_t(s)] = cell(31 + s);
        c.scores[9] = cell(7);
        c.withHandicap = cell(8);
        return c;
    }

private:
    Form_Score& f_;
};

// The caller of the hand-off, when it is still open.
Form* callerWindow(CardCaller caller) {
    Form* f = nullptr;
    if (caller == CardCaller::Records) f = forms::loaded<Form_Kojin>();
    if (caller == CardCaller::ScoreBook) f = forms::loaded<Form_Score>();
    return f && f->isShown() ? f : nullptr;
}

}  // namespace

Form_HTML_ALL::Form_HTML_ALL()
    : HtmlExportDialog({QStringLiteral("HTML形式でデータを出力します"), QStringLiteral("html_all"), QStringLiteral("100"), QString(),
                        QStringLiteral("取消・戻る (&B)"), QStringLiteral("やめる(&X)"), QStringLiteral("色指定 (&C)"),
                        QStringLiteral("ファイル名がおかしいようです。"), 420}) {
    Opt_ALL[0] = place(new QRadioButton(QStringLiteral("表の全てのデータ"), this), 2520, OwnTop, 2500, 300);
    Opt_ALL[1] = place(new QRadioButton(QStringLiteral("表のカーソル行のデータ"), this), 5040, OwnTop, 2640, 300);
    Opt_ALL[1]->setChecked(true);
}

void Form_HTML_ALL::loadOwn() {
    if (settings::readFlag(settings::keys::ScoreCardsAll)) Opt_ALL[0]->setChecked(true);
    if (publishing::cardCallerOf(Module1::HtmlCallerTag) == CardCaller::Other) return;
    setWindowTitle(QStringLiteral("HTML形式でスコアカードを出力します。"));
    Txt_jofo[0]->setText(QStringLiteral("Personal Score"));
    Txt_jofo[1]->setText(QStringLiteral("スコアカード"));
    proposeFile(inProgramFolder(QStringLiteral("p_score.htm")));
}

void Form_HTML_ALL::unloadOwn() {
    settings::saveFlag(settings::keys::ScoreCardsAll, Opt_ALL[0]->isChecked());
}

// The cards are read from the caller's list; with the caller closed there is none to read.
bool Form_HTML_ALL::readyToWrite() {
    const CardCaller caller = publishing::cardCallerOf(Module1::HtmlCallerTag);
    if (caller == CardCaller::Other || callerWindow(caller)) return true;
    MsgBox(caller == CardCaller::ScoreBook ? QStringLiteral("スコアブックが閉じられているため、出力できません。")
                                           : QStringLiteral("個人記録が閉じられているため、出力できません。"),
           vbOKOnly);
    return false;
}

bool Form_HTML_ALL::writePage(const QString& path) {
    publishing::ScoreCardPage page;
    page.caller = publishing::cardCallerOf(Module1::HtmlCallerTag);
    page.allRows = Opt_ALL[0]->isChecked();
    page.count = Module1::HtmlCallerCount;
    page.markTexts = Module1::MarkTexts;
    page.setup = pageSetup();
    if (page.caller == CardCaller::Other) {
        struct NoList : publishing::CardList {
            bool first() override { return false; }
            bool next() override { return false; }
            ScoreCard current() override { return {}; }
        } none;
        return publishing::writeScoreCards(path, page, none) == publishing::PageResult::Written;
    }
    if (page.caller == CardCaller::ScoreBook) {
        BookList list(*forms::loaded<Form_Score>());
        return publishing::writeScoreCards(path, page, list) == publishing::PageResult::Written;
    }
    // The individual records go back to the record they showed, whatever became of the page.
    Form_Kojin& kojin = *forms::loaded<Form_Kojin>();
    RecordsList list(kojin);
    const bool written = publishing::writeScoreCards(path, page, list) == publishing::PageResult::Written;
    const int row = kojin.data_score->recordset().rowOfBookmark(Module1::HtmlCallerBookmark);
    if (row >= 0) kojin.data_score->setCurrentRow(row);
    return written;
}

}  // namespace vx
