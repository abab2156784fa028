#include "testenv.h"
#include "testdb.h"
#include "app/windows.h"
#include "common/appdir.h"
#include "common/clock.h"
#include "common/module1.h"
#include "common/settings.h"
#include "platform/form.h"
#include "platform/mdiframe.h"
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTest>
#include <typeinfo>
#include <QSqlError>
#include <QSqlQuery>

namespace vxtest {

TestEnv::TestEnv(bool withDatabase) {
    qputenv("VORLIX_HOME", home_.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
    vx::settings::reload();
    vx::clock::setFixed(QDateTime(QDate(2026, 5, 17), QTime(10, 0)));
    Module1::resetAll();
    vx::registerAllWindows();
    QDir::setCurrent(home_.path());
    if (withDatabase) vx::db::createFromSchema(path(vx::DatabaseFileName), schemaText());
}

TestEnv::~TestEnv() {
    resetUi();
    vx::db::close();
    vx::clock::setFixed({});
    QDir::setCurrent(QDir::tempPath());
}

bool freshProgramDb() { return !openFreshDb(vx::programFolder()).isEmpty(); }

bool execSql(const QString& sql) {
    if (!vx::db::isOpen() && !vx::db::open(vx::DatabaseFileName)) return false;
    QSqlQuery q(vx::db::connection());
    if (q.exec(sql)) return true;
    qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return false;
}

namespace {

QString shown(const QString& text) {
    QString s = text;
    s.remove(QLatin1Char('&'));
    return s;
}

int widest(const QFontMetrics& fm, const QStringList& lines) {
    int w = 0;
    for (const QString& line : lines) w = std::max(w, fm.horizontalAdvance(line));
    return w;
}

bool plainLabel(const QLabel* l) {
    return !l->text().isEmpty() && !l->wordWrap() && l->textFormat() != Qt::RichText && !Qt::mightBeRichText(l->text());
}

// Where the style puts a check box's or radio button's text.
QRect textRoom(const QAbstractButton* b) {
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    const bool radio = qobject_cast<const QRadioButton*>(b);
    return b->style()->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &opt, b);
}

bool checkOrRadio(const QWidget* w) { return qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w); }

// How many pixels of a widget's text do not fit it, 0 when it shows whole.
int shortBy(const QWidget* w) {
    const QFontMetrics fm = w->fontMetrics();
    if (const auto* l = qobject_cast<const QLabel*>(w)) {
        if (!plainLabel(l)) return 0;
        const QStringList lines = l->text().split(QLatin1Char('\n'));
        const int need = widest(fm, lines) + 2 * (l->margin() + l->frameWidth()) + std::max(l->indent(), 0);
        const int high = int(lines.size()) * fm.lineSpacing() - fm.leading() + 2 * (l->margin() + l->frameWidth()) - 2;
        return std::max({0, need - l->width(), high - l->height()});
    }
    if (checkOrRadio(w)) {
        const auto* b = static_cast<const QAbstractButton*>(w);
        if (b->text().isEmpty()) return 0;
        return std::max(0, fm.horizontalAdvance(shown(b->text())) - textRoom(b).width());
    }
    // A button of its own kind paints its caption its own way.
    if (const auto* b = qobject_cast<const QPushButton*>(w); b && typeid(*b) == typeid(QPushButton)) {
        if (b->text().isEmpty()) return 0;
        // The caption is drawn unclipped, centred: it is cut only where it reaches the border.
        return std::max(0, widest(fm, shown(b->text()).split(QLatin1Char('\n'))) - (b->width() - 2));
    }
    if (const auto* e = qobject_cast<const QLineEdit*>(w)) {
        // A box the user types in scrolls, as a long file path does; one that only shows must show all.
        if (e->text().isEmpty() || e->echoMode() != QLineEdit::Normal || !e->isReadOnly()) return 0;
        QStyleOptionFrame opt;
        opt.initFrom(e);
        opt.lineWidth = opt.midLineWidth = 0;
        opt.features = QStyleOptionFrame::None;
        if (e->hasFrame()) opt.lineWidth = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e);
        const QMargins m = e->textMargins();
        const int room = e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e).width() - m.left() - m.right() - 2 * 2;
        return std::max(0, fm.horizontalAdvance(e->text()) - room);
    }
    if (const auto* g = qobject_cast<const QGroupBox*>(w)) {
        if (g->title().isEmpty()) return 0;
        return std::max(0, fm.horizontalAdvance(shown(g->title())) + 8 - g->width());
    }
    return 0;
}

