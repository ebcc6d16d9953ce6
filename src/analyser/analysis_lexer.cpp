// The parts of the analysis lexer that are not automaton rules: the "#"
// lines (line markers and the target-description pragmas), the bookkeeping
// every token goes through ("::" qualification, the last token), name
// classification and the token joining of "using". See analysis_lexer.h.
#include "analyser/analysis_lexer.h"

#include <cctype>

#include "declaration_grammar.hpp"
#include "prepro/preprocessor.h"

namespace {

bool is_blank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view skip_blanks(std::string_view s)
{
    while (!s.empty() && is_blank(s.front()))
        s.remove_prefix(1);
    return s;
}

// The leading word of s (identifier characters), removed from s.
std::string_view take_word(std::string_view& s)
{
    std::size_t n = 0;
    while (n < s.size() && (std::isalnum(static_cast<unsigned char>(s[n])) || s[n] == '_'))
        ++n;
    const std::string_view word = s.substr(0, n);
    s.remove_prefix(n);
    return word;
}

bool is_name_token(int token)
{
    return token == IDENTIFIER || token == TYPE_NAME || token == CLASS_NAME || token == TEMPLATE_NAME ||
           token == TEMPLATE_NAME_INST || token == USER_MODIFIER || token == DECL_QUALIFIER;
}

// "#line N" followed by a blank sets the line; a quoted name after it the file.
void line_marker(std::string_view rest, int& line, std::string& file_name)
{
    std::size_t n = 0;
    long long number = 0;
    while (n < rest.size() && std::isdigit(static_cast<unsigned char>(rest[n]))) {
        if (number < 1000000000)
            number = number * 10 + (rest[n] - '0');
        ++n;
    }
    if (n == 0 || n >= rest.size() || !is_blank(rest[n]))
        return;
    line = static_cast<int>(number);
    rest = skip_blanks(rest.substr(n));
    if (rest.empty() || rest.front() != '"')
        return;
    std::string name;
    for (std::size_t i = 1; i < rest.size(); ++i) {
        if (rest[i] == '"') {
            file_name = name;
            return;
        }
        if (rest[i] == '\\' && i + 1 < rest.size() && (rest[i + 1] == '"' || rest[i + 1] == '\\'))
            ++i;
        name.push_back(rest[i]);
    }
}

} // namespace

bool is_user_type_modifier(std::string_view name)
{
    for (const std::string& modifier : cpp_type_modifiers())
        if (modifier == name)
            return true;
    return false;
}

void analysis_lexer::pound_line(std::string_view line)
{
    // The line feed that ends a "#" line is not counted: the marker gives the
    // number of the line after it.
    if (!line.empty() && line.back() == '\n') {
        line.remove_suffix(1);
        line_start_ = offset_;
    }
    std::string_view rest = skip_blanks(line.substr(1));
    const std::string_view directive = take_word(rest);
    rest = skip_blanks(rest);
    if (directive == "line") {
        line_marker(rest, line_, file_name_);
        return;
    }
    if (directive != "pragma" || take_word(rest) != "morva")
        return;
    rest = skip_blanks(rest);
    const std::string_view keyword = take_word(rest);
    // Abbreviations as the preprocessor reads them: "s" is stop_analyse.
    if (keyword.size() >= 2 && std::string_view("sizeof").starts_with(keyword))
        cpp_sizeof_pragma(rest);
    else if (keyword.size() >= 3 && std::string_view("signof").starts_with(keyword))
        cpp_signof_pragma(rest);
    else
        return;
    if (lookup_)
        lookup_->target_pragma();
}

namespace {

// Tokens that complete a type: a name after one of them is being declared.
bool ends_type(int token)
{
    switch (token) {
    case INT: case CHAR: case SHORT: case LONG: case SIGNED: case UNSIGNED: case FLOAT: case DOUBLE:
    case VOID: case BOOL: case WCHAR_T: case TYPE_NAME: case CLASS_NAME:
        return true;
    default:
        return false;
    }
}

bool is_type_token(int token)
{
    return token == TYPE_NAME || token == CLASS_NAME || token == TEMPLATE_NAME || token == TEMPLATE_NAME_INST;
}

} // namespace

bool analysis_lexer::scope_follows() const
{
    std::size_t i = offset_;
    while (i < text_.size() && (is_blank(text_[i]) || text_[i] == '\n' || text_[i] == '\r'))
        ++i;
    return text_.compare(i, 2, "::") == 0;
}

bool analysis_lexer::opens_type_parameter() const
{
    if (!template_header || angle_depth != 0 || (last_token_ != TPL_OPEN && last_token_ != ','))
        return false;
    std::size_t i = offset_;
    auto blanks = [&] {
        while (i < text_.size() && (is_blank(text_[i]) || text_[i] == '\n' || text_[i] == '\r'))
            ++i;
    };
    blanks();
    while (i < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[i])) || text_[i] == '_' || text_[i] == '$'))
        ++i;
    blanks();
    return text_.compare(i, 2, "::") != 0;
}

bool analysis_lexer::angle_follows() const
{
    std::size_t i = offset_;
    while (i < text_.size() && (is_blank(text_[i]) || text_[i] == '\n' || text_[i] == '\r'))
        ++i;
    return i < text_.size() && text_[i] == '<';
}

bool analysis_lexer::alias_follows() const
{
    std::size_t i = offset_;
    auto blanks = [&] {
        while (i < text_.size() && (is_blank(text_[i]) || text_[i] == '\n' || text_[i] == '\r'))
            ++i;
    };
    blanks();
    const std::size_t start = i;
    while (i < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[i])) || text_[i] == '_' || text_[i] == '$'))
        ++i;
    if (i == start || std::isdigit(static_cast<unsigned char>(text_[start])))
        return false;
    blanks();
    return i < text_.size() && text_[i] == '=' && (i + 1 >= text_.size() || text_[i + 1] != '=');
}

