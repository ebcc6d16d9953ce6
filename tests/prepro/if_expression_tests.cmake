# Unit tests of the #if expression evaluator.
morva_test(if_expression_tests ${CMAKE_CURRENT_SOURCE_DIR}/if_expression_test.cpp)
