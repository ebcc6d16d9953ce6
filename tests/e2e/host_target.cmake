morva_e2e(e2e_host_target host_target_test.cpp native_lines.cpp)
