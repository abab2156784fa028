#include "records/form_ana_kojin.h"
#include "common/convert.h"
#include "common/database.h"
#include "common/dialogs.h"
#include "common/module1.h"
#include "platform/controls.h"
#include "platform/picturebox.h"
#include "platform/registry.h"
#include "records/form_kojin.h"
#include <QComboBox>
#include <QLineEdit>

namespace vx {

namespace {
// The value labels left of the picture take five digits (a season's total score).
constexpr double PicLeft = 615, PicTop = 440;
const QString AllPlayersName = QStringLiteral("全　員");
}  // namespace

Form_ana_kojin::Form_ana_kojin() {
    setWindowTitle(QStringLiteral("個人成績の分析グラフ"));
    setClientSizeTwips(PicLeft + 6120, 3795);
    lbl_sensyu = label(this, QString(), 60, 75, 1500, 270);
    Label1 = label(this, QStringLiteral("統計項目"), 1650, 75, 840, 270);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cmb_what = place(new QComboBox(this), 2550, 45, 1830, 330);
    cmb_what->addItems(graphs::statNames());
    cmb_what->setCurrentIndex(-1);
    connect(cmb_what, &QComboBox::activated, this, [this] { Cmd_OK_Click(); });
    Cmd_OK = button(this, QStringLiteral("グラフ表示"), 4440, 30, 1080, 360, [this] { Cmd_OK_Click(); });
    cmd_back = button(this, QStringLiteral("戻　る (&C)"), 5580, 30, 1080, 360, [this] { cmd_back_Click(); });
    Pic = place(new PictureBox(this), PicLeft, PicTop, 6000, 3105);
    for (QLabel*& l : Lbl_tate) {
        l = label(this, QString(), 15, 3795, PicLeft - 30, 240);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    for (QLabel*& l : Lbl_yoko) l = label(this, QString(), PicLeft, PicTop + 3105 + 15, 615, 225);
    menu_OK = addMenuCommand(QStringLiteral("グラフ描画"), [this] { Cmd_OK_Click(); });
    menu_back = addMenuCommand(QStringLiteral("戻　る"), [this] { cmd_back_Click(); });
}

void Form_ana_kojin::Form_Load() { restorePosition(QStringLiteral("ana_kojin")); }

void Form_ana_kojin::Form_Unload(bool&) { savePosition(QStringLiteral("ana_kojin")); }

void Form_ana_kojin::Form_Activate() {
    if (allPlayers()) lbl_sensyu->setText(AllPlayersName);
}

// Opened from the start menu before the individual records were ever opened, there is no player
// to draw: the graph is then of all players.
bool Form_ana_kojin::allPlayers() const { return Module1::AllPlayersFlag == 255 || !forms::loaded<Form_Kojin>(); }

void Form_ana_kojin::cmd_back_Click() { Unload(); }

void Form_ana_kojin::Cmd_OK_Click() {
    forms::showWaiting();
    if (cmb_what->currentIndex() < 0) {
        MsgBox(QStringLiteral("統計項目が選択されていません"), vbOKOnly);
        forms::hideWaiting();
        return;
    }
    const bool all = allPlayers();
    const int seasons = std::max<int>(0, Module1::SeasonIdMax);
    const int player = all ? 0 : int(std::clamp(Val(forms::loaded<Form_Kojin>()->Txt_Sensyu[0]->text()), -32768.0, 32767.0));
    const std::optional<graphs::SeasonTable> table = db::ensureOpen() ? graphs::readSeasons(seasons, all, player) : std::nullopt;
    if (!table) {
        forms::hideWaiting();
        return;
    }

    // The frame: seasons along the bottom, a long double tick and a season number every fifth.
    const double H = toTwips(Pic->height()), W = toTwips(Pic->width());
    Pic->Scale(0, H, W, 0);
    Pic->setDrawStyle(PictureBox::DrawSolid);
    Pic->setDrawWidth(1);
    Pic->Cls();
    SeasonStep = graphs::seasonStep(W, seasons);
    int c = 0;
    for (double x : graphs::steps(0, SeasonStep, W)) {
        Pic->Line(x, 0, x, 100);
        if (c % 5 == 0 && c < 31) {
            Pic->Line(x + 5, 0, x + 5, 120);
            Pic->Line(x - 5, 0, x - 5, 120);
            if (c <= 25) {
                QLabel* l = Lbl_yoko[std::size_t(c / 5)];
                l->move(twips(PicLeft + x - 50), l->y());
                l->setText(QString::number(c));
            }
        }
        ++c;
    }

    StatCode = cmb_what->currentIndex() + 1;
    if (StatCode == graphs::PointShare && all) {
        forms::hideWaiting();
        MsgBox(QStringLiteral("全員による占有率は常に100%ですね。"), vbOKOnly);
        return;
    }
    const graphs::SeasonPlot plot = graphs::seasonPlot(StatCode, *table, all, H);
    ValueScale = plot.valueScale;
    line2(plot.labelStep);
    forms::hideWaiting();
    Draw_graph(plot.values);
}

void Form_ana_kojin::line2(double LabelStep) {
    for (QLabel* l : Lbl_tate) {
        l->move(l->x(), height());
        l->setText(QString());
    }
    ValueScale = std::max(ValueScale, 0.05);
    const double H = toTwips(Pic->height()), W = toTwips(Pic->width());
    Pic->setDrawStyle(PictureBox::DrawDot);
    Pic->setDrawWidth(1);
    std::size_t k = 0;
    for (double y : graphs::steps(5, ValueScale * LabelStep, H)) {
        Pic->Line(0, y, W, y);
        if (k < Lbl_tate.size()) {
            Lbl_tate[k]->move(Lbl_tate[k]->x(), twips(PicTop + graphs::valueLabelTop(H, y, int(k))));
            Lbl_tate[k]->setText(CStr(double(k) * LabelStep));
            ++k;
        }
    }
    Pic->setDrawStyle(PictureBox::DrawSolid);
}

void Form_ana_kojin::Draw_graph(const QVector<std::optional<double>>& SeasonValues) {
    const std::int32_t color = lineColor();
    // Only known totals are drawn: a null one ends the drawing before it is read.
    auto y = [this](const std::optional<double>& v) { return graphs::seasonY(ValueScale, *v); };
    Pic->setDrawStyle(PictureBox::DrawSolid);
    Pic->setDrawWidth(2);
    for (int i = 1; i < SeasonValues.size(); ++i) {
        // A null total cannot be drawn: the line stops before it.
        if (!SeasonValues[i]) {
            Pic->setDrawWidth(1);
            MsgBox(QStringLiteral("error"), vbOKOnly);
            return;
        }
        const double x0 = SeasonStep * (i - 1), y0 = y(SeasonValues[i - 1]), x1 = SeasonStep * i, y1 = y(SeasonValues[i]);
        Pic->Line(x0, y0, x1, y1, color);
        Pic->Line(x0 + 5, y0 + 5, x1 + 5, y1 + 5, color);
    }
    Pic->setDrawWidth(1);
    Pic->setFillStyle(PictureBox::FillSolid);
    Pic->setFillColor(color);
    Pic->Circle(0, 0, 60, color);
    for (int i = 1; i < SeasonValues.size(); ++i) {
        Pic->Circle(SeasonStep * i, y(SeasonValues[i]), 70, graphs::PaletteColor(0));
        Pic->Circle(SeasonStep * i, y(SeasonValues[i]), 40, color);
    }
}

}  // namespace vx
