// The expression engine: trees, evaluation, classification and vectors. No Qt.
#pragma once

#include "engine/grCompiledExp.h"
#include "engine/grEquation.h"
#include "engine/grExp.h"
#include "engine/slNumberText.h"
#include "engine/slVector.h"
