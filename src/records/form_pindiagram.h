#pragma once
// The pin diagram of a stored game: twelve small racks of ten pins (frames 1 to 10, then the tenth
// frame's second and third rack), each pin filled in the colour of what became of it.
#include "platform/picturebox.h"
#include "records/scorebook.h"
#include <array>
#include <cstdint>

namespace vx {

class PinDiagram : public QWidget {
    Q_OBJECT
public:
    // The racks' left edges in twips inside the diagram, all at its top.
    PinDiagram(QWidget* parent, const std::array<double, 12>& lefts);

    std::array<PictureBox*, 12> Pct_flame{};

    // Fills every pin (grey without data, else colors[0..2]) and shows or hides the extra racks.
    void draw(const scorebook::Racks& racks, const std::array<std::int32_t, 3>& colors);
    // Every pin grey, the extra racks shown or hidden as they were.
    void clear();
    // The colour drawn for pin k + 1 of rack r (shape 10 r + k).
    std::int32_t pinColor(int shape) const;
};

}  // namespace vx
