// The analysis lexer: turns one preprocessed text into the tokens of the
// declaration grammar.
//
// A reentrant flex automaton (analysis_lexer.l) whose whole state lives in
// this object, so a nested analysis simply makes another one. The automaton
// takes the longest match, keywords before identifiers; four start
// conditions follow template brackets: S0 normal, S1 after "template" or a
// template name, S2 inside template arguments, S3 after the ">" of a
// template header, where the body is captured as one text token.
//
// Names are classified through a name_lookup given by the analyser (the
// symbol table knows which names are types, classes and templates); without
// one every name is a plain identifier or a declared type modifier.
//
// The object tracks the byte offset it has read and the start of the current
// line, which the parser's syntax-error report quotes, and the file and line
// that "#line" markers set.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analyser/semantic_value.h"

// What the symbol table says a name is: a token number (336 plain, 343 type,
// 384 class, 390/391 template, 383 user modifier) and the entity found.
struct name_class {
    int token = 336;
    type_node* type = nullptr;
    void* entity = nullptr;
    const std::string* text = nullptr; // replaces the name (a bound template value)
};

class name_lookup {
public:
    virtual ~name_lookup() = default;
    // qualifier: the value of the name written before the last "::", or null
    // when the name is not qualified (or qualified by a bare leading "::").
    virtual name_class classify(std::string_view name, bool after_scope, const semantic_value* qualifier) = 0;
    // A "#pragma morva sizeof" or "signof" line has just been executed.
    virtual void target_pragma() {}
};

class analysis_lexer {
public:
    // The text ends at its first NUL byte.
    analysis_lexer(std::string_view text, std::string_view file_name, int first_line, text_arena& arena,
                   name_lookup* lookup = nullptr);
    ~analysis_lexer();
    analysis_lexer(const analysis_lexer&) = delete;
    analysis_lexer& operator=(const analysis_lexer&) = delete;

    // The next token number, 0 at the end of the text; fills value.
    int next_token(semantic_value& value);

    // Reads balanced text after an opening character the parser has just
    // received, up to and including closing ("}" or ")"), skipping string and
    // character literals and nested brackets, counting lines. Returns prefix
    // followed by the text read, or null at the end of the text (and then
    // hit_end() is true).
    std::string* capture_text(char closing, std::string_view prefix, bool normalise);

    // Reads tokens up to ";" and joins their texts with single blanks (the
    // body of a "using"); null when the text ends first.
    std::string* text_to_semicolon();

    // Position, for messages.
    const std::string& file_name() const { return file_name_; }
    int line() const { return line_; }
    std::size_t offset() const { return offset_; }
    std::size_t line_start() const { return line_start_; }
    bool hit_end() const { return hit_end_; }
    std::string_view text() const { return text_; }
    int last_token() const { return last_token_; }
    std::string_view token_text() const; // the source text of the last token
    int start_condition() const;

    // Called by the automaton's actions.
    void consumed(std::size_t length)
    {
        offset_ += length;
        last_length_ = length;
    }
    void given_back(std::size_t length) // a rule kept only the start of its match
    {
        offset_ -= length;
        last_length_ -= length;
    }
    void new_line()
    {
        ++line_;
        line_start_ = offset_;
    }
    void pound_line(std::string_view line);
    int classify(std::string_view name, semantic_value& value);
    bool scope_follows() const; // "::" is the next thing in the text
    bool angle_follows() const; // "<" is the next thing in the text
    bool alias_follows() const; // "name =" is next: "using" opens an alias declaration
    // "override", "final" and "noexcept" after a parameter list or its
    // trailing qualifier, and "final" after the name of a class head: words
    // that change nothing the model records, skipped.
    bool ignorable_word(std::string_view word) const;
    // "::" then the same name and "(", or "::~": a constructor or
    // destructor of class name defined outside its class.
    bool member_of_own_class_follows(std::string_view name) const;
    bool qualifies_last_token() const; // a "::" here follows a name it qualifies
    int finish(int token, semantic_value& value); // common bookkeeping of every token
    void body_captured(); // a capture read the "}" of a "{" that was a token
    // "class" or "typename" here opens a type parameter of a template header:
    // first in a parameter of the header's own list, and not the start of a
    // qualified name ("typename T::type N" is a value parameter).
    bool opens_type_parameter() const;
    void mark_end() { hit_end_ = true; }
    text_arena& arena() { return arena_; }

    // Template bracket state.
    int angle_depth = 0;
    bool template_header = false;
    bool after_scope = false;
    bool pending_semicolon = false; // a capture up to ";" read it already
    // The last token, "class" or "typename", opens a type parameter.
    bool type_parameter_key = false;

private:
    std::string text_;
    std::string file_name_;
    int line_;
    std::size_t offset_ = 0;
    std::size_t line_start_ = 0;
    bool hit_end_ = false;
    int last_token_ = 0;
    std::size_t last_length_ = 0;
    std::size_t token_length_ = 0;
    semantic_value last_name_{};   // the value of the last name token, for "::"
    semantic_value qualifier_{};
    bool has_qualifier_ = false;
    text_arena& arena_;
    name_lookup* lookup_;
    void* scanner_ = nullptr;

    // Whether each open "{" opened the body of a struct, union, class or
    // enum: a name right after the "}" of such a body is being declared
    // ("struct s {...} s;"), though it also names the record.
    std::vector<bool> record_braces_;
    bool record_head_ = false;   // a record keyword was read, its body may follow
    bool record_closed_ = false; // the last token closed a record body
    void track_record_braces(int token);
};

// True for a word declared by "#pragma morva type_modifier".
bool is_user_type_modifier(std::string_view name);

// Normalises blanks as the captured initialiser and body texts keep them:
// none at the start, after a blank or after one of & ( ) * , [ ], nor just
// before one of those; other runs become one blank; none at the end.
std::string normalise_blanks(std::string_view text);
