// Collection walks a type depth first and appends the entries that declare
// it after those of the types it uses; the list orders everything by the
// sequence numbers of the analysed source, so the copy reads as the source
// did. Each written text is also analysed in the test context, which keeps
// the model of what the script declares in step with the script.
#include "generator/declaration_list.h"

#include <vector>

#include "analyser/print_declaration.h"
#include "analyser/print_type.h"
#include "analyser/type_model.h"
#include "driver/option_values.h"
#include "generator/analysis_context.h"
#include "generator/block_comments.h"
#include "generator/file_identity.h"
#include "generator/generation.h"
#include "generator/namespace_blocks.h"
#include "generator/native_text.h"
#include "generator/section_writers.h"

namespace {

constexpr int max_depth = 500;

const type_node* owner_of(const type_node* type)
{
    return type->scope_kind == owner_scope ? type->scope_owner : nullptr;
}

std::string trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

bool is_typedef_name_of(const symbol* sym)
{
    const typedef_payload* t = sym && sym->type ? sym->type->typedef_data() : nullptr;
    return t && t->name == sym->name;
}

} // namespace

bool is_file_level(const symbol* sym)
{
    return sym && sym->scope_kind == file_scope;
}

declaration_collector::declaration_collector(analysis_context& work, analysis_context& test) : test_(test)
{
    walk_tags(work.scopes, [&](symbol_entry& entry) {
        if (entry.sym && entry.sym->type)
            declaring_entry_.emplace(entry.sym->type, &entry);
    });
    walk_symbols(work.scopes, [&](symbol_entry& entry) {
        if (is_typedef_name_of(entry.sym))
            declaring_entry_.emplace(entry.sym->type, &entry);
    });
}

bool declaration_collector::known_to_test(const type_node* type) const
{
    if (type->kind == TK_TYPEDEF) {
        symbol_entry* e = find_symbol(type->typedef_data()->name, test_.scopes, scope_context{});
        return e && e->sym && e->sym->type && e->sym->type->kind == TK_TYPEDEF;
    }
    const std::string& name = type->tag_name();
    if (name.empty())
        return false;
    return find_tag(name, test_.scopes, type->kind, scope_context{}) != nullptr;
}

void declaration_collector::append_entries(const type_node* type, declaration_list& list)
{
    auto found = declaring_entry_.find(type);
    if (found == declaring_entry_.end())
        return;
    symbol_entry* entry = found->second;
    // A record without a name is written inside the declaration that uses it.
    if (type->kind != TK_TYPEDEF && type->tag_name().empty())
        return;
    // A record only declared has its introducing part; a defined one is
    // written with its body, which introduces it too.
    if (entry->defined_seq)
        list.emplace(entry->defined_seq, declaration_item{entry, false});
    else if (entry->declared_seq)
        list.emplace(entry->declared_seq, declaration_item{entry, true});
}

void declaration_collector::collect_uses(const type_node* type, declaration_list& list, int depth)
{
    if (const struct_payload* s = type->struct_data()) {
        for (const base_node* base : s->bases)
            collect(base->base, list, depth + 1);
        for (const member_node* m : s->members)
            if (m->member)
                collect(m->member->type, list, depth + 1);
        for (const argument_node* a : s->template_arguments)
            collect(a->type, list, depth + 1);
    } else if (const union_payload* u = type->union_data()) {
        for (const member_node* m : u->members)
            if (m->member)
                collect(m->member->type, list, depth + 1);
    } else if (const typedef_payload* t = type->typedef_data()) {
        collect(t->target, list, depth + 1);
    } else if (const template_payload* t = type->template_data()) {
        for (const parameter_node* p : t->parameters)
            if (p->parameter)
                collect(p->parameter->type, list, depth + 1);
    }
}

void declaration_collector::collect(const type_node* type, declaration_list& list, int depth)
{
    if (!type || depth > max_depth)
        return;
    switch (type->kind) {
    case TK_POINTER:
        if (type->pointer()) {
            collect(type->pointer()->member_of, list, depth + 1);
            collect(type->pointer()->pointee, list, depth + 1);
        }
        return;
    case TK_ARRAY:
        if (type->array())
            collect(type->array()->element, list, depth + 1);
        return;
    case TK_REFERENCE:
        if (type->reference())
            collect(type->reference()->referred, list, depth + 1);
        return;
    case TK_MODIFIER:
        if (type->modifier())
            collect(type->modifier()->modified, list, depth + 1);
        return;
    case TK_FUNCTION:
        if (const function_payload* f = type->function()) {
            collect(f->return_type, list, depth + 1);
            for (const parameter_node* p : f->signature.parameters)
                if (p && p->parameter)
                    collect(p->parameter->type, list, depth + 1);
            for (const type_node* e : f->signature.exceptions)
                collect(e, list, depth + 1);
        }
        return;
    case TK_ENUM:
    case TK_UNION:
    case TK_STRUCT:
    case TK_TYPEDEF:
    case TK_TEMPLATE:
        break;
    default:
        return;
    }
    if (marks_.count(type))
        return;
    marks_.insert(type);
    // A namespace is written as a block of its own, with what it holds.
    if (is_namespace(type))
        return;
    if (const struct_payload* s = type->struct_data(); s && s->instantiation_state != 0)
        return;
    if (const type_node* owner = owner_of(type)) {
        // A type declared inside a class comes with its class.
        collect(owner, list, depth + 1);
        return;
    }
    if (known_to_test(type))
        return;
    collect_uses(type, list, depth);
    append_entries(type, list);
}

