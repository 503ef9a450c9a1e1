// Measures the shell-flight ticks of one whole shot in the real game, and how
// long the damage number of the hit stays on the battlefield: the game runs
// on the real platform with every timer on its real clock, the probe plays
// "Duel 1vs1" as a player would (clicks and pointer moves on the fields),
// fires player 1's shot at player 2 (full far power; full high power in
// kestrava2, 25 in kestrava1) by pressing when the panel's gauges show those
// powers, and records when each tick of the battle window's Timer1 begins,
// from the launch until the shot ends (Timer1 stops). It then follows the
// damage number of the hit until it has left the top of the battlefield.
//
// Usage: kestrava_flight_probe kestrava2|kestrava1 [picture-folder]
// (picture folder: the working directory when not given). Prints the number
// of ticks, the median, 95th percentile and worst interval between ticks in
// ms, the time from the launch to the first tick, the process's peak memory,
// how long the damage number stayed, how often each timer ticked, and in
// kestrava2 how long the turn scheduler took to hand player 1 the turn.
// Exit status 0 when a whole shot and its damage number were measured.

#include "app/game.h"
#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/roster_window.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/timer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace {

// Runs the real event loop for `ms` milliseconds.
void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the real event loop until `done` holds, looking every 10 ms; false
// after `limitMs`.
bool runUntil(const std::function<bool()>& done, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        runFor(10);
    }
    return true;
}

double percentile(std::vector<double> sorted, double p)
{
    // Nearest rank on the sorted intervals.
    const auto rank = static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(sorted.size())));
    return sorted.at(std::max<std::size_t>(rank, 1) - 1);
}

