#include "records/form_edit.h"
#include "common/convert.h"
#include "common/database.h"
#include "common/dialogs.h"
#include "common/module1.h"
#include "common/records.h"
#include "platform/boundgrid.h"
#include "platform/controls.h"
#include "platform/datanavigator.h"
#include "platform/datasource.h"
#include "platform/registry.h"
#include "records/recordedit.h"
#include "records/scorebook.h"
#include <QAction>
#include <QHeaderView>
#include <QRadioButton>

namespace vx {

namespace {

const QString DateRefused = QStringLiteral("日付を入力してください。");
const QString NoData = QStringLiteral("不正なデータorデータがありません");
const QString NotStored = QStringLiteral("入力した値を記録できませんでした。");

QString refusalText(recordedit::Refusal r) {
    using recordedit::Refusal;
    switch (r) {
    case Refusal::GameNumber: return QStringLiteral("ゲームは１から１０までの整数で入力してください。");
    case Refusal::PlayerId: return QStringLiteral("選手IDは１から３２７６７までの整数で入力してください。");
    case Refusal::NotANumber: return QStringLiteral("数値を入力してください。");
    case Refusal::TooLarge: return QStringLiteral("入力した数値が大きすぎます。");
    case Refusal::None: break;
    }
    return {};
}

QLabel* caption(QWidget* parent, const char* text, double left, double top, double width) {
    QLabel* l = label(parent, QString::fromUtf8(text), left, top, width, 240);
    l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return l;
}

}  // namespace

Form_edit::Form_edit() {
    using namespace recordedit;
    setWindowTitle(QStringLiteral("データの編集"));
    setClientSizeTwips(9360, 5520);
    db::OpenOptions readOnly;
    readOnly.type = db::RecordsetType::Snapshot;

    // The match.
    QGroupBox* matchFrame = frame(this, QStringLiteral("対象となる試合"), 60, 0, 3600, 1020);
    Opt_Siai[2] = place(new QRadioButton(QStringLiteral("試合指定 "), matchFrame), 90, 240, 1200, 270);
    Opt_Siai[2]->setChecked(true);
    Data_Siai = new DataSource(this);
    Data_Siai->setOptions(readOnly);
    Data_Siai->setRecordSource(QStringLiteral("試合"));
    Nav_Siai = place(new DataNavigator(Data_Siai, QString(), matchFrame), 1320, 225, 2190, 300);
    Txt_Siai[1] = textBox(matchFrame, 90, 600, 660, 300);
    Lbl_Siai[1] = label(matchFrame, QString(), 810, 615, 1140, 270);
    Lbl_Siai[2] = label(matchFrame, QString(), 1860, 615, 360, 270);
    Lbl_Siai[2]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label11 = label(matchFrame, QStringLiteral("期 第　　　試合"), 2250, 615, 1320, 270);
    Lbl_Siai[3] = label(matchFrame, QString(), 2670, 615, 540, 270);
    Lbl_Siai[3]->setAlignment(Qt::AlignCenter);
    connect(Data_Siai, &DataSource::currentChanged, this, [this] {
        Txt_Siai[1]->setText(Data_Siai->text(QStringLiteral("試合ID")));
        Lbl_Siai[1]->setText(ShortDate(Data_Siai->value(QStringLiteral("試合日"))));
        Lbl_Siai[2]->setText(Data_Siai->text(QStringLiteral("シーズンID")));
        Lbl_Siai[3]->setText(Data_Siai->text(QStringLiteral("試合")));
    });
    connect(Nav_Siai, &DataNavigator::aboutToMove, this, [this] { Data_Siai_Validate(); });
    connect(Opt_Siai[2], &QRadioButton::clicked, this, [this] { Opt_Siai_Click(2); });

    // The player.
    QGroupBox* playerFrame = frame(this, QStringLiteral("対象となる選手"), 3720, 0, 3360, 1560);
    Opt_score[0] = place(new QRadioButton(QStringLiteral("全体"), playerFrame), 90, 240, 780, 270);
    Opt_score[1] = place(new QRadioButton(QStringLiteral("個人"), playerFrame), 90, 540, 780, 270);
    Opt_score[1]->setChecked(true);
    Txt_Sensyu = textBox(playerFrame, 90, 900, 720, 300);
    Data_Sensyu = new DataSource(this);
    Data_Sensyu->setOptions(readOnly);
    Data_Sensyu->setRecordSource(QStringLiteral("選手"));
    DBG_Sensyu = place(new DBGrid(playerFrame), 900, 210, 2370, 1290);
    DBG_Sensyu->setDataSource(Data_Sensyu);
    DBG_Sensyu->setColumns({QStringLiteral("選手ID"), QStringLiteral("選手名")});
    DBG_Sensyu->setCaption(0, QStringLiteral("ID"));
    DBG_Sensyu->setColumnWidth(0, 34);
    DBG_Sensyu->setColumnWidth(1, 90);
    DBG_Sensyu->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 3);
    DBG_Sensyu->verticalHeader()->setFixedWidth(12);
    connect(Data_Sensyu, &DataSource::currentChanged, this,
            [this] { Txt_Sensyu->setText(Data_Sensyu->text(QStringLiteral("選手ID"))); });
    connect(DBG_Sensyu, &QAbstractItemView::clicked, this, [this] { DBG_Sensyu_Click(); });
    for (int i = 0; i < 2; ++i) connect(Opt_score[std::size_t(i)], &QRadioButton::clicked, this, [this, i] { Opt_score_Click(i); });

