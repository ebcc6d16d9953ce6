// The actions of the declaration grammar (see declaration_parser.h).
//
// Each specifier word and declarator piece becomes a partial type in the
// innermost scope; CPP_compose_type joins them. A declarator reaches the
// table as a symbol with the composed type, the specifier flags and its
// initialiser; inside a class it also becomes a member. A function body is
// read as balanced text by the lexer and kept only for class members.
#include "analyser/declaration_parser.h"

#include <unordered_set>

#include <QCoreApplication>

#include "analyser/class_record.h"
#include "analyser/type_composition.h"
#include "analyser/type_copy.h"
#include "expr/constant_value.h"
#include "declaration_grammar.hpp"
#include "prepro/preprocessor.h"

namespace {

// The longest quotation of a syntax-error report.
constexpr std::size_t quoted_characters = 59;

type_node* without_typedefs(type_node* type)
{
    int guard = 0;
    while (type && type->kind == TK_TYPEDEF && type->typedef_data() && type->typedef_data()->target &&
           ++guard < 1000)
        type = type->typedef_data()->target;
    return type;
}

// Function templates are named as functions are: only class templates
// take template arguments in this grammar.
bool is_class_template(const type_node* type)
{
    return type->template_data() && !type->template_data()->function;
}

// A class template that already has instances has a token of its own.
int template_token(const type_node* type)
{
    return type->template_data()->instance_items.empty() ? TEMPLATE_NAME : TEMPLATE_NAME_INST;
}

bool is_namespace(const type_node* type)
{
    return type && type->struct_data() && type->struct_data()->declared_as == declared_as_namespace;
}

// A record kind as the model knows it.
type_kind record_kind(int kind_code)
{
    return kind_code == 2 ? TK_UNION : TK_STRUCT;
}

} // namespace

namespace {

// The analysis whose table receives the typedef sizes of the target pragmas.
declaration_parser* active_parser = nullptr;

bool set_typedef_size(void* context, std::string_view name, int bits)
{
    integral_payload* integral = static_cast<declaration_parser*>(context)->typedef_integral(name);
    if (!integral)
        return false;
    integral->size = integral->size < 0 ? -bits : bits;
    return true;
}

bool set_typedef_sign(void* context, std::string_view name, bool is_signed)
{
    integral_payload* integral = static_cast<declaration_parser*>(context)->typedef_integral(name);
    if (!integral)
        return false;
    const std::int32_t magnitude = integral->size < 0 ? -integral->size : integral->size;
    integral->size = is_signed ? -magnitude : magnitude;
    return true;
}

void bind_target_pragmas(declaration_parser* parser)
{
    active_parser = parser;
    target_size_hooks hooks;
    if (parser) {
        hooks.context = parser;
        hooks.set_typedef_size = set_typedef_size;
        hooks.set_typedef_sign = set_typedef_sign;
    }
    cpp_set_target_hooks(hooks);
}

} // namespace

declaration_parser::declaration_parser(scope_table& t, std::string_view text, std::string_view file, int line,
                                       report_callback r)
    : table(t), store(t.store), report(r), lexer(text, file, line, arena, this)
{
    base_depth_ = table.frames.size();
    outer_parser_ = active_parser;
    bind_target_pragmas(this);
    target_pragma(); // the sizes set by earlier analyses hold here too
}

declaration_parser::~declaration_parser()
{
    bind_target_pragmas(outer_parser_);
}

void declaration_parser::target_pragma()
{
    const target_bits& bits = cpp_target_bits();
    store.sizes.char_bits = bits.char_bits;
    store.sizes.short_bits = bits.short_bits;
    store.sizes.int_bits = bits.int_bits;
    store.sizes.long_bits = bits.long_bits;
    store.sizes.long_long_bits = bits.long_long_bits;
    store.sizes.plain_char_unsigned = bits.char_unsigned;
}

integral_payload* declaration_parser::typedef_integral(std::string_view name)
{
    symbol_entry* e = find_symbol(name, table, context());
    if (!e || !e->sym || !(e->sym->specifier_flags & SF_TYPEDEF))
        return nullptr;
    type_node* target = without_typedefs(e->sym->type);
    return target ? target->integral() : nullptr;
}

// ---- Names ----

