morva_e2e(e2e_members members_test.cpp native_lines.cpp)
