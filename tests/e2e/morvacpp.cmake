morva_e2e(e2e_morvacpp morvacpp_test.cpp)
