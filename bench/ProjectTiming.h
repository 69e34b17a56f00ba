#pragma once

class CabinetCoolApp;
class QWidget;

// Projects in the benchmark: opening one of 200 cabinets with its table
// shown, making another cabinet current, and the part of a recovery copy
// that runs on the interface's thread.
void timeProjects(CabinetCoolApp& app, QWidget* parent);
