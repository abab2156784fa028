#include "shell/form_hdcp.h"
#include "platform/controls.h"
#include "common/convert.h"
#include "common/dialogs.h"
#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "shell/form_newplayer.h"
#include "shell/form_srs.h"
#include "shell/masterdata.h"
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <cstdint>

namespace vx {

namespace {
// Column widths in twips; the three ▼ marks stand over the columns a new handicap needs.
constexpr double ColumnWidths[] = {600, 780, 1500, 900, 1800, 900};
constexpr int MarkedColumns[] = {1, 3, 5};
const double GridLeft = 120, GridTop = 780;
const QString IdError = QStringLiteral("入力した選手IDに誤りがあります");
const QString HandicapError = QStringLiteral("ハンデは－３２７６８から３２７６７までの整数で入力してください");

// Typed text of a whole-number column: a whole number in lo..hi, or nothing (a cleared cell).
DataSource::FieldRule wholeNumber(std::int64_t lo, std::int64_t hi) {
    return [lo, hi](const QString& text) -> std::optional<QVariant> {
        if (text.trimmed().isEmpty()) return QVariant();
        if (const auto v = wholeInRange(text, lo, hi)) return QVariant(qlonglong(*v));
        return std::nullopt;
    };
}

}  // namespace

form_HDCP::form_HDCP() : GridEditor(QStringLiteral("hdcp")) {
    setWindowTitle(QStringLiteral("シーズン名・選手名・ハンデキャップの追加・変更"));
    setClientSizeTwips(9240, 6480);

    label(this, QStringLiteral("新たにハンデを登録する場合は、▼ マークの下　（シリーズIDと選手ID、ハンデ）のみ入力ください。"),
          120, 120, 9000);

    Data_HDCP = new DataSource(this);
    Data_HDCP->setRecordSource(QStringLiteral("選手名とHDCP"), QStringLiteral("ID"));
    DBG_hdcp = new DBGrid(this);
    double gridWidth = 0;
    for (double w : ColumnWidths) gridWidth += w;
    DBG_hdcp->setGeometry(twips(GridLeft), twips(GridTop), twips(gridWidth) + 2 * DBG_hdcp->frameWidth() + 18,
                          twips(3720));
    DBG_hdcp->verticalHeader()->hide();
    connect(Data_HDCP, &DataSource::error, this, [this](const QString& e) { DBG_hdcp_Error(e); });
    // Whole numbers as the program keeps them: player IDs and handicaps in 16 bits.
    Data_HDCP->setFieldRule(QStringLiteral("シーズンID"), wholeNumber(1, INT32_MAX), IdError);
    Data_HDCP->setFieldRule(QStringLiteral("選手ID"), wholeNumber(1, INT16_MAX), IdError);
    Data_HDCP->setFieldRule(QStringLiteral("ハンデ"), wholeNumber(INT16_MIN, INT16_MAX), HandicapError);

    double x = GridLeft;
    for (int c = 0, k = 0; c < 6; ++c) {
        if (k < 3 && MarkedColumns[k] == c) {
            Label5[std::size_t(k)] = label(this, QStringLiteral("▼"), x, GridTop - 300, ColumnWidths[c]);
            Label5[std::size_t(k)]->setAlignment(Qt::AlignCenter);
            ++k;
        }
        x += ColumnWidths[c];
    }

    const double panelLeft = 7200, panelWidth = 1920;
    Frame1 = frame(this, QStringLiteral("追加・変更"), panelLeft, GridTop - 60, panelWidth, 1560);
    const char* addCaptions[] = {"新ハンデ入力", "データ変更", "入力完了"};
    // The third stands over the other two: either the pair or this one shows.
    const double addTop[] = {360, 900, 360}, addHeight[] = {480, 480, 1020};
    for (int i = 0; i < 3; ++i)
        Cmd_Add[std::size_t(i)] = button(Frame1, QString::fromUtf8(addCaptions[i]), 120, addTop[i], panelWidth - 240,
                                         addHeight[i], [this, i] { Cmd_Add_Click(i); });
    Cmd_Add[2]->hide();

    const char* newCaptions[] = {"選手名", "シーズン名"};
    for (int i = 0; i < 2; ++i)
        Cmd_New[std::size_t(i)] = button(this, QString::fromUtf8(newCaptions[i]), panelLeft, 2520 + 600 * i, panelWidth,
                                         480, [this, i] { Cmd_New_Click(i); });
    setUpEditor(Data_HDCP, DBG_hdcp, panelLeft, 4020, panelWidth);

    label(this, QStringLiteral("ハンデキャップは、これ以降入力されるデータに適用されます。"), 120, 4680, 9000);
    label(this, QStringLiteral("  これまでの記録は変更されません。"), 120, 4980, 9000);
    label(this, QStringLiteral("※　注意　※"), 120, 5400, 9000);
    label(this, QStringLiteral("ここで変更されたシリーズ名や選手名は、全てのデータに反映されます。"), 120, 5700, 9000);
    label(this, QStringLiteral("  たとえば、選手名を一カ所でも変更すると、 その選手の全ての記録の選手名が変更されます。"),
          120, 6000, 9000);

    QMenu* data = addMenu(QStringLiteral("データベース(&D)"));
    const char* hdcpCaptions[] = {"ハンデの追加", "ハンデの変更", "ハンデの追加・変更の終了"};
    for (int i = 0; i < 3; ++i)
        menu_hdcp[std::size_t(i)] = addEntry(data, QString::fromUtf8(hdcpCaptions[i]), [this, i] { Cmd_Add_Click(i); });
    menu_hdcp[2]->setEnabled(false);
    data->addSeparator();
    menu_add[0] = addEntry(data, QStringLiteral(" 選 手 名　の追加・変更"), [this] { Cmd_New_Click(0); });
    menu_add[1] = addEntry(data, QStringLiteral("シーズン名の追加・変更"), [this] { Cmd_New_Click(1); });
}

void form_HDCP::Form_Load() {
    GridEditor::Form_Load();
    EditMode = 0;
    DBG_hdcp->setColumns({QStringLiteral("ID"), QStringLiteral("シーズンID"), QStringLiteral("シーズン時期"),
                          QStringLiteral("選手ID"), QStringLiteral("選手名"), QStringLiteral("ハンデ")});
    DBG_hdcp->setCaption(1, QStringLiteral("S_ID"));
    for (int c = 0; c < 6; ++c) DBG_hdcp->setColumnWidth(c, twips(ColumnWidths[c]));
    DBG_hdcp->setAllowDelete(true);
    confirmDeletes(DBG_hdcp);
}

void form_HDCP::setEditing(bool on) {
    DBG_hdcp->setAllowUpdate(on);
    DBG_hdcp->setAllowAddNew(on);
}

// The finish button stands for the add and change buttons while adding or changing, and the way
// back waits for the finish.
void form_HDCP::showEditing(bool on) {
    Cmd_Add[0]->setVisible(!on);
    Cmd_Add[1]->setVisible(!on);
    Cmd_Add[2]->setVisible(on);
    cmd_back->setEnabled(!on);
    menu_back->setEnabled(!on);
    menu_hdcp[2]->setEnabled(on);
}

void form_HDCP::DBG_hdcp_Error(const QString& databaseError) {
    MsgBox(databaseError == HandicapError ? databaseError : refusalText(databaseError, IdError));
}

void form_HDCP::Cmd_Add_Click(int index) {
    auto* model = DBG_hdcp->gridModel();
    if (index == 0 || index == 1) {
        setEditing(true);
        // A row pending from the other mode is stored first; a refusal keeps the mode as it is.
        if (!DBG_hdcp->commitRow()) return;
        if (index == 0) {
            DBG_hdcp->setCurrentIndex(model->index(model->rowCount() - 1, 1));
        } else if (Data_HDCP->recordset().RecordCount() > 0) {
            if (!Data_HDCP->MoveLast() || !Data_HDCP->Edit()) return;
            DBG_hdcp->setCurrentIndex(model->index(Data_HDCP->currentRow(), 5));
        }
        showEditing(true);
        menu_hdcp[std::size_t(index)]->setEnabled(false);
        EditMode = index;
    } else if (index == 2) {
        if (EditMode == 0 || EditMode == 1) {
            if (!DBG_hdcp->commitRow()) return;
            if (Data_HDCP->recordset().RecordCount() > 0 && !Data_HDCP->MoveLast()) return;
        }
        setEditing(false);
        showEditing(false);
        menu_hdcp[0]->setEnabled(true);
        menu_hdcp[1]->setEnabled(true);
        EditMode = 2;
    }
}

void form_HDCP::Cmd_New_Click(int index) {
    if (index == 0) forms::get<Form_NewPlayer>().Show();
    else if (index == 1) forms::get<form_srs>().Show();
}

}  // namespace vx