name_class declaration_parser::classify(std::string_view name, bool after_scope, const semantic_value* qualifier)
{
    if (name_class bound; !after_scope && template_name_class(name, bound))
        return bound;
    const std::string key(name);
    auto tag = [&](type_kind kind, scope_context where) -> type_node* {
        symbol_entry* e = find_tag(key, table, kind, where);
        return e && e->sym ? e->sym->type : nullptr;
    };
    auto record_token = [](type_node* t) { return is_namespace(t) ? TYPE_NAME : CLASS_NAME; };

    if (after_scope && qualifier && qualifier->type) {
        type_node* owner = without_typedefs(qualifier->type);
        const scope_context inside{owner_scope, owner};
        if (type_node* t = tag(TK_STRUCT, inside); t && t->scope_owner == owner)
            return {record_token(t), t, nullptr};
        if (type_node* t = tag(TK_TEMPLATE, inside); t && t->scope_owner == owner && is_class_template(t))
            return {template_token(t), t, nullptr};
        if (type_node* t = tag(TK_ENUM, inside); t && t->scope_owner == owner)
            return {TYPE_NAME, t, nullptr};
        if (type_node* t = tag(TK_UNION, inside); t && t->scope_owner == owner)
            return {TYPE_NAME, t, nullptr};
        symbol_entry* e = find_symbol(key, table, inside);
        if (e && e->sym && e->sym->scope_owner == owner && (e->sym->specifier_flags & SF_TYPEDEF))
            return {TYPE_NAME, e->sym->type, e->sym};
    }
    const scope_context here = context();
    if (type_node* t = tag(TK_STRUCT, here))
        return {record_token(t), t, nullptr};
    if (type_node* t = tag(TK_TEMPLATE, here); t && is_class_template(t))
        return {template_token(t), t, nullptr};
    // Member names repeat in every struct: look for a visible symbol only
    // when some symbol of that name is a typedef at all.
    if (names_a_typedef(key)) {
        symbol_entry* e = find_symbol(key, table, here);
        if (e && e->sym && (e->sym->specifier_flags & SF_TYPEDEF))
            return {TYPE_NAME, e->sym->type, e->sym};
    }
    if (type_node* t = tag(TK_ENUM, here))
        return {TYPE_NAME, t, nullptr};
    if (type_node* t = tag(TK_UNION, here))
        return {TYPE_NAME, t, nullptr};
    if (is_user_type_modifier(name))
        return {USER_MODIFIER, nullptr, nullptr};
    return {IDENTIFIER, nullptr, nullptr};
}

namespace {

// The names of the typedefs of a table, kept between analyses. Typedefs only
// enter a table through the grammar, which adds their names here; the set is
// rebuilt from the table's index for another table or after a reset (the
// counter went back). A stale name only costs a lookup.
struct typedef_name_cache {
    const scope_table* table = nullptr;
    std::uint64_t counter = 0;
    std::unordered_set<std::string> names;
};

typedef_name_cache& typedef_names()
{
    static typedef_name_cache cache;
    return cache;
}

} // namespace

bool declaration_parser::names_a_typedef(const std::string& name)
{
    typedef_name_cache& cache = typedef_names();
    if (cache.table != &table || table.counter < cache.counter) {
        cache.names.clear();
        for (const auto& [key, entries] : table.symbol_index)
            for (const symbol_entry* e : entries)
                if (e && e->sym && (e->sym->specifier_flags & SF_TYPEDEF)) {
                    cache.names.insert(key);
                    break;
                }
        cache.table = &table;
    }
    cache.counter = table.counter;
    return cache.names.contains(name);
}

void declaration_parser::typedef_declared(const std::string& name)
{
    typedef_name_cache& cache = typedef_names();
    if (cache.table == &table)
        cache.names.insert(name);
}

// ---- Messages ----

void declaration_parser::report_at_lexer(int kind, const char* code, std::string_view argument)
{
    if (report)
        report(kind, code, report_argument(argument), lexer.file_name(), lexer.line());
}

void declaration_parser::report_syntax_error()
{
    ++syntax_errors;
    if (lexer.hit_end()) {
        report_at_lexer(kind_error, "UNEXP_EOF", "");
        return;
    }
    const std::string_view text = lexer.text();
    const std::size_t end = std::min(lexer.offset(), text.size());
    std::size_t start = std::min(lexer.line_start(), end);
    if (end - start > quoted_characters)
        start = end - quoted_characters;
    report_at_lexer(kind_warning, "SYNTAXERR", text.substr(start, end - start));
}

