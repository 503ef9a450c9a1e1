// Measures the shell-flight ticks of one whole shot in the real game: the
// game runs on the real platform with every timer on its real clock, the
// probe plays "Duel 1vs1" as a player would (clicks and pointer moves on the
// fields), fires player 1's shot with real waits between the three presses,
// and records when each tick of the battle window's Timer1 begins, from the
// launch until the shot ends (Timer1 stops).
//
// Usage: kestrava_flight_probe kestrava2|kestrava1 [picture-folder]
// (picture folder: the working directory when not given). Prints the number
// of ticks, the median, 95th percentile and worst interval between ticks in
// ms, the time from the launch to the first tick, and the process's peak
// memory. Exit status 0 when a whole shot was measured.

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
    std::vector<std::pair<QString, ui::Window*>> windows{{QStringLiteral("setup"), &game.Form1()}};
    if (game.battleExists())
        windows.emplace_back(QStringLiteral("battle"), &game.Battle());
    for (int slot = 0; slot < 4; ++slot)
        if (game.panelExists(slot))
            windows.emplace_back(QStringLiteral("player%1").arg(slot + 1), &game.player(slot));
    if (game.scoreExists())
        windows.emplace_back(QStringLiteral("score"), &game.Score());
    QStringList rates;
    for (const auto& [label, window] : windows)
        for (const ui::Timer* timer : window->timers())
            if (auto found = ticks.find(timer); found != ticks.end())
                rates << QStringLiteral("%1 %2 %3").arg(label, timer->name()).arg(found->second / seconds, 0, 'f', 0);
    std::printf("%s: %s\n", title, qPrintable(rates.join(QStringLiteral(", "))));
}

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
    if (program != QLatin1String("kestrava2") && program != QLatin1String("kestrava1"))
        return fail("usage: kestrava_flight_probe kestrava2|kestrava1 [picture-folder]");
    const bool wind = program == QLatin1String("kestrava1");
    const QString folder = args.size() > 2 ? QDir(args.at(2)).absolutePath() : QDir::currentPath();

    // As the program starts itself.
    QApplication::setApplicationName(program);
    QApplication::setQuitOnLastWindowClosed(false);
    ui::applyLook();

    // A message would wait for a player; note it instead and report the run.
    QStringList messages;
    ui::setMessagePresenter([&](const QString& text) { messages << text; });

    Game game(wind ? Edition::Wind : Edition::Full, folder);
    int endStatus = -1;
    game.setProgramEnding([&](int status) { endStatus = status; });
    game.Form1().show();

    // Every started tick of the battle window's Timer1, in ns since the probe
    // began, from the launch until the shot has ended; and how often each
    // timer ticks while the panel waits and during the shot.
    QElapsedTimer clock;
    clock.start();
    enum Phase { Other, Waiting, Flight };
    Phase phase = Other;
    std::vector<qint64> flightTicks;
    std::map<const ui::Timer*, int> ticksWhile[3];
    ui::Timer::setTickObserver([&](const ui::Timer& timer) {
        if (phase == Other)
            return;
        ++ticksWhile[phase][&timer];
        if (phase == Flight && &timer == &game.Battle().Timer1)
            flightTicks.push_back(clock.nsecsElapsed());
    });
    // Removed on every way out, before the game goes.
    struct Unset {
        ~Unset() { ui::Timer::setTickObserver({}); }
    } unset;

    // The player: "Duel 1vs1", "Start".
    runFor(300);
    game.Form1().Command1.click();
    runFor(200);
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
    runFor(500);
    phase = Waiting;
    runFor(1000);
    phase = Other;

    // Three presses of the fire button, with the gauges rising in between.
    game.player(0).Command1.click();
    runFor(400);
    game.player(0).Command1.click();
    runFor(400);
    phase = Flight;
    const qint64 launch = clock.nsecsElapsed();
    game.player(0).Command1.click();
    if (!game.Battle().Timer1.enabled())
        return fail("the third press did not launch the shell");

    // The whole shot: until Timer1 stops.
    if (!runUntil([&] { return !game.Battle().Timer1.enabled(); }, 60000))
        return fail("the shot did not end within 60 s");
    const qint64 end = clock.nsecsElapsed();
    phase = Other;

    if (flightTicks.size() < 2)
        return fail("fewer than two flight ticks");
    std::vector<double> intervals;
    for (std::size_t i = 1; i < flightTicks.size(); ++i)
        intervals.push_back(static_cast<double>(flightTicks[i] - flightTicks[i - 1]) / 1e6);
    std::sort(intervals.begin(), intervals.end());
    const double flightSeconds = static_cast<double>(end - launch) / 1e9;
    const bool hit = ticksWhile[Flight].count(&game.Battle().beledug) > 0;
    const long over35 = std::count_if(intervals.begin(), intervals.end(), [](double ms) { return ms > 35; });

    std::printf("%s shot: %zu flight ticks over %.1f ms; interval median %.2f ms, 95th percentile %.2f ms, "
                "worst %.2f ms (asked: %d ms); %ld of %zu intervals over 35 ms; launch to first tick %.2f ms; "
                "%s; peak memory %.1f MiB\n",
                qPrintable(program), flightTicks.size(), static_cast<double>(end - launch) / 1e6,
                median(intervals), percentile(intervals, 95), intervals.back(), game.Battle().Timer1.interval(),
                over35, intervals.size(), static_cast<double>(flightTicks.front() - launch) / 1e6,
                hit ? "the shell hit a vehicle" : "no hit", static_cast<double>(peakMemoryKiB()) / 1024);
    printTickRates(game, "  ticks/s while the panel waited (1 s)", ticksWhile[Waiting], 1.0);
    printTickRates(game, "  ticks/s during the shot", ticksWhile[Flight], flightSeconds);
    if (!messages.isEmpty()) {
        std::printf("note: %lld message(s) during the run (recorded, not shown): %s\n",
                    static_cast<long long>(messages.size()), qPrintable(messages.join(QStringLiteral(" | "))));
        return 2;
    }
    return 0;
}
