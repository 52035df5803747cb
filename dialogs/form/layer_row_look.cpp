#include "dialogs/form/layer_row_look.h"

namespace qx::form {

LayerRowLook LookOfLayerRow(const LyrDtl& row) {
    LayerRowLook look;
    look.highlighted = row.isSelected;
    look.bold = row.ison;
    look.underline = row.isactive;
    look.strikeOut = row.islocked;
    if (row.isactive)
        look.ink = RowInk::Active;
    else if (row.islocked && row.ison)
        look.ink = RowInk::LockedAndOn;
    return look;
}

} // namespace qx::form
