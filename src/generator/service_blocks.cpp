// Services are chosen by a walk of the symbol buckets, so their order is
// the table's, not the source's. A parameter without a name is named after
// its position (param_1, param_2...) in its declaration, its VAR line and
// the call, so that the call passes every argument the function takes.
#include "generator/section_writers.h"
#include "generator/service_blocks.h"

#include <vector>

#include "analyser/print_declaration.h"
#include "analyser/print_name.h"
#include "analyser/print_type.h"
#include "analyser/type_model.h"
#include "driver/option_values.h"
#include "generator/analysis_context.h"
#include "generator/file_identity.h"
#include "generator/generation.h"
#include "generator/member_services.h"
#include "generator/var_lines.h"
#include "generator/native_text.h"

namespace {

const std::string indent = "    ";

// The function type of sym, through typedef names.
const function_payload* function_of(const symbol* sym)
{
    const type_node* type = strip_typedefs(sym->type);
    return type ? type->function() : nullptr;
}

// The parameters of a function as the service sees them: the real ones
// (a lone void is none), each with the name it is given.
struct service_parameter {
    const symbol* sym;
    std::string name;
};

std::vector<service_parameter> parameters_of(const function_payload* f)
{
    std::vector<service_parameter> list;
    const auto& all = f->signature.parameters;
    if (all.size() == 1 && all.front()->parameter && all.front()->parameter->name.empty()) {
        const type_node* only = strip_typedefs(all.front()->parameter->type);
        if (only && only->kind == TK_VOID)
            return list;
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        const symbol* p = all[i] ? all[i]->parameter : nullptr;
        if (!p || (p->type && p->type->kind == TK_ELLIPSIS))
            continue;
        list.push_back({p, p->name.empty() ? "param_" + std::to_string(i + 1) : p->name});
    }
    return list;
}

bool is_structor(const member_role* member)
{
    return member && (member->kind == member_role::constructor || member->kind == member_role::destructor);
}

// The call of the element: a creation, a deletion, or a call (on the
// object under test for an ordinary member).
std::string element_call(const symbol* function, const std::string& service, const member_role* member,
                         const std::vector<std::string>& argument_names)
{
    int mode = mode_call;
    std::string object;
    if (member && member->kind == member_role::constructor)
        mode = mode_creation;
    else if (member && member->kind == member_role::destructor)
        mode = mode_deletion;
    else if (member && member->kind == member_role::ordinary)
        object = member->instance_name;
    std::string call = indent + indent + "#";
    print_declaration(function, call, service, mode, false, "", object, &argument_names);
    return call;
}

void write_test(generation& run, const symbol* function, const std::string& service, const member_role* member,
                const std::vector<std::string>& argument_names)
{
    run.line(indent + "TEST 1");
    run.line(indent + std::string(run.word(script_text::family_keyword)) + " nominal");
    run.line("");
    run.line(indent + indent + "ELEMENT");
    if (member && member->kind == member_role::namespace_member)
        run.line(indent + indent + "#using namespace " + member->namespace_name + ";");
    run.line(element_call(function, service, member, argument_names));
    const std::string end(run.word(script_text::end_keyword));
    run.line(indent + indent + end + " ELEMENT");
    run.line("");
    run.line(indent + end + " TEST -- TEST 1");
    run.line("");
    run.line(end + " SERVICE -- " + service);
    run.line("");
}

} // namespace

void unique_service_name(generation& run, service_names& names, std::string& name)
{
    if (names.names.count(name)) {
        const std::string first = name;
        for (int n = 2;; ++n) {
            name = first + "_" + std::to_string(n);
            if (!names.names.count(name))
                break;
        }
    }
    names.names.insert(name);
    run.line("");
    run.line(separator_line());
    run.line(std::string(run.word(script_text::comment_service_declaration)) + name);
    run.line(separator_line());
    run.line("SERVICE " + name);
    run.line(std::string(run.word(script_text::service_type_keyword)) + " " +
             std::string(run.word(script_text::extern_word)));
    run.line("");
}

