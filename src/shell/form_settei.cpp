#include "shell/form_settei.h"
#include "platform/controls.h"
#include "common/appdir.h"
#include "common/dialogs.h"
#include "common/launcher.h"
#include "common/module1.h"
#include "common/settingskeys.h"
#include "platform/datasource.h"
#include "platform/registry.h"
#include "platform/twips.h"
#include "shell/dbmaint.h"
#include "shell/form_hdcp.h"
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QRadioButton>
#include <QTabWidget>
#include <functional>

namespace vx {

namespace {

class ClickLabel : public QLabel {
public:
    ClickLabel(QWidget* parent, std::function<void()> onClick) : QLabel(parent), onClick_(std::move(onClick)) {}

protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) onClick_();
        QLabel::mouseReleaseEvent(e);
    }

private:
    std::function<void()> onClick_;
};

}  // namespace

Form_Settei::Form_Settei() {
    setWindowTitle(QStringLiteral("設定"));
    setClientSizeTwips(13200, 5520);

    SSTab1 = place(new QTabWidget(this), 120, 120, 12960, 4440);
    auto page = [this](const QString& caption) {
        auto* w = new QWidget;
        SSTab1->addTab(w, caption);
        return w;
    };

    // ---- 0: marks
    QWidget* t0 = page(QStringLiteral("マークの設定"));
    Frame1[0] = frame(t0, QStringLiteral("マークの設定　（入力できるのは漢字１文字・半角２文字までです）"), 120, 180, 12600, 1920);
    Label1[0] = label(Frame1[0], QStringLiteral("スプリット"), 240, 420, 4800);
    Label1[1] = label(Frame1[0], QStringLiteral("スペア"), 5880, 420, 1080);
    Label1[2] = label(Frame1[0], QStringLiteral("ストライク"), 7080, 420, 1080);
    QFont fixed(QStringLiteral("IPAGothic"));
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFixedPitch(true);
    fixed.setPixelSize(16);  // 8 dots a digit: five characters to a box
    const double pitch = 600, boxWidth = 450;
    for (int g = 0; g < 2; ++g) {
        const double left = 240 + g * (4 * pitch + 240);
        Label2[std::size_t(g)] = label(Frame1[0], g == 0 ? QStringLiteral("1    2    3    4") : QStringLiteral("5    6    7    8"),
                                       left + 165, 780, 4 * pitch, 300);
        Label2[std::size_t(g)]->setFont(fixed);
        for (int k = 0; k < 4; ++k) {
            const int i = g * 4 + k;
            Txt_Spl[std::size_t(i)] = place(new QLineEdit(Frame1[0]), left + k * pitch, 1140, boxWidth, 420);
        }
    }
    Txt_Spl[8] = place(new QLineEdit(Frame1[0]), 5880 + 315, 1140, boxWidth, 420);
    Txt_Spl[9] = place(new QLineEdit(Frame1[0]), 7080 + 315, 1140, boxWidth, 420);
    for (int i = 0; i < 10; ++i) {
        Txt_Spl[std::size_t(i)]->setAlignment(Qt::AlignCenter);
        connect(Txt_Spl[std::size_t(i)], &QLineEdit::editingFinished, this, [this, i] { Txt_Spl_LostFocus(i); });
    }

    // ---- 1: calculation
    QWidget* t1 = page(QStringLiteral("スコアの計算方法"));
    Frame3[2] = frame(t1, QStringLiteral("勝利ポイントのつけ方　"), 120, 120, 5520, 2040);
    // The first way's caption is the longest; the frame beside it has room to spare.
    Frame5 = frame(Frame3[2], QStringLiteral("計算方法"), 120, 300, 2520, 1560);
    const char* calc[] = {"上位加重（ＺＫＴ方式）", "リニア (人数-順位+1)", "そのつど入力する"};
    for (int i = 0; i < 3; ++i) Opt_PntCalc[std::size_t(i)] = place(new QRadioButton(QString::fromUtf8(calc[i]), Frame5), 120, 300 + 390 * i, 2340, 330);
    Frame4 = frame(Frame3[2], QStringLiteral("対象"), 2760, 300, 2640, 1560);
    const char* target[] = {"ハンデ込み最高点", "ハンデなし最高点", "ハンデなし平均点"};
    for (int i = 0; i < 3; ++i) Opt_PntTarget[std::size_t(i)] = place(new QRadioButton(QString::fromUtf8(target[i]), Frame4), 120, 300 + 390 * i, 2400, 330);
    Frame1[1] = frame(t1, QStringLiteral("表示するデータ"), 5760, 120, 6960, 1140);
    Frame1[1]->setToolTip(QStringLiteral("スコア入力後、試合結果を画面に表示するかどうかを選択します"));
    Chk_Data[0] = place(new QCheckBox(QStringLiteral(" 一般"), Frame1[1]), 180, 360, 1500, 330);
    Chk_Data[1] = place(new QCheckBox(QStringLiteral("ポイント"), Frame1[1]), 1800, 360, 1500, 330);
    Frame2[1] = frame(t1, QStringLiteral("表示するデータの集計方法"), 120, 2280, 12600, 1560);
    Frame2[1]->setToolTip(QStringLiteral("スコアを入力後、データの集計方法について指定します"));
    Chk_rule[0] = place(new QCheckBox(QStringLiteral("ｽﾌﾟﾘｯﾄをｽﾍﾟｱﾐｽに含まない"), Frame2[1]), 180, 330, 3900, 330);
    Chk_STSP = place(new QCheckBox(QStringLiteral("ｽﾄﾗｲｸ･ｽﾍﾟｱ表彰はｹﾞｰﾑ平均値"), Frame2[1]), 180, 720, 3900, 330);
    Chk_HCP[1] = place(new QCheckBox(QStringLiteral("ｱﾍﾞﾚｰｼﾞ･ﾌﾞｰﾋﾞｰはﾊﾝﾃﾞを入れる"), Frame2[1]), 180, 1110, 3900, 330);

    // ---- 2: limits
    QWidget* t2 = page(QStringLiteral("データの上限"));
    Frame2[0] = frame(t2, QStringLiteral("データの上限"), 120, 120, 12600, 1800);
    Label3[0] = label(Frame2[0], QStringLiteral("最大ゲーム数"), 240, 420, 1500, 360);
    KAZ = place(new QLineEdit(Frame2[0]), 1800, 390, 720, 420);
    KAZ->setAttribute(Qt::WA_InputMethodEnabled, false);
    Label3[2] = label(Frame2[0], QStringLiteral("最大人数　　　３６人です。データ読み込み機能を使えば増やすことができます。"), 240, 1080, 7900, 360);
    Frame3[1] = frame(t2, QStringLiteral("スコア入力時のハンデ"), 120, 2100, 12600, 1080);
    Chk_HCP[0] = place(new QCheckBox(Frame3[1]), 240, 450, 300, 330);
    Label3[3] = label(Frame3[1], QStringLiteral("ハンデがマイナスの場合０以上の数の入力を促す"), 600, 450, 7000, 330);

    // ---- 3: browser
    QWidget* t3 = page(QStringLiteral("ヘルプ表示用のブラウザの設定"));
    cmd_filename = button(t3, QStringLiteral("ブラウザの設定　(場所と名前の指定)"), 120, 240, 3600, 480, [this] { cmd_filename_Click(); },
                          QStringLiteral("ヘルプを表示するためのブラウザソフト（InternetExplore など）を指定します"));
    Frame3[0] = frame(t3, QStringLiteral("ヘルプ用ブラウザの設定（ドライブ名からファイル名までフルパスで）"), 120, 960, 12600, 1200);
    Txt_dir = place(new QLineEdit(settings::keys::Browser.defaultText.toString(), Frame3[0]), 240, 420, 12120, 420);
    Txt_dir->setAttribute(Qt::WA_InputMethodEnabled, false);
    Label3[1] = label(t3, QString(), 120, 2280, 12600);

    // ---- 4: pins
    QWidget* t4 = page(QStringLiteral("ピン表示の設定"));
    Frame7 = frame(t4, QStringLiteral("ピン表示の設定（表示イメージのファイル・縮小版イメージの色を設定）"), 120, 120, 12600, 3000);
    const char* states[] = {"１投目で倒れたピンの表示", "２投目で倒れたピンの表示", "倒れなかったピンの表示"};
    for (int i = 0; i < 3; ++i) {
        const double top = 420 + 780 * i;
        Label4[std::size_t(i)] = label(Frame7, QString::fromUtf8(states[i]), 240, top + 60, 2700, 330);
        pct_pin[std::size_t(i)] = place(new ClickLabel(Frame7, [this, i] { pct_pin_Click(i); }), 3000, top, 450, 450);
        pct_pin[std::size_t(i)]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pct_pin[std::size_t(i)]->setAlignment(Qt::AlignCenter);
        lbl_pin[std::size_t(i)] = place(new ClickLabel(Frame7, [this, i] { lbl_pin_Click(i); }), 3600, top + 30, 6000, 390);
        lbl_pin[std::size_t(i)]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        lbl_pin[std::size_t(i)]->setToolTip(QStringLiteral("25*25dot のグラフィックデータを指定します"));
        lbl_pin[std::size_t(i)]->setCursor(Qt::PointingHandCursor);
        const int c = i + 3;
        lbl_pin[std::size_t(c)] = place(new ClickLabel(Frame7, [this, c] { lbl_pin_Click(c); }), 10080, top + 30, 1200, 390);
        lbl_pin[std::size_t(c)]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        lbl_pin[std::size_t(c)]->setAutoFillBackground(true);
        lbl_pin[std::size_t(c)]->setToolTip(QStringLiteral("ピン配列の縮小版で表示するピンの色を指定します"));
        lbl_pin[std::size_t(c)]->setCursor(Qt::PointingHandCursor);
    }
    Label5 = label(t4, QStringLiteral("ピンのイメージファイルは25*25ドットのサイズで背景色を&hE0E0E0のものを指定して下さい。"),
                   120, 3300, 12600, 600);
    Label5->setWordWrap(true);

    // ---- 5: database
    QWidget* t5 = page(QStringLiteral("データベース（新規・変更等）"));
    Frame6 = frame(t5, QStringLiteral("シーズン・選手・ハンデ"), 120, 120, 3600, 1080);
    Cmd_HDCP = button(Frame6, QStringLiteral("設定画面へ"), 240, 420, 3120, 480, [this] { Cmd_HDCP_Click(); });
    cmd_cmpact = button(t5, QStringLiteral("データベース最適化とバックアップ"), 120, 1500, 3600, 540, [this] { cmd_cmpact_Click(); },
                        QStringLiteral("データベースの修復・最適化・バックアップを行います"));
    cmd_4ce = button(t5, QStringLiteral("Vorlix for CE 用　出力"), 120, 2280, 3600, 540, [this] { cmd_4ce_Click(); });

    // ---- buttons below the tabs
    const char* ok[] = {"設定を保存する (&Save)", "今回のみ、　　　　　 この設定で行う。", "元に戻す"};
    const char* okTip[] = {"設定を保存し、終了します", "", "内容を元に戻し終了します"};
    const double okLeft[] = {120, 4440, 9360}, okWidth[] = {4080, 4680, 3720};
    for (int i = 0; i < 3; ++i)
        Cmd_OK[std::size_t(i)] = button(this, QString::fromUtf8(ok[i]), okLeft[i], 4740, okWidth[i], 600,
                                        [this, i] { Cmd_OK_Click(i); }, QString::fromUtf8(okTip[i]));

    menu_file = addMenu(QStringLiteral("ファイル(&F)"));
    menu_save = addEntry(menu_file, QStringLiteral("設定を保存する(&S)"), [this] { Cmd_OK_Click(0); });
    menu_onlyone = addEntry(menu_file, QStringLiteral("今回のみ、この設定で行う"), [this] { Cmd_OK_Click(1); });
    menu_cancel = addEntry(menu_file, QStringLiteral("元に戻す(&B)"), [this] { Cmd_OK_Click(2); });
    menu_file->addSeparator();
    menu_set = addEntry(menu_file, QStringLiteral("シーズン名・選手名・ハンデの設定"), [this] { Cmd_HDCP_Click(); });
    menu_file->addSeparator();
    menu_compact = addEntry(menu_file, QStringLiteral("データベースの最適化とバックアップ(&C)"), [this] { cmd_cmpact_Click(); });
    menu_h = addMenuCommand(QStringLiteral("ヘルプ(&H)"), [this] { menu_h_Click(); });
}

