// kestrava_soak: a long seeded random session of one edition with the game's
// invariants checked after every event.
//
//   kestrava_soak --edition full|wind --seed N --events N [--assets DIR] [--trace]
//                 [--computers] [--camera] [--network-clients N]
//                 [--min-winners N] [--min-kills N] [--min-draws N]
//
// Exits 0 with a summary when every invariant held and the session fought at
// least the whole matches asked for (a soak that never ends a match proves
// little), 1 on the first violation (with the seed, the event number and the
// last events) or on too few winners, kills or draws, 2 on a bad command line.

#include "harness.h"
#include "soak_driver.h"

#include <QApplication>
#include <QByteArray>
#include <QElapsedTimer>

#ifdef __has_include
#if __has_include(<sanitizer/common_interface_defs.h>)
#include <sanitizer/common_interface_defs.h>
#endif
#endif

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

// Under the sanitizers a report ends the process from inside the game: say
// which event led there before it goes.
#if defined(__SANITIZE_ADDRESS__)
#define KESTRAVA_SOAK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KESTRAVA_SOAK_SANITIZED 1
#endif
#endif

#ifdef KESTRAVA_SOAK_SANITIZED
const Soak* runningSoak = nullptr;

void reportOnSanitizerDeath()
{
    if (runningSoak) {
        std::fprintf(stderr, "\nSOAK ENDED BY A SANITIZER REPORT (see the sanitizer's output)\n");
        runningSoak->printLastEvents();
    }
}
#endif

int usage(const char* problem)
{
    std::fprintf(stderr, "kestrava_soak: %s\n", problem);
    std::fprintf(stderr,
                 "usage: kestrava_soak --edition full|wind --seed N --events N [--assets DIR] [--trace]\n"
                 "                     [--computers] [--camera] [--network-clients 1..3]\n"
                 "                     [--min-winners N] [--min-kills N] [--min-draws N]\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    SoakOptions options;
    long long minWinners = 0;
    long long minKills = 0;
    long long minDraws = 0;
    options.assets = QStringLiteral(KESTRAVA_ASSETS_DIR);
    QByteArray assets;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool hasValue = i + 1 < argc;
        long long number = 0;
        if (std::strcmp(arg, "--trace") == 0) {
            options.trace = true;
        } else if (std::strcmp(arg, "--computers") == 0) {
            options.computers = true;
        } else if (std::strcmp(arg, "--camera") == 0) {
            options.camera = true;
        } else if (std::strcmp(arg, "--network-clients") == 0 && hasValue) {
            if (!harness::readNumber(argv[++i], number) || number < 1 || number > 3)
                return usage("the number of network clients is 1, 2 or 3");
            options.networkClients = static_cast<int>(number);
        } else if (std::strcmp(arg, "--edition") == 0 && hasValue) {
            const std::optional<Edition> edition = harness::editionNamed(argv[++i]);
            if (!edition)
                return usage("the edition is full or wind");
            options.edition = *edition;
        } else if (std::strcmp(arg, "--seed") == 0 && hasValue) {
            if (!harness::readSeed(argv[++i], options.seed))
                return usage("the seed is a whole number from 0 to 4294967295");
        } else if (std::strcmp(arg, "--events") == 0 && hasValue) {
            if (!harness::readNumber(argv[++i], number))
                return usage("the number of events is a whole number");
            options.events = number;
        } else if ((std::strcmp(arg, "--min-winners") == 0 || std::strcmp(arg, "--min-kills") == 0
                    || std::strcmp(arg, "--min-draws") == 0)
                   && hasValue) {
            if (!harness::readNumber(argv[++i], number))
                return usage("a floor is a whole number");
            (arg[6] == 'w' ? minWinners : arg[6] == 'k' ? minKills : minDraws) = number;
        } else if (std::strcmp(arg, "--assets") == 0 && hasValue) {
            assets = argv[++i];
        } else {
            return usage((std::string("unknown or incomplete argument ") + arg).c_str());
        }
    }

    harness::prepareHeadlessQt();
    QApplication app(argc, argv);
    if (!assets.isEmpty())
        options.assets = QString::fromLocal8Bit(assets);

    QElapsedTimer clock;
    clock.start();
    int status = 0;
    SoakFigures figures;
    {
        Soak soak(options);
#ifdef KESTRAVA_SOAK_SANITIZED
        runningSoak = &soak;
        __sanitizer_set_death_callback(reportOnSanitizerDeath);
#endif
        status = soak.run();
#ifdef KESTRAVA_SOAK_SANITIZED
        runningSoak = nullptr;
#endif
        figures = soak.figures();
    }
    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;

    std::printf("kestrava_soak: edition %s, seed %u: %lld events in %.1f s (%.0f events/s)\n",
                harness::editionName(options.edition), options.seed, figures.events, seconds,
                seconds > 0 ? static_cast<double>(figures.events) / seconds : 0.0);
    std::printf("  program starts %lld, program ends %lld, battle windows closed %lld\n", figures.games,
                figures.programEnds, figures.battleClosed);
    std::printf("  matches started %lld, played to a winner or a draw %lld\n", figures.matchesStarted,
                figures.matchesDecided);
    std::printf("  shots fired %lld, hits %lld, kills %lld, winners %lld, draws %lld\n", figures.shotsFired,
                figures.hits, figures.kills, figures.winners, figures.draws);
    std::printf("  messages %lld (unreadable pictures %lld), stuck matches abandoned %lld\n", figures.messages,
                figures.pictureMessages, figures.recoveries);
    if (options.computers)
        std::printf("  computer turns planned %lld, longest computer turn %lld pace ticks\n", figures.computerPlans,
                    figures.longestComputerTurn);
    if (options.networkClients > 0)
        std::printf("  joined players' events %lld, joins %lld, messages closed by a joined player's OK %lld, "
                    "windows compared with a mirror %lld\n",
                    figures.remoteEvents, figures.remoteJoins, figures.remoteOks, figures.mirrorChecks);
    std::printf("  ticks of sleeping timers, each checked to change nothing: %lld\n", figures.sleepingTicks);
    std::printf("  all invariants held\n");
    bool enough = true;
    auto floor = [&enough](const char* what, long long seen, long long least) {
        if (seen < least) {
            std::printf("  too few %s: %lld, at least %lld expected\n", what, seen, least);
            enough = false;
        }
    };
    floor("winners", figures.winners, minWinners);
    floor("kills", figures.kills, minKills);
    floor("draws", figures.draws, minDraws);
    return enough ? status : 1;
}
