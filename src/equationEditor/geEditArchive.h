// Archive records of the editor nodes.
//
// Every node is one object stored under its class name at version 0. Each record is a
// sequence of objects only: the geEdit record (the root's top node, nil for every other
// node), then the children right before left, then the node's string (NSMutableString for
// numbers and function names, NSString for variables). Decoded nodes come from their
// class's factory, so they start with its defaults and without cursor or selection; a
// decoded number's cursor position is 0.
//
// Reading is strict, since the editor relies on what a tree holds: children must be
// present and must not be roots, only a root holds a top node, numbers hold digits with
// at most one ".", variables one letter, function names letters only, and a tree may be
// no higher than the editor accepts from typing.
#pragma once

class slArchiveRegistry;

// Registers every node class (idempotent).
void geEditRegisterArchiveClasses(slArchiveRegistry &registry);
