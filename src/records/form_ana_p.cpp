#include "records/form_ana_p.h"
#include "common/convert.h"
#include "common/database.h"
#include "common/dialogs.h"
#include "platform/controls.h"
#include "platform/picturebox.h"
#include "records/graphs.h"
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace vx {

namespace {

QScrollBar* scrollBar(QWidget* parent, double left, double top, double width, double height, int min, int max, int page, int value) {
    auto* s = place(new QScrollBar(Qt::Horizontal, parent), left, top, width, height);
    s->setRange(min, max);
    s->setPageStep(page);
    s->setValue(value);
    s->setFocusPolicy(Qt::StrongFocus);
    return s;
}

}  // namespace

Form_ana_p::Form_ana_p() {
    setWindowTitle(QStringLiteral("分析－優勝ポイント"));
    setClientSizeTwips(6810, 3855);
    Label1 = label(this, QStringLiteral("第　　　　　　　シーズンの上位　　　　　　　名まで"), 120, 150, 4560, 300);
    // The boxes and their scroll bars sit in the caption's two gaps.
    const QFontMetrics fm(Label1->font());
    const double gap = toTwips(fm.horizontalAdvance(QStringLiteral("　　　　　　　")));
    const double first = 120 + toTwips(fm.horizontalAdvance(QStringLiteral("第")));
    const double second = 120 + toTwips(fm.horizontalAdvance(QStringLiteral("第　　　　　　　シーズンの上位")));
    const double box = gap / 2 - 15;
    Txt_srs = textBox(this, first + 15, 135, box - 15, 330);
    Txt_srs->setText(QStringLiteral("1"));
    HScr_srs = scrollBar(this, first + box + 15, 180, box - 15, 240, 1, 1, 10, 1);
    Txt_nin = textBox(this, second + 15, 135, box - 15, 330);
    Txt_nin->setText(QStringLiteral("3"));
    HScr_nin = scrollBar(this, second + box + 15, 180, box - 15, 240, 1, 10, 5, 3);
    connect(HScr_srs, &QScrollBar::valueChanged, this, [this](int v) { Txt_srs->setText(QString::number(v)); });
    connect(HScr_nin, &QScrollBar::valueChanged, this, [this](int v) { Txt_nin->setText(QString::number(v)); });
    cmd_p_srs = button(this, QStringLiteral("グラフ描画 (&D)"), 4800, 60, 1890, 330, [this] { cmd_p_srs_Click(); });
    cmd_close = button(this, QStringLiteral("戻　る (&C)"), 4800, 420, 1890, 330, [this] { cmd_close_Click(); });
    Pic = place(new PictureBox(this), 120, 840, 5055, 2895);
    Pic_han = place(new PictureBox(this), 5235, 840, 1455, 2895);
    for (QLabel*& l : Lbl_han) {
        l = label(Pic_han, QString(), 60, 5000, 1335, 255);
        l->setAutoFillBackground(true);
    }
    menu_close = addMenuCommand(QStringLiteral("閉じる"), [this] { cmd_close_Click(); });
}

void Form_ana_p::Form_Load() { restorePosition(QStringLiteral("yup_g")); }

void Form_ana_p::Form_Unload(bool&) { savePosition(QStringLiteral("yup_g")); }

void Form_ana_p::legendLine(int i, const QString& text, int top, std::int32_t color) {
    QLabel* l = Lbl_han[std::size_t(i)];
    l->setText(text);
    l->move(l->x(), twips(top));
    QPalette p = l->palette();
    p.setColor(QPalette::Window, vbColor(color));
    l->setPalette(p);
}

// Each activation takes the highest season anew and wipes the graph and its legend.
void Form_ana_p::Form_Activate() {
    if (db::ensureOpen()) {
        const QVariant top = db::scalar(QStringLiteral("SELECT MAX(シーズンID) FROM シーズン"));
        if (top.isValid() && !top.isNull()) HScr_srs->setMaximum(std::max(HScr_srs->minimum(), top.toInt()));
    }
    Pic->Cls();
    for (int i = 0; i < 10; ++i) legendLine(i, QString(), 5000, graphs::PaletteColor(15));
}

void Form_ana_p::cmd_close_Click() { Unload(); }

void Form_ana_p::cmd_p_srs_Click() {
    for (int i = 0; i < 10; ++i) legendLine(i, QString(), 50 + 280 * i, graphs::PaletteColor(15));
    const std::optional<graphs::Race> race = db::ensureOpen() ? graphs::readRace(Txt_srs->text(), Txt_nin->text()) : std::nullopt;
    if (!race) return;
    const int count = int(race->players.size());
    if (count == 0) {
        MsgBox(QStringLiteral("参加選手がいません。"), vbOKOnly);
        return;
    }
    if (count < Val(Txt_nin->text())) {
        Txt_nin->setText(QString::number(count));
        HScr_nin->setValue(count);
    }

    const double H = toTwips(Pic->height()), W = toTwips(Pic->width());
    Pic->Scale(0, H, W, 0);
    Pic->Cls();
    const graphs::RaceScale scale = graphs::raceScale(*race, W, H);
    // A dotted line every ten points, the zero line at 30; a tick under every match.
    Pic->setDrawWidth(1);
    Pic->setDrawStyle(PictureBox::DrawDot);
    for (double y : graphs::steps(30, 10 * scale.pointScale, H)) Pic->Line(0, y, W, y);
    Pic->setDrawStyle(PictureBox::DrawSolid);
    for (double x : graphs::steps(0, scale.matchStep, W)) Pic->Line(x, 0, x, 100);

    // Later players are drawn over earlier ones.
    for (int k = 1; k <= count; ++k) {
        const std::int32_t c = graphs::PaletteColor(k % 15);
        const QVector<int>& sums = race->cumulative[k - 1];
        Pic->setDrawWidth(2);
        for (int m = 1; m <= race->matches; ++m) {
            const double x0 = scale.matchStep * (m - 1), y0 = graphs::raceY(scale, sums[m - 1]);
            const double x1 = scale.matchStep * m, y1 = graphs::raceY(scale, sums[m]);
            Pic->Line(x0, y0, x1, y1, c);
            Pic->Line(x0 + 5, y0 + 5, x1 + 5, y1 + 5, c);
        }
        Pic->setDrawWidth(1);
        Pic->setFillStyle(PictureBox::FillSolid);
        Pic->setFillColor(graphs::PaletteColor(15));
        Pic->Circle(0, 0, 60, graphs::PaletteColor(1));
        for (int m = 1; m <= race->matches; ++m) Pic->Circle(scale.matchStep * m, graphs::raceY(scale, sums[m]), 60, c);
        if (k < 11 && !race->names[k - 1].isEmpty()) legendLine(k - 1, race->names[k - 1], 50 + 280 * (k - 1), c);
    }
}

}  // namespace vx
