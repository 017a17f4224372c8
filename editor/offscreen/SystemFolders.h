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
void Desktop(TextBuffer* out);
// The machine-wide or the current user's application-data folder.
void AppData(TextBuffer* out, bool allUsers);
} // namespace SystemFolders