    // The buttons.
    Cmd_OK = button(this, QStringLiteral("条件ＯＫ (&O)"), 7200, 60, 2040, 540, [this] { Cmd_OK_Click(); });
    Cmd_OK->setEnabled(false);
    cmd_editGO = button(this, QStringLiteral("変更を保存する"), 7200, 660, 2040, 330, [this] { cmd_editGO_Click(); });
    cmd_delete = button(this, QStringLiteral("削　除 (&D)"), 7200, 1020, 2040, 330, [this] { cmd_delete_Click(); });
    cmd_delete->setEnabled(false);
    Cmd_End = button(this, QStringLiteral("終　了 (&C)"), 7200, 1380, 2040, 330, [this] { Cmd_End_Click(); });
    menu_close = addMenuCommand(QStringLiteral("戻る(&X)"), [this] { Cmd_End_Click(); });

    // The games loaded: each box shows its field of the current game, and what is typed into it
    // goes back to that field when the game is left or saved.
    Data_mark = new DataSource(this);
    Data_mark->setFieldRule(QStringLiteral("試合日"), TypedDate, DateRefused);
    Nav_mark = place(new DataNavigator(Data_mark, QStringLiteral("変更"), this), 60, 1140, 3600, 330);
    Nav_mark->hide();
    Nav_mark->setEnabled(false);
    QList<QLineEdit*> boxes;
    auto bound = [this, &boxes](QWidget* parent, const QString& field, double left, double top, double width) {
        QLineEdit* e = textBox(parent, left, top, width, 300);
        Data_mark->bindLineEdit(e, field, field == QStringLiteral("試合日") ? std::function<QString(const QVariant&)>(ShortDate) : nullptr);
        boxes << e;
        boxOf_.insert(field, e);
        if (isWholeField(field))
            Data_mark->setFieldRule(field, [field](const QString& text, QString* why) -> std::optional<QVariant> {
                const Typed t = typedNumber(field, text);
                if (t.refusal == Refusal::None) return t.value;
                *why = refusalText(t.refusal);
                return std::nullopt;
            });
        return e;
    };
    caption(this, "ID", 60, 1560, 600);
    txt_ID = bound(this, QStringLiteral("ID"), 60, 1800, 600);
    txt_ID->setReadOnly(true);  // the counter is the engine's
    caption(this, "試合ID", 720, 1560, 1200);
    Txt_siaiID[0] = bound(this, field::MarkMatch, 720, 1800, 580);
    Txt_siaiID[1] = bound(this, field::GameMatch, 1320, 1800, 580);
    caption(this, "ゲーム", 1980, 1560, 900);
    Txt_game[0] = bound(this, field::MarkGameNo, 1980, 1800, 420);
    Txt_game[1] = bound(this, field::GameNo, 2420, 1800, 420);
    caption(this, "選手ID", 2940, 1560, 900);
    Txt_sensyuID[0] = bound(this, field::GamePlayer, 2940, 1800, 480);
    Txt_sensyuID[1] = bound(this, field::MarkPlayer, 3440, 1800, 480);
    caption(this, "選手名", 4020, 1560, 1500);
    Txt_Sensyumei = bound(this, QStringLiteral("選手名"), 4020, 1800, 1500);
    caption(this, "入賞", 5580, 1560, 900);
    txt_nyusyo = bound(this, QStringLiteral("入賞"), 5580, 1800, 900);

