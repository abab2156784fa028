// The platform layer: child windows and the active one, the real and the scripted dialogs, bound
// grids and boxes, picture boxes.
#include "platform/datanavigator.h"
#include "platform/printer.h"
#include "platform/qtdialogs.h"
#include <QPaintEngine>
#include <QPdfWriter>

using namespace Qt::StringLiterals;

namespace {
// A plain window: counts what the forms layer calls, may refuse to close; a box, and a button that
// takes no focus with an Alt letter.
struct Win : Form {
    QLineEdit* box = new QLineEdit(this);
    QPushButton* go;
    int loads = 0, activations = 0, deactivations = 0, clicks = 0, closeMode = -1, queries = 0;
    bool refuse = false;
    explicit Win(char letter) : go(new QPushButton(u"&"_s + QLatin1Char(letter), this)) {
        go->move(0, 30);
        go->setFocusPolicy(Qt::NoFocus);
        connect(go, &QPushButton::clicked, this, [this] { ++clicks; });
        addMenuCommand(QString(QLatin1Char(letter)), [] {});
    }
    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activations; }
    void Form_Deactivate() override { ++deactivations; }
    void Form_QueryUnload(bool& cancel, int mode) override { cancel = refuse, closeMode = mode, ++queries; }
};
struct WinA : Win { WinA() : Win('G') {} };
// Counts the paint events a widget gets.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override { return paints += e->type() == QEvent::Paint, false; }
};
struct WinB : Win { WinB() : Win('H') {} };
struct WinC : Win { WinC() : Win('J') {} };

// A default printer that keeps each character drawn on it, with its page and place.
struct DrawnPrints final : PrintDevice {
    struct Engine final : QPaintEngine {
        DrawnPrints* to;
        explicit Engine(DrawnPrints* d) : QPaintEngine(AllFeatures), to(d) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF& p, const QTextItem& t) override { to->drawn.append({to->pages, p, t.text(), t.font()}); }
        Type type() const override { return User; }
    };
    struct Surface final : QPdfWriter {
        Engine* engine;
        int* pages;
        Surface(QIODevice* out, Engine* e, int* p) : QPdfWriter(out), engine(e), pages(p) {}
        QPaintEngine* paintEngine() const override { return engine; }
        bool newPage() override { return ++*pages, true; }
    };
    struct Drawn {
        int page;
        QPointF at;
        QString text;
        QFont font;
    };
    QList<Drawn> drawn;
    int pages = 0;
    QPageSize paper;
    Engine engine{this};
    QBuffer bytes;
    std::unique_ptr<Surface> surface;

    explicit DrawnPrints(const QPageSize& size) : paper(size) { setPrintDevice(this); }
    ~DrawnPrints() override { setPrintDevice(nullptr); }
    QString name() override { return u"drawn"_s; }
    QPageSize defaultPageSize() override { return paper; }
    bool ready() override { return true; }
    QPagedPaintDevice* beginJob(const PrintedDocument&, const QPageSize& size) override {
        drawn.clear(), pages = 1;
        bytes.open(QIODevice::WriteOnly);
        surface = std::make_unique<Surface>(&bytes, &engine, &pages);
        surface->setResolution(72);
        surface->setPageSize(size);
        surface->setPageMargins({});
        return surface.get();
    }
    bool jobTaken() override { return true; }
};

// What a view holds of a model, kept up to date by the model's signals alone: every cell as text,
// cells joined by commas, rows by blanks.
struct Mirror : QObject {
    QAbstractItemModel* m;
    QList<QStringList> rows;
    QStringList row(int r) const {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c) cells << m->index(r, c).data().toString();
        return cells;
    }
    void reset() {
        rows.clear();
        for (int r = 0; r < m->rowCount(); ++r) rows << row(r);
    }
    static QString text(const QList<QStringList>& rows) {
        QStringList out;
        for (const QStringList& r : rows) out << r.join(u',');
        return out.join(u' ');
    }
    QString live() const {
        QList<QStringList> now;
        for (int r = 0; r < m->rowCount(); ++r) now << row(r);
        return text(now);
    }
    explicit Mirror(QAbstractItemModel* model) : m(model) {
        reset();
        connect(m, &QAbstractItemModel::modelReset, this, &Mirror::reset);
        connect(m, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
            for (int r = first; r <= last; ++r) rows.insert(r, row(r));
        });
        connect(m, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex&, int first, int last) { rows.remove(first, last - first + 1); });
        connect(m, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from, const QModelIndex& to) {
            for (int r = from.row(); r <= to.row() && r < rows.size(); ++r)
                for (int c = from.column(); c <= to.column() && c < rows[r].size(); ++c) rows[r][c] = m->index(r, c).data().toString();
        });
    }
};

}  // namespace

