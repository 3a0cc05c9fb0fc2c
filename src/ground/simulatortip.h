#pragma once

#include <QColor>
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <variant>

/// The simulator's own tool tip: when the mouse rests on SimulatorWindow's
/// `Simulator`, a blue box appears with a picture at its left and white,
/// word-wrapped text beside it explaining the mouse actions of that area.
///
/// The tip watches the simulator through an event filter that answers the
/// tool-tip request alone; every other event reaches the simulator exactly
/// as it would without the tip.
namespace SimulatorTip {

/// A picture as an image control holds it. Only a bitmap is drawn in the
/// tip and widens it; an icon (the shipped picture) or no picture leaves the
/// tip at its basic size with the text from its left edge.
using TipPicture = std::variant<std::monostate, QPixmap, QIcon>;

/// What one tool shows.
struct TipEntry
{
    TipPicture picture;
    QString text;
    QColor textColor;
    /// The tool's own value: the index of its entry in tipEntries().
    int toolParam = 0;
};

/// The box is red 0, green 85, blue 255.
QColor backColor();
/// The tip of a picture-less entry is 318 by 69 pixels.
inline constexpr int BasicWidth = 318;
inline constexpr int BasicHeight = 69;

/// Width and height in pixels of the bitmap behind `picture`; 0 × 0 when it
/// is not a bitmap.
QSize bitmapSize(const TipPicture &picture);
/// (318 + w) × (69 + h) for a bitmap of w × h pixels.
QSize tipSize(const TipEntry &entry);

/// The three lines that explain the simulator's mouse actions.
QString simulatorText();

/// The entries of all tools, index 0 upward; the simulator's is entry 0.
QList<TipEntry> &tipEntries();

/// The box that shows an entry: sized from the entry, the bitmap at its
/// top-left corner, the text word-wrapped from x = w.
class TipWindow : public QWidget
{
    Q_OBJECT

public:
    /// The box belongs to `owner` and goes with it.
    explicit TipWindow(QWidget *owner);

    /// Shows entry `index` near `globalPos`, fully on screen, without
    /// taking the focus; it hides again after a while.
    void showEntry(int index, const QPoint &globalPos);
    /// Where the text goes: the whole box but the bitmap's width at its left.
    QRect textRect() const;
    /// The tip font, made smaller where needed so that all the text fits
    /// the fixed box.
    QFont textFont() const;
    bool textFits() const;

    /// How long an untouched tip stays up.
    static constexpr int AutoPopMs = 10000;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const TipEntry *entry() const;
    QString shownText() const;

    int m_entry = 0;
    QTimer m_autoPop;
};

/// Puts the tip on `simulator`: fills entry 0 with `picture`, the three
/// lines in white and tool value 0, and watches the simulator for tool-tip
/// requests. Doing it again (a reloaded simulator window) overwrites entry 0
/// and the new tip serves the new window. Returns the tip box.
TipWindow *createSimulatorTip(QWidget *simulator, const TipPicture &picture);

} // namespace SimulatorTip