// ---- Texts ----

std::string* declaration_parser::join(std::string* left, std::string_view op, const std::string* right)
{
    if (!left)
        left = text("");
    left->append(op);
    if (right)
        left->append(*right);
    return left;
}

std::string* declaration_parser::wrap(std::string_view before, const std::string* middle, std::string_view after)
{
    std::string* out = text(before);
    if (middle)
        out->append(*middle);
    out->append(after);
    return out;
}

std::string* declaration_parser::source_text(source_span span)
{
    const std::string_view all = lexer.text();
    if (span.first > span.last || span.last > all.size())
        return text("");
    return text(normalise_blanks(all.substr(span.first, span.last - span.first)));
}

// ---- Specifiers ----

type_node* declaration_parser::specifier(std::string_view word)
{
    const scope_context here = context();
    return create_specifier_type(store, word, here.scope_kind, here.scope_owner);
}

type_node* declaration_parser::modifier(std::string_view word, std::uint32_t form)
{
    const scope_context here = context();
    return create_type(store, TK_MODIFIER, make_modifier_payload(store, word, nullptr, 0, form), here.scope_kind,
                       here.scope_owner);
}

type_node* declaration_parser::compose(type_node* first, type_node* second)
{
    if (!first)
        return second;
    if (!second)
        return first;
    return CPP_compose_type(store, first, second, lexer.file_name(), lexer.line());
}

type_node* declaration_parser::name_type(const semantic_value& name)
{
    return name.type;
}

// ---- Declarators ----

type_node* declaration_parser::pointer(type_node* member_of)
{
    const scope_context here = context();
    return create_type(store, TK_POINTER, make_pointer_payload(store, without_typedefs(member_of), nullptr),
                       here.scope_kind, here.scope_owner);
}

type_node* declaration_parser::reference()
{
    const scope_context here = context();
    return create_type(store, TK_REFERENCE, make_reference_payload(store, nullptr), here.scope_kind,
                       here.scope_owner);
}

type_node* declaration_parser::array(const std::string* bound)
{
    const scope_context here = context();
    return create_type(store, TK_ARRAY, make_array_payload(store, nullptr, bound ? *bound : "", nullptr),
                       here.scope_kind, here.scope_owner);
}

type_node* declaration_parser::function(std::vector<parameter_node*>* parameters, type_node* trailing,
                                        bool has_throw, std::vector<type_node*>* exceptions)
{
    const scope_context here = context();
    function_payload* payload = make_function_payload(store, nullptr);
    if (parameters)
        payload->signature.parameters = *parameters;
    payload->signature.trailing_modifier = trailing;
    payload->signature.has_exception_specification = has_throw;
    if (exceptions)
        payload->signature.exceptions = *exceptions;
    return create_type(store, TK_FUNCTION, payload, here.scope_kind, here.scope_owner);
}

std::vector<parameter_node*>* declaration_parser::parameter_list()
{
    return &parameter_lists_.emplace_back();
}

void declaration_parser::add_parameter(std::vector<parameter_node*>* list, const semantic_value& specifiers,
                                       const semantic_value& declarator, value_tree* default_value)
{
    type_node* type = declarator.type;
    std::uint32_t flags = 0;
    if (specifiers.number == -1) // a name alone: an old-style parameter, int until declared
        type = specifier("int");
    else
        flags = static_cast<std::uint32_t>(specifiers.number);
    symbol* sym = make_symbol(store, declarator.text ? std::string_view(*declarator.text) : std::string_view(),
                              type, file_scope, nullptr, flags, lexer.file_name(), default_value);
    list->push_back(make_parameter(store, sym, nullptr));
}

void declaration_parser::add_ellipsis(std::vector<parameter_node*>* list)
{
    type_node* type = create_type(store, TK_ELLIPSIS, make_ellipsis_payload(store, list->empty() ? 0 : 1),
                                  file_scope, nullptr);
    symbol* sym = make_symbol(store, "", type, file_scope, nullptr, 0, lexer.file_name(), nullptr);
    list->push_back(make_parameter(store, sym, nullptr));
}

std::vector<type_node*>* declaration_parser::type_list()
{
    return &type_lists_.emplace_back();
}

// ---- Declarations ----