void Form_Settei::Form_Load() {
    restorePosition(QStringLiteral("set"));
    Txt_dir->setText(settei::storedBrowser());
    showGeneral();
    for (int i = 0; i < 3; ++i) setPinFile(i, Module1::PinImageFiles[std::size_t(i)]);
    for (int i = 0; i < 3; ++i) setPinColor(i + 3, Module1::PinColors[std::size_t(i)]);
}

void Form_Settei::Form_Unload(bool&) { savePosition(QStringLiteral("set")); }

void Form_Settei::showGeneral() {
    const settei::GeneralOptions o = settei::fromSharedState();
    for (int i = 0; i < 10; ++i) Txt_Spl[std::size_t(i)]->setText(o.marks[std::size_t(i)]);
    KAZ->setText(QString::number(o.lastGame + 1));
    Chk_HCP[0]->setChecked(o.hcpRequired);
    Chk_Data[0]->setChecked(o.showPrizeBoard);
    Chk_Data[1]->setChecked(o.showPointsList);
    Chk_rule[0]->setChecked(o.splitsNotSpareMisses);
    Chk_STSP->setChecked(o.awardsByGameAverage);
    Chk_HCP[1]->setChecked(o.averageWithHandicap);
    // A value above 2 sets no button, so the group must allow none to be set.
    for (auto* group : {&Opt_PntTarget, &Opt_PntCalc}) {
        const int chosen = group == &Opt_PntTarget ? o.pointTarget : o.pointMethod;
        for (int i = 0; i < 3; ++i) {
            QRadioButton* b = (*group)[std::size_t(i)];
            b->setAutoExclusive(false);
            b->setChecked(i == chosen);
            b->setAutoExclusive(true);
        }
    }
}

