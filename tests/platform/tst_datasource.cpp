#include "platform/boundgrid.h"
#include "platform/datasource.h"
#include "support/testdb.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace vx;

namespace {
QVariant sql(const QString& text) { return db::scalar(text); }
void run(const QString& text) { QVERIFY(db::exec(text)); }
}  // namespace

class TestDataSource : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private Q_SLOTS:
    void init() {
        QVERIFY(!vxtest::openFreshDb(dir_).isEmpty());
        run("INSERT INTO シーズン (シーズン時期, シーズン名) VALUES ('2000','一'),('2001','二'),('2002','三')");
    }
    void cleanupTestCase() { db::close(); }

    void leavingARowCommitsIt() {
        DataSource ds;
        ds.setRecordSource("シーズン");
        QVERIFY(ds.Refresh());
        DBGrid grid;
        grid.setDataSource(&ds);
        grid.setAllowUpdate(true);
        grid.show();
        auto* m = grid.gridModel();
        QCOMPARE(m->rowCount(), 3);
        QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QStringLiteral("シーズン名"));
        QVERIFY(!(m->flags(m->index(0, 0)) & Qt::ItemIsEditable));  // the counter
        grid.setCurrentIndex(m->index(0, 2));
        QVERIFY(m->setData(m->index(0, 2), "春"));
        QCOMPARE(m->data(m->index(0, 2)).toString(), QStringLiteral("春"));
        QCOMPARE(sql("SELECT シーズン名 FROM シーズン WHERE シーズンID = 1").toString(), QStringLiteral("一"));
        QSignalSpy committed(&grid, &DBGrid::rowCommitted);
        grid.setCurrentIndex(m->index(1, 2));
        QCOMPARE(committed.count(), 1);
        QCOMPARE(sql("SELECT シーズン名 FROM シーズン WHERE シーズンID = 1").toString(), QStringLiteral("春"));
        QCOMPARE(ds.currentRow(), 1);

        // An edit committed by the data source's own move (the editors' "back" button).
        QVERIFY(m->setData(m->index(1, 1), "1999"));
        QVERIFY(ds.MoveLast());
        QCOMPARE(sql("SELECT シーズン時期 FROM シーズン WHERE シーズンID = 2").toString(), QStringLiteral("1999"));
        QCOMPARE(grid.currentIndex().row(), 2);  // the grid follows the data source

        // Typed into a cell editor, then the user moves to another row.
        grid.edit(m->index(2, 2));
        auto* editor = grid.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, "Fall");
        grid.setCurrentIndex(m->index(0, 2));
        QCOMPARE(sql("SELECT シーズン名 FROM シーズン WHERE シーズンID = 3").toString(), QStringLiteral("Fall"));
        // An explicit commit takes an open editor's text along.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        grid.edit(m->index(0, 2));
        editor = grid.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText("Spring");
        QVERIFY(grid.commitRow());
        QCOMPARE(sql("SELECT シーズン名 FROM シーズン WHERE シーズンID = 1").toString(), QStringLiteral("Spring"));
    }

    void permissionsSwitchAtRunTime() {
        DataSource ds;
        ds.setRecordSource("選手名とHDCP", "ID");
        run("INSERT INTO 選手 (選手ID, 選手名) VALUES (5,'E')");
        run("INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) VALUES (5,1,10)");
        QVERIFY(ds.Refresh());
        DBGrid grid;
        grid.setDataSource(&ds);
        auto* m = grid.gridModel();
        grid.setAllowDelete(true);
        QCOMPARE(m->rowCount(), 1);
        QVERIFY(!(m->flags(m->index(0, 5)) & Qt::ItemIsEditable));
        QVERIFY(!m->setData(m->index(0, 5), "11"));

        grid.setAllowAddNew(true);
        grid.setAllowUpdate(true);
        QCOMPARE(m->rowCount(), 2);  // the new-record line
        QVERIFY(m->isNewLine(1));
        QVERIFY(m->flags(m->index(1, 5)) & Qt::ItemIsEditable);
        QSignalSpy errors(&ds, &DataSource::error);
        QVERIFY(m->setData(m->index(1, 1), "1"));
        QVERIFY(m->setData(m->index(1, 3), "99"));  // no such player
        QVERIFY(m->setData(m->index(1, 5), "15"));
        QVERIFY(!grid.commitRow());
        QCOMPARE(errors.count(), 1);
        QVERIFY(ds.isAdding());  // kept for correction
        QVERIFY(m->setData(m->index(1, 3), "5"));
        QVERIFY(grid.commitRow());
        QCOMPARE(sql("SELECT count(*) FROM ハンデ").toInt(), 2);
        QCOMPARE(m->rowCount(), 3);
        QCOMPARE(m->data(m->index(1, 4)).toString(), QStringLiteral("E"));  // joined name read back

        grid.setAllowAddNew(false);
        grid.setAllowUpdate(false);
        QCOMPARE(m->rowCount(), 2);
        grid.setCurrentIndex(m->index(0, 0));
        QTest::keyClick(&grid, Qt::Key_Delete);
        QCOMPARE(sql("SELECT count(*) FROM ハンデ").toInt(), 1);
        QCOMPARE(m->rowCount(), 1);
        grid.setAllowDelete(false);
        QTest::keyClick(&grid, Qt::Key_Delete);
        QCOMPARE(sql("SELECT count(*) FROM ハンデ").toInt(), 1);
    }

    void newLineBecomesARecordWhenLeft() {
        DataSource ds;
        ds.setRecordSource("シーズン降順", "シーズンID");
        QVERIFY(ds.Refresh());
        DBGrid grid;
        grid.setDataSource(&ds);
        grid.setAllowAddNew(true);
        grid.setAllowUpdate(true);
        auto* m = grid.gridModel();
        QCOMPARE(m->rowCount(), 4);
        QVERIFY(!(m->flags(m->index(0, 0)) & Qt::ItemIsEditable));  // the counter, through a view
        QVERIFY(!m->setData(m->index(3, 0), "9"));
        grid.setCurrentIndex(m->index(3, 2));
        QVERIFY(m->setData(m->index(3, 2), "四"));
        grid.setCurrentIndex(m->index(0, 2));
        QCOMPARE(sql("SELECT シーズン名 FROM シーズン WHERE シーズンID = 4").toString(), QStringLiteral("四"));
        QCOMPARE(m->rowCount(), 5);
        QCOMPARE(m->data(m->index(3, 0)).toString(), QStringLiteral("4"));
        QVERIFY(m->isNewLine(4));
        // Escape drops an unstored edit.
        QVERIFY(m->setData(m->index(0, 2), "x"));
        QTest::keyClick(&grid, Qt::Key_Escape);
        QVERIFY(!ds.isEditing());
        QCOMPARE(m->data(m->index(0, 2)).toString(), QStringLiteral("三"));
    }

    void boundTextBoxEditsTheRecord() {
        DataSource ds;
        ds.setRecordSource("シーズン降順", "シーズンID");
        QVERIFY(ds.Refresh());
        QLineEdit id, name;
        ds.bindLineEdit(&id, "シーズンID");
        ds.bindLineEdit(&name, "シーズン名");
        QCOMPARE(id.text(), QStringLiteral("3"));
        QVERIFY(ds.MoveLast());
        QVERIFY(ds.AddNew());
        QCOMPARE(name.text(), QString());
        QTest::keyClicks(&name, "Natsu");
        QVERIFY(ds.UpdateRecord());
        QVERIFY(ds.Refresh());
        QCOMPARE(id.text(), QStringLiteral("4"));
        QCOMPARE(name.text(), QStringLiteral("Natsu"));
        QCOMPARE(sql("SELECT count(*) FROM シーズン").toInt(), 4);
    }
};

QTEST_MAIN(TestDataSource)
#include "tst_datasource.moc"
