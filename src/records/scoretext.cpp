#include "records/scoretext.h"
#include "common/convert.h"
#include "common/dbconnection.h"
#include "common/names.h"
#include "common/picture.h"
#include "common/records.h"
#include "common/textfile.h"
#include "common/width.h"
#include <QSqlRecord>

namespace vx::scorebook {

bool writeScoreText(const QString& path, const Filter& filter, const TextOptions& options) {
    const Query query = bookQuery(filter);
    db::Statement q(query.sql);
    if (!q.run(query.params) || !q.next()) return false;
    const NameList fields(q.columnNames());
    const char* const wanted[] = {"選手名", "シーズン名", "試合", "ゲーム", "入賞", "優p", "s10", "競技点"};
    int col[8];
    int markCol[21];
    if (!fields.indexesOf(wanted, col) || !fields.indexesOf(ballColumns(QStringLiteral("m")), markCol)) return false;

    const bool asStored = options.marksAsStored && !options.simple;
    try {
        TextWriter out(path);
        do {
            auto v = [&q, &col](int i) { return textOf(q.value(col[i])); };
            QString marks;
            for (int k = 0; k <= 20; ++k) {
                const QVariant m = q.value(markCol[k]);
                const QString stored = m.isNull() ? QStringLiteral("  ") : m.toString();
                marks += asStored ? Format(stored, QStringLiteral("&&")) : normalizeMark(stored, options.markTexts);
                if (k % 2 == 1 && k < 18) marks += QLatin1Char(' ');
            }
            if (options.simple) {
                out.Print(Format(leftChars(StrConvWide(v(0) + QStringLiteral("\u3000\u3000")), 6), QStringLiteral("!@@@@@@")) +
                          Format(rightChars(QStringLiteral("  ") + v(6), 3), QStringLiteral(" @@@")) + QStringLiteral(">>") +
                          Format(rightChars(QStringLiteral("  ") + v(7), 3), QStringLiteral("@@@")) + QStringLiteral("  ") +
                          marks);
            } else {
                out.Print(Format(v(0), QStringLiteral("&&&&&&&&")) + QStringLiteral("選手  ") +
                          Format(v(1), QStringLiteral("&&&&&&&& ")) + Format(v(2), QStringLiteral("第###試合 ")) +
                          Format(v(3), QStringLiteral("第###ゲーム   ")) + Format(v(4), QStringLiteral(" !@@@")) +
                          Format(v(5), QStringLiteral("@@@")) + QStringLiteral("p"));
                out.Print(marks + Format(v(6), QStringLiteral(" === 素点@@@")) + QStringLiteral("点\u3000") +
                          Format(v(7), QStringLiteral("競技点@@@")) + QStringLiteral("点 ==="));
            }
        } while (q.next());
        out.close();
    } catch (const TextFileError&) {
        return false;
    }
    return true;
}

}  // namespace vx::scorebook
