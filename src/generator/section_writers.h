// The writers of the sections drawn from analysed declarations: the copied
// declarations, the stubs, the environments and the services. Each analyses
// its file for real in a fresh work_context (so a missing file ends the run
// at the section that needs it); the blocks themselves come with the
// declaration analyser and are empty until then.
#pragma once

#include <memory>
#include <string>
#include <string_view>

struct generation;
struct analysis_context;

// A work_context started for one completed file name, with the file analysed
// in it; ended (without releasing directories) when the scope closes.
class work_analysis {
public:
    work_analysis(generation& run, std::string_view file);
    ~work_analysis();
    work_analysis(const work_analysis&) = delete;
    work_analysis& operator=(const work_analysis&) = delete;
    analysis_context& context() { return *context_; }

private:
    std::unique_ptr<analysis_context> context_;
};

// The declarations of the tested file (step 4, without -INSERT).
void write_tested_declarations(generation& run, std::string_view tested_file);

// The declarations of one integrated file, named as given (step 5).
void write_integrated_declarations(generation& run, std::string_view file);

// The stub block of one simulated file, named as given (step 7).
void write_stub_definition(generation& run, std::string_view file);

// The environment of one analysed file (steps 9 to 11).
void write_file_environment(generation& run, std::string_view file, analysis_context& context,
                            bool with_statics);

// The services of the tested file (step 12).
void write_tested_services(generation& run, std::string_view tested_file, analysis_context& context);

// The name given with the C++ source suffix when it has none (kind 11).
std::string completed_source_name(std::string_view file);
