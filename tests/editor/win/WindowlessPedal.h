#pragma once

class TestEffect;

// The same pedal with the window-less editor, built as a class of its own name so that one test
// program holds both: its screen is the reference for what the window shows.
TestEffect* CreateWindowlessPedal();
