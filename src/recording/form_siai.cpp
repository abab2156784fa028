#include "recording/form_siai.h"
#include "platform/controls.h"
#include "common/appdir.h"
#include "common/clock.h"
#include "common/database.h"
#include "common/dialogs.h"
#include "common/launcher.h"
#include "common/module1.h"
#include "common/picture.h"
#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "platform/registry.h"
#include "platform/twips.h"
#include "recording/form_player.h"
#include "recording/matchsetup.h"
#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <climits>
#include <cstdlib>

namespace vx {

namespace {
// Labels of this window wrap and stand as high as its boxes.
QLabel* wrapLabel(QWidget* parent, const QString& text, double left, double top, double width, double height = 330) {
    QLabel* l = label(parent, text, left, top, width, height);
    l->setWordWrap(true);
    return l;
}

// Puts the venue source into edit mode when a venue box takes the focus.
class FocusEdit : public QObject {
public:
    FocusEdit(DataSource* ds, QObject* parent) : QObject(parent), ds_(ds) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && ds_->currentRow() >= 0) ds_->Edit();
        return QObject::eventFilter(watched, event);
    }

private:
    DataSource* ds_;
};
}  // namespace

Form_Siai::Form_Siai() {
    setWindowTitle(QStringLiteral("試合データ設定"));
    setClientSizeTwips(9600, 4680);

    wrapLabel(this, QStringLiteral("通算試合ID"), 120, 150, 1500);
    Txt_Siai[0] = textBox(this, 2280, 120, 900);
    wrapLabel(this, QStringLiteral("シーズン"), 120, 630, 1500);
    Txt_Siai[1] = textBox(this, 2280, 600, 900);
    wrapLabel(this, QStringLiteral("シーズン中の　試合番号"), 120, 1110, 2160);
    Txt_Siai[6] = textBox(this, 2280, 1080, 600);
    HSc_siai = new QScrollBar(Qt::Horizontal, this);
    HSc_siai->setGeometry(twips(2940), twips(1110), twips(1140), twips(270));
    HSc_siai->setRange(1, 999);
    HSc_siai->setValue(1);

    wrapLabel(this, QStringLiteral("試合日"), 120, 1650, 1500);
    const char* const units[] = {"　年　", "　月　", "　日　"};
    const double boxWidth[] = {720, 480, 480};
    double x = 120;
    for (int i = 0; i < 3; ++i) {
        Txt_Siai[std::size_t(2 + i)] = textBox(this, x, 2010, boxWidth[i]);
        x += boxWidth[i];
        VSc_ymd[std::size_t(i)] = new QScrollBar(Qt::Vertical, this);
        VSc_ymd[std::size_t(i)]->setGeometry(twips(x), twips(2010), twips(255), twips(330));
        x += 255;
        wrapLabel(this, QString::fromUtf8(units[i]), x, 2010, 480);
        x += 480;
    }
    VSc_ymd[0]->setRange(matchsetup::FirstYear, matchsetup::LastYear);
    VSc_ymd[0]->setValue(2000);
    VSc_ymd[1]->setRange(1, 12);
    VSc_ymd[2]->setRange(1, 31);

    wrapLabel(this, QStringLiteral("会 場"), 120, 2550, 1500);
    Txt_Siai[5] = textBox(this, 2280, 2520, 600);

    Cmd_New = button(this, QStringLiteral("新しい試合の登録   (&New Game)"), 120, 3060, 3960, 450, [this] { Cmd_New_Click(); });
    cmd_siaiOK = button(this, QStringLiteral("試合日設定ＯＫ (&Go)"), 120, 3600, 3960, 450, [this] { cmd_siaiOK_Click(); });
    cmd_back = button(this, QStringLiteral("戻　る (&C)"), 120, 4140, 3960, 420, [this] { cmd_back_Click(); });

    // Seasons, newest first.
    data_srs = new DataSource(this);
    data_srs->setRecordSource(QStringLiteral("シーズン降順"), QStringLiteral("シーズンID"));
    DBGrid1 = new DBGrid(this);
    DBGrid1->setGeometry(twips(4320), twips(120), twips(5160), twips(1800));
    DBGrid1->setDataSource(data_srs);
    DBGrid1->setColumns({QStringLiteral("シーズンID"), QStringLiteral("シーズン時期"), QStringLiteral("シーズン名")});
    Cmd_Add[0] = button(this, QStringLiteral("シーズン追加"), 4320, 2010, 1500, 360, [this] { Cmd_Add_Click(0); });
    Txt_ADD[0] = textBox(this, 5940, 2025, 2400);
    Cmd_Add_OK[0] = button(this, QStringLiteral("Ｏ Ｋ"), 8460, 2010, 1020, 360, [this] { Cmd_Add_OK_Click(0); });

    // Venues.
    Data_kaijo = new DataSource(this);
    Data_kaijo->setRecordSource(QStringLiteral("会場"));
    DBGrid2 = new DBGrid(this);
    DBGrid2->setGeometry(twips(4320), twips(2520), twips(3000), twips(1560));
    DBGrid2->setDataSource(Data_kaijo);
    DBGrid2->setColumns({QStringLiteral("会場ID"), QStringLiteral("会場名")});
    wrapLabel(this, QStringLiteral("会場ID"), 7440, 2550, 900);
    Txt_Siai[7] = textBox(this, 8400, 2520, 1080);
    txt_Kaijo[0] = textBox(this, 7440, 3000, 2040);
    txt_Kaijo[1] = textBox(this, 7440, 3420, 2040);
    Cmd_Add[1] = button(this, QStringLiteral("会場追加"), 4320, 4200, 1500, 360, [this] { Cmd_Add_Click(1); });
    Txt_ADD[1] = textBox(this, 5940, 4215, 2400);
    Cmd_Add_OK[1] = button(this, QStringLiteral("Ｏ Ｋ"), 8460, 4200, 1020, 360, [this] { Cmd_Add_OK_Click(1); });

    for (DBGrid* g : {DBGrid1, DBGrid2}) {
        g->setAllowAddNew(true);
        g->setAllowUpdate(true);
        g->verticalHeader()->setDefaultSectionSize(twips(300));
        g->verticalHeader()->setMinimumWidth(twips(240));
        g->horizontalHeader()->setStretchLastSection(true);
    }
    DBGrid1->setColumnWidth(0, twips(1000));
    DBGrid1->setColumnWidth(1, twips(1500));
    DBGrid2->setColumnWidth(0, twips(800));

    // The season box and the venue-ID boxes show the grids' current rows; the name boxes edit them.
    auto showSeason = [this] { Txt_Siai[1]->setText(data_srs->text(QStringLiteral("シーズンID"))); };
    auto showVenue = [this] {
        const QString id = Data_kaijo->text(QStringLiteral("会場ID"));
        Txt_Siai[7]->setText(id);
        txt_Kaijo[0]->setText(id);
    };
    connect(data_srs, &DataSource::currentChanged, this, showSeason);
    connect(data_srs, &DataSource::addingChanged, this, showSeason);
    connect(Data_kaijo, &DataSource::currentChanged, this, showVenue);
    connect(Data_kaijo, &DataSource::addingChanged, this, showVenue);
    Data_kaijo->bindLineEdit(txt_Kaijo[1], QStringLiteral("会場名"));
    data_srs->bindLineEdit(Txt_ADD[0], QStringLiteral("シーズン名"));
    Data_kaijo->bindLineEdit(Txt_ADD[1], QStringLiteral("会場名"));
    for (QLineEdit* e : txt_Kaijo) {
        connect(e, &QLineEdit::textChanged, this, [this] { txt_Kaijo_Change(); });
        e->installEventFilter(new FocusEdit(Data_kaijo, e));
    }

    for (int i = 0; i < 3; ++i)
        connect(VSc_ymd[std::size_t(i)], &QScrollBar::valueChanged, this, [this, i] { VSc_ymd_Change(i); });
    connect(HSc_siai, &QScrollBar::valueChanged, this, [this] { HSc_siai_Change(); });

    QMenu* file = addMenu(QStringLiteral("ファイル(&F)"));
    menu_newgame = addEntry(file, QStringLiteral("新しい試合の登録(&N)"), [this] { Cmd_New_Click(); });
    menu_OK = addEntry(file, QStringLiteral("試合日設定ＯＫ(&G)"), [this] { cmd_siaiOK_Click(); });
    file->addSeparator();
    menu_season = addEntry(file, QStringLiteral("シーズン追加(&S)"), [this] { Cmd_Add_Click(0); });
    menu_kaijo = addEntry(file, QStringLiteral("会場追加(&K)"), [this] { Cmd_Add_Click(1); });
    file->addSeparator();
    menu_back = addEntry(file, QStringLiteral("メニューに戻る(&B)"), [this] { cmd_back_Click(); });
    menu_help = addMenuCommand(QStringLiteral("ヘルプ(&H)"), [this] { menu_help_Click(); });

    // Until a match is proposed only the ID, the grids and the adding buttons are usable.
    cmd_siaiOK->setEnabled(false);
    menu_OK->setEnabled(false);
    for (int i = 1; i <= 7; ++i) Txt_Siai[std::size_t(i)]->setEnabled(false);
    for (QLineEdit* e : txt_Kaijo) e->setEnabled(false);
    for (int i = 0; i < 2; ++i) {
        Txt_ADD[std::size_t(i)]->hide();
        Cmd_Add_OK[std::size_t(i)]->hide();
    }
}

