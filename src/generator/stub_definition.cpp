// The DEFINE STUB block of one simulated file: the types its functions and
// variables need, then a stub prototype per function with a body and a
// definition per variable the script does not have yet. A file with types
// only gives its types and no block.
#include "generator/stub_definition.h"

#include <map>
#include <vector>

#include "analyser/print_declaration.h"
#include "analyser/print_type.h"
#include "analyser/type_model.h"
#include "driver/option_values.h"
#include "generator/analysis_context.h"
#include "generator/block_comments.h"
#include "generator/declaration_list.h"
#include "generator/file_environment.h"
#include "generator/file_identity.h"
#include "generator/generation.h"
#include "generator/native_text.h"
#include "generator/section_writers.h"

namespace {

function_payload* defined_function(const symbol* sym)
{
    type_node* type = sym && sym->type ? sym->type : nullptr;
    function_payload* f = type ? type->function() : nullptr;
    return f && f->signature.is_definition ? f : nullptr;
}

// Not known to the test context, or known only as extern.
bool unknown_to_test(generation& run, const symbol* sym)
{
    symbol_entry* e = find_symbol(sym->name, run.test_context.scopes, scope_context{});
    return !e || !e->sym || (e->sym->specifier_flags & SF_EXTERN);
}

bool is_class_with_functions(const symbol* sym, bool with_body)
{
    const type_node* type = sym ? sym->type : nullptr;
    const std::vector<member_node*>* members = nullptr;
    if (const struct_payload* s = type ? type->struct_data() : nullptr)
        members = &s->members;
    else if (const union_payload* u = type ? type->union_data() : nullptr)
        members = &u->members;
    if (!members)
        return false;
    for (const member_node* m : *members) {
        const symbol* member = m->member;
        const function_payload* f = member && member->type ? member->type->function() : nullptr;
        if (f && (!with_body || f->signature.is_definition))
            return true;
    }
    return false;
}

void write_stub_prototype(generation& run, const symbol* sym)
{
    std::string text = "    #";
    print_declaration(sym, text, "", mode_stub, false, "");
    run.line(text);
    if (function_payload* f = defined_function(sym))
        f->signature.is_definition = 0;
}

// The member functions with a body of a class of the simulated file.
void write_member_stubs(generation& run, const type_node* type, int depth)
{
    const std::vector<member_node*>* members = nullptr;
    if (const struct_payload* s = type->struct_data())
        members = &s->members;
    else if (const union_payload* u = type->union_data())
        members = &u->members;
    if (!members || depth > 100)
        return;
    for (const member_node* m : *members) {
        const symbol* member = m->member;
        if (!member || !member->type)
            continue;
        if (defined_function(member))
            write_stub_prototype(run, member);
        else if ((member->type->kind == TK_STRUCT || member->type->kind == TK_UNION) && member->name.empty())
            write_member_stubs(run, member->type, depth + 1);
    }
}

} // namespace

void write_stub_definition(generation& run, std::string_view file)
{
    const std::string completed = completed_source_name(file);
    work_analysis work(run, completed);
    analysis_context& context = work.context();
    const std::size_t slash = completed.rfind('/');
    const std::string part = slash == std::string::npos ? completed : completed.substr(slash + 1);
    run.line("");
    run.line(std::string(block_comment_text(block_comment::simulated_file)) + part);
    run.line("");

    declaration_collector collector(context, run.test_context);
    bool needed = false;
    declaration_list classes;
    std::vector<const type_node*> class_types;
    walk_tags(context.scopes, [&](symbol_entry& entry) {
        const symbol* sym = entry.sym;
        if (!is_file_level(sym) || !same_file(completed, sym->file) || !is_class_with_functions(sym, false))
            return;
        needed = true;
        class_types.push_back(sym->type);
        collector.collect_declarations(sym->type, classes);
    });
    write_declaration_list(run, classes, mode_stub);

    // The types the file declares are copied even when nothing of the file
    // uses them, so that a file of types alone still gives its types.
    declaration_list dependencies;
    walk_tags(context.scopes, [&](symbol_entry& entry) {
        if (is_file_level(entry.sym) && same_file(completed, entry.sym->file))
            collector.collect_declarations(entry.sym->type, dependencies);
    });
    std::map<std::uint64_t, const symbol*> symbols;
    walk_symbols(context.scopes, [&](symbol_entry& entry) {
        const symbol* sym = entry.sym;
        if (!is_file_level(sym) || !same_file(completed, sym->file))
            return;
        const std::uint32_t flags = sym->specifier_flags;
        if (defined_function(sym)) {
            needed = true;
            if (!(flags & SF_STATIC))
                collector.collect_declarations(sym->type, dependencies);
        } else if (const typedef_payload* t = sym->type ? sym->type->typedef_data() : nullptr;
                   t && t->name == sym->name) {
            collector.collect_declarations(sym->type, dependencies);
            return;
        } else if (!sym->name.empty() && !(sym->type && sym->type->kind == TK_FUNCTION) &&
                   unknown_to_test(run, sym) && !(flags & (SF_STATIC | SF_EXTERN))) {
            needed = true;
            collector.collect_declarations(sym->type, dependencies);
        }
        symbols.emplace(entry.defined_seq, sym);
    });
    write_declaration_list(run, dependencies, mode_stub);
    if (!needed)
        return;

    run.line("");
    run.line(std::string(run.word(script_text::define_keyword)) + " " + std::string(run.word(script_text::stub_keyword)) +
             " " + stub_name(completed));
    for (const type_node* type : class_types)
        write_member_stubs(run, type, 0);
    for (const auto& [key, sym] : symbols) {
        const std::uint32_t flags = sym->specifier_flags;
        if (defined_function(sym)) {
            if (!(flags & SF_STATIC))
                write_stub_prototype(run, sym);
            continue;
        }
        if (sym->name.empty() || (sym->type && sym->type->kind == TK_FUNCTION))
            continue;
        if (const typedef_payload* t = sym->type ? sym->type->typedef_data() : nullptr; t && t->name == sym->name)
            continue;
        if ((flags & (SF_STATIC | SF_EXTERN)) || !unknown_to_test(run, sym))
            continue;
        std::string text;
        print_declaration(sym, text, "", mode_plain, false, "");
        analyse_text(text, run.test_context, run.values.generated_file, "");
        run.line(native_text("    #", text));
    }
    run.line(std::string(run.word(script_text::end_keyword)) + " " + std::string(run.word(script_text::define_keyword)));
    run.line("");
}
