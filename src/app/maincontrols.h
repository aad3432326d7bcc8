#pragma once

class frmStart;

namespace MainControls {

// The window's bars, tab strip, address box and status strip; the drag handles report to the window.
void build(frmStart &window);

// The main window's controls without a caption of their own, named as screen readers announce
// them, in the language shown.
void nameMainControls(frmStart &window);

} // namespace MainControls