// Where a widget paints what a user reads, in its parent's coordinates: a label's characters other
// than spaces (a caption may leave room for a box), a check box's text, any other control whole.
QList<QRect> inkOf(const QWidget* w) {
    const QFontMetrics fm = w->fontMetrics();
    if (const auto* l = qobject_cast<const QLabel*>(w)) {
        if (!plainLabel(l)) return {};
        const QRect box = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
        const QStringList lines = l->text().split(QLatin1Char('\n'));
        const int block = int(lines.size()) * fm.lineSpacing();
        const Qt::Alignment a = l->alignment();
        int y = a & Qt::AlignTop ? box.top() : a & Qt::AlignBottom ? box.bottom() + 1 - block : box.top() + (box.height() - block) / 2;
        QList<QRect> ink;
        for (const QString& line : lines) {
            const int width = fm.horizontalAdvance(line);
            int x = a & Qt::AlignRight ? box.right() + 1 - width : a & Qt::AlignHCenter ? box.left() + (box.width() - width) / 2 : box.left();
            for (qsizetype i = 0; i < line.size(); ++i) {
                const int from = fm.horizontalAdvance(line.left(i)), to = fm.horizontalAdvance(line.left(i + 1));
                if (!line[i].isSpace()) ink << QRect(x + from, y, to - from, fm.height()).translated(l->pos());
            }
            y += fm.lineSpacing();
        }
        return ink;
    }
    if (checkOrRadio(w)) {
        const auto* b = static_cast<const QAbstractButton*>(w);
        const QRect room = textRoom(b);
        return {QRect(b->x() + room.x(), b->y(), fm.horizontalAdvance(shown(b->text())), b->height())};
    }
    if (qobject_cast<const QGroupBox*>(w)) return {};  // a frame around others
    if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
        qobject_cast<const QAbstractScrollArea*>(w))
        return {w->geometry()};
    return {};
}

bool placedByHand(const QWidget* parent) {
    return !qobject_cast<const QAbstractScrollArea*>(parent) && !qobject_cast<const QComboBox*>(parent) &&
           !qobject_cast<const QAbstractSpinBox*>(parent) && !qobject_cast<const QMdiSubWindow*>(parent);
}

QString named(const QWidget* w) {
    QString text;
    if (const auto* l = qobject_cast<const QLabel*>(w)) text = l->text();
    else if (const auto* b = qobject_cast<const QAbstractButton*>(w)) text = b->text();
    else if (const auto* e = qobject_cast<const QLineEdit*>(w)) text = e->text();
    else if (const auto* g = qobject_cast<const QGroupBox*>(w)) text = g->title();
    return QString::fromLatin1(w->metaObject()->className()) + QStringLiteral(" \"") + text + QLatin1Char('"');
}

}  // namespace

QStringList layoutFaults(QWidget* root) {
    QStringList faults;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root) || !w->parentWidget() || !placedByHand(w->parentWidget())) continue;
        // A box of a pixel or two keeps the keyboard unseen; one beyond the window is never seen.
        if (w->width() < 3 || w->height() < 3 || !root->rect().intersects(QRect(w->mapTo(root, QPoint()), w->size()))) continue;
        if (const int by = shortBy(w)) faults << named(w) + QStringLiteral(" cut by %1 px").arg(by);
        const QList<QRect> ink = inkOf(w);
        // Each pair once, in the order the controls were made.
        const QList<QWidget*> siblings = w->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (qsizetype k = siblings.indexOf(w) + 1; k < siblings.size(); ++k) {
            QWidget* o = siblings[k];
            if (!o->isVisibleTo(root)) continue;
            bool over = false;
            for (const QRect& a : ink)
                for (const QRect& b : inkOf(o)) {
                    const QRect both = a.intersected(b);
                    over = over || (both.width() > 2 && both.height() > 2);
                }
            if (over) faults << named(w) + QStringLiteral(" and ") + named(o) + QStringLiteral(" overlap");
        }
    }
    return faults;
}

QString saveShot(QWidget* widget, const QString& name, const QStringList& accepted) {
    QDir().mkpath(QStringLiteral(VX_SHOTS_DIR));
    const QString file = QStringLiteral(VX_SHOTS_DIR "/") + name + QStringLiteral(".png");
    widget->grab().save(file);
    QStringList faults = layoutFaults(widget);
    faults.removeIf([&](const QString& f) { return std::any_of(accepted.begin(), accepted.end(), [&](const QString& a) { return f.contains(a); }); });
    const QString said = name + QStringLiteral(": ") + faults.join(QStringLiteral("; "));
    QTest::qVerify(faults.isEmpty(), "text shown whole and apart", qPrintable(said), __FILE__, __LINE__);
    return file;
}

void resetUi() {
    vx::forms::destroyAll();
    delete vx::MdiFrame::instance();
    Module1::resetAll();
}

}  // namespace vxtest
