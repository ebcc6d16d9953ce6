// The command analyser: working vector, option matching, value checks and
// the three queries (see command_analyser.h).
//
// Matching tries the name columns 0, 1, 2 in turn and, in each, every
// option in table order. An exact full name is taken at once; otherwise the
// longest abbreviation wins, and an equal count from a different option
// leaves no candidate (ambiguity). The same matcher serves keyword values,
// where the character after a full name is not checked. Every pass is linear
// in the text it reads, so huge option files and long command lines stay cheap.
#include "driver/command_analyser.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include <QCoreApplication>
#include <QRegularExpression>
#include <QString>

namespace {

char fold(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool is_name_char(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::string translated_bytes(const char* context, const std::string& text)
{
    return QCoreApplication::translate(context, text.c_str()).toLocal8Bit().toStdString();
}

// A command-line text passed through the translation function; an
// untranslated text keeps its bytes exactly, whatever their encoding.
std::string translated_argument(const std::string& text)
{
    if (text.find('\0') != std::string::npos)
        return text;
    QString translated = QCoreApplication::translate("Command-line", text.c_str());
    if (translated == QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())))
        return text;
    return translated.toLocal8Bit().toStdString();
}

void write_text(const command_table& table, const std::string& text)
{
    if (table.write_error) {
        table.write_error(text);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

std::string error_head()
{
    return translated_bytes("CAB", "Kelvane") + " " + translated_bytes("CAB", "Command analysis") + " : ";
}

void print_error(const command_table& table, const char* word, const std::optional<std::string>& argument,
                 bool with_usage = true)
{
    std::string line = error_head() + translated_bytes("CAB", word);
    if (argument) {
        line += ' ';
        line += translated_argument(*argument);
    }
    if (with_usage)
        line += usage_text(table);
    line += "\n";
    write_text(table, line);
}

void print_no_memory(const command_table& table)
{
    write_text(table, translated_bytes("CAB", "Kelvane") + " " +
                          translated_bytes("CAB", "Command analysis: No memory left"));
}

// Thrown inside the analysis once an error line has been printed.
struct analysis_failed {};

[[noreturn]] void fail(const command_table& table, const char* word, const std::optional<std::string>& argument)
{
    print_error(table, word, argument);
    throw analysis_failed{};
}

enum class match_outcome { none, found, ambiguous };

struct name_match {
    match_outcome outcome = match_outcome::none;
    std::size_t index = 0;
    int sign = 1;
    std::size_t length = 0;
};

// The matcher shared by options and keywords. check_next: a full name only
// counts when "=" or the end follows it (option names, not keyword values).
template <class Item, class Negatable>
name_match match_names(const std::vector<Item>& items, std::string_view text, bool check_next,
                       Negatable negatable)
{
    std::size_t best = 0;
    bool have_candidate = false;
    name_match candidate;
    for (int column = 0; column < 3; ++column) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            for (int sign : {1, -1}) {
                if (sign < 0 && !negatable(items[i]))
                    continue;
                const std::string& plain = items[i].names[column];
                const std::string name = sign > 0 ? plain : "NO" + plain;
                if (plain.empty())
                    continue;
                std::size_t count = prefix_match_length(text, name);
                if (count == 0)
                    continue;
                if (count == name.size()) {
                    if (!check_next || count == text.size() || text[count] == value_char)
                        return {match_outcome::found, i, sign, count};
                    continue;
                }
                if (count > best) {
                    best = count;
                    have_candidate = true;
                    candidate = {match_outcome::found, i, sign, count};
                } else if (count == best && (!have_candidate || candidate.index != i)) {
                    have_candidate = false;
                }
            }
        }
    }
    if (best == 0)
        return {};
    if (!have_candidate)
        return {match_outcome::ambiguous, 0, 1, best};
    return candidate;
}

std::string remove_escaped_commas(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\\' && i + 1 < text.size() && text[i + 1] == list_char))
            result += text[i];
    return result;
}

bool unescaped_comma_at(std::string_view text, std::size_t i)
{
    return text[i] == list_char && (i == 0 || text[i - 1] != '\\');
}

bool has_unescaped_comma(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i)
        if (unescaped_comma_at(text, i))
            return true;
    return false;
}