    caption(this, "シーズン", 60, 2160, 1500);
    Txt_srsmei = bound(this, QStringLiteral("シーズン名"), 60, 2400, 1980);
    caption(this, "試合日", 2100, 2160, 1200);
    Txt_siaimei = bound(this, QStringLiteral("試合日"), 2100, 2400, 1200);
    caption(this, "会場", 3360, 2160, 1200);
    txt_KaijoID = bound(this, QStringLiteral("会場ID"), 3360, 2400, 420);
    txt_Kaijo = bound(this, QStringLiteral("会場名"), 3800, 2400, 1720);

    const char* const dayCaptions[DayFieldCount] = {"優Ｐ", "上位", "ST", "SP", "SPF", "ｽﾌﾟﾘｯﾄ", "個人当日最高", "人数", "順位"};
    const double dayLeft[DayFieldCount] = {60, 660, 1260, 1860, 2460, 3060, 3660, 4860, 5460};
    for (int i = 0; i < DayFieldCount; ++i) {
        caption(this, dayCaptions[i], dayLeft[i], 2760, i == 6 ? 1180 : 580);
        Txt_etc[std::size_t(i)] = bound(this, dayField(i), dayLeft[i], 3000, 540);
        connect(Txt_etc[std::size_t(i)], &QLineEdit::textEdited, this, [this, i] { Txt_etc_Change(i); });
    }

    // The marks and scores, frame by frame.
    QGroupBox* scoreFrame = frame(this, QStringLiteral("スコア"), 60, 3420, 9240, 2040);
    const double frameLeft = 90, frameWidth = 600;
    for (int f = 1; f <= 10; ++f) {
        QLabel* n = label(scoreFrame, QString::number(f), frameLeft + frameWidth * (f - 1), 210, f == 10 ? 900 : frameWidth, 240);
        n->setAlignment(Qt::AlignCenter);
    }
    const QStringList marks = ballColumns(QStringLiteral("M")), scores = frameColumns(9);
    for (int k = 0; k <= 20; ++k) {
        const int f = k < 18 ? k / 2 : 9;
        const double left = frameLeft + frameWidth * f + 300 * (k < 18 ? k % 2 : k - 18);
        Txt_MARK[std::size_t(k)] = bound(scoreFrame, marks[k], left, 450, 300);
    }
    for (int f = 1; f <= 9; ++f)
        Txt_score[std::size_t(f)] = bound(scoreFrame, scores[f - 1], frameLeft + frameWidth * (f - 1), 780, frameWidth);
    Txt_score[10] = bound(scoreFrame, field::MarkScore, frameLeft + frameWidth * 9, 780, 900);
    caption(scoreFrame, "素点", 6600, 210, 600);
    Txt_score10 = bound(scoreFrame, field::GameScore, 6600, 450, 600);
    caption(scoreFrame, "HDCP", 7260, 210, 600);
    Txt_score[11] = bound(scoreFrame, QStringLiteral("HCP"), 7260, 450, 600);
    caption(scoreFrame, "競技点", 7920, 210, 900);
    Txt_score[0] = bound(scoreFrame, QStringLiteral("競技点"), 7920, 450, 900);
    for (int i = 0; i < 12; ++i)
        connect(Txt_score[std::size_t(i)], &QLineEdit::textEdited, this, [this, i] { Txt_score_Change(i); });
    Command1 = button(scoreFrame, QStringLiteral("スコア自動計算（いずれ）"), 6600, 1260, 2550, 420, {});

