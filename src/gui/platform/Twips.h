#pragma once

#include <cmath>

// Stored sizes and positions are in twips (1440 per inch) so that settings files carry over between
// screens; on screen they are pixels at the screen's logical resolution.
inline int PixelsToTwips(int pixels, double logicalDpi)
{
    return static_cast<int>(std::lround(pixels * 1440.0 / logicalDpi));
}
inline int TwipsToPixels(int twips, double logicalDpi)
{
    return static_cast<int>(std::lround(twips * logicalDpi / 1440.0));
}