void Form_Siai::Form_Load() {
    restorePosition(QStringLiteral("siai"));
    matchsetup::freshSheet();
    db::ensureOpen();
    data_srs->Refresh();
    Data_kaijo->Refresh();
}

void Form_Siai::Form_Unload(bool&) { savePosition(QStringLiteral("siai")); }

DataSource* Form_Siai::sourceOf(int Index) const { return Index == 0 ? data_srs : Data_kaijo; }

void Form_Siai::Cmd_New_Click() {
    db::ensureOpen();
    const std::optional<int> id = matchsetup::proposeMatchId();
    if (!id) {
        Beep();
        MsgBox(matchsetup::refusalMessage(matchsetup::Refusal::DatabaseError));
        return;
    }
    Module1::MatchId = *id;
    Txt_Siai[0]->setText(QString::number(*id));
    cmd_siaiOK->setEnabled(true);
    for (int i = 1; i <= 6; ++i) Txt_Siai[std::size_t(i)]->setEnabled(true);
    for (QLineEdit* e : txt_Kaijo) e->setEnabled(true);
    Cmd_New->setEnabled(false);

    const QDate today = clock::today();
    VSc_ymd[0]->setValue(today.year());
    VSc_ymd[1]->setValue(today.month());
    VSc_ymd[2]->setValue(today.day());
    // The year box shows today's year even where the scroll bar cannot reach it.
    Txt_Siai[2]->setText(Format(today.year(), QStringLiteral("0000")));
    Txt_Siai[3]->setText(Format(today.month(), QStringLiteral("00")));
    Txt_Siai[4]->setText(Format(today.day(), QStringLiteral("00")));
    HSc_siai->setValue(1);
    Txt_Siai[6]->setText(QStringLiteral("1"));
    menu_OK->setEnabled(true);
    menu_newgame->setEnabled(false);
}

