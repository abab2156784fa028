// The platform layer: child windows and the active one, the real dialogs, bound grids and boxes.
#include "platform/boundgrid.h"
#include "platform/picturebox.h"
#include "platform/qtdialogs.h"
#include "platform/registry.h"
#include "platform/twips.h"
#include "common/database.h"
#include "common/settings.h"
#include "support/gui.h"
#include <QAbstractButton>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

using namespace vx;
using namespace vxtest;
using namespace Qt::StringLiterals;

namespace {
// A plain window: counts what the forms layer calls, may refuse to close; a box, and a button that
// takes no focus with an Alt letter.
struct Win : Form {
    QLineEdit* box = new QLineEdit(this);
    QPushButton* go;
    int loads = 0, activations = 0, deactivations = 0, clicks = 0, closeMode = -1;
    bool refuse = false;
    explicit Win(char letter) : go(new QPushButton(QStringLiteral("&") + QLatin1Char(letter), this)) {
        go->move(0, 30);
        go->setFocusPolicy(Qt::NoFocus);
        connect(go, &QPushButton::clicked, this, [this] { ++clicks; });
        addMenuCommand(QString(QLatin1Char(letter)), [] {});
    }
    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activations; }
    void Form_Deactivate() override { ++deactivations; }
    void Form_QueryUnload(bool& cancel, int mode) override { cancel = refuse; closeMode = mode; }
};
QString joined(std::initializer_list<int> values) {
    QStringList out;
    for (int v : values) out << QString::number(v);
    return out.join(u' ');
}
struct WinA : Win { WinA() : Win('G') {} };
struct WinB : Win { WinB() : Win('H') {} };
}  // namespace

class TestPlatform : public GuiTest {
    Q_OBJECT
private Q_SLOTS:
    // The window shown, clicked or left on top is the active one, with its menus and the keyboard;
    // a window hidden or behind never takes it by a late focus request or an Alt letter.
    void theActiveWindowFollowsTheUser() {
        WinA& a = forms::get<WinA>();
        a.Show();
        WinB& b = forms::get<WinB>();
        b.Show();
        b.setLeft(4500);
        settle();
        QCOMPARE(notOnTop(b), QString());
        QCOMPARE(a.deactivations, 1);
        QCOMPARE(b.activations, 1);
        bool activeAtPress = false;
        connect(a.go, &QPushButton::pressed, this, [&] { activeAtPress = MdiFrame::instance()->activeForm() == &a; });
        click(a.go);
        QVERIFY(activeAtPress);
        QCOMPARE(a.clicks, 1);
        QCOMPARE(notOnTop(a), QString());
        QCOMPARE(b.deactivations, 1);

        // Alt letters: the active window's enabled button acts, the box does not take the letter.
        QCOMPARE(QApplication::focusWidget(), a.box);
        press(Qt::Key_G, Qt::AltModifier);
        QCOMPARE(a.box->text(), QString());
        press(Qt::Key_H, Qt::AltModifier);
        a.go->setEnabled(false);
        press(Qt::Key_G, Qt::AltModifier);
        QCOMPARE(a.clicks, 2);
        QCOMPARE(b.clicks, 0);

        // Hidden: the one on top takes over; a focus request for the hidden one waits for its return.
        click(b.go);
        QCOMPARE(notOnTop(b), QString());
        b.Hide();
        Form::setFocusLater(b.box);
        Form::giveFocus(a.go);
        settle();
        QCOMPARE(notOnTop(a), QString());
        QVERIFY(!b.isShown());
        b.Show();
        settle();
        QCOMPARE(notOnTop(b), QString());
        QCOMPARE(QApplication::focusWidget(), b.box);

        // Hiding one behind leaves the keyboard where it is; with nothing shown no window's menus
        // stand, and the next shown brings its own.
        a.Hide();
        settle();
        QCOMPARE(notOnTop(b), QString());
        b.Hide();
        settle();
        QVERIFY(MdiFrame::instance()->menuBar()->actions().isEmpty());
        a.Show();
        settle();
        QCOMPARE(notOnTop(a), QString());
    }