std::vector<std::string_view> split_values(std::string_view text)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (unescaped_comma_at(text, i)) {
            pieces.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

value_node convert_keyword(const command_table& table, std::vector<value_keyword>& keywords, std::string text)
{
    name_match m = match_names(keywords, text, false, [](const value_keyword&) { return false; });
    if (m.outcome == match_outcome::none)
        fail(table, "Unknown value of option,", text);
    if (m.outcome == match_outcome::ambiguous)
        fail(table, "Ambiguous value of option,", text);
    keywords[m.index].selected = 1;
    return {keywords[m.index].names[english_column], 0};
}

value_node convert_value(const command_table& table, const argument_type& type,
                         std::vector<value_keyword>* keywords, std::string_view piece)
{
    std::string text(piece);
    if (type.kind == 'C') {
        const long length = static_cast<long>(piece.size());
        if (length < type.min)
            fail(table, "Arg length too small,", text);
        if (length > type.max)
            fail(table, "Arg length too large,", text);
        text = remove_escaped_commas(piece);
        if (keywords != nullptr && !keywords->empty())
            return convert_keyword(table, *keywords, std::move(text));
        return {std::move(text), 0};
    }
    // strtol saturates on overflow, so huge numbers fall outside the bounds.
    long number = std::strtol(text.c_str(), nullptr, 10);
    if (number < type.min)
        fail(table, "Arg value too small,", text);
    if (number > type.max)
        fail(table, "Arg value too large,", text);
    return {std::move(text), number};
}

void store_values(const command_table& table, argument_type& type, std::vector<value_keyword>* keywords,
                  std::string_view value, const char* list_word, const std::string& error_text)
{
    if (type.list_allowed != 'Y' && has_unescaped_comma(value))
        fail(table, list_word, error_text);
    for (std::string_view piece : split_values(value))
        type.values.push_back(convert_value(table, type, keywords, piece));
}

std::string keyword_list(const option_record& option)
{
    std::string list;
    for (const value_keyword& keyword : option.keywords) {
        if (!list.empty())
            list += '|';
        list += keyword.names[english_column];
    }
    return list;
}

class command_analysis {
public:
    explicit command_analysis(command_table& table) : table_(table) {}

    void argument(const std::string& text)
    {
        if (!text.empty() && text[0] == option_char)
            option(text.substr(1));
        else
            positional(text);
    }

    void finish()
    {
        for (const argument_type& parameter : table_.positionals)
            if (parameter.mandatory && parameter.values.empty())
                fail(table_, "Argument missing,", parameter.names[english_column]);
        for (option_record& option : table_.options)
            apply_defaults(option);
    }

private:
    void positional(const std::string& text)
    {
        std::vector<argument_type>& parameters = table_.positionals;
        argument_type* place = nullptr;
        if (next_positional_ < parameters.size())
            place = &parameters[next_positional_++];
        else if (!parameters.empty() && parameters.back().list_allowed == 'Y')
            place = &parameters.back();
        else
            fail(table_, "Too many arguments invalid argument,", text);
        if (text.empty())
            return;
        store_values(table_, *place, nullptr, text, "List forbidden invalid argument,", text);
    }

    void option(const std::string& text)
    {
        name_match m = match_names(table_.options, text, true,
                                   [](const option_record& option) { return option.negatable != 0; });
        if (m.outcome == match_outcome::none)
            fail(table_, "Unknown option,", text);
        if (m.outcome == match_outcome::ambiguous)
            fail(table_, "Ambiguous option,", text);
        option_record& option = table_.options[m.index];
        const std::string_view rest = std::string_view(text).substr(m.length);
        if (!rest.empty() && rest[0] != value_char)
            fail(table_, "Invalid character following option,", text);
        const bool list = option.argument && option.argument->list_allowed == 'Y';
        if (option.state != 0 && !list)
            fail(table_, "An option can't be used twice,", text);
        option.state = m.sign;
        const bool has_value_char = !rest.empty();
        const std::string_view value = has_value_char ? rest.substr(1) : std::string_view();
        if (option.value_mandatory && value.empty())
            fail(table_, "Mandatory argument for this option,", mandatory_text(option, text));
        if (!option.argument) {
            if (has_value_char)
                fail(table_, "No argument for this option,", text);
            return;
        }
        if (has_value_char)
            store_values(table_, *option.argument, &option.keywords, value, "List forbidden invalid option,",
                         text);
    }

    static std::string mandatory_text(const option_record& option, const std::string& text)
    {
        if (option.keywords.empty())
            return text;
        std::string result = text;
        if (result.empty() || result.back() != value_char)
            result += value_char;
        return result + keyword_list(option);
    }

    static void apply_defaults(option_record& option)
    {
        if (option.default_on && option.state == 0)
            option.state = 1;
        else if (option.negatable && option.state == 0)
            option.state = -1;
        if (option.keywords.empty() || option.default_keyword <= 0 || !option.argument ||
            option.default_keyword > static_cast<int>(option.keywords.size()))
            return;
        for (const value_keyword& keyword : option.keywords)
            if (keyword.selected)
                return;
        value_keyword& chosen = option.keywords[static_cast<std::size_t>(option.default_keyword - 1)];
        chosen.selected = 1;
        option.argument->values.assign(1, value_node{chosen.names[english_column], 0});
    }

    command_table& table_;
    std::size_t next_positional_ = 0;
};

std::optional<std::string_view> option_file_name(std::string_view argument)
{
    if (!argument.empty() && argument[0] == '@')
        return argument.substr(1);
    static const std::string_view keyword = "OPTION";
    if (argument.size() < keyword.size() + 2 || argument[0] != option_char)
        return std::nullopt;
    for (std::size_t i = 0; i < keyword.size(); ++i)
        if (fold(argument[i + 1]) != keyword[i])
            return std::nullopt;
    if (argument[keyword.size() + 1] != value_char)
        return std::nullopt;
    return argument.substr(keyword.size() + 2);
}

bool read_whole_file(const std::string& file_name, std::string& bytes)
{
    std::FILE* stream = std::fopen(file_name.c_str(), "rb");
    if (stream == nullptr)
        return false;
    char block[65536];
    std::size_t got;
    while ((got = std::fread(block, 1, sizeof block, stream)) > 0)
        bytes.append(block, got);
    const bool failed = std::ferror(stream) != 0;
    std::fclose(stream);
    return !failed;
}

// Splits the bytes of an option file into words (see read_option_file).
class option_file_words {
public:
    explicit option_file_words(std::vector<std::string>& words) : words_(words) {}

    void split(std::string_view bytes)
    {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const char c = bytes[i];
            if (c == '#' && line_start_ && !quoted_)
                i = end_of_line(bytes, i) - 1;
            else if (c == '\\')
                i = backslash(bytes, i);
            else if (c == '"')
                quoted_ = !quoted_, in_word_ = true, line_start_ = false;
            else if (!quoted_ && (c == ' ' || c == '\t' || c == '\n' || c == '\r'))
                separator(c);
            else
                word_ += c, in_word_ = true, line_start_ = false;
        }
        end_word();
    }

private:
    static std::size_t end_of_line(std::string_view bytes, std::size_t i)
    {
        while (i < bytes.size() && bytes[i] != '\n' && bytes[i] != '\r')
            ++i;
        return i;
    }

    // A backslash before a line end continues the line (CR LF counts as one
    // line end); before anything else both characters stay for value splitting.
    std::size_t backslash(std::string_view bytes, std::size_t i)
    {
        if (i + 1 >= bytes.size()) {
            word_ += '\\', in_word_ = true, line_start_ = false;
            return i;
        }
        const char next = bytes[i + 1];
        if (next == '\n')
            return i + 1;
        if (next == '\r')
            return (i + 2 < bytes.size() && bytes[i + 2] == '\n') ? i + 2 : i + 1;
        word_ += '\\';
        word_ += next;
        in_word_ = true, line_start_ = false;
        return i + 1;
    }

    void separator(char c)
    {
        end_word();
        if (c == '\n' || c == '\r')
            line_start_ = true;
    }

    void end_word()
    {
        if (in_word_)
            words_.push_back(std::move(word_));
        word_.clear();
        in_word_ = false;
    }

    std::vector<std::string>& words_;
    std::string word_;
    bool in_word_ = false;
    bool quoted_ = false;
    bool line_start_ = true;
};

} // namespace