    // A refusal of a field that follows its twin is corrected in the twin's box.
    boxOf_.insert(field::GameNo, Txt_game[0]);
    boxOf_.insert(field::GameMatch, Txt_siaiID[0]);
    boxOf_.insert(field::MarkPlayer, Txt_sensyuID[0]);
    boxOf_.insert(field::GameScore, Txt_score[10]);

    connect(Txt_game[0], &QLineEdit::textEdited, this, [this] { copyTwin(Txt_game, field::GameNo); });
    connect(Txt_game[1], &QLineEdit::textEdited, this, [this] { copyTwin(Txt_game, field::GameNo); });
    connect(Txt_siaiID[0], &QLineEdit::textEdited, this, [this] { copyTwin(Txt_siaiID, field::GameMatch); });
    connect(Txt_siaiID[1], &QLineEdit::textEdited, this, [this] { copyTwin(Txt_siaiID, field::GameMatch); });
    connect(Txt_sensyuID[0], &QLineEdit::textEdited, this, [this] { copyTwin(Txt_sensyuID, field::MarkPlayer); });
    connect(Txt_sensyuID[1], &QLineEdit::textEdited, this, [this] { copyTwin(Txt_sensyuID, field::MarkPlayer); });

    // Nothing to edit until a game is shown.
    connect(Data_mark, &DataSource::currentChanged, this, [this, boxes](int row) {
        for (QLineEdit* e : boxes)
            if (e != txt_ID) e->setReadOnly(row < 0);
        if (row >= 0) Data_mark_Reposition();
    });
    for (QLineEdit* e : boxes) e->setReadOnly(true);
    // A typed value refused is shown with its own message and corrected where it was typed.
    connect(Data_mark, &DataSource::error, this, [this](const QString& why) {
        if (quiet_) return;
        QLineEdit* box = boxOf_.value(Data_mark->refusedField());
        MsgBox(box ? why : db::isInUse(why) ? db::inUseMessage() : NotStored, vbExclamation);
        if (box) giveFocus(box);
    });
}

void Form_edit::Form_Load() {
    restorePosition(QStringLiteral("edit"));
    db::ensureOpen();
    Data_Siai->Refresh();
    Data_Sensyu->Refresh();
}

void Form_edit::Form_QueryUnload(bool& cancel, int unloadMode) {
    // The game shown keeps what was typed into it, as when it is left; only the user's own closing
    // waits for a refused entry to be corrected.
    if (!storePending() && unloadMode == vbFormControlMenu) cancel = true;
}

void Form_edit::Form_Unload(bool&) { savePosition(QStringLiteral("edit")); }

bool Form_edit::storePending() {
    if (!Data_mark->isEditing()) return true;
    if (Data_mark->UpdateRecord()) return true;
    return false;
}

void Form_edit::Cmd_End_Click() {
    if (!storePending()) return;
    Unload();
}

void Form_edit::Opt_score_Click(int Index) {
    if (Index == 0) Txt_Sensyu->setText(QStringLiteral("0"));
    else DBG_Sensyu->show();
}

