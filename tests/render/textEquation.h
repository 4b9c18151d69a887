// Engine trees for tests, read from ordinary text by the editor's text parser ("x^2 - 4",
// "y = 1/x", "x = cos(t), y = sin(t)"), so the tests write equations as a user types them.
// Text that does not read, or reads to no tree, throws with the parser's reason.
#pragma once

#include "engine/engine.h"

grExp *testExpression(const char *text);

// A classified equation; throws when the engine cannot graph the text.
grEquation *testEquation(const char *text);
