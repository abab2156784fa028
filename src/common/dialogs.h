#pragma once
// The one seam through which every message box, input box, file and colour dialog and beep passes.
// Windows install the real Qt service; tests install a scripted one.
#include <QString>
#include <cstdint>
#include <optional>

namespace vx {

// Button sets, icons and default buttons combine into one style number, as message boxes take them.
enum MsgStyle : int {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
    vbDefaultButton1 = 0, vbDefaultButton2 = 256, vbDefaultButton3 = 512,
};
enum MsgResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// The program's own title, shown on a message box for which no title is given.
QString defaultTitle();

class DialogService {
public:
    virtual ~DialogService() = default;
    // Returns one of MsgResult. An empty title means the program's default title.
    virtual int msgBox(const QString& prompt, int style, const QString& title) = 0;
    // Returns the typed text, or an empty text when cancelled.
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // Returns the chosen path, or an empty text when cancelled. Filter as "説明|*.dat|..." pairs.
    virtual QString openFile(const QString& title, const QString& filter, const QString& initial) = 0;
    virtual QString saveFile(const QString& title, const QString& filter, const QString& initial) = 0;
    // Returns the chosen colour (0x00BBGGRR), or nothing when cancelled.
    virtual std::optional<std::int32_t> chooseColor(std::int32_t initial) = 0;
    virtual void beep() = 0;
};

// Told around every dialog of the service in use, so that the windows can give the keyboard back
// to where it was once the dialog is answered (a dialog takes it away from them).
class DialogWatcher {
public:
    virtual ~DialogWatcher() = default;
    virtual void dialogOpening() = 0;
    virtual void dialogClosed() = 0;
};
void setDialogWatcher(DialogWatcher* watcher);

// The service in use, told to the watcher around each dialog. Installing nullptr restores the one
// the program started with.
DialogService& dialogs();
// The service installed, without the watcher.
DialogService& installedDialogs();
void setDialogs(DialogService* service);
// The program installs its real service once at start-up.
void setDefaultDialogs(DialogService* service);

// Shorthands in the form the windows use.
inline int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = {}) {
    return dialogs().msgBox(prompt, style, title);
}
inline QString InputBox(const QString& prompt, const QString& title = {}, const QString& def = {}) {
    return dialogs().inputBox(prompt, title, def);
}
inline void Beep() { dialogs().beep(); }

}  // namespace vx
