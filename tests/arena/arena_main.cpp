// kestrava_arena: matches between computer players, to measure the levels.
//
//   kestrava_arena --edition full|wind --players L1,L2[,L3[,L4]] --matches N --seed S [--assets DIR]
//                  [--min-wins LEVEL=PERCENT]... [--all-reachable-hit LEVEL]... [--max-think MS]
//
// Each match is a fresh program: the seats get the levels in the order given,
// turned on by one seat from match to match (standing left or right decides
// much); the seed picks each seat's vehicle and the pointer moves over the
// battlefield between shots that set the wind. The game's timers are ticked
// by hand, in the order a clock would fire them, as fast as the machine
// allows; after every tick the soak's invariants are checked. A match that
// reaches 200 shots is a draw.
//
// Prints one line per level; its "later shots" are a seat's shots after its
// first hit of the match, where a person who plays on meets the level. Exits 1 when an invariant fails or a figure
// misses what --min-wins, --all-reachable-hit or --max-think ask for, 2 on a
// bad command line.

#include "harness.h"
#include "soak_driver.h"

#include "app/game.h"
#include "battle/battle_window.h"
#include "computer/computer_player.h"
#include "computer/level_names.h"
#include "edition1/wind_setup_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/setup_window.h"
#include "ui/number_text.h"
#include "ui/timer.h"

#include <QApplication>
#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

using computer::Level;

namespace {

constexpr long long kShotsForDraw = 200;
// Simulated time without a launch after which a match is stuck (ms).
constexpr double kStuckMs = 120000;

struct Figures {
    long long matches = 0;
    long long wins = 0;
    long long draws = 0;
    long long shots = 0;
    long long hits = 0;
    long long reachableFirst = 0;
    long long reachableFirstHit = 0;
    long long laterShots = 0;        // shots after the shooter's first hit of its match
    long long laterHits = 0;         // and those of them that hit
    long long firstHits = 0;         // targets hit at last
    long long shotsToFirstHit = 0;   // their shots until then, summed
    double longestThinkMs = 0;
};

struct Options {
    Edition edition = Edition::Full;
    std::vector<Level> players;
    long long matches = 0;
    std::uint32_t seed = 1;
    QString assets;
    std::map<Level, double> minWinPercent;
    std::vector<Level> allReachableHit;
    std::optional<double> maxThinkMs;
};

int usage(const std::string& problem)
{
    std::fprintf(stderr, "kestrava_arena: %s\n", problem.c_str());
    std::fprintf(stderr,
                 "usage: kestrava_arena --edition full|wind --players L1,L2[,L3[,L4]] --matches N --seed S\n"
                 "                      [--assets DIR] [--min-wins LEVEL=PERCENT] [--all-reachable-hit LEVEL]\n"
                 "                      [--max-think MS]\n"
                 "LEVEL is easy, medium or hard.\n");
    return 2;
}

// Plays the matches and keeps the figures of each level.
class Arena {
public:
    explicit Arena(const Options& options)
        : options_(options)
        , rng_(options.seed)
        , soak_(SoakOptions{.edition = options.edition,
                            .seed = options.seed,
                            .events = 0,
                            .assets = options.assets,
                            .trace = false,
                            .computers = true})
    {
    }

    void run()
    {
        for (long long match = 0; match < options_.matches; ++match)
            playMatch(match);
    }

    const std::map<Level, Figures>& figures() const { return figures_; }

private:
    // The game's windows that exist now.
    std::vector<ui::Window*> windows()
    {
        std::vector<ui::Window*> all;
        for (const Game::LiveWindow& live : soak_.game().liveWindows())
            all.push_back(live.window);
        return all;
    }

