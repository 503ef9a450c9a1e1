#include "test_support.h"

#include "battle/battle_window.h"
#include "edition1/wind_setup_window.h"
#include "panel/panel_window.h"
#include "setup/setup_window.h"
#include "ui/message_box.h"
#include "ui/picture.h"
#include "ui/sound.h"
#include "ui/field.h"
#include "ui/number_text.h"
#include "ui/timer.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

static bool manualTicking = (ui::Timer::setManualTicking(true), true);

TestGame::TestGame(Edition edition, const QString& pictureFolder)
    : game((ui::Timer::setManualTicking(true), edition), pictureFolder)
{
    (void)manualTicking;
    ui::setMessagePresenter([this](const QString& text) { messages << text; });
    ui::setSoundPlayer([this](ui::Sound sound) { sounds << ui::soundName(sound); });
    game.setProgramEnding([this](int status) { endStatus = status; });
    // Every tick a test gives a sleeping timer must change nothing.
    ui::Timer::setSleepChecking(
        [](const QString& failure) { QTest::qFail(failure.toUtf8().constData(), __FILE__, __LINE__); });
}

TestGame::~TestGame()
{
    ui::Timer::setSleepChecking(nullptr);
    ui::setMessagePresenter(nullptr);
    ui::setSoundPlayer(nullptr);
}

QString TestGame::assetsFolder() { return QStringLiteral(KESTRAVA_ASSETS_DIR); }

void tickTimes(ui::Timer& timer, int n)
{
    for (int i = 0; i < n; ++i)
        timer.tick();
}

void startDuel(RosterWindow& form)
{
    form.Command1.click();
    form.Command5.click();
}

void startDuel(TestGame& g)
{
    RosterWindow& form = g->Form1();
    form.show();
    startDuel(form);
}

void fire(PanelWindow& panel, int farTicks, int highTicks)
{
    panel.show();
    panel.Command1.click();
    tickTimes(panel.Timer2, farTicks);
    panel.Command1.click();
    tickTimes(panel.Timer6, highTicks);
    panel.Command1.click();
}

void explode(TestGame& g)
{
    ui::Timer& beledug = g->Battle().beledug;
    beledug.start();
    beledug.tick();
    QVERIFY(!beledug.enabled());
}

PictureFolder::PictureFolder()
    : path_(base_.path())
    , valid_(base_.isValid())
{
}

PictureFolder::PictureFolder(const QString& name)
    : path_(ui::joinPath(base_.path(), name))
    , valid_(base_.isValid() && QDir().mkpath(path_))
{
}

QString PictureFolder::file(const QString& fileName) const { return ui::joinPath(path_, fileName); }

bool PictureFolder::write(const QString& fileName, const QByteArray& content) const
{
    QFile out(file(fileName));
    return out.open(QIODevice::WriteOnly) && out.write(content) == content.size();
}

bool PictureFolder::copyAsset(const QString& assetName, const QString& as) const
{
    return QFile::copy(ui::joinPath(TestGame::assetsFolder(), assetName), file(as.isEmpty() ? assetName : as));
}

QImage assetImage(const QString& fileName)
{
    const auto picture = ui::readPictureFile(ui::joinPath(TestGame::assetsFolder(), fileName));
    return picture ? picture->toImage() : QImage();
}

QPoint windowPixel(const ui::Field& field, QPoint local)
{
    return field.widget()->mapTo(field.widget()->window(), local);
}

namespace {
// What the style needs to know of a slider to place its parts.
QStyleOptionSlider sliderOption(const QSlider* slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    return option;
}

QRect sliderHandle(const QSlider* slider)
{
    const QStyleOptionSlider option = sliderOption(slider);
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
}
} // namespace

QPoint sliderGrooveAt(const QSlider* slider, double fraction)
{
    QStyleOptionSlider option = sliderOption(slider);
    option.tickPosition = slider->tickPosition();
    const QRect groove = slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
    return slider->mapTo(slider->window(), QPoint(int(slider->width() * fraction), groove.center().y()));
}

QPoint sliderHandleCentre(const QSlider* slider)
{
    return slider->mapTo(slider->window(), sliderHandle(slider).center());
}

int sliderHandleWidth(const QSlider* slider) { return sliderHandle(slider).width(); }

int insertAcceleratorMarks(QWidget* window)
{
    int rewritten = 0;
    auto mark = [](const QString& text) { return text.isEmpty() ? text : QLatin1Char('&') + text; };
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        button->setText(mark(button->text()));
        ++rewritten;
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
        label->setText(mark(label->text()));
        ++rewritten;
    }
    for (QGroupBox* box : window->findChildren<QGroupBox*>()) {
        box->setTitle(mark(box->title()));
        ++rewritten;
    }
    return rewritten;
}

QString withoutAcceleratorMarks(const QString& shown)
{
    QString plain;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown.at(i) == QLatin1Char('&') && i + 1 < shown.size())
            ++i;
        plain += shown.at(i);
    }
    return plain;
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

SetupWindow& shownSelector(TestGame& g, int players, int slot)
{
    SetupWindow& s = shownSetup(g);
    const std::array<ui::Button*, 3> gameType{&s.Command1, &s.Command2, &s.Command3};
    gameType.at(static_cast<std::size_t>(players - 2))->click();
    s.picture.at(static_cast<std::size_t>(slot))->click();
    return s;
}

void setUpMatch(TestGame& g, std::array<bool, 4> inPlay, int turn)
{
    BattleWindow& b = g->Battle();
    for (int k = 0; k < 4; ++k) {
        b.vehicle[k]->setVisible(inPlay[k]);
        b.energyBar[k]->setMaximum(100);
        b.energyBar[k]->setValue(inPlay[k] ? 100 : 0);
        b.damageLabel[k]->setCaption(QStringLiteral("0"));
        b.turnGauge[k]->setMaximum(30);
        b.turnGauge[k]->setValue(0);
        PanelWindow& panel = g->player(k);
        panel.setCaption(kMatchNames[k]);
        panel.score1.setCaption(QStringLiteral("0"));
        panel.Label3.setCaption(QStringLiteral("0"));
        if (!g->windEdition())
            g->setup().move[k]->setText(QStringLiteral("4"));
    }
    g->setTurnMarker(numtext::text(turn));
}

void addEditionRows()
{
    QTest::addColumn<Edition>("edition");
    QTest::newRow("full game") << Edition::Full;
    QTest::newRow("wind edition") << Edition::Wind;
}

bool useScratchHome(const QTemporaryDir& home)
{
    if (!home.isValid())
        return false;
    qputenv("HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    return true;
}
