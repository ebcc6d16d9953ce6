// copy_type: the deep copy of a type used for the second declarators of a
// declaration, for redefinitions written over a forward declaration, and for
// template instances.
#pragma once

#include "analyser/model_store.h"

// A deep copy of type. into, when given, is overwritten (its kind too) so that
// every reference to it sees the copy. top is 1 for the outermost call: nested
// structs, unions, enums, typedefs and templates are shared rather than copied,
// except that a reference to old_owner becomes new_owner (so a class whose
// member points to itself copies to a class whose member points to the copy).
type_node* copy_type(model_store& store, type_node* into, const type_node* type, int top, type_node* new_owner,
                     type_node* old_owner);

// A copy of a symbol with its type copied (top 0), its owner rescoped from
// old_owner to new_owner, and its initialiser copied.
symbol* copy_symbol(model_store& store, const symbol* original, type_node* new_owner, type_node* old_owner);
