// The generation run object and the driver's entry: see generation.h.
#include "generator/generation.h"

#include "diag/report.h"
#include "driver/option_values.h"
#include "generator/file_access.h"

generation::generation(option_values& v) : values(v) {}

void generation::line(std::string_view text)
{
    write_line(values.generated_file, script, text);
}

void generation::title_block(script_text title)
{
    line(separator_line());
    line("--");
    line(word(title));
    line("--");
    line(separator_line());
}

void generation::short_title(script_text title)
{
    line(separator_line());
    line(word(title));
    line(separator_line());
}

std::string_view generation::word(script_text row) const
{
    return script_word(row);
}

void generate_script(std::string_view command_image)
{
    generation run(options());
    if (!open_script(run, command_image)) {
        report_info("NOGENERAT", run.values.generated_file);
        return;
    }
    write_script_body(run);
    finish_script(run, command_image);
}
