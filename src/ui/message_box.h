#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace ui {

// Shows a modal message with one OK button and returns when the player has
// pressed it. While a message is open no game timer ticks (see Timer).
void showMessage(const QString& text);

// Shows a message the game designed: DESIGNED, marked for translation, in
// the language shown, with "%1", "%2"... filled in by PLAYER TEXTS (names,
// numbers) exactly as they are, in one pass.
void showDesignedMessage(const QString& designed, const QStringList& playerTexts = {});

// True while a message is open.
bool messageOpen();

// Tests replace the presenter to record messages instead of blocking. The
// function returns the presenter that was in place.
using MessagePresenter = std::function<void(const QString&)>;
MessagePresenter setMessagePresenter(MessagePresenter presenter);

} // namespace ui
