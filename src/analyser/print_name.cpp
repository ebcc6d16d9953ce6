// Qualified names and their identifier form. The owners are collected by
// walking scope_owner outwards, then written outermost first. Operator
// words are matched longest first, which the table order guarantees (every
// operator precedes its own prefixes).
#include "analyser/print_name.h"

#include <cctype>
#include <vector>

#include "analyser/type_model.h"

namespace {

struct operator_word {
    std::string_view op;
    std::string_view word;
};

constexpr operator_word operator_words[] = {
    {"->*", "arrow_star"}, {"<<=", "left_shift_assign"}, {">>=", "right_shift_assign"},
    {"!=", "not_equal"},   {"%=", "mod_assign"},         {"&&", "and"},
    {"&=", "and_assign"},  {"()", "function_call"},      {"*=", "mul_assign"},
    {"++", "increment"},   {"+=", "add_assign"},         {"--", "decrement"},
    {"-=", "sub_assign"},  {"->", "ptr"},                {".*", "dot_star"},
    {"/=", "div_assign"},  {"<<", "left_shift"},         {"<=", "less_equal"},
    {"==", "equal"},       {">>", "right_shift"},        {">=", "greater_equal"},
    {"[]", "subscript"},   {"^=", "xor_assign"},         {"|=", "or_assign"},
    {"||", "or"},          {"!", "not"},                 {"%", "mod"},
    {"&", "andbit"},       {"*", "mul"},                 {"+", "plus"},
    {"-", "minus"},        {".", "dot"},                 {"/", "div"},
    {"<", "less"},         {"=", "assign"},              {">", "greater"},
    {"^", "xorbit"},       {"|", "orbit"},               {"~", "invbit"},
};

bool is_letter_or_digit(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// The operator part after "operator": words for the operators, "_" for
// blanks and ':', lone "(" and "[" dropped, anything else copied.
void append_operator_part(std::string& out, std::string_view rest)
{
    std::size_t i = 0;
    while (i < rest.size()) {
        bool matched = false;
        for (const operator_word& entry : operator_words) {
            if (rest.substr(i).starts_with(entry.op)) {
                out += entry.word;
                i += entry.op.size();
                matched = true;
                break;
            }
        }
        if (matched)
            continue;
        const char c = rest[i++];
        if (c == ' ' || c == ':')
            out.push_back('_');
        else if (c != '(' && c != '[')
            out.push_back(c);
    }
}

void append_identifier(std::string& out, std::string_view name)
{
    if (name.starts_with("operator")) {
        out += "operator_";
        std::string_view rest = name.substr(8);
        while (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
        append_operator_part(out, rest);
        return;
    }
    if (name.starts_with('~')) {
        out += "destructor_";
        name.remove_prefix(1);
    }
    for (char c : name) {
        if (is_letter_or_digit(c))
            out.push_back(c);
        else if (c != ' ' && c != '\t')
            out.push_back('_');
    }
}

// The name an owner contributes (a class, union, namespace or template).
std::string_view owner_name(const type_node* owner)
{
    return owner->tag_name();
}

} // namespace

std::string operator_identifier(std::string_view name)
{
    std::string out;
    append_identifier(out, name);
    return out;
}

void print_qualified_name(std::string& out, std::string_view name, const type_node* scope,
                          std::string_view separator, bool plain)
{
    std::vector<const type_node*> owners;
    for (const type_node* owner = scope; owner; owner = owner->scope_kind == owner_scope ? owner->scope_owner : nullptr)
        if (owners.size() < 256)
            owners.push_back(owner);
    std::string text;
    for (auto it = owners.rbegin(); it != owners.rend(); ++it) {
        const std::string_view owner = owner_name(*it);
        if (owner.empty())
            continue;
        text += owner;
        text += separator;
    }
    if (plain) {
        out += text;
        out += name;
        return;
    }
    // The owners' names go through the identifier form too.
    std::string identifier;
    append_identifier(identifier, text);
    out += identifier;
    append_identifier(out, name);
}
