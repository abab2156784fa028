#include "publishing/form_htmlexport.h"
#include "common/appdir.h"
#include "common/clock.h"
#include "common/convert.h"
#include "common/database.h"
#include "common/dialogs.h"
#include "common/launcher.h"
#include "common/module1.h"
#include "common/settingskeys.h"
#include "platform/controls.h"
#include "platform/registry.h"
#include "publishing/form_html_color.h"
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace vx {

namespace {
const QString Filter = QStringLiteral("HTMLファイル (*.htm)|*.htm|HTMLファイル (*.html)|*.html");
}  // namespace

HtmlExportDialog::HtmlExportDialog(const Layout& layout) : layout_(layout) {
    setWindowTitle(layout.caption);
    const char* const captions[] = {"　　ＨＴＭＬ ヘッダ", "　　ＨＴＭＬ タイトル", "　　　　説明文", "　　ＨＴＭＬ ファイルネーム"};
    for (int i = 0; i < 4; ++i) Label_jofo[std::size_t(i)] = label(this, QString::fromUtf8(captions[i]), 120, 150 + 420 * i, 2400);
    for (int i = 0; i < 3; ++i) Txt_jofo[std::size_t(i)] = textBox(this, 2520, 120 + 420 * i, 5160);
    Txt_file = textBox(this, 2520, 1380, 5160);
    cmd_filename = button(this, QStringLiteral("HTMLファイル　場所と名前の指定"), 2520, 1800, 5160, 360, [this] { cmd_filename_Click(); });
    const double bottom = OwnTop + layout.ownHeight + 120;
    Chk_open = place(new QCheckBox(QStringLiteral("すぐ表示"), this), 240, bottom + 60, 1800, 300);
    Cmd_color = button(this, layout.colorCaption, 2040, bottom, 1800, 420, [this] { Cmd_color_Click(); });
    Cmd_OK = button(this, QStringLiteral("Ｏ　Ｋ (&Save)"), 3960, bottom, 1800, 420, [this] { Cmd_OK_Click(); });
    Cmd_End = button(this, layout.endCaption, 5880, bottom, 1800, 420, [this] { Cmd_End_Click(); });
    setClientSizeTwips(7800, bottom + 540);
    // Enter in the file box writes the page.
    if (layout.enterWrites) connect(Txt_file, &QLineEdit::returnPressed, this, [this] { Cmd_OK_Click(); });

    QMenu* file = addMenu(QStringLiteral("ファイル(&F)"));
    menu_ok = addEntry(file, QStringLiteral("出力する(&S)"), [this] { Cmd_OK_Click(); });
    menu_end = addEntry(file, layout.cancelEntry, [this] { Cmd_End_Click(); });
    menu_color = addMenuCommand(QStringLiteral("色指定(&C)"), [this] { Cmd_color_Click(); });
}

publishing::PageSetup HtmlExportDialog::pageSetup() const {
    publishing::PageSetup page;
    page.colors = Module1::HtmlColors;
    page.frame.title = Txt_jofo[0]->text();
    page.frame.heading = Txt_jofo[1]->text();
    page.footerText = Txt_jofo[2]->text();
    page.written = clock::now();
    return page;
}

void HtmlExportDialog::proposeFile(const QString& path) {
    Txt_file->setText(path);
    dialogFile_ = path;
}

void HtmlExportDialog::Form_Load() {
    restorePosition(layout_.positionPrefix, layout_.defaultPosition);
    Chk_open->setChecked(settings::readFlag(settings::keys::OpenPage));
    if (!layout_.defaultFile.isEmpty()) proposeFile(inProgramFolder(layout_.defaultFile));
    loadOwn();
}

void HtmlExportDialog::Form_Unload(bool&) {
    savePosition(layout_.positionPrefix);
    settings::saveFlag(settings::keys::OpenPage, Chk_open->isChecked());
    unloadOwn();
}

void HtmlExportDialog::cmd_filename_Click() {
    const QString chosen = dialogs().saveFile(QString(), Filter, dialogFile_);
    if (!chosen.isEmpty()) dialogFile_ = chosen;
    Txt_file->setText(dialogFile_);
    // The pages open the database by its name relative to the program's folder.
    QDir::setCurrent(programFolder());
}

void HtmlExportDialog::Cmd_color_Click() { forms::get<Form_HTML_color>().Show(); }

void HtmlExportDialog::Cmd_End_Click() {
    handBack();
    Unload();
}

void HtmlExportDialog::Cmd_OK_Click() {
    if (!readyToWrite()) return;
    const QString path = Txt_file->text();
    forms::showWaiting();
    runFailure_.clear();
    const quint64 lockedOut = db::inUseFailures();
    const bool written = writePage(path);
    forms::hideWaiting();
    if (!written) {
        // Another program holding the database is no fault of the file name.
        if (db::inUseFailures() != lockedOut) runFailure_ = db::inUseMessage();
        MsgBox(runFailure_.isEmpty() ? layout_.failure : runFailure_, vbOKOnly);
        giveFocus(Txt_file);
        return;
    }
    // A browser that does not start changes nothing: the page is written.
    if (Chk_open->isChecked()) launcher::openWith(launcher::browserCommandLine(), QFileInfo(path).absoluteFilePath());
    handBack();
    Unload();
}

}  // namespace vx
