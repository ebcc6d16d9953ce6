// The operand of #if and #elif: the two legacy assertion forms are rewritten
// in place, `defined' is entered as a special name for the time of the
// expansion, and the expanded text goes to the expression evaluator.
#include "prepro/preprocessor_state.h"

namespace {

bool is_defined_hook(void* context, std::string_view name)
{
    return static_cast<name_table*>(context)->find(name) != nullptr;
}

} // namespace

int preprocessor::eval_if(std::string_view operand)
{
    std::string text(operand);
    for (std::size_t i = 0; i + 9 <= text.size(); ++i) {
        if (text.compare(i, 9, "#machine(") == 0)
            text.replace(i, 9, " defined(");
        else if (text.compare(i, 9, "#lint(on)") == 0)
            text.replace(i, 9, "  (0)    ");
    }
    name_entry* defined = table_->add("defined", name_defined);
    std::string expanded = expand_text(*table_, text, expand_if);
    table_->remove(defined);
    if (stopped_)
        return 0;
    std::string file = current_file();
    if_expression_env env;
    env.is_defined = is_defined_hook;
    env.context = table_;
    env.sizes = &sizes;
    const target_bits& b = bits();
    env.char_bits = b.char_bits;
    env.short_bits = b.short_bits;
    env.int_bits = b.int_bits;
    env.long_bits = b.long_bits;
    env.report = report_;
    env.file_name = file;
    env.line = current_line();
    return cpp_parse_expression(expanded, env);
}
