#include "recording/exchange.h"
#include "common/appdir.h"
#include "common/convert.h"
#include "common/database.h"
#include "common/dialogs.h"
#include "common/module1.h"
#include "common/width.h"
#include "recording/exchange_codec.h"
#include "recording/scoreentry_model.h"
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <limits>

namespace vx::exchange {

using namespace Module1;

namespace {

EntryWindows* windows_ = nullptr;
bool backupFailing_ = false;  // say so once, not at every refresh

const QString NoPlayerName = QStringLiteral("選手名未入力");
const QString NotDataFile = QStringLiteral("この名前で保存されたファイルはデータファイルではありません");
constexpr int SystemModal = 4096;

void hideEntry() { if (windows_) windows_->hideEntryWindows(); }
void showEntry() { if (windows_) windows_->showEntryWindows(); }

QString inCurrentDir(const QString& name) { return QDir::currentPath() + QLatin1Char('/') + name; }

QString joinLines(std::initializer_list<QString> lines) {
    QString s;
    for (const QString& l : lines) s += l + QLatin1Char('\r');
    return s;
}

// Anything that stops an import before the sheet and the database are changed.
struct ImportFailure {
    QString file;
    int line;  // 0 when no line is to blame
    QString reason;
};

void refuseFile(const ImportFailure& f) {
    Beep();
    QString text = NotDataFile + QLatin1Char('\r') + f.file + QLatin1Char('\r');
    if (f.line > 0) text += QString::number(f.line) + QStringLiteral("行目: ");
    text += f.reason;
    MsgBox(text, vbOKOnly);
}

// The score entry shows the record at the cursor again, as when its window is activated.
void refreshScoreEntry() {
    if (!ScoreSheet.contains(CurPlayer, CurGame)) return;
    ScoreEntryModel& m = scoreEntry();
    const GameRecord& r = ScoreSheet(CurPlayer, CurGame);
    for (int k = 0; k <= 21; ++k) m.setMarkText(k, r.Marks[std::size_t(k)]);
    m.Cmd_KEISAN_Click();
    m.New_score();
}

bool clipboardHoldsNumber() { return windows_ && Val(windows_->clipboardText()) > 0; }

// ---------------------------------------------------------------- reconciliation

// The sheet as it will stand after the import; becomes the shared state only when everything
// else succeeded.
struct NewSheet {
    std::int16_t lastPlayer = 0;
    std::int16_t lastGame = 0;
    std::vector<std::int16_t> ids;
    std::vector<FixedString<10>> names;
    std::vector<std::int16_t> hcps;
    Grid2<GameRecord> sheet;
};

struct DbFailure {
    QString reason;
};

class Players {
public:
    Players() {
        QString err;
        const QVariant v = db::scalar(QStringLiteral("SELECT COALESCE(MAX(\"選手ID\"), 0) FROM \"選手\""), {}, &err);
        if (!v.isValid()) throw DbFailure{err};
        maxId_ = v.toInt();
    }

    bool idExists(int id) const {
        return found(QStringLiteral("SELECT \"選手ID\" FROM \"他データ読み込み用ダイナ\" WHERE \"選手ID\" = ? LIMIT 1"), {id}).isValid();
    }
    // The name as a slot holds it: the stored name cut or blank-filled to 10 characters, so the
    // blanks that fill a slot's name never hide a registered player.
    QVariant idOfName(const QString& name10) const {
        return found(QStringLiteral("SELECT \"選手ID\" FROM \"他データ読み込み用ダイナ\" WHERE %1 = ? ORDER BY \"選手ID\" LIMIT 1")
                         .arg(nameAs10()),
                     {name10});
    }
    bool idAndNameExist(int id, const QString& name10) const {
        return found(QStringLiteral("SELECT \"選手ID\" FROM \"他データ読み込み用ダイナ\" WHERE %1 = ? AND \"選手ID\" = ? LIMIT 1")
                         .arg(nameAs10()),
                     {name10, id}).isValid();
    }

    std::int16_t nextId() {
        if (maxId_ >= std::numeric_limits<std::int16_t>::max()) throw DbFailure{QStringLiteral("選手IDに空きがありません")};
        return std::int16_t(++maxId_);
    }

