// A yardstick for the idle benchmark: an empty Qt window, with or without one
// periodic timer whose handler does nothing. What it costs to sit still
// (CPU, wake-ups) is the floor any Qt Widgets program on this machine starts
// from, measured in the same run as the game, so the game's figures can be
// read against it even when the machine's load moves the absolute numbers.
//
// Usage: kestrava_empty_window [--timer MS]... [--repaint]
// Without --timer the window has no timer at all; each --timer starts one,
// all at the same moment. A timer is a precise timer, the kind the game's own
// periodic tasks use. With --repaint each tick changes the window's colour,
// so it is drawn again, as a game task that changes something on the screen.
// Runs until it is ended.

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <vector>

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
    const QCommandLineOption repaintOption(QStringLiteral("repaint"),
                                           QStringLiteral("Every tick changes the window's colour."));
    parser.addOption(repaintOption);
    parser.process(app);

    QWidget window;
    window.setWindowTitle(QStringLiteral("empty window"));
    window.resize(320, 240);
    window.show();

    const bool repaint = parser.isSet(repaintOption);
    std::vector<std::unique_ptr<QTimer>> timers;
    for (const QString& value : parser.values(timerOption)) {
        bool ok = false;
        const int intervalMs = value.toInt(&ok);
        if (!ok || intervalMs < 0) {
            std::fprintf(stderr, "kestrava_empty_window: --timer needs a number of milliseconds\n");
            return 1;
        }
        auto timer = std::make_unique<QTimer>();
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(intervalMs);
        if (repaint) {
            QObject::connect(timer.get(), &QTimer::timeout, &window, [&window] {
                QPalette palette = window.palette();
                const bool dark = palette.color(QPalette::Window).lightness() < 128;
                palette.setColor(QPalette::Window, dark ? Qt::white : Qt::black);
                window.setPalette(palette);
                window.setAutoFillBackground(true);
            });
        } else {
            // The handler does nothing: only the wake-up itself is measured.
            QObject::connect(timer.get(), &QTimer::timeout, timer.get(), [] {});
        }
        timers.push_back(std::move(timer));
    }
    for (const auto& timer : timers)
        timer->start();
    return QApplication::exec();
}
