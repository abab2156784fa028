#pragma once
// What every HTML export dialog shares: the page's title, heading, footer text and file, the save
// dialog, "すぐ表示", the colour window, the menus, and the run that writes the page, reports a
// failure and opens the browser. A dialog adds its own controls below the file and writes its body.
#include "platform/form.h"
#include "publishing/htmlpage.h"
#include <array>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vx {

class HtmlExportDialog : public Form {
    Q_OBJECT
public:
    std::array<QLabel*, 4> Label_jofo{};       // title, heading, footer, file
    std::array<QLineEdit*, 3> Txt_jofo{};      // title, heading, footer text
    QLineEdit* Txt_file = nullptr;
    QPushButton* cmd_filename = nullptr;
    QCheckBox* Chk_open = nullptr;             // open the page at once (setting br_open)
    QPushButton* Cmd_OK = nullptr;
    QPushButton* Cmd_End = nullptr;
    QPushButton* Cmd_color = nullptr;
    QAction* menu_ok = nullptr;                // ファイル > 出力する
    QAction* menu_end = nullptr;               // ファイル > やめる
    QAction* menu_color = nullptr;

    void Cmd_OK_Click();
    void Cmd_End_Click();
    void Cmd_color_Click();
    void cmd_filename_Click();

protected:
    struct Layout {
        QString caption;
        QString positionPrefix;             // html, html2, ...
        QString defaultPosition = QStringLiteral("25");
        QString defaultFile;                // in the program's folder
        QString endCaption = QStringLiteral("取消・戻る (&B)");
        QString cancelEntry = QStringLiteral("やめる(&X)");
        QString colorCaption = QStringLiteral("色指定 (&C)");
        QString failure = QStringLiteral("ファイル名がおかしいようです。");
        double ownHeight = 0;               // twips the dialog's own controls take below the file
        bool enterWrites = true;            // Enter in the file box writes the page
    };
    explicit HtmlExportDialog(const Layout& layout);

    // Where the dialog's own controls start, in twips from the top.
    static constexpr double OwnTop = 2280;
    // What every page is written from: the colours set, the title, heading and footer text as
    // typed (the writer adds the rest of the frame), and the time now.
    publishing::PageSetup pageSetup() const;
    // The page file proposed at load, or set later (a bulletin when its match is chosen).
    void proposeFile(const QString& path);
    // The message of this run's failure, when it is not the dialog's usual one.
    void failWith(const QString& message) { runFailure_ = message; }

    // A dialog's own part of the run. readyToWrite shows its own message and refuses;
    // writePage writes the whole page and is false on any failure.
    virtual void loadOwn() {}
    virtual void unloadOwn() {}
    virtual bool readyToWrite() { return true; }
    virtual bool writePage(const QString& path) = 0;
    // What the dialog gives back to its opener when its buttons close it (not the close box).
    virtual void handBack() {}

    void Form_Load() final;
    void Form_Unload(bool& cancel) final;

private:
    Layout layout_;
    QString dialogFile_;  // the save dialog's file name
    QString runFailure_;
};

}  // namespace vx
