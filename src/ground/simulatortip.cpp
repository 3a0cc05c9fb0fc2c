#include "ground/simulatortip.h"

#include "ground/colors.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QToolTip>

namespace SimulatorTip {

namespace {

// Watches one tool's widget. It answers the tool-tip request and otherwise
// only looks: every event goes on to the widget unchanged.
class ToolWatcher : public QObject
{
public:
    ToolWatcher(TipWindow *tip, int toolParam, QObject *parent)
        : QObject(parent), m_tip(tip), m_toolParam(toolParam) { }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (!m_tip)
            return false;
        switch (event->type()) {
        case QEvent::ToolTip:
            if (m_toolParam < 0 || m_toolParam >= tipEntries().size())
                return false;
            m_tip->showEntry(m_toolParam, static_cast<QHelpEvent *>(event)->globalPos());
            return true;
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::Hide:
            m_tip->hide();
            return false;
        default:
            return false;
        }
    }

private:
    QPointer<TipWindow> m_tip;
    int m_toolParam;
};

// Where a tip opens relative to the pointer, as Qt's own tips do.
const QPoint pointerOffset(2, 16);

constexpr int textFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// The box keeps its fixed size, which the original font filled exactly;
// wider fonts of other desktops would cut the last lines off, so the text
// steps down from the tip font until all of it fits.
QFont fittingFont(QFont font, const QRect &area, const QString &text)
{
    constexpr qreal smallest = 6.0;
    const qreal start = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    for (qreal size = start; size > smallest; size -= 0.5) {
        font.setPointSizeF(size);
        const QRect needed = QFontMetrics(font).boundingRect(area, textFlags, text);
        if (needed.height() <= area.height() && needed.width() <= area.width())
            return font;
    }
    font.setPointSizeF(smallest);
    return font;
}

} // namespace

QColor backColor()
{
    return Colors::rgb(0, 85, 255);
}

QSize bitmapSize(const TipPicture &picture)
{
    if (const auto *bitmap = std::get_if<QPixmap>(&picture))
        return bitmap->size();
    return QSize(0, 0);
}

QSize tipSize(const TipEntry &entry)
{
    return QSize(BasicWidth, BasicHeight) + bitmapSize(entry.picture);
}

QString simulatorText()
{
    return QStringLiteral(
        "This screen displays the moving planets around the star.\r\n"
        " If you click the Right button a point on screen1, sub menu of "
        "'Screen’will show its point.\r\n"
        " In reverse if you click the Left button a point on screen1, you will "
        "get about the informations of coreweapons.");
}

QList<TipEntry> &tipEntries()
{
    static QList<TipEntry> entries;
    return entries;
}

TipWindow::TipWindow(QWidget *owner) : QWidget(owner, Qt::ToolTip)
{
    setObjectName(QStringLiteral("TipWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(QToolTip::font());
    m_autoPop.setSingleShot(true);
    m_autoPop.setInterval(AutoPopMs);
    connect(&m_autoPop, &QTimer::timeout, this, &QWidget::hide);
}

const TipEntry *TipWindow::entry() const
{
    const QList<TipEntry> &entries = tipEntries();
    return m_entry >= 0 && m_entry < entries.size() ? &entries[m_entry] : nullptr;
}

void TipWindow::showEntry(int index, const QPoint &globalPos)
{
    m_entry = index;
    const TipEntry *shown = entry();
    if (!shown)
        return;
    setFixedSize(tipSize(*shown));
    QRect place(globalPos + pointerOffset, size());
    if (const QScreen *screen = QGuiApplication::screenAt(globalPos)) {
        const QRect available = screen->availableGeometry();
        if (place.right() > available.right())
            place.moveRight(available.right());
        if (place.bottom() > available.bottom())
            place.moveBottom(globalPos.y() - 1);
        place.moveLeft(std::max(place.left(), available.left()));
        place.moveTop(std::max(place.top(), available.top()));
    }
    move(place.topLeft());
    show();
    update();
    m_autoPop.start();
}

QRect TipWindow::textRect() const
{
    const TipEntry *shown = entry();
    const int left = shown ? bitmapSize(shown->picture).width() : 0;
    return rect().adjusted(left, 0, 0, 0);
}

QString TipWindow::shownText() const
{
    // The text keeps the CR LF pairs it was written with; each pair is one break.
    const TipEntry *shown = entry();
    return shown ? QString(shown->text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) : QString();
}

QFont TipWindow::textFont() const
{
    return fittingFont(font(), textRect(), shownText());
}

bool TipWindow::textFits() const
{
    const QRect area = textRect();
    return area.contains(QFontMetrics(textFont()).boundingRect(area, textFlags, shownText()));
}

void TipWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), backColor());
    const TipEntry *shown = entry();
    if (!shown)
        return;
    if (const auto *bitmap = std::get_if<QPixmap>(&shown->picture))
        painter.drawPixmap(0, 0, *bitmap);
    painter.setFont(textFont());
    painter.setPen(shown->textColor);
    painter.drawText(textRect(), textFlags, shownText());
}

TipWindow *createSimulatorTip(QWidget *simulator, const TipPicture &picture)
{
    constexpr int toolParam = 0;
    QList<TipEntry> &entries = tipEntries();
    entries.resize(toolParam + 1);
    entries[toolParam] = TipEntry{picture, simulatorText(), Colors::rgb(255, 255, 255), toolParam};

    // The tip shows even while another program is active; Qt decides that
    // on the top-level window that holds the simulator.
    simulator->window()->setAttribute(Qt::WA_AlwaysShowToolTips);
    auto *tip = new TipWindow(simulator);
    simulator->installEventFilter(new ToolWatcher(tip, toolParam, simulator));
    return tip;
}

} // namespace SimulatorTip
