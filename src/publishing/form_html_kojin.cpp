#include "publishing/form_html_kojin.h"
#include "common/convert.h"
#include "common/dialogs.h"
#include "common/module1.h"
#include "common/settingskeys.h"
#include "platform/controls.h"
#include "publishing/playerpage.h"
#include "records/form_kojin.h"
#include <QCheckBox>
#include <QFrame>
#include <QScrollBar>

namespace vx {

namespace {
QString playerBox() {
    const Form_Kojin* kojin = forms::loaded<Form_Kojin>();
    return kojin ? kojin->Txt_Sensyu[0]->text() : QString();
}
}  // namespace

Form_HTML_kojin::Form_HTML_kojin()
    : HtmlExportDialog({QStringLiteral("ＨＴＭＬ形式で個人成績を出力します。"), QStringLiteral("htmlkojin"), QStringLiteral("25"),
                        QStringLiteral("player.htm"), QStringLiteral("戻　る (&Back)"), QStringLiteral(" やめる　(&X)"),
                        QStringLiteral("HTML色指定 (&C)"), QStringLiteral("ファイル名がおかしいようです。"), 780}) {
    Label1_4 = label(this, QString(), 120, OwnTop - 60, 7560, 900);
    Label1_4->setFrameShape(QFrame::Box);
    Chk_op[0] = place(new QCheckBox(QStringLiteral("シーズン成績"), this), 240, OwnTop + 30, 1900, 300);
    Chk_op[1] = place(new QCheckBox(QStringLiteral("通算成績"), this), 240, OwnTop + 390, 1900, 300);
    Label3 = label(this, QStringLiteral(">>>"), 4080, OwnTop + 60, 600);
    for (int i = 0; i < 2; ++i) {
        const double left = 2520 + 2280 * i;
        txt_se[std::size_t(i)] = textBox(this, left, OwnTop, 1440);
        txt_se[std::size_t(i)]->setText(QStringLiteral("1"));
        auto* bar = place(new QScrollBar(Qt::Horizontal, this), left, OwnTop + 360, 1440, 240);
        bar->setPageStep(1);
        connect(bar, &QScrollBar::valueChanged, this, [this, i] { vsc_Change(i); });
        vsc[std::size_t(i)] = bar;
    }
}

void Form_HTML_kojin::vsc_Change(int Index) {
    // One bar moved past the other drags it along.
    if (Index == 0 && vsc[0]->value() > vsc[1]->value()) vsc[1]->setValue(vsc[0]->value());
    if (Index == 1 && vsc[1]->value() < vsc[0]->value()) vsc[0]->setValue(vsc[1]->value());
    for (std::size_t i = 0; i < 2; ++i) txt_se[i]->setText(QString::number(vsc[i]->value()));
}

void Form_HTML_kojin::loadOwn() {
    namespace keys = settings::keys;
    Chk_op[0]->setChecked(settings::readFlag(keys::PlayerPageParts[0]));
    vsc[0]->setValue(int(Val(settings::read(keys::PlayerPageSeasons[0]))));
    vsc[1]->setValue(int(Val(settings::read(keys::PlayerPageSeasons[1]))));
    Chk_op[1]->setChecked(settings::readFlag(keys::PlayerPageParts[1]));
    const Form_Kojin* kojin = forms::loaded<Form_Kojin>();
    Txt_jofo[0]->setText(QStringLiteral("Player's"));
    Txt_jofo[1]->setText((kojin ? kojin->Txt_Sensyu[1]->text() : QString()) + QStringLiteral("選手のシーズン別成績"));
    for (QScrollBar* bar : vsc) {
        bar->setRange(Module1::SeasonIdMin, Module1::SeasonIdMax);
    }
}

void Form_HTML_kojin::unloadOwn() {
    namespace keys = settings::keys;
    std::vector<std::pair<settings::Key, QString>> values;
    for (std::size_t i = 0; i < 2; ++i) {
        values.emplace_back(keys::PlayerPageParts[i], settings::flagText(keys::PlayerPageParts[i], Chk_op[i]->isChecked()));
        values.emplace_back(keys::PlayerPageSeasons[i], QString::number(vsc[i]->value()));
    }
    settings::save(values);
}

bool Form_HTML_kojin::readyToWrite() {
    if (!Chk_op[0]->isChecked() && !Chk_op[1]->isChecked()) {
        MsgBox(QStringLiteral("少なくともシーズン成績か通算成績のどちらか一方は、チェックを入れてください。"), vbOKOnly);
        return false;
    }
    if (Val(playerBox()) == 0) {
        MsgBox(QStringLiteral("選手を選んでください"), vbOKOnly);
        return false;
    }
    return true;
}

bool Form_HTML_kojin::writePage(const QString& path) {
    publishing::PlayerPage page;
    page.player = playerBox();
    page.seasons = Chk_op[0]->isChecked();
    page.allTime = Chk_op[1]->isChecked();
    page.firstSeason = txt_se[0]->text();
    page.lastSeason = txt_se[1]->text();
    page.setup = pageSetup();
    return publishing::writePlayerPage(path, page) == publishing::PageResult::Written;
}

// The individual records' statistics buttons come back when the page is done with.
void Form_HTML_kojin::handBack() {
    if (Form_Kojin* kojin = forms::loaded<Form_Kojin>()) {
        kojin->Cmd_SRS->setEnabled(true);
        kojin->Cmd_Tsusan->setEnabled(true);
    }
}

}  // namespace vx
