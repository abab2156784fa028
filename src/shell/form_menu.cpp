#include "shell/form_menu.h"
#include "common/appdir.h"
#include "common/convert.h"
#include "common/database.h"
#include "common/dialogs.h"
#include "common/module1.h"
#include "common/settings.h"
#include "common/settingskeys.h"
#include "platform/twips.h"
#include "shell/form_start.h"
#include "shell/startup.h"
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>

namespace vx {

const QString MainCaption = QStringLiteral("  Vorlix[Vorlix32] - The Scorer & Database for BOWLING Games");

Form_menu::Form_menu() { setWindowTitle(MainCaption); }

Form_menu::~Form_menu() = default;

bool Form_menu::MDIForm_Load() {
    enterProgramFolder();

    QDir().mkpath(settings::storeFolder());
    lock_ = std::make_unique<QLockFile>(settings::storeFolder() + QStringLiteral("/Vorlix32.lock"));
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        MsgBox(QStringLiteral("すでに起動しています。"), vbOKOnly);
        return false;
    }
    startup::removeLeftovers();  // no other copy writes them now

    bool inUse = false;
    if (!startup::openAndTestDatabase(&inUse)) {
        MsgBox(inUse ? db::inUseMessage() : startup::oldFormatMessage(), vbOKOnly);
        return false;
    }

    applyGeometry();
    startup::loadSettings();
    forms::get<Form_Start>().Show();
    return true;
}

void Form_menu::applyGeometry() {
    namespace keys = settings::keys;
    double left = 25, top = 25, width = 9999, height = 5555;
    if (auto v = CSng(settings::read(keys::MainLeft))) left = *v;
    if (auto v = CSng(settings::read(keys::MainTop))) top = *v;
    if (auto v = CSng(settings::read(keys::MainWidth))) width = *v;
    if (auto v = CSng(settings::read(keys::MainHeight))) height = *v;
    // 9999 and 5555 are markers for nine tenths of the screen.
    const QSize screen = screenSizeTwips();
    if (width == 9999) width = screen.width() * 0.9;
    if (height == 5555) height = screen.height() * 0.9;
    move(twips(left), twips(top));
    resize(twips(width), twips(height));
    leftTwips_ = left;
    topTwips_ = top;
    widthTwips_ = width;
    heightTwips_ = height;
}

bool Form_menu::MDIForm_QueryUnload() {
    if (MsgBox(QStringLiteral("終了してもよろしいですか？"), vbOKCancel | vbDefaultButton2, QStringLiteral("終了の確認")) != vbOK)
        return false;
    namespace keys = settings::keys;
    auto kept = [](double set, int pixels) { return twips(set) == pixels ? set : toTwips(pixels); };
    settings::save(keys::MainTop, CStr(kept(topTwips_, y())));
    settings::save(keys::MainLeft, CStr(kept(leftTwips_, x())));
    settings::save(keys::MainHeight, CStr(kept(heightTwips_, height())));
    settings::save(keys::MainWidth, CStr(kept(widthTwips_, width())));
    if (Form_Start* start = forms::loaded<Form_Start>()) {
        settings::save(keys::StartMenuTop, CStr(start->Top()));
        settings::save(keys::StartMenuLeft, CStr(start->Left()));
    }
    settings::save(keys::SeasonIdMax, CStr(int(Module1::SeasonIdMax)));
    settings::save(keys::SeasonIdMin, CStr(int(Module1::SeasonIdMin)));
    settings::save(keys::MatchIdMax, CStr(int(Module1::MatchIdMax)));
    settings::save(keys::MatchIdMin, CStr(int(Module1::MatchIdMin)));
    return true;
}

void Form_menu::closeEvent(QCloseEvent* event) {
    if (!MDIForm_QueryUnload()) {
        event->ignore();
        return;
    }
    // The program ends at once; the open windows are not asked.
    ended_ = true;
    event->accept();
    QCoreApplication::exit(0);
}

}  // namespace vx