namespace {

// A declaration without a type is an int in C, except for constructors,
// destructors and conversion operators (class members or qualified names).
bool takes_implicit_int(const semantic_value& declarator, bool in_class)
{
    if (in_class || declarator.entity)
        return false;
    if (!declarator.text)
        return true;
    const std::string& name = *declarator.text;
    return !name.starts_with('~') && !name.starts_with("operator");
}

} // namespace

bool declaration_parser::in_class() const
{
    const type_node* owner = current_owner(table);
    return owner && (owner->kind == TK_STRUCT || owner->kind == TK_UNION) && !is_namespace(owner);
}

void declaration_parser::add_member(symbol* member)
{
    if (std::vector<member_node*>* members = members_of(current_owner(table)))
        members->push_back(make_member(store, member, current_access(table)));
}

// "constexpr" makes an object const (its printed declaration must link with
// the definition) and is dropped from a function like "explicit" is. The
// const goes on a copy: the specifiers are shared by every declarator.
semantic_value declaration_parser::without_constexpr(const semantic_value& specifiers,
                                                    const semantic_value& declarator)
{
    const auto flags = static_cast<std::uint32_t>(specifiers.number);
    if (!(flags & SF_CONSTEXPR))
        return specifiers;
    semantic_value out = specifiers;
    out.number = static_cast<long>(flags & ~std::uint32_t{SF_CONSTEXPR});
    if (declarator.type && declarator.type->kind == TK_FUNCTION) {
        out.number |= SF_FUNCTION_EXTRA;
        return out;
    }
    type_node* base = specifiers.type ? copy_type(store, nullptr, specifiers.type, 0, nullptr, nullptr) : nullptr;
    out.type = compose(modifier("const", 0), base);
    return out;
}

void declaration_parser::declare_declarator(const semantic_value& written, const semantic_value& declarator,
                                            bool first, value_tree* initialiser)
{
    const semantic_value specifiers = without_constexpr(written, declarator);
    if (first)
        clear_specifiers(table); // the friend bit of this declaration has been read
    if (!declarator.text && !declarator.type && !initialiser)
        return;
    // A qualified declarator names a member of another scope (a static member
    // defined outside its class): it contributes nothing here, except alone in
    // a class body, where it is an access declaration.
    if (declarator.entity && declarator.entity != current_owner(table)) {
        qualified_elsewhere = true;
        type_node* qualifier = static_cast<type_node*>(declarator.entity);
        if (in_class() && !specifiers.type && !specifiers.number && !declarator.type && declarator.text && !initialiser)
            declare_access(*this, qualifier, *declarator.text);
        else if (declarator.text && !(specifiers.number & SF_FRIEND))
            check_qualified_member(*this, qualifier, *declarator.text);
        return;
    }
    type_node* specifier_type = specifiers.type;
    if (!first && specifier_type)
        specifier_type = copy_type(store, nullptr, specifier_type, 0, nullptr, nullptr);
    if (!specifier_type && takes_implicit_int(declarator, in_class()))
        specifier_type = specifier("int");
    type_node* type = compose(specifier_type, declarator.type);
    const std::uint32_t flags = static_cast<std::uint32_t>(specifiers.number);
    const scope_context here = context();
    const std::string_view name = declarator.text ? std::string_view(*declarator.text) : std::string_view();
    symbol* sym = make_symbol(store, name, type, here.scope_kind, here.scope_owner, flags, lexer.file_name(),
                              initialiser);
    if (type && type->kind == TK_ARRAY && initialiser)
        type->array()->bound_value = copy_value(store, initialiser);
    if (flags & SF_TYPEDEF)
        sym->type = create_type(store, TK_TYPEDEF, make_typedef_payload(store, name, type), here.scope_kind,
                                here.scope_owner);
    names_a_typedef(std::string(name)); // brings the cache to this table first
    symbol_entry* entry = declare(make_entry(table, sym), table, lexer.file_name(), lexer.line(), false);
    if (flags & SF_TYPEDEF)
        typedef_declared(std::string(name));
    // A redeclaration inside the class stands for the member already listed.
    if (in_class() && entry && entry->sym == sym)
        add_member(sym);
    if (entry && entry->sym)
        last_declared = entry->sym;
}