    // The next timer a clock would fire: every running timer is due one
    // interval after it was started or last ticked.
    ui::Timer* nextTimer()
    {
        std::map<ui::Timer*, double> stillDue;
        ui::Timer* next = nullptr;
        for (ui::Window* window : windows()) {
            for (ui::Timer* timer : window->timers()) {
                if (!timer->enabled())
                    continue;
                const auto known = due_.find(timer);
                const double at = known != due_.end() ? known->second : now_ + ui::clockIntervalFor(timer->interval());
                stillDue[timer] = at;
                if (!next || at < stillDue[next])
                    next = timer;
            }
        }
        due_ = std::move(stillDue);
        return next;
    }

    void tick(ui::Timer& timer)
    {
        now_ = due_[&timer];
        due_[&timer] = now_ + ui::clockIntervalFor(timer.interval());
        timer.tick();
        afterEvent();
    }

    void afterEvent()
    {
        soak_.countEvent();
        soak_.afterEvent();
    }

    // What a person at the roster does: picks a vehicle for each seat.
    void chooseVehicle(int slot, int number)
    {
        Game& g = soak_.game();
        if (g.windEdition()) {
            WindSetupWindow& form = g.windSetup();
            while (numtext::readDouble(form.characterNumber[slot]->text()) < number)
                form.nextButton[slot]->click();
            while (numtext::readDouble(form.characterNumber[slot]->text()) > number)
                form.previousButton[slot]->click();
            return;
        }
        SetupWindow& form = g.setup();
        form.picture[slot]->click();
        while (numtext::readDouble(form.Label10.caption()) < number)
            form.Command7.click();
        while (numtext::readDouble(form.Label10.caption()) > number)
            form.Command6.click();
        form.Command16.click();
    }

