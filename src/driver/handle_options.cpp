// The option handling of morvastart. The analysis results become the option
// values; the INCL directories are checked, the STD_DEFINE default comes
// from ZRLTGT, and SERVICE and RESTRICTION=KR are only warned about (the
// tool always works in ANSI mode).
//
// The command image is built piece by piece: every list-option part
// and every other piece is bounded by xstrcpy/xstrcat (61,440 characters),
// the list parts are appended whole and the other pieces only while the
// image is below that bound. Whole parts could together exceed the 204,800-
// byte image buffer, so the image is cut at command_image_limit - 1.
#include "driver/handle_options.h"

#include <cstdlib>

#include <QCoreApplication>

#include "diag/report.h"
#include "driver/option_table.h"
#include "support/file_names.h"
#include "support/text_utils.h"
#include "support/unique_strings.h"

namespace {

const char* const cmd_comment = "First parameter (%1) for CMDERREUR error";

// Text fields of the option values hold at most this many characters.
constexpr std::size_t field_limit = 1023;

std::string first_value(const command_table& table, std::string_view english_name)
{
    const value_node* value = option_value(table, option_index(table, english_name), 1);
    return value ? value->text : std::string();
}

std::string first_positional(const command_table& table, int position)
{
    const value_node* value = positional_value(table, position, 1);
    return value ? value->text : std::string();
}

void append_whole(std::string& image, const std::string& part)
{
    const std::size_t room = image.size() < command_image_limit - 1 ? command_image_limit - 1 - image.size() : 0;
    image.append(part, 0, room);
}

void cmd_warning(const char* text)
{
    report_warning("CMDERREUR", QCoreApplication::translate("CmdLine", text, cmd_comment));
}

std::string default_std_define()
{
    const char* root = std::getenv("ZRLTGT");
    if (root == nullptr)
        return {};
    std::string file = std::string(root) + "/ana/knus_c.def";
    if (file.size() <= field_limit)
        return file;
    cmd_warning("ZRLTGT value too long for the default -STD_DEFINE file");
    return {};
}

void handle_restrictions(const command_table& table, option_values& values, list_images& parts)
{
    file_list restrictions;
    add_list_option(table, "RESTRICTION", restrictions, parts.restriction, true, true);
    for (const file_entry& entry : restrictions) {
        const std::string_view keyword = entry.text;
        if (keyword == "KR")
            values.restriction_kr = 1;
        else if (keyword == "ANSI")
            values.restriction_ansi = 1;
    }
    if (values.restriction_kr) {
        cmd_warning("improper RESTR=KR option");
        values.restriction_kr = 0;
    }
    values.restriction_ansi = 1;
}

void fill_values(const command_table& table, option_values& values, list_images& parts)
{
    values.tested_file = first_positional(table, 1);
    values.generated_file = first_positional(table, 2);
    add_list_option(table, "INTEGRATE", values.integrated_files, parts.integrate, true, false);
    add_list_option(table, "SIMULATE", values.simulated_files, parts.simulate, true, false);
    add_list_option(table, "USE", values.used_files, parts.use, true, false);
    add_list_option(table, "INCL", values.include_dirs, parts.incl, false, false);
    add_list_option(table, "DEFINE", values.defined_macros, parts.define, true, false);
    values.insert_flag = option_index(table, "INSERT") != 0;
    // The preprocessor escapes file names in its line markers when this is set.
    values.prepro_only_flag = option_index(table, "PREPRO_ONLY") != 0;
    values.std_define_file =
        option_index(table, "STD_DEFINE") != 0 ? first_value(table, "STD_DEFINE") : default_std_define();
    values.symbtab_file = first_value(table, "SYMBTAB");
    values.adalink_file = first_value(table, "ADALINK");
    values.ada_standard_file = first_value(table, "STANDARD");
    values.class_given = option_index(table, "CLASS") != 0;
    values.class_name = values.class_given ? first_value(table, "CLASS") : std::string("MORVA");
    if (option_index(table, "VESTRA_LOG") != 0)
        values.vestra_log_name = first_value(table, "VESTRA_LOG");
    if (option_index(table, "SERVICE") != 0)
        cmd_warning("improper -SERVICE option");
    handle_restrictions(table, values, parts);
}

} // namespace

void add_list_option(const command_table& table, std::string_view english_name, file_list& list,
                     std::string& image, bool keep_all, bool upper)
{
    image.clear();
    const int index = option_index(table, english_name);
    if (index == 0)
        return;
    xstrcpy(&image, " ", std::string_view(&option_char, 1), english_name, "=\"");
    for (int n = 1;; ++n) {
        const value_node* node = option_value(table, index, n);
        if (node == nullptr)
            break;
        std::string value = node->text;
        if (n == 1 && !value.empty() && value.front() == '(')
            value.erase(0, 1);
        if (!value.empty() && value.back() == ')')
            value.pop_back();
        if (upper)
            upper_case(value);
        // An empty value names nothing: it shows in the image only.
        if (!value.empty() && (keep_all || check_directory(value) == 0))
            list.push_back({unique_string(value), 0});
        xstrcat(&image, n > 1 ? "," : "", value);
    }
    xstrcat(&image, "\"");
}

std::string build_command_image(const option_values& values, const list_images& parts)
{
    std::string image;
    xstrcpy(&image, "morvastart \"", values.tested_file, "\" \"", values.generated_file, "\"");
    append_whole(image, parts.integrate);
    append_whole(image, parts.simulate);
    append_whole(image, parts.use);
    if (values.insert_flag)
        xstrcat(&image, " -INSERT");
    append_whole(image, parts.incl);
    append_whole(image, parts.define);
    if (!values.std_define_file.empty())
        xstrcat(&image, " -STD_DEFINE=\"", values.std_define_file, "\"");
    if (!values.symbtab_file.empty())
        xstrcat(&image, " -SYMBTAB=", values.symbtab_file);
    if (!values.adalink_file.empty())
        xstrcat(&image, " -ADALINK=", values.adalink_file);
    if (!values.ada_standard_file.empty())
        xstrcat(&image, " -STANDARD=", values.ada_standard_file, " -SERVICE=");
    if (values.prepro_only_flag)
        xstrcat(&image, " -PREPRO_ONLY");
    if (values.class_given)
        xstrcat(&image, " -CLASS=", values.class_name);
    append_whole(image, parts.restriction);
    if (image.size() > command_image_limit - 1)
        image.resize(command_image_limit - 1);
    return image;
}

void handle_options(int argc, char** argv, std::string& command_image)
{
    unique_string_init();
    command_table& table = morvastart_table();
    table = make_morvastart_table();
    std::vector<std::string> working;
    if (expand_arguments(table, argc, argv, working) != 0 || analyse_command(table, working) != 0)
        report_fatal("CMDFATALE", "");
    list_images parts;
    fill_values(table, options(), parts);
    command_image = build_command_image(options(), parts);
}
