#include "classroom/controllocks.h"

#include "challenge/lesson.h"

#include <QWidget>

#include <algorithm>

namespace ControlLocks {

namespace {

/// The lesson's name for a control, or the empty text when no lesson may name it.
std::string lessonName(const QString &objectName)
{
    std::string name = objectName.toStdString();
    for (const std::string suffix : {"Spin", "Slider"}) {
        if (name.size() > suffix.size() && name.ends_with(suffix)) {
            name.resize(name.size() - suffix.size());
            break;
        }
    }
    const auto &controls = Challenge::lessonControls();
    return std::find(controls.begin(), controls.end(), name) != controls.end() ? name : std::string();
}

} // namespace

void apply(QWidget *root, const std::set<std::string> &lockedBefore, const std::set<std::string> &locked)
{
    for (QWidget *widget : root->findChildren<QWidget *>()) {
        const std::string name = lessonName(widget->objectName());
        if (locked.contains(name))
            widget->setEnabled(false);
        else if (lockedBefore.contains(name))
            widget->setEnabled(true);
    }
}

} // namespace ControlLocks
