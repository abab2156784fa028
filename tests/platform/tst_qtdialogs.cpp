// The real dialogs speak Japanese with the rest of the program.
#include "platform/qtdialogs.h"
#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

class TestQtDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void qtTextsAreJapanese() {
        QVERIFY(vx::installJapaneseQtTexts());
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QVERIFY(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")));
        QVERIFY(box.button(QMessageBox::No)->text().contains(QStringLiteral("いいえ")));
        QVERIFY(box.button(QMessageBox::Cancel)->text().contains(QStringLiteral("キャンセル")));
    }
};

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
