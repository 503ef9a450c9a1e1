#pragma once

#include <QString>
#include <functional>

namespace ui {

// Shows a modal message with one OK button and returns when the player has
// pressed it. While a message is open no game timer ticks (see Timer).
void showMessage(const QString& text);

// True while a message is open.
bool messageOpen();

// Tests replace the presenter to record messages instead of blocking. The
// function returns the presenter that was in place.
using MessagePresenter = std::function<void(const QString&)>;
MessagePresenter setMessagePresenter(MessagePresenter presenter);

} // namespace ui
