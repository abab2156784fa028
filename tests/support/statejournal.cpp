#include "support/statejournal.h"
#include "platform/form.h"
#include "platform/mdiframe.h"
#include "platform/picturebox.h"
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QTextStream>
#include <QToolButton>

namespace vxtest::journal {

namespace {

struct Journal {
    bool on = false;
    QString home, file;
    QStringList lines;
    int step = 0;
    QHash<QString, QStringList> last;  // each window's state as last written
    std::function<QStringList()> extra;
};

Journal& current() {
    static Journal j;
    return j;
}

QString oneLine(QString text, const QString& home) {
    if (!home.isEmpty()) text.replace(home, QStringLiteral("~"));
    // Files beside the tests, wherever the checkout stands.
    text.replace(QStringLiteral(VX_TEST_DATA), QStringLiteral("<data>")).replace(QStringLiteral(VX_ASSETS_DIR), QStringLiteral("<assets>"));
    return text.replace(QLatin1Char('\r'), QStringLiteral("\\r")).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
}

QString itemViewState(const QAbstractItemView* v) {
    const QAbstractItemModel* m = v->model();
    if (!m) return QStringLiteral("no model");
    const QModelIndex at = v->currentIndex();
    QString s = QStringLiteral("%1x%2 at %3,%4").arg(m->rowCount()).arg(m->columnCount()).arg(at.row()).arg(at.column());
    // What typing and clicking do in it, and which scroll bars it keeps.
    s += QStringLiteral(" edit=%1 select=%2/%3 bars=%4/%5")
             .arg(int(v->editTriggers()), 0, 16)
             .arg(int(v->selectionMode()))
             .arg(int(v->selectionBehavior()))
             .arg(int(v->horizontalScrollBarPolicy()))
             .arg(int(v->verticalScrollBarPolicy()));
    // The columns as headed (hidden ones in brackets), and the current row as shown.
    QStringList heads, row;
    const auto* table = qobject_cast<const QTableView*>(v);
    for (int c = 0; c < m->columnCount(); ++c) {
        const QString head = m->headerData(c, Qt::Horizontal).toString();
        heads << (table && table->isColumnHidden(c) ? QLatin1Char('[') + head + QLatin1Char(']') : head);
        if (at.isValid()) row << m->index(at.row(), c).data().toString();
    }
    s += QStringLiteral(" cols ") + heads.join(QLatin1Char('|'));
    if (table) {  // the widths the window gives its columns
        QStringList widths;
        for (int c = 0; c < m->columnCount(); ++c)
            if (!table->isColumnHidden(c)) widths << QString::number(table->columnWidth(c));
        s += QStringLiteral(" widths ") + widths.join(QLatin1Char(','));
    }
    if (at.isValid()) s += QStringLiteral(" row ") + row.join(QLatin1Char('|'));
    if (const auto* t = qobject_cast<const QTableWidget*>(v)) {  // a grid the window fills itself: its cells
        QStringList cells;
        for (int r = 0; r < t->rowCount(); ++r)
            for (int c = 0; c < t->columnCount(); ++c)
                if (const QTableWidgetItem* i = t->item(r, c); i && !i->text().isEmpty()) cells << QStringLiteral("%1,%2=%3").arg(r).arg(c).arg(i->text());
        s += QLatin1Char(' ') + cells.join(QLatin1Char(';'));
    }
    return s;
}

// Colours a window gave a control itself (by palette or style sheet): those unlike the application's.
QString colours(const QWidget* c) {
    QString s;
    const QPalette app = QApplication::palette(c);
    for (const auto role : {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text})
        if (c->palette().color(role) != app.color(role)) s += QStringLiteral(" %1=%2").arg(int(role)).arg(c->palette().color(role).name());
    return s;
}

// How the control takes the keyboard: not at all, by tab, by click, by both, also by the wheel.
QChar focusFlag(Qt::FocusPolicy p) {
    switch (p) {
    case Qt::NoFocus: return QLatin1Char('0');
    case Qt::TabFocus: return QLatin1Char('t');
    case Qt::ClickFocus: return QLatin1Char('c');
    case Qt::StrongFocus: return QLatin1Char('s');
    default: return QLatin1Char('w');
    }
}

// What else a user sees or feels of a control, where the window set it: where its text stands
// in its box, the tip the pointer brings up, a font of its own, a wrapped or framed label, a box
// showing the start of its text, a pointer of its own (a text box's is Qt's), a control the mouse
// passes through, a box typed into without the input method, a painted background.
QString look(const QWidget* c) {
    QString s;
    const auto* l = qobject_cast<const QLabel*>(c);
    const auto* e = qobject_cast<const QLineEdit*>(c);
    const Qt::Alignment align = l ? l->alignment() : e ? e->alignment() : Qt::AlignLeft | Qt::AlignVCenter;
    if (align != (Qt::AlignLeft | Qt::AlignVCenter)) s += QStringLiteral(" align=%1").arg(int(align), 0, 16);
    if (!c->toolTip().isEmpty()) s += QStringLiteral(" tip=") + c->toolTip();
    if (c->testAttribute(Qt::WA_SetFont)) {
        const QFont f = c->font();
        const QString size = f.pointSizeF() > 0 ? QString::number(f.pointSizeF()) : QString::number(f.pixelSize()) + QStringLiteral("px");
        s += QStringLiteral(" font=%1/%2/%3").arg(f.family(), size).arg(f.weight());
    }
    if (l) {
        if (l->wordWrap()) s += QStringLiteral(" wrap");
        if (l->frameStyle() != 0) s += QStringLiteral(" frame=%1").arg(l->frameStyle(), 0, 16);
    }
    if (e) {
        // Only the start: a click puts the cursor where it lands, in a path that differs each run.
        if (e->cursorPosition() == 0 && !e->text().isEmpty()) s += QStringLiteral(" from-start");
        if (!e->testAttribute(Qt::WA_InputMethodEnabled) && !e->isReadOnly()) s += QStringLiteral(" no-ime");
    }
    if (c->testAttribute(Qt::WA_SetCursor) && !e) s += QStringLiteral(" pointer=%1").arg(int(c->cursor().shape()));
    if (c->testAttribute(Qt::WA_TransparentForMouseEvents)) s += QStringLiteral(" mouse-through");
    if (c->autoFillBackground()) s += QStringLiteral(" filled");
    return s;
}

// What a picture box holds, as a short digest of its pixels.
QString pictureDigest(const vx::PictureBox* p) {
    QImage img = p->image();
    if (img.depth() != 32) img = img.convertToFormat(QImage::Format_RGB32);
    const QByteArray bits(reinterpret_cast<const char*>(img.constBits()), qsizetype(img.sizeInBytes()));
    return QStringLiteral("%1x%2 ").arg(img.width()).arg(img.height()) +
           QString::fromLatin1(QCryptographicHash::hash(bits, QCryptographicHash::Md5).toHex().left(12));
}

// One line per control below `w`, in the order the window made them; composite controls (grids,
// lists, spin boxes, combo boxes) as one.
void walk(const QWidget* form, const QWidget* w, const QString& home, QStringList& out) {
    for (QObject* o : w->children()) {
        auto* c = qobject_cast<QWidget*>(o);
        if (!c || c->isWindow()) continue;
        QString detail;
        bool inside = true;
        if (const auto* l = qobject_cast<const QLabel*>(c)) {
            // A label shortening a long path names it whole for a screen reader.
            detail = l->accessibleName().isEmpty() ? l->text() : l->accessibleName();
        } else if (const auto* b = qobject_cast<const QAbstractButton*>(c)) {
            detail = b->text() + (b->isCheckable() ? (b->isChecked() ? QStringLiteral(" [x]") : QStringLiteral(" [ ]")) : QString());
            if (const auto* t = qobject_cast<const QToolButton*>(b)) {
                if (t->arrowType() != Qt::NoArrow) detail += QStringLiteral(" arrow %1").arg(int(t->arrowType()));
                if (t->autoRaise()) detail += QStringLiteral(" flat");
            }
        } else if (const auto* e = qobject_cast<const QLineEdit*>(c)) {
            detail = e->text() + (e->isReadOnly() ? QStringLiteral(" (read only)") : QString());
        } else if (const auto* t = qobject_cast<const QTextEdit*>(c)) {
            detail = t->toPlainText(), inside = false;
        } else if (const auto* p = qobject_cast<const QPlainTextEdit*>(c)) {
            detail = p->toPlainText(), inside = false;
        } else if (const auto* v = qobject_cast<const QAbstractItemView*>(c)) {
            detail = itemViewState(v), inside = false;
        } else if (const auto* x = qobject_cast<const QComboBox*>(c)) {
            detail = QStringLiteral("%1 of %2: %3").arg(x->currentIndex()).arg(x->count()).arg(x->currentText()), inside = false;
        } else if (const auto* s = qobject_cast<const QAbstractSpinBox*>(c)) {
            detail = s->text(), inside = false;
        } else if (const auto* r = qobject_cast<const QAbstractSlider*>(c)) {
            detail = QStringLiteral("%1 in %2..%3").arg(r->value()).arg(r->minimum()).arg(r->maximum());
        } else if (const auto* p = qobject_cast<const vx::PictureBox*>(c)) {
            detail = pictureDigest(p);
        }
        detail += colours(c) + look(c);
        // Where the window puts it: places and sizes come from the window's own measures and fonts.
        const QRect g = c->geometry();
        detail += QStringLiteral(" @%1,%2 %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
        const QString flags = QString(c->isVisibleTo(form) ? QLatin1Char('v') : QLatin1Char('-')) + (c->isEnabled() ? QLatin1Char('e') : QLatin1Char('-')) +
                              (c == QApplication::focusWidget() ? QLatin1Char('k') : QLatin1Char('-')) + focusFlag(c->focusPolicy());
        out << QStringLiteral("%1 %2 %3 %4").arg(out.size()).arg(QString::fromLatin1(c->metaObject()->className()), flags, oneLine(detail, home));
        if (inside) walk(form, c, home, out);
    }
}

void menus(const QList<QAction*>& actions, const QString& path, const QString& home, QStringList& out) {
    for (const QAction* a : actions) {
        if (a->isSeparator()) {  // the lines between a menu's groups of entries
            out << QStringLiteral("menu %1--- %2").arg(oneLine(path, home), a->isVisible() ? QStringLiteral("v") : QStringLiteral("-"));
            continue;
        }
        const QString name = path + a->text();
        out << QStringLiteral("menu %1 %2%3%4").arg(oneLine(name, home), a->isVisible() ? QStringLiteral("v") : QStringLiteral("-"),
                                                     a->isEnabled() ? QStringLiteral("e") : QStringLiteral("-"),
                                                     a->isCheckable() ? (a->isChecked() ? QStringLiteral("x") : QStringLiteral("o")) : QString());
        if (a->menu()) menus(a->menu()->actions(), name + QLatin1Char('/'), home, out);
    }
}

QString keptFile(const char* testClass) {
    QString name = QString::fromLatin1(QTest::currentTestFunction());
    if (const char* tag = QTest::currentDataTag(); tag && *tag) name += QLatin1Char('_') + QString::fromUtf8(tag);
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
    return QStringLiteral(VX_TEST_DATA "/states/") + QString::fromLatin1(testClass) + QLatin1Char('/') + name + QStringLiteral(".txt");
}

}  // namespace

void start(const QString& home) {
    Journal& j = current();
    j = Journal{};
    j.on = true;
    j.home = home;
    const QObject* test = QTest::testObject();
    j.file = keptFile(test ? test->metaObject()->className() : "test");
}

void dialog(const QString& what) {
    Journal& j = current();
    if (j.on) j.lines << QStringLiteral("  dialog ") + oneLine(what, j.home);
}

void setExtra(std::function<QStringList()> lines) { current().extra = std::move(lines); }

void note(const QString& what) {
    Journal& j = current();
    if (!j.on) return;
    ++j.step;
    const vx::MdiFrame* frame = vx::MdiFrame::instance();
    const vx::Form* form = frame ? frame->activeForm() : nullptr;
    const QString header = QStringLiteral("%1 %2").arg(j.step).arg(oneLine(what, j.home));
    if (!form || !form->isShown()) {
        j.lines << header + QStringLiteral(" => no window");
        return;
    }
    const QString name = QString::fromLatin1(form->metaObject()->className());
    // The title as its frame shows it, where that is not the window's own.
    const QString framed = form->subWindow() ? form->subWindow()->windowTitle() : form->windowTitle();
    QStringList now{QStringLiteral("title ") + oneLine(form->windowTitle(), j.home) +
                    (framed != form->windowTitle() ? QStringLiteral(" framed as ") + oneLine(framed, j.home) : QString()) +
                    QStringLiteral(" %1x%2").arg(form->width()).arg(form->height())};
    walk(form, form, j.home, now);
    menus(form->menuActions(), QString(), j.home, now);
    if (j.extra) now << j.extra();
    // The windows standing behind it, from the bottom.
    QStringList shown;
    for (const QMdiSubWindow* sub : frame->mdiArea()->subWindowList(QMdiArea::StackingOrder))
        if (sub->isVisible() && sub->widget()) shown << QString::fromLatin1(sub->widget()->metaObject()->className());
    now << QStringLiteral("windows ") + shown.join(QLatin1Char(' '));
    j.lines << header + QStringLiteral(" => ") + name;
    const QStringList before = j.last.value(name);
    for (int i = 0; i < now.size(); ++i)
        if (i >= before.size() || before[i] != now[i]) j.lines << QStringLiteral("  ") + now[i];
    for (int i = now.size(); i < before.size(); ++i) j.lines << QStringLiteral("  gone ") + before[i];
    j.last.insert(name, now);
}

QString finish() {
    Journal& j = current();
    if (!j.on) return {};
    j.on = false;
    const QString seen = j.lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    if (qEnvironmentVariableIsSet("VX_KEEP_STATES")) {
        QDir().mkpath(QFileInfo(j.file).path());
        QFile f(j.file);
        if (!f.open(QIODevice::WriteOnly) || f.write(seen.toUtf8()) < 0) return QStringLiteral("cannot keep ") + j.file;
        return {};
    }
    QFile f(j.file);
    if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("no kept states in ") + j.file + QStringLiteral(" (VX_KEEP_STATES=1 keeps them)");
    const QStringList kept = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    const QStringList got = seen.split(QLatin1Char('\n'));
    for (int i = 0; i < std::max(kept.size(), got.size()); ++i)
        if (kept.value(i) != got.value(i)) {
            // The step the difference is in, for the reader.
            QString step;
            for (int k = i; k >= 0 && step.isEmpty(); --k)
                if (!got.value(k).startsWith(QLatin1Char(' '))) step = got.value(k);
            return QStringLiteral("%1 line %2, at step \"%3\":\n  kept: %4\n  seen: %5").arg(j.file).arg(i + 1).arg(step, kept.value(i), got.value(i));
        }
    return {};
}

}  // namespace vxtest::journal