semantic_value declaration_parser::constructor_declarator(const semantic_value& name, const semantic_value& suffixes)
{
    semantic_value declarator = name;
    declarator.type = suffixes.type;
    declarator.entity = nullptr;
    return declarator;
}

void declaration_parser::declare_specifiers_only(const semantic_value& specifiers)
{
    clear_specifiers(table);
    type_node* type = specifiers.type;
    if (!in_class() || !type)
        return;
    type_node* record = current_owner(table);
    const bool is_friend = (specifiers.number & SF_FRIEND) != 0;
    const bool is_record = type->kind == TK_STRUCT || type->kind == TK_UNION;
    if (is_friend && (is_record || type->kind == TK_TYPEDEF || type->kind == TK_TEMPLATE)) {
        add_member(make_symbol(store, "", type, owner_scope, record, SF_FRIEND, lexer.file_name(), nullptr));
        return;
    }
    // A type declared in the class body is a member in its own right.
    const bool nested = (is_record || type->kind == TK_ENUM) && type->scope_kind == owner_scope &&
                        type->scope_owner == record;
    if (nested && !is_friend)
        add_member(make_symbol(store, "", type, owner_scope, record, static_cast<std::uint32_t>(specifiers.number),
                               lexer.file_name(), nullptr));
}

void declaration_parser::add_kr_declarator(const semantic_value& specifiers, const semantic_value& declarator)
{
    type_node* specifier_type =
        specifiers.type ? copy_type(store, nullptr, specifiers.type, 0, nullptr, nullptr) : specifier("int");
    if (declarator.text)
        kr_types.emplace_back(*declarator.text, compose(specifier_type, declarator.type));
}

void declaration_parser::define_function(const semantic_value& written, const semantic_value& declarator,
                                         const std::string* body, const std::string* initialisers)
{
    const semantic_value specifiers = without_constexpr(written, declarator);
    clear_specifiers(table);
    type_node* specifier_type = specifiers.type;
    if (!specifier_type && takes_implicit_int(declarator, in_class()))
        specifier_type = specifier("int");
    type_node* type = compose(specifier_type, declarator.type);
    std::vector<std::pair<std::string, type_node*>> old_style;
    old_style.swap(kr_types);
    if (!type || type->kind != TK_FUNCTION || !declarator.text)
        return;
    for (parameter_node* parameter : type->function()->signature.parameters) {
        for (const auto& [name, declared] : old_style)
            if (parameter->parameter && parameter->parameter->name == name)
                parameter->parameter->type = declared;
    }
    const std::string& name = *declarator.text;
    type_node* qualifier = without_typedefs(static_cast<type_node*>(declarator.entity));
    scope_context where = context();
    if (qualifier)
        where = scope_context{owner_scope, qualifier};
    const std::uint32_t flags = static_cast<std::uint32_t>(specifiers.number);

    symbol* target = nullptr;
    symbol_entry* earlier = find_function(name, table, type, where);
    if (earlier && earlier->sym && earlier->sym->type && earlier->sym->type->function()) {
        target = earlier->sym;
        if (target->type->function()->signature.is_definition)
            report_at_lexer(kind_warning, "REDEFSYMB", name);
        CPP_modify_param_name(table, target->type, type, lexer.file_name(), lexer.line());
        earlier->defined_seq = ++table.counter;
    } else if (qualifier && qualifier != current_owner(table)) {
        qualified_elsewhere = true;
        report_at_lexer(kind_warning, "FUNCT_DEF", qualifier->tag_name() + "::" + name);
        return;
    } else {
        symbol* sym = make_symbol(store, name, type, where.scope_kind, where.scope_owner, flags, lexer.file_name(),
                                  nullptr);
        symbol_entry* entry = declare(make_entry(table, sym), table, lexer.file_name(), lexer.line(), false);
        target = entry && entry->sym ? entry->sym : sym;
        if (in_class())
            add_member(target);
    }
    last_declared = target;
    function_payload* function = target->type ? target->type->function() : nullptr;
    if (!function)
        return;
    function->signature.is_definition = 1;
    if (in_class() && body)
        function->signature.body = *body;
    if (initialisers)
        function->signature.initialisers.push_back(member_initialiser{*initialisers, {}});
    target->file = lexer.file_name();
}

std::string* declaration_parser::capture_body()
{
    std::string* body = lexer.capture_text('}', "", false);
    if (!body)
        report_syntax_error();
    return body;
}

