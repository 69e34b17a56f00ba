#pragma once

class CabinetCoolApp;
class QWidget;

// Projects in the benchmark: opening one of 200 cabinets with its table
// shown, making another cabinet current, and the part of a recovery copy
// that runs on the interface's thread.
void timeProjects(CabinetCoolApp& app, QWidget* parent);

// A project whose every text is at its limit, in one line without a space
// (the slowest to lay out): opening it with the project window shown, and
// keys typed at the end of its note.
void timeLongTexts(CabinetCoolApp& app, QWidget* parent);

// A key typed in the main window while the project window shows 1, 100 and
// 1000 cabinets.
void timeTyping(CabinetCoolApp& app, QWidget* parent);
