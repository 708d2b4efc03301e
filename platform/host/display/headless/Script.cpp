#include "platform/host/display/headless/Script.h"

#include <charconv>

namespace host {
namespace {

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Takes the next blank-separated word off the front of `text`.
std::string_view NextWord(std::string_view& text)
{
    text = Trim(text);
    size_t end = 0;
    while (end < text.size() && !IsBlank(text[end]))
        ++end;
    std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

template <typename Number>
bool ParseNumber(std::string_view word, Number& value)
{
    if (word.empty())
        return false;
    const auto [end, failure] = std::from_chars(word.data(), word.data() + word.size(), value);
    return failure == std::errc() && end == word.data() + word.size();
}

struct Verb {
    std::string_view name;
    ScriptAction::Kind kind;
};

constexpr Verb kVerbs[] = {
    {"tap", ScriptAction::Kind::Tap},           {"press", ScriptAction::Kind::Press},
    {"release", ScriptAction::Kind::Release},   {"dbltap", ScriptAction::Kind::DoubleTap},
    {"snapshot", ScriptAction::Kind::Snapshot}, {"quit", ScriptAction::Kind::Quit},
};

// Fills `action` from one non-comment line; returns the reason on failure.
const char* ParseAction(std::string_view line, ScriptAction& action)
{
    if (!ParseNumber(NextWord(line), action.time))
        return "the time must be a number of milliseconds";
    const std::string_view verb = NextWord(line);
    const Verb* found = nullptr;
    for (const Verb& candidate : kVerbs) {
        if (candidate.name == verb)
            found = &candidate;
    }
    if (!found)
        return "unknown action";
    action.kind = found->kind;
    switch (action.kind) {
    case ScriptAction::Kind::Snapshot:
        action.file = std::string(Trim(line));
        return action.file.empty() ? "snapshot needs a file name" : nullptr;
    case ScriptAction::Kind::Quit:
        return Trim(line).empty() ? nullptr : "quit takes no arguments";
    default: {
        int x = 0;
        int y = 0;
        if (!ParseNumber(NextWord(line), x) || !ParseNumber(NextWord(line), y))
            return "expected X and Y";
        if (!Trim(line).empty())
            return "unexpected text after X and Y";
        action.point = {x, y};
        return nullptr;
    }
    }
}

}  // namespace

bool ParseScript(std::string_view text, std::vector<ScriptAction>& actions, std::string& error)
{
    int lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (line.empty() || line.front() == '#')
            continue;
        ScriptAction action;
        if (const char* reason = ParseAction(line, action)) {
            error = "line " + std::to_string(lineNumber) + ": " + reason;
            return false;
        }
        actions.push_back(std::move(action));
    }
    return true;
}

}  // namespace host