void Form_edit::Opt_Siai_Click(int) {
    for (QWidget* w : std::initializer_list<QWidget*>{Nav_Siai, Txt_Siai[1], Lbl_Siai[1], Lbl_Siai[2], Lbl_Siai[3], Label11}) w->show();
}

void Form_edit::DBG_Sensyu_Click() {
    Txt_Sensyu->setText(Data_Sensyu->text(QStringLiteral("選手ID")));
    Cmd_OK->setText(QStringLiteral("条件ＯＫ"));
}

void Form_edit::Data_Siai_Validate() {
    Cmd_OK->setText(QStringLiteral("条件ＯＫ"));
    Cmd_OK->setEnabled(true);
    Nav_mark->setEnabled(true);
}

void Form_edit::Data_mark_Reposition() { Cmd_OK->setText(QStringLiteral("このスコアの\n変更取り消し")); }

// Loads the games of the match and player shown now; what was typed into the game shown is dropped.
void Form_edit::Cmd_OK_Click() {
    Data_mark->CancelUpdate();
    loadSelection();
}

void Form_edit::loadSelection() {
    forms::showWaiting();
    const auto matchId = std::int64_t(Val(Txt_Siai[1]->text()));
    const auto playerId = std::int64_t(Val(Txt_Sensyu->text()));
    const recordedit::Selection s = recordedit::selection(matchId, playerId);
    Nav_mark->show();
    Data_mark->setRecordSource(s.sql);
    Data_mark->setOptions(s.options);
    quiet_ = true;  // a selection that cannot be read shows nothing, without a message
    const bool ok = Data_mark->Refresh();
    quiet_ = false;
    forms::hideWaiting();
    if (!ok || Data_mark->currentRow() < 0) return;
    Cmd_OK->setText(QStringLiteral("変更取り消し"));
    cmd_delete->setEnabled(true);
}

// Stores what was typed into the game shown, then reads the games again from the first.
void Form_edit::cmd_editGO_Click() {
    if (Data_mark->RecordSource().isEmpty() || !storePending()) return;
    Data_mark->Refresh();
}

void Form_edit::cmd_delete_Click() {
    if (MsgBox(QStringLiteral("表示中のデータを削除します。よろしいですか？"), vbOKCancel | vbExclamation) != vbOK) return;
    const int row = Data_mark->currentRow();
    if (row < 0) {
        MsgBox(NoData);
        return;
    }
    Data_mark->CancelUpdate();
    const scorebook::Deletion done = scorebook::deleteGames({Data_mark->value(QStringLiteral("ID"))});
    Module1::DataRecordCount -= done.deleted;
    if (!done.error.isEmpty() || done.deleted == 0) {
        MsgBox(db::isInUse(done.error) ? db::inUseMessage() : NoData);
        return;
    }
    // The game that followed is shown, or the new last one.
    Data_mark->Refresh();
    const int count = Data_mark->recordset().RecordCount();
    if (count > 0) Data_mark->setCurrentRow(std::min(row, count - 1));
}

void Form_edit::Txt_etc_Change(int Index) {
    QLineEdit* box = Txt_etc[std::size_t(Index)];
    const QString limited = recordedit::limitDayField(Index, box->text());
    if (limited != box->text()) box->setText(limited);
}

void Form_edit::Txt_score_Change(int Index) {
    if (recordedit::scoreOutOfRange(Txt_score[std::size_t(Index)]->text())) Beep();
    if (Txt_score10->text() != Txt_score[10]->text()) {
        Txt_score10->setText(Txt_score[10]->text());
        Data_mark->setValue(recordedit::field::GameScore, Txt_score[10]->text());
    }
}

// The second box of a pair follows the first, whichever of them was typed into.
void Form_edit::copyTwin(const std::array<QLineEdit*, 2>& pair, const QString& twinField) {
    if (pair[1]->text() == pair[0]->text()) return;
    pair[1]->setText(pair[0]->text());
    Data_mark->setValue(twinField, pair[0]->text());
}

}  // namespace vx