    void playMatch(long long match)
    {
        soak_.startGame();
        Game& g = soak_.game();
        due_.clear();
        now_ = 0;
        const int players = static_cast<int>(options_.players.size());
        RosterWindow& form = g.Form1();
        (players == 2 ? form.Command1 : players == 3 ? form.Command2 : form.Command3).click();
        std::array<Level, 4> seat{};
        for (int slot = 0; slot < players; ++slot) {
            seat[static_cast<std::size_t>(slot)] =
                options_.players[static_cast<std::size_t>((slot + match) % players)];
            form.setSeatPlayer(slot, seat[static_cast<std::size_t>(slot)]);
            chooseVehicle(slot, std::uniform_int_distribution<int>(1, 6)(rng_));
        }
        for (int slot = 0; slot < players; ++slot)
            ++figures_[seat[static_cast<std::size_t>(slot)]].matches;

        // Per shooter: the plan of its turn, and its shots at each target
        // until it first hit it.
        std::array<computer::Plan, 4> plan{};
        std::array<std::array<long long, 4>, 4> shotsAt{};
        std::array<std::array<bool, 4>, 4> targetHit{};
        std::array<bool, 4> hasHit{};  // per shooter: it has hit an opponent this match
        g.Computer().onThought([&](const computer::ComputerWindow::Thought& thought) {
            plan[static_cast<std::size_t>(thought.slot)] = thought.plan;
            Figures& f = figures_[thought.level];
            f.longestThinkMs = std::max(f.longestThinkMs, thought.thinkMs);
        });

        form.Command5.click();
        afterEvent();
        const long long winnersBefore = soak_.figures().winners;
        const long long drawsBefore = soak_.figures().draws;
        long long shots = 0;
        bool flying = false;
        int shooter = -1;
        double lastLaunch = 0;
        std::uniform_int_distribution<int> windMoves(0, 17);
        // The shot is over (or the match ended while it flew): the damage
        // labels name whom it hit.
        auto shotOver = [&] {
            BattleWindow& b = g.Battle();
            if (shooter >= 0) {
                const auto s = static_cast<std::size_t>(shooter);
                Figures& f = figures_[seat[s]];
                bool hitOpponent = false;
                for (std::size_t k = 0; k < 4; ++k)
                    if (k != s && numtext::readDouble(b.damageLabel[k]->caption()) != 0)
                        hitOpponent = true;
                if (hitOpponent)
                    ++f.hits;
                if (hasHit[s]) {
                    ++f.laterShots;
                    f.laterHits += hitOpponent ? 1 : 0;
                }
                hasHit[s] = hasHit[s] || hitOpponent;
                const computer::Plan& p = plan[s];
                if (p.target >= 0 && p.target < 4) {
                    const auto target = static_cast<std::size_t>(p.target);
                    const bool hitTarget = numtext::readDouble(b.damageLabel[target]->caption()) != 0;
                    if (hitTarget && !targetHit[s][target]) {
                        targetHit[s][target] = true;
                        ++f.firstHits;
                        f.shotsToFirstHit += shotsAt[s][target];
                        if (shotsAt[s][target] == 1 && p.cleanShotReachable)
                            ++f.reachableFirstHit;
                    }
                }
            }
        };
        while (true) {
            if (flying && (soak_.figures().winners > winnersBefore || soak_.figures().draws > drawsBefore)) {
                flying = false;
                shotOver();
            }
            if (soak_.figures().winners > winnersBefore) {
                BattleWindow& b = g.Battle();
                for (std::size_t k = 0; k < 4; ++k)
                    if (b.vehicle[k]->visible())
                        ++figures_[seat[k]].wins;
                return;
            }
            if (soak_.figures().draws > drawsBefore || shots >= kShotsForDraw) {
                for (int slot = 0; slot < players; ++slot)
                    ++figures_[seat[static_cast<std::size_t>(slot)]].draws;
                return;
            }
            if (now_ - lastLaunch > kStuckMs) {
                std::fprintf(stderr, "kestrava_arena: match %lld stuck: no launch for %.0f s of play\n", match + 1,
                             (now_ - lastLaunch) / 1000);
                std::exit(1);
            }
            ui::Timer* timer = nextTimer();
            if (!timer) {
                std::fprintf(stderr, "kestrava_arena: match %lld stuck: no timer runs\n", match + 1);
                std::exit(1);
            }
            tick(*timer);

            BattleWindow& b = g.Battle();
            if (b.Timer1.enabled() && !flying) {
                // A launch: the marker names the shooter.
                flying = true;
                lastLaunch = now_;
                ++shots;
                shooter = g.turnSlot().value_or(-1);
                if (shooter >= 0) {
                    Figures& f = figures_[seat[static_cast<std::size_t>(shooter)]];
                    ++f.shots;
                    const computer::Plan& p = plan[static_cast<std::size_t>(shooter)];
                    if (p.target >= 0 && p.target < 4) {
                        const auto target = static_cast<std::size_t>(p.target);
                        auto& count = shotsAt[static_cast<std::size_t>(shooter)][target];
                        if (count == 0 && p.cleanShotReachable)
                            ++f.reachableFirst;
                        ++count;
                    }
                }
            } else if (!b.Timer1.enabled() && flying) {
                flying = false;
                shotOver();
                // Between shots the pointer wanders over the battlefield: the
                // next wind steps with every move.
                const int moves = windMoves(rng_);
                for (int i = 0; i < moves && g.battleExists(); ++i) {
                    const double x = std::uniform_real_distribution<double>(0, b.Picture1.width())(rng_);
                    const double y = std::uniform_real_distribution<double>(0, b.Picture1.height())(rng_);
                    b.Picture1.pointerMove(x, y);
                    afterEvent();
                }
            }
        }
    }

