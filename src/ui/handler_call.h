#pragma once

#include <functional>
#include <utility>

namespace ui {

// Runs a game handler, if one is set, through a copy of it. A handler may
// replace or clear itself while it runs (a click that hands the button a new
// job); calling the stored function directly would destroy it mid-call.
template <typename Signature, typename... Args>
void callHandler(const std::function<Signature>& handler, Args&&... args)
{
    if (!handler)
        return;
    auto copy = handler;
    copy(std::forward<Args>(args)...);
}

} // namespace ui
