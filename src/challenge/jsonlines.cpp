#include "challenge/jsonlines.h"

#include <algorithm>
#include <vector>

namespace Challenge {

namespace {

struct Container
{
    std::string path;
    bool array = false;
    int index = 0;
    bool elementSeen = false; ///< arrays: the current element's line is recorded
    std::string key;          ///< objects: the member being read
    bool expectingKey = true; ///< objects: the next string is a key
};

/// The string starting at text[at] (a quote); at is left on the closing
/// quote. JSON strings hold no line breaks, so the line stays.
std::string readString(std::string_view text, std::size_t &at)
{
    std::string value;
    for (++at; at < text.size() && text[at] != '"'; ++at) {
        if (text[at] == '\\' && at + 1 < text.size())
            ++at;
        value += text[at];
    }
    return value;
}

class Scanner
{
public:
    explicit Scanner(std::string_view text) : m_text(text) { }

    std::map<std::string, int> run()
    {
        m_lines[""] = 1;
        for (m_at = 0; m_at < m_text.size(); ++m_at)
            step(m_text[m_at]);
        return m_lines;
    }

private:
    void step(char c)
    {
        if (c == '\n') {
            ++m_line;
            return;
        }
        if (c == ' ' || c == '\t' || c == '\r' || c == ':')
            return;
        if (c == ',') {
            nextMember();
            return;
        }
        if (c == '}' || c == ']') {
            if (!m_stack.empty())
                m_stack.pop_back();
            return;
        }
        if (c == '"' && !m_stack.empty() && !m_stack.back().array && m_stack.back().expectingKey) {
            Container &object = m_stack.back();
            object.key = readString(m_text, m_at);
            object.expectingKey = false;
            m_lines[object.path + "/" + object.key] = m_line;
            return;
        }
        const std::string path = valuePath();
        if (c == '{' || c == '[') {
            m_stack.push_back({path, c == '[', 0, false, {}, true});
            return;
        }
        if (c == '"')
            readString(m_text, m_at);
    }

    // The pointer of the value starting here, its line recorded for arrays.
    std::string valuePath()
    {
        if (m_stack.empty())
            return "";
        Container &top = m_stack.back();
        if (!top.array)
            return top.path + "/" + top.key;
        const std::string path = top.path + "/" + std::to_string(top.index);
        if (!top.elementSeen) {
            m_lines[path] = m_line;
            top.elementSeen = true;
        }
        return path;
    }

    void nextMember()
    {
        if (m_stack.empty())
            return;
        Container &top = m_stack.back();
        if (top.array) {
            ++top.index;
            top.elementSeen = false;
        } else {
            top.expectingKey = true;
        }
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    int m_line = 1;
    std::vector<Container> m_stack;
    std::map<std::string, int> m_lines;
};

} // namespace

std::map<std::string, int> jsonValueLines(std::string_view text)
{
    return Scanner(text).run();
}

int lineOfOffset(std::string_view text, std::size_t offset)
{
    const std::size_t end = std::min(offset, text.size());
    return 1 + int(std::count(text.begin(), text.begin() + std::ptrdiff_t(end), '\n'));
}

} // namespace Challenge