// ---- Values ----

value_tree* declaration_parser::leaf(const std::string* text)
{
    return make_leaf(store, text ? std::string_view(*text) : std::string_view());
}

value_tree* declaration_parser::list()
{
    return make_list(store);
}

void declaration_parser::append(value_tree* tree, value_tree* element)
{
    if (tree && element)
        append_value(store, tree, element);
}

void declaration_parser::designate(value_tree* element, const std::string* designator)
{
    if (element && designator)
        element->designator = *designator;
}

std::string* declaration_parser::compound_literal(const std::string* type_text, void* list)
{
    std::string* out = wrap("(", type_text, ")");
    if (list)
        static_cast<value_tree*>(list)->print_to(*out);
    return out;
}

// ---- Records ----

void declaration_parser::open_record(int kind_code, const std::string* name)
{
    open_record_body(*this, kind_code, name ? std::string_view(*name) : std::string_view());
}

type_node* declaration_parser::close_record(int kind_code, const std::string* name, std::vector<base_node*>* bases)
{
    // The body of an instance's text completes the record made at file scope.
    const type_node* owner = current_owner(table);
    const int mode = owner && owner->template_origin ? record_mode_instance : record_mode_ordinary;
    return make_record(*this, kind_code, name ? std::string_view(*name) : std::string_view(), bases, true, mode);
}

type_node* declaration_parser::record_use(int kind_code, const semantic_value& name)
{
    if (name.type && name.type->kind == record_kind(kind_code))
        return name.type;
    if (!name.text)
        return nullptr;
    return make_record(*this, kind_code, *name.text, nullptr, false, record_mode_ordinary);
}

void declaration_parser::open_qualified_record(int kind_code, const semantic_value& qualifier,
                                               const std::string* name)
{
    type_node* scope = without_typedefs(name_type(qualifier));
    qualified_heads_.push_back(table.frames.size());
    if (scope && (scope->kind == TK_STRUCT || scope->kind == TK_UNION))
        push_scope(table, access_public, scope_mode_owner, "", scope, scope->kind);
    else
        push_scope(table, current_access(table), scope_mode_owner, "", current_owner(table), TK_STRUCT);
    open_record(kind_code, name);
}

type_node* declaration_parser::close_qualified_record(int kind_code, const std::string* name,
                                                      std::vector<base_node*>* bases)
{
    type_node* record = close_record(kind_code, name, bases);
    if (!qualified_heads_.empty()) {
        while (table.frames.size() > std::max(qualified_heads_.back(), base_depth_))
            pop_scope(table);
        qualified_heads_.pop_back();
    }
    return record;
}

std::vector<base_node*>* declaration_parser::base_list()
{
    return &base_lists_.emplace_back();
}

void declaration_parser::add_base(std::vector<base_node*>* list, const semantic_value& name, std::uint32_t is_virtual,
                                  std::uint32_t access)
{
    type_node* base = without_typedefs(name.type);
    if (!base && name.text)
        if (symbol_entry* e = find_tag(*name.text, table, TK_STRUCT, context()); e && e->sym)
            base = e->sym->type;
    if (base)
        list->push_back(make_base(store, base, is_virtual, access));
}

void declaration_parser::access_label(std::uint32_t access)
{
    set_current_access(table, access);
    if (std::vector<member_node*>* members = members_of(current_owner(table)))
        members->push_back(make_member(store, nullptr, access));
}

void declaration_parser::open_namespace(const semantic_value* name)
{
    const scope_context here = context();
    if (name && name->text) {
        symbol_entry* e = find_tag(*name->text, table, TK_STRUCT, here);
        if (e && e->sym && is_namespace(e->sym->type) && e->sym->type->scope_owner == here.scope_owner) {
            push_scope(table, access_public, scope_mode_owner, "", e->sym->type, TK_STRUCT);
            return;
        }
    }
    const std::string namespace_name =
        name && name->text ? *name->text : table.session->next_unnamed_namespace_name();
    type_node* record = create_type(store, TK_STRUCT, make_struct_payload(store, namespace_name, declared_as_namespace),
                                    here.scope_kind, here.scope_owner);
    record->unnamed = name ? 0 : 1;
    symbol* tag = make_symbol(store, "", record, here.scope_kind, here.scope_owner, 0, lexer.file_name(), nullptr);
    symbol_entry* entry = declare(make_entry(table, tag), table, lexer.file_name(), lexer.line(), false);
    type_node* owner = entry && entry->sym && entry->sym->type ? entry->sym->type : record;
    push_scope(table, access_public, scope_mode_owner, "", owner, TK_STRUCT);
}

