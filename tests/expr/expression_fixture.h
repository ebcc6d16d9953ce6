// Test helpers for the expression parser: reports recorded instead of
// printed, and a table holding a few declarations to type names against.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analyser/analyse_declarations.h"
#include "analyser/scope_table.h"
#include "expr/expression_image.h"
#include "expr/parse_expression.h"
#include "expr/pint_text.h"

struct expression_report {
    int kind;
    std::string code, argument;
};

inline std::vector<expression_report> recorded_reports;

inline void record_expression_report(int kind, const char* code, const report_argument& argument,
                                     std::string_view, int)
{
    recorded_reports.push_back({kind, code, argument.bytes()});
}

class expression_test : public ::testing::Test {
protected:
    analyser_session session;
    scope_table table;
    std::unique_ptr<expression_tree> tree;

    expression_test()
    {
        table.session = &session;
        table.store.report = record_expression_report;
        recorded_reports.clear();
    }

    std::vector<expression_report>& reports() { return recorded_reports; }

    void declare(std::string_view text)
    {
        analyse_declarations(text, table, "", "decl.c", 1, record_expression_report);
        reports().clear();
    }

    // Parses with the table, or without it (every name a plain identifier).
    expr_node* parse(std::string_view text, bool with_table = true)
    {
        tree = parse_expression(text, with_table ? &table : nullptr, "", "t.c", 7, record_expression_report);
        return tree ? tree->root : nullptr;
    }
    expr_node* parse_plain(std::string_view text) { return parse(text, false); }

    static std::string image(const expr_node* n)
    {
        std::string out;
        expression_image(n, out);
        return out;
    }

    static std::string decimal(const pint& v) { return pint_image_text(v, form_decimal, 0); }

    // The codes reported, in order.
    std::vector<std::string> codes() const
    {
        std::vector<std::string> out;
        for (const expression_report& r : recorded_reports)
            out.push_back(r.code);
        return out;
    }
};

using codes_list = std::vector<std::string>;
