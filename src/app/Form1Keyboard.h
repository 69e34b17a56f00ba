#pragma once

class Form1;

// The main window's keyboard and tooltips: Tab follows the numbered steps,
// Enter calculates (or presses the focused button), and every field and
// button says what it is.
void setUpForm1Keyboard(Form1& form);
