#pragma once

#include <QString>

/// The close question and the order in which windows go when the user
/// closes: from the most recently loaded down, never the frame at position 0.
namespace Closing {

/// "Do you want to Close Orbiquest9, " + CR LF + eight blanks + "Are you sure？"
QString frameQuestion();
/// The same question on one line, as Close(&C) asks it.
QString closeAllQuestion();

/// Unloads the windows at positions `from`, `from` − 1, … 1 of the load
/// list. The frame at position 0 always stays.
void unloadDownFrom(qsizetype from);

} // namespace Closing
