#pragma once

#include "ground/twips.h"

#include <QAction>
#include <QColor>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPalette>
#include <QWidget>

#include <algorithm>

/// Small helpers for the designed controls: a fore colour and a back colour
/// the way the windows were designed with them, and labels and text boxes
/// placed in twips with their object names.
namespace Controls {

/// Text colour of a label, text box, check box or button.
inline void setForeColor(QWidget *control, const QColor &color)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::ButtonText, color);
    control->setPalette(palette);
}

/// The colour setForeColor() gave, as the control draws its text.
inline QColor foreColor(const QWidget *control)
{
    const QPalette::ColorRole role = qobject_cast<const QLineEdit *>(control) ? QPalette::Text : QPalette::WindowText;
    return control->palette().color(role);
}

inline void setBackColor(QWidget *control, const QColor &color)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Button, color);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

/// A label at its designed place (left, top, width, height in twips).
inline QLabel *label(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
                     int height)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(Twips::rect(left, top, width, height));
    return label;
}

/// A one-line text box at its designed place (twips).
inline QLineEdit *textBox(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(Twips::rect(left, top, width, height));
    return box;
}

/// The designed sizes assumed the original font; a fallback font may be
/// taller or wider. The control grows to its line height and, where `text`
/// and `padding` (room for a check box's mark, say) are wider than
/// `maxWidth` pixels, the font steps down until they fit.
inline void fitText(QWidget *control, const QString &text, int maxWidth, int padding = 12)
{
    QFont font = control->font();
    while (QFontMetrics(font).horizontalAdvance(text) + padding > maxWidth && font.pointSizeF() > 8)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    control->setFont(font);
    const QFontMetrics metrics(font);
    QRect place = control->geometry();
    const int needed = std::min(maxWidth, metrics.horizontalAdvance(text) + padding);
    place.setWidth(std::max(place.width(), needed));
    place.setHeight(std::max(place.height(), metrics.height() + 4));
    control->setGeometry(place);
}

/// The same for a filled list of the designed height: its font steps down
/// until `rows` whole rows fit the list's inside, so a fallback font taller
/// than the designed one still lets the user browse it.
inline void fitRows(QListWidget *list, int rows)
{
    const int inside = list->height() - 2 * list->frameWidth();
    QFont font = list->font();
    while (list->count() > 0 && rows * list->sizeHintForRow(0) > inside && font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        list->setFont(font);
    }
}

/// A menu item with its object name, caption and shortcut.
inline QAction *menuItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut = {})
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

} // namespace Controls
