// A namespace cannot be copied as a record ("class N;" would clash with the
// "using namespace N;" of its services), so its declarations are written
// as a block of their own: "namespace N {", what the file declares in it in
// source order (records and enumerations with their bodies, typedefs,
// prototypes, variables as extern), nested namespaces as inner blocks, and
// "}". The members are found in the table by their owner, since the
// namespace's own record lists none.
#include "generator/namespace_blocks.h"

#include <map>
#include <vector>

#include "analyser/print_declaration.h"
#include "analyser/print_type.h"
#include "analyser/type_model.h"
#include "driver/option_values.h"
#include "generator/analysis_context.h"
#include "generator/file_identity.h"
#include "generator/generation.h"
#include "generator/native_text.h"

namespace {

constexpr int max_nesting = 100;

struct namespace_item {
    const symbol* sym;
    bool is_tag;
};

using item_list = std::map<std::uint64_t, namespace_item>;

std::uint64_t key_of(const symbol_entry& entry)
{
    return entry.defined_seq ? entry.defined_seq : entry.declared_seq;
}

const type_node* owner_of(const symbol* sym)
{
    return sym->scope_kind == owner_scope ? sym->scope_owner : nullptr;
}

// The declarations that name space holds, in source order.
item_list items_of(const type_node* space, analysis_context& context, std::string_view file)
{
    item_list items;
    walk_tags(context.scopes, [&](symbol_entry& entry) {
        const symbol* sym = entry.sym;
        if (sym && sym->type && sym->type->scope_kind == owner_scope && sym->type->scope_owner == space &&
            same_file(file, sym->file))
            items.emplace(key_of(entry), namespace_item{sym, true});
    });
    walk_symbols(context.scopes, [&](symbol_entry& entry) {
        const symbol* sym = entry.sym;
        if (sym && owner_of(sym) == space && !(sym->specifier_flags & SF_STATIC) && same_file(file, sym->file))
            items.emplace(key_of(entry), namespace_item{sym, false});
    });
    return items;
}

void block_text(const type_node* space, analysis_context& context, std::string_view file, std::string& out,
                int depth);

void item_text(const namespace_item& item, analysis_context& context, std::string_view file, std::string& out,
               int depth)
{
    const symbol* sym = item.sym;
    const type_node* type = sym->type;
    if (item.is_tag) {
        if (is_unnamed_namespace(type))
            return;
        if (is_namespace(type)) {
            block_text(type, context, file, out, depth + 1);
            return;
        }
        if (type->tag_name().empty())
            return;
        print_declaration(sym, out, "", mode_plain, true, "");
        out += '\n';
        return;
    }
    // An instance of a function template is declared by its template: a
    // prototype of its own would declare another function, no template.
    if (sym->name.empty() || (type && type->kind == TK_FUNCTION && type->template_origin))
        return;
    std::string text;
    print_declaration(sym, text, "", type && type->kind == TK_FUNCTION ? mode_prototype : mode_plain, false, "");
    const typedef_payload* t = type ? type->typedef_data() : nullptr;
    const bool variable = type && type->kind != TK_FUNCTION && !(t && t->name == sym->name) &&
                          !(sym->specifier_flags & SF_EXTERN);
    if (variable)
        out += "extern ";
    out += text;
    out += '\n';
}

void block_text(const type_node* space, analysis_context& context, std::string_view file, std::string& out,
                int depth)
{
    if (depth > max_nesting)
        return;
    out += "namespace ";
    out += space->tag_name();
    out += " {\n";
    for (const auto& [key, item] : items_of(space, context, file))
        item_text(item, context, file, out, depth);
    out += "}";
    if (depth > 0)
        out += '\n';
}

} // namespace

bool is_namespace(const type_node* type)
{
    const struct_payload* s = type ? type->struct_data() : nullptr;
    return s && s->declared_as == declared_as_namespace;
}

bool is_unnamed_namespace(const type_node* type)
{
    return is_namespace(type) && (type->unnamed || type->tag_name().starts_with("morva_unnamed_namespace_"));
}

void write_namespace_blocks(generation& run, std::string_view file, analysis_context& context)
{
    std::vector<const type_node*> spaces;
    walk_tags(context.scopes, [&](symbol_entry& entry) {
        const symbol* sym = entry.sym;
        // Outermost namespaces only; inner ones come inside their block.
        if (sym && sym->type && is_namespace(sym->type) && sym->type->scope_kind == file_scope &&
            !is_unnamed_namespace(sym->type) && same_file(file, sym->file))
            spaces.push_back(sym->type);
    });
    for (const type_node* space : spaces) {
        std::string text;
        block_text(space, context, file, text, 0);
        analyse_text(text, run.test_context, run.values.generated_file, "");
        run.line(native_text("    #", text));
    }
}
