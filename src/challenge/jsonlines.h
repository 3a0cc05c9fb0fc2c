#pragma once

#include <map>
#include <string>
#include <string_view>

/// Where each value of a JSON text begins, so a reader that finds a fault
/// after parsing can name the line. nlohmann/json keeps no positions in its
/// values; this scanner walks the text once more. Pure C++, no Qt.
namespace Challenge {

/// The line (from 1) where each value starts, keyed by its JSON pointer:
/// "" the whole text, "/steps" the member's key, "/steps/2" the array's third
/// element, "/steps/2/watch/target" and so on. For an object member the line
/// is its key's. Meant for text that has already parsed as JSON; on other
/// text the lines are a best effort.
std::map<std::string, int> jsonValueLines(std::string_view text);

/// The line (from 1) of a byte offset into the text.
int lineOfOffset(std::string_view text, std::size_t offset);

} // namespace Challenge
