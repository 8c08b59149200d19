#pragma once

// Application-wide settings shared by the program and its tests: the name,
// the icon, and the fonts the window was designed for. Call it once, after
// the application object exists and before any widget does.
void setUpApplication();
