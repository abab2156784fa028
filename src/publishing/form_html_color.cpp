#include "publishing/form_html_color.h"
#include "common/convert.h"
#include "common/dialogs.h"
#include "common/module1.h"
#include "platform/controls.h"
#include "publishing/htmlpage.h"
#include <QMenu>
#include <QMouseEvent>

namespace vx {

namespace {

// A label that reports a click.
class ClickLabel : public QLabel {
public:
    ClickLabel(const QString& text, QWidget* parent, std::function<void()> onClick)
        : QLabel(text, parent), onClick_(std::move(onClick)) {}

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) onClick_();
    }

private:
    std::function<void()> onClick_;
};

// Members of the shared colours: background and text colour of groups 0..3.
constexpr std::size_t Back[] = {0, 2, 4, 6};
constexpr std::size_t Fore[] = {1, 3, 5, 7};
// Rows from the top: the page, ordinary cells, highlighted cells, averages.
constexpr int RowOf[] = {1, 2, 3, 0};

QColor colorOf(const QString& text) { return vbColor(CLng(text).value_or(0)); }

void paintWidget(QWidget* w, const QString& background, const QString* text = nullptr) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colorOf(background));
    if (text) p.setColor(QPalette::WindowText, colorOf(*text));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

}  // namespace

Form_HTML_color::Form_HTML_color() {
    setWindowTitle(QStringLiteral("HTMLの色指定"));
    setClientSizeTwips(4800, 2880);
    Label1 = label(this, QStringLiteral("文字色　　　　背景色"), 360, 120, 3600);
    const char* const captions[] = {"一般項目欄", "入賞項目欄", "平均欄", "全般・タイトル"};
    for (int k = 0; k < 4; ++k) {
        const double top = 480 + 420 * RowOf[k];
        Lbl_color[std::size_t(k)] = place(new ClickLabel(QString::fromUtf8(captions[k]), this, [this, k] { Lbl_color_Click(k); }),
                                          240, top, 2040, 360);
        Lbl_color[std::size_t(k)]->setAlignment(Qt::AlignCenter);
        Lbl_color[std::size_t(k)]->setFrameShape(QFrame::Box);
        const int i = (k + 1) % 4;  // the sample of group k is Label2(k + 1); the page's is Label2(0)
        Label2[std::size_t(i)] = place(new ClickLabel(QString(), this, [this, i] { Label2_Click(i); }), 2520, top, 1200, 360);
        Label2[std::size_t(i)]->setFrameShape(QFrame::Box);
    }
    Cmd_End[1] = button(this, QStringLiteral("O K (&Save)"), 240, 2280, 1560, 420, [this] { Cmd_End_Click(1); });
    Cmd_End[0] = button(this, QStringLiteral("変更を取り消して戻る (&Back)"), 1920, 2280, 2640, 420, [this] { Cmd_End_Click(0); });
    QMenu* file = addMenu(QStringLiteral("ファイル(&F)"));
    menu_go = addEntry(file, QStringLiteral("決定する(&S)"), [this] { Cmd_End_Click(1); });
    menu_cancel = addEntry(file, QStringLiteral(" やめる　(&X)"), [this] { Cmd_End_Click(0); });
}

void Form_HTML_color::Form_Load() {
    restorePosition(QStringLiteral("htmlcolor"));
    Module1::HtmlColors = publishing::storedHtmlColors();
    Module1::HtmlColorEdits = Module1::HtmlColors;
    paint();
}

void Form_HTML_color::Form_Unload(bool&) { savePosition(QStringLiteral("htmlcolor")); }

void Form_HTML_color::paint() {
    const auto& c = Module1::HtmlColorEdits;
    for (std::size_t k = 0; k < 4; ++k) paintWidget(Lbl_color[k], c[Back[k]], &c[Fore[k]]);
    for (std::size_t i = 1; i < 4; ++i) paintWidget(Label2[i], c[Back[i - 1]]);
    paintWidget(Label2[0], c[Back[3]]);
    paintWidget(this, c[Back[3]], &c[Fore[3]]);
}

void Form_HTML_color::pick(std::size_t member) {
    QString& copy = Module1::HtmlColorEdits[member];
    // A cancelled dialog keeps the colour.
    if (const auto chosen = dialogs().chooseColor(CLng(copy).value_or(0))) copy = QString::number(*chosen);
    paint();
}

void Form_HTML_color::Label2_Click(int Index) { pick(Back[std::size_t((Index + 3) % 4)]); }

void Form_HTML_color::Lbl_color_Click(int Index) { pick(Fore[std::size_t(Index)]); }

void Form_HTML_color::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Form_Click();
}

void Form_HTML_color::Cmd_End_Click(int Index) {
    if (Index == 1) {
        Module1::HtmlColors = Module1::HtmlColorEdits;
        publishing::saveHtmlColors(Module1::HtmlColors);
    }
    Unload();
}

}  // namespace vx
