#pragma once

#include <QFont>

namespace tavisko {

// The bold font of the floor windows' keys and fields, sized in pixels so that a key
// caption fits its key whatever the screen's DPI.
inline QFont boldFont(int pixelSize)
{
    QFont font;
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace tavisko
