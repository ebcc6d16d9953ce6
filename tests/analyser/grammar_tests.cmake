# The analysis lexer and the declaration grammar, run on texts.
morva_test(grammar_tests
  analysis_lexer_test.cpp
  grammar_c_declarations_test.cpp
  grammar_c99_test.cpp
  grammar_cpp_declarations_test.cpp
  grammar_errors_test.cpp
  grammar_fuzz_inputs_test.cpp
  template_instance_test.cpp
  class_record_test.cpp
  inherited_members_test.cpp)
target_include_directories(grammar_tests PRIVATE ${PROJECT_BINARY_DIR}/src/analyser/declaration_grammar)