std::size_t prefix_match_length(std::string_view argument, std::string_view name)
{
    std::size_t count = 0;
    while (count < name.size() && count < argument.size()) {
        if (fold(argument[count]) != fold(name[count]))
            return argument[count] == value_char ? count : 0;
        ++count;
    }
    return count;
}

std::string expand_environment(std::string_view word)
{
    std::string result;
    result.reserve(word.size());
    std::size_t i = 0;
    while (i < word.size()) {
        if (word[i] != '$') {
            result += word[i++];
            continue;
        }
        std::size_t end = i + 1;
        while (end < word.size() && is_name_char(word[end]))
            ++end;
        const std::string name(word.substr(i + 1, end - i - 1));
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value != nullptr)
            result += value;
        else
            result.append(word.substr(i, end - i));
        i = end;
    }
    return result;
}

bool read_option_file(const std::string& file_name, std::vector<std::string>& words)
{
    std::string bytes;
    if (!read_whole_file(file_name, bytes))
        return false;
    option_file_words(words).split(bytes);
    return true;
}

int expand_arguments(const command_table& table, int argc, const char* const* argv,
                     std::vector<std::string>& working)
{
    try {
        working.clear();
        for (int i = 0; i < argc; ++i) {
            std::string_view argument = argv[i] ? argv[i] : "";
            std::optional<std::string_view> file = i > 0 ? option_file_name(argument) : std::nullopt;
            if (!file) {
                working.push_back(expand_environment(argument));
                continue;
            }
            std::vector<std::string> words;
            if (!read_option_file(std::string(*file), words)) {
                print_error(table, "File not found", std::string(*file));
                return -1;
            }
            for (const std::string& word : words)
                working.push_back(expand_environment(word));
        }
        return 0;
    } catch (const std::bad_alloc&) {
        print_no_memory(table);
        return -1;
    }
}