class TestPlatform : public GuiTest {
    Q_OBJECT
private Q_SLOTS:
    // What CUPS says of a queue, read as the default printer reads it.
    void cupsAnswers() {
        const auto [queue, instance] = cups::queueAndInstance("office/duplex");
        const auto [plain, none] = cups::queueAndInstance("office");
        const auto [lead, rest] = cups::queueAndInstance("/x");
        QCOMPARE(QList<QByteArray>({queue, instance, plain, none, lead, rest}), QList<QByteArray>({"office", "duplex", "office", "", "", "x"}));
        QString takes;
        for (const auto& [state, accepting] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"3", "true"}, {"4", nullptr}, {"5", "true"}, {"3", "false"}, {nullptr, nullptr}, {"6", "true"}})
            takes += cups::takesJobs(state, accepting) ? '1' : '0';
        QCOMPARE(takes, QString("110011"));
        QCOMPARE(QList<bool>({cups::failed(0), cups::failed(0xFF), cups::failed(0x100), cups::failed(0x400)}), QList<bool>({false, false, true, true}));
    }

    // The window shown, clicked or left on top is the active one, with its menus and the keyboard
    // (a click activates before the control acts); an Alt letter clicks the active window's enabled
    // button only; a late focus request or the hiding of a window behind moves nothing. Closing asks
    // the window; a refusal or a window without a close box keeps it; an unloaded window leaves the
    // registry and the one on top takes over. A position set in twips reads back while it stands.
    void windowsActivateCloseAndKeepTheirPlaces() {
        forms::registerWindow<WinA>(u"A"_s);
        QVERIFY(!forms::show(u"none"_s) && !forms::loadedByName(u"A"_s) && forms::show(u"A"_s));
        WinA& a = *forms::loaded<WinA>();
        QCOMPARE(forms::loadedByName(u"A"_s), &a);
        WinB& b = forms::get<WinB>();
        b.Show();
        b.setLeft(4500);
        settle();
        QCOMPARE(notOnTop(b), QString());
        bool activeAtPress = false;
        connect(a.go, &QPushButton::pressed, this, [&] { activeAtPress = MdiFrame::instance()->activeForm() == &a; });
        click(a.go);
        QVERIFY(activeAtPress && notOnTop(a).isEmpty() && QApplication::focusWidget() == a.box);
        for (Qt::Key k : {Qt::Key_G, Qt::Key_H, Qt::Key_unknown, Qt::Key_G, Qt::Key_X})  // the button disabled half way
            k == Qt::Key_unknown ? a.go->setEnabled(false) : press(k, Qt::AltModifier);
        QCOMPARE(a.box->text(), QString());  // no letter is typed, also one that nothing owns
        QCOMPARE(spaced(QVariantList{a.activations, a.deactivations, a.clicks, b.activations, b.deactivations, b.clicks}), u"2 1 2 1 1 0"_s);

        click(b.go);
        b.Hide();
        Form::setFocusLater(b.box);
        Form::giveFocus(a.go);
        settle();
        QCOMPARE(notOnTop(a), QString());
        b.Show();
        QVERIFY(notOnTop(b).isEmpty() && QApplication::focusWidget() == b.box);
        a.Hide();
        settle();
        QCOMPARE(notOnTop(b), QString());
        b.Hide();
        settle();
        QVERIFY(MdiFrame::instance()->menuBar()->actions().isEmpty());  // no window's menus stand
        a.Show();
        b.Show();
        QCOMPARE(notOnTop(b), QString());
        b.refuse = true;
        QVERIFY(!b.Unload() && b.closeMode == int(vbFormCode));
        b.subWindow()->close();
        QCOMPARE(b.closeMode, int(vbFormControlMenu));
        b.refuse = false;
        b.setClosable(false);
        const auto closeBox = [&] { return int(b.subWindow()->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint)); };
        QCOMPARE(closeBox(), 0);
        b.subWindow()->close();
        settle();
        QCOMPARE(notOnTop(b), QString());
        b.setClosable(true);
        QCOMPARE(closeBox(), int(Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint));
        b.setClientSizeTwips(3000, 1500);
        QCOMPARE(b.size(), QSize(200, 100));
        b.subWindow()->close();
        const int asked = b.queries;
        QVERIFY(b.Unload() && b.queries == asked);  // closing already: not asked again
        settle();
        QVERIFY(!forms::loaded<WinB>() && notOnTop(a).isEmpty());

        // A dialog takes the keyboard; answered, it goes back to the box that had it, or to the one a
        // window asked for while the dialog stood.
        auto* other = new QLineEdit(&a);
        other->move(0, 60);
        other->show();
        click(other);
        dlg->expectMsgBox(vbOK).expectMsgBox(vbOK, {}, [&] { Form::setFocusLater(a.box), settle(); });
        MsgBox(u"1"_s);
        QCOMPARE(QApplication::focusWidget(), other);
        MsgBox(u"2"_s);
        QCOMPARE(QApplication::focusWidget(), a.box);

        a.setLeft(25);
        a.setTop(40);
        QCOMPARE(spaced(QVariantList{a.subWindow()->x(), a.subWindow()->y(), a.Left(), a.Top()}), u"2 3 25 40"_s);
        a.savePosition(u"w"_s);
        a.subWindow()->move(10, 20);
        QCOMPARE(spaced(QVariantList{a.Left(), a.Top(), settings::GetSetting(u"form"_s, u"W_Left"_s, {})}), u"150 300 25"_s);
        QVERIFY(a.Unload());
        QVERIFY(a.Unload());  // already going: not asked again
        QCOMPARE(a.queries, 1);
        WinA& again = forms::get<WinA>();
        again.restorePosition(u"w"_s);
        QCOMPARE(spaced(QVariantList{again.loads, again.Left(), again.Top()}), u"1 25 40"_s);
    }

    // The real input box, file dialogs and colour dialog: what they show, and what they answer
    // when accepted or cancelled; every file dialog leaves the program's folder current.
    void realInputFileAndColourDialogs() {
        QtDialogs real;
        QString seen;
        const auto answer = [&](auto look) {
            QTimer::singleShot(0, this, [&, look] {
                if (QWidget* d = QApplication::activeModalWidget()) seen += d->windowTitle() + u'|', look(d);
            });
        };
        for (bool accept : {true, false}) {
            answer([&, accept](QWidget* w) {
                auto* d = qobject_cast<QInputDialog*>(w);
                seen += d->labelText() + u'|' + d->textValue() + u' ';
                d->setTextValue(u"答え"_s);
                accept ? d->accept() : d->reject();
            });
            seen += real.inputBox(u"問\r題"_s, accept ? QString() : u"題"_s, u"初め"_s) + u' ';
        }
        QCOMPARE(seen, defaultTitle() + u"|問\n題|初め 答え 題|問\n題|初め  "_s);
        const QString file = env->path(u"a.txt"_s);
        QFile made(file);
        QVERIFY(made.open(QIODevice::WriteOnly));
        made.close();
        for (int kind = 0; kind < 4; ++kind) {
            seen.clear();
            QDir::setCurrent(QDir::tempPath());
            answer([&, kind](QWidget* w) {
                auto* d = qobject_cast<QFileDialog*>(w);
                seen += d->nameFilters().join(u';') + u'|' + QString::number(d->acceptMode()) + u' ';
                d->selectFile(kind % 2 ? env->path(u"b.txt"_s) : file);  // a new file to save: no question
                kind < 2 ? static_cast<QDialog*>(d)->accept() : d->reject();
            });
            const QString chosen = kind % 2 ? real.saveFile(u"保存"_s, u"文|*.txt"_s, file) : real.openFile(u"開く"_s, u"文|*.txt"_s, file);
            seen += QFileInfo(chosen).fileName() + u' ' + QString::number(QDir::current() == QDir(programFolder()));
            const char16_t* expected[4] = {u"開く|文 (*.txt)|0 a.txt 1", u"保存|文 (*.txt)|1 b.txt 1", u"開く|文 (*.txt)|0  1", u"保存|文 (*.txt)|1  1"};
            QCOMPARE(seen, QString::fromUtf16(expected[kind]));
        }
        for (bool accept : {true, false}) {
            seen.clear();
            answer([&, accept](QWidget* w) {
                auto* d = qobject_cast<QColorDialog*>(w);
                seen += QString::number(d->currentColor().rgb() & 0xFFFFFF, 16) + u' ';
                d->setCurrentColor(QColor(0x12, 0x34, 0x56));
                accept ? d->accept() : d->reject();
            });
            const auto chosen = real.chooseColor(0xFF);
            QCOMPARE(seen.section(u'|', 1) + (chosen ? QString::number(*chosen, 16) : u"none"_s), accept ? u"ff0000 563412"_s : u"ff0000 none"_s);
        }
    }

    // A document goes out character by character at its column (a full-width one takes two, a
    // blank draws nothing), line under line in the document's size, onto a new page where the
    // paper ends or the document asks for one.
    void printedCharactersStandInTheirColumns() {
        // Paper for four lines exactly, the last touching its edge.
        DrawnPrints printer(QPageSize(QSizeF(200, 43), QPageSize::Point, {}, QPageSize::ExactMatch));
        Printer& doc = Printer::instance();
        doc.setFontSize(5), doc.setZoom(200);
        doc.Print(u"捨て"_s);
        doc.KillDoc();
        QVERIFY(!doc.hasDocument() && !doc.EndDoc(u"nothing"_s));
        doc.Tab(3), doc.Print(u"ab c"_s), doc.Tab(7), doc.Print(u"d"_s), doc.EndLine();
        doc.Print(u"全x"_s), doc.Tab(2), doc.Print(u"y"_s), doc.EndLine();  // past column 2: the next line
        doc.Print(u"𠮷z"_s), doc.EndLine();
        doc.Print(u"5th"_s), doc.NewPage();
        doc.Print(u"p3"_s);
        QString where;
        QVERIFY(doc.EndDoc(u"doc"_s, &where) && !doc.hasDocument());
        QPdfWriter probe(new QBuffer(this));
        probe.setResolution(72);
        QFont font(u"IPAGothic"_s);
        font.setStyleHint(QFont::TypeWriter);
        font.setPointSizeF(10);
        const QFontMetricsF fm(font, &probe);
        const auto drawn = [&] {  // the pages, then page:column,line:character
            QStringList out{QString::number(printer.pages)};
            for (const auto& d : printer.drawn)
                out << QString::number(d.page) + u':' + QString::number(d.at.x() / fm.horizontalAdvance(u'0')) + u',' +
                           QString::number((d.at.y() - fm.ascent()) / fm.lineSpacing()) + u':' + d.text + (d.font == font ? u""_s : u" other font"_s);
            return out.join(u' ');
        };
        QCOMPARE(where + u' ' + drawn(), u"drawn 3 1:2,0:a 1:3,0:b 1:5,0:c 1:6,0:d 1:0,1:全 1:2,1:x 1:1,2:y 1:0,3:𠮷 1:1,3:z 2:0,0:5 2:1,0:t 2:2,0:h 3:0,0:p 3:1,0:3"_s);
        // A document that begins with a new page; a line that would pass the paper's edge.
        printer.paper = QPageSize(QSizeF(200, 52), QPageSize::Point, {}, QPageSize::ExactMatch);
        doc.NewPage();
        for (const char* line : {"1", "2", "3", "4", "5"}) doc.Print(QString::fromLatin1(line)), doc.EndLine();
        QVERIFY(doc.EndDoc(u"doc"_s));
        QCOMPARE(drawn(), u"3 2:0,0:1 2:0,1:2 2:0,2:3 2:0,3:4 3:0,0:5"_s);
    }

    // The window the user was in last takes over when the active one goes, whatever lies on top;
    // a window's title shows on its frame as it changes; a window moved past the frame's bottom
    // can be scrolled to.
    void lastWindowUsedTakesOver() {
        WinA& a = shown<WinA>();
        WinB& b = shown<WinB>();
        WinC& c = shown<WinC>();
        for (Win* w : std::initializer_list<Win*>{&b, &c, &a}) click(w->go);
        a.Hide();  // not the next window in the focus chain
        settle();
        QCOMPARE(notOnTop(c), QString());
        a.Show();
        click(b.go);
        click(a.go);
        c.subWindow()->raise();  // on top, not the last used
        QCOMPARE(notOnTop(a), u"not on top"_s);
        QVERIFY(a.Unload());
        settle();
        QCOMPARE(notOnTop(b), QString());
        MdiFrame::instance()->mdiArea()->activatePreviousSubWindow();  // as the area's own window switching does
        settle();
        QCOMPARE(notOnTop(c), QString());
        QVERIFY(b.Unload());
        settle();
        QCOMPARE(notOnTop(c), QString());
        c.setWindowTitle(u"題"_s);
        c.setTop(c.Top() + 60000);
        settle();
        QCOMPARE(c.subWindow()->windowTitle(), u"題"_s);
        QVERIFY(MdiFrame::instance()->mdiArea()->verticalScrollBar()->isVisible());
    }

    // Real message boxes in Japanese: each button set answers Enter with its default button and
    // Escape with Cancel where there is one, else the only button.
    void realMessageBoxes() {
        QVERIFY(installJapaneseQtTexts());
        struct Case { int style; Qt::Key key; int answer; const char* shown; };
        const Case cases[] = {
            {vbOKOnly, Qt::Key_Escape, vbOK, "0 OK"},
            {vbOKCancel | vbDefaultButton2 | vbCritical, Qt::Key_Return, vbCancel, "3 OKキャンセル"},
            {vbOKCancel | vbQuestion, Qt::Key_Return, vbOK, "4 OKキャンセル"},
            {vbYesNo | vbExclamation, Qt::Key_Return, vbYes, "2 はい(&Y)いいえ(&N)"},
            {vbYesNo | vbDefaultButton2 | vbInformation, Qt::Key_Return, vbNo, "1 はい(&Y)いいえ(&N)"},
            {vbYesNoCancel | vbDefaultButton3, Qt::Key_Return, vbCancel, "0 キャンセルはい(&Y)いいえ(&N)"},
            {vbAbortRetryIgnore | vbDefaultButton2, Qt::Key_Return, vbRetry, "0 再試行無視中止"},
            {vbRetryCancel, Qt::Key_Escape, vbCancel, "0 再試行キャンセル"}};
        QtDialogs real;
        for (const Case& c : cases) {
            QString seen;
            QTimer::singleShot(0, this, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return;
                seen = box->windowTitle() + u'|' + box->text() + u'|' + QString::number(box->icon()) + u' ';
                for (QAbstractButton* b : box->buttons()) seen += b->text();
                QTest::keyClick(box, c.key);
            });
            QCOMPARE(real.msgBox(u"一\r二"_s, c.style, {}), c.answer);
            QCOMPARE(seen, defaultTitle() + u"|一\n二|"_s + QString::fromUtf8(c.shown));
        }
        QCOMPARE(qtFilter(u"データ|*.dat;*.txt|すべて|*.*"_s), u"データ (*.dat *.txt);;すべて (*.*)"_s);
        QCOMPARE(qtFilter(u"すべて|*.*|"_s), u"すべて (*.*)"_s);  // a name without its patterns is left out
        QCOMPARE(displayText(u"a\r\nb\rc"_s), u"a\nb\nc"_s);
        // The scripted dialogs fail a test on a dialog nobody expected, and on one that never came.
        QEXPECT_FAIL("", "unexpected", Continue);
        QCOMPARE(MsgBox(u"?"_s, vbYesNoCancel), int(vbNo));  // the safe answer
        auto* inner = new ScriptedDialogs;
        inner->expectMsgBox(vbOK, u"never"_s);
        QEXPECT_FAIL("", "never came", Continue);
        delete inner;
        QCOMPARE(&installedDialogs(), dlg.get());  // restored; passes only when the expected failure came
    }

    // A grid and boxes bound to one data source follow its record both ways; leaving an edited row
    // stores it (typed in a cell, a box or an editor still open), as do a move and a refresh;
    // Escape drops it; the new-record line becomes a record when left.
    void boundGridAndBoxesFollowOneRecord() {
        QVERIFY(execSql("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2000','一'),('2001','二'),('2002','三')"));
        const auto stored = [] { return db::scalar("SELECT group_concat(シーズン名) FROM シーズン").toString(); };
        DataSource ds;
        ds.setRecordSource("シーズン降順", "シーズンID");
        QVERIFY(ds.Refresh());
        DBGrid grid;
        grid.setDataSource(&ds);
        auto* m = grid.gridModel();
        QAbstractItemModelTester modelTester(m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        grid.setAllowUpdate(true);
        grid.setAllowAddNew(true);
        QLineEdit id, name;
        ds.bindLineEdit(&id, "シーズンID");
        ds.bindLineEdit(&name, "シーズン名");
        grid.show();
        QCOMPARE(spaced(QVariantList{m->rowCount(), m->headerData(2, Qt::Horizontal)}), u"4 シーズン名"_s);
        QVERIFY(!(m->flags(m->index(0, 0)) & Qt::ItemIsEditable) && !m->setData(m->index(3, 0), "9") &&  // the counter
                grid.selectionMode() == QAbstractItemView::SingleSelection);
        const std::pair<bool (DataSource::*)(), int> moves[] = {
            {&DataSource::MoveLast, 2}, {&DataSource::MovePrevious, 1}, {&DataSource::MoveFirst, 0}, {&DataSource::MoveNext, 1}};
        for (auto [move, row] : moves) {
            QVERIFY((ds.*move)());
            QCOMPARE(spaced(QVariantList{grid.currentIndex().row(), id.text()}), spaced(QVariantList{row, 3 - row}));
        }

        grid.setCurrentIndex(m->index(0, 2));
        QVERIFY(ds.Edit() && ds.UpdateRecord() && !ds.isEditing());  // nothing changed, nothing pending
        QVERIFY(m->setData(m->index(0, 2), "春"));
        QCOMPARE(spaced(QVariantList{m->data(m->index(0, 2)), m->data(m->index(1, 2)), name.text(), stored()}), u"春 二 春 一,二,三"_s);
        QSignalSpy committed(&grid, &DBGrid::rowCommitted), repaint(m, &QAbstractItemModel::dataChanged), resets(m, &QAbstractItemModel::modelAboutToBeReset);
        grid.setCurrentIndex(m->index(1, 2));
        QCOMPARE(spaced(QVariantList{committed.count(), repaint.count(), name.text(), stored()}), u"1 1 二 一,二,春"_s);
        QVERIFY(repaint.first()[0].toModelIndex() == m->index(0, 0) && repaint.first()[1].toModelIndex() == m->index(0, m->columnCount() - 1));  // the whole row
        name.selectAll();
        QTest::keyClicks(&name, "Fall");
        QVERIFY(ds.MoveLast());
        QCOMPARE(m->data(m->index(1, 2)).toString() + stored(), u"Fall一,Fall,春"_s);
        grid.edit(m->index(2, 2));
        auto* editor = grid.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor && editor->text() == u"一"_s);
        editor->selectAll();
        QTest::keyClicks(editor, "Natsu");
        grid.setCurrentIndex(m->index(0, 2));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        grid.edit(m->index(0, 2));
        QVERIFY((editor = grid.viewport()->findChild<QLineEdit*>()));
        editor->setText("Spring");
        QVERIFY(grid.commitRow() && !editor->isVisible());
        QCOMPARE(stored(), u"Natsu,Fall,Spring"_s);

        QVERIFY(m->setData(m->index(0, 2), "x"));
        QTest::keyClick(&grid, Qt::Key_Escape);
        QVERIFY(!ds.isEditing() && m->data(m->index(0, 2)).toString() + name.text() == u"SpringSpring"_s);
        grid.setCurrentIndex(m->index(3, 2));
        QVERIFY(m->setData(m->index(3, 2), "四") && name.text() == u"四"_s);
        grid.setCurrentIndex(m->index(0, 2));
        QCOMPARE(spaced(QVariantList{grid.verticalHeader()->count(), m->data(m->index(3, 0)), m->isNewLine(4), stored()}), u"5 4 true Natsu,Fall,Spring,四"_s);
        QVERIFY(m->setData(m->index(0, 2), "冬"));
        QVERIFY(ds.Refresh());
        QCOMPARE(id.text() + name.text() + stored() + QString::number(resets.count()), u"4四Natsu,Fall,冬,四1"_s);
        grid.setColumnWidth(2, 4);  // a column too narrow for what it shows widens at the next reset
        QVERIFY(ds.Refresh() && grid.columnWidth(2) > grid.fontMetrics().horizontalAdvance(u"Natsu"_s));
        QSignalSpy unknown(&ds, &DataSource::error);
        QVERIFY(!ds.setValue("no such field", 1) && !DBGrid().commitRow() && ds.AddNew() && ds.Delete() && !ds.isAdding());
        QCOMPARE(unknown.value(0).value(0).toString(), u"no such field: no such field"_s);
        grid.setCaption(1, u"期"_s);
        grid.setColumns({"シーズン名", "シーズンID"});  // the grid shows the chosen fields in their order, under their own names
        QCOMPARE(spaced(QVariantList{grid.horizontalHeader()->count(), m->headerData(1, Qt::Horizontal), m->data(m->index(0, 0))}), u"2 シーズンID 四"_s);
        grid.setColumns({"シーズン名", "no such field"});  // a column the source lacks takes no typing
        QCOMPARE(m->setData(m->index(0, 1), "5"), false);
        grid.setColumns({"シーズン名", "シーズンID"});

        // A navigator's move stores a pending new record, also beside a single one.
        QVERIFY(execSql("INSERT INTO 会場 (会場名) VALUES ('北')"));
        DataSource venues;
        venues.setRecordSource("会場");
        QVERIFY(venues.Refresh());
        // A grid of one row: a new format and caption show at once; no field lies past the last column.
        DBGrid one;
        one.setDataSource(&venues);
        DataSourceModel* vm = one.gridModel();
        QSignalSpy cells(vm, &QAbstractItemModel::dataChanged), headers(vm, &QAbstractItemModel::headerDataChanged);
        vm->setColumnFormat(1, [](const QVariant& v) { return v.toString() + u'!'; });
        one.setCaption(1, u"会場"_s);
        QCOMPARE(spaced(QVariantList{cells.count(), headers.count(), vm->data(vm->index(0, 1)), vm->headerData(1, Qt::Horizontal), vm->fieldPosition(1),
                                     vm->fieldPosition(2), vm->columnCount(vm->index(0, 0)), vm->rowCount(vm->index(0, 0)), vm->setData(vm->index(0, 1), "x", Qt::DisplayRole)}),
                 u"1 1 北! 会場 1 -1 0 0 false"_s);
        DataNavigator nav(&venues, {}, nullptr);
        nav.show();
        QVERIFY(venues.AddNew() && venues.setValue("会場名", "南"));
        click(nav.buttons()[0]);
        QCOMPARE(spaced(QVariantList{venues.isAdding(), venues.currentRow(), db::scalar("SELECT group_concat(会場名) FROM 会場")}), u"false 0 北,南"_s);
        QVERIFY(venues.MoveLast());
        venues.MoveNext();  // past the last: no record is current, and "last" goes to the last
        click(nav.buttons()[3]);
        QCOMPARE(venues.currentRow(), 1);
        QVERIFY(venues.setCurrentRow(1) && venues.Delete());  // the last deleted: the one before it becomes current
        QCOMPARE(venues.currentRow(), 0);
        // A box bound to the first field stores what is typed; a read-only source adds nothing.
        DataSource names;
        db::OpenOptions o;
        o.writeTables = {"会場"};
        names.setOptions(o);
        names.setRecordSource("SELECT 会場名, 会場ID FROM 会場", "会場ID");
        QLineEdit place;
        names.bindLineEdit(&place, "会場名");
        QVERIFY(names.Refresh());
        QTest::keyClicks(&place, "E");
        o.type = db::RecordsetType::Snapshot;
        DataSource fixed;
        fixed.setOptions(o);
        fixed.setRecordSource("会場");
        QLineEdit later;  // bound to an open source: shows the record at once
        names.bindLineEdit(&later, "会場名");
        const QString atOnce = later.text();
        QCOMPARE(spaced(QVariantList{atOnce, names.UpdateRecord(), db::scalar("SELECT group_concat(会場名) FROM 会場"), fixed.Refresh(), fixed.AddNew()}),
                 u"北 true 北E true false"_s);
    }

    // Through moves, edits, refusals, new records, cancellations, deletions and re-reads, the grid
    // shows what a view that follows its signals shows, the boxes the current record (a refused
    // value as typed), and the table what was stored.
    void dataSourceStepByStep() {
        QVERIFY(execSql("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2000','一'),('2001','二'),('2002','三')"));
        DataSource ds;
        ds.setRecordSource("シーズン");
        ds.setFieldRule("シーズン時期", [](const QString& t) -> std::optional<QVariant> {
            return t.size() == 4 && t.toInt() > 0 ? std::optional<QVariant>(t) : std::nullopt; }, u"四桁の年"_s);
        QLineEdit year, name;
        ds.bindLineEdit(&year, "シーズン時期", [](const QVariant& v) { return v.toString() + u'年'; });
        ds.bindLineEdit(&name, "シーズン名");
        QVERIFY(ds.Refresh());
        DBGrid grid;
        grid.setDataSource(&ds);
        grid.setAllowUpdate(true);
        grid.setAllowDelete(true);
        auto* m = grid.gridModel();
        QAbstractItemModelTester tester(m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        Mirror view(m);
        QSignalSpy errors(&ds, &DataSource::error);
        int reported = ds.currentRow();  // the current record as a window that listens hears of it
        connect(&ds, &DataSource::currentChanged, this, [&](int row) { reported = row; });
        grid.show();
        const auto type = [](QLineEdit& box, const char* text) { box.selectAll(), QTest::keyClicks(&box, QString::fromUtf8(text)); };
        db::Recordset other;  // read before any change
        db::OpenOptions later;
        later.params = {1}, later.key = u"シーズンID"_s;
        QVERIFY(other.open("SELECT * FROM シーズン WHERE シーズンID > ?", later));
        const std::pair<std::function<QVariant()>, QString> steps[] = {
            {[] { return true; },
             u"true 0 -  0 2000年|一 1,2000,一 2,2001,二 3,2002,三 false 1,2000,一 2,2001,二 3,2002,三 0"_s},
            {[&] { return ds.setCurrentRow(2); },
             u"true 2 -  0 2002年|三 1,2000,一 2,2001,二 3,2002,三 false 1,2000,一 2,2001,二 3,2002,三 2"_s},
            {[&] { return ds.setCurrentRow(3); },
             u"false 2 -  1 2002年|三 1,2000,一 2,2001,二 3,2002,三 false 1,2000,一 2,2001,二 3,2002,三 2"_s},
            {[&] { return type(name, "Z"), true; },
             u"true 2 E  1 2002年|Z 1,2000,一 2,2001,二 3,2002,三 false 1,2000,一 2,2001,二 3,2002,三 2"_s},
            {[&] { return ds.MovePrevious(); },
             u"true 1 -  1 2001年|二 1,2000,一 2,2001,二 3,2002,Z false 1,2000,一 2,2001,二 3,2002,Z 1"_s},
            {[&] { return ds.setValue("シーズン時期", "20x1"); },
             u"false 1 E シーズン時期 1 20x1|二 1,2000,一 2,20x1,二 3,2002,Z false 1,2000,一 2,2001,二 3,2002,Z 1"_s},
            {[&] { return ds.UpdateRecord(); },
             u"false 1 E シーズン時期 2 20x1|二 1,2000,一 2,20x1,二 3,2002,Z false 1,2000,一 2,2001,二 3,2002,Z 1"_s},
            {[&] { return ds.MoveNext(); },
             u"false 1 E シーズン時期 3 20x1|二 1,2000,一 2,20x1,二 3,2002,Z false 1,2000,一 2,2001,二 3,2002,Z 1"_s},
            {[&] { return m->setData(m->index(2, 2), "y"); }, u"false 1 E シーズン時期 4 20x1|二 1,2000,一 2,20x1,二 3,2002,Z false 1,2000,一 2,2001,二 3,2002,Z 1"_s},  // another row, while this one is refused
            {[&] { return ds.setValue("シーズン時期", "2011"); },
             u"true 1 E  4 2011年|二 1,2000,一 2,2011,二 3,2002,Z false 1,2000,一 2,2001,二 3,2002,Z 1"_s},
            {[&] { return ds.Refresh(); },
             u"true 0 -  4 2000年|一 1,2000,一 2,2011,二 3,2002,Z false 1,2000,一 2,2011,二 3,2002,Z 0"_s},
            {[&] { return m->setData(m->index(1, 2), "二"); }, u"true 0 -  4 2000年|一 1,2000,一 2,2011,二 3,2002,Z false 1,2000,一 2,2011,二 3,2002,Z 0"_s},  // the same text: no edit
            {[&] { return ds.setValue("シーズン名", "春"), ds.setRecordset(other), true; },  // stores the pending edit first
             u"true 0 -  4 2001年|二 2,2001,二 3,2002,三 false 1,2000,春 2,2011,二 3,2002,Z 0"_s},
            {[&] { return ds.Refresh(); },  // the recordset's own source, with its parameters
             u"true 0 -  4 2011年|二 2,2011,二 3,2002,Z false 1,2000,春 2,2011,二 3,2002,Z 0"_s},
            {[&] { return ds.setRecordSource("シーズン"), ds.Refresh(); },
             u"true 0 -  4 2000年|春 1,2000,春 2,2011,二 3,2002,Z false 1,2000,春 2,2011,二 3,2002,Z 0"_s},
            {[&] { return ds.AddNew(); },
             u"true 0 A  4 | 1,2000,春 2,2011,二 3,2002,Z ,, true 1,2000,春 2,2011,二 3,2002,Z 0"_s},
            {[&] { return ds.setValue("シーズン名", "四") && ds.setValue("シーズン時期", "2003"); },
             u"true 0 A  4 2003年|四 1,2000,春 2,2011,二 3,2002,Z ,2003,四 true 1,2000,春 2,2011,二 3,2002,Z 0"_s},
            {[&] { return ds.UpdateRecord(); },
             u"true 3 -  4 2003年|四 1,2000,春 2,2011,二 3,2002,Z 4,2003,四 false 1,2000,春 2,2011,二 3,2002,Z 4,2003,四 3"_s},
            {[&] { return grid.setAllowAddNew(true), true; },
             u"true 3 -  4 2003年|四 1,2000,春 2,2011,二 3,2002,Z 4,2003,四 ,, true 1,2000,春 2,2011,二 3,2002,Z 4,2003,四 3"_s},
            {[&] { return ds.AddNew() && ds.setValue("シーズン名", "五"); },
             u"true 3 A  4 |五 1,2000,春 2,2011,二 3,2002,Z 4,2003,四 ,,五 true 1,2000,春 2,2011,二 3,2002,Z 4,2003,四 3"_s},
            {[&] { return ds.CancelUpdate(), true; },
             u"true 3 -  4 2003年|四 1,2000,春 2,2011,二 3,2002,Z 4,2003,四 ,, true 1,2000,春 2,2011,二 3,2002,Z 4,2003,四 3"_s},
            {[&] { return ds.AddNew() && !ds.setValue("シーズン時期", "x") && ds.Delete(); },
             u"true 3 -  4 2003年|四 1,2000,春 2,2011,二 3,2002,Z 4,2003,四 ,, true 1,2000,春 2,2011,二 3,2002,Z 4,2003,四 3"_s},
            {[&] { return ds.AddNew() && ds.setValue("シーズン名", "六") && ds.setValue("シーズン時期", "2005") && ds.UpdateRecord(); },
             u"true 4 -  4 2005年|六 1,2000,春 2,2011,二 3,2002,Z 4,2003,四 5,2005,六 ,, true 1,2000,春 2,2011,二 3,2002,Z 4,2003,四 5,2005,六 4"_s},
            {[&] { return ds.setCurrentRow(1) && ds.Delete(); },
             u"true 1 -  4 2002年|Z 1,2000,春 3,2002,Z 4,2003,四 5,2005,六 ,, true 1,2000,春 3,2002,Z 4,2003,四 5,2005,六 1"_s},
            {[&] { return ds.MoveLast() && ds.Delete(); },
             u"true 2 -  4 2003年|四 1,2000,春 3,2002,Z 4,2003,四 ,, true 1,2000,春 3,2002,Z 4,2003,四 2"_s},
            {[&] { return grid.setAllowAddNew(false), ds.Edit() && ds.Edit() && ds.UpdateRecord(); },
             u"true 2 -  4 2003年|四 1,2000,春 3,2002,Z 4,2003,四 false 1,2000,春 3,2002,Z 4,2003,四 2"_s},
            {[&] { return ds.AddNew(); }, u"true 2 A  4 | 1,2000,春 3,2002,Z 4,2003,四 ,, true 1,2000,春 3,2002,Z 4,2003,四 2"_s},
            {[&] { return ds.CancelUpdate(), true; }, u"true 2 -  4 2003年|四 1,2000,春 3,2002,Z 4,2003,四 false 1,2000,春 3,2002,Z 4,2003,四 2"_s},  // a new line cancelled goes where no new lines are shown
            {[&] { return ds.setValue("シーズン名", "X") && ds.setValue("シーズン時期", "x"); },
             u"false 2 E シーズン時期 4 x|X 1,2000,春 3,2002,Z 4,x,X false 1,2000,春 3,2002,Z 4,2003,四 2"_s},
            {[&] { return ds.CancelUpdate(), true; },
             u"true 2 -  4 2003年|四 1,2000,春 3,2002,Z 4,2003,四 false 1,2000,春 3,2002,Z 4,2003,四 2"_s},
            {[&] { return ds.MoveFirst(), ds.MoveLast(), ds.MoveNext(); }, u"true -1 -  4 | 1,2000,春 3,2002,Z 4,2003,四 false 1,2000,春 3,2002,Z 4,2003,四 2"_s},  // past the last: the grid stays
        };
        for (const auto& [step, expected] : steps) {
            const QVariant result = step();
            QCOMPARE(Mirror::text(view.rows), view.live());
            QCOMPARE(reported, ds.currentRow());
            const QString state = spaced(QVariantList{result, ds.currentRow(), ds.isAdding() ? "A" : ds.isEditing() ? "E" : "-", ds.refusedField(), errors.count(),
                                                      year.text() + u'|' + name.text(), view.live(), m->isNewLine(m->rowCount() - 1),
                                                      db::scalar("SELECT group_concat(シーズンID || ',' || シーズン時期 || ',' || シーズン名, ' ') FROM シーズン"),
                                                      grid.currentIndex().row()});
            QCOMPARE(state, expected);
        }
        // A refused row holds the grid: leaving it goes back to it.
        QVERIFY(!m->setData(m->index(0, 1), "x"));
        grid.setCurrentIndex(m->index(1, 1));
        settle();
        QCOMPARE(spaced(QVariantList{grid.currentIndex().row(), ds.currentRow(), ds.refusedField(), errors.count()}), u"0 0 シーズン時期 5"_s);
        grid.setAllowDelete(false);
        QVERIFY(!m->deleteRow(1));
        QVERIFY(m->setData(m->index(0, 1), "1999"));  // corrected, the grid leads the source again
        QSignalSpy committed(&grid, &DBGrid::rowCommitted);
        QVERIFY(grid.commitRow() && grid.commitRow());  // the second finds nothing pending
        grid.setCurrentIndex(m->index(1, 1));
        QCOMPARE(committed.count() == 1 ? committed.first().first().toInt() : -1, 0);
        QCOMPARE(spaced(QVariantList{ds.currentRow(), year.text(), db::scalar("SELECT シーズン時期 FROM シーズン WHERE シーズンID = 1")}), u"1 2002年 1999"_s);
        m->setColumnFormat(1, [](const QVariant& v) { return v.toString() + u'!'; });
        const QString formatted = m->index(0, 1).data().toString();
        grid.setColumns({"シーズン名", "シーズン時期"});  // other columns: no format carried over
        QCOMPARE(formatted + u' ' + gridText(&grid), u"1999! 春 1999|Z 2002|四 2003"_s);
        // Another recordset given: its first record is current, as a listener hears.
        QVERIFY(ds.setCurrentRow(2));
        db::Recordset again;
        QVERIFY(again.open("シーズン"));
        ds.setRecordset(again);
        QCOMPARE(spaced(QVariantList{reported, ds.currentRow(), grid.currentIndex().row(), name.text()}), u"0 0 0 春"_s);
        // A grid of a single row widens a column too narrow for what it shows.
        QVERIFY(execSql("INSERT INTO 会場 (会場名) VALUES ('とても長い会場の名前')"));
        DataSource one;
        one.setRecordSource("会場");
        DBGrid single;
        single.setDataSource(&one);
        single.show();
        single.setColumnWidth(1, 4);
        QVERIFY(one.Refresh() && single.columnWidth(1) > single.fontMetrics().horizontalAdvance(u"とても長い会場の名前"_s));
        // A longer text stored, or rows scrolled into view, widen it too; rows out of view do not.
        const auto fits = [&](const QString& text) { return single.columnWidth(1) > single.fontMetrics().horizontalAdvance(text); };
        QVERIFY(one.setValue("会場名", u"もっともっと長い会場の名前"_s) && one.UpdateRecord() && fits(u"もっともっと長い会場の名前"_s));
        QVERIFY(execSql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 59) INSERT INTO 会場 (会場名) SELECT 'x' FROM n"));
        QVERIFY(execSql("INSERT INTO 会場 (会場名) VALUES ('いちばん下のとてもとても長い会場の名前')"));
        QVERIFY(one.Refresh() && !fits(u"いちばん下のとてもとても長い会場の名前"_s));
        single.scrollToBottom();
        QVERIFY(fits(u"いちばん下のとてもとても長い会場の名前"_s));
        // Lower than a row, the grid shows its first row only, and fits that.
        DataSource two;
        two.setRecordSource("SELECT 'a' AS 名 UNION ALL SELECT 'とても長い会場の名前'");
        DBGrid low;
        low.setDataSource(&two);
        low.show();
        QVERIFY(two.Refresh());
        low.resize(300, low.horizontalHeader()->height() + low.rowHeight(0) / 2 + 2 * low.frameWidth());
        low.setColumnWidth(0, 4);
        QVERIFY(two.Refresh() && low.columnWidth(0) > low.fontMetrics().horizontalAdvance(u"a"_s) &&
                low.columnWidth(0) < low.fontMetrics().horizontalAdvance(u"とても長い"_s));
        // Given another source, the grid leaves the first: its model goes, its errors are not the grid's.
        QSignalSpy gridErrors(&single, &DBGrid::error);
        QVERIFY(!one.setCurrentRow(99) && gridErrors.size() == 1);  // its own source's are
        gridErrors.clear();
        single.setDataSource(&ds);
        QVERIFY(!one.setCurrentRow(99) && single.findChildren<DataSourceModel*>().size() == 1 && gridErrors.isEmpty());
        QCOMPARE(single.currentIndex(), single.gridModel()->index(ds.currentRow(), 0));  // in the first column
    }

    // A navigator's buttons go to the first, previous, next and last record, stopping at either
    // end; with no record current, previous and next go to the first. The keyboard stays in the
    // box that had it, and a source without records stays as it is.
    void navigatorMovesAndKeepsTheKeyboard() {
        QVERIFY(execSql("INSERT INTO 会場 (会場名) VALUES ('a'),('b'),('c')"));
        QWidget w;
        auto* box = new QLineEdit(&w);
        DataSource ds, one, none;
        auto* nav = new DataNavigator(&ds, u"会場"_s, &w);
        nav->QWidget::move(0, 30);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        box->setFocus();
        QSignalSpy asked(nav, &DataNavigator::aboutToMove);
        ds.setRecordSource("会場");
        one.setRecordSource("SELECT * FROM 会場 WHERE 会場ID = 2", "会場ID");
        none.setRecordSource("SELECT * FROM 会場 WHERE 会場ID = 9", "会場ID");
        QVERIFY(ds.Refresh() && one.Refresh() && none.Refresh());
        QString rows;
        for (int b : {2, 2, 2, 1, 0, 1, 3, -1, 1, -1, 2, -1, 0, -1, 3}) {
            if (b < 0) ds.MoveLast(), ds.MoveNext();  // past the last: none current
            else click(nav->buttons()[std::size_t(b)]), rows += QString::number(ds.currentRow());
        }
        QCOMPARE(rows, u"12210020002"_s);
        for (DataSource* source : {&one, &none}) {
            DataNavigator other(source, {}, &w);
            other.show();
            source->MoveNext();
            click(other.buttons()[0]);
            rows += QString::number(source->currentRow());
        }
        QCOMPARE(rows.right(3) + QString::number(asked.count()), u"0-111"_s);
        QCOMPARE(QApplication::focusWidget(), box);
    }

    // Permissions switch at run time; a refused new record stays for correction; a record added by
    // an editor's own button shows as a new-record line while pending; Delete deletes only when
    // allowed, and after the last record the new last one becomes current. Picture boxes.
    void permissionsRefusalsDeletionAndPictureBoxes() {
        QVERIFY(execSql("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2000','一')"));
        QVERIFY(execSql("INSERT INTO 選手 (選手ID, 選手名) VALUES (5,'E')"));
        QVERIFY(execSql("INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) VALUES (5,1,10),(5,1,11)"));
        const auto stored = [] { return db::scalar("SELECT group_concat(ハンデ) FROM ハンデ").toString(); };
        DataSource ds;
        ds.setRecordSource("選手名とHDCP", "ID");
        QVERIFY(ds.Refresh());
        DBGrid grid;
        grid.setDataSource(&ds);
        auto* m = grid.gridModel();
        QAbstractItemModelTester modelTester(m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(grid.AllowDelete(), false);  // a grid deletes no row unless told it may
        grid.setAllowDelete(true);
        QVERIFY(m->rowCount() == 2 && !(m->flags(m->index(0, 5)) & Qt::ItemIsEditable) && !m->setData(m->index(0, 5), "11"));
        grid.setAllowAddNew(true);
        grid.setAllowUpdate(true);
        QVERIFY(m->isNewLine(2) && m->flags(m->index(2, 5)) & Qt::ItemIsEditable);
        QSignalSpy errors(&ds, &DataSource::error);
        QVERIFY(m->setData(m->index(2, 1), "1") && m->setData(m->index(2, 3), "99") && m->setData(m->index(2, 5), "15"));
        QCOMPARE(spaced(QVariantList{grid.commitRow(), ds.MoveLast(), ds.AddNew(), errors.count(), ds.isAdding()}), u"false false false 3 true"_s);  // no player 99
        QVERIFY(m->setData(m->index(2, 3), "5") && grid.commitRow());
        QCOMPARE(m->data(m->index(2, 4)).toString() + stored(), u"E10,11,15"_s);  // the joined name read back

        grid.setAllowAddNew(false);
        grid.setAllowUpdate(false);
        QVERIFY(!grid.AllowUpdate() && !grid.AllowAddNew() && grid.AllowDelete() && !m->deleteRow(3) && ds.AddNew() && grid.verticalHeader()->count() == 4 &&
                !m->setData(m->index(3, 5), "12"));  // the editor's new record is not typed in the grid
        QVERIFY(ds.setValue("シーズンID", 1) && ds.setValue("選手ID", 5) && ds.setValue("ハンデ", 12) && ds.UpdateRecord());
        QCOMPARE(spaced(QVariantList{grid.verticalHeader()->count(), m->rowCount()}), u"4 4"_s);
        grid.setCurrentIndex(m->index(3, 0));
        QTest::keyClick(&grid, Qt::Key_Delete);
        QCOMPARE(spaced(QVariantList{grid.currentIndex().row(), ds.text("ハンデ")}), u"2 15"_s);
        QVERIFY(ds.AddNew() && ds.setValue("シーズンID", 1) && ds.setValue("選手ID", 5) && ds.setValue("ハンデ", 16) && ds.UpdateRecord());
        grid.setCurrentIndex(m->index(1, 0));
        QSignalSpy moved(&ds, &DataSource::currentChanged);
        QTest::keyClick(&grid, Qt::Key_Delete);  // the record that followed becomes current, none skipped
        QCOMPARE(spaced(QVariantList{grid.currentIndex().row(), ds.text("ハンデ"), moved.count()}), u"1 15 1"_s);
        grid.setCurrentIndex(m->index(0, 0));  // after a deletion the source follows the grid again
        QCOMPARE(ds.currentRow(), 0);
        grid.setCurrentIndex(m->index(1, 0));
        QTest::keyClick(&grid, Qt::Key_Delete);
        grid.setAllowDelete(false);
        QTest::keyClick(&grid, Qt::Key_Delete);
        QCOMPARE(QString::number(grid.verticalHeader()->count()) + stored(), u"210,16"_s);
        grid.setAllowDelete(true);  // a new record pending gives way to a row deleted in the grid
        QVERIFY(ds.AddNew() && ds.setValue("ハンデ", 17) && m->deleteRow(0));
        QCOMPARE(spaced(QVariantList{ds.isAdding(), m->rowCount(), stored()}), u"false 1 16"_s);
        grid.setAllowDelete(false);
        QVERIFY(ds.Delete() && stored().isEmpty());  // the source deletes whatever the grid allows

        // A picture box draws in its own scale and keeps it; a fill stops at an outline one pixel wide;
        // the box shows the picture as drawn; a click is a left press and release inside.
        PictureBox box;
        box.resize(40, 20);
        box.Scale(0, 0, 4, 2);  // ten pixels a unit
        box.setBackColor(0xFFFFFF);
        box.setForeColor(0xFF);
        box.Line(1, 0.5, 3, 1.5, 0, PictureBox::Box);  // black, not the fore colour
        box.FloodFill(2, 0.6, 0xFF00);
        box.PSet(0.2, 0.2, 0x123456);
        box.setDrawWidth(3);
        box.Circle(3.5, 1, 0.4, 0);
        QCOMPARE(spaced(QVariantList{box.Point(2, 1.3), box.Point(1, 1), box.Point(0.5, 1), box.Point(0.2, 0.2), box.Point(3.5, 0.6)}), u"65280 0 16777215 1193046 0"_s);
        box.FloodFill(0.5, 1.9, 0xFFFF);  // all round the outline
        QCOMPARE(spaced(QVariantList{box.Point(0, 0), box.Point(3.9, 1.9), box.Point(0.5, 0.1), box.Point(2, 1)}), u"65535 65535 65535 65280"_s);
        QVERIFY(!box.LoadPicture(u"no such.jpg"_s));
        const QImage unwritten = box.image();
        box.CurrentX = 0, box.CurrentY = 0, box.Print(u"■"_s);  // text goes onto the picture
        const QImage drawn = box.image();
        QVERIFY(drawn != unwritten);
        box.resize(60, 30);  // a larger box keeps what was drawn
        QCOMPARE(box.image().copy(0, 0, 40, 20), drawn);
        box.show();
        QCOMPARE(box.grab().toImage().convertToFormat(QImage::Format_RGB32), box.image());
        // Every drawing shows at once.
        const QString png = env->path(u"dot.png"_s);
        QVERIFY(QImage(2, 2, QImage::Format_RGB32).save(png));
        PaintCounter counter;
        box.installEventFilter(&counter);
        const std::function<void()> drawings[] = {
            [&] { box.Cls(); }, [&] { box.Line(0, 0, 1, 1); }, [&] { box.Circle(2, 1, 0.5); }, [&] { box.PSet(1, 1); }, [&] { box.Print(u"x"_s); },
            [&] { box.PaintPicture(png, 0, 0, 1, 1); }, [&] { box.FloodFill(3.5, 1.5, 0xFF); }, [&] { box.setFillStyle(PictureBox::FillSolid), box.BorderFill(QPoint(5, 5), 0x123456); }};
        QString painted;
        for (const auto& draw : drawings) {
            settle(), counter.paints = 0, draw(), settle();
            painted += QString::number(counter.paints > 0);
        }
        QCOMPARE(painted, u"11111111"_s);
        box.removeEventFilter(&counter);
        QSignalSpy clicks(&box, &PictureBox::Click);
        QTest::mouseClick(&box, Qt::RightButton);
        QTest::mousePress(&box, Qt::LeftButton);
        QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(70, 5));  // let go outside
        QTest::mouseClick(&box, Qt::LeftButton), QTest::mouseRelease(&box, Qt::LeftButton);  // a release alone is no click
        box.setBackColor(0xC0C0C0);
        QCOMPARE(spaced(QVariantList{clicks.count(), box.Point(2, 1)}), u"1 12632256"_s);
    }

    // What each drawing puts on a picture box not yet shown: the pixels it covers (their extent and
    // how many of each colour) in the box's own scale, with colour 0 black, not the fore colour;
    // where the current point goes. Text goes line under line in the fore colour.
    void pictureBoxDrawingsPixelByPixel() {
        const QString png = env->path(u"halves.png"_s);
        QImage halves(2, 2, QImage::Format_RGB32);
        halves.fill(Qt::blue);
        halves.setPixel(1, 0, 0xFFFF0000), halves.setPixel(1, 1, 0xFFFF0000);
        QVERIFY(halves.save(png));
        // The picture's size; the extent of what is not background, how many pixels, and how much
        // they take away from the white of each channel (in whole pixels: a red pixel is 0/1/1), and
        // in how many colours.
        const auto drawn = [](const PictureBox& b) {
            const QImage img = b.image();
            QRect extent;
            QSet<QRgb> colours;
            int n = 0, ink[3] = {};
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (const QRgb c = img.pixel(x, y); c != 0xFFFFFFFF)
                        ++n, colours << c, extent |= QRect(x, y, 1, 1), ink[0] += 255 - qRed(c), ink[1] += 255 - qGreen(c), ink[2] += 255 - qBlue(c);
            return QString::asprintf("%dx%d %d,%d,%d,%d %d %d/%d/%d %d", img.width(), img.height(), extent.x(), extent.y(), extent.width(), extent.height(), n,
                                     (ink[0] + 127) / 255, (ink[1] + 127) / 255, (ink[2] + 127) / 255, int(colours.size()));
        };
        const auto box = [](PictureBox& b) { b.Line(2, 2.5, 4, 3.5, 0, PictureBox::Box); };  // 10,5 to 29,14
        const std::tuple<const char*, const char*, std::function<void(PictureBox&)>> cases[] = {
            {"line", "40x20 5,5,31,11 31 0/31/31 1 4.5,3.5", [](PictureBox& b) { b.Line(1.5, 2.5, 4.5, 3.5); }},
            {"box", "40x20 10,5,20,10 56 56/56/56 1 4,3.5", box},
            {"blue box", "40x20 10,5,20,10 56 56/56/0 1 4,3.5", [](PictureBox& b) { b.Line(2, 2.5, 4, 3.5, 0xFF0000, PictureBox::Box); }},
            {"filled box", "40x20 10,5,20,10 200 200/200/0 1 4,3.5", [](PictureBox& b) { b.Line(2, 2.5, 4, 3.5, 0xFF0000, PictureBox::FilledBox); }},
            {"dotted", "40x20 0,10,40,1 14 0/14/14 1 5,3", [](PictureBox& b) { b.setDrawStyle(PictureBox::DrawDot), b.Line(1, 3, 5, 3); }},
            {"circle", "40x20 14,4,12,12 60 27/27/27 25 3,3", [](PictureBox& b) { b.Circle(3, 3, 0.5, 0); }},
            {"solid circle", "40x20 14,4,12,12 112 90/27/63 30 3,3", [](PictureBox& b) { b.setFillStyle(PictureBox::FillSolid), b.Circle(3, 3, 0.5, 0xFF0000); }},
            {"hatched circle", "40x20 11,1,18,18 106 22/44/65 38 3,3", [](PictureBox& b) { b.setFillStyle(PictureBox::FillUpwardDiagonal), b.Circle(3, 3, 0.8); }},
            {"points", "40x20 0,0,40,20 2 1/2/2 2 5,3", [](PictureBox& b) { b.PSet(4.95, 3.95, 0), b.PSet(1, 2), b.PSet(5, 3); }},
            {"picture", "40x20 10,5,20,10 200 100/200/100 12 0,0", [&](PictureBox& b) { QVERIFY(b.PaintPicture(png, 2, 2.5, 2, 1)); }},
            {"loaded", "40x20 0,0,40,20 800 402/800/425 23 1.5,2.5", [&](PictureBox& b) { QVERIFY(b.LoadPicture(png)); b.Line(1, 2, 1.5, 2.5, 0, PictureBox::FilledBox); }},
            {"flood", "40x20 0,0,40,20 656 656/56/656 2 4,3.5", [&](PictureBox& b) { box(b), b.FloodFill(4.5, 3, 0xFF00); }},  // from the middle of the right side: every way out needed
            {"hatch", "40x20 0,0,40,20 131 131/56/131 2 4,3.5", [&](PictureBox& b) { box(b), b.setFillStyle(PictureBox::FillUpwardDiagonal), b.BorderFill({0, 0}, 0); }},
            {"border fill", "40x20 10,5,20,10 200 200/56/200 2 4,3.5", [&](PictureBox& b) { box(b), b.setFillStyle(PictureBox::FillSolid), b.BorderFill({20, 10}, 0); }},
            {"border fill alone", "40x20 0,0,40,20 800 800/0/800 1 0,0", [](PictureBox& b) { b.setFillStyle(PictureBox::FillSolid), b.BorderFill({30, 15}, 0); }},
            {"no fill", "40x20 10,5,20,10 56 56/56/56 1 4,3.5", [&](PictureBox& b) {
                 box(b), b.setFillStyle(PictureBox::FillSolid), b.BorderFill({20, 5}, 0), b.BorderFill({40, 0}, 0);  // on the border, outside
                 b.setFillStyle(PictureBox::FillTransparent), b.BorderFill({0, 0}, 0);
             }},
            {"pixels", "40x20 15,5,10,10 76 39/21/59 23 20,10", [](PictureBox& b) { b.ScalePixels(), b.setFillStyle(PictureBox::FillSolid), b.Circle(20, 10, 4); }},
            {"upside down", "40x20 0,0,30,20 201 0/201/201 1 3,1", [](PictureBox& b) { b.Scale(0, 2, 4, 0), b.PSet(0.05, 1.95), b.Line(1, 0, 3, 1, -1, PictureBox::FilledBox); }},
            {"grown", "50x30 0,0,1,1 1 0/1/1 1 1,2", [](PictureBox& b) { b.PSet(1, 2), b.resize(50, 30); }},
            {"cleared", "40x20 0,0,0,0 0 0/0/0 0 1,2", [&](PictureBox& b) { box(b), b.Cls(); }},
            {"cleared in pixels", "40x20 0,0,0,0 0 0/0/0 0 0,0", [&](PictureBox& b) { box(b), b.ScalePixels(), b.Cls(); }},
            {"background", "40x20 0,0,40,20 800 800/800/0 1 1,2", [](PictureBox& b) { b.PSet(1, 2), b.setBackColor(0xFF0000); }},
        };
        for (const auto& [name, expected, draw] : cases) {
            PictureBox b;
            b.resize(40, 20);
            b.Scale(1, 2, 5, 4);  // ten pixels a unit
            b.setForeColor(0xFF);
            b.setFillColor(0xFF00);
            draw(b);
            QCOMPARE(QString::fromLatin1(name) + u' ' + drawn(b) + u' ' + QString::number(b.CurrentX) + u',' + QString::number(b.CurrentY),
                     QString::fromLatin1(name) + u' ' + QString::fromLatin1(expected));
        }
        // A file that is no picture draws nothing.
        const QString text = env->path(u"text.png"_s);
        QFile written(text);
        QVERIFY(written.open(QIODevice::WriteOnly) && written.write("no picture") > 0);
        written.close();
        PictureBox none;
        QVERIFY(!none.PaintPicture(text, 0, 0, 1, 1) && !none.LoadPicture(text));
        // Lines of text one under the other from the current point, in the fore colour; a point
        // off the picture has no colour.
        PictureBox t;
        t.resize(40, 40);
        t.Scale(1, 2, 5, 6);
        QCOMPARE(t.Point(4.95, 5.95), 0xFFFFFF);
        t.setForeColor(0xFF);
        t.CurrentX = 1.5, t.CurrentY = 2;
        t.Print(u"■"_s), t.Print(u"■"_s);
        const int h = t.fontMetrics().height();
        QCOMPARE(spaced(QVariantList{t.CurrentX, t.CurrentY, t.Point(5, 2)}), spaced(QVariantList{1.5, 2 + 2 * h / 10.0, -1}));
        QString rows;  // per pixel row: whether it holds pure red, and no other hue than red's
        for (int y = 0; y < 40; ++y) {
            bool red = false, only = true;
            for (int x = 0; x < 40; ++x) {
                const QRgb c = t.image().pixel(x, y);
                red |= (c & 0xFFFFFF) == 0xFF0000, only &= qRed(c) == 255 && qGreen(c) == qBlue(c) && (c == 0xFFFFFFFF || x >= 5);
            }
            rows += QChar(only ? (red ? u'R' : u'.') : u'?');
        }
        QVERIFY2(QRegularExpression(u"^\\.*R+\\.*R+\\.*$"_s).match(rows).hasMatch() && rows.lastIndexOf(u'R') < 2 * h && rows.indexOf(u'R', h) >= h, qPrintable(rows));
    }

    // The screenshots' check: a caption wider than its label, a check box's text under a button,
    // a radio button's text cut; a caption leaving spaces for a box is not a fault.
    void layoutCheckFindsCutAndCoveredText() {
        QWidget w;
        w.resize(400, 200);
        auto* room = new QLabel(u"第　　　　　ゲーム"_s, &w);
        room->setGeometry(10, 10, 200, 24);
        auto* box = new QLineEdit(u"1"_s, &w);
        box->setGeometry(10 + room->fontMetrics().horizontalAdvance(u"第　"_s), 10, 40, 24);
        QCOMPARE(layoutFaults(&w), QStringList());
        auto* narrow = new QLabel(u"ハンデ込み最高点"_s, &w);
        narrow->setGeometry(10, 40, 40, 20);
        auto* check = new QCheckBox(u"常に表示"_s, &w);
        check->setGeometry(10, 70, 150, 20);
        auto* button = new QPushButton(u"一覧"_s, &w);
        button->setGeometry(60, 70, 80, 24);
        auto* radio = new QRadioButton(u"上位加重（ＺＫＴ方式）"_s, &w);
        radio->setGeometry(10, 100, 60, 20);
        for (bool readOnly : {false, true}) {
            auto* path = new QLineEdit(u"/tmp/a/long/folder/名前.htm"_s, &w);
            path->setGeometry(10 + 200 * readOnly, 130, 60, 24);
            path->setReadOnly(readOnly);
        }
        QCOMPARE(layoutFaults(&w).join(u'|').remove(QRegularExpression(u" [0-9]+ px"_s)),
                 u"QLabel \"ハンデ込み最高点\" cut by|QCheckBox \"常に表示\" and QPushButton \"一覧\" overlap|QRadioButton \"上位加重（ＺＫＴ方式）\" cut by|"
                 u"QLineEdit \"/tmp/a/long/folder/名前.htm\" cut by"_s);
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
