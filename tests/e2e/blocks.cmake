morva_e2e(e2e_blocks blocks_test.cpp native_lines.cpp)
