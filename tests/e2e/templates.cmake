morva_e2e(e2e_templates templates_test.cpp native_lines.cpp)
