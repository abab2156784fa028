#include "common/settings.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include "support/filesizelimit.h"

using namespace vx::settings;

class TstSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void defaultsWhenMissing();
    void namesIgnoreCase();
    void valuesSurviveReload();
    void failedSaveKeepsOldStore();

private:
    std::unique_ptr<QTemporaryDir> dir;
};

void TstSettings::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    qputenv("XDG_CONFIG_HOME", dir->path().toLocal8Bit());
    reload();
}

void TstSettings::defaultsWhenMissing() {
    QCOMPARE(GetSetting(QStringLiteral("Setting"), QStringLiteral("max_game"), QStringLiteral("3")), QStringLiteral("3"));
    QCOMPARE(storePath(), dir->path() + QStringLiteral("/Vorlix32/Vorlix32.ini"));
    QVERIFY(!QFile::exists(storePath()));  // reading creates nothing
}

void TstSettings::namesIgnoreCase() {
    SaveSetting(QStringLiteral("Setting"), QStringLiteral("max_game"), QStringLiteral("4"));
    QCOMPARE(GetSetting(QStringLiteral("setting"), QStringLiteral("MAX_GAME"), QStringLiteral("3")), QStringLiteral("4"));
    // Read under "form"/"start_Left", written under "Form"/"start_left": one value, not two.
    SaveSetting(QStringLiteral("form"), QStringLiteral("start_Left"), QStringLiteral("25"));
    SaveSetting(QStringLiteral("Form"), QStringLiteral("start_left"), QStringLiteral("300"));
    QCOMPARE(GetSetting(QStringLiteral("form"), QStringLiteral("start_Left"), QStringLiteral("25")), QStringLiteral("300"));
    QFile f(storePath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    QCOMPARE(text.count(QStringLiteral("start_"), Qt::CaseInsensitive), 1);
    QCOMPARE(text.count(QStringLiteral("[form]"), Qt::CaseInsensitive), 1);
}

void TstSettings::valuesSurviveReload() {
    const QString marks = QString::fromUtf8("／");
    const QString odd = QStringLiteral("a\\b\r\nc=d [x]");
    SaveSetting(QStringLiteral("Setting"), QStringLiteral("Spear_mark9"), marks);
    SaveSetting(QStringLiteral("Setting"), QStringLiteral("brw"), odd);
    SaveSetting(QStringLiteral("HTML_color"), QStringLiteral("back"), QStringLiteral("14811135"));
    reload();
    QCOMPARE(GetSetting(QStringLiteral("setting"), QStringLiteral("spear_mark9"), QString()), marks);
    QCOMPARE(GetSetting(QStringLiteral("Setting"), QStringLiteral("brw"), QString()), odd);
    QCOMPARE(GetSetting(QStringLiteral("html_color"), QStringLiteral("BACK"), QString()), QStringLiteral("14811135"));
}

void TstSettings::failedSaveKeepsOldStore() {
    SaveSetting(QStringLiteral("Setting"), QStringLiteral("max_game"), QStringLiteral("4"));
    QFile f(storePath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    {
        vx::test::FileSizeLimit limit(256);  // the next save fails part way
        SaveSetting(QStringLiteral("Setting"), QStringLiteral("brw"), QString(4000, QLatin1Char('x')));
    }
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
    QCOMPARE(QDir(storeFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Vorlix32.ini")});
    QCOMPARE(GetSetting(QStringLiteral("Setting"), QStringLiteral("brw"), QStringLiteral("none")), QStringLiteral("none"));
    QCOMPARE(GetSetting(QStringLiteral("Setting"), QStringLiteral("max_game"), QString()), QStringLiteral("4"));
}

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"
