// Condition evaluation for the include directive scan: see scan_condition.h.
//
// A recursive-descent parser over a small lexer. Each precedence level
// gathers its operands in a loop and folds them from the right, so a long
// chain of operators costs no stack; only parentheses and macro texts
// recurse, and they are counted against nesting_limit. Every operand is
// evaluated (no short circuit), as a macro met on either side must be
// checked for recursion anyway.
#include "generator/scan_condition.h"

#include <string>
#include <vector>

#include "diag/report.h"
#include "prepro/name_table.h"
#include "prepro/preprocessor.h"
#include "support/text_utils.h"

namespace {

constexpr int nesting_limit = 256;

enum class token_kind { end, or_op, and_op, not_op, minus, ne, eq, ge, gt, le, lt, open, close, word };

struct token {
    token_kind kind = token_kind::end;
    std::string_view word;
    std::size_t length = 0;
};

bool is_word_char(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool is_skipped(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v' || c == '\\' || c == '#';
}

class condition_lexer {
public:
    explicit condition_lexer(std::string_view text) : text_(text) {}

    const token& peek()
    {
        if (!peeked_) {
            current_ = scan();
            peeked_ = true;
        }
        return current_;
    }

    void take()
    {
        pos_ += peek().length;
        peeked_ = false;
    }

private:
    token scan()
    {
        skip_ignored();
        if (pos_ >= text_.size())
            return {};
        char c = text_[pos_];
        char next = pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0';
        auto pair_or = [&](char second, token_kind pair, token_kind single) -> token {
            if (next == second)
                return {pair, {}, 2};
            if (single == token_kind::end)
                return {};
            return {single, {}, 1};
        };
        switch (c) {
        case '|': return pair_or('|', token_kind::or_op, token_kind::end);
        case '&': return pair_or('&', token_kind::and_op, token_kind::end);
        case '=': return pair_or('=', token_kind::eq, token_kind::end);
        case '!': return pair_or('=', token_kind::ne, token_kind::not_op);
        case '>': return pair_or('=', token_kind::ge, token_kind::gt);
        case '<': return pair_or('=', token_kind::le, token_kind::lt);
        case '-': return {token_kind::minus, {}, 1};
        case '(': return {token_kind::open, {}, 1};
        case ')': return {token_kind::close, {}, 1};
        default: break;
        }
        if (!is_word_char(c))
            return {};
        std::size_t end = pos_;
        while (end < text_.size() && is_word_char(text_[end]))
            ++end;
        return {token_kind::word, text_.substr(pos_, end - pos_), end - pos_};
    }

    void skip_ignored()
    {
        while (pos_ < text_.size()) {
            if (is_skipped(text_[pos_])) {
                ++pos_;
            } else if (text_.substr(pos_, 2) == "/*") {
                std::size_t close = text_.find("*/", pos_ + 2);
                pos_ = close == std::string_view::npos ? text_.size() : close + 2;
            } else {
                return;
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    bool peeked_ = false;
    token current_;
};

// A word that starts with a digit: 0x/0X hexadecimal, another leading 0
// octal (as every C compiler reads it), otherwise decimal.
std::int32_t number_value(std::string_view word)
{
    std::uint32_t base = 10;
    std::size_t i = 0;
    if (word[0] == '0') {
        bool hexadecimal = word.size() > 1 && (word[1] == 'x' || word[1] == 'X');
        base = hexadecimal ? 16 : 8;
        i = hexadecimal ? 2 : 1;
    }
    std::uint32_t value = 0;
    for (; i < word.size(); ++i) {
        int digit = digit_value(word[i]);
        if (digit >= static_cast<int>(base))
            break;
        value = value * base + static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
}

bool is_comparison(token_kind kind)
{
    return kind == token_kind::ne || kind == token_kind::eq || kind == token_kind::ge || kind == token_kind::gt ||
           kind == token_kind::le || kind == token_kind::lt;
}

std::int32_t compare(token_kind kind, std::int32_t a, std::int32_t b)
{
    switch (kind) {
    case token_kind::ne: return a != b;
    case token_kind::eq: return a == b;
    case token_kind::ge: return a >= b;
    case token_kind::gt: return a > b;
    case token_kind::le: return a <= b;
    default: return a < b;
    }
}

// The preprocessor's replacement text of a name, "" when it has none.
// __STDC__ is a special name there, with its value as its text.
std::string preprocessor_text(const name_table& names, std::string_view name)
{
    std::string text = cpp_macro_text(names, name);
    if (text.empty())
        if (const name_entry* entry = names.find(name); entry && entry->kind == name_stdc)
            text = std::to_string(entry->value);
    return text;
}

class condition_evaluator {
public:
    condition_evaluator(scan_macro_list& macros, const name_table& names) : macros_(macros), names_(names) {}

    std::int32_t evaluate(std::string_view text)
    {
        condition_lexer lexer(text);
        return or_level(lexer);
    }

private:
    std::int32_t or_level(condition_lexer& lexer)
    {
        std::int32_t value = and_level(lexer);
        while (lexer.peek().kind == token_kind::or_op) {
            lexer.take();
            std::int32_t right = and_level(lexer);
            value = value || right;
        }
        return value;
    }

    std::int32_t and_level(condition_lexer& lexer)
    {
        std::int32_t value = comparison_level(lexer);
        while (lexer.peek().kind == token_kind::and_op) {
            lexer.take();
            std::int32_t right = comparison_level(lexer);
            value = value && right;
        }
        return value;
    }

    std::int32_t comparison_level(condition_lexer& lexer)
    {
        std::vector<std::int32_t> values{unary(lexer)};
        std::vector<token_kind> operators;
        while (is_comparison(lexer.peek().kind)) {
            operators.push_back(lexer.peek().kind);
            lexer.take();
            values.push_back(unary(lexer));
        }
        std::int32_t value = values.back();
        for (std::size_t i = operators.size(); i-- > 0;)
            value = compare(operators[i], values[i], value);
        return value;
    }

    std::int32_t unary(condition_lexer& lexer)
    {
        std::vector<token_kind> prefixes;
        while (lexer.peek().kind == token_kind::not_op || lexer.peek().kind == token_kind::minus) {
            prefixes.push_back(lexer.peek().kind);
            lexer.take();
        }
        std::int32_t value = operand(lexer);
        for (std::size_t i = prefixes.size(); i-- > 0;)
            value = prefixes[i] == token_kind::not_op
                        ? !value
                        : static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(value));
        return value;
    }

    std::int32_t operand(condition_lexer& lexer)
    {
        token t = lexer.peek();
        if (t.kind == token_kind::open) {
            lexer.take();
            enter("(");
            std::int32_t value = or_level(lexer);
            if (lexer.peek().kind == token_kind::close)
                lexer.take();
            --depth_;
            return value;
        }
        if (t.kind != token_kind::word)
            return 0;
        lexer.take();
        if (t.word == "defined")
            return defined_operand(lexer);
        if (t.word[0] >= '0' && t.word[0] <= '9')
            return number_value(t.word);
        return name_value(t.word);
    }

    std::int32_t defined_operand(condition_lexer& lexer)
    {
        bool parenthesised = lexer.peek().kind == token_kind::open;
        if (parenthesised)
            lexer.take();
        std::string_view name;
        if (lexer.peek().kind == token_kind::word) {
            name = lexer.peek().word;
            lexer.take();
        }
        if (parenthesised && lexer.peek().kind == token_kind::close)
            lexer.take();
        return !name.empty() && scan_defined(name, macros_, names_);
    }

    std::int32_t name_value(std::string_view name)
    {
        int index = macros_.find(name);
        if (index < 0) {
            std::string text = preprocessor_text(names_, name);
            if (text.empty())
                return 0;
            index = macros_.add(name, text);
        }
        if (macros_[index].busy)
            report_fatal("NBRECURSI", name);
        enter(name);
        macros_[index].busy = true;
        std::string text = macros_[index].text; // the list may grow meanwhile
        std::int32_t value = evaluate(text);
        macros_[index].busy = false;
        --depth_;
        return value;
    }

    void enter(std::string_view what)
    {
        if (++depth_ > nesting_limit)
            report_fatal("NBRECURSI", what);
    }

    scan_macro_list& macros_;
    const name_table& names_;
    int depth_ = 0;
};

} // namespace

std::int32_t scan_condition(std::string_view text, scan_macro_list& macros, const name_table& names)
{
    return condition_evaluator(macros, names).evaluate(text);
}

bool scan_defined(std::string_view name, const scan_macro_list& macros, const name_table& names)
{
    if (macros.find(name) >= 0)
        return true;
    const name_entry* entry = names.find(name);
    return entry && entry->kind != name_defined;
}
