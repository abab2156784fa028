#include "records/form_pindiagram.h"
#include "platform/twips.h"

namespace vx {

namespace {
constexpr double PinSize = 135;
// Pin k + 1's left and top edge inside its rack.
constexpr double PinLeft[] = {195, 120, 240, 60, 200, 320, 0, 120, 240, 360};
constexpr double PinTop[] = {360, 240, 240, 120, 120, 120, 0, 0, 0, 0};
constexpr std::int32_t NoData = 0xE0E0E0;
}  // namespace

PinDiagram::PinDiagram(QWidget* parent, const std::array<double, 12>& lefts) : QWidget(parent) {
    for (int r = 0; r < 12; ++r) {
        const double size = r == 11 ? 555 : 550;
        auto* box = new PictureBox(this);
        box->setGeometry(twips(lefts[std::size_t(r)]), 0, twips(size), twips(size));
        box->Scale(0, 0, size, size);
        box->setFillStyle(PictureBox::FillSolid);
        Pct_flame[std::size_t(r)] = box;
    }
    resize(twips(lefts[11] + 555), twips(555));
    scorebook::Racks none;
    none.pins.fill(-1);
    draw(none, {});
}

void PinDiagram::draw(const scorebook::Racks& racks, const std::array<std::int32_t, 3>& colors) {
    for (int r = 0; r < 12; ++r) {
        PictureBox* box = Pct_flame[std::size_t(r)];
        box->Cls();
        for (int k = 0; k < 10; ++k) {
            const int state = racks.pins[std::size_t(10 * r + k)];
            box->setFillColor(state < 0 || state > 2 ? NoData : colors[std::size_t(state)]);
            box->Circle(PinLeft[k] + PinSize / 2, PinTop[k] + PinSize / 2, PinSize / 2, 0);
        }
    }
    Pct_flame[10]->setVisible(racks.secondTenthShown);
    Pct_flame[11]->setVisible(racks.thirdTenthShown);
}

void PinDiagram::clear() {
    scorebook::Racks none;
    none.pins.fill(-1);
    none.secondTenthShown = !Pct_flame[10]->isHidden();
    none.thirdTenthShown = !Pct_flame[11]->isHidden();
    draw(none, {});
}

std::int32_t PinDiagram::pinColor(int shape) const {
    const int k = shape % 10;
    return Pct_flame[std::size_t(shape / 10)]->Point(PinLeft[k] + PinSize / 2, PinTop[k] + PinSize / 2);
}

}  // namespace vx
