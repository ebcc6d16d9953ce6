# The expression parser: a reentrant flex scanner and a pure bison grammar,
# generated into the build tree and never committed.
set(expression_grammar_dir ${CMAKE_CURRENT_BINARY_DIR}/expression_grammar)
file(MAKE_DIRECTORY ${expression_grammar_dir})
bison_target(expression_grammar ${CMAKE_CURRENT_SOURCE_DIR}/expression_grammar.y
             ${expression_grammar_dir}/expression_grammar.cpp
             DEFINES_FILE ${expression_grammar_dir}/expression_grammar.hpp
             COMPILE_FLAGS "-Wall")
flex_target(expression_lexer ${CMAKE_CURRENT_SOURCE_DIR}/expression_lexer.l
            ${expression_grammar_dir}/expression_lexer.cpp)
add_flex_bison_dependency(expression_lexer expression_grammar)
# The library is defined in the top directory, which does not see this
# directory's custom commands: a target here runs flex and bison first.
add_custom_target(expression_grammar_generated DEPENDS ${BISON_expression_grammar_OUTPUTS}
                  ${FLEX_expression_lexer_OUTPUTS})
add_dependencies(morva expression_grammar_generated)
# flex's skeleton compares signed and unsigned sizes; the property is set
# where the library lives, since source properties are per directory.
set_source_files_properties(${FLEX_expression_lexer_OUTPUTS} DIRECTORY ${PROJECT_SOURCE_DIR}
                            PROPERTIES COMPILE_OPTIONS "-Wno-sign-compare")
target_sources(morva PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/expression_parser.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/char_literal.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/expression_type.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/expression_image.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/constant_value.cpp
  ${BISON_expression_grammar_OUTPUTS}
  ${FLEX_expression_lexer_OUTPUTS})
target_include_directories(morva PRIVATE ${expression_grammar_dir})