void declaration_collector::collect_declarations(const type_node* type, declaration_list& list)
{
    collect(type, list, 0);
}

void write_declaration_list(generation& run, const declaration_list& list, int mode)
{
    for (const auto& [key, item] : list) {
        const symbol* sym = item.entry->sym;
        const int item_mode = item.introducing ? mode_class_keyword : mode;
        const bool expand = !item.introducing;
        std::string analysed;
        print_declaration_with_storage(sym, analysed, "", item_mode, expand, false, "");
        analyse_text(analysed, run.test_context, run.values.generated_file, "");
        // Every line is native text, those of a template's verbatim body too.
        std::string text;
        print_declaration(sym, text, "", item_mode, expand, "");
        run.line(native_text("    #", text));
    }
}

void write_file_declarations(generation& run, std::string_view file, analysis_context& context)
{
    declaration_collector collector(context, run.test_context);
    declaration_list types;
    std::map<std::uint64_t, const symbol*> externs;
    auto keep = [&](const symbol_entry& entry) {
        const symbol* sym = entry.sym;
        return is_file_level(sym) && !(sym->specifier_flags & SF_STATIC) && same_file(file, sym->file);
    };
    walk_tags(context.scopes, [&](symbol_entry& entry) {
        if (keep(entry))
            collector.collect_declarations(entry.sym->type, types);
    });
    walk_symbols(context.scopes, [&](symbol_entry& entry) {
        if (!keep(entry))
            return;
        const symbol* sym = entry.sym;
        collector.collect_declarations(sym->type, types);
        if (sym->name.empty() || is_typedef_name_of(sym))
            return;
        const type_node* type = sym->type;
        if (type && type->kind == TK_FUNCTION && (type->template_origin || owner_of(type)))
            return;
        externs.emplace(entry.defined_seq, sym);
    });
    write_declaration_list(run, types, mode_plain);
    write_namespace_blocks(run, file, context);
    for (const auto& [key, sym] : externs) {
        if (find_symbol(sym->name, run.test_context.scopes, scope_context{}))
            continue;
        std::string text;
        print_declaration(sym, text, "", mode_prototype, false, "");
        analyse_text("extern " + text, run.test_context, run.values.generated_file, "");
        run.line(native_text("    #", "extern " + trimmed(text)));
    }
}

void write_tested_declarations(generation& run, std::string_view tested_file)
{
    work_analysis work(run, tested_file);
    analysis_context& context = work.context();
    declaration_collector collector(context, run.test_context);
    declaration_list list;
    bool first = true;
    walk_tags(context.scopes, [&](symbol_entry& entry) {
        const symbol* sym = entry.sym;
        if (!sym || !sym->type || !same_file(tested_file, sym->file))
            return;
        const std::vector<member_node*>* members = nullptr;
        if (const struct_payload* s = sym->type->struct_data())
            members = &s->members;
        else if (const union_payload* u = sym->type->union_data())
            members = &u->members;
        if (!members)
            return;
        bool has_function = false;
        for (const member_node* m : *members)
            if (m->member && m->member->type && m->member->type->kind == TK_FUNCTION)
                has_function = true;
        if (!has_function)
            return;
        if (first) {
            run.line("");
            run.line(block_comment_text(block_comment::tested_types));
            run.line("");
            first = false;
        }
        collector.collect_declarations(sym->type, list);
    });
    write_declaration_list(run, list, mode_plain);
    run.line("");
    run.line(block_comment_text(block_comment::tested_globals));
    run.line("");
    write_file_declarations(run, tested_file, context);
}

void write_integrated_declarations(generation& run, std::string_view file)
{
    const std::string completed = completed_source_name(file);
    run.line(std::string(block_comment_text(block_comment::integrated_file)) + std::string(base_name(completed)));
    run.line("");
    work_analysis work(run, completed);
    write_file_declarations(run, completed, work.context());
}
