// Where the three labels of the big digits window go, and how big they are, for a window
// of a given outer height.
#pragma once

namespace qtl {

struct BigDigitsLayout {
    int topP;       // labelp
    int topA;       // labelA
    int topS;       // LabelS
    int pointSize;  // font size of all three labels
};

// P at -10, A at 3/10 of the height, S at 6/10 (both rounded to the nearest, halves to
// even), font height / 4 points (at least 1, so a tiny window never asks for a 0-point font).
BigDigitsLayout bigDigitsLayout(int outerHeight);

}  // namespace qtl
