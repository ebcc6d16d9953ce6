morva_e2e(e2e_generator generator_test.cpp script_safety_test.cpp)