void declaration_parser::close_namespace()
{
    type_node* owner = current_owner(table);
    if (table.frames.size() > base_depth_)
        pop_scope(table);
    if (owner && owner->unnamed)
        current_used_namespaces(table).push_back(owner);
}

bool declaration_parser::using_declaration(bool is_namespace_word, const std::string* first)
{
    std::string* rest = first && first->empty() ? text("") : lexer.text_to_semicolon();
    if (!rest) {
        report_at_lexer(kind_warning, "SYNTAXERR",
                        QCoreApplication::translate("Warning Parameter", "'using' without ';'").toLocal8Bit().toStdString());
        return false;
    }
    if (!is_namespace_word) {
        current_using_declarations(table).push_back(::using_declaration{first ? *first : "", *rest});
        return true;
    }
    // "using namespace a :: b": the last name names the namespace.
    const std::size_t blank = rest->find_last_of(" :");
    const std::string last = blank == std::string::npos ? *rest : rest->substr(blank + 1);
    symbol_entry* e = find_tag(last, table, TK_STRUCT, context());
    if (e && e->sym && is_namespace(e->sym->type))
        current_used_namespaces(table).push_back(e->sym->type);
    return true;
}

// ---- Enumerations ----

void declaration_parser::open_enum(const std::string* name)
{
    const scope_context here = context();
    current_enum_ = create_type(store, TK_ENUM, make_enum_payload(store, name ? std::string_view(*name) : ""),
                                here.scope_kind, here.scope_owner);
}

void declaration_parser::add_enumerator(const std::string* name, const std::string* value)
{
    if (!current_enum_ || !name)
        return;
    std::vector<enumerator*>& list = current_enum_->enumeration()->enumerators;
    const pint numeric = enumerator_value(value ? std::string_view(*value) : std::string_view(),
                                          list.empty() ? nullptr : &list.back()->numeric, table, &list,
                                          lexer.file_name(), lexer.line(), report);
    list.push_back(make_enumerator(store, *name, value ? make_leaf(store, *value) : nullptr, numeric));
}

type_node* declaration_parser::close_enum()
{
    type_node* enumeration = current_enum_;
    current_enum_ = nullptr;
    if (!enumeration)
        return nullptr;
    const scope_context here = context();
    symbol* tag = make_symbol(store, "", enumeration, here.scope_kind, here.scope_owner, 0, lexer.file_name(), nullptr);
    symbol_entry* entry = declare(make_entry(table, tag), table, lexer.file_name(), lexer.line(), false);
    return entry && entry->sym && entry->sym->type ? entry->sym->type : enumeration;
}

type_node* declaration_parser::enum_use(const semantic_value& name)
{
    if (name.type && name.type->kind == TK_ENUM)
        return name.type;
    if (!name.text)
        return nullptr;
    const scope_context here = context();
    if (symbol_entry* e = find_tag(*name.text, table, TK_ENUM, here); e && e->sym && e->sym->type)
        return e->sym->type;
    type_node* enumeration = create_type(store, TK_ENUM, make_enum_payload(store, *name.text), here.scope_kind,
                                         here.scope_owner);
    symbol* tag = make_symbol(store, "", enumeration, here.scope_kind, here.scope_owner, 0, lexer.file_name(), nullptr);
    symbol_entry* entry = declare(make_entry(table, tag), table, lexer.file_name(), lexer.line(), false);
    return entry && entry->sym && entry->sym->type ? entry->sym->type : enumeration;
}

// ---- Templates ----

// ---- Recovery ----

void declaration_parser::recover_scopes()
{
    current_enum_ = nullptr;
    kr_types.clear();
    clear_specifiers(table);
    recover_template_headers();
    while (table.frames.size() > base_depth_ && in_class())
        pop_scope(table);
    // The qualifier scopes of broken qualified class heads.
    for (; !qualified_heads_.empty(); qualified_heads_.pop_back())
        while (table.frames.size() > std::max(qualified_heads_.back(), base_depth_))
            pop_scope(table);
    recover_template_headers();
}
