// Equations typed from the command line: the key notation, the editor tree in one line,
// and the classification of a tree.
#pragma once

#include <QString>

#include <map>
#include <set>
#include <vector>

#include "equationEditor/graphEquationEditorModel.h"

// One key of the notation. Text characters are typed as themselves; the escapes are
// "\b" Backspace, "\<" Left arrow, "\>" Right arrow, "\a" select-all and "\\" a backslash.
struct cliKey {
    enum Kind { text, backspace, selectAll } kind;
    char16_t character = 0;  // the character for text, an arrow key code included
};

// Fails with status 1 on an unknown escape or a backslash at the end.
std::vector<cliKey> cliParseKeys(const QString &keys);

// Routes the keys as the editor view does: text through insertText (the key, then the
// calculator line), arrows through handleKey, Backspace through deleteBackward.
void cliTypeKeys(graphEquationEditorModel &model, const std::vector<cliKey> &keys);

// A new root over an empty placeholder with the keys typed into it; the model's status
// line is left in status when asked for.
geEditPtr cliTypedEquation(const QString &keys, QString *status = nullptr);

// The root that reading text builds; fails with status 1 naming what, the text and the
// reader's message with its column: entry 2 (y = (x): missing ) at column 7.
geEditPtr cliParsedEquation(const QString &text, const QString &what);

// The user constants of the command line (--const NAME=VALUE), answered to every tree it
// graphs or calculates. A letter without a value is worth 1.0, as the window's constant
// table answers.
class cliConstants : public geEditDelegate {
public:
    // The one table of the process; the trees it is given keep pointing at it.
    static cliConstants &shared();
    // Reads NAME=VALUE; fails with status 1 unless NAME is one letter that is no variable,
    // e or pi.
    void define(const QString &assignment);
    double constantForString(const QString &name) const override;
    bool stringInFunctionArray(const QString &name) const override;
    // The letters of root that no --const gives a value.
    std::set<QString> undefinedLetters(const geEditPtr &root) const;
    // One warning on standard error listing letters that are taken as 1.0.
    static void warnUndefined(const std::set<QString> &letters);

private:
    std::map<QString, double> values_;
};

// The tree below the root in one line: leaves as geEditNum "12", geEditVar "x",
// geEditEmpty; other nodes as className(child, ...), a function's name in quotes before
// its argument. The node holding the cursor is followed by "@" and its cursorPosition.
QString cliTreeString(const geEditPtr &root);

// The kind name (grKindYOfX, ...) of the classified tree, or the classifier's message.
struct cliClassification {
    bool graphable;
    QString text;
};
cliClassification cliClassify(const geEditPtr &root);
const char *cliKindName(int kind);
