#include "records/form_chart.h"
#include "common/dialogs.h"
#include "platform/controls.h"
#include "platform/datasource.h"
#include "platform/picturebox.h"
#include "records/form_seiseki.h"
#include "records/graphs.h"
#include <QLineEdit>
#include <QRadioButton>
#include <cmath>

namespace vx {

namespace {
constexpr double PicLeft = 780, PicTop = 360, PicSize = 2040;  // 136 pixels
}

Form_chart::Form_chart() {
    setClientSizeTwips(3600, 3270);
    Pic = place(new PictureBox(this), PicLeft, PicTop, PicSize, PicSize);
    const char* const names[] = {"SP率", "平均点", "上位率", "ST平均"};
    const double nameAt[4][2] = {{PicLeft + 520, 60}, {PicLeft + PicSize + 60, PicTop + 900},
                                 {60, PicTop + 900}, {PicLeft + 520, PicTop + PicSize + 30}};
    for (int i = 0; i < 4; ++i) {
        Label1[std::size_t(i)] = label(this, QString::fromUtf8(names[i]), nameAt[i][0], nameAt[i][1], 1000, 270);
        if (i == 2) Label1[2]->setGeometry(twips(60), twips(PicTop + 900), twips(PicLeft - 90), twips(270));
        Label1[std::size_t(i)]->setAlignment(i == 2 ? Qt::AlignRight | Qt::AlignVCenter
                                                    : i == 1 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    }
    // Inside the picture, beside the ticks 51 pixels from the centre.
    const char* const values[] = {"60%", "75%", "3.0", "170"};
    const double valueAt[4][2] = {{1095, 135}, {135, 1095}, {1095, 1695}, {1695, 1095}};
    for (int i = 0; i < 4; ++i) {
        Label2[std::size_t(i)] = label(Pic, QString::fromUtf8(values[i]), valueAt[i][0], valueAt[i][1], 450, 225);
        Label2[std::size_t(i)]->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    cmd_clear = button(this, QStringLiteral("クリア"), 780, 2790, 960, 360, [this] { cmd_clear_Click(); });
    cmd_close = button(this, QStringLiteral("閉じる"), 1860, 2790, 960, 360, [this] { cmd_close_Click(); });
    Cmd_OK = button(this, QStringLiteral("描　画"), 780, 3400, 960, 360, [this] { Cmd_OK_Click(); });
    menu_OK = addMenuCommand(QStringLiteral("描画"), [] {});
    menu_clear = addMenuCommand(QStringLiteral("クリア"), [this] { menu_clear_Click(); });
    menu_back = addMenuCommand(QStringLiteral("戻る(&X)"), [this] { menu_back_Click(); });
}

// The origin in the picture's centre, y upwards, in pixels.
void Form_chart::Form_Load() {
    restorePosition(QStringLiteral("chart"));
    const int w = Pic->width() / 2, h = Pic->height() / 2;
    Pic->Scale(-w, h, w, -h);
    A = std::abs(double(h));
    B = int(std::abs(w));
}

void Form_chart::Form_Unload(bool&) { savePosition(QStringLiteral("chart")); }

// The caption names the row and its range; without a row nothing is drawn.
void Form_chart::Form_Activate() {
    Form_Seiseki* results = forms::loaded<Form_Seiseki>();
    if (!results || !results->Data2->recordset().hasCurrent()) return;
    const QVariant name = results->Data2->value(QStringLiteral("選手名"));
    if (!name.isValid() || name.isNull()) return;
    int range = 0;
    for (int i = 0; i < 3; ++i)
        if (results->Opt_when[std::size_t(i)]->isChecked()) range = i;
    setWindowTitle(graphs::chartCaption(name.toString(), range, results->Txt_srs[0]->text()));
    Cmd_OK_Click();
}

void Form_chart::axes() {
    const std::int32_t black = graphs::PaletteColor(0);
    Pic->setDrawWidth(1);
    Pic->Line(0, A, 0, -A, black);
    Pic->Line(B, 0, -B, 0, black);
    for (int i = 0; i <= 8; ++i) {
        const double y = -A + i * A / 4, x = -B + i * B / 4.0;
        Pic->Line(-5, y, 5, y, black);
        Pic->Line(-5, y + 1, 5, y + 1, black);
        Pic->Line(x, -5, x, 5, black);
        Pic->Line(x - 1, -5, x - 1, 5, black);
    }
}

void Form_chart::Cmd_OK_Click() {
    axes();
    Form_Seiseki* results = forms::loaded<Form_Seiseki>();
    double v[4] = {};
    const char* const columns[] = {"スペア率", "st平均", "上位率", "平均点"};
    for (int i = 0; i < 4; ++i) {
        const QVariant x = results && results->Data2->recordset().hasCurrent()
                               ? results->Data2->value(QString::fromUtf8(columns[i])) : QVariant();
        if (!x.isValid() || x.isNull()) {
            MsgBox(QStringLiteral("データがないか異常なデータです。"), vbOKOnly);
            return;
        }
        v[i] = x.toDouble();
    }
    const graphs::RadarShape s = graphs::radarShape(v[0], v[1], v[2], v[3], A, B);
    ChartColorIndex = graphs::nextChartColor(ChartColorIndex);
    const std::int32_t c = graphs::PaletteColor(ChartColorIndex);
    Pic->setDrawWidth(2);
    Pic->Line(s.top.x(), s.top.y(), s.right.x(), s.right.y(), c);
    Pic->Line(s.bottom.x(), s.bottom.y(), s.right.x(), s.right.y(), c);
    Pic->Line(s.top.x(), s.top.y(), s.left.x(), s.left.y(), c);
    Pic->Line(s.bottom.x(), s.bottom.y(), s.left.x(), s.left.y(), c);
    Pic->setDrawWidth(1);
    // From the pixel one right of and above the centre, whatever the picture's size.
    const QPoint centre = Pic->toPixel(0, 0);
    if (s.hatched) mpaint(centre.x() + 1, centre.y() - 0.5, c, c);
}

void Form_chart::mpaint(double x, double y, std::int32_t fillColor, std::int32_t borderColor) {
    Pic->setFillStyle(PictureBox::FillUpwardDiagonal);
    Pic->setFillColor(fillColor);
    Pic->BorderFill(QPoint(int(std::floor(x)), int(std::floor(y))), borderColor);
}

void Form_chart::cmd_clear_Click() {
    Pic->Cls();
    axes();
}

void Form_chart::menu_clear_Click() { Pic->Cls(); }

void Form_chart::cmd_close_Click() { Unload(); }

void Form_chart::menu_back_Click() { Hide(); }

}  // namespace vx