    // Closing asks the window; a refusal or a window without a close box keeps it; an unloaded
    // window leaves the registry and the one on top takes over.
    void closingAndUnloading() {
        forms::registerWindow<WinA>(QStringLiteral("A"));
        QVERIFY(!forms::show(QStringLiteral("none")));
        QVERIFY(!forms::loadedByName(QStringLiteral("A")));
        QVERIFY(forms::show(QStringLiteral("A")));
        WinA* a = forms::loaded<WinA>();
        QCOMPARE(forms::loadedByName(QStringLiteral("A")), a);
        WinB& b = forms::get<WinB>();
        b.Show();
        b.refuse = true;
        QVERIFY(!b.Unload());
        QCOMPARE(b.closeMode, int(vbFormCode));
        b.subWindow()->close();
        QCOMPARE(b.closeMode, int(vbFormControlMenu));
        b.refuse = false;
        b.setClosable(false);
        b.subWindow()->close();
        settle();
        QCOMPARE(notOnTop(b), QString());
        b.setClosable(true);
        b.subWindow()->close();
        settle();
        QVERIFY(!forms::loaded<WinB>());
        QCOMPARE(notOnTop(*a), QString());
        a->setWindowTitle(u"T"_s);
        QCOMPARE(a->subWindow()->windowTitle(), u"T"_s);
        QVERIFY(a->Unload());
        QVERIFY(!forms::loaded<WinA>());
        QCOMPARE(forms::get<WinA>().loads, 1);  // a fresh window
    }

    // A position set in twips reads back as set while the window stands there, and is saved.
    void positionsInTwips() {
        WinA& a = forms::get<WinA>();
        a.setLeft(25);
        a.setTop(40);
        QCOMPARE(a.subWindow()->pos(), QPoint(2, 3));
        QCOMPARE(QPointF(a.Left(), a.Top()), QPointF(25, 40));
        a.savePosition(QStringLiteral("w"));
        a.subWindow()->move(10, 20);
        QCOMPARE(QPointF(a.Left(), a.Top()), QPointF(150, 300));
        a.restorePosition(QStringLiteral("w"));
        QCOMPARE(QPointF(a.Left(), a.Top()), QPointF(25, 40));
        QCOMPARE(settings::GetSetting(QStringLiteral("form"), QStringLiteral("W_Left"), {}), QStringLiteral("25"));
    }