bool analysis_lexer::ignorable_word(std::string_view word) const
{
    if (word != "override" && word != "final" && word != "noexcept")
        return false;
    if (last_token_ == ')' || last_token_ == CONST || last_token_ == VOLATILE)
        return true;
    if (word != "final" || !is_name_token(last_token_))
        return false;
    std::size_t i = offset_;
    while (i < text_.size() && (is_blank(text_[i]) || text_[i] == '\n' || text_[i] == '\r'))
        ++i;
    return i < text_.size() && (text_[i] == '{' || (text_[i] == ':' && text_.compare(i, 2, "::") != 0));
}

bool analysis_lexer::member_of_own_class_follows(std::string_view name) const
{
    auto skip = [&](std::size_t i) {
        while (i < text_.size() && (is_blank(text_[i]) || text_[i] == '\n' || text_[i] == '\r'))
            ++i;
        return i;
    };
    std::size_t i = skip(offset_);
    if (text_.compare(i, 2, "::") != 0)
        return false;
    i = skip(i + 2);
    if (i < text_.size() && text_[i] == '~')
        return true;
    if (text_.compare(i, name.size(), name) != 0)
        return false;
    i += name.size();
    if (i < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[i])) || text_[i] == '_'))
        return false;
    i = skip(i);
    return i < text_.size() && text_[i] == '(';
}

int analysis_lexer::classify(std::string_view name, semantic_value& value)
{
    value.text = arena_.make(name);
    int token = IDENTIFIER;
    // The name of a type parameter is declared here, whatever it names outside.
    if (type_parameter_key)
        return token;
    if (lookup_) {
        const semantic_value* qualifier = after_scope && has_qualifier_ ? &qualifier_ : nullptr;
        const name_class found = lookup_->classify(name, after_scope, qualifier);
        value.type = found.type;
        value.entity = found.entity;
        token = found.token;
        if (found.text)
            value.text = arena_.make(*found.text);
    } else if (is_user_type_modifier(name)) {
        token = USER_MODIFIER;
    }
    // "struct stat stat", "int size_t", "struct s {...} s": a known type
    // name right after a complete type is the name being declared, or
    // ("int A::x") the class that qualifies it.
    // A template name with its arguments stays one: "T Box<T>::get()".
    const bool with_arguments = (token == TEMPLATE_NAME || token == TEMPLATE_NAME_INST) && angle_follows();
    if (is_type_token(token) && !after_scope && (ends_type(last_token_) || record_closed_) && !with_arguments) {
        if (scope_follows())
            return DECL_QUALIFIER;
        value.type = nullptr;
        value.entity = nullptr;
        token = IDENTIFIER;
    }
    // "inline A::A()": after specifiers that are no type, the class of a
    // constructor or destructor still qualifies the declared name.
    if (token == CLASS_NAME && !after_scope && member_of_own_class_follows(name))
        return DECL_QUALIFIER;
    return token;
}

bool analysis_lexer::qualifies_last_token() const
{
    return is_name_token(last_token_) || last_token_ == TPL_CLOSE;
}

int analysis_lexer::finish(int token, semantic_value& value)
{
    type_parameter_key = false;
    if (token == SCOPE) {
        has_qualifier_ = is_name_token(last_token_) && last_token_ != IDENTIFIER;
        if (has_qualifier_)
            qualifier_ = last_name_;
        after_scope = true;
    } else if (token != '~' && token != OPERATOR) {
        after_scope = false;
    }
    if (is_name_token(token))
        last_name_ = value;
    track_record_braces(token);
    last_token_ = token;
    token_length_ = last_length_;
    return token;
}

// A record keyword opens a head that its "{" may end; any token that
// cannot stand between the two (a declarator's or a parameter list's)
// closes the head first.
void analysis_lexer::track_record_braces(int token)
{
    record_closed_ = false;
    switch (token) {
    case STRUCT: case UNION: case CLASS: case ENUM:
        record_head_ = true;
        break;
    case '{':
        record_braces_.push_back(record_head_);
        record_head_ = false;
        break;
    case '}':
        if (!record_braces_.empty()) {
            record_closed_ = record_braces_.back();
            record_braces_.pop_back();
        }
        break;
    case ';': case '(': case ')': case '=': case '*': case '&': case '[':
        record_head_ = false;
        break;
    default:
        break;
    }
}

void analysis_lexer::body_captured()
{
    if (!record_braces_.empty())
        record_braces_.pop_back();
}

std::string_view analysis_lexer::token_text() const
{
    if (token_length_ > offset_ || offset_ > text_.size())
        return {};
    return std::string_view(text_).substr(offset_ - token_length_, token_length_);
}

std::string* analysis_lexer::text_to_semicolon()
{
    std::string joined;
    semantic_value value;
    for (;;) {
        const int token = next_token(value);
        if (token == 0)
            return nullptr;
        if (token == ';')
            return arena_.make(joined);
        if (!joined.empty())
            joined.push_back(' ');
        if (value.text)
            joined += *value.text;
        else
            joined += token_text();
    }
}

std::string normalise_blanks(std::string_view text)
{
    auto tight = [](char c) {
        return c == '&' || c == '(' || c == ')' || c == '*' || c == ',' || c == '[' || c == ']';
    };
    std::string out;
    out.reserve(text.size());
    bool pending_blank = false;
    for (char c : text) {
        if (is_blank(c)) {
            if (!out.empty() && !tight(out.back()) && out.back() != ' ')
                pending_blank = true;
            continue;
        }
        if (pending_blank && !tight(c))
            out.push_back(' ');
        pending_blank = false;
        out.push_back(c);
    }
    return out;
}