double median(const std::vector<double>& sorted)
{
    const std::size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

// VmHWM of this process in KiB, or -1.
long peakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Prints how often each timer ticked, named by window and timer.
void printTickRates(Game& game, const char* title, const std::map<const ui::Timer*, int>& ticks, double seconds)
{
    QStringList rates;
    for (const Game::LiveWindow& live : game.liveWindows())
        for (const ui::Timer* timer : live.window->timers())
            if (auto found = ticks.find(timer); found != ticks.end())
                rates << QStringLiteral("%1 %2 %3")
                             .arg(QString::fromLatin1(live.name), timer->name())
                             .arg(found->second / seconds, 0, 'f', 1);
    std::printf("%s: %s\n", title, qPrintable(rates.join(QStringLiteral(", "))));
}

double secondsBetween(qint64 fromNs, qint64 toNs) { return static_cast<double>(toNs - fromNs) / 1e9; }

// Follows the damage number of a hit from the tick checks of the battle
// window's timers: every stamp is the start of a tick, in ns since the probe
// began. The tick observer runs before each handler, so the fields it reads
// hold what the previous handlers left.
struct DamageNumberWatch {
    int slot = -1;          // whose damage label shows the hit
    qint64 hit = -1;        // the flight tick that touched the vehicle
    qint64 explosion = -1;  // the explosion tick, a second later
    qint64 riseStart = -1;  // the first upkeep tick that moves the label up
    qint64 gone = -1;       // the upkeep tick that took it past the top
    qint64 lastUpkeep = -1;
    ui::Twips topAtRise = 0;
    int riseTicks = 0;

    bool done() const { return gone >= 0; }

    void observe(BattleWindow& battle, const ui::Timer& timer, qint64 lastFlightTick, qint64 now)
    {
        if (hit < 0 && battle.beledug.enabled()) {
            hit = lastFlightTick;
            for (int k = 0; k < 4 && slot < 0; ++k)
                if (battle.damageLabel[k]->caption() != QLatin1String("0"))
                    slot = k;
        }
        if (&timer == &battle.beledug && hit >= 0 && explosion < 0)
            explosion = now;
        if (&timer != &battle.tagselamat || slot < 0 || done())
            return;
        const ui::Label& label = *battle.damageLabel[slot];
        if (riseStart >= 0 && (label.top() + label.height() <= 0 || !label.visible()))
            gone = lastUpkeep;
        else if (riseStart < 0 && explosion >= 0 && !battle.Timer1.enabled() && !battle.beledug.enabled()) {
            riseStart = now;
            topAtRise = label.top();
        }
        if (riseStart >= 0 && !done())
            ++riseTicks;
        lastUpkeep = now;
    }
};

int fail(const char* what)
{
    std::fprintf(stderr, "flight probe: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString program = args.value(1);
    const std::optional<Edition> edition = editionNamed(program);
    if (!edition)
        return fail("usage: kestrava_flight_probe kestrava2|kestrava1 [picture-folder]");
    const bool wind = *edition == Edition::Wind;
    const QString folder = args.size() > 2 ? QDir(args.at(2)).absolutePath() : QDir::currentPath();

    // As the program starts itself.
    QApplication::setApplicationName(program);
    QApplication::setQuitOnLastWindowClosed(false);
    ui::applyLook();

    // A message would wait for a player; note it instead and report the run.
    QStringList messages;
    ui::setMessagePresenter([&](const QString& text) { messages << text; });

    Game game(*edition, folder);
    int endStatus = -1;
    game.setProgramEnding([&](int status) { endStatus = status; });
    game.Form1().show();

    // Every started tick of the battle window's Timer1, in ns since the probe
    // began, from the launch until the shot has ended; how often each timer
    // ticks while the panel waits and during the shot; the turn scheduler's
    // ticks until player 1's turn; and the damage number of the hit.
    QElapsedTimer clock;
    clock.start();
    enum Phase { Other, Scheduling, Waiting, Flight };
    Phase phase = Other;
    std::vector<qint64> flightTicks;
    // The flight ticks after which Timer1 fell asleep (a tick that changed
    // nothing: the shell below the battlefield while the explosion is
    // pending), by their index in flightTicks.
    std::vector<std::size_t> sleptAfter;
    QObject afterTicks;
    std::vector<qint64> schedulerTicks;
    std::map<const ui::Timer*, int> ticksWhile[4];
    bool launched = false;
    DamageNumberWatch watch;
    ui::Timer::setTickObserver([&](const ui::Timer& timer) {
        if (phase == Other && !launched)
            return;
        const qint64 now = clock.nsecsElapsed();
        ++ticksWhile[phase][&timer];
        if (!game.battleExists())
            return;
        BattleWindow& battle = game.Battle();
        if (phase == Scheduling && &timer == &battle.timersp)
            schedulerTicks.push_back(now);
        // The watch first: a hit belongs to the flight tick before this one.
        if (launched)
            watch.observe(battle, timer, flightTicks.empty() ? -1 : flightTicks.back(), now);
        if (phase == Flight && &timer == &battle.Timer1) {
            flightTicks.push_back(now);
            // Looked at once the handler has run.
            const std::size_t index = flightTicks.size() - 1;
            QTimer::singleShot(0, &afterTicks, [&game, &sleptAfter, index] {
                if (game.battleExists() && game.Battle().Timer1.asleep())
                    sleptAfter.push_back(index);
            });
        }
    });
    // Removed on every way out, before the game goes.
    struct Unset {
        ~Unset() { ui::Timer::setTickObserver({}); }
    } unset;

    // The player: "Duel 1vs1", "Start".
    runFor(300);
    game.Form1().Command1.click();
    runFor(200);
    phase = Scheduling;
    const qint64 started = clock.nsecsElapsed();
    game.Form1().Command5.click();
    if (endStatus >= 0 || !game.battleExists() || !game.Battle().visible())
        return fail("the battle window did not open");

    // Wait for player 1's panel; in the wind edition a pointer move over the
    // battlefield brings it.
    auto panelShown = [&] { return game.panelExists(0) && game.player(0).visible(); };
    int move = 0;
    const bool shown = runUntil(
        [&] {
            if (wind && !panelShown()) {
                game.Battle().Picture1.pointerMove(7200 + 150 * (move % 4), 6300 + 75 * (move % 4));
                ++move;
            }
            return panelShown();
        },
        10000);
    if (!shown)
        return fail("player 1's panel was not shown within 10 s");
    const qint64 panelSeen = clock.nsecsElapsed();
    phase = Other;
    runFor(500);
    phase = Waiting;
    runFor(1000);
    phase = Other;

    // Three presses of the fire button, each when the panel's gauge shows
    // the power that sends the shell onto player 2.
    PanelWindow& panel = game.player(0);
    const float farPower = 50;
    const float highPower = wind ? 25 : 50;
    panel.Command1.click();
    if (!runUntil([&] { return panel.ProgressBar1.value() >= farPower; }, 10000))
        return fail("the far gauge did not fill within 10 s");
    panel.Command1.click();
    if (!runUntil([&] { return panel.slider1.value() >= highPower; }, 10000))
        return fail("the high gauge did not rise within 10 s");
    const float far = panel.ProgressBar1.value();
    const float high = panel.slider1.value();
    phase = Flight;
    launched = true;
    const qint64 launch = clock.nsecsElapsed();
    panel.Command1.click();
    if (!game.Battle().Timer1.enabled())
        return fail("the third press did not launch the shell");

    // The whole shot: until Timer1 stops.
    if (!runUntil([&] { return !game.Battle().Timer1.enabled(); }, 60000))
        return fail("the shot did not end within 60 s");
    const qint64 end = clock.nsecsElapsed();
    phase = Other;

    // The damage number rises once the shot and the explosion are over.
    const bool hit = watch.hit >= 0;
    if (hit && !runUntil([&] { return watch.done(); }, 20000))
        return fail("the damage number did not leave the battlefield within 20 s of the shot's end");

    if (flightTicks.size() < 2)
        return fail("fewer than two flight ticks");
    // The beat is measured between ticks with no sleep between them; a sleep
    // is measured on its own, as a whole number of beats and how far from one
    // its end fell.
    std::vector<double> intervals;
    std::vector<double> sleeps;
    for (std::size_t i = 1; i < flightTicks.size(); ++i) {
        const double ms = static_cast<double>(flightTicks[i] - flightTicks[i - 1]) / 1e6;
        if (std::find(sleptAfter.begin(), sleptAfter.end(), i - 1) != sleptAfter.end())
            sleeps.push_back(ms);
        else
            intervals.push_back(ms);
    }
    std::sort(intervals.begin(), intervals.end());
    if (intervals.empty())
        return fail("no two flight ticks without a sleep between them");
    const double flightSeconds = secondsBetween(launch, end);
    const long over35 = std::count_if(intervals.begin(), intervals.end(), [](double ms) { return ms > 35; });

    std::printf("%s shot (far %.0f, high %.0f): %zu flight ticks over %.1f ms; interval median %.2f ms, "
                "95th percentile %.2f ms, worst %.2f ms (asked: %d ms); %ld of %zu intervals over 35 ms; "
                "launch to first tick %.2f ms; %s; peak memory %.1f MiB\n",
                qPrintable(program), static_cast<double>(far), static_cast<double>(high), flightTicks.size(),
                flightSeconds * 1e3, median(intervals), percentile(intervals, 95), intervals.back(),
                game.Battle().Timer1.interval(), over35, intervals.size(),
                static_cast<double>(flightTicks.front() - launch) / 1e6,
                hit ? "the shell hit a vehicle" : "no hit", static_cast<double>(peakMemoryKiB()) / 1024);
    for (const double ms : sleeps) {
        const int interval = game.Battle().Timer1.interval();
        const double beats = std::round(ms / interval);
        std::printf("  Timer1 slept while the explosion was pending: %.2f ms from the tick before to the tick "
                    "after, %.0f beats of %d ms %+.2f ms (%.0f ticks that would have changed nothing left out)\n",
                    ms, beats, interval, ms - beats * interval, beats - 1);
    }
    if (hit) {
        const ui::Label& label = *game.Battle().damageLabel[watch.slot];
        std::printf("  damage number %s on player %d: %.2f s from the explosion until it left the top of the "
                    "battlefield (%.2f s from the hit; it rose from top %d in %d upkeep ticks over %.2f s, "
                    "%.1f ticks/s)\n",
                    qPrintable(label.caption()), watch.slot + 1, secondsBetween(watch.explosion, watch.gone),
                    secondsBetween(watch.hit, watch.gone), static_cast<int>(watch.topAtRise), watch.riseTicks,
                    secondsBetween(watch.riseStart, watch.gone),
                    watch.riseTicks > 1 ? (watch.riseTicks - 1) / secondsBetween(watch.riseStart, watch.gone) : 0.0);
    }
    if (schedulerTicks.size() > 1)
        std::printf("  turn scheduler: %zu ticks of timersp until player 1's turn, %.2f s from the first to the "
                    "last (%.2f s from \"Start\" until the panel was seen)\n",
                    schedulerTicks.size(), secondsBetween(schedulerTicks.front(), schedulerTicks.back()),
                    secondsBetween(started, panelSeen));
    printTickRates(game, "  ticks/s while the panel waited (1 s)", ticksWhile[Waiting], 1.0);
    printTickRates(game, "  ticks/s during the shot", ticksWhile[Flight], flightSeconds);
    if (!messages.isEmpty()) {
        std::printf("note: %lld message(s) during the run (recorded, not shown): %s\n",
                    static_cast<long long>(messages.size()), qPrintable(messages.join(QStringLiteral(" | "))));
        return 2;
    }
    if (!hit) {
        std::printf("note: the shot hit nothing, so no damage number was measured\n");
        return 3;
    }
    return 0;
}
