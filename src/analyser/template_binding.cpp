// bind_template_arguments and the records of template type parameters (see
// template_binding.h).
#include "analyser/template_binding.h"

#include "analyser/analyse_declarations.h"
#include "analyser/scope_table.h"
#include "analyser/type_copy.h"

namespace {

// The state that marks a template parameter's records.
constexpr std::uint32_t parameter_state = 3;

// A default type written in the header: analysed again as text under the
// bindings made so far; when that fails, a copy of the type read with the
// header (right for defaults that do not name other parameters).
type_node* default_type_of(scope_table& table, const parameter_node* parameter, std::string_view file, int line)
{
    const symbol* sym = parameter->parameter;
    if (sym && sym->initialiser && !sym->initialiser->is_list && !sym->initialiser->text.empty())
        if (type_node* type = type_from_text(sym->initialiser->text, table, file, line))
            return type;
    return copy_type(table.store, nullptr, parameter->default_type, 0, nullptr, nullptr);
}

} // namespace

const template_binding* template_bindings::find(std::string_view name) const
{
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (it->name == name)
            return &*it;
    return nullptr;
}

int bind_template_arguments(scope_table& table, std::string_view instance_name,
                            const std::vector<parameter_node*>& parameters,
                            const std::vector<argument_node*>& arguments, template_bindings& bindings,
                            std::string_view file, int line, report_callback report)
{
    bindings.list.clear();
    bindings.instance_name = instance_name;
    bindings.arguments = arguments;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        parameter_node* parameter = parameters[i];
        symbol* sym = parameter ? parameter->parameter : nullptr;
        if (!sym)
            continue;
        template_binding binding{sym->name, parameter, nullptr, false};
        if (i < arguments.size() && arguments[i]) {
            binding.argument = arguments[i];
        } else if (is_type_parameter_kind(sym->type) && (parameter->default_type || sym->initialiser)) {
            binding.argument = make_argument(table.store, sym, default_type_of(table, parameter, file, line), "");
            binding.from_default = true;
        } else if (!is_type_parameter_kind(sym->type) && sym->initialiser) {
            binding.argument = make_argument(table.store, sym, nullptr, sym->initialiser->printed());
            binding.from_default = true;
        } else {
            if (report)
                report(kind_warning, "TEMINSINC", report_argument(""), file, line);
            bindings.list.clear();
            return 0;
        }
        // A nameless parameter takes its argument but cannot be named.
        bindings.list.push_back(std::move(binding));
    }
    return 1;
}

type_node* make_type_parameter_kind(model_store& store)
{
    type_node* kind = create_type(store, TK_STRUCT, make_struct_payload(store, "", declared_as_class), file_scope,
                                  nullptr);
    kind->struct_data()->instantiation_state = parameter_state;
    return kind;
}

type_node* make_type_placeholder(model_store& store, std::string_view name)
{
    type_node* placeholder = create_type(store, TK_STRUCT, make_struct_payload(store, name, declared_as_class),
                                         file_scope, nullptr);
    placeholder->struct_data()->instantiation_state = parameter_state;
    return placeholder;
}

bool is_type_parameter_kind(const type_node* type)
{
    const struct_payload* s = type ? type->struct_data() : nullptr;
    return s && s->instantiation_state == parameter_state && s->name.empty();
}
