#include "recording/split.h"
#include <array>

namespace vx {
namespace {

// Pins (0-based) joined when one stands diagonally behind the other.
constexpr int kLinks[][2] = {{0, 1}, {0, 2}, {1, 3}, {1, 4}, {2, 4}, {2, 5},
                             {3, 6}, {3, 7}, {4, 7}, {4, 8}, {5, 8}, {5, 9}};

// Leaves that fall apart into groups but are not reckoned splits.
constexpr int kNotSplits[] = {50,  58,  130, 260, 302, 426, 430, 466, 682, 686, 794, 810,
                              814, 838, 840, 842, 846, 866, 892, 932, 982, 986, 1002, 1008};

constexpr int groupCount(int mask) {
    int group[10] = {};
    for (int i = 0; i < 10; ++i) group[i] = i;
    // Few pins and links: repeated relabelling settles quickly.
    for (bool changed = true; changed;) {
        changed = false;
        for (const auto& l : kLinks) {
            const int a = l[0], b = l[1];
            if (!((mask >> a) & 1) || !((mask >> b) & 1)) continue;
            const int lo = group[a] < group[b] ? group[a] : group[b];
            if (group[a] != lo || group[b] != lo) {
                group[a] = group[b] = lo;
                changed = true;
            }
        }
    }
    int n = 0;
    for (int i = 0; i < 10; ++i)
        if (((mask >> i) & 1) && group[i] == i) ++n;
    return n;
}

constexpr std::array<bool, 1024> buildTable() {
    std::array<bool, 1024> t{};
    for (int m = 0; m < 1024; ++m) {
        if (m & 1) continue;  // head pin standing
        t[m] = groupCount(m) >= 2;
    }
    for (int m : kNotSplits) t[m] = false;
    return t;
}

constexpr std::array<bool, 1024> kSplit = buildTable();

}  // namespace

bool isSplitLeave(std::int32_t pinMask) {
    return pinMask >= 0 && pinMask < 1024 && kSplit[std::size_t(pinMask)];
}

}  // namespace vx
