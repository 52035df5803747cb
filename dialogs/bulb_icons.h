// The 16 x 16 icons of the layer dialog's quick-choice buttons, drawn rather than loaded, so the
// macro carries no image files.
#pragma once

#include <QIcon>

namespace qx {

QIcon ActiveBulbIcon();       // one green bulb: the active layer
QIcon LitBulbsIcon();         // three lit bulbs: the layers that are on
QIcon LitAndUnlitBulbsIcon(); // lit and unlit bulbs: every layer

} // namespace qx
