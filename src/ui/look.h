#pragma once

namespace ui {

// The look of every window: a small sans-serif face, so that the captions fit
// the fields' designed sizes (15 twips to a pixel). Call once, after the
// application object exists.
void applyLook();

} // namespace ui
