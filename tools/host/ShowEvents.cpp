#include "tools/host/ShowEvents.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace quilhost {
namespace {

// Window systems carry pointer positions in 16 bits.
constexpr long kCoordinateLimit = 32767;
constexpr long kLongestScriptMs = 3600L * 1000L;
constexpr long kMostNotches = 1000;

struct KindName {
    const char* name;
    ShowEventKind kind;
};
constexpr KindName kKinds[] = {
    {"move", ShowEventKind::Move},          {"down", ShowEventKind::Down},     {"up", ShowEventKind::Up},
    {"rdown", ShowEventKind::RightDown},    {"rup", ShowEventKind::RightUp},   {"dblclick", ShowEventKind::DoubleClick},
    {"wheel", ShowEventKind::Wheel},        {"key", ShowEventKind::Key},
};

struct KeyName {
    const char* name;
    ShowKey key;
};
constexpr KeyName kKeys[] = {
    {"Return", ShowKey::Return}, {"Escape", ShowKey::Escape}, {"Tab", ShowKey::Tab},     {"Backspace", ShowKey::Backspace},
    {"Delete", ShowKey::Delete}, {"Left", ShowKey::Left},     {"Right", ShowKey::Right}, {"Up", ShowKey::Up},
    {"Down", ShowKey::Down},
};

bool parseInteger(const std::string& text, long low, long high, int& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != 0 || parsed < low || parsed > high) return false;
    value = static_cast<int>(parsed);
    return true;
}

bool parseKind(const std::string& text, ShowEventKind& kind) {
    for (const KindName& entry : kKinds) {
        if (text == entry.name) {
            kind = entry.kind;
            return true;
        }
    }
    return false;
}

bool parseKey(const std::string& text, ShowEvent& event) {
    for (const KeyName& entry : kKeys) {
        if (text == entry.name) {
            event.key = entry.key;
            return true;
        }
    }
    if (text.size() != 1 || text[0] <= ' ' || text[0] > '~') return false;
    event.key = ShowKey::Character;
    event.character = text[0];
    return true;
}

bool parseModifiers(const std::string& text, ShowModifiers& modifiers) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t plus = text.find('+', start);
        const std::string name = text.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        if (name == "shift") modifiers.shift = true;
        else if (name == "ctrl") modifiers.ctrl = true;
        else if (name == "alt") modifiers.alt = true;
        else return false;
        if (plus == std::string::npos) return true;
        start = plus + 1;
    }
    return false;
}

// One non-blank, comment-free line. False with `error` set (without the line number).
bool parseLine(const std::vector<std::string>& words, ShowEvent& event, std::string& error) {
    if (words.size() < 4) {
        error = "expected <ms> <kind> <x> <y> [<arg>]";
        return false;
    }
    if (!parseInteger(words[0], 0, kLongestScriptMs, event.ms)) {
        error = "bad time '" + words[0] + "' (milliseconds from 0 to 3600000)";
        return false;
    }
    if (!parseKind(words[1], event.kind)) {
        error = "unknown event kind '" + words[1] + "' (move, down, up, rdown, rup, dblclick, wheel, key)";
        return false;
    }
    if (!parseInteger(words[2], -kCoordinateLimit, kCoordinateLimit, event.x) ||
        !parseInteger(words[3], -kCoordinateLimit, kCoordinateLimit, event.y)) {
        error = "bad position '" + words[2] + " " + words[3] + "'";
        return false;
    }
    std::size_t next = 4;
    if (event.kind == ShowEventKind::Key) {
        if (words.size() != 5 || !parseKey(words[4], event)) {
            error = "a key event needs one key: a printable character or Return, Escape, Tab, Backspace, Delete, "
                    "Left, Right, Up, Down";
            return false;
        }
        return true;
    }
    if (event.kind == ShowEventKind::Wheel) {
        if (words.size() < 5 || !parseInteger(words[4], -kMostNotches, kMostNotches, event.notches) ||
            event.notches == 0) {
            error = "a wheel event needs a non-zero number of notches";
            return false;
        }
        next = 5;
    }
    if (words.size() > next + 1) {
        error = "too many arguments";
        return false;
    }
    if (words.size() == next + 1 && !parseModifiers(words[next], event.modifiers)) {
        error = "bad modifiers '" + words[next] + "' (shift, ctrl, alt joined by '+')";
        return false;
    }
    return true;
}

} // namespace

bool parseShowEvents(const std::string& text, std::vector<ShowEvent>& events, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const std::size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream wordStream(line);
        const std::vector<std::string> words{std::istream_iterator<std::string>(wordStream),
                                             std::istream_iterator<std::string>()};
        if (words.empty()) continue;
        ShowEvent event;
        event.line = lineNumber;
        std::string problem;
        if (!parseLine(words, event, problem)) {
            error = "line " + std::to_string(lineNumber) + ": " + problem;
            return false;
        }
        if (!events.empty() && event.ms < events.back().ms) {
            error = "line " + std::to_string(lineNumber) + ": time runs backwards (" + std::to_string(event.ms) +
                    " ms after " + std::to_string(events.back().ms) + " ms)";
            return false;
        }
        events.push_back(event);
    }
    return true;
}

bool loadShowEvents(const std::string& path, std::vector<ShowEvent>& events, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read '" + path + "'";
        return false;
    }
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (!parseShowEvents(text, events, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

} // namespace quilhost
