#pragma once
// The input script of `show --events`: one event per line, `<ms> <kind> <x> <y> [<arg>]`, where ms
// counts from the editor's first paint and x, y are pixels of the plug-in's view. `#` starts a
// comment; blank lines are ignored.
//
//   kinds: move, down, up (left button), rdown, rup (right button), dblclick (left),
//          wheel (arg: notches, positive away from the user),
//          key (arg: one printable character or Return, Escape, Tab, Backspace, Delete, Left, Right,
//          Up, Down; x and y are ignored)
//   Mouse events take held modifiers as a further argument, joined by '+': shift, ctrl, alt
//   (`120 move 200 40 shift`, `300 wheel 190 90 -2 ctrl`).

#include <string>
#include <vector>

namespace quilhost {

enum class ShowEventKind { Move, Down, Up, RightDown, RightUp, DoubleClick, Wheel, Key };

// Named keys; Character means the event's `character`.
enum class ShowKey { Character, Return, Escape, Tab, Backspace, Delete, Left, Right, Up, Down };

struct ShowModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

struct ShowEvent {
    int ms = 0;
    ShowEventKind kind = ShowEventKind::Move;
    int x = 0;
    int y = 0;
    int notches = 0;  // wheel
    ShowModifiers modifiers;
    ShowKey key = ShowKey::Character;
    char character = 0;  // key events of ShowKey::Character
    int line = 0;        // where it stands in its file, for messages
};

// Reads a whole script. Times must not run backwards. False, with `error` naming the line and what
// is wrong with it, on the first bad line; `events` then holds the lines before it.
bool parseShowEvents(const std::string& text, std::vector<ShowEvent>& events, std::string& error);
bool loadShowEvents(const std::string& path, std::vector<ShowEvent>& events, std::string& error);

} // namespace quilhost
