#include "recording/form_normaldata.h"
#include "platform/twips.h"
#include "recording/form_data.h"
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vx {

namespace {
// A fixed-pitch face: one full-width character is two half-width ones, so the lists line up.
QFont listFont() {
    QFont f(QStringLiteral("IPAGothic"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(10);
    return f;
}

QString forDisplay(const QString& crlfLines) {
    QString s = crlfLines;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (s.endsWith(QLatin1Char('\n'))) s.chop(1);
    return s;
}
}  // namespace

Form_NormalDATA::Form_NormalDATA() {
    setWindowTitle(QStringLiteral("一般的な表彰データ"));
    setClientSizeTwips(8160, 5640);

    static const char16_t* const titles[6] = {u"トップ賞（ハンデ込み最高点）", u"ハイゲーム（ハンデ無し最高点）",
                                              u"最多ストライク",               u"最多スペア",
                                              u"アベレージ賞",                 u"ブービー賞"};
    for (int i = 0; i < 6; ++i) {
        const int top = 60 + i * 780;
        Frm[i] = new QGroupBox(QString::fromUtf16(titles[i]), this);
        Frm[i]->setGeometry(twips(120), twips(top), twips(4500), twips(720));
        Txt_Name[i] = new QLineEdit(Frm[i]);
        Txt_Name[i]->setGeometry(twips(120), twips(300), twips(1800), twips(330));
        // The value box sits in the blank between "さん" and the unit.
        const bool pieces = i == 2 || i == 3;
        Label1[i] = new QLabel(pieces ? QStringLiteral("さん　　　　　 個") : QStringLiteral("さん　　　　　 点"), Frm[i]);
        Label1[i]->setGeometry(twips(1980), twips(300), twips(1700), twips(330));
        const QFontMetrics fm = Label1[i]->fontMetrics();
        const int from = fm.horizontalAdvance(QStringLiteral("さん")) + 4;
        const int to = fm.horizontalAdvance(QStringLiteral("さん　　　　　 ")) - 2;
        Txt_Ten[i] = new QLineEdit(Frm[i]);
        Txt_Ten[i]->setGeometry(Label1[i]->x() + from, twips(300), to - from, twips(330));
        Txt_Ten[i]->setAlignment(Qt::AlignRight);
        if (i < 5) {
            Cmd_B10[i] = new QPushButton(QStringLiteral("Best10"), Frm[i]);
            Cmd_B10[i]->setGeometry(twips(3660), twips(270), twips(720), twips(390));
            connect(Cmd_B10[i], &QPushButton::clicked, this, [this, i] { Cmd_B10_Click(i); });
        }
    }

    Frame1 = new QGroupBox(QStringLiteral(" 各賞の Best 10 "), this);
    Frame1->setGeometry(twips(4740), twips(60), twips(3300), twips(4620));
    const QFont font = listFont();
    Label2 = new QLabel(QStringLiteral("１２３４５６７８９10"), Frame1);
    Label2->setFont(font);
    Label2->setWordWrap(true);  // one row number a line, beside the lists' lines
    Label2->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Txt_B10[0] = new QPlainTextEdit(Frame1);
    Txt_B10[1] = new QPlainTextEdit(Frame1);
    for (QPlainTextEdit* t : Txt_B10) {
        t->setFont(font);
        t->setReadOnly(true);
        t->setLineWrapMode(QPlainTextEdit::NoWrap);
        t->setFrameShape(QFrame::NoFrame);
        t->document()->setDocumentMargin(0);
        t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    const int line = QFontMetrics(font).lineSpacing();
    Label2->setGeometry(twips(90), twips(330), QFontMetrics(font).horizontalAdvance(QStringLiteral("10")) + 2,
                        line * 10 + 4);
    Txt_B10[0]->setGeometry(twips(480), twips(330), twips(1800), line * 11);
    Txt_B10[1]->setGeometry(twips(2340), twips(330), twips(840), line * 11);

    Cmd_OK = new QPushButton(QStringLiteral("閉じる (&C)"), this);
    Cmd_OK->setGeometry(twips(5880), twips(4860), twips(1800), twips(480));
    connect(Cmd_OK, &QPushButton::clicked, this, [this] { Cmd_OK_Click(); });

    QMenu* file = addMenu(QStringLiteral("ファイル(&F)"));
    addEntry(file, QStringLiteral("閉じる(&X)"), [this] { menu_off_Click(); });
}

void Form_NormalDATA::Form_Load() { restorePosition(QStringLiteral("nml")); }

void Form_NormalDATA::Form_Unload(bool&) { savePosition(QStringLiteral("nml")); }

void Form_NormalDATA::setBoard(const PrizeBoard& board) {
    for (int i = 0; i < 6; ++i) {
        Txt_Name[i]->setText(board.names[std::size_t(i)]);
        Txt_Ten[i]->setText(board.values[std::size_t(i)]);
        Txt_Name[i]->setCursorPosition(0);
    }
    for (QPlainTextEdit* t : Txt_B10) t->clear();
}

void Form_NormalDATA::Cmd_B10_Click(int index) {
    // The per-game option is read as the results window shows it now.
    DayOptions opt;
    if (Form_Data* data = forms::loaded<Form_Data>()) opt = data->options();
    const Best10List list = Best10Lines(index, opt);
    Txt_B10[0]->setPlainText(forDisplay(list.names));
    Txt_B10[1]->setPlainText(forDisplay(list.values));
}

void Form_NormalDATA::Cmd_OK_Click() { Unload(); }

void Form_NormalDATA::menu_off_Click() { Cmd_OK_Click(); }

}  // namespace vx
