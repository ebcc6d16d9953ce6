// Small operations on the records themselves: printing a value tree, the
// direction words, typedef stripping.
#include "analyser/type_model.h"

void value_tree::print_to(std::string& out) const
{
    if (!is_list) {
        out += text;
        return;
    }
    out += '{';
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i > 0)
            out += ", ";
        if (!elements[i])
            continue;
        if (!elements[i]->designator.empty()) {
            out += elements[i]->designator;
            out += '=';
        }
        elements[i]->print_to(out);
    }
    out += '}';
}

std::string value_tree::printed() const
{
    std::string out;
    print_to(out);
    return out;
}

int direction_index(std::string_view word)
{
    for (int i = 0; i < no_direction; ++i)
        if (direction_modifiers[i] == word)
            return i;
    return no_direction;
}

const std::string& type_node::tag_name() const
{
    static const std::string none;
    switch (kind) {
    case TK_ENUM: return data ? enumeration()->name : none;
    case TK_UNION: return data ? union_data()->name : none;
    case TK_STRUCT: return data ? struct_data()->name : none;
    case TK_TEMPLATE: return data ? template_data()->name : none;
    default: return none;
    }
}

namespace {

// The direction word found on a modifier, its chain or what it modifies.
int direction_in_modifier(type_node* modifier, bool clear);

int direction_in_chain(type_node* chain, bool clear)
{
    for (type_node* m = chain; m; m = m->modifiers) {
        int found = direction_in_modifier(m, clear);
        if (found != no_direction)
            return found;
    }
    return no_direction;
}

int direction_in_modifier(type_node* modifier, bool clear)
{
    modifier_payload* p = modifier->modifier();
    if (!p)
        return no_direction;
    int index = direction_index(p->word);
    if (index != no_direction) {
        if (clear)
            p->word.clear();
        return index;
    }
    return no_direction;
}

} // namespace

int direction_of(type_node* type, bool clear)
{
    // The layers are walked iteratively: a declarator may nest deeply.
    for (int guard = 0; type && guard < 100000; ++guard) {
        int found = direction_in_chain(type->modifiers, clear);
        if (found != no_direction)
            return found;
        switch (type->kind) {
        case TK_MODIFIER: {
            found = direction_in_modifier(type, clear);
            if (found != no_direction)
                return found;
            type = type->modifier() ? type->modifier()->modified : nullptr;
            break;
        }
        case TK_POINTER: type = type->pointer() ? type->pointer()->pointee : nullptr; break;
        case TK_ARRAY: type = type->array() ? type->array()->element : nullptr; break;
        case TK_FUNCTION: type = type->function() ? type->function()->return_type : nullptr; break;
        case TK_REFERENCE: type = type->reference() ? type->reference()->referred : nullptr; break;
        default: return no_direction;
        }
    }
    return no_direction;
}

const type_node* strip_typedefs(const type_node* type)
{
    // A typedef chain that loops (only a faulty model could make one) stops
    // after a bound far beyond any real chain.
    for (int steps = 0; type && type->kind == TK_TYPEDEF && type->typedef_data() && steps < 100000; ++steps)
        type = type->typedef_data()->target;
    return type;
}
