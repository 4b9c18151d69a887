// Where a node's text and the caret stand in the text form of the whole equation (the
// root's `string`), for assistive technology that reads the editor as a line of text.
#pragma once

class geEdit;

// The offset of node's own text in root's text, -1 when node is not in the tree.
int geTextOffsetOfNode(const geEdit *root, const geEdit *node);
// The caret's offset in root's text when responder holds the cursor:
// "1|2" in a number, "|sin(x)" or "sin|(x)" at a function, "|?" on a placeholder, "x+1|"
// after any other node.
int geCaretOffsetInText(const geEdit *root, const geEdit *responder);
