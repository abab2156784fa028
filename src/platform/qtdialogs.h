#pragma once
// The real dialog service: Qt message boxes, input boxes, file and colour dialogs.
#include "common/dialogs.h"

namespace vx {

class QtDialogs final : public DialogService {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(const QString& title, const QString& filter, const QString& initial) override;
    QString saveFile(const QString& title, const QString& filter, const QString& initial) override;
    std::optional<std::int32_t> chooseColor(std::int32_t initial) override;
    void beep() override;
};

// Qt's own texts (dialog buttons, file and colour dialogs) in Japanese, as the rest of the program.
// False when the translation files are not installed.
bool installJapaneseQtTexts();

// A message text as shown: a lone carriage return becomes a line break.
QString displayText(const QString& prompt);
// "説明|*.dat|説明|*.*" pairs as a Qt file-dialog filter.
QString qtFilter(const QString& filter);

}  // namespace vx