void Form_Siai::refuse(const QString& message, QWidget* focus) {
    Beep();
    MsgBox(message, vbOKOnly);
    setFocusLater(focus);
}

void Form_Siai::cmd_siaiOK_Click() {
    using matchsetup::Refusal;
    db::ensureOpen();
    const matchsetup::MatchEntry entry{Txt_Siai[0]->text(), Txt_Siai[1]->text(), Txt_Siai[2]->text(),
                                       Txt_Siai[3]->text(), Txt_Siai[4]->text(), Txt_Siai[5]->text(),
                                       Txt_Siai[6]->text()};
    const matchsetup::MatchCheck check = matchsetup::checkMatch(entry);
    Txt_Siai[0]->setText(QString::number(check.matchId));
    // The ID read from the box stays the current one, even when the match is refused.
    if (check.refusal != Refusal::DatabaseError)
        Module1::MatchId = std::abs(check.matchId) <= INT_MAX ? QVariant(int(check.matchId))
                                                               : QVariant(qlonglong(check.matchId));
    switch (check.refusal) {
        case Refusal::None: break;
        case Refusal::BadNumber:
        case Refusal::NumberTaken: return refuse(matchsetup::refusalMessage(check.refusal), Txt_Siai[6]);
        case Refusal::BadDate: return refuse(matchsetup::refusalMessage(check.refusal), Txt_Siai[3]);
        default: return refuse(matchsetup::refusalMessage(check.refusal), Txt_Siai[0]);
    }
    matchsetup::fixMatch(check);
    Unload();
    forms::get<Form_Player>().Show();
}

void Form_Siai::cmd_back_Click() {
    Unload();
    forms::showStartMenu();
}

void Form_Siai::Cmd_Add_Click(int Index) {
    DataSource* ds = sourceOf(Index);
    DBGrid1->setEnabled(false);
    DBGrid2->setEnabled(false);
    cmd_siaiOK->setEnabled(false);
    Cmd_Add_OK[std::size_t(Index)]->show();
    Txt_ADD[std::size_t(Index)]->show();
    setFocusLater(Txt_ADD[std::size_t(Index)]);
    ds->MoveLast();
    ds->AddNew();
    (Index == 0 ? menu_season : menu_kaijo)->setEnabled(false);
}

void Form_Siai::Cmd_Add_OK_Click(int Index) {
    DataSource* ds = sourceOf(Index);
    if (!ds->isAdding()) return;
    QLineEdit* name = Txt_ADD[std::size_t(Index)];
    const QString field = Index == 0 ? QStringLiteral("シーズン名") : QStringLiteral("会場名");
    if (name->text().isEmpty() || !ds->setValue(field, name->text()) || !ds->UpdateRecord()) {
        Beep();
        setFocusLater(name);
        return;
    }
    ds->Refresh();
    (Index == 0 ? menu_season : menu_kaijo)->setEnabled(true);
    name->hide();
    DBGrid1->setEnabled(true);
    DBGrid2->setEnabled(true);
    cmd_siaiOK->setEnabled(true);
}

void Form_Siai::VSc_ymd_Change(int Index) {
    const int v = VSc_ymd[std::size_t(Index)]->value();
    Txt_Siai[std::size_t(2 + Index)]->setText(Format(v, Index == 0 ? QStringLiteral("0000") : QStringLiteral("00")));
}

void Form_Siai::HSc_siai_Change() { Txt_Siai[6]->setText(QString::number(HSc_siai->value())); }

void Form_Siai::txt_Kaijo_Change() { Txt_Siai[5]->setText(txt_Kaijo[0]->text()); }

void Form_Siai::menu_help_Click() { launcher::openHelp(QStringLiteral("vh_siai.htm")); }

}  // namespace vx
