// File kinds of the tool chain with their suffixes (each replaceable by an
// environment variable), name splitting, and the small file-system tests.
#pragma once

#include <string>
#include <string_view>

enum file_kind {
    kind_tdc = 0, kind_ro, kind_rio, kind_rio2, kind_ptu, kind_seg, kind_lis, kind_smb,
    kind_def, kind_exc, kind_exh, kind_cpp, kind_rod, kind_ddt, kind_mdt, kind_exi,
    file_kind_count
};

// The kind's environment variable when set (even empty), else the default; read anew each call.
std::string file_kind_suffix(int kind);
const char* file_kind_variable(int kind);

// Splits at the last "." of the whole name; without one the suffix is empty.
void split_suffix(std::string_view name, std::string& base, std::string& suffix);

// Directory before the last "/" ("." without one, "/" when it is the first
// character), always followed by "/"; file name after the last "/".
void split_path(std::string_view path, std::string& directory, std::string& file_name);

// Directory + base, plus "." and the kind's suffix when the name has none and
// the kind takes a default suffix. A bare name gains "./".
std::string complete_name(std::string_view name, int kind);

// 0 for an existing directory; otherwise warns INCLTYPER and returns 1.
int check_directory(std::string_view path);

// 1 when the file cannot be opened for reading by the user.
int not_readable(std::string_view path);

void remove_file(std::string_view path);
