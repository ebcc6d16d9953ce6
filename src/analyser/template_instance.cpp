// instance_name, instantiate, analyse_instance, instantiate_member_templates
// and analyse_instance_members (see template_instance.h).
#include "analyser/template_instance.h"

#include "analyser/analysis_state.h"
#include "analyser/class_record.h"
#include "analyser/declaration_parser.h"
#include "analyser/print_declaration.h"
#include "analyser/print_name.h"
#include "analyser/print_type.h"

namespace {

// "<>" and "< >" of the body (an argument list left empty) become blanks.
void blank_empty_angles(std::string& text)
{
    for (std::size_t open = text.find('<'); open != std::string::npos; open = text.find('<', open + 1)) {
        std::size_t close = open + 1;
        while (close < text.size() && (text[close] == ' ' || text[close] == '\t' || text[close] == '\n' ||
                                       text[close] == '\r'))
            ++close;
        if (close < text.size() && text[close] == '>') {
            text[open] = ' ';
            text[close] = ' ';
        }
    }
}

type_node* find_instance(scope_table& table, const std::string& name)
{
    symbol_entry* e = find_tag(name, table, TK_STRUCT, scope_context{});
    return e && e->sym ? e->sym->type : nullptr;
}

bool in_progress(const scope_table& table, const std::string& name)
{
    for (const std::string& n : table.instances_in_progress)
        if (n == name)
            return true;
    return false;
}

// The arguments an instance records: each parameter with what it was bound to.
void record_arguments(model_store& store, struct_payload& s, const template_bindings& bindings)
{
    for (const template_binding& b : bindings.list) {
        const argument_node* a = b.argument;
        s.template_arguments.push_back(
            make_argument(store, b.parameter ? b.parameter->parameter : nullptr, a ? a->type : nullptr,
                          a ? std::string_view(a->value) : std::string_view()));
    }
}

} // namespace

std::string instance_name(std::string_view name, const std::vector<argument_node*>& arguments)
{
    std::string out(name);
    out += '<';
    bool first = true;
    for (const argument_node* argument : arguments) {
        if (!first)
            out += ", ";
        first = false;
        if (!argument)
            continue;
        std::string p, n, s;
        print_type(argument->type, p, n, s, false, "", 0, false, mode_no_class_keyword, nullptr, true);
        out += join_declarator(p, n, "", s);
        if (!argument->type) {
            out += ' ';
            out += argument->value;
        }
    }
    out += "> ";
    return out;
}

type_node* instantiate(declaration_parser& p, int kind_code, type_node* template_node,
                       const std::vector<argument_node*>& arguments)
{
    scope_table& table = p.table;
    const report_callback report = p.report;
    const std::string file = p.current_file();
    const int line = p.current_line();
    // The instance lives at file scope: a template of a namespace or class
    // names it through its owners ("N::In<int> "), so that it prints as a
    // name the compiler finds.
    std::string qualified;
    print_qualified_name(qualified, template_node->tag_name(),
                         template_node->scope_kind == owner_scope ? template_node->scope_owner : nullptr, "::", true);
    const std::string name = instance_name(qualified, arguments);
    if (type_node* existing = find_instance(table, name))
        return existing;
    type_node* record = make_record(p, kind_code, name, nullptr, false, record_mode_instance);
    if (!record || !record->struct_data())
        return template_node;
    record->template_origin = template_node;
    analyse_instance(table, report, template_node, record, arguments, file, line);
    type_node* instance = find_instance(table, name);
    if (!instance)
        instance = record;
    if (struct_payload* s = instance->struct_data())
        s->instantiation_state = 1;
    // The template keeps the list of its instances.
    if (template_payload* t = template_node->template_data())
        t->instance_items.push_back(make_argument(table.store, nullptr, instance, ""));
    instance->template_origin = template_node;
    return instance;
}