    void add(int id, const QString& name10, std::int16_t hcp) {
        QString err;
        if (!db::exec(QStringLiteral("INSERT INTO \"他データ読み込み用ダイナ\" (\"選手ID\", \"選手名\", \"シーズンID\", \"ハンデ\") "
                                     "VALUES (?, ?, ?, ?)"),
                      {id, name10, SeasonId, int(hcp)}, &err))
            throw DbFailure{err};
        if (id > maxId_) maxId_ = id;
        added_ = true;
    }
    bool added() const { return added_; }

private:
    static QString nameAs10() { return QStringLiteral("substr(\"選手名\" || '          ', 1, 10)"); }
    QVariant found(const QString& sql, const QVariantList& params) const {
        QString err;
        const QVariant v = db::scalar(sql, params, &err);
        if (!err.isEmpty()) throw DbFailure{err};
        return v;
    }
    int maxId_ = 0;
    bool added_ = false;
};

// Each imported slot is matched with the registered players, in slot order; a slot sees the
// players that the slots before it added.
void reconcile(NewSheet& ns, int firstSlot, Players& players) {
    for (int s = firstSlot; s <= ns.lastPlayer; ++s) {
        std::int16_t& id = ns.ids[std::size_t(s)];
        if (id == -1) continue;
        const QString name = ns.names[std::size_t(s)].str();
        const std::int16_t hcp = ns.hcps[std::size_t(s)];
        if (players.idExists(id)) {
            if (players.idAndNameExist(id, name)) continue;  // the same player
            const QVariant registered = players.idOfName(name);
            if (!registered.isValid()) {
                id = players.nextId();
                MsgBox(joinLines({QStringLiteral("ファイルを調べてみると、"), name + QStringLiteral("選手と同じIDに、"),
                                  QStringLiteral("違う選手が登録されています。"), name + QStringLiteral("選手の登録IDを変更して"),
                                  QStringLiteral("登録します。")}),
                       vbOKOnly);
                players.add(id, name, hcp);
            } else if (MsgBox(joinLines({QStringLiteral("ファイルを調べてみると、"), name + QStringLiteral("選手が違うIDで"),
                                         QStringLiteral("登録されています。"), QStringLiteral("読み込まれる側の登録IDに変更しますか？"),
                                         QStringLiteral("[いいえ]を選択すると同姓同名の違う"),
                                         QStringLiteral("選手としてIDを変えて登録します。")}),
                              vbYesNo + vbDefaultButton1 + SystemModal) == vbYes) {
                id = std::int16_t(registered.toInt());
            } else {
                id = players.nextId();
                players.add(id, name, hcp);
            }
        } else {
            const QVariant registered = players.idOfName(name);
            if (!registered.isValid()) {
                MsgBox(joinLines({QStringLiteral("新規に読み込むファイルを調べると、"), QStringLiteral("読み込まれる側に登録されていない"),
                                  name + QStringLiteral("選手が登録されています。"), QStringLiteral("この選手を登録します。")}),
                       vbOKOnly);
                players.add(id, name, hcp);
            } else if (MsgBox(joinLines({QStringLiteral("ファイルを調べてみると、"), name + QStringLiteral("選手が違うIDで"),
                                         QStringLiteral("登録されています。"), QStringLiteral("読み込まれる側の登録IDに変更しますか？"),
                                         QStringLiteral("[いいえ]を選択すると同姓同名の違う選手として登録します。")}),
                              vbYesNo + vbDefaultButton1 + SystemModal) == vbYes) {
                id = std::int16_t(registered.toInt());
            } else {
                players.add(id, name, hcp);
            }
        }
    }
}

// ---------------------------------------------------------------- the sheet grown by the file

NewSheet grownSheet(const SheetFile& file, Layout layout) {
    NewSheet ns;
    const int oldLast = LastPlayer;
    const int n = int(file.slots.size());
    const int grow = n == 0 ? 0 : ((n - 1) / 6 + 1) * 6;
    if (oldLast + grow > std::numeric_limits<std::int16_t>::max())
        throw ImportFailure{QString(), 1, QStringLiteral("人数が多すぎます")};
    ns.lastPlayer = std::int16_t(oldLast + grow);
    ns.lastGame = std::int16_t(std::max<int>(LastGame, file.games - 1));

    ns.ids = PlayerIds;
    ns.names = PlayerNames;
    ns.hcps = PlayerHcps;
    ns.ids.resize(std::size_t(oldLast + 1), -1);
    ns.names.resize(std::size_t(oldLast + 1), NoPlayerName);
    ns.hcps.resize(std::size_t(oldLast + 1), 0);
    ns.ids.resize(std::size_t(ns.lastPlayer + 1), -1);
    ns.names.resize(std::size_t(ns.lastPlayer + 1), NoPlayerName);
    ns.hcps.resize(std::size_t(ns.lastPlayer + 1), -1);

    const GameRecord blank = notEnteredRecord();
    ns.sheet.redim(0, ns.lastPlayer, 0, ns.lastGame);
    for (int s = 0; s <= ns.lastPlayer; ++s)
        for (int g = 0; g <= ns.lastGame; ++g) {
            if (ScoreSheet.contains(s, g)) {
                ns.sheet(s, g) = ScoreSheet(s, g);
                continue;
            }
            GameRecord& r = ns.sheet(s, g) = blank;
            // A player's added game carries the player's name and handicap like the others.
            if (s <= oldLast && ns.ids[std::size_t(s)] != -1) {
                r.Name = ns.names[std::size_t(s)];
                r.Scores[11] = ns.hcps[std::size_t(s)];
            }
        }

    for (int i = 0; i < n; ++i) {
        const SlotRecord& slot = file.slots[std::size_t(i)];
        const int s = oldLast + 1 + i;
        ns.ids[std::size_t(s)] = slot.playerId;
        ns.names[std::size_t(s)] = slot.name;
        ns.hcps[std::size_t(s)] = slot.games.front().Scores[11];
        const GameRecord& venueFrom = ns.sheet(0, 0);
        for (int g = 0; g <= ns.lastGame; ++g) {
            GameRecord& r = ns.sheet(s, g);
            r.Name = slot.name;
            // The file's games keep their own handicaps; only the added games take the first game's.
            if (g < file.games) r = slot.games[std::size_t(g)];
            else r.Scores[11] = ns.hcps[std::size_t(s)];
            if (layout == Layout::Old) {
                r.VenueId = venueFrom.VenueId;
                r.Year = venueFrom.Year;
                r.Month = venueFrom.Month;
                r.Day = venueFrom.Day;
            }
        }
    }
    return ns;
}

// ---------------------------------------------------------------- the three commands

void backupFailed(const QString& path, const QString& reason) {
    if (backupFailing_) return;
    backupFailing_ = true;
    Beep();
    MsgBox(QStringLiteral("自動保存ファイルに書き込めません。") + QLatin1Char('\r') + path + QLatin1Char('\r') + reason,
           vbOKOnly + vbExclamation);
}

// The backup as this run last wrote it: a refresh that changed nothing finds the file as it left
// it and writes nothing.
struct WrittenBackup {
    QString path;
    QByteArray bytes;
    QDateTime modified;
};
WrittenBackup lastBackup_;

bool backupStands(const QString& path, const QByteArray& bytes) {
    if (path != lastBackup_.path || bytes != lastBackup_.bytes) return false;
    const QFileInfo file(path);
    return file.exists() && file.size() == bytes.size() && file.lastModified() == lastBackup_.modified;
}

void writeBackup() {
    const QString path = inCurrentDir(backupFileName());
    try {
        const QByteArray bytes = sheetFileBytes(sheetFromState());
        if (!backupStands(path, bytes)) {
            QString why;
            if (!writeWhole(path, bytes, &why)) throw TextFileError(path, 0, why);
            lastBackup_ = {path, bytes, QFileInfo(path).lastModified()};
        }
        backupFailing_ = false;
    } catch (const TextFileError& e) {
        backupFailed(path, e.reason);
    } catch (const std::exception& e) {  // slot arrays out of step with the sheet
        backupFailed(path, QString::fromUtf8(e.what()));
    }
}

bool allDigits(const QString& text) {
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return !text.isEmpty();
}

void exportFile() {
    ScoreEntryModel& m = scoreEntry();
    m.Cmd_INFO_Click();
    if (m.infoText() != ScoreEntryModel::NoPendingGamesText &&
        MsgBox(QStringLiteral("入力されていないデータがある可能性があります。入力に戻りますか？"),
               vbYesNo + vbExclamation + vbDefaultButton1) == vbYes)
        return;
    hideEntry();
    QString answer;
    for (;;) {
        answer = InputBox(joinLines({QStringLiteral("他のコンピュータで"), QStringLiteral("読み込むときの"),
                                     QStringLiteral("番号を入力して"), QStringLiteral("ください。")}).chopped(1),
                          QStringLiteral("データ番号の入力"), QStringLiteral("000000"));
        if (answer.isEmpty()) {
            showEntry();
            return;
        }
        // The number becomes part of a file name: digits only (full-width ones count too).
        if (allDigits(StrConvNarrow(answer))) break;
        Beep();
        MsgBox(QStringLiteral("データ番号は数字で入力してください。"), vbOKOnly + vbExclamation);
    }
    const QString path = inCurrentDir(QStringLiteral("B_") + padLeft(leftChars(StrConvNarrow(answer), 6), 6, QLatin1Char('0')) +
                                      QStringLiteral(".dat"));
    try {
        writeSheetFile(path, sheetFromState());
        MsgBox(QStringLiteral("ファイルへのデータの書き出しが終了しました") + QLatin1Char('\r') + QStringLiteral("ファイル番号は　") +
                   answer + QStringLiteral("　です。"),
               vbOKOnly);
    } catch (const TextFileError& e) {
        Beep();
        MsgBox(QStringLiteral("ファイルに書き込めませんでした。") + QLatin1Char('\r') + path + QLatin1Char('\r') + e.reason,
               vbOKOnly + vbExclamation);
    } catch (const std::exception& e) {
        Beep();
        MsgBox(QStringLiteral("ファイルに書き込めませんでした。") + QLatin1Char('\r') + path + QLatin1Char('\r') + QString::fromUtf8(e.what()),
               vbOKOnly + vbExclamation);
    }
    showEntry();
}

// The import: the whole file is read and checked first; the sheet and the database change
// together or not at all.
void importFile(bool offerBackups, const QString& initial) {
    hideEntry();
    const QString filter = offerBackups || clipboardHoldsNumber()
                               ? QStringLiteral("データファイル (*.dat or *.cdt),バックアップファイル(*.bup)|*.dat;*.cdt;*.bup")
                               : QStringLiteral("データファイル (*.dat or *.cdt)|*.dat;*.cdt");
    const QString path = dialogs().openFile(QString(), filter, initial.isEmpty() ? programFolder() : initial);
    enterProgramFolder();
    if (path.isEmpty()) {
        showEntry();
        return;
    }
    const Layout layout = layoutOf(path);

    if (windows_) windows_->showWaiting();
    std::optional<ImportFailure> failure;
    bool added = false;
    try {
        const SheetFile file = readSheetFile(path, layout);
        NewSheet ns = grownSheet(file, layout);
        QString err;
        if (!db::ensureOpen(&err)) throw DbFailure{err};
        {
            db::Transaction names;
            if (!names.begun()) throw DbFailure{names.error()};
            Players players;
            reconcile(ns, LastPlayer + 1, players);
            if (!names.commit()) throw DbFailure{names.error()};
            added = players.added();
        }
        LastPlayer = ns.lastPlayer;
        LastGame = ns.lastGame;
        PlayerIds = std::move(ns.ids);
        PlayerNames = std::move(ns.names);
        PlayerHcps = std::move(ns.hcps);
        ScoreSheet = std::move(ns.sheet);
    } catch (const TextFileError& e) {
        failure = ImportFailure{path, e.line, e.reason};
    } catch (const ImportFailure& e) {
        failure = ImportFailure{path, e.line, e.reason};
    } catch (const DbFailure& e) {
        failure = ImportFailure{path, 0, QStringLiteral("データベースを更新できません: ") + e.reason};
    } catch (const std::exception& e) {
        failure = ImportFailure{path, 0, QString::fromUtf8(e.what())};
    }
    if (windows_) windows_->hideWaiting();
    if (failure) {
        refuseFile(*failure);
        showEntry();
        return;
    }
    if (windows_) {
        windows_->laneGridChanged();
        if (added) windows_->playersAdded();
    }
    showEntry();
    refreshScoreEntry();
}

}  // namespace

void setEntryWindows(EntryWindows* windows) { windows_ = windows; }

void Cmd_Data_IO_Click(int index) {
    switch (index) {
        case 0: exportFile(); break;
        case 1: importFile(false, QString()); break;
        case 2: writeBackup(); break;
        default: break;
    }
    // Whichever way it ended (also "back to the input"), files are found from the program's folder.
    enterProgramFolder();
}

void offerRecovery() {
    const QString path = inCurrentDir(backupFileName());
    if (!QFile(path).open(QIODevice::ReadOnly)) return;
    if (MsgBox(QStringLiteral("同じ日付のデータで、\r\n保存されていないデータがあります。\r\n読み込みますか？"), vbYesNo) != vbYes)
        return;
    // The clipboard stays the user's: the backup is offered by the dialog's filter and name.
    importFile(true, path);
}

QString backupFileName() {
    return QStringLiteral("B_%1%2.bup")
        .arg(MatchYear % 100, 2, 10, QLatin1Char('0'))
        .arg(int(MatchMonth) * 100 + int(MatchDay), 4, 10, QLatin1Char('0'));
}

}  // namespace vx::exchange