bool Form_Settei::readGeneral(settei::GeneralOptions& o) {
    const auto games = settei::parseGamesNumber(KAZ->text());
    if (!games) {
        Beep();
        MsgBox(settei::gamesNumberMessage(), vbExclamation);
        SSTab1->setCurrentIndex(2);
        setFocusLater(KAZ);
        return false;
    }
    std::array<QString, 10> typed;
    for (int i = 0; i < 10; ++i) typed[std::size_t(i)] = Txt_Spl[std::size_t(i)]->text();
    o.marks = settei::limitMarks(typed);
    for (int i = 0; i < 10; ++i) Txt_Spl[std::size_t(i)]->setText(o.marks[std::size_t(i)]);
    if (const auto problem = settei::checkMarks(o.marks)) {
        Beep();
        MsgBox(problem->message, vbExclamation);
        SSTab1->setCurrentIndex(0);
        setFocusLater(Txt_Spl[std::size_t(problem->index)]);
        return false;
    }
    o.lastGame = *games;
    o.hcpRequired = Chk_HCP[0]->isChecked();
    o.showPrizeBoard = Chk_Data[0]->isChecked();
    o.showPointsList = Chk_Data[1]->isChecked();
    o.splitsNotSpareMisses = Chk_rule[0]->isChecked();
    o.awardsByGameAverage = Chk_STSP->isChecked();
    o.averageWithHandicap = Chk_HCP[1]->isChecked();
    o.pointTarget = o.pointMethod = -1;
    for (int i = 2; i >= 0; --i) {
        if (Opt_PntTarget[std::size_t(i)]->isChecked()) o.pointTarget = i;
        if (Opt_PntCalc[std::size_t(i)]->isChecked()) o.pointMethod = i;
    }
    return true;
}

