#include "test_support.h"

#include "edition1/wind_setup_window.h"
#include "setup/setup_window.h"
#include "ui/message_box.h"
#include "ui/picture.h"
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

QImage assetImage(const QString& fileName)
{
    const auto picture = ui::readPictureFile(ui::joinPath(TestGame::assetsFolder(), fileName));
    return picture ? picture->toImage() : QImage();
}

SetupWindow& shownSetup(TestGame& g)
{
    g->Form1().show();
    return g->setup();
}

WindSetupWindow& shownWindSetup(TestGame& g)
{
    WindSetupWindow& form = g->windSetup();
    form.show();
    return form;
}
