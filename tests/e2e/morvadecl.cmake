morva_e2e(e2e_morvadecl morvadecl_test.cpp)
