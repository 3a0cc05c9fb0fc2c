#pragma once

#include "detection/aliases.h"

#include <QString>

/// What a peak of the periodogram is, said in the user's language: the
/// sentence the numeric floor's describe() writes in English for the command
/// line, composed here from the label's fields so it can be translated.
namespace AliasText {

/// "alias of the 4.231 d planet under the 1 day window peak (f − 1 f_w)",
/// "alias of 4.231 d under …" for a stronger peak, "window peak (1 day)";
/// empty for a peak the window does not explain.
QString sentence(const Detection::AliasLabel &label);
/// The same in a table's few words: "alias of planet 4.231 d (1 day, f − 1 f_w)",
/// "alias of 4.231 d (…)", "window peak (1 day)"; empty for None.
QString brief(const Detection::AliasLabel &label);

/// A window peak's name in the user's language ("sidereal day"), or its
/// period ("29.53 d") when it has none.
QString windowName(const std::string &name, double frequency);

} // namespace AliasText