void write_service(generation& run, service_names& names, const symbol* function, const member_role* member)
{
    const function_payload* f = function_of(function);
    if (!f)
        return;
    std::string service;
    print_qualified_name(service, function->name,
                         function->scope_kind == owner_scope ? function->scope_owner : nullptr, "_", false);
    unique_service_name(run, names, service);
    const std::string& file = run.values.generated_file;

    // 1. Parameters as test variables.
    const std::vector<service_parameter> parameters = parameters_of(f);
    std::vector<std::string> argument_names(f->signature.parameters.size());
    for (std::size_t i = 0; i < f->signature.parameters.size(); ++i)
        for (const service_parameter& p : parameters)
            if (f->signature.parameters[i]->parameter == p.sym)
                argument_names[i] = p.name;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (i == 0)
            run.line(indent + std::string(run.word(script_text::comment_parameters)));
        std::string text;
        print_declaration(parameters[i].sym, text, parameters[i].name, mode_value_holder, false, "");
        analyse_text(text, run.test_context, file, service);
        run.line(native_text(indent + "#", text));
    }

    // 2. The return variable, or the object pointer of a constructor or
    // destructor; then the object under test of an ordinary member.
    std::string returned;
    print_declaration(function, returned, service, is_structor(member) ? mode_object_pointer : mode_test_variable,
                      false, "");
    if (!returned.empty()) {
        run.line(indent + std::string(run.word(script_text::comment_returned_type)));
        analyse_text(returned, run.test_context, file, service);
        run.line(native_text(indent + "#", returned));
        run.line("");
    } else {
        run.line("");
    }
    const bool with_instance = member && member->kind == member_role::ordinary;
    if (with_instance) {
        run.line(indent + std::string(run.word(script_text::comment_class_instances)));
        run.line(native_text(indent + "#", member->class_text + " " + member->instance_name + ";"));
        run.line("");
    }

    // 3. The environment of the service.
    if (!returned.empty() || !parameters.empty() || with_instance) {
        const std::string environment(run.word(script_text::environment_keyword));
        run.line(indent + environment + " ENV_" + service);
        for (const service_parameter& p : parameters)
            write_var_line(run, p.sym, indent, service, var_parameter, p.name);
        write_var_line(run, function, indent, service, is_structor(member) ? var_object : var_returned);
        if (with_instance)
            write_instance_line(run, member->owner, member->instance_name, indent);
        run.line(indent + std::string(run.word(script_text::end_keyword)) + " " + environment + " -- ENV_" + service);
        run.line(indent + std::string(run.word(script_text::use_keyword)) + " ENV_" + service);
        run.line("");
    }

    // 4 and 5. The test and the end of the service.
    write_test(run, function, service, member, argument_names);
}

void write_tested_services(generation& run, std::string_view tested_file, analysis_context& context)
{
    service_names names;
    const bool insert = run.values.insert_flag != 0;
    std::vector<const symbol*> functions;
    walk_symbols(context.scopes, [&](symbol_entry& entry) {
        symbol* sym = entry.sym;
        if (!sym || sym->scope_kind != file_scope)
            return;
        if ((sym->specifier_flags & SF_STATIC) && !insert)
            return;
        const type_node* type = strip_typedefs(sym->type);
        function_payload* f = type && type->kind == TK_FUNCTION ? const_cast<type_node*>(type)->function() : nullptr;
        if (!f || !f->signature.is_definition)
            return;
        f->signature.is_definition = 0;
        if (!same_file(tested_file, sym->file))
            return;
        functions.push_back(sym);
    });
    for (const symbol* function : functions)
        write_service(run, names, function);

    // Then the member functions, class by class in tag order. The classes
    // are listed first: an instance's re-analysis may add entries.
    std::vector<std::pair<type_node*, bool>> classes;
    walk_tags(context.scopes, [&](symbol_entry& entry) {
        type_node* type = entry.sym ? entry.sym->type : nullptr;
        if (type && (type->kind == TK_STRUCT || type->kind == TK_UNION))
            classes.emplace_back(type, same_file(tested_file, entry.sym->file));
    });
    for (const auto& [type, declared_here] : classes)
        write_member_services(run, names, context, tested_file, type, declared_here);
}