void Form_Settei::Cmd_OK_Click(int index) {
    settei::GeneralOptions o;
    switch (index) {
    case 0: {
        if (!readGeneral(o)) return;
        settei::apply(o);
        settei::store(o);
        settei::PinOptions pins;
        for (int i = 0; i < 3; ++i) {
            pins.files[std::size_t(i)] = pinFiles_[std::size_t(i)];
            pins.colors[std::size_t(i)] = pinColor(i + 3);
        }
        settei::storePins(pins);
        settei::applyPins(pins);
        settei::storeBrowser(Txt_dir->text());
        break;
    }
    case 1:
        if (!readGeneral(o)) return;
        settei::apply(o);
        break;
    case 2:
        showGeneral();
        break;
    default:
        break;
    }
    Unload();
}

void Form_Settei::Txt_Spl_LostFocus(int index) {
    QLineEdit* box = Txt_Spl[std::size_t(index)];
    const QString limited = settei::limitMark(box->text());
    if (limited != box->text()) box->setText(limited);
}

void Form_Settei::setPinFile(int index, const QString& fileName) {
    pinFiles_[std::size_t(index)] = fileName;
    setFittingText(lbl_pin[std::size_t(index)], fileName, Qt::ElideMiddle);
    lbl_pin_Change(index);
}

