// The script header: see script_header.h. The version and the tool name on
// its second line are fixed texts of the script format, not the banner's.
#include "generator/script_header.h"

#include "generator/file_access.h"

namespace {

const std::string stars(80, '*');
const std::string frame = "--" + stars;
const std::string boxed = "--*" + std::string(78, ' ') + "*";

} // namespace

std::string file_list_line(const header_fields& fields)
{
    std::string line = "--%f ";
    auto quoted = [&line](std::string_view name) {
        line += '"';
        line += name;
        line += "\" ";
    };
    if (!fields.insert)
        quoted(fields.tested_file);
    for (std::string_view name : fields.integrated_files)
        quoted(name);
    return line;
}

void write_header(std::FILE* stream, const header_fields& fields)
{
    auto line = [&](std::string_view text) { write_line(fields.generated_file, stream, text); };
    line(frame);
    line("-- tool : C Source Code Parser VERSION 4.1.0.2.117.006");
    line(boxed);
    line("--%c " + std::string(fields.command_image));
    line(boxed);
    line("-- File : " + std::string(fields.generated_file));
    line(file_list_line(fields));
    line(boxed);
    line("--%d DATE : " + std::string(fields.date));
    line(boxed);
    line(frame);
}
