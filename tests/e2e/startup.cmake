morva_e2e(e2e_startup startup_test.cpp)
