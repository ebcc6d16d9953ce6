// Replacing a script without ever losing one: see script_replacement.cpp.
#pragma once

#include <cstdio>
#include <string>

class script_replacement {
public:
    script_replacement() = default;
    script_replacement(const script_replacement&) = delete;
    script_replacement& operator=(const script_replacement&) = delete;
    // An unfinished replacement keeps its text as NAME_partial.
    ~script_replacement();

    // Creates a fresh temporary file beside script_name and returns its
    // stream; IMPOUVFIC naming the script when none can be created (or when
    // the script's name is held by a directory). From here until
    // put_in_place, any end of the process keeps the text as NAME_partial.
    std::FILE* open(const std::string& script_name);

    // With the temporary file complete and closed: an existing script
    // becomes NAME_bck (FICRENAME, or IMPFICREN when it cannot), then the
    // temporary file becomes the script.
    void put_in_place();

    // Moves the unfinished temporary file to NAME_partial (left as it is
    // when that fails); nothing when none is pending.
    void keep_partial();

private:
    std::string script_;
    std::string partial_; // made in advance: the exit cleanup may run out of memory
    std::string temporary_;
};