void analyse_instance(scope_table& table, report_callback report, type_node* template_node, type_node* instance,
                      const std::vector<argument_node*>& arguments, std::string_view use_file, int use_line)
{
    const template_payload* t = template_node ? template_node->template_data() : nullptr;
    struct_payload* s = instance ? instance->struct_data() : nullptr;
    if (!t || !s)
        return;
    if (table.instances_in_progress.size() >= instance_depth_limit || table.instances_analysed >= instance_budget)
        return;
    ++table.instances_analysed;
    // The head names the template unqualified: inside the text its name
    // finds the template wherever it was declared.
    std::string text = s->declared_as == declared_as_struct ? "struct " : "class ";
    text += instance_name(t->name, arguments);
    text += t->body;
    text += ';';
    blank_empty_angles(text);

    table.instances_in_progress.push_back(s->name);
    {
        analysis_state_guard saved(table);
        push_scope(table, 0, scope_mode_owner, "", nullptr, TK_STRUCT);
        const int line = static_cast<int>(t->line);
        if (bind_template_arguments(table, s->name, t->parameters, arguments, table.bindings, use_file, use_line,
                                    report)) {
            table.bindings.template_name = t->name;
            table.bindings.instance = instance;
            if (s->template_arguments.empty())
                record_arguments(table.store, *s, table.bindings);
            declaration_parser nested(table, text, t->file, line, report);
            nested.parse();
        }
    }
    table.instances_in_progress.pop_back();
}

namespace {

// The class made from a template that a member's type uses, directly or as
// its function's return type.
type_node* template_product_of(const symbol* member)
{
    const type_node* type = member ? member->type : nullptr;
    if (type && type->function())
        type = type->function()->return_type;
    type = strip_wrappers(type);
    while (type && (type->pointer() || type->reference())) {
        type = strip_wrappers(type->pointer() ? type->pointer()->pointee : type->reference()->referred);
    }
    if (!type || !type->struct_data() || !type->template_origin || type->template_origin->kind != TK_TEMPLATE)
        return nullptr;
    return const_cast<type_node*>(type);
}

} // namespace

void instantiate_member_templates(scope_table& table, report_callback report, type_node* record,
                                  std::string_view file, int line)
{
    const struct_payload* s = record ? record->struct_data() : nullptr;
    if (!s)
        return;
    for (const member_node* m : s->members) {
        const symbol* member = m ? m->member : nullptr;
        if (!member)
            continue;
        if (member->type && member->type->struct_data() && member->type->scope_owner == record &&
            member->type != record) {
            instantiate_member_templates(table, report, member->type, file, line);
            continue;
        }
        if (!(member->specifier_flags & SF_FRIEND))
            continue;
        type_node* product = template_product_of(member);
        struct_payload* p = product ? product->struct_data() : nullptr;
        if (!p || p->template_arguments.empty() || p->is_definition() || in_progress(table, p->name))
            continue;
        std::vector<argument_node*> arguments;
        for (argument_node* a : p->template_arguments)
            arguments.push_back(a);
        analyse_instance(table, report, product->template_origin, product, arguments, file, line);
        p->instantiation_state = 1;
    }
}

int analyse_instance_members(scope_table& table, type_node* instance, std::string_view file, int line,
                             report_callback report)
{
    struct_payload* s = instance ? instance->struct_data() : nullptr;
    const type_node* origin = instance ? instance->template_origin : nullptr;
    const template_payload* t = origin ? origin->template_data() : nullptr;
    if (!s || !t)
        return 0;
    std::string text;
    int count = 0;
    for (const member_node* m : s->members) {
        const symbol* member = m ? m->member : nullptr;
        // A member defined in the template's body is a definition already.
        if (!member || !member->type || !member->type->function() || member->name.empty() ||
            (member->specifier_flags & SF_FRIEND) || member->type->function()->signature.is_definition)
            continue;
        std::string prototype;
        print_declaration(member, prototype, "", mode_prototype, false, "");
        if (!prototype.empty() && prototype.back() == ';')
            prototype.pop_back();
        text += prototype;
        text += " { } \n";
        ++count;
    }
    if (count == 0)
        return 0;
    std::vector<argument_node*> arguments;
    for (argument_node* a : s->template_arguments)
        arguments.push_back(a);
    analysis_state_guard saved(table);
    push_scope(table, 0, scope_mode_owner, "", nullptr, TK_STRUCT);
    push_scope(table, access_public, scope_mode_owner, "", instance, TK_STRUCT);
    if (!bind_template_arguments(table, s->name, t->parameters, arguments, table.bindings, file, line, report))
        return 0;
    table.bindings.template_name = t->name;
    table.bindings.instance = instance;
    declaration_parser nested(table, text, file, line, report);
    nested.parse();
    return count;
}
