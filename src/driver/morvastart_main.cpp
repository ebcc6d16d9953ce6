// morvastart: start-up, command line, generation, summary. The process
// always ends through the summary or a fatal/internal report.
#include <QCoreApplication>

#include "diag/report.h"
#include "driver/handle_options.h"
#include "driver/option_values.h"
#include "driver/startup.h"
#include "generator/generation.h"

int main(int argc, char** argv)
{
    open_standard_descriptors();
    QCoreApplication application(argc, argv);
    // The preprocessor skips unknown or empty tool pragmas silently; it has
    // no other mode, so there is nothing to switch here.
    start_tool(application);
    handle_options(argc, argv, options().command_image);
    generate_script(options().command_image);
    finish_run();
}
