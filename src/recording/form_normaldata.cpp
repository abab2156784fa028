#include "recording/form_normaldata.h"
#include "platform/controls.h"
#include "recording/form_data.h"
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

namespace vx {

namespace {
// A fixed-pitch face: one full-width character is two half-width ones, so the lists line up.
QFont listFont() {
    QFont f(QStringLiteral("IPAGothic"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(10);
    return f;
}

// The widest value the board shows: an average in full, as the board writes numbers (up to 15
// significant digits), below one and negative through a handicap.
const QString LongestValue = QStringLiteral("-0.888888888888889");

// The width a box needs to show text whole: its size hint is room for 17 "x" besides the frame and
// margins, and the cursor takes a pixel.
int lineEditWidthFor(QLineEdit* box, const QString& text) {
    const QFontMetrics fm = box->fontMetrics();
    return box->sizeHint().width() - 17 * fm.horizontalAdvance(QLatin1Char('x')) + fm.horizontalAdvance(text) + 1;
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

    static const char16_t* const titles[] = {u"トップ賞（ハンデ込み最高点）", u"ハイゲーム（ハンデ無し最高点）",
                                              u"最多ストライク",               u"最多スペア",
                                              u"アベレージ賞",                 u"ブービー賞"};
    int prizeWidth = 0;
    for (int i = 0; i < 6; ++i) {
        const int top = 60 + i * 780;
        Frm[i] = new QGroupBox(QString::fromUtf16(titles[i]), this);
        Txt_Name[i] = new QLineEdit(Frm[i]);
        Txt_Name[i]->setGeometry(twips(120), twips(300), twips(1800), twips(330));
        Label1[i] = new QLabel(QStringLiteral("さん"), Frm[i]);
        Txt_Ten[i] = new QLineEdit(Frm[i]);
        Txt_Ten[i]->setAlignment(Qt::AlignRight);
        Lbl_Unit[i] = new QLabel(i == 2 || i == 3 ? QStringLiteral("個") : QStringLiteral("点"), Frm[i]);
        // "さん", the value box and the unit follow the name, each as wide as its text.
        const QFontMetrics fm = Label1[i]->fontMetrics();
        int x = Txt_Name[i]->geometry().right() + 1 + 4;
        Label1[i]->setGeometry(x, twips(300), fm.horizontalAdvance(Label1[i]->text()) + 2, twips(330));
        x += Label1[i]->width() + 2;
        Txt_Ten[i]->setGeometry(x, twips(300), lineEditWidthFor(Txt_Ten[i], LongestValue), twips(330));
        x += Txt_Ten[i]->width() + 4;
        Lbl_Unit[i]->setGeometry(x, twips(300), fm.horizontalAdvance(Lbl_Unit[i]->text()) + 2, twips(330));
        x += Lbl_Unit[i]->width() + twips(60);
        if (i < 5) Cmd_B10[i] = button(Frm[i], QStringLiteral("Best10"), toTwips(x), 270, 720, 390, [this, i] { Cmd_B10_Click(i); });
        prizeWidth = x + twips(720) + twips(120);
        Frm[i]->setGeometry(twips(120), twips(top), prizeWidth, twips(720));
    }

    Frame1 = new QGroupBox(QStringLiteral(" 各賞の Best 10 "), this);
    Frame1->setGeometry(twips(120) + prizeWidth + twips(120), twips(60), twips(3300), twips(4620));
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

    const double frameRight = toTwips(Frame1->geometry().right() + 1);
    Cmd_OK = button(this, QStringLiteral("閉じる (&C)"), frameRight - 2160, 4860, 1800, 480, [this] { Cmd_OK_Click(); });
    setClientSizeTwips(frameRight + 120, 5640);

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
        Txt_Ten[i]->setCursorPosition(0);
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
