# The #if expression evaluator: a bison grammar and its hand-written lexer.
# The parser is generated into the build tree, never committed.
set(if_grammar_dir ${CMAKE_CURRENT_BINARY_DIR}/if_grammar)
file(MAKE_DIRECTORY ${if_grammar_dir})
bison_target(if_grammar ${CMAKE_CURRENT_SOURCE_DIR}/if_grammar.y ${if_grammar_dir}/if_grammar.cpp
             DEFINES_FILE ${if_grammar_dir}/if_grammar.hpp
             COMPILE_FLAGS "-Wall")
# The library is defined in the top directory, which does not see this
# directory's custom commands: a target here runs bison first.
add_custom_target(if_grammar_generated DEPENDS ${BISON_if_grammar_OUTPUTS})
add_dependencies(morva if_grammar_generated)
target_sources(morva PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/if_expression.cpp
  ${BISON_if_grammar_OUTPUTS})
target_include_directories(morva PRIVATE ${if_grammar_dir})
