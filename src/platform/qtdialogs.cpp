#include "platform/qtdialogs.h"
#include "common/appdir.h"
#include "platform/controls.h"
#include "platform/mdiframe.h"
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <QPushButton>

namespace vx {

bool installJapaneseQtTexts() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return QCoreApplication::installTranslator(translator);
    delete translator;
    return false;
}


QString displayText(const QString& prompt) {
    QString t = prompt;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
    return out.join(QStringLiteral(";;"));
}

static QWidget* owner() { return MdiFrame::instance(); }
static QString titleOr(const QString& title) { return title.isEmpty() ? defaultTitle() : title; }

int QtDialogs::msgBox(const QString& prompt, int style, const QString& title) {
    QMessageBox box(owner());
    box.setWindowTitle(titleOr(title));
    box.setText(displayText(prompt));
    switch (style & 0x70) {
        case vbCritical: box.setIcon(QMessageBox::Critical); break;
        case vbQuestion: box.setIcon(QMessageBox::Question); break;
        case vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case vbInformation: box.setIcon(QMessageBox::Information); break;
        default: break;
    }
    struct B { QMessageBox::StandardButton button; int result; };
    QList<B> buttons;
    switch (style & 7) {
        case vbOKCancel: buttons = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
        case vbAbortRetryIgnore: buttons = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}}; break;
        case vbYesNoCancel: buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}}; break;
        case vbYesNo: buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
        case vbRetryCancel: buttons = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}}; break;
        default: buttons = {{QMessageBox::Ok, vbOK}}; break;
    }
    for (const B& b : buttons) box.addButton(b.button);
    const int defaultIndex = std::min<int>((style >> 8) & 3, int(buttons.size()) - 1);
    box.setDefaultButton(buttons[defaultIndex].button);
    // Escape answers Cancel where there is one, else the only button.
    for (const B& b : buttons)
        if (b.result == vbCancel || buttons.size() == 1) box.setEscapeButton(b.button);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const B& b : buttons)
        if (b.button == clicked) return b.result;
    return buttons.back().result;
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), titleOr(title), displayText(prompt), QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

// Every file dialog leaves the program's folder as the current directory.
QString QtDialogs::openFile(const QString& title, const QString& filter, const QString& initial) {
    const QString path = QFileDialog::getOpenFileName(owner(), title, initial, qtFilter(filter));
    enterProgramFolder();
    return path;
}

QString QtDialogs::saveFile(const QString& title, const QString& filter, const QString& initial) {
    const QString path = QFileDialog::getSaveFileName(owner(), title, initial, qtFilter(filter));
    enterProgramFolder();
    return path;
}

std::optional<std::int32_t> QtDialogs::chooseColor(std::int32_t initial) {
    const QColor chosen = QColorDialog::getColor(vbColor(initial), owner());
    if (!chosen.isValid()) return std::nullopt;
    return vbColorOf(chosen);
}

void QtDialogs::beep() { QApplication::beep(); }

}  // namespace vx
