#pragma once
// A user trying everything on the window on top, in a fixed pseudo-random order: buttons clicked,
// boxes ticked, text boxes typed into (short numbers mostly, now and then a letter or a kanji),
// list entries stepped, grid cells clicked, scroll bars paged. A window that opens on top is closed
// again by its close box, and the window tried is opened again when it was left. With the kept window states, every step becomes a check of what the user sees.
// Dialogs nobody expected get the safe answer; programs started are only noted.
#include "common/launcher.h"
#include "support/gui.h"
#include <QAbstractSlider>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTabBar>
#include <random>

namespace vxtest {

// `reopen` opens the window tried again after it was unloaded (else the trying ends there).
inline void monkey(ScriptedDialogs& dialogs, int steps, std::uint32_t seed, const std::function<vx::Form*()>& reopen = {}) {
    dialogs.lenient();
    vx::launcher::setRunner([](const QString& program, const QStringList& args) {
        journal::dialog(QStringLiteral("started ") + program + QLatin1Char(' ') + args.join(QLatin1Char(' ')));
        return true;
    });
    std::mt19937 rng(seed);
    const auto pick = [&](qsizetype n) { return qsizetype(rng() % std::uint32_t(n)); };
    static const QString typed = QStringLiteral("0123456789012345678901234567890123456789 -.a漢ｱ");
    vx::MdiFrame* frame = vx::MdiFrame::instance();
    QPointer<vx::Form> home = frame ? frame->activeForm() : nullptr;
    bool closing = false;
    for (int i = 0; i < steps; ++i) {
        if (!home && reopen) home = reopen();
        if (!home) break;
        vx::Form* form = frame->activeForm();
        if (form != home) {
            // Another window on top is closed by its close box; when the window tried was left,
            // it is opened again; a window that refused to close is tried as it stands.
            if (!closing && form && form->isShown()) {
                closing = true;
                form->subWindow()->close();
                settle();
                journal::note(QStringLiteral("close box"));
                continue;
            }
            if (!home->isShown()) {
                closing = false;
                home->Show();
                settle();
                journal::note(QStringLiteral("shown again"));
                continue;
            }
            if (!form) break;
        }
        closing = false;
        QList<QWidget*> targets;
        for (QWidget* w : form->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(form) || !w->isEnabled()) continue;
            const auto* b = qobject_cast<QAbstractButton*>(w);
            const auto* e = qobject_cast<QLineEdit*>(w);
            const auto* v = qobject_cast<QAbstractItemView*>(w);
            if ((b && !b->text().contains(QStringLiteral("終了"))) || qobject_cast<QTabBar*>(w) || (e && !e->isReadOnly() && !qobject_cast<QComboBox*>(w->parent())) ||
                qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSlider*>(w) || (v && v->model() && v->model()->rowCount() > 0))
                targets << w;
        }
        if (targets.isEmpty()) break;
        QWidget* w = targets[pick(targets.size())];
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            b->isCheckable() ? tick(b) : click(b);
        } else if (qobject_cast<QLineEdit*>(w)) {
            QString text;
            for (qsizetype n = pick(5); n > 0; --n) text += typed[pick(typed.size())];
            retype(w, text);
            if (pick(2)) press(Qt::Key_Return);
        } else if (auto* t = qobject_cast<QTabBar*>(w)) {
            const int tab = int(pick(t->count()));
            QTest::mouseClick(t, Qt::LeftButton, {}, t->tabRect(tab).center());
            settle();
            journal::note(QStringLiteral("tab %1").arg(tab));
        } else if (auto* v = qobject_cast<QAbstractItemView*>(w)) {
            clickCell(v, int(pick(v->model()->rowCount())), int(pick(v->model()->columnCount())));
        } else {
            w->setFocus(Qt::TabFocusReason);
            press(pick(2) ? Qt::Key_Down : Qt::Key_PageDown);
        }
    }
    vx::launcher::setRunner({});
}

}  // namespace vxtest
