#pragma once
// A score card on screen as a bowler reads it: each frame's ball marks side by side, filling the
// width of its running-score box just below them; frames 1..5 and 6..10 each in a row, one box
// beside the next (all ten in one row when perRow is 10). Empty when it is so, else what stands out of place.
#include <QLineEdit>
#include <array>
#include <cstdlib>

namespace vxtest {

inline QString cardOutOfPlace(const std::array<QLineEdit*, 21>& marks, const std::array<QLineEdit*, 12>& scores, int perRow = 5) {
    QStringList out;
    auto near = [](int a, int b) { return std::abs(a - b) <= 1; };
    for (int f = 1; f <= 10; ++f) {
        const QRect s = scores[std::size_t(f)]->geometry();
        QList<int> balls{2 * (f - 1), 2 * (f - 1) + 1};
        if (f == 10) balls << 20;
        int left = s.left();
        for (int b : balls) {
            const QRect m = marks[std::size_t(b)]->geometry();
            if (!near(m.left(), left) || s.top() - m.bottom() - 1 < -1 || s.top() - m.bottom() - 1 > 2 || marks[std::size_t(b)]->parentWidget() != scores[std::size_t(f)]->parentWidget())
                out << QString("mark %1").arg(b);
            left = m.right() + 1;
        }
        if (!near(left, s.right() + 1)) out << QString("frame %1 width").arg(f);
        if ((f - 1) % perRow != 0) {
            const QRect before = scores[std::size_t(f - 1)]->geometry();
            if (!near(before.right() + 1, s.left()) || before.top() != s.top()) out << QString("frame %1 beside").arg(f);
        }
    }
    const QRect first = scores[1]->geometry(), sixth = scores[6]->geometry();
    if (perRow == 5 && (sixth.left() != first.left() || sixth.top() <= first.bottom())) out << "second row";
    return out.join(", ");
}

}  // namespace vxtest
