morva_e2e(e2e_real_c real_c_test.cpp native_lines.cpp)
