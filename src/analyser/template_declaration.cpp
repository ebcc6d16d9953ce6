// Template headers and the templates they declare (see declaration_parser.h).
//
// "template <...>" opens a scope owned by a new TK_TEMPLATE node; each
// parameter is recorded as it is read, so a later parameter's default can
// name an earlier one. A type parameter's symbol has a nameless kind record
// (printed "class" in mode 9) and its name stands for a placeholder record
// inside the header. A class template becomes the header's node, named,
// with its body text and the line where the body starts. A function
// template, read as tokens, is analysed again as text in the header's scope
// with a reporting callback that only counts: the function declared there is
// attached to the node, and a declaration that yields none is TEMPLADEC.
#include <algorithm>
#include <cctype>

#include "analyser/declaration_parser.h"
#include "analyser/template_instance.h"
#include "analyser/type_copy.h"
#include "declaration_grammar.hpp"

namespace {

// The nested analysis of a function template's text: only counts reports.
int function_template_reports = 0;
void count_report(int, const char*, const report_argument&, std::string_view, int)
{
    ++function_template_reports;
}

int template_data_token(const type_node* origin)
{
    return origin->template_data() && !origin->template_data()->instance_items.empty() ? TEMPLATE_NAME_INST
                                                                                          : TEMPLATE_NAME;
}

int lines_in(std::string_view text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

void declaration_parser::open_template_header()
{
    const scope_context here = context();
    template_header& header = headers_.emplace_back();
    header.owner = create_type(store, TK_TEMPLATE, make_template_payload(store, "", 0, "", 0, ""), here.scope_kind,
                               here.scope_owner);
    header.depth = table.frames.size();
    push_scope(table, access_public, scope_mode_owner, "", header.owner, TK_TEMPLATE);
    scope_frame* frame = innermost_frame(table);
    frame->binding = &header;
    frame->template_parameters = &header.parameters;
    open_headers_.push_back(&header);
}

void declaration_parser::close_template_header()
{
    if (open_headers_.empty())
        return;
    template_header* header = open_headers_.back();
    open_headers_.pop_back();
    while (table.frames.size() > std::max(header->depth, base_depth_))
        pop_scope(table);
}

void declaration_parser::recover_template_headers()
{
    while (!open_headers_.empty() && open_headers_.back()->depth >= base_depth_)
        close_template_header();
}

bool declaration_parser::inside_template_header() const
{
    for (const scope_frame& frame : table.frames)
        if (frame.binding)
            return true;
    return false;
}

void declaration_parser::add_type_parameter(const std::string* name, type_node* default_type,
                                            const std::string* default_text)
{
    if (open_headers_.empty())
        return;
    template_header& header = *open_headers_.back();
    symbol* sym = make_symbol(store, name ? std::string_view(*name) : std::string_view(),
                              make_type_parameter_kind(store), owner_scope, header.owner, 0, lexer.file_name(),
                              nullptr);
    // The written default, analysed again when an instance uses it.
    if (default_text && !default_text->empty())
        sym->initialiser = make_leaf(store, *default_text);
    header.parameters.push_back(make_parameter(store, sym, default_type));
    header.placeholders.push_back(name ? make_type_placeholder(store, *name) : nullptr);
}

void declaration_parser::add_value_parameter(const semantic_value& specifiers, const semantic_value& declarator,
                                             value_tree* default_value)
{
    if (open_headers_.empty())
        return;
    template_header& header = *open_headers_.back();
    type_node* type = compose(specifiers.type, declarator.type);
    symbol* sym = make_symbol(store, declarator.text ? std::string_view(*declarator.text) : std::string_view(), type,
                              owner_scope, header.owner, static_cast<std::uint32_t>(specifiers.number),
                              lexer.file_name(), default_value);
    header.parameters.push_back(make_parameter(store, sym, nullptr));
    header.placeholders.push_back(nullptr);
}

bool declaration_parser::template_name_class(std::string_view name, name_class& found)
{
    if (const template_binding* b = table.bindings.find(name)) {
        const argument_node* a = b->argument;
        if (a && a->type) {
            // A copy for this use: the declarator composes into it.
            type_node* copy = copy_type(store, nullptr, a->type, 0, nullptr, nullptr);
            if (copy && copy != a->type) {
                const scope_context here = context();
                copy->scope_kind = here.scope_kind;
                copy->scope_owner = here.scope_owner;
            }
            found = {TYPE_NAME, copy, nullptr, nullptr};
        } else {
            found = {IDENTIFIER, nullptr, nullptr, a ? &a->value : nullptr};
        }
        return true;
    }
    // Inside its own text the template's name without arguments is the
    // instance; with arguments it is the template, even where the template
    // is not visible (a template of a namespace).
    if (table.bindings.instance && name == table.bindings.template_name) {
        type_node* origin = table.bindings.instance->template_origin;
        if (!lexer.angle_follows())
            found = {CLASS_NAME, table.bindings.instance, nullptr, nullptr};
        else if (origin)
            found = {template_data_token(origin), origin, nullptr, nullptr};
        else
            return false;
        return true;
    }
    for (auto frame = table.frames.rbegin(); frame != table.frames.rend(); ++frame) {
        const template_header* header = static_cast<const template_header*>(frame->binding);
        if (!header)
            continue;
        for (std::size_t i = header->parameters.size(); i-- > 0;) {
            const symbol* parameter = header->parameters[i]->parameter;
            if (!parameter || parameter->name != name)
                continue;
            if (header->placeholders[i])
                found = {TYPE_NAME, header->placeholders[i], nullptr, nullptr};
            else
                found = {IDENTIFIER, nullptr, nullptr, nullptr};
            return true;
        }
    }
    return false;
}

void declaration_parser::declare_class_template(int kind_code, const semantic_value* name, const std::string* body)
{
    const std::string* written = name ? name->text : nullptr;
    if (name && name->type && name->type->kind == TK_TEMPLATE)
        written = &name->type->tag_name();
    if (!written || written->empty() || open_headers_.empty()) {
        report_at_lexer(kind_warning, "TEMPLADEC", "");
        return;
    }
    template_header& header = *open_headers_.back();
    type_node* node = header.owner;
    const std::string text = body ? *body : std::string();
    const int line = lexer.line() - lines_in(text);
    template_payload* payload = make_template_payload(store, *written, kind_code == 1 ? 1 : 0, text,
                                                      static_cast<std::uint32_t>(std::max(line, 0)), lexer.file_name());
    payload->parameters = header.parameters;
    node->data = payload;
    symbol* tag = make_symbol(store, "", node, node->scope_kind, node->scope_owner, 0, lexer.file_name(), nullptr);
    declare(make_entry(table, tag), table, lexer.file_name(), lexer.line(), false);
}

void declaration_parser::declare_function_template(source_span span)
{
    if (open_headers_.empty())
        return;
    template_header& header = *open_headers_.back();
    const std::string_view all = lexer.text();
    if (span.first >= span.last || span.last > all.size())
        return;
    std::string text(all.substr(span.first, span.last - span.first));
    if (text.back() != ';' && text.back() != '}')
        text += ';';
    const int line = lexer.line() - lines_in(text);
    if (header.parameters.empty() && declare_template_function_instance(text, line))
        return;

    const int saved_count = function_template_reports;
    function_template_reports = 0;
    symbol* declared = nullptr;
    bool qualified_elsewhere = false;
    {
        declaration_parser nested(table, text, lexer.file_name(), line, count_report);
        nested.parse();
        declared = nested.last_declared;
        qualified_elsewhere = nested.qualified_elsewhere;
    }
    const int reports = function_template_reports;
    function_template_reports = saved_count;

    if (declared && declared->type && declared->type->kind == TK_FUNCTION && declared->scope_owner == header.owner &&
        reports == 0) {
        type_node* node = header.owner;
        template_payload* payload = make_template_payload(store, declared->name, 0, "",
                                                          static_cast<std::uint32_t>(std::max(line, 0)),
                                                          lexer.file_name());
        payload->parameters = header.parameters;
        payload->function = declared;
        node->data = payload;
        symbol* tag = make_symbol(store, "", node, node->scope_kind, node->scope_owner, 0, lexer.file_name(), nullptr);
        declare(make_entry(table, tag), table, lexer.file_name(), lexer.line(), false);
        return;
    }
    // A member of a class template defined outside its class belongs to the
    // instances, which take their members from the class body: a qualified
    // name before the parameter list.
    const std::size_t open = text.find('(');
    if (qualified_elsewhere || text.substr(0, open).find("::") != std::string::npos)
        return;
    report_at_lexer(kind_warning, "TEMPLADEC", "");
}

namespace {

// "int max<int>(int a, int b) ..." is an explicit specialisation: the name
// before the argument list, and the text without that list. False when the
// parameter list does not follow a template argument list.
bool split_specialisation(const std::string& text, std::string& name, std::string& plain)
{
    const std::size_t paren = text.find('(');
    if (paren == std::string::npos)
        return false;
    std::size_t close = text.find_last_not_of(" \t\r\n", paren == 0 ? 0 : paren - 1);
    if (close == std::string::npos || text[close] != '>')
        return false;
    int depth = 0;
    std::size_t open = close + 1;
    while (open-- > 0) {
        if (text[open] == '>')
            ++depth;
        else if (text[open] == '<' && --depth == 0)
            break;
    }
    if (open == std::string::npos || depth != 0)
        return false;
    std::size_t end = text.find_last_not_of(" \t\r\n", open == 0 ? 0 : open - 1);
    std::size_t start = end;
    while (start != std::string::npos && start > 0 &&
           (std::isalnum(static_cast<unsigned char>(text[start - 1])) || text[start - 1] == '_'))
        --start;
    if (end == std::string::npos || !(std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_'))
        return false;
    name = text.substr(start, end + 1 - start);
    plain = text.substr(0, open) + text.substr(close + 1);
    return true;
}

} // namespace

bool declaration_parser::declare_template_function_instance(const std::string& text, int line)
{
    std::string name, plain;
    if (!split_specialisation(text, name, plain))
        return false;
    // The specialisation belongs to the scope around its header.
    scope_frame header_frame = table.frames.back();
    table.frames.pop_back();
    declare_function_instance(name, plain, line);
    table.frames.push_back(header_frame);
    return true;
}

void declaration_parser::declare_function_instance(const std::string& name, const std::string& plain, int line)
{
    symbol_entry* e = find_tag(name, table, TK_TEMPLATE, context());
    type_node* origin = e && e->sym ? e->sym->type : nullptr;
    if (!origin || !origin->template_data() || !origin->template_data()->function) {
        report_at_lexer(kind_warning, "TEMINSINC", name);
        return;
    }
    declaration_parser nested(table, plain, lexer.file_name(), line, report);
    nested.parse();
    symbol* declared = nested.last_declared;
    if (declared && declared->type && declared->type->function() && declared->name == name &&
        !declared->type->template_origin)
        declared->type->template_origin = origin;
}

void declaration_parser::declare_explicit_instance(source_span span)
{
    const std::string_view all = lexer.text();
    if (span.first >= span.last || span.last > all.size())
        return;
    const std::string text = std::string(all.substr(span.first, span.last - span.first)) + ";";
    const int line = lexer.line() - lines_in(text);
    std::string name, plain;
    if (!split_specialisation(text, name, plain))
        plain = text; // the arguments are deduced
    // The declared name is the word before the parameter list.
    const std::size_t paren = plain.find('(');
    const std::size_t end = paren == std::string::npos || paren == 0 ? std::string::npos
                                                                     : plain.find_last_not_of(" \t\r\n", paren - 1);
    std::size_t start = end;
    while (start != std::string::npos && start > 0 &&
           (std::isalnum(static_cast<unsigned char>(plain[start - 1])) || plain[start - 1] == '_'))
        --start;
    if (end == std::string::npos || !(std::isalnum(static_cast<unsigned char>(plain[end])) || plain[end] == '_')) {
        report_at_lexer(kind_warning, "TEMINSINC", "");
        return;
    }
    // "template int Box<int>::get();": the member comes with the class instance.
    const std::size_t before = start == 0 ? std::string::npos : plain.find_last_not_of(" \t\r\n", start - 1);
    if (before != std::string::npos && plain[before] == ':')
        return;
    declare_function_instance(plain.substr(start, end + 1 - start), plain, line);
}

// ---- Uses ----

std::vector<argument_node*>* declaration_parser::argument_list()
{
    return &argument_lists_.emplace_back();
}

void declaration_parser::add_argument(std::vector<argument_node*>* list, const semantic_value& argument)
{
    if (!list)
        return;
    if (argument.number == 1)
        list->push_back(make_argument(store, nullptr, nullptr, argument.text ? std::string_view(*argument.text) : ""));
    else
        list->push_back(make_argument(store, nullptr, argument.type, ""));
}

type_node* declaration_parser::template_use(const semantic_value& name, std::vector<argument_node*>* arguments)
{
    type_node* node = name.type;
    const template_payload* t = node ? node->template_data() : nullptr;
    // A function template, a template declared without body, or a use
    // inside a template header (its arguments name parameters) stays the
    // template itself.
    if (!t || t->function || t->body.empty() || inside_template_header())
        return node;
    static const std::vector<argument_node*> none;
    return instantiate(*this, t->is_struct ? 1 : 0, node, arguments ? *arguments : none);
}

const std::string* declaration_parser::record_name_text(const semantic_value& name)
{
    if (name.type && name.type->struct_data() && name.type->template_origin)
        return &name.type->struct_data()->name;
    return name.text;
}
