#pragma once

class TextBuffer;

// Well-known folders for an editor without a window system. Every answer ends in the path separator;
// an unknown folder is the empty text.
namespace SystemFolders
{
// The folder of the running program.
void ExecutableFolder(TextBuffer* out);
// The folder of the binary this code was linked into (the plug-in library, or the program).
void ModuleFolder(TextBuffer* out);
// The user's desktop: on Linux the one named in the desktop conventions' user folders, else
// ~/Desktop.
void Desktop(TextBuffer* out);
// The machine-wide or the current user's application-data folder (on Linux the first of
// $XDG_DATA_DIRS, else /usr/local/share; $XDG_DATA_HOME, else ~/.local/share).
void AppData(TextBuffer* out, bool allUsers);
} // namespace SystemFolders
