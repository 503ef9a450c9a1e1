#pragma once

#include "app/edition.h"
#include "battle/scroll_step.h"
#include "net/messages.h"
#include "ui/controls.h"
#include "ui/mirror.h"
#include "ui/timer.h"
#include "ui/window.h"

#include <array>
#include <vector>

namespace net {

// This machine's own view of the host's battlefield. On the host the edge
// buttons scroll the battlefield for the host's screen alone; here the
// mirror's edge buttons scroll the mirror's battlefield with the same step,
// and a pointer move over the bare window or the battlefield stops it.
// Nothing of this goes to the host: the battlefield takes its first place
// from the host and keeps its own from then on.
//
// The battlefield is the field whose role is "view"; the edge buttons are
// the window's buttons that show the four arrows, found by their pictures,
// so no game code runs here. A hidden window of its own holds the scroll's
// direction and its timer, so that the timer sleeps while the view rests.
class BattleMirror : public ui::Window {
public:
    // The index of the made window's battlefield, or -1 when it has none.
    static int viewIndex(const WindowMade& made);

    // `battle` was built from `made`, which has a battlefield. Every pointer
    // move over the battlefield also goes to `battlefieldMove`, in the
    // battlefield's twips.
    BattleMirror(Edition edition, ui::MirrorWindow& battle, const WindowMade& made,
                 ui::Field::PointerHandler battlefieldMove);
    ~BattleMirror() override;

    ui::Label scrol1;  // the scroll's direction: "no", "kiri", "kanan", "atas", "bawah"
    ui::Timer scrol;   // 30 ms: moves the battlefield one step

    int view() const { return view_; }
    // The battlefield's place on this machine.
    scroll::Place place() const;
    // A host's change of the battlefield keeps this machine's place.
    FieldProps keepOwnPlace(int index, FieldProps props) const;

private:
    void scrollTick();

    ui::MirrorWindow& battle_;
    int view_;
    std::vector<int> edgeButtons_;
};

}  // namespace net
