#pragma once

#include <QIcon>

namespace tavisko {

// The pictures on the floor windows' buttons, drawn in code so that the program
// carries no image files and they stay sharp at any size.
enum class Picture { Start, Stop, Barcode, Refresh, Back, Quit, AddDown, Keyboard, Ok, Cancel };

QIcon picture(Picture which);

} // namespace tavisko
