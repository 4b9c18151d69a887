// The equation editor model: node classes, conversion, cursor, keys and the editing state.
#pragma once

#include "equationEditor/geEdit.h"
#include "equationEditor/geEditBinaryList.h"
#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditUnaryOp.h"
#include "equationEditor/graphEquationEditorModel.h"
