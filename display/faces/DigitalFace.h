#pragma once

#include <array>

class ImageBox;
class Label;

// The controls a digital display window hands to the digital update.
struct DigitalFace {
    std::array<ImageBox*, 10> imgZiffer{}; // the digit store
    std::array<ImageBox*, 2> imgStd{};     // hour tens, units
    std::array<ImageBox*, 2> imgMin{};     // minute tens, units
    Label* lblSec = nullptr;
    ImageBox* imgSec = nullptr;
};