    Options options_;
    std::mt19937 rng_;
    Soak soak_;
    std::map<Level, Figures> figures_;
    std::map<ui::Timer*, double> due_;
    double now_ = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    Options options;
    options.assets = QStringLiteral(KESTRAVA_ASSETS_DIR);
    QByteArray assets;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return usage("unknown or incomplete argument " + arg);
        const std::string value = argv[++i];
        long long number = 0;
        if (arg == "--edition") {
            const std::optional<Edition> edition = harness::editionNamed(value);
            if (!edition)
                return usage("the edition is full or wind");
            options.edition = *edition;
        } else if (arg == "--players") {
            std::size_t start = 0;
            while (start <= value.size()) {
                const std::size_t comma = std::min(value.find(',', start), value.size());
                const std::optional<Level> level = computer::levelNamed(value.substr(start, comma - start));
                if (!level)
                    return usage("a player is easy, medium or hard");
                options.players.push_back(*level);
                start = comma + 1;
            }
            if (options.players.size() < 2 || options.players.size() > 4)
                return usage("two to four players");
        } else if (arg == "--matches") {
            if (!harness::readNumber(value.c_str(), number) || number < 1)
                return usage("the number of matches is a whole number from 1");
            options.matches = number;
        } else if (arg == "--seed") {
            if (!harness::readSeed(value.c_str(), options.seed))
                return usage("the seed is a whole number from 0 to 4294967295");
        } else if (arg == "--assets") {
            assets = value.c_str();
        } else if (arg == "--min-wins") {
            const std::size_t equals = value.find('=');
            const std::optional<Level> level = computer::levelNamed(value.substr(0, std::min(equals, value.size())));
            if (!level || equals == std::string::npos || !harness::readNumber(value.c_str() + equals + 1, number))
                return usage("--min-wins takes LEVEL=PERCENT");
            options.minWinPercent[*level] = static_cast<double>(number);
        } else if (arg == "--all-reachable-hit") {
            const std::optional<Level> level = computer::levelNamed(value);
            if (!level)
                return usage("--all-reachable-hit takes a level");
            options.allReachableHit.push_back(*level);
        } else if (arg == "--max-think") {
            if (!harness::readNumber(value.c_str(), number))
                return usage("--max-think takes whole milliseconds");
            options.maxThinkMs = static_cast<double>(number);
        } else {
            return usage("unknown argument " + arg);
        }
    }
    if (options.players.empty() || options.matches == 0)
        return usage("--players and --matches are needed");

    harness::prepareHeadlessQt();
    QApplication app(argc, argv);
    if (!assets.isEmpty())
        options.assets = QString::fromLocal8Bit(assets);

    std::map<Level, Figures> figures;
    {
        Arena arena(options);
        arena.run();
        figures = arena.figures();
    }

    // One line per level, in the order the levels were first named.
    bool met = true;
    std::vector<Level> shown;
    for (const Level level : options.players) {
        if (std::find(shown.begin(), shown.end(), level) != shown.end())
            continue;
        shown.push_back(level);
        const Figures& f = figures[level];
        const double mean = f.firstHits > 0 ? static_cast<double>(f.shotsToFirstHit) / static_cast<double>(f.firstHits) : 0;
        std::printf("%s: wins %lld of %lld, draws %lld, shots %lld, hits %lld, later shots hit %lld of %lld, "
                    "reachable first shots hit %lld of %lld, mean shots to first hit %.1f, longest think %.0f ms\n",
                    computer::levelName(level), f.wins, f.matches, f.draws, f.shots, f.hits, f.laterHits,
                    f.laterShots, f.reachableFirstHit, f.reachableFirst, mean, std::ceil(f.longestThinkMs));
        if (const auto wanted = options.minWinPercent.find(level); wanted != options.minWinPercent.end()) {
            if (100.0 * static_cast<double>(f.wins) < wanted->second * static_cast<double>(f.matches)) {
                std::printf("  %s won %lld of %lld, fewer than %.0f %%\n", computer::levelName(level), f.wins, f.matches,
                            wanted->second);
                met = false;
            }
        }
        if (std::find(options.allReachableHit.begin(), options.allReachableHit.end(), level)
                != options.allReachableHit.end()
            && f.reachableFirstHit != f.reachableFirst) {
            std::printf("  %s missed %lld reachable first shots\n", computer::levelName(level),
                        f.reachableFirst - f.reachableFirstHit);
            met = false;
        }
        if (options.maxThinkMs && f.longestThinkMs > *options.maxThinkMs) {
            std::printf("  %s thought for %.1f ms, more than %.0f ms\n", computer::levelName(level), f.longestThinkMs,
                        *options.maxThinkMs);
            met = false;
        }
    }
    return met ? 0 : 1;
}
