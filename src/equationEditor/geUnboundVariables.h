// The warning for variables that an equation uses where they have no value.
#pragma once

#include <QString>

class geEdit;

// "t has no value in y = f(x) and is taken as 0" for the letters that the kind of root's
// equation gives no value (s and t in y = f(x), x = f(y) and z = f(x, y); x and y in a
// parametric equation); empty when there are none or the equation cannot be graphed.
QString geUnboundVariablesWarning(const geEdit *root);
