// A yardstick for the idle benchmark: an empty Qt window, with or without one
// periodic timer whose handler does nothing. What it costs to sit still
// (CPU, wake-ups) is the floor any Qt Widgets program on this machine starts
// from, measured in the same run as the game, so the game's figures can be
// read against it even when the machine's load moves the absolute numbers.
//
// Usage: kestrava_empty_window [--timer MS]
// Without --timer the window has no timer at all. The timer is a precise
// timer, the kind the game's own periodic tasks use. Runs until it is ended.

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kestrava_empty_window"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("An empty window, optionally with one timer that does nothing."));
    parser.addHelpOption();
    const QCommandLineOption timerOption(QStringLiteral("timer"),
                                         QStringLiteral("Run one periodic timer of <ms> milliseconds."),
                                         QStringLiteral("ms"));
    parser.addOption(timerOption);
    parser.process(app);

    QWidget window;
    window.setWindowTitle(QStringLiteral("empty window"));
    window.resize(320, 240);
    window.show();

    QTimer timer;
    if (parser.isSet(timerOption)) {
        bool ok = false;
        const int intervalMs = parser.value(timerOption).toInt(&ok);
        if (!ok || intervalMs < 0) {
            std::fprintf(stderr, "kestrava_empty_window: --timer needs a number of milliseconds\n");
            return 1;
        }
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(intervalMs);
        // The handler does nothing: only the wake-up itself is measured.
        QObject::connect(&timer, &QTimer::timeout, &timer, [] {});
        timer.start();
    }
    return QApplication::exec();
}
