#pragma once

// Players 1 to 4 hold the slots 0 to 3.

// Players 1 and 3 start on the left of the battlefield and face right,
// towards players 2 and 4, who start on the right and face left. The roster
// pictures, the panels' facing at load and the end-of-match cover's reset of
// the first two panels all follow this.
constexpr bool facesRightAtStart(int slot) { return slot % 2 == 0; }
