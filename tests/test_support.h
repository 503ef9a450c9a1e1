#pragma once

#include "app/edition.h"
#include "app/game.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <array>

class PanelWindow;
class QSlider;
class QWidget;
class RosterWindow;
class SetupWindow;
class WindSetupWindow;

namespace ui {
class Field;
class Timer;
}

// A game for a test: timers never fire by themselves (tests tick them by
// hand), messages and sounds are recorded instead of shown and played, and
// ending the program is recorded instead of done. Timers run in their
// checking mode: a test's tick of a timer that had gone to sleep fails the
// test if it changes anything. Pictures come from the shipped assets folder
// unless another folder is given.
class TestGame {
public:
    explicit TestGame(Edition edition = Edition::Full, const QString& pictureFolder = assetsFolder());
    ~TestGame();

    Game& operator*() { return game; }
    Game* operator->() { return &game; }

    static QString assetsFolder();

    // Messages shown so far, in order.
    QStringList messages;
    // Names of the sounds played so far, in order ("turn", "fire", ...).
    QStringList sounds;
    // The exit status the program asked to end with, or -1.
    int endStatus = -1;

    Game game;
};

// Ticks a timer n times (a stopped timer does not tick).
void tickTimes(ui::Timer& timer, int n);

// "Duel 1vs1", then "Start", on a setup window that is shown.
void startDuel(RosterWindow& form);
// The edition's setup window shown as at start, then a duel started on it.
void startDuel(TestGame& g);

// A panel shown and its fire button pressed three times: "tembak" starts the
// far gauge, "far ok" the high gauge, "high ok" launches. The gauges are
// ticked by hand in between, `farTicks` and `highTicks` times.
void fire(PanelWindow& panel, int farTicks = 0, int highTicks = 0);

// The explosion of the shot in flight: the battle window's explosion timer
// started and ticked once, after which it has stopped itself.
void explode(TestGame& g);

// The picture of a file of the shipped assets, to compare with what a field
// shows; a null image when the file cannot be read.
QImage assetImage(const QString& fileName);

// A picture folder of a test's own, removed with it: empty at first, or
// named `name` inside the temporary folder (to try names with blanks or
// letters beyond ASCII). Files are written into it or copied from the shipped
// assets; each call says whether it worked, for the test to check.
class PictureFolder {
public:
    PictureFolder();
    explicit PictureFolder(const QString& name);

    bool isValid() const { return valid_; }
    const QString& path() const { return path_; }
    // The full name of a file in the folder.
    QString file(const QString& fileName) const;

    [[nodiscard]] bool write(const QString& fileName, const QByteArray& content) const;
    // Copies the shipped `assetName` here, as `as` when given.
    [[nodiscard]] bool copyAsset(const QString& assetName, const QString& as = QString()) const;

private:
    QTemporaryDir base_;
    QString path_;
    bool valid_ = false;
};

// A point of a field (in the field's pixels), in pixels of its window: where
// a real pointer goes to reach it.
QPoint windowPixel(const ui::Field& field, QPoint local);

// The middle of a slider's handle as it is drawn now, in pixels of its
// window: where a real pointer grabs it.
QPoint sliderHandleCentre(const QSlider* slider);
// The width of that handle, in pixels.
int sliderHandleWidth(const QSlider* slider);
// The point of a slider's groove, in pixels of its window, at a fraction of
// the slider's width, on the groove's middle row.
QPoint sliderGrooveAt(const QSlider* slider, double fraction);

// What a desktop that adds keyboard accelerators does to a window: every
// button's, label's and frame title's text gets an "&" before its first
// letter, behind the game's back. Returns how many texts it rewrote.
int insertAcceleratorMarks(QWidget* window);
// A shown text with such marks taken out ("&&" stands for one "&").
QString withoutAcceleratorMarks(const QString& shown);

// The setup window of each edition, shown as the program shows it at start.
SetupWindow& shownSetup(TestGame& g);
WindSetupWindow& shownWindSetup(TestGame& g);

// The full game's setup window shown, the game type for `players` (2, 3 or
// 4) chosen and the character selector opened for player `slot`.
SetupWindow& shownSelector(TestGame& g, int players, int slot);

// The names the panels of a match set up by `setUpMatch` show, by slot.
inline const std::array<QString, 4> kMatchNames = {QStringLiteral("Ana"), QStringLiteral("Budi"),
                                                   QStringLiteral("Citra"), QStringLiteral("Dewi")};

// A match in progress, written straight into the fields instead of played
// to. Every slot: its vehicle shown when `inPlay`, hidden when not; an
// energy bar of 100, full in play and empty out of it; no damage dealt; an
// empty turn gauge of 30; its panel showing its name from `kMatchNames`, a
// score of 0 and no movement points; and in the full game a Move statistic
// of 4. The turn marker holds `turn`: whose turn or shot it is, -1 for
// nobody's.
void setUpMatch(TestGame& g, std::array<bool, 4> inPlay, int turn);

// The rows of a test run in both editions: one column, "edition", and a row
// for each ("full game", "wind edition").
void addEditionRows();

// Sends the game's remembered choices (sound, language, camera) to HOME, a
// scratch folder, for the rest of the test program, never to the user's own
// settings. False when HOME could not be made.
bool useScratchHome(const QTemporaryDir& home);
