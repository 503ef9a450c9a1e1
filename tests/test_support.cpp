#include "test_support.h"

#include "ui/message_box.h"
#include "ui/timer.h"

static bool manualTicking = (ui::Timer::setManualTicking(true), true);

TestGame::TestGame(Edition edition, const QString& pictureFolder)
    : game((ui::Timer::setManualTicking(true), edition), pictureFolder)
{
    (void)manualTicking;
    ui::setMessagePresenter([this](const QString& text) { messages << text; });
    game.setProgramEnding([this](int status) { endStatus = status; });
}

TestGame::~TestGame()
{
    ui::setMessagePresenter(nullptr);
}

QString TestGame::assetsFolder() { return QStringLiteral(KESTRAVA_ASSETS_DIR); }

void tickTimes(ui::Timer& timer, int n)
{
    for (int i = 0; i < n; ++i)
        timer.tick();
}
