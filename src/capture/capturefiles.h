#pragma once

#include <QImage>
#include <QString>
#include <QStringView>

/// The rules of the timed capture that need no window: reading the delay
/// the user typed, naming the files and writing them.
namespace CaptureFiles {

/// The longest countdown: the original formed the interval in milliseconds
/// as a 16-bit number, and 32 × 1000 is the largest that fits.
inline constexpr int MaxDelaySeconds = 32;
/// The highest capture number a window gives out (a 16-bit counter).
inline constexpr int MaxNumber = 32767;

/// What an answer to the delay question asks for.
struct DelayAnswer
{
    enum class Kind {
        Stop,    ///< 0 or less, empty, Cancel or no number: stop any countdown
        Start,   ///< start (or restart) a countdown of `seconds`, 1 to 32
        TooLong, ///< more than 32 seconds (up to infinity): refused
    };
    Kind kind = Kind::Stop;
    int seconds = 0;
};

/// Reads the answer by the leading-number rule and rounds it to the nearest
/// whole second, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
DelayAnswer readDelay(QStringView answer);

/// "cap00" followed by the number in plain decimal and ".jpg": cap001.jpg,
/// …, cap0010.jpg for the tenth (the number is not padded to a width).
QString fileName(int number);

/// The first number above `lastNumber` whose file does not exist in
/// `folder`, so that no earlier capture is ever written over; 0 when every
/// number up to MaxNumber is taken.
int nextFreeNumber(const QString &folder, int lastNumber);

/// Writes `picture` as a JPEG file at `path`, whole or not at all. Returns
/// false when nothing was written.
bool saveJpeg(const QImage &picture, const QString &path);

} // namespace CaptureFiles