int analyse_command(command_table& table, const std::vector<std::string>& working)
{
    try {
        command_analysis analysis(table);
        for (std::size_t i = 1; i < working.size(); ++i)
            analysis.argument(working[i]);
        analysis.finish();
        return 0;
    } catch (const analysis_failed&) {
        return -1;
    } catch (const std::bad_alloc&) {
        print_no_memory(table);
        return -1;
    }
}

int option_index(const command_table& table, std::string_view english_name)
{
    for (std::size_t i = 0; i < table.options.size(); ++i)
        if (table.options[i].names[english_column] == english_name)
            return table.options[i].state * static_cast<int>(i + 1);
    print_error(table, "Internal error, bad option name", std::string(english_name), false);
    return 0;
}

const value_node* option_value(const command_table& table, int index, int n)
{
    const std::size_t position = static_cast<std::size_t>(index < 0 ? -static_cast<long>(index) : index);
    if (position == 0 || position > table.options.size() || n < 1)
        return nullptr;
    const std::optional<argument_type>& type = table.options[position - 1].argument;
    if (!type || static_cast<std::size_t>(n) > type->values.size())
        return nullptr;
    return &type->values[static_cast<std::size_t>(n - 1)];
}

const value_node* positional_value(const command_table& table, int position, int n)
{
    if (position < 1 || static_cast<std::size_t>(position) > table.positionals.size() || n < 1)
        return nullptr;
    const argument_type& type = table.positionals[static_cast<std::size_t>(position - 1)];
    if (static_cast<std::size_t>(n) > type.values.size())
        return nullptr;
    return &type.values[static_cast<std::size_t>(n - 1)];
}

std::string usage_text(const command_table& table)
{
    static const QRegularExpression xt_line("\t\\[-XT.*\n");
    QString usage = QCoreApplication::translate("Command-line", table.usage[english_column].c_str());
    usage.remove(xt_line);
    return usage.toLocal8Bit().toStdString();
}