    // Real message boxes in Japanese: each button set answers Enter with its default button and
    // Escape with Cancel where there is one, else the only button.
    void realMessageBoxes() {
        QVERIFY(installJapaneseQtTexts());
        struct Case { int style; Qt::Key key; int answer; QString buttons; QMessageBox::Icon icon; };
        const Case cases[] = {
            {vbOKOnly, Qt::Key_Escape, vbOK, "OK", QMessageBox::NoIcon},
            {vbOKCancel | vbDefaultButton2 | vbCritical, Qt::Key_Return, vbCancel, "OKキャンセル", QMessageBox::Critical},
            {vbOKCancel | vbQuestion, Qt::Key_Return, vbOK, "OKキャンセル", QMessageBox::Question},
            {vbYesNo | vbExclamation, Qt::Key_Return, vbYes, "はい(&Y)いいえ(&N)", QMessageBox::Warning},
            {vbYesNo | vbDefaultButton2 | vbInformation, Qt::Key_Return, vbNo, "はい(&Y)いいえ(&N)", QMessageBox::Information},
            {vbYesNoCancel | vbDefaultButton3, Qt::Key_Return, vbCancel, "キャンセルはい(&Y)いいえ(&N)", QMessageBox::NoIcon},
            {vbYesNoCancel, Qt::Key_Escape, vbCancel, "キャンセルはい(&Y)いいえ(&N)", QMessageBox::NoIcon},
            {vbAbortRetryIgnore | vbDefaultButton2, Qt::Key_Return, vbRetry, "再試行無視中止", QMessageBox::NoIcon},
            {vbRetryCancel, Qt::Key_Escape, vbCancel, "再試行キャンセル", QMessageBox::NoIcon},
        };
        QtDialogs real;
        for (const Case& c : cases) {
            QString seen;
            QTimer::singleShot(0, this, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return;
                seen = box->windowTitle() + "|" + box->text() + "|" + QString::number(box->icon()) + "|";
                for (QAbstractButton* b : box->buttons()) seen += b->text();
                QTest::keyClick(box, c.key);
            });
            QCOMPARE(real.msgBox(QStringLiteral("一\r二"), c.style, {}), c.answer);
            QCOMPARE(seen, defaultTitle() + "|一\n二|" + QString::number(c.icon) + "|" + c.buttons);
        }
        QCOMPARE(qtFilter(QStringLiteral("データ|*.dat;*.txt|すべて|*.*")), QStringLiteral("データ (*.dat *.txt);;すべて (*.*)"));
        QCOMPARE(displayText(QStringLiteral("a\r\nb\rc")), QStringLiteral("a\nb\nc"));
    }

    // The scripted dialogs fail a test on a dialog nobody expected, and on one that never came.
    void scriptedDialogsCheckTheScript() {
        QEXPECT_FAIL("", "unexpected", Continue);
        QCOMPARE(MsgBox(QStringLiteral("?"), vbYesNoCancel), int(vbNo));
        auto* inner = new ScriptedDialogs;
        inner->expectMsgBox(vbOK, QStringLiteral("never"));
        QEXPECT_FAIL("", "never came", Continue);
        delete inner;
        QCOMPARE(&dialogs(), dlg.get());  // restored; passes only when the expected failure came
    }

    // A grid and boxes bound to one data source follow its record both ways; leaving an edited row
    // stores it (typed in a cell, a box or an editor still open), Escape drops it, and the
    // new-record line becomes a record when left.
    void boundGridAndBoxesFollowOneRecord() {
        QVERIFY(execSql("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2000','一'),('2001','二'),('2002','三')"));
        DataSource ds;
        ds.setRecordSource("シーズン降順", "シーズンID");
        QVERIFY(ds.Refresh());
        DBGrid grid;
        grid.setDataSource(&ds);
        grid.setAllowUpdate(true);
        grid.setAllowAddNew(true);
        auto* m = grid.gridModel();
        QLineEdit id, name;
        ds.bindLineEdit(&id, "シーズンID");
        ds.bindLineEdit(&name, "シーズン名");
        grid.show();
        QCOMPARE(m->rowCount(), 4);
        QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QStringLiteral("シーズン名"));
        QVERIFY(!(m->flags(m->index(0, 0)) & Qt::ItemIsEditable));  // the counter, through a view
        QVERIFY(!m->setData(m->index(3, 0), "9"));
        const std::pair<bool (DataSource::*)(), int> moves[] = {
            {&DataSource::MoveLast, 2}, {&DataSource::MovePrevious, 1}, {&DataSource::MoveFirst, 0}, {&DataSource::MoveNext, 1}};
        for (auto [move, row] : moves) {
            QVERIFY((ds.*move)());
            QCOMPARE(grid.currentIndex().row(), row);
            QCOMPARE(id.text(), QString::number(3 - row));
        }
        const auto stored = [](int id) { return db::scalar(QStringLiteral("SELECT シーズン名 FROM シーズン WHERE シーズンID = %1").arg(id)).toString(); };

        grid.setCurrentIndex(m->index(0, 2));
        QVERIFY(m->setData(m->index(0, 2), "春"));
        QCOMPARE(name.text(), QStringLiteral("春"));
        QCOMPARE(stored(3), QStringLiteral("三"));
        QSignalSpy committed(&grid, &DBGrid::rowCommitted);
        grid.setCurrentIndex(m->index(1, 2));
        QCOMPARE(committed.count(), 1);
        QCOMPARE(stored(3), QStringLiteral("春"));
        QCOMPARE(name.text(), QStringLiteral("二"));

        name.selectAll();
        QTest::keyClicks(&name, "Fall");
        QVERIFY(ds.MoveLast());
        QCOMPARE(stored(2), QStringLiteral("Fall"));
        QCOMPARE(m->data(m->index(1, 2)).toString(), QStringLiteral("Fall"));
        grid.edit(m->index(2, 2));
        auto* editor = grid.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QCOMPARE(editor->text(), u"一"_s);
        editor->selectAll();
        QTest::keyClicks(editor, "Natsu");
        grid.setCurrentIndex(m->index(0, 2));
        QCOMPARE(stored(1), QStringLiteral("Natsu"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        grid.edit(m->index(0, 2));
        editor = grid.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText("Spring");
        QSignalSpy shown(m, &QAbstractItemModel::dataChanged);
        QVERIFY(grid.commitRow());
        QCOMPARE(stored(3), QStringLiteral("Spring"));
        QVERIFY(!editor->isVisible() && !shown.isEmpty());  // the editor closed, the grid repainted

        QVERIFY(m->setData(m->index(0, 2), "x"));
        QTest::keyClick(&grid, Qt::Key_Escape);
        QVERIFY(!ds.isEditing());
        QCOMPARE(m->data(m->index(0, 2)).toString(), QStringLiteral("Spring"));
        QCOMPARE(name.text(), QStringLiteral("Spring"));

        grid.setCurrentIndex(m->index(3, 2));
        QVERIFY(m->setData(m->index(3, 2), "四"));
        QCOMPARE(name.text(), QStringLiteral("四"));
        grid.setCurrentIndex(m->index(0, 2));
        QCOMPARE(stored(4), QStringLiteral("四"));
        QCOMPARE(grid.verticalHeader()->count(), 5);  // the view shows what the model has
        QCOMPARE(m->data(m->index(3, 0)).toString(), QStringLiteral("4"));
        QVERIFY(m->isNewLine(4));
        QVERIFY(m->setData(m->index(0, 2), "冬"));
        QVERIFY(ds.Refresh());  // stores the pending edit first
        QCOMPARE(stored(3), QStringLiteral("冬"));
        QCOMPARE(id.text() + name.text(), QStringLiteral("4四"));
        QVERIFY(!ds.setValue("no such field", 1));
    }

    // Permissions switch at run time; a refused new record stays for correction; Delete deletes
    // only when allowed, and the next record (or the new last) becomes current.
    void permissionsRefusalsAndDeletion() {
        QVERIFY(execSql("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2000','一')"));
        QVERIFY(execSql("INSERT INTO 選手 (選手ID, 選手名) VALUES (5,'E')"));
        QVERIFY(execSql("INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) VALUES (5,1,10),(5,1,11)"));
        DataSource ds;
        ds.setRecordSource("選手名とHDCP", "ID");
        QVERIFY(ds.Refresh());
        DBGrid grid;
        grid.setDataSource(&ds);
        auto* m = grid.gridModel();
        grid.setAllowDelete(true);
        QCOMPARE(m->rowCount(), 2);
        QVERIFY(!(m->flags(m->index(0, 5)) & Qt::ItemIsEditable));
        QVERIFY(!m->setData(m->index(0, 5), "11"));
        grid.setAllowAddNew(true);
        grid.setAllowUpdate(true);
        QVERIFY(m->isNewLine(2));
        QVERIFY(m->flags(m->index(2, 5)) & Qt::ItemIsEditable);
        QSignalSpy errors(&ds, &DataSource::error);
        QVERIFY(m->setData(m->index(2, 1), "1"));
        QVERIFY(m->setData(m->index(2, 3), "99"));  // no such player
        QVERIFY(m->setData(m->index(2, 5), "15"));
        QVERIFY(!grid.commitRow());
        QCOMPARE(errors.count(), 1);
        QVERIFY(ds.isAdding());
        QVERIFY(m->setData(m->index(2, 3), "5"));
        QVERIFY(grid.commitRow());
        QCOMPARE(db::scalar("SELECT count(*) FROM ハンデ").toInt(), 3);
        QCOMPARE(m->data(m->index(2, 4)).toString(), QStringLiteral("E"));  // joined name read back

        grid.setAllowAddNew(false);
        grid.setAllowUpdate(false);
        QVERIFY(ds.AddNew());  // an editor's own "new" button: a new-record line while adding
        QCOMPARE(grid.verticalHeader()->count(), 4);
        QVERIFY(ds.setValue("シーズンID", 1) && ds.setValue("選手ID", 5) && ds.setValue("ハンデ", 12) && ds.UpdateRecord());
        QCOMPARE(grid.verticalHeader()->count(), 4);
        grid.setCurrentIndex(m->index(3, 0));
        QTest::keyClick(&grid, Qt::Key_Delete);
        QCOMPARE(grid.currentIndex().row(), 2);  // the new last one
        QCOMPARE(ds.text("ハンデ"), QStringLiteral("15"));
        grid.setCurrentIndex(m->index(1, 0));
        QTest::keyClick(&grid, Qt::Key_Delete);
        QCOMPARE(grid.verticalHeader()->count(), 2);
        grid.setAllowDelete(false);
        QTest::keyClick(&grid, Qt::Key_Delete);
        QCOMPARE(db::scalar("SELECT group_concat(ハンデ) FROM ハンデ").toString(), QStringLiteral("10,15"));
    }

    // A picture box draws in its own scale and keeps it; a fill stops at an outline one pixel
    // wide; the box shows the picture as drawn; a click is a left press and release inside.
    void pictureBoxDrawsAndFills() {
        PictureBox box;
        box.resize(40, 20);
        box.Scale(0, 0, 4, 2);  // ten pixels a unit
        box.setBackColor(0xFFFFFF);
        box.Line(1, 0.5, 3, 1.5, 0xFF, PictureBox::Box);
        box.FloodFill(2, 1, 0xFF00);
        box.PSet(0.2, 0.2, 0x123456);
        QCOMPARE(joined({box.Point(2, 1), box.Point(1, 1), box.Point(0.5, 1), box.Point(0.2, 0.2)}), u"65280 255 16777215 1193046"_s);
        box.FloodFill(0.5, 1.9, 0xFFFF);  // all round the outline
        QCOMPARE(joined({box.Point(0, 0), box.Point(3.9, 1.9), box.Point(0.5, 0.1), box.Point(2, 1)}), u"65535 65535 65535 65280"_s);
        QVERIFY(!box.LoadPicture(u"no such.jpg"_s));
        box.show();
        QCOMPARE(box.grab().toImage().convertToFormat(QImage::Format_RGB32), box.image());
        QSignalSpy clicks(&box, &PictureBox::Click);
        QTest::mouseClick(&box, Qt::RightButton);
        QTest::mouseClick(&box, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