void Form_Settei::lbl_pin_Change(int index) {
    if (index < 0 || index > 2) return;
    const QString& name = pinFiles_[std::size_t(index)];
    const QString path = QFileInfo(name).isRelative() ? inProgramFolder(name) : name;
    QPixmap picture;
    // A file that cannot be read leaves the preview empty; the dialog goes on as before.
    if (!name.isEmpty() && picture.load(path)) pct_pin[std::size_t(index)]->setPixmap(picture);
    else pct_pin[std::size_t(index)]->clear();
}

std::int32_t Form_Settei::pinColor(int index) const {
    const QColor c = lbl_pin[std::size_t(index)]->palette().color(QPalette::Window);
    return std::int32_t(c.red() | (c.green() << 8) | (c.blue() << 16));
}

void Form_Settei::setPinColor(int index, std::int32_t color) {
    QLabel* l = lbl_pin[std::size_t(index)];
    QPalette p = l->palette();
    p.setColor(QPalette::Window, vbColor(color));
    l->setPalette(p);
}

void Form_Settei::lbl_pin_Click(int index) {
    if (index >= 0 && index <= 2) {
        const QString chosen = dialogs().openFile(
            QStringLiteral("ファイルを開く"),
            QStringLiteral("jpgファイル (*.jpg)|*.jpg|ビットマップファイル (*.bmp)|*.bmp"),
            pinFiles_[std::size_t(index)]);
        if (!chosen.isEmpty()) setPinFile(index, chosen);
    } else if (index >= 3 && index <= 5) {
        if (const auto c = dialogs().chooseColor(pinColor(index))) setPinColor(index, *c);
    }
    enterProgramFolder();
}

void Form_Settei::cmd_filename_Click() {
    // Programs here carry no .exe, so every file can be chosen too.
    const QString chosen = dialogs().openFile(QStringLiteral("ファイルを開く"),
                                              QStringLiteral("exeファイル (*.exe)|*.exe|すべてのファイル (*)|*"),
                                              Txt_dir->text());
    if (!chosen.isEmpty()) Txt_dir->setText(chosen);
    enterProgramFolder();
}

void Form_Settei::Cmd_HDCP_Click() { forms::get<form_HDCP>().Show(); }

void Form_Settei::cmd_cmpact_Click() {
    // The connection is closed for the renames, so no window may hold a bound grid meanwhile.
    QStringList bound;
    for (Form* f : forms::all())
        if (f != this && !f->findChildren<DataSource*>().isEmpty()) bound << QStringLiteral("「") + f->windowTitle() + QStringLiteral("」");
    if (!bound.isEmpty()) {
        MsgBox(QStringLiteral("次の画面を閉じてから実行してください。\r") + bound.join(QStringLiteral("\r")), vbExclamation);
        return;
    }
    if (MsgBox(dbmaint::compactQuestion(), vbOKCancel) != vbOK) return;
    forms::showWaiting();
    const dbmaint::Outcome r = dbmaint::compact();
    forms::hideWaiting();
    enterProgramFolder();
    if (r.ok) MsgBox(dbmaint::compactDoneMessage());
    else MsgBox(r.message, vbExclamation);
}

void Form_Settei::cmd_4ce_Click() {
    MsgBox(dbmaint::exportIntroMessage());
    // Never preset with a name chosen earlier in this window: a cancel writes nothing.
    const QString path = dialogs().saveFile(QStringLiteral("名前を付けて保存"), QString(), QString());
    enterProgramFolder();
    if (path.isEmpty()) return;
    const dbmaint::Outcome r = dbmaint::exportPlayerNames(path);
    if (r.ok) MsgBox(dbmaint::exportDoneMessage());
    else MsgBox(r.message, vbExclamation);
}

void Form_Settei::menu_h_Click() { launcher::openHelp(QStringLiteral("vh_settei.htm")); }

}  // namespace vx
